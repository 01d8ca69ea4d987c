#pragma once
// The environment the browser engine reads once, before the QApplication exists.

// Bounds the renderer processes: the main window's 37 views share a few renderers.
void LimitRendererProcesses();
// Web views drawn by the software scene graph, so one view's animation repaints that view only.
void DrawViewsInSoftware();
// The engine's own pages (errors) in Chinese.
void UseChineseBrowserLanguage();
// What every process that shows windows or pages needs (the program, the test programs, the
// benchmarks, the slide maker): software-drawn views, the engine's language, the font aliases
// (fontnames.h), large pictures, and Chromium's sandbox switched off when running as root (it
// refuses to run).
void PrepareWindowsEnvironment();
// The program's: the renderer limit, then PrepareWindowsEnvironment.
void PrepareBrowserEnvironment();
// True when the run asks for the engine's messages too: TAVOLIN_DEBUG set, or "--verbose" among
// the arguments.
bool VerboseRunWanted(int argc, const char* const* argv);
// Keeps the browser engine's own messages off the terminal (Chromium's log lines of every process
// of the engine, the context report and the other messages of the qt.webengine categories); the
// program's own messages stay. Before the QApplication exists. QT_LOGGING_RULES still wins.
void QuietBrowserEngine();
// Pictures decode up to 1 GiB (a 40-megapixel photo needs 160 MB; Qt's own limit is 128 MB);
// larger ones are unreadable.
void AllowLargePictures();
