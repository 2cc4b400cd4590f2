// TStringGrid: a grid of text cells addressed (column, row) with fixed headings.
#include "shell/screens/StringGrid.h"

#include <QHeaderView>
#include <QStyle>

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent)
{
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
    refresh();
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

void TStringGrid::setColCount(int n)
{
    setColumnCount(n);
    refresh();
}

void TStringGrid::setRowCountKeeping(int n)
{
    setRowCount(n);
    refresh();
}

QTableWidgetItem* TStringGrid::itemAt(int col, int row)
{
    if (row < 0 || col < 0)
        return nullptr;
    if (row >= rowCount())
        setRowCount(row + 1);
    if (col >= columnCount())
        setColumnCount(col + 1);
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
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
    if (QTableWidgetItem* it = itemAt(col, row))
        it->setText(text);
}

void TStringGrid::clearData()
{
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
    refresh();
}

void TStringGrid::refresh()
{
    const QColor face = palette().color(QPalette::Button);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* it = itemAt(c, r);
            const bool fixed = r < fixedRows_ || c < fixedCols_;
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (!fixed) {
                flags |= Qt::ItemIsSelectable;
                if (editable_)
                    flags |= Qt::ItemIsEditable;
            }
            it->setFlags(flags);
            if (fixed) {
                it->setBackground(face);
                it->setForeground(Qt::black);
                it->setTextAlignment(Qt::AlignCenter);
            } else {
                const bool hi = r == highlighted_;
                it->setBackground(hi ? QColor(Qt::blue) : QColor(Qt::white));
                it->setForeground(hi ? QColor(Qt::white) : QColor(Qt::black));
                it->setTextAlignment(alignment_.value(c, Qt::AlignLeft | Qt::AlignVCenter));
            }
        }
    }
}
