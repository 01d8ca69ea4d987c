#pragma once
// The albums' public face: what the subsystems below the albums call of their model (the main
// window reading the album list, the publish recording an album's new stamp). The album windows
// are opened through ui/albums_entry.h.
#include <QString>

// Makes AlbumList and HomeAlbums current for the window about to open. Reads the service
// (GetDirInfo) while the main window's labDownDirFlag is "0" or the stamp in F02.dat is not
// LoginInfo field 7, caches the reply in F01.dat and the stamp in F02.dat, and sets
// labDownDirFlag to "1"; otherwise reads F01.dat. A refused read shows its message and leaves
// the cached list. True only after a successful service read; callers may ignore it.
bool LoadAlbumList();

// Records an album's new stamp in the cached list: the first row of AlbumList whose name equals
// the album (exactly) gets the stamp in field 6, and F01.dat is rewritten with the updated
// DirInfo table and the HomeAlbum table it held. Returns false, changing nothing, when no row
// names the album. Raises VbError when F01.dat cannot be written; AlbumList is then left as it
// was, and the old file stays whole.
bool RecordAlbumStamp(const QString& album, const QString& stamp);

// Closes the hosted file manager window if it is open, so that it reads albums and files afresh
// the next time it is shown (albumcache.h says who installs the closer).
void UnloadFileManager();
