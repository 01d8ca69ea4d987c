#pragma once
// Module state of the photo albums: the member's album list, the home-page album frame and the
// file list of the album last looked at, as the service's tables. Data only; the cache files
// that keep them are handled in albums/albumcache.h.
#include "foundation/table.h"
#include "platform/statereset.h"

// Table DirInfo, one row per album: field 0 the album name, 2 the creation time, 6 the album's
// stamp (new with every change of its files); other fields are carried.
inline Table AlbumList;
// Table HomeAlbum: one row of 15 fields, the album of each slot of the home-page album frame.
inline Table HomeAlbums;
// Table FileInfo of one album, one row per hosted file.
inline Table AlbumFiles;

namespace AlbumListField {
inline constexpr int Name = 0;
inline constexpr int Created = 2;
inline constexpr int Stamp = 6;
}  // namespace AlbumListField

// The initial values: the state before the first album-list read of a login, every table "null".
inline void ResetAlbumState() {
    AlbumList = Table::null();
    HomeAlbums = Table::null();
    AlbumFiles = Table::null();
}
inline const bool albumStateRegistered = RegisterStateReset(&ResetAlbumState);
