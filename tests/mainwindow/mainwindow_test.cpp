// The main window: its load for members with and without a domain, the strip's pages, the hint
// box, scrolling, the first tick and the exit.
#include "foundation/shareddata.h"
#include "platform/eventwait.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/ui/clickablelabel.h"
#include "platform/programend.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "site/site_api.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "support/emulatorfixture.h"
#include "support/eventually.h"
#include "support/rendererlimit.h"
#include "support/sitefixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWebEngineView>
#include <QWheelEvent>

#include <memory>

namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 30000) { return WaitUntil(done, ms, 20); }

[[maybe_unused]] const bool kRendererLimit = testsupport::LimitRendererProcesses();

int Twips(int pixels) { return pixels * 15; }

class MainWindowTest : public testsupport::SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        programend::SetHandler([this] { ++ends; });
        today = QDate::currentDate();
        SetLoginField(3, today.toString(Qt::ISODate));
        SetLoginField(17, QStringLiteral("102400"));
        SetLoginField(20, today.addDays(100).toString(Qt::ISODate));
        SiteSettings(PublishColumn, HomeBackColorRow) = QStringLiteral("#EEF3F8");
        SiteSettings(LocalColumn, MiddleBackColorRow) = QStringLiteral("#112233");
        WriteLoginPages();
    }
    void TearDown() override {
        window.reset();
        programend::SetHandler({});
        SiteTest::TearDown();
    }
    // The window shown (which loads it), its timer stopped so the test drives the ticks.
    frm个人网站& open() {
        window = std::make_unique<frm个人网站>();
        window->show();
        window->Timer1->stop();
        return *window;
    }
    void writeFeeTable() {
        const QString text = QStringLiteral("60</F>0</F><//R>100</F>100</F><//R>SpacePric<///T>");
        ASSERT_TRUE(WriteEncryptedText(text, UserFolder + QStringLiteral("/u1.dat")));
    }
    QStringList tempFiles() const { return QDir(UserFolder + QStringLiteral("/temp")).entryList(QDir::Files); }

    std::unique_ptr<frm个人网站> window;
    QDate today;
    int ends = 0;
};

TEST_F(MainWindowTest, MemberWithADomain) {
    SetLoginField(12, QStringLiteral("demosite"));
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    SmallScreen = true;
    frm个人网站& w = open();

    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tavolin【个人网站自助创建软件】 版本:2.0        欢迎 zhang 使用！"));
    EXPECT_EQ(w.labDomainName->text(), QStringLiteral("www.demosite.sitehost.test"));
    EXPECT_EQ(w.labDomainName->toolTip(), w.labDomainName->text());
    EXPECT_TRUE(w.labDomainName->font().bold());
    EXPECT_EQ(w.labDomainName->font().pointSize(), 12);
    EXPECT_EQ(w.labDomainName->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(w.txtDomainName->isHidden());
    EXPECT_FALSE(frm个人网站::txtDomainNameVisible);
    EXPECT_TRUE(w.cmdTestDomain->isHidden());
    EXPECT_FALSE(w.cmdEncrypt->isHidden());
    EXPECT_FALSE(w.cmdViewMySite->isHidden());
    // A domain wider than the design's room moves the buttons after it right by the same amount.
    const int shift = w.cmdRegDomain->x() - twips::ToPixels(4590);
    EXPECT_GE(shift, 0);
    EXPECT_GE(w.labDomainName->width(), QFontMetrics(w.labDomainName->font()).horizontalAdvance(w.labDomainName->text()));
    EXPECT_LE(w.labDomainName->geometry().right() + 5, w.cmdRegDomain->x());  // a gap, not touching
    EXPECT_EQ(w.cmdEncrypt->x() - shift, twips::ToPixels(4590 + 1155));
    // A protection button grown past its design width for its caption moves the ones after it too.
    const int grown = w.cmdEncrypt->width() - twips::ToPixels(1080);
    EXPECT_GE(grown, 0);
    EXPECT_EQ(w.cmdOpenTeach->x() - shift - grown, twips::ToPixels(4590 + 3210));
    EXPECT_EQ(w.cmdSetUserInfo->x() - shift - grown, twips::ToPixels(4590 + 5280));
    const QPushButton* row[] = {w.cmdRegDomain, w.cmdEncrypt, w.cmdViewMySite, w.cmdOpenTeach, w.cmdSetUserInfo};
    for (size_t k = 1; k < std::size(row); ++k) EXPECT_LT(row[k - 1]->geometry().right(), row[k]->x()) << k;
    // Counter 3: the panel stays closed and the strip shows.
    EXPECT_TRUE(w.teachpicTeach->isHidden());
    EXPECT_FALSE(w.picAD->isHidden());
    EXPECT_FALSE(w.cmdOpenTeach->isHidden());
    EXPECT_TRUE(w.cmdCloseTeach->isHidden());
    EXPECT_EQ(GetUserSetting(UcsTeachMain), QStringLiteral("3"));
    EXPECT_EQ(Twips(w.picTools->y()), 1035);
    EXPECT_EQ(Twips(w.picFrame->y()), 2295);
    // The template hint.
    EXPECT_FALSE(w.picOpeMsg->isHidden());
    EXPECT_EQ(w.labMsgSN->text(), QStringLiteral("10"));
    EXPECT_EQ(w.labOpeMsg->text(),
              QStringLiteral("提示：\n    您可以从“网站模板库”中选择一个自己喜欢的模板，然后再进行自助设计。"));
    EXPECT_EQ(w.labOpeMsg->font().pointSize(), 10);
    EXPECT_EQ(Twips(w.picOpeMsg->y()), Twips(w.picTools->y()) + 900);
    EXPECT_EQ(Twips(w.picOpeMsg->x()), Twips(w.picToolsFrame->x()) + 855);
    EXPECT_FALSE(w.chkIKnowOpe->isChecked());

    // Every cell and background browser on its page file, and the two weekly pages (served by the
    // emulator, through which this test program's browsers go).
    ASSERT_TRUE(WaitFor([&] { return w.siteBrowsersLoaded() == 37; })) << w.siteBrowsersLoaded();
    const QString temp = QUrl::fromLocalFile(UserFolder + QStringLiteral("/temp/")).toString();
    for (int i = 0; i < frm个人网站::kCells; ++i)
        EXPECT_EQ(w.webPage[i]->LocationURL(), temp + QString::number(i) + QStringLiteral(".html")) << i;
    EXPECT_EQ(w.webBack->LocationURL(), temp + QStringLiteral("b.html"));
    EXPECT_EQ(w.webMidBack->LocationURL(), temp + QStringLiteral("b1.html"));
    EXPECT_EQ(w.webPhotoBack->LocationURL(), temp + QStringLiteral("b2.html"));
    EXPECT_EQ(w.webBlogBack->LocationURL(), temp + QStringLiteral("b3.html"));
    const QString week = WeeklyFolderName(QDate::currentDate());
    EXPECT_EQ(w.webAD->LocationURL(), QStringLiteral("http://ad.sitehost.test/pwtd/") + week +
                                          QStringLiteral("/softmain.html?k1=u7788&k2=www12&k3=2.0"));
    EXPECT_EQ(w.webAD2->LocationURL(), QStringLiteral("http://ad.sitehost.test/pwtd/") + week +
                                           QStringLiteral("/softmainad2.html?k1=u7788&k2=www12&k3=2.0"));
    ASSERT_TRUE(WaitFor([&] { return w.webAD->hasDocument() && !w.webAD->isLoading(); }));
    const QString strip = w.webAD->documentTextSync();
    EXPECT_TRUE(strip.contains(QStringLiteral("1/10"))) << strip.toStdString();
    EXPECT_TRUE(strip.contains(QStringLiteral("10/10")));
    // The keys reach the page, which keeps them out of its text.
    EXPECT_EQ(w.webAD->runScriptSync(QStringLiteral("document.body.dataset.k1")).toString(), QStringLiteral("u7788"));
    EXPECT_FALSE(strip.contains(QStringLiteral("u7788"))) << strip.toStdString();
    // Colours: the home colour on canvas and viewport, the local area colours on their boxes.
    EXPECT_EQ(w.picWeb->palette().color(QPalette::Window), QColor(0xEE, 0xF3, 0xF8));
    EXPECT_EQ(w.picFrame->palette().color(QPalette::Window), QColor(0xEE, 0xF3, 0xF8));
    EXPECT_EQ(w.picMidBack->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(w.picPhotoBack->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(SiteSettings(PublishColumn, HomeBackColorRow), QStringLiteral("#EEF3F8"));  // kept its "#"
    // The geometry other windows read.
    const MainWindowGeometry g = mainwindowseam::Geometry();
    EXPECT_EQ(g.picFrameTop, 2295);
    EXPECT_EQ(g.cmdSetUserInfoLeft, Twips(w.cmdSetUserInfo->x()));
    EXPECT_EQ(g.picToolsFrameLeft, Twips(w.picToolsFrame->x()));
}

TEST_F(MainWindowTest, SmallScreenWindowStaysMaximisedWhileItsBrowsersLoad) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    SmallScreen = true;
    frm个人网站& w = open();
    ASSERT_TRUE(WaitFor([&] { return w.siteBrowsersLoaded() == 37; })) << w.siteBrowsersLoaded();
    const QRect avail = w.screen()->availableGeometry();
    // The window takes the screen's free area (its frame included) and keeps it.
    EXPECT_TRUE(WaitFor([&] { return w.frameGeometry().size() == avail.size(); }))
        << w.frameGeometry().width() << "x" << w.frameGeometry().height() << " on " << avail.width() << "x" << avail.height();
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowTest, MemberWithoutADomainOnAFirstLoad) {
    frm个人网站& w = open();

    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.labDomainName->text(), QStringLiteral("www.                .sitehost.test"));
    EXPECT_FALSE(w.txtDomainName->isHidden());
    EXPECT_TRUE(frm个人网站::txtDomainNameVisible);
    EXPECT_FALSE(w.cmdTestDomain->isHidden());
    EXPECT_TRUE(w.cmdEncrypt->isHidden());
    // The box lies over the blanks, inside the label.
    EXPECT_GT(w.txtDomainName->x(), w.labDomainName->x());
    EXPECT_LT(w.txtDomainName->x() + w.txtDomainName->width(), w.labDomainName->x() + w.labDomainName->width());
    // No domain, no template hint.
    EXPECT_TRUE(w.picOpeMsg->isHidden());
    // The empty counter opens the tutorial panel in place of the strip, and counts.
    EXPECT_EQ(GetUserSetting(UcsTeachMain), QStringLiteral("1"));
    EXPECT_FALSE(w.teachpicTeach->isHidden());
    EXPECT_EQ(w.teachpicTeach->teachlabPlayFlag, QStringLiteral("1"));
    EXPECT_TRUE(w.teachpicTeach->teachTimer1->isActive());
    EXPECT_TRUE(w.picAD->isHidden());
    EXPECT_TRUE(w.cmdOpenTeach->isHidden());
    EXPECT_FALSE(w.cmdCloseTeach->isHidden());
    EXPECT_EQ(Twips(w.picTools->y()), 3180);
    EXPECT_EQ(Twips(w.picFrame->y()), 4440);
    // The viewport ends at the window's bottom.
    EXPECT_EQ(w.picFrame->y() + w.picFrame->height(), w.height());

    // Closing the panel brings the strip back and stops the counting.
    w.cmdCloseTeach_Click();
    EXPECT_TRUE(w.teachpicTeach->isHidden());
    EXPECT_FALSE(w.teachpicTeach->teachTimer1->isActive());
    EXPECT_FALSE(w.picAD->isHidden());
    EXPECT_FALSE(w.cmdOpenTeach->isHidden());
    EXPECT_EQ(Twips(w.picTools->y()), 1035);
    EXPECT_EQ(Twips(w.picFrame->y()), 2295);
    EXPECT_EQ(w.picFrame->y() + w.picFrame->height(), w.height());
    EXPECT_EQ(GetUserSetting(UcsTeachMain), QStringLiteral("3"));
}

TEST_F(MainWindowTest, TutorialCounterOpensThePanelThreeTimes) {
    const struct {
        const char* stored;
        const char* after;
        bool opens;
    } cases[] = {{"0", "1", true}, {"2", "3", true}, {"3", "3", false}, {"7", "7", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        SetUserSetting(UcsTeachMain, QString::fromLatin1(c.stored));
        frm个人网站& w = open();
        EXPECT_EQ(GetUserSetting(UcsTeachMain), QString::fromLatin1(c.after));
        EXPECT_EQ(w.teachpicTeach->isHidden(), !c.opens);
        EXPECT_EQ(w.picAD->isHidden(), c.opens);
        window.reset();
    }
}

TEST_F(MainWindowTest, StripTurnsAPageEveryTwentyTicks) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    w.Timer1_Timer();  // the first tick
    EXPECT_TRUE(w.firstTickDone());
    EXPECT_EQ(w.Timer1->interval(), 1000);
    EXPECT_EQ(Twips(w.webAD->y()), -30);
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("1"));
    EXPECT_TRUE(w.imgAD[0]->isHidden());
    EXPECT_FALSE(w.imgAD[1]->isHidden());

    for (int i = 0; i < 19; ++i) w.Timer1_Timer();
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("1"));
    w.Timer1_Timer();  // the 20th steady tick
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("2"));
    EXPECT_EQ(Twips(w.webAD->y()), -30 - 1050);
    EXPECT_FALSE(w.imgAD[0]->isHidden());
    EXPECT_FALSE(w.imgAD[1]->isHidden());

    for (int i = 0; i < 160; ++i) w.Timer1_Timer();  // 180 seconds in all
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("10"));
    EXPECT_EQ(Twips(w.webAD->y()), -30 - 9 * 1050);
    EXPECT_FALSE(w.imgAD[0]->isHidden());
    EXPECT_TRUE(w.imgAD[1]->isHidden());

    for (int i = 0; i < 20; ++i) w.Timer1_Timer();
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("1"));
    EXPECT_EQ(Twips(w.webAD->y()), -30);
    EXPECT_TRUE(w.imgAD[0]->isHidden());
    EXPECT_FALSE(w.imgAD[1]->isHidden());

    // The arrows move one page and keep the tick count.
    for (int i = 0; i < 15; ++i) w.Timer1_Timer();
    w.imgAD_Click(1);
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("2"));
    EXPECT_FALSE(w.imgAD[0]->isHidden());
    w.imgAD_Click(0);
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("1"));
    EXPECT_EQ(Twips(w.webAD->y()), -30);
    EXPECT_TRUE(w.imgAD[0]->isHidden());
    for (int i = 0; i < 5; ++i) w.Timer1_Timer();
    EXPECT_EQ(w.labADPage->text(), QStringLiteral("2"));
}

TEST_F(MainWindowTest, HintBoxStoresItsOwnIdAndAsksAfreshEachTime) {
    SetLoginField(12, QStringLiteral("demosite"));
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    ASSERT_EQ(w.labMsgSN->text(), QStringLiteral("10"));
    w.cmdClosOpeMsg_Click();  // closed without the tick
    EXPECT_TRUE(w.picOpeMsg->isHidden());
    EXPECT_EQ(GetUserSetting(UcsHintTemplateFirst), QString());

    // The protection hint, ticked: its own id is stored, then the template hint follows, unticked.
    mainwindowseam::ShowHint(26, QStringLiteral("提示：点击“网站首页加密”按钮……"), 9, 400, 6855);
    EXPECT_EQ(w.labMsgSN->text(), QStringLiteral("26"));
    EXPECT_EQ(w.labOpeMsg->font().pointSize(), 9);
    EXPECT_EQ(Twips(w.picOpeMsg->x()), Twips(w.picToolsFrame->x()) + 6855);
    EXPECT_EQ(w.picOpeMsg->y(), twips::ToPixels(Twips(w.picTools->y()) + 400));
    w.chkIKnowOpe->setChecked(true);
    w.imgCloseOpe_Click();
    EXPECT_EQ(GetUserSetting(UcsHintProtection), QStringLiteral("1"));
    EXPECT_EQ(GetUserSetting(UcsHintTemplateFirst), QString());
    EXPECT_FALSE(w.picOpeMsg->isHidden());
    EXPECT_EQ(w.labMsgSN->text(), QStringLiteral("10"));
    EXPECT_FALSE(w.chkIKnowOpe->isChecked());
    w.cmdClosOpeMsg_Click();
    EXPECT_EQ(GetUserSetting(UcsHintTemplateFirst), QString());  // the member never ticked it

    // An upload window's hint, ticked: hint 11 is stored and nothing follows.
    mainwindowseam::ShowHint(11, QStringLiteral("提示：\r    您可以在“图片管理”功能中删除已经上传的图片。"), 9, 900, 10605);
    EXPECT_EQ(w.labOpeMsg->text(), QStringLiteral("提示：\n    您可以在“图片管理”功能中删除已经上传的图片。"));
    w.chkIKnowOpe->setChecked(true);
    w.cmdClosOpeMsg_Click();
    EXPECT_EQ(GetUserSetting(UcsHintUploadClose), QStringLiteral("1"));
    EXPECT_TRUE(w.picOpeMsg->isHidden());

    // With the template hint switched off, hint 26 is not followed by it.
    SetUserSetting(UcsHintTemplateFirst, QStringLiteral("1"));
    mainwindowseam::ShowHint(26, QStringLiteral("x"), 9, 400, 6855);
    w.cmdClosOpeMsg_Click();
    EXPECT_TRUE(w.picOpeMsg->isHidden());
}

TEST_F(MainWindowTest, TemplateHintStaysAwayOnceSwitchedOff) {
    SetLoginField(12, QStringLiteral("demosite"));
    SetUserSetting(UcsHintTemplateFirst, QStringLiteral("1"));
    frm个人网站& w = open();
    EXPECT_TRUE(w.picOpeMsg->isHidden());
}

TEST_F(MainWindowTest, ScrollRangeReachesTheCanvasBottomAtAnyHeight) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    for (int height : {500, 760}) {
        SCOPED_TRACE(height);
        w.resize(1024, height);
        QApplication::processEvents();
        const int viewport = Twips(w.picFrame->height());
        EXPECT_EQ(viewport, Twips(height) - 2295);
        EXPECT_EQ(w.vscWeb->maximum(), 41550 - viewport);
        EXPECT_EQ(w.vscWeb->singleStep(), 600);
        EXPECT_EQ(w.vscWeb->pageStep(), 3000);
        EXPECT_EQ(Twips(w.vscWeb->height()), viewport - 60);
        w.vscWeb->setValue(w.vscWeb->maximum());
        // The canvas's bottom (the footer) meets the viewport's bottom.
        EXPECT_EQ(w.picWeb->y() + w.picWeb->height(), w.picFrame->height());
        w.vscWeb->setValue(600);
        EXPECT_EQ(Twips(w.picWeb->y()), -600);
    }
    // A viewport taller than the canvas scrolls nothing.
    w.resize(1024, 3200);
    QApplication::processEvents();
    EXPECT_EQ(w.vscWeb->maximum(), 0);
    EXPECT_EQ(w.picWeb->y(), 0);
    // The canvas is centred left of the bar.
    EXPECT_EQ(w.picWeb->x(), twips::ToPixels((Twips(w.picFrame->width()) - 315 - 15030) / 2.0));
}

TEST_F(MainWindowTest, TheMouseWheelScrollsTheSiteBetweenAndOverItsPages) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    w.resize(1024, 600);
    QApplication::processEvents();
    w.Timer1_Timer();
    ASSERT_GT(w.vscWeb->maximum(), 0);
    // Notches down (positive) or up, turned with the pointer in the middle of the target.
    const auto turn = [](QWidget* target, int notches) {
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &e);
    };
    // Between the boxes.
    turn(w.picWeb, 1);
    const int step = w.vscWeb->value();
    EXPECT_GT(step, 0);
    EXPECT_EQ(Twips(w.picWeb->y()), -step);
    // Over a cell's page, which cannot scroll itself: the turn scrolls the site.
    WebBrowser* page = w.webPage[5];
    ASSERT_EVENTUALLY(page->hasDocument() && !page->isLoading(), 30000);
    QWidget* surface = page->view()->focusProxy() ? page->view()->focusProxy() : page->view();
    turn(surface, 1);
    ASSERT_EVENTUALLY_EQ(w.vscWeb->value(), 2 * step, 30000);
    // Back up in two turns: one turn moves the bar a page at most.
    turn(w.picWeb, -1);
    turn(w.picWeb, -1);
    EXPECT_EQ(w.vscWeb->value(), 0);
    EXPECT_EQ(w.picWeb->y(), 0);

    // A page taller than its box keeps its turns for itself.
    const QString tall = UserFolder + QStringLiteral("/temp/tall.html");
    testsupport::writeFile(tall, "<html><body><div style=\"height:2000px\">tall</div></body></html>");
    QSignalSpy loaded(page, &WebBrowser::documentComplete);
    page->Navigate(tall);
    ASSERT_EVENTUALLY(loaded.count() > 0, 30000);
    // Scripts answer in order: once this one has, the window has learnt that the page scrolls.
    ASSERT_GT(page->runScriptSync(QStringLiteral("document.documentElement.scrollHeight")).toInt(), 1000);
    turn(page->view()->focusProxy() ? page->view()->focusProxy() : page->view(), 1);
    EXPECT_EQ(w.vscWeb->value(), 0);
}

TEST_F(MainWindowTest, PagesScrolledWellOutOfTheViewportAreHiddenFromTheEngine) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    w.resize(1024, 600);
    QApplication::processEvents();
    // The highest and the lowest cell box on the canvas, and the blog area at its foot.
    int top = 0, bottom = 0;
    for (int i = 1; i < frm个人网站::kCells; ++i) {
        if (w.picPage[i]->y() < w.picPage[top]->y()) top = i;
        if (w.picPage[i]->y() > w.picPage[bottom]->y()) bottom = i;
    }
    auto shown = [](WebBrowser* b) { return b->inSight() && b->page()->isVisible(); };
    EXPECT_TRUE(shown(w.webPage[top]));
    EXPECT_FALSE(w.webPage[bottom]->inSight());
    EXPECT_FALSE(w.webBlogBack->inSight());
    // The page background spans the canvas: always in sight.
    EXPECT_TRUE(w.webBack->inSight());

    w.vscWeb->setValue(w.vscWeb->maximum());
    EXPECT_TRUE(shown(w.webPage[bottom]));
    EXPECT_TRUE(shown(w.webBlogBack));
    EXPECT_FALSE(w.webPage[top]->inSight());
    EXPECT_FALSE(w.webPage[top]->page()->isVisible());
    // A box just below the viewport, within the margin, is already in sight.
    w.vscWeb->setValue(0);
    for (int i = 0; i < frm个人网站::kCells; ++i) {
        const int below = w.picPage[i]->y() + w.picWeb->y() - w.picFrame->height();
        if (below > 0 && below < 100) EXPECT_TRUE(w.webPage[i]->inSight()) << i;
    }
}

TEST_F(MainWindowTest, ATooLowWindowSkipsOnlyTheSizesThatCannotBe) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    const int frameHeight = w.picFrame->height();
    w.resize(900, 100);  // below 2805 twips
    QApplication::processEvents();
    EXPECT_EQ(w.picFrame->height(), frameHeight);  // skipped
    EXPECT_EQ(w.picTools->width(), 900);           // the other statements ran
    EXPECT_EQ(w.picWeb->x(), twips::ToPixels((Twips(w.picFrame->width()) - 315 - 15030) / 2.0));
}

TEST_F(MainWindowTest, FirstTickPlacesTheBrowsersAndRemindsOfTheExpiry) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    SetLoginField(20, today.addDays(3).toString(QStringLiteral("yyyy/M/d")));
    frm个人网站& w = open();
    EXPECT_EQ(w.webPage[5]->pos(), QPoint(0, 0));
    w.Timer1_Timer();
    for (int i = 0; i < frm个人网站::kCells; ++i) EXPECT_EQ(w.webPage[i]->pos(), QPoint(-2, -2)) << i;
    for (WebBrowser* b : {w.webBack, w.webMidBack, w.webPhotoBack, w.webBlogBack}) EXPECT_EQ(b->pos(), QPoint(-2, -2));
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("网络空间 提示"));
    EXPECT_TRUE(prompts.records()[0].text.contains(QStringLiteral("将于")));
    EXPECT_EQ(prompts.records()[0].style, int(vbInformation));
    // Once per run.
    for (int i = 0; i < 25; ++i) w.Timer1_Timer();
    EXPECT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(ends, 0);
}

TEST_F(MainWindowTest, AnUnreadableDateEndsTheProgramAfterItsMessage) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    SetLoginField(3, QStringLiteral("not a date"));
    frm个人网站& w = open();
    w.Timer1_Timer();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("遇到意外错误，请您稍后再试...")});
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(ends, 1);
}

TEST_F(MainWindowTest, FeeLineFromTheLoginReply) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    {
        // Without u1.dat the line is empty and neither picture shows.
        frm个人网站& w = open();
        EXPECT_EQ(w.labSpaceInfo->text(), QString());
        EXPECT_TRUE(w.imgMF->isHidden());
        EXPECT_TRUE(w.imgXF->isHidden());
        window.reset();
    }
    writeFeeTable();
    frm个人网站& w = open();
    EXPECT_EQ(w.labSpaceInfo->text(), QStringLiteral("网站(软件)年服务费：100元(含100M空间)  服务到期日期：") +
                                          today.addDays(100).toString(QStringLiteral("yyyy年MM月dd日")));
    EXPECT_FALSE(w.imgXF->isHidden());
    EXPECT_TRUE(w.imgMF->isHidden());
    EXPECT_EQ(w.imgXF->toolTip(), QStringLiteral("给您的网络空间续费"));
}

TEST_F(MainWindowTest, ExitAnsweredNoKeepsEverything) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    const QStringList files = tempFiles();
    ASSERT_GE(files.size(), 37);
    prompts.answer(vbNo);
    w.cmdQuit_Click();
    QApplication::processEvents();
    ASSERT_EQ(prompts.records().size(), 1);  // asked once
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("您真的要退出Tavolin软件系统吗？"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("退出系统提示"));
    EXPECT_EQ(prompts.records()[0].style, int(vbYesNo | vbInformation));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(tempFiles(), files);
    EXPECT_EQ(ends, 0);

    // The title bar's close asks the same, once.
    prompts.answer(vbNo);
    w.close();
    EXPECT_EQ(prompts.records().size(), 2);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowTest, ExitAnsweredYesEmptiesTempAndEnds) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    frmDB::grdDB[13].setCols(11);
    const QString keep = UserFolder + QStringLiteral("/u0.dat");
    ASSERT_TRUE(QFile::exists(keep));
    prompts.answer(vbYes);
    w.cmdQuit_Click();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(tempFiles(), QStringList());
    EXPECT_TRUE(QDir(UserFolder + QStringLiteral("/temp")).exists());
    EXPECT_TRUE(QFile::exists(keep));                // only temp is emptied
    EXPECT_LT(frmDB::grdDB[13].cols(), 11);          // frmDB unloaded
    EXPECT_EQ(ends, 1);
}

// The engine's views and their drawing surfaces (engine widgets left without a parent when their
// view goes, deleted by the engine from the event loop) that are alive.
int EngineWidgets() {
    int alive = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (w->inherits("QWebEngineView") || (w->inherits("QQuickWidget") && !w->parentWidget())) ++alive;
    return alive;
}

TEST_F(MainWindowTest, UnloadLetsGoOfEveryBrowserAndItsSurface) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    // The surfaces of earlier tests' windows, deleted outside any event loop, go first.
    ASSERT_EVENTUALLY_EQ(EngineWidgets(), 0);
    QPointer<frm个人网站> w = new frm个人网站;
    w->show();
    w->Timer1->stop();
    ASSERT_TRUE(WaitFor([&] { return w->siteBrowsersLoaded() == 37; })) << w->siteBrowsersLoaded();
    EXPECT_GE(EngineWidgets(), 39);  // the 37 site browsers and the two strips
    frm个人网站::unload();
    EXPECT_EVENTUALLY(!w);
    // Each surface holds pictures of its page's size: one left behind costs megabytes.
    EXPECT_EVENTUALLY_EQ(EngineWidgets(), 0);
}

TEST_F(MainWindowTest, SeamActsOnTheOpenWindowOnly) {
    // Without a window nothing happens and the design geometry holds.
    mainwindowseam::RefreshCell(3);
    mainwindowseam::ShowHint(11, QStringLiteral("x"), 9, 900, 10605);
    EXPECT_EQ(mainwindowseam::Geometry().picFrameTop, 2295);

    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    EXPECT_TRUE(frm个人网站::txtDomainNameVisible);
    SetLoginField(12, QStringLiteral("newsite"));
    mainwindowseam::ShowRegisteredDomain();
    EXPECT_FALSE(frm个人网站::txtDomainNameVisible);
    EXPECT_EQ(w.labDomainName->text(), QStringLiteral("www.newsite.sitehost.test"));
    EXPECT_TRUE(w.txtDomainName->isHidden());
    EXPECT_FALSE(w.cmdEncrypt->isHidden());
    EXPECT_GE(w.cmdRegDomain->x(), twips::ToPixels(4590));
    mainwindowseam::SetCanvasColor(QColor(1, 2, 3));
    EXPECT_EQ(w.picWeb->palette().color(QPalette::Window), QColor(1, 2, 3));
    EXPECT_EQ(w.picFrame->palette().color(QPalette::Window), QColor(1, 2, 3));
}

TEST_F(MainWindowTest, SeamRefreshesOneBackgroundBrowserByItsPage) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    ASSERT_TRUE(WaitFor([&] { return w.siteBrowsersLoaded() == 37; })) << w.siteBrowsersLoaded();
    const std::pair<const char*, WebBrowser*> areas[] = {
        {"b", w.webBack}, {"b1", w.webMidBack}, {"b2", w.webPhotoBack}, {"b3", w.webBlogBack}};
    for (const auto& [page, browser] : areas) {
        SCOPED_TRACE(page);
        WritePageFile(QString::fromLatin1(page) + QStringLiteral(".html"), ColorPageText(QStringLiteral("#010203")));
        mainwindowseam::RefreshBackgroundBrowser(QString::fromLatin1(page));
        EXPECT_TRUE(WaitFor([b = browser] {
            return !b->isLoading() &&
                   b->runScriptSync(QStringLiteral("getComputedStyle(document.body).backgroundColor")).toString() ==
                       QLatin1String("rgb(1, 2, 3)");
        }));
    }
}

TEST_F(MainWindowTest, CellButtonsSitInTheirBoxes) {
    SetUserSetting(UcsTeachMain, QStringLiteral("3"));
    frm个人网站& w = open();
    // Boxes 25 and 27 carry each other's edit button, as do 28 and 30; 26, 29 and 32 have none.
    EXPECT_EQ(w.cmdEdit.value(27)->parentWidget(), w.picPage[25]);
    EXPECT_EQ(w.cmdEdit.value(25)->parentWidget(), w.picPage[27]);
    EXPECT_EQ(w.cmdEdit.value(30)->parentWidget(), w.picPage[28]);
    EXPECT_EQ(w.cmdEdit.value(28)->parentWidget(), w.picPage[30]);
    for (int i : {26, 29, 32, 33, 34}) EXPECT_FALSE(w.cmdEdit.contains(i)) << i;
    for (int i : {35, 36, 37, 38}) EXPECT_EQ(w.cmdEdit.value(i)->parentWidget(), w.picWeb) << i;
    EXPECT_EQ(w.cmdUploadAreaPic[2]->parentWidget(), w.picPage[9]);
    EXPECT_EQ(w.cmdSetPhotoBox->parentWidget(), w.picPage[17]);
    // Every button inside its box, over the browser.
    for (auto it = w.cmdEdit.cbegin(); it != w.cmdEdit.cend(); ++it) {
        QWidget* b = it.value();
        EXPECT_TRUE(b->parentWidget()->rect().contains(b->geometry())) << it.key();
    }
}

TEST(MainWindowPages, EmulatorServesTheStripTheInformationLineAndTheTerms) {
    testsupport::Emulator& e = testsupport::Emulator::instance();
    const QString ad = QStringLiteral("http://ad.") + e.domain() + QStringLiteral("/pwtd/2419/");
    testsupport::EmulatorPage page = e.get(ad + QStringLiteral("softmain.html?k1=key1&k2=www7&k3=2.0"));
    EXPECT_EQ(page.status, 200);
    const QString strip = QString::fromUtf8(page.body);
    EXPECT_EQ(strip.count(QStringLiteral("class=\"page\"")), 10);  // ten pages of 70 pixels
    EXPECT_TRUE(strip.contains(QStringLiteral(".page{height:70px")));
    EXPECT_TRUE(strip.contains(QStringLiteral("data-k1=\"key1\"")));
    page = e.get(ad + QStringLiteral("softmainad2.html?k1=key1&k2=www7&k3=2.0"));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(QString::fromUtf8(page.body).contains(QStringLiteral("2419")));
    page = e.get(QStringLiteral("http://www.") + e.domain() + QStringLiteral("/freeprovision.html"));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(QString::fromUtf8(page.body).contains(QStringLiteral("免费使用条款")));
    EXPECT_EQ(e.get(ad + QStringLiteral("softmain3.html")).status, 404);
    // The window's tests reach the service under this domain.
    EXPECT_EQ(e.domain(), QStringLiteral("sitehost.test"));
}

}  // namespace
