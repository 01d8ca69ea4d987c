#include "albums/albumcache.h"

#include "albums/state.h"
#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "login/state.h"
#include "platform/paths.h"

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

void WriteAlbumListFile(const Table& dirInfo) {
    const QString path = AlbumCachePath(AlbumListFileName);
    const QString home = RawTableText(ReadCacheText(path), QStringLiteral("HomeAlbum"));
    const QString text = TableToText(dirInfo, QStringLiteral("DirInfo")) + home;
    paths::WriteFileSafely(path, EncryptText(text, DataFileKey));
}
}  // namespace

QString AlbumCachePath(const QString& fileName) {
    return UserFolder + QStringLiteral("/data/") + fileName;
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
