#pragma once
// The windows layer's part of the platform, installed once at start by the program, the test
// programs and the benchmarks, after the QApplication exists: the Qt dialogs as the standard
// prompts, the modal-window rule of the input guard, how the program's end hides the windows, and
// Qt's own texts in Chinese (LoadChineseTranslations) and the program's icon on every window.
void InstallWindowsPlatform();
// Installs Qt's Chinese translations (once); message boxes then read 确定/取消/是/否.
void LoadChineseTranslations();
// Deletes every window (and so every web page) before the application goes, so the browser
// profile is the last of the engine's objects to go.
void DeleteAllWindows();
