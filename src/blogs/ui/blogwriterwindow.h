#pragma once
// The blog writer: a title, a category and an HTML body edited in an embedded browser, with a
// formatting toolbar, album frames, hosted pictures, picture upload, a preview and the
// publication of the post. Its default instance is what the file manager inserts pictures into.
#include "blogs/blogwriter.h"
#include "platform/defaultinstance.h"

#include <QDialog>

#include <memory>

class ClickableLabel;
class PleaseWait;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolBar;
class WebBrowser;

// No Q_OBJECT: the window declares no signals or slots of its own.
class BlogWriterWindow : public QDialog, public DefaultInstance<BlogWriterWindow> {
public:
    explicit BlogWriterWindow(QWidget* parent = nullptr);
    ~BlogWriterWindow() override;

    WebBrowser* webBlog = nullptr;
    QLabel* Label1 = nullptr;  // "标题"
    QLineEdit* txtTitle = nullptr;
    QLabel* Label2 = nullptr;  // "类别"
    QComboBox* cobType = nullptr;
    QWidget* fraWebTools = nullptr;
    QToolBar* tooWebTools = nullptr;
    QComboBox* cmbFont = nullptr;
    QComboBox* cmbFontSize = nullptr;
    ClickableLabel* picNewRow = nullptr;
    ClickableLabel* picInputAlbum = nullptr;
    ClickableLabel* picInputPicture = nullptr;
    ClickableLabel* picUpLoadPicture = nullptr;
    QGroupBox* frmAlbum = nullptr;
    QListWidget* lisAlbum = nullptr;
    QCheckBox* chkCenter = nullptr;
    QPushButton* cmdInputAlbum = nullptr;
    QPushButton* cmdClose = nullptr;
    ClickableLabel* picCloseAlbum = nullptr;
    QWidget* Frame1 = nullptr;
    QPushButton* cmdOpenTemp = nullptr;
    QPushButton* cmdSaveTemp = nullptr;
    QWidget* Frame2 = nullptr;
    QPushButton* cmdUpload = nullptr;
    QPushButton* cmdView = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* picNetToService = nullptr;

    // The logic, with the hooks this window set.
    BlogWriterController logic;

    void Form_Load();
    void tooWebTools_ButtonClick(const QString& key) { logic.tooWebTools_ButtonClick(key); }
    void cmbFont_Click();
    void cmbFontSize_Click();
    void picNewRow_Click() { logic.picNewRow_Click(); }
    void txtTitle_Click();
    void picInputAlbum_Click() { logic.picInputAlbum_Click(); }
    void cmdInputAlbum_Click() { logic.cmdInputAlbum_Click(); }
    void cmdClose_Click() { logic.cmdClose_Click(); }
    void picInputPicture_Click() { logic.picInputPicture_Click(); }
    void picUpLoadPicture_Click() { logic.picUpLoadPicture_Click(); }
    void cmdView_Click() { logic.cmdView_Click(); }
    void cmdUpload_Click() { logic.cmdUpload_Click(); }
    void cmdQuit_Click() { reject(); }
    void cmdSaveTemp_Click() { logic.cmdSaveTemp_Click(); }
    void cmdOpenTemp_Click() { logic.cmdOpenTemp_Click(); }

    // Every way of closing (cmdQuit, Escape, the title bar) asks the logic first.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The logic's view: each hook served by the member of its name.
    void wireView();
    void execCommand(const QString& command, const QString& value);
    QString documentText() const;
    void openPage(const QString& path);
    QString shownPage() const;
    void refreshEditor();
    void focusEditor();
    QString title() const;
    void setTitle(const QString& t);
    QString category() const;
    void setCategory(const QString& c);
    void focusTitle();
    void showFileButtons(bool on);
    void showFontPrompts();
    void showAlbumChooser(const QStringList& names);
    void hideAlbumChooser();
    QString selectedAlbum() const;
    bool centred() const;
    void showWait();
    void hideWait();
    void openFileManager();
    void openUploadWindow();
    void openPreview();
    static void updateBlogListRow(int row, const QString& title, const QString& category);

    std::unique_ptr<PleaseWait> m_wait;
};
using frm编写博客 = BlogWriterWindow;  // 编写博客 blog writer
