#pragma once
// How code reaches windows it may not include, in two shapes:
// - Openers: a subsystem opens another subsystem's window through the functions in that
//   subsystem's ui/<subsystem>_entry.h (windows layer). Model code that must open a window calls a
//   hook that src/app installs at start (foundation/hooks.h).
// - Views: the logic of a window (model layer) talks to its window through one <Window>View
//   struct of std::function hooks, which the window fills when it creates the logic.
// A hook is either required (the logic cannot do its job without it) or optional (unset, it does
// nothing, and the struct's comment says so). A required hook is checked with REQUIRE_HOOK before
// use: unset, a debug build stops there with the hook's name; a release build goes on without it.
// A wiring test per window shows that the window sets every required hook.
#include <QtGlobal>

#define REQUIRE_HOOK(hook) Q_ASSERT_X(bool(hook), Q_FUNC_INFO, "required hook " #hook " is unset")

#include <utility>

// Calls a hook when it is set (an unset optional hook does nothing) and returns its result, or a
// default-made value when it is unset.
template <typename Hook, typename... Args>
auto RunHook(const Hook& hook, Args&&... args) {
    using Result = decltype(hook(std::forward<Args>(args)...));
    if (!hook) return Result();
    return hook(std::forward<Args>(args)...);
}
