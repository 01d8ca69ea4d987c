// The pages around the cells: the four background pages and the footer.
#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

QString CreateBackgroundHtml(const QString& name, qint16 column) {
    int row = 0;
    if (name == QLatin1String("b"))
        row = HomeBackColorRow;
    else if (name == QLatin1String("b1"))
        row = MiddleBackColorRow;
    else if (name == QLatin1String("b2"))
        row = AlbumBackColorRow;
    else if (name == QLatin1String("b3"))
        row = BlogBackColorRow;

    // Used as stored: the background pages never add a missing "#".
    QString colour = SiteSettings(column, row);
    if (colour.isEmpty()) colour = SiteSettings(column, HomeBackColorRow);

    if (PreviewOnly == 0) WritePageFile(name + QStringLiteral(".html"), ColorPageText(colour));
    return QString();
}

QString ColorPageText(const QString& colour) {
    QStringList lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<title>Orbel[") + serviceconfig::current().domain + QStringLiteral("]</title>");
    if (colour.isEmpty())
        lines << QString();
    else
        lines << QStringLiteral("<style type=\"text/css\">") << QStringLiteral("<!--") << QStringLiteral("body {")
              << QStringLiteral("    background-color: ") + colour + QLatin1Char(';') << QStringLiteral("}")
              << QStringLiteral("-->") << QStringLiteral("</style>");
    lines << QStringLiteral("</head>") << QStringLiteral("<body>") << QStringLiteral("</body>")
          << QStringLiteral("</html>");
    return JoinPageLines(lines);
}

QString CreateFooterHtml(qint16 cell, qint16 column) {
    const ServiceConfig& config = serviceconfig::current();
    const QString D = config.domain;
    const QString MH = config.hostName(ServiceHost::Main);
    const QString EH = config.hostName(ServiceHost::Example);
    QString k3 = SiteSettings(column, HomeBackColorRow);
    k3.replace(QLatin1Char('#'), QStringLiteral("--"));

    const QString notice =
        QStringLiteral("<td height=\"20\" align=\"center\"><font size=\"2\" color=\"#666666\" "
                       "style=\"BACKGROUND-COLOR: #ffffff\">此网站(<a href=\"javascript:addBookmark('Orbel：") +
        EH + QStringLiteral("','http://") + EH +
        QStringLiteral("')\">添加到收藏夹</a>)由用户通过『Tavolin』软件自助生成，Orbel(<a href=\"http://") + MH +
        QStringLiteral("\" target=\"_blank\">") + D + QStringLiteral("</a>)仅为其提供网络存储服务。[<a href=\"http://") +
        MH + QStringLiteral("/pwtd\" target=\"_blank\">我也要自助建站</a>][<a href=\"http://") + MH +
        QStringLiteral("/pwtdjb\" target=\"_blank\">报告不良信息</a>]</font></td>");

    // The query values are encoded for the query, so a key or colour holding "&", "#" or "%"
    // reaches the service whole.
    const QString fragment = JoinPageLines({
        QStringLiteral("<table width=\"950\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td height=\"10\" align=\"center\"><img src=\"http://") + config.hostName(ServiceHost::Frame) +
            QStringLiteral("/images/vymline.gif\" /></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    ") + notice,
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td height=\"170\" align=\"center\"><iframe src=\"http://") + MemberFrameHost() +
            QStringLiteral("/vyminfo001.aspx?k1=") + EncodeQueryValue(ServicePageMemberKey()) +
            QStringLiteral("&k2=") + EncodeQueryValue(LoginField(6)) + QStringLiteral("&k3=") + EncodeQueryValue(k3) +
            QStringLiteral("&k4=") + EncodeQueryValue(ServicePageSiteKey()) +
            QStringLiteral("\" width=\"950\" height=\"170\" frameborder=\"0\"  scrolling=\"No\" ></iframe></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
    });

    if (PreviewOnly != 0) return fragment;

    QString& homeColour = SiteSettings(column, HomeBackColorRow);
    if (!homeColour.isEmpty() && !homeColour.startsWith(QLatin1Char('#'))) homeColour.prepend(QLatin1Char('#'));
    const QString BC = homeColour;

    QStringList lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />")
          << QStringLiteral("<title>Orbel:") + D + QStringLiteral("</title>") << QStringLiteral("<style type=\"text/css\">")
          << QStringLiteral("<!--") << QStringLiteral("body {") << QStringLiteral("    margin-left: 0px;")
          << QStringLiteral("    margin-top: 0px;") << QStringLiteral("    margin-right: 0px;")
          << QStringLiteral("    margin-bottom: 0px;");
    if (!BC.isEmpty()) lines << QStringLiteral("    background-color: ") + BC + QLatin1Char(';');
    lines << QStringLiteral("}") << QStringLiteral("-->") << QStringLiteral("</style></head>") << QStringLiteral("<body>")
          << fragment << QStringLiteral("</body>") << QStringLiteral("</html>");
    WritePageFile(QString::number(cell) + QStringLiteral(".html"), JoinPageLines(lines));
    return fragment;
}
