// The upload window's hint boxes on the screen the test runs on (ctest runs this program at
// 1366x768 and at 1024x768, where the window is maximised and its slot table and command column
// leave no free place beside some controls): each box stands beside the control it explains,
// inside what the viewport shows, over no control, and the room the window made for it goes with it.
#include "albums/ui/uploadwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/eventwait.h"
#include "platform/twips.h"
#include "platform/ui/windowgeometry.h"
#include "support/emulatorfixture.h"
#include "support/rendererlimit.h"
#include "support/windowtour.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>

#include <functional>

using namespace testsupport;

namespace {

[[maybe_unused]] const bool kRendererLimit = LimitRendererProcesses();

class UploadHintPlaces : public EmulatorTest {
protected:
    void TearDown() override {
        frm个人网站::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EmulatorTest::TearDown();
    }
};

TEST_F(UploadHintPlaces, EachHintStandsBesideItsControlOverNoneAndItsRoomGoesWithIt) {
    ASSERT_TRUE(LogInDemoMember());
    frm个人网站* main = frm个人网站::loaded();
    ASSERT_TRUE(main);
    const int seen = VisitWindows([main] { main->cmdUploadPic->click(); }, [](QWidget* window) {
        auto* w = dynamic_cast<UploadWindow*>(window);
        ASSERT_TRUE(w);
        const int canvasHeight = twips::ToPixels(uploadframe::kFrameHeight);
        const struct {
            int box;
            std::function<void()> show;  // null: shown by the first load (the tutorial lowers the viewport)
            QWidget* control;
        } cases[] = {
            {0, {}, w->vscPicBox},
            {1, [w] { w->logic.ShowStartHint(); }, w->cmdUploadFiles},
            {2, [w] { w->logic.ShowAlbumHint(); }, w->cmdNewAlbum},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.box);
            if (c.show) c.show();
            QFrame* box = w->hintBoxes[size_t(c.box)].picOpeMsg;
            ASSERT_TRUE(box->isVisible());
            const QRect r = windowgeometry::RectInWindow(box);
            EXPECT_EQ(windowgeometry::Overlaps(w, {box}).join(QLatin1Char('\n')).toStdString(), "");
            // Next to it, or (the start hint on a narrow screen) just under the slot table beside the
            // command column.
            EXPECT_LE(windowgeometry::Gap(r, windowgeometry::RectInWindow(c.control)), 64.0) << windowgeometry::Describe(box).toStdString();
            EXPECT_TRUE(windowgeometry::RectInWindow(w->picBox).contains(r)) << windowgeometry::Describe(box).toStdString();
            w->hintBoxes[size_t(c.box)].cmdClosOpeMsg->click();
            EXPECT_FALSE(box->isVisible());
            EXPECT_EQ(w->picFrame->height(), canvasHeight);
            EXPECT_EQ(w->frmUpload->mapTo(w->picFrame, QPoint(0, 0)).y(), twips::ToPixels(795 - 60));
        }
    });
    EXPECT_EQ(seen, 1);
}

}  // namespace
