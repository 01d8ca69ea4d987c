#include "foundation/md5.h"

#include "platform/ansi.h"
#include "platform/vberror.h"

#include <vector>

namespace {

inline quint32 rotl(quint32 x, int c) { return (x << c) | (x >> (32 - c)); }

const quint32 K[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
const int S[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                   5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                   4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                   6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

}  // namespace

QString Md5Hex(const QString& text) {
    const qsizetype L = text.size();
    if (L > 32767) throw VbError(VbError::Overflow, QStringLiteral("Overflow"));
    const qsizetype N = ((L + 8) / 64) * 16 + 16;
    std::vector<quint32> w(static_cast<size_t>(N), 0);
    for (qsizetype i = 0; i < L; ++i) {
        const qint32 v = AnsiCodec::charValue(text[i]);  // sign-extended to 32 bits
        w[static_cast<size_t>(i / 4)] |= static_cast<quint32>(v) << (8 * (i % 4));
    }
    w[static_cast<size_t>(L / 4)] |= 0x80u << (8 * (L % 4));
    w[static_cast<size_t>(N - 2)] = static_cast<quint32>(8 * L);
    w[static_cast<size_t>(N - 1)] = static_cast<quint32>(L) >> 29;

    quint32 a0 = 0x67452301, b0 = 0xefcdab89, c0 = 0x98badcfe, d0 = 0x10325476;
    for (qsizetype blk = 0; blk < N; blk += 16) {
        const quint32* M = &w[static_cast<size_t>(blk)];
        quint32 A = a0, B = b0, C = c0, D = d0;
        for (int i = 0; i < 64; ++i) {
            quint32 F;
            int g;
            if (i < 16) { F = (B & C) | (~B & D); g = i; }
            else if (i < 32) { F = (D & B) | (~D & C); g = (5 * i + 1) % 16; }
            else if (i < 48) { F = B ^ C ^ D; g = (3 * i + 5) % 16; }
            else { F = C ^ (B | ~D); g = (7 * i) % 16; }
            F = F + A + K[i] + M[g];
            A = D;
            D = C;
            C = B;
            B = B + rotl(F, S[i]);
        }
        a0 += A; b0 += B; c0 += C; d0 += D;
    }
    QString out;
    out.reserve(32);
    static const char hex[] = "0123456789abcdef";
    for (quint32 word : {a0, b0, c0, d0})
        for (int byte = 0; byte < 4; ++byte) {
            const quint32 v = (word >> (8 * byte)) & 0xFF;
            out.append(QLatin1Char(hex[v >> 4]));
            out.append(QLatin1Char(hex[v & 0xF]));
        }
    return out;
}
