// Blog files: the enciphered format, the extension rule, the writer's save and open commands, and
// what a refused or failed file leaves behind.
#include <gtest/gtest.h>

#include "blogs/blogfile.h"
#include "blogs/blogwriter.h"
#include "foundation/cipher.h"
#include "platform/ansi.h"
#include "platform/safefile.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFileInfo>

using testsupport::readFile;
using testsupport::sameBytes;
using testsupport::writeFile;

namespace {

const QString kGoldenTitle = QStringLiteral("  春游记 ");
const QString kGoldenCategory = QStringLiteral(" 旅游户外 ");
const QString kGoldenPage = QStringLiteral("<HTML><HEAD></HEAD><BODY><P>今天去了西湖。</P></BODY></HTML>");

// The writer with an editor that holds a title, a category and a document.
class BlogFile : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        QDir().mkpath(root() + QStringLiteral("/data"));
        BlogWriterView& v = writer.view;
        v.execCommand = [](const QString&, const QString&) {};
        v.documentText = [this] { return document; };
        v.openPage = [this](const QString& path) { opened.append(QFileInfo(path).fileName()); };
        v.shownPage = [] { return QString(); };
        v.refreshEditor = [] {};
        v.focusEditor = [] {};
        v.title = [this] { return title; };
        v.setTitle = [this](const QString& t) { title = t; };
        v.category = [this] { return category; };
        v.setCategory = [this](const QString& c) { category = c; };
        v.focusTitle = [] {};
        v.showFileButtons = [](bool) {};
        v.showFontPrompts = [] {};
        v.showAlbumChooser = [](const QStringList&) {};
        v.hideAlbumChooser = [] {};
        v.selectedAlbum = [] { return QString(); };
        v.centred = [] { return false; };
        v.showWait = [] {};
        v.hideWait = [] {};
        v.openFileManager = [] {};
        v.openUploadWindow = [] {};
        v.openPreview = [] {};
    }
    QString save(const QString& typed) {
        prompts.answerText(typed);
        writer.cmdSaveTemp_Click();
        return typed;
    }
    void open(const QString& path) {
        prompts.answerText(path);
        writer.cmdOpenTemp_Click();
    }
    void expectEditorUntouched() {
        EXPECT_EQ(title, QStringLiteral("原标题"));
        EXPECT_EQ(category, QStringLiteral("生活日记"));
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(blogwriter::PagePath(blogwriter::kOpenedPage)));
    }

    BlogWriterController writer;
    QString document;
    QString title;
    QString category;
    QStringList opened;
};

}  // namespace

TEST_F(BlogFile, FormatMatchesTheGoldenFileAndIsTwiceTheCharacters) {
    const QByteArray bytes = blogfile::Encode({kGoldenTitle, kGoldenCategory, kGoldenPage}, DataFileKey);
    EXPECT_TRUE(sameBytes(readFile(testsupport::testDataPath(QStringLiteral("blogs/golden/post.vymblog"))), bytes));
    const QString text = blogfile::ComposeText(kGoldenTitle, kGoldenCategory, kGoldenPage);
    EXPECT_EQ(text, QStringLiteral("春游记</VYMBlogTitle> 旅游户外 </VYMBlogType>") + kGoldenPage);
    EXPECT_EQ(bytes.size(), 2 * text.size());
    EXPECT_EQ(DecryptBytes(bytes, DataFileKey), text);
}

TEST_F(BlogFile, ExtensionRule) {
    const struct {
        QString typed;
        QString written;
    } cases[] = {
        {QStringLiteral("/d/20250101_0930"), QStringLiteral("/d/20250101_0930.vymblog")},
        {QStringLiteral("/d/x.txt"), QStringLiteral("/d/x.txt.vymblog")},
        {QStringLiteral("/d/A.VYMBLOG"), QStringLiteral("/d/A.VYMBLOG")},
        {QStringLiteral("/d/b.vymblog"), QStringLiteral("/d/b.vymblog")},
    };
    for (const auto& c : cases) EXPECT_EQ(blogfile::WithExtension(c.typed), c.written) << c.typed.toStdString();
    EXPECT_EQ(blogfile::ProposedName(QDateTime(QDate(2025, 1, 1), QTime(9, 30, 59))), QStringLiteral("20250101_0930"));
}

TEST_F(BlogFile, SaveThenOpenRestoresThePostWithActiveTagsDisabled) {
    title = QStringLiteral("  标题 ");
    category = QStringLiteral("  技术知识  ");
    document = QStringLiteral("<HTML><BODY><iframe src=\"http://h/a\"></iframe>字𠀀</BODY></HTML>");
    const QString path = root() + QStringLiteral("/存档");
    save(path);
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("save"));
    EXPECT_EQ(prompts.records()[0].text, blogfile::kSaveFilter);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("保存完毕！")});
    EXPECT_EQ(prompts.records()[1].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records()[1].style, vbInformation);
    const QByteArray saved = readFile(path + QStringLiteral(".vymblog"));
    EXPECT_EQ(saved.size(), 2 * blogfile::ComposeText(title, category, document).size());
    EXPECT_EQ(testsupport::filesIn(root()), (QStringList{QStringLiteral("存档.vymblog")}));

    title = QStringLiteral("原标题");
    category = QStringLiteral("生活日记");
    prompts.clear();
    open(path + QStringLiteral(".vymblog"));
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(prompts.records()[0].text, blogfile::kOpenFilter);
    EXPECT_EQ(title, QStringLiteral("标题"));
    EXPECT_EQ(category, QStringLiteral("  技术知识  "));
    EXPECT_EQ(opened, QStringList{QStringLiteral("Temp003.html")});
    // The page as GBK, the character GBK lacks as its reference; the frame is an "img" now.
    EXPECT_EQ(readFile(blogwriter::PagePath(blogwriter::kOpenedPage)),
              AnsiCodec::encode(QStringLiteral("<HTML><BODY><img src=\"http://h/a\"></img>字&#131072;</BODY></HTML>")));
}

TEST_F(BlogFile, EveryHeaderCopyLeavesThePageAndAnOddLastByteIsDropped) {
    const QString header = QStringLiteral("题</VYMBlogTitle>类</VYMBlogType>");
    QByteArray bytes = EncryptText(header + QStringLiteral("<body>a") + header + QStringLiteral("b</body>"), DataFileKey);
    bytes.append('\x7f');
    const QString path = root() + QStringLiteral("/odd.vymblog");
    writeFile(path, bytes);
    EXPECT_EQ(writer.LoadBlogFile(path), BlogWriterController::LoadResult::Shown);
    EXPECT_EQ(title, QStringLiteral("题"));
    EXPECT_EQ(category, QStringLiteral("类"));
    EXPECT_EQ(AnsiCodec::decode(readFile(blogwriter::PagePath(blogwriter::kOpenedPage))), QStringLiteral("<body>ab</body>"));
}

TEST_F(BlogFile, RefusedFilesShowTheMessageAndLeaveTheEditorAsItWas) {
    const QString good = blogfile::ComposeText(QStringLiteral("t"), QStringLiteral("c"), QStringLiteral("<body></body>"));
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"foreign format", QByteArray("<html><body>plain page</body></html>")},
        {"another key", EncryptText(good, QStringLiteral("another key"))},
        {"no category terminator", EncryptText(QStringLiteral("t</VYMBlogTitle>c<BODY>"), DataFileKey)},
        {"no title terminator", EncryptText(QStringLiteral("tc</VYMBlogType><BODY>"), DataFileKey)},
        {"title terminator after the header", EncryptText(QStringLiteral("c</VYMBlogType><BODY></VYMBlogTitle>"), DataFileKey)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        title = QStringLiteral("原标题");
        category = QStringLiteral("生活日记");
        prompts.clear();
        const QString path = root() + QStringLiteral("/bad.vymblog");
        writeFile(path, c.bytes);
        open(path);
        EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("打开博客文件错误！\r\r小提示：博客文件的扩展名是 .vymblog")});
        EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
        expectEditorUntouched();
    }
}

TEST_F(BlogFile, CancelMissingAndEmptyFilesEndSilently) {
    title = QStringLiteral("原标题");
    category = QStringLiteral("生活日记");
    writeFile(root() + QStringLiteral("/empty.vymblog"), QByteArray());
    for (const QString& chosen : {QString(), root() + QStringLiteral("/none.vymblog"), root() + QStringLiteral("/empty.vymblog")}) {
        open(chosen);
        save(QString());
    }
    EXPECT_TRUE(prompts.messages().isEmpty());
    expectEditorUntouched();
    EXPECT_EQ(testsupport::filesIn(root()), (QStringList{QStringLiteral("empty.vymblog")}));
}

TEST_F(BlogFile, ANameCompletedWithTheExtensionAsksBeforeReplacingAFile) {
    const QString path = root() + QStringLiteral("/a.vymblog");
    const QByteArray old = blogfile::Encode({QStringLiteral("旧"), QString(), QStringLiteral("<body>旧</body>")}, DataFileKey);
    writeFile(path, old);
    title = QStringLiteral("新");
    document = QStringLiteral("<body>新</body>");
    const QString question = path + QStringLiteral(" 已存在。\r要替换它吗？");

    prompts.answerText(root() + QStringLiteral("/a"));
    prompts.answer(vbNo);
    writer.cmdSaveTemp_Click();
    EXPECT_EQ(prompts.messages(), QStringList{question});
    EXPECT_EQ(prompts.records().last().style, vbYesNo | vbExclamation);
    EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
    EXPECT_EQ(readFile(path), old);

    prompts.clear();
    prompts.answerText(root() + QStringLiteral("/a"));
    prompts.answer(vbYes);
    writer.cmdSaveTemp_Click();
    EXPECT_EQ(prompts.messages(), (QStringList{question, blogfile::kSavedMessage}));
    EXPECT_NE(readFile(path), old);

    // The dialog itself asked about a name chosen whole; a new name asks nothing.
    for (const QString& typed : {path, root() + QStringLiteral("/b")}) {
        prompts.clear();
        save(typed);
        EXPECT_EQ(prompts.messages(), QStringList{blogfile::kSavedMessage}) << typed.toStdString();
    }
    EXPECT_EQ(testsupport::filesIn(root()), (QStringList{QStringLiteral("a.vymblog"), QStringLiteral("b.vymblog")}));
}

TEST_F(BlogFile, FailedSaveOverAnExistingFileLeavesItWhole) {
    const QString path = root() + QStringLiteral("/old.vymblog");
    const QByteArray old = blogfile::Encode({QStringLiteral("旧"), QString(), QStringLiteral("<body>旧</body>")}, DataFileKey);
    writeFile(path, old);
    title = QStringLiteral("新");
    document = QStringLiteral("<body>新</body>");
    for (const paths::SafeWriteStep step : {paths::SafeWriteStep::Write, paths::SafeWriteStep::Rename}) {
        const paths::SafeWriteFault fault(path, step);
        save(path);
    }
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(testsupport::filesIn(root()), (QStringList{QStringLiteral("old.vymblog")}));
}
