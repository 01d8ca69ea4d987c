#pragma once
// Our stand-in for the platform's drawing surfaces and blits: a device context is a surface over
// pixel memory that a bitmap or a picture box owns, and BitBlt/StretchBlt copy rectangles between
// surfaces. A surface may store its rows bottom-up (the first row in memory is the bottom row of
// the picture), as the bitmap sections do; coordinates are always picture coordinates, top-down.
#include <QImage>
#include <QRect>
#include <QtGlobal>

// Raster operations of a blit, by the platform's values.
enum RasterOp : quint32 {
    vbSrcCopy = 0x00CC0020,
    vbSrcPaint = 0x00EE0086,   // OR
    vbSrcAnd = 0x008800C6,
    vbSrcInvert = 0x00660046,  // XOR
    vbNotSrcCopy = 0x00330008,
};
// Stretch modes of a surface; HALFTONE averages (smooth scaling), the others pick pixels.
enum StretchMode : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

class DeviceContext {
public:
    enum class PixelFormat { Bgrx32, Bgr24 };  // bytes blue, green, red (and one unused byte)

    DeviceContext() = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // A writable surface over memory that the owner keeps alive while attached.
    void attach(uchar* bits, int width, int height, qsizetype stride, PixelFormat format, bool bottomUp);
    // A read-only surface over a picture (any format; converted once when it is not 32-bit).
    void attachReadOnly(const QImage& picture);
    void detach();

    bool isAttached() const { return m_bits != nullptr; }
    bool isReadOnly() const { return m_readOnly; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    PixelFormat format() const { return m_format; }
    int stretchMode() const { return m_stretchMode; }
    void setStretchMode(int mode) { m_stretchMode = mode; }

    // The memory of picture row y (0 the top row).
    uchar* scanLine(int y) const { return m_bits + (m_bottomUp ? m_height - 1 - y : y) * m_stride; }
    // A view of a rectangle inside the surface, rows in memory order (bottom-up surfaces give it
    // upside down), sharing the memory.
    QImage memoryView(const QRect& r) const;
    bool bottomUp() const { return m_bottomUp; }
    int bytesPerPixel() const { return m_format == PixelFormat::Bgrx32 ? 4 : 3; }
    QImage::Format qtFormat() const;

private:
    uchar* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    qsizetype m_stride = 0;
    PixelFormat m_format = PixelFormat::Bgrx32;
    bool m_bottomUp = false;
    bool m_readOnly = false;
    int m_stretchMode = COLORONCOLOR;
    QImage m_keep;  // the picture of a read-only surface
};

// Copies w × h pixels from (sx, sy) of src to (x, y) of dst, clipped to both surfaces. False
// when a surface is missing, dst is read-only or the raster operation is not one of RasterOp.
bool BitBlt(DeviceContext* dst, int x, int y, int w, int h, const DeviceContext* src, int sx, int sy,
            quint32 rop = vbSrcCopy);
// Scales the source rectangle into the destination rectangle by dst's stretch mode (HALFTONE
// averages), clipped like BitBlt. Sizes must be positive (no mirroring).
bool StretchBlt(DeviceContext* dst, int x, int y, int w, int h, const DeviceContext* src, int sx, int sy, int sw,
                int sh, quint32 rop = vbSrcCopy);
// Sets dst's stretch mode and returns the previous one (0 without a surface).
int SetStretchBltMode(DeviceContext* dc, int mode);
