// The service widget cells: a page of the service in an iframe, with the cell's own background,
// foreground and text in a positioned layer over it.
#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

QString WidgetElement(qint16 t) {
    const QString host = MemberFrameHost();
    // The member's and the service's values are encoded for the query; the fixed album names
    // hold none of the characters that need it.
    const QString k1 = EncodeQueryValue(ServicePageMemberKey());
    const QString k4 = EncodeQueryValue(ServicePageSiteKey());
    const QString prefix = EncodeQueryValue(LoginField(6));
    const QString scrollNo = QStringLiteral("\" frameborder=\"0\"  scrolling=\"No\"></iframe>");
    const auto src = [&](const char* page) {
        return QStringLiteral("<iframe src=\"http://") + host + QLatin1Char('/') + QLatin1String(page) +
               QStringLiteral("?k1=") + k1;
    };
    switch (t) {
    case 1:
        return src("clock002.aspx") + QStringLiteral("&k2=www个人主页时钟&k3=") + prefix + QStringLiteral("&k4=") + k4 +
               QStringLiteral("\" width=\"150\" height=\"150") + scrollNo;
    case 5:
        return src("photoslide002.aspx") + QStringLiteral("&k2=www个人主页三图滚动&k3=") + prefix +
               QStringLiteral("&k4=") + k4 + QStringLiteral("\" width=\"350\" height=\"210") + scrollNo;
    case 6:
        return src("smallboard001.aspx") + QStringLiteral("&k2=") + prefix + QStringLiteral("&k4=") + k4 +
               QStringLiteral("\" width=\"320\" height=\"210") + scrollNo;
    case 9:
        return src("calendar002.aspx") + QStringLiteral("&k2=www个人主页日历&k3=") + prefix + QStringLiteral("&k4=") +
               k4 + QStringLiteral("\" width=\"150\" height=\"360") + scrollNo;
    case 11:
        return JoinPageLines({
            QStringLiteral("<table width=\"320\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
            QStringLiteral("  <tr>"),
            QStringLiteral("    <td width=\"320\" height=\"215\" valign=\"top\" bgcolor=\"#959595\">") +
                src("tbloglist001.aspx") + QStringLiteral("&k2=") + prefix + QStringLiteral("&k4=") + k4 +
                QStringLiteral("\" width=\"320\" height=\"214\" frameborder=\"0\" ></iframe></td>"),
            QStringLiteral("  </tr>"),
            QStringLiteral("</table>"),
        });
    case 12:
        return JoinPageLines({
            QStringLiteral("<table width=\"650\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
            QStringLiteral("  <tr>"),
            QStringLiteral("    <td width=\"650\" height=\"120\" align=\"center\" valign=\"middle\">") +
                src("photo10list001.aspx") + QStringLiteral("&k2=www个人主页十图滚动&k3=") + prefix +
                QStringLiteral("&k4=") + k4 + QStringLiteral("\" width=\"600\" height=\"100") + scrollNo +
                QStringLiteral("</td>"),
            QStringLiteral("  </tr>"),
            QStringLiteral("</table>"),
        });
    case 17:
        return src("albumlist001.aspx") + QStringLiteral("&k3=") + prefix + QStringLiteral("&k4=") + k4 +
               QStringLiteral("\" width=\"140\" height=\"670") + scrollNo;
    case 18: {
        // The album always comes from the local column, whatever column the page is built from.
        QString album = SiteSettings(LocalColumn, HomeAlbumRow);
        if (album.isEmpty()) album = QStringLiteral("根目录");
        return src("album001.aspx") + QStringLiteral("&k2=") + EncodeQueryValue(album) + QStringLiteral("&k3=") +
               prefix + QStringLiteral("&k4=") + k4 + QStringLiteral("\" width=\"670\" height=\"670") + scrollNo;
    }
    case 22:
        return src("bloglist001.aspx") + QStringLiteral("&k3=") + prefix + QStringLiteral("&k4=") + k4 +
               QStringLiteral("\" width=\"260\" height=\"800\" frameborder=\"0\" ></iframe>");
    case 23:
        return src("blogframe001.aspx") + QStringLiteral("&k3=") + prefix + QStringLiteral("&k4=") + k4 +
               QStringLiteral("\" width=\"670\" height=\"800\" frameborder=\"0\" ></iframe>");
    default:
        return QString();
    }
}

QString CreateWidgetHtml(qint16 cell, qint16 column) {
    const QString W = QString::number(GetCellWidth(cell));
    const QString H = QString::number(GetCellHeight(cell));
    const CellBlockValues block = ReadCellBlock(cell, column);
    const QString& background = block.background;
    const QString& F = block.foreground;
    const QString& code = block.foreCode;
    const QString& T = block.textHtml;
    const QString S = CellTextStacking(block.textStyle);
    const QString A = ForeAlignAttributes(code);
    const QString widget = WidgetElement(cell);

    QString FT;
    if (!F.isEmpty()) {
        const QString FM = ForegroundElement(F, block.foreWidth, block.foreHeight, code);
        FT = JoinPageLines({
            QStringLiteral("<table width=\"") + W + QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
            QStringLiteral("  <tr>"),
            QStringLiteral("    <td width=\"") + W + QStringLiteral("\" height=\"") + H + QLatin1Char('"') + A +
                QLatin1Char('>') + FM + QStringLiteral("</td>"),
            QStringLiteral("  </tr>"),
            QStringLiteral("</table>"),
        });
    }

    const QString div = QStringLiteral("<div id=\"Layer") + QString::number(cell) + QStringLiteral("\">");
    QString L;
    bool twoLayers = false;
    if (F.isEmpty()) {
        L = T;
    } else if (T.isEmpty()) {
        L = FT;
    } else if (S != QLatin1String("2")) {
        L = div + FT + QStringLiteral("</div>") + QLatin1Char('\r') + T;
        twoLayers = true;
    } else {
        L = div + T + QStringLiteral("</div>") + QLatin1Char('\r') + FT;
        twoLayers = true;
    }

    QString rule;
    if (!L.isEmpty()) {
        rule = LayerRule(cell);
        AppendLayerCss(rule);
        L = div + L + QStringLiteral("</div>");
    }

    const QString TA = twoLayers && S == QLatin1String("2") ? A : QString();
    const QString BG = background.isEmpty() ? QString() : QStringLiteral(" background=\"") + background + QLatin1Char('"');

    QStringList lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<title>Orbel[") + serviceconfig::current().domain + QStringLiteral("]</title>")
          << QStringLiteral("<style type=\"text/css\">") << QStringLiteral("<!--") << QStringLiteral("body {")
          << QStringLiteral("    margin-left: 0px;") << QStringLiteral("    margin-top: 0px;")
          << QStringLiteral("    margin-right: 0px;") << QStringLiteral("    margin-bottom: 0px;")
          << QStringLiteral("}") << rule << QString() << QStringLiteral("-->") << QStringLiteral("</style></head>")
          << QStringLiteral("<body>")
          << QStringLiteral("<table width=\"") + W + QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">")
          << QStringLiteral("  <tr>") << QStringLiteral("    <td height=\"") + H + QLatin1Char('"') + TA + BG + QLatin1Char('>')
          << QStringLiteral("      ") + L + widget << QStringLiteral("    </td>") << QStringLiteral("  </tr>")
          << QStringLiteral("</table>") << QStringLiteral("</body>") << QStringLiteral("</html>");

    if (PreviewOnly == 0) WritePageFile(QString::number(cell) + QStringLiteral(".html"), JoinPageLines(lines));
    return TA + BG + QLatin1Char('>') + L + widget;
}
