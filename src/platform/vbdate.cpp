#include "platform/vbdate.h"

#include <QRegularExpression>
#include <QTime>

namespace vb {

std::optional<QDate> DateFromText(const QString& text) {
    const std::optional<QDateTime> dt = DateTimeFromText(text);
    if (!dt) return std::nullopt;
    return dt->date();
}

std::optional<QDateTime> DateTimeFromText(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})([-/])(\d{1,2})\2(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!d.isValid()) return std::nullopt;
    QTime t(0, 0);
    if (m.hasCaptured(5)) {
        t = QTime(m.captured(5).toInt(), m.captured(6).toInt(), m.hasCaptured(7) ? m.captured(7).toInt() : 0);
        if (!t.isValid()) return std::nullopt;
    }
    return QDateTime(d, t);
}

}  // namespace vb
