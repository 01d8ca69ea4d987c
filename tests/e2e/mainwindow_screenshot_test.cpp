// The main window on a real X display (xvfb-run): the demo member logs in through the login window
// against the service emulator, and once all 37 site pages have loaded a screenshot of the screen
// is kept in the build folder as e2e-main-window.png.
#include "login/ui/loginwindow.h"
#include "platform/eventwait.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/programend.h"
#include "platform/ui/webbrowser.h"
#include "support/emulatorfixture.h"
#include "support/rendererlimit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>

#include <functional>

namespace {

[[maybe_unused]] const bool kRendererLimit = testsupport::LimitRendererProcesses();

const char kChildVariable[] = "TAVOLIN_MAINWINDOW_SCREENSHOT_CHILD";

QString ShotPath() {
    return qEnvironmentVariable("TAVOLIN_BUILD_DIR", QDir::currentPath()) + QStringLiteral("/e2e-main-window.png");
}

// The number of distinct colours in a rectangle: a page that rendered shows more than one.
int Colours(const QImage& image, const QRect& r) {
    QSet<QRgb> seen;
    for (int y = r.top(); y <= r.bottom(); y += 2)
        for (int x = r.left(); x <= r.right(); x += 2) seen.insert(image.pixel(x, y));
    return int(seen.size());
}

class MainWindowScreenshot : public testsupport::EmulatorTest {};

// The part that runs on the virtual display.
void LogInAndShoot() {
    programend::SetHandler([] {});
    const emu::DemoMember demo = testsupport::Emulator::instance().demoMember();
    frmLogin* login = ShowLoginWindow();
    login->Timer1->stop();
    while (!login->picLogin->isEnabled()) login->Timer1_Timer();
    login->cobUser->setEditText(demo.name);
    login->txtPassword->setText(demo.password);
    login->cmdLogin_Click();

    frm个人网站* w = frm个人网站::loaded();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(WaitUntil([w] { return w->siteBrowsersLoaded() == 37; }, 60000)) << w->siteBrowsersLoaded();
    ASSERT_TRUE(WaitUntil([w] { return w->webAD->hasDocument() && w->webAD2->hasDocument(); }, 30000));
    // The first tick places the browsers; then the renderers paint, which the screen shows.
    ASSERT_TRUE(WaitUntil([w] { return w->firstTickDone(); }, 10000));

    // The screen as the X server shows it, cut to the window, taken again until the header's
    // picture cell (2) of the demo site shows its picture, not a blank box.
    QImage shot;
    QRect cell2;
    const bool painted = WaitUntil([&] {
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        const QRect frame = w->frameGeometry().intersected(screen.rect());
        if (screen.isNull() || frame.isEmpty()) return false;
        shot = screen.copy(frame);
        const QPoint canvas = w->picWeb->mapTo(w, QPoint(0, 0)) + w->geometry().topLeft() - frame.topLeft();
        cell2 = QRect(canvas + QPoint(306 + 20, 20), QSize(600, 100)).intersected(shot.rect());
        return !cell2.isEmpty() && Colours(shot, cell2) > 1;
    }, 60000);
    ASSERT_FALSE(shot.isNull());
    ASSERT_TRUE(shot.save(ShotPath())) << ShotPath().toStdString();
    EXPECT_TRUE(painted) << "cell 2 is blank";

    frm个人网站::unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    programend::SetHandler({});
}

TEST_F(MainWindowScreenshot, AfterTheDemoMembersLogin) {
    if (qEnvironmentVariableIsSet(kChildVariable)) {
        LogInAndShoot();
        return;
    }
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty()) GTEST_SKIP() << "xvfb-run is not installed";
    QFile::remove(ShotPath());

    // This same test again, on a virtual display of its own.
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24 -nolisten tcp"),
                          QCoreApplication::applicationFilePath(),
                          QStringLiteral("--gtest_filter=MainWindowScreenshot.AfterTheDemoMembersLogin")});
    ASSERT_TRUE(child.waitForStarted(10000));
    const bool finished = child.waitForFinished(150000);
    const QString output = QString::fromUtf8(child.readAll());
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    ASSERT_TRUE(finished) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    const QImage shot(ShotPath());
    ASSERT_FALSE(shot.isNull()) << "no screenshot at " << ShotPath().toStdString();
    EXPECT_GE(shot.width(), 800);
    EXPECT_GE(shot.height(), 600);
}

}  // namespace
