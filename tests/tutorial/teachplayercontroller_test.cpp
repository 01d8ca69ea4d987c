// The tutorial player on a fake clock: the timers' ticks are run by hand, the movie is a
// descriptor of the wanted length at 10 frames a second (frame f at f × 100 ms).
#include "platform/flashmovie.h"
#include "tutorial/teachplayercontroller.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

struct Rig {
    QTemporaryDir dir;
    qint64 now = 0;
    FlashPlayback flash{[this] { return now; }};
    bool timer1 = false;
    bool timer2 = false;
    QPoint panel;
    std::unique_ptr<TeachPlayerController> player;

    // A player of the host whose movie has the given frame count (0: no movie file at all).
    Rig(const TeachHost& host, int frames) {
        if (frames > 0) {
            QFile f(dir.filePath(host.movie));
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray(kTutorialMarker) + "\nframes " + QByteArray::number(frames) + "\nrate 10\n");
        }
        player = std::make_unique<TeachPlayerController>(
            host, flash,
            TeachPlayerView{[this](bool on) { timer1 = on; }, [this](bool on) { timer2 = on; },
                            [this](int l, int t) { panel = {l, t}; }, [] {},
                            [this](const QString& name) { return dir.filePath(name); }});
    }
    // What the host's open button does: load once, then the follow timer on.
    void open() {
        player->TeachLoadMovie();
        timer1 = true;
    }
    void playTo(int frame) { now += qint64(frame - flash.FrameNum()) * 100; }
    void tick() {
        if (timer1) player->teachTimer1_Timer();
    }
    const TeachControls& c() const { return player->controls(); }
    // The pointer position within the thumb that makes a drag land on the frame.
    int xFor(int frame) const {
        const double span = player->TeachThumbMax - player->TeachThumbMin;
        const double target = double(frame) / (flash.TotalFrames() - 1) * span;
        return int((target - c().thumbLeft + 168.75 + player->TeachThumbMin) / 2 + 0.5);
    }
};

TEST(TeachPlayer, EachHostLoadsItsTableAndStopsOnItsFirstChapterEnd) {
    const struct {
        const char* name;
        const TeachHost& host;
        QPoint panel;
        int min, max, lastButOne;
        const char* counter;
    } hosts[] = {
        {"main window", teachhosts::MainWindow(), {-15, -15}, 71, 10556, 14, "1/16(页)"},
        {"cell editor", teachhosts::CellEditor(), {0, 0}, 71, 6446, 7, "1/9(页)"},
        {"text on a picture", teachhosts::WriteText(), {-15, -15}, 2081, 10616, 4, "1/6(页)"},
        {"upload", teachhosts::Upload(), {-15, -15}, 71, 10556, 15, "1/17(页)"},
    };
    for (const auto& h : hosts) {
        SCOPED_TRACE(h.name);
        Rig rig(h.host, h.host.starts.last() + 3);
        rig.open();
        EXPECT_EQ(rig.panel, h.panel);
        EXPECT_EQ(rig.player->TeachThumbMin, h.min);
        EXPECT_EQ(rig.player->TeachThumbMax, h.max);
        EXPECT_EQ(rig.player->TeachLastButOne, h.lastButOne);
        EXPECT_FALSE(rig.flash.Loop());
        rig.tick();
        EXPECT_EQ(rig.c().teachlabPofPS, QString::fromUtf8(h.counter));
        const int end = h.host.starts.first();
        rig.playTo(end + 4);
        rig.tick();
        EXPECT_EQ(rig.flash.FrameNum(), end);
        EXPECT_FALSE(rig.flash.IsPlaying());
        EXPECT_FALSE(rig.timer1);
        EXPECT_TRUE(rig.timer2);
    }
}

TEST(TeachPlayer, NextBlinksAtAChapterEnd) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.tick();
    rig.playTo(125);
    rig.tick();
    ASSERT_TRUE(rig.timer2);
    EXPECT_TRUE(rig.player->TeachBlinkNext);
    const struct {
        bool labelShown;
        const char* picture;
    } phases[] = {{false, "BR1"}, {true, "BR2"}, {false, "BR1"}};
    for (const auto& p : phases) {
        rig.player->teachTimer2_Timer();
        EXPECT_EQ(rig.c().teachlabN.visible, p.labelShown);
        EXPECT_EQ(rig.c().teachcmdNext.picture, QLatin1String(p.picture));
    }
    EXPECT_EQ(rig.flash.FrameNum(), 125);
    // Next goes on with chapter 2 from its first frame.
    rig.player->teachcmdNext_Click();
    EXPECT_FALSE(rig.timer2);
    EXPECT_TRUE(rig.timer1);
    EXPECT_EQ(rig.player->TeachChapter, 1);
    EXPECT_TRUE(rig.flash.IsPlaying());
    EXPECT_EQ(rig.c().teachcmdBack.picture, QLatin1String("BL1"));
    rig.tick();
    EXPECT_EQ(rig.c().teachlabPofPS, QStringLiteral("2/16(页)"));
}

TEST(TeachPlayer, TheEndChaptersDisableTheirButtonAndIgnoreFurtherClicks) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.player->teachcmdNext_Click();
    // Back from 1 to 0 disables Back; Back again (its caption still takes clicks) does nothing.
    rig.player->teachcmdBack_Click();
    EXPECT_EQ(rig.player->TeachChapter, 0);
    EXPECT_FALSE(rig.c().teachcmdBack.enabled);
    EXPECT_EQ(rig.c().teachcmdBack.picture, QLatin1String("BL0"));
    rig.player->teachlabU_Click();
    EXPECT_EQ(rig.player->TeachChapter, 0);

    for (int i = 0; i < 14; ++i) rig.player->teachcmdNext_Click();
    ASSERT_EQ(rig.player->TeachChapter, 14);
    EXPECT_TRUE(rig.c().teachcmdNext.enabled);
    rig.player->teachcmdNext_Click();
    EXPECT_EQ(rig.player->TeachChapter, 15);
    EXPECT_FALSE(rig.c().teachcmdNext.enabled);
    EXPECT_EQ(rig.c().teachcmdNext.picture, QLatin1String("BR0"));
    rig.player->teachlabN_Click();
    EXPECT_EQ(rig.player->TeachChapter, 15);
    EXPECT_EQ(rig.flash.FrameNum(), 1460);

    // The movie's end (T − 3) stops it for good, before the chapter logic: nothing blinks.
    rig.playTo(1501);
    rig.tick();
    EXPECT_EQ(rig.flash.FrameNum(), 1501);
    EXPECT_FALSE(rig.flash.IsPlaying());
    EXPECT_FALSE(rig.timer1);
    EXPECT_FALSE(rig.timer2);
    // Started anyway (a pause), the blink timer of a disabled Next turns itself off.
    rig.player->TeachBlinkNext = true;
    rig.timer2 = true;
    rig.player->teachTimer2_Timer();
    EXPECT_FALSE(rig.timer2);
    EXPECT_EQ(rig.c().teachcmdNext.picture, QLatin1String("BR0"));
}

TEST(TeachPlayer, PauseTwiceResumesFromTheSameFrame) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.playTo(60);
    rig.player->teachcmdPause_Click();
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BP1"));
    EXPECT_EQ(rig.c().teachlabP.caption, QStringLiteral("播 放"));
    EXPECT_FALSE(rig.timer1);
    EXPECT_TRUE(rig.timer2);
    rig.now += 4000;
    EXPECT_EQ(rig.flash.FrameNum(), 60);
    rig.player->teachTimer2_Timer();
    EXPECT_FALSE(rig.c().teachlabP.visible);
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BP1"));
    rig.player->teachTimer2_Timer();
    EXPECT_TRUE(rig.c().teachlabP.visible);
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BP2"));

    rig.player->teachlabP_Click();
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BC1"));
    EXPECT_EQ(rig.c().teachlabP.caption, QStringLiteral("暂 停"));
    EXPECT_TRUE(rig.c().teachlabP.visible);
    EXPECT_TRUE(rig.timer1);
    EXPECT_FALSE(rig.timer2);
    rig.now += 1000;
    EXPECT_EQ(rig.flash.FrameNum(), 70);
}

TEST(TeachPlayer, ThumbFollowsTheFrame) {
    Rig rig(teachhosts::MainWindow(), 1501);
    rig.open();
    rig.player->TeachChapter = 7;  // 720 to 815
    rig.flash.GotoFrame(750);
    rig.flash.StopPlay();
    rig.tick();
    EXPECT_EQ(rig.c().thumbLeft, 5313);
    EXPECT_EQ(rig.c().teachlabPe, QStringLiteral("750/1501"));
    EXPECT_EQ(rig.c().thumbToolTip, QStringLiteral("750/1501"));
    EXPECT_EQ(rig.c().teachlabPofPS, QStringLiteral("8/16(页)"));
}

TEST(TeachPlayer, SeekingRestartsAnotherChapterAndOnlyMovesWithinTheLastSoughtOne) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.player->teachimgP0_MouseDown();  // pauses
    EXPECT_EQ(rig.player->TeachPlaySign, -1);

    // Into chapter index 6 (605 to 720): it starts over from 605 and plays.
    rig.player->teachimgP0_MouseMove(rig.xFor(660));
    EXPECT_EQ(rig.player->TeachChapter, 6);
    EXPECT_EQ(rig.player->TeachSyncedChapter, 7);
    EXPECT_TRUE(rig.flash.IsPlaying());
    EXPECT_EQ(rig.flash.FrameNum(), 605);
    EXPECT_TRUE(rig.c().teachcmdBack.enabled);
    EXPECT_TRUE(rig.c().teachcmdNext.enabled);

    // Within the same chapter the frame only moves.
    rig.player->teachimgP0_MouseMove(rig.xFor(690));
    EXPECT_EQ(rig.player->TeachChapter, 6);
    EXPECT_NEAR(rig.flash.FrameNum(), 690, 2);

    // Released: the movie stands still and the Play picture blinks.
    rig.player->teachimgP0_MouseUp();
    EXPECT_FALSE(rig.player->TeachDragging);
    EXPECT_FALSE(rig.flash.IsPlaying());
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BP1"));
    EXPECT_EQ(rig.c().teachlabP.caption, QStringLiteral("播 放"));
    EXPECT_FALSE(rig.timer1);
    EXPECT_TRUE(rig.timer2);
    EXPECT_FALSE(rig.player->TeachBlinkNext);

    // Into chapter index 1: it stands on 125, which still counts with the first chapter.
    rig.player->teachimgP0_MouseDown();
    rig.player->teachimgP0_MouseMove(rig.xFor(160));
    EXPECT_EQ(rig.player->TeachChapter, 1);
    EXPECT_EQ(rig.flash.FrameNum(), 125);
    EXPECT_FALSE(rig.c().teachcmdBack.enabled);
    EXPECT_EQ(rig.c().teachcmdBack.picture, QLatin1String("BL0"));

    // Into the last chapter: Next disabled.
    rig.player->teachimgP0_MouseMove(rig.xFor(1480));
    EXPECT_EQ(rig.player->TeachChapter, 15);
    EXPECT_FALSE(rig.c().teachcmdNext.enabled);

    // Dragged far past either end, the thumb stays within its limits.
    rig.player->teachimgP0_MouseMove(100000);
    EXPECT_EQ(rig.c().thumbLeft, rig.player->TeachThumbMax);
    rig.player->teachimgP0_MouseMove(-100000);
    EXPECT_EQ(rig.c().thumbLeft, rig.player->TeachThumbMin);
    EXPECT_EQ(rig.flash.FrameNum(), 0);
}

TEST(TeachPlayer, APausedThumbPressedAndReleasedResumes) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.playTo(40);
    rig.player->teachcmdPause_Click();
    rig.player->teachimgP0_MouseDown();
    rig.player->teachimgP0_MouseUp();
    EXPECT_TRUE(rig.flash.IsPlaying());
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BC1"));
    EXPECT_EQ(rig.c().teachlabP.caption, QStringLiteral("暂 停"));
    EXPECT_TRUE(rig.timer1);
    EXPECT_FALSE(rig.timer2);
    EXPECT_EQ(rig.flash.FrameNum(), 40);
}

TEST(TeachPlayer, AnOverrunWhileHiddenIsSetBackAtTheFirstTick) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.timer1 = false;  // the host closed the panel; the movie runs on
    rig.playTo(330);
    rig.timer1 = true;   // and opened it again
    rig.tick();
    EXPECT_EQ(rig.flash.FrameNum(), 125);
    EXPECT_FALSE(rig.flash.IsPlaying());
    EXPECT_TRUE(rig.timer2);
}

TEST(TeachPlayer, PressAndReleasePictures) {
    Rig rig(teachhosts::MainWindow(), 1503);
    rig.open();
    rig.player->teachcmdBack_MouseDown();  // disabled: nothing
    EXPECT_EQ(rig.c().teachcmdBack.picture, QLatin1String("BL0"));
    EXPECT_FALSE(rig.c().teachcmdBack.border);
    const struct {
        void (TeachPlayerController::*down)();
        void (TeachPlayerController::*up)();
        const TeachButtonState TeachControls::*button;
        const char* pressed;
        const char* released;
    } cases[] = {
        {&TeachPlayerController::teachcmdNext_MouseDown, &TeachPlayerController::teachcmdNext_MouseUp,
         &TeachControls::teachcmdNext, "BR2", "BR1"},
        {&TeachPlayerController::teachcmdPause_MouseDown, &TeachPlayerController::teachcmdPause_MouseUp,
         &TeachControls::teachcmdPause, "BC2", "BC1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressed);
        (rig.player.get()->*c.down)();
        EXPECT_EQ((rig.c().*c.button).picture, QLatin1String(c.pressed));
        EXPECT_TRUE((rig.c().*c.button).border);
        (rig.player.get()->*c.up)();
        EXPECT_EQ((rig.c().*c.button).picture, QLatin1String(c.released));
        EXPECT_FALSE((rig.c().*c.button).border);
    }
    rig.player->teachcmdPause_Click();  // paused: the Play pictures
    rig.player->teachcmdPause_MouseDown();
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BP2"));
    rig.player->teachcmdPause_MouseUp();
    EXPECT_EQ(rig.c().teachcmdPause.picture, QLatin1String("BP1"));
}

TEST(TeachPlayer, TheCellEditorsCaptionsFollowTheirButtons) {
    Rig rig(teachhosts::CellEditor(), 908);
    rig.open();
    for (int i = 0; i < 8; ++i) rig.player->teachcmdNext_Click();
    EXPECT_FALSE(rig.c().teachcmdNext.enabled);
    EXPECT_FALSE(rig.c().teachlabN.enabled);
    for (int i = 0; i < 8; ++i) rig.player->teachcmdBack_Click();
    EXPECT_TRUE(rig.c().teachlabN.enabled);
    EXPECT_FALSE(rig.c().teachlabU.enabled);
    // The main window's captions stay enabled.
    Rig main(teachhosts::MainWindow(), 1503);
    main.open();
    for (int i = 0; i < 15; ++i) main.player->teachcmdNext_Click();
    EXPECT_TRUE(main.c().teachlabN.enabled);
}

TEST(TeachPlayer, WithoutAMovieTheStepsThatNeedOneAreSkipped) {
    for (int frames : {0, 1}) {
        SCOPED_TRACE(frames);
        Rig rig(teachhosts::MainWindow(), frames);
        rig.open();
        const int thumb = rig.c().thumbLeft;
        rig.tick();
        // A one-frame movie stands at its end from the start: the tick stops there.
        EXPECT_EQ(rig.c().teachlabPofPS, frames ? QStringLiteral("0/0") : QStringLiteral("1/16(页)"));
        if (frames == 0) {
            EXPECT_EQ(rig.c().teachlabPe, QStringLiteral("1/100"));
        }
        EXPECT_EQ(rig.c().thumbLeft, thumb);
        rig.player->teachimgP0_MouseDown();
        rig.player->teachimgP0_MouseMove(3000);
        if (frames == 0) {
            EXPECT_EQ(rig.c().thumbLeft, rig.player->TeachThumbMin);
        }
        rig.player->teachimgP0_MouseUp();
        rig.player->teachcmdNext_Click();
        EXPECT_EQ(rig.player->TeachChapter, 1);
    }
}

}  // namespace
