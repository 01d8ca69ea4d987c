#pragma once
// The rules an album name must pass before a window asks the service to create the album, and
// the answers of the creation call. Both windows that create albums (the album settings and the
// upload window) test the same rules, each in its own order and with a test of its own between
// them, so a rule is asked for by name.
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

enum class AlbumNameRule {
    NoSpace,      // no space anywhere in the name
    NoPlus,       // no "+"
    NotListed,    // not the name of an album already listed (compared exactly)
    NotRoot,      // not "根目录", the root album
    NotSystem,    // not beginning with "www" in any letter case: the widgets' own albums
    NotNull,      // not "null" in any letter case, the text that marks an empty table
    ShortEnough,  // at most kAlbumNameMaxBytes bytes in the code page
};

// An album name holds at most 20 bytes of the code page (10 Chinese characters).
inline constexpr int kAlbumNameMaxBytes = 20;

// A message box the member gets: its text and its title.
struct AlbumMessage {
    QString text;
    QString title;
};

// The message of the rule a name breaks; none when the name passes every rule of `order`,
// tested in that order. `listed` holds the names NotListed compares with.
std::optional<AlbumMessage> CheckAlbumName(const QString& name, const QStringList& listed,
                                           std::initializer_list<AlbumNameRule> order);

// The message that refuses a name longer than kAlbumNameMaxBytes.
AlbumMessage AlbumNameLengthMessage();

// The stamp of a creation reply: the reply with every "OK_0001_" removed.
QString CreatedAlbumStamp(const QString& reply);
// The message of a refused creation (empty title); name as the member typed it.
AlbumMessage AlbumCreationRefusal(const QString& reply, const QString& name);
