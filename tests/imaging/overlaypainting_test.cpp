// The shared overlay renderer: the font style rule, the label's size and place, frames, and the
// font names that stored settings use.
#include <gtest/gtest.h>

#include "imaging/overlaypainting.h"
#include "platform/fontnames.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

namespace {

struct StyleCase {
    const char* name;
    const char* steps[2];  // applied in order, starting bold and italic off or on
    bool startBold, startItalic;
    bool bold, italic;
};

// "斜体" and "粗体" switch one attribute on and keep the other; only "常规" switches both off.
TEST(FontStyleRule, SwitchesOnlyWhatTheStyleNames) {
    const StyleCase cases[] = {
        {"粗斜体 then 斜体 stays bold", {"粗斜体", "斜体"}, false, false, true, true},
        {"斜体 keeps a bold start", {"斜体", nullptr}, true, true, true, true},
        {"粗体 keeps a plain italic", {"粗体", nullptr}, false, true, true, true},
        {"粗体 from plain", {"粗体", nullptr}, false, false, true, false},
        {"常规 clears both", {"常规", nullptr}, true, true, false, false},
        {"unknown changes nothing", {"Bold", nullptr}, true, false, true, false},
        {"padded name is not a style", {" 常规", nullptr}, true, true, true, true},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFont f;
        f.setBold(c.startBold);
        f.setItalic(c.startItalic);
        for (const char* step : c.steps)
            if (step) ApplyFontStyle(f, QString::fromUtf8(step));
        EXPECT_EQ(f.bold(), c.bold);
        EXPECT_EQ(f.italic(), c.italic);
    }
}

TEST(FontPoints, PixelSizeIsFourThirdsOfThePointsAndIgnoresTheScreen) {
    const struct {
        double points;
        int pixels;
    } cases[] = {{15, 20}, {9, 12}, {8, 11}, {10.5, 14}, {78, 104}, {0.1, 1}, {15.75, 21}};
    for (const auto& c : cases) {
        QFont f;
        SetFontPoints(f, c.points);
        EXPECT_EQ(f.pixelSize(), c.pixels) << c.points;
    }
    // At another display scale: points × 20 / twips per pixel.
    QFont f;
    SetFontPoints(f, 9, 12);
    EXPECT_EQ(f.pixelSize(), 15);
    SetFontPoints(f, 15.75, 12);
    EXPECT_EQ(f.pixelSize(), 26);
}

// A label kept at a fixed size: its text wraps, line breaks kept, and is cut off at the bottom.
TEST(OverlayLabelRendering, AFixedSizeWrapsItsTextAndCutsItAtTheBottom) {
    OverlayLabel label;
    label.font = QFont(QStringLiteral("DejaVu Sans"));
    label.font.setPixelSize(12);
    label.foreColor = Qt::black;
    label.backColor = Qt::white;
    label.transparent = false;
    label.fixedSize = QSize(40, 60);
    const int line = QFontMetrics(label.font).height();
    // Dark pixels in the band of one line, left of the label's right edge.
    const auto inkInLine = [&](const QImage& image, int index) {
        for (int y = index * line; y < (index + 1) * line && y < image.height(); ++y)
            for (int x = 0; x < 40; ++x)
                if (qGray(image.pixel(x, y)) < 100) return true;
        return false;
    };
    const auto render = [&](const QString& text) {
        label.text = text;
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::green);
        QPainter p(&image);
        DrawOverlayLabel(p, QPoint(0, 0), label);
        return image;
    };
    EXPECT_EQ(OverlayLabelSize(label), QSize(40, 60));
    const QImage breaks = render(QStringLiteral("I\r\nI"));
    EXPECT_TRUE(inkInLine(breaks, 0));
    EXPECT_TRUE(inkInLine(breaks, 1));
    EXPECT_FALSE(inkInLine(breaks, 2));
    // One long word breaks where it must.
    EXPECT_TRUE(inkInLine(render(QStringLiteral("WWWWWWWWWW")), 1));
    const QImage tall = render(QStringLiteral("W W W W W W W W W W W W W W W W W W W W"));
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (x >= 40 || y >= 60) {
                ASSERT_EQ(tall.pixel(x, y), qRgb(0, 255, 0)) << x << "," << y;
            }
        }
    }
    EXPECT_NE(tall.pixel(39, 59), qRgb(0, 255, 0));
}

TEST(OverlayPlacement, KeepsThreeHundredTwipsFromTheEdgeOrCentres) {
    // A 9000 × 6750 twip panel and a 1500 × 450 twip label.
    const struct {
        int code;
        double panel, item, current, expected;
    } cases[] = {
        {0, 9000, 1500, 777, 300},
        {1, 9000, 1500, 777, 3750},
        {2, 9000, 1500, 777, 7200},
        {0, 6750, 450, 10, 300},
        {1, 6750, 450, 10, 3150},
        {2, 6750, 450, 10, 6000},
        {1, 9000, 1515, 0, 3742.5},   // odd width: half a twip stays
        {2, 9000, 9600, 0, -900},     // wider than the panel: off its left edge
        {-1, 9000, 1500, 777, 777},   // no item chosen: stays
        {3, 9000, 1500, 777, 777},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(PlaceOverlay(c.code, c.panel, c.item, c.current), c.expected)
            << "code " << c.code << " panel " << c.panel << " item " << c.item;
}

// A label is its text's advance by the font's height, plus 1 pixel a side for a single frame and 2
// for a 3-D one; what it paints stays inside that box.
TEST(OverlayLabelRendering, SizedToItsTextAndFrameAndPaintsInsideIt) {
    OverlayLabel label;
    label.text = QStringLiteral("www.example.test");
    label.font.setFamily(QStringLiteral("DejaVu Sans"));
    SetFontPoints(label.font, 15);
    label.foreColor = Qt::white;
    label.transparent = true;
    const QFontMetrics fm(label.font);
    const QSize plain(fm.horizontalAdvance(label.text), fm.height());
    // DejaVu Sans at 20 pixels: 16 characters are about 10 to 13 pixels each, 23 or 24 pixels high.
    EXPECT_NEAR(plain.height(), 24, 1);
    EXPECT_GT(plain.width(), 150);
    EXPECT_LT(plain.width(), 220);
    EXPECT_EQ(OverlayLabelSize(label), plain);
    label.frame = FrameOf(true, false);
    EXPECT_EQ(OverlayLabelSize(label), plain + QSize(2, 2));
    label.frame = FrameOf(true, true);
    EXPECT_EQ(OverlayLabelSize(label), plain + QSize(4, 4));
    label.frame = FrameOf(false, true);  // the 3-D look alone draws no frame
    EXPECT_EQ(OverlayLabelSize(label), plain);

    QImage canvas(400, 100, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    label.transparent = false;
    label.backColor = QColor(0, 0, 255);
    {
        QPainter p(&canvas);
        DrawOverlayLabel(p, QPoint(50, 30), label);
    }
    const QRect box(QPoint(50, 30), OverlayLabelSize(label));
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            if (!box.contains(x, y)) {
                ASSERT_EQ(canvas.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
            }
        }
    EXPECT_EQ(canvas.pixel(box.center().x(), box.top() + 1), qRgb(0, 0, 255)) << "filled background";
}

TEST(OverlayPictureRendering, FramesAtNaturalSizeAndStretchesTheBorder) {
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    EXPECT_EQ(FramedPictureSize(picture, OverlayFrame::None), QSize(30, 20));
    EXPECT_EQ(FramedPictureSize(picture, OverlayFrame::Single), QSize(32, 22));
    EXPECT_EQ(FramedPictureSize(QImage(), OverlayFrame::Single), QSize(0, 0));

    QImage canvas(100, 80, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QImage border(4, 4, QImage::Format_RGB32);
    border.fill(Qt::green);
    {
        QPainter p(&canvas);
        DrawStretchedBorder(p, canvas.rect(), border);
        DrawFramedPicture(p, QPoint(10, 10), picture, OverlayFrame::Single);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(canvas.pixel(99, 79), qRgb(0, 255, 0));
    EXPECT_EQ(canvas.pixel(10, 10), qRgb(0, 0, 0)) << "frame line";
    EXPECT_EQ(canvas.pixel(11, 11), qRgb(255, 0, 0)) << "picture inside the frame";
    EXPECT_EQ(canvas.pixel(41, 31), qRgb(0, 0, 0)) << "frame's far corner";
    EXPECT_EQ(canvas.pixel(42, 32), qRgb(0, 255, 0));
}

// The test program, like the program, points fontconfig at the shipped alias file.
TEST(FontNames, StoredWindowsNamesResolveToInstalledFonts) {
    const struct {
        const char* name;
        const char* family;
    } cases[] = {
        {"宋体", "Noto Serif CJK SC"},   {"新宋体", "Noto Serif CJK SC"}, {"SimSun", "Noto Serif CJK SC"},
        {"黑体", "Noto Sans CJK SC"},    {"SimHei", "Noto Sans CJK SC"},  {"微软雅黑", "Noto Sans CJK SC"},
        {"楷体", "AR PL UKai CN"},       {"华文新魏", "AR PL UKai CN"},   {"华文彩云", "Noto Sans CJK SC"},
        {"Arial Black", "DejaVu Sans"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFont f(QString::fromUtf8(c.name));
        SetFontPoints(f, 15);
        EXPECT_EQ(QFontInfo(f).family().toStdString(), c.family);
        EXPECT_TRUE(QRawFont::fromFont(f).supportsCharacter(c.family[0] == 'D' ? QChar(u'W') : QChar(u'水')));
    }
}

// The brush-style face installed for "楷体" must not become the fallback of ordinary text.
TEST(FontNames, ChineseTextInALatinFontFallsBackToThePlainFace) {
    for (const char* family : {"DejaVu Sans", "Sans Serif"}) {
        QFont f(QString::fromLatin1(family));
        f.setPixelSize(20);
        QTextLayout layout(QStringLiteral("水印"), f);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        ASSERT_FALSE(runs.isEmpty());
        EXPECT_EQ(runs.first().rawFont().familyName().toStdString(), "Noto Sans CJK SC") << family;
    }
}

TEST(FontNames, ListsOfferTheMappedNamesBesideTheInstalledFamilies) {
    const QStringList mapped = MappedFontNames();
    EXPECT_EQ(mapped, (QStringList{QStringLiteral("宋体"), QStringLiteral("新宋体"), QStringLiteral("SimSun"),
                                   QStringLiteral("黑体"), QStringLiteral("SimHei"), QStringLiteral("微软雅黑"),
                                   QStringLiteral("楷体"), QStringLiteral("华文新魏"), QStringLiteral("华文彩云"),
                                   QStringLiteral("Arial Black")}));
    const QStringList names = ScreenFontNames();
    for (const QString& m : mapped) EXPECT_EQ(names.count(m), 1) << m.toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("AR PL UKai CN")));
    EXPECT_EQ(names.mid(0, QFontDatabase::families().size()), QFontDatabase::families());
}

}  // namespace
