// The program's windows behind the main window's commands.
#include "mainwindow/commands.h"

#include "albums/ui/albums_entry.h"
#include "blogs/ui/blogs_entry.h"
#include "celleditor/ui/celleditor_entry.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "imageeditor/ui/imageeditor_entry.h"
#include "login/ui/login_entry.h"
#include "site/ui/site_entry.h"
#include "siteoptions/ui/siteoptions_entry.h"

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
    w.templateChooser = OpenTemplateChooser;
    w.webIE = OpenWebPageWindow;
    w.webFrame = OpenWebFrameWindow;
    w.mySite = OpenMySiteWindow;
    w.mobileSite = OpenMobileSitePreview;
    w.userInfo = OpenMemberInfoWindow;
    w.buySpace = OpenBuySpaceWindow;
    w.domainRegistration = OpenDomainRegistration;
    w.protection = OpenProtectionDialog;
    return w;
}

