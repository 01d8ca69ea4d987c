#include "imageeditor/imageeditor.h"

#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "imaging/picturepreparation.h"
#include "imaging/watermarkdialog.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/syscolors.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace vb;

namespace {

struct SizePreset {
    int width;
    int height;
};
constexpr SizePreset kPresets[] = {{600, 600}, {600, 450}, {450, 600}, {500, 500}, {500, 375},
                                   {375, 500}, {500, 250}, {350, 210}, {300, 300}, {250, 185},
                                   {150, 115}, {139, 120}, {115, 150}, {100, 100}, {80, 80}};

QString PresetText(const SizePreset& p) {
    return QString::number(p.width) + QStringLiteral("×") + QString::number(p.height) + QStringLiteral(" (像素)");
}

// The runtime's text of a single-precision number: at most seven significant digits, no trailing
// zeros.
QString SingleText(float value) { return QString::number(double(value), 'g', 7); }

constexpr int kCustomTwipsPerPixel = 15;  // a typed size converts at 15 whatever the display

QString ErrorText(const QString& message) {
    return QStringLiteral("错误：") + message.left(message.size() - 1) + QStringLiteral("，请您重新输入。");
}

}  // namespace

QString UsePicNotice() { return QStringLiteral("插图功能仅限Tavolin空间用户使用。"); }

QColor WorkspaceColor() {
    constexpr quint32 vbApplicationWorkspace = 0x8000000C;
    return OleColorToQColor(vbApplicationWorkspace);
}

void PaintCanvas(QPainter& painter, EditorCanvas& canvas, double twipsPerPixel, bool withFrameLine) {
    const auto px = [twipsPerPixel](const QRectF& r) {
        return QRectF(r.left() / twipsPerPixel, r.top() / twipsPerPixel, r.width() / twipsPerPixel,
                      r.height() / twipsPerPixel);
    };
    painter.save();
    painter.fillRect(px(QRectF(0, 0, canvas.width, canvas.height)), WorkspaceColor());

    if (!canvas.imgPic.pixelSize().isEmpty()) {
        // Unstretched, the picture shows at its own size in pixels.
        QRectF target = px(canvas.imgPic.rect);
        if (!canvas.imgPicStretch) target.setSize(canvas.imgPic.pixelSize());
        // Only the part inside the clip is scaled, so a large zoom costs what shows.
        const QRectF shown = painter.hasClipping() ? target.intersected(painter.clipBoundingRect()) : target;
        if (!shown.isEmpty() && target.width() > 0 && target.height() > 0) canvas.imgPic.cover(target.size());
        const QImage& base = canvas.imgPic.picture;
        if (!base.isNull() && !shown.isEmpty() && target.width() > 0 && target.height() > 0) {
            const double sx = base.width() / target.width();
            const double sy = base.height() / target.height();
            const QRectF source((shown.left() - target.left()) * sx, (shown.top() - target.top()) * sy,
                                shown.width() * sx, shown.height() * sy);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
            painter.drawImage(shown, base, source);
        }
    }
    for (CanvasLayer layer : canvas.stack) {
        switch (layer) {
        case CanvasLayer::Border:
            if (canvas.imgBorder.visible && !canvas.imgBorder.picture.isNull())
                DrawStretchedBorder(painter, px(canvas.imgBorder.rect).toRect(), canvas.imgBorder.picture);
            break;
        case CanvasLayer::AddPic:
            if (canvas.imgAddPic.visible && !canvas.imgAddPic.picture.isNull()) {
                const QRectF r = px(canvas.imgAddPic.rect);
                painter.drawImage(r, canvas.imgAddPic.picture);
                if (canvas.imgAddPicBorder) {
                    painter.setPen(QPen(Qt::black, 1));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(r.adjusted(0, 0, -1, -1));
                }
            }
            break;
        case CanvasLayer::Mark0:
        case CanvasLayer::Mark1:
        case CanvasLayer::Mark2: {
            const CanvasLabel& l = canvas.labWaterMark[size_t(int(layer) - int(CanvasLayer::Mark0))];
            if (!l.visible) break;
            OverlayLabel look = l.label;
            if (!l.autoSize)
                look.fixedSize = QSize(int(std::lround(l.fixedSize.width() / twipsPerPixel)),
                                       int(std::lround(l.fixedSize.height() / twipsPerPixel)));
            DrawOverlayLabel(painter, QPoint(int(std::lround(l.topLeft.x() / twipsPerPixel)),
                                             int(std::lround(l.topLeft.y() / twipsPerPixel))),
                             look);
            break;
        }
        case CanvasLayer::Notice:
            if (canvas.labUsePicVisible) {
                // Light yellow on red, so the notice shows on any picture.
                const QRectF r = px(canvas.labUsePicRect);
                painter.fillRect(r, QColor(0xFF, 0x00, 0x00));
                painter.setPen(QColor(0xFF, 0xFF, 0x80));
                painter.drawText(r, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, UsePicNotice());
            }
            break;
        }
    }
    if (withFrameLine && canvas.shaCutVisible) {
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(px(canvas.shaCut).adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

namespace {

// Of a base picture that holds fewer pixels than it shows, the part inside frame (pixels) decoded
// for one render at the scale its shown size needs, laid where it shows; nullopt when the picture
// already holds enough. A crop at the picture's own size so reads 600 × 450 pixels, not 12 million.
std::optional<CanvasPicture> FramedPart(const CanvasPicture& base, bool stretch, double twipsPerPixel,
                                        const QRect& frame) {
    if (base.reducedFrom.isEmpty()) return std::nullopt;
    const QSize natural = base.natural;
    QRectF target(base.rect.left() / twipsPerPixel, base.rect.top() / twipsPerPixel,
                  base.rect.width() / twipsPerPixel, base.rect.height() / twipsPerPixel);
    if (!stretch) target.setSize(natural);
    if (!(target.width() > 0 && target.height() > 0)) return std::nullopt;
    const QSizeF needed(std::min(target.width(), double(natural.width())),
                        std::min(target.height(), double(natural.height())));
    if (!base.picture.isNull() && base.picture.width() >= needed.width() && base.picture.height() >= needed.height())
        return std::nullopt;
    const int scale = JpegScaleCovering(natural, needed);
    const QRect decoded(0, 0, int((qint64(natural.width()) * scale + 7) / 8),
                        int((qint64(natural.height()) * scale + 7) / 8));
    const QRectF shown = target.intersected(QRectF(frame));
    CanvasPicture part;
    if (shown.isEmpty()) return part;
    const double sx = decoded.width() / target.width(), sy = decoded.height() / target.height();
    // A pixel more on each side, for the smooth scaling at the edges.
    const QRect source = QRectF((shown.left() - target.left()) * sx, (shown.top() - target.top()) * sy,
                                shown.width() * sx, shown.height() * sy)
                             .toAlignedRect()
                             .adjusted(-1, -1, 1, 1)
                             .intersected(decoded);
    part.picture = LoadJpegPart(base.reducedFrom, scale, source);
    if (part.picture.isNull()) return part;
    part.visible = base.visible;
    part.rect = QRectF((target.left() + source.left() / sx) * twipsPerPixel,
                       (target.top() + source.top() / sy) * twipsPerPixel, source.width() / sx * twipsPerPixel,
                       source.height() / sy * twipsPerPixel);
    return part;
}

}  // namespace

QImage RenderFrameRegion(EditorCanvas& canvas, int twipsPerPixel) {
    if (twipsPerPixel <= 0) return {};
    const auto pixels = [twipsPerPixel](double t) { return int(RoundHalfEven(t / twipsPerPixel)); };
    const int left = pixels(canvas.shaCut.left());
    const int top = pixels(canvas.shaCut.top());
    const int width = pixels(canvas.shaCut.width());
    const int height = pixels(canvas.shaCut.height());
    if (width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    // Outside the canvas the grab read the viewport, which is the same workspace colour.
    image.fill(WorkspaceColor());
    QPainter painter(&image);
    painter.setClipRect(0, 0, width, height);
    painter.translate(-left, -top);
    if (std::optional<CanvasPicture> part =
            FramedPart(canvas.imgPic, canvas.imgPicStretch, twipsPerPixel, QRect(left, top, width, height))) {
        EditorCanvas partial = canvas;
        partial.imgPic = *part;
        partial.imgPicStretch = true;
        PaintCanvas(painter, partial, twipsPerPixel, false);
    } else {
        PaintCanvas(painter, canvas, twipsPerPixel, false);
    }
    return image;
}

QStringList SizeListEntries() {
    QStringList entries;
    for (const SizePreset& p : kPresets) entries << PresetText(p);
    entries << kOtherSizeEntry;
    return entries;
}

QStringList EditorFontNames() { return WatermarkFontNames(); }

QImage LoadEditorPicture(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (format != "gif" && format != "jpeg" && format != "bmp" && format != "png" && format != "ico") return {};
    QImage picture;
    // The reader refuses a picture past Qt's allocation bound, as the imaging core does.
    if (!reader.read(&picture)) return {};
    // In place where the format allows: a large photo is not held twice.
    return std::move(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

CanvasPicture OpenEditorPicture(const QString& path) {
    CanvasPicture opened;
    const QSize natural = JpegPictureSize(path);
    if (natural.isEmpty()) {
        opened.setPicture(LoadEditorPicture(path));
    } else {
        opened.reducedFrom = path;
        opened.natural = natural;
    }
    return opened;
}

void CanvasPicture::setPicture(const QImage& whole) {
    picture = whole;
    reducedFrom.clear();
    natural = QSize();
}

void CanvasPicture::cover(QSizeF pixels) {
    if (reducedFrom.isEmpty()) return;
    const QSize needed(qBound(1, int(std::ceil(pixels.width())), natural.width()),
                       qBound(1, int(std::ceil(pixels.height())), natural.height()));
    if (!picture.isNull() && picture.width() >= needed.width() && picture.height() >= needed.height()) return;
    const std::optional<QImage> decoded = LoadJpegCovering(reducedFrom, [needed](QSize) { return needed; });
    // Whole, or past repair (a file damaged or gone since it was opened): no more decoding.
    if (!decoded || decoded->isNull() || decoded->size() == natural)
        setPicture(decoded ? *decoded : QImage());
    else
        picture = *decoded;
}

void ImageEditorController::refresh() { CALL_REQUIRED_HOOK(view.refresh); }

void ImageEditorController::centreCanvas() {
    canvas.top = (viewportHeight - canvas.height) / 2 - 30;
}

void ImageEditorController::Form_Load() {
    EditorLoaded = false;
    HasHostedSpace = LoginField(2) != QLatin1String("0");
    REQUIRE_HOOK(view.measureImg500p);
    const double img500p = view.measureImg500p ? view.measureImg500p() : 7500;
    MeasuredTwipsPerPixel = qint16(RoundHalfEven(img500p / 500));
    const QDate today = QDate::currentDate();
    CALL_REQUIRED_HOOK(view.navigateAd, 1, EditorAdAddress(QStringLiteral("picedit1.html"), today));
    CALL_REQUIRED_HOOK(view.navigateAd, 2, EditorAdAddress(QStringLiteral("picedit2.html"), today));
    for (int i = 0; i < 3; ++i) SetInitialTextLook(canvas.labWaterMark[size_t(i)], i, MeasuredTwipsPerPixel);
    txtWaterMark2Font = canvas.labWaterMark[2].label.font;
    canvas.height = windowHeight;
    canvas.shaCut.setWidth(600 * MeasuredTwipsPerPixel);
    canvas.shaCut.setHeight(450 * MeasuredTwipsPerPixel);
    canvas.shaCut.moveLeft((canvas.width - canvas.shaCut.width()) / 2);
    canvas.shaCut.moveTop((canvas.height - canvas.shaCut.height()) / 2);
    centreCanvas();
    cobSetSizeText = SizeListEntries().at(1);
    cobSetSize_Click();  // does nothing yet: the editor is still loading
    EditorLoaded = true;
    refresh();
}

void ImageEditorController::tooPic_ButtonClick(const QString& key) {
    if (key == QLatin1String("Open"))
        Open();
    else if (key == QLatin1String("Save"))
        Save();
}

void ImageEditorController::Open() {
    picHelpVisible = false;
    refresh();
    const QString chosen = prompts::current().openFile(
        QStringLiteral("打开"),
        QStringLiteral("图像文件(*.gif;*.jpg) (*.gif *.jpg);;其他图像文件(*.bmp;*.png;*.ico) (*.bmp *.png *.ico)"),
        labOpenPath.isEmpty() ? dia1FileName : labOpenPath);
    if (chosen.isEmpty()) return;
    dia1FileName = chosen;
    canvas.imgPicStretch = false;
    CanvasPicture opened = OpenEditorPicture(chosen);
    const QSize picture = opened.pixelSize();
    if (picture.isEmpty()) {
        refresh();
        return;
    }
    opened.visible = true;
    canvas.imgPic = opened;
    const double w = double(picture.width()) * MeasuredTwipsPerPixel;
    const double h = double(picture.height()) * MeasuredTwipsPerPixel;
    canvas.imgPic.rect = QRectF((canvas.width - w) / 2, (canvas.height - h) / 2, w, h);
    centreCanvas();
    if (cobSetSizeText.isEmpty()) {
        cobSetSizeText = SizeListEntries().at(2);
        canvas.shaCutVisible = true;
    }
    labOpenPath = chosen;
    caption = QStringLiteral("图像编辑[") + chosen + QStringLiteral("]");
    labImgH = QString::number(h);
    labImgW = QString::number(w);
    sli1 = 0;
    const int entry = picture.height() > picture.width() ? 2 : picture.height() == picture.width() ? 0 : 1;
    SelectSizeEntry(SizeListEntries().at(entry));
}

void ImageEditorController::EnlargeWorkArea() {
    picAddTextVisible = false;
    picSetWaterMarkVisible = false;
    picSetSizeVisible = false;
    picHelpVisible = false;
}

void ImageEditorController::RestoreWorkArea() { refresh(); }

QImage ImageEditorController::GrabFrameRegion() {
    EnlargeWorkArea();
    QImage region = RenderFrameRegion(canvas, MeasuredTwipsPerPixel);
    RestoreWorkArea();
    return region;
}

void ImageEditorController::Save() {
    StdPicture picSaveJPG;
    picSaveJPG.Handle = GrabFrameRegion();

    QString name = prompts::current().saveFile(QStringLiteral("保存图像文件"), QStringLiteral("JPEG (*.jpg)"),
                                               labSavePath);
    if (name.isEmpty()) return;
    if (!name.toLower().endsWith(QLatin1String(".jpg"))) {
        name += QStringLiteral(".jpg");
        if (!ConfirmReplaceCompleted(name, QStringLiteral("保存图像文件"))) return;
    }
    cDIBSection dib;
    dib.CreateFromPicture(picSaveJPG);
    try {
        WriteJpegFile(dib, name, 95);
    } catch (const VbError& e) {
        // Ending silently would let the member close the editor believing the work was saved.
        MsgBox(QStringLiteral("错误：") + QString::number(e.number()) + QStringLiteral("\r\r") + e.description(),
               vbInformation, QStringLiteral("错误提示"));
        refresh();
        return;
    }
    if (labTemp == QLatin1String("1")) picSetWaterMarkVisible = true;
    caption = QStringLiteral("图像编辑[") + name + QStringLiteral("]");
    labSavePath = name;
    refresh();
}

void ImageEditorController::SelectSizeEntry(const QString& entry) {
    cobSetSizeText = entry;
    cobSetSize_Click();  // the old runtime ran the click handler when code chose an entry
}

void ImageEditorController::cobSetSize_Click() {
    if (!EditorLoaded) return;
    canvas.shaCutVisible = false;
    if (cobSetSizeText != kOtherSizeEntry) labOtherSize.clear();
    bool focusScroll = false;
    bool focusHeight = false;
    for (const SizePreset& p : kPresets) {
        if (cobSetSizeText == PresetText(p)) {
            canvas.shaCut.setWidth(qint16(p.width * MeasuredTwipsPerPixel));
            canvas.shaCut.setHeight(qint16(p.height * MeasuredTwipsPerPixel));
            focusScroll = true;
        }
    }
    if (cobSetSizeText == kOtherSizeEntry) {
        showMaxSizes();
        picSetSizeVisible = true;
        focusHeight = true;
    }
    placeFrame(false);
    if (focusScroll) CALL_REQUIRED_HOOK(view.focusScrollBar);
    if (focusHeight) CALL_REQUIRED_HOOK(view.focusHeightBox);
}

void ImageEditorController::showMaxSizes() {
    labMaxWidth = SingleText(float(windowWidth - 330) / 15.0f);
    labMaxHeight = SingleText(float(windowHeight - 885) / 15.0f);
}

void ImageEditorController::cmdOtherSize_Click() {
    canvas.shaCutVisible = false;
    showMaxSizes();
    picSetSizeVisible = true;
    refresh();
    CALL_REQUIRED_HOOK(view.focusWidthBox);
}

void ImageEditorController::cmdSetSizeYes_Click(const QString& txtSizeW, const QString& txtSizeH) {
    const QString w = Trim(txtSizeW);
    const QString h = Trim(txtSizeH);
    QString message;
    if (!IsNumeric(w)) message = QStringLiteral("宽度必须是数字；");
    if (!IsNumeric(h)) message += QStringLiteral("高度必须是数字；");
    if (message.isEmpty()) {
        const qint64 width = RoundHalfEven(Val(w));
        const qint64 height = RoundHalfEven(Val(h));
        // A frame of no pixels cannot be saved; such a size is refused like one too large.
        if (width <= 0)
            message = QStringLiteral("宽度必须大于0；");
        else if (RoundHalfEven(Val(labMaxWidth)) < width)
            message = QStringLiteral("宽度不能大于") + labMaxWidth + QStringLiteral("；");
        if (height <= 0)
            message += QStringLiteral("高度必须大于0；");
        else if (RoundHalfEven(Val(labMaxHeight)) < height)
            message += QStringLiteral("高度不能大于") + labMaxHeight + QStringLiteral("；");
    }
    if (!message.isEmpty()) {
        MsgBox(ErrorText(message), vbExclamation, QStringLiteral("错误提示"));
        return;
    }
    canvas.shaCutVisible = false;
    labOtherSize = w + QStringLiteral("×") + h + QStringLiteral(" (像素)");
    SelectSizeEntry(kOtherSizeEntry);
    picSetSizeVisible = false;
    labW = w;
    labH = h;
    canvas.shaCut.setHeight(double(RoundHalfEven(Val(h)) * kCustomTwipsPerPixel));
    canvas.shaCut.setWidth(double(RoundHalfEven(Val(w)) * kCustomTwipsPerPixel));
    placeFrame(true);
}

void ImageEditorController::cmdSetSizeCancel_Click() {
    picSetSizeVisible = false;
    canvas.shaCutVisible = true;
    refresh();
}

void ImageEditorController::placeFrame(bool raiseNegative) {
    QRectF& cut = canvas.shaCut;
    cut.moveLeft((canvas.width - cut.width()) / 2);
    cut.moveTop((canvas.height - cut.height()) / 2);
    if (raiseNegative) {
        if (cut.left() < 0) cut.moveLeft(0);
        if (cut.top() < 0) cut.moveTop(0);
    }
    canvas.imgBorder.rect = cut;
    centreCanvas();
    canvas.shaCutVisible = true;
    pullNoticeInsideFrame();
    refresh();
}
