#pragma once
// A rectangle of a window or control as a picture, rendered offscreen from the widget itself (web
// views included), never read from the screen: nothing that covers the window gets into it.
#include "imaging/picture.h"

class QWidget;

// left, top, width and height in logical pixels. With clientArea cleared the rectangle is measured
// from a top-level window's outer corner (its frame draws nothing here and stays black); for a
// control the two origins are one. A width or height of 0 or less gives an empty picture.
StdPicture GrabWindowPicture(QWidget* hWnd, bool clientArea, int left, int top, int width, int height);
