// The preview box: its size follows the picture around a fixed centre; the turned preview.
#include <gtest/gtest.h>

#include "imaging/previewlayout.h"
#include "imaging/ui/previewbox.h"
#include "support/fixtures.h"
#include "imagingsupport.h"

using imagingtest::flat;
using imagingtest::pictureOf;

TEST(PreviewLayout, TheBoxKeepsItsCentreInWholeTwips) {
    struct {
        TwipsRect box;
        int w, h;
        TwipsRect expected;
    } cases[] = {
        {{1500, 1500, 3000, 1500}, 100, 200, {2250, 750, 1500, 3000}},
        {{0, 0, 1500, 1500}, 101, 99, {-7, 7, 1515, 1485}},  // halves cut toward zero both ways
        {{300, 600, 0, 0}, 1, 1, {293, 593, 15, 15}},
    };
    for (const auto& c : cases) {
        const TwipsRect r = RecentredBox(c.box, c.w, c.h);
        EXPECT_EQ(QRect(r.left, r.top, r.width, r.height),
                  QRect(c.expected.left, c.expected.top, c.expected.width, c.expected.height));
    }
}

TEST(PreviewLayout, FittedSizeScalesTheLongerSideHalvesToEven) {
    struct {
        int w, h, n;
        QSize expected;
    } cases[] = {
        {600, 400, 300, {300, 200}},
        {400, 600, 300, {200, 300}},
        {50, 50, 300, {300, 300}},  // smaller pictures grow
        {8, 6, 2, {2, 2}},          // 1.5 -> 2
        {8, 6, 6, {6, 4}},          // 4.5 -> 4
        {1000, 10, 100, {100, 1}},
        {0, 10, 100, {0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(FittedSize(c.w, c.h, c.n), c.expected) << c.w << "x" << c.h << "/" << c.n;
}

class Preview : public ::testing::Test {
protected:
    void SetUp() override {
        box.resize(800, 800);
        box.setBoxTwips({3000, 3000, 1500, 1500});  // 100 × 100 pixels at (200, 200)
        centre = box.picPreview->geometry().center();
    }
    void load(const QImage& picture) { ASSERT_TRUE(box.SourceDib->CreateFromHandle(picture, 0, 0, -1, -1)); }
    void expectCentredBox(QSize size) {
        EXPECT_EQ(box.picPreview->size(), size);
        const QPoint moved = box.picPreview->geometry().center() - centre;
        EXPECT_LE(std::abs(moved.x()), 1);
        EXPECT_LE(std::abs(moved.y()), 1);
    }
    PreviewBox box;
    QPoint centre;
};

TEST_F(Preview, BuildShowsTheWholePictureAtItsSize) {
    load(pictureOf(60, 40, [](int x, int) { return x < 30 ? QColor(Qt::red) : QColor(Qt::green); }));
    box.BuildPreviewDib();
    expectCentredBox({60, 40});
    const QImage& shown = box.picPreview->Image();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(59, 39), QColor(Qt::green));
    EXPECT_EQ(box.PreviewDib->Width(), 60);
}

TEST_F(Preview, TurnedPreviewAndBackToTheCopy) {
    load(pictureOf(60, 40, [](int, int y) { return y < 20 ? QColor(Qt::red) : QColor(Qt::blue); }));
    box.BuildPreviewDib();
    box.ShowRotatedPreview(0, 0x00FFFFFF);
    EXPECT_EQ(box.RotatedDib, nullptr);  // a turn of 0 makes no turned copy
    expectCentredBox({60, 40});

    box.ShowRotatedPreview(90, 0x00FFFFFF);
    expectCentredBox({40, 60});
    ASSERT_TRUE(box.RotatedDib);
    EXPECT_NE(box.RotatedDib, box.PreviewDib);
    EXPECT_EQ(box.PreviewDib->Width(), 60);
    // Clockwise: the top (red) half is now on the right.
    EXPECT_EQ(box.picPreview->Image().pixelColor(39, 0), QColor(Qt::red));
    EXPECT_EQ(box.picPreview->Image().pixelColor(0, 0), QColor(Qt::blue));

    box.ShowRotatedPreview(45, 0x00FFFFFF);
    EXPECT_EQ(box.picPreview->Image().pixelColor(0, 0), QColor(Qt::white));  // an uncovered corner

    box.ShowRotatedPreview(0, 0x00FFFFFF);
    expectCentredBox({60, 40});
    EXPECT_EQ(box.picPreview->Image().pixelColor(0, 0), QColor(Qt::red));
}

TEST(PreviewFitted, TheUploadWindowsPreviewHasItsLongerSideFitted) {
    PreviewBox box(nullptr, 300);
    box.resize(800, 800);
    ASSERT_TRUE(box.SourceDib->CreateFromHandle(flat(600, 400, Qt::darkCyan), 0, 0, -1, -1));
    box.ShowPreviewImage();
    EXPECT_EQ(box.picPreview->size(), QSize(300, 200));
    box.ShowRotatedPreview(90, 0x00FFFFFF);
    EXPECT_EQ(box.picPreview->size(), QSize(200, 300));
    EXPECT_EQ(box.picPreview->Image().pixelColor(100, 150), QColor(Qt::darkCyan));

    // Nothing loaded: an empty box, no failure.
    PreviewBox none(nullptr, 100);
    none.ShowPreviewImage();
    none.ShowRotatedPreview(30, 0x00FFFFFF);
    EXPECT_TRUE(none.RotatedDib);
}
