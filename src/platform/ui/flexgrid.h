#pragma once
// The hierarchical flex grid over QTableWidget: row 0 is the fixed header (the table's header),
// data rows count from 1 as the old grid's do. A format string gives the header: columns parted by
// "|", each text led by an optional alignment "^" centre, "<" left, ">" right; each column of the
// format string is as wide as its header text in the grid's font.
#include <QColor>
#include <QTableWidget>

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    void setFormatString(const QString& format);
    // Rows and columns, the header row included (Rows = 1 is the header alone).
    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    void setCols(int cols);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current cell; row 0 when no data row is current.
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

private:
    QTableWidgetItem* itemAt(int row, int col);
    QList<Qt::Alignment> m_alignment;
};
