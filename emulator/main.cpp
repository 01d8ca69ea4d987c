// tavolin-service: the local hosting-service emulator as a program of its own.
//   tavolin-service --data DIR [--port N] [--domain D] [--delayed-acks]
// Prints "listening on 127.0.0.1:<port>" and "demo member: <name> <password>", serves until
// SIGINT or SIGTERM, then saves its state and exits with 0.
#include "emulator/emulator.h"
#include "emulator/memberstore.h"
#include "emulator/servicelogic.h"
#include "platform/singleinstance.h"
#include "platform/vberror.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavolin-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local emulator of the hosting service"));
    parser.addHelpOption();
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Folder of the service's state."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port on 127.0.0.1 (0: a free one)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption domainOption(QStringLiteral("domain"), QStringLiteral("Service domain."),
                                          QStringLiteral("D"), ServiceConfig::defaults().domain);
    const QCommandLineOption delayedAcksOption(
        QStringLiteral("delayed-acks"),
        QStringLiteral("Acknowledge what clients send up to 40 ms late, as a server on a network may."));
    parser.addOptions({dataOption, portOption, domainOption, delayedAcksOption});
    parser.process(app);

    if (!parser.isSet(dataOption)) {
        std::fprintf(stderr, "tavolin-service: --data DIR is required\n");
        return 2;
    }
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        std::fprintf(stderr, "tavolin-service: bad port %s\n", qPrintable(parser.value(portOption)));
        return 2;
    }

    emu::Options options;
    options.dataDir = QDir(parser.value(dataOption)).absolutePath();
    // One emulator per data folder: two would each keep their own copy and lose the other's writes.
    SingleInstanceLock folderLock(options.dataDir, QStringLiteral("tavolin-service.lock"));
    if (!folderLock.tryLock()) {
        if (const int error = folderLock.openError()) {
            std::fprintf(stderr, "tavolin-service: cannot open the lock file %s: %s\n", qPrintable(folderLock.path()),
                         std::strerror(error));
            return 1;
        }
        const qint64 holder = folderLock.holderPid();
        std::fprintf(stderr, "tavolin-service: the data folder %s is in use by %s\n", qPrintable(options.dataDir),
                     holder > 0 ? qPrintable(QStringLiteral("process %1").arg(holder)) : "another process");
        return 1;
    }
    options.domain = parser.value(domainOption).trimmed();
    options.port = quint16(port);
    options.delayedAcks = parser.isSet(delayedAcksOption);
    emu::Emulator emulator(options);
    if (!emulator.store().damaged().isEmpty()) {
        std::fprintf(stderr, "tavolin-service: damaged files in the data folder, not starting (repair or move them away):\n");
        for (const QString& path : emulator.store().damaged()) std::fprintf(stderr, "  %s\n", qPrintable(path));
        return 1;
    }
    // The demo member of ./run gets an empty album of its own while it has none, so the upload
    // window has one to offer.
    if (emu::Member* demo = emulator.store().find(emu::ServiceLogic::Demo().name)) {
        const bool ownAlbum = std::any_of(demo->albums.begin(), demo->albums.end(),
                                          [](const emu::Album& a) { return a.name.left(3).toLower() != QLatin1String("www"); });
        if (!ownAlbum) {
            try {
                emulator.store().createAlbum(*demo, QStringLiteral("我的相册"), emulator.store().newStamp());
            } catch (const VbError& e) {
                std::fprintf(stderr, "tavolin-service: the demo album was not saved: %s\n", qPrintable(e.description()));
            }
        }
    }
    if (!emulator.listen()) {
        std::fprintf(stderr, "tavolin-service: cannot listen: %s\n", qPrintable(emulator.errorString()));
        return 1;
    }

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return 1;
    QSocketNotifier notifier(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    const emu::DemoMember demo = emu::ServiceLogic::Demo();
    std::printf("listening on 127.0.0.1:%u\n", unsigned(emulator.port()));
    std::printf("demo member: %s %s\n", demo.name.toUtf8().constData(), demo.password.toUtf8().constData());
    std::fflush(stdout);

    app.exec();
    return emulator.save() ? 0 : 1;
}
