// TfrmPayGap: 男女の賃金の差異.
#include "paygap/screens/TfrmPayGap.h"

#include "paygap/PayGapStore.h"
#include "reference/EmploymentForms.h"
#include "shell/screens/AppState.h"
#include "shell/screens/DialogService.h"
#include "shell/screens/ExportSettings.h"
#include "shell/screens/TfrmPrintPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const WorkerCategory Categories[] = {WorkerCategory::Regular, WorkerCategory::PartTime, WorkerCategory::LeftOut,
                                     WorkerCategory::Unclassified};

QString dateField(int yyyymmdd)
{
    return QStringLiteral("%1.%2.%3")
        .arg(yyyymmdd / 10000, 4, 10, QChar('0'))
        .arg(yyyymmdd / 100 % 100, 2, 10, QChar('0'))
        .arg(yyyymmdd % 100, 2, 10, QChar('0'));
}

// "2024.04.01" as yyyymmdd; 0 when it is no calendar date.
int dateOf(const QString& text)
{
    const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("yyyy.MM.dd"));
    return d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0;
}

// A read-only table of figures, its headings set when it is filled.
QTableWidget* figureTable(QWidget* parent, const QString& name)
{
    auto* t = new QTableWidget(0, 0, parent);
    t->setObjectName(name);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    return t;
}

// Shows a section of the pay-gap table: its first row as the headings, the others as rows.
// Figures (and "－" in a figure's place) stand right-aligned, the first column's labels and the
// reason for a missing split left-aligned.
void fillTable(QTableWidget* t, const QList<SheetRow>& section)
{
    t->clear();
    const SheetRow heading = section.value(0);
    t->setColumnCount(int(heading.size()));
    QStringList labels;
    for (const SheetCell& c : heading)
        labels << c.text;
    t->setHorizontalHeaderLabels(labels);
    t->setRowCount(std::max(0, int(section.size()) - 1));
    for (int r = 1; r < section.size(); ++r) {
        const SheetRow& row = section[r];
        for (int c = 0; c < row.size(); ++c) {
            const SheetCell& cell = row[c];
            auto* item = new QTableWidgetItem(PayGapShownText(cell));
            const bool figure = c > 0 && (cell.type == SheetCell::Type::Number || cell.text == QStringLiteral("－"));
            item->setTextAlignment((figure ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            t->setItem(r - 1, c, item);
        }
    }
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

// The width a combo box needs to show each of its items whole: the style's size around the
// longest item's text measured with the combo's font (and the pixel the label keeps free on
// each side), or the combo's own size hint when that is wider.
int comboWidthFor(QComboBox& combo)
{
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    int widest = 0;
    for (int i = 0; i < combo.count(); ++i)
        widest = std::max(widest, combo.fontMetrics().horizontalAdvance(combo.itemText(i)));
    const QSize content(widest + 4, combo.fontMetrics().height());
    combo.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return std::max(combo.style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, &combo).width(),
                    combo.sizeHint().width());
}

} // namespace

TfrmPayGap::TfrmPayGap(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmPayGap"));
    setWindowTitle(QStringLiteral("男女の賃金の差異"));
    auto* layout = new QVBoxLayout(this);

    auto* settingsBox = new QGroupBox(QStringLiteral("設定"), this);
    auto* settings = new QHBoxLayout(settingsBox);
    auto* left = new QFormLayout;
    txtFrom_ = new QLineEdit(settingsBox);
    txtTo_ = new QLineEdit(settingsBox);
    auto* period = new QHBoxLayout;
    period->addWidget(txtFrom_);
    period->addWidget(new QLabel(QStringLiteral("～"), settingsBox));
    period->addWidget(txtTo_);
    left->addRow(QStringLiteral("対象事業年度 (YYYY.MM.DD)"), period);
    chkFte_ = new QCheckBox(QStringLiteral("パート・有期労働者を正規換算で数える"), settingsBox);
    left->addRow(QString(), chkFte_);
    txtTitles_ = new QLineEdit(settingsBox);
    left->addRow(QStringLiteral("管理職とする役職（、区切り）"), txtTitles_);
    spnGrade_ = new QSpinBox(settingsBox);
    spnGrade_->setRange(0, 9);
    spnGrade_->setSpecialValueText(QStringLiteral("指定なし"));
    left->addRow(QStringLiteral("管理職とする資格等級（以上）"), spnGrade_);
    settings->addLayout(left, 3);
    forms_ = new QTableWidget(0, 3, settingsBox);
    forms_->setObjectName(QStringLiteral("grdForms"));
    forms_->setHorizontalHeaderLabels({QStringLiteral("ID"), QStringLiteral("就労形態"), QStringLiteral("区分")});
    forms_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    forms_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    forms_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    forms_->verticalHeader()->hide();
    forms_->setMaximumHeight(140);
    settings->addWidget(forms_, 3);
    auto* allowanceBox = new QVBoxLayout;
    allowanceBox->addWidget(new QLabel(QStringLiteral("賃金から除く手当"), settingsBox));
    allowances_ = new QListWidget(settingsBox);
    allowances_->setMaximumHeight(140);
    allowanceBox->addWidget(allowances_);
    settings->addLayout(allowanceBox, 2);
    layout->addWidget(settingsBox);

    table_ = figureTable(this, QStringLiteral("grdPayGap"));
    layout->addWidget(table_);
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("lblNotes"));
    notes_->setWordWrap(true);
    layout->addWidget(notes_);

    auto* details = new QTabWidget(this);
    byGrade_ = figureTable(details, QStringLiteral("grdByGrade"));
    byAge_ = figureTable(details, QStringLiteral("grdByAge"));
    byService_ = figureTable(details, QStringLiteral("grdByService"));
    split_ = figureTable(details, QStringLiteral("grdSplit"));
    details->addTab(byGrade_, QStringLiteral("資格等級別"));
    details->addTab(byAge_, QStringLiteral("年齢階層別"));
    details->addTab(byService_, QStringLiteral("勤続年数別"));
    details->addTab(split_, QStringLiteral("要因分解"));
    layout->addWidget(details, 1);
    layout->addWidget(new QLabel(QStringLiteral("説明欄"), this));
    txtExplanation_ = new QPlainTextEdit(this);
    txtExplanation_->setMaximumHeight(90);
    layout->addWidget(txtExplanation_);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& name, const QString& caption, void (TfrmPayGap::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, handler);
        buttons->addWidget(b);
    };
    button(QStringLiteral("btnCompute"), QStringLiteral("計　算"), &TfrmPayGap::btnComputeClick);
    button(QStringLiteral("btnSave"), QStringLiteral("登　録"), &TfrmPayGap::btnSaveClick);
    button(QStringLiteral("btnImport"), QStringLiteral("実績賃金取込"), &TfrmPayGap::btnImportClick);
    button(QStringLiteral("btnCsv"), QStringLiteral("CSV出力"), &TfrmPayGap::btnCsvClick);
    button(QStringLiteral("btnXlsx"), ExcelExportCaption, &TfrmPayGap::btnXlsxClick);
    button(QStringLiteral("btnPrint"), QStringLiteral("印　刷"), &TfrmPayGap::btnPrintClick);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(1000, 840);
}

void TfrmPayGap::Prepare()
{
    PayGapSettings s;
    bool found = false;
    if (!ReadPayGapSettings(CurrentSession(), s, found))
        s = PayGapSettings::Defaults(CurrentSession().fiscalYear);
    showSettings(s);
    btnComputeClick();
}

void TfrmPayGap::showSettings(const PayGapSettings& s)
{
    const Session session = CurrentSession();
    txtFrom_->setText(dateField(s.periodFrom));
    txtTo_->setText(dateField(s.periodTo));
    chkFte_->setChecked(s.fullTimeEquivalent);
    txtTitles_->setText(s.managerTitles.join(QStringLiteral("、")));
    spnGrade_->setValue(s.managerGrade);
    txtExplanation_->setPlainText(s.explanation);

    forms_->setRowCount(0);
    allowances_->clear();
    QStringList names;
    for (int id = 1; id <= 4; ++id) {
        EmploymentFormNames form;
        bool exists = false;
        if (!ReadEmploymentForm(session, id, form, exists) || !exists)
            continue;
        const int row = forms_->rowCount();
        forms_->insertRow(row);
        forms_->setItem(row, 0, new QTableWidgetItem(QString::number(id)));
        forms_->setItem(row, 1, new QTableWidgetItem(form.names[0]));
        auto* list = new QComboBox(forms_);
        for (WorkerCategory c : Categories)
            list->addItem(CategoryText(c), int(c));
        list->setCurrentIndex(list->findData(int(CategoryOfForm(s, id, form.names[0]))));
        // Wide enough for パート・有期労働者, the longest category, in the screen's font.
        list->setMinimumWidth(comboWidthFor(*list));
        forms_->setColumnWidth(2, std::max(forms_->columnWidth(2), list->minimumWidth()));
        forms_->setCellWidget(row, 2, list);
        for (int k = 5; k < 10; ++k)
            if (!form.names[k].trimmed().isEmpty() && !names.contains(form.names[k].trimmed()))
                names << form.names[k].trimmed();
    }
    for (const QString& n : s.excludedAllowances)
        if (!names.contains(n))
            names << n;
    for (const QString& n : names) {
        auto* item = new QListWidgetItem(n, allowances_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(s.excludedAllowances.contains(n) ? Qt::Checked : Qt::Unchecked);
    }
}

bool TfrmPayGap::settingsFromFields(PayGapSettings& out)
{
    out = PayGapSettings::Defaults(CurrentSession().fiscalYear);
    out.periodFrom = dateOf(txtFrom_->text());
    out.periodTo = dateOf(txtTo_->text());
    if (out.periodFrom == 0 || out.periodTo == 0 || out.periodTo < out.periodFrom) {
        Dialogs().warning(AppTitle, QStringLiteral("対象事業年度の日付を正しく入力して下さい。"));
        return false;
    }
    for (int row = 0; row < forms_->rowCount(); ++row) {
        const int id = forms_->item(row, 0)->text().toInt();
        auto* list = qobject_cast<QComboBox*>(forms_->cellWidget(row, 2));
        const auto chosen = WorkerCategory(list->currentData().toInt());
        // Only a choice that differs from the name's default is stored as the user's.
        if (chosen != DefaultCategoryOfFormName(forms_->item(row, 1)->text()))
            out.formCategories[id] = chosen;
    }
    out.excludedAllowances.clear();
    for (int i = 0; i < allowances_->count(); ++i)
        if (allowances_->item(i)->checkState() == Qt::Checked)
            out.excludedAllowances << allowances_->item(i)->text();
    out.fullTimeEquivalent = chkFte_->isChecked();
    out.managerTitles.clear();
    for (const QString& t : txtTitles_->text().split(QRegularExpression(QStringLiteral("[、,，\\s]+")), Qt::SkipEmptyParts))
        out.managerTitles << t.trimmed();
    out.managerGrade = spnGrade_->value();
    out.explanation = txtExplanation_->toPlainText();
    return true;
}

void TfrmPayGap::btnComputeClick()
{
    PayGapSettings s;
    if (!settingsFromFields(s))
        return;
    run_ = RunPayGapWith(CurrentSession(), s);
    if (!run_.outcome.ok) {
        ShowOutcome(run_.outcome);
        return;
    }
    showResult();
}

void TfrmPayGap::showResult()
{
    const PayGapResult& r = run_.result;
    const QList<QList<SheetRow>> sections = PayGapSections(PayGapTable(r));
    QTableWidget* const tables[] = {table_, byGrade_, byAge_, byService_, split_};
    for (int i = 0; i < 5; ++i)
        fillTable(tables[i], sections.value(i));
    // The statutory table shows its four rows without scrolling or empty space.
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    for (int row = 0; row < table_->rowCount(); ++row)
        height += table_->rowHeight(row);
    table_->setFixedHeight(height);

    QStringList text;
    const std::pair<QString, const GapCell*> cells[] = {{QStringLiteral("全労働者"), &r.all},
                                                        {QStringLiteral("正規雇用労働者"), &r.regular},
                                                        {QStringLiteral("パート・有期労働者"), &r.partTime}};
    for (const auto& [label, cell] : cells)
        if (!cell->ratioTenths())
            text << QStringLiteral("%1：－（%2）").arg(label, cell->missingReason());
    for (const QString& note : PayGapNotes(run_.settings, r))
        text << QStringLiteral("・") + note;
    notes_->setText(text.join('\n'));
}

void TfrmPayGap::btnSaveClick()
{
    PayGapSettings s;
    if (!settingsFromFields(s))
        return;
    if (!SavePayGapSettings(CurrentSession(), s))
        return;   // the store has shown why
    btnComputeClick();
}

void TfrmPayGap::btnImportClick()
{
    const Session s = CurrentSession();
    const QString path = Dialogs().openFile(QStringLiteral("実績賃金の取込"), s.exeFolder + QStringLiteral("CSV"),
                                            QStringLiteral("CSVファイル(*.csv)|*.csv"));
    if (path.isEmpty())
        return;
    const ActualWageFile file = ReadActualWageCsv(path);
    if (!file.outcome.ok) {
        ShowOutcome(file.outcome);
        return;
    }
    bool accept = file.errors.isEmpty();
    if (!accept) {
        accept = Dialogs().yesNo(QStringLiteral("確認"),
                                 QStringLiteral("次の行は取り込めません。\n") + ActualWageErrorsText(file.errors)
                                     + QStringLiteral("\n\nこれらの行を除いて取り込みますか？"));
        if (!accept)
            return;   // cancelled: nothing stored
    }
    ShowOutcome(StoreActualWages(s, file, accept));
    btnComputeClick();
}

void TfrmPayGap::btnCsvClick()
{
    exportTable(SheetFileKind::Csv);
}

void TfrmPayGap::btnXlsxClick()
{
    exportTable(SheetFileKind::Xlsx);
}

// Writes the tables into the CSV folder: the CSV file in the user's encoding, or the workbook.
void TfrmPayGap::exportTable(SheetFileKind kind)
{
    btnComputeClick();
    if (!run_.outcome.ok)
        return;
    const Session s = CurrentSession();
    ShowOutcome(WritePayGapTable(s, run_.result, PayGapCsvPath(s.exeFolder, kind), UserTableFileFormat(kind)));
}

void TfrmPayGap::btnPrintClick()
{
    btnComputeClick();
    if (!run_.outcome.ok)
        return;
    const Session s = CurrentSession();
    ComposeAndPreview(BuildPayGapDocument(s.exeFolder, s.companyName, run_.settings, run_.result));
}
