#pragma once
// A small grid in the manner of the old flex grid: columns from a format string ("|" between
// columns, "<", "^" or ">" aligning, the rest the header text whose width sets the column's),
// fixed row heights, and a hand pointer over the cells the owner says take clicks. Rows count the
// header as row 0, as the old grid's do: Rows, Cols, TextMatrix, the current and top row, removal,
// clearing and cell colours for the grids that are filled cell by cell.
#include <QTableWidget>

#include <functional>

class FlexGrid : public QTableWidget {
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    void setFormatString(const QString& format);
    // The data rows under the header, each cell's text; cells of `blueColumns` in blue.
    void setRows(const QList<QStringList>& rows, const QList<int>& blueColumns);
    void setRowHeightPixels(int pixels) { m_rowHeight = pixels; }

    // Rows and columns, the header row included (Rows = 1 is the header alone).
    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    // New columns get an empty header, not the table's column number.
    void setCols(int cols);
    // A cell's text, row 0 the header; outside the grid the empty text, and nothing is written.
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // The current cell; row 0 while no data row is current.
    int row() const { return currentRow() + 1; }
    int col() const { return currentColumn(); }
    void setRow(int row);
    void setCol(int col);
    // The first data row in view.
    int topRow() const;
    void setTopRow(int row);
    void removeItem(int row);
    // Empties every cell and the header, keeping the row and column counts.
    void clearGrid();
    void setCellForeColor(int row, int col, const QColor& c);
    void setCellBackColor(int row, int col, const QColor& c);
    int colWidth(int col) const { return columnWidth(col); }
    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    // Widens a column to its header's and its cells' texts, taking the width from column giver
    // (when given) as far as the giver's own header still fits.
    void fitColumn(int col, int giver = -1);
    // Grid rows count the header as row 0, as the owner's logic does.
    std::function<bool(int row, int column)> isHotCell;
    // In place of isHotCell where the hand follows bands of the grid rather than cells: the
    // pointer's place in the grid, header included.
    std::function<bool(const QPoint& gridPos)> isHotPoint;
    std::function<void(int row, int column)> onCellClick;

protected:
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QTableWidgetItem* cellItem(int row, int col);
    QList<Qt::Alignment> m_alignments;
    int m_rowHeight = 25;
};
