#pragma once
// The boxes that show a chosen font colour in the text-style panels of the site option windows.
#include <QColor>

class QLabel;
class QWidget;

// A framed box of the panels' swatch size, hidden until placed.
QLabel* NewSwatch(QWidget* parent);
// Fills the box (or any widget that paints its background) with the colour.
void SetSwatchColor(QWidget* swatch, const QColor& color);
