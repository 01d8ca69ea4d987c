#include "emulator/servicelogic.h"

#include "emulator/demosite.h"

#include "foundation/htmltext.h"
#include "foundation/md5.h"
#include "login/logintoken.h"
#include "login/registercheck.h"
#include "login/registration.h"
#include "platform/ansi.h"
#include "platform/paths.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "site/publishcheck.h"

#include <QDate>

#include <algorithm>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

namespace emu {

namespace {

const QString kF = QStringLiteral("{/F}");
const QString kR = QStringLiteral("{//R}");
const QString kT = QStringLiteral("{///T}");
constexpr int kSiteFields = 333;
const QString kRootAlbum = QStringLiteral("根目录");

QString Row(const QStringList& fields) {
    QString out;
    for (const QString& f : fields) out += f + kF;
    return out + kR;
}

QString Today() { return QDate::currentDate().toString(Qt::ISODate); }

QStringList Texts(const QList<soap::Arg>& args, QByteArray* bytes) {
    QStringList out;
    for (const soap::Arg& a : args) {
        if (a.binary && bytes) *bytes = a.bytes;
        out.append(a.binary ? QString() : a.text);
    }
    return out;
}

// The member-name rules of the registration: 5 to 20 code-page bytes, a letter or Chinese
// character first, then letters, Chinese characters, digits and "_".
bool IsAcceptableName(const QString& name) {
    if (!paths::IsSafeComponent(name)) return false;
    const int bytes = AnsiCodec::byteLength(name);
    if (bytes < 5 || bytes > 20) return false;
    if (GetCharClass(name.left(1)) >= 2) return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const int cls = GetCharClass(name.mid(i, 1));
        if (cls == 4 || cls == 5) return false;
    }
    static const QStringList reserved{QStringLiteral("admin"), QStringLiteral("administrator"),
                                      QStringLiteral("system"), QStringLiteral("webmaster"),
                                      QStringLiteral("service"), QStringLiteral("master")};
    return !reserved.contains(name);
}

bool HasExpired(const Member& m) {
    if (m.expiry == QLatin1String("0")) return true;
    const QDate end = QDate::fromString(m.expiry, Qt::ISODate);
    return !end.isValid() || end < QDate::currentDate();
}


}  // namespace

QString EscapeBrackets(QString text) {
    text.replace(QLatin1Char('<'), QStringLiteral("&x_;"));
    text.replace(QLatin1Char('>'), QStringLiteral("&d_;"));
    return text;
}

QString UnescapeBrackets(QString text) {
    text.replace(QStringLiteral("&x_;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&d_;"), QStringLiteral(">"));
    return text;
}

bool IsStorableName(const QString& name) {
    return paths::IsSafeComponent(name) &&
           std::none_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool IsDigest(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[0-9a-f]{32}$"));
    return re.match(text).hasMatch();
}

ServiceLogic::ServiceLogic(MemberStore& store, const QString& serviceDomain)
    : m_store(store), m_domain(serviceDomain) {
    defaultNotices();
}

void ServiceLogic::defaultNotices() {
    const QString account = QStringLiteral("http://user.") + m_domain;
    m_notices = {
        {false, account + QStringLiteral("/sysinfo/notice.aspx")},
        {false, QStringLiteral("服务器维护中，请您稍后再登录。")},
        {false, QStringLiteral("欢迎使用Tavolin！")},
        {false, account + QStringLiteral("/member/welcome.aspx")},
        {false, QStringLiteral("请您尽快完成实名认证。")},
        {false, account + QStringLiteral("/member/realname.aspx")},
    };
}

bool ServiceLogic::implements(const QString& method) const {
    static const QStringList done{QStringLiteral("LoginSoftV2"), QStringLiteral("Register"), QStringLiteral("EditPsw"),
                                  QStringLiteral("UploadFile01"), QStringLiteral("UploadFile02"),
                                  QStringLiteral("UploadWebsite2"),
                                  QStringLiteral("TestDomain"), QStringLiteral("RegDomainNameV2"),
                                  QStringLiteral("WebsiteEncryptionInfo"),
                                  QStringLiteral("WebsiteEncryption"), QStringLiteral("WebsiteNotEncryption"),
                                  QStringLiteral("GetDirInfo"), QStringLiteral("GetDirFileInfo"),
                                  QStringLiteral("BuildAlbumDir"), QStringLiteral("DelDir"), QStringLiteral("SetHomeAlbum"),
                                  QStringLiteral("DelFile"), QStringLiteral("EditPicMemo"), QStringLiteral("UploadBlog"), QStringLiteral("EditBlog"),
                                  QStringLiteral("GetBlogList"), QStringLiteral("GetBlog"), QStringLiteral("DelBlog"),
                                  QStringLiteral("UploadTBlog"), QStringLiteral("GetTBlogList"), QStringLiteral("DelTBlog")};
    return done.contains(method);
}

QString ServiceLogic::call(const QString& method, const QList<soap::Arg>& args) {
    QByteArray bytes;
    const QStringList a = Texts(args, &bytes);
    if (method == QLatin1String("LoginSoftV2")) return LoginSoftV2(a);
    if (method == QLatin1String("Register")) return Register(a);
    if (method == QLatin1String("EditPsw")) return EditPsw(a);
    if (method == QLatin1String("UploadFile01")) return UploadFile01(a, bytes);
    if (method == QLatin1String("UploadFile02")) return UploadFile02(a, bytes);
    if (method == QLatin1String("UploadWebsite2")) return UploadWebsite2(a);
    if (method == QLatin1String("TestDomain")) return TestDomain(a);
    if (method == QLatin1String("RegDomainNameV2")) return RegDomainNameV2(a);
    if (method == QLatin1String("WebsiteEncryptionInfo")) return WebsiteEncryptionInfo(a);
    if (method == QLatin1String("WebsiteEncryption")) return WebsiteEncryption(a);
    if (method == QLatin1String("WebsiteNotEncryption")) return WebsiteNotEncryption(a);
    if (method == QLatin1String("GetDirInfo")) return GetDirInfo(a);
    if (method == QLatin1String("GetDirFileInfo")) return GetDirFileInfo(a);
    if (method == QLatin1String("BuildAlbumDir")) return BuildAlbumDir(a);
    if (method == QLatin1String("DelDir")) return DelDir(a);
    if (method == QLatin1String("SetHomeAlbum")) return SetHomeAlbum(a);
    if (method == QLatin1String("DelFile")) return DelFile(a);
    if (method == QLatin1String("EditPicMemo")) return EditPicMemo(a);
    if (method == QLatin1String("UploadBlog")) return UploadBlog(a);
    if (method == QLatin1String("EditBlog")) return EditBlog(a);
    if (method == QLatin1String("GetBlogList")) return GetBlogList(a);
    if (method == QLatin1String("GetBlog")) return GetBlog(a);
    if (method == QLatin1String("DelBlog")) return DelBlog(a);
    if (method == QLatin1String("UploadTBlog")) return UploadTBlog(a);
    if (method == QLatin1String("GetTBlogList")) return GetTBlogList(a);
    if (method == QLatin1String("DelTBlog")) return DelTBlog(a);
    return QString();
}

Member* ServiceLogic::authenticate(const QString& name, const QString& digest, const QString& prefix) {
    Member* m = m_store.find(vb::Trim(name).toLower());
    if (!m || digest.isEmpty() || m->digest != digest) return nullptr;
    if (m->prefix.compare(prefix, Qt::CaseInsensitive) != 0) return nullptr;
    return m;
}

QString ServiceLogic::SpacePriceTable() {
    return Row({QStringLiteral("60"), QStringLiteral("0")}) + Row({QStringLiteral("100"), QStringLiteral("100")}) +
           Row({QStringLiteral("200"), QStringLiteral("180")}) + Row({QStringLiteral("500"), QStringLiteral("400")}) +
           QStringLiteral("SpacePric") + kT;
}

QString ServiceLogic::loginReply(const Member& m) const {
    const QStringList record{
        QString::number(m.id),                            // 0
        m.name,                                           // 1
        m.hasSpace ? QStringLiteral("1") : QStringLiteral("0"),
        Today(),                                          // 3 the service's date
        m.registered,
        m.digest,                                         // 5
        m.prefix,                                         // 6
        m.albumStamp,                                     // 7
        m.registration.value(QStringLiteral("Email")),
        m.lastLogin,
        m.folder,                                         // 10
        m.memberKey,                                      // 11
        m.domain,                                         // 12
        QStringLiteral("0"),
        m.realName ? QStringLiteral("1") : QStringLiteral("0"),  // 14
        m.protectionKey,                                  // 15
        m.edition,                                        // 16
        QString::number(m.quotaKb),                       // 17
        QString::number(m.usedKb()),                      // 18
        QString(),
        m.hasSpace ? m.expiry : QStringLiteral("0"),      // 20
    };
    QStringList site = m.settings.mid(0, kSiteFields);
    while (site.size() < kSiteFields) site.append(QString());
    QString notices;
    for (int i = 0; i < m_notices.size(); ++i)
        notices += Row({QString::number(i), m_notices[i].on ? QStringLiteral("1") : QStringLiteral("0"), m_notices[i].text});
    return QStringLiteral("__Login__OK__") + Row(record) + QStringLiteral("LoginBackInfo") + kT + Row(site) +
           QStringLiteral("SiteInfo") + kT + notices + QStringLiteral("SysInfo") + kT + SpacePriceTable();
}

QString ServiceLogic::LoginSoftV2(const QStringList& a) {
    const QString name = vb::Trim(a.value(0)).toLower();
    const QString token = a.value(1);
    if (name.isEmpty() || token.size() != 37) return QStringLiteral("__Login__Data_Error__");
    Member* m = m_store.find(name);
    if (!m || token != LoginTokenFromDigest(m->digest)) return QStringLiteral("__Login__False__");
    const QString reply = loginReply(*m);
    // Kept in memory only: the record goes to disk with the member's next change or at the stop,
    // so a login costs no write (the time of the last login is all that a kill can lose).
    m->lastLogin = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return reply;
}

QString ServiceLogic::Register(const QStringList& a) {
    if (a.size() < 18) return QStringLiteral("__Reg__Error0000__");
    const QString typed = a[0];
    const QString name = vb::Trim(typed).toLower();
    if (!IsFreeOfSqlWords(a.mid(0, 16).join(QLatin1Char(' ')))) return QStringLiteral("__Reg__Data_NotSafe__");
    if (RegisterCheckCode(a.mid(0, 16), typed) != a[16]) return QStringLiteral("__Reg__Data_Error__");
    if (!IsAcceptableName(name)) return QStringLiteral("__Reg__Can_Not_Name__");
    if (!IsDigest(a[1])) return QStringLiteral("__Reg__Error0000__");
    // Province, city, sex and occupation must be entries of the shipped lists with their codes.
    if (!IsListedRegistration(a.mid(0, 16))) return QStringLiteral("__Reg__Error0000__");
    if (m_store.nameInUse(name)) return QStringLiteral("__Reg__False__");

    const QString address = a[14];
    const QString network = address.section(QLatin1Char('.'), 0, 2);
    const QString hour = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHH"));
    if (m_hourLimit && m_lastRegistrationHour.value(network) == hour)
        return QStringLiteral("__Reg_Next_Hour__/") + QString::number(QTime::currentTime().hour()) +
               QLatin1Char('[') + address + QLatin1Char(']');

    static const char* const kNames[] = {"UserName", "Password",     "Question", "Answer",     "Birthday",
                                         "Email",    "Province",     "ProvinceCode", "City",   "CityCode",
                                         "Sex",      "SexCode",      "Occupation", "OccupationCode",
                                         "IPAddress", "MachineSerial"};
    try {
        Member& m = m_store.add(name, a[1]);
        for (int i = 2; i < 16; ++i) m.registration.insert(QString::fromLatin1(kNames[i]), a[i]);
        m.hasSpace = true;
        m.quotaKb = kNewMemberQuotaKb;
        m.expiry = QDate::currentDate().addYears(1).toString(Qt::ISODate);
        m.settings = QStringList(kSiteFields, QString());
        m_store.save(m);
        m_store.setAlbumStamp(m, m_store.newStamp());
        m_lastRegistrationHour.insert(network, hour);
        return QStringLiteral("__Reg__OK____Area__") + QStringLiteral("您的网站已安排在服务器 ") + m.prefix +
               QLatin1Char('.') + m_domain + QStringLiteral(" 上（") + a[6] + QStringLiteral("）。");
    } catch (const VbError&) {
        return QStringLiteral("__Reg__DB_Error__");
    }
}

QString ServiceLogic::EditPsw(const QStringList& a) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(3));
    if (!m) return QStringLiteral("Error_0001");
    if (!IsDigest(a.value(2))) return QStringLiteral("Error_0002");
    const QString old = m->digest;
    m->digest = a.value(2);
    try {
        m_store.save(*m);
    } catch (const VbError&) {
        m->digest = old;
        return QStringLiteral("Error_0003");
    }
    return QStringLiteral("OK_0001");
}

QString ServiceLogic::UploadFile01(const QStringList& a, const QByteArray& data) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    if (!m->hasSpace) return QStringLiteral("Error_0004");
    if (HasExpired(*m)) return QStringLiteral("Error_0005");
    const QString album = a.value(3), mode = a.value(4), remote = a.value(5), ext = a.value(6).toLower();
    static const QStringList kTypes{QStringLiteral(".jpg"), QStringLiteral(".gif"), QStringLiteral(".png"),
                                    QStringLiteral(".bmp"), QStringLiteral(".swf")};
    if (!kTypes.contains(ext) || !IsStorableName(album)) return QStringLiteral("Error_0002");
    const bool systemAlbum = album.left(3).toLower() == QLatin1String("www") || album == kRootAlbum;
    if (!m->album(album) && !systemAlbum) return QStringLiteral("Error_0003");

    QString fileName;
    if (mode == QLatin1String("1")) {
        fileName = remote + ext;
    } else if (mode == QLatin1String("0")) {
        // A fresh name in the album: the remote name, the upload time and a counter.
        const QString base = remote + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
        const Album* existing = m->album(album);
        for (int n = 1;; ++n) {
            fileName = base + QString::number(n) + ext;
            if (!existing || !existing->file(fileName)) break;
        }
    } else {
        return QStringLiteral("Error_0002");
    }
    if (remote.isEmpty() || !IsStorableName(fileName)) return QStringLiteral("Error_0002");

    // The file travels with one zero byte after it.
    const QByteArray bytes = data.endsWith('\0') ? data.chopped(1) : data;
    qint64 used = m->usedBytes();
    if (const Album* existing = m->album(album))
        if (const StoredFile* old = existing->file(fileName)) used -= old->size;
    if (used + bytes.size() > m->quotaKb * 1024) return QStringLiteral("Error_0004");

    // The store keeps the albums and the file as they were when the upload cannot be kept.
    try {
        const QString stamp = m_store.newStamp();
        m_store.storeFile(*m, album, fileName, bytes, a.value(7), stamp);
        return QStringLiteral("OK_0001_") + stamp;
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
}

QString ServiceLogic::UploadFile02(const QStringList& a, const QByteArray& data) {
    Member* m = authenticate(a.value(0), a.value(1), a.value(2));
    if (!m) return QStringLiteral("Error_0001");
    if (!m->hasSpace) return QStringLiteral("Error_0004");
    if (HasExpired(*m)) return QStringLiteral("Error_0005");
    const QString album = a.value(3), name = a.value(4), address = a.value(6);
    // The file is the one at the address, in the album named, under the name sent; whatever
    // extension comes with the bytes, the file keeps its stored name and address.
    const Album* existing = m->album(album);
    const StoredFile* file = nullptr;
    if (existing)
        for (const StoredFile& f : existing->files)
            if (HostedFileAddress(*m, album, f.name) == address && f.name.left(f.name.size() - 4) == name) file = &f;
    if (!file) return QStringLiteral("Error_0002");
    const StoredFile before = *file;

    const QByteArray bytes = data.endsWith('\0') ? data.chopped(1) : data;
    if (m->usedBytes() - before.size + bytes.size() > m->quotaKb * 1024) return QStringLiteral("Error_0004");
    // The store keeps the file as it was when the replacement cannot be kept. A replacement is
    // no new upload: the file keeps its upload time.
    const QString stamp = m_store.newStamp();
    try {
        m_store.storeFile(*m, album, before.name, bytes, before.description, stamp, before.uploaded);
    } catch (const VbError&) {
        return QStringLiteral("Error_0003");
    }
    const StoredFile* replaced = m->album(album)->file(before.name);
    const StoredFileFigures figures = FileFigures(m_store.filePath(*m, album, before.name), *replaced);
    return QStringLiteral("OK_0001_") +
           EscapedTable({{figures.kb, figures.thumbnailBytes, figures.width, figures.height, stamp}},
                        QStringLiteral("NewFile"));
}

QString ServiceLogic::UploadWebsite2(const QStringList& a) {
    if (a.size() < 12) return QStringLiteral("Error_0001");
    // The home-album publish names the album of the home-page album cell; the others send "".
    return publishSite(a, [&a](Member& m) {
        if (!a[10].isEmpty()) m.homeAlbum = a[10];
    });
}

QString ServiceLogic::publishSite(const QStringList& a, const std::function<void(Member&)>& alsoStore) {
    Member* m = authenticate(a[0], a[2], a[4]);
    if (!m || a[1] != QLatin1String("K2")) return QStringLiteral("Error_0001");
    const QString& settings = a[8];
    const QString& page = a[9];
    if (PublishCheckCode(page) != a[3]) return QStringLiteral("Error_0002");
    if (m->domain.isEmpty() || m->domain.compare(a[5], Qt::CaseInsensitive) != 0) return QStringLiteral("Error_0003");
    QStringList fields = settings.split(kF);
    fields.removeLast();  // the text after the last separator is not a field
    if (fields.size() > kSiteFields) return QStringLiteral("Error_0003");

    // The new page goes under a fresh name; saving the record that names it switches page and
    // settings together, so a kill at any point leaves the one or the other publish whole.
    const Member before = *m;
    QString newPage;
    try {
        newPage = m_store.writeSitePage(*m, page);
        m->sitePageFile = newPage;
        m->settings = fields;
        m->published = a[7];
        alsoStore(*m);
        m_store.save(*m);
    } catch (const VbError&) {
        *m = before;
        m_store.dropSitePage(*m, newPage);
        return QStringLiteral("Error_0006");
    }
    m_store.dropSitePage(*m, before.sitePageFile);
    return QStringLiteral("OK_0001");
}

DemoMember ServiceLogic::Demo() {
    return {QStringLiteral("tavdemo"), QStringLiteral("demo1234"), QStringLiteral("demosite")};
}

void ServiceLogic::ensureDemoMember() {
    const DemoMember demo = Demo();
    if (m_store.find(demo.name)) return;
    Member& m = m_store.add(demo.name, Md5Hex(demo.password));
    m.domain = demo.domain;
    m.hasSpace = true;
    m.realName = true;
    m.quotaKb = kDemoQuotaKb;
    m.expiry = QDate::currentDate().addYears(1).toString(Qt::ISODate);
    m.registration.insert(QStringLiteral("Email"), QStringLiteral("demo@") + m_domain);

    AddDemoContent(m_store, m, m_domain);
}

void ServiceLogic::reset() {
    m_store.clear();
    m_lastRegistrationHour.clear();
    m_hourLimit = false;
    defaultNotices();
    ensureDemoMember();
}

}  // namespace emu
