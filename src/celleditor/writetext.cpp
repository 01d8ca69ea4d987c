#include "celleditor/writetext.h"

#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "imaging/watermarkdialog.h"
#include "platform/serviceconfig.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "state/celleditorwindowlabels.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {

constexpr int kJpegQuality = 95;
constexpr double kStartPoints = 15.75;

// Twips to whole pixels, halves to the even one.
int twipsToPixels(double t) { return int(vb::RoundHalfEven(t / twips::kPerPixel)); }

}  // namespace

OverlayLabel InitialWriteTextLabel(const QString& fontName) {
    OverlayLabel label;
    label.font.setFamily(fontName);
    SetFontPoints(label.font, kStartPoints);
    label.foreColor = QColor(255, 255, 128);
    label.backColor = Qt::white;
    label.transparent = true;
    label.frame = OverlayFrame::None;
    return label;
}

QImage LoadPictureToWriteOn(const QString& path) {
    if (path.isEmpty()) return QImage();
    QImageReader reader(path);
    // The screenshot dialog's captures carry no picture extension.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QSize WriteTextShownSize(const QImage& picture, const QString& xzFlag, const QString& qjw, const QString& qjh) {
    const QString w = vb::Trim(qjw), h = vb::Trim(qjh);
    if (xzFlag == QLatin1String("1") && vb::IsNumeric(w) && vb::IsNumeric(h)) {
        const QSize sized(twipsToPixels(vb::Val(w) * twips::kPerPixel), twipsToPixels(vb::Val(h) * twips::kPerPixel));
        if (sized.width() > 0 && sized.height() > 0) return sized;
    }
    return picture.size();
}

QPoint CentredInWriteArea(const QSize& item) {
    return QPoint(int((twips::ToPixels(kWriteAreaWidth) - item.width()) / 2),
                  int((twips::ToPixels(kWriteAreaHeight) - item.height()) / 2));
}

QImage ComposeWrittenPicture(const QImage& picture, const QSize& shown, const OverlayLabel& label,
                             const QPoint& labelOffset) {
    if (shown.isEmpty()) return QImage();
    QImage out(shown, QImage::Format_RGB32);
    // Where the picture does not reach (none read) the grey of the editing area shows.
    out.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&out);
    if (!picture.isNull()) p.drawImage(QRect(QPoint(0, 0), shown), picture);
    // The painter clips to the picture: text beyond its edge is not kept.
    if (!label.text.isEmpty()) DrawOverlayLabel(p, labelOffset, label);
    p.end();
    return out;
}

void KeepWriteTextGrab(const QImage& composition) {
    const QString path = MemberTempPath(QStringLiteral("T.tmp"));
    QFile::remove(path);
    cDIBSection1 grab;
    if (composition.isNull() || !grab.CreateFromHandle(composition, 0, 0, -1, -1) || !grab.SaveBitmap(path))
        throw VbError(VbError::PathFileAccess, QStringLiteral("路径/文件访问错误"));
}

QString WrittenPicturePath(const QString& xzFlag) { return CellScratchPicturePath(xzFlag != QLatin1String("0")); }

bool SaveWrittenPicture(const QImage& composition) {
    const QString flag = CellEditorWindowLabels::labXZFlag;
    const QString target = WrittenPicturePath(flag);
    try {
        KeepWriteTextGrab(composition);
        cDIBSection dib;
        dib.CreateFromPicture(StdPicture{composition});
        // The safe write replaces the target whole, so a failed write leaves the older file.
        WriteJpegFile(dib, target, kJpegQuality);
    } catch (const VbError& e) {
        ShowWatermarkError(e);
        return false;
    }
    QFile::remove(MemberTempPath(QStringLiteral("T.tmp")));
    const int entry = flag == QLatin1String("0") ? 3 : 4;
    while (CellRecord.size() <= entry) CellRecord.append(QString());
    CellRecord[entry] = target;
    CellEditorWindowLabels::labXZFlag = QStringLiteral("OK");
    return true;
}

QString WriteTextAdUrl(const QDate& today) {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
           QStringLiteral("/pwtd/") + WeeklyFolderName(today) + QStringLiteral("/setpic1.html") + AdvertisementPageQuery();
}
