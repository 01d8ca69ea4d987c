// The program's local data files as a damaged disk or another program may leave them: the input is
// laid down as the global and the member's settings files, the member's login file, the album
// caches (raw and as the enciphered form of its text) and as the service configuration, then read
// through the program's own readers and written back.
#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "foundation/cipher.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "mainwindow/spacenotices.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTemporaryDir>

#include <cstdint>

namespace {
void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir root;
    static const bool ready = [] {
        paths::SetDataRoot(root.path());
        DataFileKey = QString::fromLatin1(kDataFileKeyText);
        CurrentUserName = QStringLiteral("fuzzer");
        UserFolder = paths::InRoot(QStringLiteral("UserData/fuzzer"));
        return QDir().mkpath(root.path() + QStringLiteral("/data")) && QDir().mkpath(UserFolder + QStringLiteral("/data"));
    }();
    if (!ready) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& file : {bytes, EncryptText(QString::fromUtf8(bytes), DataFileKey)}) {
        Put(GlobalSettingsPath(), file);
        try {
            (void)GetGlobalSetting(0);
            SetGlobalSetting(7, QStringLiteral("x"));
            (void)ReadTableFile(GlobalSettingsPath(), QStringLiteral("GCS"));
        } catch (const VbError&) {
            // A file that does not read is an error the callers handle.
        }
    }
    for (const QByteArray& file : {bytes, EncryptText(QString::fromUtf8(bytes), DataFileKey)}) {
        Put(UserSettingsPath(), file);
        Put(UserFolder + QStringLiteral("/u1.dat"), file);
        for (const QString& cache : {AlbumListFileName, AlbumListStampFileName, FileListStampsFileName, QStringLiteral("旅行.dat")})
            Put(AlbumCachePath(cache), file);
        try {
            (void)GetUserSetting(1);
            SetUserSetting(3, QStringLiteral("x"));
        } catch (const VbError&) {
        }
        try {
            LoginInfo = ReadTableFile(UserFolder + QStringLiteral("/u1.dat"), QStringLiteral("LoginBackInfo"));
            (void)MemberFeeLine();
            AlbumList = ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("DirInfo"));
            HomeAlbums = ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("HomeAlbum"));
            (void)ReadTableFile(AlbumCachePath(AlbumListStampFileName), QStringLiteral("DirTime"));
            (void)ReadTableFile(AlbumCachePath(FileListStampsFileName), QStringLiteral("DirTime"));
            AlbumFiles = ReadTableFile(AlbumFileListPath(QStringLiteral("旅行")), QStringLiteral("FileInfo"));
            (void)RecordAlbumStamp(AlbumList.value(0, AlbumListField::Name), QStringLiteral("2026-01-01 00:00:00"));
        } catch (const VbError&) {
        }
    }
    Put(serviceconfig::iniPath(), bytes);
    QStringList damaged;
    const ServiceConfig c = serviceconfig::readIni(serviceconfig::iniPath(), &damaged);
    (void)c.httpProxy();
    return 0;
}
