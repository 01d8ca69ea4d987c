#include "albums/ui/albums_entry.h"

#include "albums/ui/albumsettingswindow.h"
#include "albums/ui/screenshotwarningwindow.h"
#include "albums/ui/sizeduploadwindow.h"
#include "albums/ui/uploadwindow.h"
#include "albums/uploadwindowcontroller.h"

bool OpenUploadWindow(QWidget* parent) {
    if (UploadWindow::loaded()) return false;
    UploadWindow window(parent);
    window.exec();
    return true;
}

void ShowScreenshotWarning(QWidget* parent) {
    if (!ScreenshotWarningWanted()) return;
    ScreenshotWarningWindow window(parent);
    window.exec();
}

void OpenAlbumSettings(QWidget* parent) {
    AlbumSettingsWindow window(parent);
    window.exec();
}

void OpenSizedUploadWindow(QWidget* parent) {
    if (SizedUploadWindow::loaded()) return;
    SizedUploadWindow window(parent);
    window.exec();
}
