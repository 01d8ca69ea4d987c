// The emulator's thumbnails of a page of 15 stored pictures of about 220 KB: served from the
// file made when each was stored, against scaling each picture per request (the peer). And the
// cost of one upload for a member who keeps 10 files and one who keeps 10,000: the same, since a
// change appends one line to the album log instead of writing the member's whole file list.
// Then the service as its own process, driven over HTTP: publishes and uploads per second and
// the service's CPU time per request, for a fresh member, one who keeps 1,000 files and one who
// keeps 1,000 blog posts of 10 KB, printed side by side at the end. A change costs the same
// whatever the member keeps: posts and file lists are logs beside the small member record.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "emulator/memberstore.h"
#include "foundation/md5.h"
#include "platform/soapclient.h"
#include "servicesupport.h"
#include "site/publishcheck.h"

#include <QDate>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kPage = 15;

struct StoredPage {
    QTemporaryDir dir;
    QStringList files;
    StoredPage() {
        // Noise keeps the JPEG near 250 KB at this size and quality.
        QImage picture(800, 600, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, random.generate() & 0x3F3F3F);
        for (int i = 0; i < kPage; ++i) {
            const QString path = dir.path() + QStringLiteral("/p%1.jpg").arg(i);
            picture.save(path, "JPG", 92);
            emu::MakeThumbnail(path);
            files << path;
        }
    }
};

StoredPage& page() {
    static StoredPage p;
    return p;
}

void BM_ThumbnailsFromTheirFiles(benchmark::State& state) {
    const QStringList& files = page().files;
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& f : files) {
            QFile thumb(emu::ThumbnailPath(f));
            if (thumb.open(QIODevice::ReadOnly)) bytes += thumb.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["pictureKB"] = double(QFile(files.first()).size()) / 1024;
}
BENCHMARK(BM_ThumbnailsFromTheirFiles)->Unit(benchmark::kMillisecond);

void BM_ThumbnailsScaledPerRequest(benchmark::State& state) {
    const QStringList& files = page().files;
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& f : files) {
            QByteArray out;
            QBuffer buffer(&out);
            buffer.open(QIODevice::WriteOnly);
            QImage(f).scaled(100, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(&buffer, "JPG", 90);
            bytes += out.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ThumbnailsScaledPerRequest)->Unit(benchmark::kMillisecond);

// A member whose album log lists `files` stored files (their bytes are not needed for the cost).
struct MemberWithFiles {
    QTemporaryDir dir;
    std::unique_ptr<emu::MemberStore> store;
    explicit MemberWithFiles(int files) {
        const QString memberDir = dir.path() + QStringLiteral("/members/keeper");
        QDir().mkpath(memberDir);
        QFile record(memberDir + QStringLiteral("/member.json"));
        record.open(QIODevice::WriteOnly);
        record.write(R"({"id": 1, "name": "keeper", "digest": "0123456789abcdef0123456789abcdef"})");
        record.close();
        QFile log(memberDir + QStringLiteral("/albums.log"));
        log.open(QIODevice::WriteOnly);
        log.write(R"({"album":"相册","created":"2026-01-01 00:00:00","stamp":"2026-01-01 00:00:00"})" "\n");
        for (int i = 0; i < files; ++i)
            log.write(QStringLiteral(R"({"album":"相册","file":{"name":"p%1.jpg","description":"一张照片","size":250000,)"
                                     R"("uploaded":"2026-01-01 00:00:00","disk":"p%1.jpg"}})" "\n")
                          .arg(i)
                          .toUtf8());
        log.close();
        store = std::make_unique<emu::MemberStore>(dir.path());
    }
};

void BM_UploadAmongStoredFiles(benchmark::State& state) {
    MemberWithFiles member(int(state.range(0)));
    emu::Member& m = *member.store->find(QStringLiteral("keeper"));
    const QByteArray bytes(20000, 'x');
    int n = 0;
    for (auto _ : state)
        member.store->storeFile(m, QStringLiteral("相册"), QStringLiteral("new%1.jpg").arg(n++ % 8), bytes, QString(),
                                member.store->newStamp());
    state.counters["files"] = double(m.album(QStringLiteral("相册"))->files.size());
}
BENCHMARK(BM_UploadAmongStoredFiles)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

// The three members of the service benchmarks, made in the data folder before the service starts.
const char* const kKinds[] = {"fresh member", "1,000 files", "1,000 posts of 10 KB"};
constexpr int kKindCount = 3;

struct RunningService {
    QTemporaryDir data;
    QTemporaryDir home;
    ServiceProcess service;
    QString names[kKindCount];
    QString prefixes[kKindCount];
    bool ok = false;

    RunningService() {
        qputenv("TAVOLIN_HOME", home.path().toLocal8Bit());
        {
            emu::MemberStore store(data.path());
            for (int kind = 0; kind < kKindCount; ++kind) {
                names[kind] = QStringLiteral("bench%1").arg(kind);
                emu::Member& m = store.add(names[kind], Md5Hex(QStringLiteral("pw")));
                prefixes[kind] = m.prefix;
                m.domain = names[kind];
                m.quotaKb = 100LL * 1024 * 1024;
                m.expiry = QDate::currentDate().addYears(1).toString(Qt::ISODate);
                m.settings = QStringList(333, QString());
                store.save(m);
                store.createAlbum(m, QStringLiteral("相册"), store.newStamp());
                if (kind == 1) {
                    QList<emu::MemberStore::SampleFile> files;
                    for (int i = 0; i < 1000; ++i)
                        files.append({QStringLiteral("p%1.jpg").arg(i), QByteArray(20000, 'x'), QStringLiteral("一张照片")});
                    store.storeSampleFiles(m, QStringLiteral("相册"), files, store.newStamp());
                }
                if (kind == 2) {
                    const QString body = QStringLiteral("<p>") + QStringLiteral("博客正文").repeated(1250) + QStringLiteral("</p>");
                    QDateTime time(QDate(2020, 1, 1), QTime(0, 0));
                    for (int i = 0; i < 1000; ++i)
                        m.blogs.append({time.addSecs(i * 60).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                        QStringLiteral("文章%1").arg(i), QStringLiteral("生活"), body});
                    store.writePosts(m);
                }
            }
        }
        ok = service.start(data.path());
    }
    ~RunningService() {
        service.process.terminate();
        service.process.waitForFinished(30000);
    }
    // The service's user and system CPU time so far, in milliseconds.
    double cpuMs() const {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(service.process.processId()));
        if (!stat.open(QIODevice::ReadOnly)) return 0;
        const QList<QByteArray> fields = stat.readAll().split(')').value(1).trimmed().split(' ');
        return (fields.value(11).toDouble() + fields.value(12).toDouble()) * 1000.0 / double(::sysconf(_SC_CLK_TCK));
    }
};

RunningService& service() {
    static RunningService s;
    return s;
}

struct Figures {
    double perSecond = 0;
    double cpuMsPerRequest = 0;
};
std::map<std::pair<std::string, int>, Figures>& figures() {
    static std::map<std::pair<std::string, int>, Figures> f;
    return f;
}

// One request after another on one client, the WSDL read once.
void RunRequests(benchmark::State& state, const std::string& what, int kind, const std::function<QString(int)>& call) {
    RunningService& s = service();
    if (!s.ok) {
        state.SkipWithError(qPrintable(QStringLiteral("no service: ") + s.service.error));
        return;
    }
    const double cpuBefore = s.cpuMs();
    int n = 0;
    for (auto _ : state) {
        const QString reply = call(n++);
        if (!reply.startsWith(QStringLiteral("OK_0001"))) {
            state.SkipWithError(qPrintable(QStringLiteral("reply ") + reply.left(80)));
            return;
        }
    }
    const double cpu = (s.cpuMs() - cpuBefore) / double(qMax<qint64>(1, state.iterations()));
    state.counters["requests/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cpu_ms/request"] = cpu;
    state.SetLabel(kKinds[kind]);
    figures()[{what, kind}] = {0, cpu};
}

void BM_ServicePublish(benchmark::State& state) {
    const int kind = int(state.range(0));
    RunningService& s = service();
    SoapClient client;
    if (s.ok)
        client.MSSoapInit(QStringLiteral("http://%1.%2/services/wwwser002.asmx?WSDL").arg(s.prefixes[kind], ServiceConfig::defaults().domain));
    // A page of about 30 KB and every settings field, as a publish sends them.
    const QString page = QStringLiteral("&x_;html&d_;") + QStringLiteral("&x_;p&d_;我的网站&x_;/p&d_;").repeated(1500) +
                         QStringLiteral("&x_;/html&d_;");
    const QString settings = QStringLiteral("#336699{/F}").repeated(333);
    const QString check = PublishCheckCode(page);
    RunRequests(state, "publish", kind, [&](int) {
        return client.call(QStringLiteral("UploadWebsite2"),
                           {s.names[kind], QStringLiteral("K2"), Md5Hex(QStringLiteral("pw")), check, s.prefixes[kind], s.names[kind],
                            QString(), QStringLiteral("1"), settings, page, QString(), QStringLiteral("2.0")});
    });
}
BENCHMARK(BM_ServicePublish)->DenseRange(0, kKindCount - 1)->MinTime(2.0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ServiceUpload(benchmark::State& state) {
    const int kind = int(state.range(0));
    RunningService& s = service();
    SoapClient client;
    if (s.ok)
        client.MSSoapInit(QStringLiteral("http://%1.%2/services/imgser001.asmx?WSDL")
                              .arg(QString(s.prefixes[kind]).replace(QStringLiteral("www"), QStringLiteral("img")),
                                   ServiceConfig::defaults().domain));
    const QByteArray bytes = QByteArray(20000, 'y') + '\0';
    RunRequests(state, "upload", kind, [&](int n) {
        // Eight names replaced in turn: the member keeps what it had and eight more.
        return client.call(QStringLiteral("UploadFile01"),
                           {s.names[kind], Md5Hex(QStringLiteral("pw")), s.prefixes[kind], QStringLiteral("相册"), QStringLiteral("1"),
                            QStringLiteral("u%1").arg(n % 8), QStringLiteral(".jpg"), QString(), bytes});
    });
}
BENCHMARK(BM_ServiceUpload)->DenseRange(0, kKindCount - 1)->MinTime(2.0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Requests per second come from the reporter; this keeps them for the table at the end.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const std::string what = name.find("Publish") != std::string::npos ? "publish"
                                     : name.find("ServiceUpload") != std::string::npos ? "upload"
                                                                                       : std::string();
            const auto rate = run.counters.find("requests/s");
            if (what.empty() || rate == run.counters.end()) continue;
            const int kind = std::stoi(name.substr(name.find('/') + 1));  // "BM_ServicePublish/1/min_time:..."
            figures()[{what, kind}].perSecond = rate->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void PrintTable() {
    if (figures().empty()) return;
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadavg.open(QIODevice::ReadOnly) ? loadavg.readAll().trimmed() : QByteArray("?");
    std::printf("\nService requests, one client (load average %s)\n", load.constData());
    std::printf("%-9s %22s %22s %22s   ratios to the fresh member\n", "", kKinds[0], kKinds[1], kKinds[2]);
    for (const std::string what : {"publish", "upload"}) {
        const auto at = [&](int kind) { return figures()[{what, kind}]; };
        std::printf("%-9s", what.c_str());
        for (int kind = 0; kind < kKindCount; ++kind)
            std::printf(" %9.1f/s %6.2f ms CPU", at(kind).perSecond, at(kind).cpuMsPerRequest);
        const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
        std::printf("   files %.2fx, posts %.2fx CPU; %.2fx, %.2fx time\n", ratio(at(1).cpuMsPerRequest, at(0).cpuMsPerRequest),
                    ratio(at(2).cpuMsPerRequest, at(0).cpuMsPerRequest), ratio(at(0).perSecond, at(1).perSecond),
                    ratio(at(0).perSecond, at(2).perSecond));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the JPEG image plug-in
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintTable();
    benchmark::Shutdown();
    return 0;
}
