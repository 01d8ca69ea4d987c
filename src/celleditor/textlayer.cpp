#include "celleditor/textlayer.h"

#include "foundation/htmltext.h"
#include "platform/vbtext.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"

#include <vector>

namespace {

const QString kPlaceholder = QStringLiteral("<!--$*ReplaceText*$-->");

// a - b - c in 16-bit arithmetic; nothing when a step overflows.
std::optional<qint16> Minus16(int a, int b, int c) {
    const int ab = a - b;
    if (ab < -32768 || ab > 32767) return std::nullopt;
    const int abc = ab - c;
    if (abc < -32768 || abc > 32767) return std::nullopt;
    return static_cast<qint16>(abc);
}

// The text as the page shows it; the order matters: the "&" of the entities comes after the
// brackets, and the inserted "<br>" after the brackets are escaped.
QString EscapedText(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    t.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    t.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    DisableActiveTags(t);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    return t;
}

QString AlignmentAttributes(const TextPanelState& p) {
    const char* h = p.alignH == 1 ? "left" : p.alignH == 2 ? "right" : "center";
    const char* v = p.alignV == 1 ? "top" : p.alignV == 2 ? "bottom" : "middle";
    return QStringLiteral(" align=\"%1\" valign=\"%2\"").arg(QLatin1String(h), QLatin1String(v));
}

struct Margins {
    QString text[4];  // top, bottom, left, right as typed (trimmed)
    qint16 value[4];
};

// The margin table with the placeholder in its content cell; empty when a margin is negative.
QString MarginTable(qint16 W, const Margins& m, const QString& contentWidth, const QString& contentHeight,
                    const QString& A) {
    for (qint16 v : m.value)
        if (v < 0) return QString();
    const qint16 t = m.value[0], b = m.value[1], l = m.value[2], r = m.value[3];
    std::vector<QString> columns, rows;
    if (l > 0) columns.push_back(m.text[2]);
    const size_t contentColumn = columns.size();
    columns.push_back(contentWidth);
    if (r > 0) columns.push_back(m.text[3]);
    if (t > 0) rows.push_back(m.text[0]);
    const size_t contentRow = rows.size();
    rows.push_back(contentHeight);
    if (b > 0) rows.push_back(m.text[1]);
    // A single column of several rows takes its width from the table alone.
    const bool widths = !(columns.size() == 1 && rows.size() > 1);

    QStringList lines;
    lines << QStringLiteral("<table width=\"") + QString::number(W) +
                 QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
    for (size_t row = 0; row < rows.size(); ++row) {
        lines << QStringLiteral("  <tr>");
        for (size_t column = 0; column < columns.size(); ++column) {
            QString attributes;
            if (row == 0 && widths) attributes += QStringLiteral(" width=\"") + columns[column] + QLatin1Char('"');
            if (column == 0) attributes += QStringLiteral(" height=\"") + rows[row] + QLatin1Char('"');
            const bool content = row == contentRow && column == contentColumn;
            if (content) attributes += A;
            lines << QStringLiteral("    <td") + attributes + QLatin1Char('>') + (content ? kPlaceholder : QString()) +
                         QStringLiteral("</td>");
        }
        lines << QStringLiteral("  </tr>");
    }
    lines << QStringLiteral("</table>");
    return JoinPageLines(lines);
}

QString Decorated(QString text, const TextPanelState& p) {
    if (p.strikethru) text = QStringLiteral("<span style=\"text-decoration: line-through;\">") + text + QStringLiteral("</span>");
    if (p.underline) text = QStringLiteral("<span style=\"text-decoration: underline;\">") + text + QStringLiteral("</span>");
    switch (p.fontType) {
    case 1: return QStringLiteral("<EM>") + text + QStringLiteral("</EM>");
    case 2: return QStringLiteral("<STRONG>") + text + QStringLiteral("</STRONG>");
    case 3: return QStringLiteral("<STRONG><EM>") + text + QStringLiteral("</EM></STRONG>");
    default: return text;
    }
}

QString Styled(const QString& text, const TextPanelState& p, const QString& color, const QString& back) {
    switch (p.art) {
    case 1:
        return QStringLiteral("<DIV style=\"FONT-SIZE: ") + p.fontSize + QStringLiteral("px; FILTER: shadow(color=") +
               (back.isEmpty() ? QStringLiteral("#FF0000") : back) + QStringLiteral("); WIDTH: 100%; COLOR: ") + color +
               QStringLiteral("; LINE-HEIGHT: 150%; FONT-FAMILY: ") + p.font + QStringLiteral("\">") + text +
               QStringLiteral("</DIV>");
    case 2:
        return QStringLiteral("<SPAN style=\"DISPLAY: inline-block; FILTER: glow(color=") +
               (back.isEmpty() ? QStringLiteral("#00CCCC") : back) + QStringLiteral(",strength=3); COLOR:") + color +
               QStringLiteral("; LINE-HEIGHT: 1.3em; FONT-SIZE: ") + p.fontSize + QStringLiteral("px; FONT-FAMILY: ") +
               p.font + QStringLiteral("\">") + text + QStringLiteral("</SPAN>");
    default:
        return QStringLiteral("<font style=\"") +
               (back.isEmpty() ? QString() : QStringLiteral("BACKGROUND-COLOR: ") + back + QStringLiteral("; ")) +
               QStringLiteral("FONT-FAMILY: ") + p.font + QStringLiteral("; COLOR: ") + color +
               QStringLiteral("; FONT-SIZE: ") + p.fontSize + QStringLiteral("px\">") + text + QStringLiteral("</font>");
    }
}

QString Scrolling(const QString& styled, const TextPanelState& p, qint16 h, qint16 w, const QString& A) {
    static const char* const kDirections[] = {nullptr, "left", "right", "up", "down"};
    if (p.scrolling < 1 || p.scrolling > 4) return styled;
    QString speed = SpeedText(p.speed);
    if (speed.isEmpty()) speed = QStringLiteral("1");
    const QString marquee = QStringLiteral("<marquee behavior=\"scroll\" direction=\"") +
                            QLatin1String(kDirections[p.scrolling]) + QStringLiteral("\" height=\"") +
                            QString::number(h) + QStringLiteral("\" width=\"") + QString::number(w) +
                            QStringLiteral("\" scrollamount=\"") + speed +
                            QStringLiteral("\" onMouseOut=\"this.start()\" onMouseOver=\"this.stop()\">");
    if (p.scrolling <= 2)
        return marquee + QStringLiteral("<table height=\"") + QString::number(h) +
               QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td") + A + QLatin1Char('>') +
               styled + QStringLiteral("</td></tr></table></marquee>");
    return marquee + QStringLiteral("<div") + A + QLatin1Char('>') + styled + QStringLiteral("</div></marquee>");
}

// A colour field with its "#".
void CompleteColor(QString& field) {
    if (!field.isEmpty() && field.front() != QLatin1Char('#')) field.prepend(QLatin1Char('#'));
}

}  // namespace

std::optional<QString> CreateCutPicHtml(const CellEditorSnapshot& editor, QStringList& textStyleFields) {
    const QString escaped = EscapedText(editor.text);
    if (vb::Trim(editor.text).isEmpty()) return escaped;

    // The table: sizes and margins first.
    const TextPanelState& p = editor.panel;
    const std::optional<qint16> W = vb::CInt(editor.record.value(CellRecordEntry::Width));
    const std::optional<qint16> H = vb::CInt(editor.record.value(CellRecordEntry::Height));
    if (!W || !H) return std::nullopt;
    Margins m;
    for (int side = 0; side < 4; ++side) {
        m.text[side] = vb::Trim(p.margins[size_t(side)]);
        const std::optional<qint16> v = vb::CInt(m.text[side]);
        if (!v) return std::nullopt;
        m.value[side] = *v;
    }
    const std::optional<qint16> w = Minus16(*W, m.value[2], m.value[3]);
    const std::optional<qint16> h = Minus16(*H, m.value[0], m.value[1]);
    if (!w || !h) return std::nullopt;
    const QString A = AlignmentAttributes(p);
    const QString table = MarginTable(*W, m, QString::number(*w), QString::number(*h), A);

    // Then the style.
    while (textStyleFields.size() < kTextStyleFieldCount) textStyleFields.append(QString());
    QString& color = textStyleFields[CellTextStyleField::FontColor];
    QString& back = textStyleFields[CellTextStyleField::BackColor];
    CompleteColor(color);
    CompleteColor(back);
    const QString styled = Scrolling(Styled(Decorated(escaped, p), p, color, back), p, *h, *w, A);
    return QString(table).replace(kPlaceholder, styled);
}
