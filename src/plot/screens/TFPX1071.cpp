// TFPX1071: optimal-wage results (最適賃金の計算結果).
#include "plot/screens/TFPX1071.h"

#include "plot/OptimalWage.h"
#include "plot/screens/TPX1100.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>

TFPX1071::TFPX1071(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TFPX1071"), QStringLiteral("最適賃金の計算結果"), 870, 500);
    const TOptimalWage& state = LastOptimalWage();
    const QList<QStringList> rows = OptimalWageGrid(state);
    const QList<int> widths = OptimalWageGridWidths(state);

    Grid_ = new TStringGrid(this);
    Grid_->setObjectName(QStringLiteral("Grid"));
    Grid_->setGeometry(8, 8, 854, 410);
    const int columns = rows.isEmpty() ? 0 : int(rows.first().size());
    Grid_->setColCount(columns);
    Grid_->setRowCount(int(rows.size()));
    Grid_->setFixedRows(1);
    Grid_->setFixedCols(4);
    Grid_->verticalHeader()->setDefaultSectionSize(18);
    for (int c = 0; c < columns; ++c) {
        Grid_->setColWidth(c, widths.value(c, 60));
        if (c >= 4)
            Grid_->setColumnAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            Grid_->setCell(c, r, rows[r][c]);
    Grid_->refresh();

    auto button = [this](const char* name, const char* caption, int x) {
        QPushButton* b = MakeButton(this, QString::fromLatin1(name), QString::fromUtf8(caption));
        b->setGeometry(x, 426, 80, 30);
        return b;
    };
    QPushButton* close = button("btnClose", "閉じる", 782);
    QPushButton* csv = button("btnCSV", "CSV", 692);
    QPushButton* xlsx = button("btnXlsx", "Excel", 422);
    QPushButton* reset = button("btnReset", "リセット", 602);
    btnOptimize_ = button("btnOptimize", "最適化", 512);
    btnOptimize_->setEnabled(CanOptimise(state));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(csv, &QPushButton::clicked, this, [this] { btnCSVClick(SheetFileKind::Csv); });
    connect(xlsx, &QPushButton::clicked, this, [this] { btnCSVClick(SheetFileKind::Xlsx); });
    connect(reset, &QPushButton::clicked, this, &TFPX1071::btnResetClick);
    connect(btnOptimize_, &QPushButton::clicked, this, &TFPX1071::btnOptimizeClick);

    StatusBar1_ = new QStatusBar(this);
    StatusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1_->setGeometry(0, 470, 870, 30);
    StatusBar1_->setSizeGripEnabled(false);
    StatusBar1_->showMessage(state.fit.verdict);
}

void TFPX1071::btnCSVClick(SheetFileKind kind)
{
    const Session session = CurrentSession();
    ShowOutcome(WriteOptimalWageCsv(session, LastOptimalWage(), OptimalWageCsvPath(session.exeFolder, kind),
                                    UserTableFileFormat(kind)));
}

void TFPX1071::btnOptimizeClick()
{
    const TOptimalWage& state = LastOptimalWage();
    if (!CanOptimise(state))
        return;
    const bool confirmed = Dialogs().yesNo(AppTitle, OptimiseQuestion);
    const Outcome done = OptimiseWages(CurrentSession(), state, confirmed);
    ShowOutcome(done);
    if (done.ok)
        btnOptimize_->setEnabled(false);
}

void TFPX1071::btnResetClick()
{
    const bool confirmed = Dialogs().yesNo(AppTitle, ResetQuestion);
    ShowOutcome(ResetOptimisedWages(CurrentSession(), confirmed));
    if (confirmed)
        accept();
}
