#pragma once
// The work of the webmaster certificate frm站长证书, apart from its window: the texts it shows
// and its save, which captures the certificate, keeps the capture in a bitmap scratch file and
// writes it as a JPEG file under the name the member chooses.
#include "imaging/picture.h"
#include "platform/hookcheck.h"

#include <QString>

#include <functional>

class VbError;

// What the certificate's labels show.
struct CertificateTexts {
    QString member;      // labZZ
    QString site;        // labName1: "www.<label>.<domain>"
    QString siteShort;   // labName2: "(<label>.<domain>)"
    QString mobileSite;  // lab3GName: "m.<label>.<domain>"
    QString date;        // labDate: "yyyy年m月d日"; empty when the server date is no date
};
CertificateTexts CertificateTextsFor(const QString& user, const QString& label, const QString& serverDate);

// The name the save dialog proposes: the member name + "的站长证书", cut before its last ".".
QString CertificateFileName(const QString& user);
// The chosen name with ".jpg" appended unless its last four characters are ".jpg" in any case.
QString WithJpgExtension(const QString& name);
// "~temp.tmp" in the folder that TEMP names when it exists, else in the data root's "data".
QString CertificateScratchPath();
// Writes the picture as a BMP file at path. Whatever lies there first (a file, or a link that
// someone else planted) is removed, and the file is then created anew without following links,
// so nothing outside the path is ever written. Raises VbError on failure.
void WriteScratchBitmap(const QString& path, const QImage& picture);
// The error box of a failed save: "错误：" + number + CR CR + description, title "错误提示".
void ShowCertificateSaveError(const VbError& error);

// What the save does to its window. Every hook is required (platform/hookcheck.h).
struct WebmasterCertificateView {
    // The certificate picPic as it is shown, web page included; an empty picture when it cannot
    // be captured.
    std::function<StdPicture()> capture;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("capture", bool(capture));
    }
};

class WebmasterCertificateController {
public:
    WebmasterCertificateView view;

    // Captures the certificate anew and, after the save dialog, writes it as a JPEG file at
    // quality 95. A cancelled dialog ends it silently; every failure shows the error box.
    void cmdSave_Click();

    // The capture as read back from the scratch file (picSave's picture): what is written.
    StdPicture picSave;
};
