#pragma once
#include <QString>

// MD5 of a text as 32 lower-case hex digits. Each character contributes its code-page (GBK) value
// as a signed 16-bit number in one byte position, so ASCII text gives the standard digest while a
// two-byte character spills its sign into the following positions. More than 32767 characters
// raise an overflow error (VbError).
QString Md5Hex(const QString& text);
