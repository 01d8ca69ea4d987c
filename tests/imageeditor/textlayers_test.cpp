// The image editor's text layers and the merge without the window: the two text watermarks and
// their panel, the caption with its millimetre rules, and merging every visible layer.
#include <gtest/gtest.h>

#include "editorfixture.h"
#include "platform/syscolors.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QImageReader>
#include <QPainter>

using namespace testsupport;

namespace {

// The designed start: a 600 × 450 pixel frame of 9000 × 6750 twips centred on the canvas.
constexpr double kCutLeft = (10710 - 9000) / 2.0;
constexpr double kCutTop = (11190 - 6750) / 2.0;

class TextLayers : public Editor {
protected:
    CanvasLabel& mark(int i) { return e.layers.canvas.labWaterMark[size_t(i)]; }
    // A picture of one colour larger than the frame, opened.
    void openPictureOf(QColor c) { open(picture(QStringLiteral("p.png"), 800, 600, c)); }
    // The centre of a label in pixels of the frame region.
    QPoint inRegion(const QPointF& twips) const {
        return QPoint(int((twips.x() - e.layers.canvas.shaCut.left()) / 15), int((twips.y() - e.layers.canvas.shaCut.top()) / 15));
    }
    static bool near(QRgb a, QColor b, int tolerance = 24) {
        return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance &&
               std::abs(qBlue(a) - b.blue()) <= tolerance;
    }
};

TEST_F(TextLayers, TheInitialLooksAreRestoredAtEveryLoad) {
    for (int load = 0; load < 2; ++load) {
        SCOPED_TRACE(load);
        start();
        EXPECT_EQ(mark(0).label.font.family(), QStringLiteral("华文彩云"));
        EXPECT_EQ(mark(0).fontPoints, 15.75);
        EXPECT_EQ(mark(0).label.font.pixelSize(), 21);
        EXPECT_EQ(mark(0).label.foreColor, QColor(255, 255, 128));
        EXPECT_EQ(mark(0).label.backColor, OleColorToQColor(0x80000005));
        EXPECT_EQ(mark(1).label.font.family(), QStringLiteral("Arial Black"));
        EXPECT_EQ(mark(1).label.font.weight(), QFont::Black);
        EXPECT_EQ(mark(1).label.foreColor, QColor(Qt::white));
        EXPECT_EQ(mark(1).label.backColor, QColor(188, 252, 101));
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(mark(i).label.transparent);
            EXPECT_EQ(mark(i).label.frame, OverlayFrame::None);
            EXPECT_TRUE(mark(i).autoSize);
            EXPECT_TRUE(mark(i).sizeAllPointer);
            EXPECT_FALSE(mark(i).visible);
        }
        EXPECT_EQ(mark(2).label.font.family(), QStringLiteral("宋体"));
        EXPECT_EQ(mark(2).label.font.pixelSize(), 12);
        EXPECT_EQ(mark(2).label.foreColor, OleColorToQColor(0x80000008));
        EXPECT_FALSE(mark(2).label.transparent);
        EXPECT_EQ(mark(2).label.frame, OverlayFrame::Single);
        EXPECT_FALSE(mark(2).autoSize);
        EXPECT_FALSE(mark(2).sizeAllPointer);
        EXPECT_EQ(e.text.labTemp, QStringLiteral("Temp"));
        // What the first load changes, the second starts without.
        e.txtWaterMark_Change(0, QStringLiteral("水印"));
        e.cobFontType_Click(0, QStringLiteral("粗体"));
        e.cheBorder_Click(2, false);
        prompts.answerColor(Qt::red);
        e.cmdSetFontColor_Click(1);
    }
    // At 12 twips to the pixel the same points take more pixels.
    start(12);
    EXPECT_EQ(mark(0).label.font.pixelSize(), 26);
    EXPECT_EQ(mark(1).label.font.pixelSize(), 20);
}

TEST_F(TextLayers, OpeningThePanelPlacesTheEmptyWatermarksAndKeepsATypedOne) {
    start();
    ASSERT_EQ(e.layers.canvas.shaCut, QRectF(kCutLeft, kCutTop, 9000, 6750));
    e.imgAddWaterMark_Click();
    EXPECT_TRUE(e.text.picSetWaterMarkVisible);
    EXPECT_EQ(e.text.labTemp, QStringLiteral("1"));
    EXPECT_EQ(focus, QStringList{QStringLiteral("txtWaterMark(0)")});
    const QPointF first(kCutLeft + 9000 / 4.0, kCutTop + 6750 / 2.0);
    EXPECT_EQ(mark(0).topLeft, first);
    EXPECT_EQ(mark(1).topLeft, QPointF(kCutLeft + 9000 / 5.0, first.y() + mark(0).size(15).height() + 60));
    EXPECT_GT(mark(0).size(15).height(), 0);
    EXPECT_FALSE(mark(0).visible);
    EXPECT_FALSE(mark(1).visible);
    // The second lies on top of the first.
    EXPECT_EQ(e.layers.canvas.stack[4], CanvasLayer::Mark0);
    EXPECT_EQ(e.layers.canvas.stack[5], CanvasLayer::Mark1);
    // The rows show their labels' looks.
    EXPECT_EQ(e.text.controls[0].cobFont, QStringLiteral("华文彩云"));
    EXPECT_EQ(e.text.controls[0].cobFontSize, QStringLiteral("15.75"));
    EXPECT_EQ(e.text.controls[0].cobFontType, QStringLiteral("常规"));
    EXPECT_EQ(e.text.controls[1].cobFont, QStringLiteral("Arial Black"));
    EXPECT_EQ(e.text.controls[1].cobFontSize, QStringLiteral("12"));
    EXPECT_EQ(e.text.controls[1].cobFontType, QStringLiteral("粗体"));
    EXPECT_TRUE(e.text.controls[1].cheBackStyle);

    // A typed watermark is dragged away; the tool closes the panel, which keeps labTemp.
    e.txtWaterMark_Change(0, QStringLiteral("我的水印"));
    EXPECT_TRUE(mark(0).visible);
    e.labWaterMark_MouseDown(0);
    e.labWaterMark_MouseMove(0, 5000, 100);
    e.labWaterMark_MouseUp(0);
    const QPointF dragged = mark(0).topLeft;
    e.cobFontSize_Click(0, QStringLiteral("20"));
    e.imgAddWaterMark_Click();
    EXPECT_FALSE(e.text.picSetWaterMarkVisible);
    EXPECT_EQ(e.text.labTemp, QStringLiteral("1"));
    e.imgAddWaterMark_Click();
    EXPECT_EQ(mark(0).topLeft, dragged);
    EXPECT_EQ(e.text.controls[0].cobFontSize, QStringLiteral("20"));
    // The empty second one goes under the first's new place.
    EXPECT_EQ(mark(1).topLeft.y(), float(dragged.y()) + float(mark(0).size(15).height()) + 60);

    // Spaces only: hidden, with an empty caption.
    e.txtWaterMark_Change(1, QStringLiteral("   "));
    EXPECT_FALSE(mark(1).visible);
    EXPECT_TRUE(mark(1).label.text.isEmpty());
    e.txtWaterMark_Change(1, QStringLiteral("  二 "));
    EXPECT_TRUE(mark(1).visible);
    EXPECT_EQ(mark(1).label.text, QStringLiteral("二"));

    e.cmdCloseWaterMark_Click();
    EXPECT_FALSE(e.text.picSetWaterMarkVisible);
    EXPECT_EQ(e.text.labTemp, QStringLiteral("0"));
    EXPECT_TRUE(mark(0).visible);
}

TEST_F(TextLayers, ClearingHidesTheWatermarkAtTheOffsetPointWithItsStyle) {
    start();
    e.imgAddWaterMark_Click();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        e.txtWaterMark_Change(i, QStringLiteral("水印"));
        e.cobFontType_Click(i, QStringLiteral("粗斜体"));
        e.cmdClearText_Click(i);
        EXPECT_TRUE(e.text.controls[size_t(i)].txtWaterMark.isEmpty());
        EXPECT_FALSE(mark(i).visible);
        EXPECT_EQ(mark(i).topLeft, QPointF(kCutLeft + 2250 + 100, kCutTop + 3375 + 100));
        EXPECT_TRUE(mark(i).label.font.bold());
        EXPECT_TRUE(mark(i).label.font.italic());
    }
}

TEST_F(TextLayers, FontChoicesApplyAndTheCaptionsBoxFollowsItsFont) {
    start();
    struct Case {
        const char* style;
        bool bold, italic;
    };
    // Each style sets both attributes: italic after bold is not bold; an unknown name changes nothing.
    for (const Case& c : {Case{"粗体", true, false}, Case{"斜体", false, true}, Case{" 粗斜体 ", true, true},
                          Case{"粗", true, true}, Case{"常规", false, false}}) {
        e.cobFontType_Click(0, QString::fromUtf8(c.style));
        EXPECT_EQ(mark(0).label.font.bold(), c.bold) << c.style;
        EXPECT_EQ(mark(0).label.font.italic(), c.italic) << c.style;
    }
    e.cobFontSize_Click(0, QStringLiteral(" 20 "));
    EXPECT_EQ(mark(0).fontPoints, 20);
    EXPECT_EQ(mark(0).label.font.pixelSize(), 27);
    for (const char* bad : {"abc", "0", "-4", ""}) {
        e.cobFontSize_Click(0, QString::fromUtf8(bad));
        EXPECT_EQ(mark(0).fontPoints, 20) << bad;
    }
    e.cobFont_Click(1, QStringLiteral(" 黑体 "));
    EXPECT_EQ(mark(1).label.font.family(), QStringLiteral("黑体"));

    // Index 2 changes the caption and the box the member types it in; colours the caption only.
    e.cobFont_Click(2, QStringLiteral("黑体"));
    e.cobFontSize_Click(2, QStringLiteral("12"));
    e.cobFontType_Click(2, QStringLiteral("斜体"));
    e.cheUnderline_Click(2, true);
    e.cheStrikethru_Click(2, true);
    for (const QFont& f : {mark(2).label.font, e.text.txtWaterMark2Font}) {
        EXPECT_EQ(f.family(), QStringLiteral("黑体"));
        EXPECT_EQ(f.pixelSize(), 16);
        EXPECT_TRUE(f.italic());
        EXPECT_TRUE(f.underline());
        EXPECT_TRUE(f.strikeOut());
    }
    EXPECT_FALSE(mark(0).label.font.underline());
}

// A cancelled colour dialog changes nothing: no colour, no background, no tick.
TEST_F(TextLayers, ColoursApplyAndACancelledDialogChangesNothing) {
    start();
    e.cmdSetFontColor_Click(0);
    e.cmdSetBackColor_Click(0);
    EXPECT_EQ(mark(0).label.foreColor, QColor(255, 255, 128));
    EXPECT_TRUE(mark(0).label.transparent);
    EXPECT_TRUE(e.text.controls[0].cheBackStyle);
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("color"));

    prompts.answerColor(Qt::blue);
    e.cmdSetBackColor_Click(0);
    EXPECT_EQ(mark(0).label.backColor, QColor(Qt::blue));
    EXPECT_FALSE(mark(0).label.transparent);
    EXPECT_FALSE(e.text.controls[0].cheBackStyle);
    prompts.answerColor(Qt::red);
    e.cmdSetFontColor_Click(2);
    EXPECT_EQ(mark(2).label.foreColor, QColor(Qt::red));
    EXPECT_EQ(e.text.dia1Color, QColor(Qt::red));
    // A cancel after a choice keeps what was chosen.
    e.cmdSetFontColor_Click(2);
    EXPECT_EQ(mark(2).label.foreColor, QColor(Qt::red));
}

TEST_F(TextLayers, UntickingNoBackgroundPaintsEachWatermarksOwnBackColour) {
    start();
    openPictureOf(QColor(40, 40, 40));
    const QColor expected[2] = {OleColorToQColor(0x80000005), QColor(188, 252, 101)};
    for (int i = 0; i < 2; ++i) {
        e.txtWaterMark_Change(i, QStringLiteral("  "));
        e.txtWaterMark_Change(i, QStringLiteral("i"));
        mark(i).topLeft = e.layers.canvas.shaCut.topLeft() + QPointF(1500, 1500 + i * 1500);
        e.cheBackStyle_Click(i, false);
        EXPECT_FALSE(mark(i).label.transparent);
    }
    const QImage region = RenderFrameRegion(e.layers.canvas, 15);
    for (int i = 0; i < 2; ++i) {
        // The label's top-left pixel is background, not letter.
        const QPoint corner = inRegion(mark(i).topLeft);
        EXPECT_TRUE(near(region.pixel(corner), expected[i], 0)) << i;
    }
    e.cheBackStyle_Click(1, true);
    const QImage again = RenderFrameRegion(e.layers.canvas, 15);
    EXPECT_TRUE(near(again.pixel(inRegion(mark(1).topLeft)), QColor(40, 40, 40), 0));
}

TEST_F(TextLayers, TheThreeDimensionalBorderFollowsTheBorder) {
    start();
    EXPECT_FALSE(e.text.controls[0].che3DBorderEnabled);
    e.cheBorder_Click(0, true);
    EXPECT_TRUE(e.text.controls[0].che3DBorderEnabled);
    EXPECT_EQ(mark(0).label.frame, OverlayFrame::Single);
    e.cheUnderline_Click(0, true);
    const QColor fore = mark(0).label.foreColor;
    const QColor back = mark(0).label.backColor;
    e.che3DBorder_Click(0, true);
    EXPECT_EQ(mark(0).label.frame, OverlayFrame::Sunken3D);
    EXPECT_EQ(mark(0).label.foreColor, fore);
    EXPECT_EQ(mark(0).label.backColor, back);
    EXPECT_TRUE(mark(0).label.font.underline());
    // Off with the border, and back with it.
    e.cheBorder_Click(0, false);
    EXPECT_FALSE(e.text.controls[0].che3DBorderEnabled);
    EXPECT_TRUE(e.text.controls[0].che3DBorder);
    EXPECT_EQ(mark(0).label.frame, OverlayFrame::None);
    e.cheBorder_Click(0, true);
    EXPECT_EQ(mark(0).label.frame, OverlayFrame::Sunken3D);
    // The read-back ticks what the label has, running each box's handler.
    e.txtWaterMark_Change(0, QString());
    e.imgAddWaterMark_Click();
    EXPECT_TRUE(e.text.controls[0].cheBorder);
    EXPECT_TRUE(e.text.controls[0].che3DBorder);
    EXPECT_TRUE(e.text.controls[0].che3DBorderEnabled);
    EXPECT_TRUE(e.text.controls[0].cheUnderline);
}

TEST_F(TextLayers, DraggingCentresTheLabelOnThePointerWithoutBound) {
    start();
    e.txtWaterMark_Change(1, QStringLiteral("WM"));
    const QSizeF size = mark(1).size(15);
    const QPointF start = mark(1).topLeft;
    e.labWaterMark_MouseMove(1, 900, 900);  // not pressed: nothing
    EXPECT_EQ(mark(1).topLeft, start);
    e.labWaterMark_MouseDown(1);
    EXPECT_TRUE(e.text.TextDragging[1]);
    e.labWaterMark_MouseMove(1, -20000, 30);
    EXPECT_EQ(mark(1).topLeft, start + QPointF(-20000 - size.width() / 2, 30 - size.height() / 2));
    e.labWaterMark_MouseUp(1);
    EXPECT_FALSE(e.text.TextDragging[1]);
    // The four-headed arrow lasts until the first drag.
    EXPECT_FALSE(mark(1).sizeAllPointer);
    EXPECT_TRUE(mark(0).sizeAllPointer);
}

TEST_F(TextLayers, AWatermarkDraggedPastTheFrameIsCutInTheSavedPicture) {
    start();
    openPictureOf(QColor(20, 20, 120));
    e.txtWaterMark_Change(0, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    prompts.answerColor(Qt::red);
    e.cmdSetBackColor_Click(0);
    // Half of it past the frame's right edge.
    const QSizeF size = mark(0).size(15);
    mark(0).topLeft = QPointF(e.layers.canvas.shaCut.right() - size.width() / 2, e.layers.canvas.shaCut.top() + 1500);
    prompts.answerText(root() + QStringLiteral("/cut.jpg"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    const QImage saved(root() + QStringLiteral("/cut.jpg"));
    ASSERT_EQ(saved.size(), QSize(600, 450));
    const int row = 100 + 1;
    EXPECT_TRUE(near(saved.pixel(599, row), Qt::red, 40));
    EXPECT_TRUE(near(saved.pixel(599 - int(size.width() / 2 / 15) - 10, row), QColor(20, 20, 120), 40));
}

// ---- the caption

TEST_F(TextLayers, InsertingTheCaptionSizesItFromTheFrameInWholeMillimetres) {
    start();
    e.imgText_Click();
    EXPECT_EQ(e.text.txtWidth, QStringLiteral("105"));
    EXPECT_EQ(e.text.txtHeight, QStringLiteral("23"));
    EXPECT_EQ(mark(2).fixedSize, QSizeF(5953, 1304));
    EXPECT_EQ(e.text.sliWidth, 5953);
    EXPECT_EQ(e.text.sliHeight, 1304);
    EXPECT_EQ(e.text.txtWaterMark2Width, 5953 + 255);
    EXPECT_EQ(mark(2).topLeft, QPointF(kCutLeft + 9000 - 5953 - 30, kCutTop + 6750 - 1304 - 30));
    EXPECT_TRUE(mark(2).visible);
    EXPECT_TRUE(e.text.picAddTextVisible);
    EXPECT_EQ(e.text.labMyText, QStringLiteral("0"));
    EXPECT_EQ(e.text.imgTextKey, QStringLiteral("RemoveText"));
    EXPECT_EQ(e.layers.canvas.stack.back(), CanvasLayer::Mark2);
    // The read-back of the initial look.
    EXPECT_TRUE(e.text.controls[2].cheBorder);
    EXPECT_TRUE(e.text.controls[2].che3DBorderEnabled);
    EXPECT_FALSE(e.text.controls[2].cheBackStyle);
    EXPECT_EQ(e.text.controls[2].cobFont, QStringLiteral("宋体"));
    EXPECT_EQ(e.text.controls[2].cobFontSize, QStringLiteral("9"));
    EXPECT_EQ(e.text.controls[2].cobFontType, QStringLiteral("常规"));
    EXPECT_TRUE(prompts.messages().isEmpty());

    // A save closes the panel and leaves the caption inserted: the tool's next click removes it.
    prompts.answerText(root() + QStringLiteral("/saved.jpg"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    EXPECT_FALSE(e.text.picAddTextVisible);
    EXPECT_TRUE(mark(2).visible);
    e.imgText_Click();
    EXPECT_FALSE(mark(2).visible);
    EXPECT_EQ(e.text.labMyText, QStringLiteral("1"));
}

TEST_F(TextLayers, TheSizeBoxesTakeWholeMillimetresAndRefuseTheRest) {
    start();
    e.imgText_Click();
    struct Case {
        bool width;
        const char* typed;
        const char* left;     // the box's text afterwards
        double twips;         // the caption's size afterwards
        QStringList messages;
    };
    const QString notNumberW = QStringLiteral("宽度必须是数字！");
    const QString notNumberH = QStringLiteral("高度必须是数字！");
    const Case cases[] = {
        {true, "158", "158", 8958, {}},
        {true, "159", "15", 850, {QStringLiteral("宽度不能大于158毫米。")}},
        {true, "12a", "12", 680, {notNumberW}},
        {true, "", "", 680, {}},                 // an empty box keeps the size
        {true, "7xy", "7", 396, {notNumberW, notNumberW}},
        {true, "-3", "-3", 0, {}},               // held at the slider's end
        {false, "abc", "", 1304, {notNumberH, notNumberH, notNumberH}},
        {false, "200", "20", 1134, {QStringLiteral("高度不能大于158毫米。")}},
        {false, " 30 ", " 30 ", 1701, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        prompts.clear();
        if (c.width)
            e.txtWidth_Change(QString::fromUtf8(c.typed));
        else
            e.txtHeight_Change(QString::fromUtf8(c.typed));
        EXPECT_EQ(c.width ? e.text.txtWidth : e.text.txtHeight, QString::fromUtf8(c.left));
        EXPECT_EQ(c.width ? mark(2).fixedSize.width() : mark(2).fixedSize.height(), c.twips);
        EXPECT_EQ(prompts.messages(), c.messages);
        for (const PromptRecord& r : prompts.records()) {
            EXPECT_EQ(r.title, QStringLiteral("提示"));
            EXPECT_EQ(r.style, vbInformation);
        }
    }
    // Typing a width leaves the text box's width alone.
    EXPECT_EQ(e.text.txtWaterMark2Width, 5953 + 255);
}

TEST_F(TextLayers, TheSlidersSnapToWholeMillimetres) {
    start();
    e.imgText_Click();
    e.sliWidth_Scroll(1000);
    EXPECT_EQ(e.text.txtWidth, QStringLiteral("17"));
    EXPECT_EQ(e.text.sliWidth, 963);
    EXPECT_EQ(mark(2).fixedSize.width(), 963);
    EXPECT_EQ(e.text.txtWaterMark2Width, 963 + 255);
    e.sliHeight_Scroll(600);
    EXPECT_EQ(e.text.txtHeight, QStringLiteral("10"));
    EXPECT_EQ(e.text.sliHeight, 567);
    EXPECT_EQ(mark(2).fixedSize.height(), 567);
    e.sliWidth_Scroll(8996);
    EXPECT_EQ(e.text.txtWidth, QStringLiteral("158"));
    EXPECT_EQ(mark(2).fixedSize.width(), 8958);
}

TEST_F(TextLayers, AWideFrameKeepsTheCaptionInTheSlidersRange) {
    start();
    e.cmdOtherSize_Click();
    e.cmdSetSizeYes_Click(QStringLiteral("1000"), QStringLiteral("450"));
    ASSERT_EQ(e.layers.canvas.shaCut.width(), 15000);
    e.imgText_Click();
    EXPECT_EQ(e.text.sliWidth, 8958);
    EXPECT_EQ(e.text.txtWidth, QStringLiteral("158"));
    EXPECT_EQ(mark(2).fixedSize.width(), 8958);
    EXPECT_EQ(mark(2).topLeft.x(), e.layers.canvas.shaCut.right() - 8958 - 30);
}

TEST_F(TextLayers, RemovingAndInsertingAgainKeepsTextAndStyleButPlacesItAnew) {
    start();
    e.imgText_Click();
    e.txtWaterMark_Change(2, QStringLiteral(" 第一行\n第二行 "));
    EXPECT_EQ(mark(2).label.text, QStringLiteral("第一行\n第二行"));
    e.cheUnderline_Click(2, true);
    e.labWaterMark_MouseDown(2);
    e.labWaterMark_MouseMove(2, -3000, -3000);
    e.labWaterMark_MouseUp(2);
    e.txtWidth_Change(QStringLiteral("40"));
    e.imgText_Click();
    EXPECT_FALSE(mark(2).visible);
    EXPECT_FALSE(e.text.picAddTextVisible);
    EXPECT_EQ(e.text.labMyText, QStringLiteral("1"));
    EXPECT_EQ(e.text.imgTextKey, QStringLiteral("AddText"));
    e.imgText_Click();
    EXPECT_TRUE(mark(2).visible);
    EXPECT_EQ(mark(2).label.text, QStringLiteral("第一行\n第二行"));
    EXPECT_TRUE(mark(2).label.font.underline());
    EXPECT_TRUE(e.text.controls[2].cheUnderline);
    EXPECT_EQ(mark(2).fixedSize, QSizeF(5953, 1304));
    EXPECT_EQ(mark(2).topLeft, QPointF(kCutLeft + 9000 - 5953 - 30, kCutTop + 6750 - 1304 - 30));
}

TEST_F(TextLayers, ADraggedCaptionKeepsItsLeftEdgeWhenItsWidthChanges) {
    start();
    e.imgText_Click();
    e.labWaterMark_MouseDown(2);
    e.labWaterMark_MouseMove(2, 100, 200);
    e.labWaterMark_MouseUp(2);
    const QPointF placed = mark(2).topLeft;
    e.txtWidth_Change(QStringLiteral("50"));
    EXPECT_EQ(mark(2).topLeft, placed);
    EXPECT_EQ(mark(2).fixedSize.width(), 2835);
}

TEST_F(TextLayers, AClosedCaptionPanelLeavesTheCaptionForACropToHide) {
    start();
    openPictureOf(Qt::darkGreen);
    e.imgText_Click();
    e.txtWaterMark_Change(2, QStringLiteral("说明"));
    e.cmdCloseAddText_Click();
    EXPECT_FALSE(e.text.picAddTextVisible);
    EXPECT_EQ(e.text.labMyText, QStringLiteral("1"));
    EXPECT_EQ(e.text.imgTextKey, QStringLiteral("AddText"));
    EXPECT_TRUE(mark(2).visible);
    e.imgCutPic_Click();
    EXPECT_FALSE(mark(2).visible);
    EXPECT_FALSE(e.text.picAddTextVisible);
    // The cropped picture has no caption in it.
    const QImage& base = e.layers.canvas.imgPic.picture;
    EXPECT_TRUE(near(base.pixel(base.width() - 40, base.height() - 20), Qt::darkGreen, 8));
    e.imgText_Click();
    EXPECT_TRUE(mark(2).visible);
    EXPECT_TRUE(e.text.picAddTextVisible);
    EXPECT_EQ(e.text.labMyText, QStringLiteral("0"));
}

// ---- merging

TEST_F(TextLayers, AMergeWithoutOverlaysEqualsACrop) {
    start();
    QImage gradient(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x) gradient.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    const QString path = root() + QStringLiteral("/gradient.png");
    ASSERT_TRUE(gradient.save(path));
    open(path);
    e.MovePicture(MoveDirection::Left);
    const QImage crop = RenderFrameRegion(e.layers.canvas, 15);
    e.imgHBPic_Click();
    EXPECT_EQ(e.layers.canvas.imgPic.picture.convertToFormat(QImage::Format_RGB32), crop);
    EXPECT_EQ(e.layers.canvas.imgPic.rect, e.layers.canvas.shaCut);
    EXPECT_EQ(e.layers.labImgW, QStringLiteral("9000"));
    EXPECT_EQ(e.layers.labImgH, QStringLiteral("6750"));
    for (const QString& flag : {e.tools.labBorder, e.tools.labPicture, e.text.labMyText}) EXPECT_EQ(flag, QStringLiteral("1"));
    // Lying exactly on the frame, it is not dragged.
    e.imgPic_MouseDown();
    EXPECT_FALSE(e.tools.PictureDragging);
}

TEST_F(TextLayers, AMergeTakesEveryVisibleLayerAndClearsThem) {
    start();
    openPictureOf(QColor(0, 160, 0));
    e.imgAddWaterMark_Click();
    e.txtWaterMark_Change(0, QStringLiteral("MMMM"));
    prompts.answerColor(Qt::red);
    e.cmdSetBackColor_Click(0);
    mark(0).topLeft = e.layers.canvas.shaCut.topLeft() + QPointF(1500, 1500);
    e.txtWaterMark_Change(1, QStringLiteral("second"));
    prompts.answerText(ShippedBorderFile());
    e.imgSetBorder_Click();
    prompts.answerText(picture(QStringLiteral("blue.png"), 40, 30, Qt::blue));
    e.imgSetAddPic_Click();
    e.chePicBorder_Click(true);
    e.imgText_Click();
    e.txtWaterMark_Change(2, QStringLiteral("说明"));
    e.cmdHelp_Click();
    const QPointF redAt = mark(0).topLeft;
    const QPointF captionAt = mark(2).topLeft + QPointF(mark(2).fixedSize.width() - 300, mark(2).fixedSize.height() - 150);
    const QPointF blueAt = e.layers.canvas.imgAddPic.rect.center();

    e.imgHBPic_Click();
    const QImage& merged = e.layers.canvas.imgPic.picture;
    ASSERT_EQ(merged.size(), QSize(600, 450));
    EXPECT_TRUE(near(merged.pixel(inRegion(redAt)), Qt::red, 0));
    EXPECT_TRUE(near(merged.pixel(inRegion(blueAt)), Qt::blue, 0));
    EXPECT_TRUE(near(merged.pixel(inRegion(captionAt)), Qt::white, 0));
    // The border lies over the frame's edge, where the picture was plain green.
    EXPECT_FALSE(near(merged.pixel(2, 225), QColor(0, 160, 0), 24));

    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(e.text.controls[size_t(i)].txtWaterMark.isEmpty()) << i;
        EXPECT_FALSE(mark(i).visible) << i;
    }
    EXPECT_EQ(mark(0).topLeft, QPointF(kCutLeft + 2250, kCutTop + 3375));
    EXPECT_EQ(mark(1).topLeft, QPointF(kCutLeft + 1800, mark(0).topLeft.y() + mark(0).size(15).height() + 60));
    // Styles stay.
    EXPECT_EQ(mark(0).label.backColor, QColor(Qt::red));
    EXPECT_FALSE(mark(0).label.transparent);
    for (const QString& flag : {e.tools.labBorder, e.tools.labPicture, e.text.labMyText}) EXPECT_EQ(flag, QStringLiteral("1"));
    EXPECT_EQ(e.tools.imgSetBorderKey, QStringLiteral("AddBorder"));
    EXPECT_EQ(e.tools.imgSetAddPicKey, QStringLiteral("AddPicture"));
    EXPECT_EQ(e.text.imgTextKey, QStringLiteral("AddText"));
    EXPECT_FALSE(e.layers.canvas.imgBorder.visible);
    EXPECT_FALSE(e.layers.canvas.imgAddPic.visible);
    EXPECT_FALSE(e.tools.chePicBorderVisible);
    EXPECT_FALSE(e.tools.chePicBorder);
    EXPECT_FALSE(e.layers.canvas.imgAddPicBorder);
    EXPECT_FALSE(e.text.picAddTextVisible);
    EXPECT_FALSE(e.layout.picHelpVisible);
    // The watermark panel was in use: it is given back.
    EXPECT_TRUE(e.text.picSetWaterMarkVisible);
    // The border chooser starts where it was.
    EXPECT_EQ(e.tools.labBorderPath, ShippedBorderFile());

    // More layers go on the merged picture, and a save holds both.
    e.txtWaterMark_Change(1, QStringLiteral("again"));
    prompts.answerText(root() + QStringLiteral("/merged.jpg"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    const QImage saved(root() + QStringLiteral("/merged.jpg"));
    ASSERT_EQ(saved.size(), QSize(600, 450));
    EXPECT_TRUE(near(saved.pixel(inRegion(blueAt)), Qt::blue, 40));
}

TEST_F(TextLayers, WithoutACaptionItsTextStaysAndTheNoticeStaysShown) {
    LoginInfo.set(0, 2, QStringLiteral("0"));
    start();
    openPictureOf(QColor(0, 160, 0));
    e.imgText_Click();
    e.txtWaterMark_Change(2, QStringLiteral("留下"));
    e.cmdCloseAddText_Click();
    prompts.answerText(picture(QStringLiteral("small.png"), 60, 40, Qt::blue));
    e.imgSetAddPic_Click();
    ASSERT_TRUE(e.layers.canvas.labUsePicVisible);
    const QPointF noticeAt = e.layers.canvas.labUsePicRect.topLeft() + QPointF(15, 15);
    e.imgHBPic_Click();
    EXPECT_EQ(e.text.controls[2].txtWaterMark, QStringLiteral("留下"));
    EXPECT_TRUE(e.layers.canvas.labUsePicVisible);
    EXPECT_TRUE(near(e.layers.canvas.imgPic.picture.pixel(inRegion(noticeAt)), Qt::red, 0));
    EXPECT_FALSE(e.text.picSetWaterMarkVisible);  // never opened
}

}  // namespace
