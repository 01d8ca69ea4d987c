#include "siteoptions/prefaceletter.h"

#include "celleditor/cellpreview.h"
#include "foundation/htmltext.h"
#include "platform/ansi.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/pagefile.h"
#include "state/sitestate.h"

#include <QtCore/qnamespace.h>

namespace {

// Characters of text that fit in one line: the longest prefix of at most 36 bytes, never
// splitting a surrogate pair.
qsizetype FittingLength(const QString& text) {
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype step = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int width = AnsiCodec::byteLength(text.mid(i, step));
        if (bytes + width > kLetterLineBytes) break;
        bytes += width;
        i += step;
    }
    return i;
}

QString ColourWithHash(const QString& colour) {
    if (!colour.isEmpty() && !colour.startsWith(QLatin1Char('#'))) return QLatin1Char('#') + colour;
    return colour;
}

}  // namespace

LetterFlow FlowLetterLines(QStringList lines, int changed) {
    while (lines.size() < kLetterLines) lines.append(QString());
    LetterFlow flow;
    if (changed < 0 || changed >= kLetterLines) {
        flow.lines = lines;
        return flow;
    }
    // Shedding the last character again and again until a line fits, each shed character going
    // in front of the next line, leaves the line its longest fitting prefix and moves the rest
    // down in order; so one split per line gives the same lines as the character-wise rule.
    for (int i = changed; i < kLetterLines; ++i) {
        const qsizetype keep = FittingLength(lines[i]);
        if (keep == lines[i].size()) break;
        if (i < kLetterLines - 1) {
            lines[i + 1].prepend(lines[i].mid(keep));
            if (i == changed) flow.focusLine = changed + 1;
        }
        lines[i].truncate(keep);
    }
    flow.lines = lines;
    return flow;
}

std::optional<LetterCaret> LetterCursorMove(int line, int key, int position, const QList<int>& lineLengths) {
    auto length = [&](int n) { return n >= 0 && n < lineLengths.size() ? lineLengths[n] : 0; };
    const bool hasPrevious = line >= 1 && line < kLetterLines;
    const bool hasNext = line >= 0 && line < kLetterLines - 1;
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Left:
        if (hasPrevious && position == 0) return LetterCaret{line - 1, length(line - 1)};
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (hasNext) return LetterCaret{line + 1, length(line + 1)};
        break;
    case Qt::Key_Up:
        if (hasPrevious) return LetterCaret{line - 1, qMin(position, length(line - 1))};
        break;
    case Qt::Key_Right:
        if (hasNext && position >= length(line)) return LetterCaret{line + 1, 0};
        break;
    case Qt::Key_Down:
        if (hasNext) return LetterCaret{line + 1, qMin(position, length(line + 1))};
        break;
    default:
        break;
    }
    return std::nullopt;
}

QString LetterCellText(const QStringList& lines) {
    QStringList stored;
    for (int i = 0; i < kLetterLines; ++i) {
        stored.append(EscapeHtmlText(i < lines.size() ? lines[i] : QString(), {.blanks = true}));
    }
    return stored.join(QStringLiteral("<br>"));
}

void LoadLetterLines(const QString& cellText, QStringList& lines) {
    while (lines.size() < kLetterLines) lines.append(QString());
    QString text = UnescapeHtmlText(cellText, {.blanks = true});
    text.remove(QStringLiteral("<font size=\"3\">"));
    text.remove(QStringLiteral("</font>"));
    text.append(QStringLiteral("<br>"));
    const QString br = QStringLiteral("<br>");
    qsizetype from = 0;
    for (int n = 0; n < kLetterLines; ++n) {
        const qsizetype at = text.indexOf(br, from);
        if (at < 0) break;
        lines[n] = text.mid(from, at - from);
        from = at + br.size();
    }
}

QString CreateLetterHtml(const QString& cellWidth, const QString& cellText, LetterStyle& style) {
    if (vb::Trim(cellText).isEmpty()) return cellText;
    const QString width = QString::number(vb::CInt(cellWidth).value_or(0));
    const QString table = JoinPageLines({
        QStringLiteral("<table width=\"") + width + QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"25\" height=\"20\"></td>"),
        QStringLiteral("    <td width=\"290\"></td>"),
        QStringLiteral("    <td width=\"25\"></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td height=\"195\"></td>"),
        QStringLiteral("    <td align=\"left\" valign=\"middle\"><!--$*ReplaceText*$--></td>"),
        QStringLiteral("    <td></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
    });
    style.fontColor = ColourWithHash(style.fontColor);
    style.backColor = ColourWithHash(style.backColor);
    const QString& font = style.fontColor;
    const QString& back = style.backColor;
    QString text;
    if (style.effect == 1) {
        text = QStringLiteral("<DIV style=\"FONT-SIZE: 16px; FILTER: shadow(color=") +
               (back.isEmpty() ? QStringLiteral("#FF0000") : back) + QStringLiteral("); WIDTH: 100%; COLOR: ") + font +
               QStringLiteral("; LINE-HEIGHT: 150%; FONT-FAMILY: 宋体\">") + cellText + QStringLiteral("</DIV>");
    } else if (style.effect == 2) {
        text = QStringLiteral("<SPAN style=\"DISPLAY: inline-block; FILTER: glow(color=") +
               (back.isEmpty() ? QStringLiteral("#00CCCC") : back) + QStringLiteral(",strength=3); COLOR:") + font +
               QStringLiteral("; LINE-HEIGHT: 1.3em; FONT-SIZE: 16px; FONT-FAMILY: 宋体\">") + cellText +
               QStringLiteral("</SPAN>");
    } else {
        text = QStringLiteral("<font style=\"") +
               (back.isEmpty() ? QString() : QStringLiteral("BACKGROUND-COLOR: ") + back + QStringLiteral("; ")) +
               QStringLiteral("FONT-FAMILY: 宋体; COLOR: ") + font + QStringLiteral("; FONT-SIZE: 16px\">") + cellText +
               QStringLiteral("</font>");
    }
    QString fragment = table;
    fragment.replace(QStringLiteral("<!--$*ReplaceText*$-->"), text);
    return fragment;
}

QString LetterPreviewPage(const QString& cellWidth, const QString& cellHeight, const QString& background,
                          const QString& fragment) {
    const QString width = QString::number(vb::CInt(cellWidth).value_or(0));
    const QString height = QString::number(vb::CInt(cellHeight).value_or(0));
    const QString backAttribute =
        background.isEmpty() ? QString() : QStringLiteral(" background=\"") + background + QLatin1Char('"');
    return JoinPageLines(PreviewPageHead(QString()) + QStringList{
        QStringLiteral("<table width=\"") + width + QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td height=\"") + height + QLatin1Char('"') + backAttribute + QLatin1Char('>'),
        QStringLiteral("      ") + fragment,
        QStringLiteral("    </td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    });
}

void RefreshLetterPreview(const QStringList& lines, LetterStyle& style, const std::function<void()>& refresh) {
    while (CellRecord.size() < 14) CellRecord.append(QString());
    CellRecord[9] = LetterCellText(lines);
    const QString fragment = CreateLetterHtml(CellRecord[1], CellRecord[9], style);
    try {
        WritePageFile(QStringLiteral("setpic.html"), LetterPreviewPage(CellRecord[1], CellRecord[2], CellRecord[3], fragment));
    } catch (const VbError&) {
        // The browser keeps showing the old page.
    }
    if (refresh) refresh();
}
