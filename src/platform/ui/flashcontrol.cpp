#include "platform/ui/flashcontrol.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr QRect kSlideArea(0, 0, 680, FlashControl::kStageHeight);
constexpr QRect kCaptionArea(696, 12, FlashControl::kStageWidth - 708, FlashControl::kStageHeight - 24);

// The part of the slide around the highlight, with the aspect of the slide area; it closes in
// slowly over the scene, so a playing movie moves and a paused one stands still.
QRectF cropAround(const QRect& highlight, const QSize& slide, double progress) {
    const double aspect = double(kSlideArea.width()) / kSlideArea.height();
    // Small controls keep some of their surroundings, so the member sees where they are.
    double w = std::max({highlight.width() * 1.6, highlight.height() * 1.6 * aspect, 420.0});
    w *= 1.2 - 0.2 * progress;
    double h = w / aspect;
    if (w > slide.width()) { w = slide.width(); h = w / aspect; }
    if (h > slide.height()) { h = slide.height(); w = h * aspect; }
    const QPointF c = QRectF(highlight).center();
    const double x = qBound(0.0, c.x() - w / 2, qMax(0.0, slide.width() - w));
    const double y = qBound(0.0, c.y() - h / 2, qMax(0.0, slide.height() - h));
    return QRectF(x, y, w, h);
}

void progressLine(QPainter& p, int frame, int total, const QColor& color) {
    const double part = total > 1 ? double(frame) / (total - 1) : 0;
    p.fillRect(QRectF(0, FlashControl::kStageHeight - 3, FlashControl::kStageWidth * part, 3), color);
}

}  // namespace

FlashControl::FlashControl(QWidget* parent, FlashPlayback::Clock clock) : QWidget(parent), flash(std::move(clock)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    repaint = new QTimer(this);
    connect(repaint, &QTimer::timeout, this, [this] {
        update();
        if (!flash.IsPlaying()) repaint->stop();
    });
    flash.onChange = [this] { followPlayback(); };
}

void FlashControl::followPlayback() {
    update();
    if (flash.IsPlaying() && flash.movie()) {
        repaint->start(qMax(10, int(1000 / flash.movie()->rate)));
    } else {
        repaint->stop();
    }
}

const QImage& FlashControl::slide(const FlashMovie& movie, const QString& name) {
    const QString path = movie.folder + QLatin1Char('/') + name;
    auto it = slides.find(path);
    if (it == slides.end()) it = slides.insert(path, QImage(path));
    return *it;
}

QImage FlashControl::renderStage() {
    QImage image(kStageWidth, kStageHeight, QImage::Format_RGB32);
    QPainter p(&image);
    paintStage(p);
    return image;
}

void FlashControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!flash.movie()) return;
    // "ShowAll": the whole stage, scaled with its aspect kept and centred.
    const double scale = qMin(double(width()) / kStageWidth, double(height()) / kStageHeight);
    p.translate((width() - kStageWidth * scale) / 2, (height() - kStageHeight * scale) / 2);
    p.scale(scale, scale);
    p.setClipRect(QRect(0, 0, kStageWidth, kStageHeight));
    paintStage(p);
}

void FlashControl::paintStage(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.fillRect(QRect(0, 0, kStageWidth, kStageHeight), Qt::white);
    const FlashMovie* movie = flash.movie();
    if (!movie) return;
    const int frame = flash.FrameNum();
    if (movie->kind == FlashMovie::Kind::Swf) {
        paintPlaceholder(p, *movie, frame);
    } else {
        paintTutorial(p, *movie, frame);
    }
}

void FlashControl::paintTutorial(QPainter& p, const FlashMovie& movie, int frame) {
    p.fillRect(QRect(0, 0, kStageWidth, kStageHeight), QColor(0xF4, 0xF7, 0xFB));
    if (const FlashScene* scene = movie.sceneAt(frame)) {
        const QImage& picture = slide(movie, scene->slide);
        const double span = qMax(1, scene->lastFrame - scene->firstFrame);
        const double progress = qBound(0.0, (frame - scene->firstFrame) / span, 1.0);
        if (!picture.isNull()) {
            const QRectF crop = cropAround(scene->highlight, picture.size(), progress);
            p.drawImage(QRectF(kSlideArea), picture, crop);
            // The highlight, mapped from the slide into the area, with a slow pulse.
            const double sx = kSlideArea.width() / crop.width();
            const double sy = kSlideArea.height() / crop.height();
            const QRectF mark((scene->highlight.x() - crop.x()) * sx, (scene->highlight.y() - crop.y()) * sy,
                              scene->highlight.width() * sx, scene->highlight.height() * sy);
            QColor color(0xF0, 0x7A, 0x10);
            color.setAlpha(150 + int(100 * std::fabs(std::sin(frame * 0.25))));
            p.setPen(QPen(color, 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(mark.adjusted(-3, -3, 3, 3), 4, 4);
        } else {
            p.fillRect(kSlideArea, QColor(0xDD, 0xDD, 0xDD));
        }
        p.fillRect(QRect(kSlideArea.right() + 1, 0, kStageWidth - kSlideArea.width(), kStageHeight), Qt::white);
        QFont font = p.font();
        font.setPixelSize(17);
        p.setFont(font);
        p.setPen(QColor(0x22, 0x33, 0x44));
        p.drawText(kCaptionArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, scene->caption);
    }
    progressLine(p, frame, movie.totalFrames, QColor(0x3A, 0x7B, 0xD5));
}

void FlashControl::paintPlaceholder(QPainter& p, const FlashMovie& movie, int frame) {
    p.fillRect(QRect(0, 0, kStageWidth, kStageHeight), QColor(0x40, 0x44, 0x4A));
    // The sign: a rounded square with an "f".
    const QRect sign(kStageWidth / 2 - 150, kStageHeight / 2 - 40, 80, 80);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0x2A, 0x2A));
    p.drawRoundedRect(sign, 14, 14);
    QFont font = p.font();
    font.setPixelSize(60);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(sign, Qt::AlignCenter, QStringLiteral("f"));
    font.setPixelSize(26);
    font.setItalic(false);
    p.setFont(font);
    p.drawText(QRect(sign.right() + 24, sign.top(), 300, sign.height()), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1/%2").arg(frame).arg(movie.totalFrames));
    progressLine(p, frame, movie.totalFrames, QColor(0xE0, 0xE0, 0xE0));
}
