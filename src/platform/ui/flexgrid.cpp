#include "platform/ui/flexgrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    setMouseTracking(true);
    setWordWrap(false);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (onCellClick) onCellClick(row + 1, column);
    });
}

void FlexGrid::setFormatString(const QString& format) {
    const QStringList parts = format.split(QLatin1Char('|'));
    m_alignments.clear();
    QStringList headers;
    for (const QString& part : parts) {
        Qt::Alignment align = Qt::AlignLeft;
        QString text = part;
        if (text.startsWith(QLatin1Char('^'))) align = Qt::AlignHCenter;
        if (text.startsWith(QLatin1Char('>'))) align = Qt::AlignRight;
        if (!text.isEmpty() && QStringLiteral("<^>").contains(text.front())) text.remove(0, 1);
        m_alignments.append(align | Qt::AlignVCenter);
        headers.append(text);
    }
    clear();
    setColumnCount(int(headers.size()));
    setHorizontalHeaderLabels(headers);
    const QFontMetrics fm = horizontalHeader()->fontMetrics();
    for (int c = 0; c < headers.size(); ++c)
        setColumnWidth(c, headers[c].isEmpty() ? 12 : fm.horizontalAdvance(headers[c]) + 12);
    setRowCount(0);
}

void FlexGrid::setRows(const QList<QStringList>& rows, const QList<int>& blueColumns) {
    setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        setRowHeight(r, m_rowHeight);
        for (int c = 0; c < columnCount(); ++c) {
            auto* item = new QTableWidgetItem(rows[r].value(c));
            item->setTextAlignment(m_alignments.value(c, Qt::AlignLeft | Qt::AlignVCenter));
            if (blueColumns.contains(c)) item->setForeground(QColor(0, 0, 255));
            setItem(r, c, item);
        }
    }
}

namespace {
int HeaderNeeds(const QTableWidget* grid, int col) {
    const QTableWidgetItem* h = grid->horizontalHeaderItem(col);
    if (!h || h->text().isEmpty()) return 0;
    const QHeaderView* header = grid->horizontalHeader();
    return header->fontMetrics().horizontalAdvance(h->text()) + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
}
}  // namespace

void FlexGrid::fitColumn(int col, int giver) {
    if (col < 0 || col >= columnCount()) return;
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    int needed = HeaderNeeds(this, col);
    for (int r = 0; r < rowCount(); ++r)
        if (const QTableWidgetItem* it = item(r, col))
            needed = std::max(needed, QFontMetrics(it->font()).horizontalAdvance(it->text().trimmed()) + margin);
    const int extra = needed - columnWidth(col);
    if (extra <= 0) return;
    setColumnWidth(col, needed);
    if (giver < 0 || giver >= columnCount() || giver == col) return;
    const int give = std::clamp(columnWidth(giver) - HeaderNeeds(this, giver), 0, extra);
    setColumnWidth(giver, columnWidth(giver) - give);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* e) {
    const QModelIndex index = indexAt(e->position().toPoint());
    const bool hot = isHotPoint ? isHotPoint(e->position().toPoint() + viewport()->pos())
                                : index.isValid() && isHotCell && isHotCell(index.row() + 1, index.column());
    viewport()->setCursor(hot ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QTableWidget::mouseMoveEvent(e);
}

void FlexGrid::setRows(int rows) { setRowCount(qMax(0, rows - 1)); }

void FlexGrid::setCols(int cols) {
    setColumnCount(qMax(0, cols));
    for (int c = 0; c < columnCount(); ++c)
        if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem);
}

QTableWidgetItem* FlexGrid::cellItem(int row, int col) {
    if (col < 0 || col >= columnCount()) return nullptr;
    if (row == 0) {
        if (!horizontalHeaderItem(col)) setHorizontalHeaderItem(col, new QTableWidgetItem);
        return horizontalHeaderItem(col);
    }
    if (row < 1 || row > rowCount()) return nullptr;
    QTableWidgetItem* it = item(row - 1, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(m_alignments.value(col, Qt::AlignLeft | Qt::AlignVCenter));
        setItem(row - 1, col, it);
    }
    return it;
}

QString FlexGrid::textMatrix(int row, int col) const {
    const QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = cellItem(row, col)) it->setText(text);
}

void FlexGrid::setRow(int row) { setCurrentCell(row - 1, qMax(0, currentColumn())); }

void FlexGrid::setCol(int col) { setCurrentCell(qMax(0, currentRow()), col); }

int FlexGrid::topRow() const { return qMax(0, rowAt(0)) + 1; }

void FlexGrid::setTopRow(int row) {
    if (row >= 1 && row <= rowCount()) scrollTo(model()->index(row - 1, 0), QAbstractItemView::PositionAtTop);
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
    if (QTableWidgetItem* it = cellItem(row, col)) it->setForeground(c);
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& c) {
    if (QTableWidgetItem* it = cellItem(row, col)) it->setBackground(c);
}
