#pragma once
class QApplication;

// Environment the embedded browser needs, set before the QApplication exists.
void PrepareProcessEnvironment();
// Installs the hooks and runs the program; returns its exit code.
int RunProgram(QApplication& app);
