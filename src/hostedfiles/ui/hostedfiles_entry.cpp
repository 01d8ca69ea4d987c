#include "hostedfiles/ui/hostedfiles_entry.h"

#include "albums/albumcache.h"
#include "hostedfiles/ui/filemanagerwindow.h"

#include <QPointer>

void OpenFileManager(QWidget* parent) {
    // Others close the window while it is open beneath them (a publish, a new album, an upload),
    // so that its next opening reads the albums afresh.
    SetFileManagerUnloader([] { FileManagerWindow::unload(); });
    FileManagerWindow::unload();
    QPointer<FileManagerWindow> window = new FileManagerWindow(parent);
    window->exec();
    // Unloaded during the modal show, the window is already on its way out.
    if (window && FileManagerWindow::loaded() == window) FileManagerWindow::unload();
}
