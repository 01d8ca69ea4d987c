#pragma once
// The album upload window: the shared upload frame with the album chooser, the conversion option,
// the folder upload, the tutorial panel or the week's advertisement in the top band, and the
// window's hint boxes. Opened modally by OpenUploadWindow (albums_entry.h) after the opener set
// the main window's labUPloadType and the window's own labels (uploadwindowlabels.h).
#include "albums/ui/uploadframe.h"
#include "albums/uploadnewalbum.h"
#include "albums/uploadwindowcontroller.h"
#include "state/uploadwindowlabels.h"
#include "platform/defaultinstance.h"
#include "state/uploadwindowlabels.h"

class QComboBox;
class TeachPanel;
class WebBrowser;

// No Q_OBJECT: moc cannot read the name.
class UploadWindow : public UploadFrame, public UploadWindowLabels, public DefaultInstance<UploadWindow> {
public:
    explicit UploadWindow(QWidget* parent = nullptr);
    ~UploadWindow() override;

    WebBrowser* webAD = nullptr;
    TeachPanel* teachpicTeach = nullptr;
    QFrame* picAlbum = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cobAlbum = nullptr;
    QPushButton* cmdNewAlbum = nullptr;
    QLabel* labDirInfoCaption = nullptr;      // labDirInfo
    QLabel* labUploadToAlbumCaption = nullptr;  // labUploadToAlbum
    QFrame* picPicZip = nullptr;
    QCheckBox* chkPicZIP = nullptr;
    QLabel* chkPicZIPCaption = nullptr;  // chkPicZIP's caption, which the watermark option changes
    QLabel* imgLock = nullptr;
    QPushButton* cmdUploadFolder = nullptr;
    QPushButton* cmdUploadNextPage = nullptr;

    // The controller, with the hooks this window set.
    UploadWindowController logic;
    UploadNewAlbumView newAlbumView;

    void Form_Load() { logic.Form_Load(); }
    void Form_Resize();
    void cmdOpenTeach_Click();
    void cmdCloseTeach_Click();
    void cmdCloseUpload_Click() { close(); }
    void cmdEditPic_Click() { logic.cmdEditPic_Click(); }
    void cmdSetWaterMark_Click() { logic.cmdSetWaterMark_Click(); }
    void cmdViewPhoto_Click() { logic.cmdViewPhoto_Click(); }
    void cheWatermarkAndBorder_Click();
    void cobAlbum_Click();
    void cmdClosOpeMsg_Click(int index);
    void imgCloseOpe_Click(int index) { cmdClosOpeMsg_Click(index); }
    void cmdNewAlbum_Click() { CreateAlbumFromUploadWindow(newAlbumView); }
    void cmdUploadFolder_Click() { logic.run.ChooseUploadFolder(); }
    void cmdUploadNextPage_Click() { logic.run.cmdUploadNextPage_Click(); }

    // Whether the tutorial panel is up (not the widget's visibility, false while the window is hidden).
    bool tutorialShown() const { return m_teachShown; }

    void done(int result) override;

protected:
    void relayOut() override { Form_Resize(); }
    QWidget* namedControl(const QString& name) override;
    QWidget* hintTarget(int box) override;
    void showRunPanel() override;

private:
    void Form_QueryUnload() { logic.Form_QueryUnload(); }
    int bandTwips() const;
    // Sets the frame's hooks, the window's own and the new-album command's.
    void wireView();
    void openTutorial();
    void navigateAd(const QString& url);
    void fillChooser(const QStringList& items, const QString& text);
    void showUploadToAlbum(const QString& caption, bool visible);
    void layOut(const UploadLayout& l);
    void lockPicZip(bool locked, const QString& caption);
    bool picZipTicked() const;
    QString chooserText() const;
    void enableNewAlbum(bool enabled);
    void addChosenAlbum(const QString& album);

    bool m_teachShown = false;
    bool m_unloading = false;
};
using frm上传 = UploadWindow;  // 上传 album upload window
