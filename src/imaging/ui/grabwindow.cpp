#include "imaging/ui/grabwindow.h"

#include <QPainter>
#include <QWidget>

StdPicture GrabWindowPicture(QWidget* hWnd, bool clientArea, int left, int top, int width, int height) {
    StdPicture picture;
    if (!hWnd || width <= 0 || height <= 0) return picture;
    QPoint origin(left, top);
    if (!clientArea && hWnd->isWindow()) origin -= hWnd->geometry().topLeft() - hWnd->frameGeometry().topLeft();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    const QRect wanted(origin, QSize(width, height));
    const QRect inside = wanted.intersected(hWnd->rect());
    if (!inside.isEmpty()) {
        QPainter painter(&image);
        hWnd->render(&painter, inside.topLeft() - origin, QRegion(inside),
                     QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    picture.Handle = image;
    return picture;
}
