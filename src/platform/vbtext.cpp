#include "platform/vbtext.h"

#include <cmath>

namespace vb {

QString LTrim(const QString& s) {
    int i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' ')) ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    int n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' ')) --n;
    return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

QString Mid(const QString& s, int start, int length) {
    if (start < 1) start = 1;
    if (start > s.size()) return QString();
    if (length < 0) return s.mid(start - 1);
    return s.mid(start - 1, length);
}

QString Left(const QString& s, int length) { return length <= 0 ? QString() : s.left(length); }

QString Right(const QString& s, int length) { return length <= 0 ? QString() : s.right(length); }

int InStr(int start, const QString& s, const QString& needle, Qt::CaseSensitivity cs) {
    if (start < 1) start = 1;
    if (start > s.size() + 1) return 0;
    if (needle.isEmpty()) return start;
    const qsizetype p = s.indexOf(needle, start - 1, cs);
    return p < 0 ? 0 : static_cast<int>(p) + 1;
}

int InStrRev(const QString& s, const QString& needle) {
    if (needle.isEmpty()) return s.size();
    const qsizetype p = s.lastIndexOf(needle);
    return p < 0 ? 0 : static_cast<int>(p) + 1;
}

qint64 RoundHalfEven(double x) { return static_cast<qint64>(std::nearbyint(x)); }

namespace {
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
}

bool IsNumeric(const QString& text) {
    int i = 0, n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    while (n > i && isBlank(text[n - 1])) --n;
    if (i >= n) return false;
    const QString s = text.mid(i, n - i);
    if (s.size() > 2 && s[0] == QLatin1Char('&')) {
        const QChar k = s[1].toUpper();
        const QString digits = s.mid(2);
        bool ok = false;
        if (k == QLatin1Char('H')) digits.toULongLong(&ok, 16);
        else if (k == QLatin1Char('O')) digits.toULongLong(&ok, 8);
        return ok;
    }
    int p = 0;
    if (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-')) ++p;
    int digits = 0;
    bool point = false;
    while (p < s.size()) {
        const QChar c = s[p];
        if (c.isDigit() && c.unicode() < 128) {
            ++digits;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        ++p;
    }
    if (digits == 0) return false;
    if (p < s.size() && (s[p] == QLatin1Char('e') || s[p] == QLatin1Char('E'))) {
        ++p;
        if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-'))) ++p;
        int exp = 0;
        while (p < s.size() && s[p].isDigit() && s[p].unicode() < 128) { ++p; ++exp; }
        if (exp == 0) return false;
    }
    return p == s.size();
}

std::optional<qint16> CInt(const QString& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const QString s = text.trimmed();
    if (s.startsWith(QLatin1Char('&'))) {
        // "&H" and "&O" numbers of up to 16 bits read as the 16-bit pattern (&HFFFF is -1).
        const bool hex = s[1].toUpper() == QLatin1Char('H');
        const qulonglong v = s.mid(2).toULongLong(nullptr, hex ? 16 : 8);
        if (v > 0xFFFF) return std::nullopt;
        return static_cast<qint16>(static_cast<quint16>(v));
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    // -32768.5 rounds to the even -32768; 32767.5 to 32768, which overflows.
    if (!(v >= -32768.5 && v < 32767.5)) return std::nullopt;
    return static_cast<qint16>(RoundHalfEven(v));
}

double Val(const QString& text) {
    QString s;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) continue;
        s.append(c);
    }
    int p = 0;
    if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-'))) ++p;
    bool point = false;
    while (p < s.size() && ((s[p].isDigit() && s[p].unicode() < 128) || (s[p] == QLatin1Char('.') && !point))) {
        if (s[p] == QLatin1Char('.')) point = true;
        ++p;
    }
    bool ok = false;
    const double v = s.left(p).toDouble(&ok);
    return ok ? v : 0.0;
}

QString FormatFixed(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double r = std::round(x * scale) / scale;  // std::round: halves away from zero
    return QString::number(r, 'f', decimals);
}

QString FormatYMD(const QDate& d) {
    return QStringLiteral("%1-%2-%3").arg(d.year()).arg(d.month()).arg(d.day());
}

}  // namespace vb
