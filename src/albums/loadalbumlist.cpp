#include "albums/loadalbumlist.h"

#include "albums/albumcache.h"
#include "foundation/servicecall.h"
#include "foundation/tabletext.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"

#include <QFileInfo>

namespace {

const QString kDirInfo = QStringLiteral("DirInfo");
const QString kHomeAlbum = QStringLiteral("HomeAlbum");
const QString kDirTime = QStringLiteral("DirTime");
const QString kFileInfo = QStringLiteral("FileInfo");
constexpr int kHomeAlbumSlots = 15;

bool Exists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// The home-page frame of a list text; a text without one gives 15 empty slots, so the frame reads
// the same whether it came from the service or from the cache.
Table HomeAlbumsOf(const QString& text) {
    const Table t = ExtractTable(text, kHomeAlbum);
    return t.isNull() ? Table(1, kHomeAlbumSlots) : t;
}

Table HomeAlbumsOfFile(const QString& path) {
    const Table t = ReadTableFile(path, kHomeAlbum);
    return t.isNull() ? Table(1, kHomeAlbumSlots) : t;
}

QString ReplyTableText(const QString& reply) {
    return UnescapeTableSeparators(ReplyPayload(reply, kOK_0001Stamp));
}

}  // namespace

bool LoadAlbumList() {
    try {
        const QString listFile = AlbumCachePath(AlbumListFileName);
        const QString stampFile = AlbumCachePath(AlbumListStampFileName);
        bool fresh = frm个人网站Labels::labDownDirFlag != QLatin1String("0") && Exists(listFile) && Exists(stampFile);
        if (fresh) {
            const Table stamp = ReadTableFile(stampFile, kDirTime);
            fresh = !stamp.isNull() && stamp.value(0, 0) == LoginField(7);
        }
        if (fresh) {
            AlbumList = ReadTableFile(listFile, kDirInfo);
            HomeAlbums = HomeAlbumsOfFile(listFile);
            return false;
        }

        const QString reply = ServiceCall(QStringLiteral("imgser001"), QStringLiteral("GetDirInfo"),
                                          {CurrentUserName, LoginField(5), LoginField(6)});
        if (!ReplyStartsWith(reply, kOK_0001Stamp)) {
            MsgBox(QStringLiteral("读取相册信息失败！无法获得最新的相册信息，请您稍后再试。"), vbInformation,
                   QStringLiteral("提示"));
            if (Exists(listFile)) AlbumList = ReadTableFile(listFile, kDirInfo);
            return false;
        }
        const QString text = ReplyTableText(reply);
        AlbumList = ExtractTable(text, kDirInfo);
        HomeAlbums = HomeAlbumsOf(text);
        // The stamp file says which list the list file holds: it is written only once the list
        // file holds this list, so a failed write never leaves an old list marked as current.
        if (WriteEncryptedText(text, listFile))
            WriteEncryptedText(LoginField(7) + QLatin1String(kFieldSep) + QLatin1String(kRowSep) + kDirTime +
                                   QLatin1String(kTableSep),
                               stampFile);
        frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
        return true;
    } catch (const VbError& e) {
        ReportServiceError(e);
        return false;
    }
}

QString AlbumFileListPath(const QString& album) {
    static const QStringList own{QStringLiteral("F01"), QStringLiteral("F02"), QStringLiteral("F03")};
    if (!paths::IsSafeComponent(album) || own.contains(album, Qt::CaseInsensitive)) return QString();
    return AlbumCachePath(album + QStringLiteral(".dat"));
}

bool LoadAlbumFileList(const QString& album) {
    // A read that fails once the album is known leaves its cached list or none: never the list of
    // the album looked at before.
    bool listStillOld = false;
    try {
        if (AlbumList.isNull()) return false;
        int listed = -1;
        for (int r = 0; r < AlbumList.rows() && listed < 0; ++r)
            if (AlbumList.value(r, AlbumListField::Name) == album) listed = r;
        if (listed < 0) return false;
        const QString albumStamp = AlbumList.value(listed, AlbumListField::Stamp);
        listStillOld = true;

        const QString stampsFile = AlbumCachePath(FileListStampsFileName);
        const QString listFile = AlbumFileListPath(album);
        const Table stamps = ReadTableFile(stampsFile, kDirTime);
        int recordedRow = -1;
        if (!stamps.isNull())
            for (int r = 0; r < stamps.rows() && recordedRow < 0; ++r)
                if (stamps.value(r, 0) == album) recordedRow = r;
        const QString recorded = recordedRow >= 0 ? stamps.value(recordedRow, 1) : QString();
        if (Exists(listFile) && Exists(stampsFile) && recorded == albumStamp) {
            AlbumFiles = ReadTableFile(listFile, kFileInfo);
            return false;
        }

        const QString reply = ServiceCall(QStringLiteral("imgser001"), QStringLiteral("GetDirFileInfo"),
                                          {CurrentUserName, LoginField(5), LoginField(6), album});
        if (!ReplyStartsWith(reply, kOK_0001Stamp)) {
            MsgBox(QStringLiteral("读取文件信息失败！无法获得最新的文件信息，请您稍后再试。"), vbInformation,
                   QStringLiteral("提示"));
            AlbumFiles = Exists(listFile) ? ReadTableFile(listFile, kFileInfo) : Table::null();
            return false;
        }
        const QString text = ReplyTableText(reply);
        AlbumFiles = ExtractTable(text, kFileInfo);
        listStillOld = false;
        // An album whose name cannot be a file name is not cached, so its stamp is not recorded.
        if (listFile.isEmpty() || !WriteEncryptedText(text, listFile)) return true;

        if (!Exists(stampsFile)) {
            WriteEncryptedText(album + QLatin1String(kFieldSep) + albumStamp + QLatin1String(kFieldSep) +
                                   QLatin1String(kRowSep) + kDirTime + QLatin1String(kTableSep),
                               stampsFile);
        } else if (!stamps.isNull()) {
            Table updated = stamps;
            if (recordedRow >= 0) {
                updated.set(recordedRow, 1, albumStamp);
            } else {
                updated.resize(stamps.rows() + 1, 3);
                updated.set(stamps.rows(), 0, album);
                updated.set(stamps.rows(), 1, albumStamp);
            }
            WriteTableFile(updated, stampsFile, kDirTime);
        }
        return true;
    } catch (const VbError& e) {
        if (listStillOld) AlbumFiles = Table::null();
        ReportServiceError(e);
        return false;
    }
}
