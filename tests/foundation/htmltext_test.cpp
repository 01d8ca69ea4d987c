// Text, colour, week and HTML procedures.
#include "foundation/shareddata.h"
#include "foundation/htmltext.h"
#include "platform/ansi.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "support/fixtures.h"

#include <QSet>

using testsupport::DataRootTest;

TEST(FileNameFromPath, TextAfterTheLastSeparator) {
    const struct { const char* path; const char* name; } cases[] = {
        {"C:\\pics\\b.jpg", "b.jpg"},
        {"/home/m/pics/b.jpg", "b.jpg"},
        {"C:\\pics/a\\b.jpg", "b.jpg"},
        {"b.jpg", ""},
        {"C:\\pics\\", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFileNameFromPath(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

TEST(RandomIntRule, UpperBoundFirstInSinglePrecision) {
    const float justBelowOne = 1.0f - 1.0f / 16777216.0f;
    const struct { qint16 hi, lo; float r; qint16 expected; } cases[] = {
        {5, 1, 0.0f, 1}, {5, 1, 0.5f, 3}, {5, 1, justBelowOne, 5},
        // The smaller value first still follows the formula: 9 only on a draw of exactly 0.
        {1, 9, 0.0f, 9}, {1, 9, 0.001f, 8}, {1, 9, justBelowOne, 2},
        {0, 0, 0.7f, 0}, {-3, -7, justBelowOne, -3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RandomIntFromDraw(c.hi, c.lo, c.r), c.expected) << c.hi << "," << c.lo << " r=" << c.r;
}

TEST(RandomIntRule, DrawsStayInRangeAndCoverIt) {
    QSet<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = RandomInt(5, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 5);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 5);
    for (int i = 0; i < 2000; ++i) {
        const int v = RandomInt(1, 9);
        ASSERT_GE(v, 2);
        ASSERT_LE(v, 9);
    }
}

TEST(SqlWords, AnyLetterCase) {
    EXPECT_TRUE(IsFreeOfSqlWords(QStringLiteral("我的相册 2010")));
    EXPECT_TRUE(IsFreeOfSqlWords(QString()));
    for (const char* t : {"delete", "x UpDaTe y", "selected", "INSERT", "net user admin"})
        EXPECT_FALSE(IsFreeOfSqlWords(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(IsFreeOfSqlWords(QStringLiteral("netuser")));
}

TEST(CharClass, ByCodeAndCodePage) {
    const struct { char16_t ch; int cls; } cases[] = {
        {u'a', 0}, {u'Z', 0}, {u'0', 2}, {u'9', 2}, {u'_', 3}, {u' ', 5}, {u'-', 5}, {u'~', 5},
        {u'\r', 5}, {u'\x7f', 4}, {u'中', 1}, {u'，', 1}, {u'é', 1},
        {u'\u0E01', 4},  // Thai: not in the code page
    };
    for (const auto& c : cases) EXPECT_EQ(GetCharClass(QString(QChar(c.ch))), c.cls) << int(c.ch);
    EXPECT_EQ(GetCharClass(QStringLiteral("a_")), 0);  // the first character decides
    EXPECT_THROW(GetCharClass(QString()), VbError);
}

TEST(TextBetween, LastMarkersDecide) {
    const struct { const char* text; const char* start; const char* end; const char* out; } cases[] = {
        {"ab{{{one}}}cd{{{two}}}ef", "{{{", "}}}", "two"},
        {"x{{{y", "{{{", "}}}", ""},
        {"}}}x{{{", "{{{", "}}}", ""},
        {"{{{}}}", "{{{", "}}}", ""},
        {"{{{a}}}b}}}", "{{{", "}}}", "a}}}b"},
        {"[[[]]]", "{{{", "}}}", ""},
        {"", "{{{", "}}}", ""},
        // The end marker starting inside the start marker does not count.
        {"abab", "aba", "ba", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTextBetween(QString::fromUtf8(c.text), QString::fromUtf8(c.start), QString::fromUtf8(c.end)),
                  QString::fromUtf8(c.out))
            << c.text;
}

TEST(TextBetween, NoCaseStartAndTrimmedResult) {
    EXPECT_EQ(GetTextBetweenNoCase(QStringLiteral("<IFRAME SRC= http://h/a?b width=3"), QStringLiteral("src="),
                                   QStringLiteral(" width")),
              QStringLiteral("http://h/a?b"));
    EXPECT_EQ(GetTextBetweenNoCase(QStringLiteral("a END src=x"), QStringLiteral("src="), QStringLiteral("END")),
              QString());
    EXPECT_EQ(GetTextBetweenNoCase(QStringLiteral("x=1 y"), QStringLiteral("src="), QStringLiteral(" ")), QString());
    // The end marker counts letter case.
    EXPECT_EQ(GetTextBetweenNoCase(QStringLiteral("src=a END"), QStringLiteral("src="), QStringLiteral("end")),
              QString());
}

TEST(TextBefore, FirstMarker) {
    EXPECT_EQ(GetTextBefore(QStringLiteral("a.b.c"), QStringLiteral(".")), QStringLiteral("a"));
    EXPECT_EQ(GetTextBefore(QStringLiteral("abc"), QStringLiteral(".")), QString());
    EXPECT_EQ(GetTextBefore(QString(), QStringLiteral(".")), QString());
    EXPECT_EQ(GetTextBefore(QStringLiteral(".abc"), QStringLiteral(".")), QString());
}

TEST(NumericAttribute, ChangesBothArguments) {
    QString text = QStringLiteral("<iframe Width = \"350\" height=210>");
    QString name = QStringLiteral("width =");
    EXPECT_EQ(GetNumericAttribute(text, name), QStringLiteral("350"));
    EXPECT_EQ(text, QStringLiteral("<IFRAMEWIDTH=350HEIGHT=210>"));
    EXPECT_EQ(name, QStringLiteral("WIDTH="));
    QString missing = QStringLiteral("BORDER");
    EXPECT_EQ(GetNumericAttribute(text, missing), QString());
    QString noDigits = QStringLiteral("x width=abc");
    QString w = QStringLiteral("width=");
    EXPECT_EQ(GetNumericAttribute(noDigits, w), QString());
}

TEST(SortByFirstCharTest, DescendingStableWithEmptyTail) {
    EXPECT_EQ(SortByFirstChar({QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c")}),
              QStringList({QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("a"), QString()}));
    EXPECT_EQ(SortByFirstChar({QStringLiteral("ab"), QStringLiteral("c"), QStringLiteral("aa"), QString(),
                               QStringLiteral("宋体")}),
              QStringList({QStringLiteral("宋体"), QStringLiteral("c"), QStringLiteral("ab"), QStringLiteral("aa"),
                           QString(), QString()}));
    EXPECT_EQ(SortByFirstChar({}), QStringList({QString()}));
}

TEST(Colors, HtmlTextOfAValue) {
    const struct { qint32 value; const char* html; } cases[] = {
        {0xFF, "#FF0000"}, {0xFF0000, "#0000FF"}, {0, "#000000"}, {0x00FF00, "#00FF00"},
        {0x123456, "#563412"}, {0xFFFFFF, "#FFFFFF"}, {0x5, "#050000"},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorToHtml(c.value), QString::fromUtf8(c.html)) << c.value;
}

TEST(Colors, ValueOfHtmlTextRemovesTheHash) {
    const struct { const char* text; qint32 value; const char* after; } cases[] = {
        {"#FF0000", 0xFF, "FF0000"},
        {"FFF", 0xFF0F00, "FFF"},  // read as 000FFF: green 15, blue 255
        {"#7f7f7f", 0x7F7F7F, "7f7f7f"},
        {"#aBcDeF", 0xEFCDAB, "aBcDeF"},
        {"", 0, ""},
        {"##12#3456", 0x563412, "123456"},
        {"#1234567", 0x674523, "1234567"},  // the last six characters count
        {"#GG0000", 0xFF, "GG0000"},        // 16*16+16 caps at 255
        {"#  0000", 0, "  0000"},           // below a digit: held at 0, not borrowed from another channel
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(HtmlToColor(text), c.value) << c.text;
        EXPECT_EQ(text, QString::fromUtf8(c.after)) << c.text;
    }
}

TEST(Colors, RoundTrip) {
    for (qint32 v : {0, 0xFF, 0xFF00, 0xFF0000, 0x102030, 0xABCDEF, 0xFFFFFF, 0x7F7F7F}) {
        EXPECT_EQ(HtmlToColor(ColorToHtml(v)), v) << v;
        QString lower = ColorToHtml(v).toLower();
        EXPECT_EQ(HtmlToColor(lower), v) << v;
    }
}

TEST(ActiveTags, EveryWordInAnyCaseBecomesImg) {
    const struct { const char* in; const char* out; } cases[] = {
        {"<Script>alert(1)</script>", "<img>alert(1)</img>"},
        {"<EmBeD src=a.swf><embed src=b.swf><EMBED>", "<img src=a.swf><img src=b.swf><img>"},
        {"function f(){}", "img f(){}"},
        {"<iframe src=x></IFRAME>", "<img src=x></img>"},
        {"<OBJECT>myobjects", "<img>myimgs"},
        {"普通的文字 <b>粗体</b>", "普通的文字 <b>粗体</b>"},
        {"", ""},
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.in);
        EXPECT_EQ(DisableActiveTags(text), QString::fromUtf8(c.out)) << c.in;
        EXPECT_EQ(text, QString::fromUtf8(c.out)) << c.in;
    }
}

class FramesAndLinks : public DataRootTest {};

TEST_F(FramesAndLinks, FrameBecomesPlaceholderPicture) {
    const QString photoHost = serviceconfig::current().hostName(ServiceHost::PhotoList);
    auto placeholder = [&](const QString& query, const QString& h, const QString& w) {
        return QStringLiteral("<IMG title={!--EFFECT;TYPE{100};DATA{") + query + QStringLiteral("}/--} height=") + h
            + QStringLiteral(" alt=框架（在编辑状态下不可视，在预览状态或上传到Orbel服务器后才能看见） src=\"http://")
            + photoHost + QStringLiteral("/images/slide_effect_350_210.gif\" width=") + w + QStringLiteral("/");
    };
    QString html = QStringLiteral(
        "<p>前</p><IFRAME src=\"http://Frm.Host/Slide.aspx?ID=AB&k=2\" width=\"350\" height=\"210\" "
        "frameborder=0></iframe><p>后</p>");
    const QString expected = QStringLiteral("<p>前</p>") + placeholder(QStringLiteral("ID=AB&k=2"), "210", "350")
        + QStringLiteral("><p>后</p>");
    EXPECT_EQ(IframesToEffectImages(html), expected);
    EXPECT_EQ(html, expected);

    // Two frames, the second without an end tag; a source without a query gives empty data.
    QString two = QStringLiteral("<iframe src=http://a/x?q=1 width=10 height=20></iframe>|"
                                 "<iframe src=http://a/y width=30 height=40>");
    EXPECT_EQ(IframesToEffectImages(two), placeholder("q=1", "20", "10") + QStringLiteral(">|")
                                              + placeholder("", "40", "30"));

    QString none = QStringLiteral("<iframe>no blank after the tag name</iframe>");
    EXPECT_EQ(IframesToEffectImages(none), QStringLiteral("<iframe>no blank after the tag name</iframe>"));
}

TEST_F(FramesAndLinks, OnlyTheFirstLinkTargetFormFoundIsRestored) {
    const QString m = QStringLiteral("[{*") + serviceconfig::current().domain + QStringLiteral("*}]");
    const QString base = m + QStringLiteral(" target=") + m + QStringLiteral("_blank");
    const QString form1 = QStringLiteral("<a href=\"x\"") + base + QStringLiteral("\">");
    const QString form2 = QStringLiteral("<a href='y'") + base + QStringLiteral("'>");
    const QString form3 = QStringLiteral("<a href=z") + base + QStringLiteral(">");
    EXPECT_EQ(RestoreLinkTargets(form1 + form3 + form1),
              QStringLiteral("<a href=\"x\"\" target=\"_blank\">") + form3
                  + QStringLiteral("<a href=\"x\"\" target=\"_blank\">"));
    EXPECT_EQ(RestoreLinkTargets(form2 + form3),
              QStringLiteral("<a href='y'' target='_blank'>") + form3);
    EXPECT_EQ(RestoreLinkTargets(form3), QStringLiteral("<a href=z target=_blank>"));
    EXPECT_EQ(RestoreLinkTargets(QStringLiteral("<a target=_blank>")), QStringLiteral("<a target=_blank>"));
}

TEST(SqlEscapes, UndoneInOrder) {
    EXPECT_EQ(UnescapeSqlWords(QStringLiteral(
                  "a[__]b [_insert_][_delete_][_INSERT_][_DELETE_] [_net user_] [_NET USER_] [_from_][_FROM_] [_x_]")),
              QStringLiteral("a--b insertdeleteINSERTDELETE net user NET USER fromFROM [_x_]"));
}

// Each form escapes what it names and takes back exactly that; "&" goes first on the way in and
// last on the way out, "<br>" first on the way out, so typed entities and tags stay text.
TEST(HtmlTextForms, EscapeAndUnescape) {
    const QString typed = QStringLiteral("R&D <b>a  b</b>\r\nx\ny &lt;br&gt;");
    const struct {
        const char* name;
        HtmlTextForm form;
        const char* escaped;
    } cases[] = {
        {"brackets", {}, "R&D &lt;b&gt;a  b&lt;/b&gt;\r\nx\ny &lt;br&gt;"},
        {"blanks", {.blanks = true}, "R&D&nbsp;&lt;b&gt;a&nbsp;&nbsp;b&lt;/b&gt;\r\nx\ny&nbsp;&lt;br&gt;"},
        {"line breaks", {.lineBreaks = true}, "R&D &lt;b&gt;a  b&lt;/b&gt;<br>x<br>y &lt;br&gt;"},
        {"all", {.ampersands = true, .blanks = true, .lineBreaks = true},
         "R&amp;D&nbsp;&lt;b&gt;a&nbsp;&nbsp;b&lt;/b&gt;<br>x<br>y&nbsp;&amp;lt;br&amp;gt;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString escaped = EscapeHtmlText(typed, c.form);
        EXPECT_EQ(escaped, QString::fromUtf8(c.escaped));
        // Back as typed, but for the lone LF that came back as CRLF; without "&" escaped, the typed
        // entity is read back as the character.
        QString back = typed;
        if (c.form.lineBreaks) back.replace(QStringLiteral("\ny"), QStringLiteral("\r\ny"));
        if (!c.form.ampersands) back.replace(QStringLiteral("&lt;br&gt;"), QStringLiteral("<br>"));
        EXPECT_EQ(UnescapeHtmlText(escaped, c.form), back);
    }
    // A stored "&lt;br&gt;" is text, not a line break.
    EXPECT_EQ(UnescapeHtmlText(QStringLiteral("a<br>&lt;br&gt;"), {.lineBreaks = true}), QStringLiteral("a\r\n<br>"));
}

TEST(Weeks, MondayStartedWeeksFromTheFirstOfJanuary) {
    const struct { int y, m, d, week; const char* folder; } cases[] = {
        {2010, 1, 1, 1, "101"},    // a Friday
        {2010, 1, 3, 1, "101"},    // a Sunday
        {2010, 1, 4, 2, "102"},    // a Monday
        {2012, 12, 31, 54, "1254"},
        {2012, 1, 1, 1, "121"},    // a Sunday: week 1 is that single day
        {2012, 1, 2, 2, "122"},
        {2007, 1, 1, 1, "071"},    // a Monday
        {2007, 12, 31, 53, "0753"},
        {2009, 12, 31, 53, "0953"},
        {2010, 12, 31, 53, "1053"},
        {2000, 3, 1, 10, "0010"},
    };
    for (const auto& c : cases) {
        const QDate d(c.y, c.m, c.d);
        EXPECT_EQ(WeekOfYear(d), c.week) << d.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(WeeklyFolderName(d), QString::fromUtf8(c.folder)) << d.toString(Qt::ISODate).toStdString();
    }
}

class BlankPage : public DataRootTest {};

TEST_F(BlankPage, ReplacesAnExistingPage) {
    QDir().mkpath(root() + QStringLiteral("/data"));
    const QString path = root() + QStringLiteral("/data/Temp.html");
    testsupport::writeFile(path, "old content that is longer than the blank page, old content");
    EXPECT_EQ(WriteBlankPage(), path);
    EXPECT_TRUE(testsupport::sameBytes("<html>\r<head>\r<title></title>\r</head>\r<body>\r</body>\r</html>",
                                       testsupport::readFile(path)));
}

TEST_F(BlankPage, PathReturnedWhenTheDataFolderIsMissing) {
    EXPECT_EQ(WriteBlankPage(), root() + QStringLiteral("/data/Temp.html"));
}

TEST(ResourceUrl, EmptyWhateverTheName) {
    frmDB::Unload();
    EXPECT_EQ(ResolveResourceUrl(QStringLiteral("133")), QString());
    EXPECT_EQ(ResolveResourceUrl(QString()), QString());
}

TEST(QueryValues, OnlyPercentAmpersandHashAndSpaceAreEncoded) {
    const struct { const char* value; const char* query; } cases[] = {
        {"", ""},
        {"www12", "www12"},
        {"旅行", "旅行"},                             // Chinese keeps its characters (GBK in the page)
        {"a b+c=d?e/'\"<>", "a%20b+c=d?e/'\"<>"},     // nothing else changes
        {"旅行&美食", "旅行%26美食"},
        {"第#1", "第%231"},
        {"50%", "50%25"},
        {"a%26b", "a%2526b"},                          // an escape already there stays text
        {"&&##%%", "%26%26%23%23%25%25"},
        {"%23&#", "%2523%26%23"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeQueryValue(QString::fromUtf8(c.value)), QString::fromUtf8(c.query)) << c.value;
}
