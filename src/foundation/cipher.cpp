#include "foundation/cipher.h"

#include <array>

namespace {
constexpr std::array<quint8, 256> makeReverseTable() {
    std::array<quint8, 256> t{};
    for (int b = 0; b < 256; ++b) {
        int r = 0;
        for (int i = 0; i < 8; ++i)
            if (b & (1 << i)) r |= 1 << (7 - i);
        t[b] = static_cast<quint8>(r);
    }
    return t;
}
constexpr std::array<quint8, 256> kReverse = makeReverseTable();
}  // namespace

quint8 KeyByte(const QString& key) {
    unsigned sum = 0;
    for (QChar c : key) sum += (c.unicode() & 0xFF) + (c.unicode() >> 8);
    return static_cast<quint8>(sum & 0xFF);
}

quint8 EncodeByte(quint8 plain, quint8 key) { return kReverse[plain] ^ key; }

quint8 DecodeByte(quint8 cipher, quint8 key) { return kReverse[cipher ^ key]; }

quint16 EncodePair(const quint8 pair[2], quint8 key) {
    return static_cast<quint16>(EncodeByte(pair[0], key) | (EncodeByte(pair[1], key) << 8));
}

quint16 DecodePair(const quint8 pair[2], quint8 key) {
    return static_cast<quint16>(DecodeByte(pair[0], key) | (DecodeByte(pair[1], key) << 8));
}

QByteArray EncryptText(const QString& text, const QString& key) {
    const quint8 k = KeyByte(key);
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    auto* o = reinterpret_cast<quint8*>(out.data());
    const QChar* in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = in[i].unicode();
        o[2 * i] = EncodeByte(static_cast<quint8>(u & 0xFF), k);
        o[2 * i + 1] = EncodeByte(static_cast<quint8>(u >> 8), k);
    }
    return out;
}

QString DecryptBytes(const QByteArray& bytes, const QString& key) {
    if (bytes.size() == 1) return QString();
    const quint8 k = KeyByte(key);
    const qsizetype n = bytes.size() / 2;  // an odd last byte is dropped
    QString out(n, Qt::Uninitialized);
    const auto* b = reinterpret_cast<const quint8*>(bytes.constData());
    QChar* o = out.data();
    for (qsizetype i = 0; i < n; ++i)
        o[i] = QChar(static_cast<char16_t>(DecodeByte(b[2 * i], k) | (DecodeByte(b[2 * i + 1], k) << 8)));
    return out;
}
