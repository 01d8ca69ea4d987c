// Data folders, domain-name rules and opening an address.
#include "foundation/folders.h"
#include "platform/urlopening.h"
#include "platform/vberror.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

using testsupport::DataRootTest;

namespace {
const QString kHeader = QStringLiteral("您要注册的域名有以下方面需要修改才能成功注册：\r\r");
const QString kLength = QStringLiteral("、域名的长度必须大于或等于4位；");
const QString kWww = QStringLiteral("、不能注册前三位字符是“www”的域名(因为有特殊用途)；");
const QString kChars = QStringLiteral("、域名只能由字母a~z、数字0~9组成；");
const QString kBrand = QStringLiteral("、域名不能包含“vym”；");
QString prefixItem(const char* word) {
    return QStringLiteral("、不能注册前三位字符是“") + QLatin1String(word)
        + QStringLiteral("”而后面紧跟着数字串的域名(因为有特殊用途)；");
}
// The message of the items: the last "；" becomes "。".
QString message(const QString& items) { return kHeader + items.left(items.size() - 1) + QStringLiteral("。"); }
}  // namespace

TEST(DomainRules, MessagesAssembledExactly) {
    const struct { QString label; QString expected; } cases[] = {
        {QStringLiteral("mysite"), QString()},
        {QStringLiteral("  MySite2010 "), QString()},
        {QStringLiteral("webpage"), QString()},  // "web" followed by letters
        {QStringLiteral("abc"), message(QStringLiteral("1") + kLength)},
        {QStringLiteral("www"), message(QStringLiteral("1") + kLength)},  // too short for the prefix rules
        {QStringLiteral("web"), message(QStringLiteral("1") + kLength)},
        {QString(), message(QStringLiteral("1") + kLength)},
        {QStringLiteral("wwwabc"), message(QStringLiteral("1") + kWww)},
        {QStringLiteral("web123"), message(QStringLiteral("1") + prefixItem("web"))},
        {QStringLiteral("WAP1"), message(QStringLiteral("1") + prefixItem("wap"))},
        {QStringLiteral("img1e5"), message(QStringLiteral("1") + prefixItem("img"))},
        {QStringLiteral("frm2.5"), message(QStringLiteral("1") + prefixItem("frm") + QStringLiteral("\r2") + kChars)},
        {QStringLiteral("sys-12"), message(QStringLiteral("1") + prefixItem("sys") + QStringLiteral("\r2") + kChars)},
        {QStringLiteral("web1,000"), message(QStringLiteral("1") + prefixItem("web") + QStringLiteral("\r2") + kChars)},
        {QStringLiteral("web12a"), QString()},
        // The character item first: three carriage returns after the header.
        {QStringLiteral("my-site_x"), message(QStringLiteral("\r1") + kChars)},
        {QStringLiteral("我的网站"), message(QStringLiteral("\r1") + kChars)},
        {QStringLiteral("myVYMsite"), message(QStringLiteral("\r1") + kBrand)},
        {QStringLiteral("a-b"), message(QStringLiteral("1") + kLength + QStringLiteral("\r2") + kChars)},
        {QStringLiteral("wwwvym-1"),
         message(QStringLiteral("1") + kWww + QStringLiteral("\r2") + kChars + QStringLiteral("\r3") + kBrand)},
        {QStringLiteral("vy"), message(QStringLiteral("1") + kLength)},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckDomainName(c.label), c.expected) << c.label.toStdString();
}

class DataFolders : public DataRootTest {};

TEST_F(DataFolders, ProgramFoldersWithoutAMember) {
    EnsureDataFolders();
    QStringList found = QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    found.sort();
    EXPECT_EQ(found, QStringList({QStringLiteral("UserData"), QStringLiteral("data")}));
    EXPECT_TRUE(QFileInfo(root() + QStringLiteral("/data/Temp")).isDir());
    EXPECT_TRUE(QDir(root() + QStringLiteral("/UserData")).isEmpty());
}

TEST_F(DataFolders, MemberTreeAndFilesStandingInForFolders) {
    CurrentUserName = QStringLiteral("alice");
    QDir().mkpath(root() + QStringLiteral("/data"));
    testsupport::writeFile(root() + QStringLiteral("/data/Temp"), "a file, not a folder");
    EnsureDataFolders();
    EXPECT_TRUE(QFileInfo(root() + QStringLiteral("/data/Temp")).isFile());
    for (const char* sub : {"", "/UpLoadPicture", "/temp", "/data"})
        EXPECT_TRUE(QFileInfo(root() + QStringLiteral("/UserData/alice") + QLatin1String(sub)).isDir()) << sub;
    EnsureDataFolders();  // nothing to do the second time
}

TEST_F(DataFolders, TheMemberTempFolderAndTheFilesInIt) {
    loginAs(QStringLiteral("alice"));  // UserFolder as the login sets it
    EnsureDataFolders();
    EXPECT_EQ(MemberTempPath(), UserFolder + QStringLiteral("/temp"));
    EXPECT_TRUE(QFileInfo(MemberTempPath()).isDir());
    const struct {
        const char* name;
        const char* file;  // under <UserFolder>/temp/
    } cases[] = {
        {"3.html", "3.html"}, {"b1.html", "b1.html"}, {"view.html", "view.html"},
        {"../u1.dat", ".._u1.dat"}, {"a\\b", "a_b"}, {"..", "_"}, {"", "_"},  // never out of the folder
    };
    for (const auto& c : cases)
        EXPECT_EQ(MemberTempPath(QString::fromLatin1(c.name)), UserFolder + QStringLiteral("/temp/") + QLatin1String(c.file)) << c.name;
}

TEST_F(DataFolders, FolderThatCannotBeMadeRaises) {
    CurrentUserName = QStringLiteral("bob");
    testsupport::writeFile(root() + QStringLiteral("/UserData"), "a file where the member folders go");
    EXPECT_THROW(EnsureDataFolders(), VbError);
}

class OpeningAddresses : public DataRootTest {
protected:
    void TearDown() override {
        urlopening::install(nullptr);
        DataRootTest::TearDown();
    }
    QStringList calls;
    void use(bool desktop, bool browser, bool realClipboard = false) {
        urlopening::Openers o;
        o.openWithDesktop = [this, desktop](const QString& u) { calls << QStringLiteral("desktop ") + u; return desktop; };
        o.startBrowser = [this, browser](const QString& u) { calls << QStringLiteral("browser ") + u; return browser; };
        if (!realClipboard)
            o.setClipboardText = [this](const QString& t) { calls << QStringLiteral("clipboard ") + t; };
        urlopening::install(&o);
    }
};

TEST_F(OpeningAddresses, DesktopThenBrowserProgram) {
    const QString url = QStringLiteral("http://www.example.test/a?k1=2");
    use(true, true);
    EXPECT_TRUE(OpenUrlInBrowser(url));
    EXPECT_EQ(calls, QStringList({QStringLiteral("desktop ") + url}));
    calls.clear();
    use(false, true);
    EXPECT_TRUE(OpenUrlInBrowser(url));
    EXPECT_EQ(calls, QStringList({QStringLiteral("desktop ") + url, QStringLiteral("browser ") + url}));
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(OpeningAddresses, NeitherStartsAddressGoesToTheClipboard) {
    const QString url = QStringLiteral("http://www.example.test/页面");
    use(false, false, true);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    EXPECT_FALSE(OpenUrlInBrowser(url));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), url);
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text,
              QStringLiteral("调用IE打开网页失败，网页的网址：“http://www.example.test/页面”已复制到剪贴板，"
                             "若需要打开此网页，请您手动打开IE然后粘贴网址打开。"));
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
}

TEST_F(OpeningAddresses, FailingOpenersNeverEscape) {
    urlopening::Openers o;
    o.openWithDesktop = [](const QString&) -> bool { throw std::runtime_error("no desktop"); };
    o.startBrowser = [](const QString&) -> bool { throw std::runtime_error("no browser"); };
    o.setClipboardText = [](const QString&) { throw std::runtime_error("no clipboard"); };
    urlopening::install(&o);
    EXPECT_FALSE(OpenUrlInBrowser(QStringLiteral("http://x.test/")));
}

TEST(BrowserProgram, FromTheEnvironment) {
    const QByteArray saved = qgetenv("BROWSER");
    qunsetenv("BROWSER");
    EXPECT_EQ(urlopening::BrowserCommand(), QStringLiteral("x-www-browser"));
    qputenv("BROWSER", "firefox --new-window");
    EXPECT_EQ(urlopening::BrowserCommand(), QStringLiteral("firefox --new-window"));
    if (saved.isNull()) qunsetenv("BROWSER");
    else qputenv("BROWSER", saved);
}
