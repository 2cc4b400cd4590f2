// TfrmImportWorker: employee CSV import (社員マスタの取込).
#include "employees/screens/TfrmImportWorker.h"

#include "shell/screens/AppState.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "shell/screens/DialogService.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int FormWidth = 1170;
const int FormHeight = 620;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    QPushButton* b = MakeButton(parent, QString::fromLatin1(name), caption);
    b->setMinimumHeight(28);
    return b;
}

} // namespace

TfrmImportWorker::TfrmImportWorker(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TfrmImportWorker"), QStringLiteral("社員マスタの取込"), FormWidth,
                   FormHeight);

    auto* fileLabel = new QLabel(QStringLiteral("ファイル名"), this);
    EB_FileName = new QLineEdit(this);
    EB_FileName->setObjectName(QStringLiteral("EB_FileName"));
    EB_FileName->setMaxLength(255);
    EB_FileName->setFocusPolicy(Qt::ClickFocus);   // typed into, but not in the tab order
    BTN_SelectFile = makeButton(this, "BTN_SelectFile", QStringLiteral("選択"));
    BTN_SelectFile->setFixedWidth(80);

    BTN_Check = makeButton(this, "BTN_Check", QStringLiteral("取込確認"));
    BTN_Check->setFixedWidth(120);
    BTN_Rep = makeButton(this, "BTN_Rep", QStringLiteral("現在登録されている内容を削除して取り込む"));
    BTN_Add = makeButton(this, "BTN_Add", QStringLiteral("現在登録されている内容に追加して取り込む"));
    BTN_Close = makeButton(this, "BTN_Close", QStringLiteral("閉じる"));
    BTN_Close->setFixedWidth(100);

    GRDCowork = new TStringGrid(this);
    GRDCowork->setObjectName(QStringLiteral("GRDCowork"));
    GRDCowork->setColCount(ImportColumn::Count);
    GRDCowork->setFixedRows(1);
    GRDCowork->setFixedCols(1);
    // The columns keep their widths unless a heading would not fit (the CJK font is wider
    // than the one the widths were chosen for): then the heading's width decides.
    const QFontMetrics metrics(GRDCowork->font());
    for (int c = 0; c < ImportColumn::Count; ++c)
        GRDCowork->setColWidth(c, std::max(ImportColumnWidths().at(c),
                                           metrics.horizontalAdvance(ImportHeadings().at(c)) + 10));

    labStatus = new QLabel(this);
    labStatus->setObjectName(QStringLiteral("labStatus"));
    labStatus->setStyleSheet(QStringLiteral("color: #C00000;"));
    connect(GRDCowork, &QTableWidget::currentCellChanged, this, [this](int row) { showRowStatus(row); });

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(EB_FileName, 1);
    fileRow->addWidget(BTN_SelectFile);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(BTN_Check);
    buttonRow->addSpacing(24);
    buttonRow->addWidget(BTN_Rep);
    buttonRow->addWidget(BTN_Add);
    buttonRow->addStretch(1);
    buttonRow->addWidget(BTN_Close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(fileRow);
    layout->addLayout(buttonRow);
    layout->addWidget(GRDCowork, 1);
    layout->addWidget(labStatus);

    connect(BTN_SelectFile, &QPushButton::clicked, this, &TfrmImportWorker::BTN_SelectFileClick);
    connect(BTN_Check, &QPushButton::clicked, this, &TfrmImportWorker::BTN_CheckClick);
    connect(BTN_Rep, &QPushButton::clicked, this, &TfrmImportWorker::BTN_RepClick);
    connect(BTN_Add, &QPushButton::clicked, this, &TfrmImportWorker::BTN_AddClick);
    connect(BTN_Close, &QPushButton::clicked, this, &TfrmImportWorker::BTN_CloseClick);

    InstallEnterMovesFocus(*this);
    Prepare();
}

void TfrmImportWorker::Prepare()
{
    EB_FileName->clear();
    clearGrid();
    setImportEnabled(false);
}

void TfrmImportWorker::setImportEnabled(bool enabled)
{
    BTN_Rep->setEnabled(enabled);
    BTN_Add->setEnabled(enabled);
}

void TfrmImportWorker::clearGrid()
{
    reasons_.clear();
    labStatus->clear();
    GRDCowork->setRowCount(0);
    GRDCowork->setRowCountKeeping(2);
    const QStringList& headings = ImportHeadings();
    for (int c = 0; c < ImportColumn::Count; ++c)
        GRDCowork->setCell(c, 0, headings.at(c));
}

void TfrmImportWorker::showRows(const QList<ImportRow>& rows, const QList<QStringList>& reasons)
{
    if (rows.isEmpty())
        return;
    reasons_ = reasons;
    GRDCowork->setRowCountKeeping(int(rows.size()) + 1);
    TStringGrid::Filling filling(*GRDCowork);
    for (int r = 0; r < rows.size(); ++r) {
        const ImportRow& row = rows.at(r);
        for (int c = 0; c < ImportColumn::Count; ++c)
            if (!row[c].isEmpty())
                GRDCowork->setCell(c, r + 1, row[c]);
        // The status column says ERROR; the row's tool tip says why.
        if (r < reasons.size() && !reasons.at(r).isEmpty())
            GRDCowork->setRowToolTip(r + 1, reasons.at(r).join(QStringLiteral("、")));
    }
}

void TfrmImportWorker::showRowStatus(int row)
{
    const QStringList why = row >= 1 && row <= reasons_.size() ? reasons_.at(row - 1) : QStringList();
    labStatus->setText(why.isEmpty() ? QString()
                                     : QStringLiteral("%1行目 ERROR：").arg(row) + why.join(QStringLiteral("、")));
}

QList<ImportRow> TfrmImportWorker::gridRows() const
{
    QList<ImportRow> rows;
    rows.reserve(GRDCowork->rowCount() - 1);
    for (int r = 1; r < GRDCowork->rowCount(); ++r) {
        ImportRow row;
        for (int c = 0; c < ImportColumn::Count; ++c)
            row[c] = GRDCowork->cell(c, r);
        rows << row;
    }
    return rows;
}

void TfrmImportWorker::BTN_SelectFileClick()
{
    const QString current = EB_FileName->text().trimmed();
    const QString folder = current.isEmpty() ? App().ExeFolder + QStringLiteral("CSV") : QFileInfo(current).absolutePath();
    const QString chosen = Dialogs().openFile(QStringLiteral("社員マスタCSVファイルの選択"), folder,
                                              QStringLiteral("CSVファイル(*.csv)|*.csv"));
    if (!chosen.isEmpty())
        EB_FileName->setText(chosen);
}

void TfrmImportWorker::BTN_CheckClick()
{
    setImportEnabled(false);
    ImportCheck check;
    {
        BusyCursor busy;
        check = CheckImportFile(EB_FileName->text());
        if (check.gridCleared)
            clearGrid();
        showRows(check.rows, check.reasons);
        showRowStatus(GRDCowork->row());
    }
    if (!check.message.isEmpty()) {
        Dialogs().warning(AppTitle, check.message);
        return;
    }
    setImportEnabled(check.importable());
}

void TfrmImportWorker::runImport(ImportMode mode, const QString& question)
{
    if (!Dialogs().okCancel(QStringLiteral("確認"), question))
        return;
    setImportEnabled(false);
    Outcome imported;
    {
        BusyCursor busy;
        const Session session = CurrentSession();
        const TMKIGYOU2& company = session.company();
        imported = ImportEmployees(*session.year, company.KCO.toInt(), company.NENDO.toInt(), gridRows(), mode,
                                   session.today);
    }
    ShowOutcome(imported);
    // Nothing was written after a failure, so the same rows may be imported again.
    if (!imported.ok)
        setImportEnabled(true);
}

void TfrmImportWorker::BTN_RepClick()
{
    runImport(ImportMode::Replace,
              QStringLiteral("すでに登録済みの社員マスタは削除して取込ます。\r\n実行してもよろしいですか？"));
}

void TfrmImportWorker::BTN_AddClick()
{
    runImport(ImportMode::Add, QStringLiteral("既存の社員マスタに追加して取込ます。\r\n実行してもよろしいですか？"));
}

void TfrmImportWorker::BTN_CloseClick()
{
    close();
}
