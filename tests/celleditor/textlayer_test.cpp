// The text layer fragment built from the editor's text and text panel.
#include <gtest/gtest.h>

#include "celleditor/textlayer.h"
#include "site/pagefile.h"

namespace {

// A 300 x 200 cell, 宋体 12 in black, centred, no margins.
CellEditorSnapshot Editor(const QString& text, std::array<QString, 4> margins = {QStringLiteral("0"), QStringLiteral("0"),
                                                                                  QStringLiteral("0"), QStringLiteral("0")}) {
    CellEditorSnapshot e;
    e.record = QStringList(14);
    e.record[0] = QStringLiteral("3");
    e.record[1] = QStringLiteral("300");
    e.record[2] = QStringLiteral("200");
    e.text = text;
    e.panel.margins = margins;
    e.panel.font = QStringLiteral("宋体");
    e.panel.fontSize = QStringLiteral("12");
    return e;
}

QStringList Fields(const QString& color = QStringLiteral("#000000"), const QString& back = QString()) {
    QStringList f(15);
    f[5] = color;
    f[6] = back;
    return f;
}

QString Font(const QString& inner) {
    return QStringLiteral("<font style=\"FONT-FAMILY: 宋体; COLOR: #000000; FONT-SIZE: 12px\">") + inner +
           QStringLiteral("</font>");
}

const QString kCentre = QStringLiteral(" align=\"center\" valign=\"middle\"");
const QString kTableOpen = QStringLiteral("<table width=\"300\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");

// The one-cell table that a cell without margins gives.
QString Whole(const QString& content) {
    return JoinPageLines({kTableOpen, QStringLiteral("  <tr>"),
                          QStringLiteral("    <td width=\"300\" height=\"200\"") + kCentre + QLatin1Char('>') + content +
                              QStringLiteral("</td>"),
                          QStringLiteral("  </tr>"), QStringLiteral("</table>")});
}

// Rows written "cell, cell | cell, cell": a cell is its attributes, "-" for none, and a trailing
// "*" marks the content cell (which gets the alignment and the text).
QString Grid(const QString& rows, const QString& content) {
    QStringList lines{kTableOpen};
    for (const QString& row : rows.split(QStringLiteral(" | "))) {
        lines << QStringLiteral("  <tr>");
        for (QString cell : row.split(QStringLiteral(", "))) {
            const bool isContent = cell.endsWith(QLatin1Char('*'));
            if (isContent) cell.chop(1);
            cell = cell.trimmed();
            const QString attributes = cell == QLatin1String("-") || cell.isEmpty() ? QString() : QLatin1Char(' ') + cell;
            lines << QStringLiteral("    <td") + attributes + (isContent ? kCentre : QString()) + QLatin1Char('>') +
                         (isContent ? content : QString()) + QStringLiteral("</td>");
        }
        lines << QStringLiteral("  </tr>");
    }
    lines << QStringLiteral("</table>");
    return JoinPageLines(lines);
}

}  // namespace

TEST(TextLayer, SixteenMarginLayouts) {
    // Top 10, bottom 5, left 20, right 30, each on or off, in a 300 x 200 cell.
    struct Case {
        const char* t;
        const char* b;
        const char* l;
        const char* r;
        const char* rows;
    };
    const Case cases[] = {
        {"0", "0", "0", "0", "width=\"300\" height=\"200\" *"},
        {"0", "0", "0", "30", "width=\"270\" height=\"200\" *, width=\"30\""},
        {"0", "0", "20", "0", "width=\"20\" height=\"200\", width=\"280\" *"},
        {"0", "0", "20", "30", "width=\"20\" height=\"200\", width=\"250\" *, width=\"30\""},
        {"0", "5", "0", "0", "height=\"195\" * | height=\"5\""},
        {"0", "5", "0", "30", "width=\"270\" height=\"195\" *, width=\"30\" | height=\"5\", -"},
        {"0", "5", "20", "0", "width=\"20\" height=\"195\", width=\"280\" * | height=\"5\", -"},
        {"0", "5", "20", "30", "width=\"20\" height=\"195\", width=\"250\" *, width=\"30\" | height=\"5\", -, -"},
        {"10", "0", "0", "0", "height=\"10\" | height=\"190\" *"},
        {"10", "0", "0", "30", "width=\"270\" height=\"10\", width=\"30\" | height=\"190\" *, -"},
        {"10", "0", "20", "0", "width=\"20\" height=\"10\", width=\"280\" | height=\"190\", *"},
        {"10", "0", "20", "30", "width=\"20\" height=\"10\", width=\"250\", width=\"30\" | height=\"190\", *, -"},
        {"10", "5", "0", "0", "height=\"10\" | height=\"185\" * | height=\"5\""},
        {"10", "5", "0", "30", "width=\"270\" height=\"10\", width=\"30\" | height=\"185\" *, - | height=\"5\", -"},
        {"10", "5", "20", "0", "width=\"20\" height=\"10\", width=\"280\" | height=\"185\", * | height=\"5\", -"},
        {"10", "5", "20", "30",
         "width=\"20\" height=\"10\", width=\"250\", width=\"30\" | height=\"185\", *, - | height=\"5\", -, -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3 %4").arg(c.t, c.b, c.l, c.r).toStdString());
        QStringList fields = Fields();
        const auto out = CreateCutPicHtml(Editor(QStringLiteral("字"), {QString::fromLatin1(c.t), QString::fromLatin1(c.b),
                                                                       QString::fromLatin1(c.l), QString::fromLatin1(c.r)}),
                                          fields);
        ASSERT_TRUE(out);
        EXPECT_EQ(*out, Grid(QString::fromLatin1(c.rows), Font(QStringLiteral("字"))));
    }
}

TEST(TextLayer, MarginsAsTypedAndTheirLimits) {
    QStringList fields = Fields();
    // All four, exactly as the layout's example reads.
    EXPECT_EQ(CreateCutPicHtml(Editor(QStringLiteral("字"), {QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("20"),
                                                            QStringLiteral("20")}),
                               fields),
              JoinPageLines({kTableOpen, QStringLiteral("  <tr>"), QStringLiteral("    <td width=\"20\" height=\"10\"></td>"),
                             QStringLiteral("    <td width=\"260\"></td>"), QStringLiteral("    <td width=\"20\"></td>"),
                             QStringLiteral("  </tr>"), QStringLiteral("  <tr>"),
                             QStringLiteral("    <td height=\"180\"></td>"),
                             QStringLiteral("    <td align=\"center\" valign=\"middle\">") + Font(QStringLiteral("字")) +
                                 QStringLiteral("</td>"),
                             QStringLiteral("    <td></td>"), QStringLiteral("  </tr>"), QStringLiteral("  <tr>"),
                             QStringLiteral("    <td height=\"10\"></td>"), QStringLiteral("    <td></td>"),
                             QStringLiteral("    <td></td>"), QStringLiteral("  </tr>"), QStringLiteral("</table>")}));
    // 2.5 is tested as 2: written as typed (trimmed), the content computed with 2.
    EXPECT_EQ(CreateCutPicHtml(Editor(QStringLiteral("字"), {QStringLiteral(" 2.5 "), QStringLiteral("0"), QStringLiteral("0"),
                                                            QStringLiteral("0")}),
                               fields),
              Grid(QStringLiteral("height=\"2.5\" | height=\"198\" *"), Font(QStringLiteral("字"))));
    // A negative margin matches no layout: the fragment is empty.
    EXPECT_EQ(CreateCutPicHtml(Editor(QStringLiteral("字"), {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("-5"),
                                                            QStringLiteral("0")}),
                               fields),
              QString());

    // What is no 16-bit whole number gives no fragment at all, and the colours stay as they were.
    struct Failing {
        const char* width;
        const char* top;
        const char* left;
    };
    for (const Failing& f : {Failing{"300", "abc", "0"}, Failing{"300", "", "0"}, Failing{"300", "40000", "0"},
                             Failing{"300", "32767.5", "0"}, Failing{"40000", "0", "0"}, Failing{"", "0", "0"},
                             Failing{"32767", "0", "-5"}}) {  // the last: the content width overflows
        SCOPED_TRACE(std::string(f.width) + " / " + f.top + " / " + f.left);
        CellEditorSnapshot e = Editor(QStringLiteral("字"), {QString::fromLatin1(f.top), QStringLiteral("0"),
                                                            QString::fromLatin1(f.left), QStringLiteral("0")});
        e.record[1] = QString::fromLatin1(f.width);
        QStringList plain = Fields(QStringLiteral("FF0000"));
        EXPECT_FALSE(CreateCutPicHtml(e, plain));
        EXPECT_EQ(plain[5], QStringLiteral("FF0000"));
    }
}

TEST(TextLayer, EscapingAndBlankText) {
    QStringList fields = Fields();
    const auto layer = [&](const QString& text) { return CreateCutPicHtml(Editor(text), fields).value_or(QStringLiteral("?")); };
    EXPECT_EQ(layer(QStringLiteral("你好 世界")), Whole(Font(QStringLiteral("你好&nbsp;世界"))));
    EXPECT_EQ(layer(QStringLiteral("<b>x</b>")), Whole(Font(QStringLiteral("&lt;b&gt;x&lt;/b&gt;"))));
    EXPECT_EQ(layer(QStringLiteral("subscription\r\n<Script>")),
              Whole(Font(QStringLiteral("subimgion<br>&lt;img&gt;"))));
    // Blank text: its escaped self, nothing read past it (not even a margin that is no number).
    CellEditorSnapshot blank = Editor(QStringLiteral("   "), {QStringLiteral("x"), QString(), QString(), QString()});
    QStringList untouched = Fields(QStringLiteral("FF0000"));
    EXPECT_EQ(CreateCutPicHtml(blank, untouched), QStringLiteral("&nbsp;&nbsp;&nbsp;"));
    EXPECT_EQ(untouched[5], QStringLiteral("FF0000"));
    EXPECT_EQ(layer(QString()), QString());
}

TEST(TextLayer, DecorationsColoursAndArtText) {
    struct Case {
        const char* name;
        int fontType;
        bool underline, strike;
        int art;
        const char* color;
        const char* back;
        const char* styled;  // the content cell's text
    };
    const Case cases[] = {
        {"all three decorations", 1, true, true, 0, "#000000", "",
         "<font style=\"FONT-FAMILY: 宋体; COLOR: #000000; FONT-SIZE: 12px\"><EM><span style=\"text-decoration: underline;\">"
         "<span style=\"text-decoration: line-through;\">字</span></span></EM></font>"},
        {"bold", 2, false, false, 0, "#000000", "", "<font style=\"FONT-FAMILY: 宋体; COLOR: #000000; FONT-SIZE: 12px\"><STRONG>字</STRONG></font>"},
        {"bold italic, background, colours completed", 3, false, false, 0, "FF0000", "00ff00",
         "<font style=\"BACKGROUND-COLOR: #00ff00; FONT-FAMILY: 宋体; COLOR: #FF0000; FONT-SIZE: 12px\"><STRONG><EM>字</EM></STRONG></font>"},
        {"shadow, default colour", 0, false, false, 1, "#FFFFFF", "",
         "<DIV style=\"FONT-SIZE: 12px; FILTER: shadow(color=#FF0000); WIDTH: 100%; COLOR: #FFFFFF; LINE-HEIGHT: 150%; "
         "FONT-FAMILY: 宋体\">字</DIV>"},
        {"shadow, background colour", 0, false, false, 1, "#FFFFFF", "#123456",
         "<DIV style=\"FONT-SIZE: 12px; FILTER: shadow(color=#123456); WIDTH: 100%; COLOR: #FFFFFF; LINE-HEIGHT: 150%; "
         "FONT-FAMILY: 宋体\">字</DIV>"},
        {"glow, default colour", 0, false, false, 2, "#FFFFFF", "",
         "<SPAN style=\"DISPLAY: inline-block; FILTER: glow(color=#00CCCC,strength=3); COLOR:#FFFFFF; LINE-HEIGHT: 1.3em; "
         "FONT-SIZE: 12px; FONT-FAMILY: 宋体\">字</SPAN>"},
        {"glow, background colour", 0, false, false, 2, "#FFFFFF", "#123456",
         "<SPAN style=\"DISPLAY: inline-block; FILTER: glow(color=#123456,strength=3); COLOR:#FFFFFF; LINE-HEIGHT: 1.3em; "
         "FONT-SIZE: 12px; FONT-FAMILY: 宋体\">字</SPAN>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CellEditorSnapshot e = Editor(QStringLiteral("字"));
        e.panel.fontType = c.fontType;
        e.panel.underline = c.underline;
        e.panel.strikethru = c.strike;
        e.panel.art = c.art;
        QStringList fields = Fields(QString::fromLatin1(c.color), QString::fromLatin1(c.back));
        EXPECT_EQ(CreateCutPicHtml(e, fields), Whole(QString::fromUtf8(c.styled)));
    }
    // The completed colours stay in the fields for the style row.
    QStringList fields = Fields(QStringLiteral("FF0000"), QStringLiteral("00ff00"));
    CreateCutPicHtml(Editor(QStringLiteral("字")), fields);
    EXPECT_EQ(fields[5], QStringLiteral("#FF0000"));
    EXPECT_EQ(fields[6], QStringLiteral("#00ff00"));
}

TEST(TextLayer, Scrolling) {
    const QString font = Font(QStringLiteral("字"));
    const QString stop = QStringLiteral("\" onMouseOut=\"this.start()\" onMouseOver=\"this.stop()\">");
    // Left in a 300 x 200 cell with margins 10, 10, 20, 20: 180 high, 260 wide; no speed chosen.
    CellEditorSnapshot left = Editor(QStringLiteral("字"), {QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("20"),
                                                           QStringLiteral("20")});
    left.panel.scrolling = 1;
    left.panel.speed = -1;
    QStringList fields = Fields();
    const QString marquee = QStringLiteral("<marquee behavior=\"scroll\" direction=\"left\" height=\"180\" width=\"260\" scrollamount=\"1") +
                            stop + QStringLiteral("<table height=\"180\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td") +
                            kCentre + QLatin1Char('>') + font + QStringLiteral("</td></tr></table></marquee>");
    EXPECT_EQ(CreateCutPicHtml(left, fields),
              Grid(QStringLiteral("width=\"20\" height=\"10\", width=\"260\", width=\"20\" | height=\"180\", *, - | height=\"10\", -, -"),
                   marquee));

    struct Case {
        int direction;
        int speed;
        const char* opening;
        const char* inner;  // the block around the styled text
    };
    for (const Case& c : {Case{2, 9, "right\" height=\"200\" width=\"300\" scrollamount=\"10", "table"},
                          Case{3, 14, "up\" height=\"200\" width=\"300\" scrollamount=\"30", "div"},
                          Case{4, 0, "down\" height=\"200\" width=\"300\" scrollamount=\"1", "div"}}) {
        SCOPED_TRACE(c.direction);
        CellEditorSnapshot e = Editor(QStringLiteral("字"));
        e.panel.scrolling = c.direction;
        e.panel.speed = c.speed;
        e.panel.alignH = 2;
        e.panel.alignV = 1;
        const QString A = QStringLiteral(" align=\"right\" valign=\"top\"");
        const QString inner = QByteArray(c.inner) == "div"
                                  ? QStringLiteral("<div") + A + QLatin1Char('>') + font + QStringLiteral("</div>")
                                  : QStringLiteral("<table height=\"200\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td") +
                                        A + QLatin1Char('>') + font + QStringLiteral("</td></tr></table>");
        const QString expected = JoinPageLines(
            {kTableOpen, QStringLiteral("  <tr>"),
             QStringLiteral("    <td width=\"300\" height=\"200\"") + A + QStringLiteral("><marquee behavior=\"scroll\" direction=\"") +
                 QString::fromLatin1(c.opening) + stop + inner + QStringLiteral("</marquee></td>"),
             QStringLiteral("  </tr>"), QStringLiteral("</table>")});
        EXPECT_EQ(CreateCutPicHtml(e, fields), expected);
    }
}
