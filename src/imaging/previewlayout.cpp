#include "imaging/previewlayout.h"

#include "platform/vbtext.h"

TwipsRect RecentredBox(const TwipsRect& box, int widthPixels, int heightPixels, int twipsPerPixelX,
                       int twipsPerPixelY) {
    TwipsRect out;
    out.width = twipsPerPixelX * widthPixels;
    out.height = twipsPerPixelY * heightPixels;
    out.left = box.left + (box.width - out.width) / 2;
    out.top = box.top + (box.height - out.height) / 2;
    return out;
}

QSize FittedSize(int width, int height, int n) {
    if (width <= 0 || height <= 0 || n <= 0) return QSize(0, 0);
    const double factor = width > height ? double(width) / n : double(height) / n;
    return QSize(int(vb::RoundHalfEven(width / factor)), int(vb::RoundHalfEven(height / factor)));
}
