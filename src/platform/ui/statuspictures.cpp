#include "platform/ui/statuspictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

QPixmap HourglassPicture(int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = side, m = s * 0.2, top = s * 0.08, bottom = s * 0.92, mid = s / 2;
    const QColor frame(0x6B, 0x4E, 0x2E), glass(0xE8, 0xF1, 0xFA), sand(0xE0, 0xA8, 0x3A);
    p.setPen(QPen(frame, qMax(1.0, s / 12)));
    p.drawLine(QPointF(m - s * 0.06, top), QPointF(s - m + s * 0.06, top));
    p.drawLine(QPointF(m - s * 0.06, bottom), QPointF(s - m + s * 0.06, bottom));
    const QPolygonF bulbs({QPointF(m, top), QPointF(s - m, top), QPointF(mid + s * 0.04, mid), QPointF(s - m, bottom),
                           QPointF(m, bottom), QPointF(mid - s * 0.04, mid)});
    p.setPen(QPen(frame, qMax(1.0, s / 20)));
    p.setBrush(glass);
    p.drawPolygon(bulbs);
    // Sand left in the upper bulb, a thin stream, and a heap in the lower one.
    p.setPen(Qt::NoPen);
    p.setBrush(sand);
    p.drawPolygon(QPolygonF({QPointF(s * 0.34, s * 0.3), QPointF(s * 0.66, s * 0.3), QPointF(mid, s * 0.47)}));
    p.drawRect(QRectF(mid - s * 0.015, s * 0.47, s * 0.03, s * 0.3));
    p.drawPolygon(QPolygonF({QPointF(m + s * 0.04, bottom - s * 0.03), QPointF(s - m - s * 0.04, bottom - s * 0.03),
                             QPointF(mid, s * 0.7)}));
    return pm;
}

QPixmap PadlockPicture(int width, int height) {
    QPixmap pm(width, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = std::min(width, height), x = (width - s) / 2, y = (height - s) / 2;
    const QColor metal(0x8A, 0x6A, 0x1E), body(0xE2, 0xB3, 0x3C);
    // The shackle, then the body over its feet, then the keyhole.
    p.setPen(QPen(metal, std::max(1.5, s / 9), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle(QPointF(x + s * 0.3, y + s * 0.5));
    shackle.lineTo(x + s * 0.3, y + s * 0.32);
    shackle.arcTo(QRectF(x + s * 0.3, y + s * 0.1, s * 0.4, s * 0.42), 180, -180);
    shackle.lineTo(x + s * 0.7, y + s * 0.5);
    p.drawPath(shackle);
    p.setPen(QPen(metal, std::max(1.0, s / 16)));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(x + s * 0.18, y + s * 0.45, s * 0.64, s * 0.47), s * 0.08, s * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawEllipse(QPointF(x + s / 2, y + s * 0.63), s * 0.06, s * 0.06);
    p.drawRect(QRectF(x + s / 2 - s * 0.025, y + s * 0.63, s * 0.05, s * 0.17));
    return pm;
}
