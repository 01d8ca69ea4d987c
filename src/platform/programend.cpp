#include "platform/programend.h"

#include "platform/statereset.h"

#include <QGuiApplication>
#include <QWindow>

namespace programend {

namespace {
std::function<void()>& handler() {
    static std::function<void()> h;
    return h;
}
std::function<void()>& hider() {
    static std::function<void()> h;
    return h;
}
bool& ended() {
    static bool e;  // set by Reset, registered below
    return e;
}
}  // namespace

void End() {
    ended() = true;
    if (handler()) {
        handler()();
        return;
    }
    // Hidden, not closed: End fires no close handler (the main window's would ask a question).
    if (hider()) {
        hider()();
    } else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        for (QWindow* w : QGuiApplication::topLevelWindows()) w->hide();
    }
    QCoreApplication::exit(0);
}

bool Ended() { return ended(); }

void SetHandler(std::function<void()> h) { handler() = std::move(h); }

void Reset() { ended() = false; }

namespace {
const bool registered = RegisterStateReset(&Reset);
}  // namespace

void SetWindowHider(std::function<void()> h) { hider() = std::move(h); }

}  // namespace programend
