#pragma once
// The picture sources of the cell editor apart from its windows: the size rule of a chosen file,
// the fitting of a GIF foreground, the texts of the size and advice dialogs and the materials
// pages.
#include <QString>

inline const QString kBackgroundFileFilter =
    QStringLiteral("图像文件(*.jpg;*.gif;*.bmp;*.png)|*.jpg;*.gif;*.bmp;*.png");
inline const QString kForegroundFileFilter =
    QStringLiteral("图像文件(*.jpg;*.gif;*.bmp;*.swf;*.png)|*.jpg;*.gif;*.bmp;*.swf;*.png");

// The type of a chosen file: the last four characters of the trimmed path, lower-cased.
QString PictureFileType(const QString& path);
// The size rule: the message for a file other than ".jpg" or ".bmp" over 500 KB (its length /
// 1024 - 1, halves to even); the empty text when it passes. A file that cannot be read has no
// length and passes here; reading it is the next step.
QString OversizePictureMessage(const QString& path);

// A GIF foreground of w × h pixels in a cell of cw × ch: CellRecord 5 and 6 as the fit leaves them
// (the cell's size unless scaled; a scaled side keeps its fraction) and the size boxes, scaled
// down in proportion until the picture fits.
struct GifFit {
    QString recordWidth, recordHeight;
    int boxWidth = 0, boxHeight = 0;
};
GifFit FitGifForeground(int w, int h, int cw, int ch);

// The size dialogs frm背景图片设置 and frm前景图片设置.
struct PictureSizeDialogTexts {
    QString caption;
    QString label1;
    QString opt1;
    QString option2;
    qint16 cropMode = 0;  // CropTargetMode of the crop it offers
};
PictureSizeDialogTexts SizeDialogTexts(bool foreground, const QString& cellWidth, const QString& cellHeight);
inline const QString kSizeDialogNote = QStringLiteral("[注：本设置仅适用于 .jpg 和 .bmp 格式的图片]");

// The advice before a foreground change, frm更换前景图提示, top to bottom.
inline const QString kAdviceCaption = QStringLiteral("更换前景图提示");
inline const QString kAdviceIntro = QStringLiteral("您正在进行更换前景图的操作，在操作之前请先参考下面的建议：");
inline const QString kAdvice1 = QStringLiteral(
    "1、前景图建议使用具有透明特性的swf(flash)、gif等格式的图片，因为使用不透明的前景图就会全完遮住背景图，"
    "您若不清楚您将要使用的图片是否具有透明特性，则建议您把图片使用在背景图中，而不要用在前景图中。");
inline const QString kAdvice2 = QStringLiteral("2、要在图片上写字，也建议尽可能选择在背景图上写字。");
inline const QString kAdviceQuestion = QStringLiteral("您是否还要继续进行更换前景图的操作？");
inline const QString kAdviceIKnow = QStringLiteral("我知道了，不要再提示我了。");

// The materials page of a cell: "/pwtd/sc01/bj<n>.aspx" (background) or "qj<n>" (foreground) on
// the service's materials host; n is the cell number, but 13 for 19, 14 for 20, 15 for 21 and 7
// for 24, which share those cells' pages.
QString MaterialsPageNumber(const QString& cell);
QString MaterialsPageUrl(bool foreground, const QString& cell);
