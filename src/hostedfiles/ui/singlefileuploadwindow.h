#pragma once
// The modal window in which the member replaces one hosted file by a local file of its format:
// the path and its chooser, the preview with its quarter turns, the watermark and fit options,
// and the upload. The file manager fills its labels and preview before it shows it and reads
// DialogState afterwards. Its logic lives in hostedfiles/singlefileupload.h.
#include "hostedfiles/singlefileupload.h"
#include "state/singlefileuploadlabels.h"

#include <QDialog>
#include <QImage>
#include <QMap>

class PictureBox;
class PreviewBox;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// No Q_OBJECT: moc cannot read the alias's name, and the window needs no signals of its own.
class SingleFileUploadWindow : public QDialog, public SingleFileUploadLabels {
public:
    explicit SingleFileUploadWindow(QWidget* parent = nullptr);

    SingleFileUploadController logic;

    QLineEdit* txtPath = nullptr;
    QPushButton* cmdSearch = nullptr;
    QPushButton* cmdReSelect = nullptr;
    QPushButton* cmdUploadFiles = nullptr;
    QPushButton* cmdCloseUpload = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmdLeft = nullptr;
    QPushButton* cmdRight = nullptr;
    QCheckBox* cheWatermarkAndBorder = nullptr;
    QPushButton* cmdSetWaterMark = nullptr;
    QFrame* picPicZip = nullptr;
    QCheckBox* chkPicZIP = nullptr;
    QLabel* imgLock = nullptr;
    QLabel* labSelectInfo = nullptr;
    QLabel* Label3 = nullptr;
    QFrame* picView = nullptr;
    QLabel* imgView = nullptr;     // stretches its picture to its size
    // The turned preview's drawing surface (picPreview) and fill colour (picBackColor), both hidden.
    PreviewBox* preview = nullptr;
    PictureBox* picPreview = nullptr;
    PictureBox* picBackColor = nullptr;
    QMap<QString, QImage> imglPic;  // "swf1", "png1"
    QFrame* picWait = nullptr;
    QLabel* labUploadNow = nullptr;
    QLabel* labUploadFinish = nullptr;
    QProgressBar* imgWait = nullptr;

    // The opener's step: imgView takes a picture and its place in picView, in pixels.
    void setPreviewPicture(const QImage& picture, const QRect& place);

    void cmdSearch_Click() { logic.cmdSearch_Click(); }
    void cmdLeft_Click() { logic.Turn(-1); }
    void cmdRight_Click() { logic.Turn(+1); }
    void cheWatermarkAndBorder_Click();
    void cmdSetWaterMark_Click() { logic.cmdSetWaterMark_Click(); }
    void cmdReSelect_Click() { logic.cmdReSelect_Click(); }
    void cmdUploadFiles_Click() { logic.cmdUploadFiles_Click(); }
    void cmdCloseUpload_Click() { reject(); }

private:
    void wireView();

    // ---- the view's hooks
    QString pathText() const;
    void setPath(const QString& path);
    void enableWindow(bool on);
    static void doEvents();
    void showListPicture(ChosenShow kind);
    // imgView shows the picture file by PreviewFit; false when it does not read.
    bool fitPreview(const QString& path);
    void clearPreview();
    void enableTurns(bool on);
    void enableTurnButton(int step, bool on);
    bool loadTurnSource(const QString& path);
    bool showTurned(float angle, const QString& bmpPath);
    void clearTurnPreview();
    void setSelectInfo(const QString& text);
    bool watermarkTicked() const;
    bool picZipTicked() const;
    void lockPicZip(bool locked, const QString& caption);
    void openWatermarkSettings();
    void showScreenshotWarning();
    void enableSearch(bool on);
    void enableUpload(bool on);
    void showWait(bool shown, const QString& caption);
    void setUploadNow(const QString& text);
    void runComposer();
    bool renderThumbnail(const QString& path, const QString& bmpPath, const QString& jpegPath);
    static void showInFileManager(int index, const QString& thumbnail);
};
using frm上传单个文件 = SingleFileUploadWindow;  // 上传单个文件 single-file replacement

// The file manager's replace step: the window over the labels the opener set, shown modally.
void OpenSingleFileUpload(QWidget* parent, const QImage& picture, const QRect& place);
