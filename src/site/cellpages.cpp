// Picture and Flash cell pages, and cell 4's local page with the music box.
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"

namespace {

struct CellPage {
    QString fragment;
    QString page;
};

// The page around a given text layer T stacked by S. bodyColor: whether column 1 may put the
// home-page colour into the body rule; bodyEnd goes right before "</body>". rule receives the
// layer rule (empty without a layer).
CellPage BuildCellPage(qint16 n, qint16 c, const QString& T, const QString& S, bool bodyColor,
                       const QString& bodyEnd, QString* ruleOut) {
    const QString W = QString::number(GetCellWidth(n));
    const QString H = QString::number(GetCellHeight(n));
    const CellBlockValues block = ReadCellBlock(n, c);
    const QString& BG = block.background;
    const QString& F = block.foreground;
    const QString& FW = block.foreWidth;
    const QString& FH = block.foreHeight;
    const QString& CODE = block.foreCode;
    const QString BC = SiteSettings(c, HomeBackColorRow);
    const bool layer = !F.isEmpty() && !T.isEmpty();

    const QString AL = ForeAlignAttributes(CODE);
    const QString BA = BG.isEmpty() ? QString() : QStringLiteral(" background=\"") + BG + QLatin1Char('"');
    const QString E = F.isEmpty() ? QString() : ForegroundElement(F, FW, FH, CODE);
    const QString div = QStringLiteral("<div id=\"Layer") + QString::number(n) + QStringLiteral("\">");

    QString K, OA;
    if (F.isEmpty()) {
        K = T;
    } else if (T.isEmpty()) {
        K = E;
    } else if (S == QLatin1String("2")) {
        K = div + T + QStringLiteral("</div>") + QLatin1Char('\r') + E;
        OA = AL;
    } else {
        K = JoinPageLines({
                div + QStringLiteral("<table width=\"") + W +
                    QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
                QStringLiteral("  <tr>"),
                QStringLiteral("    <td width=\"") + W + QStringLiteral("\" height=\"") + H + QLatin1Char('"') + AL +
                    QLatin1Char('>') + E + QStringLiteral("</td>"),
                QStringLiteral("  </tr>"),
                QStringLiteral("</table></div>"),
            }) +
            QLatin1Char('\r') + T;
    }

    const QString rule = layer ? LayerRule(n) : QString();
    *ruleOut = rule;

    QStringList lines;
    lines << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<title>Orbel[") + serviceconfig::current().domain + QStringLiteral("]</title>")
          << QStringLiteral("<style type=\"text/css\">") << QStringLiteral("<!--") << QStringLiteral("body {")
          << QStringLiteral("    margin-left: 0px;") << QStringLiteral("    margin-top: 0px;")
          << QStringLiteral("    margin-right: 0px;") << QStringLiteral("    margin-bottom: 0px;");
    if (bodyColor && c == PublishColumn && !BC.isEmpty())
        lines << QStringLiteral("    background-color: ") + BC + QLatin1Char(';');
    lines << QStringLiteral("}") << rule << QStringLiteral("-->") << QStringLiteral("</style></head>")
          << QStringLiteral("<body>")
          << QStringLiteral("<table width=\"") + W + QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">")
          << QStringLiteral("  <tr>")
          << QStringLiteral("    <td height=\"") + H + QLatin1Char('"') + OA + BA + QLatin1Char('>')
          << QStringLiteral("      ") + K << QStringLiteral("    </td>") << QStringLiteral("  </tr>")
          << QStringLiteral("</table>") << bodyEnd + QStringLiteral("</body>") << QStringLiteral("</html>");

    return {OA + BA + QLatin1Char('>') + K, JoinPageLines(lines)};
}

// The cell's own text layer and its stacking ("2" above the foreground when the style is empty).
void CellTextLayer(qint16 n, qint16 c, QString* T, QString* S) {
    const CellBlockValues block = ReadCellBlock(n, c);
    *T = block.textHtml;
    *S = block.textStyle.isEmpty() ? QStringLiteral("2") : CellTextStacking(block.textStyle);
}

// musicAutostart: the autostart argument of cell 4's music box. bodyColor: as BuildCellPage.
CellPage BuildPictureCell(qint16 n, qint16 c, const QString& musicAutostart, bool bodyColor) {
    QString T, S;
    if (n == MusicCell && MusicBoxShown(c)) {
        T = CreateMusicBoxHtml(c, musicAutostart);
        S = QStringLiteral("2");
    } else {
        CellTextLayer(n, c, &T, &S);
    }
    QString rule;
    CellPage built = BuildCellPage(n, c, T, S, bodyColor, QString(), &rule);
    if (!rule.isEmpty()) AppendLayerCss(rule);
    return built;
}

// A page-file step whose failure the cell generators ignore: the next step runs all the same.
template <typename Step>
void IgnoringFileErrors(Step step) {
    try {
        step();
    } catch (const VbError&) {
    }
}

}  // namespace

QString CreateCellHtml(qint16 cell, qint16 column) {
    const CellPage built = BuildPictureCell(cell, column, QStringLiteral("1"), true);
    if (PreviewOnly == 0) {
        const QString file = QString::number(cell) + QStringLiteral(".html");
        IgnoringFileErrors([&] { WritePageFile(file, built.page); });
        if (cell == 25) IgnoringFileErrors([&] { CopyPageFile(file, QStringLiteral("26.html")); });
        if (cell == 28) IgnoringFileErrors([&] { CopyPageFile(file, QStringLiteral("29.html")); });
    }
    return built.fragment;
}

QString CreateMusicCellHtml(qint16 column, qint16 autostart) {
    const CellPage built = BuildPictureCell(MusicCell, column, QString::number(autostart), false);
    if (PreviewOnly == 0) IgnoringFileErrors([&] { WritePageFile(QStringLiteral("4.html"), built.page); });
    return built.fragment;
}

QString PictureCellPreviewPage(qint16 cell, qint16 column, const QString* layer, const QString& bodyEnd) {
    QString T, S;
    if (layer) {
        T = *layer;
        S = QStringLiteral("2");
    } else {
        CellTextLayer(cell, column, &T, &S);
    }
    QString rule;
    return BuildCellPage(cell, column, T, S, false, bodyEnd, &rule).page;
}
