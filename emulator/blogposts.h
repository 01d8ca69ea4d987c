#pragma once
// The blog posts as the service's pages show them: the blog list cell and the blog frame cell.
#include "emulator/memberstore.h"

#include <QString>

namespace emu {

// The placeholder pictures of a stored post turned back into album frames on the frame host: the
// frame's address takes the placeholder's query (with "&amp;" read as "&"), its width and height.
QString ExpandEffectPlaceholders(const QString& body, const QString& frameHost);
// The HTML of the member's posts, newest first: titles and categories only, or each post whole.
QString BlogPostsHtml(const Member& m, const QString& frameHost, bool withBodies);

}  // namespace emu
