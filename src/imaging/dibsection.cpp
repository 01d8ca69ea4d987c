#include "imaging/dibsection.h"

#include "platform/prompts.h"
#include "platform/paths.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"

#include <QBuffer>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtEndian>

#include <climits>
#include <cmath>
#include <cstring>

namespace {

[[noreturn]] void raiseOverflow() { throw VbError(VbError::Overflow, QStringLiteral("Overflow")); }

void putLe32(QByteArray& out, qint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void putLe16(QByteArray& out, qint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

// True when JPEG data runs on to its end-of-image marker. The decoder pads a file that was cut
// short with grey and calls it read; such a file is not a picture to keep.
bool jpegComplete(const QByteArray& data) {
    const auto at = [&](qsizetype i) { return uchar(data[i]); };
    const qsizetype n = data.size();
    qsizetype i = 2;  // after the start-of-image marker
    while (i + 1 < n) {
        if (at(i) != 0xFF) return false;
        const uchar marker = at(i + 1);
        if (marker == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0xD9) return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // markers without a length
        if (i + 1 >= n) return false;
        const int length = at(i) << 8 | at(i + 1);
        if (length < 2) return false;
        i += length;
        if (marker != 0xDA) continue;
        // Entropy-coded data runs to the next marker that is neither a stuffed 0 nor a restart.
        while (i + 1 < n) {
            if (at(i) != 0xFF) {
                ++i;
                continue;
            }
            const uchar next = at(i + 1);
            if (next == 0xFF) ++i;
            else if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) i += 2;
            else break;
        }
    }
    return false;
}

}  // namespace

// ---- header

QByteArray BitmapInfoHeader::toBytes() const {
    QByteArray out;
    out.reserve(40);
    putLe32(out, biSize);
    putLe32(out, biWidth);
    putLe32(out, biHeight);
    putLe16(out, biPlanes);
    putLe16(out, biBitCount);
    putLe32(out, biCompression);
    putLe32(out, biSizeImage);
    putLe32(out, biXPelsPerMeter);
    putLe32(out, biYPelsPerMeter);
    putLe32(out, biClrUsed);
    putLe32(out, biClrImportant);
    return out;
}

BitmapInfoHeader BitmapInfoHeader::fromBytes(const uchar* b) {
    BitmapInfoHeader h;
    h.biSize = qFromLittleEndian<qint32>(b);
    h.biWidth = qFromLittleEndian<qint32>(b + 4);
    h.biHeight = qFromLittleEndian<qint32>(b + 8);
    h.biPlanes = qFromLittleEndian<qint16>(b + 12);
    h.biBitCount = qFromLittleEndian<qint16>(b + 14);
    h.biCompression = qFromLittleEndian<qint32>(b + 16);
    h.biSizeImage = qFromLittleEndian<qint32>(b + 20);
    h.biXPelsPerMeter = qFromLittleEndian<qint32>(b + 24);
    h.biYPelsPerMeter = qFromLittleEndian<qint32>(b + 28);
    h.biClrUsed = qFromLittleEndian<qint32>(b + 32);
    h.biClrImportant = qFromLittleEndian<qint32>(b + 36);
    return h;
}

// ---- shared members

int DibSectionBase::BytesPerScanLine() const {
    const qint64 width = m_header.biWidth;
    if (width <= 0) return 0;
    qint64 stride;
    if (m_bitsPerPixel == 32) {
        if (width * 32 + 31 > INT_MAX) raiseOverflow();
        stride = (width * 32 + 31) / 32 * 4;
    } else {
        stride = (width * 3 + 3) & ~qint64(3);
        if (stride > INT_MAX) raiseOverflow();
    }
    return int(stride);
}

void DibSectionBase::ClearUp() {
    m_dc.detach();
    m_bits.reset();
}

bool DibSectionBase::Create(int width, int height) {
    ClearUp();
    quintptr section = 0;
    return CreateDIB(&m_dc, width, height, section);
}

bool DibSectionBase::CreateDIB(DeviceContext*, int width, int height, quintptr& hDIB) {
    hDIB = 0;
    m_header = BitmapInfoHeader();
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biBitCount = qint16(m_bitsPerPixel);
    const int stride = BytesPerScanLine();
    const qint64 size = qint64(height) * stride;
    if (size > INT_MAX) raiseOverflow();
    m_header.biSizeImage = qint32(size);
    if (width <= 0 || height <= 0) return false;
    ClearUp();
    // calloc: a new section is black, and large ones get their pages only as they are written.
    uchar* bits = static_cast<uchar*>(std::calloc(size_t(size), 1));
    if (!bits) return false;
    m_bits.reset(bits);
    m_dc.attach(bits, width, height, stride,
                m_bitsPerPixel == 32 ? DeviceContext::PixelFormat::Bgrx32 : DeviceContext::PixelFormat::Bgr24, true);
    hDIB = quintptr(bits);
    return true;
}

void DibSectionBase::blitFrom(const DeviceContext* lSrcDC, int lDestLeft, int lDestTop, int lDestWidth,
                              int lDestHeight, int lSrcLeft, int lSrcTop, quint32 eRop) {
    if (lDestWidth < 0) lDestWidth = Width();
    if (lDestHeight < 0) lDestHeight = Height();
    BitBlt(hDC(), lDestLeft, lDestTop, lDestWidth, lDestHeight, lSrcDC, lSrcLeft, lSrcTop, eRop);
}

bool DibSectionBase::createFromImage(const QImage& bitmap, int left, int top, int w, int h) {
    if (bitmap.isNull()) return false;
    if (w < 0 || h < 0) {
        w = bitmap.width();
        h = bitmap.height();
    }
    if (!Create(w, h)) return false;
    DeviceContext source;
    source.attachReadOnly(bitmap);
    blitFrom(&source, 0, 0, -1, -1, left, top, vbSrcCopy);
    return true;
}

bool DibSectionBase::saveBitmap(const QString& fileName) const {
    if (!m_bits) return false;
    QByteArray bytes("BM");
    putLe32(bytes, 54 + m_header.biSizeImage);
    putLe16(bytes, 0);
    putLe16(bytes, 0);
    putLe32(bytes, 54);
    bytes += m_header.toBytes();
    bytes.append(reinterpret_cast<const char*>(m_bits.get()), m_header.biSizeImage);
    try {
        paths::WriteFileSafely(fileName, bytes);
    } catch (const VbError&) {
        return false;
    }
    return true;
}

void DibSectionBase::swap(DibSectionBase& other) noexcept {
    std::swap(m_bits, other.m_bits);
    std::swap(m_header, other.m_header);
    for (DibSectionBase* s : {this, &other}) {
        if (!s->m_bits) {
            s->m_dc.detach();
            continue;
        }
        s->m_dc.attach(s->m_bits.get(), s->Width(), s->Height(), s->BytesPerScanLine(),
                       s->m_bitsPerPixel == 32 ? DeviceContext::PixelFormat::Bgrx32
                                               : DeviceContext::PixelFormat::Bgr24,
                       true);
    }
}

// ---- cDIBSection1

bool cDIBSection1::CreateFromFile(const QString& sFileName) {
    QFile file(sFileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    file.close();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    // The loaders read these three kinds; an icon, a metafile or anything else is no bitmap.
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif" && format != "jpeg") return false;
    if (format == "jpeg" && !jpegComplete(bytes)) return false;
    QImage picture;
    if (!reader.read(&picture)) return false;
    // Made aside and swapped in, so that any failure leaves the old picture.
    cDIBSection1 loaded;
    try {
        if (!loaded.CreateFromHandle(picture, 0, 0, -1, -1)) return false;
    } catch (const VbError&) {
        return false;
    }
    swap(loaded);
    return true;
}

bool cDIBSection1::CreateFromHandle(const QImage& hBmp, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight) {
    return createFromImage(hBmp, lSrcLeft, lSrcTop, lSrcWidth, lSrcHeight);
}

bool cDIBSection1::CreateFromPicture(const StdPicture& picThis, int lSrcLeft, int lSrcTop, int lSrcWidth,
                                     int lSrcHeight) {
    return CreateFromHandle(picThis.Handle, lSrcLeft, lSrcTop, lSrcWidth, lSrcHeight);
}

void cDIBSection1::LoadPictureBlt(const DeviceContext* lSrcDC, int lDestLeft, int lDestTop, int lDestWidth,
                                  int lDestHeight, int lSrcLeft, int lSrcTop, quint32 eRop) {
    blitFrom(lSrcDC, lDestLeft, lDestTop, lDestWidth, lDestHeight, lSrcLeft, lSrcTop, eRop);
}

bool cDIBSection1::PaintPicture(DeviceContext* lhDC, int APIProc, int lDestLeft, int lDestTop, int lDestWidth,
                                int lDestHeight, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight,
                                quint32 eRop) {
    if (!lhDC || !m_bits) return false;
    if (lDestWidth < 0) lDestWidth = Width();
    if (lSrcWidth < 0) lSrcWidth = Width();
    if (lDestHeight < 0) lDestHeight = Height();
    if (lSrcHeight < 0) lSrcHeight = Height();
    switch (APIProc) {
    case 1:
    case 2:  // the bits and the context are one memory here; copying from the bits takes no raster op
        return BitBlt(lhDC, lDestLeft, lDestTop, lDestWidth, lDestHeight, &m_dc, lSrcLeft, lSrcTop,
                      APIProc == 1 ? eRop : vbSrcCopy);
    case 3:
    case 4: {
        const int previous = SetStretchBltMode(lhDC, HALFTONE);
        const bool ok = StretchBlt(lhDC, lDestLeft, lDestTop, lDestWidth, lDestHeight, &m_dc, lSrcLeft, lSrcTop,
                                   lSrcWidth, lSrcHeight, eRop);
        SetStretchBltMode(lhDC, previous);
        return ok;
    }
    default: return false;
    }
}

bool cDIBSection1::CopyToClipboard(int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight, bool bAsDIB) {
    if (bAsDIB) {
        MsgBox(QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"), vbOKOnly);
        return true;
    }
    if (lSrcWidth < 0) lSrcWidth = Width();
    if (lSrcHeight < 0) lSrcHeight = Height();
    if (lSrcWidth <= 0 || lSrcHeight <= 0) return true;
    QImage copy(lSrcWidth, lSrcHeight, QImage::Format_RGB32);
    copy.fill(Qt::black);
    DeviceContext target;
    target.attach(copy.bits(), copy.width(), copy.height(), copy.bytesPerLine(), DeviceContext::PixelFormat::Bgrx32,
                  false);
    PaintPicture(&target, 1, 0, 0, lSrcWidth, lSrcHeight, lSrcLeft, lSrcTop, -1, -1, vbSrcCopy);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QGuiApplication::clipboard()->setImage(copy);
    return true;
}

void cDIBSection1::GetBestFitInfo(int DstW, int DstH, int& bfx, int& bfy, int& bfW, int& bfH, bool StretchFit) const {
    const int width = Width(), height = Height();
    if (DstW < width || DstH < height || StretchFit) {
        const float sx = float(double(DstW) / width);
        const float sy = float(double(DstH) / height);
        if (sx >= sy) {
            bfH = DstH;
            bfW = int(vb::RoundHalfEven(double(sy) * width));
        } else {
            bfW = DstW;
            bfH = int(vb::RoundHalfEven(double(sx) * height));
        }
    } else {
        bfW = width;
        bfH = height;
    }
    bfx = (DstW - bfW) / 2;
    bfy = (DstH - bfH) / 2;
}

bool cDIBSection1::CreateFromImage(const QImage& hImage, int, int, int lSrcWidth, int lSrcHeight) {
    if (hImage.isNull()) return false;
    if (lSrcWidth < 0 || lSrcHeight < 0) {
        lSrcWidth = hImage.width();
        lSrcHeight = hImage.height();
    }
    // Rows are counted from the bitmap's bottom, as the platform's bottom-up row copy does.
    return createFromImage(hImage, 0, hImage.height() - lSrcHeight, lSrcWidth, lSrcHeight);
}

bool cDIBSection1::CreateFromPackedDIBPointer(const uchar* pDIB, qsizetype length) {
    if (!pDIB || length < 40) return false;
    const BitmapInfoHeader packed = BitmapInfoHeader::fromBytes(pDIB);
    if (packed.biBitCount <= 15) return false;
    // The bytes are counted before any memory is made: a header may promise gigabytes. Divided,
    // not multiplied, so that no size overflows.
    if (packed.biWidth > 0 && packed.biHeight > 0 && qint64(packed.biWidth) * 4 > (length - 40) / packed.biHeight)
        return false;
    cDIBSection1 made;
    if (!made.Create(packed.biWidth, packed.biHeight)) return false;
    if (length - 40 < made.dataSize()) return false;
    std::memcpy(made.m_bits.get(), pDIB + 40, size_t(made.dataSize()));
    swap(made);
    return dataSize() > 0;
}

// ---- cDIBSection

void cDIBSection::CreateFromPicture(const StdPicture& picThis) {
    if (picThis.Type() != StdPicture::vbPicTypeBitmap) {
        Create(0, 0);
        return;
    }
    createFromImage(picThis.Handle, 0, 0, -1, -1);
}

void cDIBSection::LoadPictureBlt(const DeviceContext* lhDC, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight,
                                 quint32 eRop) {
    blitFrom(lhDC, 0, 0, lSrcWidth, lSrcHeight, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::PaintPicture(DeviceContext* lhDC, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight,
                               int lSrcLeft, int lSrcTop, quint32 eRop) {
    if (!m_bits) return;
    if (lDestWidth < 0) lDestWidth = Width();
    if (lDestHeight < 0) lDestHeight = Height();
    BitBlt(lhDC, lDestLeft, lDestTop, lDestWidth, lDestHeight, &m_dc, lSrcLeft, lSrcTop, eRop);
}

bool cDIBSection::CopyToClipboard(bool bAsDIB) {
    if (bAsDIB) {
        MsgBox(QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"), vbOKOnly);
        return false;
    }
    if (!m_bits || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    QImage copy(Width(), Height(), QImage::Format_RGB32);
    DeviceContext target;
    target.attach(copy.bits(), copy.width(), copy.height(), copy.bytesPerLine(), DeviceContext::PixelFormat::Bgrx32,
                  false);
    PaintPicture(&target, 0, 0, -1, -1, 0, 0, vbSrcCopy);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setImage(copy);
    return !clipboard->image().isNull();
}

void cDIBSection::RandomiseBits(bool bGray) {
    if (!m_bits) return;
    QRandomGenerator random{quint32(QDateTime::currentMSecsSinceEpoch())};
    const auto next = [&] { return uchar(vb::RoundHalfEven(random.generateDouble() * 255)); };
    const int width = Width(), height = Height(), stride = BytesPerScanLine();
    uchar* bits = m_bits.get();
    if (bGray) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uchar* p = bits + qsizetype(y) * stride + x * 3;
                p[0] = p[1] = p[2] = next();
            }
        return;
    }
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            uchar* p = bits + qsizetype(y) * stride + x * 3;
            p[0] = 0;
            p[1] = next();
            p[2] = next();
        }
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int lNewHeight, int lNewWidth) const {
    auto made = std::make_unique<cDIBSection>();
    if (!made->Create(lNewWidth, lNewHeight)) return nullptr;
    if (lNewWidth == Width() && lNewHeight == Height()) made->LoadPictureBlt(m_bits ? &m_dc : nullptr, 0, 0, -1, -1);
    else resampleInto(*made);
    return made;
}

void cDIBSection::resampleInto(cDIBSection& d) const {
    const int ws = Width(), hs = Height(), wd = d.Width(), hd = d.Height();
    const int sourceStride = m_bits ? BytesPerScanLine() : 0;
    const int destStride = d.BytesPerScanLine();
    const uchar* s = m_bits.get();
    uchar* out = d.m_bits.get();
    // Single precision wherever the arithmetic keeps it, so the picture is the same everywhere.
    const float xs = float(double(ws - 1) / wd);
    const float ys = float(double(hs - 1) / hd);
    const auto round = [](float v) { return int(vb::RoundHalfEven(double(v))); };
    for (int i = 0; i < hd; ++i) {
        const float yf = float(double(ys) * i);
        const int y0 = int(std::floor(yf));
        const float fy = float(double(yf) - y0);
        for (int j = 0; j < wd; ++j) {
            const float xf = float(double(xs) * j);
            const int x0 = int(std::floor(xf));
            const float fx = float(double(xf) - x0);
            // Two pixels of two rows: a source of one pixel or one row has no neighbour to read.
            if (!s || x0 < 0 || y0 < 0 || 3 * x0 + 5 >= sourceStride || y0 + 1 >= hs)
                throw VbError(VbError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
            const uchar* row0 = s + qsizetype(y0) * sourceStride + 3 * x0;
            const uchar* row1 = row0 + sourceStride;
            int v[6];
            for (int k = 0; k < 6; ++k) v[k] = round((1 - fy) * row0[k] + fy * row1[k]);
            uchar* target = out + qsizetype(i) * destStride + 3 * j;
            for (int k = 0; k < 3; ++k) target[k] = uchar(qBound(0, round((1 - fx) * v[k] + fx * v[k + 3]), 255));
        }
    }
}
