// The album-list and file-list caches against the emulator: when the service is read, what the
// cache files hold, and what a failed read leaves.
#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "support/publishfixture.h"

#include <QDir>
#include <QFile>

using namespace testsupport;

namespace {
const QString kListFailed = QStringLiteral("读取相册信息失败！无法获得最新的相册信息，请您稍后再试。");
const QString kFilesFailed = QStringLiteral("读取文件信息失败！无法获得最新的文件信息，请您稍后再试。");
}  // namespace

class AlbumCacheTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        WithoutDemoSamples(member());
        emu::MemberStore& store = emulator().server().store();
        store.storeFile(member(), QStringLiteral("旅行"), QStringLiteral("a.jpg"), "x", QString(), store.newStamp());
        member().homeAlbums = QStringList{QString(), QStringLiteral("旅行")};
        SetLoginField(7, member().albumStamp);
    }
    int listReads() { return emulator().calls(QStringLiteral("GetDirInfo")).size(); }
    int fileReads() { return emulator().calls(QStringLiteral("GetDirFileInfo")).size(); }
    static QString cache(const QString& name) { return AlbumCachePath(name); }
    static QString decrypted(const QString& path) { return DecryptBytes(readFile(path), DataFileKey); }
};

TEST_F(AlbumCacheTest, TheListIsReadOnceThenFromTheCacheUntilTheStampChanges) {
    // A cache of the current stamp from an earlier run: the first call of a run reads anyway.
    WriteEncryptedText(QStringLiteral("旧</F><//R>DirInfo<///T>"), cache(AlbumListFileName));
    WriteEncryptedText(LoginField(7) + QStringLiteral("</F><//R>DirTime<///T>"), cache(AlbumListStampFileName));

    EXPECT_TRUE(LoadAlbumList());
    EXPECT_EQ(listReads(), 1);
    EXPECT_EQ(frm个人网站Labels::labDownDirFlag, QStringLiteral("1"));
    ASSERT_EQ(AlbumList.rows(), 2);
    EXPECT_EQ(AlbumList.value(1, 0), QStringLiteral("旅行"));
    EXPECT_EQ(HomeAlbums.value(0, 1), QStringLiteral("旅行"));
    EXPECT_EQ(HomeAlbums.cols(), 15);
    // Both tables in the list file, the stamp in the stamp file, exactly.
    const QString listText = decrypted(cache(AlbumListFileName));
    EXPECT_TRUE(listText.contains(QStringLiteral("DirInfo<///T>")));
    EXPECT_TRUE(listText.contains(QStringLiteral("HomeAlbum<///T>")));
    EXPECT_EQ(decrypted(cache(AlbumListStampFileName)), LoginField(7) + QStringLiteral("</F><//R>DirTime<///T>"));

    AlbumList = Table::null();
    HomeAlbums = Table::null();
    EXPECT_FALSE(LoadAlbumList());
    EXPECT_EQ(listReads(), 1);
    EXPECT_EQ(AlbumList.value(1, 0), QStringLiteral("旅行"));
    EXPECT_EQ(HomeAlbums.value(0, 1), QStringLiteral("旅行"));

    // An upload elsewhere changed the stamp.
    SetLoginField(7, QStringLiteral("1900-01-01 01:01:01"));
    EXPECT_TRUE(LoadAlbumList());
    EXPECT_EQ(listReads(), 2);
    EXPECT_FALSE(LoadAlbumList());
    EXPECT_EQ(listReads(), 2);
    EXPECT_EQ(emulator().calls(QStringLiteral("GetDirInfo"))[0].args,
              (QStringList{CurrentUserName, LoginField(5), LoginField(6)}));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(AlbumCacheTest, AStampFileWithoutItsTableOrMissingMeansARead) {
    ASSERT_TRUE(LoadAlbumList());
    QFile::remove(cache(AlbumListStampFileName));
    EXPECT_TRUE(LoadAlbumList());
    WriteEncryptedText(QStringLiteral("x</F><//R>Other<///T>"), cache(AlbumListStampFileName));
    SetLoginField(7, QStringLiteral("x"));
    EXPECT_TRUE(LoadAlbumList());
    EXPECT_EQ(listReads(), 3);
}

TEST_F(AlbumCacheTest, AReplyWithoutTheHomeFrameGivesFifteenEmptySlotsFreshOrCached) {
    emulator().scriptReply(QStringLiteral("GetDirInfo"), QStringLiteral("OK_0001_旅行{/F}1{/F}{//R}DirInfo{///T}"));
    ASSERT_TRUE(LoadAlbumList());
    EXPECT_EQ(HomeAlbums, Table(1, 15));
    HomeAlbums = Table::null();
    EXPECT_FALSE(LoadAlbumList());  // from the cache
    EXPECT_EQ(HomeAlbums, Table(1, 15));
}

TEST_F(AlbumCacheTest, ARefusedReadKeepsTheCachedList) {
    emulator().scriptReply(QStringLiteral("GetDirInfo"), QStringLiteral("Error_0001"));
    EXPECT_FALSE(LoadAlbumList());
    EXPECT_EQ(prompts.messages(), QStringList{kListFailed});
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(AlbumList.isNull());
    EXPECT_EQ(frm个人网站Labels::labDownDirFlag, QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(cache(AlbumListStampFileName)));

    ASSERT_TRUE(LoadAlbumList());
    AlbumList = Table::null();
    HomeAlbums = Table::null();
    SetLoginField(7, QString());
    emulator().scriptReply(QStringLiteral("GetDirInfo"), QStringLiteral("OK_0001"));  // not "OK_0001_"
    EXPECT_FALSE(LoadAlbumList());
    EXPECT_EQ(AlbumList.value(1, 0), QStringLiteral("旅行"));
    EXPECT_TRUE(HomeAlbums.isNull());  // only the list comes back from the cache

    emulator().hideWsdl(QStringLiteral("imgser001"));
    EXPECT_FALSE(LoadAlbumList());
    EXPECT_EQ(netErrors, 1);
}

TEST_F(AlbumCacheTest, AListFileThatCannotBeWrittenIsNotMarkedCurrent) {
    ASSERT_TRUE(LoadAlbumList());
    const QString oldStamp = decrypted(cache(AlbumListStampFileName));
    // Something that is no file stands where the list file goes.
    QFile::remove(cache(AlbumListFileName));
    QDir().mkpath(cache(AlbumListFileName) + QStringLiteral("/blocked"));
    SetLoginField(7, QStringLiteral("2030-01-01 00:00:00"));
    prompts.clear();
    EXPECT_TRUE(LoadAlbumList());
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 F01.dat。")});
    EXPECT_EQ(decrypted(cache(AlbumListStampFileName)), oldStamp);
    EXPECT_TRUE(LoadAlbumList());  // still not current: read again
    EXPECT_EQ(listReads(), 3);
}

TEST_F(AlbumCacheTest, FileListsAreCachedPerAlbumStamp) {
    ASSERT_TRUE(LoadAlbumList());
    const QString reply = QStringLiteral("OK_0001_http://img/a.jpg{/F}描述{/F}1{/F}t{/F}9{/F}0{/F}{/F}{/F}{/F}a.jpg{/F}{//R}FileInfo{///T}");
    EXPECT_FALSE(LoadAlbumFileList(QStringLiteral("没有的相册")));
    EXPECT_EQ(fileReads(), 0);

    emulator().scriptReply(QStringLiteral("GetDirFileInfo"), reply, 2);
    EXPECT_TRUE(LoadAlbumFileList(QStringLiteral("旅行")));
    EXPECT_EQ(AlbumFiles.value(0, 1), QStringLiteral("描述"));
    const QString stamp = AlbumList.value(1, 6);
    EXPECT_EQ(decrypted(cache(FileListStampsFileName)),
              QStringLiteral("旅行</F>") + stamp + QStringLiteral("</F><//R>DirTime<///T>"));
    AlbumFiles = Table::null();
    EXPECT_FALSE(LoadAlbumFileList(QStringLiteral("旅行")));
    EXPECT_EQ(fileReads(), 1);
    EXPECT_EQ(AlbumFiles.value(0, 9), QStringLiteral("a.jpg"));

    // A second album: every row now carries three fields.
    EXPECT_TRUE(LoadAlbumFileList(QStringLiteral("www网站素材")));
    const Table stamps = ReadTableFile(cache(FileListStampsFileName), QStringLiteral("DirTime"));
    ASSERT_EQ(stamps.rows(), 2);
    EXPECT_EQ(stamps.cols(), 3);
    EXPECT_EQ(stamps.value(1, 0), QStringLiteral("www网站素材"));

    emulator().scriptReply(QStringLiteral("GetDirFileInfo"), QStringLiteral("Error_0002"));
    AlbumList.set(1, 6, QStringLiteral("new stamp"));
    EXPECT_FALSE(LoadAlbumFileList(QStringLiteral("旅行")));
    EXPECT_EQ(prompts.messages(), QStringList{kFilesFailed});
    EXPECT_EQ(AlbumFiles.value(0, 1), QStringLiteral("描述"));  // the cached list
}

TEST_F(AlbumCacheTest, AFailedReadOfAnAlbumWithoutCacheNeverLeavesAnotherAlbumsFiles) {
    ASSERT_TRUE(LoadAlbumList());
    const QString other = QStringLiteral("www网站素材");
    ASSERT_TRUE(LoadAlbumFileList(QStringLiteral("旅行")));
    ASSERT_EQ(AlbumFiles.value(0, 9), QStringLiteral("a.jpg"));

    emulator().scriptReply(QStringLiteral("GetDirFileInfo"), QStringLiteral("Error_0002"));
    EXPECT_FALSE(LoadAlbumFileList(other));
    EXPECT_EQ(prompts.messages(), QStringList{kFilesFailed});
    EXPECT_TRUE(AlbumFiles.isNull());

    EXPECT_FALSE(LoadAlbumFileList(QStringLiteral("旅行")));  // from its cache
    ASSERT_EQ(AlbumFiles.value(0, 9), QStringLiteral("a.jpg"));
    emulator().hideWsdl(QStringLiteral("imgser001"));
    EXPECT_FALSE(LoadAlbumFileList(other));
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(AlbumFiles.isNull());
}

TEST_F(AlbumCacheTest, AlbumNamesNeverBecomeOtherFiles) {
    EXPECT_EQ(AlbumFileListPath(QStringLiteral("旅行")), UserFolder + QStringLiteral("/data/旅行.dat"));
    for (const char* name : {"../u0", "a/b", "a\\b", "..", ".", "", "F01", "f02", "F03"})
        EXPECT_TRUE(AlbumFileListPath(QString::fromUtf8(name)).isEmpty()) << name;

    // Such an album's list is read every time and written nowhere.
    AlbumList = Table(1, 7);
    AlbumList.set(0, 0, QStringLiteral("F01"));
    AlbumList.set(0, 6, QStringLiteral("s1"));
    WriteEncryptedText(QStringLiteral("list</F><//R>DirInfo<///T>"), cache(AlbumListFileName));
    const QByteArray before = readFile(cache(AlbumListFileName));
    emulator().scriptReply(QStringLiteral("GetDirFileInfo"), QStringLiteral("OK_0001_x{/F}{//R}FileInfo{///T}"), 2);
    EXPECT_TRUE(LoadAlbumFileList(QStringLiteral("F01")));
    EXPECT_TRUE(LoadAlbumFileList(QStringLiteral("F01")));
    EXPECT_EQ(fileReads(), 2);
    EXPECT_EQ(readFile(cache(AlbumListFileName)), before);
    EXPECT_FALSE(QFile::exists(cache(FileListStampsFileName)));
}
