#pragma once
// The blog and micro-blog posts as the service's pages show them: the blog list cell, the blog
// frame cell and the micro-blog cell.
#include "emulator/memberstore.h"

#include <QString>

namespace emu {

// The placeholder pictures of a stored post turned back into album frames on the frame host: the
// frame's address takes the placeholder's query (with "&amp;" read as "&"), its width and height.
QString ExpandEffectPlaceholders(const QString& body, const QString& frameHost);
// The HTML of the member's posts, newest first: titles and categories only, or each post whole.
QString BlogPostsHtml(const Member& m, const QString& frameHost, bool withBodies);
// A micro-blog post's text with the writer's escapes undone: "<br>" a line break ("\r\n"),
// "&nbsp;" a space, "&gt;" and "&lt;" the brackets, then "&amp;" an ampersand.
QString MicroBlogPlainText(QString text);
// The member's micro-blog posts, newest first: time, text and picture.
QString MicroBlogPostsHtml(const Member& m);

}  // namespace emu
