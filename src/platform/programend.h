#pragma once
// The old runtime's End: the program stops at once, every window goes without its close
// handlers, and the event loops return. Callers return right after calling it.
#include <functional>

namespace programend {
void End();
// True once End ran in this process (until Reset, which ResetAllState runs).
bool Ended();
// Tests observe End instead of stopping the test program; an empty function restores the real one.
void SetHandler(std::function<void()> handler);
void Reset();
// How End hides every window without its close handlers; the windows layer sets it at start.
// Unset, End hides the top-level windows of the platform.
void SetWindowHider(std::function<void()> hider);
}  // namespace programend
