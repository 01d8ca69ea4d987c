#include "platform/programend.h"

#include <QApplication>
#include <QWidget>

namespace programend {

namespace {
std::function<void()>& handler() {
    static std::function<void()> h;
    return h;
}
bool& ended() {
    static bool e = false;
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
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(0);
}

bool Ended() { return ended(); }

void SetHandler(std::function<void()> h) { handler() = std::move(h); }

void Reset() { ended() = false; }

}  // namespace programend
