#pragma once
// The picture object that the grab hands out and the bitmap classes read: a bitmap, or nothing.
#include <QImage>

struct StdPicture {
    // The platform's picture types: none and bitmap (the only kinds made here).
    static constexpr int vbPicTypeNone = 0;
    static constexpr int vbPicTypeBitmap = 1;

    QImage Handle;  // the bitmap; null for an empty picture

    int Type() const { return Handle.isNull() ? vbPicTypeNone : vbPicTypeBitmap; }
    int Width() const { return Handle.width(); }
    int Height() const { return Handle.height(); }
};
