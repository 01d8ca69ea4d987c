#pragma once
// The work of the blog writer frm编写博客 apart from its window: the page files of the editor,
// the album frame, the toolbar's commands, the album chooser, the preview and the publication of
// a new or edited post on the blog web service.
#include "foundation/table.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace blogwriter {

// The categories of cobType, the fonts of cmbFont and the sizes of cmbFontSize; entry 0 of the
// two font lists is their prompt.
const QStringList& Categories();
const QStringList& FontNames();
const QStringList& FontSizes();

// The buttons of tooWebTools in their order: key and tooltip.
struct ToolButton {
    QString key;
    QString tooltip;
};
const QList<ToolButton>& ToolButtons();

// The editor's page files in the program's data folder.
inline const QString kEditedPage = QStringLiteral("Temp001.html");   // the post being edited
inline const QString kPreviewPage = QStringLiteral("Temp002.html");  // the preview
inline const QString kOpenedPage = QStringLiteral("Temp003.html");   // the body of an opened blog file
QString PagePath(const QString& name);

// Writes a page file whole through the safe write, as GBK; a character GBK lacks is written as
// its character reference, so reading the page back gives the member's text. False when the
// file could not be written (the old file is then untouched).
bool WritePage(const QString& name, const QString& html);

// The page of a new post: twelve lines joined by a carriage return alone.
QString SkeletonPage();

// The album frame inserted into a post: an iframe on the service's album page of the member's
// album (an empty album when none is selected), centred in its own paragraph when asked.
QString AlbumFrameText(const QString& album, bool centred);

// The title of a new post as the service takes it: "<", ">" and every space escaped, untrimmed.
QString EscapeTitle(const QString& title);

// The albums the chooser offers: every name of the album list but those whose first three
// characters, lower-cased, are "www"; none when the list is "null".
QStringList ChooserAlbums(const Table& albumList);

// The message that follows a post's reply on the blog web service: success's text, the numbered
// refusals "Error_0001" to "Error_0003" of reading the subject ("博客", "微博"), and the
// unexpected reply.
QString PostReplyMessage(const QString& reply, const QString& success, const QString& subject);
// The message that follows a publication's reply.
QString PublishReplyMessage(const QString& reply, bool editMode);

// The question asked when a changed post would be lost by closing.
inline const QString kUnpublishedQuestion = QStringLiteral("博客内容尚未发布，确定要退出吗？");

}  // namespace blogwriter

// What the logic does to its window. Every hook is required (platform/hookcheck.h) but
// updateBlogListRow, which is optional.
struct BlogWriterView {
    // The editor webBlog: a document command (the browser layer's names: "Bold", "Paste",
    // "InsertText"...), its document text (the outer HTML, read synchronously), opening a page
    // file in design mode, the page file it shows (a local path), "Refresh", the focus.
    std::function<void(const QString& command, const QString& value)> execCommand;
    std::function<QString()> documentText;
    std::function<void(const QString& path)> openPage;
    std::function<QString()> shownPage;
    std::function<void()> refreshEditor;
    std::function<void()> focusEditor;
    // txtTitle and cobType.
    std::function<QString()> title;
    std::function<void(const QString&)> setTitle;
    std::function<QString()> category;
    std::function<void(const QString&)> setCategory;
    std::function<void()> focusTitle;
    // Frame1 (open and save a blog file): shown in new-post mode only.
    std::function<void(bool)> showFileButtons;
    // cmbFont and cmbFontSize back on their prompts.
    std::function<void()> showFontPrompts;
    // The album chooser frmAlbum: shown with its names, hidden, the selected name ("" when none)
    // and chkCenter.
    std::function<void(const QStringList&)> showAlbumChooser;
    std::function<void()> hideAlbumChooser;
    std::function<QString()> selectedAlbum;
    std::function<bool()> centred;
    // picNetToService, shown and painted at once.
    std::function<void()> showWait;
    std::function<void()> hideWait;
    // Other windows, modal: the file manager, the upload window, the preview of PageUrl.
    std::function<void()> openFileManager;
    std::function<void()> openUploadWindow;
    std::function<void()> openPreview;
    // The blog list's grid row (title in column 2, category in column 3) after an edit was
    // published; unset while no blog list is open.
    std::function<void(int row, const QString& title, const QString& category)> updateBlogListRow;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("execCommand", bool(execCommand));
        f("documentText", bool(documentText));
        f("openPage", bool(openPage));
        f("shownPage", bool(shownPage));
        f("refreshEditor", bool(refreshEditor));
        f("focusEditor", bool(focusEditor));
        f("title", bool(title));
        f("setTitle", bool(setTitle));
        f("category", bool(category));
        f("setCategory", bool(setCategory));
        f("focusTitle", bool(focusTitle));
        f("showFileButtons", bool(showFileButtons));
        f("showFontPrompts", bool(showFontPrompts));
        f("showAlbumChooser", bool(showAlbumChooser));
        f("hideAlbumChooser", bool(hideAlbumChooser));
        f("selectedAlbum", bool(selectedAlbum));
        f("centred", bool(centred));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("openFileManager", bool(openFileManager));
        f("openUploadWindow", bool(openUploadWindow));
        f("openPreview", bool(openPreview));
    }
};

class BlogWriterController {
public:
    BlogWriterView view;

    // The mode from frmDB.labBlogType (edit when not empty, which is then emptied), the title and
    // category of the edited post or the skeleton page of a new one, and the editor on
    // Temp001.html.
    void Form_Load();
    // Every end of a load of the editor: the first one is the text a close compares with.
    void documentLoaded();

    bool editMode() const { return m_editMode; }

    // A toolbar button by its key, compared case-sensitively; an unknown key does nothing.
    void tooWebTools_ButtonClick(const QString& key);
    // A choice in the font lists (index 0 is the prompt and does nothing).
    void cmbFont_Click(int index, const QString& text);
    void cmbFontSize_Click(int index);
    void picNewRow_Click();

    // The album chooser and the insertion of the selected album's frame at the caret.
    void picInputAlbum_Click();
    void cmdInputAlbum_Click();
    void cmdClose_Click();

    void picInputPicture_Click();
    void picUpLoadPicture_Click();
    void cmdView_Click();
    void cmdUpload_Click();
    // Asked before the window closes: true to close. A post changed since it was loaded or last
    // published is lost only after the member agrees.
    bool queryClose();

    // Frame1: the post saved to a blog file the member chooses, and a blog file opened into the
    // editor. A cancel or a failed write ends the command silently.
    void cmdSaveTemp_Click();
    void cmdOpenTemp_Click();
    enum class LoadResult { Shown, Refused, Unreadable };
    // The file is read and checked before the editor changes: a refused file leaves it as it was.
    LoadResult LoadBlogFile(const QString& path);

private:
    void refreshAlbumList();
    bool m_editMode = false;
    QString m_oldTime;   // labBlogDate of the edited post
    QString m_oldTitle;  // labBlogTitle of the edited post
    QString m_row;       // labBlogRow
    std::optional<QString> m_savedText;  // the document as loaded or last published
};
