// The real program as a new user meets it: a 1366x768 virtual X display with a window manager
// (openbox), the real service emulator, the demo member logging in through the login window. The
// main window must end maximised (a small screen); screenshots of the login window and of the main
// window are kept in the build folder (e2e-login-window.png, e2e-after-login.png). Every wait is
// for a condition, so a busy machine only makes the run longer.
#include <gtest/gtest.h>

#include "e2e/childprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

using e2e::buildDir;
using e2e::waitUntil;
using e2e::Child;

namespace {

// The screen of an Xvfb started with -fbdir: an XWD file whose header fields are big-endian.
QImage readXvfbScreen(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QImage();
    const QByteArray b = f.readAll();
    auto field = [&b](int i) -> quint32 {
        if (b.size() < (i + 1) * 4) return 0;
        const auto* p = reinterpret_cast<const uchar*>(b.constData() + i * 4);
        return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    };
    const quint32 headerSize = field(0), width = field(4), height = field(5), bitsPerPixel = field(11),
                  bytesPerLine = field(12), colours = field(19);
    const qint64 offset = qint64(headerSize) + qint64(colours) * 12;
    if (bitsPerPixel != 32 || width == 0 || height == 0 || offset + qint64(bytesPerLine) * height > b.size())
        return QImage();
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y)
        memcpy(image.scanLine(int(y)), b.constData() + offset + qint64(y) * bytesPerLine, width * 4);
    return image;
}

}  // namespace

TEST(ProgramSmoke, DemoMemberLogsInAndTheMainWindowOpens) {
    for (const char* tool : {"Xvfb", "xdotool", "openbox", "xprop"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) GTEST_SKIP() << tool << " is not installed";
    const QString program = buildDir() + QStringLiteral("/tavolin");
    const QString service = buildDir() + QStringLiteral("/emulator/tavolin-service");
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    ASSERT_TRUE(QFileInfo(service).isExecutable()) << service.toStdString();
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString home = work.filePath(QStringLiteral("home"));
    QDir().mkpath(home + QStringLiteral("/data"));
    QDir().mkpath(work.filePath(QStringLiteral("service")));
    QDir().mkpath(work.filePath(QStringLiteral("fb")));
    QDir().mkpath(work.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(work.filePath(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The service, as ./run starts it.
    Child svc;
    svc.p.setProcessChannelMode(QProcess::MergedChannels);
    svc.p.start(service, {QStringLiteral("--data"), work.filePath(QStringLiteral("service")), QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(svc.p.waitForStarted(10000));
    QString banner;
    ASSERT_TRUE(waitUntil([&] {
        svc.p.waitForReadyRead(100);
        banner += QString::fromUtf8(svc.p.readAll());
        return banner.contains(QStringLiteral("demo member: ")) && banner.endsWith(QLatin1Char('\n'));
    }, 15000)) << banner.toStdString();
    const auto port = QRegularExpression(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)")).match(banner).captured(1);
    const QStringList demo = QRegularExpression(QStringLiteral("demo member: (\\S+) (\\S+)")).match(banner).capturedTexts();
    ASSERT_FALSE(port.isEmpty());
    ASSERT_EQ(demo.size(), 3);
    {
        QFile ini(home + QStringLiteral("/data/service.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[service]\nproxy=127.0.0.1:" + port.toLatin1() + "\n");
    }

    // A display of its own: Xvfb picks a free number and writes it to its output.
    Child xvfb;
    xvfb.p.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                                         QStringLiteral("1366x768x24"), QStringLiteral("-fbdir"), work.filePath(QStringLiteral("fb")),
                                         QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(xvfb.p.waitForStarted(10000));
    QString display;
    ASSERT_TRUE(waitUntil([&] {
        xvfb.p.waitForReadyRead(100);
        display += QString::fromLatin1(xvfb.p.readAllStandardOutput());
        return display.endsWith(QLatin1Char('\n'));
    }, 15000));
    display = display.trimmed();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("TAVOLIN_HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    auto xdotool = [&env](const QStringList& args, QString* out = nullptr) {
        QProcess x;
        x.setProcessEnvironment(env);
        x.start(QStringLiteral("xdotool"), args);
        if (!x.waitForFinished(10000)) {
            x.kill();
            x.waitForFinished();
            return false;
        }
        if (out) *out = QString::fromUtf8(x.readAllStandardOutput()).trimmed();
        return x.exitStatus() == QProcess::NormalExit && x.exitCode() == 0;
    };
    // The window manager, up once it announces itself on the root window.
    Child wm;
    wm.p.setProcessEnvironment(env);
    wm.p.setProcessChannelMode(QProcess::MergedChannels);
    wm.p.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    ASSERT_TRUE(wm.p.waitForStarted(10000));
    auto xprop = [&env](const QStringList& args) {
        QProcess x;
        x.setProcessEnvironment(env);
        x.start(QStringLiteral("xprop"), args);
        if (!x.waitForFinished(10000)) {
            x.kill();
            x.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(x.readAllStandardOutput());
    };
    ASSERT_TRUE(waitUntil([&] {
        return xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}).contains(QStringLiteral("window id"));
    }, 30000)) << wm.p.readAll().toStdString();
    const QString screenFile = work.filePath(QStringLiteral("fb/Xvfb_screen0"));
    // The screen once it has settled: two looks a moment apart differ in under 2 % of the screen
    // (a running clock or a turning slide show in a cell goes on changing its small part).
    auto steadyScreen = [&](int ms) {
        QImage last = readXvfbScreen(screenFile), now;
        waitUntil([&] {
            QThread::msleep(400);
            now = readXvfbScreen(screenFile);
            bool settled = !now.isNull() && !last.isNull() && now.size() == last.size();
            if (settled) {
                qint64 differing = 0;
                for (int y = 0; y < now.height(); y += 2)
                    for (int x = 0; x < now.width(); x += 2) differing += now.pixel(x, y) != last.pixel(x, y);
                settled = differing * 4 * 50 < qint64(now.width()) * now.height();
            }
            last = now;
            return settled;
        }, ms);
        return last;
    };
    auto visibleWindow = [&](const QString& name) {
        QString ids;
        xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), name}, &ids);
        return ids.section(QLatin1Char('\n'), 0, 0);
    };

    Child app;
    app.p.setProcessEnvironment(env);
    app.p.setProcessChannelMode(QProcess::MergedChannels);
    app.p.start(program, {});
    ASSERT_TRUE(app.p.waitForStarted(10000));

    // The splash of a first start, then the login window and its load animation (about 6 s).
    QString login;
    ASSERT_TRUE(waitUntil([&] { return !(login = visibleWindow(QStringLiteral("请您登录"))).isEmpty(); }, 60000))
        << app.p.readAll().toStdString();
    // The load animation (about 6 s) ignores input and changes the screen until it ends; a slow
    // machine takes longer, so the login is typed again until the login window goes.
    const QImage loginScreen = steadyScreen(60000);
    EXPECT_TRUE(loginScreen.save(buildDir() + QStringLiteral("/e2e-login-window.png")));
    // Member box (x 140..360, y 258..284 of the window), Enter to the password box, Enter to log in.
    auto typeLogin = [&] {
        return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), login, QStringLiteral("240"),
                        QStringLiteral("271"), QStringLiteral("click"), QStringLiteral("1")}) &&
               xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")}) &&
               xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), demo[1]}) &&
               xdotool({QStringLiteral("key"), QStringLiteral("Return")}) &&
               xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")}) &&
               xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), demo[2]}) &&
               xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    };
    bool loggedIn = false;
    for (int attempt = 0; attempt < 6 && !loggedIn; ++attempt) {
        ASSERT_TRUE(typeLogin());
        loggedIn = waitUntil([&] { return visibleWindow(QStringLiteral("请您登录")).isEmpty(); }, 30000);
    }
    ASSERT_TRUE(loggedIn) << app.p.readAll().toStdString();

    // The login window goes, the main window opens, the member's pages exist.
    const QString pages = home + QStringLiteral("/UserData/") + demo[1] + QStringLiteral("/temp");
    QString main;
    ASSERT_TRUE(waitUntil([&] { return !(main = visibleWindow(QStringLiteral("个人网站自助创建软件"))).isEmpty(); }, 60000))
        << app.p.readAll().toStdString();
    EXPECT_TRUE(QFileInfo::exists(pages + QStringLiteral("/0.html")));
    EXPECT_TRUE(QFileInfo::exists(pages + QStringLiteral("/32.html")));
    EXPECT_EQ(app.p.state(), QProcess::Running);

    // A 768-pixel screen is a small one: the window manager holds the main window maximised, also
    // after its browsers have started (they replace the window's native window).
    QString state;
    const bool maximised = waitUntil([&] {
        state = xprop({QStringLiteral("-id"), main, QStringLiteral("_NET_WM_STATE")});
        return state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")) &&
               state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"));
    }, 90000);
    EXPECT_TRUE(maximised) << state.toStdString();

    const QImage screen = steadyScreen(60000);
    ASSERT_FALSE(screen.isNull());
    const QString shot = buildDir() + QStringLiteral("/e2e-after-login.png");
    EXPECT_TRUE(screen.save(shot)) << shot.toStdString();
    // Something was drawn: the screen is not one colour.
    bool varied = false;
    const QRgb first = screen.pixel(0, 0);
    for (int y = 0; y < screen.height() && !varied; y += 7)
        for (int x = 0; x < screen.width() && !varied; x += 7) varied = screen.pixel(x, y) != first;
    EXPECT_TRUE(varied);
    // Still maximised once everything is in.
    state = xprop({QStringLiteral("-id"), main, QStringLiteral("_NET_WM_STATE")});
    EXPECT_TRUE(state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT"))) << state.toStdString();
}
