#include "hostedfiles/viewpage.h"

#include "foundation/htmltext.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"

#include <QFile>
#include <QStringList>

namespace {

QString FlashCab() {
    return QStringLiteral("http://") + serviceconfig::current().flashDownloadHost +
           QStringLiteral("/pub/shockwave/cabs/flash/swflash.cab#version=7,0,19,0");
}

QString FlashPage() {
    return QStringLiteral("http://") + serviceconfig::current().flashPlayerHost + QStringLiteral("/go/getflashplayer");
}

const QString kClassId = QStringLiteral("clsid:D27CDB6E-AE6D-11cf-96B8-444553540000");

// The address as the page may carry it unquoted or in quotes.
QString PageAddress(const QString& address) { return PercentEncodeCharacters(address, QLatin1String(" \"<>")); }

}  // namespace

bool IsFlashAddress(const QString& address) { return address.right(4).toLower() == QLatin1String(".swf"); }

QString ImageSnippet(const QString& address, const QString& templ) {
    return QString(templ).replace(QStringLiteral("|Replace|"), address);
}

QString FlashSnippet(const QString& address) {
    return QStringList{
        QStringLiteral("<object classid=\"") + kClassId + QStringLiteral("\" codebase=\"") + FlashCab() + QStringLiteral("\" >"),
        QStringLiteral("  <param name=\"movie\" value=\"") + address + QStringLiteral("\" />"),
        QStringLiteral("  <param name=\"quality\" value=\"high\" />"),
        QStringLiteral("  <embed src=\"") + address + QStringLiteral("\" quality=\"high\" pluginspage=\"") + FlashPage() +
            QStringLiteral("\" type=\"application/x-shockwave-flash\" ></embed>"),
        QStringLiteral("</object>"),
    }
        .join(QLatin1Char('\r'));
}

QString ChosenAddress(const QString& address, bool thumbnail, bool listTab) {
    if (!thumbnail) return address;
    return address + (listTab ? address.right(4) : QStringLiteral(".jpg"));
}

QByteArray ViewerPageBytes(const QString& address) {
    const QString a = PageAddress(address);
    QStringList lines{QStringLiteral("<html>"),
                      QStringLiteral("<head>"),
                      QStringLiteral("<title></title>"),
                      QStringLiteral("</head>"),
                      QStringLiteral("<body>"),
                      QStringLiteral("<table width=100% height=100% border=0 cellpadding=0 cellspacing=0>"),
                      QStringLiteral("<tr>")};
    const QString cellStart = QStringLiteral("<td align=center valign=middle>");
    if (IsFlashAddress(address)) {
        lines << cellStart + QStringLiteral("<object classid=\"") + kClassId + QStringLiteral("\" codebase=\"") + FlashCab() +
                     QStringLiteral("\" width=\"800\" height=\"500\">")
              << QStringLiteral(" <param name=\"movie\" value=\"") + a + QStringLiteral("\" />")
              << QStringLiteral(" <param name=\"quality\" value=\"high\" />")
              << QStringLiteral(" <param name=\"allowScriptAccess\" value=\"never\">")
              << QStringLiteral(" <param name=\"allowNetworking\" value=\"none\">")
              << QStringLiteral(" <param name=\"allowFullScreen\" value=\"false\">")
              << QStringLiteral("<embed src=\"") + a + QStringLiteral("\" quality=\"high\" pluginspage=\"") + FlashPage() +
                     QStringLiteral("\" type=\"application/x-shockwave-flash\" width=\"800\" height=\"500\"></embed>")
              << QStringLiteral("</object>")
              << QStringLiteral("<p><font size=2 color=#FF6633>注意：Flash图像可能被放大或缩小</font></p></td>");
    } else {
        lines << cellStart + QStringLiteral("<img src=") + a + QStringLiteral(" /></td>");
    }
    lines << QStringLiteral("</tr>") << QStringLiteral("</table>") << QStringLiteral("</body>") << QStringLiteral("</html>");
    return AnsiCodec::encodeHtml(lines.join(QStringLiteral("\r\n")));
}

QString ViewerPagePath() { return paths::InRoot(QStringLiteral("data/VievPhoto.html")); }

QString WriteViewerPage(const QString& address) {
    const QString path = ViewerPagePath();
    RemoveViewerPage();
    try {
        paths::WriteFileSafely(path, ViewerPageBytes(address));
    } catch (const VbError&) {
    }
    return path;
}

void RemoveViewerPage() {
    if (QFile::exists(ViewerPagePath())) QFile::remove(ViewerPagePath());
}

ViewerLayout LayoutViewer(int windowWidth, int windowHeight) {
    ViewerLayout l;
    l.browserWidth = qMax(windowWidth, kViewerMinWidth) - 100;
    l.browserHeight = qMax(windowHeight, kViewerMinHeight) - 930;
    l.closeLeft = l.browserWidth - kViewerCloseWidth - 200;
    l.closeTop = l.browserHeight + 50;
    return l;
}
