#pragma once
// A small grid in the manner of the old flex grid: columns from a format string ("|" between
// columns, "<", "^" or ">" aligning, the rest the header text whose width sets the column's),
// fixed row heights, and a hand pointer over the cells the owner says take clicks.
#include <QTableWidget>

#include <functional>

class FlexGrid : public QTableWidget {
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    void setFormatString(const QString& format);
    // The data rows under the header, each cell's text; cells of `blueColumns` in blue.
    void setRows(const QList<QStringList>& rows, const QList<int>& blueColumns);
    void setRowHeightPixels(int pixels) { m_rowHeight = pixels; }
    // Grid rows count the header as row 0, as the owner's logic does.
    std::function<bool(int row, int column)> isHotCell;
    std::function<void(int row, int column)> onCellClick;

protected:
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QList<Qt::Alignment> m_alignments;
    int m_rowHeight = 25;
};
