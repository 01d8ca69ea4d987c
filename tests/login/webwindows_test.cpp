// The web windows and the password-recovery window: the progress handler, the new-window policy,
// the member's site with its refresh hint, the layout rules, and the service pages through the
// emulator.
#include <gtest/gtest.h>

#include "foundation/settings.h"
#include "login/ui/passwordrecoverywindow.h"
#include "state/loginstate.h"
#include "login/ui/webprogress.h"
#include "login/ui/webwindows.h"
#include "platform/ui/statuspanels.h"
#include "platform/twips.h"
#include "platform/urlopening.h"
#include "platform/ui/webbrowser.h"
#include "support/emulatorfixture.h"
#include "support/eventually.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace {

using testsupport::writeFile;

constexpr int kLoadTimeoutMs = 30000;

TEST(WebProgressHandler, PercentageBarAndPanels) {
    struct Case {
        int p, m;
        double fraction;
        QString panel1;
        bool loading;
    };
    const Case cases[] = {
        {1, 8, 0.125, "已完成：12%", true},   // 12.5 goes to the even neighbour
        {7, 8, 0.875, "已完成：88%", true},
        {1, 3, 1.0 / 3, "已完成：33%", true},
        {50, 100, 0.5, "已完成：50%", true},
        {8, 8, 0, "DONE", false},              // p = m ends the load
        {0, 8, 0, "DONE", false},
        {5, 0, 0, "DONE", false},              // a total of 0 ends it too
        {-1, 100, 0, "DONE", false},           // how our browser reports the end
        {9, 8, 0, "DONE", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.p) + "/" + std::to_string(c.m));
        const WebProgressView v = WebProgress(c.p, c.m, QStringLiteral("DONE"));
        EXPECT_DOUBLE_EQ(v.barFraction, c.fraction);
        EXPECT_EQ(v.panel1, c.panel1);
        EXPECT_EQ(v.panel2, c.loading ? QStringLiteral("正在读取网络页面，请您稍候...") : QString());
    }
}

class WebWindows : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        demo = emulator().demoMember();
        loginAs(demo.name);
        SetLoginField(6, QStringLiteral("www1"));
        SetLoginField(11, QStringLiteral("key11"));
        SetLoginField(12, demo.domain);
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<WebBrowserWindow*>(w)) delete w;
        EmulatorTest::TearDown();
    }
    QString page(const QString& name, const QByteArray& body) {
        const QString path = root() + QLatin1Char('/') + name;
        writeFile(path, body);
        return path;
    }
    static int openBrowserWindows() {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<WebBrowserWindow*>(w)) ++n;
        return n;
    }
    emu::DemoMember demo;
};

// Each window's handler, driven with the browser's events, shows its own done text.
TEST_F(WebWindows, EachWindowShowsProgressWithItsDoneText) {
    PageUrl = QStringLiteral("about:blank");
    frmIE ie;
    frmWebFrame frame;
    frmIE2 ie2;
    frmGetBackPsw recovery;
    struct Case {
        const char* name;
        std::function<void(int, int)> handler;
        QProgressBar* bar;
        StatusPanels* status;
        QString doneText;
    };
    const Case cases[] = {
        {"frmIE", [&](int p, int m) { ie.webIE_ProgressChange(p, m); }, ie.proIE, ie.staIE, "完成"},
        {"frmWebFrame", [&](int p, int m) { frame.web_ProgressChange(p, m); }, frame.proIE, frame.staIE, ""},
        {"frmIE2", [&](int p, int m) { ie2.webIE_ProgressChange(p, m); }, ie2.proIE, ie2.staIE, "完成"},
        {"frmGetBackPsw", [&](int p, int m) { recovery.webIE_ProgressChange(p, m); }, recovery.proIE, recovery.staIE,
         "完成"},
    };
    EXPECT_EQ(ie.windowTitle(), QString());
    EXPECT_EQ(frame.windowTitle(), "Tavolin");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.handler(1, 2);
        EXPECT_EQ(c.bar->value(), c.bar->maximum() / 2);
        EXPECT_EQ(c.status->panelText(1), "已完成：50%");
        EXPECT_EQ(c.status->panelText(2), "正在读取网络页面，请您稍候...");
        c.handler(4, 0);
        EXPECT_EQ(c.bar->value(), 0);
        EXPECT_EQ(c.status->panelText(1), c.doneText);
        EXPECT_EQ(c.status->panelText(2), QString());
    }
}

TEST_F(WebWindows, PopUpsOpenFromFrmIEAndAreRefusedElsewhere) {
    page(QStringLiteral("popup.html"), "<html><body>popup</body></html>");
    PageUrl = page(QStringLiteral("opener.html"),
                   "<html><body>opener<script>window.open('popup.html','_blank');</script></body></html>");
    {
        frmWebFrame frame;
        EXPECT_FALSE(frame.web->silent());
        frame.show();
        QSignalSpy asked(frame.web, &WebBrowser::newWindow2);
        ASSERT_EVENTUALLY_EQ(asked.size(), 1, kLoadTimeoutMs);
        // The refusal is decided inside the request; a later load proves the engine went on.
        QSignalSpy loaded(frame.web, &WebBrowser::documentComplete);
        frame.web->Navigate(page(QStringLiteral("popup.html"), "<html><body>popup</body></html>"));
        ASSERT_TRUE(loaded.wait(kLoadTimeoutMs));
        EXPECT_EQ(openBrowserWindows(), 0);
    }
    {
        frmIE ie;
        EXPECT_TRUE(ie.webIE->silent());
        ie.show();
        ASSERT_EVENTUALLY_EQ(openBrowserWindows(), 1, kLoadTimeoutMs);
    }
    EXPECT_EQ(openBrowserWindows(), 0);  // the separate window closed with its opener
    frmIE2 ie2;
    EXPECT_TRUE(ie2.webIE->silent());
    bool cancel = false;
    ie2.webIE_NewWindow2(&cancel);
    EXPECT_TRUE(cancel);
}

TEST_F(WebWindows, ServicePagesLoadAndEndInTheDoneState) {
    EXPECT_EQ(RecoveryPageAddress(), "http://" + emulator().config().hostName(ServiceHost::Recovery) +
                                         "/usersys/getbackpassword.aspx");
    EXPECT_EQ(BuySpacePageAddress(),
              "http://" + emulator().config().hostName(ServiceHost::Account) + "/buyspace.aspx?k1=key11&k2=www1");

    frmGetBackPsw recovery;
    EXPECT_EQ(recovery.windowTitle(), "找回密码");
    EXPECT_EQ(recovery.cmdBack->text(), "&B.返 回");
    recovery.show();
    ASSERT_EVENTUALLY(recovery.webIE->hasDocument(), kLoadTimeoutMs);
    EXPECT_EQ(recovery.staIE->panelText(1), "完成");
    EXPECT_EQ(recovery.proIE->value(), 0);
    EXPECT_TRUE(recovery.webIE->documentTextSync().contains(QStringLiteral("电子邮箱")));

    frmBuySpace buy;
    EXPECT_EQ(buy.windowTitle(), "购买网络空间");
    EXPECT_EQ(buy.size(), QSize(858, 601));
    buy.show();
    ASSERT_EVENTUALLY(buy.web->hasDocument(), kLoadTimeoutMs);
    const QString text = buy.web->documentTextSync();
    EXPECT_TRUE(text.contains(QStringLiteral("年费"))) << text.toStdString();
    EXPECT_EQ(buy.web->runScriptSync(QStringLiteral("document.body.dataset.k1")).toString(), QStringLiteral("key11"));
    QTimer::singleShot(0, &buy, [&] { buy.cmdClose->click(); });
    buy.exec();
    EXPECT_FALSE(buy.isVisible());
}

// The member's site: caption, address box, and the refresh hint until the member ticks it away.
TEST_F(WebWindows, SiteWindowShowsTheHintUntilTheMemberTicksIt) {
    const QString site = "http://www." + demo.domain + "." + emulator().domain();
    EXPECT_EQ(MemberSiteAddress(), site);

    // Closes each hint as it comes up, ticking the box when asked to.
    int hints = 0;
    bool tick = false, byTitleBar = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* h = dynamic_cast<frmRefreashInfo*>(QApplication::activeModalWidget());
        if (!h || !h->isVisible()) return;
        ++hints;
        EXPECT_EQ(h->windowTitle(), "提示");
        EXPECT_FALSE(h->chkIKnow->isChecked());
        h->chkIKnow->setChecked(tick);
        if (byTitleBar)
            h->close();
        else
            h->cmdYes->click();
    });
    closer.start(20);

    const auto view = [&] {
        frmIE2 w;
        EXPECT_EQ(w.windowTitle(), site);
        EXPECT_EQ(w.txtURL->text(), "   " + site);
        w.show();
        ASSERT_EVENTUALLY(!w.Timer1->isActive() && w.webIE->hasDocument(), kLoadTimeoutMs);
        ASSERT_EVENTUALLY_EQ(w.staIE->panelText(1), QStringLiteral("完成"), kLoadTimeoutMs);
        EXPECT_EQ(QUrl(w.webIE->LocationURL()).host(), QUrl(site).host());
    };
    view();
    view();
    EXPECT_EQ(hints, 2);  // every viewing, while unticked
    tick = true;
    byTitleBar = true;
    view();
    EXPECT_EQ(hints, 3);
    EXPECT_EQ(GetUserSetting(UcsHintRefresh), QString());  // the title bar stores nothing
    byTitleBar = false;
    view();
    EXPECT_EQ(hints, 4);
    EXPECT_EQ(GetUserSetting(UcsHintRefresh), "1");
    view();
    EXPECT_EQ(hints, 4);  // never again
}

TEST_F(WebWindows, SiteWindowRefreshRereadsThePage) {
    const QString path = page(QStringLiteral("site.html"), "<html><body>one</body></html>");
    SetUserSetting(UcsHintRefresh, QStringLiteral("1"));
    frmIE2 w;
    w.webIE->Navigate(path);
    ASSERT_EVENTUALLY(w.webIE->documentTextSync().trimmed() == "one", kLoadTimeoutMs);
    writeFile(path, "<html><body>two</body></html>");
    w.cmdRefresh->click();
    ASSERT_EVENTUALLY(w.webIE->documentTextSync().trimmed() == "two", kLoadTimeoutMs);
}

TEST_F(WebWindows, LayoutFollowsTheWindowSizeInTwips) {
    using twips::ToPixels;
    PageUrl = QStringLiteral("about:blank");
    frmIE2 ie2;
    ie2.resize(1100, 800);
    ie2.show();
    ASSERT_EVENTUALLY_EQ(ie2.size(), QSize(1100, 800));
    int W = twips::FromPixels(ie2.frameGeometry().width());
    EXPECT_EQ(ie2.webIE->width(), ToPixels(W - 60));
    EXPECT_EQ(ie2.txtURL->width(), ToPixels(W - 855));
    // The buttons at their lefts where they fit; captions wider than the lefts allow push them left
    // in their order, the second inside the window, none over another.
    EXPECT_LE(ie2.cmdRefresh->x(), ToPixels(W - 3060));
    EXPECT_LE(ie2.cmdViewWithIE->x(), ToPixels(W - 2280));
    EXPECT_LT(ie2.cmdRefresh->geometry().right(), ie2.cmdViewWithIE->x());
    EXPECT_LE(ie2.cmdViewWithIE->geometry().right(), ie2.width());
    EXPECT_EQ(ie2.txtTX->x() + ie2.txtTX->width() + ToPixels(30), ie2.cmdRefresh->x());
    // The controls stay inside the client area, above the status bar.
    EXPECT_LE(ie2.webIE->geometry().bottom(), ie2.cmdRefresh->y());
    EXPECT_LE(ie2.cmdRefresh->geometry().bottom(), ie2.staIE->y());

    // Minimised, nothing moves; restored, the rules apply again.
    const QRect web = ie2.webIE->geometry();
    ie2.setWindowState(Qt::WindowMinimized);
    ie2.resize(900, 700);
    EXPECT_EQ(ie2.webIE->geometry(), web);
    ie2.setWindowState(Qt::WindowNoState);
    ASSERT_EVENTUALLY_EQ(ie2.webIE->width(), ToPixels(twips::FromPixels(ie2.frameGeometry().width()) - 60));

    frmWebFrame frame;
    frame.resize(1026, 714);
    frame.show();
    ASSERT_EVENTUALLY_EQ(frame.size(), QSize(1026, 714));
    W = twips::FromPixels(frame.frameGeometry().width());
    EXPECT_EQ(frame.web->width(), ToPixels(W - 70));
    EXPECT_EQ(frame.proIE->y(), frame.web->geometry().bottom() + 1 + ToPixels(105));
    EXPECT_EQ(frame.cmdClose->y(), frame.proIE->y() - ToPixels(530));
    EXPECT_LE(frame.proIE->geometry().bottom(), frame.staIE->y());
}

TEST_F(WebWindows, ViewInTheSystemBrowserClosesTheWindowAndOpensTheSite) {
    SetUserSetting(UcsHintRefresh, QStringLiteral("1"));
    QStringList opened;
    urlopening::Openers openers;
    openers.openWithDesktop = [&](const QString& url) {
        opened.append(url);
        return true;
    };
    urlopening::install(&openers);
    frmIE2 w;
    QTimer::singleShot(0, &w, [&] { w.cmdViewWithIE->click(); });
    w.exec();
    urlopening::install(nullptr);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(opened, QStringList{MemberSiteAddress()});
}

TEST(RefreshHintWindow, FixedTexts) {
    frmRefreashInfo w;
    EXPECT_EQ(w.size(), QSize(481, 174));
    QStringList texts;
    for (QLabel* l : w.findChildren<QLabel*>()) texts.append(l->text());
    EXPECT_EQ(texts, (QStringList{"提示：1、若无法查看到刚才所修改的效果，请点击“刷新”按钮。",
                                  "2、点击“刷新”按钮后仍无法查看到修改后的效果，则请",
                                  "点击“在系统浏览器中查看”按钮。",
                                  "（在更新swf(flash)格式的图片后可能会出现上述现象）"}));
    EXPECT_EQ(w.chkIKnow->text(), "我知道了，请不要再提示我了。");
    EXPECT_EQ(w.cmdYes->text(), "&Y.确 定");
}

}  // namespace
