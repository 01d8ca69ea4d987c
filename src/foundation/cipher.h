#pragma once
// The byte cipher of every local data file: each byte of the text's UTF-16LE form is bit-reversed
// and XORed with one key byte derived from the key string.
#include <QByteArray>
#include <QString>

// The key string of the local data files: fixed, the same in every build, so that every build
// reads what another wrote.
inline constexpr char kDataFileKeyText[] = "Tv9#kQ2m!Lr7@Xp4$Wz8&Hn3*Bc6^Jd1%Fy";
static_assert(sizeof(kDataFileKeyText) - 1 == 35, "the data-file key has 35 characters");

quint8 KeyByte(const QString& key);
quint8 EncodeByte(quint8 plain, quint8 key);
quint8 DecodeByte(quint8 cipher, quint8 key);
quint16 EncodePair(const quint8 pair[2], quint8 key);
quint16 DecodePair(const quint8 pair[2], quint8 key);
QByteArray EncryptText(const QString& text, const QString& key);
QString DecryptBytes(const QByteArray& bytes, const QString& key);
