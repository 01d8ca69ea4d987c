#pragma once
// Reading the album list and one album's file list, from the service when its stamp changed and
// from the cache files otherwise (file names and the upkeep by other windows: albumcache.h).
#include "albums/albums_api.h"  // LoadAlbumList, which windows below the albums call too

#include <QString>

// Makes AlbumFiles the file list of the album (an album of AlbumList), from the service
// (GetDirFileInfo) when the album's stamp differs from the one recorded in F03.dat, else from the
// album's cache file. Nothing happens for an album the list does not hold. A refused read leaves
// the album's cache file's list, or the "null" table when there is none; a read that raises leaves
// the "null" table. True only after a successful service read.
bool LoadAlbumFileList(const QString& album);

// The cache file of an album's file list: <UserFolder>/data/<album>.dat, or empty when the name
// cannot be one (a name with a separator, "." or "..", or the name of one of the list's own
// cache files): such an album's list is read from the service every time and kept in memory only.
QString AlbumFileListPath(const QString& album);
