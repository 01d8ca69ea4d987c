#include "celleditor/cellpreview.h"

#include "celleditor/textlayer.h"
#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"

namespace {

const QString kIndent = QStringLiteral("      ");

// What the builders share of one call: the cell, its size and pictures, the foreground code and
// whether the text layer is used.
struct Cell {
    QString N;
    QString B, F;
    QString code;
    QString align;  // {ALIGN}, without a leading space
    bool textPresent = false;
};

Cell ReadCell(const CellEditorSnapshot& e) {
    Cell c;
    c.N = e.record.value(CellRecordEntry::Cell);
    const CellBlockValues block = ReadCellBlock(e.record.mid(CellRecordEntry::FirstBlockRow, CellBlock::Rows));
    c.B = block.background;
    c.F = block.foreground;
    c.code = ForeCodeFromControls(e.flashTicked, e.foreVertical, e.foreHorizontal);
    c.align = ForeAlignAttributes(c.code).mid(1);
    c.textPresent = !vb::Trim(e.text).isEmpty();
    return c;
}

QString Div(const Cell& c) { return QStringLiteral("<div id=\"Layer") + c.N + QStringLiteral("\">"); }

QString TableOpen(int W) {
    return QStringLiteral("<table width=\"") + QString::number(W) +
           QStringLiteral("\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
}

// The foreground in a table of the cell's size, aligned in its cell.
QString ForegroundTable(const Cell& c, int W, int H, const QString& element) {
    return JoinPageLines({
        TableOpen(W),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"") + QString::number(W) + QStringLiteral("\" height=\"") + QString::number(H) +
            QStringLiteral("\" ") + c.align + QLatin1Char('>') + element + QStringLiteral("</td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
    });
}

// The page around the content. rule: the layer rule, or empty for the empty line in its place;
// align: {ALIGN} for the page's cell, or empty.
QString Page(int W, int H, const QString& rule, const QString& align, const QString& B, const QString& content) {
    return JoinPageLines(PreviewPageHead(rule) + QStringList{
        TableOpen(W),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td height=\"") + QString::number(H) + QStringLiteral("\" ") + align +
            (B.isEmpty() ? QString() : QStringLiteral(" background=\"") + B + QLatin1Char('"')) + QLatin1Char('>'),
        kIndent + content,
        QStringLiteral("    </td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("</body>"),
        QStringLiteral("</html>"),
    });
}

// A picture page's size: the 16-bit number, or 0 when the text is none.
int SizeOrZero(const QString& text) { return vb::CInt(text).value_or(0); }

QString PicturePage(const CellEditorSnapshot& e, const Cell& c, QStringList& fields) {
    const int W = SizeOrZero(e.record.value(CellRecordEntry::Width));
    const int H = SizeOrZero(e.record.value(CellRecordEntry::Height));

    // Cell 4's music box takes the place of the text layer and lies above the foreground.
    QString fragment;
    bool above = false;
    if (c.N == QLatin1String("4") && MusicBoxShown(LocalColumn)) {
        fragment = CreateMusicBoxHtml(LocalColumn, QStringLiteral("0"));
        above = true;
    } else {
        fragment = CreateCutPicHtml(e, fields).value_or(QString());
        above = e.panel.layer == 1;
    }

    QString content, rule, align;
    if (c.F.isEmpty()) {
        content = fragment;
    } else {
        const QString element = ForegroundElement(c.F, e.foreWidth, e.foreHeight, c.code, kIndent);
        if (!c.textPresent) {
            content = element;
        } else {
            rule = LayerRule(c.N, W, H);
            if (above) {
                content = element + QLatin1Char('\r') + Div(c) + fragment + QStringLiteral("</div>");
                align = c.align;
            } else {
                content = fragment + QLatin1Char('\r') + Div(c) + ForegroundTable(c, W, H, element) +
                          QStringLiteral("</div>");
            }
        }
    }
    return Page(W, H, rule, align, c.B, content);
}

// Cell 12: the service's ten-picture scroller, without the text layer.
QString PhotoScrollerPage(const CellEditorSnapshot& e, const Cell& c) {
    const QString address = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Frame) +
                            QStringLiteral("/photolist10.aspx?k1=") + EncodeQueryValue(ServicePageMemberKey()) +
                            QStringLiteral("&k2=www个人主页十图滚动&k3=") + EncodeQueryValue(LoginField(6));
    const QString content = JoinPageLines({
        QStringLiteral("<table width=\"650\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">"),
        QStringLiteral("  <tr>"),
        QStringLiteral("    <td width=\"650\" height=\"120\" align=\"center\" valign=\"middle\"><iframe src=\"") + address +
            QStringLiteral("\" width=\"600\" height=\"100\" frameborder=\"0\"  scrolling=\"No\"></iframe></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
    });
    return Page(SizeOrZero(e.record.value(CellRecordEntry::Width)), SizeOrZero(e.record.value(CellRecordEntry::Height)),
                QString(), QString(), c.B, content);
}

// CreateViewIFrameHtml: the member's text and foreground as one layer over the service's widget.
std::optional<QString> WidgetPage(const CellEditorSnapshot& e, const Cell& c, QStringList& fields) {
    const std::optional<qint16> W = vb::CInt(e.record.value(CellRecordEntry::Width));
    const std::optional<qint16> H = vb::CInt(e.record.value(CellRecordEntry::Height));
    if (!W || !H) return std::nullopt;
    const std::optional<QString> fragment = CreateCutPicHtml(e, fields);
    if (!fragment) return std::nullopt;

    QString block, align;
    if (c.F.isEmpty()) {
        block = *fragment;
    } else {
        const QString table =
            ForegroundTable(c, *W, *H, ForegroundElement(c.F, e.foreWidth, e.foreHeight, c.code, kIndent));
        if (!c.textPresent) {
            block = table;
        } else if (e.panel.layer == 1) {
            block = table + QLatin1Char('\r') + Div(c) + *fragment + QStringLiteral("</div>");
            align = c.align;
        } else {
            block = *fragment + QLatin1Char('\r') + Div(c) + table + QStringLiteral("</div>");
        }
    }
    QString rule;
    if (!block.isEmpty()) {
        block = Div(c) + block + QStringLiteral("</div>");
        rule = LayerRule(c.N, *W, *H);
    }
    return Page(*W, *H, rule, align, c.B, block + WidgetElement(static_cast<qint16>(c.N.toInt())));
}

bool IsWidgetCell(const QString& n) {
    static const QStringList cells{QStringLiteral("1"),  QStringLiteral("5"),  QStringLiteral("6"),
                                   QStringLiteral("9"),  QStringLiteral("11"), QStringLiteral("17"),
                                   QStringLiteral("18"), QStringLiteral("22"), QStringLiteral("23")};
    return cells.contains(n);
}

}  // namespace

std::optional<QString> CellPreviewPage(const CellEditorSnapshot& editor, QStringList& textStyleFields) {
    const Cell c = ReadCell(editor);
    if (IsWidgetCell(c.N)) return WidgetPage(editor, c, textStyleFields);
    if (c.N == QLatin1String("12")) return PhotoScrollerPage(editor, c);
    return PicturePage(editor, c, textStyleFields);
}

void WriteCellPreview(const CellEditorSnapshot& editor, QStringList& textStyleFields,
                      const std::function<void()>& refresh) {
    const std::optional<QString> page = CellPreviewPage(editor, textStyleFields);
    if (!page) return;
    try {
        WritePageFile(QStringLiteral("setpic.html"), *page);
    } catch (const VbError&) {
        // The old preview stays; the refresh shows it.
    }
    if (refresh) refresh();
}

QStringList PreviewPageHead(const QString& rule) {
    return {
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<title>Orbel[") + serviceconfig::current().domain + QStringLiteral("]</title>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("<!--"),
        QStringLiteral("body {"),
        QStringLiteral("    margin-left: 0px;"),
        QStringLiteral("    margin-top: 0px;"),
        QStringLiteral("    margin-right: 0px;"),
        QStringLiteral("    margin-bottom: 0px;"),
        QStringLiteral("}"),
        rule,
        QStringLiteral("-->"),
        QStringLiteral("</style></head>"),
        QStringLiteral("<body>"),
    };
}
