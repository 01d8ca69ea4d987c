#pragma once
// Waiting for a condition that the event loop brings about (a page loaded, a window shown): the
// loop runs in short slices until the condition holds or the time is up.
#include <functional>

// Runs the event loop in slices of sliceMs until done() holds or timeoutMs pass; returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs, int sliceMs = 50);
