// TfrmImportWorker: employee CSV import (社員マスタの取込).
#pragma once

#include "employees/ImportWorker.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TStringGrid;

class TfrmImportWorker : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImportWorker(QWidget* parent = nullptr);

    // The opening: empty file name, the grid with its headings and one empty row, the
    // import buttons disabled.
    void Prepare();

    void BTN_SelectFileClick();
    void BTN_CheckClick();
    void BTN_RepClick();
    void BTN_AddClick();
    void BTN_CloseClick();

    QLineEdit* EB_FileName;
    QPushButton* BTN_SelectFile;
    QPushButton* BTN_Check;
    QPushButton* BTN_Rep;
    QPushButton* BTN_Add;
    QPushButton* BTN_Close;
    TStringGrid* GRDCowork;
    // Why the selected row was marked ERROR.
    QLabel* labStatus;

private:
    void clearGrid();
    void showRows(const QList<ImportRow>& rows, const QList<QStringList>& reasons);
    void showRowStatus(int row);
    QList<ImportRow> gridRows() const;
    void runImport(ImportMode mode, const QString& question);
    void setImportEnabled(bool enabled);

    QList<QStringList> reasons_;   // per data row, as the last check found them
};
