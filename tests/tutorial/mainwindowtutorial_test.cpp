// The tutorial player in the offscreen main window, and the player's panel on its own with a real
// SWF or a broken file in place of the main window's movie.
#include "foundation/settings.h"
#include "login/state.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/hookcheck.h"
#include "platform/programend.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/flashcontrol.h"
#include "site/loginpages.h"
#include "support/emulatorfixture.h"
#include "support/rendererlimit.h"
#include "support/sitefixture.h"
#include "tutorial/ui/teachplayer.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

[[maybe_unused]] const bool kRendererLimit = testsupport::LimitRendererProcesses();

class MainWindowTutorial : public testsupport::SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        programend::SetHandler([] {});
        const QDate today = QDate::currentDate();
        SetLoginField(3, today.toString(Qt::ISODate));
        SetLoginField(20, today.addDays(100).toString(Qt::ISODate));
        WriteLoginPages();
    }
    void TearDown() override {
        window.reset();
        programend::SetHandler({});
        SiteTest::TearDown();
    }
    TeachPlayer* open(const char* counter) {
        SetUserSetting(UcsTeachMain, QString::fromLatin1(counter));
        window = std::make_unique<frm个人网站>();
        window->show();
        window->Timer1->stop();
        return dynamic_cast<TeachPlayer*>(window->teachpicTeach);
    }
    std::unique_ptr<frm个人网站> window;
};

TEST_F(MainWindowTutorial, TheFirstLoadPlaysTheMovieFromItsFirstPage) {
    TeachPlayer* player = open("0");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(UnsetRequiredHooks(player->logic().hooks()), QStringList());
    EXPECT_FALSE(player->isHidden());
    EXPECT_EQ(player->teachSF1->playback().TotalFrames(), 1503);
    EXPECT_TRUE(player->teachTimer1->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(player->teachlabPofPS->text(), QStringLiteral("1/16(页)"), 30000);

    // The buttons and captions are wired: the caption of Next moves on, Pause pauses.
    QTest::mouseClick(player->teachlabN, Qt::LeftButton);
    EXPECT_EQ(player->logic().TeachChapter, 1);
    EXPECT_TRUE(player->teachcmdBack->isEnabled());
    QTest::mouseClick(player->teachcmdPause, Qt::LeftButton);
    EXPECT_EQ(player->teachlabP->text(), QStringLiteral("播 放"));
    EXPECT_FALSE(player->teachSF1->playback().IsPlaying());
    EXPECT_TRUE(player->teachTimer2->isActive());
}

TEST_F(MainWindowTutorial, OpenCloseOpenLoadsTheMovieOnce) {
    TeachPlayer* player = open("3");
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(player->isHidden());
    EXPECT_EQ(player->teachSF1->playback().FrameNum(), -1);  // nothing loaded until opened
    window->cmdOpenTeach_Click();
    FlashPlayback& flash = player->teachSF1->playback();
    ASSERT_EQ(flash.TotalFrames(), 1503);
    flash.GotoFrame(60);
    flash.StopPlay();
    window->cmdCloseTeach_Click();
    EXPECT_FALSE(player->teachTimer1->isActive());
    window->cmdOpenTeach_Click();
    EXPECT_EQ(flash.FrameNum(), 60);  // a second load would have started over from frame 0
    EXPECT_TRUE(player->teachTimer1->isActive());
    EXPECT_EQ(GetUserSetting(UcsTeachMain), QStringLiteral("3"));
}

// The panel on its own, with the shipped files' folder pointing at a test folder.
class ForeignMovie : public ::testing::Test {
protected:
    void SetUp() override {
        saved = qgetenv("TAVOLIN_SHARE_DIR");
        qputenv("TAVOLIN_SHARE_DIR", dir.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("TAVOLIN_SHARE_DIR", saved); }
    void ship(const QByteArray& bytes) {
        QFile f(dir.filePath(QStringLiteral("msvcr80.dll")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
    QByteArray saved;
};

TEST_F(ForeignMovie, ARealSwfShowsThePlaceholderAndABrokenFileNothing) {
    QByteArray swf("FWS\x0a", 4);
    QByteArray body;
    body += char(15 << 3);
    body += QByteArray(8, '\x11');
    body += QByteArray("\x00\x18\x32\x00", 4);  // 24 frames a second, 50 frames
    const quint32 length = 8 + body.size();
    for (int i = 0; i < 4; ++i) swf += char(length >> (8 * i));
    const struct {
        const char* what;
        QByteArray bytes;
        int frames;
    } cases[] = {{"swf", swf + body, 50}, {"broken", "CWS\x0a\xff\xff", 0}, {"empty", "", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ship(c.bytes);
        TeachPlayer player(nullptr, teachhosts::MainWindow());
        const QImage blank = player.teachSF1->renderStage();
        player.TeachLoadMovie();
        EXPECT_EQ(player.teachSF1->playback().TotalFrames(), c.frames);
        EXPECT_EQ(player.teachSF1->renderStage() != blank, c.frames > 0);
        player.logic().teachTimer1_Timer();
        EXPECT_EQ(player.teachlabPofPS->text(), QStringLiteral("1/16(页)"));
    }
}

}  // namespace
