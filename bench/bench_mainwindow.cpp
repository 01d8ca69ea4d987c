// The main window's 37 site browsers (33 cells, 4 backgrounds) are the heaviest thing the program
// does. Measured on the service emulator's demo site, offscreen:
// - after_login: the demo member logs in through the login window; the time from the window's
//   load (the login's last step) until all 37 pages have loaded, with the browser engine and its
//   renderers starting cold;
// - reload: a new main window on the same pages, the engine warm (the demo site has one Flash
//   cell; reload_without_flash: the same with that cell's movie taken away; reload_without_player:
//   the demo site with the Flash player taken away from the browsers, its cell an empty box);
// - idle_with_animation: a main window whose lyrics cell (4) scrolls its lyrics (a line every half
//   second, the fastest the music editor offers), left alone for 10 s
//   once its pages are in: the CPU seconds per wall second of the program's process tree (the
//   program and its browser processes), and of the program's own process; the settled_ figures are
//   the same read from 20 to 30 s after the loads, once the engine's own after-load work is over;
// - site_view_complete: the whole-site page of the member's site (the page the template preview
//   and the published site show, its widgets in frames from the service), from the navigation to
//   the end of the load of the page and every frame in it;
// and, once the pages are in, the proportional memory (PSS) of the program's process tree (the
// program and its browser processes; the emulator runs as a process of its own and is left out).
// TAVOLIN_BENCH_NO_FLASH_PLAYER=1 runs everything without the Flash player (the cold after_login too).
// The renderer processes are bounded as the program bounds them (--renderer-process-limit=3)
// unless QTWEBENGINE_CHROMIUM_FLAGS names a limit of its own. With TAVOLIN_BENCH_DETAIL set, each
// memory reading also lists every process of the tree with its share, and each unload of the main
// window gives the program's anonymous memory once the window is gone.
#include "foundation/folders.h"
#include "platform/eventwait.h"
#include "login/ui/loginwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/ansi.h"
#include "platform/browserenvironment.h"
#include "platform/paths.h"
#include "platform/programend.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/ui/flashplayer.h"
#include "platform/ui/webbrowser.h"
#include "platform/ui/windowsplatform.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "site/siteview.h"
#include "state/sitestate.h"
#include "procfield.h"
#include "servicesupport.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// ---- the process tree's memory and CPU time, from /proc
// The fields of /proc/<pid>/stat after the command name: [1] the parent, [11] and [12] the user
// and system time in clock ticks.
QList<QByteArray> StatFields(const QString& pid) {
    QFile f(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray stat = f.readAll();
    const int close = stat.lastIndexOf(')');  // the command name may hold blanks
    return stat.mid(close + 2).split(' ');
}

qint64 ParentOf(const QString& pid) {
    const QList<QByteArray> fields = StatFields(pid);
    return fields.size() > 1 ? fields[1].toLongLong() : -1;
}

double CpuSecondsOf(qint64 pid) {
    const QList<QByteArray> fields = StatFields(QString::number(pid));
    if (fields.size() < 13) return 0;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(::sysconf(_SC_CLK_TCK));
}

qint64 PssKb(qint64 pid) { return ProcFieldKb(QStringLiteral("/proc/%1/smaps_rollup").arg(pid), "Pss"); }

struct TreeMemory {
    qint64 pssKb = 0;
    int processes = 0;
};

// This process and its descendants, without the subtree of `excluded`.
QList<qint64> TreeProcesses(qint64 excluded) {
    QMultiHash<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (ok) children.insert(ParentOf(entry), pid);
    }
    QList<qint64> tree;
    QList<qint64> todo{qint64(::getpid())};
    while (!todo.isEmpty()) {
        const qint64 pid = todo.takeLast();
        if (pid == excluded) continue;
        tree << pid;
        todo += children.values(pid);
    }
    return tree;
}

// What kind of process of the tree a pid is: the engine's switch "--type=", or the program.
QByteArray ProcessKind(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return "?";
    for (const QByteArray& arg : f.readAll().split('\0')) {
        if (arg.startsWith("--type=")) return arg.mid(7);
        if (arg.startsWith("--utility-sub-type=")) return arg.mid(19);
    }
    return "program";
}

// With TAVOLIN_BENCH_DETAIL set, each process's share of the memory on stderr: the anonymous,
// file and shared-memory parts of its PSS.
void PrintTreeDetail(qint64 excluded, const char* when) {
    if (qEnvironmentVariableIsEmpty("TAVOLIN_BENCH_DETAIL")) return;
    std::fprintf(stderr, "-- %s\n", when);
    for (qint64 pid : TreeProcesses(excluded)) {
        QFile f(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!f.open(QIODevice::ReadOnly)) continue;
        QByteArray line = "";
        for (const QByteArray& l : f.readAll().split('\n'))
            if (l.startsWith("Pss")) line += " " + l.simplified();
        // The zygote's forks keep its command line: the renderers are its children's children.
        QByteArray kind = ProcessKind(pid);
        if (kind == "zygote" && ProcessKind(ParentOf(QString::number(pid))) == "zygote") kind = "renderer";
        std::fprintf(stderr, "%7lld %-10s%s\n", pid, kind.constData(), line.constData());
    }
}

TreeMemory MeasureTree(qint64 excluded, const char* when = "") {
    PrintTreeDetail(excluded, when);
    TreeMemory out;
    for (qint64 pid : TreeProcesses(excluded)) {
        out.pssKb += PssKb(pid);
        ++out.processes;
    }
    return out;
}

// The CPU seconds each process of the tree has used so far.
QHash<qint64, double> TreeCpuSeconds(qint64 excluded) {
    QHash<qint64, double> seconds;
    for (qint64 pid : TreeProcesses(excluded)) seconds.insert(pid, CpuSecondsOf(pid));
    return seconds;
}

// What the tree used between two readings; a process new since the first counts from nothing.
double CpuSecondsBetween(const QHash<qint64, double>& before, const QHash<qint64, double>& after) {
    double spent = 0;
    for (auto it = after.begin(); it != after.end(); ++it) spent += it.value() - before.value(it.key(), 0.0);
    return spent;
}

// ---- closing the main window
// The engine's drawing surfaces of a view's page: widgets of the engine, left without a parent
// when their view goes and deleted by the engine soon after, from the event loop.
int LooseViewSurfaces() {
    int loose = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QQuickWidget")) ++loose;
    return loose;
}

// The anonymous part of this process's PSS, kB.
qint64 ProgramAnonKb() { return ProcFieldKb(QStringLiteral("/proc/self/smaps_rollup"), "Pss_Anon"); }

// Waits as the program's event loop would run meanwhile. An object deleted later (deleteLater) from
// inside one of the waits' local loops is deleted once control returns to an outer loop, which the
// program has and the benchmark has not: the engine's drawing surfaces of an unloaded window's
// views, the login window the main window closes. So the deferred deletions are carried out between
// the slices of the wait. Without that, the last window's 40 surfaces and their pictures (some
// 55 MiB) stayed in memory beside the next window's.
bool WaitInProgramLoop(const std::function<bool()>& done, int timeoutMs) {
    return WaitUntil([&done] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return done();
    }, timeoutMs, 5);
}

// Unloads the main window and waits until the window and its views' surfaces are gone.
void UnloadMainWindow() {
    QPointer<frm个人网站> window = frm个人网站::loaded();
    frm个人网站::unload();
    WaitInProgramLoop([&window] { return !window && LooseViewSurfaces() == 0; }, 30000);
    if (!qEnvironmentVariableIsEmpty("TAVOLIN_BENCH_DETAIL"))
        std::fprintf(stderr, "-- after the unload: program Pss_Anon: %lld kB, %d loose view surfaces\n",
                     ProgramAnonKb(), LooseViewSurfaces());
}

// ---- the service and the login, once for the whole run
struct Session {
    QTemporaryDir root;
    ServiceProcess service;
    QString member, password;
    double afterLoginMs = 0;     // the window's load to 37 pages, cold
    double loginToPagesMs = 0;   // the login button to 37 pages
    TreeMemory afterLogin;
    QString error;
};

Session* g_session = nullptr;
bool g_flashPlayer = false;  // the browsers have the Flash player

bool StartService(Session& s) {
    if (s.service.start(s.root.filePath(QStringLiteral("service")))) {
        s.member = s.service.member;
        s.password = s.service.password;
        return true;
    }
    s.error = s.service.error;
    return false;
}

bool LogIn(Session& s) {
    frmLogin* login = ShowLoginWindow();
    login->Timer1->stop();
    while (!login->picLogin->isEnabled()) login->Timer1_Timer();
    login->cobUser->setEditText(s.member);
    login->txtPassword->setText(s.password);
    QElapsedTimer clock;
    clock.start();
    login->cmdLogin_Click();
    const qint64 loaded = clock.nsecsElapsed();  // the login's last step is the window's load
    frm个人网站* w = frm个人网站::loaded();
    if (!w) {
        s.error = QStringLiteral("the login did not open the main window");
        return false;
    }
    w->Timer1->stop();  // no page turns meanwhile
    if (!WaitInProgramLoop([w] { return w->siteBrowsersLoaded() == 37; }, 120000)) {
        s.error = QStringLiteral("only %1 of 37 pages loaded").arg(w->siteBrowsersLoaded());
        return false;
    }
    const qint64 done = clock.nsecsElapsed();
    s.afterLoginMs = double(done - loaded) / 1e6;
    s.loginToPagesMs = double(done) / 1e6;
    WaitInProgramLoop([] { return false; }, 1000);  // let the renderers settle before memory is read
    s.afterLogin = MeasureTree(s.service.process.processId(), "after login");
    UnloadMainWindow();
    return true;
}

void Report(benchmark::State& state, const TreeMemory& m) {
    state.counters["pss_MiB"] = double(m.pssKb) / 1024.0;
    state.counters["processes"] = m.processes;
}

void BM_MainWindowAfterLogin(benchmark::State& state) {
    if (!g_session->error.isEmpty()) {
        state.SkipWithError(qPrintable(g_session->error));
        return;
    }
    for (auto _ : state) state.SetIterationTime(g_session->afterLoginMs / 1000.0);
    state.counters["login_to_pages_ms"] = g_session->loginToPagesMs;
    Report(state, g_session->afterLogin);
}
BENCHMARK(BM_MainWindowAfterLogin)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// flashPlays: the Flash cell's page loads the player, whose files and movie come after the page's
// load; memory is read once the movie was asked for (player_ms: the window's load to that).
void Reload(benchmark::State& state, bool flashPlays) {
    if (!g_session->error.isEmpty()) {
        state.SkipWithError(qPrintable(g_session->error));
        return;
    }
    TreeMemory memory;
    double playerMs = 0;
    for (auto _ : state) {
        const int requests = FlashPlayerFileRequests();
        QElapsedTimer clock;
        clock.start();
        auto* w = new frm个人网站;
        w->show();  // the window's load
        w->Timer1->stop();
        if (!WaitInProgramLoop([w] { return w->siteBrowsersLoaded() == 37; }, 120000)) {
            state.SkipWithError("the pages did not load");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        // The player's script, its core, its WebAssembly and the movie.
        const auto playerLoaded = [requests] { return FlashPlayerFileRequests() - requests >= 4; };
        if (flashPlays && !WaitInProgramLoop(playerLoaded, 120000)) {
            state.SkipWithError("the Flash cell did not load the player");
            break;
        }
        playerMs = double(clock.nsecsElapsed()) / 1e6;
        WaitInProgramLoop([] { return false; }, 1000);  // let the renderers settle before memory is read
        memory = MeasureTree(g_session->service.process.processId(), "after a reload");
        UnloadMainWindow();
    }
    Report(state, memory);
    if (flashPlays) state.counters["player_ms"] = playerMs;
}

void BM_MainWindowReload(benchmark::State& state) { Reload(state, g_flashPlayer); }
BENCHMARK(BM_MainWindowReload)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The same without the demo site's one Flash cell (8): its foreground taken away for the run, so
// the figures with the Flash player installed compare with and without a page that loads it.
void BM_MainWindowReloadWithoutFlash(benchmark::State& state) {
    const int row = GetCellBaseRow(8) + CellBlock::CellForeground;
    const QString movie = SiteSettings(LocalColumn, row);
    SiteSettings(LocalColumn, row).clear();
    CreateCellHtml(8, LocalColumn);
    Reload(state, false);
    SiteSettings(LocalColumn, row) = movie;
    CreateCellHtml(8, LocalColumn);
}
BENCHMARK(BM_MainWindowReloadWithoutFlash)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// The demo site as it is, the browsers without the Flash player for the run.
void BM_MainWindowReloadWithoutPlayer(benchmark::State& state) {
    RemoveFlashPlayer(BrowserProfile());
    Reload(state, false);
    InstallFlashPlayer(BrowserProfile());
}
BENCHMARK(BM_MainWindowReloadWithoutPlayer)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

double ProcessCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU seconds per wall second over `ms` of an event loop left alone: of the program's process tree
// and of the program alone.
struct IdleReading {
    double tree = 0, program = 0, wallSeconds = 0;
};

IdleReading ReadIdle(int ms) {
    const qint64 service = g_session->service.process.processId();
    const QHash<qint64, double> tree0 = TreeCpuSeconds(service);
    const double cpu0 = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop idle;
    QTimer::singleShot(ms, &idle, &QEventLoop::quit);
    idle.exec();
    IdleReading r;
    r.wallSeconds = double(wall.nsecsElapsed()) / 1e9;
    r.program = (ProcessCpuSeconds() - cpu0) / r.wallSeconds;
    r.tree = CpuSecondsBetween(tree0, TreeCpuSeconds(service)) / r.wallSeconds;
    return r;
}

void BM_MainWindowIdleWithAnimation(benchmark::State& state) {
    if (!g_session->error.isEmpty()) {
        state.SkipWithError(qPrintable(g_session->error));
        return;
    }
    // Scrolling lyrics in the lyrics cell, as the music box writes them, at the shortest line
    // interval its editor offers (half a second; the default is three).
    const QString cell = MemberTempPath(QStringLiteral("4.html"));
    QFile page(cell);
    if (!page.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the lyrics cell");
        return;
    }
    const QString lyrics = MusicLyricsMarquee(QStringLiteral("first line<br>second line<br>third line<br>fourth line"),
                                              QStringLiteral("0"), QStringLiteral("#FFFF80"), QString(),
                                              QStringLiteral("0"), QStringLiteral("500"), QString(),
                                              MusicBoxLyricsHeight(false));
    page.write(AnsiCodec::encode("<html><body style=\"margin:0\">" + lyrics + "</body></html>"));
    page.close();
    IdleReading first, settled;
    for (auto _ : state) {
        auto* w = new frm个人网站;
        w->show();
        w->Timer1->stop();
        if (!WaitInProgramLoop([w] { return w->siteBrowsersLoaded() == 37; }, 120000)) {
            state.SkipWithError("the pages did not load");
            break;
        }
        QElapsedTimer sinceLoad;
        sinceLoad.start();
        WaitInProgramLoop([] { return false; }, 1000);  // the loads' own work done
        // A mark for a profiler attached from outside.
        if (!qEnvironmentVariableIsEmpty("TAVOLIN_BENCH_DETAIL")) std::fprintf(stderr, "-- idle for 10 s\n");
        first = ReadIdle(10000);
        state.SetIterationTime(first.wallSeconds);
        // The engine goes on with work of its own for some seconds after the loads (collecting,
        // caching); the settled reading starts 20 s after them.
        WaitInProgramLoop([] { return false; }, int(std::max<qint64>(0, 20000 - sinceLoad.elapsed())));
        if (!qEnvironmentVariableIsEmpty("TAVOLIN_BENCH_DETAIL")) std::fprintf(stderr, "-- settled, idle for 10 s\n");
        settled = ReadIdle(10000);
        UnloadMainWindow();
    }
    state.counters["cpu_s_per_s"] = first.tree;
    state.counters["program_cpu_s_per_s"] = first.program;
    state.counters["settled_cpu_s_per_s"] = settled.tree;
    state.counters["settled_program_cpu_s_per_s"] = settled.program;
}
BENCHMARK(BM_MainWindowIdleWithAnimation)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SiteViewComplete(benchmark::State& state) {
    if (!g_session->error.isEmpty()) {
        state.SkipWithError(qPrintable(g_session->error));
        return;
    }
    // Only the whole-site page is written, as for a preview.
    PreviewOnly = -1;
    CreateSiteViewHtml(LocalColumn);
    PreviewOnly = 0;
    const QString page = SitePagePath(QStringLiteral("view.html"));
    // Opened from the main window, whose pages are in.
    auto* w = new frm个人网站;
    w->show();
    w->Timer1->stop();
    if (!WaitInProgramLoop([w] { return w->siteBrowsersLoaded() == 37; }, 120000)) {
        state.SkipWithError("the main window's pages did not load");
        return;
    }
    for (auto _ : state) {
        WebBrowser browser;
        browser.resize(1024, 700);
        browser.show();
        bool complete = false;
        QObject::connect(&browser, &WebBrowser::documentComplete, [&complete](bool) { complete = true; });
        QElapsedTimer clock;
        clock.start();
        browser.Navigate(page);
        if (!WaitInProgramLoop([&complete] { return complete; }, 120000)) {
            state.SkipWithError("the site page did not load");
            break;
        }
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
    UnloadMainWindow();
}
BENCHMARK(BM_SiteViewComplete)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir runtime;
    const QByteArray flags = PrepareOffscreenEnvironment(runtime);
    g_flashPlayer = !qEnvironmentVariableIsSet("TAVOLIN_BENCH_NO_FLASH_PLAYER");
    if (g_flashPlayer) RegisterFlashPlayerScheme();
    QApplication app(argc, argv);
    g_flashPlayer = g_flashPlayer && !FlashPlayerFolder().isEmpty();
    InstallWindowsPlatform();
    benchmark::Initialize(&argc, argv);

    auto session = std::make_unique<Session>();
    g_session = session.get();
    QDir().mkpath(session->root.filePath(QStringLiteral("home/data")));
    paths::SetDataRoot(session->root.filePath(QStringLiteral("home")));
    PrintedPrompts prompts;
    prompts::install(&prompts);
    programend::SetHandler([] {});
    if (StartService(*session)) LogIn(*session);
    std::fprintf(stderr, "browser flags: %s\n", flags.constData());

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    prompts::install(nullptr);
    // The login's windows go before the browser profile does.
    frmLogin::unload();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    session->service.process.terminate();
    session->service.process.waitForFinished(5000);
    return 0;
}
