#include "platform/ansi.h"

#include <iconv.h>

#include <array>
#include <memory>
#include <mutex>

namespace {

// One table built once from the C library's converter: code unit -> GBK code (or -1),
// and GBK two-byte code -> code unit. Deciding per code unit here (rather than letting a
// converter substitute bytes of its own) is what makes "?" exact.
struct Tables {
    std::array<int, 65536> toGbk;
    std::array<char16_t, 65536> fromGbk;  // index lead*256+trail; 0 when unassigned
};

const Tables& tables() {
    static std::unique_ptr<Tables> t;
    static std::once_flag once;
    std::call_once(once, [] {
        t = std::make_unique<Tables>();
        t->toGbk.fill(-1);
        t->fromGbk.fill(0);
        for (int u = 0; u < 0x80; ++u) t->toGbk[u] = u;
        iconv_t cd = iconv_open("GBK", "UTF-16LE");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        for (int u = 0x80; u < 0x10000; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF) continue;  // lone surrogates have no code
            char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
            char out[8];
            char* ip = in;
            char* op = out;
            size_t il = 2, ol = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) continue;
            const size_t n = sizeof out - ol;
            if (n == 1) {
                t->toGbk[u] = static_cast<unsigned char>(out[0]);
            } else if (n == 2) {
                const int c = (static_cast<unsigned char>(out[0]) << 8) | static_cast<unsigned char>(out[1]);
                t->toGbk[u] = c;
                if (t->fromGbk[c] == 0) t->fromGbk[c] = static_cast<char16_t>(u);
            }
        }
        iconv_close(cd);
    });
    return *t;
}

}  // namespace

namespace AnsiCodec {

int code(QChar c) { return tables().toGbk[c.unicode()]; }

qint16 charValue(QChar c) {
    const int v = code(c);
    if (v < 0) return 63;
    return static_cast<qint16>(static_cast<quint16>(v));
}

QByteArray encode(const QString& text) {
    const Tables& t = tables();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        const int v = t.toGbk[c.unicode()];
        if (v < 0) {
            out.append('?');
        } else if (v < 0x100) {
            out.append(static_cast<char>(v));
        } else {
            out.append(static_cast<char>(v >> 8));
            out.append(static_cast<char>(v & 0xFF));
        }
    }
    return out;
}

QByteArray encodeHtml(const QString& text) {
    const Tables& t = tables();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const int v = t.toGbk[c.unicode()];
        if (v >= 0x100) {
            out.append(static_cast<char>(v >> 8));
            out.append(static_cast<char>(v & 0xFF));
        } else if (v >= 0) {
            out.append(static_cast<char>(v));
        } else {
            char32_t point = c.unicode();
            if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                point = QChar::surrogateToUcs4(c, text.at(++i));
            out.append("&#").append(QByteArray::number(static_cast<uint>(point))).append(';');
        }
    }
    return out;
}

QString decode(const QByteArray& bytes) {
    const Tables& t = tables();
    QString out;
    out.reserve(bytes.size());
    const int n = bytes.size();
    for (int i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(b));
        } else if (b >= 0x81 && b <= 0xFE && i + 1 < n) {
            const unsigned char trail = static_cast<unsigned char>(bytes[i + 1]);
            const char16_t u = t.fromGbk[(b << 8) | trail];
            if (u) {
                out.append(QChar(u));
                ++i;
            } else {
                out.append(QChar(0xFFFD));
            }
        } else {
            out.append(QChar(0xFFFD));
        }
    }
    return out;
}

int byteLength(const QString& text) {
    const Tables& t = tables();
    int n = 0;
    for (QChar c : text) n += (t.toGbk[c.unicode()] >= 0x100) ? 2 : 1;
    return n;
}

}  // namespace AnsiCodec
