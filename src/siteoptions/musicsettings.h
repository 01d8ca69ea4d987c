#pragma once
// The work of the background-music editor frm背景音乐设置, apart from its window: the music record
// in CellRecord, the lyrics' forms and byte count, the preview of cell 4 with the music box, the
// handlers' effects, and the apply, which writes the six music rows and publishes the site.
#include "site/publishsite.h"

#include <QString>

#include <functional>

class QColor;

// CellRecord of the music editor (the main window's FillMusicRecord fills it).
namespace MusicRecord {
inline constexpr int Plays = 0;         // "-1" for ever, else "1" to "20"
inline constexpr int Opacity = 1;       // player opacity, percent without "%"
inline constexpr int Fade = 2;          // "0" whole, "1" left to right, "2" middle outwards, "3" right to left
inline constexpr int FontColor = 3;     // "#RRGGBB", or the digits alone after the load
inline constexpr int BackColor = 4;     // as FontColor, or empty for none
inline constexpr int FontType = 5;      // "0" regular, "1" italic, "2" bold, "3" bold italic
inline constexpr int Interval = 6;      // line interval in ms
inline constexpr int Effect = 7;        // "0" none, "1" shadow, "2" glow
inline constexpr int Hint = 8;          // first-line hint HTML or empty
inline constexpr int Address = 9;       // music address
inline constexpr int NoMusic = 10;      // "1" no background music
inline constexpr int Player = 11;       // "1" player shown
inline constexpr int LyricsShown = 12;  // "1" lyrics shown
inline constexpr int Lyrics = 13;       // lyrics HTML (stored or preview form)
}  // namespace MusicRecord

// The texts of the editor's lists, in order.
const QStringList& MusicPlayTimesList();  // cobMusicTimes: "1" to "20"
const QStringList& MusicOpacityList();    // cobTM ("50%" twice)
const QStringList& MusicFadeList();       // cobWH
const QStringList& MusicIntervalList();   // cobRow: "0.5秒" to "5.0秒"
const QStringList& MusicFontTypeList();   // cobFontType
const QStringList& MusicEffectList();     // cobTX1

// ---- the lyrics (line breaks as CRLF, as the lyrics box holds them)
// The counter caption "[歌词代码最多3000字节,当前{n}字节]".
QString LyricsCounterText(const QString& lyrics);
// The bytes the preview and the apply check against 3000: the active words disabled, each line
// break as "<br>", in the ANSI code page.
int LyricsCheckBytes(const QString& lyrics);
inline constexpr int kMaxLyricsBytes = 3000;
// Row 316: active words disabled, markup escaped, line breaks as "<br>".
QString LyricsStoredForm(const QString& lyrics);
// The preview's form: active words disabled, line breaks as "<br>"; markup stays markup.
QString LyricsPreviewForm(const QString& lyrics);
// The lyrics box's text from row 316.
QString LyricsFromStored(const QString& stored);

// An empty address, or one beginning with "http://" in any letter case (blanks around ignored).
bool MusicAddressAccepted(const QString& address);
// The help page "music.html" on the main web host with the member's keys.
QString MusicHelpPageUrl();

// ---- the preview (Part of the editor, pure functions of CellRecord and cell 4's LocalColumn rows)
// The music box of the record. autostart "0" keeps the player from starting by itself. Puts a
// missing "#" back on the two colours of the record when the lyrics are shown.
QString CreateMusicBoxPreviewHtml(const QString& autostart);
// The preview page of cell 4: the music box or the cell's own text layer over its pictures, and
// with test (chkTest) a background sound for a hidden player.
QString MusicPreviewPage(bool test);

// What the controls hold, as the logic reads and sets them.
struct MusicControls {
    QString address;              // txtMusicURL
    bool noMusic = false;         // chkNull "取消背景音乐"
    bool loop = true;             // optMusic(0) chosen; else optMusic(1) with cobMusicTimes
    QString playTimes = QStringLiteral("1");  // cobMusicTimes
    bool playerShown = false;     // optShowPlayer chosen; else optHidePlayer
    QString opacity;              // cobTM text, empty while no entry is chosen
    QString fade;                 // cobWH text, likewise
    QString lyrics;               // txtLyrics, line breaks as CRLF
    bool hideLyrics = false;      // chkShowLyrics "不显示歌词"
    bool addHint = false;         // chkAddGC
    QString interval;             // cobRow text
    int fontType = -1;            // cobFontType entry, -1 none
    int effect = -1;              // cobTX1 entry, -1 none
    bool noBackColor = false;     // chkFontBackColor "无"
    bool test = true;             // chkTest "试听"
};

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct MusicSettingsView {
    std::function<MusicControls()> controls;
    // Sets every control without running its handler.
    std::function<void(const MusicControls&)> showControls;
    // chkNull's effect: the address box greyed and disabled, the play-count controls and cmdClear hidden.
    std::function<void(bool)> greyAddress;
    // optShowPlayer (true) or optHidePlayer chosen, with the marker and "<-当前设置" beside it.
    std::function<void(bool)> showPlayerChoice;
    std::function<void(const QColor&)> showFontColor;       // labFontColor, shown
    std::function<void(const QColor&)> setBackColorSwatch;  // labFontBackColor's colour
    std::function<void(bool)> showBackColorSwatch;
    std::function<void(bool)> setNoBackColor;  // chkFontBackColor without its handler
    std::function<void(const QString&)> setCounter;  // labCodeNum
    std::function<void(const QString&)> showHint;    // picOpeMsg with its text
    std::function<void()> hideHint;
    std::function<void(bool)> enableOK;
    std::function<void()> showWait;  // picNetToService, painted at once
    std::function<void()> hideWait;
    std::function<void()> refreshPreview;  // webView "Refresh"
    std::function<void()> close;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("controls", bool(controls));
        f("showControls", bool(showControls));
        f("greyAddress", bool(greyAddress));
        f("showPlayerChoice", bool(showPlayerChoice));
        f("showFontColor", bool(showFontColor));
        f("setBackColorSwatch", bool(setBackColorSwatch));
        f("showBackColorSwatch", bool(showBackColorSwatch));
        f("setNoBackColor", bool(setNoBackColor));
        f("setCounter", bool(setCounter));
        f("showHint", bool(showHint));
        f("hideHint", bool(hideHint));
        f("enableOK", bool(enableOK));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("refreshPreview", bool(refreshPreview));
        f("close", bool(close));
    }
};

class MusicSettingsController {
public:
    MusicSettingsView view;

    // Fills the controls from the record as the member's clicks would, without a preview.
    void Form_Load();
    bool loaded() const { return m_loaded; }

    void txtMusicURL_Change(const QString& text);
    void txtLyrics_Change(const QString& text);
    void chkNull_Click(bool ticked);
    void optHidePlayer_Click();
    void optShowPlayer_Click();
    void cobTM_Click();
    void cobWH_Click();
    void chkShowLyrics_Click();
    void cobRow_Click();
    void cobFontType_Click(const QString& text);
    void cobTX1_Click(int entry);
    // The platform colour dialog on the preset grey; a cancelled dialog changes nothing.
    void cmdSetFontColor_Click();
    void cmdSetFontBackColor_Click();
    void chkFontBackColor_Click(bool ticked);
    void cmdView_Click();
    void cmdOK_Click();
    // Rewrites the main window's page of cell 4 from the local settings, without automatic
    // playback, and closes. The window's close box does the same (rewriteCell), so that the main
    // window shows what was applied.
    void cmdCloseSound_Click();
    static void rewriteCell();
    // The hint balloon: ticked stores "1" under the hint's number.
    void cmdClosOpeMsg_Click(bool ticked);
    void labHowToGetMusicURL_Click();

    // The preview page into setpic.html and the preview refreshed; a page that cannot be written
    // leaves the preview as it was.
    void RefreshMusicPreview();
    // Writes rows 311 to 316 from the controls and publishes the site; a refusal restores them.
    PublishOutcome ApplyMusicSettings();

private:
    bool lyricsWithinLimit(const QString& lyrics);
    void changed();  // a setting changed: cmdOK enabled and the preview refreshed
    void fromControls(const MusicControls& c, bool storedForm);

    bool m_loaded = false;
    QString m_labSetPic4;  // the back colour while "无" is ticked
    int m_hintId = 0;      // labMsgSN
};
