#pragma once
// The cache files of the album list and of the album file lists, in the member's data folder,
// and the upkeep that other windows do after they changed an album on the service.
//   F01.dat  the album-list reply: tables DirInfo and HomeAlbum (always both)
//   F02.dat  table DirTime: the album-list stamp F01.dat belongs to
//   F03.dat  table DirTime: per album, the stamp its cached file list belongs to
//   <album>.dat  the file list of one album (table FileInfo)
#include "albums/albums_api.h"  // RecordAlbumStamp, UnloadFileManager

#include <QString>

#include <functional>

inline const QString AlbumListFileName = QStringLiteral("F01.dat");
inline const QString AlbumListStampFileName = QStringLiteral("F02.dat");
inline const QString FileListStampsFileName = QStringLiteral("F03.dat");

// <UserFolder>/data/<fileName>.
QString AlbumCachePath(const QString& fileName);

// Rewrites F01.dat from AlbumList (table DirInfo), keeping the file's HomeAlbum table as it
// stands. Raises VbError when the file cannot be written.
void RewriteAlbumListFile();

// Rewrites F01.dat with HomeAlbums as its HomeAlbum table, keeping the DirInfo table the file
// holds, so that a later load from the cache shows the frame last stored on the service. Nothing
// happens while F01.dat is missing. Raises VbError when the file cannot be written; the old file
// stays whole.
void RewriteHomeAlbumFile();

// The table text of the named table inside a table text, as it stands (rows, name and "<///T>");
// empty when the text holds no such table.
QString RawTableText(const QString& text, const QString& tableName);

// ---- the hosted file manager, as seen from here
// UnloadFileManager (albums_api.h) closes the hosted file manager window if it is open. The
// window lives in a subsystem above this one; it installs the closer, an optional hook
// (platform/hookcheck.h): nothing happens until it does.
void SetFileManagerUnloader(std::function<void()> unloader);
