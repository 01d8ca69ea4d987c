#pragma once
// Table text: a table is its rows, then its name and "<///T>"; a row is its fields, each followed
// by "</F>", then "<//R>". The readers and writers of table text and of table files.
#include "foundation/table.h"
#include "platform/vberror.h"

#include <QList>
#include <QString>
#include <QStringList>

inline constexpr char kFieldSep[] = "</F>";
inline constexpr char kRowSep[] = "<//R>";
inline constexpr char kTableSep[] = "<///T>";

// The named table of the text, or the "null" table. Rows shorter than row 0 read padded with
// empty fields; a row longer than row 0 keeps row 0's count. More than 32768 rows or fields raise
// an overflow error (VbError).
Table ParseTableText(const QString& tableName, const QString& text);
Table ExtractTable(const QString& text, const QString& tableName);
// The named table of an enciphered table file; the "null" table for a missing or empty file.
Table ReadTableFile(const QString& path, const QString& tableName);
// Reads with the given key (an empty key after trimming: the bytes are plain UTF-16LE text).
// The file must exist and not be empty: otherwise a VbError is raised. A non-empty row filter
// keeps only the rows of which some field equals it.
Table ReadTableFileWithKey(const QString& path, const QString& tableName, const QString& key,
                           const QString& rowFilter = QString());
// The rows whose field equals the value, plus one empty row; each row's last position empty.
// No match: two rows by two fields with "null" at (0, 0).
Table SelectTableRows(const QString& path, const QString& tableName, int fieldIndex, const QString& value);
// The table as table text under the name.
QString TableToText(const Table& table, const QString& tableName);
// Writes the table enciphered with DataFileKey; raises VbError on failure (the old file is kept).
bool WriteTableFile(const Table& table, const QString& path, const QString& tableName);
// Writes a whole text enciphered; on failure shows the local-file message naming the file (the
// technical detail goes to the log) and returns false.
bool WriteEncryptedText(const QString& text, const QString& path);
// The message a member sees when a local data file cannot be written: the fixed text, then the
// file's name (never its full path or the system's wording).
QString LocalFileWriteMessage(const QString& path);
// Shows that message ("提示", information icon) and writes the error with the full path to the
// program's log (stderr).
void ReportLocalFileWriteFailure(const QString& path, const VbError& error);
// The pieces of the text that end with the delimiter, without it; text after the last one is
// dropped. No delimiter in the text: no pieces.
QStringList SplitByDelimiter(const QString& text, const QString& delimiter);
// 1-based positions of the delimiter's occurrences; the single position 0 when there is none.
QList<int> FindAllPositions(const QString& text, const QString& delimiter);
// Replaces the escaped separators "{/F}", "{//R}", "{///T}" of service replies by the real ones.
QString UnescapeTableSeparators(QString text);
