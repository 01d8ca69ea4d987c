#pragma once
// The work of the micro-blog writer frm编写微博 apart from its window: the length rule of a post,
// the text as the service takes it, the attached hosted picture, and posting with UploadTBlog.
#include <QImage>
#include <QString>

#include <functional>

namespace microblogwriter {

// A post holds at most this many bytes in the system code page.
inline constexpr int kMaxBytes = 280;

// The post's length in the system code page: a Chinese character counts 2, an ASCII character 1,
// a line break 2 (the text box holds a line feed where the post holds a carriage return and a
// line feed).
int PostBytes(const QString& text);
// The longest beginning of the text, in whole characters (a line break or a surrogate pair is one
// character), that is at most kMaxBytes long: what removing the last character until the text
// fits leaves.
QString CutToLimit(const QString& text);
// labTxtNum: the whole part of (kMaxBytes − bytes) / 2, in decimal.
QString CharsLeft(const QString& text);
// The text as it is posted: "&", "<", ">", spaces and line breaks as "&amp;", "&lt;", "&gt;",
// "&nbsp;", "<br>".
QString EscapeText(const QString& text);
// The message that follows a post's reply.
QString PostReplyMessage(const QString& reply);

// The question asked when a changed post would be lost by closing.
inline const QString kUnpostedQuestion = QStringLiteral("微博内容尚未发布，确定要退出吗？");

}  // namespace microblogwriter

// What the logic does to its window. Every hook is required (platform/hookcheck.h).
struct MicroBlogWriterView {
    // txtText: its text, and a new text set without running the change handler, the caret after
    // its last character.
    std::function<QString()> text;
    std::function<void(const QString&)> setText;
    std::function<void(const QString&)> setCharsLeft;  // labTxtNum
    // imgView: its picture (a null image leaves it empty) and whether it shows; cmdCancelPic shown.
    std::function<void(const QImage&)> setPicture;
    std::function<void(bool)> showPicture;
    std::function<void(bool)> showCancelPic;
    // picNetToService, shown and painted at once.
    std::function<void()> showWait;
    std::function<void()> hideWait;
    // Other windows, modal: the file manager, the upload window, the viewer on VievPhoto.html of
    // an address.
    std::function<void()> openFileManager;
    std::function<void()> openUploadWindow;
    std::function<void(const QString& address)> viewThroughPage;
    // The window unloads after a post, without the question of a close.
    std::function<void()> close;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("text", bool(text));
        f("setText", bool(setText));
        f("setCharsLeft", bool(setCharsLeft));
        f("setPicture", bool(setPicture));
        f("showPicture", bool(showPicture));
        f("showCancelPic", bool(showCancelPic));
        f("showWait", bool(showWait));
        f("hideWait", bool(hideWait));
        f("openFileManager", bool(openFileManager));
        f("openUploadWindow", bool(openUploadWindow));
        f("viewThroughPage", bool(viewThroughPage));
        f("close", bool(close));
    }
};

class MicroBlogWriterController {
public:
    MicroBlogWriterView view;

    // The address of the attached picture or Flash file; empty while nothing is attached.
    QString labImgURL;

    // txtText's change: a text over the limit is cut, and the counter follows.
    void txtText_Change();
    void cmdUpload_Click();
    void picInputPicture_Click();
    void picUpLoadPicture_Click();
    void cmdCancelPic_Click();
    void imgView_Click();
    // The file manager's hand-over: the thumbnail shown for the file and its address.
    void AttachPicture(const QImage& picture, const QString& address);
    // Asked before the window closes: true to close. A text or picture changed since the window
    // opened is lost only after the member agrees.
    bool queryClose();

private:
    void refreshAlbumList();
    bool m_posted = false;
};
