// The tutorial player in its four offscreen host windows (the first three loads, the open and
// close buttons), and the player's panel on its own with a real SWF or a broken file in place of
// the main window's movie.
#include "albums/ui/uploadframe.h"
#include "albums/ui/uploadwindow.h"
#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/writetextwindow.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/hookcheck.h"
#include "platform/programend.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/flashcontrol.h"
#include "site/site_api.h"
#include "state/sitestate.h"
#include "support/emulatorfixture.h"
#include "support/eventually.h"
#include "support/rendererlimit.h"
#include "support/sitefixture.h"
#include "platform/twips.h"
#include "tutorial/ui/teachplayer.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QImage>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

[[maybe_unused]] const bool kRendererLimit = testsupport::LimitRendererProcesses();

// One loaded host window, seen through what the tutorial needs of it.
struct Host {
    std::shared_ptr<QWidget> window;
    TeachPanel* teachpicTeach = nullptr;
    QWidget* cmdOpenTeach = nullptr;
    QWidget* cmdCloseTeach = nullptr;
    std::function<void()> open, close;

    TeachPlayer* player() const { return dynamic_cast<TeachPlayer*>(teachpicTeach); }
    bool shown() const { return !teachpicTeach->isHidden() && !cmdCloseTeach->isHidden() && cmdOpenTeach->isHidden(); }
    bool closed() const { return teachpicTeach->isHidden() && cmdCloseTeach->isHidden() && !cmdOpenTeach->isHidden(); }
};

template <class W>
Host Hosted(W* w) {
    Host h;
    h.window.reset(w);
    h.teachpicTeach = w->teachpicTeach;
    h.cmdOpenTeach = w->cmdOpenTeach;
    h.cmdCloseTeach = w->cmdCloseTeach;
    h.open = [w] { w->cmdOpenTeach_Click(); };
    h.close = [w] { w->cmdCloseTeach_Click(); };
    return h;
}

class HostWindowsTutorial : public testsupport::SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        programend::SetHandler([] {});
        const QDate today = QDate::currentDate();
        SetLoginField(3, today.toString(Qt::ISODate));
        SetLoginField(20, today.addDays(100).toString(Qt::ISODate));
        WriteLoginPages();
        // The cell editor's and the text dialog's cell, and the picture the dialog writes on.
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("3");
        CellRecord[1] = QStringLiteral("300");
        CellRecord[2] = QStringLiteral("200");
        QImage picture(120, 80, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString path = root() + QStringLiteral("/write.bmp");
        ASSERT_TRUE(picture.save(path, "BMP"));
        WriteTextWindow::labXZFlag = QStringLiteral("0");
        WriteTextWindow::labXZPic = path;
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

struct HostCase {
    const char* name;
    int setting;
    int chapters;
    std::function<Host()> load;
};

const HostCase kHosts[] = {
    {"main window", UcsTeachMain, 16,
     [] {
         auto* w = new frm个人网站();
         w->show();
         w->Timer1->stop();
         return Hosted(w);
     }},
    {"cell editor", UcsTeachPicture, 9, [] { return Hosted(new CellEditorWindow()); }},
    {"text dialog", UcsTeachWriteText, 6, [] { return Hosted(new WriteTextWindow(QString(), QString())); }},
    {"upload window", UcsTeachUpload, 17, [] { return Hosted(new UploadWindow()); }},
};

const int kCounters[] = {UcsTeachMain, UcsTeachPicture, UcsTeachUpload, UcsTeachWriteText};

QStringList Counters() {
    QStringList values;
    for (int id : kCounters) values << GetUserSetting(id);
    return values;
}

TEST_F(HostWindowsTutorial, EachHostOpensItsPanelOnTheFirstThreeLoadsAndCloseStopsThat) {
    for (const HostCase& c : kHosts) {
        SCOPED_TRACE(c.name);
        SetUserSetting(c.setting, QString());
        for (const char* stored : {"1", "2", "3"}) {
            SCOPED_TRACE(stored);
            const Host h = c.load();
            ASSERT_NE(h.player(), nullptr);
            EXPECT_TRUE(h.shown());
            EXPECT_EQ(h.teachpicTeach->teachlabPlayFlag, QStringLiteral("1"));
            EXPECT_TRUE(h.teachpicTeach->teachTimer1->isActive());
            EXPECT_EQ(h.player()->logic().TeachChapter, 0);
            h.player()->logic().teachTimer1_Timer();
            EXPECT_EQ(h.player()->teachlabPofPS->text(), QStringLiteral("1/%1(页)").arg(c.chapters));
            EXPECT_EQ(GetUserSetting(c.setting), QString::fromLatin1(stored));
        }
        {
            const Host fourth = c.load();
            EXPECT_TRUE(fourth.closed());
            EXPECT_EQ(fourth.teachpicTeach->teachlabPlayFlag, QStringLiteral("0"));
            EXPECT_FALSE(fourth.teachpicTeach->teachTimer1->isActive());
        }

        // Closing, whenever it comes, stores "3" in this window's counter and touches no other.
        for (const char* counter : {"", "1", "2"}) {
            SCOPED_TRACE(counter);
            for (int id : kCounters) SetUserSetting(id, QStringLiteral("2"));
            SetUserSetting(c.setting, QString::fromLatin1(counter));
            const Host h = c.load();
            ASSERT_TRUE(h.shown());
            h.close();
            EXPECT_TRUE(h.closed());
            EXPECT_FALSE(h.teachpicTeach->teachTimer1->isActive());
            EXPECT_FALSE(h.teachpicTeach->teachTimer2->isActive());
            QStringList expected(4, QStringLiteral("2"));
            expected[c.setting - 1] = QStringLiteral("3");
            EXPECT_EQ(Counters(), expected);
        }

        // Only "", "0", "1" and "2" open the panel, compared exactly.
        for (const char* counter : {"5", " 1", "1 ", "01"}) {
            SCOPED_TRACE(counter);
            SetUserSetting(c.setting, QString::fromLatin1(counter));
            const Host h = c.load();
            EXPECT_TRUE(h.closed());
            EXPECT_EQ(GetUserSetting(c.setting), QString::fromLatin1(counter));
        }
    }
}

TEST_F(HostWindowsTutorial, OpenCloseOpenKeepsTheLoadedMovieAndItsChapter) {
    for (const HostCase& c : kHosts) {
        SCOPED_TRACE(c.name);
        SetUserSetting(c.setting, QStringLiteral("3"));
        const Host h = c.load();
        TeachPlayer* player = h.player();
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->teachSF1->playback().FrameNum(), -1);  // nothing loaded until opened
        h.open();
        EXPECT_TRUE(h.shown());
        EXPECT_EQ(h.teachpicTeach->teachlabPlayFlag, QStringLiteral("1"));
        TeachPlayerController& logic = player->logic();
        logic.teachcmdNext_Click();
        logic.teachcmdNext_Click();
        player->teachSF1->playback().StopPlay();
        const int frame = player->teachSF1->playback().FrameNum();
        // A second load would put the panel back where loading puts it (the main window's layout
        // centres it across the window again, so only its top tells).
        const QPoint moved = h.teachpicTeach->pos() + QPoint(0, 5);
        h.teachpicTeach->move(moved);

        h.close();
        EXPECT_EQ(GetUserSetting(c.setting), QStringLiteral("3"));
        h.open();
        EXPECT_TRUE(h.shown());
        EXPECT_TRUE(h.teachpicTeach->teachTimer1->isActive());
        EXPECT_EQ(h.teachpicTeach->y(), moved.y());
        EXPECT_EQ(player->teachSF1->playback().FrameNum(), frame);
        logic.teachTimer1_Timer();
        EXPECT_EQ(logic.TeachChapter, 2);
        EXPECT_EQ(player->teachlabPofPS->text(), QStringLiteral("3/%1(页)").arg(c.chapters));
    }
}

// A settings file that cannot be read counts as a member who never saw the window.
TEST_F(HostWindowsTutorial, AnUnreadableSettingsFileOpensThePanel) {
    QFile file(UserSettingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xff\xfe not a table");
    file.close();
    const Host h = kHosts[2].load();
    EXPECT_TRUE(h.shown());
    EXPECT_EQ(GetUserSetting(UcsTeachWriteText), QStringLiteral("1"));
}

TEST_F(HostWindowsTutorial, TheCellEditorOpenedAgainStartsAtTheFirstChapter) {
    SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
    {
        CellEditorWindow first;
        first.cmdOpenTeach_Click();
        auto* player = dynamic_cast<TeachPlayer*>(first.teachpicTeach);
        ASSERT_NE(player, nullptr);
        player->logic().teachcmdNext_Click();
        ASSERT_EQ(player->logic().TeachChapter, 1);
    }
    SetUserSetting(UcsTeachPicture, QStringLiteral("1"));
    CellEditorWindow again;
    auto* player = dynamic_cast<TeachPlayer*>(again.teachpicTeach);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->logic().TeachChapter, 0);
    player->logic().teachTimer1_Timer();
    EXPECT_EQ(player->teachlabPofPS->text(), QStringLiteral("1/9(页)"));
}

// The upload window at a small height: the panel pushes the slots' viewport down by its own
// height and the scroll bar takes the rest; the load leaves the focus alone, a later opening
// hands it to the scroll bar.
TEST_F(HostWindowsTutorial, TheUploadWindowMakesRoomForThePanel) {
    SetUserSetting(UcsTeachUpload, QString());
    UploadWindow w;
    ASSERT_TRUE(w.tutorialShown());
    const int panelHeight = twips::ToPixels(TeachPanel::kHeight);
    EXPECT_EQ(w.teachpicTeach->height(), panelHeight);
    EXPECT_EQ(w.picBox->y(), panelHeight);
    ASSERT_TRUE(w.vscPicBox->isVisibleTo(&w));
    // The canvas, and the room it made for the scroll hint where no place beside the bar was free.
    const int room = w.picFrame->height() - twips::ToPixels(uploadframe::kFrameHeight);
    EXPECT_EQ(w.vscPicBox->maximum(), twips::ToPixels(uploadframe::kFrameHeight - twips::FromPixels(w.picBox->height())) + room);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_NE(QApplication::focusWidget(), w.vscPicBox);

    w.cmdCloseTeach_Click();
    EXPECT_EQ(twips::FromPixels(w.picBox->y()), uploadframe::kBandHeight);
    EXPECT_EQ(w.picBox->y(), w.picAD->height());
    w.cmdOpenTeach_Click();
    EXPECT_EQ(w.picBox->y(), panelHeight);
    EXPECT_EQ(QApplication::focusWidget(), w.vscPicBox);
    w.reject();
}

TEST_F(HostWindowsTutorial, TheFirstLoadPlaysTheMovieFromItsFirstPage) {
    TeachPlayer* player = open("0");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(UnsetRequiredHooks(player->logic().hooks()), QStringList());
    EXPECT_FALSE(player->isHidden());
    EXPECT_EQ(player->teachSF1->playback().TotalFrames(), 1503);
    EXPECT_TRUE(player->teachTimer1->isActive());
    ASSERT_EVENTUALLY_EQ(player->teachlabPofPS->text(), QStringLiteral("1/16(页)"), 30000);

    // The buttons and captions are wired: the caption of Next moves on, Pause pauses.
    QTest::mouseClick(player->teachlabN, Qt::LeftButton);
    EXPECT_EQ(player->logic().TeachChapter, 1);
    EXPECT_TRUE(player->teachcmdBack->isEnabled());
    QTest::mouseClick(player->teachcmdPause, Qt::LeftButton);
    EXPECT_EQ(player->teachlabP->text(), QStringLiteral("播 放"));
    EXPECT_FALSE(player->teachSF1->playback().IsPlaying());
    EXPECT_TRUE(player->teachTimer2->isActive());
}

TEST_F(HostWindowsTutorial, OpenCloseOpenLoadsTheMovieOnce) {
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
