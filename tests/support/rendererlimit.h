#pragma once
// Test programs that open the main window's 39 browsers bound the browser's renderer processes as
// the program does. Call before the first browser exists (a static initializer of the test file).
namespace testsupport {
bool LimitRendererProcesses();
}  // namespace testsupport
