// TStringGrid: a grid of text cells addressed (column, row) with fixed header rows and
// columns, the way the list screens use it: row 0 holds the headings, column 0 the row
// numbers, and the current row can be painted blue with white text. Row 0 is shown as the
// grid's column header, so the headings stay in view however far the rows scroll.
#pragma once

#include <QTableWidget>

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);

    int colCount() const { return columnCount(); }
    void setColCount(int n);
    void setRowCountKeeping(int n);   // like setRowCount, cells of kept rows stay

    void setFixedRows(int n);
    void setFixedCols(int n);
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Empties every cell of every data row, or the whole grid with the headings.
    void clearData();

    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    // The width at which every shown column fits beside the frame and a vertical scroll bar.
    int widthShowingAllColumns() const;
    // Alignment of the cells of a data column (fixed cells are centred).
    void setColumnAlignment(int col, Qt::Alignment alignment);

    // The grid's current row and column (the cursor).
    int row() const { return currentRow(); }
    int col() const { return currentColumn(); }
    void setCursor(int col, int row);

    // The row painted blue with white text, scrolled into view; -1 for none.
    void setHighlightedRow(int row);
    // Scrolls the rows (not the columns) so that row is in view.
    void scrollToRow(int row);
    // The tool tip of every cell of a row.
    void setRowToolTip(int row, const QString& tip);
    int highlightedRow() const { return highlighted_; }

    // Whether data cells may be edited in place.
    void setEditable(bool editable);

    // Re-applies colours and alignment after cells changed. Colours and alignment are not
    // stored in the cells: each cell reads them from the grid when it is drawn, so
    // highlighting a row or refreshing costs no more than a repaint.
    void refresh();

    // The colours and alignment of a cell as the grid draws it.
    struct CellStyle {
        QColor background;
        QColor foreground;
        Qt::Alignment alignment;
    };
    CellStyle cellStyle(int col, int row) const;

    // While a Filling lives, cells are written without a change signal each; the view
    // is told once when it ends. For filling thousands of cells (lists of employees).
    class Filling {
    public:
        explicit Filling(TStringGrid& grid);
        ~Filling();
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;

    private:
        TStringGrid& grid_;
        bool wasBlocked_;
    };

signals:
    // A click on a cell, with (column, row) as the screens address them.
    void gridClicked(int col, int row);

private:
    QTableWidgetItem* itemAt(int col, int row);
    void resizeCells(int rows, int cols);
    Qt::ItemFlags flagsFor(int col, int row) const;
    void applyFlags();
    // Row 0 hidden and its texts in the column header while there are fixed rows.
    void syncHeadingRow();
    void showHeading(int col);
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int highlighted_ = -1;
    bool editable_ = false;
    QHash<int, Qt::Alignment> alignment_;
};
