#pragma once
// The three ways of handing an address to the member: the desktop's URL opener, a browser
// program, and the clipboard. Tests replace them.
#include <QString>

#include <functional>

namespace urlopening {

struct Openers {
    // The desktop's default action for the address; true when it was started.
    std::function<bool(const QString& url)> openWithDesktop;
    // Starts the browser program with the address; true when a process was started.
    std::function<bool(const QString& url)> startBrowser;
    // Clears the clipboard and puts the text on it.
    std::function<void(const QString& text)> setClipboardText;
};

// The browser program: $BROWSER when set, else the system's x-www-browser.
QString BrowserCommand();

// The openers in force: the real ones unless a test installed its own.
Openers current();
// Installs openers; a missing function falls back to the real one. nullptr restores all.
void install(const Openers* openers);

}  // namespace urlopening
