// TFPX1071: optimal-wage results (最適賃金の計算結果): the grid, the verdict, CSV, 最適化, リセット.
#pragma once

#include "core/SheetTable.h"

#include <QDialog>

class QPushButton;
class QStatusBar;
class TStringGrid;

class TFPX1071 : public QDialog {
    Q_OBJECT
public:
    // Shows the last analysis (LastOptimalWage()).
    explicit TFPX1071(QWidget* parent = nullptr);

    // CSV and Excel: the grid as a CSV file or as a workbook in the CSV folder.
    void btnCSVClick(SheetFileKind kind = SheetFileKind::Csv);
    void btnOptimizeClick();
    void btnResetClick();

    TStringGrid& grid() const { return *Grid_; }
    QStatusBar& statusBar() const { return *StatusBar1_; }
    QPushButton& optimizeButton() const { return *btnOptimize_; }

private:
    TStringGrid* Grid_ = nullptr;
    QStatusBar* StatusBar1_ = nullptr;
    QPushButton* btnOptimize_ = nullptr;
};
