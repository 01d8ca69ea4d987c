#include "imaging/overlaypainting.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

OverlayFrame FrameOf(bool framed, bool threeD) {
    if (!framed) return OverlayFrame::None;
    return threeD ? OverlayFrame::Sunken3D : OverlayFrame::Single;
}

int FrameWidth(OverlayFrame frame) {
    switch (frame) {
    case OverlayFrame::None: return 0;
    case OverlayFrame::Single: return 1;
    case OverlayFrame::Sunken3D: return 2;
    }
    return 0;
}

void SetFontPoints(QFont& font, double points, int twipsPerPixel) {
    if (twipsPerPixel <= 0) twipsPerPixel = 15;
    // A size from outside may be anything; the pixel size stays within what a font takes.
    const double pixels = points * 20.0 / twipsPerPixel;
    font.setPixelSize(pixels >= 1 ? (pixels < 32767 ? qRound(pixels) : 32767) : 1);
}

void ApplyFontStyle(QFont& font, const QString& style) {
    if (style == QStringLiteral("常规")) {
        font.setBold(false);
        font.setItalic(false);
    } else if (style == QStringLiteral("斜体")) {
        font.setItalic(true);
    } else if (style == QStringLiteral("粗体")) {
        font.setBold(true);
    } else if (style == QStringLiteral("粗斜体")) {
        font.setBold(true);
        font.setItalic(true);
    }
}

namespace {

// A frame inside the rectangle: a black line, or the sunken edge of the classic look (dark grey
// and black above and left, white and light grey below and right).
void DrawFrame(QPainter& p, const QRect& r, OverlayFrame frame) {
    if (frame == OverlayFrame::None || r.width() <= 0 || r.height() <= 0) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    const auto edge = [&](const QRect& e, const QColor& topLeft, const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(e.topLeft(), e.topRight());
        p.drawLine(e.topLeft(), e.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(e.bottomLeft(), e.bottomRight());
        p.drawLine(e.topRight(), e.bottomRight());
    };
    if (frame == OverlayFrame::Single) {
        edge(r, Qt::black, Qt::black);
    } else {
        edge(r, QColor(128, 128, 128), Qt::white);
        edge(r.adjusted(1, 1, -1, -1), Qt::black, QColor(212, 208, 200));
    }
    p.restore();
}

}  // namespace

QSize OverlayLabelSize(const OverlayLabel& label) {
    if (label.fixedSize.isValid()) return label.fixedSize;
    const QFontMetrics fm(label.font);
    const int frame = 2 * FrameWidth(label.frame);
    return QSize(fm.horizontalAdvance(label.text) + frame, fm.height() + frame);
}

void DrawOverlayLabel(QPainter& p, const QPoint& topLeft, const OverlayLabel& label) {
    const QRect box(topLeft, OverlayLabelSize(label));
    const int fw = FrameWidth(label.frame);
    p.save();
    if (!label.transparent) p.fillRect(box.adjusted(fw, fw, -fw, -fw), label.backColor);
    p.setFont(label.font);
    p.setPen(label.foreColor);
    const QRect inner = box.adjusted(fw, fw, -fw, -fw);
    if (label.fixedSize.isValid()) {
        // Kept at its size: the lines that do not fit are cut off at the bottom.
        p.setClipRect(inner, Qt::IntersectClip);
        QString text = label.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        // Words wrap; a word longer than the line breaks where it must.
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        double y = 0;
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            if (y >= inner.height()) break;
            QTextLayout layout(paragraph, label.font, p.device());
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(inner.width());
                line.setPosition(QPointF(0, y));
                y += line.height();
            }
            layout.endLayout();
            layout.draw(&p, inner.topLeft());
        }
    } else {
        p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, label.text);
    }
    p.restore();
    DrawFrame(p, box, label.frame);
}

QSize FramedPictureSize(const QImage& picture, OverlayFrame frame) {
    if (picture.isNull()) return QSize(0, 0);
    const int fw = 2 * FrameWidth(frame);
    return picture.size() + QSize(fw, fw);
}

void DrawFramedPicture(QPainter& p, const QPoint& topLeft, const QImage& picture, OverlayFrame frame) {
    if (picture.isNull()) return;
    const int fw = FrameWidth(frame);
    p.drawImage(topLeft + QPoint(fw, fw), picture);
    DrawFrame(p, QRect(topLeft, FramedPictureSize(picture, frame)), frame);
}

void DrawStretchedBorder(QPainter& p, const QRect& rect, const QImage& border) {
    if (border.isNull() || rect.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(rect, border);
    p.restore();
}

double PlaceOverlay(int code, double panelTwips, double itemTwips, double currentTwips) {
    switch (code) {
    case 0: return kOverlayMarginTwips;
    case 1: return (panelTwips - itemTwips) / 2;
    case 2: return panelTwips - itemTwips - kOverlayMarginTwips;
    default: return currentTwips;
    }
}
