#include "siteoptions/musicsettings.h"

#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "state/sitestate.h"

#include <QColor>

#include <cmath>
#include <iterator>

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kCRLF = QStringLiteral("\r\n");
const QString kBr = QStringLiteral("<br>");

QString Entry(int entry) { return CellRecord.value(entry); }

void SetEntry(int entry, const QString& value) {
    if (entry >= 0 && entry < CellRecord.size()) CellRecord[entry] = value;
}

bool Is(int entry, const char* value) { return Entry(entry) == QLatin1String(value); }

void Message(const QString& text) { MsgBox(text, vbInformation, kTitle); }

QColor ColorOf(QString& html) { return QColor(ColorToHtml(HtmlToColor(html))); }

// The fade code of cobWH's text; no entry chosen counts as the whole player.
QString FadeCode(const QString& text) {
    if (text == QStringLiteral("中间向两边")) return QStringLiteral("2");
    if (text == QStringLiteral("由左向右")) return QStringLiteral("1");
    if (text == QStringLiteral("由右向左")) return QStringLiteral("3");
    return QStringLiteral("0");
}

// cobRow's "x.y秒" as milliseconds; a text that is no number raises, as the apply's trap expects.
QString IntervalMs(const QString& text) {
    bool ok = false;
    const double seconds = QString(text).remove(QStringLiteral("秒")).trimmed().toDouble(&ok);
    if (!ok) throw VbError(13, QStringLiteral("类型不匹配"));
    return QString::number(static_cast<qint64>(std::floor(seconds * 1000)));
}

QString FontTypeCode(const QString& text) {
    const int i = MusicFontTypeList().indexOf(text);
    return QString::number(i < 0 ? 0 : i);
}

const QString kHintPreview = QStringLiteral("<font size=2 color=red><移入鼠标可暂停歌词></font><br>");
const QString kHintStored = QStringLiteral("<font size=2 color=red>&lt;移入鼠标可暂停歌词&gt;</font><br>");

}  // namespace

// ---- lists

const QStringList& MusicPlayTimesList() {
    static const QStringList list = [] {
        QStringList l;
        for (int i = 1; i <= 20; ++i) l << QString::number(i);
        return l;
    }();
    return list;
}

const QStringList& MusicOpacityList() {
    static const QStringList list{QStringLiteral("50%"), QStringLiteral("100%"), QStringLiteral("90%"),
                                  QStringLiteral("80%"), QStringLiteral("70%"),  QStringLiteral("60%"),
                                  QStringLiteral("50%"), QStringLiteral("40%"),  QStringLiteral("30%"),
                                  QStringLiteral("20%"), QStringLiteral("10%")};
    return list;
}

const QStringList& MusicFadeList() {
    static const QStringList list{QStringLiteral("整体"), QStringLiteral("中间向两边"), QStringLiteral("由左向右")};
    return list;
}

const QStringList& MusicIntervalList() {
    static const QStringList list = [] {
        QStringList l;
        for (int i = 1; i <= 10; ++i) l << QString::number(i * 0.5, 'f', 1) + QStringLiteral("秒");
        return l;
    }();
    return list;
}

const QStringList& MusicFontTypeList() {
    static const QStringList list{QStringLiteral("常规"), QStringLiteral("斜体"), QStringLiteral("粗体"),
                                  QStringLiteral("粗斜体")};
    return list;
}

const QStringList& MusicEffectList() {
    static const QStringList list{QStringLiteral("无"), QStringLiteral("艺术字1"), QStringLiteral("艺术字2")};
    return list;
}

// ---- lyrics and address

QString LyricsCounterText(const QString& lyrics) {
    const int n = lyrics.isEmpty() ? 0 : AnsiCodec::byteLength(QString(lyrics).replace(kCRLF, kBr));
    return QStringLiteral("[歌词代码最多3000字节,当前%1字节]").arg(n);
}

QString LyricsPreviewForm(const QString& lyrics) { return DisableActiveTags(QString(lyrics)).replace(kCRLF, kBr); }

int LyricsCheckBytes(const QString& lyrics) { return AnsiCodec::byteLength(LyricsPreviewForm(lyrics)); }

QString LyricsStoredForm(const QString& lyrics) {
    QString s = DisableActiveTags(QString(lyrics));
    s.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    s.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return s.replace(kCRLF, kBr);
}

QString LyricsFromStored(const QString& stored) { return UnescapeHtmlText(stored, {.lineBreaks = true}); }

bool MusicAddressAccepted(const QString& address) {
    const QString a = vb::Trim(address);
    return a.isEmpty() || a.left(7).toLower() == QLatin1String("http://");
}

QString MusicHelpPageUrl() {
    return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Main) +
           QStringLiteral("/music.html") + MemberPageQuery();
}

// ---- preview

QString CreateMusicBoxPreviewHtml(const QString& autostart) {
    using namespace MusicRecord;
    const bool playerRow = !Is(Player, "0") && !Is(NoMusic, "1");
    QString lyrics;
    if (Is(LyricsShown, "1")) {
        for (int colour : {FontColor, BackColor})
            if (!Entry(colour).isEmpty() && !Entry(colour).startsWith(QLatin1Char('#')))
                SetEntry(colour, QLatin1Char('#') + Entry(colour));
        lyrics = MusicLyricsMarquee(Entry(Lyrics), Entry(FontType), Entry(FontColor), Entry(BackColor), Entry(Effect),
                                    Entry(Interval), Entry(Hint), MusicBoxLyricsHeight(playerRow));
    }
    QString player;
    if (Is(Player, "1"))
        player = MusicPlayerCell(Entry(Opacity), Entry(Fade), Entry(Address), Entry(Plays), autostart);
    QString box = MusicBoxTable(playerRow);
    box.replace(kMusicLyricsMarker, lyrics);
    box.replace(kMusicPlayerMarker, player);
    return box;
}

QString MusicPreviewPage(bool test) {
    using namespace MusicRecord;
    const bool music = !Entry(Address).isEmpty() && Is(NoMusic, "0");
    // A hidden player still plays the music in the preview, as a background sound.
    const QString sound = test && music && Is(Player, "0")
                              ? QStringLiteral("<bgsound src=\"") + Entry(Address) + QStringLiteral("\" loop=") +
                                    Entry(Plays) + QLatin1Char('>')
                              : QString();
    if ((music && Is(Player, "1")) || (Is(LyricsShown, "1") && !Entry(Lyrics).isEmpty())) {
        const QString box = CreateMusicBoxPreviewHtml(test ? QStringLiteral("1") : QStringLiteral("0"));
        return PictureCellPreviewPage(MusicCell, LocalColumn, &box, sound);
    }
    return PictureCellPreviewPage(MusicCell, LocalColumn, nullptr, sound);
}

// ---- the controller

void MusicSettingsController::changed() {
    CALL_REQUIRED_HOOK(view.enableOK, true);
    cmdView_Click();
}

void MusicSettingsController::Form_Load() {
    using namespace MusicRecord;
    REQUIRE_HOOK(view.showControls);
    m_loaded = false;
    MusicControls c;
    c.address = Entry(Address);
    if (!Is(Plays, "-1") && !Entry(Plays).isEmpty()) {
        c.loop = false;
        if (MusicPlayTimesList().contains(Entry(Plays))) c.playTimes = Entry(Plays);
    }
    c.noMusic = Is(NoMusic, "1");
    c.lyrics = LyricsFromStored(Entry(Lyrics));
    // "500" to "5000" choose their entry; anything else "3.0秒".
    bool isNumber = false;
    const int ms = Entry(Interval).toInt(&isNumber);
    const int interval = isNumber && ms % 500 == 0 && QString::number(ms) == Entry(Interval) ? ms / 500 - 1 : -1;
    c.interval = MusicIntervalList().at(interval < 0 || interval > 9 ? 5 : interval);
    const int fontType = Entry(FontType).isEmpty() ? 0 : Entry(FontType).toInt(&isNumber);
    if (Entry(FontType).isEmpty() || (isNumber && fontType >= 0 && fontType < MusicFontTypeList().size()))
        c.fontType = fontType;
    if (Entry(FontColor).isEmpty()) SetEntry(FontColor, QStringLiteral("#FFFF80"));
    c.noBackColor = Entry(BackColor).isEmpty();
    c.hideLyrics = Is(LyricsShown, "0");
    c.addHint = !Entry(Hint).isEmpty();
    const QString opacity = Entry(Opacity).isEmpty() ? QStringLiteral("50%") : Entry(Opacity) + QLatin1Char('%');
    c.opacity = MusicOpacityList().contains(opacity) ? opacity : QString();
    // The list has no "由右向左": code "3" chooses nothing.
    if (Is(Fade, "2")) c.fade = MusicFadeList().at(1);
    else if (Is(Fade, "1")) c.fade = MusicFadeList().at(2);
    else if (!Is(Fade, "3")) c.fade = MusicFadeList().at(0);
    const int effect = Entry(Effect).toInt(&isNumber);
    if (isNumber && effect >= 0 && effect < MusicEffectList().size()) c.effect = effect;
    c.playerShown = !Is(Player, "0");
    c.test = view.controls ? view.controls().test : true;
    view.showControls(c);

    // What the handlers of the controls set above do, as a member's click would.
    if (c.noMusic) {
        chkNull_Click(true);
        if (GetUserSetting(UcsHintMusicOff) != QLatin1String("1")) {
            m_hintId = UcsHintMusicOff;
            CALL_REQUIRED_HOOK(view.showHint,
                               QStringLiteral("提示：\r    您设置了取消背景音乐，若要恢复请把此处的勾去掉。"));
        }
    }
    txtLyrics_Change(c.lyrics);
    if (c.fontType >= 0) cobFontType_Click(MusicFontTypeList().at(c.fontType));
    // The swatch conversions take the "#" off the record's colours (HtmlToColor).
    CALL_REQUIRED_HOOK(view.showFontColor, ColorOf(CellRecord[FontColor]));
    if (c.noBackColor) {
        chkFontBackColor_Click(true);
    } else {
        CALL_REQUIRED_HOOK(view.setBackColorSwatch, ColorOf(CellRecord[BackColor]));
        CALL_REQUIRED_HOOK(view.showBackColorSwatch, true);
    }
    if (c.effect >= 0) cobTX1_Click(c.effect);
    if (c.playerShown) optShowPlayer_Click();
    else optHidePlayer_Click();
    m_loaded = true;
}

void MusicSettingsController::txtMusicURL_Change(const QString& text) { SetEntry(MusicRecord::Address, text); }

void MusicSettingsController::txtLyrics_Change(const QString& text) {
    CALL_REQUIRED_HOOK(view.setCounter, LyricsCounterText(text));
}

void MusicSettingsController::chkNull_Click(bool ticked) {
    CALL_REQUIRED_HOOK(view.greyAddress, ticked);
    changed();
}

void MusicSettingsController::optHidePlayer_Click() {
    CALL_REQUIRED_HOOK(view.showPlayerChoice, false);
    SetEntry(MusicRecord::Player, QStringLiteral("0"));
    changed();
}

void MusicSettingsController::optShowPlayer_Click() {
    CALL_REQUIRED_HOOK(view.showPlayerChoice, true);
    SetEntry(MusicRecord::Player, QStringLiteral("1"));
    changed();
}

// Opacity and fade apply to the visible player, so choosing one shows it.
void MusicSettingsController::cobTM_Click() {
    if (m_loaded) optShowPlayer_Click();
}

void MusicSettingsController::cobWH_Click() { cobTM_Click(); }

void MusicSettingsController::chkShowLyrics_Click() { changed(); }

void MusicSettingsController::cobRow_Click() { changed(); }

void MusicSettingsController::cobFontType_Click(const QString& text) {
    SetEntry(MusicRecord::FontType, FontTypeCode(text));
    changed();
}

void MusicSettingsController::cobTX1_Click(int entry) {
    SetEntry(MusicRecord::Effect, QString::number(entry));
    changed();
}

void MusicSettingsController::cmdSetFontColor_Click() {
    const QColor chosen = prompts::current().chooseColor(QColor(128, 128, 128), QStringLiteral("颜色"));
    if (!chosen.isValid()) return;  // cancelled: the colour, its swatch and the preview stay
    SetEntry(MusicRecord::FontColor, chosen.name().toUpper());
    CALL_REQUIRED_HOOK(view.showFontColor, chosen);
    changed();
}

void MusicSettingsController::cmdSetFontBackColor_Click() {
    const QColor chosen = prompts::current().chooseColor(QColor(128, 128, 128), QStringLiteral("颜色"));
    if (!chosen.isValid()) return;
    SetEntry(MusicRecord::BackColor, chosen.name().toUpper());
    CALL_REQUIRED_HOOK(view.setBackColorSwatch, chosen);
    CALL_REQUIRED_HOOK(view.showBackColorSwatch, true);
    // Cleared without its handler: the remembered colour does not come back over the chosen one.
    CALL_REQUIRED_HOOK(view.setNoBackColor, false);
    changed();
}

void MusicSettingsController::chkFontBackColor_Click(bool ticked) {
    if (ticked) {
        m_labSetPic4 = Entry(MusicRecord::BackColor);
        SetEntry(MusicRecord::BackColor, QString());
    } else {
        SetEntry(MusicRecord::BackColor, m_labSetPic4);
    }
    CALL_REQUIRED_HOOK(view.showBackColorSwatch, !ticked);
    changed();
}

bool MusicSettingsController::lyricsWithinLimit(const QString& lyrics) {
    const int n = LyricsCheckBytes(lyrics);
    if (n <= kMaxLyricsBytes) return true;
    Message(QStringLiteral("错误：歌词代码最多3000字节，当前为%1字节，已超出限制字节，请修正后再继续...").arg(n));
    return false;
}

void MusicSettingsController::fromControls(const MusicControls& c, bool storedForm) {
    using namespace MusicRecord;
    SetEntry(Plays, c.loop ? QStringLiteral("-1") : c.playTimes);
    SetEntry(Opacity, QString(c.opacity).remove(QLatin1Char('%')));
    SetEntry(Fade, FadeCode(c.fade));
    SetEntry(Player, c.playerShown ? QStringLiteral("1") : QStringLiteral("0"));
    SetEntry(Hint, c.addHint ? (storedForm ? kHintStored : kHintPreview) : QString());
    SetEntry(Interval, IntervalMs(c.interval));
    SetEntry(Lyrics, storedForm ? LyricsStoredForm(c.lyrics) : LyricsPreviewForm(c.lyrics));
    SetEntry(NoMusic, c.noMusic ? QStringLiteral("1") : QStringLiteral("0"));
    SetEntry(LyricsShown, c.hideLyrics ? QStringLiteral("0") : QStringLiteral("1"));
}

void MusicSettingsController::cmdView_Click() {
    if (!m_loaded) return;
    REQUIRE_HOOK(view.controls);
    const MusicControls c = view.controls();
    if (!lyricsWithinLimit(c.lyrics)) return;
    SetEntry(MusicRecord::Address, vb::Trim(c.address));
    try {
        fromControls(c, false);
    } catch (const VbError&) {
        return;  // a list without a choice: the preview keeps what it shows
    }
    RefreshMusicPreview();
}

void MusicSettingsController::RefreshMusicPreview() {
    const QString page = MusicPreviewPage(view.controls ? view.controls().test : true);
    try {
        WritePageFile(QStringLiteral("setpic.html"), page);
    } catch (const VbError&) {
        return;
    }
    CALL_REQUIRED_HOOK(view.refreshPreview);
}

void MusicSettingsController::cmdOK_Click() {
    if (LoginField(12).isEmpty()) {
        Message(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"));
        return;
    }
    REQUIRE_HOOK(view.controls);
    CALL_REQUIRED_HOOK(view.enableOK, false);
    const MusicControls c = view.controls();
    if (!lyricsWithinLimit(c.lyrics)) {
        CALL_REQUIRED_HOOK(view.enableOK, true);
        return;
    }
    if (!MusicAddressAccepted(c.address)) {
        Message(QStringLiteral("错误的音乐网址（注：网址必须是以“http://”为开头的）。"));
        CALL_REQUIRED_HOOK(view.enableOK, true);
        return;
    }
    CALL_REQUIRED_HOOK(view.showWait);
    ApplyMusicSettings();
    CALL_REQUIRED_HOOK(view.hideWait);
    CALL_REQUIRED_HOOK(view.enableOK, true);
}

PublishOutcome MusicSettingsController::ApplyMusicSettings() {
    REQUIRE_HOOK(view.controls);
    QStringList saved;
    auto putBack = [&saved] {
        for (int i = 0; i < int(std::size(MusicSettingRows)); ++i) {
            SiteSettings(LocalColumn, MusicSettingRows[i]) = saved.value(i);
            SiteSettings(PublishColumn, MusicSettingRows[i]) = saved.value(i);
        }
    };

    PublishVariant v;
    v.writeChanges = [this, &saved] {
        using namespace MusicRecord;
        fromControls(view.controls(), true);
        for (int row : MusicSettingRows) saved << SiteSettings(PublishColumn, row);
        QStringList style;
        for (int i = Plays; i <= Hint; ++i) style << Entry(i);
        const QString values[] = {Entry(Address), Entry(NoMusic), Entry(Player), Entry(LyricsShown),
                                  style.join(QLatin1Char(',')) + QStringLiteral(",,,,,,"), Entry(Lyrics)};
        for (int i = 0; i < int(std::size(MusicSettingRows)); ++i) {
            SiteSettings(LocalColumn, MusicSettingRows[i]) = values[i];
            SiteSettings(PublishColumn, MusicSettingRows[i]) = values[i];
        }
    };
    v.refused = [&putBack](const QString&) {
        putBack();
        Message(QStringLiteral("抱歉！网站更新失败，请您稍后再试..."));
    };
    v.accepted = [](const QString&) {
        ShowSiteUpdatedMessage();
        CopyPublishColumnToPublished();
    };
    try {
        return PublishSiteSettings(v);
    } catch (const VbError& e) {
        // A step before the call failed; what it wrote stays, as after an error in the call.
        ReportServiceError(e);
        return PublishOutcome::Failed;
    }
}

void MusicSettingsController::rewriteCell() { CreateMusicCellHtml(LocalColumn, 0); }

void MusicSettingsController::cmdCloseSound_Click() {
    rewriteCell();
    CALL_REQUIRED_HOOK(view.close);
}

void MusicSettingsController::cmdClosOpeMsg_Click(bool ticked) {
    if (ticked) SetUserSetting(m_hintId, QStringLiteral("1"));
    CALL_REQUIRED_HOOK(view.hideHint);
}

void MusicSettingsController::labHowToGetMusicURL_Click() {
    PageUrl = MusicHelpPageUrl();
    OpenUrlInBrowser(PageUrl);
}
