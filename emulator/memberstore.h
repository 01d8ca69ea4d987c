#pragma once
// The service's members and everything they keep on it, held in memory and saved in a data
// folder: one record per member ("members/<name>/member.json"), the published page beside it
// (a "site-<n>.html" that the record names), the member's albums and file list in an append log
// beside it ("albums.log", one line per change, compacted at the start), the blog and micro-blog
// posts in another ("posts.log"), the hosted files under "space/<album>/", and the service-wide
// counters ("service.json"). A change costs the same however much the member keeps. Every change has one commit
// point (a rename, or one appended line), so a kill leaves the one state or the other; what no
// record names is removed at the start. Every stored name is one safe path component, so nothing
// escapes the data folder.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class QJsonObject;

#include <memory>
#include <vector>

namespace emu {

struct StoredFile {
    QString name;         // stored file name with its extension
    QString description;
    qint64 size = 0;      // bytes
    QString uploaded;     // stamp of the upload
    QString disk;         // the bytes' file in the album's folder: each version under a fresh name
};

// A blog post, found by its time key.
struct BlogPost {
    QString time;         // "yyyy-MM-dd HH:mm:ss", unique per member
    QString title;        // as sent
    QString category;
    QString body;         // the post's page, album frames as placeholder pictures
};

// A micro-blog post, found by its key.
struct MicroBlogPost {
    QString key;          // "yyyy-MM-dd HH:mm:ss", unique per member
    QString text;         // as sent: the writer's escapes ("&lt;", "&gt;", "&nbsp;", "<br>") in it
    QString picture;      // the attached picture's address, empty when none
};

struct Album {
    QString name;
    QString created;      // stamp of the creation
    QString stamp;        // changes with every change of its files
    QList<StoredFile> files;
    const StoredFile* file(const QString& name) const;
};

struct Member {
    int id = 0;
    QString name;             // trimmed, lower-cased
    QString digest;           // MD5 of the password, 32 lower-case hex digits
    QString prefix;           // "www<N>"
    QString folder;           // picture folder in hosted-file addresses
    QString memberKey;        // k1 of the service pages
    QString domain;           // registered domain label, empty when none
    QString protectionKey;    // 8 hex digits while the home page is protected
    QString protectionQuestion;  // the question and answer of the protection
    QString protectionAnswer;
    QString homeAlbum;        // album of the home-page album cell, as the last publish named it
    QString edition = QStringLiteral("1");
    bool hasSpace = true;
    bool realName = false;
    qint64 quotaKb = 0;
    QString registered;       // date yyyy-MM-dd
    QString expiry;           // date yyyy-MM-dd, "0" when the member has no space
    QString lastLogin;
    QString albumStamp;       // the album-list stamp (kept in the album log, not in the record)
    QStringList settings;     // the site settings fields as the service keeps them (escaped)
    QString published;        // published flag of the last publication
    QString sitePageFile;     // the file of the published page in the member's folder, empty: none
    QStringList homeAlbums;   // 15 slots
    QList<Album> albums;
    QList<BlogPost> blogs;    // oldest first
    QList<MicroBlogPost> microBlogs;  // oldest first
    QMap<QString, QString> registration;  // the registration details, by argument name

    qint64 usedBytes() const;
    qint64 usedKb() const;
    Album* album(const QString& name);
    const Album* album(const QString& name) const;
};

// A picture or file that the store keeps for a member, as found by a hosted-file address.
struct HostedFile {
    const Member* member = nullptr;
    const Album* album = nullptr;
    const StoredFile* file = nullptr;
    QString path;             // on disk
};

// The thumbnail of a stored picture, a JPEG whose longer side is 100 px, kept in the album's
// ".thumbs" folder (so that no stored file name can meet it) and served from there: made when the
// file is stored, for older files at the first request. Empty when the file is no picture.
QString ThumbnailPath(const QString& filePath);
// Makes the thumbnail afresh (after the file's bytes changed); false for a file that is no picture.
bool MakeThumbnail(const QString& filePath);

class MemberStore {
public:
    // Reads what the folder holds (an empty or missing folder is an empty store).
    explicit MemberStore(const QString& dataDir);

    const QString& dataDir() const { return m_dir; }
    QList<const Member*> members() const;
    Member* find(const QString& name);
    const Member* find(const QString& name) const;
    const Member* findByDomain(const QString& label) const;
    const Member* findByFolder(const QString& folder) const;
    const Member* findByKey(const QString& memberKey) const;

    // Files of the folder that could not be read at the start (a member record or the counters
    // that do not parse, a "members" path that is not a folder). The service must not run on
    // them: a member would silently vanish and its name could be taken over its files.
    const QStringList& damaged() const { return m_damaged; }
    // True when a member's prefix names that server ("www<N>", letter case ignored).
    bool hasServer(const QString& prefix) const;
    // True when the name is a member's, or its folder exists on disk (a record that did not read).
    bool nameInUse(const QString& name) const;

    // A new member under the next free id, prefix and picture folder; saved at once. Throws VbError
    // when the record cannot be written or the name is in use (the member is not kept then).
    Member& add(const QString& name, const QString& digest);
    // Saves one member's record (not its albums nor its posts: they change through the methods
    // below, each one line of their log).
    // Throws VbError on failure.
    void save(const Member& m);
    // Saves every record and the counters; false when some write failed.
    bool saveAll();

    // A stamp later than every stamp given before ("yyyy-MM-dd HH:mm:ss"): the clock's, or one
    // second after the last when the clock has not moved on.
    QString newStamp();

    // The folder of a member's published page and hosted files.
    QString memberDir(const Member& m) const;
    QString albumDir(const Member& m, const QString& album) const;
    // The file holding a stored file's bytes (under the plain name when no record names it).
    QString filePath(const Member& m, const QString& album, const QString& file) const;
    // The published page (escaped text as sent), empty when none.
    QString sitePage(const Member& m) const;
    // Writes a page under a fresh file name and returns the name; nothing serves it until the
    // member's record names it in sitePageFile and is saved (the one rename that commits a
    // publish). Throws VbError.
    QString writeSitePage(const Member& m, const QString& escapedPage);
    // Removes a page file that no record names any more (nothing for an empty name).
    void dropSitePage(const Member& m, const QString& fileName);
    // Stores bytes as a hosted file (replacing one of that name) and records it with the stamp,
    // which becomes the album's and the album list's. The bytes go under a fresh name; the line
    // appended to the album log commits the change (the replaced version goes after it). Throws
    // VbError with nothing changed. The file's upload time is the stamp, or uploaded when given.
    void storeFile(Member& m, const QString& album, const QString& file, const QByteArray& bytes,
                   const QString& description, const QString& stamp, const QString& uploaded = QString());
    // Records a new album-list stamp. Throws VbError with nothing changed.
    void setAlbumStamp(Member& m, const QString& stamp);
    // Records a new, empty album; the stamp is its creation time, its files' stamp and the album
    // list's. Throws VbError with nothing changed.
    void createAlbum(Member& m, const QString& album, const QString& stamp);
    // Takes an album out of the record, with the album list's new stamp, and then its files.
    // Throws VbError with nothing changed.
    void removeAlbum(Member& m, const QString& album, const QString& stamp);
    HostedFile hostedFile(const QString& folder, const QString& album, const QString& file) const;
    // Sample content in one go: each file and its thumbnail written plainly (no flush to disk),
    // then one append to the album log. For content that is made again when
    // lost, so that making it stays cheap. Throws VbError.
    struct SampleFile {
        QString name;
        QByteArray bytes;
        QString description;
    };
    void storeSampleFiles(Member& m, const QString& album, const QList<SampleFile>& files, const QString& stamp);
    // Removes the named files of an album (names it does not hold are passed over) with their
    // thumbnails, and gives the album and the album list the stamp. The bytes go once the line
    // is in the log. Throws VbError when it cannot be written; nothing is changed then.
    void removeFiles(Member& m, const QString& album, const QStringList& files, const QString& stamp);
    // A stored file's new description; the album's stamp stays. Throws VbError with nothing changed.
    void describeFile(Member& m, const QString& album, const QString& file, const QString& description);

    // A blog post added, or put in place of the one of its time. Throws VbError with nothing changed.
    void storeBlog(Member& m, const BlogPost& post);
    void removeBlog(Member& m, const QString& time);
    // A micro-blog post added, or put in place of the one of its key. Throws VbError likewise.
    void storeMicroBlog(Member& m, const MicroBlogPost& post);
    void removeMicroBlog(Member& m, const QString& key);
    // Every post as memory holds it, written as the log afresh (sample content in one write).
    void writePosts(const Member& m);

    // Removes every member and counter from memory and from the folder.
    void clear();

private:
    void load();
    void removeUnnamedPages(const Member& m);
    QString albumLogPath(const Member& m) const;
    // Reads the albums from the log (or from a record of the time before it), writes the log afresh
    // in its short form and removes the stored files and thumbnails that no record names. False
    // when the log does not read or cannot be written.
    bool loadAlbums(Member& m, const QJsonObject& record);
    QString postsLogPath(const Member& m) const;
    // The same for the posts: from their log, or from a record of the time before it.
    bool loadPosts(Member& m);
    void removeUnnamedFiles(const Member& m);
    void appendAlbumLog(const Member& m, const QJsonObject& change);
    // Several changes as one append (and one flush).
    void appendAlbumLog(const Member& m, const QList<QJsonObject>& changes);
    void appendPostsLog(Member& m, const QJsonObject& change);
    void appendLog(const Member& m, const QString& path, const QList<QJsonObject>& changes);
    void saveCounters();
    QString m_dir;
    std::vector<std::unique_ptr<Member>> m_members;
    int m_nextId = 1;
    int m_nextServer = 1;
    QDateTime m_lastStamp;
    QStringList m_damaged;
};

}  // namespace emu
