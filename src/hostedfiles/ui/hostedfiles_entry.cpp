#include "hostedfiles/ui/hostedfiles_entry.h"

#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "hostedfiles/ui/filemanagerwindow.h"
#include "hostedfiles/ui/pictureviewerwindow.h"
#include "hostedfiles/viewpage.h"
#include "platform/ui/webbrowser.h"
#include "state/sitewindowlabels.h"

#include <QPointer>

void OpenFileManager(QWidget* parent) {
    // Others close the window while it is open beneath them (a publish, a new album, an upload),
    // so that its next opening reads the albums afresh.
    SetFileManagerUnloader([] { FileManagerWindow::unload(); });
    FileManagerWindow::unload();
    // A window opened from this one may show another file manager, which sets the mode anew.
    const QString mode = frm个人网站Labels::labViewType;
    for (bool again = true; again;) {
        frm个人网站Labels::labViewType = mode;
        QPointer<FileManagerWindow> window = new FileManagerWindow(parent);
        window->exec();
        // An unload that waited for the upload window opened from it: a fresh window, as the
        // next opening would be.
        again = window && window->reopenWanted();
        // Unloaded during the modal show, the window may already be gone.
        delete window.data();
        if (again) LoadAlbumList();  // the albums as they are now: a new one, a new stamp
    }
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
