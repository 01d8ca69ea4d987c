#include "emulator/templategallery.h"

#include "emulator/musicpages.h"

#include "site/sitemodel.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

namespace emu {

namespace {

const QString kGalleryPath = QStringLiteral("/pwtd/mb01/mb001.aspx");
const QString kPicturePath = QStringLiteral("/pwtd/mb01/pic/");
const QString kMusicPath = QStringLiteral("/pwtd/mb01/music/");
constexpr int kFields = 333;

struct Palette {
    QRgb dark, light, accent;
    const char* page;    // row 301
    const char* middle;  // row 303
    const char* frame;   // rows 304 and 306
};

// How a design's pictures look and where they lie.
enum class Pattern { Stripes, Dots, Waves, Checks, Grid, Plain };  // cell backgrounds
enum class Scene { Lights, Hills, Sea, Sunset, Blocks, Petals };   // the header picture
enum class Emblem { Disc, Flower, Star, Square, Heart, Ring };     // the emblem of cell 0

struct Design {
    const char* id;
    const char* name;
    Palette colours;
    Pattern pattern;
    Scene scene;
    Emblem emblem;
    int bannerWidth;       // the header picture over cell 2 (696 x 150 at most)
    int bannerHeight;
    const char* bannerCode;  // its alignment in the cell ([F]VH)
    const int* cells;      // the cells with a background picture, -1 ends the list
    const char* welcome;   // text over the header picture
    const char* motto;     // text of the strip under the home area
    const char* preface;   // the preface's text
    const char* about;     // the text of cell 4 when the design has no music box there
    bool music;
};

// Layouts of the pictures: every cell, the frame of the page only, or the header and the middle.
const int kAllCells[] = {0, 2, 3, 4, 7, 8, 10, 13, 14, 15, 16, 19, 20, 21, 24, 25, 28, 31, -1};
const int kFrameCells[] = {0, 2, 3, 4, 7, 16, 24, 25, 28, 31, -1};
const int kHeaderCells[] = {0, 2, 3, 4, 8, 10, 13, 14, 15, 19, 20, 21, 31, -1};

const Design kDesigns[] = {
    {"mb1", "蓝色天空", {qRgb(46, 109, 164), qRgb(220, 235, 247), qRgb(255, 255, 255), "#EEF3F8", "#FFFFFF", "#DDE6F0"},
     Pattern::Stripes, Scene::Lights, Emblem::Disc, 696, 150, "111", kAllCells,
     "欢迎光临我的个人网站", "—— 记录生活，分享快乐 ——", "天空很蓝，心情很好。<br>欢迎您常来坐坐！",
     "关于我<br>喜欢旅行、摄影和写点小文章。", false},
    {"mb2", "金色秋天", {qRgb(160, 82, 45), qRgb(246, 231, 210), qRgb(255, 210, 127), "#F6E7D2", "#FFF8EE", "#E8C9A0"},
     Pattern::Waves, Scene::Sunset, Emblem::Flower, 640, 140, "121", kAllCells,
     "秋天的童话", "—— 落叶知秋，岁月静好 ——", "一片叶子落下，<br>整个秋天都写在上面。", "", true},
    {"mb3", "青青草地", {qRgb(46, 125, 50), qRgb(225, 242, 214), qRgb(255, 241, 118), "#EAF5E2", "#FFFFFF", "#CFE8C0"},
     Pattern::Dots, Scene::Hills, Emblem::Star, 520, 130, "122", kFrameCells,
     "小草的家", "—— 春风吹又生 ——", "在草地上躺一会儿，<br>看云慢慢地走。", "我的小天地<br>种花、养鱼、晒太阳。", false},
    {"mb4", "粉色花园", {qRgb(173, 20, 87), qRgb(252, 228, 236), qRgb(255, 255, 255), "#FCEEF3", "#FFFFFF", "#F8D0DF"},
     Pattern::Checks, Scene::Petals, Emblem::Heart, 400, 150, "111", kHeaderCells,
     "花开的声音", "—— 每一天都值得被温柔以待 ——", "花园里的花开了，<br>和你分享这份美好。", "花园日记<br>今天的玫瑰开了三朵。", true},
    {"mb5", "深夜书房", {qRgb(38, 50, 56), qRgb(207, 216, 220), qRgb(255, 202, 40), "#37474F", "#ECEFF1", "#90A4AE"},
     Pattern::Grid, Scene::Blocks, Emblem::Square, 696, 150, "111", kFrameCells,
     "夜读时光", "—— 书中自有千钟粟 ——", "一盏灯，一杯茶，<br>一本好书。", "正在读<br>《城南旧事》《围城》", false},
    {"mb6", "海边假日", {qRgb(0, 105, 120), qRgb(224, 247, 250), qRgb(255, 224, 178), "#E0F7FA", "#FFFFFF", "#B2EBF2"},
     Pattern::Plain, Scene::Sea, Emblem::Ring, 600, 150, "112", kHeaderCells,
     "听海", "—— 面朝大海，春暖花开 ——", "海风吹过，<br>浪花一朵一朵。", "假日相册<br>去年夏天在海边拍的照片。", false},
};

QString TextStyle(const QString& size, const QString& font, const QString& colour) {
    // stacking above the foreground, centred and middle, no margins, then the font, regular face,
    // no underline, strike-through, art text or scrolling, speed 5.
    return QStringLiteral("2,11,0/0/0/0/,%1,%2,%3,,0,0,0,0,0,4,,,,,,").arg(size, font, colour);
}

QString TextHtml(const QString& text, const QString& size, const QString& colour) {
    return QStringLiteral("<div style=\"font-size:%1pt;font-family:黑体;color:%2;text-align:center\">%3</div>")
        .arg(size, colour, text);
}

void SetText(QStringList& f, int cell, const QString& text, const QString& size, const QString& colour) {
    const int R = GetCellBaseRow(static_cast<qint16>(cell));
    f[R + CellBlock::CellTextHtml] = TextHtml(text, size, colour);
    QString raw = text;
    raw.replace(QStringLiteral("<br>"), QStringLiteral("\x01"));
    raw.replace(QLatin1Char('<'), QStringLiteral("&lt;")).replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    raw.replace(QStringLiteral("\x01"), QStringLiteral("<br>"));
    f[R + CellBlock::CellText] = raw;
    f[R + CellBlock::CellTextStyle] = TextStyle(size, QStringLiteral("黑体"), colour);
}

QString HexColour(QRgb c) { return QColor(c).name().toUpper(); }

GalleryTemplate MakeTemplate(const Design& d, const QString& host) {
    const QString id = QString::fromLatin1(d.id);
    const QString pictures = QStringLiteral("http://") + host + kPicturePath + id + QLatin1Char('_');
    GalleryTemplate t{id, QString::fromUtf8(d.name), QStringList(kFields, QString())};
    QStringList& f = t.fields;
    f[0] = id;
    for (const int* cell = d.cells; *cell >= 0; ++cell)
        f[GetCellBaseRow(static_cast<qint16>(*cell)) + CellBlock::CellBackground] =
            pictures + QStringLiteral("bg%1.png").arg(*cell);

    // The header: an emblem on the left, the header picture with the greeting on the right.
    const int r0 = GetCellBaseRow(0), r2 = GetCellBaseRow(2);
    f[r0 + CellBlock::CellForeground] = pictures + QStringLiteral("logo.png");
    f[r0 + CellBlock::CellForeWidth] = QStringLiteral("120");
    f[r0 + CellBlock::CellForeHeight] = QStringLiteral("120");
    f[r0 + CellBlock::CellForeCode] = QStringLiteral("111");
    f[r2 + CellBlock::CellForeground] = pictures + QStringLiteral("banner.png");
    f[r2 + CellBlock::CellForeWidth] = QString::number(d.bannerWidth);
    f[r2 + CellBlock::CellForeHeight] = QString::number(d.bannerHeight);
    f[r2 + CellBlock::CellForeCode] = QString::fromLatin1(d.bannerCode);
    const QString light = HexColour(d.colours.accent);
    SetText(f, 2, QString::fromUtf8(d.welcome), QStringLiteral("22"), light);
    SetText(f, 7, QString::fromUtf8(d.motto), QStringLiteral("14"), HexColour(d.colours.dark));
    SetText(f, 10, QString::fromUtf8(d.preface), QStringLiteral("12"), HexColour(d.colours.dark));
    SetText(f, 24, QStringLiteral("谢谢您的光临"), QStringLiteral("12"), light);
    if (!d.music) SetText(f, 4, QString::fromUtf8(d.about), QStringLiteral("12"), HexColour(d.colours.dark));

    f[HomeBackColorRow] = QString::fromLatin1(d.colours.page);
    f[MiddleBackColorRow] = QString::fromLatin1(d.colours.middle);
    f[AlbumBackColorRow] = QString::fromLatin1(d.colours.frame);
    f[BlogBackColorRow] = QString::fromLatin1(d.colours.frame);
    f[HomeAlbumRow] = QStringLiteral("模板相册");
    // Made from a published site: applying it again finds nothing to publish.
    f[PublishStateRow] = QStringLiteral("2");
    if (d.music) {
        f[MusicUrlRow] = QStringLiteral("http://") + host + kMusicPath + id + QStringLiteral(".wav");
        f[MusicOffRow] = QStringLiteral("0");
        f[MusicPlayerShownRow] = QStringLiteral("1");
        f[MusicLyricsShownRow] = QStringLiteral("1");
        f[MusicBoxStyleRow] = QStringLiteral("1,50,0,FFFF80,,0,3000,0,,,,,,,");
        f[MusicLyricsRow] = QStringLiteral("秋风起，叶儿黄<br>一年好景君须记");
        for (int r = MusicCarriedFirstRow; r <= MusicCarriedLastRow; ++r) f[r] = QStringLiteral("0");
    }
    // A design without music leaves the member's music as it is: its rows stay empty.
    return t;
}

const Design* FindDesign(const QString& id) {
    for (const Design& d : kDesigns)
        if (id == QLatin1String(d.id)) return &d;
    return nullptr;
}

QRgb Mix(QRgb a, QRgb b, double t) {
    t = qBound(0.0, t, 1.0);
    return qRgb(qRound(qRed(a) + (qRed(b) - qRed(a)) * t), qRound(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                qRound(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

// A cell background: the design's dark colour fading into its light one along the cell's longer
// side, with the design's faint pattern over it.
QImage Background(const Design& d, int w, int h) {
    const Palette& p = d.colours;
    QImage img(qBound(1, w, 1200), qBound(1, h, 1000), QImage::Format_RGB32);
    const bool across = img.width() >= img.height();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double t = across ? double(x) / img.width() : double(y) / img.height();
            QRgb c = Mix(p.dark, p.light, 0.35 + 0.65 * t);
            bool mark = false;
            switch (d.pattern) {
            case Pattern::Stripes: mark = (x + y) % 24 < 2; break;
            case Pattern::Dots: mark = std::hypot(x % 16 - 8, y % 16 - 8) < 2.5; break;
            case Pattern::Waves: mark = std::abs((y % 20) - 10 - 4 * std::sin(x / 6.0)) < 1.2; break;
            case Pattern::Checks: mark = ((x / 12) + (y / 12)) % 2 == 0; break;
            case Pattern::Grid: mark = x % 20 == 0 || y % 20 == 0; break;
            case Pattern::Plain: break;
            }
            if (mark) c = Mix(c, p.accent, d.pattern == Pattern::Checks ? 0.12 : 0.25);
            img.setPixel(x, y, c);
        }
    return img;
}

// The header picture: a scene in the design's colours.
QImage Banner(const Design& d) {
    const Palette& p = d.colours;
    QImage img(d.bannerWidth, d.bannerHeight, QImage::Format_RGB32);
    const int W = img.width(), H = img.height();
    const struct { int x, y, r; } lights[] = {{90, 40, 50}, {260, 110, 36}, {430, 30, 60}, {600, 95, 44}, {680, 20, 24}};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double v = double(y) / H;
            QRgb c = Mix(p.dark, p.light, 0.15 + 0.5 * v);
            switch (d.scene) {
            case Scene::Lights:
                for (const auto& l : lights) {
                    const double r = std::hypot(x - l.x * W / 696.0, y - l.y) / l.r;
                    if (r < 1.0) c = Mix(c, p.accent, 0.55 * (1.0 - r));
                }
                break;
            case Scene::Hills: {
                const double far = H * (0.55 + 0.12 * std::sin(x / 57.0));
                const double near = H * (0.72 + 0.1 * std::sin(x / 31.0 + 1.3));
                if (y > near) c = Mix(p.dark, p.accent, 0.15);
                else if (y > far) c = Mix(p.dark, p.light, 0.45);
                if (std::hypot(x - W * 0.8, y - H * 0.25) < 18) c = p.accent;
                break;
            }
            case Scene::Sea: {
                const double sea = H * 0.6 + 3 * std::sin(x / 9.0);
                if (y > sea) c = Mix(p.dark, p.light, 0.2 + 0.3 * std::abs(std::sin((x + y * 3) / 14.0)));
                else c = Mix(p.light, qRgb(255, 255, 255), 0.3 * (1 - v));
                if (std::hypot(x - W * 0.2, y - H * 0.35) < 22) c = p.accent;
                break;
            }
            case Scene::Sunset: {
                const double sun = std::hypot(x - W * 0.5, y - H * 0.95) / (H * 0.6);
                c = Mix(p.accent, p.dark, qMin(1.0, 0.3 + 0.7 * v));
                if (sun < 1.0) c = Mix(c, qRgb(255, 240, 200), 0.7 * (1 - sun));
                break;
            }
            case Scene::Blocks:
                if ((x / 36 + y / 30) % 3 == 0 && y > H * 0.35) c = Mix(p.dark, p.accent, 0.3 + 0.1 * ((x / 36) % 4));
                if ((x / 36) % 5 == 2 && (y / 15) % 3 == 1 && y > H * 0.4) c = p.accent;
                break;
            case Scene::Petals:
                for (int i = 0; i < 9; ++i) {
                    const double cx = (i * 83 + 40) % W, cy = (i * 47 + 30) % H;
                    const double a = std::atan2(y - cy, x - cx);
                    const double r = std::hypot(x - cx, y - cy) / (18 + i % 3 * 6);
                    if (r < 0.6 + 0.4 * std::abs(std::cos(2.5 * a))) c = Mix(p.accent, p.dark, 0.15 + 0.2 * r);
                }
                break;
            }
            img.setPixel(x, y, c);
        }
    return img;
}

// The emblem of cell 0: a shape of the accent colour in a dark outline on the light colour.
QImage Logo(const Design& d) {
    const Palette& p = d.colours;
    QImage img(120, 120, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double dx = x - 59.5, dy = y - 59.5, r = std::hypot(dx, dy), a = std::atan2(dy, dx);
            double edge = 50;  // the shape's radius in this direction
            switch (d.emblem) {
            case Emblem::Disc: edge = 50; break;
            case Emblem::Flower: edge = 34 + 16 * std::abs(std::cos(2.5 * a)); break;
            case Emblem::Star: edge = 30 + 20 * std::pow(std::abs(std::cos(2.5 * a)), 3); break;
            case Emblem::Square: edge = 44 / qMax(std::abs(std::cos(a)), std::abs(std::sin(a))) * 0.95; break;
            case Emblem::Heart: {
                const double hx = dx / 40, hy = -dy / 40 + 0.25;
                const double f = std::pow(hx * hx + hy * hy - 1, 3) - hx * hx * hy * hy * hy;
                edge = f <= 0 ? r + 1 : r - 1;
                break;
            }
            case Emblem::Ring: edge = (r > 30) ? 50 : -1; break;
            }
            QRgb c = p.light;
            if (r < edge - 6) c = Mix(p.accent, p.light, r / 80);
            else if (r < edge) c = p.dark;
            img.setPixel(x, y, c);
        }
    return img;
}

// A small picture of the whole design for its card: the header, the middle and the frames.
QImage Thumbnail(const Design& d) {
    const Palette& p = d.colours;
    QImage img(200, 150, QImage::Format_RGB32);
    const QRgb page = QColor(QString::fromLatin1(d.colours.page)).rgb();
    const QRgb frame = QColor(QString::fromLatin1(d.colours.frame)).rgb();
    const QRgb middle = QColor(QString::fromLatin1(d.colours.middle)).rgb();
    const QImage banner = Banner(d).scaled(150, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage logo = Logo(d).scaled(30, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QRgb c = page;
            if (x >= 10 && x < 190) {
                if (y >= 6 && y < 36) c = x < 40 ? logo.pixel(x - 10, y - 6) : banner.pixel(x - 40, y - 6);
                else if (y >= 40 && y < 90) c = x < 60 ? Mix(p.dark, p.light, 0.5) : middle;
                else if (y >= 94 && y < 144) c = x < 60 ? Mix(p.dark, p.light, 0.7) : frame;
            }
            img.setPixel(x, y, c);
        }
    return img;
}

QByteArray Png(const QImage& img) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

// One second of silence, 8 kHz, 8-bit mono.
QByteArray SilentWave() { return WaveFile(8000, QByteArray(8000, char(0x80))); }

bool ServePicture(const QString& name, HttpResponse* out) {
    static const QRegularExpression re(QStringLiteral("^(mb\\d+)_(bg(\\d+)|banner|logo|thumb)\\.png$"));
    const auto m = re.match(name);
    if (!m.hasMatch()) return false;
    const Design* d = FindDesign(m.captured(1));
    if (!d) return false;
    static QHash<QString, QByteArray> cache;
    auto it = cache.constFind(name);
    if (it == cache.cend()) {
        const QString what = m.captured(2);
        QImage img;
        if (what == QLatin1String("banner")) img = Banner(*d);
        else if (what == QLatin1String("logo")) img = Logo(*d);
        else if (what == QLatin1String("thumb")) img = Thumbnail(*d);
        else {
            const qint16 cell = static_cast<qint16>(m.captured(3).toInt());
            if (GetCellWidth(cell) == 0 || GetCellBaseRow(cell) == 0) return false;
            img = Background(*d, GetCellWidth(cell), GetCellHeight(cell));
        }
        it = cache.insert(name, Png(img));
    }
    *out = HttpResponse::Bytes(it.value(), "image/png");
    return true;
}

HttpResponse GalleryPage(const QString& host) {
    QJsonObject selections;
    QString cards;
    for (const GalleryTemplate& t : GalleryTemplates(host)) {
        selections.insert(t.id, TemplateSelectionText(t));
        cards += QStringLiteral(
                     "<div class=\"card\" id=\"%1\" onclick=\"choose('%1')\">"
                     "<img src=\"pic/%1_thumb.png\" width=\"200\" height=\"150\" alt=\"\"><p>%2</p></div>\n")
                     .arg(t.id, t.name.toHtmlEscaped());
    }
    const QString json = QString::fromUtf8(QJsonDocument(selections).toJson(QJsonDocument::Compact));
    const QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>网站模板库</title>\n"
        "<style>body{font-family:sans-serif;margin:12px;color:#333;background:#fafafa}"
        "h1{font-size:18px;color:#336699}.card{display:inline-block;margin:8px;padding:6px;border:2px solid #ddd;"
        "cursor:pointer;text-align:center;background:#fff}.card.chosen{border-color:#336699}"
        ".card p{margin:4px 0 0}"
        // The choice is handed over in the page's text, where the program reads it; a visitor
        // sees the chosen card, not the template's data.
        "#choice{position:absolute;left:-10000px;top:0;width:1px;height:1px;overflow:hidden}</style>\n"
        "<script>var templates=%1;\n"
        "function choose(id){var cards=document.getElementsByClassName('card');"
        "for(var i=0;i<cards.length;i++)cards[i].className=cards[i].id==id?'card chosen':'card';"
        "document.getElementById('choice').textContent='{{{'+templates[id]+'}}}';}</script></head>\n"
        "<body><h1>网站模板库</h1><p>点击一个模板选中它，然后在下方按“预览”或“应用到我的网站中”。</p>\n"
        "<div class=\"cards\">\n%2</div>\n<div id=\"choice\">[[[]]]</div>\n</body></html>\n")
                             .arg(json, cards);
    return HttpResponse::Html(html);
}

}  // namespace

QList<GalleryTemplate> GalleryTemplates(const QString& materialsHost) {
    QList<GalleryTemplate> out;
    for (const Design& d : kDesigns) out.append(MakeTemplate(d, materialsHost));
    return out;
}

QString TemplateSelectionText(const GalleryTemplate& t) {
    QString text;
    for (const QString& f : t.fields) text += EncodeSiteValue(f) + QStringLiteral("{/F}");
    return text + QStringLiteral("{//R}SiteInfo{///T}");
}

bool ServeTemplateGallery(const HttpRequest& r, const QString& materialsHost, HttpResponse* out) {
    if (r.method != "GET" && r.method != "HEAD") return false;
    if (r.path.compare(kGalleryPath, Qt::CaseInsensitive) == 0) {
        *out = GalleryPage(materialsHost);
        return true;
    }
    if (r.path.startsWith(kPicturePath)) return ServePicture(r.path.mid(kPicturePath.size()), out);
    if (r.path.startsWith(kMusicPath)) {
        const QString name = r.path.mid(kMusicPath.size());
        for (const Design& d : kDesigns)
            if (d.music && name == QLatin1String(d.id) + QStringLiteral(".wav")) {
                *out = HttpResponse::Bytes(SilentWave(), "audio/wav");
                return true;
            }
    }
    return false;
}

}  // namespace emu
