#pragma once
// How code reaches windows it may not include, in two shapes:
// - Openers: a subsystem opens another subsystem's window through the functions in that
//   subsystem's ui/<subsystem>_entry.h (windows layer), each named by the window it opens. Model
//   code that must open a window calls a hook that src/app installs at start (foundation/hooks.h).
// - Views: the logic of a window (model layer) talks to its window through one <Window>View
//   struct of std::function hooks, which the window fills when it creates the logic.
// A hook is either required (the logic cannot do its job without it) or optional (unset, it does
// nothing, and the struct's comment says so). A required hook is checked with REQUIRE_HOOK before
// use: unset, a debug build stops there with the hook's name; a release build goes on without it,
// as if the hook did nothing. A View lists its required hooks in forEachRequiredHook(f), calling
// f(name, isSet) for each, and a wiring test per window shows through UnsetRequiredHooks that the
// window sets every one of them.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <utility>

#define REQUIRE_HOOK(hook) Q_ASSERT_X(bool(hook), Q_FUNC_INFO, "required hook " #hook " is unset")

// Calls a required hook whose result is not used: checked as above, skipped when unset.
#define CALL_REQUIRED_HOOK(hook, ...) \
    do {                              \
        REQUIRE_HOOK(hook);           \
        if (hook) (hook)(__VA_ARGS__); \
    } while (false)

// Calls a required hook whose result is used: checked as above; the result type's empty value
// when unset.
template <class Result>
Result AskRequiredHook(const std::function<Result()>& hook) {
    REQUIRE_HOOK(hook);
    return hook ? hook() : Result();
}

// The names of the required hooks a view leaves unset (empty when the window wired it fully).
template <class View>
QStringList UnsetRequiredHooks(const View& view) {
    QStringList unset;
    view.forEachRequiredHook([&unset](const char* name, bool isSet) {
        if (!isSet) unset << QString::fromLatin1(name);
    });
    return unset;
}

// A hook served by a named member function of the window, so that wiring reads one line per hook:
//   v.clearTree = MemberHook(this, &FileManagerWindow::clearTree);
template <class Object, class Owner, class Result, class... Args>
auto MemberHook(Object* object, Result (Owner::*method)(Args...)) {
    return [object, method](Args... args) -> Result { return (object->*method)(std::forward<Args>(args)...); };
}
template <class Object, class Owner, class Result, class... Args>
auto MemberHook(const Object* object, Result (Owner::*method)(Args...) const) {
    return [object, method](Args... args) -> Result { return (object->*method)(std::forward<Args>(args)...); };
}
