// TPX1050: raise-curve design (昇給カーブの設計): the set-up frame with five trial curves of
// six points each, their legends, 登録, the year-by-year table as CSV and print, 実行.
#pragma once

#include "plot/screens/PlotSetupFrame.h"
#include "plot/RaiseCurveDesign.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TPX1050 : public PlotSetupFrame {
    Q_OBJECT
public:
    explicit TPX1050(QWidget* parent = nullptr);
    ~TPX1050() override;

    // The frame's preparation, then every point "0", the checks cleared, the commentary
    // emptied and the curves of the X and Y items in force loaded.
    void Prepare();
    // The stored curves of the X and Y items in force into the boxes; clears the changed flag.
    void LoadCurves();

    void btnAddClick();
    void btnExecClick();
    void btnCloseClick();
    void btnHanreiClick(int n);
    void btnSalaryListClick();
    // CSV出力 and Excel出力: the design table as a CSV file or as a workbook.
    void btnFileClick(SheetFileKind kind = SheetFileKind::Csv);

    // The design as the screen holds it: points, checks, legends and styles, commentary.
    RaiseCurveDesign design() const;
    bool changed() const { return changed_; }

public slots:
    // Escape and the title bar's close button go the way of 閉じる, question included.
    void reject() override;

protected:
    void readAdditions(PlotSetupChoices& c) const override;
    void showAdditions(const PlotSetupChoices& c) override;

private:
    void markChanged();
    void showHeadings();
    void clearPoints();
    void focusFirstPoint();

    std::array<std::array<QLineEdit*, DesignPointCount>, DesignCurveCount> txtNenrei_{};
    std::array<std::array<QLineEdit*, DesignPointCount>, DesignCurveCount> txtSyokunou_{};
    std::array<QCheckBox*, DesignCurveCount> chk_{};
    std::array<QLabel*, 2 * DesignCurveCount> headings_{};
    QRadioButton* optLabelFalse_ = nullptr;
    QRadioButton* optLabelTrue_ = nullptr;
    QLineEdit* txtTitle_ = nullptr;
    QPlainTextEdit* txtBikou_ = nullptr;
    DesignCurves curves_{};   // legends and line styles (the points live in the boxes)
    bool changed_ = false;
    bool loading_ = false;
    bool closing_ = false;
};
