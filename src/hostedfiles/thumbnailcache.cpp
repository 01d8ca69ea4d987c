#include "hostedfiles/thumbnailcache.h"

#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "platform/paths.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

namespace {
const QString kRootAlbum = QStringLiteral("根目录");
const QString kThumbnails = QStringLiteral("UpLoadPicture");
}  // namespace

QString PageThumbnailPath(const QString& album, const QString& storedName) {
    // Paths here tell letter cases apart, so the folder keeps the album's own spelling.
    QString name = paths::SafeComponent(storedName).toLower();
    if (name.size() >= 4) name.chop(4);
    return MemberPath({kThumbnails, album, name + QStringLiteral(".dat")});
}

QString PageThumbnailAddress(const QString& fileUrl, const QString& album, const QString& storedName) {
    const QString url = fileUrl.endsWith(storedName)
                            ? fileUrl
                            : fileUrl.left(qMax<qsizetype>(0, fileUrl.size() - storedName.size())) + storedName;
    return HostedFileAddress(url, album, storedName) + QStringLiteral(".jpg");
}

QString PreviewThumbnailPath(const QString& album, const QString& storedName) {
    return album == kRootAlbum ? MemberPath({kThumbnails, storedName}) : MemberPath({kThumbnails, album, storedName});
}

QString PreviewThumbnailAddress(const QString& fileUrl, const QString& album, const QString& storedName) {
    return HostedFileAddress(fileUrl, album, storedName) + fileUrl.right(4);
}

bool ThumbnailWanted(const QString& cacheFile, const QString& announcedBytes) {
    const QFileInfo info(cacheFile);
    if (!info.isFile() || !vb::IsNumeric(announcedBytes)) return true;
    return vb::RoundHalfEven(vb::Val(announcedBytes)) != info.size();
}

QImage LoadPictureFile(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QImage FlashPicture() {
    // A red tile with a white "f" stroke, drawn once.
    static const QImage picture = [] {
        QImage img(64, 64, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(204, 0, 0));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
        QPen pen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath f;
        f.moveTo(44, 16);
        f.cubicTo(30, 10, 26, 20, 26, 30);
        f.lineTo(24, 50);
        p.drawPath(f);
        p.drawLine(QPointF(17, 31), QPointF(40, 31));
        return img;
    }();
    return picture;
}
