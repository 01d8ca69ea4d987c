// The hierarchical grid over QTableWidget: the header from a format string, rows counted with the
// header, cells, current and top row, removal, clearing and cell colours.
#include <gtest/gtest.h>

#include <QHeaderView>

#include "platform/ui/flexgrid.h"

TEST(FlexGrid, FormatStringGivesHeaderTextsAlignmentsAndWidths) {
    FlexGrid grid;
    grid.setFormatString(QStringLiteral("|^[ 时间 ]|<描述|>[ 大小(K) ]|网址"));
    EXPECT_EQ(grid.cols(), 5);
    EXPECT_EQ(grid.rows(), 1);
    const QStringList headers{QString(), QStringLiteral("[ 时间 ]"), QStringLiteral("描述"), QStringLiteral("[ 大小(K) ]"),
                              QStringLiteral("网址")};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(grid.textMatrix(0, c), headers[c]) << c;
    // The longer header text makes the wider column.
    EXPECT_GT(grid.colWidth(3), grid.colWidth(2));
    EXPECT_GE(grid.colWidth(3), grid.horizontalHeader()->fontMetrics().horizontalAdvance(headers[3]));

    grid.setCols(7);
    EXPECT_EQ(grid.model()->headerData(6, Qt::Horizontal).toString(), QString());
    grid.setRows(3);
    grid.setTextMatrix(1, 1, QStringLiteral("a"));
    grid.setTextMatrix(1, 2, QStringLiteral("b"));
    grid.setTextMatrix(1, 3, QStringLiteral("c"));
    grid.setTextMatrix(1, 4, QStringLiteral("d"));
    const Qt::Alignment horizontal[] = {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight, Qt::AlignLeft};
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(Qt::Alignment(grid.item(0, c)->textAlignment()) & Qt::AlignHorizontal_Mask, horizontal[c - 1]) << c;
}

TEST(FlexGrid, RowsCellsCurrentRowRemovalClearingAndColours) {
    FlexGrid grid;
    grid.setCols(3);
    grid.setRows(41);
    EXPECT_EQ(grid.rows(), 41);
    for (int r = 1; r < 41; ++r) grid.setTextMatrix(r, 1, QString::number(r));
    EXPECT_EQ(grid.textMatrix(40, 1), QStringLiteral("40"));
    // Outside the grid: empty text, nothing written.
    grid.setTextMatrix(41, 1, QStringLiteral("x"));
    EXPECT_EQ(grid.textMatrix(41, 1), QString());
    EXPECT_EQ(grid.rows(), 41);

    // Rows scroll into view only in a shown grid.
    grid.resize(300, 200);
    grid.show();
    grid.setTopRow(20);
    EXPECT_EQ(grid.topRow(), 20);
    grid.setTopRow(1);
    EXPECT_EQ(grid.topRow(), 1);
    grid.setRow(5);
    grid.setCol(2);
    EXPECT_EQ(grid.row(), 5);
    EXPECT_EQ(grid.col(), 2);

    grid.removeItem(2);
    EXPECT_EQ(grid.rows(), 40);
    EXPECT_EQ(grid.textMatrix(2, 1), QStringLiteral("3"));

    grid.setCellForeColor(1, 1, Qt::red);
    grid.setCellBackColor(1, 2, Qt::yellow);
    EXPECT_EQ(grid.item(0, 1)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(grid.item(0, 2)->background().color(), QColor(Qt::yellow));

    grid.setTextMatrix(0, 1, QStringLiteral("头"));
    grid.clearGrid();
    EXPECT_EQ(grid.rows(), 40);
    EXPECT_EQ(grid.textMatrix(0, 1), QString());
    EXPECT_EQ(grid.textMatrix(1, 1), QString());
}
