#include "emulator/demomovie.h"

#include <QList>
#include <QPoint>

#include <bit>

namespace emu {

namespace {

constexpr int kTwips = 20;

// Bits written most significant first, as the format packs its records.
class Bits {
public:
    void put(quint32 value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            if (m_used == 0) m_bytes.append('\0');
            if ((value >> i) & 1u) m_bytes[m_bytes.size() - 1] = char(m_bytes.back() | (0x80 >> m_used));
            m_used = (m_used + 1) % 8;
        }
    }
    void putSigned(qint32 value, int n) { put(quint32(value) & ((1u << n) - 1), n); }
    void align() { m_used = 0; }
    void u8(int v) { align(), m_bytes.append(char(v)); }
    void u16(int v) { u8(v & 0xFF), u8((v >> 8) & 0xFF); }
    void u32(quint32 v) { u16(int(v & 0xFFFF)), u16(int(v >> 16)); }
    void rgb(QRgb c) { u8(qRed(c)), u8(qGreen(c)), u8(qBlue(c)); }
    void bytes(const QByteArray& b) { align(), m_bytes += b; }
    const QByteArray& data() const { return m_bytes; }

private:
    QByteArray m_bytes;
    int m_used = 0;
};

// Bits a signed field needs for every value.
int SignedBits(std::initializer_list<qint32> values) {
    int n = 1;
    for (const qint32 v : values) n = qMax(n, int(std::bit_width(quint32(v < 0 ? ~v : v))) + 1);
    return n;
}

void Rect(Bits& b, int w, int h) {
    const int n = SignedBits({w, h});
    b.put(quint32(n), 5), b.putSigned(0, n), b.putSigned(w, n), b.putSigned(0, n), b.putSigned(h, n);
    b.align();
}

void Tag(Bits& out, int code, const QByteArray& body) {
    out.u16((code << 6) | 0x3F);  // the long header fits every length
    out.u32(quint32(body.size()));
    out.bytes(body);
}

// A filled polygon, its corners in pixels.
QByteArray Shape(int id, const QList<QPoint>& corners, QRgb colour) {
    Bits b;
    b.u16(id);
    Rect(b, kDemoMovieSize * kTwips, kDemoMovieSize * kTwips);
    b.u8(1), b.u8(0x00), b.rgb(colour);  // one solid fill
    b.u8(0);                             // no line styles
    b.put(1, 4), b.put(0, 4);            // fill and line index bits
    const QPoint start = corners.first() * kTwips;
    const int move = SignedBits({start.x(), start.y()});
    b.put(0b000101, 6), b.put(quint32(move), 5), b.putSigned(start.x(), move), b.putSigned(start.y(), move), b.put(1, 1);
    for (int i = 1; i <= corners.size(); ++i) {
        const QPoint d = (corners[i % corners.size()] - corners[i - 1]) * kTwips;
        const int n = qMax(2, SignedBits({d.x(), d.y()}));
        b.put(0b11, 2), b.put(quint32(n - 2), 4), b.put(1, 1), b.putSigned(d.x(), n), b.putSigned(d.y(), n);
    }
    b.put(0, 6);  // end of shape
    return b.data();
}

QByteArray Place(int depth, int id) {
    Bits b;
    b.u8(0x02), b.u16(depth), b.u16(id);
    return b.data();
}

QByteArray Remove(int depth) {
    Bits b;
    b.u16(depth);
    return b.data();
}

}  // namespace

QByteArray DemoFlashMovie() {
    enum { End = 0, ShowFrame = 1, DefineShape = 2, SetBackgroundColor = 9, PlaceObject2 = 26, RemoveObject2 = 28 };
    const int s = kDemoMovieSize, q = 40, m = 10;
    const QPoint corners[] = {{m, m}, {s - m - q, m}, {s - m - q, s - m - q}, {m, s - m - q}};
    Bits tags;
    Tag(tags, SetBackgroundColor, [] { Bits b; b.rgb(kDemoMovieGround); return b.data(); }());
    Tag(tags, DefineShape, Shape(1, {{s / 2, s / 2 - 18}, {s / 2 + 18, s / 2}, {s / 2, s / 2 + 18}, {s / 2 - 18, s / 2}}, kDemoMovieDiamond));
    for (int f = 0; f < 4; ++f) {
        const QPoint c = corners[f];
        Tag(tags, DefineShape, Shape(2 + f, {c, c + QPoint(q, 0), c + QPoint(q, q), c + QPoint(0, q)}, kDemoMovieSquares[f]));
    }
    for (int f = 0; f < 4; ++f) {
        if (f > 0) Tag(tags, RemoveObject2, Remove(1));
        Tag(tags, PlaceObject2, Place(1, 2 + f));
        if (f == 0) Tag(tags, PlaceObject2, Place(2, 1));  // the diamond above the squares
        Tag(tags, ShowFrame, {});
    }
    Tag(tags, End, {});

    Bits header;
    Rect(header, s * kTwips, s * kTwips);
    header.u16(2 << 8);  // two frames a second (8.8 fixed point)
    header.u16(4);
    const QByteArray body = header.data() + tags.data();
    Bits file;
    file.bytes("FWS");
    file.u8(8);
    file.u32(quint32(8 + body.size()));
    file.bytes(body);
    return file.data();
}

}  // namespace emu
