// TStringGrid: a grid of text cells addressed (column, row) with fixed headings.
#include "shell/screens/StringGrid.h"

#include <QHeaderView>
#include <QStyle>

namespace {

// A cell that takes its colours and alignment from its grid when asked, so that a change
// of the highlighted row or of the fixed rows touches no cell.
class GridItem final : public QTableWidgetItem {
public:
    GridItem() : QTableWidgetItem(UserType) {}
    QTableWidgetItem* clone() const override { return new GridItem(*this); }
    QVariant data(int role) const override
    {
        if (role == Qt::BackgroundRole || role == Qt::ForegroundRole || role == Qt::TextAlignmentRole) {
            if (const auto* grid = qobject_cast<const TStringGrid*>(tableWidget())) {
                const TStringGrid::CellStyle style = grid->cellStyle(column(), row());
                if (role == Qt::BackgroundRole)
                    return QBrush(style.background);
                if (role == Qt::ForegroundRole)
                    return QBrush(style.foreground);
                return QVariant::fromValue(style.alignment);
            }
        }
        return QTableWidgetItem::data(role);
    }
};

} // namespace

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent)
{
    setItemPrototype(new GridItem);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    // The headings row is drawn by the column header, which never scrolls vertically;
    // it has the height of a row, as the fixed row it stands for.
    QHeaderView* header = horizontalHeader();
    header->setFixedHeight(20);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignCenter);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) { emit gridClicked(c, r); });
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* it) {
        if (it->row() == 0)
            showHeading(it->column());
    });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first) {
        if (first == 0)
            syncHeadingRow();
    });
    connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { syncHeadingRow(); });
    syncHeadingRow();
}

void TStringGrid::setFixedRows(int n)
{
    fixedRows_ = n;
    syncHeadingRow();
    applyFlags();
    refresh();
}

void TStringGrid::setFixedCols(int n)
{
    fixedCols_ = n;
    applyFlags();
    refresh();
}

TStringGrid::Filling::Filling(TStringGrid& grid) : grid_(grid), wasBlocked_(grid.model()->blockSignals(true)) {}

TStringGrid::Filling::~Filling()
{
    grid_.model()->blockSignals(wasBlocked_);
    if (wasBlocked_)
        return;
    grid_.syncHeadingRow();
    if (grid_.rowCount() > 0 && grid_.columnCount() > 0)
        emit grid_.model()->dataChanged(grid_.model()->index(0, 0),
                                        grid_.model()->index(grid_.rowCount() - 1, grid_.columnCount() - 1));
    grid_.refresh();
}

TStringGrid::CellStyle TStringGrid::cellStyle(int col, int row) const
{
    if (row < fixedRows_ || col < fixedCols_)
        return {palette().color(QPalette::Button), Qt::black, Qt::AlignCenter};
    if (row == highlighted_)
        return {Qt::blue, Qt::white, alignment_.value(col, Qt::AlignLeft | Qt::AlignVCenter)};
    return {Qt::white, Qt::black, alignment_.value(col, Qt::AlignLeft | Qt::AlignVCenter)};
}

Qt::ItemFlags TStringGrid::flagsFor(int col, int row) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (row >= fixedRows_ && col >= fixedCols_) {
        flags |= Qt::ItemIsSelectable;
        if (editable_)
            flags |= Qt::ItemIsEditable;
    }
    return flags;
}

void TStringGrid::applyFlags()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* it = item(r, c); it && it->flags() != flagsFor(c, r))
                it->setFlags(flagsFor(c, r));
}

void TStringGrid::showHeading(int col)
{
    if (fixedRows_ < 1 || col < 0 || col >= columnCount())
        return;
    QTableWidgetItem* h = horizontalHeaderItem(col);
    if (!h) {
        h = new QTableWidgetItem;
        setHorizontalHeaderItem(col, h);
    }
    h->setText(cell(col, 0));
}

void TStringGrid::syncHeadingRow()
{
    const bool header = fixedRows_ >= 1;
    horizontalHeader()->setVisible(header);
    if (rowCount() > 0)
        setRowHidden(0, header);
    for (int c = 0; c < columnCount(); ++c)
        showHeading(c);
}

void TStringGrid::scrollToRow(int row)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return;
    // The leftmost column in view: scrolling to it leaves the columns where they are.
    const int col = std::max(0, columnAt(0));
    scrollTo(model()->index(row, col), QAbstractItemView::EnsureVisible);
}

int TStringGrid::widthShowingAllColumns() const
{
    int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    for (int c = 0; c < columnCount(); ++c)
        if (!isColumnHidden(c))
            width += columnWidth(c);
    return width + 2;
}

void TStringGrid::setRowToolTip(int row, const QString& tip)
{
    for (int c = 0; c < columnCount(); ++c)
        if (QTableWidgetItem* it = itemAt(c, row))
            it->setToolTip(tip);
}

void TStringGrid::resizeCells(int rows, int cols)
{
    // The view must hear of new rows and columns even while cells are being filled.
    const bool blocked = model()->blockSignals(false);
    if (rows != rowCount())
        setRowCount(rows);
    if (cols != columnCount())
        setColumnCount(cols);
    model()->blockSignals(blocked);
}

void TStringGrid::setColCount(int n)
{
    resizeCells(rowCount(), n);
    refresh();
}

void TStringGrid::setRowCountKeeping(int n)
{
    resizeCells(n, columnCount());
    refresh();
}

QTableWidgetItem* TStringGrid::itemAt(int col, int row)
{
    if (row < 0 || col < 0)
        return nullptr;
    if (row >= rowCount() || col >= columnCount())
        resizeCells(std::max(row + 1, rowCount()), std::max(col + 1, columnCount()));
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new GridItem;
        it->setFlags(flagsFor(col, row));
        setItem(row, col, it);
    }
    return it;
}

QString TStringGrid::cell(int col, int row) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void TStringGrid::setCell(int col, int row, const QString& text)
{
    if (row < 0 || col < 0)
        return;
    if (row < rowCount() && col < columnCount() && !item(row, col)) {
        // A new cell gets its text before it joins the grid: one change, not two; an
        // empty text needs no cell at all.
        if (text.isEmpty())
            return;
        auto* it = new GridItem;
        it->setText(text);
        it->setFlags(flagsFor(col, row));
        setItem(row, col, it);
        return;
    }
    if (QTableWidgetItem* it = itemAt(col, row))
        it->setText(text);
}

void TStringGrid::clearData()
{
    Filling filling(*this);
    for (int r = fixedRows_; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* it = item(r, c))
                it->setText(QString());
}

void TStringGrid::setColumnAlignment(int col, Qt::Alignment alignment)
{
    alignment_[col] = alignment;
    refresh();
}

void TStringGrid::setCursor(int col, int row)
{
    if (row >= 0 && row < rowCount() && col >= 0 && col < columnCount()) {
        setCurrentCell(row, col);
        scrollToRow(row);
    }
}

void TStringGrid::setHighlightedRow(int row)
{
    highlighted_ = row;
    refresh();
    if (row >= fixedRows_)
        scrollToRow(row);
}

void TStringGrid::setEditable(bool editable)
{
    editable_ = editable;
    setEditTriggers(editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    applyFlags();
    refresh();
}

void TStringGrid::refresh()
{
    // The fixed column's cells and the highlighted row exist, so that they show their
    // colours even where no text was ever written; other cells are white when empty.
    // Cells made here are announced once, not one by one.
    int created = 0;
    {
        const bool blocked = model()->blockSignals(true);
        auto ensure = [&](int c, int r) {
            if (!item(r, c)) {
                itemAt(c, r);
                ++created;
            }
        };
        for (int r = 0; r < rowCount(); ++r)
            for (int c = 0; c < std::min(fixedCols_, columnCount()); ++c)
                ensure(c, r);
        if (highlighted_ >= fixedRows_ && highlighted_ < rowCount())
            for (int c = 0; c < columnCount(); ++c)
                ensure(c, highlighted_);
        model()->blockSignals(blocked);
    }
    if (created > 0 && !model()->signalsBlocked())
        emit model()->dataChanged(model()->index(0, 0), model()->index(rowCount() - 1, columnCount() - 1));
    viewport()->update();
}
