#pragma once
// The main window's hidden parameter labels: small text values that one window writes before it
// opens another, which reads them. They live from start to exit, so they are static data here and
// exist without the window; the window class derives from this struct. Data only.
#include "platform/statereset.h"

#include <QString>

struct SiteWindowLabels {
    // Which upload window asks for the screenshot hint: "1" frm上传, "2" frm上传特定,
    // "3" frm上传单个文件.
    static inline QString labUploadJM;
    // "1" once the album list was read from the service in this run; then a new album stamp goes
    // into the cached album list, else into LoginInfo field 7.
    static inline QString labDownDirFlag;
    // Address of the template gallery page the template chooser shows.
    static inline QString labMBURL;
    // Full path of the picture the picture-preparation worker is to prepare.
    static inline QString labZipPicPath;
    // "1": lay the watermarks and border over the prepared picture; "0": none.
    static inline QString labUploadWatermarkBorder;
    // Quarter turns for the preparation worker, "-3" to "3".
    static inline QString labRotation;
    // Explicit output size in twips for the worker; nothing writes them, the worker empties both
    // after use when the width holds text.
    static inline QString labZipPicWidth;
    static inline QString labZipPicHeight;
    // Size in twips a picture for a fixed-size widget album must have.
    static inline QString labWidth;
    static inline QString labHeight;
    // "1": the special upload window offers its watermark options.
    static inline QString labAddWatermark;
    // Picture to crop, and the JPEG the crop writes, in the fixed-size crop mode.
    static inline QString labCutPicPath;
    static inline QString labCutFileName;
    // Album choice of the upload window: "0" the member picks one of the own albums; "1" the
    // opener fixed the album.
    static inline QString labUPloadType;
    // Mode of the hosted file manager: "0" manage, "1" pick for the micro-blog writer, "2" pick
    // for the blog writer.
    static inline QString labViewType;
    // Slot number for the file manager's insert command; nothing writes it.
    static inline QString labFileSN;
    // "1": the album settings stored the home-page albums on the service.
    static inline QString labSaveHomeAlbum;

    // The domain box: true (shown) while the member has no registered domain, and every publish
    // refuses to run. Goes false once, at load when LoginInfo field 12 holds a domain or after a
    // successful registration. A flag of its own, never the widget's visibility, which is also
    // false while the window is hidden or minimised.
    static inline bool txtDomainNameVisible;

    // The initial values (registered below; a fresh main window starts from them too).
    static void resetLabels() {
        labUploadJM = QStringLiteral("0");
        labDownDirFlag = QStringLiteral("0");
        labMBURL.clear();
        labZipPicPath.clear();
        labUploadWatermarkBorder = QStringLiteral("0");
        labRotation = QStringLiteral("0");
        labZipPicWidth.clear();
        labZipPicHeight.clear();
        labWidth = QStringLiteral("100");
        labHeight = QStringLiteral("100");
        labAddWatermark = QStringLiteral("0");
        labCutPicPath.clear();
        labCutFileName.clear();
        labUPloadType = QStringLiteral("0");
        labViewType = QStringLiteral("1");
        labFileSN.clear();
        labSaveHomeAlbum = QStringLiteral("0");
        txtDomainNameVisible = true;
    }
};
inline const bool siteWindowLabelsRegistered = RegisterStateReset(&SiteWindowLabels::resetLabels);
using frm个人网站Labels = SiteWindowLabels;  // 个人网站 main window
