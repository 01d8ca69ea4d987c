#pragma once
// The "ANSI" code page of the program: GBK (code page 936).
#include <QByteArray>
#include <QString>

namespace AnsiCodec {
// GBK bytes of the text; a character GBK cannot represent becomes "?".
QByteArray encode(const QString& text);
// GBK bytes of an HTML text: a character GBK lacks becomes its character reference "&#N;" (N the
// code point, a surrogate pair counting as one character), so the page keeps the member's text.
QByteArray encodeHtml(const QString& text);
// Text of GBK bytes; an invalid sequence becomes U+FFFD.
QString decode(const QByteArray& bytes);
// Byte length in GBK (a Chinese character counts 2; an unmappable one 1, as its "?").
int byteLength(const QString& text);
// The code-page value of one UTF-16 code unit as a signed 16-bit number:
// a one-byte code gives the byte, a two-byte code lead*256+trail as signed 16 bits
// (negative for every two-byte code), an unmappable character 63 ("?").
qint16 charValue(QChar c);
// The GBK code of one code unit: 0..255 for one byte, lead*256+trail for two, -1 when unmappable.
int code(QChar c);
}
