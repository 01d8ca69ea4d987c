#pragma once
// The logic of the text-on-a-picture dialog frm在图片上写字 apart from its window: the picture it
// opens with and the size it shows it at, the composition of the picture with the text label over
// it (what the burn-in and the save keep), the save that hands the written picture back to the
// cell editor, and the dialog's advertisement page.
#include "imaging/overlaypainting.h"

#include <QDate>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

// The editing area picEdit, twips.
inline constexpr int kWriteAreaWidth = 14940;
inline constexpr int kWriteAreaHeight = 6210;

// The label as the dialog opens: empty, 15.75 points, light yellow on a transparent background,
// no frame, in the given font.
OverlayLabel InitialWriteTextLabel(const QString& fontName);

// The picture a path names; a null image when it names no readable picture.
QImage LoadPictureToWriteOn(const QString& path);
// The size the picture shows at, pixels: on a foreground (flag "1") with both trimmed size boxes
// numeric, their size (twips to pixels, halves to even); otherwise its natural size. A size box
// of no positive size keeps the natural size, since a picture of no pixels cannot be written on.
QSize WriteTextShownSize(const QImage& picture, const QString& xzFlag, const QString& qjw, const QString& qjh);
// Top-left that centres an item of the given pixel size in the editing area.
QPoint CentredInWriteArea(const QSize& item);

// What the grab holds: the picture stretched to its shown size with the label drawn at
// labelOffset (from the picture's top-left corner), only as far as the label lies over it.
QImage ComposeWrittenPicture(const QImage& picture, const QSize& shown, const OverlayLabel& label,
                             const QPoint& labelOffset);
// The composition kept as the bitmap "temp/T.tmp" in the member's folder, an older one removed
// first. Throws VbError when it cannot be written.
void KeepWriteTextGrab(const QImage& composition);
// The scratch picture of the background (flag "0") or the foreground: "temp/grb<cell>.jpg" or
// "temp/grp<cell>.jpg" in the member's folder, or its other name while the cell's applied
// picture is that file (CellScratchPicturePath).
QString WrittenPicturePath(const QString& xzFlag);
// Save: the composition kept as T.tmp, written as the flag's JPEG at quality 95, T.tmp removed,
// CellRecord 3 (background) or 4 set to the JPEG's path and labXZFlag set to "OK". A failed step
// shows the error box ("错误：" number, two CRs, description; "错误提示") and changes neither
// CellRecord nor labXZFlag. True when saved.
bool SaveWrittenPicture(const QImage& composition);

// The advertisement page: "/pwtd/" + the weekly folder + "/setpic1.html" with the member's query
// on the advertisement host.
QString WriteTextAdUrl(const QDate& today);
