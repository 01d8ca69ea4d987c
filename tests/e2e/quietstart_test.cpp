// The program's start as a process: the browser engine's own messages stay off stderr unless the
// run asks for them. The program is pointed at a small proxy of the test's own, which serves the
// login window's advertisement page; that page asks for a picture, so once the picture is asked
// for, the engine and a page's renderer have started, loaded and drawn a page.
#include <gtest/gtest.h>

#include "e2e/childprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <functional>

using e2e::buildDir;
using e2e::waitUntil;

namespace {

// An HTTP proxy that answers every page with one that shows a picture, and the picture itself.
class PageProxy {
public:
    PageProxy() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    quint16 port() const { return server.serverPort(); }
    bool pictureAsked() const { return pictures > 0; }

private:
    void answer(QTcpSocket* s) {
        QByteArray& request = pending[s];
        request += s->readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QByteArray line = request.left(request.indexOf("\r\n"));
        pending.remove(s);
        QByteArray type = "text/html", body = "<html><body><p>ad</p><img src=\"/quiet-start.png\"></body></html>";
        if (line.contains("/quiet-start.png")) {
            ++pictures;
            type = "image/gif";
            body = QByteArray::fromBase64("R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");
        }
        s->write("HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                 "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }

    QTcpServer server;
    QHash<QTcpSocket*, QByteArray> pending;
    int pictures = 0;
};

// The lines of the browser engine in a process's stderr: Chromium's log lines ("[pid:tid:time:LEVEL:
// file(line)] ..."), the messages of Qt's engine categories and of page scripts, and the engine's
// start-up report.
QStringList EngineLines(const QString& err) {
    static const QRegularExpression engine(QStringLiteral(
        "^(\\[\\d+:\\d+:|qt\\.webengine|js:|\\s+\\*\\s+\\S|.*(WebEngine|Chromium|Sandbox|graphics backend|GL Type|"
        "Surface (Type|Profile|Version)|QSG|Init Parameters))"));
    QStringList found;
    for (const QString& line : err.split(QLatin1Char('\n')))
        if (engine.match(line).hasMatch()) found << line;
    return found;
}

// Starts the program on a fresh data folder, waits for its login window's page to be drawn, ends it
// and gives what it wrote to stderr.
QString StartAndEnd(const QStringList& args, const QMap<QString, QString>& extraEnv) {
    const QString program = buildDir() + QStringLiteral("/tavolin");
    EXPECT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QTemporaryDir work;
    const QString home = work.filePath(QStringLiteral("home"));
    QDir().mkpath(home + QStringLiteral("/data"));
    QDir().mkpath(work.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(work.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    PageProxy proxy;
    {
        QFile ini(home + QStringLiteral("/data/service.ini"));
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[service]\nproxy=127.0.0.1:" + QByteArray::number(proxy.port()) + "\n");
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TAVOLIN_DEBUG"));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TAVOLIN_HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    for (auto it = extraEnv.cbegin(); it != extraEnv.cend(); ++it) env.insert(it.key(), it.value());
    QProcess app;
    app.setProcessEnvironment(env);
    app.start(program, args);
    EXPECT_TRUE(app.waitForStarted(10000));
    // The connect splash of a first start, then the login window and its page (a busy machine
    // takes longer; the wait ends with the picture's request).
    const bool drawn = waitUntil([&] { return proxy.pictureAsked() || app.state() == QProcess::NotRunning; }, 120000);
    EXPECT_TRUE(drawn && proxy.pictureAsked()) << app.readAllStandardError().toStdString();
    app.terminate();
    if (!waitUntil([&] { return app.state() == QProcess::NotRunning; }, 20000)) {
        app.kill();
        app.waitForFinished(5000);
    }
    return QString::fromUtf8(app.readAllStandardError());
}

TEST(QuietStart, TheEnginesMessagesShowOnlyWhenAskedFor) {
    const QString quiet = StartAndEnd({}, {});
    EXPECT_TRUE(EngineLines(quiet).isEmpty()) << EngineLines(quiet).join(QLatin1Char('\n')).toStdString();
    // Asked for, they are there: the check above looks at the right lines.
    const QString verbose = StartAndEnd({QStringLiteral("--verbose")}, {});
    EXPECT_FALSE(EngineLines(verbose).isEmpty()) << verbose.toStdString();
    const QString debug = StartAndEnd({}, {{QStringLiteral("TAVOLIN_DEBUG"), QStringLiteral("1")}});
    EXPECT_FALSE(EngineLines(debug).isEmpty()) << debug.toStdString();
}

}  // namespace
