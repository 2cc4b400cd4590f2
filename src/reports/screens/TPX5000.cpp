// TPX5000 / TPX5010: personal HR and wage reports — range choice and print.
#include "reports/screens/TPX5000.h"

#include "reports/screens/TfrmPrintPreview.h"
#include "shell/screens/ScreenHelpers.h"
#include "store/DialogService.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TPX5000::TPX5000(PersonalReportKind kind, QWidget* parent) : QDialog(parent), kind_(kind)
{
    SetupFixedForm(*this, kind == PersonalReportKind::HR ? QStringLiteral("TPX5000") : QStringLiteral("TPX5010"),
                   PersonalReportCaption(kind), 560, 230);
    auto* grid = new QGridLayout;
    ranges_.build(this, grid);
    btnPrint = MakeButton(this, QStringLiteral("btnPrint"), QStringLiteral("印　刷"));
    btnClose = MakeButton(this, QStringLiteral("btnClose"), QStringLiteral("閉じる"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    InstallEnterMovesFocus(*this);
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TPX5000::Prepare()
{
    ranges_.fill();
}

void TPX5000::btnPrintClick()
{
    GroupFilter filter;
    const QString refused = CheckGroupRanges(ranges_.ranges(), filter);
    if (!refused.isEmpty()) {
        Dialogs().information(AppTitle, refused);
        return;
    }
    QList<TSyain_> employees;
    ReportDocument doc;
    {
        BusyCursor busy;
        if (!LoadGroupEmployees(filter, employees))
            return;
        if (!employees.isEmpty())
            doc = BuildPersonalPages(kind_, employees, PersonalHeadingForProject(), LoadEmploymentForms(),
                                     LoadMatrixTables());
    }
    if (employees.isEmpty()) {
        Dialogs().information(AppTitle, QStringLiteral("印刷対象データは有りません。"));
        return;
    }
    ComposeAndPreview(doc);
}
