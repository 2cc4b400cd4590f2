// The set-up frame shared by the plot set-up screens: axis items, employee filters, mark
// labels, title and commentary, 分析 and 閉じる; each screen passes its variant and adds
// only its own fields.
#pragma once

#include "plot/PlotSetup.h"

#include <QDialog>
#include <QList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

class PlotSetupFrame : public QDialog {
    Q_OBJECT
public:
    PlotSetupFrame(const PlotSetupVariant& variant, QWidget* parent = nullptr);
    ~PlotSetupFrame() override;

    // Size, hidden ゾーン, employment-form captions, the wage-table list, current chart 0, Load.
    void Prepare();
    // The stored choices (get-or-create) into the controls.
    void Load();
    void cmbChinginChange();
    bool Save();
    void btnAnalizeClick();
    void btnCloseClick();

    const PlotSetupVariant& variant() const { return variant_; }
    // The choices as the controls hold them.
    PlotSetupChoices choices() const;
    // Set when the last analysis found no employee.
    bool errorFlag() const { return errorFlag_; }

protected:
    // The controls of a screen's own fields: read into and shown from the choices.
    virtual void readAdditions(PlotSetupChoices&) const {}
    virtual void showAdditions(const PlotSetupChoices&) {}
    void showChoices(const PlotSetupChoices& c);
    // The work of 分析 between the choices and the plot (the chart's analysis); choices may
    // change (shown after).
    virtual SetupAnalysis runAnalysis(PlotSetupChoices& c);

    QGroupBox* xGroup_ = nullptr;
    QGroupBox* yGroup_ = nullptr;
    QList<QRadioButton*> markLabels_;

private:
    void build();

    PlotSetupVariant variant_;
    bool errorFlag_ = false;
    QLineEdit* txtTitle_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QList<QRadioButton*> xItems_, yItems_, forms_, sexes_;
    PlotSetupChoices loaded_;   // the stored row's choices: kept for the columns no control shows
    QList<QAbstractButton*> plotMarks_, grades_;
    QList<QLineEdit*> gradeNames_;
    QComboBox* cmbChingin_ = nullptr;
};
