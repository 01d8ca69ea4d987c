// The music box of cell 4: lyrics scrolling upwards and, when shown, the audio player.
#include "foundation/htmltext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"

namespace {
constexpr int kMusicBoxFields = 9;

QString orDefault(const QString& v, const char* fallback) {
    return v.isEmpty() ? QString::fromUtf8(fallback) : v;
}
QString withHash(const QString& colour) {
    return colour.isEmpty() || colour.startsWith(QLatin1Char('#')) ? colour : QLatin1Char('#') + colour;
}
}  // namespace

bool MusicBoxShown(qint16 column) {
    const auto row = [column](int r) -> const QString& { return SiteSettings(column, r); };
    return (!row(MusicUrlRow).isEmpty() && row(MusicOffRow) == QLatin1String("0") &&
            row(MusicPlayerShownRow) == QLatin1String("1")) ||
           (row(MusicLyricsShownRow) == QLatin1String("1") && !row(MusicLyricsRow).isEmpty());
}

QStringList ReadMusicBoxFields(const QString& row) { return ReadCommaFields(row, kMusicBoxFields); }

MusicBoxSettings MusicBoxSettings::fromRow(const QString& row) {
    const QStringList f = ReadMusicBoxFields(row);
    MusicBoxSettings s;
    s.playCount = orDefault(f[0], "1");
    s.playerOpacity = orDefault(f[1], "50");
    s.playerFade = orDefault(f[2], "0");
    s.lyricsColor = withHash(orDefault(f[3], "#FFFF80"));
    s.lyricsBackColor = withHash(f[4]);
    s.lyricsFontStyle = orDefault(f[5], "0");
    s.lyricsDelay = orDefault(f[6], "3000");
    s.lyricsEffect = orDefault(f[7], "0");
    s.lyricsHint = f[8];
    return s;
}

QString MusicBoxLyricsHeight(bool playerRow) {
    return playerRow ? QStringLiteral("168") : QStringLiteral("210");
}

QString MusicBoxTable(bool playerRow) {
    QStringList layout;
    layout << QStringLiteral("<table width=\"280\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">")
           << QStringLiteral("   <tr>")
           << QStringLiteral("     <td width=\"20\" height=\"") + MusicBoxLyricsHeight(playerRow) +
                  QStringLiteral("\"></td>")
           << QStringLiteral("     <td width=\"240\">") + kMusicLyricsMarker + QStringLiteral("</td>")
           << QStringLiteral("     <td width=\"20\"></td>") << QStringLiteral("   </tr>");
    if (playerRow)
        layout << QStringLiteral("   <tr>") << QStringLiteral("     ") + kMusicPlayerMarker
               << QStringLiteral("     </tr>");
    layout << QStringLiteral("</table>");
    return JoinPageLines(layout);
}

QString MusicLyricsMarquee(const QString& lyrics, const QString& fontStyle, const QString& color,
                           const QString& back, const QString& effect, const QString& delay,
                           const QString& hint, const QString& height) {
    QString x = lyrics;
    if (fontStyle == QLatin1String("1"))
        x = QStringLiteral("<em>") + x + QStringLiteral("</em>");
    else if (fontStyle == QLatin1String("2"))
        x = QStringLiteral("<strong>") + x + QStringLiteral("</strong>");
    else if (fontStyle == QLatin1String("3"))
        x = QStringLiteral("<em><strong>") + x + QStringLiteral("</strong></em>");

    if (effect == QLatin1String("1")) {
        const QString EC = back.isEmpty() ? QStringLiteral("#FF0000") : back;
        x = QStringLiteral("<DIV style=\"FONT-SIZE: 15px; FILTER: shadow(color=") + EC +
            QStringLiteral("); WIDTH: 100%; COLOR: ") + color +
            QStringLiteral("; LINE-HEIGHT: 150%; FONT-FAMILY: 宋体\">") + x + QStringLiteral("</DIV>");
    } else if (effect == QLatin1String("2")) {
        const QString EC = back.isEmpty() ? QStringLiteral("#00CCCC") : back;
        x = QStringLiteral("<SPAN style=\"DISPLAY: inline-block; FILTER: glow(color=") + EC +
            QStringLiteral(",strength=3); COLOR:") + color +
            QStringLiteral("; LINE-HEIGHT: 1.3em; FONT-SIZE: 15px; FONT-FAMILY: 宋体\">") + x + QStringLiteral("</SPAN>");
    } else {
        const QString BK = back.isEmpty() ? QString() : QStringLiteral("BACKGROUND-COLOR: ") + back + QStringLiteral("; ");
        x = QStringLiteral("<font style=\"") + BK + QStringLiteral("FONT-FAMILY: 宋体; COLOR: ") + color +
            QStringLiteral("; FONT-SIZE: 15px\">") + x + QStringLiteral("</font>");
    }
    return QStringLiteral("<marquee align=\"left\" behavior=\"scroll\" direction=\"up\" height=\"") + height +
           QStringLiteral("\" width=\"240\" scrollamount=\"15\" scrolldelay=\"") + delay +
           QStringLiteral("\" onMouseOut=\"this.start()\" onMouseOver=\"this.stop()\">") + hint + x +
           QStringLiteral("</marquee>");
}

QString MusicPlayerCell(const QString& opacity, const QString& fade, const QString& address, const QString& loop,
                        const QString& autostart) {
    const QString AS = autostart == QLatin1String("0") ? QStringLiteral("autostart=\"false\"")
                                                       : QStringLiteral("autostart=\"true\"");
    return QStringLiteral("<td height=\"42\" colspan=\"3\" style=\"FILTER: alpha (opacity=") + opacity +
           QStringLiteral(",style=") + fade + QStringLiteral(")\"><embed src=") + address +
           QStringLiteral(" width=280 height=42 type=audio/mpeg loop=\"") + loop + QStringLiteral("\" ") + AS +
           QStringLiteral(" volume=\"0\"></td>");
}

QString CreateMusicBoxHtml(qint16 column, const QString& autostart) {
    const auto row = [column](int r) -> const QString& { return SiteSettings(column, r); };
    const MusicBoxSettings s = MusicBoxSettings::fromRow(row(MusicBoxStyleRow));
    const bool musicOff = row(MusicOffRow) == QLatin1String("1");
    const QString& player = row(MusicPlayerShownRow);
    const bool playerRow = !musicOff && player != QLatin1String("0");

    // The lyrics slot.
    QString slot;
    if (musicOff && player == QLatin1String("0")) {
        slot = SiteSettings(column, GetCellBaseRow(MusicCell) + CellBlock::CellTextHtml);
    } else {
        slot = MusicLyricsMarquee(row(MusicLyricsRow), s.lyricsFontStyle, s.lyricsColor, s.lyricsBackColor,
                                  s.lyricsEffect, s.lyricsDelay, s.lyricsHint, MusicBoxLyricsHeight(playerRow));
    }

    // The player cell.
    QString playerCell;
    if (player == QLatin1String("1"))
        playerCell = MusicPlayerCell(s.playerOpacity, s.playerFade, musicOff ? QString() : row(MusicUrlRow),
                                     s.playCount, autostart);

    QString box = MusicBoxTable(playerRow);
    box.replace(kMusicLyricsMarker, slot);
    box.replace(kMusicPlayerMarker, playerCell);
    return box;
}
