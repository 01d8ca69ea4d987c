#include "siteoptions/webmastercertificate.h"

#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/safefile.h"
#include "platform/serviceconfig.h"
#include "platform/vbdate.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace {

const QString kScratchName = QStringLiteral("~temp.tmp");
constexpr int kJpegQuality = 95;
// The runtime's "Invalid picture".
constexpr int kInvalidPicture = 481;

VbError ScratchError(const QString& path, int error) {
    return VbError(VbError::PathFileAccess, QStringLiteral("Path/File access error: %1 (%2)")
                                                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error))));
}

}  // namespace

CertificateTexts CertificateTextsFor(const QString& user, const QString& label, const QString& serverDate) {
    const QString domain = serviceconfig::current().domain;
    CertificateTexts t;
    t.member = user;
    t.site = QStringLiteral("www.") + label + QLatin1Char('.') + domain;
    t.siteShort = QStringLiteral("(") + label + QLatin1Char('.') + domain + QStringLiteral(")");
    t.mobileSite = QStringLiteral("m.") + label + QLatin1Char('.') + domain;
    if (const std::optional<QDate> d = vb::DateFromText(serverDate))
        t.date = QStringLiteral("%1年%2月%3日").arg(d->year()).arg(d->month()).arg(d->day());
    return t;
}

QString CertificateFileName(const QString& user) {
    const QString name = user + QStringLiteral("的站长证书");
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? name.left(dot) : name;
}

QString WithJpgExtension(const QString& name) {
    return name.right(4).toLower() == QLatin1String(".jpg") ? name : name + QStringLiteral(".jpg");
}

QString CertificateScratchPath() {
    const QString temp = qEnvironmentVariable("TEMP");
    if (!temp.isEmpty() && QFileInfo(temp).isDir()) return QDir(temp).filePath(kScratchName);
    return paths::InRoot(QStringLiteral("data/") + kScratchName);
}

void WriteScratchBitmap(const QString& path, const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "BMP"))
        throw VbError(kInvalidPicture, QStringLiteral("Invalid picture"));
    // The name is fixed, so another user of a shared folder may have put a file or a link there.
    if (const int error = paths::WriteFreshPrivateFile(path, bytes)) throw ScratchError(path, error);
}

void ShowCertificateSaveError(const VbError& error) {
    MsgBox(QStringLiteral("错误：") + QString::number(error.number()) + QStringLiteral("\r\r") + error.description(),
           vbCritical, QStringLiteral("错误提示"));
}

void WebmasterCertificateController::cmdSave_Click() {
    StdPicture& saved = picSave;
    saved = StdPicture{};
    try {
        // Captured before the save dialog opens, so the dialog is never in the picture.
        const StdPicture captured = AskRequiredHook(view.capture);
        const QString scratch = CertificateScratchPath();
        WriteScratchBitmap(scratch, captured.Handle);
        saved.Handle.load(scratch, "BMP");
        if (saved.Type() == StdPicture::vbPicTypeNone)
            throw VbError(kInvalidPicture, QStringLiteral("Invalid picture"));
    } catch (const VbError& e) {
        ShowCertificateSaveError(e);
        return;
    }

    // The dialog asks before it overwrites a file; cancelling it ends the save silently.
    const QString chosen = prompts::current().saveFile(QStringLiteral("保存站长证书"), QStringLiteral("JPEG (*.jpg)"),
                                                       CertificateFileName(CurrentUserName));
    if (chosen.isEmpty()) return;
    // A bare name belongs in the program folder.
    const QString target = QDir(paths::DataRoot()).absoluteFilePath(WithJpgExtension(chosen));
    try {
        cDIBSection dib;
        dib.CreateFromPicture(saved);
        WriteJpegFile(dib, target, kJpegQuality);
    } catch (const VbError& e) {
        ShowCertificateSaveError(e);
    }
}
