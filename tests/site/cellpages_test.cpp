// Picture and Flash cell pages and cell 4 with the music box, pinned by golden pages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "support/sitefixture.h"

using testsupport::sameBytes;
constexpr auto put = &testsupport::putCell;
namespace B = CellBlock;

namespace {

struct GoldenCase {
    const char* golden;  // file under tests/site/golden/, also the test's name
    qint16 cell;
    qint16 column;
    std::function<void()> fill;
};

// What the music editor writes for its defaults with the hint box ticked.
const QString kEditorMusicRow =
    QStringLiteral("-1,50,0,#FFFF80,,0,3000,0,<font size=2 color=red>&lt;移入鼠标可暂停歌词&gt;</font><br>,,,,,,");

void musicOnWithPlayer(int column) {
    SiteSettings(column, MusicUrlRow) = QStringLiteral("http://music.test/song.mp3");
    SiteSettings(column, MusicOffRow) = QStringLiteral("0");
    SiteSettings(column, MusicPlayerShownRow) = QStringLiteral("1");
    SiteSettings(column, MusicLyricsShownRow) = QStringLiteral("1");
    SiteSettings(column, MusicBoxStyleRow) = kEditorMusicRow;
    SiteSettings(column, MusicLyricsRow) = QStringLiteral("第一行<br>第二行");
}

class CellPages : public testsupport::SiteTest {};

}  // namespace

TEST_F(CellPages, GoldenPages) {
    const GoldenCase cases[] = {
        // Foreground, text and an empty style: the text's division before the foreground, the
        // outer cell aligned (code "102": top, right), a layer rule in the page.
        {"cell08_layer_above.html", 8, LocalColumn, [] {
             put(0, 8, B::CellBackground, QStringLiteral("http://img12.sitehost.test/bg8.jpg"));
             put(0, 8, B::CellForeground, QStringLiteral("http://img12.sitehost.test/fg8.gif"));
             put(0, 8, B::CellForeWidth, QStringLiteral("120"));
             put(0, 8, B::CellForeHeight, QStringLiteral("300"));
             put(0, 8, B::CellForeCode, QStringLiteral("102"));
             put(0, 8, B::CellTextHtml, QStringLiteral("<p>你好</p>"));
             SiteSettings(0, HomeBackColorRow) = QStringLiteral("#123456");  // column 0: no body colour
         }},
        // Style "1": the foreground in the layer's W x H table, aligned there; the text follows.
        {"cell10_layer_below.html", 10, LocalColumn, [] {
             put(0, 10, B::CellForeground, QStringLiteral("/home/zhang/图片/fg10.jpg"));
             put(0, 10, B::CellForeWidth, QStringLiteral("300"));
             put(0, 10, B::CellForeHeight, QStringLiteral("200"));
             put(0, 10, B::CellForeCode, QStringLiteral("11"));
             put(0, 10, B::CellTextHtml, QStringLiteral("文字<br>第二行"));
             put(0, 10, B::CellTextStyle, QStringLiteral("1,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
         }},
        // Text without a foreground: no division, no rule, an empty line 13.
        {"cell13_text_only.html", 13, LocalColumn, [] {
             put(0, 13, B::CellTextHtml, QStringLiteral("<b>仅文字</b>"));
             put(0, 13, B::CellTextStyle, QStringLiteral("1,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
             put(0, 13, B::CellForeCode, QStringLiteral("22"));
         }},
        // Flash with "011" under text above it: centre, middle, transparent.
        {"cell02_flash_transparent.html", 2, LocalColumn, [] {
             put(0, 2, B::CellBackground, QStringLiteral("http://img12.sitehost.test/bg2.jpg"));
             put(0, 2, B::CellForeground, QStringLiteral("http://img12.sitehost.test/movie.swf"));
             put(0, 2, B::CellForeWidth, QStringLiteral("696"));
             put(0, 2, B::CellForeHeight, QStringLiteral("150"));
             put(0, 2, B::CellForeCode, QStringLiteral("011"));
             put(0, 2, B::CellTextHtml, QStringLiteral("<span>Flash上的字</span>"));
             put(0, 2, B::CellTextStyle, QStringLiteral("2,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
         }},
        // Flash named in capitals with "111" and no text: opaque, no wrapper, no alignment.
        {"cell03_flash_opaque.html", 3, LocalColumn, [] {
             put(0, 3, B::CellForeground, QStringLiteral("http://img12.sitehost.test/BANNER.SWF"));
             put(0, 3, B::CellForeWidth, QStringLiteral("1002"));
             put(0, 3, B::CellForeHeight, QStringLiteral("25"));
             put(0, 3, B::CellForeCode, QStringLiteral("111"));
         }},
        // Column 1 carries the home colour as stored, without "#"; code "2" aligns nothing.
        {"cell31_publish_colour.html", 31, PublishColumn, [] {
             SiteSettings(1, HomeBackColorRow) = QStringLiteral("ff8800");
             put(1, 31, B::CellForeground, QStringLiteral("http://img12.sitehost.test/strip.jpg"));
             put(1, 31, B::CellForeWidth, QStringLiteral("1002"));
             put(1, 31, B::CellForeHeight, QStringLiteral("26"));
             put(1, 31, B::CellForeCode, QStringLiteral("2"));
             put(1, 31, B::CellTextHtml, QStringLiteral("底部"));
         }},
        // Cell 4 with a foreground: the music box replaces the cell's own text, above the
        // foreground, whatever the cell's style says.
        {"cell04_music_layer.html", 4, LocalColumn, [] {
             put(0, 4, B::CellForeground, QStringLiteral("http://img12.sitehost.test/fg4.jpg"));
             put(0, 4, B::CellForeWidth, QStringLiteral("280"));
             put(0, 4, B::CellForeHeight, QStringLiteral("210"));
             put(0, 4, B::CellForeCode, QStringLiteral("121"));
             put(0, 4, B::CellTextHtml, QStringLiteral("自己的文字"));
             put(0, 4, B::CellTextStyle, QStringLiteral("1,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
             musicOnWithPlayer(0);
         }},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.golden);
        SiteSettings.create();
        LayerCss.clear();
        c.fill();
        CreateCellHtml(c.cell, c.column);
        EXPECT_TRUE(sameBytes(golden(QStringLiteral("site"), QString::fromLatin1(c.golden)),
                              page(QString::number(c.cell) + QStringLiteral(".html"))));
    }
}

TEST_F(CellPages, FragmentAndLayerRuleMatchThePage) {
    put(0, 8, B::CellForeground, QStringLiteral("a.gif"));
    put(0, 8, B::CellForeCode, QStringLiteral("11"));
    put(0, 8, B::CellTextHtml, QStringLiteral("T"));
    LayerCss = QStringLiteral("#Layer0 {}");
    const QString fragment = CreateCellHtml(8, LocalColumn);
    EXPECT_EQ(fragment, QStringLiteral(" align=\"center\" valign=\"middle\"><div id=\"Layer8\">T</div>\r"
                                       "<img src=\"a.gif\" width=\"\" height=\"\" />"));
    EXPECT_EQ(LayerCss, QStringLiteral("#Layer0 {}\r#Layer8 {\r    position:absolute;\r    width:130px;\r"
                                       "    height:360px;\r    z-index:8;\r}"));
    // Without text there is no layer, and LayerCss stays as it was.
    put(0, 13, B::CellForeground, QStringLiteral("b.gif"));
    const QString before = LayerCss;
    EXPECT_EQ(CreateCellHtml(13, LocalColumn), QStringLiteral("><img src=\"b.gif\" width=\"\" height=\"\" />"));
    EXPECT_EQ(LayerCss, before);
}

TEST_F(CellPages, MarginCellsAreCopied) {
    put(1, 25, B::CellBackground, QStringLiteral("http://img12.sitehost.test/m25.jpg"));
    put(1, 28, B::CellBackground, QStringLiteral("http://img12.sitehost.test/m28.jpg"));
    testsupport::writeFile(pagePath(QStringLiteral("26.html")), "old copy");
    EXPECT_EQ(CreateCellHtml(25, PublishColumn), QStringLiteral(" background=\"http://img12.sitehost.test/m25.jpg\">"));
    CreateCellHtml(28, PublishColumn);
    EXPECT_TRUE(sameBytes(golden(QStringLiteral("site"), QStringLiteral("cell25_background_only.html")),
                          page(QStringLiteral("25.html"))));
    EXPECT_EQ(page(QStringLiteral("26.html")), page(QStringLiteral("25.html")));
    EXPECT_EQ(page(QStringLiteral("29.html")), page(QStringLiteral("28.html")));
    EXPECT_TRUE(page(QStringLiteral("28.html")).contains("m28.jpg"));
}

TEST_F(CellPages, PreviewOnlyWritesNothingButBuildsEverything) {
    put(3, 25, B::CellForeground, QStringLiteral("f.gif"));
    put(3, 25, B::CellTextHtml, QStringLiteral("T"));
    PreviewOnly = -1;
    const QString fragment = CreateCellHtml(25, TemplateColumn);
    EXPECT_TRUE(fragment.startsWith(QStringLiteral("><div id=\"Layer25\">T</div>")));
    EXPECT_TRUE(LayerCss.startsWith(QStringLiteral("#Layer25 {")));
    EXPECT_FALSE(QFileInfo::exists(pagePath(QStringLiteral("25.html"))));
    EXPECT_FALSE(QFileInfo::exists(pagePath(QStringLiteral("26.html"))));
    CreateMusicCellHtml(TemplateColumn, 0);
    EXPECT_FALSE(QFileInfo::exists(pagePath(QStringLiteral("4.html"))));
}

TEST_F(CellPages, FileErrorsAreSwallowedButAMissingTableIsNot) {
    put(0, 25, B::CellTextHtml, QStringLiteral("T"));
    QDir(UserFolder + QStringLiteral("/temp")).removeRecursively();
    EXPECT_EQ(CreateCellHtml(25, LocalColumn), QStringLiteral(">T"));
    EXPECT_EQ(CreateMusicCellHtml(LocalColumn, 0), QStringLiteral(">"));
    SiteSettings.destroy();
    EXPECT_THROW(CreateCellHtml(0, LocalColumn), VbError);
}
