#include "blogs/ui/flexgrid.h"

#include <QHeaderView>
#include <QMouseEvent>

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    verticalHeader()->hide();
    setMouseTracking(true);
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

void FlexGrid::mouseMoveEvent(QMouseEvent* e) {
    const QModelIndex index = indexAt(e->position().toPoint());
    const bool hot = index.isValid() && isHotCell && isHotCell(index.row() + 1, index.column());
    viewport()->setCursor(hot ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QTableWidget::mouseMoveEvent(e);
}
