// The program's windows behind the main window's commands.
#include "mainwindow/commands.h"

#include "albums/ui/albums_entry.h"
#include "blogs/ui/blogs_entry.h"
#include "celleditor/ui/celleditor_entry.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "imageeditor/ui/imageeditor_entry.h"
#include "login/ui/memberinfowindow.h"
#include "login/ui/webwindows.h"
#include "site/ui/templatechooserwindow.h"
#include "siteoptions/ui/siteoptions_entry.h"

namespace {
template <class Window>
void ShowModal(QWidget* parent) {
    Window w(parent);
    w.exec();
}
}  // namespace

CommandWindows CommandWindows::program() {
    CommandWindows w;
    w.cellEditor = OpenCellEditor;
    w.prefaceEditor = OpenPrefaceEditor;
    w.colorDialog = OpenColorDialog;
    w.musicEditor = OpenMusicEditor;
    w.uploadWindow = OpenUploadWindow;
    w.sizedUpload = OpenSizedUploadWindow;
    w.albumSettings = OpenAlbumSettings;
    w.blogList = OpenBlogList;
    w.blogWriter = OpenBlogWriter;
    w.microBlogList = OpenMicroBlogList;
    w.microBlogWriter = OpenMicroBlogWriter;
    w.fileManager = OpenFileManager;
    w.imageEditor = OpenImageEditor;
    w.templateChooser = ShowTemplateChooser;
    w.webIE = ShowModal<frmIE>;
    w.webFrame = ShowModal<frmWebFrame>;
    w.mySite = ShowModal<frmIE2>;
    w.mobileSite = OpenMobileSitePreview;
    w.userInfo = ShowModal<frmSetUserInfo>;
    w.buySpace = ShowModal<frmBuySpace>;
    w.domainRegistration = OpenDomainRegistration;
    w.protection = OpenProtectionDialog;
    return w;
}

