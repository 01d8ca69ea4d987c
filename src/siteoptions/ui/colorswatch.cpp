#include "siteoptions/ui/colorswatch.h"

#include "platform/twips.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>

QLabel* NewSwatch(QWidget* parent) {
    auto* swatch = new QLabel(parent);
    swatch->setFixedSize(twips::ToPixels(375), twips::ToPixels(255));
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    swatch->hide();
    return swatch;
}

void SetSwatchColor(QWidget* swatch, const QColor& color) {
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, color);
    swatch->setPalette(p);
}
