#pragma once
// The two bitmap classes: a picture as plain bottom-up blue-green-red memory (the first row in
// memory is the bottom row of the picture) with its own device context, so that it can be blitted
// and also read and written directly through its bits pointer. cDIBSection1 holds 32 bits per
// pixel (the working bitmap of loading, preview and rotation), cDIBSection 24 bits with rows padded
// to 4 bytes (what the JPEG writer takes).
#include "imaging/picture.h"
#include "platform/devicecontext.h"

#include <QByteArray>
#include <QString>

#include <cstdlib>
#include <memory>

// The platform's 40-byte bitmap information header, as the sections fill it and BMP files hold it.
struct BitmapInfoHeader {
    qint32 biSize = 40;
    qint32 biWidth = 0;
    qint32 biHeight = 0;  // positive: rows bottom-up
    qint16 biPlanes = 1;
    qint16 biBitCount = 0;
    qint32 biCompression = 0;  // uncompressed RGB
    qint32 biSizeImage = 0;
    qint32 biXPelsPerMeter = 0;
    qint32 biYPelsPerMeter = 0;
    qint32 biClrUsed = 0;
    qint32 biClrImportant = 0;

    QByteArray toBytes() const;  // little-endian, 40 bytes
    static BitmapInfoHeader fromBytes(const uchar* bytes);
};

// What both classes share: the memory, the header and the device context over them.
class DibSectionBase {
public:
    DibSectionBase(const DibSectionBase&) = delete;
    DibSectionBase& operator=(const DibSectionBase&) = delete;

    // Row stride in bytes. Raises an overflow VbError when it leaves the signed 32-bit range.
    int BytesPerScanLine() const;
    int Width() const { return m_header.biWidth; }
    int Height() const { return m_header.biHeight; }
    int ColorBit() const { return m_header.biBitCount; }
    // Non-zero (non-null) exactly while a picture is held.
    DeviceContext* hDC() { return m_bits ? &m_dc : nullptr; }
    quintptr hDIB() const { return quintptr(m_bits.get()); }
    uchar* DIBSectionBitsPtr() const { return m_bits.get(); }
    const BitmapInfoHeader& header() const { return m_header; }

    // Releases the picture; the header (so Width and Height) stays as it was.
    void ClearUp();
    // A picture of the given size, every pixel 0. False, the object empty, for a size of 0 or less
    // or memory refused; an overflow VbError for a size beyond 32 bits.
    bool Create(int width, int height);
    // Fills the header for the size and makes the memory (the device context argument is the
    // platform's and unused). True when the memory was made; it is then held in out.
    bool CreateDIB(DeviceContext* lhDC, int width, int height, quintptr& hDIB);

protected:
    explicit DibSectionBase(int bitsPerPixel) : m_bitsPerPixel(bitsPerPixel) {}
    ~DibSectionBase() = default;

    // BitBlt from lSrcDC into this picture; negative sizes mean the picture's own.
    void blitFrom(const DeviceContext* lSrcDC, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight,
                  int lSrcLeft, int lSrcTop, quint32 eRop);
    // Copies w × h pixels from (left, top) of a picture into a new picture of that size; a negative
    // size means the picture's own.
    bool createFromImage(const QImage& bitmap, int left, int top, int w, int h);
    // The section as a BMP file, written safely. False when it cannot be written or is empty.
    bool saveBitmap(const QString& fileName) const;
    void swap(DibSectionBase& other) noexcept;

    struct Free {
        void operator()(uchar* p) const { std::free(p); }
    };
    std::unique_ptr<uchar[], Free> m_bits;
    BitmapInfoHeader m_header;
    DeviceContext m_dc;
    int m_bitsPerPixel;
};

// The 32-bit working bitmap. A negative width or height argument means the section's own.
class cDIBSection1 : public DibSectionBase {
public:
    cDIBSection1() : DibSectionBase(32) {}

    int dataSize() const { return m_header.biSizeImage; }

    // Loads a BMP, the first frame of a GIF or a JPEG file (by content, EXIF orientation not
    // applied). False for a missing, unreadable, truncated, oversized or other kind of file; the
    // object then keeps the picture it held.
    bool CreateFromFile(const QString& sFileName);
    bool CreateFromHandle(const QImage& hBmp, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight);
    bool CreateFromPicture(const StdPicture& picThis, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight);
    void LoadPictureBlt(const DeviceContext* lSrcDC, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight,
                        int lSrcLeft, int lSrcTop, quint32 eRop = vbSrcCopy);
    // Draws the section into lhDC: 1 a plain copy, 2 the same from the bits (raster operation
    // unused), 3 a halftone-stretched copy, 4 the same from the bits. The destination's stretch
    // mode is as it was afterwards. False for any other method or a failed copy.
    bool PaintPicture(DeviceContext* lhDC, int APIProc, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight,
                      int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight, quint32 eRop = vbSrcCopy);
    bool SaveBitmap(const QString& sFileName) const { return saveBitmap(sFileName); }

    // Members nothing in the program calls yet.
    bool CopyToClipboard(int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight, bool bAsDIB);
    void GetBestFitInfo(int DstW, int DstH, int& bfx, int& bfy, int& bfW, int& bfH, bool StretchFit) const;
    // The bottom-left lSrcWidth × lSrcHeight pixels of the bitmap (its own size when negative); the
    // source position is not used.
    bool CreateFromImage(const QImage& hImage, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight);
    // A packed bitmap: 40-byte header, then the bits read in this section's own 32-bit format.
    // False, the object unchanged, when the header has 15 bits per pixel or fewer or the bytes are
    // fewer than the header promises.
    bool CreateFromPackedDIBPointer(const uchar* pDIB, qsizetype length);
};

// The 24-bit hand-over bitmap of the JPEG writer.
class cDIBSection : public DibSectionBase {
public:
    cDIBSection() : DibSectionBase(24) {}

    // The picture's bitmap at its own size; an empty picture leaves the object empty.
    void CreateFromPicture(const StdPicture& picThis);
    // BitBlt from lhDC at (lSrcLeft, lSrcTop) to (0, 0); negative sizes mean the section's own.
    void LoadPictureBlt(const DeviceContext* lhDC, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight,
                        quint32 eRop = vbSrcCopy);

    // Members nothing in the program calls yet.
    void PaintPicture(DeviceContext* lhDC, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight,
                      int lSrcLeft, int lSrcTop, quint32 eRop = vbSrcCopy);
    bool CopyToClipboard(bool bAsDIB);
    // Fills the picture with noise: grey, or green and red with no blue.
    void RandomiseBits(bool bGray);
    // A new section lNewWidth × lNewHeight holding this picture resampled bilinearly (an exact
    // copy at the same size); null when it cannot be made. A source narrower or lower than 2
    // pixels raises a subscript VbError.
    std::unique_ptr<cDIBSection> Resample(int lNewHeight, int lNewWidth) const;

private:
    void resampleInto(cDIBSection& d) const;
};
