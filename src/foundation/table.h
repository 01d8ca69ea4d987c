#pragma once
// The in-memory table of the table-text readers: strings indexed (row, field) from 0; every row
// has as many fields as the table.
#include <QList>
#include <QString>
#include <QStringList>

class Table {
public:
    Table() = default;
    Table(int rows, int cols);
    // The one-cell table holding "null": what the readers return when there is nothing to read.
    static Table null();

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    bool isEmpty() const { return m_rows == 0 || m_cols == 0; }
    // Entry (0, 0) is "null": the readers had nothing to return.
    bool isNull() const;

    // The entry, or the empty text outside the table (short rows read as empty fields).
    QString value(int row, int col) const;
    // Checked access; throws VbError (subscript out of range) outside the table.
    QString& operator()(int row, int col);
    const QString& operator()(int row, int col) const;
    // Sets the entry, growing the table when needed.
    void set(int row, int col, const QString& v);
    // Keeps the entries that stay inside (ReDim Preserve on both dimensions).
    void resize(int rows, int cols);
    QStringList row(int r) const;

    bool operator==(const Table& o) const = default;

private:
    int m_rows = 0;
    int m_cols = 0;
    QList<QString> m_cells;
};
