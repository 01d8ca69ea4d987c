#include "imageeditor/editorcanvas.h"

#include "imaging/picturepreparation.h"
#include "platform/syscolors.h"
#include "platform/vbtext.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace vb;

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

void EditorCanvas::bringToFront(CanvasLayer layer) {
    auto it = std::find(stack.begin(), stack.end(), layer);
    std::rotate(it, it + 1, stack.end());
}

CanvasHit EditorCanvas::hitTest(const QPointF& point, double twipsPerPixel) const {
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        switch (*it) {
        case CanvasLayer::Border:
            if (imgBorder.visible && imgBorder.rect.contains(point)) return CanvasHit::Border;
            break;
        case CanvasLayer::AddPic:
            if (imgAddPic.visible && !imgAddPic.picture.isNull() && imgAddPic.rect.contains(point))
                return CanvasHit::AddPic;
            break;
        case CanvasLayer::Mark0:
        case CanvasLayer::Mark1:
        case CanvasLayer::Mark2: {
            const int i = int(*it) - int(CanvasLayer::Mark0);
            const CanvasLabel& l = labWaterMark[size_t(i)];
            if (!l.visible) break;
            if (QRectF(l.topLeft, l.size(twipsPerPixel)).contains(point))
                return CanvasHit(int(CanvasHit::Mark0) + i);
            break;
        }
        case CanvasLayer::Notice:
            if (labUsePicVisible && labUsePicRect.contains(point)) return CanvasHit::Notice;
            break;
        }
    }
    if (imgPic.visible && imgPic.rect.contains(point)) return CanvasHit::Base;
    return CanvasHit::None;
}

QSizeF CanvasLabel::size(double twipsPerPixel) const {
    if (!autoSize) return fixedSize;
    const QSize s = OverlayLabelSize(label);
    return QSizeF(s.width() * twipsPerPixel, s.height() * twipsPerPixel);
}

QRectF CentredOn(const QRectF& frame, QSizeF size) {
    return QRectF(frame.left() + (frame.width() - size.width()) / 2, frame.top() + (frame.height() - size.height()) / 2,
                  size.width(), size.height());
}

void EditorLayers::centreCanvas() {
    canvas.top = (viewportHeight - canvas.height) / 2 - 30;
}

void EditorLayers::pullNoticeInsideFrame() {
    const QRectF& cut = canvas.shaCut;
    QRectF& notice = canvas.labUsePicRect;
    if (notice.left() < cut.left()) notice.moveLeft(cut.left());
    if (notice.left() > cut.left() + cut.width() - notice.width()) notice.moveLeft(cut.left() + cut.width() - notice.width());
    if (notice.top() < cut.top()) notice.moveTop(cut.top());
    if (notice.top() > cut.top() + cut.height() - notice.height()) notice.moveTop(cut.top() + cut.height() - notice.height());
}

void EditorLayers::baseFromFrame() {
    const QImage region = RenderFrameRegion(canvas, MeasuredTwipsPerPixel);
    canvas.imgPic.setPicture(region);
    canvas.imgPic.visible = true;
    canvas.imgPic.rect = canvas.shaCut;
    labImgH = QString::number(canvas.shaCut.height());
    labImgW = QString::number(canvas.shaCut.width());
}
