// The music box of cell 4 and cell 4's local page.
#include <gtest/gtest.h>

#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"
#include "support/sitefixture.h"

using testsupport::sameBytes;
namespace B = CellBlock;

namespace {

struct MusicRows {
    const char* url;
    const char* off;
    const char* player;
    const char* lyricsShown;
    const char* boxStyle;
    const char* lyrics;
};

void putMusic(int column, const MusicRows& m) {
    SiteSettings(column, MusicUrlRow) = QString::fromUtf8(m.url);
    SiteSettings(column, MusicOffRow) = QString::fromUtf8(m.off);
    SiteSettings(column, MusicPlayerShownRow) = QString::fromUtf8(m.player);
    SiteSettings(column, MusicLyricsShownRow) = QString::fromUtf8(m.lyricsShown);
    SiteSettings(column, MusicBoxStyleRow) = QString::fromUtf8(m.boxStyle);
    SiteSettings(column, MusicLyricsRow) = QString::fromUtf8(m.lyrics);
}

class MusicBox : public testsupport::SiteTest {};

}  // namespace

TEST_F(MusicBox, GoldenMusicCellPages) {
    struct Case {
        const char* golden;
        qint16 column;
        qint16 autostart;
        MusicRows music;
        bool foreground;         // a picture in cell 4 puts the box in "Layer4"
        const char* cellText;    // cell 4's own text layer
    };
    const Case cases[] = {
        // Music on, player shown, the editor's default row with the hint: player row, loop -1.
        {"music_player_lyrics.html", LocalColumn, 0,
         {"http://music.test/song.mp3", "0", "1", "1",
          "-1,50,0,#FFFF80,,0,3000,0,<font size=2 color=red>&lt;移入鼠标可暂停歌词&gt;</font><br>,,,,,,",
          "第一行<br>第二行"},
         false, ""},
        // Player hidden, lyrics shown: no player row, italic lyrics with a red shadow, a colour
        // given without "#"; from column 1 with a home colour, yet no body colour.
        {"music_no_player_shadow.html", PublishColumn, 0,
         {"http://music.test/a.mp3", "0", "0", "1", "3,80,1,FF0000,,1,5000,1,,,,,,,", "歌词一<br>歌词二"},
         true, "不显示"},
        // Music off with the player hidden: the slot shows cell 4's own text, no marquee.
        {"music_off_cell_text.html", LocalColumn, 0,
         {"http://music.test/a.mp3", "1", "0", "1", "-1,50,0,#FFFF80,,2,3000,2,,,,,,,", "歌"},
         false, "卷首的文字"},
        // Lyrics not shown but music and player on: the box still shows row 316; a glow in the
        // background colour (given without "#"), bold italic, and the player starts by itself.
        {"music_glow_autostart.html", LocalColumn, 1,
         {"http://music.test/b.mp3", "0", "1", "0", "-1,60,2,#FFFFFF,0000FF,3,4000,2,<b>提示</b>,,,,,,", "歌词"},
         false, ""},
        // A row of fewer than nine fields: the missing ones take their defaults; a player row is
        // laid out (row 313 neither "0" nor "1") but holds only its spaces.
        {"music_short_row.html", LocalColumn, 0,
         {"http://music.test/c.mp3", "0", "", "1", "5,,,,#333333,", "词"}, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        SiteSettings.create();
        SiteSettings(c.column, HomeBackColorRow) = QStringLiteral("#ABCDEF");
        putMusic(c.column, c.music);
        testsupport::putCell(c.column, 4, B::CellTextHtml, QString::fromUtf8(c.cellText));
        if (c.foreground) {
            testsupport::putCell(c.column, 4, B::CellForeground, QStringLiteral("http://img12.sitehost.test/fg4.jpg"));
            testsupport::putCell(c.column, 4, B::CellForeWidth, QStringLiteral("280"));
            testsupport::putCell(c.column, 4, B::CellForeHeight, QStringLiteral("210"));
            testsupport::putCell(c.column, 4, B::CellForeCode, QStringLiteral("00"));
        }
        CreateMusicCellHtml(c.column, c.autostart);
        EXPECT_TRUE(sameBytes(golden(QStringLiteral("site"), QString::fromLatin1(c.golden)),
                              page(QStringLiteral("4.html"))));
    }
}

TEST_F(MusicBox, WhenTheBoxIsShown) {
    struct Case {
        MusicRows music;
        bool shown;
    };
    const Case cases[] = {
        {{"http://m/a.mp3", "0", "1", "0", "", ""}, true},   // music on, player shown
        {{"http://m/a.mp3", "0", "0", "0", "", "x"}, false}, // player hidden, lyrics not shown
        {{"", "0", "1", "0", "", "x"}, false},               // no music address
        {{"http://m/a.mp3", "1", "1", "0", "", "x"}, false}, // music off
        {{"", "1", "0", "1", "", "x"}, true},                // lyrics shown and present
        {{"", "1", "0", "1", "", ""}, false},                // lyrics shown but empty
    };
    for (const Case& c : cases) {
        putMusic(LocalColumn, c.music);
        EXPECT_EQ(MusicBoxShown(LocalColumn), c.shown) << c.music.url << "|" << c.music.off << "|" << c.music.player
                                                       << "|" << c.music.lyricsShown << "|" << c.music.lyrics;
    }
    // Every test reads the given column only.
    putMusic(TemplateColumn, {"http://m/a.mp3", "0", "1", "1", "", "x"});
    putMusic(LocalColumn, {"", "", "", "", "", ""});
    EXPECT_TRUE(MusicBoxShown(TemplateColumn));
    EXPECT_FALSE(MusicBoxShown(LocalColumn));
}

TEST_F(MusicBox, BoxSettingsFieldsAndDefaults) {
    const MusicBoxSettings editor = MusicBoxSettings::fromRow(
        QStringLiteral("-1,50,0,#FFFF80,,0,3000,0,<font size=2 color=red>&lt;移入鼠标可暂停歌词&gt;</font><br>,,,,,,"));
    EXPECT_EQ(editor.playCount, QStringLiteral("-1"));
    EXPECT_EQ(editor.lyricsBackColor, QString());
    EXPECT_EQ(editor.lyricsHint, QStringLiteral("<font size=2 color=red>&lt;移入鼠标可暂停歌词&gt;</font><br>"));

    for (const QString& row : {QStringLiteral(",,,,,,,,,,,,,,"), QString(), QStringLiteral("abc")}) {
        const MusicBoxSettings s = MusicBoxSettings::fromRow(row);
        EXPECT_EQ(QStringList({s.playCount, s.playerOpacity, s.playerFade, s.lyricsColor, s.lyricsBackColor,
                               s.lyricsFontStyle, s.lyricsDelay, s.lyricsEffect, s.lyricsHint}),
                  QStringList({"1", "50", "0", "#FFFF80", "", "0", "3000", "0", ""}))
            << row.toStdString();
    }
    // A field not ended by a comma reads empty, and so does every later one.
    EXPECT_EQ(ReadMusicBoxFields(QStringLiteral("7,80,2")), QStringList({"7", "80", "", "", "", "", "", "", ""}));
}

TEST_F(MusicBox, AutostartTextAndMissingTable) {
    putMusic(LocalColumn, {"http://m/a.mp3", "0", "1", "0", "", ""});
    EXPECT_TRUE(CreateMusicBoxHtml(LocalColumn, QStringLiteral("0")).contains(QStringLiteral("autostart=\"false\"")));
    for (const QString& other : {QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("yes")})
        EXPECT_TRUE(CreateMusicBoxHtml(LocalColumn, other).contains(QStringLiteral("autostart=\"true\"")));
    // Inside the whole-site page cell 4 is a picture cell whose box always starts by itself.
    EXPECT_TRUE(CreateCellHtml(4, LocalColumn).contains(QStringLiteral("autostart=\"true\"")));
    SiteSettings.destroy();
    EXPECT_THROW(CreateMusicBoxHtml(LocalColumn, QStringLiteral("0")), VbError);
}
