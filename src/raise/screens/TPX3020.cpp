// TPX3020: evaluation symbols of a wage table (code, symbol and step increment).
#include "raise/screens/TPX3020.h"

#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "shell/screens/ScreenHelpers.h"
#include "shell/screens/StringGrid.h"
#include "shell/screens/DialogService.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int codeColumn = 1;
constexpr int symbolColumn = 2;
constexpr int stepsColumn = 3;

// The cell editor: Japanese input off for the code and the steps; Enter commits the cell
// and hands the key to the screen.
class EvaluationDelegate final : public QStyledItemDelegate {
public:
    EvaluationDelegate(QObject* parent, std::function<void()> onEnter)
        : QStyledItemDelegate(parent), onEnter_(std::move(onEnter))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (index.column() == codeColumn || index.column() == stepsColumn) {
            editor->setAttribute(Qt::WA_InputMethodEnabled, false);
            editor->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhPreferLatin);
        }
        if (auto* e = qobject_cast<QLineEdit*>(editor))
            e->setAlignment(index.column() == symbolColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                                           : Qt::AlignRight | Qt::AlignVCenter);
        return editor;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (auto* editor = qobject_cast<QWidget*>(object)) {
                    emit commitData(editor);
                    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                }
                onEnter_();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    std::function<void()> onEnter_;
};

} // namespace

TPX3020::TPX3020(QWidget* parent) : QDialog(parent)
{
    SetupFixedForm(*this, QStringLiteral("TPX3020"), QStringLiteral("評価の変換"), 340, 473);
    auto* root = new QVBoxLayout(this);

    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(new QLabel(QStringLiteral("賃金表"), this));
    cmbChingin_ = new QComboBox(this);
    cmbChingin_->setObjectName(QStringLiteral("cmbChingin"));
    cmbChingin_->setEditable(false);
    cmbChingin_->setFixedWidth(250);
    tableRow->addWidget(cmbChingin_);
    tableRow->addStretch();
    root->addLayout(tableRow);

    Grid_ = new TStringGrid(this);
    Grid_->setObjectName(QStringLiteral("Grid"));
    Grid_->setColCount(4);
    Grid_->setRowCountKeeping(2);
    const int widths[4] = {30, 70, 70, 70};
    const QString headings[4] = {QString(), QStringLiteral("評価ｺｰﾄﾞ"), QStringLiteral("評価記号"), QStringLiteral("昇号数")};
    for (int c = 0; c < 4; ++c) {
        Grid_->setColWidth(c, widths[c]);
        Grid_->setCell(c, 0, headings[c]);
    }
    Grid_->setColumnAlignment(codeColumn, Qt::AlignRight | Qt::AlignVCenter);
    Grid_->setColumnAlignment(symbolColumn, Qt::AlignLeft | Qt::AlignVCenter);
    Grid_->setColumnAlignment(stepsColumn, Qt::AlignRight | Qt::AlignVCenter);
    Grid_->setStyleSheet(QStringLiteral("QTableWidget::item { padding-left: 2px; padding-right: 2px; }"));
    Grid_->setEditable(true);
    Grid_->setFixedWidth(30 + 70 * 3 + 24);
    Grid_->setItemDelegate(new EvaluationDelegate(Grid_, [this] { GridKeyEnter(); }));
    root->addWidget(Grid_, 1, Qt::AlignHCenter);

    auto* note = new QLabel(QStringLiteral("「０：なし」は賃金表とリンクしない評価用です"), this);
    note->setObjectName(QStringLiteral("lbl_kaisetu"));
    note->setWordWrap(true);
    root->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* btnAdd = new QPushButton(QStringLiteral("登　録"), this);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    auto* btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* b : {btnAdd, btnClose}) {
        b->setAutoDefault(false);
        b->setFixedSize(90, 30);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    connect(btnAdd, &QPushButton::clicked, this, &TPX3020::btnAddClick);
    connect(btnClose, &QPushButton::clicked, this, &TPX3020::btnCloseClick);
    connect(cmbChingin_, &QComboBox::activated, this, &TPX3020::cmbChinginChange);

    InstallEnterMovesFocus(*this);
    // The grid keeps Enter for its own rules (installed last, so it runs first).
    Grid_->installEventFilter(this);
}

bool TPX3020::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GridKeyEnter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPX3020::Prepare()
{
    const TMKIGYOU2& c = Project().CurrentCompany;
    FillListFromQuery(*cmbChingin_,
                      QStringLiteral("SELECT CGCO || ' : ' || TITLE AS COMBNAME FROM MCHINGIN WHERE KCO = ? AND NENDO = ? "
                                     "ORDER BY CGCO"),
                      true, {c.KCO.toLongLong(), c.NENDO.toLongLong()});
    cmbChingin_->setCurrentIndex(0);
    loadGrid();
    // The user types the first symbol first: the grid has the focus, on that cell.
    Grid_->setFocus(Qt::OtherFocusReason);
}

int TPX3020::wageTableId() const
{
    return SelectedItemCode(*cmbChingin_);
}

void TPX3020::cmbChinginChange()
{
    loadGrid();
}

void TPX3020::loadGrid()
{
    QList<EvaluationRow> stored;
    ReadEvaluations(CurrentSession(), wageTableId(), stored);   // a failure has shown its message
    if (stored.isEmpty())
        stored << EvaluationRow{QStringLiteral("1"), QString(), QStringLiteral("0")};
    Grid_->setRowCountKeeping(1 + stored.size());
    Grid_->clearData();
    for (int i = 0; i < stored.size(); ++i) {
        Grid_->setCell(0, i + 1, QString::number(i + 1));
        Grid_->setCell(codeColumn, i + 1, stored[i].code);
        Grid_->setCell(symbolColumn, i + 1, stored[i].symbol);
        Grid_->setCell(stepsColumn, i + 1, stored[i].steps);
    }
    Grid_->refresh();
    Grid_->setCursor(symbolColumn, 1);
}

QList<EvaluationRow> TPX3020::rows() const
{
    QList<EvaluationRow> out;
    for (int r = 1; r < Grid_->rowCount(); ++r)
        out << EvaluationRow{Grid_->cell(codeColumn, r), Grid_->cell(symbolColumn, r), Grid_->cell(stepsColumn, r)};
    return out;
}

void TPX3020::GridKeyEnter()
{
    const int row = Grid_->row(), col = Grid_->col();
    if (row < 1)
        return;
    const int last = Grid_->rowCount() - 1;
    if (col == codeColumn || col == symbolColumn) {
        Grid_->setCursor(col + 1, row);
    } else if (col == stepsColumn && row == last) {
        const QString code = NextEvaluationCode(rows(), row - 1);
        const int added = last + 1;
        Grid_->setRowCountKeeping(added + 1);
        Grid_->setCell(0, added, QString::number(added));
        Grid_->setCell(codeColumn, added, code);
        Grid_->setCell(symbolColumn, added, QString());
        Grid_->setCell(stepsColumn, added, QStringLiteral("1"));
        Grid_->refresh();
        Grid_->setCursor(symbolColumn, added);
    } else if (col == stepsColumn) {
        Grid_->setCursor(symbolColumn, row + 1);
    }
}

void TPX3020::btnAddClick()
{
    const QList<EvaluationRow> current = rows();
    const EvaluationCheck check = CheckEvaluationRows(current);
    if (!check.ok) {
        Dialogs().warning(QString(), check.message);
        Grid_->setFocus();
        Grid_->setCursor(check.column, check.row + 1);
        return;
    }
    if (!SaveEvaluations(CurrentSession(), wageTableId(), current))
        return;
    loadGrid();
}

void TPX3020::btnCloseClick()
{
    reject();
}
