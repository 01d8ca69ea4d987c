#include "emulator/materialslibrary.h"

#include "emulator/demomovie.h"

#include "site/sitemodel.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

namespace emu {

namespace {

const QString kFolder = QStringLiteral("/pwtd/sc01/");
const QRgb kColours[] = {qRgb(70, 130, 180), qRgb(205, 133, 63), qRgb(60, 179, 113)};
constexpr int kPictures = 3;

// The size of a page's pictures: the cell's, a foreground at half of it; 100 × 100 for a number
// that names no cell.
QSize PictureSize(bool foreground, int n) {
    const qint16 cell = static_cast<qint16>(n);
    QSize size(GetCellWidth(cell), GetCellHeight(cell));
    if (size.isEmpty()) size = QSize(100, 100);
    if (foreground) size = QSize(qMax(1, size.width() / 2), qMax(1, size.height() / 2));
    return size.boundedTo(QSize(1200, 1000));
}

QByteArray Picture(bool foreground, int n, int k) {
    QImage img(PictureSize(foreground, n), QImage::Format_RGB32);
    img.fill(kColours[k % kPictures]);
    QPainter p(&img);
    p.setPen(Qt::white);
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

HttpResponse Page(const QString& host, const QString& kind, int n) {
    const bool foreground = kind == QLatin1String("qj");
    const QString base = QStringLiteral("http://") + host + kFolder + QStringLiteral("pic/") + kind + QString::number(n);
    const QSize size = PictureSize(foreground, n);
    QString items;
    for (int k = 1; k <= kPictures; ++k) {
        const QString address = base + QStringLiteral("_%1.png").arg(k);
        items += QStringLiteral("<div class=\"item\" onclick=\"choose(this,'%1')\"><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"\">"
                                "<p>素材 %4</p></div>\n")
                     .arg(address)
                     .arg(qMin(size.width(), 200))
                     .arg(qMin(size.height(), 150))
                     .arg(k);
    }
    if (foreground)
        items += QStringLiteral("<div class=\"item\" onclick=\"choose(this,'%1')\"><p>Flash 素材</p></div>\n")
                     .arg(base + QStringLiteral("_flash.swf"));
    const QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>素材库</title>\n"
        "<style>body{font-family:sans-serif;margin:12px;color:#333;background:#fafafa}"
        ".item{display:inline-block;margin:8px;padding:6px;border:2px solid #ddd;cursor:pointer;background:#fff}"
        ".item.chosen{border-color:#336699}#choice{margin-top:12px;font-size:10px;color:#999}</style>\n"
        "<script>function choose(e,a){var items=document.getElementsByClassName('item');"
        "for(var i=0;i<items.length;i++)items[i].className='item';e.className='item chosen';"
        "document.getElementById('choice').textContent='{{{'+a+'}}}';}</script></head>\n"
        "<body><h1>%1素材（第 %2 号）</h1><p>点击一个素材选中它，然后按“确定”。</p>\n%3"
        "<div id=\"choice\">[[[]]]</div>\n</body></html>\n")
                             .arg(foreground ? QStringLiteral("前景") : QStringLiteral("背景"))
                             .arg(n)
                             .arg(items);
    return HttpResponse::Html(html);
}

}  // namespace

bool ServeMaterialsLibrary(const HttpRequest& r, const QString& host, HttpResponse* out) {
    if (r.method != "GET" && r.method != "HEAD") return false;
    static const QRegularExpression page(QStringLiteral("^/pwtd/sc01/(bj|qj)(\\d{1,2})\\.aspx$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression picture(QStringLiteral("^/pwtd/sc01/pic/(bj|qj)(\\d{1,2})_(\\d)\\.png$"));
    static const QRegularExpression flash(QStringLiteral("^/pwtd/sc01/pic/qj(\\d{1,2})_flash\\.swf$"));
    if (const auto m = page.match(r.path); m.hasMatch()) {
        *out = Page(host, m.captured(1).toLower(), m.captured(2).toInt());
        return true;
    }
    if (const auto m = picture.match(r.path); m.hasMatch()) {
        const int k = m.captured(3).toInt();
        if (k < 1 || k > kPictures) return false;
        *out = HttpResponse::Bytes(Picture(m.captured(1) == QLatin1String("qj"), m.captured(2).toInt(), k - 1), "image/png");
        return true;
    }
    if (flash.match(r.path).hasMatch()) {
        *out = HttpResponse::Bytes(DemoFlashMovie(), "application/x-shockwave-flash");
        return true;
    }
    return false;
}

}  // namespace emu
