#pragma once
// Small pictures for the imaging tests, and pixels read back by picture position.
#include "imaging/dibsection.h"

#include <QColor>
#include <QImage>

namespace imagingtest {

// The pixel at picture position (x, y), y = 0 the top row, of a held section.
inline QColor pixelAt(const DibSectionBase& dib, int x, int y) {
    const int bytes = dib.ColorBit() / 8;
    const uchar* p = dib.DIBSectionBitsPtr() + qsizetype(dib.Height() - 1 - y) * dib.BytesPerScanLine() + x * bytes;
    return QColor(p[2], p[1], p[0]);
}

// A picture whose every pixel is `paint(x, y)`.
template <typename Paint>
QImage pictureOf(int w, int h, Paint paint) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixelColor(x, y, paint(x, y));
    return image;
}

inline QImage flat(int w, int h, QColor c) {
    return pictureOf(w, h, [&](int, int) { return c; });
}

}  // namespace imagingtest
