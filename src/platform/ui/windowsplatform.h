#pragma once
// The windows layer's part of the platform, installed once at start by the program, the test
// programs and the benchmarks, after the QApplication exists: the Qt dialogs as the standard
// prompts, the modal-window rule of the input guard, and how the program's end hides the windows.
void InstallWindowsPlatform();
