#pragma once
// The arithmetic of the picture windows' preview box: its place in twips, kept centred when its
// size changes, and the fitted size of the upload windows' previews.
#include <QSize>

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The box resized to width × height pixels around the same centre: the new twips size, and the
// old place moved by half the difference (whole twips, halved toward zero).
TwipsRect RecentredBox(const TwipsRect& box, int widthPixels, int heightPixels, int twipsPerPixelX = 15,
                       int twipsPerPixelY = 15);

// A picture's size scaled so that its longer side is n pixels (the height for a square one),
// each side rounded half to even; smaller pictures grow by the same rule.
QSize FittedSize(int width, int height, int n);
