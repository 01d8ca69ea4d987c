#include "blogs/blogfile.h"

#include "blogs/blogwriter.h"
#include "foundation/cipher.h"
#include "foundation/htmltext.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace blogfile {

QString ComposeText(const QString& title, const QString& category, const QString& page) {
    return vb::Trim(title) + kTitleEnd + category + kTypeEnd + page;
}

QByteArray Encode(const Post& post, const QString& key) {
    return EncryptText(ComposeText(post.title, post.category, post.page), key);
}

QString WithExtension(const QString& path) {
    return path.right(kExtension.size()).toLower() == kExtension ? path : path + kExtension;
}

std::optional<Post> ParseText(const QString& text) {
    if (!text.toUpper().contains(QLatin1String("<BODY>"))) return std::nullopt;
    const QString safe = DisableActiveTags(QString(text));
    const qsizetype typeEnd = safe.indexOf(kTypeEnd);
    if (typeEnd < 0) return std::nullopt;
    const QString header = safe.left(typeEnd + kTypeEnd.size());
    const qsizetype titleEnd = header.indexOf(kTitleEnd);
    if (titleEnd < 0) return std::nullopt;
    Post post;
    post.title = header.left(titleEnd);
    post.category = header.mid(titleEnd + kTitleEnd.size(), typeEnd - titleEnd - kTitleEnd.size());
    post.page = QString(safe).remove(header);
    return post;
}

std::optional<Post> Decode(const QByteArray& bytes, const QString& key) {
    return ParseText(DecryptBytes(bytes, key));
}

QString ProposedName(const QDateTime& now) { return now.toString(QStringLiteral("yyyyMMdd_HHmm")); }

}  // namespace blogfile

// The writer's commands on blog files.

void BlogWriterController::cmdSaveTemp_Click() {
    REQUIRE_HOOK(view.title);
    REQUIRE_HOOK(view.category);
    REQUIRE_HOOK(view.documentText);
    if (!view.title || !view.category || !view.documentText) return;
    const QByteArray bytes =
        blogfile::Encode({view.title(), view.category(), view.documentText()}, DataFileKey);
    const QString chosen = prompts::current().saveFile(
        QString(), blogfile::kSaveFilter, blogfile::ProposedName(QDateTime::currentDateTime()));
    if (chosen.isEmpty()) return;
    const QString path = blogfile::WithExtension(chosen);
    if (path != chosen && !ConfirmReplaceCompleted(path, QStringLiteral("提示"))) return;
    try {
        // The member's old file stays whole until the new one is complete.
        paths::WriteFileSafely(path, bytes);
    } catch (const VbError&) {
        return;
    }
    MsgBox(blogfile::kSavedMessage, vbInformation, QStringLiteral("提示"));
}

void BlogWriterController::cmdOpenTemp_Click() {
    const QString chosen = prompts::current().openFile(QString(), blogfile::kOpenFilter, QString());
    if (chosen.isEmpty() || !QFileInfo(chosen).isFile()) return;
    if (LoadBlogFile(chosen) == LoadResult::Refused)
        MsgBox(blogfile::kOpenFailedMessage, vbInformation, QStringLiteral("提示"));
}

BlogWriterController::LoadResult BlogWriterController::LoadBlogFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return LoadResult::Unreadable;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) return LoadResult::Unreadable;
    const std::optional<blogfile::Post> post = blogfile::Decode(bytes, DataFileKey);
    if (!post) return LoadResult::Refused;
    if (!blogwriter::WritePage(blogwriter::kOpenedPage, post->page)) return LoadResult::Unreadable;
    CALL_REQUIRED_HOOK(view.setTitle, post->title);
    CALL_REQUIRED_HOOK(view.setCategory, post->category);
    CALL_REQUIRED_HOOK(view.openPage, blogwriter::PagePath(blogwriter::kOpenedPage));
    return LoadResult::Shown;
}
