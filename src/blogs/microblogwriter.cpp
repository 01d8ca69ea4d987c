#include "blogs/microblogwriter.h"

#include "albums/loadalbumlist.h"
#include "blogs/blogwriter.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

namespace microblogwriter {

namespace {

const QString kTitle = QStringLiteral("提示");

// The length of the character at i: a line break ("\r\n", "\n" or "\r") and a surrogate pair are
// one character each.
qsizetype CharLength(const QString& text, qsizetype i) {
    const bool pairFollows = i + 1 < text.size();
    if (pairFollows && text.at(i) == QLatin1Char('\r') && text.at(i + 1) == QLatin1Char('\n')) return 2;
    if (pairFollows && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate()) return 2;
    return 1;
}

int CharBytes(const QString& text, qsizetype i, qsizetype length) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) return 2;
    return AnsiCodec::byteLength(text.mid(i, length));
}

// The number of code units of the longest beginning of at most maxBytes, and its byte count.
qsizetype FittingLength(const QString& text, int maxBytes, int* bytes) {
    int total = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length = CharLength(text, i);
        const int b = CharBytes(text, i, length);
        if (total + b > maxBytes) break;
        total += b;
        i += length;
    }
    if (bytes) *bytes = total;
    return i;
}

}  // namespace

int PostBytes(const QString& text) {
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = CharLength(text, i);
        bytes += CharBytes(text, i, length);
        i += length;
    }
    return bytes;
}

QString CutToLimit(const QString& text) { return text.left(FittingLength(text, kMaxBytes, nullptr)); }

QString CharsLeft(const QString& text) { return QString::number((kMaxBytes - PostBytes(text)) / 2); }

QString EscapeText(const QString& text) {
    return EscapeHtmlText(text, {.ampersands = true, .blanks = true, .lineBreaks = true});
}

QString PostReplyMessage(const QString& reply) {
    return blogwriter::PostReplyMessage(reply, QStringLiteral("微博提交成功！"), QStringLiteral("微博"));
}

}  // namespace microblogwriter

using namespace microblogwriter;

void MicroBlogWriterController::txtText_Change() {
    const QString text = AskRequiredHook(view.text);
    if (PostBytes(text) > kMaxBytes) {
        const QString cut = CutToLimit(text);
        CALL_REQUIRED_HOOK(view.setText, cut);
        CALL_REQUIRED_HOOK(view.setCharsLeft, CharsLeft(cut));
        return;
    }
    CALL_REQUIRED_HOOK(view.setCharsLeft, CharsLeft(text));
}

void MicroBlogWriterController::cmdUpload_Click() {
    const QString text = AskRequiredHook(view.text);
    CALL_REQUIRED_HOOK(view.showWait);
    QString reply;
    try {
        reply = ServiceCall(QStringLiteral("webser002"), QStringLiteral("UploadTBlog"),
                            {CurrentUserName, LoginField(5), LoginField(6), EscapeText(text), labImgURL,
                             labImgURL.isEmpty() ? QStringLiteral("0") : QStringLiteral("1")});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.hideWait);
        ReportServiceError(e);
        return;
    }
    CALL_REQUIRED_HOOK(view.hideWait);
    const bool posted = reply == kOK_0001;
    if (posted) {
        DialogState = 99;
        m_posted = true;
    }
    MsgBox(PostReplyMessage(reply), vbInformation, kTitle);
    if (posted) CALL_REQUIRED_HOOK(view.close);
}

void MicroBlogWriterController::refreshAlbumList() {
    CALL_REQUIRED_HOOK(view.showWait);
    LoadAlbumList();
    CALL_REQUIRED_HOOK(view.hideWait);
}

void MicroBlogWriterController::picInputPicture_Click() {
    refreshAlbumList();
    SiteWindowLabels::labViewType = QStringLiteral("1");
    CALL_REQUIRED_HOOK(view.openFileManager);
}

void MicroBlogWriterController::picUpLoadPicture_Click() {
    SiteWindowLabels::labUPloadType = QStringLiteral("0");
    refreshAlbumList();
    CALL_REQUIRED_HOOK(view.openUploadWindow);
}

void MicroBlogWriterController::AttachPicture(const QImage& picture, const QString& address) {
    CALL_REQUIRED_HOOK(view.setPicture, picture);
    CALL_REQUIRED_HOOK(view.showPicture, true);
    labImgURL = address;
    CALL_REQUIRED_HOOK(view.showCancelPic, true);
}

void MicroBlogWriterController::cmdCancelPic_Click() {
    CALL_REQUIRED_HOOK(view.setPicture, QImage());
    CALL_REQUIRED_HOOK(view.showPicture, false);
    labImgURL.clear();
    CALL_REQUIRED_HOOK(view.showCancelPic, false);
}

void MicroBlogWriterController::imgView_Click() {
    // Nothing attached, nothing to show (the picture is hidden then).
    if (labImgURL.isEmpty()) return;
    CALL_REQUIRED_HOOK(view.viewThroughPage, labImgURL);
}

bool MicroBlogWriterController::queryClose() {
    // The window opens empty and closes after a post: until then any text or picture is unposted.
    if (m_posted || (AskRequiredHook(view.text).isEmpty() && labImgURL.isEmpty())) return true;
    return MsgBox(kUnpostedQuestion, vbOKCancel | vbQuestion, kTitle) == vbOK;
}
