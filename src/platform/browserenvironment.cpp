#include "platform/browserenvironment.h"

#include "platform/fontnames.h"

#include <QByteArray>
#include <QImageReader>
#include <QLoggingCategory>
#include <QtGlobal>

#include <unistd.h>

void LimitRendererProcesses() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--renderer-process-limit")) flags += " --renderer-process-limit=4";
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

void QuietBrowserEngine() {
    // Chromium writes its log lines to the terminal it inherits, in every one of its processes;
    // the level (fatal only) reaches the child processes with the other switches.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--log-level")) flags += " --log-level=3";
    if (!flags.contains("-logging")) flags += " --disable-logging";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webengine*=false\njs=false"));
}

void AllowLargePictures() { QImageReader::setAllocationLimit(1024); }
