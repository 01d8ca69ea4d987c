// The album upload of a folder of 25 photos, through the upload engine against tavolin-service
// running as its own process: three groups of ten, 20 photos under 500 KB sent as they are and 5
// large ones fitted by the picture composer on the way. Reported: the total; per picture the
// check (the group loader's pass), the preparation and the sending; the peak RSS of each group
// (it should stay flat); the longest gap between two turns of the event loop (goal ≤ 0.2 s).
// Peer in the same run: python3-zeep making the same 25 UploadFile01 calls with the same bytes,
// one client per call as the program makes them (skipped when zeep is absent); goal: our sending
// ≤ the peer's. Both run twice: against an emulator that acknowledges every read at once, and
// against one started with --delayed-acks, which acknowledges as a server with delayed
// acknowledgements does (what a client that writes a request in pieces without TCP_NODELAY pays
// for on a real network).
#include "albums/loadalbumlist.h"
#include "albums/uploadrun.h"
#include "albums/uploadslots.h"
#include "foundation/servicecall.h"
#include "foundation/settings.h"
#include "imaging/ui/imaging_entry.h"
#include "platform/browserenvironment.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/statereset.h"
#include "platform/ui/windowsplatform.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"

#include "benchsupport.h"
#include "procfield.h"
#include "servicesupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

const QString kAlbum = QStringLiteral("我的相册");


// The peak resident set of this process since the last reset, in KB.
qint64 PeakRssKb() { return ProcFieldKb(QStringLiteral("/proc/self/status"), "VmHWM"); }
void ResetPeakRss() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

struct Figures {
    QString error;
    double totalMs = 0;
    double checkMs = 0, prepareMs = 0, sendMs = 0;
    int checked = 0, prepared = 0, sent = 0, succeeded = 0;
    QList<qint64> groupPeakKb;
    double longestGapMs = 0;
    double peerMs = -1;  // -1: no peer
    QString peerNote;
};
// The emulator acknowledging at once, and with delayed acknowledgements.
Figures g_figures[2];
const char* const kModes[2] = {"immediate acks", "delayed acks"};

const char* kPeerScript = R"(
import sys, time
from requests import Session
from zeep import Client
from zeep.transports import Transport
port, domain, name, digest, prefix, album = sys.argv[1:7]
files = sys.argv[7:]
session = Session()
session.proxies = {"http": "http://127.0.0.1:%s" % port}
wsdl = "http://%s.%s/services/imgser001.asmx?WSDL" % (prefix.lower().replace("www", "img"), domain)
start = time.perf_counter()
for path in files:
    data = open(path, "rb").read() + b"\0"
    client = Client(wsdl, transport=Transport(session=session))
    reply = client.service.UploadFile01(name, digest, prefix, album, "0", "www", path[-4:].lower(), "", data)
    assert reply.startswith("OK_0001_"), reply
print("%.3f" % ((time.perf_counter() - start) * 1000))
)";

void RunUpload(const QString& root, ServiceProcess& service, Figures& f) {
    // The member, logged in as the login would leave it.
    QFile record(root + QStringLiteral("/service/members/") + service.member + QStringLiteral("/member.json"));
    if (!record.open(QIODevice::ReadOnly)) {
        f.error = QStringLiteral("no member record");
        return;
    }
    const QJsonObject member = QJsonDocument::fromJson(record.readAll()).object();
    CurrentUserName = service.member;
    UserFolder = paths::InRoot(QStringLiteral("UserData/") + service.member);
    QDir().mkpath(UserFolder + QStringLiteral("/data"));
    QDir().mkpath(UserFolder + QStringLiteral("/temp"));
    LoginInfo = Table(1, 20);
    SetLoginField(5, member[QStringLiteral("digest")].toString());
    SetLoginField(6, member[QStringLiteral("prefix")].toString());
    SetUserSetting(UcsHintScreenshotUpload, QStringLiteral("1"));
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    if (!LoadAlbumList()) {
        f.error = QStringLiteral("the album list did not load");
        return;
    }

    // 25 photos: 20 under 500 KB, 5 large ones for the composer.
    const QString photos = root + QStringLiteral("/photos");
    const QString sentCopies = root + QStringLiteral("/sent");
    QDir().mkpath(photos);
    QDir().mkpath(sentCopies);
    for (int k = 0; k < 25; ++k) {
        const bool large = k % 5 == 4;
        WritePhotoJpeg(photos + QStringLiteral("/photo%1.jpg").arg(k, 2, 10, QLatin1Char('0')), large ? 3000 : 600,
                       large ? 2000 : 450);
    }

    UploadSlotsController frame(UploadVariant::Album);
    frame.view = UploadSlotsView::Windowless(UploadVariant::Album);
    UploadRunController run(frame);
    UploadRunView& r = run.view;
    r.showPanel = [] {};
    r.showScreenshotWarning = [] {};
    r.watermarkTicked = [] { return false; };
    r.chooserText = [] { return kAlbum; };
    r.showAlbumHint = [] {};
    QElapsedTimer clock;
    r.prepare = [&] {
        clock.start();
        PrepareUploadPicture(nullptr);
        f.prepareMs += double(clock.nsecsElapsed()) / 1e6;
        ++f.prepared;
    };
    QStringList peerFiles;
    r.send = [&](const QString& path, const QString& album, const QString& memo, const std::function<void(qint64, qint64)>& progress) {
        // The same bytes for the peer.
        const QString copy = sentCopies + QStringLiteral("/%1.jpg").arg(f.sent, 2, 10, QLatin1Char('0'));
        QFile::copy(path, copy);
        peerFiles << copy;
        clock.start();
        const QString reply = UploadPictureFile(path, album, QStringLiteral("0"), QStringLiteral("www"), memo, progress);
        f.sendMs += double(clock.nsecsElapsed()) / 1e6;
        ++f.sent;
        if (reply.startsWith(QStringLiteral("OK_0001_"))) ++f.succeeded;
        return reply;
    };
    frm上传Labels::picAlbumVisible = true;
    auto* prompts = static_cast<PrintedPrompts*>(&prompts::current());
    prompts->folder = photos;

    // The event loop's turns: the longest time between two ticks of a 5 ms timer.
    QElapsedTimer sinceTick;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        f.longestGapMs = std::max(f.longestGapMs, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.start();
    });
    QElapsedTimer total, check;
    total.start();
    sinceTick.start();
    tick.start(5);
    for (int group = 0; group < 3; ++group) {
        ResetPeakRss();
        check.start();
        if (group == 0)
            run.ChooseUploadFolder();
        else
            run.cmdUploadNextPage_Click();
        f.checkMs += double(check.nsecsElapsed()) / 1e6;
        f.checked += frame.FilledSlots();
        run.cmdUploadFiles_Click();
        f.groupPeakKb << PeakRssKb();
        if (group < 2 && !run.panel.cmdUploadNextPageVisible) {
            f.error = QStringLiteral("no next group after group %1").arg(group);
            break;
        }
    }
    // The last tick's gap, up to the end of the run.
    f.longestGapMs = std::max(f.longestGapMs, double(sinceTick.nsecsElapsed()) / 1e6);
    tick.stop();
    f.totalMs = double(total.nsecsElapsed()) / 1e6;
    if (f.succeeded != 25) f.error = QStringLiteral("%1 of 25 pictures reached the service").arg(f.succeeded);

    // The peer, on the same service and the same bytes.
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import zeep")});
    if (!probe.waitForFinished(20000) || probe.exitCode() != 0) {
        f.peerNote = QStringLiteral("python3-zeep is not installed: no peer");
        return;
    }
    QProcess peer;
    QStringList args{QStringLiteral("-c"), QString::fromUtf8(kPeerScript), service.port, serviceconfig::current().domain,
                     service.member, LoginField(5), LoginField(6), kAlbum};
    peer.start(QStringLiteral("/usr/bin/python3"), args + peerFiles);
    if (!peer.waitForFinished(300000) || peer.exitCode() != 0) {
        f.peerNote = QStringLiteral("the peer failed: ") + QString::fromUtf8(peer.readAllStandardError().right(400));
        return;
    }
    f.peerMs = peer.readAllStandardOutput().trimmed().toDouble();
}

void BM_UploadTwentyFivePhotos(benchmark::State& state, int mode) {
    const Figures& f = g_figures[mode];
    if (!f.error.isEmpty()) {
        state.SkipWithError(f.error.toStdString().c_str());
        return;
    }
    for (auto _ : state) state.SetIterationTime(f.totalMs / 1000.0);
    state.counters["check_ms_per_picture"] = f.checked ? f.checkMs / f.checked : 0;
    state.counters["prepare_ms_per_picture"] = f.prepared ? f.prepareMs / f.prepared : 0;
    state.counters["send_ms_per_picture"] = f.sent ? f.sendMs / f.sent : 0;
    state.counters["longest_gap_ms"] = f.longestGapMs;
    for (int g = 0; g < f.groupPeakKb.size(); ++g) state.counters["peak_rss_kb_group" + std::to_string(g + 1)] = double(f.groupPeakKb[g]);
    if (f.peerMs >= 0) state.counters["peer_zeep_send_ms"] = f.peerMs;
}
BENCHMARK_CAPTURE(BM_UploadTwentyFivePhotos, immediate_acks, 0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UploadTwentyFivePhotos, delayed_acks, 1)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void SummaryOf(int mode) {
    const Figures& f = g_figures[mode];
    if (!f.error.isEmpty()) {
        std::printf("\nupload (%s): %s\n", kModes[mode], qPrintable(f.error));
        return;
    }
    std::printf("\n25 photos in 3 groups, the emulator with %s: %.0f ms in all\n", kModes[mode], f.totalMs);
    std::printf("  check   %6.1f ms per picture (%d pictures)\n", f.checked ? f.checkMs / f.checked : 0.0, f.checked);
    std::printf("  prepare %6.1f ms per picture (%d through the composer)\n", f.prepared ? f.prepareMs / f.prepared : 0.0, f.prepared);
    std::printf("  send    %6.1f ms per picture, %.0f ms for %d\n", f.sent ? f.sendMs / f.sent : 0.0, f.sendMs, f.sent);
    std::printf("  peak RSS per group:");
    for (qint64 kb : f.groupPeakKb) std::printf(" %lld KB", static_cast<long long>(kb));
    std::printf("\n  longest gap between event-loop turns: %.0f ms (goal <= 200)\n", f.longestGapMs);
    if (f.peerMs >= 0)
        std::printf("  peer python3-zeep, the same 25 calls: %.0f ms; ours %.0f ms (ratio %.2f, goal <= 1)\n", f.peerMs, f.sendMs,
                    f.sendMs / f.peerMs);
    else
        std::printf("  %s\n", qPrintable(f.peerNote));
}

void Summary() {
    SummaryOf(0);
    SummaryOf(1);
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir runtime;
    PrepareOffscreenEnvironment(runtime);
    QApplication app(argc, argv);
    InstallWindowsPlatform();
    PrintedPrompts prompts;
    prompts::install(&prompts);
    for (int mode = 0; mode < 2; ++mode) {
        QTemporaryDir root;
        QDir().mkpath(root.filePath(QStringLiteral("home/data")));
        paths::SetDataRoot(root.filePath(QStringLiteral("home")));
        serviceconfig::reload();
        ResetAllState();
        ServiceProcess service;
        const QStringList options = mode == 1 ? QStringList{QStringLiteral("--delayed-acks")} : QStringList{};
        if (service.start(root.filePath(QStringLiteral("service")), options))
            RunUpload(root.path(), service, g_figures[mode]);
        else
            g_figures[mode].error = service.error;
        service.process.terminate();
        service.process.waitForFinished(5000);
    }
    const int status = RunBenchmarks(argc, argv, &Summary);
    prompts::install(nullptr);
    return status;
}
