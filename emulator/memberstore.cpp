#include "emulator/memberstore.h"

#include "foundation/md5.h"
#include "platform/paths.h"
#include "platform/vberror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    o[QStringLiteral("albumStamp")] = m.albumStamp;
    o[QStringLiteral("settings")] = ToArray(m.settings);
    o[QStringLiteral("published")] = m.published;
    o[QStringLiteral("sitePage")] = m.sitePageFile;
    o[QStringLiteral("homeAlbums")] = ToArray(m.homeAlbums);
    QJsonArray albums;
    for (const Album& a : m.albums) {
        QJsonObject ao;
        ao[QStringLiteral("name")] = a.name;
        ao[QStringLiteral("created")] = a.created;
        ao[QStringLiteral("stamp")] = a.stamp;
        QJsonArray files;
        for (const StoredFile& f : a.files) {
            QJsonObject fo;
            fo[QStringLiteral("name")] = f.name;
            fo[QStringLiteral("description")] = f.description;
            fo[QStringLiteral("size")] = double(f.size);
            fo[QStringLiteral("uploaded")] = f.uploaded;
            files.append(fo);
        }
        ao[QStringLiteral("files")] = files;
        albums.append(ao);
    }
    o[QStringLiteral("albums")] = albums;
    QJsonArray blogs;
    for (const BlogPost& b : m.blogs)
        blogs.append(QJsonObject{{QStringLiteral("time"), b.time},
                                 {QStringLiteral("title"), b.title},
                                 {QStringLiteral("category"), b.category},
                                 {QStringLiteral("body"), b.body}});
    o[QStringLiteral("blogs")] = blogs;
    QJsonObject reg;
    for (auto it = m.registration.cbegin(); it != m.registration.cend(); ++it) reg[it.key()] = it.value();
    o[QStringLiteral("registration")] = reg;
    return o;
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
    m.albumStamp = o[QStringLiteral("albumStamp")].toString();
    m.settings = ToList(o[QStringLiteral("settings")]);
    m.published = o[QStringLiteral("published")].toString();
    // Records from before the page had a file of its own per publish name the old fixed file.
    m.sitePageFile = o.contains(QStringLiteral("sitePage")) ? o[QStringLiteral("sitePage")].toString() : QStringLiteral("site.html");
    if (!m.sitePageFile.isEmpty() && !paths::IsSafeComponent(m.sitePageFile)) m.sitePageFile.clear();
    m.homeAlbums = ToList(o[QStringLiteral("homeAlbums")]);
    for (const QJsonValue& av : o[QStringLiteral("albums")].toArray()) {
        const QJsonObject ao = av.toObject();
        Album a;
        a.name = ao[QStringLiteral("name")].toString();
        a.created = ao[QStringLiteral("created")].toString();
        a.stamp = ao[QStringLiteral("stamp")].toString();
        if (!paths::IsSafeComponent(a.name)) continue;
        for (const QJsonValue& fv : ao[QStringLiteral("files")].toArray()) {
            const QJsonObject fo = fv.toObject();
            StoredFile f{fo[QStringLiteral("name")].toString(), fo[QStringLiteral("description")].toString(),
                         qint64(fo[QStringLiteral("size")].toDouble()), fo[QStringLiteral("uploaded")].toString()};
            if (paths::IsSafeComponent(f.name)) a.files.append(f);
        }
        m.albums.append(a);
    }
    for (const QJsonValue& bv : o[QStringLiteral("blogs")].toArray()) {
        const QJsonObject bo = bv.toObject();
        m.blogs.append(BlogPost{bo[QStringLiteral("time")].toString(), bo[QStringLiteral("title")].toString(),
                                bo[QStringLiteral("category")].toString(), bo[QStringLiteral("body")].toString()});
    }
    const QJsonObject reg = o[QStringLiteral("registration")].toObject();
    for (auto it = reg.begin(); it != reg.end(); ++it) m.registration.insert(it.key(), it.value().toString());
    return m.id > 0 && paths::IsSafeComponent(m.name) && !m.digest.isEmpty();
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
                                QStringLiteral("member.json.*")};
    for (const QString& file : dir.entryList(leftovers, QDir::Files))
        if (file != m.sitePageFile) dir.remove(file);
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
    return albumDir(m, album) + QLatin1Char('/') + paths::SafeComponent(file);
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
                            const QString& description, const QString& stamp) {
    if (!paths::IsSafeComponent(albumName) || !paths::IsSafeComponent(file))
        throw VbError(VbError::PathFileAccess, QStringLiteral("Bad file name"));
    const QString dir = albumDir(m, albumName);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    paths::WriteFileSafely(filePath(m, albumName, file), bytes);
    MakeThumbnail(filePath(m, albumName, file));
    Album* a = m.album(albumName);
    if (!a) {
        m.albums.append(Album{albumName, stamp, stamp, {}});
        a = &m.albums.last();
    }
    bool replaced = false;
    for (StoredFile& f : a->files) {
        if (f.name == file) {
            f = StoredFile{file, description, bytes.size(), stamp};
            replaced = true;
        }
    }
    if (!replaced) a->files.append(StoredFile{file, description, bytes.size(), stamp});
    a->stamp = stamp;
    save(m);
}

void MemberStore::storeSampleFiles(Member& m, const QString& albumName, const QList<SampleFile>& files,
                                   const QString& stamp) {
    if (!paths::IsSafeComponent(albumName)) throw VbError(VbError::PathFileAccess, QStringLiteral("Bad file name"));
    const QString dir = albumDir(m, albumName);
    if (!QDir().mkpath(dir)) throw VbError(VbError::PathNotFound, QStringLiteral("Path not found: ") + dir);
    Album* a = m.album(albumName);
    if (!a) {
        m.albums.append(Album{albumName, stamp, stamp, {}});
        a = &m.albums.last();
    }
    for (const SampleFile& f : files) {
        QFile out(filePath(m, albumName, f.name));
        if (!paths::IsSafeComponent(f.name) || !out.open(QIODevice::WriteOnly) || out.write(f.bytes) != f.bytes.size())
            throw VbError(VbError::PathFileAccess, QStringLiteral("Cannot write ") + f.name);
        a->files.append(StoredFile{f.name, f.description, f.bytes.size(), stamp});
    }
    a->stamp = stamp;
    save(m);
}

namespace {
QString ThumbnailFileOf(const QString& filePath) {
    const QFileInfo info(filePath);
    return info.path() + QStringLiteral("/.thumbs/") + info.fileName() + QStringLiteral(".jpg");
}
}  // namespace

bool MakeThumbnail(const QString& filePath) {
    const QString thumb = ThumbnailFileOf(filePath);
    QFile::remove(thumb);
    const QImage picture(filePath);
    if (picture.isNull() || !QDir().mkpath(QFileInfo(thumb).path())) return false;
    return picture.scaled(100, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(thumb, "JPG", 90);
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

void MemberStore::clear() {
    m_members.clear();
    m_nextId = 1;
    m_nextServer = 1;
    // The last stamp stays: stamps handed out before the clearing are never given again.
    QDir(m_dir + QStringLiteral("/members")).removeRecursively();
    saveCounters();
}

}  // namespace emu
