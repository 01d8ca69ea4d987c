// The file manager's logic against a logged window: the album tree and its folders, opening
// albums, the list grid, the mode, the hint boxes and the advertisement address.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "state/albumsstate.h"
#include "foundation/settings.h"
#include "hostedfiles/filemanager.h"
#include "hostedfiles/thumbnailcache.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/serviceconfig.h"
#include "support/fixtures.h"
#include "fakefilemanager.h"

using namespace testsupport;

namespace {

Table albumsNamed(const QStringList& names) {
    Table t(names.size(), 7);
    for (int r = 0; r < names.size(); ++r) t.set(r, 0, names[r]);
    return t;
}

Table filesOf(int count, int fields = 10) {
    Table t(count, fields);
    for (int r = 0; r < count; ++r)
        for (int f = 0; f < fields; ++f) t.set(r, f, QStringLiteral("f%1r%2").arg(f).arg(r));
    return t;
}

class FileManagerTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("demo"));
        QDir().mkpath(UserFolder + QStringLiteral("/UpLoadPicture"));
        FileManagerView& v = logic.view;
        v.clearTree = [this] { nodes.clear(); };
        v.addTreeNode = [this](const AlbumTreeNode& n) { nodes.push_back(n); };
        v.setAlbumName = [this](const QString& s) { log << QStringLiteral("album ") + s; };
        v.showNetToService = [this](bool on) { log << (on ? QStringLiteral("wait on") : QStringLiteral("wait off")); };
        v.fillFileList = [this](const QList<QStringList>& r) {
            rows = r;
            log << QStringLiteral("fill %1").arg(r.size());
        };
        v.listTabShown = [this] { return listTab; };
        v.selectFirstListRow = [this] { log << QStringLiteral("row 1"); };
        v.hideInsertButtons = [this] { log << QStringLiteral("manage layout"); };
        v.showHintBox = [this](int box, const QString& text, int left, int top) {
            shownText[box] = text;
            log << QStringLiteral("show %1 at %2,%3").arg(box).arg(left).arg(top);
        };
        v.hideHintBox = [this](int box) { log << QStringLiteral("hide %1").arg(box); };
        v.hintTicked = [this](int box) { return ticked[box]; };
        v.clearHintTick = [this](int box) { ticked[box] = false; };
        v.setMsgSN = [this](const QString& s) { msgSN = s; };
        v.pageDownVisible = [this] { return pageDown; };
        v.navigateAd = [this](const QString& a) { ad = a; };
        v.setInfoBackColour = [this](unsigned c) { log << QStringLiteral("colour %1").arg(c, 6, 16, QLatin1Char('0')); };
        v.hideInfoBox = [this] { log << QStringLiteral("info hidden"); };
        pages.wirePages(v);
        logic.loadFileList = [this](const QString& album) {
            loads << album;
            AlbumFiles = filesOf(album == QLatin1String("空") ? 0 : 3);
            if (album == QLatin1String("空")) AlbumFiles = Table::null();
            return true;
        };
    }
    QStringList keysOf(const QString& parent) const {
        QStringList keys;
        for (const AlbumTreeNode& n : nodes)
            if (n.parentKey == parent) keys << n.key + QLatin1Char('=') + n.text;
        return keys;
    }

    FileManagerController logic;
    FakeFileManager pages;
    std::vector<AlbumTreeNode> nodes;
    QList<QStringList> rows;
    QStringList log, loads;
    QString shownText[3];
    bool ticked[3] = {false, false, false};
    QString msgSN, ad;
    bool listTab = false, pageDown = false;
};

TEST_F(FileManagerTest, TheTreeGroupsAlbumsAndMakesTheirFolders) {
    struct Case {
        const char* name;
        Table albums;
        QStringList system, own;
    } cases[] = {
        {"mixed", albumsNamed({QStringLiteral("www相册"), QStringLiteral("WWW01"), QStringLiteral("Www"),
                               QStringLiteral("ww"), QStringLiteral("根目录")}),
         {QStringLiteral("ML0=www相册"), QStringLiteral("ML1=WWW01"), QStringLiteral("ML2=Www")},
         {QStringLiteral("ML3=ww"), QStringLiteral("ML4=根目录")}},
        {"system only", albumsNamed({QStringLiteral("www1"), QStringLiteral("wwwx")}),
         {QStringLiteral("ML0=www1"), QStringLiteral("ML1=wwwx")},
         {QStringLiteral("My=(无)")}},
        {"null list", Table::null(), {QStringLiteral("Sys=(无)")}, {QStringLiteral("My=(无)")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlbumList = c.albums;
        logic.LoadAlbumTree();
        EXPECT_EQ(keysOf(QString()), (QStringList{QStringLiteral("SysBoot=系统相册"), QStringLiteral("MyBoot=我创建的相册")}));
        EXPECT_EQ(keysOf(kSysBootKey), c.system);
        EXPECT_EQ(keysOf(kMyBootKey), c.own);
        if (!c.albums.isNull()) {
            for (int r = 0; r < c.albums.rows(); ++r)
                EXPECT_TRUE(QFileInfo(UserFolder + QStringLiteral("/UpLoadPicture/") + c.albums.value(r, 0)).isDir());
        }
    }
}

// An album name that can be no folder name keeps its node and gets the folder of its safe spelling,
// the one its thumbnails are cached in; nothing is made outside the thumbnail folder.
TEST_F(FileManagerTest, AnAlbumNameThatIsNoFolderNameGetsTheFolderOfItsSafeSpelling) {
    AlbumList = albumsNamed({QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("好")});
    logic.LoadAlbumTree();
    EXPECT_EQ(keysOf(kMyBootKey), (QStringList{QStringLiteral("ML0=.."), QStringLiteral("ML1=a/b"), QStringLiteral("ML2=好")}));
    QStringList folders = QDir(UserFolder + QStringLiteral("/UpLoadPicture")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    folders.sort();
    EXPECT_EQ(folders, (QStringList{QStringLiteral("_"), QStringLiteral("a_b"), QStringLiteral("好")}));
    EXPECT_EQ(QFileInfo(PageThumbnailPath(QStringLiteral(".."), QStringLiteral("x.jpg"))).absolutePath(),
              UserFolder + QStringLiteral("/UpLoadPicture/_"));
    EXPECT_FALSE(QFileInfo::exists(UserFolder + QStringLiteral("/UpLoadPicture/a")));
}

TEST_F(FileManagerTest, NodeClicksOpenAnAlbumOnceUntilAnotherIsOpened) {
    logic.tvwDir_NodeClick(kSysBootKey, QStringLiteral("系统相册"));
    logic.tvwDir_NodeClick(kNoMyAlbumKey, QStringLiteral("(无)"));
    EXPECT_TRUE(log.isEmpty());

    // "根目录" is the design caption of labDir, yet the first click opens it.
    logic.tvwDir_NodeClick(QStringLiteral("ML0"), QStringLiteral("根目录"));
    EXPECT_EQ(log.mid(0, 4), (QStringList{QStringLiteral("album 根目录"), QStringLiteral("wait on"),
                                          QStringLiteral("wait off"), QStringLiteral("fill 3")}));
    logic.tvwDir_NodeClick(QStringLiteral("ML0"), QStringLiteral("根目录"));
    logic.tvwDir_NodeClick(QStringLiteral("ML1"), QStringLiteral("旅行"));
    logic.tvwDir_NodeClick(QStringLiteral("ML0"), QStringLiteral("根目录"));
    EXPECT_EQ(loads, (QStringList{QStringLiteral("根目录"), QStringLiteral("旅行"), QStringLiteral("根目录")}));
    EXPECT_EQ(logic.OpenAlbum(), QStringLiteral("根目录"));

    log.clear();
    listTab = true;
    logic.tvwDir_NodeClick(QStringLiteral("ML1"), QStringLiteral("旅行"));
    EXPECT_EQ(log.last(), QStringLiteral("row 1"));
    log.clear();
    logic.tabFile_Click(0);
    EXPECT_TRUE(log.isEmpty());
    logic.tabFile_Click(1);
    EXPECT_EQ(log, QStringList{QStringLiteral("row 1")});
}

TEST_F(FileManagerTest, AnAlbumWhoseListCannotBeHadShowsNoFileOfThePreviousAlbum) {
    logic.tvwDir_NodeClick(QStringLiteral("ML0"), QStringLiteral("旅行"));
    ASSERT_EQ(rows.size(), 3);
    // The reader leaves AlbumFiles alone, as it does for a refused read without a cache.
    logic.loadFileList = [](const QString&) { return false; };
    logic.tvwDir_NodeClick(QStringLiteral("ML1"), QStringLiteral("坏"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringList(kFileListColumns, QString()));
}

TEST_F(FileManagerTest, TheListHoldsOneRowPerFileInItsColumns) {
    const QList<QStringList> sixteen = FileListRows(filesOf(16));
    ASSERT_EQ(sixteen.size(), 16);  // 17 grid rows with the header
    for (const QStringList& row : sixteen) {
        ASSERT_EQ(row.size(), kFileListColumns);
        EXPECT_TRUE(row[3].endsWith(QStringLiteral("KB")));
        EXPECT_TRUE(row[8].isEmpty());
    }
    EXPECT_EQ(sixteen[5], (QStringList{QString(), "f3r5", "f1r5", "f2r5KB", "f0r5", "f6r5", "f9r5", "f5r5", QString(),
                                       "f7r5", "f8r5", "f4r5", "f9r5"}));

    // An empty album keeps one empty data row: 2 grid rows.
    EXPECT_EQ(FileListRows(Table::null()), QList<QStringList>{QStringList(kFileListColumns, QString())});

    // A short row from the service fills the missing columns with empty text.
    const QStringList shortRow = FileListRows(filesOf(1, 4)).first();
    EXPECT_EQ(shortRow, (QStringList{QString(), "f3r0", "f1r0", "f2r0KB", "f0r0", QString(), QString(), QString(),
                                     QString(), QString(), QString(), QString(), QString()}));
}

TEST_F(FileManagerTest, TheModeDecidesTheInsertButtonsAndSettingThirteenTheFirstHint) {
    AlbumList = Table::null();
    struct Case {
        QString mode, hint13;
        bool manageLayout, hintShown;
    } cases[] = {
        {QStringLiteral("0"), QString(), true, true},
        {QStringLiteral("1"), QStringLiteral("1"), false, false},
        {QStringLiteral("2"), QStringLiteral("0"), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode.toStdString());
        log.clear();
        msgSN.clear();
        frm个人网站Labels::labViewType = c.mode;
        SetUserSetting(13, c.hint13);
        FileManagerController fresh;
        fresh.view = logic.view;
        fresh.Form_Load(QDate(2026, 12, 10));
        EXPECT_EQ(fresh.FilesPerPage, 15);
        EXPECT_EQ(fresh.SelectAllArmed, -1);
        EXPECT_EQ(log.contains(QStringLiteral("manage layout")), c.manageLayout);
        EXPECT_EQ(log.contains(QStringLiteral("show 1 at 2025,1905")), c.hintShown);
        EXPECT_EQ(msgSN, c.hintShown ? QStringLiteral("13") : QString());
        if (c.hintShown) {
            EXPECT_EQ(shownText[1], FileManagerHintFor(13).text);
        }
    }
}

TEST_F(FileManagerTest, ClosingATickedBoxTurnsOffItsOwnHint) {
    // Hint 14 in box 2, then hint 16 in box 0: labMsgSN names 16, yet box 2 turns off 14.
    ticked[2] = ticked[0] = true;
    logic.ShowHint(14);
    logic.ShowHint(16);
    EXPECT_FALSE(ticked[2]);
    EXPECT_FALSE(ticked[0]);
    EXPECT_EQ(msgSN, QStringLiteral("16"));
    ticked[2] = true;
    logic.CloseHintBox(2);
    EXPECT_EQ(GetUserSetting(14), QStringLiteral("1"));
    EXPECT_EQ(GetUserSetting(16), QString());
    EXPECT_EQ(logic.HintInBox(0), 16);

    // Closing unticked stores nothing; a hint turned off no longer shows.
    logic.CloseHintBox(0);
    EXPECT_EQ(GetUserSetting(16), QString());
    log.clear();
    logic.ShowHint(14);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(FileManagerTest, HintFifteenFollowsHintFourteenWhileThereIsANextPage) {
    pageDown = true;
    logic.ShowHint(14);
    log.clear();
    logic.CloseHintBox(2);
    EXPECT_EQ(log, (QStringList{QStringLiteral("hide 2"), QStringLiteral("show 2 at 2040,1875")}));
    EXPECT_EQ(logic.HintInBox(2), 15);
    EXPECT_EQ(shownText[2], FileManagerHintFor(15).text);

    // Not after hint 15 itself, nor without a next page, nor once 15 is turned off.
    log.clear();
    logic.CloseHintBox(2);
    EXPECT_EQ(log, QStringList{QStringLiteral("hide 2")});
    SetUserSetting(15, QStringLiteral("1"));
    logic.ShowHint(14);
    log.clear();
    logic.CloseHintBox(2);
    EXPECT_EQ(log, QStringList{QStringLiteral("hide 2")});
}

TEST_F(FileManagerTest, TheTargetOptionsColourTheInfoBoxAndExplainTheThumbnail) {
    logic.optSLT_Click();
    logic.optYT_Click();
    EXPECT_EQ(log, (QStringList{QStringLiteral("colour c0e0ff"), QStringLiteral("colour c0ffc0")}));
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text,
              QStringLiteral("提示：操作对象为“缩略图”是指在插入或复制网址及代码的图像的大小为缩略图的大小。"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
}

TEST_F(FileManagerTest, TheAdvertisementPageOfAFixedDate) {
    SetLoginField(6, QStringLiteral("www12"));
    SetLoginField(11, QStringLiteral("key7"));
    EXPECT_EQ(FileManagerAdAddress(QDate(2026, 12, 10)),
              QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
                  QStringLiteral("/pwtd/2650/picmanage.html?k1=key7&k2=www12&k3=2.0"));
}

}  // namespace
