#include "celleditor/webpicture.h"

#include "foundation/folders.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"

#include <QStringList>

namespace {

// A size entry as a whole number; none when it holds no number.
std::optional<int> WholeNumber(const QString& text) {
    const QString t = vb::Trim(text);
    if (!vb::IsNumeric(t)) return std::nullopt;
    return int(vb::RoundHalfEven(vb::Val(t)));
}

}  // namespace

QString WebPicHtml(const QString& address, int width, int height, int mode, bool flashTransparent) {
    const QString w = QString::number(width), h = QString::number(height);
    QStringList lines = {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<title>Orbel[") + serviceconfig::current().domain + QStringLiteral("]</title>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("<!--"),
        QStringLiteral("body {"),
        QStringLiteral("    margin-left: 0px;"),
        QStringLiteral("    margin-top: 0px;"),
        QStringLiteral("}"),
        QStringLiteral("-->"),
        QStringLiteral("</style></head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<table width=\"") + w + QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("  <tr>"),
    };
    const QString six(6, QLatin1Char(' '));
    if (mode == 0) {
        lines << QStringLiteral("    <td height=\"") + h + QStringLiteral("\"  background=\"") + address + QStringLiteral("\">");
        lines << six;
    } else {
        lines << QStringLiteral("    <td height=\"") + h + QStringLiteral("\" >");
        if (IsFlashMovie(address))
            // The Flash element of the cell pages; its first line follows the six spaces of its own line.
            lines << six + ForegroundElement(address, w, h, flashTransparent ? QString() : QStringLiteral("111"), six);
        else
            lines << six + six + QStringLiteral("<img  alt=\"读取图片信息失败，请您稍后再试\" src=\"") + address +
                         QStringLiteral("\" width=\"") + w + QStringLiteral("\" height=\"") + h + QStringLiteral("\" />");
    }
    lines << QStringLiteral("    </td>") << QStringLiteral("  </tr>") << QStringLiteral("</table>") << QStringLiteral("</body>")
          << QStringLiteral("</html>");
    return JoinPageLines(lines);
}

void CreateWebPicHtml(const QString& address, int width, int height, int mode, bool flashTransparent) {
    WritePageFile(QStringLiteral("webpic.html"), WebPicHtml(address, width, height, mode, flashTransparent));
}

QSize WebPicCaptureSize(bool foreground, const QString& qjw, const QString& qjh) {
    const QSize cell(WholeNumber(CellRecord.value(1)).value_or(0), WholeNumber(CellRecord.value(2)).value_or(0));
    if (!foreground) return cell;
    const auto w = WholeNumber(qjw), h = WholeNumber(qjh);
    if (!w || !h) return cell;
    return QSize(*w, *h);
}

QString WebPicCapturePath(const QString& xzFlag) {
    return MemberTempPath((xzFlag == QLatin1String("0") ? QStringLiteral("grb") : QStringLiteral("grp")) + CellRecord.value(0) +
                          QStringLiteral(".tmp"));
}
