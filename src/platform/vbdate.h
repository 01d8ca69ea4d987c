#pragma once
// Dates as the service writes them in its texts, read the way the old runtime's date conversion
// read them: "yyyy-M-d" or "yyyy/M/d", with or without leading zeros, optionally followed by a
// blank and a time.
#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace vb {
// The date of the text, or nothing when the text is no such date ("0", "", "2010-13-1").
std::optional<QDate> DateFromText(const QString& text);
// The same reading with the time of day kept (midnight when the text has none).
std::optional<QDateTime> DateTimeFromText(const QString& text);
}  // namespace vb
