// TPX0090: group reports by mark — range choice, print through the preview, CSV file.
#include "reports/screens/TPX0090.h"

#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TPX0090::TPX0090(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX0090"), GroupReportNamesOf(kind_).title, 560, 230);
    auto* grid = new QGridLayout;
    ranges_.build(this, grid);
    btnPrint = MakeButton(this, QStringLiteral("btnPrint"), QStringLiteral("印　刷"));
    cdCsv = MakeButton(this, QStringLiteral("cdCsv"), QStringLiteral("CSV出力"));
    cdXlsx = MakeButton(this, QStringLiteral("cdXlsx"), ExcelExportCaption);
    btnClose = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(cdCsv);
    buttons->addWidget(cdXlsx);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(*this);
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(cdCsv, &QPushButton::clicked, this, [this] { cdCsvClick(SheetFileKind::Csv); });
    connect(cdXlsx, &QPushButton::clicked, this, [this] { cdCsvClick(SheetFileKind::Xlsx); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TPX0090::Prepare()
{
    kind_ = GroupReportKindOfMode(App().ReportMode);
    setWindowTitle(GroupReportNamesOf(kind_).title);
    ranges_.fill();
}

bool TPX0090::employeesInRange(QList<TSyain_>& employees, GroupFilter& filter)
{
    Outcome selected;
    {
        BusyCursor busy;
        selected = SelectGroupEmployees(CurrentSession(), ranges_.ranges(), filter, employees);
    }
    ShowOutcome(selected);
    return selected.ok;
}

void TPX0090::btnPrintClick()
{
    QList<TSyain_> employees;
    GroupFilter filter;
    if (!employeesInRange(employees, filter))
        return;
    if (employees.isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("印刷対象データは有りません。"));
        return;
    }
    ReportDocument doc;
    QString error;
    bool built = false;
    {
        BusyCursor busy;
        built = BuildGroupReport(CurrentSession(), kind_, employees, filter, doc, &error);
    }
    if (!built) {
        Dialogs().warning(AppTitle, error);
        return;
    }
    ComposeAndPreview(doc);
}

void TPX0090::cdCsvClick(SheetFileKind kind)
{
    const GroupReportNames names = GroupReportNamesOf(kind_);
    if (!Dialogs().yesNo(AppTitle, ExportQuestion(names.title, App().ExeFolder, kind)))
        return;
    QList<TSyain_> employees;
    GroupFilter filter;
    if (!employeesInRange(employees, filter))
        return;
    ShowOutcome(ExportGroupReportCsv(CurrentSession(), kind_, employees, QString(), UserTableFileFormat(kind)));
}
