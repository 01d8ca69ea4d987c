#include "albums/ui/albums_entry.h"

#include "albums/ui/screenshotwarningwindow.h"
#include "albums/ui/uploadwindow.h"
#include "albums/uploadwindow.h"

void OpenUploadWindow(QWidget* parent) {
    if (UploadWindow::loaded()) return;
    UploadWindow window(parent);
    window.exec();
}

void ShowScreenshotWarning(QWidget* parent) {
    if (!ScreenshotWarningWanted()) return;
    ScreenshotWarningWindow window(parent);
    window.exec();
}

// These windows are not part of the program yet: each opener returns at once.
void OpenSizedUploadWindow(QWidget*) {}
void OpenAlbumSettings(QWidget*) {}
