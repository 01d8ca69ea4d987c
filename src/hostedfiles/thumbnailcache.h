#pragma once
// Where the file manager keeps the thumbnails of hosted files, where it fetches them from, and
// when a cached copy is stale. Two caches under <UserFolder>/UpLoadPicture:
//   <album>/<stored name, lower-cased, extension made ".dat">  the thumbnail pages
//   [<album>/]<stored name>                                  the list tab's preview ("根目录" has no
//                                                            folder of its own)
#include <QImage>
#include <QString>

// The page cache file of a stored file: the album folder as the album tree made it, the stored
// name lower-cased with its last four characters (or, for a shorter name, nothing) replaced by
// ".dat". Both names go through paths::SafeComponent.
QString PageThumbnailPath(const QString& album, const QString& storedName);
// The address the page thumbnail is fetched from: the file's address less as many trailing
// characters as the stored name has, the stored name, ".jpg"; album and name encoded as every
// hosted file's address is (HostedFileAddress).
QString PageThumbnailAddress(const QString& fileUrl, const QString& album, const QString& storedName);

// The list tab's preview file, under its stored name, directly in UpLoadPicture for "根目录".
QString PreviewThumbnailPath(const QString& album, const QString& storedName);
// The address the preview is fetched from: the file's address (HostedFileAddress) followed by its
// own last four characters.
QString PreviewThumbnailAddress(const QString& fileUrl, const QString& album, const QString& storedName);

// True when the cached copy must be fetched: missing, or the announced byte count is not a
// number, or as a whole number (halves to even) is not the file's length.
bool ThumbnailWanted(const QString& cacheFile, const QString& announcedBytes);

// The picture in a file, its format read from the content (the page cache ends in ".dat"); a
// null image when the file is missing or holds no picture.
QImage LoadPictureFile(const QString& path);

// The picture a Flash file shows in place of a thumbnail.
QImage FlashPicture();
