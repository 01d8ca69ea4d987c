#include "login/loginart.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

QPixmap LoginArtwork(const QSize& size, const QString& title) {
    QPixmap pm(size);
    QPainter p(&pm);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(0x1f, 0x5f, 0xa8));
    g.setColorAt(1, QColor(0x7f, 0xc4, 0xf0));
    p.fillRect(pm.rect(), g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(255, 255, 255, 60));
    for (int i = 0; i < 6; ++i) p.drawEllipse(QPoint(size.width() - 40 * i, size.height()), 60 + 30 * i, 60 + 30 * i);
    QFont f = p.font();
    f.setPixelSize(qMax(12, size.height() / 4));
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pm.rect().adjusted(20, 0, -20, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    return pm;
}
