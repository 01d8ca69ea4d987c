#include "platform/ui/flexgrid.h"

#include <QFontMetrics>
#include <QHeaderView>

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setStretchLastSection(false);
    setWordWrap(false);
}

void FlexGrid::setFormatString(const QString& format) {
    const QStringList parts = format.split(QLatin1Char('|'));
    if (columnCount() < parts.size()) setColumnCount(int(parts.size()));
    m_alignment.clear();
    const QFontMetrics metrics(font());
    for (int c = 0; c < parts.size(); ++c) {
        QString text = parts[c];
        Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter;
        if (text.startsWith(QLatin1Char('^'))) a = Qt::AlignHCenter | Qt::AlignVCenter;
        else if (text.startsWith(QLatin1Char('>'))) a = Qt::AlignRight | Qt::AlignVCenter;
        if (!text.isEmpty() && QStringLiteral("^<>").contains(text[0])) text.remove(0, 1);
        m_alignment << a;
        auto* header = new QTableWidgetItem(text);
        header->setTextAlignment(Qt::AlignCenter);
        setHorizontalHeaderItem(c, header);
        setColumnWidth(c, metrics.horizontalAdvance(text) + 8);
    }
}

void FlexGrid::setRows(int rows) { setRowCount(qMax(0, rows - 1)); }

void FlexGrid::setCols(int cols) {
    setColumnCount(qMax(0, cols));
    // A column without header text shows none, not the table's column number.
    for (int c = 0; c < columnCount(); ++c)
        if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem);
}

QTableWidgetItem* FlexGrid::itemAt(int row, int col) {
    if (col < 0 || col >= columnCount()) return nullptr;
    if (row == 0) {
        if (!horizontalHeaderItem(col)) setHorizontalHeaderItem(col, new QTableWidgetItem);
        return horizontalHeaderItem(col);
    }
    if (row < 1 || row > rowCount()) return nullptr;
    QTableWidgetItem* it = item(row - 1, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(col < m_alignment.size() ? m_alignment[col] : (Qt::AlignLeft | Qt::AlignVCenter));
        setItem(row - 1, col, it);
    }
    return it;
}

QString FlexGrid::textMatrix(int row, int col) const {
    const QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = itemAt(row, col)) it->setText(text);
}

void FlexGrid::setRow(int row) { setCurrentCell(row - 1, qMax(0, currentColumn())); }

void FlexGrid::setCol(int col) { setCurrentCell(qMax(0, currentRow()), col); }

int FlexGrid::topRow() const { return qMax(0, rowAt(0)) + 1; }

void FlexGrid::setTopRow(int row) {
    if (row < 1 || row > rowCount()) return;
    scrollTo(model()->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

void FlexGrid::removeItem(int row) {
    if (row >= 1 && row <= rowCount()) removeRow(row - 1);
}

void FlexGrid::clearGrid() {
    clearContents();
    for (int c = 0; c < columnCount(); ++c)
        if (QTableWidgetItem* h = horizontalHeaderItem(c)) h->setText(QString());
}

void FlexGrid::setCellForeColor(int row, int col, const QColor& c) {
    if (QTableWidgetItem* it = itemAt(row, col)) it->setForeground(c);
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& c) {
    if (QTableWidgetItem* it = itemAt(row, col)) it->setBackground(c);
}
