// The whole-site page: the grid of every cell, the layer rules in the head, the page colour, the
// background sound, and the cell pages it rewrites on the way.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "platform/ansi.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "site/siteview.h"
#include "state/sitestate.h"
#include "support/sitefixture.h"

using testsupport::sameBytes;
constexpr auto put = &testsupport::putCell;
namespace B = CellBlock;

namespace {

class SiteView : public testsupport::SiteTest {
protected:
    // A site as members build it: colours (the page colour without its "#"), pictures, a Flash
    // movie, two cells with text layers, a widget with its own picture, music on with the player
    // hidden and a home album.
    static void fillRepresentativeSite(int c) {
        SiteSettings(c, HomeBackColorRow) = QStringLiteral("3366cc");
        SiteSettings(c, MiddleBackColorRow) = QStringLiteral("#eeeeee");
        SiteSettings(c, BlogBackColorRow) = QStringLiteral("#dddddd");
        SiteSettings(c, HomeAlbumRow) = QStringLiteral("旅行");
        put(c, 0, B::CellBackground, QStringLiteral("http://img12.sitehost.test/space/u7788/www网站素材/grb0.jpg"));
        put(c, 0, B::CellForeground, QStringLiteral("http://img12.sitehost.test/space/u7788/www网站素材/grp0.gif"));
        put(c, 0, B::CellForeWidth, QStringLiteral("150"));
        put(c, 0, B::CellForeHeight, QStringLiteral("100"));
        put(c, 0, B::CellForeCode, QStringLiteral("11"));
        put(c, 2, B::CellForeground, QStringLiteral("http://mat.sitehost.test/flash/banner.swf"));
        put(c, 2, B::CellForeWidth, QStringLiteral("696"));
        put(c, 2, B::CellForeHeight, QStringLiteral("150"));
        put(c, 2, B::CellForeCode, QStringLiteral("011"));
        put(c, 8, B::CellForeground, QStringLiteral("http://img12.sitehost.test/fg8.gif"));
        put(c, 8, B::CellForeWidth, QStringLiteral("120"));
        put(c, 8, B::CellForeHeight, QStringLiteral("300"));
        put(c, 8, B::CellForeCode, QStringLiteral("102"));
        put(c, 8, B::CellTextHtml, QStringLiteral("<p>欢迎光临</p>"));
        put(c, 10, B::CellBackground, QStringLiteral("http://img12.sitehost.test/bg10.jpg"));
        put(c, 10, B::CellForeground, QStringLiteral("http://img12.sitehost.test/fg10.jpg"));
        put(c, 10, B::CellForeWidth, QStringLiteral("300"));
        put(c, 10, B::CellForeHeight, QStringLiteral("200"));
        put(c, 10, B::CellForeCode, QStringLiteral("11"));
        put(c, 10, B::CellTextHtml, QStringLiteral("给访客的一封信<br>第二行"));
        put(c, 10, B::CellTextStyle, QStringLiteral("1,01,40/25/25/25/,15,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
        put(c, 12, B::CellBackground, QStringLiteral("http://img12.sitehost.test/bg12.jpg"));
        put(c, 25, B::CellBackground, QStringLiteral("http://img12.sitehost.test/side.jpg"));
        put(c, 31, B::CellTextHtml, QStringLiteral("版权所有"));
        SiteSettings(c, MusicUrlRow) = QStringLiteral("http://music.test/song.mp3");
        SiteSettings(c, MusicOffRow) = QStringLiteral("0");
        SiteSettings(c, MusicPlayerShownRow) = QStringLiteral("0");
        SiteSettings(c, MusicBoxStyleRow) = QStringLiteral("-1,50,0,#FFFF80,,0,3000,0,,,,,,,");
    }
};

}  // namespace

TEST_F(SiteView, RepresentativeSiteMatchesGoldenPageAndRewritesTheCellPages) {
    fillRepresentativeSite(PublishColumn);
    const QString page = CreateSiteViewHtml(PublishColumn);

    const QByteArray written = this->page(QStringLiteral("view.html"));
    EXPECT_TRUE(sameBytes(golden(QStringLiteral("site"), QStringLiteral("view_representative.html")), written));
    EXPECT_EQ(AnsiCodec::encode(page), written);
    // The "#" stays in the column.
    EXPECT_EQ(SiteSettings(PublishColumn, HomeBackColorRow), QStringLiteral("#3366cc"));
    // The cell pages of the grid, the two copies and the footer now come from the same column.
    for (const char* name : {"0.html", "2.html", "4.html", "25.html", "26.html", "29.html", "31.html", "32.html"})
        EXPECT_TRUE(QFileInfo::exists(pagePath(QString::fromLatin1(name)))) << name;
    EXPECT_TRUE(this->page(QStringLiteral("0.html")).contains("grb0.jpg"));
}

TEST_F(SiteView, HeadHoldsTheLayerRulesInGridOrderOrAnEmptyLine) {
    // No layer anywhere: the marker's line is empty.
    QString page = CreateSiteViewHtml(PublishColumn);
    EXPECT_TRUE(page.contains(QStringLiteral("\r}\r\r-->\r</style></head>\r"))) << qPrintable(page.left(800));
    EXPECT_FALSE(page.contains(QStringLiteral("LayerHtml")));
    EXPECT_FALSE(page.contains(QStringLiteral("background-color")));  // no page colour, no rule line

    // Cells 10 and 8 with layers: cell 8 comes first in the grid, so its rule comes first.
    for (int cell : {10, 8}) {
        put(PublishColumn, cell, B::CellForeground, QStringLiteral("http://img12.sitehost.test/f.gif"));
        put(PublishColumn, cell, B::CellTextHtml, QStringLiteral("字"));
    }
    page = CreateSiteViewHtml(PublishColumn);
    const QString rules = LayerRule(8) + QLatin1Char('\r') + LayerRule(10);
    EXPECT_TRUE(page.contains(QStringLiteral("\r}\r") + rules + QStringLiteral("\r-->\r")));
    EXPECT_EQ(LayerCss, rules);
}

TEST_F(SiteView, SpacerCellsTakeTheirOwnRowsColourOnly) {
    SiteSettings(PublishColumn, HomeBackColorRow) = QStringLiteral("#101010");
    SiteSettings(PublishColumn, AlbumBackColorRow) = QStringLiteral("#404040");
    const QString page = CreateSiteViewHtml(PublishColumn);
    // Row 303 empty: the five home spacers carry no bgcolor at all, not row 301's.
    EXPECT_TRUE(page.contains(QStringLiteral("            <td width=\"10\"></td>\r")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td height=\"15\"></td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td height=\"18\" colspan=\"2\" bgcolor=\"#404040\"></td>")));
    EXPECT_FALSE(page.contains(QStringLiteral("bgcolor=\"#101010\"")));
}

TEST_F(SiteView, BackgroundSoundOnlyWithMusicOnAndThePlayerHidden) {
    struct Case {
        const char* name;
        const char* url;
        const char* off;
        const char* shown;
        const char* style;
        const char* expected;  // the last body line, before "\r</html>"
    };
    const Case cases[] = {
        {"loop -1", "http://m.test/a.mp3", "0", "0", "-1,50,0,,,,,,,", "<bgsound src=\"http://m.test/a.mp3\" loop=-1></body>"},
        {"loop not a number", "http://m.test/a.mp3", "0", "0", "x,50,", "<bgsound src=\"http://m.test/a.mp3\" loop=1></body>"},
        {"no comma", "http://m.test/a.mp3", "0", "0", "5", "<bgsound src=\"http://m.test/a.mp3\" loop=1></body>"},
        {"player shown", "http://m.test/a.mp3", "0", "1", "-1,", "</body>"},
        {"music off", "http://m.test/a.mp3", "1", "0", "-1,", "</body>"},
        {"no music", "", "0", "0", "-1,", "</body>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SiteSettings(PublishColumn, MusicUrlRow) = QString::fromUtf8(c.url);
        SiteSettings(PublishColumn, MusicOffRow) = QString::fromUtf8(c.off);
        SiteSettings(PublishColumn, MusicPlayerShownRow) = QString::fromUtf8(c.shown);
        SiteSettings(PublishColumn, MusicBoxStyleRow) = QString::fromUtf8(c.style);
        const QString page = CreateSiteViewHtml(PublishColumn);
        EXPECT_TRUE(page.endsWith(QStringLiteral("\r") + QString::fromUtf8(c.expected) + QStringLiteral("\r</html>")))
            << qPrintable(page.right(120));
    }
}

TEST_F(SiteView, TemplatePreviewWritesOnlyTheWholeSitePage) {
    fillRepresentativeSite(TemplateColumn);
    PreviewOnly = -1;
    const QString page = CreateSiteViewHtml(TemplateColumn);
    PreviewOnly = 0;
    EXPECT_EQ(AnsiCodec::encode(page), this->page(QStringLiteral("view.html")));
    for (const char* name : {"0.html", "1.html", "4.html", "26.html", "32.html"})
        EXPECT_FALSE(QFileInfo::exists(pagePath(QString::fromLatin1(name)))) << name;
    // Every fragment is there all the same.
    EXPECT_TRUE(page.contains(QStringLiteral("grb0.jpg")));
    EXPECT_TRUE(page.contains(QStringLiteral("banner.swf")));
    EXPECT_TRUE(page.contains(QStringLiteral("side.jpg")));
    EXPECT_TRUE(page.contains(QStringLiteral("版权所有")));
}
