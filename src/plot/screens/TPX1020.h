// TPX1020: raise-curve analysis set-up (昇給カーブの分析): the frame plus curve order,
// four levels and the graph mode.
#pragma once

#include "plot/screens/PlotSetupFrame.h"

class QLineEdit;
class QRadioButton;

// What a level box takes, beside each box and as its tip: a per cent above or below the
// fitted curve, not a per cent of it.
inline const QString LevelUnitCaption = QStringLiteral("±％（近似線から）");
inline const QString LevelHint =
    QStringLiteral("近似線から上下に何％離れた線を引くか。10 で近似線の 110％、-10 で 90％。0 は線なし。");

class TPX1020 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1020(QWidget* parent = nullptr);

    // A level edit left: a decimal number (or empty, read as 0), else the message.
    bool LevelExit(int index);

protected:
    void readAdditions(PlotSetupChoices& c) const override;
    void showAdditions(const PlotSetupChoices& c) override;

private:
    QRadioButton* opt2Jisiki_ = nullptr;
    QRadioButton* opt3Jisiki_ = nullptr;
    QRadioButton* optGraphAll_ = nullptr;
    QRadioButton* optGraph_ = nullptr;
    QLineEdit* levels_[4] = {};
};
