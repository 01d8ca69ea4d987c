// The mobile-site preview: the address, the two views' geometry, the zoom after each finished
// load, and the member's mobile site on the emulator with a link that asks for a new window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "siteoptions/mobilesite.h"
#include "siteoptions/ui/mobilesitewindow.h"
#include "state/loginstate.h"
#include "support/eventually.h"
#include "support/publishfixture.h"

namespace {

// A controller whose window is a log.
struct LoggedView {
    LoggedView() {
        MobileSiteView& v = logic.view;
        v.setAddress = [this](const QString& a) { log << QStringLiteral("address ") + a; };
        v.navigate = [this](const QString& a) { log << QStringLiteral("navigate ") + a; };
        v.hasDocument = [this] { return document; };
        v.runScript = [this](const QString& s) { log << s; };
        v.placeFrame = [this](int l, int t, int w, int h) { log << QStringLiteral("frame %1 %2 %3 %4").arg(l).arg(t).arg(w).arg(h); };
        v.sizeBrowser = [this](int w, int h) { log << QStringLiteral("size %1 %2").arg(w).arg(h); };
        v.moveBrowser = [this](int l, int t) { log << QStringLiteral("move %1 %2").arg(l).arg(t); };
        v.showPhoneButton = [this](bool on) { log << QStringLiteral("53 ") + (on ? "shown" : "hidden"); };
        v.showMonitorButton = [this](bool on) { log << QStringLiteral("100 ") + (on ? "shown" : "hidden"); };
        v.enableTimer = [this](bool on) { log << QStringLiteral("timer ") + (on ? "on" : "off"); };
    }
    MobileSiteController logic;
    QStringList log;
    bool document = true;
};

}  // namespace

class MobileSite : public testsupport::DataRootTest {};

TEST_F(MobileSite, ViewsZoomAndTimer) {
    SetLoginField(12, QStringLiteral("MySite"));
    LoggedView w;
    w.logic.Form_Load();
    // Nothing trimmed or lower-cased; the zoom waits for the load.
    const QString address = QStringLiteral("http://m.MySite.") + serviceconfig::current().domain;
    EXPECT_EQ(w.log, (QStringList{QStringLiteral("address ") + address, QStringLiteral("navigate ") + address,
                                  QStringLiteral("frame 690 2025 3915 5385"), QStringLiteral("size 3960 5445")}));

    w.log.clear();
    w.logic.cmdViewBy100_Click();
    EXPECT_EQ(w.log, (QStringList{QStringLiteral("frame 270 210 8460 8625"), QStringLiteral("size 7530 8595"),
                                  QStringLiteral("move 450 30"), QStringLiteral("document.body.style.zoom='100%'"),
                                  QStringLiteral("53 shown"), QStringLiteral("100 hidden")}));
    w.log.clear();
    w.logic.cmdViewBy53_Click();
    EXPECT_EQ(w.log, (QStringList{QStringLiteral("frame 690 2025 3915 5385"), QStringLiteral("size 3960 5445"),
                                  QStringLiteral("move -30 -30"), QStringLiteral("document.body.style.zoom='53%'"),
                                  QStringLiteral("53 hidden"), QStringLiteral("100 shown")}));

    // Only the end of a load (or a report of 0) starts the timer.
    const struct {
        int progress, max;
        bool starts;
    } reports[] = {{-1, 100, true}, {0, 100, true}, {1, 100, false}, {99, 100, false}, {100, 100, true}, {5, 0, true}};
    for (const auto& r : reports) {
        w.log.clear();
        w.logic.webView_ProgressChange(r.progress, r.max);
        EXPECT_EQ(w.log, r.starts ? QStringList{QStringLiteral("timer on")} : QStringList()) << r.progress << "/" << r.max;
    }
    w.log.clear();
    w.logic.Timer1_Timer();
    EXPECT_EQ(w.log, (QStringList{QStringLiteral("timer off"), QStringLiteral("document.body.style.zoom='53%'"),
                                  QStringLiteral("move -30 -30")}));

    // Without a document there is nothing to zoom; the rest still happens.
    w.document = false;
    w.log.clear();
    w.logic.cmdViewBy100_Click();
    EXPECT_FALSE(w.log.contains(QStringLiteral("document.body.style.zoom='100%'")));
    EXPECT_TRUE(w.log.contains(QStringLiteral("100 hidden")));

    bool cancel = false;
    w.logic.webView_NewWindow2(&cancel);
    EXPECT_TRUE(cancel);
}

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

int OpenBrowserWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<WebBrowserWindow*>(w)) ++n;
    return n;
}

constexpr int kLoadTimeoutMs = 60000;

}  // namespace

class MobileSiteWindowTest : public testsupport::PublishTest {};

TEST_F(MobileSiteWindowTest, TheMobileSiteIsZoomedAfterEachLoadAndOpensNoWindow) {
    using twips::ToPixels;
    MobileSiteWindow window;
    EXPECT_EQ(UnsetRequiredHooks(window.logic.view), QStringList());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("手机网站"));
    EXPECT_EQ(window.txtURL->text(), QStringLiteral("http://m.") + demo.domain + QLatin1Char('.') + emulator().domain());
    EXPECT_EQ(window.picWeb->geometry(), QRect(ToPixels(690), ToPixels(2025), ToPixels(3915), ToPixels(5385)));
    EXPECT_EQ(window.webView->size(), QSize(ToPixels(3960), ToPixels(5445)));
    EXPECT_TRUE(window.cmdViewBy53->isHidden());
    EXPECT_FALSE(window.cmdViewBy100->isHidden());
    window.show();

    auto zoom = [&] { return window.webView->runScriptSync(QStringLiteral("document.body.style.zoom")).toString(); };
    ASSERT_EVENTUALLY_EQ(zoom(), QStringLiteral("53%"), kLoadTimeoutMs);
    EXPECT_EQ(window.webView->pos(), QPoint(ToPixels(-30), ToPixels(-30)));

    // The monitor view at once; a page followed there returns to the phone zoom after its load.
    window.cmdViewBy100->click();
    EXPECT_EQ(window.picWeb->geometry(), QRect(ToPixels(270), ToPixels(210), ToPixels(8460), ToPixels(8625)));
    EXPECT_EQ(window.webView->pos(), QPoint(ToPixels(450), ToPixels(30)));
    ASSERT_EVENTUALLY_EQ(zoom(), QStringLiteral("100%"), kLoadTimeoutMs);
    window.webView->runScript(QStringLiteral("document.getElementById('next').click()"));
    ASSERT_EVENTUALLY(window.webView->LocationURL().endsWith(QStringLiteral("/2.html")), kLoadTimeoutMs);
    ASSERT_EVENTUALLY_EQ(zoom(), QStringLiteral("53%"), kLoadTimeoutMs);
    EXPECT_FALSE(window.cmdViewBy53->isHidden());

    // A link meant for a new window: asked for, refused, nothing opens and the page stays.
    window.webView->runScript(QStringLiteral("history.back()"));
    ASSERT_EVENTUALLY(!window.webView->LocationURL().endsWith(QStringLiteral("/2.html")), kLoadTimeoutMs);
    ASSERT_EVENTUALLY_EQ(window.webView->runScriptSync(QStringLiteral("!!document.getElementById('newwindow')")).toBool(),
                         true, kLoadTimeoutMs);
    QList<bool> refused;
    QObject::connect(window.webView, &WebBrowser::newWindow2, [&](bool* cancel) { refused << *cancel; });
    window.webView->runScript(QStringLiteral("document.getElementById('newwindow').click()"));
    ASSERT_EVENTUALLY_EQ(refused.size(), 1, kLoadTimeoutMs);
    EXPECT_TRUE(refused[0]);
    EXPECT_EQ(OpenBrowserWindows(), 0);
    EXPECT_FALSE(window.webView->LocationURL().endsWith(QStringLiteral("/2.html")));
}

#endif  // TAVOLIN_HAVE_EMULATOR
