#include "site/siteview.h"

#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"

#include <QStringList>

namespace {
// The grid's lines, each with its leading spaces.
class PageLines {
public:
    void add(int indent, const QString& text) { m_lines.append(QString(indent, QLatin1Char(' ')) + text); }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// The cells that show a service widget inside the whole-site page; every other cell of the grid
// is a picture cell (cell 4 too: its text layer may be the music box).
bool IsWidgetCell(qint16 cell) {
    switch (cell) {
    case 1: case 5: case 6: case 9: case 11: case 12: case 17: case 18: case 22: case 23:
        return true;
    default:
        return false;
    }
}
}  // namespace

QString CreateSiteViewHtml(qint16 column) {
    LayerCss.clear();

    // The page colour, with the "#" the colour dialog may have left out (kept in the column).
    QString& pageColor = SiteSettings(column, HomeBackColorRow);
    if (!pageColor.isEmpty() && !pageColor.startsWith(QLatin1Char('#'))) pageColor = QLatin1Char('#') + pageColor;
    const QString bc = pageColor;

    auto spacerColor = [column](int row) {
        const QString v = SiteSettings(column, row);
        return v.isEmpty() ? QString() : QStringLiteral(" bgcolor=\"") + v + QLatin1Char('"');
    };
    const QString b303 = spacerColor(MiddleBackColorRow);
    const QString b304 = spacerColor(AlbumBackColorRow);
    const QString b306 = spacerColor(BlogBackColorRow);

    // Fragments are made in the order they appear, so the layer rules collect in that order.
    auto cell = [column](qint16 n) {
        return IsWidgetCell(n) ? CreateWidgetHtml(n, column) : CreateCellHtml(n, column);
    };

    PageLines body;
    body.add(0, QStringLiteral("<body>"));
    body.add(0, QStringLiteral("<table width=\"1002\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td width=\"156\" height=\"150\"") + cell(0) + QStringLiteral("</td>"));
    body.add(4, QStringLiteral("<td width=\"150\"") + cell(1) + QStringLiteral("</td>"));
    body.add(4, QStringLiteral("<td width=\"696\"") + cell(2) + QStringLiteral("</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td height=\"25\" colspan=\"3\"") + cell(3) + QStringLiteral("</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(0, QStringLiteral("</table>"));

    // The home table.
    body.add(0, QStringLiteral("<table width=\"1002\" height=\"690\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td width=\"26\"") + cell(25) + QStringLiteral("</td>"));
    body.add(4, QStringLiteral("<td width=\"950\"><table width=\"950\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td width=\"280\" height=\"210\"") + cell(4) + QStringLiteral("</td>"));
    body.add(7, QStringLiteral("<td width=\"350\"") + cell(5) + QStringLiteral("</td>"));
    body.add(8, QStringLiteral("<td width=\"320\"") + cell(6) + QStringLiteral("</td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"50\" colspan=\"3\"") + cell(7) + QStringLiteral("</td>"));
    body.add(8, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"50\" colspan=\"3\" align=\"center\" valign=\"middle\"><table width=\"950\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(10, QStringLiteral("<tr>"));
    body.add(12, QStringLiteral("<td width=\"130\" height=\"360\"") + cell(8) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"150\"") + cell(9) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"10\"") + b303 + QStringLiteral("></td>"));
    body.add(12, QStringLiteral("<td width=\"660\" align=\"left\" valign=\"top\"><table width=\"660\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(16, QStringLiteral("<tr>"));
    body.add(18, QStringLiteral("<td><table width=\"660\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(22, QStringLiteral("<tr>"));
    body.add(24, QStringLiteral("<td width=\"340\" height=\"215\"") + cell(10) + QStringLiteral("</td>"));
    body.add(24, QStringLiteral("<td width=\"320\" valign=\"top\" bgcolor=\"#959595\"") + cell(11) + QStringLiteral("</td>"));
    body.add(22, QStringLiteral("</tr>"));
    body.add(18, QStringLiteral("</table></td>"));
    body.add(16, QStringLiteral("</tr>"));
    body.add(16, QStringLiteral("<tr>"));
    body.add(18, QStringLiteral("<td height=\"15\"") + b303 + QStringLiteral("></td>"));
    body.add(16, QStringLiteral("</tr>"));
    body.add(17, QStringLiteral("<tr>"));
    body.add(18, QStringLiteral("<td><table width=\"660\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(22, QStringLiteral("<tr>"));
    body.add(24, QStringLiteral("<td width=\"650\" height=\"120\"") + cell(12) + QStringLiteral("</td>"));
    body.add(24, QStringLiteral("<td width=\"10\"") + b303 + QStringLiteral("></td>"));
    body.add(22, QStringLiteral("</tr>"));
    body.add(22, QStringLiteral("<tr>"));
    body.add(24, QStringLiteral("<td height=\"10\" colspan=\"2\" align=\"center\" valign=\"middle\"") + b303 + QStringLiteral("></td>"));
    body.add(24, QStringLiteral("</tr>"));
    body.add(18, QStringLiteral("</table></td>"));
    body.add(16, QStringLiteral("</tr>"));
    body.add(12, QStringLiteral("</table></td>"));
    body.add(10, QStringLiteral("</tr>"));
    body.add(8, QStringLiteral("</table></td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"70\" colspan=\"3\" align=\"center\" valign=\"middle\"><table width=\"950\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(10, QStringLiteral("<tr>"));
    body.add(12, QStringLiteral("<td width=\"130\" height=\"70\"") + cell(13) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"150\"") + cell(14) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"670\"") + cell(15) + QStringLiteral("</td>"));
    body.add(10, QStringLiteral("</tr>"));
    body.add(8, QStringLiteral("</table></td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(4, QStringLiteral("</table></td>"));
    body.add(4, QStringLiteral("<td width=\"26\"") + cell(28) + QStringLiteral("</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(0, QStringLiteral("</table>"));

    // The album table.
    body.add(0, QStringLiteral("<table width=\"1002\" height=\"690\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td width=\"26\" height=\"690\"") + cell(25) + QStringLiteral("</td>"));
    body.add(4, QStringLiteral("<td width=\"130\"") + cell(16) + QStringLiteral("</td>"));
    body.add(4, QStringLiteral("<td width=\"820\" align=\"left\" valign=\"top\"><table width=\"820\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td width=\"150\" height=\"672\" align=\"center\" valign=\"top\"") + b304 + cell(17) + QStringLiteral("</td>"));
    body.add(8, QStringLiteral("<td width=\"670\" align=\"center\" valign=\"middle\"") + cell(18) + QStringLiteral("</td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"18\" colspan=\"2\"") + b304 + QStringLiteral("></td>"));
    body.add(8, QStringLiteral("</tr>"));
    body.add(4, QStringLiteral("</table></td>"));
    body.add(4, QStringLiteral("<td width=\"26\"") + cell(28) + QStringLiteral("</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(0, QStringLiteral("</table>"));

    // The blog table.
    body.add(0, QStringLiteral("<table width=\"1002\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td width=\"26\"") + cell(27) + QStringLiteral("</td>"));
    body.add(4, QStringLiteral("<td width=\"950\"><table width=\"950\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td><table width=\"950\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(10, QStringLiteral("<tr>"));
    body.add(12, QStringLiteral("<td width=\"130\" height=\"70\"") + cell(19) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"150\" height=\"70\"") + cell(20) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"670\" height=\"70\"") + cell(21) + QStringLiteral("</td>"));
    body.add(10, QStringLiteral("</tr>"));
    body.add(8, QStringLiteral("</table></td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"10\"") + b306 + QStringLiteral("></td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td><table width=\"950\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"));
    body.add(10, QStringLiteral("<tr>"));
    body.add(12, QStringLiteral("<td width=\"10\" height=\"800\"") + b306 + QStringLiteral("></td>"));
    body.add(12, QStringLiteral("<td width=\"260\" align=\"left\" valign=\"top\"") + cell(22) + QStringLiteral("</td>"));
    body.add(12, QStringLiteral("<td width=\"10\"") + b306 + QStringLiteral("></td>"));
    body.add(12, QStringLiteral("<td width=\"670\" align=\"left\" valign=\"top\"") + cell(23) + QStringLiteral("</td>"));
    body.add(10, QStringLiteral("</tr>"));
    body.add(8, QStringLiteral("</table></td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"10\"") + b306 + QStringLiteral("></td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(6, QStringLiteral("<tr>"));
    body.add(8, QStringLiteral("<td height=\"50\"") + cell(24) + QStringLiteral("</td>"));
    body.add(6, QStringLiteral("</tr>"));
    body.add(4, QStringLiteral("</table></td>"));
    body.add(4, QStringLiteral("<td width=\"26\"") + cell(30) + QStringLiteral("</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(0, QStringLiteral("</table>"));

    // The bottom table.
    body.add(0, QStringLiteral("<table width=\"1002\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td height=\"26\"") + cell(31) + QStringLiteral("</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(2, QStringLiteral("<tr>"));
    body.add(4, QStringLiteral("<td height=\"50\">&nbsp;</td>"));
    body.add(2, QStringLiteral("</tr>"));
    body.add(0, QStringLiteral("</table>"));
    body.add(0, QStringLiteral("<br />"));

    // Background sound: only with music on and the player hidden (a shown player plays it from
    // the music box of cell 4 instead).
    QString loop = GetTextBefore(SiteSettings(column, MusicBoxStyleRow), QStringLiteral(","));
    if (!vb::IsNumeric(loop)) loop = QStringLiteral("1");
    QString bs;
    if (!SiteSettings(column, MusicUrlRow).isEmpty() && SiteSettings(column, MusicOffRow) == QLatin1String("0") &&
        SiteSettings(column, MusicPlayerShownRow) == QLatin1String("0"))
        bs = QStringLiteral("<bgsound src=\"") + SiteSettings(column, MusicUrlRow) + QStringLiteral("\" loop=") + loop +
             QLatin1Char('>');

    body.add(0, CreateFooterHtml(FooterCell, column));
    body.add(0, bs + QStringLiteral("</body>"));
    body.add(0, QStringLiteral("</html>"));

    // The head last: its style block holds the layer rules of every cell of the grid.
    PageLines head;
    head.add(0, QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                               "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"));
    head.add(0, QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\">"));
    head.add(0, QStringLiteral("<head>"));
    head.add(0, QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />"));
    head.add(0, QStringLiteral("<title>Orbel:") + serviceconfig::current().domain + QStringLiteral("</title>"));
    head.add(0, QStringLiteral("<style type=\"text/css\">"));
    head.add(0, QStringLiteral("<!--"));
    head.add(0, QStringLiteral("body {"));
    head.add(4, QStringLiteral("margin-left: 0px;"));
    head.add(4, QStringLiteral("margin-top: 0px;"));
    head.add(4, QStringLiteral("margin-right: 0px;"));
    head.add(4, QStringLiteral("margin-bottom: 0px;"));
    if (!bc.isEmpty()) head.add(4, QStringLiteral("background-color: ") + bc + QLatin1Char(';'));
    head.add(0, QStringLiteral("}"));
    head.add(0, LayerCss);  // in place of the marker line "<!--$*#LayerHtml*$-->"
    head.add(0, QStringLiteral("-->"));
    head.add(0, QStringLiteral("</style></head>"));

    const QString page = JoinPageLines(head.lines() + body.lines());
    WritePageFile(QStringLiteral("view.html"), page);
    return page;
}
