#include "emulator/demosite.h"

#include "emulator/demomovie.h"
#include "emulator/memberstore.h"
#include "emulator/servicelogic.h"
#include "emulator/templategallery.h"
#include "platform/serviceconfig.h"
#include "site/sitemodel.h"

#include <QBuffer>
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QList>

#include <cmath>

namespace emu {

namespace {

QRgb Mix(QRgb a, QRgb b, double t) {
    t = qBound(0.0, t, 1.0);
    return qRgb(qRound(qRed(a) + (qRed(b) - qRed(a)) * t), qRound(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                qRound(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

// A small landscape: sky, sun and two rows of hills, its colours turned by the seed. Made once per
// seed and size in a process.
QByteArray ScenePicture(int seed, int w, int h) {
    static QHash<QString, QByteArray> made;
    const QString key = QStringLiteral("%1/%2x%3").arg(seed).arg(w).arg(h);
    if (const auto it = made.constFind(key); it != made.cend()) return it.value();
    const double hue = std::fmod(seed * 47.0, 360.0);
    const QRgb sky = QColor::fromHsv(int(hue), 90, 235).rgb(), high = QColor::fromHsv(int(hue), 40, 255).rgb();
    const QRgb far = QColor::fromHsv(int(hue + 120) % 360, 110, 170).rgb(), near = QColor::fromHsv(int(hue + 140) % 360, 150, 120).rgb();
    const QRgb sun = QColor::fromHsv(int(hue + 200) % 360, 120, 255).rgb();
    QImage img(w, h, QImage::Format_RGB32);
    const double sx = w * (0.2 + 0.6 * ((seed * 37) % 100) / 100.0), sy = h * 0.3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double u = double(x) / w;
            QRgb c = Mix(sky, high, double(y) / h);
            if (std::hypot(x - sx, y - sy) < h * 0.12) c = sun;
            if (y > h * (0.55 + 0.1 * std::sin(u * 6 + seed))) c = far;
            if (y > h * (0.72 + 0.08 * std::sin(u * 9 + seed * 2.0))) c = Mix(near, far, 0.3 * std::sin(x * 0.3));
            img.setPixel(x, y, c);
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    made.insert(key, bytes);
    return bytes;
}

// The header picture of the demo's own: a blue gradient of the header's size.
QByteArray HeaderPicture() {
    static QByteArray made;
    if (!made.isEmpty()) return made;
    QImage img(696, 150, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(40 + x * 120 / img.width(), 90 + y * 80 / img.height(), 160 + x * 60 / img.width()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    made = bytes;
    return bytes;
}

struct AlbumPlan {
    const char* name;
    int width, height;
    QList<const char*> pictures;  // the descriptions the file manager shows under them
};

// The widgets' fixed albums and the home album, with the sizes each widget shows.
const AlbumPlan kAlbums[] = {
    {"www个人主页时钟", 150, 150, {"晨光", "暮色"}},
    {"www个人主页三图滚动", 350, 210, {"湖光山色", "林间小路", "远山如黛"}},
    {"www个人主页日历", 150, 170, {"春日", "秋色"}},
    {"www个人主页十图滚动", 160, 100, {"山谷", "草原", "海边", "雪山", "田野", "峡谷"}},
    {"我的相册", 400, 300, {"山顶日出", "云海", "山间小路", "半山腰的凉亭", "晚霞", "下山的路"}},
};

QString Img(const QString& host, const Member& m, const QString& album, const QString& file) {
    return QStringLiteral("http://") + host + QStringLiteral("/space/") + m.folder + QLatin1Char('/') + album +
           QLatin1Char('/') + file;
}

}  // namespace

void AddDemoContent(MemberStore& store, Member& m, const QString& serviceDomain) {
    ServiceConfig hosts = ServiceConfig::defaults();
    hosts.domain = serviceDomain;
    const QString imageHost = QString(m.prefix).replace(QStringLiteral("www"), QStringLiteral("img")) + QLatin1Char('.') + serviceDomain;
    const QString stamp = store.newStamp();

    // The materials album holds the site's own header picture.
    const QString materials = QStringLiteral("www网站素材");
    store.storeSampleFiles(m, materials, {{QStringLiteral("grp2.png"), HeaderPicture(), QStringLiteral("网站标题图片")}}, stamp);
    int seed = 1;
    for (const AlbumPlan& plan : kAlbums) {
        QList<MemberStore::SampleFile> files;
        for (int i = 0; i < plan.pictures.size(); ++i, ++seed)
            files.append({QStringLiteral("photo%1.png").arg(i + 1), ScenePicture(seed, plan.width, plan.height),
                          QString::fromUtf8(plan.pictures[i])});
        store.storeSampleFiles(m, QString::fromUtf8(plan.name), files, stamp);
    }
    // The home page's album list shows the home album.
    m.homeAlbums = QStringList(15, QString());
    m.homeAlbums[0] = kDemoHomeAlbum;

    // The site: the gallery's first template with the member's own header picture and album.
    const GalleryTemplate look = GalleryTemplates(hosts.hostName(ServiceHost::Materials)).value(0);
    QStringList fields = look.fields;
    const int r2 = GetCellBaseRow(2);
    fields[r2 + CellBlock::CellForeground] = Img(imageHost, m, materials, QStringLiteral("grp2.png"));
    fields[r2 + CellBlock::CellForeWidth] = QStringLiteral("696");
    fields[r2 + CellBlock::CellForeHeight] = QStringLiteral("150");
    // The left column plays the materials library's Flash movie.
    const int r8 = GetCellBaseRow(8);
    fields[r8 + CellBlock::CellForeground] =
        QStringLiteral("http://") + hosts.hostName(ServiceHost::Materials) + QStringLiteral("/pwtd/sc01/pic/qj8_flash.swf");
    fields[r8 + CellBlock::CellForeWidth] = QString::number(kDemoMovieSize);
    fields[r8 + CellBlock::CellForeHeight] = QString::number(kDemoMovieSize);
    fields[r8 + CellBlock::CellForeCode] = QStringLiteral("111");
    fields[HomeAlbumRow] = kDemoHomeAlbum;
    m.homeAlbum = kDemoHomeAlbum;
    m.settings.clear();
    for (const QString& f : fields) m.settings.append(EncodeSiteValue(f));
    m.published = QStringLiteral("1");

    const QDateTime now = QDateTime::currentDateTime();
    m.blogs = {
        {now.addDays(-5).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QStringLiteral("我的网站开通了"), QStringLiteral("生活"),
         QStringLiteral("<html><body><p>今天用 Tavolin 做好了自己的个人网站，换了模板，传了几张照片。</p>"
                        "<p>欢迎大家常来看看！</p></body></html>")},
        {now.addDays(-1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QStringLiteral("周末去爬山"), QStringLiteral("旅行"),
         QStringLiteral("<html><body><p>早上六点出发，山顶的云海很美。照片都放在“我的相册”里了。</p></body></html>")},
    };

    // Micro-blog posts as the writer sends them (spaces escaped), one with a picture of the album.
    m.microBlogs = {
        {now.addDays(-2).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QStringLiteral("山顶看日出，值得早起！"),
         Img(imageHost, m, kDemoHomeAlbum, QStringLiteral("photo1.png"))},
        {now.addSecs(-3600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
         QStringLiteral("新网站上线了，欢迎留言&nbsp;:)"), QString()},
    };

    // The published page: the header, the photo widgets and the album, in the template's colours.
    const QString frame = QStringLiteral("http://") + QString(m.prefix).toLower().replace(QStringLiteral("www"), QStringLiteral("frm")) +
                          QLatin1Char('.') + serviceDomain + QLatin1Char('/');
    const QString keys = QStringLiteral("?k1=") + m.memberKey + QStringLiteral("&k3=") + m.prefix + QStringLiteral("&k4=0");
    const auto widget = [&](const QString& page, const QString& album, int w, int h) {
        return QStringLiteral("<iframe src=\"%1%2%3%4\" width=\"%5\" height=\"%6\" frameborder=\"0\" scrolling=\"no\"></iframe>")
            .arg(frame, page, keys, album.isEmpty() ? QString() : QStringLiteral("&k2=") + album)
            .arg(w)
            .arg(h);
    };
    const auto field = [&fields](int row) { return fields[row]; };
    const QString page =
        QStringLiteral("<html>\r<head>\r<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r"
                       "<title>%1的网站</title>\r</head>\r<body style=\"margin:0;background-color:%2\">\r"
                       "<table width=\"1002\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\" bgcolor=\"%3\">\r"
                       "<tr><td width=\"156\" height=\"150\" align=\"center\" background=\"%4\"><img src=\"%5\" width=\"120\" height=\"120\" /></td>"
                       "<td width=\"150\">%6</td><td width=\"696\"><img src=\"%7\" width=\"696\" height=\"150\" /></td></tr>\r"
                       "<tr><td colspan=\"3\" height=\"25\" background=\"%8\"></td></tr>\r"
                       "<tr><td colspan=\"3\"><table cellpadding=\"6\" cellspacing=\"0\"><tr><td>%9</td><td>%10</td><td rowspan=\"2\">%11</td></tr>\r"
                       "<tr><td colspan=\"2\" align=\"center\">%12</td></tr></table></td></tr>\r"
                       "<tr><td colspan=\"3\" align=\"center\" bgcolor=\"%13\">%14</td></tr>\r"
                       "<tr><td colspan=\"3\" align=\"center\" height=\"40\">欢迎光临 www.%15.%16</td></tr>\r</table>\r</body>\r</html>")
            .arg(m.name, field(HomeBackColorRow), field(MiddleBackColorRow), field(GetCellBaseRow(0)),
                 field(GetCellBaseRow(0) + CellBlock::CellForeground), widget(QStringLiteral("clock002.aspx"), QStringLiteral("www个人主页时钟"), 150, 150),
                 field(r2 + CellBlock::CellForeground), field(GetCellBaseRow(3)),
                 widget(QStringLiteral("photoslide002.aspx"), QStringLiteral("www个人主页三图滚动"), 350, 210))
            .arg(widget(QStringLiteral("smallboard001.aspx"), QString(), 320, 210),
                 widget(QStringLiteral("calendar002.aspx"), QStringLiteral("www个人主页日历"), 150, 360),
                 widget(QStringLiteral("photo10list001.aspx"), QStringLiteral("www个人主页十图滚动"), 600, 100),
                 field(AlbumBackColorRow), widget(QStringLiteral("album001.aspx"), kDemoHomeAlbum, 670, 672), m.domain, serviceDomain);
    m.sitePageFile = store.writeSitePage(m, EscapeBrackets(page));
    store.writePosts(m);
    store.save(m);
}

}  // namespace emu
