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

struct Design {
    const char* id;
    const char* name;
    Palette colours;
    const char* welcome;   // text over the header picture
    const char* motto;     // text of the strip under the home area
    const char* preface;   // the preface's text
    bool music;
};

const Design kDesigns[] = {
    {"mb1", "蓝色天空", {qRgb(46, 109, 164), qRgb(220, 235, 247), qRgb(255, 255, 255), "#DCEBF7", "#FFFFFF", "#C8DDF0"},
     "欢迎光临我的个人网站", "—— 记录生活，分享快乐 ——", "天空很蓝，心情很好。<br>欢迎您常来坐坐！", false},
    {"mb2", "金色秋天", {qRgb(160, 82, 45), qRgb(246, 231, 210), qRgb(255, 210, 127), "#F6E7D2", "#FFF8EE", "#E8C9A0"},
     "秋天的童话", "—— 落叶知秋，岁月静好 ——", "一片叶子落下，<br>整个秋天都写在上面。", true},
};

// The cells whose pages show a picture (the widgets keep the service's frame in front).
const int kPictureCells[] = {0, 2, 3, 7, 8, 10, 13, 14, 15, 16, 19, 20, 21, 24, 25, 28, 31};

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
    for (int cell : kPictureCells)
        f[GetCellBaseRow(static_cast<qint16>(cell)) + CellBlock::CellBackground] =
            pictures + QStringLiteral("bg%1.png").arg(cell);

    // The header: a round emblem on the left, a wide picture with the greeting on the right.
    const int r0 = GetCellBaseRow(0), r2 = GetCellBaseRow(2);
    f[r0 + CellBlock::CellForeground] = pictures + QStringLiteral("logo.png");
    f[r0 + CellBlock::CellForeWidth] = QStringLiteral("120");
    f[r0 + CellBlock::CellForeHeight] = QStringLiteral("120");
    f[r0 + CellBlock::CellForeCode] = QStringLiteral("111");
    f[r2 + CellBlock::CellForeground] = pictures + QStringLiteral("banner.png");
    f[r2 + CellBlock::CellForeWidth] = QStringLiteral("696");
    f[r2 + CellBlock::CellForeHeight] = QStringLiteral("150");
    f[r2 + CellBlock::CellForeCode] = QStringLiteral("111");
    const QString light = HexColour(d.colours.accent);
    SetText(f, 2, QString::fromUtf8(d.welcome), QStringLiteral("22"), light);
    SetText(f, 7, QString::fromUtf8(d.motto), QStringLiteral("14"), HexColour(d.colours.dark));
    SetText(f, 10, QString::fromUtf8(d.preface), QStringLiteral("12"), HexColour(d.colours.dark));
    SetText(f, 24, QStringLiteral("谢谢您的光临"), QStringLiteral("12"), light);

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
    } else {
        f[MusicOffRow] = QStringLiteral("1");
        f[MusicPlayerShownRow] = QStringLiteral("0");
        f[MusicLyricsShownRow] = QStringLiteral("0");
    }
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
// side, with faint diagonal stripes.
QImage Background(const Palette& p, int w, int h) {
    QImage img(qBound(1, w, 1200), qBound(1, h, 1000), QImage::Format_RGB32);
    const bool across = img.width() >= img.height();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double t = across ? double(x) / img.width() : double(y) / img.height();
            QRgb c = Mix(p.dark, p.light, 0.35 + 0.65 * t);
            if ((x + y) % 24 < 2) c = Mix(c, p.accent, 0.25);
            img.setPixel(x, y, c);
        }
    return img;
}

// The header picture: a sky of the dark colour with soft round lights of the accent colour.
QImage Banner(const Palette& p) {
    QImage img(696, 150, QImage::Format_RGB32);
    const struct { int x, y, r; } lights[] = {{90, 40, 50}, {260, 110, 36}, {430, 30, 60}, {600, 95, 44}, {680, 20, 24}};
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QRgb c = Mix(p.dark, p.light, 0.15 + 0.5 * double(y) / img.height());
            for (const auto& l : lights) {
                const double d = std::hypot(x - l.x, y - l.y) / l.r;
                if (d < 1.0) c = Mix(c, p.accent, 0.55 * (1.0 - d));
            }
            img.setPixel(x, y, c);
        }
    return img;
}

// The emblem: an accent disc in a dark ring on the light colour.
QImage Logo(const Palette& p) {
    QImage img(120, 120, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double d = std::hypot(x - 59.5, y - 59.5);
            img.setPixel(x, y, d < 44 ? Mix(p.accent, p.light, d / 60) : d < 54 ? p.dark : p.light);
        }
    return img;
}

// A small picture of the whole design for its card.
QImage Thumbnail(const Palette& p, const Design& d) {
    QImage img(200, 150, QImage::Format_RGB32);
    const QRgb page = QColor(QString::fromLatin1(d.colours.page)).rgb();
    const QRgb frame = QColor(QString::fromLatin1(d.colours.frame)).rgb();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QRgb c = page;
            if (x >= 10 && x < 190) {
                if (y >= 6 && y < 36) c = Mix(p.dark, p.accent, double(x - 10) / 180);
                else if (y >= 40 && y < 90) c = (x < 60) ? Mix(p.dark, p.light, 0.5) : QColor(QString::fromLatin1(d.colours.middle)).rgb();
                else if (y >= 94 && y < 144) c = frame;
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
        if (what == QLatin1String("banner")) img = Banner(d->colours);
        else if (what == QLatin1String("logo")) img = Logo(d->colours);
        else if (what == QLatin1String("thumb")) img = Thumbnail(d->colours, *d);
        else {
            const qint16 cell = static_cast<qint16>(m.captured(3).toInt());
            if (GetCellWidth(cell) == 0 || GetCellBaseRow(cell) == 0) return false;
            img = Background(d->colours, GetCellWidth(cell), GetCellHeight(cell));
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
        ".card p{margin:4px 0 0}#choice{margin-top:12px;font-size:10px;color:#999;white-space:pre-wrap;max-height:64px;overflow:auto;"
        "word-break:break-all}</style>\n"
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
