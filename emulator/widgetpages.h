#pragma once
// The widget pages of the members' sites on the frame host (clock, photo scrollers, calendar,
// guestbook, micro-blog list, album list and album, blog list and blog, information bar), the
// album frame of blog posts and the members' management pages there: small working versions of
// what they stand for, made from what the member keeps on the service.
#include "emulator/http.h"

#include <QString>
#include <QStringList>

namespace emu {

class Emulator;
struct Member;

// The frame host's pages; false (out untouched) for a path that is none of them.
bool ServeWidgetPage(const HttpRequest& request, Emulator& emulator, HttpResponse* out);
// The addresses of the pictures of one of a member's albums, in the order they were stored
// (Flash files left out); empty when the member or the album is missing.
QStringList AlbumPictureUrls(const Member* m, const QString& album, Emulator& emulator);

}  // namespace emu
