#include "foundation/table.h"

#include "platform/vberror.h"

Table::Table(int rows, int cols)
    : m_rows(qMax(rows, 0)), m_cols(qMax(cols, 0)), m_cells(static_cast<qsizetype>(m_rows) * m_cols) {}

Table Table::null() {
    Table t(1, 1);
    t.m_cells[0] = QStringLiteral("null");
    return t;
}

bool Table::isNull() const { return m_rows > 0 && m_cols > 0 && m_cells[0] == QLatin1String("null"); }

QString Table::value(int row, int col) const {
    if (row < 0 || col < 0 || row >= m_rows || col >= m_cols) return QString();
    return m_cells[static_cast<qsizetype>(row) * m_cols + col];
}

QString& Table::operator()(int row, int col) {
    if (row < 0 || col < 0 || row >= m_rows || col >= m_cols)
        throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return m_cells[static_cast<qsizetype>(row) * m_cols + col];
}

const QString& Table::operator()(int row, int col) const {
    if (row < 0 || col < 0 || row >= m_rows || col >= m_cols)
        throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return m_cells[static_cast<qsizetype>(row) * m_cols + col];
}

void Table::set(int row, int col, const QString& v) {
    if (row < 0 || col < 0) throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (row >= m_rows || col >= m_cols) resize(qMax(m_rows, row + 1), qMax(m_cols, col + 1));
    m_cells[static_cast<qsizetype>(row) * m_cols + col] = v;
}

void Table::resize(int rows, int cols) {
    rows = qMax(rows, 0);
    cols = qMax(cols, 0);
    if (rows == m_rows && cols == m_cols) return;
    QList<QString> cells(static_cast<qsizetype>(rows) * cols);
    for (int r = 0; r < qMin(rows, m_rows); ++r)
        for (int c = 0; c < qMin(cols, m_cols); ++c)
            cells[static_cast<qsizetype>(r) * cols + c] = std::move(m_cells[static_cast<qsizetype>(r) * m_cols + c]);
    m_cells = std::move(cells);
    m_rows = rows;
    m_cols = cols;
}

QStringList Table::row(int r) const {
    QStringList out;
    if (r < 0 || r >= m_rows) return out;
    out.reserve(m_cols);
    for (int c = 0; c < m_cols; ++c) out.append(m_cells[static_cast<qsizetype>(r) * m_cols + c]);
    return out;
}
