#include "emulator/memberstore.h"

#include "foundation/md5.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/vberror.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace emu {

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QJsonArray ToArray(const QStringList& list) {
    QJsonArray a;
    for (const QString& s : list) a.append(s);
    return a;
}

QStringList ToList(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& x : v.toArray()) out.append(x.toString());
    return out;
}

QJsonObject ToJson(const Member& m) {
    QJsonObject o;
    o[QStringLiteral("id")] = m.id;
    o[QStringLiteral("name")] = m.name;
    o[QStringLiteral("digest")] = m.digest;
    o[QStringLiteral("prefix")] = m.prefix;
    o[QStringLiteral("folder")] = m.folder;
    o[QStringLiteral("memberKey")] = m.memberKey;
    o[QStringLiteral("domain")] = m.domain;
    o[QStringLiteral("protectionKey")] = m.protectionKey;
    o[QStringLiteral("protectionQuestion")] = m.protectionQuestion;
    o[QStringLiteral("protectionAnswer")] = m.protectionAnswer;
    o[QStringLiteral("homeAlbum")] = m.homeAlbum;
    o[QStringLiteral("edition")] = m.edition;
    o[QStringLiteral("hasSpace")] = m.hasSpace;
    o[QStringLiteral("realName")] = m.realName;
    o[QStringLiteral("quotaKb")] = double(m.quotaKb);
    o[QStringLiteral("registered")] = m.registered;
    o[QStringLiteral("expiry")] = m.expiry;
    o[QStringLiteral("lastLogin")] = m.lastLogin;
    o[QStringLiteral("settings")] = ToArray(m.settings);
    o[QStringLiteral("published")] = m.published;
    o[QStringLiteral("sitePage")] = m.sitePageFile;
    o[QStringLiteral("homeAlbums")] = ToArray(m.homeAlbums);
    QJsonObject reg;
    for (auto it = m.registration.cbegin(); it != m.registration.cend(); ++it) reg[it.key()] = it.value();
    o[QStringLiteral("registration")] = reg;
    return o;
}

QJsonObject BlogJson(const BlogPost& b) {
    return QJsonObject{{QStringLiteral("time"), b.time},
                       {QStringLiteral("title"), b.title},
                       {QStringLiteral("category"), b.category},
                       {QStringLiteral("body"), b.body}};
}

BlogPost BlogFromJson(const QJsonObject& o) {
    return BlogPost{o[QStringLiteral("time")].toString(), o[QStringLiteral("title")].toString(),
                    o[QStringLiteral("category")].toString(), o[QStringLiteral("body")].toString()};
}

QJsonObject MicroBlogJson(const MicroBlogPost& t) {
    return QJsonObject{{QStringLiteral("key"), t.key}, {QStringLiteral("text"), t.text}, {QStringLiteral("picture"), t.picture}};
}

MicroBlogPost MicroBlogFromJson(const QJsonObject& o) {
    return MicroBlogPost{o[QStringLiteral("key")].toString(), o[QStringLiteral("text")].toString(),
                         o[QStringLiteral("picture")].toString()};
}

// A record read back; names that could leave their folder are refused (the record is skipped).
bool FromJson(const QJsonObject& o, Member& m) {
    m.id = o[QStringLiteral("id")].toInt();
    m.name = o[QStringLiteral("name")].toString();
    m.digest = o[QStringLiteral("digest")].toString();
    m.prefix = o[QStringLiteral("prefix")].toString();
    m.folder = o[QStringLiteral("folder")].toString();
    m.memberKey = o[QStringLiteral("memberKey")].toString();
    m.domain = o[QStringLiteral("domain")].toString();
    m.protectionKey = o[QStringLiteral("protectionKey")].toString();
    m.protectionQuestion = o[QStringLiteral("protectionQuestion")].toString();
    m.protectionAnswer = o[QStringLiteral("protectionAnswer")].toString();
    m.homeAlbum = o[QStringLiteral("homeAlbum")].toString();
    m.edition = o[QStringLiteral("edition")].toString(QStringLiteral("1"));
    m.hasSpace = o[QStringLiteral("hasSpace")].toBool(true);
    m.realName = o[QStringLiteral("realName")].toBool();
    m.quotaKb = qint64(o[QStringLiteral("quotaKb")].toDouble());
    m.registered = o[QStringLiteral("registered")].toString();
    m.expiry = o[QStringLiteral("expiry")].toString();
    m.lastLogin = o[QStringLiteral("lastLogin")].toString();
    m.settings = ToList(o[QStringLiteral("settings")]);
    m.published = o[QStringLiteral("published")].toString();
    // Records from before the page had a file of its own per publish name the old fixed file.
    m.sitePageFile = o.contains(QStringLiteral("sitePage")) ? o[QStringLiteral("sitePage")].toString() : QStringLiteral("site.html");
    if (!m.sitePageFile.isEmpty() && !paths::IsSafeComponent(m.sitePageFile)) m.sitePageFile.clear();
    m.homeAlbums = ToList(o[QStringLiteral("homeAlbums")]);
    // Records of the time before the posts log hold the posts themselves.
    for (const QJsonValue& bv : o[QStringLiteral("blogs")].toArray()) m.blogs.append(BlogFromJson(bv.toObject()));
    for (const QJsonValue& tv : o[QStringLiteral("microBlogs")].toArray()) m.microBlogs.append(MicroBlogFromJson(tv.toObject()));
    const QJsonObject reg = o[QStringLiteral("registration")].toObject();
    for (auto it = reg.begin(); it != reg.end(); ++it) m.registration.insert(it.key(), it.value().toString());
    return m.id > 0 && paths::IsSafeComponent(m.name) && !m.digest.isEmpty();
}

QJsonObject FileJson(const StoredFile& f) {
    return QJsonObject{{QStringLiteral("name"), f.name},
                       {QStringLiteral("description"), f.description},
                       {QStringLiteral("size"), double(f.size)},
                       {QStringLiteral("uploaded"), f.uploaded},
                       {QStringLiteral("disk"), f.disk}};
}

// One change of the album log applied to the member: "album" (with "created" and "stamp" when
// they change) and a "file" stored in it, files taken out of it ("removeFiles", by name) or a
// file's new description ("describe"), an album removed ("removeAlbum"), or the list's
// "albumStamp". The same lines, in order, rebuild the albums at the start. False for a line that
// names something outside its folder.
bool ApplyAlbumChange(Member& m, const QJsonObject& change) {
    if (change.contains(QStringLiteral("removeAlbum"))) {
        const QString name = change[QStringLiteral("removeAlbum")].toString();
        m.albums.removeIf([&name](const Album& a) { return a.name == name; });
    }
    if (change.contains(QStringLiteral("album"))) {
        const QString name = change[QStringLiteral("album")].toString();
        if (!paths::IsSafeComponent(name)) return false;
        Album* a = m.album(name);
        if (!a) {
            m.albums.append(Album{name, QString(), QString(), {}});
            a = &m.albums.last();
        }
        if (change.contains(QStringLiteral("created"))) a->created = change[QStringLiteral("created")].toString();
        if (change.contains(QStringLiteral("stamp"))) a->stamp = change[QStringLiteral("stamp")].toString();
        if (change.contains(QStringLiteral("file"))) {
            const QJsonObject fo = change[QStringLiteral("file")].toObject();
            StoredFile f{fo[QStringLiteral("name")].toString(), fo[QStringLiteral("description")].toString(),
                         qint64(fo[QStringLiteral("size")].toDouble()), fo[QStringLiteral("uploaded")].toString(),
                         fo[QStringLiteral("disk")].toString()};
            if (f.disk.isEmpty()) f.disk = f.name;  // records of the time before fresh names
            if (!paths::IsSafeComponent(f.name) || !paths::IsSafeComponent(f.disk)) return false;
            bool replaced = false;
            for (StoredFile& old : a->files)
                if (old.name == f.name) {
                    old = f;
                    replaced = true;
                }
            if (!replaced) a->files.append(f);
        }
        for (const QJsonValue& gone : change[QStringLiteral("removeFiles")].toArray())
            a->files.removeIf([name = gone.toString()](const StoredFile& f) { return f.name == name; });
        if (change.contains(QStringLiteral("describe"))) {
            const QJsonObject d = change[QStringLiteral("describe")].toObject();
            for (StoredFile& f : a->files)
                if (f.name == d[QStringLiteral("name")].toString()) f.description = d[QStringLiteral("description")].toString();
        }
    }
    if (change.contains(QStringLiteral("albumStamp"))) m.albumStamp = change[QStringLiteral("albumStamp")].toString();
    return true;
}

QByteArray LogLine(const QJsonObject& change) { return QJsonDocument(change).toJson(QJsonDocument::Compact) + '\n'; }

// The shortest log that rebuilds the member's albums.
QByteArray CompactAlbumLog(const Member& m) {
    QByteArray out;
    for (const Album& a : m.albums) {
        out += LogLine({{QStringLiteral("album"), a.name}, {QStringLiteral("created"), a.created}, {QStringLiteral("stamp"), a.stamp}});
        for (const StoredFile& f : a.files) out += LogLine({{QStringLiteral("album"), a.name}, {QStringLiteral("file"), FileJson(f)}});
    }
    if (!m.albumStamp.isEmpty()) out += LogLine({{QStringLiteral("albumStamp"), m.albumStamp}});
    return out;
}

// One change of the posts log: a blog post added or put in place of the one of its time ("blog"),
// one removed ("removeBlog", its time), and the same for the micro-blog posts ("tblog",
// "removeTBlog", by key).
void ApplyPostChange(Member& m, const QJsonObject& change) {
    if (change.contains(QStringLiteral("blog"))) {
        const BlogPost post = BlogFromJson(change[QStringLiteral("blog")].toObject());
        const auto it = std::find_if(m.blogs.begin(), m.blogs.end(), [&](const BlogPost& b) { return b.time == post.time; });
        if (it != m.blogs.end()) *it = post;
        else m.blogs.append(post);
    }
    if (change.contains(QStringLiteral("removeBlog"))) {
        const QString time = change[QStringLiteral("removeBlog")].toString();
        m.blogs.removeIf([&time](const BlogPost& b) { return b.time == time; });
    }
    if (change.contains(QStringLiteral("tblog"))) {
        const MicroBlogPost post = MicroBlogFromJson(change[QStringLiteral("tblog")].toObject());
        const auto it = std::find_if(m.microBlogs.begin(), m.microBlogs.end(),
                                     [&](const MicroBlogPost& t) { return t.key == post.key; });
        if (it != m.microBlogs.end()) *it = post;
        else m.microBlogs.append(post);
    }
    if (change.contains(QStringLiteral("removeTBlog"))) {
        const QString key = change[QStringLiteral("removeTBlog")].toString();
        m.microBlogs.removeIf([&key](const MicroBlogPost& t) { return t.key == key; });
    }
}

QByteArray CompactPostsLog(const Member& m) {
    QByteArray out;
    for (const BlogPost& b : m.blogs) out += LogLine({{QStringLiteral("blog"), BlogJson(b)}});
    for (const MicroBlogPost& t : m.microBlogs) out += LogLine({{QStringLiteral("tblog"), MicroBlogJson(t)}});
    return out;
}

// A stored file's bytes go under a name that neither a record nor a file of the folder holds, so
// the version in use stays whole until the record names the new one.
QString FreshDiskName(const QString& dir, const Album* album, const QString& file) {
    auto taken = [&](const QString& candidate) {
        if (album)
            for (const StoredFile& f : album->files)
                if (f.disk == candidate || f.name == candidate) return true;
        return QFileInfo::exists(dir + QLatin1Char('/') + candidate);
    };
    QString name = file;
    for (int n = 1; taken(name); ++n) name = QStringLiteral("%1~%2").arg(n).arg(file);
    return name;
}

QString ThumbnailFileOf(const QString& filePath) {
    const QFileInfo info(filePath);
    return info.path() + QStringLiteral("/.thumbs/") + info.fileName() + QStringLiteral(".jpg");
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

const StoredFile* Album::file(const QString& fileName) const {
    for (const StoredFile& f : files)
        if (f.name == fileName) return &f;
    return nullptr;
}

qint64 Member::usedBytes() const {
    qint64 total = 0;
    for (const Album& a : albums)
        for (const StoredFile& f : a.files) total += f.size;
    return total;
}

qint64 Member::usedKb() const { return (usedBytes() + 1023) / 1024; }

Album* Member::album(const QString& albumName) {
    for (Album& a : albums)
        if (a.name == albumName) return &a;
    return nullptr;
}

const Album* Member::album(const QString& albumName) const {
    return const_cast<Member*>(this)->album(albumName);
}

MemberStore::MemberStore(const QString& dataDir) : m_dir(QDir(dataDir).absolutePath()) {
    QDir().mkpath(m_dir);
    load();
}

void MemberStore::load() {
    const QString countersPath = m_dir + QStringLiteral("/service.json");
    QJsonParseError error{};
    const QJsonDocument countersDoc = QJsonDocument::fromJson(ReadAll(countersPath), &error);
    // Lost counters would hand out ids and prefixes again.
    if (QFileInfo::exists(countersPath) && !countersDoc.isObject()) m_damaged.append(countersPath);
    const QJsonObject counters = countersDoc.object();
    m_nextId = qMax(1, counters[QStringLiteral("nextId")].toInt(1));
    m_nextServer = qMax(1, counters[QStringLiteral("nextServer")].toInt(1));
    m_lastStamp = QDateTime::fromString(counters[QStringLiteral("lastStamp")].toString(), kStampFormat);

    QDir membersDir(m_dir + QStringLiteral("/members"));
    const QFileInfo membersInfo(membersDir.path());
    if (membersInfo.exists() && !membersInfo.isDir()) {
        m_damaged.append(membersDir.path());
        return;
    }
    for (const QString& entry : membersDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString recordPath = membersDir.filePath(entry) + QStringLiteral("/member.json");
        const QJsonObject o = QJsonDocument::fromJson(ReadAll(recordPath)).object();
        auto m = std::make_unique<Member>();
        if (!FromJson(o, *m) || paths::SafeComponent(m->name) != entry || find(m->name)) {
            m_damaged.append(recordPath);
            continue;
        }
        if (!loadAlbums(*m, o)) {
            m_damaged.append(albumLogPath(*m));
            continue;
        }
        if (!loadPosts(*m)) {
            m_damaged.append(postsLogPath(*m));
            continue;
        }
        removeUnnamedPages(*m);
        m_nextId = qMax(m_nextId, m->id + 1);
        const QDateTime last = QDateTime::fromString(m->albumStamp, kStampFormat);
        if (last.isValid() && (!m_lastStamp.isValid() || last > m_lastStamp)) m_lastStamp = last;
        m_members.push_back(std::move(m));
    }
}

void MemberStore::removeUnnamedPages(const Member& m) {
    // A publish cut short (a kill) may have left its new page without the record that names it,
    // or a write its temporary file.
    QDir dir(memberDir(m));
    const QStringList leftovers{QStringLiteral("site-*.html"), QStringLiteral("site.html"), QStringLiteral("site-*.html.*"),
                                QStringLiteral("member.json.*"), QStringLiteral("albums.log.*"),
                                QStringLiteral("posts.log.*")};
    for (const QString& file : dir.entryList(leftovers, QDir::Files))
        if (file != m.sitePageFile) dir.remove(file);
}

QString MemberStore::albumLogPath(const Member& m) const { return memberDir(m) + QStringLiteral("/albums.log"); }

bool MemberStore::loadAlbums(Member& m, const QJsonObject& record) {
    const QString logPath = albumLogPath(m);
    const QByteArray log = ReadAll(logPath);
    if (QFileInfo::exists(logPath)) {
        const QList<QByteArray> lines = log.split('\n');
        // The last piece is empty after a whole line; anything else there is a line a kill cut
        // short, a change that never happened.
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QJsonDocument doc = QJsonDocument::fromJson(lines[i]);
            if (!doc.isObject() || !ApplyAlbumChange(m, doc.object())) return false;
        }
    } else {
        // A record of the time before the log holds the albums itself.
        m.albumStamp = record[QStringLiteral("albumStamp")].toString();
        for (const QJsonValue& av : record[QStringLiteral("albums")].toArray()) {
            const QJsonObject ao = av.toObject();
            const QString name = ao[QStringLiteral("name")].toString();
            if (!ApplyAlbumChange(m, {{QStringLiteral("album"), name}, {QStringLiteral("created"), ao[QStringLiteral("created")]},
                                      {QStringLiteral("stamp"), ao[QStringLiteral("stamp")]}}))
                continue;
            for (const QJsonValue& fv : ao[QStringLiteral("files")].toArray())
                ApplyAlbumChange(m, {{QStringLiteral("album"), name}, {QStringLiteral("file"), fv}});
        }
    }
    const QByteArray compact = CompactAlbumLog(m);
    if (compact != log || !QFileInfo::exists(logPath)) {
        try {
            paths::WriteFileSafely(logPath, compact);
        } catch (const VbError&) {
            // Without its log the next save of the record would lose the albums of an old record.
            return false;
        }
    }
    removeUnnamedFiles(m);
    return true;
}

QString MemberStore::postsLogPath(const Member& m) const { return memberDir(m) + QStringLiteral("/posts.log"); }

bool MemberStore::loadPosts(Member& m) {
    const QString logPath = postsLogPath(m);
    const bool hasLog = QFileInfo::exists(logPath);
    const QByteArray log = ReadAll(logPath);
    if (hasLog) {
        // The log holds every post; a record of the time before it may still hold the same posts.
        m.blogs.clear();
        m.microBlogs.clear();
        const QList<QByteArray> lines = log.split('\n');
        // A last piece that is not empty is a line a kill cut short: a change that never happened.
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            const QJsonDocument doc = QJsonDocument::fromJson(lines[i]);
            if (!doc.isObject()) return false;
            ApplyPostChange(m, doc.object());
        }
    }
    const QByteArray compact = CompactPostsLog(m);
    if (compact != log || (!hasLog && !compact.isEmpty())) {
        try {
            paths::WriteFileSafely(logPath, compact);
        } catch (const VbError&) {
            // The next save of the record drops the posts that only an old record holds.
            return false;
        }
    }
    return true;
}

void MemberStore::removeUnnamedFiles(const Member& m) {
    // An upload cut short (a kill) may have left its bytes and thumbnail without the line that
    // records them, a replaced version the line after them, or a write its temporary file.
    const QDir space(memberDir(m) + QStringLiteral("/space"));
    const QDir::Filters files = QDir::Files | QDir::Hidden | QDir::System;
    for (const QString& folder : space.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QDir dir(space.filePath(folder));
        const Album* album = nullptr;
        for (const Album& a : m.albums)
            if (paths::SafeComponent(a.name) == folder) album = &a;
        if (!album) {
            dir.removeRecursively();
            continue;
        }
        QSet<QString> named;
        for (const StoredFile& f : album->files) named.insert(f.disk);
        for (const QString& file : dir.entryList(files))
            if (!named.contains(file)) dir.remove(file);
        QDir thumbs(dir.filePath(QStringLiteral(".thumbs")));
        if (thumbs.exists())
            for (const QString& thumb : thumbs.entryList(files))
                if (!thumb.endsWith(QLatin1String(".jpg")) || !named.contains(thumb.chopped(4))) thumbs.remove(thumb);
    }
}

void MemberStore::appendAlbumLog(const Member& m, const QJsonObject& change) { appendAlbumLog(m, QList<QJsonObject>{change}); }

void MemberStore::appendAlbumLog(const Member& m, const QList<QJsonObject>& changes) {
    appendLog(m, albumLogPath(m), changes);
}

void MemberStore::appendPostsLog(Member& m, const QJsonObject& change) {
    appendLog(m, postsLogPath(m), {change});
    ApplyPostChange(m, change);
}

void MemberStore::storeBlog(Member& m, const BlogPost& post) { appendPostsLog(m, {{QStringLiteral("blog"), BlogJson(post)}}); }

void MemberStore::removeBlog(Member& m, const QString& time) { appendPostsLog(m, {{QStringLiteral("removeBlog"), time}}); }

void MemberStore::storeMicroBlog(Member& m, const MicroBlogPost& post) {
    appendPostsLog(m, {{QStringLiteral("tblog"), MicroBlogJson(post)}});
}

void MemberStore::removeMicroBlog(Member& m, const QString& key) { appendPostsLog(m, {{QStringLiteral("removeTBlog"), key}}); }

void MemberStore::writePosts(const Member& m) {
    const QString dir = memberDir(m);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    paths::WriteFileSafely(postsLogPath(m), CompactPostsLog(m));
}

void MemberStore::appendLog(const Member& m, const QString& path, const QList<QJsonObject>& changes) {
    const QString dir = memberDir(m);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    QByteArray line;
    for (const QJsonObject& change : changes) line += LogLine(change);
    paths::SafeWriteStep step = paths::SafeWriteStep::Open;
    const int error = paths::AppendToFile(path, line, &step);
    if (error && step == paths::SafeWriteStep::Open)
        throw VbError(VbError::PathFileAccess, QStringLiteral("Path/File access error: %1 (%2)").arg(path).arg(error));
    if (error) throw VbError(VbError::DiskFull, QStringLiteral("Disk full: %1 (%2)").arg(path).arg(error));
}

void MemberStore::storeSampleFiles(Member& m, const QString& albumName, const QList<SampleFile>& files,
                                   const QString& stamp) {
    if (!paths::IsSafeComponent(albumName)) throw VbError(VbError::PathFileAccess, QStringLiteral("Bad file name"));
    const QString dir = albumDir(m, albumName);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    QList<QJsonObject> changes;
    for (const SampleFile& f : files) {
        const QString disk = FreshDiskName(dir, m.album(albumName), f.name);
        if (!paths::IsSafeComponent(f.name)) throw VbError(VbError::PathFileAccess, QStringLiteral("Cannot write ") + f.name);
        const QString path = dir + QLatin1Char('/') + disk;
        paths::WriteFileSafely(path, f.bytes);
        MakeThumbnail(path);
        QJsonObject change{{QStringLiteral("album"), albumName},
                           {QStringLiteral("stamp"), stamp},
                           {QStringLiteral("albumStamp"), stamp},
                           {QStringLiteral("file"), FileJson(StoredFile{f.name, f.description, f.bytes.size(), stamp, disk})}};
        if (!m.album(albumName) && changes.isEmpty()) change[QStringLiteral("created")] = stamp;
        changes.append(change);
    }
    appendAlbumLog(m, changes);
    for (const QJsonObject& change : changes) ApplyAlbumChange(m, change);
}

void MemberStore::setAlbumStamp(Member& m, const QString& stamp) {
    const QJsonObject change{{QStringLiteral("albumStamp"), stamp}};
    appendAlbumLog(m, change);
    ApplyAlbumChange(m, change);
}

void MemberStore::createAlbum(Member& m, const QString& album, const QString& stamp) {
    if (!paths::IsSafeComponent(album)) throw VbError(VbError::PathFileAccess, QStringLiteral("Bad album name"));
    const QJsonObject change{{QStringLiteral("album"), album},
                             {QStringLiteral("created"), stamp},
                             {QStringLiteral("stamp"), stamp},
                             {QStringLiteral("albumStamp"), stamp}};
    appendAlbumLog(m, change);
    ApplyAlbumChange(m, change);
}

void MemberStore::removeAlbum(Member& m, const QString& album, const QString& stamp) {
    const QJsonObject change{{QStringLiteral("removeAlbum"), album}, {QStringLiteral("albumStamp"), stamp}};
    appendAlbumLog(m, change);
    ApplyAlbumChange(m, change);
    // No line names the files any more; a folder left by a kill goes at the next start.
    if (paths::IsSafeComponent(album)) QDir(albumDir(m, album)).removeRecursively();
}

QList<const Member*> MemberStore::members() const {
    QList<const Member*> out;
    for (const auto& m : m_members) out.append(m.get());
    return out;
}

Member* MemberStore::find(const QString& name) {
    for (auto& m : m_members)
        if (m->name == name) return m.get();
    return nullptr;
}

const Member* MemberStore::find(const QString& name) const { return const_cast<MemberStore*>(this)->find(name); }

const Member* MemberStore::findByDomain(const QString& label) const {
    if (label.isEmpty()) return nullptr;
    for (const auto& m : m_members)
        if (m->domain.compare(label, Qt::CaseInsensitive) == 0) return m.get();
    return nullptr;
}

const Member* MemberStore::findByFolder(const QString& folder) const {
    for (const auto& m : m_members)
        if (m->folder == folder) return m.get();
    return nullptr;
}

const Member* MemberStore::findByKey(const QString& memberKey) const {
    if (memberKey.isEmpty()) return nullptr;
    for (const auto& m : m_members)
        if (m->memberKey == memberKey || m->name == memberKey) return m.get();
    return nullptr;
}

bool MemberStore::hasServer(const QString& prefix) const {
    return std::any_of(m_members.begin(), m_members.end(),
                       [&prefix](const auto& m) { return m->prefix.compare(prefix, Qt::CaseInsensitive) == 0; });
}

bool MemberStore::nameInUse(const QString& name) const {
    return find(name) || QFileInfo::exists(m_dir + QStringLiteral("/members/") + paths::SafeComponent(name));
}

Member& MemberStore::add(const QString& name, const QString& digest) {
    if (nameInUse(name)) throw VbError(VbError::PathFileAccess, QStringLiteral("Member name in use: ") + name);
    auto m = std::make_unique<Member>();
    m->id = m_nextId;
    m->name = name;
    m->digest = digest;
    m->prefix = QStringLiteral("www%1").arg(m_nextServer);
    m->folder = QStringLiteral("m%1").arg(m->id, 6, 10, QLatin1Char('0'));
    m->memberKey = Md5Hex(QStringLiteral("key:%1:%2").arg(m->id).arg(QDateTime::currentMSecsSinceEpoch())).left(16);
    m->registered = QDate::currentDate().toString(Qt::ISODate);
    m->homeAlbums = QStringList(15, QString());
    save(*m);  // throws before anything is kept
    ++m_nextId;
    ++m_nextServer;
    m_members.push_back(std::move(m));
    saveCounters();
    return *m_members.back();
}

QString MemberStore::memberDir(const Member& m) const {
    return m_dir + QStringLiteral("/members/") + paths::SafeComponent(m.name);
}

QString MemberStore::albumDir(const Member& m, const QString& album) const {
    return memberDir(m) + QStringLiteral("/space/") + paths::SafeComponent(album);
}

QString MemberStore::filePath(const Member& m, const QString& album, const QString& file) const {
    const Album* a = m.album(album);
    const StoredFile* f = a ? a->file(file) : nullptr;
    return albumDir(m, album) + QLatin1Char('/') + paths::SafeComponent(f ? f->disk : file);
}

void MemberStore::save(const Member& m) {
    const QString dir = memberDir(m);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    paths::WriteFileSafely(dir + QStringLiteral("/member.json"), QJsonDocument(ToJson(m)).toJson());
}

void MemberStore::saveCounters() {
    QJsonObject o;
    o[QStringLiteral("nextId")] = m_nextId;
    o[QStringLiteral("nextServer")] = m_nextServer;
    o[QStringLiteral("lastStamp")] = m_lastStamp.isValid() ? m_lastStamp.toString(kStampFormat) : QString();
    try {
        paths::WriteFileSafely(m_dir + QStringLiteral("/service.json"), QJsonDocument(o).toJson());
    } catch (const VbError&) {
        // The counters are rebuilt from the records at the next start.
    }
}

bool MemberStore::saveAll() {
    bool ok = true;
    for (const auto& m : m_members) {
        try {
            save(*m);
        } catch (const VbError&) {
            ok = false;
        }
    }
    saveCounters();
    return ok;
}

QString MemberStore::newStamp() {
    QDateTime now = QDateTime::currentDateTime();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    if (m_lastStamp.isValid() && now <= m_lastStamp) now = m_lastStamp.addSecs(1);
    m_lastStamp = now;
    saveCounters();
    return now.toString(kStampFormat);
}

QString MemberStore::sitePage(const Member& m) const {
    if (m.sitePageFile.isEmpty()) return QString();
    return QString::fromUtf8(ReadAll(memberDir(m) + QLatin1Char('/') + m.sitePageFile));
}

QString MemberStore::writeSitePage(const Member& m, const QString& escapedPage) {
    const QString dir = memberDir(m);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    QString name;
    for (int n = 0; name.isEmpty() || QFileInfo::exists(dir + QLatin1Char('/') + name); ++n)
        name = QStringLiteral("site-%1-%2.html").arg(QDateTime::currentMSecsSinceEpoch()).arg(n);
    paths::WriteFileSafely(dir + QLatin1Char('/') + name, escapedPage.toUtf8());
    return name;
}

void MemberStore::dropSitePage(const Member& m, const QString& fileName) {
    if (fileName.isEmpty() || !paths::IsSafeComponent(fileName)) return;
    QFile::remove(memberDir(m) + QLatin1Char('/') + fileName);
}

void MemberStore::storeFile(Member& m, const QString& albumName, const QString& file, const QByteArray& bytes,
                            const QString& description, const QString& stamp, const QString& uploaded) {
    if (!paths::IsSafeComponent(albumName) || !paths::IsSafeComponent(file))
        throw VbError(VbError::PathFileAccess, QStringLiteral("Bad file name"));
    const QString dir = albumDir(m, albumName);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    const Album* album = m.album(albumName);
    const StoredFile* old = album ? album->file(file) : nullptr;
    const QString oldDisk = old ? old->disk : QString();
    const QString disk = FreshDiskName(dir, album, file);
    const QString path = dir + QLatin1Char('/') + disk;
    paths::WriteFileSafely(path, bytes);
    MakeThumbnail(path);
    QJsonObject change{{QStringLiteral("album"), albumName},
                       {QStringLiteral("stamp"), stamp},
                       {QStringLiteral("albumStamp"), stamp},
                       {QStringLiteral("file"), FileJson(StoredFile{file, description, bytes.size(), uploaded.isEmpty() ? stamp : uploaded, disk})}};
    if (!album) change[QStringLiteral("created")] = stamp;
    try {
        appendAlbumLog(m, change);
    } catch (const VbError&) {
        QFile::remove(path);
        QFile::remove(ThumbnailFileOf(path));
        throw;
    }
    ApplyAlbumChange(m, change);
    if (!oldDisk.isEmpty() && oldDisk != disk) {
        const QString oldPath = dir + QLatin1Char('/') + oldDisk;
        QFile::remove(oldPath);
        QFile::remove(ThumbnailFileOf(oldPath));
    }
}

bool MakeThumbnail(const QString& filePath) {
    const QString thumb = ThumbnailFileOf(filePath);
    QFile::remove(thumb);
    const QImage picture(filePath);
    if (picture.isNull() || !QDir().mkpath(QFileInfo(thumb).path())) return false;
    // Written whole or not at all: a kill must not leave half a thumbnail to be served.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.scaled(100, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(&buffer, "JPG", 90)) return false;
    try {
        paths::WriteFileSafely(thumb, bytes);
    } catch (const VbError&) {
        return false;
    }
    return true;
}

QString ThumbnailPath(const QString& filePath) {
    const QString thumb = ThumbnailFileOf(filePath);
    if (QFileInfo::exists(thumb) || MakeThumbnail(filePath)) return thumb;
    return QString();
}

HostedFile MemberStore::hostedFile(const QString& folder, const QString& albumName, const QString& file) const {
    HostedFile h;
    const Member* m = findByFolder(folder);
    if (!m) return h;
    const Album* a = m->album(albumName);
    if (!a) return h;
    const StoredFile* f = a->file(file);
    if (!f) return h;
    h = HostedFile{m, a, f, filePath(*m, albumName, file)};
    return h;
}

void MemberStore::removeFiles(Member& m, const QString& albumName, const QStringList& files, const QString& stamp) {
    const Album* a = m.album(albumName);
    if (!a) return;
    // The disk names are taken while the album still names them: a replaced file's bytes are
    // under a fresh name, not its own.
    QJsonArray gone;
    QStringList diskPaths;
    for (const StoredFile& f : a->files) {
        if (!files.contains(f.name)) continue;
        gone.append(f.name);
        diskPaths << albumDir(m, albumName) + QLatin1Char('/') + paths::SafeComponent(f.disk);
    }
    const QJsonObject change{{QStringLiteral("album"), albumName},
                             {QStringLiteral("stamp"), stamp},
                             {QStringLiteral("albumStamp"), stamp},
                             {QStringLiteral("removeFiles"), gone}};
    appendAlbumLog(m, change);
    ApplyAlbumChange(m, change);
    // No line names them any more: the bytes can go (what a kill leaves goes at the next start).
    for (const QString& path : diskPaths) {
        QFile::remove(ThumbnailFileOf(path));
        QFile::remove(path);
    }
}

void MemberStore::describeFile(Member& m, const QString& albumName, const QString& file, const QString& description) {
    const QJsonObject change{{QStringLiteral("album"), albumName},
                             {QStringLiteral("describe"),
                              QJsonObject{{QStringLiteral("name"), file}, {QStringLiteral("description"), description}}}};
    appendAlbumLog(m, change);
    ApplyAlbumChange(m, change);
}

void MemberStore::clear() {
    m_members.clear();
    m_nextId = 1;
    m_nextServer = 1;
    // The last stamp stays: stamps handed out before the clearing are never given again.
    QDir(m_dir + QStringLiteral("/members")).removeRecursively();
    saveCounters();
}

}  // namespace emu
