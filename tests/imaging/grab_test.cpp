// The window grab: a rectangle rendered from the widget itself, at logical pixels.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

#include "imaging/dibsection.h"
#include "imaging/ui/grabwindow.h"
#include "imagingsupport.h"

namespace {
// A 120 × 80 control: white, with a red 20 × 10 block at (30, 40).
struct Composed {
    QWidget control;
    QLabel* block;
    Composed() {
        control.resize(120, 80);
        control.setAutoFillBackground(true);
        QPalette p = control.palette();
        p.setColor(QPalette::Window, Qt::white);
        control.setPalette(p);
        block = new QLabel(&control);
        block->setGeometry(30, 40, 20, 10);
        block->setAutoFillBackground(true);
        p.setColor(QPalette::Window, Qt::red);
        block->setPalette(p);
    }
};
}  // namespace

TEST(Grab, ARectangleOfAControlAtItsOffset) {
    Composed c;  // never shown: the grab does not read the screen
    for (bool client : {false, true}) {
        const StdPicture picture = GrabWindowPicture(&c.control, client, 25, 35, 40, 30);
        ASSERT_EQ(picture.Type(), StdPicture::vbPicTypeBitmap);
        ASSERT_EQ(picture.Handle.size(), QSize(40, 30));
        EXPECT_EQ(picture.Handle.pixelColor(0, 0), QColor(Qt::white));
        EXPECT_EQ(picture.Handle.pixelColor(5, 5), QColor(Qt::red));    // (30, 40) of the control
        EXPECT_EQ(picture.Handle.pixelColor(24, 14), QColor(Qt::red));  // (49, 49)
        EXPECT_EQ(picture.Handle.pixelColor(25, 15), QColor(Qt::white));
    }
    // Through the hand-over bitmap, as the JPEG callers take it.
    cDIBSection dib;
    dib.CreateFromPicture(GrabWindowPicture(&c.control, false, 0, 0, 120, 80));
    EXPECT_EQ(imagingtest::pixelAt(dib, 35, 45), QColor(Qt::red));
}

TEST(Grab, NoSizeGivesAnEmptyPictureAndOutsideIsBlack) {
    Composed c;
    EXPECT_EQ(GrabWindowPicture(&c.control, false, 0, 0, 0, 10).Type(), StdPicture::vbPicTypeNone);
    EXPECT_EQ(GrabWindowPicture(&c.control, false, 0, 0, 10, -1).Type(), StdPicture::vbPicTypeNone);
    EXPECT_EQ(GrabWindowPicture(nullptr, false, 0, 0, 10, 10).Type(), StdPicture::vbPicTypeNone);
    const StdPicture past = GrabWindowPicture(&c.control, true, 110, 70, 20, 20);
    ASSERT_EQ(past.Handle.size(), QSize(20, 20));
    EXPECT_EQ(past.Handle.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(past.Handle.pixelColor(15, 15), QColor(Qt::black));
}
