#pragma once
// Small pictures of status that the windows show beside their controls, drawn here: the characters
// that would stand for them (an hourglass, a padlock) are in no installed font and would show as
// missing-glyph boxes.
#include <QPixmap>

// A busy hourglass, side × side pixels, on a transparent ground.
QPixmap HourglassPicture(int side);
// A closed padlock (a choice locked by another), width × height pixels, on a transparent ground.
QPixmap PadlockPicture(int width, int height);
