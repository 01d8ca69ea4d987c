// A new member's first look at the cell editor, the upload window and the file manager on a
// 1366x768 X display with a window manager (Xvfb and openbox): each opens with its first-run
// tutorial or hints showing, and no tutorial panel or hint box lies over an enabled control (by
// the widgets' geometry). A screenshot of each is kept in the build folder
// (e2e-cell-editor.png, e2e-upload-window.png, e2e-file-manager.png).
#include "mainwindow/ui/sitewindow.h"
#include "platform/eventwait.h"
#include "platform/programend.h"
#include "platform/ui/windowgeometry.h"
#include "support/emulatorfixture.h"
#include "support/rendererlimit.h"
#include "support/windowtour.h"

#include <gtest/gtest.h>

#include "e2e/childprocess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

using e2e::Child;

namespace {

[[maybe_unused]] const bool kRendererLimit = testsupport::LimitRendererProcesses();

const char kChildVariable[] = "TAVOLIN_FIRSTRUN_WINDOWS_CHILD";

QString ShotPath(const QString& name) {
    return qEnvironmentVariable("TAVOLIN_BUILD_DIR", QDir::currentPath()) + QStringLiteral("/e2e-") + name + QStringLiteral(".png");
}

const QStringList kShots{QStringLiteral("cell-editor"), QStringLiteral("upload-window"), QStringLiteral("file-manager")};

class FirstRunWindows : public testsupport::EmulatorTest {};

// The part that runs on the virtual display.
void OpenAndLook() {
    programend::SetHandler([] {});
    ASSERT_TRUE(testsupport::LogInDemoMember());
    frm个人网站* main = frm个人网站::loaded();
    ASSERT_TRUE(WaitUntil([main] { return main->isVisible(); }, 60000));
    const struct {
        QAbstractButton* button;
        QString shot;
    } stops[] = {
        {main->cmdEdit.value(4), kShots[0]},
        {main->cmdUploadPic, kShots[1]},
        {main->cmdPicManage, kShots[2]},
    };
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.shot.toStdString());
        ASSERT_TRUE(stop.button);
        QStringList overlaps;
        int boxesShown = 0;
        const int seen = testsupport::VisitWindows([b = stop.button] { b->click(); }, [&](QWidget* w) {
            const auto shownBoxes = [w] {
                int n = 0;
                for (const QWidget* box : testsupport::FloatingBoxes(w)) n += box->isVisible();
                return n;
            };
            WaitUntil([&] { return shownBoxes() > 0; }, 30000);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
            boxesShown = shownBoxes();
            overlaps << windowgeometry::Overlaps(w, testsupport::FloatingBoxes(w));
            const QImage screen = w->screen()->grabWindow(0).toImage();
            const QImage shot = screen.copy(w->frameGeometry().intersected(screen.rect()));
            EXPECT_TRUE(!shot.isNull() && shot.save(ShotPath(stop.shot))) << ShotPath(stop.shot).toStdString();
        });
        EXPECT_EQ(seen, 1);
        EXPECT_GT(boxesShown, 0) << "no first-run tutorial or hint showed";
        EXPECT_EQ(overlaps.join(QLatin1Char('\n')).toStdString(), "");
    }
    frm个人网站::unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    programend::SetHandler({});
}

bool WaitFor(const std::function<bool()>& done, int ms) { return WaitUntil(done, ms, 100); }

TEST_F(FirstRunWindows, TutorialsAndHintsCoverNoControlUnderAWindowManager) {
    if (qEnvironmentVariableIsSet(kChildVariable)) {
        OpenAndLook();
        return;
    }
    for (const char* tool : {"Xvfb", "openbox", "xprop"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) GTEST_SKIP() << tool << " is not installed";
    for (const QString& name : kShots) QFile::remove(ShotPath(name));

    Child xvfb;
    xvfb.p.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                         QStringLiteral("0"), QStringLiteral("1366x768x24"), QStringLiteral("-nolisten"),
                                         QStringLiteral("tcp")});
    ASSERT_TRUE(xvfb.p.waitForStarted(10000));
    QString display;
    ASSERT_TRUE(WaitFor([&] {
        xvfb.p.waitForReadyRead(100);
        display += QString::fromLatin1(xvfb.p.readAllStandardOutput());
        return display.endsWith(QLatin1Char('\n'));
    }, 15000));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display.trimmed());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));

    Child wm;
    wm.p.setProcessEnvironment(env);
    wm.p.setProcessChannelMode(QProcess::MergedChannels);
    wm.p.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    ASSERT_TRUE(wm.p.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([&] {
        QProcess x;
        x.setProcessEnvironment(env);
        x.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
        x.waitForFinished(10000);
        return QString::fromUtf8(x.readAllStandardOutput()).contains(QStringLiteral("window id"));
    }, 30000));

    // This same test again, on that display.
    Child child;
    env.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    child.p.setProcessEnvironment(env);
    child.p.setProcessChannelMode(QProcess::MergedChannels);
    child.p.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=FirstRunWindows.TutorialsAndHintsCoverNoControlUnderAWindowManager")});
    ASSERT_TRUE(child.p.waitForStarted(10000));
    const bool finished = child.p.waitForFinished(300000);
    const QString output = QString::fromUtf8(child.p.readAll());
    ASSERT_TRUE(finished) << output.toStdString();
    EXPECT_EQ(child.p.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    for (const QString& name : kShots) EXPECT_FALSE(QImage(ShotPath(name)).isNull()) << ShotPath(name).toStdString();
}

}  // namespace
