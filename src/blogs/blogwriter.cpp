#include "blogs/blogwriter.h"

#include "albums/loadalbumlist.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "foundation/shareddata.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"

#include <QColor>

namespace blogwriter {

namespace {

const QString kTitle = QStringLiteral("提示");
const QString kEndpoint = QStringLiteral("webser002");
// Put at the caret and replaced by the album frame in the document's text.
const QString kFrameMarker = QStringLiteral("///--VYM--EFFECT--///");

// The editing commands of the toolbar keys that send one command with no value of their own.
const QHash<QString, QString>& PlainCommands() {
    static const QHash<QString, QString> commands{
        {QStringLiteral("copy"), QStringLiteral("Copy")},
        {QStringLiteral("cut"), QStringLiteral("Cut")},
        {QStringLiteral("paste"), QStringLiteral("Paste")},
        {QStringLiteral("delete"), QStringLiteral("Delete")},
        {QStringLiteral("bold"), QStringLiteral("Bold")},
        {QStringLiteral("italic"), QStringLiteral("Italic")},
        {QStringLiteral("underline"), QStringLiteral("Underline")},
        {QStringLiteral("strikethrough"), QStringLiteral("Strikethrough")},
        {QStringLiteral("justifyleft"), QStringLiteral("JustifyLeft")},
        {QStringLiteral("justifycenter"), QStringLiteral("JustifyCenter")},
        {QStringLiteral("justifyright"), QStringLiteral("JustifyRight")},
        {QStringLiteral("insertollist"), QStringLiteral("InsertOrderedList")},
        {QStringLiteral("insertullist"), QStringLiteral("InsertUnorderedList")},
        {QStringLiteral("sup"), QStringLiteral("SuperScript")},
        {QStringLiteral("sub"), QStringLiteral("SubScript")},
        {QStringLiteral("unlink"), QStringLiteral("Unlink")},
        {QStringLiteral("undo"), QStringLiteral("Undo")},
        {QStringLiteral("redo"), QStringLiteral("Redo")},
    };
    return commands;
}

}  // namespace

const QStringList& Categories() {
    static const QStringList list{
        QStringLiteral("生活日记"), QStringLiteral("生活杂谈"), QStringLiteral("情感世界"), QStringLiteral("运动娱乐"),
        QStringLiteral("明名八掛"), QStringLiteral("旅游户外"), QStringLiteral("美食天地"), QStringLiteral("丽人妆颜"),
        QStringLiteral("购物消费"), QStringLiteral("宠物世界"), QStringLiteral("技术知识"), QStringLiteral("其他")};
    return list;
}

const QStringList& FontNames() {
    static const QStringList list{QStringLiteral("字体"), QStringLiteral("宋体"), QStringLiteral("黑体"),
                                  QStringLiteral("楷体_GB2312"), QStringLiteral("仿宋_GB2312"), QStringLiteral("隶书"),
                                  QStringLiteral("幼圆")};
    return list;
}

const QStringList& FontSizes() {
    static const QStringList list{QStringLiteral("字号"), QStringLiteral("一号"), QStringLiteral("二号"),
                                  QStringLiteral("三号"), QStringLiteral("四号"), QStringLiteral("五号"),
                                  QStringLiteral("六号"), QStringLiteral("七号")};
    return list;
}

const QList<ToolButton>& ToolButtons() {
    static const QList<ToolButton> buttons{
        {QStringLiteral("copy"), QStringLiteral("复制")},
        {QStringLiteral("cut"), QStringLiteral("剪切")},
        {QStringLiteral("paste"), QStringLiteral("粘贴")},
        {QStringLiteral("delete"), QStringLiteral("删除")},
        {QStringLiteral("bold"), QStringLiteral("粗体")},
        {QStringLiteral("italic"), QStringLiteral("斜体")},
        {QStringLiteral("underline"), QStringLiteral("下划线")},
        {QStringLiteral("strikethrough"), QStringLiteral("删除线")},
        {QStringLiteral("justifyleft"), QStringLiteral("左对齐")},
        {QStringLiteral("justifycenter"), QStringLiteral("居中")},
        {QStringLiteral("justifyright"), QStringLiteral("右对齐")},
        {QStringLiteral("forecolor"), QStringLiteral("设置字符颜色")},
        {QStringLiteral("backcolor"), QStringLiteral("设置字符的背景颜色")},
        {QStringLiteral("insertollist"), QStringLiteral("序号符")},
        {QStringLiteral("insertullist"), QStringLiteral("项目符")},
        {QStringLiteral("sup"), QStringLiteral("上标")},
        {QStringLiteral("sub"), QStringLiteral("下标")},
        {QStringLiteral("inserthr"), QStringLiteral("插入线条")},
        {QStringLiteral("NewRow"), QStringLiteral("另起一行(切行)")},
        {QStringLiteral("create_link"), QStringLiteral("创建链接")},
        {QStringLiteral("unlink"), QStringLiteral("删除链接")},
        {QStringLiteral("undo"), QStringLiteral("撤消")},
        {QStringLiteral("redo"), QStringLiteral("重做")},
    };
    return buttons;
}

QString PagePath(const QString& name) { return paths::InRoot(QStringLiteral("data/") + name); }

bool WritePage(const QString& name, const QString& html) {
    try {
        paths::WriteFileSafely(PagePath(name), AnsiCodec::encodeHtml(html));
        return true;
    } catch (const VbError&) {
        return false;
    }
}

QString SkeletonPage() {
    return QStringList{QStringLiteral("<html>"),
                       QStringLiteral("<head>"),
                       QStringLiteral("<title></title>"),
                       QStringLiteral("<STYLE type=text/css>"),
                       QStringLiteral("<!--"),
                       QStringLiteral("img {border: 0;}"),
                       QStringLiteral("-->"),
                       QStringLiteral("</STYLE>"),
                       QStringLiteral("</head>"),
                       QStringLiteral("<body>"),
                       QStringLiteral("</body>"),
                       QStringLiteral("</html>")}
        .join(QLatin1Char('\r'));
}

QString AlbumFrameText(const QString& album, bool centred) {
    const QString address = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Frame) +
                            QStringLiteral("/album0002.aspx?k1=") + EncodeQueryValue(CurrentUserName) +
                            QStringLiteral("&k2=") + EncodeQueryValue(album) + QStringLiteral("&k3=") +
                            EncodeQueryValue(LoginField(6));
    const QString frame = QStringLiteral(R"(<iframe src="%1" width="600" height="500" scrolling="no" frameborder="0"></iframe>)")
                              .arg(address);
    return centred ? QStringLiteral(R"(<P align="center">)") + frame + QStringLiteral("</P><BR>") : frame;
}

QString EscapeTitle(const QString& title) { return EscapeHtmlText(title, {.blanks = true}); }

QStringList ChooserAlbums(const Table& albumList) {
    QStringList names;
    if (albumList.value(0, 0) == QLatin1String("null")) return names;
    for (int r = 0; r < albumList.rows(); ++r) {
        const QString name = albumList.value(r, AlbumListField::Name);
        if (name.left(3).toLower() != QLatin1String("www")) names << name;
    }
    return names;
}

QString PostReplyMessage(const QString& reply, const QString& success, const QString& subject) {
    if (reply == kOK_0001) return success;
    for (int n = 1; n <= 3; ++n)
        if (reply == ErrorCode(n))
            return QStringLiteral("错误 %1，读取%2失败，请您重新登录本软件再试。").arg(n, 4, 10, QLatin1Char('0')).arg(subject);
    return QStringLiteral("意外错误，请您重新登录本软件再试。");
}

QString PublishReplyMessage(const QString& reply, bool editMode) {
    return PostReplyMessage(reply, editMode ? QStringLiteral("博客修改成功！") : QStringLiteral("博客提交成功！"),
                            QStringLiteral("博客"));
}

}  // namespace blogwriter

using namespace blogwriter;

void BlogWriterController::Form_Load() {
    m_editMode = !SharedData::labBlogType.isEmpty();
    if (m_editMode) {
        m_row = SharedData::labBlogRow;
        m_oldTime = SharedData::labBlogDate;
        m_oldTitle = SharedData::labBlogTitle;
        CALL_REQUIRED_HOOK(view.setTitle, SharedData::labBlogTitle);
        CALL_REQUIRED_HOOK(view.setCategory, SharedData::labBlogType);
        CALL_REQUIRED_HOOK(view.showFileButtons, false);
        SharedData::labBlogType.clear();
    } else {
        // A page that cannot be written leaves the editor on whatever the file holds.
        WritePage(kEditedPage, SkeletonPage());
        CALL_REQUIRED_HOOK(view.setCategory, Categories().first());
        CALL_REQUIRED_HOOK(view.showFileButtons, true);
    }
    CALL_REQUIRED_HOOK(view.openPage, PagePath(kEditedPage));
}

void BlogWriterController::documentLoaded() {
    if (m_savedText) return;
    REQUIRE_HOOK(view.documentText);
    if (view.documentText) m_savedText = view.documentText();
}

void BlogWriterController::tooWebTools_ButtonClick(const QString& key) {
    if (const auto it = PlainCommands().constFind(key); it != PlainCommands().cend()) {
        CALL_REQUIRED_HOOK(view.execCommand, it.value(), QString());
    } else if (key == QLatin1String("forecolor") || key == QLatin1String("backcolor")) {
        const QColor c = prompts::current().chooseColor(Qt::black, QString());
        if (!c.isValid()) return;  // cancelled: nothing is sent
        const qint32 number = c.red() | (c.green() << 8) | (c.blue() << 16);
        CALL_REQUIRED_HOOK(view.execCommand,
                           key == QLatin1String("forecolor") ? QStringLiteral("ForeColor") : QStringLiteral("BackColor"),
                           ColorToHtml(number));
    } else if (key == QLatin1String("inserthr")) {
        CALL_REQUIRED_HOOK(view.execCommand, QStringLiteral("InsertHorizontalRule"), QStringLiteral("aa"));
    } else if (key == QLatin1String("NewRow")) {
        picNewRow_Click();
    } else if (key == QLatin1String("create_link")) {
        // The engine has no link dialog of its own.
        const QString url = prompts::current().inputBox(QStringLiteral("链接地址："), QStringLiteral("创建链接"),
                                                        QStringLiteral("http://"));
        if (url.isEmpty() || url == QLatin1String("http://")) return;
        CALL_REQUIRED_HOOK(view.execCommand, QStringLiteral("CreateLink"), url);
    }
}

void BlogWriterController::cmbFont_Click(int index, const QString& text) {
    if (index <= 0) return;
    CALL_REQUIRED_HOOK(view.execCommand, QStringLiteral("FontName"), vb::Trim(text));
    CALL_REQUIRED_HOOK(view.showFontPrompts);
}

void BlogWriterController::cmbFontSize_Click(int index) {
    if (index <= 0) return;
    CALL_REQUIRED_HOOK(view.execCommand, QStringLiteral("FontSize"), QString::number(index));
    CALL_REQUIRED_HOOK(view.showFontPrompts);
}

void BlogWriterController::picNewRow_Click() {
    CALL_REQUIRED_HOOK(view.focusEditor);
    // Shift+Enter: a line break within the paragraph.
    CALL_REQUIRED_HOOK(view.execCommand, QStringLiteral("InsertLineBreak"), QString());
}

void BlogWriterController::refreshAlbumList() {
    CALL_REQUIRED_HOOK(view.showWait);
    LoadAlbumList();
    CALL_REQUIRED_HOOK(view.hideWait);
}

void BlogWriterController::picInputAlbum_Click() {
    refreshAlbumList();
    CALL_REQUIRED_HOOK(view.showAlbumChooser, ChooserAlbums(AlbumList));
}

void BlogWriterController::cmdInputAlbum_Click() {
    REQUIRE_HOOK(view.selectedAlbum);
    REQUIRE_HOOK(view.centred);
    REQUIRE_HOOK(view.documentText);
    REQUIRE_HOOK(view.shownPage);
    const QString frame = AlbumFrameText(view.selectedAlbum ? view.selectedAlbum() : QString(),
                                         view.centred && view.centred());
    // The marker goes in at the caret as text, so the clipboard stays the member's.
    CALL_REQUIRED_HOOK(view.execCommand, QStringLiteral("InsertText"), kFrameMarker);
    QString text = view.documentText ? view.documentText() : QString();
    text.replace(kFrameMarker, frame);
    const QString edited = PagePath(kEditedPage);
    // Without the written page a reload would drop what the member typed.
    if (WritePage(kEditedPage, text)) {
        // After a blog file was opened the editor shows another page; a refresh would lose the frame.
        if (view.shownPage && view.shownPage() == edited)
            CALL_REQUIRED_HOOK(view.refreshEditor);
        else
            CALL_REQUIRED_HOOK(view.openPage, edited);
    }
    CALL_REQUIRED_HOOK(view.hideAlbumChooser);
}

void BlogWriterController::cmdClose_Click() { CALL_REQUIRED_HOOK(view.hideAlbumChooser); }

void BlogWriterController::picInputPicture_Click() {
    refreshAlbumList();
    SiteWindowLabels::labViewType = QStringLiteral("2");
    CALL_REQUIRED_HOOK(view.openFileManager);
}

void BlogWriterController::picUpLoadPicture_Click() {
    SiteWindowLabels::labUPloadType = QStringLiteral("0");
    refreshAlbumList();
    CALL_REQUIRED_HOOK(view.openUploadWindow);
}

void BlogWriterController::cmdView_Click() {
    REQUIRE_HOOK(view.documentText);
    const QString text = RestoreLinkTargets(view.documentText ? view.documentText() : QString());
    WritePage(kPreviewPage, text);
    PageUrl = PagePath(kPreviewPage);
    CALL_REQUIRED_HOOK(view.openPreview);
}

void BlogWriterController::cmdUpload_Click() {
    REQUIRE_HOOK(view.title);
    REQUIRE_HOOK(view.category);
    REQUIRE_HOOK(view.documentText);
    const QString title = view.title ? view.title() : QString();
    const QString category = vb::Trim(view.category ? view.category() : QString());
    if (vb::Trim(title).isEmpty()) {
        MsgBox(QStringLiteral("标题不能为空，请您输入标题后再继续。"), vbInformation, kTitle);
        CALL_REQUIRED_HOOK(view.focusTitle);
        return;
    }
    const QString document = view.documentText ? view.documentText() : QString();
    const QString body = IframesToEffectImages(QString(document));
    CALL_REQUIRED_HOOK(view.showWait);
    QString reply;
    try {
        if (!m_editMode)
            reply = ServiceCall(kEndpoint, QStringLiteral("UploadBlog"),
                                {CurrentUserName, LoginField(5), LoginField(6), EscapeTitle(title), category, body});
        else
            reply = ServiceCall(kEndpoint, QStringLiteral("EditBlog"),
                                {CurrentUserName, LoginField(5), LoginField(6), m_oldTime, m_oldTitle,
                                 vb::Trim(title), category, body});
    } catch (const VbError& e) {
        CALL_REQUIRED_HOOK(view.hideWait);
        ReportServiceError(e);
        return;
    }
    CALL_REQUIRED_HOOK(view.hideWait);
    if (reply == kOK_0001) {
        DialogState = 99;
        m_savedText = document;
        if (m_editMode && view.updateBlogListRow) view.updateBlogListRow(m_row.toInt(), vb::Trim(title), category);
    }
    MsgBox(PublishReplyMessage(reply, m_editMode), vbInformation, kTitle);
}

bool BlogWriterController::queryClose() {
    REQUIRE_HOOK(view.documentText);
    if (!m_savedText || !view.documentText) return true;
    if (view.documentText() == *m_savedText) return true;
    return MsgBox(kUnpublishedQuestion, vbOKCancel | vbQuestion, kTitle) == vbOK;
}
