#include "platform/devicecontext.h"

#include <cstring>

void DeviceContext::attach(uchar* bits, int width, int height, qsizetype stride, PixelFormat format, bool bottomUp) {
    m_keep = QImage();
    m_bits = bits;
    m_width = width;
    m_height = height;
    m_stride = stride;
    m_format = format;
    m_bottomUp = bottomUp;
    m_readOnly = false;
}

void DeviceContext::attachReadOnly(const QImage& picture) {
    detach();
    if (picture.isNull()) return;
    m_keep = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
                 ? picture
                 : picture.convertToFormat(QImage::Format_RGB32);
    // The surface only reads: constBits() never detaches the shared picture.
    m_bits = const_cast<uchar*>(m_keep.constBits());
    m_width = m_keep.width();
    m_height = m_keep.height();
    m_stride = m_keep.bytesPerLine();
    m_format = PixelFormat::Bgrx32;
    m_bottomUp = false;
    m_readOnly = true;
}

void DeviceContext::detach() {
    m_bits = nullptr;
    m_width = m_height = 0;
    m_stride = 0;
    m_readOnly = false;
    m_keep = QImage();
}

QImage::Format DeviceContext::qtFormat() const {
    return m_format == PixelFormat::Bgrx32 ? QImage::Format_RGB32 : QImage::Format_BGR888;
}

QImage DeviceContext::memoryView(const QRect& r) const {
    const int memoryTop = m_bottomUp ? m_height - 1 - r.bottom() : r.top();
    const uchar* first = m_bits + memoryTop * m_stride + qsizetype(r.left()) * bytesPerPixel();
    return QImage(first, r.width(), r.height(), m_stride, qtFormat());
}

namespace {

bool knownRop(quint32 rop) {
    switch (rop) {
    case vbSrcCopy: case vbSrcPaint: case vbSrcAnd: case vbSrcInvert: case vbNotSrcCopy: return true;
    default: return false;
    }
}

void applyRop(uchar* d, const uchar* s, qsizetype n, quint32 rop) {
    switch (rop) {
    case vbSrcCopy: std::memcpy(d, s, size_t(n)); break;
    case vbSrcPaint: for (qsizetype i = 0; i < n; ++i) d[i] |= s[i]; break;
    case vbSrcAnd: for (qsizetype i = 0; i < n; ++i) d[i] &= s[i]; break;
    case vbSrcInvert: for (qsizetype i = 0; i < n; ++i) d[i] ^= s[i]; break;
    case vbNotSrcCopy: for (qsizetype i = 0; i < n; ++i) d[i] = uchar(~s[i]); break;
    default: break;
    }
}

// Writes rows (in dst's format) into dst with their top-left picture pixel at `at`, clipped to
// dst. rowsBottomUp: the rows come in memory order of a bottom-up surface (the last one on top).
void putRows(DeviceContext& dst, QPoint at, const QImage& rows, bool rowsBottomUp, quint32 rop) {
    const int bpp = dst.bytesPerPixel();
    const int left = qMax(at.x(), 0);
    const int right = qMin(at.x() + rows.width(), dst.width());
    if (left >= right) return;
    for (int i = 0; i < rows.height(); ++i) {
        const int y = at.y() + (rowsBottomUp ? rows.height() - 1 - i : i);
        if (y < 0 || y >= dst.height()) continue;
        applyRop(dst.scanLine(y) + qsizetype(left) * bpp, rows.constScanLine(i) + qsizetype(left - at.x()) * bpp,
                 qsizetype(right - left) * bpp, rop);
    }
}

// The part of the source rectangle inside the source, with the destination moved to match.
bool clipSource(const DeviceContext& src, QRect& source, QPoint& at) {
    const QRect inside = source.intersected(QRect(0, 0, src.width(), src.height()));
    if (inside.isEmpty()) return false;
    at += inside.topLeft() - source.topLeft();
    source = inside;
    return true;
}

bool usable(const DeviceContext* dst, const DeviceContext* src, quint32 rop) {
    return dst && src && dst->isAttached() && src->isAttached() && !dst->isReadOnly() && knownRop(rop);
}

}  // namespace

bool BitBlt(DeviceContext* dst, int x, int y, int w, int h, const DeviceContext* src, int sx, int sy, quint32 rop) {
    if (!usable(dst, src, rop)) return false;
    if (w <= 0 || h <= 0) return true;
    QRect source(sx, sy, w, h);
    QPoint at(x, y);
    if (!clipSource(*src, source, at)) return true;
    QImage rows = src->memoryView(source);
    if (rows.format() != dst->qtFormat()) rows = rows.convertToFormat(dst->qtFormat());
    else if (src == dst) rows = rows.copy();  // overlapping copies read the old pixels
    putRows(*dst, at, rows, src->bottomUp(), rop);
    return true;
}

bool StretchBlt(DeviceContext* dst, int x, int y, int w, int h, const DeviceContext* src, int sx, int sy, int sw,
                int sh, quint32 rop) {
    if (!usable(dst, src, rop) || w < 0 || h < 0 || sw < 0 || sh < 0) return false;
    if (w == sw && h == sh) return BitBlt(dst, x, y, w, h, src, sx, sy, rop);
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return true;
    QRect source = QRect(sx, sy, sw, sh).intersected(QRect(0, 0, src->width(), src->height()));
    if (source.isEmpty()) return true;
    // Scaling the memory-order view keeps its orientation, so the rows go out the way they came.
    const Qt::TransformationMode mode =
        dst->stretchMode() == HALFTONE ? Qt::SmoothTransformation : Qt::FastTransformation;
    QImage rows = src->memoryView(source).scaled(w, h, Qt::IgnoreAspectRatio, mode);
    if (rows.format() != dst->qtFormat()) rows = rows.convertToFormat(dst->qtFormat());
    putRows(*dst, QPoint(x, y), rows, src->bottomUp(), rop);
    return true;
}

int SetStretchBltMode(DeviceContext* dc, int mode) {
    if (!dc) return 0;
    const int previous = dc->stretchMode();
    dc->setStretchMode(mode);
    return previous;
}
