#pragma once
class QApplication;

// Environment the embedded browser needs, set before the QApplication exists; the engine's own
// messages kept quiet unless the run asks for them (TAVOLIN_DEBUG, --verbose).
void PrepareProcessEnvironment(int argc, const char* const* argv);
// The configured service proxy as the application proxy (the browsers read it).
void UseServiceProxy();
// Installs the hooks and runs the program; returns its exit code.
int RunProgram(QApplication& app);
