#include "platform/vbtext.h"

#include "platform/vberror.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <locale.h>

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

qint64 RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    const double r = std::nearbyint(x);
    // 2^63 is the first double past the range; every double below it converts exactly.
    if (r >= 9223372036854775808.0) return std::numeric_limits<qint64>::max();
    if (r < -9223372036854775808.0) return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(r);
}

qint32 CLng(double x) {
    // -2147483648.5 rounds to the even -2147483648; 2147483647.5 to 2147483648, which overflows.
    if (!(x >= -2147483648.5 && x < 2147483647.5)) throw VbError(VbError::Overflow, QStringLiteral("溢出"));
    return static_cast<qint32>(RoundHalfEven(x));
}

qint64 RoundClamped(double x, qint64 lo, qint64 hi) {
    if (std::isnan(x)) return lo;
    return std::clamp(RoundHalfEven(x), lo, hi);
}

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
    if (p < s.size() && QStringLiteral("eEdD").contains(s[p])) {
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

namespace {
bool asciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

// The digits of an "&H" or "&O" number after its prefix, as the runtime's Val reads them.
double RadixVal(const QString& s, int p, int radix) {
    quint64 v = 0;
    bool any = false;
    for (; p < s.size(); ++p) {
        const int d = QStringLiteral("0123456789abcdef").indexOf(s[p].toLower());
        if (d < 0 || d >= radix) break;
        any = true;
        v = v * quint64(radix) + quint64(d);
        if (v > 0xFFFFFFFFull) return std::numeric_limits<double>::infinity();
    }
    if (!any) return 0.0;
    if (v <= 0xFFFF) return double(qint16(quint16(v)));
    return double(qint32(quint32(v)));
}
}  // namespace

double Val(const QString& text) {
    QString s;
    for (QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) continue;
        s.append(c);
    }
    if (s.size() >= 2 && s[0] == QLatin1Char('&')) {
        const QChar k = s[1].toUpper();
        if (k == QLatin1Char('H')) return RadixVal(s, 2, 16);
        if (k == QLatin1Char('O')) return RadixVal(s, 2, 8);
        return 0.0;
    }
    QByteArray number;
    int p = 0;
    if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-'))) number += char(s[p++].unicode());
    bool point = false;
    int digits = 0;
    while (p < s.size() && (asciiDigit(s[p]) || (s[p] == QLatin1Char('.') && !point))) {
        if (s[p] == QLatin1Char('.')) point = true;
        else ++digits;
        number += char(s[p++].unicode());
    }
    if (digits == 0) return 0.0;
    if (p < s.size() && QStringLiteral("eEdD").contains(s[p])) {
        // The exponent counts only with a digit; "1e" and "1e+" read as 1.
        int q = p + 1;
        QByteArray exponent("e");
        if (q < s.size() && (s[q] == QLatin1Char('+') || s[q] == QLatin1Char('-'))) exponent += char(s[q++].unicode());
        const int first = q;
        while (q < s.size() && asciiDigit(s[q])) exponent += char(s[q++].unicode());
        if (q > first) number += exponent;
    }
    // Read in the C locale whatever the program's; an overflow gives an infinity of its sign, an
    // underflow 0 or the nearest tiny number.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtod_l(number.constData(), nullptr, cLocale);
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
