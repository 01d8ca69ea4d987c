#pragma once
// Blog files: one unfinished post (title, category and page) kept on the member's computer,
// enciphered with the local data-file cipher. The file is the enciphered text and nothing else.
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace blogfile {

inline const QString kTitleEnd = QStringLiteral("</VYMBlogTitle>");
inline const QString kTypeEnd = QStringLiteral("</VYMBlogType>");
inline const QString kExtension = QStringLiteral(".vymblog");
// The dialogs' filters in Qt's form.
inline const QString kSaveFilter = QStringLiteral("博客文件(*.vymblog) (*.vymblog);;所有文件(*.*) (*)");
inline const QString kOpenFilter = QStringLiteral("我的模板文件(*.vymblog) (*.vymblog);;所有文件(*.*) (*)");
inline const QString kSavedMessage = QStringLiteral("保存完毕！");
inline const QString kOpenFailedMessage = QStringLiteral("打开博客文件错误！\r\r小提示：博客文件的扩展名是 .vymblog");

struct Post {
    QString title;
    QString category;
    QString page;
};

// The text a blog file enciphers: the title trimmed, the category as typed, the page.
QString ComposeText(const QString& title, const QString& category, const QString& page);
// The file's bytes under key: twice as many as the text has characters.
QByteArray Encode(const Post& post, const QString& key);
// The chosen path with ".vymblog" appended unless it already ends so, in any case.
QString WithExtension(const QString& path);
// The post of a deciphered text: nothing when the text has no "<BODY>" (any case) or lacks a
// terminator. Active tags become "img" before the header is split off; every copy of the header
// is removed from the page.
std::optional<Post> ParseText(const QString& text);
std::optional<Post> Decode(const QByteArray& bytes, const QString& key);
// The proposed file name of a save at that time: "yyyyMMdd_HHmm".
QString ProposedName(const QDateTime& now);

}  // namespace blogfile
