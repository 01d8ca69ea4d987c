#pragma once
class QApplication;

// Environment the embedded browser needs, set before the QApplication exists.
void PrepareProcessEnvironment();
// The configured service proxy as the application proxy (the browsers read it).
void UseServiceProxy();
// Installs the hooks and runs the program; returns its exit code.
int RunProgram(QApplication& app);
