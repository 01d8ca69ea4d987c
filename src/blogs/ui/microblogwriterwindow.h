#pragma once
// The micro-blog writer: a short text with its counter, one hosted picture attached from the file
// manager, picture upload, and posting. Its default instance is what the file manager hands a
// picture to.
#include "blogs/microblogwriter.h"
#include "platform/defaultinstance.h"

#include <QDialog>

#include <memory>

class ClickableLabel;
class PleaseWait;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// No Q_OBJECT: the window declares no signals or slots of its own.
class MicroBlogWriterWindow : public QDialog, public DefaultInstance<MicroBlogWriterWindow> {
public:
    explicit MicroBlogWriterWindow(QWidget* parent = nullptr);
    ~MicroBlogWriterWindow() override;

    QLabel* Label1 = nullptr;  // "三言两语，现场记录，发发感慨，晒晒心情"
    QPlainTextEdit* txtText = nullptr;
    // "您还可以输入 … 字", with labTxtNum in the gap.
    QLabel* Label2 = nullptr;
    QLabel* labTxtNum = nullptr;
    QLabel* Label3 = nullptr;
    ClickableLabel* picInputPicture = nullptr;
    ClickableLabel* picUpLoadPicture = nullptr;
    ClickableLabel* imgView = nullptr;
    QPushButton* cmdCancelPic = nullptr;
    QPushButton* cmdUpload = nullptr;
    QLabel* picNetToService = nullptr;

    // The logic, with the hooks this window set; it holds labImgURL.
    MicroBlogWriterController logic;

    void txtText_Change() { logic.txtText_Change(); }
    void cmdUpload_Click() { logic.cmdUpload_Click(); }
    void picInputPicture_Click() { logic.picInputPicture_Click(); }
    void picUpLoadPicture_Click() { logic.picUpLoadPicture_Click(); }
    void cmdCancelPic_Click() { logic.cmdCancelPic_Click(); }
    void imgView_Click() { logic.imgView_Click(); }

    // Every way of closing (Escape, the title bar) asks the logic first.
    void reject() override;

private:
    // The logic's view: each hook served by the member of its name (close by closeDone).
    void wireView();
    QString text() const;
    void setText(const QString& t);
    void setCharsLeft(const QString& n);
    void setPicture(const QImage& picture);
    void showPicture(bool on);
    void showCancelPic(bool on);
    void showWait();
    void hideWait();
    void openFileManager();
    void openUploadWindow();
    void viewThroughPage(const QString& address);
    void closeDone();

    std::unique_ptr<PleaseWait> m_wait;
};
using frm编写微博 = MicroBlogWriterWindow;  // 编写微博 micro-blog writer
