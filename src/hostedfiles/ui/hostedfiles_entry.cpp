#include "hostedfiles/ui/hostedfiles_entry.h"

#include "albums/albumcache.h"
#include "hostedfiles/ui/filemanagerwindow.h"
#include "hostedfiles/ui/pictureviewerwindow.h"
#include "hostedfiles/viewpage.h"
#include "platform/ui/webbrowser.h"

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

namespace {
void ShowViewerAt(QWidget* parent, const QString& target, bool flashPage = false) {
    PictureViewerWindow::unload();
    QPointer<PictureViewerWindow> viewer = new PictureViewerWindow(parent);
    // Our own Flash page (its address escaped, no script of its own) runs the Flash player.
    if (flashPage) viewer->webViewPic->setScriptsEnabled(true);
    viewer->webViewPic->Navigate(target);
    viewer->exec();
    // Its going removes the preview page.
    if (viewer) delete viewer.data();
}
}  // namespace

void ShowFileInViewer(QWidget* parent, const QString& address) {
    ShowViewerAt(parent, WriteViewerPage(address), IsFlashAddress(address));
}

void ShowAddressInViewer(QWidget* parent, const QString& address) { ShowViewerAt(parent, address); }
