// One upload's picture preparation: a 4000 × 3000 photo-like JPEG turned a quarter, fitted into
// 600 × 600, given a text watermark and a border and written at quality 95, through the worker's
// own composition, against ImageMagick (/usr/bin/convert, plain and with its JPEG size hint) and
// libvips (/usr/bin/vips) in the same run. A missing peer is reported and skipped.
//
// Fair: every tool runs single-threaded on warm files; a peer's start-up (the same command on an
// 8 × 8 picture) is subtracted from each run; the outputs are checked to agree in size and roughly
// in content. At the end the per-picture times and the ratios to plain convert are printed.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "imaging/picturepreparation.h"
#include "imaging/watermarksettings.h"
#include "state/loginstate.h"
#include "platform/fontnames.h"
#include "platform/paths.h"
#include "benchsupport.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kBatch = 100;
const char* const kText = "Tavolin";

struct Setup : PhotoFiles {
    QString border;  // the border as PNG, for the peers (the worker reads border.gif)
    QString folder;  // the member's folder
    QImage ours;     // our result, to compare the peers' with
};

Setup& setup() {
    static Setup s = [] {
        Setup made;
        static_cast<PhotoFiles&>(made) = MakePhotoFiles(kWidth, kHeight);
        const QDir dir(made.dir->path());
        made.folder = dir.filePath(QStringLiteral("member"));
        QDir().mkpath(made.folder);
        UserFolder = made.folder;


        QImage border(200, 150, QImage::Format_ARGB32);
        border.fill(Qt::transparent);
        {
            QPainter p(&border);
            p.setPen(QPen(QColor(200, 160, 40), 10));
            p.drawRect(border.rect().adjusted(5, 5, -5, -5));
        }
        made.border = dir.filePath(QStringLiteral("border.png"));
        border.save(made.border, "PNG");
        QFile::copy(made.border, QDir(made.folder).filePath(kBorderCopyFile));

        WatermarkSettings s;
        s.text = QString::fromLatin1(kText);
        s.fontName = QStringLiteral("DejaVu Sans");
        s.fontSize = QStringLiteral("20");
        s.fontStyle = QStringLiteral("常规");
        s.textColor = 0xFFFFFF;
        s.transparentBack = true;
        s.textAlignH = 2;
        s.textAlignV = 2;
        s.hasBorder = true;
        WriteWatermarkSettings(made.folder, s);
        return made;
    }();
    return s;
}

UploadPictureRequest request(const QString& path) {
    UploadPictureRequest r;
    r.picturePath = path;
    r.overlays = true;
    r.rotation = QStringLiteral("1");
    r.userFolder = setup().folder;
    return r;
}

// The worker's composition and the JPEG it writes, as it writes it (a scratch file, not synced).
bool prepareInProcess(const QString& path, const QString& out) {
    const UploadPictureComposition made = ComposeUploadPicture(request(path));
    cDIBSection dib;
    dib.CreateFromPicture(StdPicture{made.picture});
    return !made.picture.isNull() && WriteJpegFile(dib, out, kPreparedJpegQuality, paths::Durability::Scratch);
}

// Per-picture seconds of each benchmark, for the closing summary.
std::map<std::string, double>& perPicture() {
    static std::map<std::string, double> times;
    return times;
}

// Mean absolute difference of the channels, after scaling b to a's size.
double difference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

void BM_PrepareInProcess(benchmark::State& state) {
    const QString out = QDir(setup().dir->path()).filePath(QStringLiteral("ours.jpg"));
    prepareInProcess(setup().photo, out);  // warm
    setup().ours = QImage(out);
    if (setup().ours.size() != QSize(450, 600)) {
        state.SkipWithError("the prepared picture is not 450 × 600");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) benchmark::DoNotOptimize(prepareInProcess(setup().photo, out));
    perPicture()["in process"] = double(timer.nsecsElapsed()) / 1e9 / double(state.iterations());
}
BENCHMARK(BM_PrepareInProcess)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The worker's whole job as the window runs it: also the scratch bitmaps and the safe writes.
void BM_PrepareWithScratchFiles(benchmark::State& state) {
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        const UploadPictureComposition made = ComposeUploadPicture(request(setup().photo));
        benchmark::DoNotOptimize(WritePreparedFiles(made, setup().folder));
    }
    perPicture()["in process, with scratch files"] = double(timer.nsecsElapsed()) / 1e9 / double(state.iterations());
}
BENCHMARK(BM_PrepareWithScratchFiles)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Batch100InProcess(benchmark::State& state) {
    const QString out = QDir(setup().dir->path()).filePath(QStringLiteral("ours.jpg"));
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state)
        for (int i = 0; i < kBatch; ++i) benchmark::DoNotOptimize(prepareInProcess(setup().photo, out));
    perPicture()["in process, batch of 100"] =
        double(timer.nsecsElapsed()) / 1e9 / double(state.iterations()) / kBatch;
}
BENCHMARK(BM_Batch100InProcess)->Unit(benchmark::kMillisecond)->Iterations(1);

// The decoding alone (at the reduced DCT scale, then smoothly scaled), where most of the time goes.
void BM_DecodeFittedOnly(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadScaledPicture(setup().photo, [](QSize natural) { return FitUploadPicture(natural); }));
}
BENCHMARK(BM_DecodeFittedOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---- peers

struct Peer {
    std::string name;
    QString program;
    // The commands of one picture (input, output); each is one start-up of the tool.
    std::function<std::vector<QStringList>(const QString& in, const QString& out)> commands;
};

QProcessEnvironment singleThreaded() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MAGICK_THREAD_LIMIT"), QStringLiteral("1"));
    env.insert(QStringLiteral("OMP_NUM_THREADS"), QStringLiteral("1"));
    env.insert(QStringLiteral("VIPS_CONCURRENCY"), QStringLiteral("1"));
    return env;
}

bool run(const Peer& peer, const QString& in, const QString& out) {
    for (const QStringList& args : peer.commands(in, out)) {
        QProcess process;
        process.setProcessEnvironment(singleThreaded());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(peer.program, args);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return false;
    }
    return true;
}

double seconds(const Peer& peer, const QString& in, const QString& out) {
    QElapsedTimer timer;
    timer.start();
    run(peer, in, out);
    return double(timer.nsecsElapsed()) / 1e9;
}

// The median start-up: the same commands on the 8 × 8 picture.
double startUp(const Peer& peer) {
    const QString out = QDir(setup().dir->path()).filePath(QStringLiteral("tiny-out.jpg"));
    std::vector<double> runs;
    for (int i = 0; i < 7; ++i) runs.push_back(seconds(peer, setup().tiny, out));
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

QStringList convertArgs(const QString& in, const QString& out, bool sizeHint) {
    QStringList args;
    if (sizeHint) args << QStringLiteral("-define") << QStringLiteral("jpeg:size=1200x1200");
    args << in << QStringLiteral("-resize") << QStringLiteral("600x600") << QStringLiteral("(") << setup().border
         << QStringLiteral("-resize") << QStringLiteral("600x450!") << QStringLiteral(")")
         << QStringLiteral("-composite") << QStringLiteral("-rotate") << QStringLiteral("90")
         << QStringLiteral("-gravity") << QStringLiteral("southeast") << QStringLiteral("-font")
         << QStringLiteral("DejaVu-Sans") << QStringLiteral("-pointsize") << QStringLiteral("20")
         << QStringLiteral("-fill") << QStringLiteral("white") << QStringLiteral("-annotate")
         << QStringLiteral("+20+20") << QString::fromLatin1(kText) << QStringLiteral("-quality")
         << QStringLiteral("95") << out;
    return args;
}

const std::vector<Peer>& peers() {
    static const std::vector<Peer> list = [] {
        std::vector<Peer> made;
        const QString convert = QStringLiteral("/usr/bin/convert");
        made.push_back({"convert", convert, [](const QString& in, const QString& out) {
                            return std::vector<QStringList>{convertArgs(in, out, false)};
                        }});
        made.push_back({"convert -define jpeg:size=1200x1200", convert, [](const QString& in, const QString& out) {
                            return std::vector<QStringList>{convertArgs(in, out, true)};
                        }});
        // libvips' command line takes one operation a start-up: fit, then turn and write. The
        // watermark and border are left out, which favours it.
        made.push_back({"vips (fit and turn only)", QStringLiteral("/usr/bin/vips"),
                        [](const QString& in, const QString& out) {
                            const QString between = out + QStringLiteral(".v");
                            return std::vector<QStringList>{
                                {QStringLiteral("thumbnail"), in, between, QStringLiteral("600")},
                                {QStringLiteral("rot"), between, out + QStringLiteral("[Q=95]"), QStringLiteral("d90")}};
                        }});
        return made;
    }();
    return list;
}

void BM_Peer(benchmark::State& state, std::size_t index, int pictures) {
    const Peer& peer = peers()[index];
    if (!QFile::exists(peer.program)) {
        state.SkipWithError((peer.program.toStdString() + " is not installed; skipped").c_str());
        return;
    }
    const QString out = QDir(setup().dir->path()).filePath(QStringLiteral("peer.jpg"));
    if (!run(peer, setup().photo, out)) {  // warm, and the output checked
        state.SkipWithError("the peer failed");
        return;
    }
    const QImage theirs(out);
    if (theirs.size() != QSize(450, 600)) {
        state.SkipWithError("the peer's picture is not 450 × 600");
        return;
    }
    if (!setup().ours.isNull()) state.counters["mean channel difference"] = difference(setup().ours, theirs);
    const double start = startUp(peer);
    state.counters["start-up ms"] = start * 1000;
    double total = 0;
    for (auto _ : state) {
        double spent = 0;
        for (int i = 0; i < pictures; ++i) spent += seconds(peer, setup().photo, out) - start;
        state.SetIterationTime(spent);
        total += spent;
    }
    const std::string key = peer.name + (pictures > 1 ? ", batch of 100" : "");
    perPicture()[key] = total / double(state.iterations()) / pictures;
}

void RegisterPeers() {
    for (std::size_t i = 0; i < peers().size(); ++i) {
        benchmark::RegisterBenchmark(("BM_Peer/" + peers()[i].name).c_str(), BM_Peer, i, 1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
        benchmark::RegisterBenchmark(("BM_PeerBatch100/" + peers()[i].name).c_str(), BM_Peer, i, kBatch)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
}

void PrintSummary() {
    const auto& times = perPicture();
    std::printf("\nPer picture (peers without start-up):\n");
    for (const auto& [name, secs] : times) std::printf("  %-45s %8.1f ms\n", name.c_str(), secs * 1000);
    const auto ours = times.find("in process");
    const auto oursBatch = times.find("in process, batch of 100");
    if (ours == times.end()) return;
    std::printf("Ratios (peer time / in-process time):\n");
    for (const auto& [name, secs] : times) {
        if (name.rfind("in process", 0) == 0) continue;
        const bool batch = name.find("batch") != std::string::npos;
        const double base = batch && oursBatch != times.end() ? oursBatch->second : ours->second;
        std::printf("  %-45s %6.1f×\n", name.c_str(), secs / base);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    UseFontAliases();
    QGuiApplication app(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(1);  // single-threaded, as the peers run
    setup();
    RegisterPeers();
    return RunBenchmarks(argc, argv, PrintSummary);
}
