#pragma once
// The service emulator as a process of its own for the benchmarks that talk to it: started on a
// free port beside the benchmark program, its demo member read from its banner, and the program's
// service configuration and proxy pointed at it.
#include "platform/browserenvironment.h"
#include "platform/eventwait.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>

// The environment the program's start-up and the tests give windows and the browser engine, set
// before the QApplication exists: offscreen unless a platform is named, software rendering, a
// private runtime folder. Returns the browser engine's flags.
inline QByteArray PrepareOffscreenEnvironment(const QTemporaryDir& runtime) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareBrowserEnvironment();
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) flags += " --disable-gpu";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return flags.trimmed();
}

// Prompts that print each message and answer it with its first button; the folder dialog answers
// with folder, every other dialog is cancelled.
class PrintedPrompts : public Prompts {
public:
    QString folder;
    int msgBox(const QString& text, int style, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return FirstButton(style);
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return QString(); }
    QString openFile(const QString&, const QString&, const QString&) override { return QString(); }
    QStringList openFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString browseFolder(const QString&, const QString&) override { return folder; }
    QColor chooseColor(const QColor&, const QString&) override { return QColor(); }
};

struct ServiceProcess {
    QProcess process;
    QString port;
    QString member, password;
    QString error;

    // Starts tavolin-service on dataDir (with options of its own, such as --delayed-acks); false
    // with error set when it does not come up.
    bool start(const QString& dataDir, const QStringList& options = {}) {
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../emulator/tavolin-service");
        QDir().mkpath(dataDir);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, QStringList{QStringLiteral("--data"), dataDir, QStringLiteral("--port"), QStringLiteral("0")} + options);
        if (!process.waitForStarted(10000)) {
            error = QStringLiteral("cannot start ") + program;
            return false;
        }
        QString banner;
        WaitUntil([&] {
            process.waitForReadyRead(50);
            banner += QString::fromUtf8(process.readAll());
            return banner.contains(QStringLiteral("demo member: ")) && banner.endsWith(QLatin1Char('\n'));
        }, 15000, 5);
        port = QRegularExpression(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)")).match(banner).captured(1);
        const QRegularExpressionMatch demo = QRegularExpression(QStringLiteral("demo member: (\\S+) (\\S+)")).match(banner);
        if (port.isEmpty() || !demo.hasMatch()) {
            error = QStringLiteral("the service said: ") + banner;
            return false;
        }
        member = demo.captured(1);
        password = demo.captured(2);
        ServiceConfig config = ServiceConfig::defaults();
        config.proxy = QStringLiteral("127.0.0.1:") + port;
        serviceconfig::set(config, true);
        // As the program does before its first browser exists.
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), port.toUShort()));
        return true;
    }
};
