#pragma once
// While a synchronous network request waits in a local event loop, the member's clicks and keys
// must not start other work. This guard discards (not defers) user input for its lifetime:
// deferred input would replay queued clicks after the request. Paint events and timers still run.
// A modal window that opens while the guard lives (a timer's message, a page's script alert) still
// takes input: nothing else could close it, and the waiting request could never return.
#include <QObject>
#include <QPointer>

#include <functional>

namespace inputguard {
// What the guard needs to know of windows, given by the windows layer at start: the modal window
// that takes input now (null when none), and whether watched belongs to that window. Unset, no
// modal window is recognised and all user input waits out the request.
inline std::function<QObject*()> activeModal;
inline std::function<bool(QObject* modal, QObject* watched)> belongsTo;
}  // namespace inputguard

class UserInputGuard : public QObject {
public:
    UserInputGuard();   // installs itself on the application, when there is one
    ~UserInputGuard() override;
    UserInputGuard(const UserInputGuard&) = delete;
    UserInputGuard& operator=(const UserInputGuard&) = delete;

    // True while any guard is alive.
    static bool active();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inModalOpenedSince(QObject* watched) const;
    QPointer<QObject> m_modalAtStart;
};
