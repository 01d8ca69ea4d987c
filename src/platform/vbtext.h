#pragma once
// Text rules of the old runtime, used everywhere a procedure depends on them.
#include <QDate>
#include <QString>

#include <optional>

namespace vb {
// Trim, LTrim and RTrim remove spaces (" ") only, never tabs or line breaks.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// 1-based helpers. Mid(s, start) is the rest of the text from start; a start past the
// end gives ""; a length past the end is cut. start < 1 is an error of the caller (treated as 1).
QString Mid(const QString& s, int start, int length = -1);
QString Left(const QString& s, int length);
QString Right(const QString& s, int length);
// 1-based position of needle in s searching from start, 0 when absent. An empty needle gives start
// (as the runtime does) while start <= Len(s)+1.
int InStr(int start, const QString& s, const QString& needle, Qt::CaseSensitivity cs = Qt::CaseSensitive);
inline int InStr(const QString& s, const QString& needle, Qt::CaseSensitivity cs = Qt::CaseSensitive) {
    return InStr(1, s, needle, cs);
}
// 1-based position of the last occurrence of needle, 0 when absent.
int InStrRev(const QString& s, const QString& needle);

// Conversion of a number to a whole number: halves go to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Never undefined: a value beyond the 64-bit range gives the nearest end, NaN gives 0.
qint64 RoundHalfEven(double x);
// CLng: the number rounded as above when it lies in -2147483648..2147483647; otherwise (infinity
// and NaN too) the runtime's Overflow error (VbError 6) is thrown.
qint32 CLng(double x);
// The number rounded as above and held within lo..hi, for a value whose limits are known.
qint64 RoundClamped(double x, qint64 lo, qint64 hi);
// The runtime's numeric-text test: optional blanks around, an optional sign, digits with at most
// one decimal point and an optional exponent ("e" or "d", any case), or a "&H"/"&O" number. The
// empty text is not numeric.
bool IsNumeric(const QString& s);
// CInt of a text: a numeric text (IsNumeric) rounded to a whole number, halves to the even one,
// when it lies in -32768..32767; nothing when it is not numeric or the conversion overflows.
std::optional<qint16> CInt(const QString& s);
// Val: the leading number of the text, 0 when none. Blanks, tabs and line feeds are skipped
// wherever they stand; an exponent ("1e4", "2.5E2", "1D3") is read, as are "&H" and "&O" numbers
// (up to four digits' worth a 16-bit pattern, so "&HFFFF" is -1; up to 32 bits a 32-bit one). A
// number too large for a double is an infinity of its sign, which every conversion to a whole
// number then refuses or clamps.
double Val(const QString& s);

// Format(x, "0.0000") and its like: fixed decimals, half away from zero as the runtime's Format does.
QString FormatFixed(double x, int decimals);
// Format(date, "yyyy-m-d"): month and day without leading zeros.
QString FormatYMD(const QDate& d);
}  // namespace vb
