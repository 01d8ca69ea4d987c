// The image editor's model without widgets on a 4000 × 3000 photo-like JPEG: Open; the zoom slider
// at -85, which fits the picture to the 600 × 450 frame; crop; the second watermark in its initial
// look; the shipped border; Save at quality 95 ("fit"). Also the same job cropped at the picture's
// natural size ("natural-size crop"). ImageMagick's convert does each in one command (resize or
// crop, annotate, composite, quality 95), plain and, for the fit, with its JPEG size hint; libvips
// (vipsthumbnail for the fit, vips crop for the crop) does the fit or the crop alone, one command,
// without the watermark and the border, which favours it.
//
// Fair: single-threaded (our thread pool at one thread, MAGICK_THREAD_LIMIT=1, VIPS_CONCURRENCY=1),
// warm files; the
// peer's start-up (the same command on an 8 × 8 picture, median of seven) is subtracted from each
// run. Peak memory is each job run once as a child process, read from wait4's ru_maxrss. A
// missing peer is reported and skipped. A summary with the ratios ends the run.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QThreadPool>

#include <spawn.h>
#include <time.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "imageeditor/imageeditor.h"
#include "platform/fontnames.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "benchsupport.h"

extern char** environ;

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
const char* const kText = "Tavolin";

// The dialogs answer from a queue of names; nothing else is asked in these jobs.
class QueuedPrompts : public Prompts {
public:
    QStringList names;
    int msgBox(const QString&, int style, const QString&) override { return FirstButton(style); }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFile(const QString&, const QString&, const QString&) override { return next(); }
    QStringList openFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return next(); }
    QString browseFolder(const QString&, const QString&) override { return {}; }
    QColor chooseColor(const QColor&, const QString&) override { return {}; }

private:
    QString next() { return names.isEmpty() ? QString() : names.takeFirst(); }
};

PhotoFiles& setup() {
    static PhotoFiles s = MakePhotoFiles(kWidth, kHeight);
    return s;
}

// One job through the editor's model as the window drives it, laid out as the designed window.
bool RunEditorJob(const QString& photo, bool fit, const QString& out) {
    QueuedPrompts answers;
    prompts::install(&answers);
    ImageEditorController e;
    e.view.refresh = [] {};
    e.view.focusWidthBox = [] {};
    e.view.focusHeightBox = [] {};
    e.view.focusScrollBar = [] {};
    e.view.focusWatermarkBox = [] {};
    e.view.measureImg500p = [] { return 7500.0; };
    e.view.unload = [] {};
    e.view.navigateAd = [](int, const QString&) {};
    e.layers.canvas.width = 10710;
    e.layers.viewportHeight = 7980;
    e.Form_Load();
    answers.names << photo;
    e.tooPic_ButtonClick(QStringLiteral("Open"));
    if (fit) e.sli1_Scroll(-85);
    e.imgCutPic_Click();
    e.imgAddWaterMark_Click();
    e.txtWaterMark_Change(1, QString::fromLatin1(kText));
    answers.names << ShippedBorderFile();
    e.imgSetBorder_Click();
    answers.names << out;
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    prompts::install(nullptr);
    return e.files.labSavePath == out;
}

// This program, for the child runs (the spawner cannot read its own /proc/self/exe for us).
std::string SelfPath() {
    static const std::string path = [] {
        char buffer[4096];
        const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        return n > 0 ? std::string(buffer, size_t(n)) : std::string();
    }();
    return path;
}

QString OutPath(const char* name) { return QDir(setup().dir->path()).filePath(QString::fromLatin1(name)); }

// ---- children: time and peak memory
//
// A child's ru_maxrss counts the memory of the process it was started from, as that stood at the
// start (the kernel keeps the old image's high-water mark across exec). So children are started by
// a small spawner forked before anything large exists; what it adds is reported as the floor.

struct ChildRun {
    bool ok = false;
    double seconds = 0;
    double peakMB = 0;
};

struct Spawner {
    int requests = -1;
    int replies = -1;
};

Spawner& spawner() {
    static Spawner s;
    return s;
}

bool WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n <= 0) return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool ReadAll(int fd, void* data, size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = read(fd, p, size);
        if (n <= 0) return false;
        p += n;
        size -= size_t(n);
    }
    return true;
}

// In the spawner: runs one program single-threaded and waits for it.
ChildRun SpawnAndWait(const std::vector<std::string>& command) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "MAGICK_THREAD_LIMIT=", 20) != 0 && std::strncmp(*e, "OMP_NUM_THREADS=", 16) != 0 &&
            std::strncmp(*e, "VIPS_CONCURRENCY=", 17) != 0)
            env.emplace_back(*e);
    env.emplace_back("MAGICK_THREAD_LIMIT=1");
    env.emplace_back("OMP_NUM_THREADS=1");
    env.emplace_back("VIPS_CONCURRENCY=1");
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    timespec begin{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &begin);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    clock_gettime(CLOCK_MONOTONIC, &end);
    run.seconds = double(end.tv_sec - begin.tv_sec) + double(end.tv_nsec - begin.tv_nsec) / 1e9;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakMB = double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return run;
}

// Forks the spawner; call it first in main(), while the process is small and has one thread.
void StartSpawner() {
    int requests[2], replies[2];
    if (pipe(requests) != 0 || pipe(replies) != 0) return;
    const pid_t pid = fork();
    if (pid < 0) return;
    if (pid == 0) {
        close(requests[1]);
        close(replies[0]);
        for (;;) {
            quint32 count = 0;
            if (!ReadAll(requests[0], &count, sizeof count)) _exit(0);
            std::vector<std::string> command(count);
            for (std::string& word : command) {
                quint32 length = 0;
                if (!ReadAll(requests[0], &length, sizeof length)) _exit(0);
                word.resize(length);
                if (length > 0 && !ReadAll(requests[0], word.data(), length)) _exit(0);
            }
            const ChildRun run = SpawnAndWait(command);
            if (!WriteAll(replies[1], &run, sizeof run)) _exit(0);
        }
    }
    close(requests[0]);
    close(replies[1]);
    spawner() = {requests[1], replies[0]};
}

ChildRun RunChild(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> command{program};
    command.insert(command.end(), args.begin(), args.end());
    const Spawner& s = spawner();
    ChildRun run;
    if (s.requests < 0) return run;
    const quint32 count = quint32(command.size());
    bool sent = WriteAll(s.requests, &count, sizeof count);
    for (const std::string& word : command) {
        const quint32 length = quint32(word.size());
        sent = sent && WriteAll(s.requests, &length, sizeof length) && WriteAll(s.requests, word.data(), length);
    }
    if (!sent || !ReadAll(s.replies, &run, sizeof run)) return {};
    return run;
}

// What the spawner itself adds to every child's peak.
double PeakFloorMB() {
    static const double floor = RunChild("/bin/true", {}).peakMB;
    return floor;
}

struct Job {
    std::string name;
    bool fit;
    // The crop at natural size takes the 600 × 450 frame from the middle of the picture.
    std::vector<std::string> convertArgs(const std::string& in, const std::string& out, bool sizeHint) const {
        std::vector<std::string> args;
        if (sizeHint) args.insert(args.end(), {"-define", "jpeg:size=1200x900"});
        args.push_back(in);
        if (fit)
            args.insert(args.end(), {"-resize", "600x450!"});
        else
            args.insert(args.end(), {"-gravity", "center", "-crop", "600x450+0+0", "+repage", "-gravity", "northwest"});
        args.insert(args.end(), {"-font", "DejaVu-Sans-Bold", "-pointsize", "16", "-fill", "white", "-annotate",
                                 "+120+260", kText, "(", ShippedBorderFile().toStdString(), "-resize", "600x450!", ")",
                                 "-composite", "-quality", "95", out});
        return args;
    }
    // libvips' program and arguments for the fit or the crop alone.
    std::vector<std::string> vipsCommand(const std::string& in, const std::string& out) const {
        if (fit) return {"/usr/bin/vipsthumbnail", in, "--size", "600x450!", "-o", out + "[Q=95]"};
        return {"/usr/bin/vips", "crop", in, out + "[Q=95]", std::to_string((kWidth - 600) / 2),
                std::to_string((kHeight - 450) / 2), "600", "450"};
    }
};

enum class Peer { Convert, ConvertSizeHint, Vips };

const Job kJobs[] = {{"fit", true}, {"natural-size crop", false}};

std::map<std::string, double>& milliseconds() {
    static std::map<std::string, double> m;
    return m;
}
std::map<std::string, double>& peaks() {
    static std::map<std::string, double> m;
    return m;
}

void BM_Editor(benchmark::State& state, const Job& job) {
    const QString out = OutPath("ours.jpg");
    if (!RunEditorJob(setup().photo, job.fit, out) || QImage(out).size() != QSize(600, 450)) {  // warm, checked
        state.SkipWithError("the editor did not save a 600 × 450 picture");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) benchmark::DoNotOptimize(RunEditorJob(setup().photo, job.fit, out));
    milliseconds()["ours, " + job.name] = double(timer.nsecsElapsed()) / 1e6 / double(state.iterations());
    const ChildRun child =
        RunChild(SelfPath(), {"--job", job.fit ? "fit" : "crop", setup().photo.toStdString(), out.toStdString()});
    if (child.ok) {
        peaks()["ours, " + job.name] = child.peakMB;
        state.counters["peak MB"] = child.peakMB;
    }
}

void BM_Convert(benchmark::State& state, const Job& job, Peer peer) {
    const auto command = [&](const std::string& in, const std::string& out) {
        if (peer == Peer::Vips) return job.vipsCommand(in, out);
        std::vector<std::string> c{"/usr/bin/convert"};
        const std::vector<std::string> args = job.convertArgs(in, out, peer == Peer::ConvertSizeHint);
        c.insert(c.end(), args.begin(), args.end());
        return c;
    };
    const auto runOn = [&](const std::string& in, const std::string& out) {
        const std::vector<std::string> c = command(in, out);
        return RunChild(c.front(), std::vector<std::string>(c.begin() + 1, c.end()));
    };
    const std::string program = command({}, {}).front();
    if (access(program.c_str(), X_OK) != 0) {
        state.SkipWithError((program + " is not installed; skipped").c_str());
        return;
    }
    const std::string out = OutPath("peer.jpg").toStdString();
    const ChildRun warm = runOn(setup().photo.toStdString(), out);
    if (!warm.ok || QImage(QString::fromStdString(out)).size() != QSize(600, 450)) {
        state.SkipWithError((program + " did not make a 600 × 450 picture").c_str());
        return;
    }
    std::vector<double> starts;
    // The start-up on the 8 × 8 picture (vips crops that at its corner).
    const std::string tinyOut = OutPath("peer-tiny.jpg").toStdString();
    for (int i = 0; i < 7; ++i) {
        const std::vector<std::string> c = command(setup().tiny.toStdString(), tinyOut);
        std::vector<std::string> args(c.begin() + 1, c.end());
        if (peer == Peer::Vips && !job.fit) args = {"crop", setup().tiny.toStdString(), tinyOut, "0", "0", "4", "4"};
        starts.push_back(RunChild(c.front(), args).seconds);
    }
    std::sort(starts.begin(), starts.end());
    const double start = starts[starts.size() / 2];
    state.counters["start-up ms"] = start * 1000;
    double total = 0;
    for (auto _ : state) {
        const ChildRun run = runOn(setup().photo.toStdString(), out);
        state.SetIterationTime(std::max(0.0, run.seconds - start));
        total += std::max(0.0, run.seconds - start);
    }
    const std::string key = std::string(peer == Peer::ConvertSizeHint ? "convert -define jpeg:size=1200x900, "
                                         : peer == Peer::Vips         ? (job.fit ? "vipsthumbnail (fit alone), "
                                                                                 : "vips crop (crop alone), ")
                                                                      : "convert, ") +
                            job.name;
    milliseconds()[key] = total * 1000 / double(state.iterations());
    peaks()[key] = warm.peakMB;
    state.counters["peak MB"] = warm.peakMB;
}

void Register() {
    for (const Job& job : kJobs) {
        benchmark::RegisterBenchmark(("BM_Editor/" + job.name).c_str(), BM_Editor, job)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(2.0);
        benchmark::RegisterBenchmark(("BM_Convert/" + job.name).c_str(), BM_Convert, job, Peer::Convert)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
        // The size hint would shrink the picture before a crop at natural size.
        if (job.fit)
            benchmark::RegisterBenchmark(("BM_Convert/size hint, " + job.name).c_str(), BM_Convert, job,
                                         Peer::ConvertSizeHint)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(10);
        benchmark::RegisterBenchmark(("BM_Vips/" + job.name).c_str(), BM_Convert, job, Peer::Vips)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
    }
}

void PrintSummary() {
    std::printf("\nPer job (convert without its start-up), peak memory of the job run alone (of which %.1f MB "
                "the spawner's floor):\n",
                PeakFloorMB());
    for (const auto& [name, ms] : milliseconds()) {
        const auto peak = peaks().find(name);
        std::printf("  %-50s %8.1f ms  %7.1f MB\n", name.c_str(), ms, peak == peaks().end() ? 0.0 : peak->second);
    }
    std::printf("Ratios (peer time / ours); aims: fit at least 4 against convert and 1.5 against the size-hinted "
                "convert, natural-size crop at least 3 against convert:\n");
    for (const Job& job : kJobs) {
        const auto ours = milliseconds().find("ours, " + job.name);
        if (ours == milliseconds().end()) continue;
        for (const auto& [name, ms] : milliseconds())
            if (name.rfind("ours", 0) != 0 && name.size() > job.name.size() &&
                name.compare(name.size() - job.name.size(), job.name.size(), job.name) == 0)
                std::printf("  %-50s %6.1f×\n", name.c_str(), ms / ours->second);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // A child run of one job for its peak memory: --job fit|crop <photo> <out>.
    const bool child = argc == 5 && std::strcmp(argv[1], "--job") == 0;
    if (!child) StartSpawner();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    UseFontAliases();
    QGuiApplication app(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(1);  // single-threaded, as the peer runs
    if (child) {
        QTemporaryDir root;
        paths::SetDataRoot(root.path());
        const QString out = QString::fromLocal8Bit(argv[4]);
        return RunEditorJob(QString::fromLocal8Bit(argv[3]), std::strcmp(argv[2], "fit") == 0, out) ? 0 : 1;
    }
    setup();
    Register();
    return RunBenchmarks(argc, argv, PrintSummary);
}
