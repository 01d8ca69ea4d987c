// The crop dialog's arithmetic: the opening layout, the move, zoom and slider steps, the fit and
// its restore, dragging and scrolling, all in twips.
#include <gtest/gtest.h>

#include "imaging/cropgeometry.h"

namespace {

// A 3000 × 2000 pixel picture for a 150 × 100 pixel cell.
CropGeometry photoForCell() {
    CropGeometry g;
    g.load(2250, 1500, 45000, 30000);
    return g;
}

TEST(CropGeometry, OpeningCentresTheFrameAndShrinksTheLargePictureToTwiceTheFrame) {
    const CropGeometry g = photoForCell();
    EXPECT_EQ(g.frame, (CropBox{4275, 2850, 2250, 1500}));
    EXPECT_EQ(g.picture, (CropBox{3150, 2100, 4500, 3000}));
    EXPECT_EQ(g.labImgW, "4500");
    EXPECT_EQ(g.labImgH, "3000");
    EXPECT_FALSE(g.scrWEnabled);
    EXPECT_FALSE(g.scrHEnabled);
    EXPECT_EQ(g.canvas, (CropBox{0, 0, 10800, 7200}));
}

TEST(CropGeometry, FirstFitOnlyShrinksAndGoesByTheHeightForATallFrame) {
    struct Case {
        double frameW, frameH, picW, picH;
        double wantW, wantH;
    } cases[] = {
        {2250, 1500, 4500, 3000, 4500, 3000},      // exactly twice: kept
        {2250, 1500, 1500, 900, 1500, 900},        // smaller than the frame: kept, not grown
        {2250, 5400, 45000, 30000, 16200, 10800},  // taller frame: twice its height
        {2250, 5400, 3000, 12000, 2700, 10800},
        {3000, 3000, 9000, 12000, 6000, 8000},     // square frame: by the width
        {2250, 1500, 9000, 3001, 4500, 1500},      // 1500.5 goes to the even 1500
        {2250, 1500, 9000, 3003, 4500, 1502},      // 1501.5 goes to the even 1502
    };
    for (const Case& c : cases) {
        CropGeometry g;
        g.load(c.frameW, c.frameH, c.picW, c.picH);
        EXPECT_EQ(g.picture.width, c.wantW) << c.picW << "x" << c.picH;
        EXPECT_EQ(g.picture.height, c.wantH) << c.picW << "x" << c.picH;
        EXPECT_EQ(g.picture.left, (10800 - c.wantW) / 2);
    }
}

TEST(CropGeometry, AFrameWiderThanTheCanvasWidensItAndEnablesItsScrollBar) {
    CropGeometry g;
    g.load(12000, 3000, 0, 0);
    EXPECT_EQ(g.canvas.width, 12060);
    EXPECT_TRUE(g.scrWEnabled);
    EXPECT_EQ(g.scrWMax, 1260);
    EXPECT_EQ(g.frame.left, 30);
    EXPECT_EQ(g.canvas.height, 7200);
    EXPECT_FALSE(g.scrHEnabled);

    CropGeometry fits;  // canvas less 60 equals the frame: left as designed
    fits.load(10740, 7140, 0, 0);
    EXPECT_EQ(fits.canvas, (CropBox{0, 0, 10800, 7200}));
    EXPECT_FALSE(fits.scrWEnabled || fits.scrHEnabled);

    CropGeometry tall;
    tall.load(1500, 9000, 0, 0);
    EXPECT_TRUE(tall.scrHEnabled);
    EXPECT_EQ(tall.scrHMax, 9060 - 7200);

    // A maximum beyond the scroll bar's 16-bit range is not set; the bar is still enabled.
    CropGeometry huge;
    huge.load(60000, 1500, 0, 0);
    EXPECT_TRUE(huge.scrWEnabled);
    EXPECT_EQ(huge.scrWMax, 0);
}

TEST(CropGeometry, MoveStepsAreMillimetresRoundedDownToTwips) {
    const std::pair<const char*, int> steps[] = {{"0.5", 28}, {"1", 56},   {"2", 113},   {"5", 283},
                                                 {"10", 567}, {"15", 850}, {"30", 1701}, {"50", 2835},
                                                 {" 2 ", 113}};
    for (const auto& [text, twips] : steps) {
        EXPECT_EQ(CropGeometry::moveStepTwips(text), twips) << text;
        CropGeometry g = photoForCell();
        ASSERT_TRUE(g.move(-1, 0, text));
        ASSERT_TRUE(g.move(0, 1, text));
        EXPECT_EQ(g.picture.left, 3150 - twips) << text;
        EXPECT_EQ(g.picture.top, 2100 + twips) << text;
    }
    CropGeometry g = photoForCell();
    EXPECT_FALSE(g.move(1, 0, "两"));
    EXPECT_FALSE(g.move(1, 0, ""));
    EXPECT_EQ(g.picture, photoForCell().picture);
}

TEST(CropGeometry, ZoomScalesAndCentresWhileATextThatIsNoNumberChangesNothing) {
    CropGeometry g = photoForCell();
    g.move(1, 1, "10");
    ASSERT_TRUE(g.zoom(true, "2"));
    EXPECT_EQ(g.picture, (CropBox{900, 600, 9000, 6000}));
    ASSERT_TRUE(g.zoom(false, "2.5"));
    EXPECT_EQ(g.picture, (CropBox{3600, 2400, 3600, 2400}));
    EXPECT_EQ(g.labImgW, "4500");  // zooms keep the slider's base

    const CropBox before = g.picture;
    EXPECT_FALSE(g.zoom(true, "x"));
    EXPECT_FALSE(g.zoom(false, "0"));
    EXPECT_EQ(g.picture, before);
}

TEST(CropGeometry, SliderGivesNoneToTwiceTheBaseSizeWhateverZoomCameBefore) {
    const std::tuple<int, double, double> positions[] = {{-100, 0, 0}, {0, 4500, 3000}, {100, 9000, 6000}, {50, 6750, 4500}};
    for (const auto& [value, w, h] : positions) {
        CropGeometry g = photoForCell();
        g.zoom(true, "2.5");
        g.slide(value);
        EXPECT_EQ(g.picture.width, w) << value;
        EXPECT_EQ(g.picture.height, h) << value;
        EXPECT_EQ(g.picture.left, (10800 - w) / 2) << value;
    }
}

TEST(CropGeometry, AFittedPictureCannotBeDraggedUntilItsPlaceIsRestored) {
    CropGeometry g = photoForCell();
    g.move(1, 0, "5");
    g.fit();
    EXPECT_EQ(g.picture, g.frame);
    EXPECT_TRUE(g.fitted);
    EXPECT_FALSE(g.mouseDown());
    g.mouseMove(0, 0);
    EXPECT_EQ(g.picture, g.frame);

    g.notFit();
    EXPECT_FALSE(g.fitted);
    EXPECT_EQ(g.picture, (CropBox{3150 + 283, 2100, 4500, 3000}));
    ASSERT_TRUE(g.mouseDown());
    // The picture's centre jumps to the pointer: pressed 600 twips right of the centre.
    g.mouseMove(2250 + 600, 1500);
    EXPECT_EQ(g.picture.left, 3150 + 283 + 600);
    EXPECT_EQ(g.picture.top, 2100);
    g.mouseUp();
    g.mouseMove(0, 0);
    EXPECT_EQ(g.picture.left, 3150 + 283 + 600);
}

TEST(CropGeometry, RestoreAfterAFitHoldsPlacesBeyondSixteenBits) {
    CropGeometry g = photoForCell();
    g.zoom(true, "2.5");
    g.zoom(true, "2.5");
    g.zoom(true, "2.5");  // 70312.5 × 46875 twips: 4687 pixels wide
    ASSERT_GT(g.picture.width, 32767);
    g.fit();
    g.notFit();
    EXPECT_EQ(g.picture.width, 70312);    // halves go to the even neighbour
    EXPECT_EQ(g.picture.height, 46875);
    EXPECT_EQ(g.picture.left, -29756);    // (10800 - 70312.5) / 2 = -29756.25
    EXPECT_EQ(g.picture.top, -19838);     // (7200 - 46875) / 2 = -19837.5
}

TEST(CropGeometry, ScrollBarsShiftTheCanvas) {
    CropGeometry g;
    g.load(12000, 9000, 0, 0);
    g.scrollW(600);
    g.scrollH(900);
    EXPECT_EQ(g.canvas.left, -600);
    EXPECT_EQ(g.canvas.top, -900);
}

}  // namespace
