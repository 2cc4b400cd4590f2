// TPX3030: year rollover (a company of a fiscal year carried into the next year).
#pragma once

#include <QDialog>

class QComboBox;

class TPX3030 : public QDialog {
    Q_OBJECT
public:
    explicit TPX3030(QWidget* parent = nullptr);

    // The opening steps: the years up to the open year + 1, the open year shown and its
    // companies listed.
    void Prepare();

    // Refills the company list for the year in the box; false when the year is not a number.
    bool cmbNendoExit();
    void btnAddClick();
    void btnCloseClick();

private:
    QComboBox* cmbNendo_ = nullptr;
    QComboBox* cmbCorpName_ = nullptr;
};
