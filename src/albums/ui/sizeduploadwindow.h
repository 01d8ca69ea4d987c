#pragma once
// The sized-picture upload window: the shared upload frame under a title band, uploading pictures
// cut to one widget's size into that widget's fixed album. Opened modally by
// OpenSizedUploadWindow (albums_entry.h) after the opener set the window's labels
// (sizeduploadwindowlabels.h) and the main window's labWidth, labHeight and labAddWatermark.
#include "albums/sizeduploadwindowcontroller.h"
#include "state/sizeduploadwindowlabels.h"
#include "albums/ui/uploadframe.h"
#include "platform/defaultinstance.h"
#include "state/sizeduploadwindowlabels.h"

// No Q_OBJECT: moc cannot read the name.
class SizedUploadWindow : public UploadFrame, public SizedUploadWindowLabels, public DefaultInstance<SizedUploadWindow> {
public:
    explicit SizedUploadWindow(QWidget* parent = nullptr);
    ~SizedUploadWindow() override;

    QLabel* imgTitle = nullptr;                 // the title band's picture
    QLabel* labUploadInfoCaption = nullptr;     // labUploadInfo
    QFrame* picAlbum = nullptr;
    QLabel* labDirInfoCaption = nullptr;        // labDirInfo
    QLabel* labUploadToAlbumCaption = nullptr;  // labUploadToAlbum, hidden

    // The controller, with the hooks this window set.
    SizedUploadWindowController logic;

    void Form_Load() { logic.Form_Load(); }
    void Form_Resize();
    void cmdCloseUpload_Click() { close(); }
    void cmdEditPic_Click() { logic.cmdEditPic_Click(); }
    void cmdSetWaterMark_Click() { logic.cmdSetWaterMark_Click(); }
    void cmdViewPhoto_Click() { logic.cmdViewPhoto_Click(); }

    void done(int result) override;

protected:
    void relayOut() override { Form_Resize(); }

private:
    // Sets the frame's hooks and the window's own.
    void wireView();
    void numberSlots();
    void hideWatermarkControls();
    void placeFrame();
    void layOut(const UploadLayout& l);
    void openCropDialog();

    bool m_unloading = false;
};
using frm上传特定 = SizedUploadWindow;  // 上传特定 sized-picture upload window
