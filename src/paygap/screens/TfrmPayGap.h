// TfrmPayGap: 男女の賃金の差異 — the disclosure's settings, the statutory table with the
// managers' share, the breakdowns and the split as tables, the 説明欄, the actual-wages import,
// CSV, Excel and print.
#pragma once

#include "paygap/PayGapReport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

class TfrmPayGap : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPayGap(QWidget* parent = nullptr);

    // Reads the stored settings of the open project into the fields and computes.
    void Prepare();

    // The settings as the fields hold them; false (with the message shown) when a date is not
    // a valid date.
    bool settingsFromFields(PayGapSettings& out);
    void btnComputeClick();   // 計　算: the figures with the fields' settings
    void btnSaveClick();      // 登　録: stores the settings and the 説明欄
    void btnImportClick();    // 実績賃金取込
    void btnCsvClick();       // CSV出力
    void btnXlsxClick();      // Excel出力
    void btnPrintClick();     // 印　刷

    const PayGapRun& run() const { return run_; }

private:
    void showSettings(const PayGapSettings& s);
    void showResult();
    void exportTable(SheetFileKind kind);

    QLineEdit* txtFrom_ = nullptr;
    QLineEdit* txtTo_ = nullptr;
    QTableWidget* forms_ = nullptr;        // id, name, category list
    QListWidget* allowances_ = nullptr;    // checkable allowance names: checked = left out
    QCheckBox* chkFte_ = nullptr;
    QLineEdit* txtTitles_ = nullptr;       // manager titles, separated by 、 or ,
    QSpinBox* spnGrade_ = nullptr;         // 0 = no grade rule
    QTableWidget* table_ = nullptr;        // the statutory table and the managers' share
    QLabel* notes_ = nullptr;              // why a ratio is missing, and the notes of the report
    QTableWidget* byGrade_ = nullptr;      // the breakdowns by grade, age band and service band
    QTableWidget* byAge_ = nullptr;
    QTableWidget* byService_ = nullptr;
    QTableWidget* split_ = nullptr;        // what explains the gap
    QPlainTextEdit* txtExplanation_ = nullptr;
    PayGapRun run_;
};
