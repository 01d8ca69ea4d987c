// Pieces that several page generators share.
#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

QString ForegroundElement(const QString& address, const QString& width, const QString& height,
                          const QString& foreCode, const QString& outerIndent) {
    if (!IsFlashMovie(address))
        return outerIndent + QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" />").arg(address, width, height);
    const ServiceConfig& config = serviceconfig::current();
    const QString indent(9, QLatin1Char(' '));
    QStringList lines;
    lines << outerIndent + QStringLiteral("<object classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"http://") +
                 config.flashDownloadHost +
                 QStringLiteral("/pub/shockwave/cabs/flash/swflash.cab#version=7,0,19,0\" width=\"") + width +
                 QStringLiteral("\" height=\"") + height + QStringLiteral("\">");
    lines << indent + QStringLiteral("<param name=\"movie\" value=\"") + address + QStringLiteral("\" />");
    lines << indent + QStringLiteral("<param name=\"quality\" value=\"high\" />");
    lines << indent + QStringLiteral("<param name=\"allowScriptAccess\" value=\"never\">");
    lines << indent + QStringLiteral("<param name=\"allowNetworking\" value=\"none\">");
    lines << indent + QStringLiteral("<param name=\"allowFullScreen\" value=\"false\">");
    if (ForeCodeTransparent(foreCode)) lines << indent + QStringLiteral("<param name=\"wmode\" value=\"transparent\">");
    lines << indent + QStringLiteral("<embed src=\"") + address +
                 QStringLiteral("\" quality=\"high\" pluginspage=\"http://") + config.flashPlayerHost +
                 QStringLiteral("/go/getflashplayer\" type=\"application/x-shockwave-flash\" width=\"") + width +
                 QStringLiteral("\" height=\"") + height + QStringLiteral("\"></embed>");
    lines << outerIndent + QStringLiteral("</object>");
    return JoinPageLines(lines);
}

QString LayerRule(qint16 cell) { return LayerRule(QString::number(cell), GetCellWidth(cell), GetCellHeight(cell)); }

QString LayerRule(const QString& n, int width, int height) {
    return JoinPageLines({
        QStringLiteral("#Layer") + n + QStringLiteral(" {"),
        QStringLiteral("    position:absolute;"),
        QStringLiteral("    width:") + QString::number(width) + QStringLiteral("px;"),
        QStringLiteral("    height:") + QString::number(height) + QStringLiteral("px;"),
        QStringLiteral("    z-index:") + n + QLatin1Char(';'),
        QStringLiteral("}"),
    });
}

void AppendLayerCss(const QString& rule) {
    if (LayerCss.isEmpty())
        LayerCss = rule;
    else
        LayerCss += QLatin1Char('\r') + rule;
}
