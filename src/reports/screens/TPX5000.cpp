// TPX5000 / TPX5010: personal HR and wage reports — range choice and print.
#include "reports/screens/TPX5000.h"

#include "shell/screens/TfrmPrintPreview.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ScreenHelpers.h"

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
    QList<TSyain_> employees;
    ReportDocument doc;
    Outcome selected;
    {
        BusyCursor busy;
        const Session s = CurrentSession();
        selected = SelectGroupEmployees(s, ranges_.ranges(), filter, employees);
        if (selected.ok && !employees.isEmpty())
            doc = BuildPersonalPages(s.exeFolder, kind_, employees, PersonalHeadingForProject(s), LoadEmploymentForms(s),
                                     LoadMatrixTables(s));
    }
    if (!selected.ok) {
        ShowOutcome(selected);
        return;
    }
    if (employees.isEmpty()) {
        Dialogs().warning(AppTitle, QStringLiteral("印刷対象データは有りません。"));
        return;
    }
    ComposeAndPreview(doc);
}
