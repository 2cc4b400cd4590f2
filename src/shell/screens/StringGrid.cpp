// TStringGrid: a grid of text cells addressed (column, row) with fixed headings.
#include "shell/screens/StringGrid.h"

#include <QHeaderView>

TStringGrid::TStringGrid(QWidget* parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) { emit gridClicked(c, r); });
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
    if (row >= 0 && row < rowCount() && col >= 0 && col < columnCount())
        setCurrentCell(row, col);
}

void TStringGrid::setHighlightedRow(int row)
{
    highlighted_ = row;
    refresh();
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
