// The cell editor's logic: the opening's arithmetic and decisions, and the text style row read
// into the text panel and written back.
#include <gtest/gtest.h>

#include "celleditor/celleditor.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "site/sitemodel.h"

namespace {

const QStringList kFonts = {QStringLiteral("黑体"), QStringLiteral("宋体"), QStringLiteral("DejaVu Sans")};

}  // namespace

TEST(CellEditorCanvas, WideCellScrollsAndSmallCellIsCentred) {
    const CanvasLayout wide = LayOutCanvas(900, 100);
    EXPECT_TRUE(wide.hscEnabled);
    EXPECT_EQ(wide.hscMax, 1065);
    EXPECT_EQ(wide.frameWidth, 13500);
    EXPECT_EQ(wide.view.left(), 0);

    const CanvasLayout small = LayOutCanvas(100, 50);
    EXPECT_FALSE(small.hscEnabled);
    EXPECT_FALSE(small.vscEnabled);
    EXPECT_EQ(small.view, QRect((12420 - 1500) / 2, (6960 - 3810 - 750) / 2 + 3810, 1500, 750));

    const CanvasLayout tall = LayOutCanvas(200, 300);  // 4395 + 4500 + 400 > 6960
    EXPECT_TRUE(tall.vscEnabled);
    EXPECT_EQ(tall.frameHeight, 4395 + 4500 + 400);
    EXPECT_EQ(tall.vscMax, 4395 + 4500 + 400 - 6960);
    EXPECT_EQ(tall.view.top(), 4395);
}

TEST(CellEditorCanvas, MarginsMoveGuideLinesInward) {
    const QRect view(100, 200, 1500, 750);
    GuideLines g = EdgeGuideLines(view);
    EXPECT_EQ(g.top, 200);
    EXPECT_EQ(g.bottom, 950);
    PlaceGuideLine(g, view, 0, 2);
    PlaceGuideLine(g, view, 1, 3);
    PlaceGuideLine(g, view, 2, -5);
    PlaceGuideLine(g, view, 3, 1);
    EXPECT_EQ(g.top, 230);
    EXPECT_EQ(g.bottom, 950 - 45);
    EXPECT_EQ(g.left, 100 - 75);
    EXPECT_EQ(g.right, 1600 - 15);

    EXPECT_EQ(MarginValue(QStringLiteral(" 2.5 ")), 2);
    EXPECT_EQ(MarginValue(QStringLiteral("3.5")), 4);
    EXPECT_EQ(MarginValue(QStringLiteral("-5")), -5);
    EXPECT_FALSE(MarginValue(QString()).has_value());
    EXPECT_FALSE(MarginValue(QStringLiteral("5px")).has_value());
    EXPECT_FALSE(MarginValue(QStringLiteral("99999")).has_value());
}

TEST(CellEditorOpening, SizeLabelAndPanelsByCell) {
    EXPECT_EQ(CellSizeLabel(QStringLiteral("28"), QStringLiteral("300"), QStringLiteral("200")),
              QStringLiteral("26区 [区域大小：300×200(像素)]"));
    EXPECT_TRUE(CellSizeLabel(QStringLiteral("31"), QStringLiteral("1"), QStringLiteral("26")).startsWith(QStringLiteral("27区")));
    EXPECT_EQ(CellSizeLabel(QStringLiteral("3"), QStringLiteral("10"), QStringLiteral("20")),
              QStringLiteral("3区 [区域大小：10×20(像素)]"));

    struct Case {
        const char* cell;
        bool music;
        bool bjInfo;
        const char* note;
        int button;
        bool q12;
        bool textInfo;
    };
    const Case cases[] = {
        {"1", false, true, "", 0, false, false},
        {"5", false, true, "", 1, false, false},
        {"9", false, true, "", 2, false, false},
        {"3", true, false, "", -1, false, false},
        {"4", false, false, "", -1, false, false},
        {"4", true, false, "", -1, false, true},
        {"6", false, true, "注：当前区域的背景部分是“留言簿”，因此您不能设置本区域的背景图。", -1, false, false},
        {"12", false, false, "", -1, true, false},
        {"17", false, true, "注：当前区域的背景部分是“首页相册框”，因此您不能设置本区域的背景图。", -1, false, false},
        {"23", false, true, "注：当前区域的背景部分是“博客”，因此您不能设置本区域的背景图。", -1, false, false},
        {"28", false, false, "", -1, false, false},
    };
    for (const Case& c : cases) {
        const CellPanels p = PanelsForCell(QString::fromUtf8(c.cell), c.music);
        EXPECT_EQ(p.backgroundInfo, c.bjInfo) << c.cell;
        EXPECT_EQ(p.backgroundNote, QString::fromUtf8(c.note)) << c.cell;
        EXPECT_EQ(p.uploadButton, c.button) << c.cell;
        EXPECT_EQ(p.foreground12, c.q12) << c.cell;
        EXPECT_EQ(p.textInfo, c.textInfo) << c.cell;
    }
}

TEST(CellEditorOpening, ForegroundFieldsFromTheRecord) {
    struct Case {
        const char* fore;
        const char* code;
        int vertical, horizontal;
        bool flashShown, flashTicked;
    };
    const Case cases[] = {
        {"http://x/a.SWF", "011", 0, 0, true, true},
        {"http://x/a.SWF", "111", 0, 0, true, false},
        {"http://x/a.swf", "11", 0, 0, true, true},
        {"http://x/a.gif", "011", 0, 0, false, true},
        {"http://x/a.gif", "102", 1, 2, false, true},
        {"http://x/a.gif", "1x", 0, -1, false, true},  // not a digit: that list stays as designed
        {"http://x/a.gif", "2", 2, 2, false, true},
    };
    for (const Case& c : cases) {
        const QStringList record = {"3", "200", "100", "", QString::fromUtf8(c.fore), "50", "40", QString::fromUtf8(c.code)};
        const ForegroundFields f = ReadForegroundFields(record);
        EXPECT_EQ(f.width, QStringLiteral("50")) << c.fore << c.code;
        EXPECT_EQ(f.height, QStringLiteral("40"));
        EXPECT_EQ(f.vertical, c.vertical) << c.code;
        EXPECT_EQ(f.horizontal, c.horizontal) << c.code;
        EXPECT_EQ(f.flashShown, c.flashShown) << c.fore;
        EXPECT_EQ(f.flashTicked, c.flashTicked) << c.code;
    }
    // No foreground: the cell's size and centred, whatever the code says.
    const ForegroundFields none = ReadForegroundFields({"3", "200", "100", "", "", "50", "40", "102"});
    EXPECT_EQ(none.width, QStringLiteral("200"));
    EXPECT_EQ(none.height, QStringLiteral("100"));
    EXPECT_EQ(none.vertical, 0);
    EXPECT_EQ(none.horizontal, 0);
    EXPECT_FALSE(none.flashShown);
    EXPECT_TRUE(ForeCodeTransparent(QStringLiteral("11")));
}

TEST(CellEditorOpening, TextTutorialAndHint) {
    EXPECT_EQ(CellTextForEditing(QStringLiteral("一<br>二 &lt;b&gt; <i>")), QStringLiteral("一\r\n二 <b> <i>"));

    EXPECT_EQ(TeachCounterAfterOpening(QString()), QStringLiteral("1"));
    EXPECT_EQ(TeachCounterAfterOpening(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(TeachCounterAfterOpening(QStringLiteral("2")), QStringLiteral("3"));
    EXPECT_FALSE(TeachCounterAfterOpening(QStringLiteral("3")).has_value());
    EXPECT_FALSE(TeachCounterAfterOpening(QStringLiteral("x")).has_value());

    EXPECT_TRUE(ShowsTextHint(false, QStringLiteral("a"), QString()));
    EXPECT_FALSE(ShowsTextHint(false, QString(), QString()));
    EXPECT_FALSE(ShowsTextHint(false, QStringLiteral("a"), QStringLiteral("1")));
    EXPECT_FALSE(ShowsTextHint(true, QStringLiteral("a"), QString()));
}

TEST(CellTextStyle, EmptyRowGivesTheDefaults) {
    TextPanelState p;
    p.font = PreselectedFont(kFonts);
    const QStringList f = ReadCellTextStyle(QString(), kFonts, p);
    ASSERT_EQ(f.size(), 15);
    EXPECT_EQ(p.layer, 0);
    EXPECT_EQ(p.alignH, 0);
    EXPECT_EQ(p.alignV, 0);
    EXPECT_EQ(p.margins, (std::array<QString, 4>{"0", "0", "0", "0"}));
    EXPECT_EQ(p.fontSize, QStringLiteral("12"));
    EXPECT_EQ(p.font, QStringLiteral("宋体"));
    EXPECT_EQ(p.fontColor, QColor(Qt::black));
    EXPECT_EQ(f[5], QStringLiteral("#000000"));
    EXPECT_TRUE(p.noBackColor);
    EXPECT_TRUE(f[6].isEmpty());
    EXPECT_EQ(p.fontType, 0);
    EXPECT_FALSE(p.underline);
    EXPECT_FALSE(p.strikethru);
    EXPECT_EQ(p.art, 0);
    EXPECT_EQ(p.scrolling, 0);
    EXPECT_EQ(p.speed, 0);
    EXPECT_FALSE(SpeedVisible(p.scrolling));
    EXPECT_TRUE(f[13].isEmpty() && f[14].isEmpty());
}

TEST(CellTextStyle, FullRowSetsEveryControl) {
    TextPanelState p;
    p.font = PreselectedFont(kFonts);
    const QStringList f =
        ReadCellTextStyle(QStringLiteral("2,02,5/5/10/10/,16,黑体,#FF0000,,2,1,0,0,1,3,,,,,,"), kFonts, p);
    EXPECT_EQ(p.layer, 1);
    EXPECT_EQ(p.alignH, 1);  // 左对齐
    EXPECT_EQ(p.alignV, 2);  // 底端
    EXPECT_EQ(p.margins, (std::array<QString, 4>{"5", "5", "10", "10"}));
    EXPECT_EQ(p.fontSize, QStringLiteral("16"));
    EXPECT_EQ(p.font, QStringLiteral("黑体"));
    EXPECT_EQ(p.fontColor, QColor(255, 0, 0));
    EXPECT_TRUE(p.noBackColor);
    EXPECT_TRUE(f[6].isEmpty());
    EXPECT_EQ(p.fontType, 2);
    EXPECT_TRUE(p.underline);
    EXPECT_FALSE(p.strikethru);
    EXPECT_EQ(p.scrolling, 1);
    EXPECT_TRUE(SpeedVisible(p.scrolling));
    EXPECT_EQ(p.speed, 3);
}

TEST(CellTextStyle, ShortOddAndOutOfRangeRows) {
    struct Case {
        const char* row;
        std::function<void(const TextPanelState&, const QStringList&)> check;
    };
    const Case cases[] = {
        // Field 12 not ended by a comma reads empty: its default.
        {"1,11,0/0/0/0/,12,宋体,,,0,0,0,0,1,3", [](const TextPanelState& p, const QStringList&) { EXPECT_EQ(p.speed, 0); }},
        {"1,11,0/0/0/0/,12,宋体,,,0,0,0,1,0,0,",
         [](const TextPanelState& p, const QStringList& f) {
             EXPECT_FALSE(p.noBackColor);
             EXPECT_EQ(f[5], QStringLiteral("#FFFFFF"));
             EXPECT_EQ(f[6], QStringLiteral("#FFFFFF"));
         }},
        {"1,11,0//3/3/,12,宋体,,,0,0,0,0,0,0,",
         [](const TextPanelState& p, const QStringList&) {
             EXPECT_EQ(p.margins, (std::array<QString, 4>{"0", "0", "3", "3"}));
         }},
        {"1,2,0/0/0/0/,17,Missing,,#00ff00,0,0,0,0,0,0,",
         [](const TextPanelState& p, const QStringList& f) {
             EXPECT_EQ(p.alignH, 2);
             EXPECT_EQ(p.alignV, 2);
             EXPECT_EQ(p.fontSize, QStringLiteral("17"));
             EXPECT_EQ(p.font, QStringLiteral("宋体"));  // not installed: the pre-selection stays
             EXPECT_FALSE(p.noBackColor);
             EXPECT_EQ(p.backColor, QColor(0, 255, 0));
             EXPECT_EQ(f[6], QStringLiteral("#00FF00"));
         }},
        // Codes out of range or not numbers leave their lists.
        {"9,x1,0/0/0/0/,12,宋体,,,7,0,0,x,9,99,",
         [](const TextPanelState& p, const QStringList&) {
             EXPECT_EQ(p.layer, 0);
             EXPECT_EQ(p.alignH, 0);
             EXPECT_EQ(p.alignV, 0);
             EXPECT_EQ(p.fontType, 0);
             EXPECT_EQ(p.art, 0);
             EXPECT_EQ(p.scrolling, 0);
             EXPECT_EQ(p.speed, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        TextPanelState p;
        p.font = PreselectedFont(kFonts);
        const QStringList f = ReadCellTextStyle(QString::fromUtf8(c.row), kFonts, p);
        c.check(p, f);
    }
}

TEST(CellTextStyle, ReadWriteRoundTrip) {
    struct Case {
        const char* row;
        const char* written;
    };
    const Case cases[] = {
        {"2,02,5/5/10/10/,16,黑体,#FF0000,,2,1,0,0,1,3,,,,,,", "2,02,5/5/10/10/,16,黑体,#FF0000,,2,1,0,0,1,3,,,,,,"},
        {"", "1,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,"},
        {"1,10,1/ 2 /3/4/,20,Missing,,,1,0,1,1,2,0,", "1,10,1/2/3/4/,20,宋体,#FFFFFF,#FFFFFF,1,0,1,1,2,0,,,,,,"},
        {"1,11,0/0/0/0/,12,宋体,#123456,#abcdef,3,1,1,0,4,14,,,,,,",
         "1,11,0/0/0/0/,12,宋体,#123456,#ABCDEF,3,1,1,0,4,14,,,,,,"},
    };
    for (const Case& c : cases) {
        TextPanelState p;
        p.font = PreselectedFont(kFonts);
        const QStringList f = ReadCellTextStyle(QString::fromUtf8(c.row), kFonts, p);
        EXPECT_EQ(WriteCellTextStyle(p, f), QString::fromUtf8(c.written)) << c.row;
    }
}

TEST(CellTextStyle, BackStyleBoxWritesFieldSix) {
    QStringList f(15);
    ApplyBackStyle(false, QColor(0x12, 0xab, 0xef), f);
    EXPECT_EQ(f[6], QStringLiteral("#12ABEF"));
    ApplyBackStyle(true, QColor(0x12, 0xab, 0xef), f);
    EXPECT_TRUE(f[6].isEmpty());
}

TEST(CommaFields, FieldsEndAtTheLastComma) {
    EXPECT_EQ(ReadCommaFields(QStringLiteral("a,,b,c"), 5), QStringList({"a", "", "b", "", ""}));
    EXPECT_EQ(ReadCommaFields(QStringLiteral("a,b,c,d,"), 2), QStringList({"a", "b"}));
    EXPECT_EQ(ReadCommaFields(QString(), 2), QStringList({"", ""}));
}
