#include "emulator/materialslibrary.h"

#include "emulator/demomovie.h"

#include "site/sitemodel.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace emu {

namespace {

const QString kFolder = QStringLiteral("/pwtd/sc01/");

// The same scattering on every request: a small linear congruential sequence from a fixed seed.
class Scatter {
public:
    explicit Scatter(quint32 seed) : m_state(seed) {}
    double next() {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 24);
    }

private:
    quint32 m_state;
};

// ---- backgrounds: they fill the whole cell

void DrawSky(QPainter& p, double w, double h) {
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(70, 140, 220));
    sky.setColorAt(1, QColor(190, 225, 250));
    p.fillRect(QRectF(0, 0, w, h), sky);
    p.setPen(Qt::NoPen);
    Scatter s(7);
    const double r = std::max(6.0, std::min(w, h) * 0.12);
    for (int cloud = 0; cloud < 4; ++cloud) {
        const double cx = w * (0.1 + 0.8 * s.next()), cy = h * (0.15 + 0.6 * s.next());
        for (int puff = 0; puff < 5; ++puff) {
            p.setBrush(QColor(255, 255, 255, 150 + puff * 20));
            p.drawEllipse(QPointF(cx + (puff - 2) * r * 0.6, cy + (puff % 2 ? -r * 0.25 : r * 0.1)), r * 0.7, r * 0.5);
        }
    }
}

void DrawSunset(QPainter& p, double w, double h) {
    const double horizon = h * 0.6;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(70, 40, 110));
    sky.setColorAt(0.55, QColor(230, 100, 80));
    sky.setColorAt(1, QColor(255, 190, 90));
    p.fillRect(QRectF(0, 0, w, horizon), sky);
    QRadialGradient sun(QPointF(w / 2, horizon), std::min(w, h) * 0.22);
    sun.setColorAt(0, QColor(255, 245, 200));
    sun.setColorAt(0.5, QColor(255, 210, 110, 220));
    sun.setColorAt(1, QColor(255, 170, 80, 0));
    p.fillRect(QRectF(0, 0, w, horizon), sun);
    QLinearGradient sea(0, horizon, 0, h);
    sea.setColorAt(0, QColor(60, 70, 120));
    sea.setColorAt(1, QColor(20, 30, 60));
    p.fillRect(QRectF(0, horizon, w, h - horizon), sea);
    // The sun's glitter on the waves, narrowing towards the shore.
    Scatter s(11);
    for (int i = 0; i < 40; ++i) {
        const double y = horizon + (h - horizon) * s.next();
        const double spread = w * 0.05 + (y - horizon) * 0.5;
        const double x = w / 2 + (s.next() - 0.5) * spread;
        p.setPen(QPen(QColor(255, 200, 120, 160), std::max(1.0, h / 150)));
        p.drawLine(QPointF(x - spread * 0.08, y), QPointF(x + spread * 0.08, y));
    }
}

void DrawMeadow(QPainter& p, double w, double h) {
    QLinearGradient sky(0, 0, 0, h * 0.6);
    sky.setColorAt(0, QColor(120, 180, 235));
    sky.setColorAt(1, QColor(220, 240, 250));
    p.fillRect(QRectF(0, 0, w, h), sky);
    p.setPen(Qt::NoPen);
    const auto hill = [&](double top, double bump, const QColor& colour) {
        QPainterPath path(QPointF(0, h));
        path.lineTo(0, h * top);
        path.cubicTo(QPointF(w * 0.3, h * (top - bump)), QPointF(w * 0.6, h * (top + bump)), QPointF(w, h * (top - bump / 2)));
        path.lineTo(w, h);
        path.closeSubpath();
        p.setBrush(colour);
        p.drawPath(path);
    };
    hill(0.5, 0.12, QColor(110, 170, 90));
    hill(0.68, 0.1, QColor(70, 140, 60));
    Scatter s(23);
    const double r = std::max(1.0, std::min(w, h) / 90);
    for (int i = 0; i < 60; ++i) {
        p.setBrush(i % 3 ? QColor(255, 240, 120) : QColor(250, 250, 250));
        p.drawEllipse(QPointF(w * s.next(), h * (0.75 + 0.25 * s.next())), r, r);
    }
}

void DrawNight(QPainter& p, double w, double h) {
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(10, 15, 45));
    sky.setColorAt(1, QColor(40, 50, 100));
    p.fillRect(QRectF(0, 0, w, h), sky);
    p.setPen(Qt::NoPen);
    Scatter s(5);
    for (int i = 0; i < 120; ++i) {
        const double r = 0.5 + s.next() * 1.2;
        p.setBrush(QColor(255, 255, 230, 120 + int(s.next() * 135)));
        p.drawEllipse(QPointF(w * s.next(), h * s.next()), r, r);
    }
    // A crescent: the moon with the sky's colour over most of it.
    const double m = std::min(w, h) * 0.12;
    const QPointF moon(w * 0.78, h * 0.25);
    p.setBrush(QColor(250, 240, 200));
    p.drawEllipse(moon, m, m);
    p.setBrush(QColor(18, 24, 58));
    p.drawEllipse(moon + QPointF(m * 0.45, -m * 0.2), m * 0.9, m * 0.9);
}

void DrawWood(QPainter& p, double w, double h) {
    p.fillRect(QRectF(0, 0, w, h), QColor(180, 130, 80));
    const int planks = std::max(1, int(h / 60));
    const double plank = h / planks;
    Scatter s(3);
    for (int k = 0; k < planks; ++k) {
        const double top = k * plank;
        p.fillRect(QRectF(0, top, w, plank), QColor(170 + int(s.next() * 30), 120 + int(s.next() * 25), 70));
        // The grain: thin waving lines along the plank.
        for (int g = 0; g < 8; ++g) {
            const double y = top + plank * (0.1 + 0.8 * s.next()), phase = s.next() * 6;
            QPainterPath grain(QPointF(0, y));
            for (double x = 0; x <= w; x += 8) grain.lineTo(x, y + std::sin(x / 40 + phase) * plank * 0.04);
            p.setPen(QPen(QColor(120, 80, 45, 110), 1));
            p.drawPath(grain);
        }
        p.setPen(QPen(QColor(90, 60, 35), 1));
        p.drawLine(QPointF(0, top), QPointF(w, top));
    }
}

void DrawGingham(QPainter& p, double w, double h) {
    p.fillRect(QRectF(0, 0, w, h), QColor(255, 250, 240));
    const double band = 16;
    for (double x = 0; x < w; x += band * 2) p.fillRect(QRectF(x, 0, band, h), QColor(230, 120, 130, 70));
    for (double y = 0; y < h; y += band * 2) p.fillRect(QRectF(0, y, w, band), QColor(230, 120, 130, 70));
    // The cloth's light: brighter in the middle, a little shaded towards the edges.
    QRadialGradient light(QPointF(w / 2, h / 2), std::max(w, h) * 0.75);
    light.setColorAt(0, QColor(255, 255, 255, 60));
    light.setColorAt(1, QColor(120, 60, 60, 50));
    p.fillRect(QRectF(0, 0, w, h), light);
}

// ---- foregrounds: a picture on a transparent ground, as large as the square in the middle allows

void DrawFlower(QPainter& p, double w, double h) {
    const double m = std::min(w, h), cx = w / 2, cy = h / 2 - m * 0.08;
    p.setPen(QPen(QColor(60, 140, 60), std::max(1.0, m / 30)));
    p.drawLine(QPointF(cx, cy), QPointF(cx, h / 2 + m * 0.48));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 160, 70));
    p.drawEllipse(QPointF(cx + m * 0.1, h / 2 + m * 0.3), m * 0.1, m * 0.04);
    for (int petal = 0; petal < 6; ++petal) {
        p.save();
        p.translate(cx, cy);
        p.rotate(petal * 60);
        QRadialGradient g(QPointF(0, -m * 0.17), m * 0.15);
        g.setColorAt(0, QColor(255, 190, 210));
        g.setColorAt(1, QColor(230, 80, 130));
        p.setBrush(g);
        p.drawEllipse(QPointF(0, -m * 0.17), m * 0.09, m * 0.16);
        p.restore();
    }
    p.setBrush(QColor(250, 200, 50));
    p.drawEllipse(QPointF(cx, cy), m * 0.08, m * 0.08);
}

void DrawHeart(QPainter& p, double w, double h) {
    const double m = std::min(w, h) * 0.9, x = (w - m) / 2, y = (h - m) / 2;
    QPainterPath heart(QPointF(x + m / 2, y + m * 0.3));
    heart.cubicTo(QPointF(x + m * 0.5, y + m * 0.05), QPointF(x, y + m * 0.05), QPointF(x, y + m * 0.35));
    heart.cubicTo(QPointF(x, y + m * 0.6), QPointF(x + m * 0.35, y + m * 0.75), QPointF(x + m / 2, y + m * 0.95));
    heart.cubicTo(QPointF(x + m * 0.65, y + m * 0.75), QPointF(x + m, y + m * 0.6), QPointF(x + m, y + m * 0.35));
    heart.cubicTo(QPointF(x + m, y + m * 0.05), QPointF(x + m * 0.5, y + m * 0.05), QPointF(x + m / 2, y + m * 0.3));
    QLinearGradient g(x, y, x + m, y + m);
    g.setColorAt(0, QColor(255, 110, 120));
    g.setColorAt(1, QColor(190, 20, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(heart);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(x + m * 0.25, y + m * 0.3), m * 0.08, m * 0.05);
}

void DrawCottage(QPainter& p, double w, double h) {
    const double m = std::min(w, h) * 0.9, x = (w - m) / 2, y = (h - m) / 2;
    const QPen outline(QColor(80, 50, 30), std::max(1.0, m / 80));
    p.setPen(outline);
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(x + m * 0.62, y + m * 0.12, m * 0.1, m * 0.25));  // chimney
    p.setBrush(QColor(240, 220, 170));
    p.drawRect(QRectF(x + m * 0.15, y + m * 0.45, m * 0.7, m * 0.5));   // walls
    p.setBrush(QColor(190, 60, 50));
    p.drawPolygon(QPolygonF({QPointF(x + m * 0.05, y + m * 0.47), QPointF(x + m * 0.5, y + m * 0.12),
                             QPointF(x + m * 0.95, y + m * 0.47)}));
    p.setBrush(QColor(120, 80, 50));
    p.drawRect(QRectF(x + m * 0.42, y + m * 0.65, m * 0.16, m * 0.3));  // door
    p.setBrush(QColor(160, 210, 240));
    for (double left : {0.22, 0.66}) p.drawRect(QRectF(x + m * left, y + m * 0.56, m * 0.13, m * 0.13));
}

void DrawBalloons(QPainter& p, double w, double h) {
    const double m = std::min(w, h), knotY = h / 2 + m * 0.45;
    const struct {
        double dx, dy;
        QColor colour;
    } balloons[] = {{-0.22, -0.12, QColor(230, 60, 60)}, {0.2, -0.18, QColor(60, 130, 230)}, {0, -0.3, QColor(250, 200, 40)}};
    for (const auto& b : balloons) {
        const QPointF centre(w / 2 + b.dx * m, h / 2 + b.dy * m);
        p.setPen(QPen(QColor(110, 110, 110), 1));
        p.drawLine(centre + QPointF(0, m * 0.17), QPointF(w / 2, knotY));
        QRadialGradient g(centre - QPointF(m * 0.05, m * 0.06), m * 0.2);
        g.setColorAt(0, b.colour.lighter(160));
        g.setColorAt(1, b.colour);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(centre, m * 0.13, m * 0.17);
    }
}

void DrawStar(QPainter& p, double w, double h) {
    const double r = std::min(w, h) * 0.45;
    const QPointF c(w / 2, h / 2 + r * 0.05);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = M_PI / 2 + i * M_PI / 5, len = i % 2 ? r * 0.42 : r;
        star << QPointF(c.x() + std::cos(a) * len, c.y() - std::sin(a) * len);
    }
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor(255, 245, 170));
    g.setColorAt(1, QColor(235, 170, 20));
    p.setPen(QPen(QColor(200, 130, 10), std::max(1.0, r / 40)));
    p.setBrush(g);
    p.drawPolygon(star);
}

// One material: its name on the page and how its picture is drawn at a size.
struct Material {
    const char* name;
    void (*draw)(QPainter&, double w, double h);
};

const Material kBackgrounds[] = {
    {"蓝天白云", DrawSky},  {"夕阳海面", DrawSunset}, {"青青草地", DrawMeadow},
    {"星空月夜", DrawNight}, {"原木纹理", DrawWood},   {"粉色格子布", DrawGingham},
};
const Material kForegrounds[] = {
    {"盛开的花", DrawFlower}, {"红色爱心", DrawHeart}, {"小木屋", DrawCottage},
    {"彩色气球", DrawBalloons}, {"金色星星", DrawStar},
};

QList<Material> Materials(bool foreground) {
    return foreground ? QList<Material>(std::begin(kForegrounds), std::end(kForegrounds))
                      : QList<Material>(std::begin(kBackgrounds), std::end(kBackgrounds));
}

// The size of a page's pictures: the cell's, a foreground at half of it; 100 × 100 for a number
// that names no cell.
QSize PictureSize(bool foreground, int n) {
    const qint16 cell = static_cast<qint16>(n);
    QSize size(GetCellWidth(cell), GetCellHeight(cell));
    if (size.isEmpty()) size = QSize(100, 100);
    if (foreground) size = QSize(qMax(1, size.width() / 2), qMax(1, size.height() / 2));
    return size.boundedTo(QSize(1200, 1000));
}

QByteArray Picture(bool foreground, int n, const Material& material) {
    QImage img(PictureSize(foreground, n), foreground ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    material.draw(p, img.width(), img.height());
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
    const QList<Material> materials = Materials(foreground);
    // Each choice is one entry: the address it hands over, its name and, for a picture, what to show.
    QString items;
    const auto item = [&items](const QString& address, const QString& name, const QString& preview) {
        items += QStringLiteral("<div class=\"item\" onclick=\"choose(this,'%1','%2')\">%3<p>%2</p></div>\n")
                     .arg(address, name.toHtmlEscaped(), preview);
    };
    for (int k = 1; k <= materials.size(); ++k) {
        const QString address = base + QStringLiteral("_%1.png").arg(k);
        const QString name = QString::fromUtf8(materials[k - 1].name);
        item(address, name, QStringLiteral("<img src=\"%1\" alt=\"%2\">").arg(address, name.toHtmlEscaped()));
    }
    if (foreground)
        item(base + QStringLiteral("_flash.swf"), QStringLiteral("Flash 素材"), QStringLiteral("<div class=\"flash\">Flash</div>"));
    const QSize size = PictureSize(foreground, n);
    // The pick is written into the page's text between the markers, where the editors read it; the
    // marker box is out of sight but still part of that text. The member sees the name instead.
    const QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>素材库</title>\n"
        "<style>body{font-family:sans-serif;margin:12px;color:#333;background:#f4f6f9}"
        "h1{font-size:18px;color:#336699;margin:0 0 4px}.hint{font-size:13px;color:#666;margin:0 0 8px}"
        ".item{display:inline-block;vertical-align:top;width:160px;margin:6px;padding:6px;border:2px solid #dde3ea;"
        "border-radius:6px;cursor:pointer;background:#fff;text-align:center}"
        ".item:hover{border-color:#8fb0d4}.item.chosen{border-color:#336699;background:#eaf2fb}"
        ".item img,.item .flash{width:150px;height:110px;object-fit:%3;display:block;margin:0 auto;"
        "background:repeating-conic-gradient(#eee 0 25%,#fff 0 50%) 0 0/16px 16px}"
        ".item .flash{line-height:110px;color:#fff;font-weight:bold;background:linear-gradient(135deg,#d33,#f90)}"
        ".item p{margin:6px 0 0;font-size:13px}#picked{font-size:13px;color:#336699;margin:8px 6px}"
        "#choice{position:absolute;left:-10000px;top:0;width:1px;height:1px;overflow:hidden}</style>\n"
        "<script>function choose(e,a,n){var items=document.getElementsByClassName('item');"
        "for(var i=0;i<items.length;i++)items[i].className='item';e.className='item chosen';"
        "document.getElementById('picked').textContent='已选择：'+n;"
        "document.getElementById('choice').textContent='{{{'+a+'}}}';}</script></head>\n"
        "<body><h1>%1素材</h1><p class=\"hint\">图片大小 %2×%4 像素。点击一个素材选中它，然后按“确定”。</p>\n%5"
        "<div id=\"picked\">尚未选择素材</div><div id=\"choice\">[[[]]]</div>\n</body></html>\n")
                             .arg(foreground ? QStringLiteral("前景") : QStringLiteral("背景"))
                             .arg(size.width())
                             .arg(foreground ? QStringLiteral("contain") : QStringLiteral("cover"))
                             .arg(size.height())
                             .arg(items);
    return HttpResponse::Html(html);
}

}  // namespace

bool ServeMaterialsLibrary(const HttpRequest& r, const QString& host, HttpResponse* out) {
    if (r.method != "GET" && r.method != "HEAD") return false;
    static const QRegularExpression page(QStringLiteral("^/pwtd/sc01/(bj|qj)(\\d{1,2})\\.aspx$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression picture(QStringLiteral("^/pwtd/sc01/pic/(bj|qj)(\\d{1,2})_(\\d{1,2})\\.png$"));
    static const QRegularExpression flash(QStringLiteral("^/pwtd/sc01/pic/qj(\\d{1,2})_flash\\.swf$"));
    if (const auto m = page.match(r.path); m.hasMatch()) {
        *out = Page(host, m.captured(1).toLower(), m.captured(2).toInt());
        return true;
    }
    if (const auto m = picture.match(r.path); m.hasMatch()) {
        const bool foreground = m.captured(1) == QLatin1String("qj");
        const QList<Material> materials = Materials(foreground);
        const int k = m.captured(3).toInt();
        if (k < 1 || k > materials.size()) return false;
        *out = HttpResponse::Bytes(Picture(foreground, m.captured(2).toInt(), materials[k - 1]), "image/png");
        return true;
    }
    if (flash.match(r.path).hasMatch()) {
        *out = HttpResponse::Bytes(DemoFlashMovie(), "application/x-shockwave-flash");
        return true;
    }
    return false;
}

}  // namespace emu
