// The preface letter: the eight boxes' overflow and cursor rules, the stored letter both ways,
// the fragment with its three effects and the preview page, byte for byte.
#include <gtest/gtest.h>

#include "platform/ansi.h"
#include "siteoptions/prefaceletter.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/fixtures.h"

#include <QtCore/qnamespace.h>

using testsupport::readFile;
using testsupport::sameBytes;

namespace {

QStringList EmptyLines() { return QStringList(kLetterLines, QString()); }

QByteArray Golden(const QString& name) {
    return readFile(testsupport::testDataPath(QStringLiteral("siteoptions/golden/") + name));
}

const QString kAsciiLine = QString(36, QLatin1Char('a'));
const QString kChineseLine = QString(18, QChar(0x4E2D));  // 中 ×18: 36 bytes

}  // namespace

TEST(PrefaceLetter, TypingIntoAFullLineMovesItsLastCharacterDown) {
    QStringList lines = EmptyLines();
    lines[0] = QStringLiteral("x") + kChineseLine.left(17) + QStringLiteral("尾");  // typed x at the front
    lines[1] = QStringLiteral("next");
    const LetterFlow flow = FlowLetterLines(lines, 0);
    EXPECT_EQ(flow.lines[0], QStringLiteral("x") + kChineseLine.left(17));  // 35 bytes: 尾 no longer fits
    EXPECT_EQ(flow.lines[1], QStringLiteral("尾next"));
    EXPECT_EQ(flow.focusLine, 1);
    for (int i = 2; i < kLetterLines; ++i) EXPECT_TRUE(flow.lines[i].isEmpty());
}

TEST(PrefaceLetter, OverflowFlowsDownInOrderAndLineSevenIsCapped) {
    QString eighty;
    for (int i = 0; i < 80; ++i) eighty.append(QChar(u'0' + i % 10));
    const struct {
        const char* name;
        int changed;
        QStringList before;
        QStringList after;
        std::optional<int> focus;
    } cases[] = {
        {"80-character paste into line 0", 0,
         {eighty, QString(), QStringLiteral("old"), {}, {}, {}, {}, {}},
         {eighty.left(36), eighty.mid(36, 36), eighty.mid(72) + QStringLiteral("old"), {}, {}, {}, {}, {}}, 1},
        {"a line that fits changes nothing", 2,
         {{}, {}, kAsciiLine, QStringLiteral("x"), {}, {}, {}, {}},
         {{}, {}, kAsciiLine, QStringLiteral("x"), {}, {}, {}, {}}, std::nullopt},
        {"line 7 drops what does not fit", 7,
         {{}, {}, {}, {}, {}, {}, {}, kAsciiLine + QStringLiteral("tail")},
         {{}, {}, {}, {}, {}, {}, {}, kAsciiLine}, std::nullopt},
        {"overflow through full lines reaches line 7 and stops there", 5,
         {{}, {}, {}, {}, {}, QStringLiteral("AB") + kAsciiLine, kAsciiLine, kAsciiLine},
         {{}, {}, {}, {}, {}, QStringLiteral("AB") + kAsciiLine.left(34), kAsciiLine.left(2) + kAsciiLine.left(34),
          kAsciiLine.left(2) + kAsciiLine.left(34)}, 6},
        {"a Chinese character never splits across lines", 0,
         {QStringLiteral("a") + kChineseLine, {}, {}, {}, {}, {}, {}, {}},
         {QStringLiteral("a") + kChineseLine.left(17), kChineseLine.left(1), {}, {}, {}, {}, {}, {}}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LetterFlow flow = FlowLetterLines(c.before, c.changed);
        EXPECT_EQ(flow.lines, c.after);
        EXPECT_EQ(flow.focusLine, c.focus);
        for (const QString& line : flow.lines) EXPECT_LE(AnsiCodec::byteLength(line), kLetterLineBytes);
    }
}

TEST(PrefaceLetter, CursorKeysMoveBetweenLines) {
    const QList<int> lengths = {5, 3, 10, 0, 4, 4, 4, 4};
    const struct {
        int line, key, position;
        std::optional<LetterCaret> to;
    } cases[] = {
        {1, Qt::Key_Backspace, 0, LetterCaret{0, 5}},
        {1, Qt::Key_Backspace, 2, std::nullopt},
        {0, Qt::Key_Backspace, 0, std::nullopt},
        {2, Qt::Key_Left, 0, LetterCaret{1, 3}},
        {2, Qt::Key_Left, 1, std::nullopt},
        {0, Qt::Key_Return, 2, LetterCaret{1, 3}},
        {6, Qt::Key_Enter, 0, LetterCaret{7, 4}},
        {7, Qt::Key_Return, 0, std::nullopt},
        {2, Qt::Key_Up, 8, LetterCaret{1, 3}},  // past the end of a shorter line: its end
        {1, Qt::Key_Up, 2, LetterCaret{0, 2}},
        {0, Qt::Key_Up, 2, std::nullopt},
        {0, Qt::Key_Right, 5, LetterCaret{1, 0}},
        {0, Qt::Key_Right, 4, std::nullopt},
        {7, Qt::Key_Right, 4, std::nullopt},
        {2, Qt::Key_Down, 7, LetterCaret{3, 0}},
        {1, Qt::Key_Down, 2, LetterCaret{2, 2}},
        {7, Qt::Key_Down, 1, std::nullopt},
        {3, Qt::Key_A, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("line %1 key %2 at %3").arg(c.line).arg(c.key, 0, 16).arg(c.position).toStdString());
        const auto to = LetterCursorMove(c.line, c.key, c.position, lengths);
        ASSERT_EQ(to.has_value(), c.to.has_value());
        if (to) {
            EXPECT_EQ(to->line, c.to->line);
            EXPECT_EQ(to->position, c.to->position);
        }
    }
}

TEST(PrefaceLetter, StoredLetterBothWays) {
    QStringList lines = EmptyLines();
    EXPECT_EQ(LetterCellText(lines), QStringLiteral("<br><br><br><br><br><br><br>"));

    lines[0] = QStringLiteral("亲爱的 访客 ");
    lines[2] = QStringLiteral("<b>粗</b> & &lt;");
    const QString stored = LetterCellText(lines);
    EXPECT_EQ(stored, QStringLiteral("亲爱的&nbsp;访客&nbsp;<br><br>&lt;b&gt;粗&lt;/b&gt;&nbsp;&&nbsp;&lt;<br><br><br><br><br>"));

    QStringList back(kLetterLines, QStringLiteral("old"));
    LoadLetterLines(stored, back);
    QStringList expected = lines;
    expected[2] = QStringLiteral("<b>粗</b> & <");  // a typed "&lt;" is stored as typed and comes back as "<"
    EXPECT_EQ(back, expected);

    // Old font-size tags go; more than eight segments load the first eight; lines after the last
    // segment keep their text.
    QStringList kept(kLetterLines, QStringLiteral("keep"));
    LoadLetterLines(QStringLiteral("<font size=\"3\">一</font><br>二"), kept);
    EXPECT_EQ(kept, (QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("keep"),
                                 QStringLiteral("keep"), QStringLiteral("keep"), QStringLiteral("keep"),
                                 QStringLiteral("keep"), QStringLiteral("keep")}));
    QString many;
    for (int i = 0; i < 5000; ++i) many += QString::number(i) + QStringLiteral("<br>");
    QStringList first = EmptyLines();
    LoadLetterLines(many, first);
    EXPECT_EQ(first, (QStringList{"0", "1", "2", "3", "4", "5", "6", "7"}));
}

TEST(PrefaceLetter, FragmentsPinnedByteForByte) {
    QStringList lines = EmptyLines();
    lines[0] = QStringLiteral("欢迎光临 我的网站");
    lines[1] = QStringLiteral("second line");
    const QString letter = LetterCellText(lines);
    const struct {
        const char* golden;
        LetterStyle style;
        const char* font;  // as the style holds it afterwards
        const char* back;
    } cases[] = {
        {"preface_plain.html", {"#000000", "", 0}, "#000000", ""},
        {"preface_plain_back.html", {"FFFF00", "00FF00", 0}, "#FFFF00", "#00FF00"},
        {"preface_shadow.html", {"#FFFFFF", "", 1}, "#FFFFFF", ""},
        {"preface_shadow_back.html", {"#FFFFFF", "#0000FF", 1}, "#FFFFFF", "#0000FF"},
        {"preface_glow.html", {"FFFFFF", "", 2}, "#FFFFFF", ""},
        {"preface_glow_back.html", {"#FFFFFF", "FF0000", 2}, "#FFFFFF", "#FF0000"},
        {"preface_plain.html", {"#000000", "", -1}, "#000000", ""},  // nothing selected: plain
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.golden);
        const QString fragment = CreateLetterHtml(QStringLiteral("340"), letter, c.style);
        EXPECT_TRUE(sameBytes(Golden(QString::fromLatin1(c.golden)), AnsiCodec::encode(fragment)));
        EXPECT_EQ(c.style.fontColor, QString::fromLatin1(c.font));
        EXPECT_EQ(c.style.backColor, QString::fromLatin1(c.back));
    }
    // A blank letter is its own fragment, colours untouched.
    LetterStyle style{"FFFFFF", "", 2};
    EXPECT_EQ(CreateLetterHtml(QStringLiteral("340"), QStringLiteral("  "), style), QStringLiteral("  "));
    EXPECT_EQ(style.fontColor, QStringLiteral("FFFFFF"));
    // Eight empty lines still make the table.
    EXPECT_TRUE(CreateLetterHtml(QStringLiteral("340"), LetterCellText(EmptyLines()), style).startsWith(
        QStringLiteral("<table width=\"340\"")));
}

#ifdef TAVOLIN_HAVE_EMULATOR
#include "support/publishfixture.h"

namespace {
class PrefacePreview : public testsupport::PublishTest {};
}  // namespace

TEST_F(PrefacePreview, PreviewPagePinnedByteForByteAndStoresTheLetter) {
    openEditor(10);
    CellRecord[3] = QStringLiteral("http://img.example/grb10.jpg");
    QStringList lines = EmptyLines();
    lines[0] = QStringLiteral("给访客的信");
    lines[7] = QStringLiteral("末行");
    LetterStyle style{"FFFFFF", "", 2};
    int refreshed = 0;
    RefreshLetterPreview(lines, style, [&] { ++refreshed; });
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(CellRecord[9], LetterCellText(lines));
    EXPECT_EQ(style.fontColor, QStringLiteral("#FFFFFF"));
    EXPECT_TRUE(sameBytes(Golden(QStringLiteral("preface_preview.html")),
                          readFile(UserFolder + QStringLiteral("/temp/setpic.html"))));
}
#endif
