#include "platform/browserenvironment.h"

#include "platform/fontnames.h"

#include <QByteArray>
#include <QImageReader>
#include <QLoggingCategory>
#include <QtGlobal>

#include <cstdio>

#include <unistd.h>

void LimitRendererProcesses() {
    // Three: each renderer costs some 40 MB of its own, and the main window's pages load as fast
    // with three as with four.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--renderer-process-limit")) flags += " --renderer-process-limit=3";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

void UseChineseBrowserLanguage() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--lang=")) flags += " --lang=zh-CN";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

void DrawViewsInSoftware() {
    // With the default scene graph every web view is a texture that the window composes as a
    // whole: one animated cell (scrolling lyrics) then recomposes all 37 views at the frame rate,
    // a whole core. Drawn in software, a view's update repaints that view alone.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND")) qputenv("QT_QUICK_BACKEND", "software");
}

void PrepareWindowsEnvironment() {
    DrawViewsInSoftware();
    UseChineseBrowserLanguage();
    UseFontAliases();
    AllowLargePictures();
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

void PrepareBrowserEnvironment() {
    LimitRendererProcesses();
    PrepareWindowsEnvironment();
}

bool VerboseRunWanted(int argc, const char* const* argv) {
    if (!qEnvironmentVariableIsEmpty("TAVOLIN_DEBUG")) return true;
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--verbose") == 0) return true;
    return false;
}

namespace {

QtMessageHandler g_nextHandler = nullptr;

// The engine's messages that reach Qt's log without a category of their own: its notes at start and
// at the end of a run. Matched by their beginning.
bool IsEngineNote(const QString& text) {
    static const char* const notes[] = {"Sandboxing disabled by user", "No suitable graphics backend found",
                                        "Release of profile requested", "Qt WebEngine", "QtWebEngine"};
    for (const char* note : notes)
        if (text.startsWith(QLatin1String(note))) return true;
    return false;
}

void DropEngineMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const QLatin1String category(context.category ? context.category : "default");
    if (category.startsWith(QLatin1String("qt.webengine")) || category == QLatin1String("js")) return;
    if (category == QLatin1String("default") && type != QtFatalMsg && IsEngineNote(text)) return;
    if (g_nextHandler) {
        g_nextHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
        std::fflush(stderr);
    }
}

}  // namespace

void QuietBrowserEngine() {
    // Chromium writes its log lines to the terminal it inherits, in every one of its processes;
    // the level (fatal only) reaches the child processes with the other switches.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--log-level")) flags += " --log-level=3";
    if (!flags.contains("-logging")) flags += " --disable-logging";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webengine*=false\njs=false"));
    // The rest of the engine's messages come without a category; the program's own lines pass.
    QtMessageHandler previous = qInstallMessageHandler(DropEngineMessages);
    if (previous != DropEngineMessages) g_nextHandler = previous;
}

void AllowLargePictures() { QImageReader::setAllocationLimit(1024); }
