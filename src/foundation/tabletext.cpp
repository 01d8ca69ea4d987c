#include "foundation/tabletext.h"

#include "foundation/cipher.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>

namespace {

constexpr int kMaxDim = 32768;
constexpr qint64 kMaxPaddedCells = 1 << 20;

QList<QStringView> splitView(QStringView text, QStringView delim) {
    QList<QStringView> out;
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = text.indexOf(delim, from);
        if (p < 0) break;
        out.append(text.mid(from, p - from));
        from = p + delim.size();
    }
    return out;
}

Table parseBody(QStringView body) {
    const QString fieldSep = QLatin1String(kFieldSep);
    const QString rowSep = QLatin1String(kRowSep);
    const QList<QStringView> rows = splitView(body, rowSep);
    if (rows.isEmpty()) return Table::null();  // a table with no row
    if (rows.size() > kMaxDim) throw VbError(VbError::Overflow, QStringLiteral("Overflow"));
    const QList<QStringView> first = splitView(rows[0], fieldSep);
    if (first.isEmpty()) return Table::null();  // a row with no field
    if (first.size() > kMaxDim) throw VbError(VbError::Overflow, QStringLiteral("Overflow"));
    const int F = static_cast<int>(first.size());
    // Short rows read padded to row 0's count. Every written cell takes at least its "</F>", so no
    // writer's table has more cells than its text has characters; a text of short rows that would
    // pad out beyond that (and beyond a million cells) reads as no table rather than exhausting
    // memory (row 0 of 32768 fields over 32767 empty rows asks for 2^30 cells).
    if (static_cast<qint64>(rows.size()) * F > qMax<qint64>(body.size(), kMaxPaddedCells)) return Table::null();
    Table t(static_cast<int>(rows.size()), F);
    for (int r = 0; r < rows.size(); ++r) {
        const QList<QStringView> fields = r == 0 ? first : splitView(rows[r], fieldSep);
        const int n = qMin(F, static_cast<int>(fields.size()));
        for (int c = 0; c < n; ++c) t(r, c) = fields[c].toString();
    }
    return t;
}

Table filterRows(const Table& t, const QString& filter) {
    if (filter.isEmpty() || t.isNull()) return t;
    QList<int> keep;
    for (int r = 0; r < t.rows(); ++r)
        for (int c = 0; c < t.cols(); ++c)
            if (t(r, c) == filter) { keep.append(r); break; }
    if (keep.isEmpty()) return Table::null();
    Table out(static_cast<int>(keep.size()), t.cols());
    for (int i = 0; i < keep.size(); ++i)
        for (int c = 0; c < t.cols(); ++c) out(i, c) = t(keep[i], c);
    return out;
}

}  // namespace

Table ParseTableText(const QString& tableName, const QString& text) {
    if (text.isEmpty()) return Table::null();
    const QString tableSep = QLatin1String(kTableSep);
    const qsizetype p = text.indexOf(tableName + tableSep);
    if (p < 0) return Table::null();
    qsizetype start = 0;
    if (p >= tableSep.size()) {
        const qsizetype prev = text.lastIndexOf(tableSep, p - tableSep.size());
        if (prev >= 0) start = prev + tableSep.size();
    }
    return parseBody(QStringView(text).mid(start, p - start));
}

Table ExtractTable(const QString& text, const QString& tableName) { return ParseTableText(tableName, text); }

Table ReadTableFile(const QString& path, const QString& tableName) {
    QFile f(path);
    if (!f.exists() || f.size() == 0) return Table::null();
    if (!f.open(QIODevice::ReadOnly)) return Table::null();
    return ParseTableText(tableName, DecryptBytes(f.readAll(), DataFileKey));
}

Table ReadTableFileWithKey(const QString& path, const QString& tableName, const QString& key,
                           const QString& rowFilter) {
    QFile f(path);
    if (!f.exists()) throw VbError(VbError::FileNotFound, QStringLiteral("File not found: ") + path);
    if (!f.open(QIODevice::ReadOnly)) throw VbError(VbError::PermissionDenied, QStringLiteral("Permission denied: ") + path);
    const QByteArray bytes = f.readAll();
    if (bytes.isEmpty()) throw VbError(VbError::FileNotFound, QStringLiteral("Input past end of file: ") + path);
    QString text;
    if (key.trimmed().isEmpty())
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    else
        text = DecryptBytes(bytes, key);
    return filterRows(ParseTableText(tableName, text), rowFilter);
}

Table SelectTableRows(const QString& path, const QString& tableName, int fieldIndex, const QString& value) {
    Table none(2, 2);
    none(0, 0) = QStringLiteral("null");
    const Table t = ReadTableFile(path, tableName);
    if (t.isNull()) return none;
    QList<int> matches;
    for (int r = 0; r < t.rows(); ++r)
        if (fieldIndex >= 0 && fieldIndex < t.cols() && t(r, fieldIndex) == value) matches.append(r);
    if (matches.isEmpty()) return none;
    Table out(static_cast<int>(matches.size()) + 1, t.cols());
    for (int i = 0; i < matches.size(); ++i)
        for (int c = 0; c + 1 < t.cols(); ++c) out(i, c) = t(matches[i], c);
    return out;
}

QString TableToText(const Table& table, const QString& tableName) {
    QString out;
    const QString fieldSep = QLatin1String(kFieldSep);
    const QString rowSep = QLatin1String(kRowSep);
    for (int r = 0; r < table.rows(); ++r) {
        for (int c = 0; c < table.cols(); ++c) {
            out += table(r, c);
            out += fieldSep;
        }
        out += rowSep;
    }
    out += tableName;
    out += QLatin1String(kTableSep);
    return out;
}

bool WriteTableFile(const Table& table, const QString& path, const QString& tableName) {
    paths::WriteFileSafely(path, EncryptText(TableToText(table, tableName), DataFileKey));
    return true;
}

bool WriteEncryptedText(const QString& text, const QString& path) {
    try {
        paths::WriteFileSafely(path, EncryptText(text, DataFileKey));
        return true;
    } catch (const VbError& e) {
        ReportLocalFileWriteFailure(path, e);
        return false;
    }
}

QString LocalFileWriteMessage(const QString& path) {
    return QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 ") + QFileInfo(path).fileName() +
           QStringLiteral("。");
}

void ReportLocalFileWriteFailure(const QString& path, const VbError& error) {
    qWarning("tavolin: cannot write %s: error %d: %s", qUtf8Printable(QDir::toNativeSeparators(path)), error.number(),
             qUtf8Printable(error.description()));
    MsgBox(LocalFileWriteMessage(path), vbInformation, QStringLiteral("提示"));
}

QStringList SplitByDelimiter(const QString& text, const QString& delimiter) {
    QStringList out;
    if (delimiter.isEmpty()) return out;
    for (QStringView v : splitView(text, delimiter)) out.append(v.toString());
    return out;
}

QList<int> FindAllPositions(const QString& text, const QString& delimiter) {
    QList<int> out;
    if (!delimiter.isEmpty()) {
        qsizetype from = 0;
        while (from < text.size() - 1 || (from == 0 && !text.isEmpty())) {
            const qsizetype p = text.indexOf(delimiter, from);
            if (p < 0) break;
            out.append(static_cast<int>(p) + 1);
            from = p + delimiter.size();
        }
    }
    if (out.isEmpty()) out.append(0);
    return out;
}

QString UnescapeTableSeparators(QString text) {
    text.replace(QLatin1String("{/F}"), QLatin1String(kFieldSep));
    text.replace(QLatin1String("{//R}"), QLatin1String(kRowSep));
    text.replace(QLatin1String("{///T}"), QLatin1String(kTableSep));
    return text;
}
