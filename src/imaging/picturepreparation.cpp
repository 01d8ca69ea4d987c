#include "imaging/picturepreparation.h"

#include "imaging/dibprocess.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "imaging/overlaypainting.h"
#include "imaging/reducedjpeg.h"
#include "imaging/watermarksettings.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <jerror.h>
#include <jpeglib.h>

namespace {

constexpr double kFitTwips = 9000;

// A size in twips as the grab measures it: the fraction dropped, then whole pixels, halves even.
int TwipsToGrabPixels(double twipsValue) {
    return int(vb::RoundHalfEven(std::trunc(twipsValue) / twips::kPerPixel));
}

// Bytes a picture of that size may take, by the same bound Qt's readers apply (0: no bound).
bool WithinAllocationLimit(QSize size) {
    const qint64 limitMb = QImageReader::allocationLimit();
    if (limitMb <= 0) return true;
    return qint64(size.width()) * size.height() * 4 <= limitMb * 1024 * 1024;
}

// ---- JPEG through libjpeg-turbo, at a reduced DCT scale

struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool truncated;
};

void onJpegError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1); }

// The decoder pads a file cut short with grey and carries on; such a file is not a picture.
void onJpegMessage(j_common_ptr cinfo, int level) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    if (level < 0 && errors->pub.msg_code == JWRN_JPEG_EOF) errors->truncated = true;
}

struct JpegHeader {
    int width = 0;
    int height = 0;
    bool decodable = false;  // a colour space the decoder turns into BGRX itself
};

struct JpegPixels {
    uchar* bits = nullptr;  // malloc'ed, 4 bytes a pixel, rows top-down
    int width = 0;
    int height = 0;
    // With a part asked for: the first pixel of the part in each row (the decoder starts rows at a
    // block boundary), and the part's height.
    int skip = 0;
};

// Reads the header, and with a scale (eighths, 1 to 8) also the pixels at that scale: all of them,
// or only the rows and columns of part (in the scaled picture's pixels) when it is not empty. Plain
// data only between setjmp and longjmp: nothing here needs a destructor.
bool ReadJpeg(const uchar* data, size_t size, int scaleNum, JpegHeader* header, JpegPixels* out,
              QRect part = QRect()) {
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onJpegError;
    errors.pub.emit_message = onJpegMessage;
    errors.truncated = false;
    if (out) out->bits = nullptr;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        if (out) {
            std::free(out->bits);
            out->bits = nullptr;
        }
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    header->width = int(cinfo.image_width);
    header->height = int(cinfo.image_height);
    header->decodable = cinfo.jpeg_color_space == JCS_YCbCr || cinfo.jpeg_color_space == JCS_RGB ||
                        cinfo.jpeg_color_space == JCS_GRAYSCALE;
    if (!out) {
        jpeg_destroy_decompress(&cinfo);
        return true;
    }
    cinfo.scale_num = unsigned(scaleNum);
    cinfo.scale_denom = 8;
    cinfo.out_color_space = JCS_EXT_BGRX;  // QImage's RGB32 byte order, no conversion pass
    jpeg_start_decompress(&cinfo);
    const QRect whole(0, 0, int(cinfo.output_width), int(cinfo.output_height));
    part = part.isEmpty() ? whole : part.intersected(whole);
    if (part.isEmpty()) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    JDIMENSION left = JDIMENSION(part.x()), width = JDIMENSION(part.width());
    if (part != whole) jpeg_crop_scanline(&cinfo, &left, &width);
    out->skip = part.x() - int(left);
    out->width = int(width);
    out->height = part.height();
    const size_t stride = size_t(out->width) * 4;
    out->bits = static_cast<uchar*>(std::malloc(stride * size_t(out->height)));
    if (!out->bits) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (part.y() > 0) jpeg_skip_scanlines(&cinfo, JDIMENSION(part.y()));
    for (int row = 0; row < part.height(); ++row) {
        JSAMPROW at = out->bits + stride * size_t(row);
        jpeg_read_scanlines(&cinfo, &at, 1);
    }
    // Rows below the part are never decoded.
    if (part.bottom() == whole.bottom()) jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (errors.truncated) {
        std::free(out->bits);
        out->bits = nullptr;
        return false;
    }
    return true;
}

void FreeBits(void* bits) { std::free(bits); }

// Smooth scaling to the exact size; a picture already of that size is kept as it is.
QImage ScaledTo(const QImage& picture, QSize size) {
    if (picture.isNull() || picture.size() == size) return picture;
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The picture at scale eighths, or the part of it (in the scaled picture's pixels) when not empty.
QImage DecodeJpegPart(const QByteArray& bytes, int scale, QRect part) {
    JpegHeader header;
    JpegPixels pixels;
    if (!ReadJpeg(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size()), scale, &header, &pixels,
                  part))
        return QImage();
    return QImage(pixels.bits + size_t(pixels.skip) * 4, pixels.width - pixels.skip, pixels.height,
                  qsizetype(pixels.width) * 4, QImage::Format_RGB32, FreeBits, pixels.bits);
}

// The DCT-scaled decode alone, wanted set to sizeFor's answer; nullopt when the data is not a JPEG
// this decoder takes (the Qt reader then tries it).
std::optional<QImage> DecodeJpegCovering(const QByteArray& bytes, const std::function<QSize(QSize)>& sizeFor,
                                         QSize* wanted) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    JpegHeader header;
    if (!ReadJpeg(data, size_t(bytes.size()), 0, &header, nullptr)) return QImage();
    if (!header.decodable) return std::nullopt;
    *wanted = sizeFor(QSize(header.width, header.height));
    if (wanted->isEmpty()) return QImage();
    const int scale = JpegScaleCovering(QSize(header.width, header.height), *wanted);
    const QSize decoded(int((qint64(header.width) * scale + 7) / 8), int((qint64(header.height) * scale + 7) / 8));
    if (!WithinAllocationLimit(decoded)) return QImage();
    return DecodeJpegPart(bytes, scale, QRect());
}

std::optional<QImage> LoadJpegScaled(const QByteArray& bytes, const std::function<QSize(QSize)>& sizeFor) {
    // The common kind of file by our own reduced decoder; anything it leaves goes to libjpeg.
    ReducedJpeg reduced;
    if (reduced.open(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size()))) {
        const QSize wanted = sizeFor(reduced.size());
        if (wanted.isEmpty()) return QImage();
        const QSize plane = reduced.planeSize(wanted);
        if (!plane.isEmpty() && WithinAllocationLimit(plane) && WithinAllocationLimit(wanted)) {
            QImage picture = reduced.decode(wanted);
            if (!picture.isNull()) return picture;
        }
    }
    QSize wanted;
    std::optional<QImage> decoded = DecodeJpegCovering(bytes, sizeFor, &wanted);
    if (decoded) *decoded = ScaledTo(*decoded, wanted);
    return decoded;
}

// A file that starts as a JPEG does, its bytes read into memory. Not mapped: a photo cut short by
// another program while it is decoded would then stop the program (SIGBUS) instead of failing.
struct JpegFile {
    QFile file;
    QByteArray bytes;
};

bool ReadJpegFile(const QString& path, JpegFile& jpeg) {
    jpeg.file.setFileName(path);
    if (!jpeg.file.open(QIODevice::ReadOnly) || jpeg.file.peek(3) != QByteArray("\xFF\xD8\xFF", 3)) return false;
    jpeg.bytes = jpeg.file.readAll();
    return true;
}

// ---- the layout

// What a layout lays over the picture, placed on its canvas.
struct Overlays {
    QImage border;
    std::optional<OverlayLabel> text;
    QPoint textAt;
    QImage watermark;
    OverlayFrame watermarkFrame = OverlayFrame::None;
    QPoint watermarkAt;
};

// The label as the window designs it: Arial Black, 15 points, weight 900, italic.
OverlayLabel DesignedLabel() {
    OverlayLabel label;
    label.font.setFamily(QStringLiteral("Arial Black"));
    SetFontPoints(label.font, 15);
    label.font.setWeight(QFont::Black);
    label.font.setItalic(true);
    return label;
}

QImage ReadOverlayPicture(const QString& path) {
    if (!QFile::exists(path)) return QImage();
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QPoint Placed(int codeH, int codeV, QSize canvas, QSize item) {
    const double left = PlaceOverlay(codeH, twips::FromPixels(canvas.width()), twips::FromPixels(item.width()), 0);
    const double top = PlaceOverlay(codeV, twips::FromPixels(canvas.height()), twips::FromPixels(item.height()), 0);
    return QPoint(twips::ToPixels(left), twips::ToPixels(top));
}

// The overlays wab.dat sets for a canvas of that size; withBorder false leaves the border out
// (after a turn it is already in the picture).
Overlays LayOverlays(const UploadPictureRequest& request, QSize canvas, bool withBorder) {
    Overlays laid;
    if (!request.overlays) return laid;
    const std::optional<WatermarkSettings> settings = ReadWatermarkSettings(request.userFolder);
    if (!settings) return laid;
    const QDir folder(request.userFolder);
    if (!settings->text.isEmpty()) {
        OverlayLabel label = DesignedLabel();
        label.text = settings->text;
        // An empty name is refused, as the label keeps its font when setting one fails.
        if (!vb::Trim(settings->fontName).isEmpty()) label.font.setFamily(settings->fontName);
        // A size that is no number leaves the designed one, as a failed step is skipped.
        const QString size = vb::Trim(settings->fontSize);
        if (vb::IsNumeric(size)) {
            const qint64 points = vb::RoundHalfEven(vb::Val(size));
            if (points > 0 && points <= 2048) SetFontPoints(label.font, double(points));
        }
        ApplyFontStyle(label.font, vb::Trim(settings->fontStyle));
        label.backColor = ColorFromNumber(settings->backColor);
        label.transparent = settings->transparentBack;
        label.frame = FrameOf(settings->textFrame, settings->textFrame3D);
        label.font.setUnderline(settings->underline);
        label.foreColor = ColorFromNumber(settings->textColor);
        label.font.setStrikeOut(settings->strikeout);
        laid.textAt = Placed(settings->textAlignH, settings->textAlignV, canvas, OverlayLabelSize(label));
        laid.text = label;
    }
    if (settings->hasPicture && !settings->pictureExtension.isEmpty()) {
        laid.watermark = ReadOverlayPicture(folder.filePath(WatermarkCopyFile(settings->pictureExtension)));
        laid.watermarkFrame = FrameOf(settings->pictureFrame, settings->pictureFrame3D);
        if (!laid.watermark.isNull())
            laid.watermarkAt = Placed(settings->pictureAlignH, settings->pictureAlignV, canvas,
                                      FramedPictureSize(laid.watermark, laid.watermarkFrame));
    }
    if (withBorder && settings->hasBorder) laid.border = ReadOverlayPicture(folder.filePath(kBorderCopyFile));
    return laid;
}

// The canvas from bottom to top: picture, border, picture watermark, text. A picture handed over
// alone is painted on where it lies.
QImage Render(QImage picture, const Overlays& laid, bool watermarks) {
    const bool anything = !laid.border.isNull() || (watermarks && (laid.text || !laid.watermark.isNull()));
    if (!anything) return picture;
    QImage canvas = std::move(picture).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    DrawStretchedBorder(painter, canvas.rect(), laid.border);
    if (watermarks) {
        DrawFramedPicture(painter, laid.watermarkAt, laid.watermark, laid.watermarkFrame);
        if (laid.text) DrawOverlayLabel(painter, laid.textAt, *laid.text);
    }
    painter.end();
    return canvas;
}

// Quarter turns as the text gives them; text that is no number turns nothing.
int QuarterTurns(const QString& rotation) {
    const QString count = vb::Trim(rotation);
    if (!vb::IsNumeric(count)) return 0;
    const double v = vb::Val(count);
    if (std::abs(v) > 1e6) return 0;
    return int(vb::RoundHalfEven(v));
}

// A quarter, half or three-quarter turn clockwise, the pixels moved as they are.
QImage TurnedByQuarters(const QImage& picture, int quarters) {
    const int w = picture.width(), h = picture.height();
    QImage turned(quarters == 2 ? QSize(w, h) : QSize(h, w), QImage::Format_RGB32);
    if (turned.isNull()) return QImage();
    const auto* from = reinterpret_cast<const QRgb*>(picture.constBits());
    const qsizetype stride = picture.bytesPerLine() / 4;
    for (int y = 0; y < turned.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(turned.scanLine(y));
        if (quarters == 1) {  // the left column from the bottom row up
            for (int x = 0; x < turned.width(); ++x) out[x] = from[(h - 1 - x) * stride + y];
        } else if (quarters == 2) {
            const QRgb* row = from + (h - 1 - y) * stride;
            for (int x = 0; x < w; ++x) out[x] = row[w - 1 - x];
        } else {  // the left column from the top row down, taken from the right
            for (int x = 0; x < turned.width(); ++x) out[x] = from[x * stride + (w - 1 - y)];
        }
    }
    return turned;
}

QImage Turned(const QImage& picture, int quarterTurns) {
    // Whole quarter turns of a few rounds move every pixel whole, as the general turn below does
    // for them, and need no bitmap sections.
    if (quarterTurns >= -4 && quarterTurns <= 4 && picture.format() == QImage::Format_RGB32) {
        const int quarters = ((quarterTurns % 4) + 4) % 4;
        return quarters == 0 ? picture.copy() : TurnedByQuarters(picture, quarters);
    }
    auto dib = std::make_shared<cDIBSection1>();
    if (!dib->CreateFromHandle(picture, 0, 0, -1, -1)) return QImage();
    cDIBProcess process;
    try {
        process.RotateDIB(dib, float(quarterTurns * 90), 0x000000);  // picBackColor is black
    } catch (const VbError&) {
        return QImage();
    }
    // The section stores its rows bottom-up.
    return dib->hDC()->memoryView(QRect(0, 0, dib->Width(), dib->Height())).mirrored(false, true);
}

void WriteBitmap(const QImage& picture, const QString& path) {
    cDIBSection1 dib;
    if (dib.CreateFromHandle(picture, 0, 0, -1, -1)) dib.SaveBitmap(path);
}

}  // namespace

QSize FitUploadPicture(QSize natural) {
    const double w0 = twips::FromPixels(natural.width()), h0 = twips::FromPixels(natural.height());
    if (w0 <= 0 || h0 <= 0) return QSize(0, 0);
    double w, h;
    if (w0 >= h0) {
        w = w0 <= kFitTwips ? w0 : kFitTwips;
        h = h0 / (w0 / w);
    } else {
        h = h0 <= kFitTwips ? h0 : kFitTwips;
        w = w0 / (h0 / h);
    }
    return QSize(TwipsToGrabPixels(w), TwipsToGrabPixels(h));
}

QSize ExplicitUploadSize(const QString& widthTwips, const QString& heightTwips) {
    const double w = vb::Val(widthTwips), h = vb::Val(heightTwips);
    // Beyond any picture a window could show; such a size is refused like an oversized picture.
    if (!(w > 0 && h > 0 && w < 1e9 && h < 1e9)) return QSize(0, 0);
    return QSize(TwipsToGrabPixels(w), TwipsToGrabPixels(h));
}

QSize JpegPictureSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.peek(3) != QByteArray("\xFF\xD8\xFF", 3)) return QSize();
    // A file cut short shows no end marker; it is left to the readers that decode it at once.
    if (!file.seek(file.size() - 2) || file.read(2) != QByteArray("\xFF\xD9", 2)) return QSize();
    // The header lies in the first segments; a picture with a large profile before it is read whole.
    for (const qint64 length : {qint64(64 * 1024), file.size()}) {
        file.seek(0);
        const QByteArray head = file.read(length);
        JpegHeader header;
        if (ReadJpeg(reinterpret_cast<const uchar*>(head.constData()), size_t(head.size()), 0, &header, nullptr)) {
            const QSize size(header.width, header.height);
            return header.decodable && WithinAllocationLimit(size) ? size : QSize();
        }
        if (head.size() >= file.size()) break;
    }
    return QSize();
}

std::optional<QImage> LoadJpegCovering(const QString& path, const std::function<QSize(QSize natural)>& sizeFor) {
    JpegFile jpeg;
    if (!ReadJpegFile(path, jpeg)) return std::nullopt;
    QSize wanted;
    return DecodeJpegCovering(jpeg.bytes, sizeFor, &wanted);
}

int JpegScaleCovering(QSize natural, QSizeF wanted) {
    for (int m = 1; m < 8; ++m)
        if ((qint64(natural.width()) * m + 7) / 8 >= wanted.width() &&
            (qint64(natural.height()) * m + 7) / 8 >= wanted.height())
            return m;
    return 8;
}

QImage LoadJpegPart(const QString& path, int scale, QRect part) {
    JpegFile jpeg;
    return !part.isEmpty() && ReadJpegFile(path, jpeg) ? DecodeJpegPart(jpeg.bytes, qBound(1, scale, 8), part) : QImage();
}

QImage LoadScaledPicture(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    if (path.isEmpty()) return QImage();
    if (JpegFile jpeg; ReadJpegFile(path, jpeg))
        if (std::optional<QImage> picture = LoadJpegScaled(jpeg.bytes, sizeFor)) return *picture;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize natural = reader.size();
    if (natural.isEmpty()) return QImage();
    const QSize wanted = sizeFor(natural);
    if (wanted.isEmpty() || !WithinAllocationLimit(wanted)) return QImage();
    QImage picture;
    if (!reader.read(&picture)) return QImage();
    return ScaledTo(picture.convertToFormat(QImage::Format_RGB32), wanted);
}

UploadPictureComposition ComposeUploadPicture(const UploadPictureRequest& request) {
    UploadPictureComposition made;
    const bool explicitSize = !request.explicitWidth.isEmpty();
    QImage fitted = LoadScaledPicture(request.picturePath, [&](QSize natural) {
        return explicitSize ? ExplicitUploadSize(request.explicitWidth, request.explicitHeight)
                            : FitUploadPicture(natural);
    });
    if (fitted.isNull()) return made;

    const Overlays first = LayOverlays(request, fitted.size(), true);
    if (request.rotation == QLatin1String("0")) {
        made.shown = Render(std::move(fitted), first, true);
        made.firstGrab = made.shown;
        made.picture = made.shown;
        return made;
    }
    // The watermarks are hidden for the turn and laid again upright on the turned canvas; the
    // border turns with the picture.
    made.firstGrab = Render(std::move(fitted), first, false);
    // What the window shows is that grab with the watermarks laid on it, the border not again.
    Overlays watermarks = first;
    watermarks.border = QImage();
    made.shown = Render(made.firstGrab, watermarks, true);
    made.turned = Turned(made.firstGrab, QuarterTurns(request.rotation));
    if (made.turned.isNull()) return made;
    const QImage refitted = ScaledTo(made.turned, FitUploadPicture(made.turned.size()));
    made.picture = Render(refitted, LayOverlays(request, refitted.size(), false), true);
    return made;
}

UploadPictureRequest UploadPictureRequestFromLabels() {
    UploadPictureRequest request;
    request.picturePath = frm个人网站Labels::labZipPicPath;
    request.overlays = frm个人网站Labels::labUploadWatermarkBorder == QLatin1String("1");
    request.rotation = frm个人网站Labels::labRotation;
    request.userFolder = UserFolder;
    if (!frm个人网站Labels::labZipPicWidth.isEmpty()) {
        request.explicitWidth = frm个人网站Labels::labZipPicWidth;
        request.explicitHeight = frm个人网站Labels::labZipPicHeight;
        frm个人网站Labels::labZipPicWidth.clear();
        frm个人网站Labels::labZipPicHeight.clear();
    }
    return request;
}

void RemovePreparedFiles(const QString& userFolder) {
    if (userFolder.isEmpty()) return;
    const QDir folder(userFolder);
    QFile::remove(folder.filePath(kPreparedGrabFile));
    QFile::remove(folder.filePath(kPreparedPictureFile));
}

bool WritePreparedFiles(const UploadPictureComposition& composition, const QString& userFolder) {
    if (userFolder.isEmpty() || composition.firstGrab.isNull()) return false;
    const QDir folder(userFolder);
    const QString grabFile = folder.filePath(kPreparedGrabFile);
    WriteBitmap(composition.firstGrab, grabFile);
    if (!composition.turned.isNull()) {
        WriteBitmap(composition.turned, QDir(paths::DataRoot()).filePath(kTurnedPictureFile));
        if (!composition.picture.isNull()) WriteBitmap(composition.picture, grabFile);
    }
    if (composition.picture.isNull()) return false;
    cDIBSection dib;
    dib.CreateFromPicture(StdPicture{composition.picture});
    try {
        // Made again from the member's picture at every upload: no sync needed.
        return WriteJpegFile(dib, folder.filePath(kPreparedPictureFile), kPreparedJpegQuality,
                             paths::Durability::Scratch);
    } catch (const VbError&) {
        return false;
    }
}

void PicturePreparationController::LoadAndOverlayPicture() {
    const UploadPictureRequest request = UploadPictureRequestFromLabels();
    m_userFolder = request.userFolder;
    RemovePreparedFiles(m_userFolder);
    m_composition = ComposeUploadPicture(request);
    CALL_REQUIRED_HOOK(m_view.showComposition, m_composition.shown);
}

bool PicturePreparationController::Finish() { return WritePreparedFiles(m_composition, m_userFolder); }
