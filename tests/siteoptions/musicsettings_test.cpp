// The background-music editor: the preview page of cell 4 and its music box, the lyrics' forms
// and byte counts, the address rule, the load from the record, the apply against the emulator,
// and the window (its hooks, the close box, the hint balloon).
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>

#include "foundation/settings.h"
#include "mainwindow/commands.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "site/sitemodel.h"
#include "siteoptions/musicsettings.h"
#include "siteoptions/ui/musicsettingswindow.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "support/publishfixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#ifdef TAVOLIN_HAVE_EMULATOR

using testsupport::readFile;
using testsupport::sameBytes;

namespace {

const QString kUpdated = QStringLiteral("网站更新成功！");
const int kCell4 = 41;  // the first row of cell 4's block
const QString CRLF = QStringLiteral("\r\n");

class MusicEditor : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        MusicSettingsView& v = editor.view;
        auto log = [this](const QString& e) { events.append(e); };
        v.controls = [this] { return controls; };
        v.showControls = [this](const MusicControls& c) { controls = c; };
        v.greyAddress = [log](bool on) { log(QStringLiteral("address ") + (on ? "greyed" : "normal")); };
        v.showPlayerChoice = [this, log](bool shown) {
            controls.playerShown = shown;
            log(QStringLiteral("player ") + (shown ? "shown" : "hidden"));
        };
        v.showFontColor = [log](const QColor& c) { log(QStringLiteral("font colour ") + c.name()); };
        v.setBackColorSwatch = [log](const QColor& c) { log(QStringLiteral("back swatch ") + c.name()); };
        v.showBackColorSwatch = [log](bool on) { log(QStringLiteral("back swatch ") + (on ? "shown" : "hidden")); };
        v.setNoBackColor = [this](bool on) { controls.noBackColor = on; };
        v.setCounter = [this](const QString& text) { counter = text; };
        v.showHint = [this](const QString& text) { hint = text; };
        v.hideHint = [this] { hint.clear(); };
        v.enableOK = [log](bool on) { log(QStringLiteral("cmdOK ") + (on ? "on" : "off")); };
        v.showWait = [log] { log(QStringLiteral("wait")); };
        v.hideWait = [log] { log(QStringLiteral("wait over")); };
        v.refreshPreview = [log] { log(QStringLiteral("preview")); };
        v.close = [log] { log(QStringLiteral("close")); };
    }
    // The main window's music command up to showing the editor, then the editor's load.
    void open() {
        DialogState = 0;
        FillMusicRecord();
        editor.Form_Load();
        events.clear();
    }
    void setMusicRows(const QString& url, const QString& off, const QString& player, const QString& lyricsShown,
                      const QString& style, const QString& lyrics) {
        const QString values[] = {url, off, player, lyricsShown, style, lyrics};
        for (int i = 0; i < 6; ++i)
            for (int c : {LocalColumn, PublishColumn, PublishedColumn}) SiteSettings(c, MusicSettingRows[i]) = values[i];
    }
    // Cell 4's pictures and its own text layer.
    void setCell4(const QString& back, const QString& fore, const QString& code, const QString& text,
                  const QString& style) {
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellBackground) = back;
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellForeground) = fore;
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellForeWidth) = QStringLiteral("200");
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellForeHeight) = QStringLiteral("100");
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellForeCode) = code;
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellTextHtml) = text;
        SiteSettings(LocalColumn, kCell4 + CellBlock::CellTextStyle) = style;
    }
    // A record as the editor holds it before a preview.
    void setRecord(const QStringList& entries) {
        RedimCellRecord(14);
        for (int i = 0; i < entries.size(); ++i) CellRecord[i] = entries[i];
    }
    QByteArray tempFile(const QString& name) { return readFile(UserFolder + QStringLiteral("/temp/") + name); }
    static QByteArray golden(const QString& name) {
        return readFile(testsupport::testDataPath(QStringLiteral("siteoptions/golden/") + name));
    }
    QString row(int r, int column = LocalColumn) { return SiteSettings(column, r); }
    // Typing into the address box runs its change handler.
    void typeAddress(const QString& text) {
        controls.address = text;
        editor.txtMusicURL_Change(text);
    }

    MusicSettingsController editor;
    MusicControls controls;
    QStringList events;
    QString counter;
    QString hint;
};

// Entries 0 to 13: plays, opacity, fade, colour, back colour, font type, interval, effect, hint,
// address, no music, player, lyrics shown, lyrics.
QStringList Record(const QString& player, const QString& off, const QString& lyricsShown, const QString& lyrics,
                   const QString& address = QStringLiteral("http://www.sitehost.test/music/sample.wav")) {
    return {QStringLiteral("-1"), QStringLiteral("80"), QStringLiteral("2"), QStringLiteral("#FFFF80"), QString(),
            QStringLiteral("0"),  QStringLiteral("2500"), QStringLiteral("0"), QString(), address, off, player,
            lyricsShown, lyrics};
}

}  // namespace

// ---- the preview page

TEST_F(MusicEditor, PreviewPagesPinnedByteForByte) {
    const struct {
        const char* golden;
        QStringList record;
        bool test;
        const char* back;
        const char* fore;
        const char* code;
        const char* text;
        const char* style;
    } cases[] = {
        // The box straight in the cell: no foreground, so no Layer4 rule.
        {"music_preview_box.html", Record("1", "0", "1", "第一行<br>第二行"), true, "bg4.jpg", "", "011", "", ""},
        // Over a foreground: the box in Layer4 above it, the cell aligned like the foreground.
        {"music_preview_layer.html", Record("1", "0", "1", "歌词"), false, "", "fore.gif", "021", "", ""},
        // Hidden player, no lyrics: the cell's own text below a Flash foreground (code "1": no
        // wmode), and the music as a background sound.
        {"music_preview_own_text.html", Record("0", "0", "0", ""), true, "", "movie.SWF", "100", "自己的文字", "1,x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        setCell4(QString::fromUtf8(c.back), QString::fromUtf8(c.fore), QString::fromUtf8(c.code),
                 QString::fromUtf8(c.text), QString::fromUtf8(c.style));
        setRecord(c.record);
        controls.test = c.test;
        editor.RefreshMusicPreview();
        EXPECT_TRUE(sameBytes(golden(QString::fromLatin1(c.golden)), tempFile(QStringLiteral("setpic.html"))));
    }
    EXPECT_EQ(events.count(QStringLiteral("preview")), 3);
}

TEST_F(MusicEditor, PreviewLayerAndSoundRules) {
    const QString url = QStringLiteral("http://m.test/a.wav");
    const struct {
        const char* what;
        QStringList record;
        bool test;
        const char* code;
        const char* present;  // a piece the page holds ("" none)
        const char* absent;   // a piece it does not hold
    } cases[] = {
        {"music off: lyrics-only table, no player", Record("1", "1", "1", "词", url), true, "11",
         "height=\"210\"", "<embed"},
        {"player with music: 168 high, autostart on", Record("1", "0", "1", "词", url), true, "11",
         "height=\"168\" width=\"240\"", "bgsound"},
        {"no try-out: autostart off", Record("1", "0", "0", "", url), false, "11", "autostart=\"false\"", "bgsound"},
        {"hidden player, try-out: background sound with the plays", Record("0", "0", "1", "词", url), true, "11",
         "<bgsound src=\"http://m.test/a.wav\" loop=-1></body>", "<embed"},
        {"hidden player without try-out: no sound", Record("0", "0", "1", "词", url), false, "11", "", "bgsound"},
        {"unknown alignment pair: no align attribute", Record("1", "0", "1", "词", url), false, "13",
         "<td height=\"210\">", "align=\"left\" valign"},
        {"flash foreground with code 2: transparent", Record("1", "0", "1", "词", url), false, "211",
         "<param name=\"wmode\" value=\"transparent\">", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const char* fore = strstr(c.what, "flash") ? "f.swf" : strstr(c.what, "alignment") ? "f.gif" : "";
        setCell4(QString(), QString::fromUtf8(fore), QString::fromUtf8(c.code),
                 QStringLiteral("自己的文字"), QString());
        setRecord(c.record);
        const QString page = MusicPreviewPage(c.test);
        if (*c.present) {
            EXPECT_TRUE(page.contains(QString::fromUtf8(c.present))) << page.toStdString();
        }
        if (*c.absent) {
            EXPECT_FALSE(page.contains(QString::fromUtf8(c.absent))) << page.toStdString();
        }
        EXPECT_FALSE(page.contains(QStringLiteral("自己的文字")));  // the music box replaces the cell's text
    }
    // Played five times: the sound's loop is the count.
    setRecord(Record("0", "0", "0", "", url));
    CellRecord[MusicRecord::Plays] = QStringLiteral("5");
    EXPECT_TRUE(MusicPreviewPage(true).contains(QStringLiteral("<bgsound src=\"http://m.test/a.wav\" loop=5>")));
}

TEST_F(MusicEditor, MusicBoxEffectsAndColours) {
    const struct {
        const char* effect;
        const char* back;
        const char* type;
        const char* expected;
    } cases[] = {
        {"1", "", "1", "<DIV style=\"FONT-SIZE: 15px; FILTER: shadow(color=#FF0000); WIDTH: 100%; COLOR: #00FF00; "
                       "LINE-HEIGHT: 150%; FONT-FAMILY: 宋体\"><em>词</em></DIV>"},
        {"2", "", "2", "<SPAN style=\"DISPLAY: inline-block; FILTER: glow(color=#00CCCC,strength=3); COLOR:#00FF00; "
                       "LINE-HEIGHT: 1.3em; FONT-SIZE: 15px; FONT-FAMILY: 宋体\"><strong>词</strong></SPAN>"},
        {"2", "0000FF", "3", "FILTER: glow(color=#0000FF,strength=3)"},
        {"0", "", "0", "<font style=\"FONT-FAMILY: 宋体; COLOR: #00FF00; FONT-SIZE: 15px\">词</font>"},
        {"0", "0000FF", "3",
         "<font style=\"BACKGROUND-COLOR: #0000FF; FONT-FAMILY: 宋体; COLOR: #00FF00; FONT-SIZE: 15px\">"
         "<em><strong>词</strong></em></font>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        setRecord(Record("1", "0", "1", QStringLiteral("词")));
        CellRecord[MusicRecord::FontColor] = QStringLiteral("00FF00");  // as the load leaves it
        CellRecord[MusicRecord::BackColor] = QString::fromUtf8(c.back);
        CellRecord[MusicRecord::Effect] = QString::fromUtf8(c.effect);
        CellRecord[MusicRecord::FontType] = QString::fromUtf8(c.type);
        const QString box = CreateMusicBoxPreviewHtml(QStringLiteral("0"));
        EXPECT_TRUE(box.contains(QString::fromUtf8(c.expected))) << box.toStdString();
        // The record keeps the "#" the box put back.
        EXPECT_EQ(CellRecord[MusicRecord::FontColor], QStringLiteral("#00FF00"));
        if (*c.back) {
            EXPECT_EQ(CellRecord[MusicRecord::BackColor], QStringLiteral("#0000FF"));
        }
    }
    // Lyrics not shown: the colours stay as they are.
    setRecord(Record("1", "0", "0", QStringLiteral("词")));
    CellRecord[MusicRecord::FontColor] = QStringLiteral("00FF00");
    CreateMusicBoxPreviewHtml(QStringLiteral("1"));
    EXPECT_EQ(CellRecord[MusicRecord::FontColor], QStringLiteral("00FF00"));
}

// ---- lyrics, address

TEST_F(MusicEditor, LyricsFormsAndByteCounts) {
    const QString typed = QStringLiteral("<b>一</b>") + CRLF + QStringLiteral("script");
    EXPECT_EQ(LyricsStoredForm(typed), QStringLiteral("&lt;b&gt;一&lt;/b&gt;<br>img"));
    EXPECT_EQ(LyricsPreviewForm(typed), QStringLiteral("<b>一</b><br>img"));
    // The box shows the stored lyrics as typed (the disabled word aside).
    EXPECT_EQ(LyricsFromStored(LyricsStoredForm(typed)),
              QStringLiteral("<b>一</b>") + CRLF + QStringLiteral("img"));

    const struct {
        QString lyrics;
        int counter;  // the counter's count
        int check;    // what the check counts
    } cases[] = {
        {QString(), 0, 0},
        {QString(1500, QChar(0x4E00)), 3000, 3000},                          // 1500 Chinese characters pass
        {QString(1500, QChar(0x4E00)) + QLatin1Char('a'), 3001, 3001},      // one byte over
        {QStringLiteral("a") + CRLF + QStringLiteral("b"), 6, 6},            // a line break counts 4
        {QStringLiteral("object"), 6, 3},                                    // the check counts "img"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LyricsCounterText(c.lyrics), QStringLiteral("[歌词代码最多3000字节,当前%1字节]").arg(c.counter));
        EXPECT_EQ(LyricsCheckBytes(c.lyrics), c.check);
    }
}

TEST_F(MusicEditor, AddressRule) {
    const struct {
        const char* address;
        bool accepted;
    } cases[] = {
        {"", true},
        {"   ", true},
        {"http://a.test/x.wma", true},
        {"HTTP://A.TEST/X.WMA", true},
        {"  http://a.test/x.wma  ", true},
        {"https://a.test/x.wma", false},
        {"ftp://a.test/x.wma", false},
        {"a.test/x.wma", false},
        {"http:/a.test", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MusicAddressAccepted(QString::fromUtf8(c.address)), c.accepted) << c.address;
    SetLoginField(11, QStringLiteral("key11"));
    SetLoginField(6, QStringLiteral("www7"));
    EXPECT_EQ(MusicHelpPageUrl(), QStringLiteral("http://www.sitehost.test/music.html?k1=key11&k2=www7"));
}

TEST_F(MusicEditor, EmulatorServesTheHelpPageAndATypeableSound) {
    SetLoginField(11, QStringLiteral("key11"));
    auto page = emulator().get(MusicHelpPageUrl());
    EXPECT_EQ(page.status, 200);
    const QString help = QString::fromUtf8(page.body);
    EXPECT_TRUE(help.contains(QStringLiteral("data-k1=\"key11\" data-k2=\"") + LoginField(6) + QLatin1Char('"'))) << help.toStdString();
    // The sound the page names, the one the editor gives as its example and the WAV name are a
    // tone a browser can play.
    FillMusicRecord();
    MusicSettingsWindow window;
    const QString example = window.Label7->text().section(QStringLiteral("例如："), 1);
    EXPECT_TRUE(example.endsWith(QStringLiteral(".wma"))) << example.toStdString();
    EXPECT_TRUE(help.contains(example));
    for (const QString& sample : {example, QStringLiteral("http://www.sitehost.test/music/sample.wav")}) {
        SCOPED_TRACE(sample.toStdString());
        page = emulator().get(sample);
        EXPECT_EQ(page.status, 200);
        ASSERT_GT(page.body.size(), 44);
        EXPECT_TRUE(page.body.startsWith("RIFF"));
        EXPECT_EQ(page.body.mid(8, 8), QByteArray("WAVEfmt "));
        EXPECT_NE(page.body.mid(44, 400), QByteArray(400, char(0x80)));  // a tone, not silence
    }
}

// ---- the load

TEST_F(MusicEditor, LoadOfAnEmptyStyleRow) {
    setMusicRows(QString(), QString(), QString(), QString(), QString(), QString());
    FillMusicRecord();
    editor.Form_Load();
    EXPECT_FALSE(events.contains(QStringLiteral("preview")));  // no preview while loading
    EXPECT_TRUE(controls.loop);
    EXPECT_EQ(controls.playTimes, QStringLiteral("1"));
    EXPECT_EQ(controls.opacity, QStringLiteral("50%"));
    EXPECT_EQ(controls.fade, QStringLiteral("整体"));
    EXPECT_EQ(controls.interval, QStringLiteral("3.0秒"));
    EXPECT_EQ(controls.fontType, 0);
    EXPECT_EQ(controls.effect, 0);
    EXPECT_TRUE(controls.noBackColor);
    EXPECT_TRUE(controls.addHint);  // the opener's default hint entry "1"
    EXPECT_TRUE(controls.playerShown);
    EXPECT_FALSE(controls.noMusic);
    EXPECT_EQ(counter, QStringLiteral("[歌词代码最多3000字节,当前0字节]"));
    EXPECT_TRUE(hint.isEmpty());
    // The swatch took the "#" off the colour; no preview was written during the load.
    EXPECT_EQ(CellRecord[MusicRecord::FontColor], QStringLiteral("FFFF80"));
    EXPECT_EQ(CellRecord[MusicRecord::Player], QStringLiteral("1"));
    EXPECT_TRUE(editor.loaded());
}

TEST_F(MusicEditor, LoadOfValuesTheListsLackAndTheirApply) {
    setMusicRows(QStringLiteral("http://a.test/x.wma"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                 QStringLiteral("25,55,3,#112233,#445566,2,4500,2,,,,,,,"), QStringLiteral("a&lt;b&gt;<br>c"));
    open();
    EXPECT_FALSE(controls.loop);
    EXPECT_EQ(controls.playTimes, QStringLiteral("1"));
    EXPECT_EQ(controls.opacity, QString());
    EXPECT_EQ(controls.fade, QString());
    EXPECT_EQ(controls.interval, QStringLiteral("4.5秒"));
    EXPECT_EQ(controls.fontType, 2);
    EXPECT_EQ(controls.effect, 2);
    EXPECT_FALSE(controls.noBackColor);
    EXPECT_EQ(controls.lyrics, QStringLiteral("a<b>") + CRLF + QStringLiteral("c"));

    EXPECT_EQ(editor.ApplyMusicSettings(), PublishOutcome::Accepted);
    // Stored as pinned: count "1", empty opacity, fade "0", colours without "#".
    EXPECT_EQ(row(MusicBoxStyleRow), QStringLiteral("1,,0,112233,445566,2,4500,2,,,,,,,"));
    EXPECT_EQ(row(MusicLyricsRow), QStringLiteral("a&lt;b&gt;<br>c"));
}

// A stored code equal to its list's length is one past the last entry: it chooses nothing.
TEST_F(MusicEditor, LoadOfCodesOnePastTheirLists) {
    setMusicRows(QStringLiteral("http://a.test/x.wma"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                 QStringLiteral("1,50,0,#112233,,%1,3000,%2,,,,,,,")
                     .arg(MusicFontTypeList().size())
                     .arg(MusicEffectList().size()),
                 QString());
    open();
    EXPECT_EQ(controls.fontType, -1);
    EXPECT_EQ(controls.effect, -1);
}

TEST_F(MusicEditor, NoMusicHintShowsUntilTicked) {
    setMusicRows(QString(), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString(), QString());
    open();
    EXPECT_TRUE(controls.noMusic);
    EXPECT_EQ(hint, QStringLiteral("提示：\r    您设置了取消背景音乐，若要恢复请把此处的勾去掉。"));
    editor.cmdClosOpeMsg_Click(false);  // closed without the tick: shown again next time
    EXPECT_TRUE(hint.isEmpty());
    open();
    EXPECT_FALSE(hint.isEmpty());
    editor.cmdClosOpeMsg_Click(true);
    EXPECT_EQ(GetUserSetting(UcsHintMusicOff), QStringLiteral("1"));
    open();
    EXPECT_TRUE(hint.isEmpty());
}

// ---- handlers

TEST_F(MusicEditor, ColourDialogAndTheNoBackColourBox) {
    setMusicRows(QString(), QString(), QString(), QString(), QStringLiteral("-1,50,0,#FFFF80,#0000FF,0,3000,0,,,,,,,"),
                 QString());
    open();
    // Cancelled: nothing changes.
    const QStringList before = CellRecord;
    editor.cmdSetFontColor_Click();
    editor.cmdSetFontBackColor_Click();
    EXPECT_EQ(CellRecord, before);
    EXPECT_TRUE(events.isEmpty()) << events.join(u'|').toStdString();

    // "无" ticked and cleared brings the colour back.
    editor.chkFontBackColor_Click(true);
    EXPECT_EQ(CellRecord[MusicRecord::BackColor], QString());
    editor.chkFontBackColor_Click(false);
    EXPECT_EQ(CellRecord[MusicRecord::BackColor], QStringLiteral("0000FF"));

    // A colour chosen while "无" is ticked clears it and stays.
    editor.chkFontBackColor_Click(true);
    controls.noBackColor = true;
    events.clear();
    prompts.answerColor(QColor(0x12, 0xAB, 0x34));
    editor.cmdSetFontBackColor_Click();
    EXPECT_EQ(CellRecord[MusicRecord::BackColor], QStringLiteral("#12AB34"));
    EXPECT_FALSE(controls.noBackColor);
    EXPECT_EQ(events.mid(0, 2),
              (QStringList{QStringLiteral("back swatch #12ab34"), QStringLiteral("back swatch shown")}));
    EXPECT_TRUE(events.contains(QStringLiteral("preview")));
}

TEST_F(MusicEditor, OpacityOrFadeChoosesTheVisiblePlayer) {
    setMusicRows(QString(), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"), QString(), QString());
    open();
    EXPECT_FALSE(controls.playerShown);
    editor.cobWH_Click();
    EXPECT_TRUE(controls.playerShown);
    EXPECT_EQ(CellRecord[MusicRecord::Player], QStringLiteral("1"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("player shown"), QStringLiteral("cmdOK on"), QStringLiteral("preview")}));
}

TEST_F(MusicEditor, PreviewTakesTheControlsAndRefusesLongLyrics) {
    open();
    controls.address = QStringLiteral("  http://a.test/x.wma ");
    controls.lyrics = QStringLiteral("<i>a</i>") + CRLF + QStringLiteral("b");
    controls.addHint = true;
    controls.interval = QStringLiteral("0.5秒");
    controls.opacity = QStringLiteral("70%");
    controls.fade = QStringLiteral("由左向右");
    editor.cmdView_Click();
    EXPECT_EQ(CellRecord[MusicRecord::Address], QStringLiteral("http://a.test/x.wma"));
    EXPECT_EQ(CellRecord[MusicRecord::Lyrics], QStringLiteral("<i>a</i><br>b"));
    EXPECT_EQ(CellRecord[MusicRecord::Hint], QStringLiteral("<font size=2 color=red><移入鼠标可暂停歌词></font><br>"));
    EXPECT_EQ(CellRecord[MusicRecord::Interval], QStringLiteral("500"));
    EXPECT_EQ(CellRecord[MusicRecord::Opacity], QStringLiteral("70"));
    EXPECT_EQ(CellRecord[MusicRecord::Fade], QStringLiteral("1"));
    EXPECT_TRUE(tempFile(QStringLiteral("setpic.html")).contains("scrolldelay=\"500\""));

    const QStringList before = CellRecord;
    controls.lyrics = QString(1501, QChar(0x4E00));
    events.clear();
    editor.cmdView_Click();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("错误：歌词代码最多3000字节，当前为3002字节，已超出限制字节，请修正后再继续...")});
    EXPECT_EQ(CellRecord, before);
    EXPECT_TRUE(events.isEmpty());
}

// ---- the apply

TEST_F(MusicEditor, ApplyWritesTheSixRowsAndPublishes) {
    SiteSettings(PublishColumn, PublishStateRow) = QStringLiteral("1");
    open();
    typeAddress(QStringLiteral("http://a.test/x.wma"));
    controls.loop = false;
    controls.playTimes = QStringLiteral("3");
    controls.lyrics = QStringLiteral("<b>歌</b>") + CRLF + QStringLiteral("词");
    controls.addHint = true;
    controls.hideLyrics = false;
    prompts.answerColor(QColor(0x11, 0x22, 0x33));
    editor.cmdSetFontColor_Click();
    events.clear();
    editor.cmdOK_Click();

    EXPECT_EQ(events, (QStringList{QStringLiteral("cmdOK off"), QStringLiteral("wait"), QStringLiteral("wait over"),
                                   QStringLiteral("cmdOK on")}));
    ASSERT_EQ(publishCalls().size(), 1);
    const QString style = QStringLiteral("3,50,0,#112233,,0,3000,0,<font size=2 color=red>&lt;移入鼠标可暂停歌词&gt;"
                                         "</font><br>,,,,,,");
    const QString lyrics = QStringLiteral("&lt;b&gt;歌&lt;/b&gt;<br>词");
    for (int column : {LocalColumn, PublishColumn, PublishedColumn}) {
        SCOPED_TRACE(column);
        EXPECT_EQ(row(MusicUrlRow, column), QStringLiteral("http://a.test/x.wma"));
        EXPECT_EQ(row(MusicOffRow, column), QStringLiteral("0"));
        EXPECT_EQ(row(MusicPlayerShownRow, column), QStringLiteral("1"));
        EXPECT_EQ(row(MusicLyricsShownRow, column), QStringLiteral("1"));
        EXPECT_EQ(row(MusicBoxStyleRow, column), style);
        EXPECT_EQ(row(MusicLyricsRow, column), lyrics);
    }
    EXPECT_EQ(settingsField(publishCalls()[0], MusicLyricsRow), EscapePublishText(lyrics));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(row(PublishStateRow), QStringLiteral("2"));
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    // The apply rewrites no page: cell 4 waits for the close.
    EXPECT_FALSE(tempFile(QStringLiteral("4.html")).contains("歌"));
}

TEST_F(MusicEditor, ApplyOfUnchangedSettingsSendsNothing) {
    setMusicRows(QString(), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                 QStringLiteral("-1,50,0,FFFF80,,0,3000,0,,,,,,,"), QString());
    SiteSettings.copyColumn(PublishColumn, PublishedColumn);
    open();
    controls.addHint = false;
    EXPECT_EQ(editor.ApplyMusicSettings(), PublishOutcome::NoChange);
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_TRUE(publishCalls().isEmpty());
    EXPECT_EQ(DialogState, 0);
}

TEST_F(MusicEditor, RefusalRestoresTheRows) {
    setMusicRows(QStringLiteral("http://old.test/o.wma"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"),
                 QStringLiteral("-1,50,0,#FFFF80,,0,3000,0,,,,,,,"), QStringLiteral("旧"));
    SiteSettings(PublishColumn, PublishStateRow) = QStringLiteral("1");
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    open();
    typeAddress(QStringLiteral("http://new.test/n.wma"));
    controls.lyrics = QStringLiteral("新");
    controls.noMusic = true;
    EXPECT_EQ(editor.ApplyMusicSettings(), PublishOutcome::Refused);

    ASSERT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(settingsField(publishCalls()[0], MusicLyricsRow), QStringLiteral("新"));
    for (int column : {LocalColumn, PublishColumn}) {
        EXPECT_EQ(row(MusicUrlRow, column), QStringLiteral("http://old.test/o.wma"));
        EXPECT_EQ(row(MusicOffRow, column), QStringLiteral("0"));
        EXPECT_EQ(row(MusicBoxStyleRow, column), QStringLiteral("-1,50,0,#FFFF80,,0,3000,0,,,,,,,"));
        EXPECT_EQ(row(MusicLyricsRow, column), QStringLiteral("旧"));
    }
    EXPECT_EQ(row(PublishStateRow, PublishColumn), QStringLiteral("2"));
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("抱歉！网站更新失败，请您稍后再试..."));
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(DialogState, 0);
}

TEST_F(MusicEditor, RefusalsBeforeTheCallWriteNothing) {
    const struct {
        const char* what;
        bool noLabel;
        bool domainBox;
        const char* address;
        int lyricsChars;
        const char* message;
    } cases[] = {
        {"no domain label", true, false, "", 0,
         "抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"},
        {"domain box shown", false, true, "", 0, "抱歉！您尚未注册Orbel网站域名，请您先注册域名后再设置您的网站。"},
        {"https address", false, false, "https://a.test/x.wma", 0,
         "错误的音乐网址（注：网址必须是以“http://”为开头的）。"},
        {"lyrics over 3000 bytes", false, false, "", 1501,
         "错误：歌词代码最多3000字节，当前为3002字节，已超出限制字节，请修正后再继续..."},
    };
    const QString style = row(MusicBoxStyleRow);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompts.clear();
        SetLoginField(12, c.noLabel ? QString() : demo.domain);
        frm个人网站Labels::txtDomainNameVisible = c.domainBox;
        open();
        typeAddress(QString::fromUtf8(c.address));
        controls.lyrics = QString(c.lyricsChars, QChar(0x4E00));
        controls.loop = false;
        editor.cmdOK_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(prompts.records().value(0).style, vbInformation);
        EXPECT_EQ(row(MusicBoxStyleRow), style);
        EXPECT_EQ(row(MusicBoxStyleRow, PublishColumn), style);
    }
    EXPECT_TRUE(publishCalls().isEmpty());
}

TEST_F(MusicEditor, NoReplyKeepsTheWrittenRows) {
    stopService();
    open();
    typeAddress(QStringLiteral("http://a.test/x.wma"));
    editor.cmdOK_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_EQ(row(MusicUrlRow, PublishColumn), QStringLiteral("http://a.test/x.wma"));
    EXPECT_EQ(events.mid(1, 2), (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
}

// ---- the window

TEST_F(MusicEditor, WindowLoadsTheRecordAndSetsEveryHook) {
    setMusicRows(QStringLiteral("http://a.test/x.wma"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                 QStringLiteral("5,80,2,#FFFF80,,1,1000,1,,,,,,,"), QStringLiteral("一<br>二"));
    FillMusicRecord();
    MusicSettingsWindow window;
    EXPECT_EQ(UnsetRequiredHooks(window.logic.view).join(u' ').toStdString(), "");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("背景音乐设置"));
    EXPECT_EQ(window.txtMusicURL->toPlainText(), QStringLiteral("http://a.test/x.wma"));
    EXPECT_TRUE(window.optMusic[1]->isChecked());
    EXPECT_EQ(window.cobMusicTimes->currentText(), QStringLiteral("5"));
    EXPECT_TRUE(window.optHidePlayer->isChecked());
    EXPECT_FALSE(window.labHide->isHidden());
    EXPECT_TRUE(window.labShow->isHidden());
    EXPECT_EQ(window.cobTM->currentText(), QStringLiteral("80%"));
    EXPECT_EQ(window.cobWH->currentText(), QStringLiteral("中间向两边"));
    EXPECT_EQ(window.cobRow->currentText(), QStringLiteral("1.0秒"));
    EXPECT_EQ(window.cobFontType->currentText(), QStringLiteral("斜体"));
    EXPECT_EQ(window.cobTX1->currentText(), QStringLiteral("艺术字1"));
    EXPECT_TRUE(window.chkFontBackColor->isChecked());
    EXPECT_TRUE(window.labFontBackColor->isHidden());
    EXPECT_EQ(window.txtLyrics->toPlainText(), QStringLiteral("一\n二"));
    EXPECT_EQ(window.labCodeNum->text(), QStringLiteral("[歌词代码最多3000字节,当前8字节]"));
    EXPECT_EQ(window.cobTM->count(), 11);
    EXPECT_EQ(window.cobWH->count(), 3);

    // Ticking "取消背景音乐" greys the address and hides the play count.
    window.chkNull->click();
    EXPECT_FALSE(window.txtMusicURL->isEnabled());
    EXPECT_TRUE(window.cobMusicTimes->isHidden());
    EXPECT_TRUE(window.cmdClear->isHidden());
    EXPECT_TRUE(tempFile(QStringLiteral("setpic.html")).contains("<marquee"));
}

TEST_F(MusicEditor, WindowPastesAndAppliesWhatWasTyped) {
    FillMusicRecord();
    MusicSettingsWindow window;
    QGuiApplication::clipboard()->setText(QStringLiteral("http://www.sitehost.test/music/sample.wav"));
    window.cmdClear->click();
    window.cmdPastMusic->click();
    QGuiApplication::clipboard()->setText(QStringLiteral("第二行"));
    window.txtLyrics->setPlainText(QStringLiteral("第一行\n"));
    window.txtLyrics->moveCursor(QTextCursor::End);
    window.cmdPastLyrics->click();
    EXPECT_EQ(window.labCodeNum->text(), QStringLiteral("[歌词代码最多3000字节,当前16字节]"));
    window.cobTX1->setCurrentIndex(1);
    window.cobTX1->activated(1);
    EXPECT_EQ(CellRecord[MusicRecord::Effect], QStringLiteral("1"));
    window.cmdOK->click();

    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(row(MusicUrlRow, PublishedColumn), QStringLiteral("http://www.sitehost.test/music/sample.wav"));
    EXPECT_EQ(row(MusicLyricsRow, PublishedColumn), QStringLiteral("第一行<br>第二行"));
    EXPECT_TRUE(row(MusicBoxStyleRow, PublishedColumn).startsWith(QStringLiteral("-1,50,0,")));
    EXPECT_TRUE(window.cmdOK->isEnabled());
    EXPECT_TRUE(window.picNetToService->isHidden());
}

TEST_F(MusicEditor, WindowStyleControlsReachTheirHandlers) {
    setMusicRows(QString(), QString(), QString(), QString(), QStringLiteral("-1,50,0,#FFFF80,#0000FF,0,3000,0,,,,,,,"),
                 QString());
    FillMusicRecord();
    MusicSettingsWindow window;
    ASSERT_FALSE(window.labFontBackColor->isHidden());

    window.chkFontBackColor->click();
    EXPECT_EQ(CellRecord[MusicRecord::BackColor], QString());
    EXPECT_TRUE(window.labFontBackColor->isHidden());

    // A back colour chosen while "无" is ticked unticks the box and shows the swatch in that colour.
    prompts.answerColor(QColor(0x12, 0xAB, 0x34));
    window.cmdSetFontBackColor->click();
    EXPECT_EQ(CellRecord[MusicRecord::BackColor], QStringLiteral("#12AB34"));
    EXPECT_FALSE(window.chkFontBackColor->isChecked());
    EXPECT_FALSE(window.labFontBackColor->isHidden());
    EXPECT_EQ(window.labFontBackColor->palette().color(QPalette::Window), QColor(0x12, 0xAB, 0x34));

    prompts.answerColor(QColor(0xAB, 0xCD, 0xEF));
    window.cmdSetFontColor->click();
    EXPECT_EQ(window.labFontColor->palette().color(QPalette::Window), QColor(0xAB, 0xCD, 0xEF));
}

TEST_F(MusicEditor, CloseBoxRewritesCellFourLikeTheCloseButton) {
    open();
    controls.lyrics = QStringLiteral("新歌词");
    ASSERT_EQ(editor.ApplyMusicSettings(), PublishOutcome::Accepted);
    testsupport::writeFile(UserFolder + QStringLiteral("/temp/4.html"), "old");

    FillMusicRecord();
    {
        MusicSettingsWindow window;
        window.reject();  // the close box
    }
    // From the LocalColumn, the player kept from starting by itself.
    const QByteArray page = tempFile(QStringLiteral("4.html"));
    EXPECT_TRUE(page.contains(AnsiCodec::encode(QStringLiteral("新歌词")))) << page.toStdString();
    EXPECT_TRUE(page.contains("autostart=\"false\""));

    testsupport::writeFile(UserFolder + QStringLiteral("/temp/4.html"), "old");
    FillMusicRecord();
    MusicSettingsWindow window;
    window.cmdCloseSound->click();
    EXPECT_NE(tempFile(QStringLiteral("4.html")), QByteArray("old"));
}

#endif  // TAVOLIN_HAVE_EMULATOR
