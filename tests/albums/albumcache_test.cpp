// The album-list stamp update that other windows make after an upload: the cached list and
// F01.dat change together, and F01.dat keeps its home-page album table.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "albums/albumcache.h"
#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "platform/safefile.h"
#include "platform/vberror.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

namespace {

const QString kDirInfo = QStringLiteral("甲</F>1</F>t</F></F></F></F>s1</F><//R>乙</F>2</F>t</F></F></F></F>s2</F><//R>DirInfo<///T>");
const QString kHomeAlbum = QStringLiteral("甲</F></F><//R>HomeAlbum<///T>");

class AlbumCache : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("li"));
        QDir().mkpath(UserFolder + QStringLiteral("/data"));
    }
    void cache(const QString& text) {
        ASSERT_TRUE(WriteEncryptedText(text, AlbumCachePath(AlbumListFileName)));
        AlbumList = ExtractTable(text, QStringLiteral("DirInfo"));
    }
    QString cached() {
        QFile f(AlbumCachePath(AlbumListFileName));
        return f.open(QIODevice::ReadOnly) ? DecryptBytes(f.readAll(), DataFileKey) : QString();
    }
};

}  // namespace

TEST_F(AlbumCache, StampOfAListedAlbumIsRecordedWithTheHomeTableKept) {
    // The home-page table first in the file: it is kept whole wherever it stands.
    cache(kHomeAlbum + kDirInfo);
    ASSERT_TRUE(RecordAlbumStamp(QStringLiteral("乙"), QStringLiteral("s9")));
    EXPECT_EQ(AlbumList.value(1, 6), QStringLiteral("s9"));
    EXPECT_EQ(AlbumList.value(0, 6), QStringLiteral("s1"));
    EXPECT_EQ(cached(), TableToText(AlbumList, QStringLiteral("DirInfo")) + kHomeAlbum);
}

TEST_F(AlbumCache, NothingChangesForAnAlbumNotListed) {
    cache(kDirInfo + kHomeAlbum);
    EXPECT_FALSE(RecordAlbumStamp(QStringLiteral("丙"), QStringLiteral("s9")));
    EXPECT_FALSE(RecordAlbumStamp(QStringLiteral("甲 "), QStringLiteral("s9")));  // names compare exactly
    EXPECT_EQ(cached(), kDirInfo + kHomeAlbum);
    // A list never read holds no album, not even one named "null".
    AlbumList = Table::null();
    EXPECT_FALSE(RecordAlbumStamp(QStringLiteral("null"), QStringLiteral("s9")));
}

TEST_F(AlbumCache, AFailedWriteLeavesListAndFileAsTheyWere) {
    cache(kDirInfo + kHomeAlbum);
    const Table before = AlbumList;
    const paths::SafeWriteFault fault(AlbumCachePath(AlbumListFileName), paths::SafeWriteStep::Rename);
    EXPECT_THROW(RecordAlbumStamp(QStringLiteral("甲"), QStringLiteral("s9")), VbError);
    EXPECT_EQ(AlbumList, before);
    EXPECT_EQ(cached(), kDirInfo + kHomeAlbum);
}

TEST_F(AlbumCache, RawTableTextFindsOnlyTheNamedTable) {
    const QString other = QStringLiteral("x</F><//R>XHomeAlbum<///T>");
    EXPECT_EQ(RawTableText(other + kHomeAlbum, QStringLiteral("HomeAlbum")), kHomeAlbum);
    EXPECT_EQ(RawTableText(other, QStringLiteral("HomeAlbum")), QString());
    EXPECT_EQ(RawTableText(kDirInfo, QStringLiteral("HomeAlbum")), QString());
    EXPECT_EQ(RawTableText(QStringLiteral("HomeAlbum<///T>"), QStringLiteral("HomeAlbum")), QStringLiteral("HomeAlbum<///T>"));
}
