#pragma once
// The login itself, from the press of the login button to the main window: the input checks, the
// call, the reply's checks, the member's files, state and settings, the service notices and the
// pages the main window shows. It reaches the login window through a LoginView.
#include <QSize>
#include <QString>

#include <functional>

// What the login window's controls hold when the login starts.
struct LoginInput {
    QString memberText;       // the member box, as typed (untrimmed)
    QString password;         // the password box
    QString rememberedToken;  // labSavePaw: the token of a member chosen from the list, else empty
    bool keepPassword = false;  // "保存密码" ticked
    QSize screenPixels;       // the window's screen; invalid when there is none (no small screen)
};

// The login window's input boxes.
enum class LoginBox { Member, Password };

// How the login reaches its window. Every hook is required (checked with REQUIRE_HOOK when called).
// Messages go through Prompts (MsgBox) as everywhere; the network-error window through
// hooks::showNetError, the route the service error convention takes too; the program's end
// through programend::End.
struct LoginView {
    // The busy state: the progress area shown, the login button and the member box disabled, and
    // no second login until the window is back in input state or the main window shows.
    std::function<void()> showBusy;
    // The progress bar at percent of its length, painted at once.
    std::function<void(int percent)> setProgress;
    // The state line under the bar, painted at once.
    std::function<void(const QString& text)> setStateText;
    // After an input check: the focus into the box, its text selected when selectAll.
    std::function<void(LoginBox box, bool selectAll)> focusBox;
    // After a failed attempt: out of the busy state, the bar back at its minimum, the controls
    // enabled, the focus into the box with its text selected.
    std::function<void(LoginBox box)> returnToInput;
    // The service notice window (frmSysInfo) on labSysInfoURL, which holds url; modal.
    std::function<void(const QString& url)> showNoticePage;
    // Loads the waiting window (hidden) when it is not loaded.
    std::function<void()> loadWaitingWindow;
    // Out of the busy state, then the main window loaded and shown; its load unloads the login
    // window.
    std::function<void()> showMainWindow;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("showBusy", bool(showBusy));
        f("setProgress", bool(setProgress));
        f("setStateText", bool(setStateText));
        f("focusBox", bool(focusBox));
        f("returnToInput", bool(returnToInput));
        f("showNoticePage", bool(showNoticePage));
        f("loadWaitingWindow", bool(loadWaitingWindow));
        f("showMainWindow", bool(showMainWindow));
    }
};

// Runs one login attempt with the input. Returns when the main window shows, the window is back
// in input state, or the program is to end.
void RunLogin(const LoginInput& input, LoginView& view);

// Puts the member's entry on top of the remembered logins with the token that was sent, kept only
// when keepPassword, and remembers prefix as the last server prefix. Every step that fails is
// skipped: the login never fails because of the remembered list.
void SaveLoginEntry(const QString& member, const QString& prefix, const QString& token, bool keepPassword);
