#include "albums/albumcache.h"

#include "foundation/cipher.h"
#include "foundation/folders.h"
#include "foundation/tabletext.h"
#include "platform/paths.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"

#include <QFile>

namespace {
std::function<void()>& fileManagerUnloader() {
    static std::function<void()> unloader;
    return unloader;
}

QString ReadCacheText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return DecryptBytes(f.readAll(), DataFileKey);
}

const QString kDirInfo = QStringLiteral("DirInfo");
const QString kHomeAlbum = QStringLiteral("HomeAlbum");

// One of the list file's two tables as the file holds it.
QString CachedListTable(const QString& tableName) {
    return RawTableText(ReadCacheText(AlbumCachePath(AlbumListFileName)), tableName);
}

// The list file always holds both tables, the album list first.
void WriteListFile(const QString& dirInfoText, const QString& homeAlbumText) {
    paths::WriteFileSafely(AlbumCachePath(AlbumListFileName), EncryptText(dirInfoText + homeAlbumText, DataFileKey));
}

void WriteAlbumListFile(const Table& dirInfo) {
    WriteListFile(TableToText(dirInfo, kDirInfo), CachedListTable(kHomeAlbum));
}
}  // namespace

QString AlbumCachePath(const QString& fileName) {
    return MemberPath({QStringLiteral("data"), fileName});
}

QString RawTableText(const QString& text, const QString& tableName) {
    const QString end = tableName + QLatin1String(kTableSep);
    const QLatin1String tableSep(kTableSep);
    for (qsizetype at = text.indexOf(end); at >= 0; at = text.indexOf(end, at + 1)) {
        const qsizetype prevEnd = at > 0 ? text.lastIndexOf(tableSep, at - 1) : -1;
        const qsizetype start = prevEnd < 0 ? 0 : prevEnd + tableSep.size();
        // A table's name follows its last row's "<//R>" (or nothing, for an empty table); any
        // other match is the tail of a longer name.
        const QStringView body = QStringView(text).mid(start, at - start);
        if (body.isEmpty() || body.endsWith(QLatin1String(kRowSep)))
            return text.mid(start, at + end.size() - start);
    }
    return QString();
}

void RewriteAlbumListFile() { WriteAlbumListFile(AlbumList); }

void RewriteHomeAlbumFile() {
    if (!QFile::exists(AlbumCachePath(AlbumListFileName))) return;
    WriteListFile(CachedListTable(kDirInfo), TableToText(HomeAlbums, kHomeAlbum));
}

bool RecordAlbumStamp(const QString& album, const QString& stamp) {
    if (AlbumList.isNull()) return false;  // the list was never read: no album is listed
    for (int r = 0; r < AlbumList.rows(); ++r) {
        if (AlbumList.value(r, AlbumListField::Name) != album) continue;
        // The list in memory changes only once the file holds the change too.
        Table updated = AlbumList;
        updated.set(r, AlbumListField::Stamp, stamp);
        WriteAlbumListFile(updated);
        AlbumList = updated;
        return true;
    }
    return false;
}

void UnloadFileManager() {
    if (fileManagerUnloader()) fileManagerUnloader()();
}

void SetFileManagerUnloader(std::function<void()> unloader) {
    fileManagerUnloader() = std::move(unloader);
}
