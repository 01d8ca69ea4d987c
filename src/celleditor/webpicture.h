#pragma once
// A cell picture given by an address turned into a local picture: the page "webpic.html" that
// shows it at its size in the cell, the capture size and the capture file the screenshot dialog
// frm网络截图 writes.
#include <QSize>
#include <QString>

// The page's text, lines joined by "\r" alone: mode 0 the picture as the background of a table of
// the size, mode 1 one element of exactly the size (an img, or the Flash object of a ".swf"
// address, with the wmode line when flashTransparent).
QString WebPicHtml(const QString& address, int width, int height, int mode, bool flashTransparent);
// Writes it as "temp/webpic.html" in the member's folder (GBK, safely). Raises VbError on failure.
void CreateWebPicHtml(const QString& address, int width, int height, int mode, bool flashTransparent);

// The capture size in pixels: the cell's size (CellRecord 1 × 2) for a background, the size boxes
// for a foreground, each as a whole number (halves to even). A size box without a number gives the
// cell's size.
QSize WebPicCaptureSize(bool foreground, const QString& qjw, const QString& qjh);
// "temp/grb<cell>.tmp" (flag "0") or "temp/grp<cell>.tmp" in the member's folder.
QString WebPicCapturePath(const QString& xzFlag);
