// The service's answers as functions of their arguments, against a member store in a fresh folder.
#include "emulator/servicelogic.h"
#include "foundation/md5.h"
#include "foundation/tabletext.h"
#include "login/logintoken.h"
#include "login/registercheck.h"
#include "platform/safefile.h"
#include "site/publishcheck.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <QBuffer>
#include <QImage>
#include <unistd.h>
#include <sys/wait.h>
#include <csignal>

using namespace emu;

namespace {

QString Login(ServiceLogic& logic, const QString& name, const QString& password) {
    return logic.LoginSoftV2({name, LoginToken(password), QStringLiteral("192.168.1.20"), QStringLiteral("abc"),
                              QStringLiteral("2.0")});
}

// The eighteen arguments of a registration with a correct check code.
QStringList Registration(const QString& name, const QString& password, const QString& address = QStringLiteral("10.1.2.3")) {
    QStringList a{name.trimmed().toLower(), Md5Hex(password), QStringLiteral("您的家乡是？"), QStringLiteral("北京"),
                  QStringLiteral("1990-01-01"), QStringLiteral("a@b.cn"), QStringLiteral("北京市"), QStringLiteral("110000"),
                  QStringLiteral("北京市"), QStringLiteral("110100"), QStringLiteral("女"), QStringLiteral("0"),
                  QStringLiteral("教师"), QStringLiteral("02"), address, QStringLiteral("-123456")};
    a << RegisterCheckCode(a, name) << QStringLiteral("1");
    return a;
}

}  // namespace

class ServiceLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        store = std::make_unique<MemberStore>(dir.path());
        logic = std::make_unique<ServiceLogic>(*store, QStringLiteral("sitehost.test"));
        logic->ensureDemoMember();
    }
    const DemoMember demo = ServiceLogic::Demo();
    Member& demoRecord() { return *store->find(demo.name); }
    // Upload arguments of the demo member.
    QStringList upload(const QString& album, const QString& mode, const QString& remote, const QString& ext) {
        Member& m = demoRecord();
        return {m.name, m.digest, m.prefix, album, mode, remote, ext, QString()};
    }
    QStringList publish(const QString& page, const QString& settings, const QString& check = QString()) {
        Member& m = demoRecord();
        return {m.name, QStringLiteral("K2"), m.digest, check.isNull() ? PublishCheckCode(page) : check, m.prefix,
                m.domain, QString(), QStringLiteral("1"), settings, page, QString(), QStringLiteral("2.0")};
    }
    QTemporaryDir dir;
    std::unique_ptr<MemberStore> store;
    std::unique_ptr<ServiceLogic> logic;
};

TEST_F(ServiceLogicTest, LoginReplyCarriesTheRecordSiteNoticesAndFees) {
    const QString reply = Login(*logic, demo.name, demo.password);
    ASSERT_TRUE(reply.startsWith(QStringLiteral("__Login__OK__")));
    EXPECT_FALSE(reply.contains(QStringLiteral("</F>")));  // separators travel escaped
    const QString text = UnescapeTableSeparators(QString(reply).remove(QStringLiteral("__Login__OK__")));
    const Table record = ParseTableText(QStringLiteral("LoginBackInfo"), text);
    ASSERT_GE(record.cols(), 21);
    const Member& m = demoRecord();
    EXPECT_EQ(record.value(0, 5), Md5Hex(demo.password));
    EXPECT_EQ(record.value(0, 6), QStringLiteral("www1"));
    EXPECT_EQ(record.value(0, 7), m.albumStamp);
    EXPECT_EQ(record.value(0, 10), m.folder);
    EXPECT_EQ(record.value(0, 12), demo.domain);
    EXPECT_EQ(record.value(0, 16), QStringLiteral("1"));
    EXPECT_EQ(record.value(0, 17), QString::number(ServiceLogic::kDemoQuotaKb));
    EXPECT_EQ(record.value(0, 18), QString::number(m.usedKb()));
    EXPECT_EQ(QDate::fromString(record.value(0, 3), Qt::ISODate), QDate::currentDate());
    EXPECT_TRUE(QDate::fromString(record.value(0, 20), Qt::ISODate).isValid());

    const Table site = ParseTableText(QStringLiteral("SiteInfo"), text);
    EXPECT_EQ(site.rows(), 1);
    EXPECT_EQ(site.cols(), 333);
    EXPECT_EQ(site.value(0, 301), QStringLiteral("#EEF3F8"));
    EXPECT_TRUE(site.value(0, 22).endsWith(QStringLiteral("/www网站素材/grp2.png")));
    const Table notices = ParseTableText(QStringLiteral("SysInfo"), text);
    EXPECT_EQ(notices.rows(), 6);
    EXPECT_EQ(notices.value(1, 1), QStringLiteral("0"));
    EXPECT_FALSE(ParseTableText(QStringLiteral("SpacePric"), text).isNull());
}

TEST_F(ServiceLogicTest, LoginFailureTags) {
    EXPECT_EQ(Login(*logic, demo.name, QStringLiteral("Demo1234")), QStringLiteral("__Login__False__"));  // case counts
    EXPECT_EQ(Login(*logic, QStringLiteral("nobody1"), demo.password), QStringLiteral("__Login__False__"));
    EXPECT_EQ(logic->LoginSoftV2({demo.name, QStringLiteral("short"), {}, {}, {}}), QStringLiteral("__Login__Data_Error__"));
    EXPECT_EQ(logic->LoginSoftV2({}), QStringLiteral("__Login__Data_Error__"));
    // The remembered token is the credential: sending it unchanged logs in.
    EXPECT_TRUE(logic->LoginSoftV2({QStringLiteral(" TAVDEMO "), LoginTokenFromDigest(Md5Hex(demo.password)), {}, {}, {}})
                    .startsWith(QStringLiteral("__Login__OK__")));
}

TEST_F(ServiceLogicTest, RegistrationAssignsANewPrefixAndTheMemberCanLogIn) {
    const QString reply = logic->Register(Registration(QStringLiteral("NewUser1"), QStringLiteral("secret99")));
    ASSERT_TRUE(reply.startsWith(QStringLiteral("__Reg__OK__"))) << reply.toStdString();
    EXPECT_TRUE(reply.contains(QStringLiteral("__Area__")));
    const Member* m = store->find(QStringLiteral("newuser1"));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->prefix, QStringLiteral("www2"));
    EXPECT_EQ(m->registration.value(QStringLiteral("Email")), QStringLiteral("a@b.cn"));
    EXPECT_TRUE(Login(*logic, QStringLiteral("newuser1"), QStringLiteral("secret99")).startsWith(QStringLiteral("__Login__OK__")));
    EXPECT_EQ(logic->Register(Registration(QStringLiteral("NewUser2"), QStringLiteral("secret99"))).contains(QStringLiteral("www3")),
              true);
}

TEST_F(ServiceLogicTest, RegistrationRefusals) {
    EXPECT_EQ(logic->Register(Registration(QStringLiteral("TavDemo"), QStringLiteral("x1234567"))), QStringLiteral("__Reg__False__"));
    EXPECT_EQ(logic->Register(Registration(QStringLiteral("admin"), QStringLiteral("x1234567"))), QStringLiteral("__Reg__Can_Not_Name__"));
    EXPECT_EQ(logic->Register(Registration(QStringLiteral("1abcdef"), QStringLiteral("x1234567"))), QStringLiteral("__Reg__Can_Not_Name__"));
    EXPECT_EQ(logic->Register(Registration(QStringLiteral("ab/../cd"), QStringLiteral("x1234567"))), QStringLiteral("__Reg__Can_Not_Name__"));

    QStringList badCode = Registration(QStringLiteral("gooduser"), QStringLiteral("x1234567"));
    badCode[16] = QStringLiteral("0000000000000000000");
    EXPECT_EQ(logic->Register(badCode), QStringLiteral("__Reg__Data_Error__"));

    QStringList sql = Registration(QStringLiteral("gooduser"), QStringLiteral("x1234567"));
    sql[3] = QStringLiteral("select me");
    sql[16] = RegisterCheckCode(sql.mid(0, 16), QStringLiteral("gooduser"));
    EXPECT_EQ(logic->Register(sql), QStringLiteral("__Reg__Data_NotSafe__"));

    QStringList noDigest = Registration(QStringLiteral("gooduser"), QStringLiteral("x1234567"));
    noDigest[1] = QStringLiteral("plain");
    noDigest[16] = RegisterCheckCode(noDigest.mid(0, 16), QStringLiteral("gooduser"));
    EXPECT_EQ(logic->Register(noDigest), QStringLiteral("__Reg__Error0000__"));
    EXPECT_FALSE(store->find(QStringLiteral("gooduser")));

    logic->setHourlyRegistrationLimit(true);
    EXPECT_TRUE(logic->Register(Registration(QStringLiteral("first01"), QStringLiteral("x1234567"), QStringLiteral("10.9.8.7")))
                    .startsWith(QStringLiteral("__Reg__OK__")));
    const QString next = logic->Register(Registration(QStringLiteral("second01"), QStringLiteral("x1234567"), QStringLiteral("10.9.8.200")));
    EXPECT_TRUE(next.startsWith(QStringLiteral("__Reg_Next_Hour__/"))) << next.toStdString();
    EXPECT_TRUE(next.endsWith(QStringLiteral("[10.9.8.200]")));
}

TEST_F(ServiceLogicTest, PasswordChangeReplacesTheCredential) {
    Member& m = demoRecord();
    EXPECT_EQ(logic->EditPsw({m.name, Md5Hex(QStringLiteral("wrong")), Md5Hex(QStringLiteral("new12345")), m.prefix}),
              QStringLiteral("Error_0001"));
    EXPECT_EQ(logic->EditPsw({m.name, m.digest, QStringLiteral("not a digest"), m.prefix}), QStringLiteral("Error_0002"));
    EXPECT_EQ(logic->EditPsw({m.name, m.digest, Md5Hex(QStringLiteral("new12345")), m.prefix}), QStringLiteral("OK_0001"));
    EXPECT_EQ(Login(*logic, demo.name, demo.password), QStringLiteral("__Login__False__"));
    EXPECT_TRUE(Login(*logic, demo.name, QStringLiteral("new12345")).startsWith(QStringLiteral("__Login__OK__")));
}

TEST_F(ServiceLogicTest, UploadStoresTheFileAndStampsTheAlbumAndTheList) {
    const QByteArray bytes = QByteArray("GIF89a-picture") + '\0';  // sent with its terminating zero
    const QString reply = logic->UploadFile01(upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("grb7"),
                                                     QStringLiteral(".gif")), bytes);
    ASSERT_TRUE(reply.startsWith(QStringLiteral("OK_0001_")));
    const QString stamp = reply.mid(8);
    const Member& m = demoRecord();
    const Album* album = m.album(QStringLiteral("www网站素材"));
    ASSERT_TRUE(album && album->file(QStringLiteral("grb7.gif")));
    EXPECT_EQ(album->stamp, stamp);
    EXPECT_EQ(m.albumStamp, stamp);
    QFile stored(store->filePath(m, QStringLiteral("www网站素材"), QStringLiteral("grb7.gif")));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), QByteArray("GIF89a-picture"));

    const QString text = UnescapeTableSeparators(Login(*logic, demo.name, demo.password).mid(13));
    EXPECT_EQ(ParseTableText(QStringLiteral("LoginBackInfo"), text).value(0, 7), stamp);

    // Album uploads get fresh names; stamps never repeat and always grow.
    QString last = stamp;
    for (int i = 0; i < 3; ++i) {
        const QString r = logic->UploadFile01(upload(QStringLiteral("根目录"), QStringLiteral("0"), QStringLiteral("www"),
                                                     QStringLiteral(".JPG")), QByteArray("x") + '\0');
        ASSERT_TRUE(r.startsWith(QStringLiteral("OK_0001_")));
        EXPECT_GT(r.mid(8), last);
        last = r.mid(8);
    }
    EXPECT_EQ(demoRecord().album(QStringLiteral("根目录"))->files.size(), 3);
}

TEST_F(ServiceLogicTest, AnUploadThatCannotBeKeptChangesNeitherTheAlbumNorItsFile) {
    const QString album = QStringLiteral("www网站素材");
    ASSERT_TRUE(logic->UploadFile01(upload(album, QStringLiteral("1"), QStringLiteral("grb7"), QStringLiteral(".gif")),
                                    QByteArray("old-picture") + '\0')
                    .startsWith(QStringLiteral("OK_0001_")));
    const qint64 usedBefore = demoRecord().usedBytes();
    const int filesBefore = int(demoRecord().album(album)->files.size());
    // The member's album log cannot be written: a folder stands in its place.
    const QString log = store->memberDir(demoRecord()) + QStringLiteral("/albums.log");
    ASSERT_TRUE(QFile::remove(log));
    ASSERT_TRUE(QDir().mkpath(log));
    // A replacement of the stored file and a new file, both refused.
    EXPECT_EQ(logic->UploadFile01(upload(album, QStringLiteral("1"), QStringLiteral("grb7"), QStringLiteral(".gif")),
                                  QByteArray("new-picture!") + '\0'),
              QStringLiteral("Error_0003"));
    EXPECT_EQ(logic->UploadFile01(upload(album, QStringLiteral("1"), QStringLiteral("grb8"), QStringLiteral(".gif")),
                                  QByteArray("another") + '\0'),
              QStringLiteral("Error_0003"));
    const Member& m = demoRecord();
    EXPECT_EQ(m.usedBytes(), usedBefore);
    EXPECT_EQ(int(m.album(album)->files.size()), filesBefore);
    EXPECT_EQ(m.album(album)->file(QStringLiteral("grb8.gif")), nullptr);
    QFile stored(store->filePath(m, album, QStringLiteral("grb7.gif")));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), QByteArray("old-picture"));
    // Neither refused upload left its bytes behind.
    EXPECT_EQ(QDir(store->albumDir(m, album)).entryList(QDir::Files), (QStringList{QStringLiteral("grb7.gif"), QStringLiteral("grp2.png")}));
}

TEST_F(ServiceLogicTest, UploadRefusals) {
    const QByteArray one = QByteArray(1024, 'a') + '\0';
    EXPECT_EQ(logic->UploadFile01(upload(QStringLiteral("../../etc"), QStringLiteral("1"), QStringLiteral("x"), QStringLiteral(".jpg")), one),
              QStringLiteral("Error_0002"));
    EXPECT_EQ(logic->UploadFile01(upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("x"), QStringLiteral(".exe")), one),
              QStringLiteral("Error_0002"));
    EXPECT_EQ(logic->UploadFile01(upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("a/b"), QStringLiteral(".jpg")), one),
              QStringLiteral("Error_0002"));
    EXPECT_EQ(logic->UploadFile01(upload(QStringLiteral("旅行"), QStringLiteral("0"), QStringLiteral("www"), QStringLiteral(".jpg")), one),
              QStringLiteral("Error_0003"));  // no such album

    // Another member's credential reaches nothing of the demo member.
    logic->Register(Registration(QStringLiteral("other01"), QStringLiteral("pw123456")));
    const Member* other = store->find(QStringLiteral("other01"));
    QStringList stolen = upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("x"), QStringLiteral(".jpg"));
    stolen[1] = other->digest;
    EXPECT_EQ(logic->UploadFile01(stolen, one), QStringLiteral("Error_0001"));

    Member& m = demoRecord();
    m.quotaKb = m.usedKb();  // full
    EXPECT_EQ(logic->UploadFile01(upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("x"), QStringLiteral(".jpg")), one),
              QStringLiteral("Error_0004"));
    m.quotaKb = ServiceLogic::kDemoQuotaKb;
    m.expiry = QDate::currentDate().addDays(-1).toString(Qt::ISODate);
    EXPECT_EQ(logic->UploadFile01(upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("x"), QStringLiteral(".jpg")), one),
              QStringLiteral("Error_0005"));
    EXPECT_FALSE(QDir(dir.path()).exists(QStringLiteral("etc")));
}

TEST_F(ServiceLogicTest, PublishKeepsSettingsAndPageForTheNextLogin) {
    QString settings;
    for (int i = 0; i < 333; ++i) settings += (i == 301 ? QStringLiteral("#123456") : QString()) + QStringLiteral("{/F}");
    const QString page = QStringLiteral("&x_;html&d_;新网站&x_;/html&d_;");
    EXPECT_EQ(logic->UploadWebsite2(publish(page, settings)), QStringLiteral("OK_0001"));
    EXPECT_EQ(store->sitePage(demoRecord()), page);
    const QString text = UnescapeTableSeparators(Login(*logic, demo.name, demo.password).mid(13));
    const Table site = ParseTableText(QStringLiteral("SiteInfo"), text);
    EXPECT_EQ(site.cols(), 333);
    EXPECT_EQ(site.value(0, 301), QStringLiteral("#123456"));
    EXPECT_EQ(site.value(0, 22), QString());
}

TEST_F(ServiceLogicTest, PublishRefusals) {
    const QString settings = QStringLiteral("{/F}").repeated(333);
    const QString page = QStringLiteral("&x_;html&d_;&x_;/html&d_;");
    EXPECT_EQ(logic->UploadWebsite2(publish(page, settings, QStringLiteral("000000000000"))), QStringLiteral("Error_0002"));
    QStringList wrongKind = publish(page, settings);
    wrongKind[1] = QStringLiteral("K1");
    EXPECT_EQ(logic->UploadWebsite2(wrongKind), QStringLiteral("Error_0001"));
    QStringList otherDomain = publish(page, settings);
    otherDomain[5] = QStringLiteral("someoneelse");
    EXPECT_EQ(logic->UploadWebsite2(otherDomain), QStringLiteral("Error_0003"));
    EXPECT_EQ(logic->UploadWebsite2(publish(page, QStringLiteral("{/F}").repeated(334))), QStringLiteral("Error_0003"));
    EXPECT_TRUE(store->sitePage(demoRecord()).contains(QStringLiteral("欢迎光临")));  // the sample page stays
}

TEST_F(ServiceLogicTest, APublishThatCannotBeKeptLeavesTheOldSiteWhole) {
    const QString before = store->sitePage(demoRecord());
    const QStringList settingsBefore = demoRecord().settings;
    // The member's record cannot be written.
    const paths::SafeWriteFault blocker(dir.path() + QStringLiteral("/members/") + demo.name + QStringLiteral("/member.json"),
                                        paths::SafeWriteStep::Sync);
    const QString page = QStringLiteral("&x_;html&d_;新网站&x_;/html&d_;");
    EXPECT_EQ(logic->UploadWebsite2(publish(page, QStringLiteral("x{/F}").repeated(333))), QStringLiteral("Error_0006"));
    EXPECT_EQ(store->sitePage(demoRecord()), before) << "a refused publish must not change the served site";
    EXPECT_EQ(demoRecord().settings, settingsBefore);
}

TEST_F(ServiceLogicTest, ALoginWritesNothingAndItsTimeIsKeptAtTheStop) {
    const QString record = dir.path() + QStringLiteral("/members/") + demo.name + QStringLiteral("/member.json");
    const QByteArray before = testsupport::readFile(record);
    ASSERT_FALSE(before.isEmpty());
    EXPECT_TRUE(Login(*logic, demo.name, demo.password).startsWith(QStringLiteral("__Login__OK__")));
    EXPECT_EQ(testsupport::readFile(record), before);  // a written record would carry the login's time
    const QString last = demoRecord().lastLogin;
    EXPECT_FALSE(last.isEmpty());
    EXPECT_TRUE(store->saveAll());
    MemberStore again(dir.path());
    EXPECT_EQ(again.find(demo.name)->lastLogin, last);
}

TEST_F(ServiceLogicTest, APublishCutShortLeavesTheOldPageAndSettingsTogether) {
    ASSERT_EQ(logic->UploadWebsite2(publish(QStringLiteral("<p>one</p>"), QStringLiteral("one{/F}"))), QStringLiteral("OK_0001"));
    const QString memberDir = store->memberDir(demoRecord());
    // What a kill between the page and the record leaves: the new page on disk, the record not
    // yet naming it, and a write's temporary file.
    testsupport::writeFile(memberDir + QStringLiteral("/site-99-0.html"), "<p>two</p>");
    testsupport::writeFile(memberDir + QStringLiteral("/member.json.Ab12Cd"), "{");
    {
        // The record's write fails: the publish is refused and nothing of it is served.
        const paths::SafeWriteFault fault(memberDir + QStringLiteral("/member.json"), paths::SafeWriteStep::Rename);
        EXPECT_EQ(logic->UploadWebsite2(publish(QStringLiteral("<p>three</p>"), QStringLiteral("three{/F}"))),
                  QStringLiteral("Error_0006"));
    }
    EXPECT_EQ(store->sitePage(demoRecord()), QStringLiteral("<p>one</p>"));
    logic.reset();
    store.reset();

    MemberStore again(dir.path());
    const Member* m = again.find(demo.name);
    ASSERT_TRUE(m);
    EXPECT_EQ(again.sitePage(*m), QStringLiteral("<p>one</p>"));
    EXPECT_EQ(m->settings.value(0), QStringLiteral("one"));
    // Only the page the record names is left.
    EXPECT_EQ(QDir(memberDir).entryList({QStringLiteral("site*"), QStringLiteral("member.json*")}, QDir::Files),
              (QStringList{QStringLiteral("member.json"), m->sitePageFile}));
}

TEST_F(ServiceLogicTest, AnUploadCutShortLeavesTheFileItReplacedAndNothingElse) {
    const QString album = QStringLiteral("www网站素材");
    ASSERT_TRUE(logic->UploadFile01(upload(album, QStringLiteral("1"), QStringLiteral("grb7"), QStringLiteral(".gif")),
                                    QByteArray("old-picture") + '\0')
                    .startsWith(QStringLiteral("OK_0001_")));
    const QString memberDir = store->memberDir(demoRecord());
    const QString albumDir = store->albumDir(demoRecord(), album);
    // What kills at each step of later uploads leave: the new version's bytes, thumbnail and
    // temporary file without the line that records them; a new album's folder; a log line cut short.
    testsupport::writeFile(albumDir + QStringLiteral("/1~grb7.gif"), "new-picture");
    testsupport::writeFile(albumDir + QStringLiteral("/.thumbs/1~grb7.gif.jpg"), "thumb");
    testsupport::writeFile(albumDir + QStringLiteral("/grb8.gif.Xy12Zw"), "half");
    testsupport::writeFile(memberDir + QStringLiteral("/space/新相册/a.jpg"), "a");
    testsupport::writeFile(albumDir + QStringLiteral("/grb9.gif"), "cut");
    QFile log(memberDir + QStringLiteral("/albums.log"));
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write(R"({"album":"www网站素材","file":{"name":"grb9.gif","disk":"grb9.gif","size":3)");
    log.close();
    logic.reset();
    store.reset();

    MemberStore again(dir.path());
    ASSERT_TRUE(again.damaged().isEmpty()) << again.damaged().join(",").toStdString();
    const Member* m = again.find(demo.name);
    ASSERT_TRUE(m && m->album(album));
    EXPECT_EQ(m->album(album)->file(QStringLiteral("grb9.gif")), nullptr);
    EXPECT_EQ(testsupport::readFile(again.filePath(*m, album, QStringLiteral("grb7.gif"))), QByteArray("old-picture"));
    EXPECT_EQ(QDir(albumDir).entryList(QDir::Files), (QStringList{QStringLiteral("grb7.gif"), QStringLiteral("grp2.png")}));
    EXPECT_EQ(QDir(albumDir + QStringLiteral("/.thumbs")).entryList(QDir::Files), QStringList{QStringLiteral("grp2.png.jpg")});
    EXPECT_FALSE(QFileInfo::exists(memberDir + QStringLiteral("/space/新相册")));
    // The log was written afresh: the next upload's line is not joined to the cut one.
    ServiceLogic restarted(again, QStringLiteral("sitehost.test"));
    Member& mm = *again.find(demo.name);
    ASSERT_TRUE(restarted.UploadFile01({mm.name, mm.digest, mm.prefix, album, QStringLiteral("1"), QStringLiteral("grb7"),
                                        QStringLiteral(".gif"), QString()}, QByteArray("newest") + '\0')
                    .startsWith(QStringLiteral("OK_0001_")));
    MemberStore third(dir.path());
    ASSERT_TRUE(third.damaged().isEmpty());
    EXPECT_EQ(testsupport::readFile(third.filePath(*third.find(demo.name), album, QStringLiteral("grb7.gif"))), QByteArray("newest"));
    EXPECT_EQ(QDir(albumDir).entryList(QDir::Files), (QStringList{QStringLiteral("1~grb7.gif"), QStringLiteral("grp2.png")}));
}

TEST(MemberStoreStart, AlbumsOfARecordFromBeforeTheLogAreKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    testsupport::writeFile(dir.path() + QStringLiteral("/members/alice/member.json"), R"({"id": 1, "name": "alice",
        "digest": "0123456789abcdef0123456789abcdef", "albumStamp": "2026-01-02 03:04:05",
        "albums": [{"name": "旅行", "created": "2026-01-01 00:00:00", "stamp": "2026-01-02 03:04:05",
                    "files": [{"name": "a.jpg", "description": "海边", "size": 3, "uploaded": "2026-01-02 03:04:05"}]}]})");
    testsupport::writeFile(dir.path() + QStringLiteral("/members/alice/space/旅行/a.jpg"), "abc");
    for (int start = 0; start < 2; ++start) {
        MemberStore store(dir.path());
        ASSERT_TRUE(store.damaged().isEmpty());
        Member* m = store.find(QStringLiteral("alice"));
        ASSERT_TRUE(m && m->album(QStringLiteral("旅行")) && m->album(QStringLiteral("旅行"))->file(QStringLiteral("a.jpg")));
        EXPECT_EQ(m->albumStamp, QStringLiteral("2026-01-02 03:04:05"));
        EXPECT_EQ(m->album(QStringLiteral("旅行"))->file(QStringLiteral("a.jpg"))->description, QStringLiteral("海边"));
        EXPECT_EQ(testsupport::readFile(store.filePath(*m, QStringLiteral("旅行"), QStringLiteral("a.jpg"))), QByteArray("abc"));
        store.save(*m);  // the record is written without its albums now; the log holds them
    }
    EXPECT_FALSE(testsupport::readFile(dir.path() + QStringLiteral("/members/alice/member.json")).contains("albums"));
}

TEST(MemberStoreStart, ADamagedAlbumLogIsNamedAndItsMemberKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        MemberStore store(dir.path());
        store.setAlbumStamp(store.add(QStringLiteral("alice"), Md5Hex(QStringLiteral("pw"))), QStringLiteral("2026-01-02 03:04:05"));
    }
    const QString log = dir.path() + QStringLiteral("/members/alice/albums.log");
    // A whole line that does not read, and one that names a file outside its folder.
    const QByteArray lines[] = {"{\"albumStamp\"\n{\"albumStamp\":\"x\"}\n", "{\"album\":\"a\",\"file\":{\"name\":\"../../x\"}}\n"};
    for (const QByteArray& line : lines) {
        testsupport::writeFile(log, line);
        MemberStore store(dir.path());
        EXPECT_EQ(store.damaged(), QStringList{log});
        EXPECT_TRUE(store.nameInUse(QStringLiteral("alice")));
        EXPECT_EQ(testsupport::readFile(log), line);  // left for the owner to look at
    }
}

TEST_F(ServiceLogicTest, StateSurvivesARestart) {
    logic->Register(Registration(QStringLiteral("keeper1"), QStringLiteral("pw123456")));
    const QString reply = logic->UploadFile01(upload(QStringLiteral("www网站素材"), QStringLiteral("1"), QStringLiteral("grp9"),
                                                     QStringLiteral(".png")), QByteArray("png") + '\0');
    logic.reset();
    store.reset();

    MemberStore again(dir.path());
    ServiceLogic restarted(again, QStringLiteral("sitehost.test"));
    restarted.ensureDemoMember();
    EXPECT_TRUE(Login(restarted, QStringLiteral("keeper1"), QStringLiteral("pw123456")).startsWith(QStringLiteral("__Login__OK__")));
    const Member* m = again.find(demo.name);
    ASSERT_TRUE(m && m->album(QStringLiteral("www网站素材")));
    EXPECT_TRUE(m->album(QStringLiteral("www网站素材"))->file(QStringLiteral("grp9.png")));
    EXPECT_EQ(m->albumStamp, reply.mid(8));
    // Stamps go on growing after the restart.
    EXPECT_GT(again.newStamp(), reply.mid(8));
    // The next member gets the next prefix, not one given before.
    EXPECT_TRUE(restarted.Register(Registration(QStringLiteral("later01"), QStringLiteral("pw123456"))).contains(QStringLiteral("www3")));
}

TEST(MemberStoreStart, UnreadableRecordsAreListedAndTheirNamesStayTaken) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        emu::MemberStore store(dir.path());
        store.add(QStringLiteral("alice"), Md5Hex(QStringLiteral("pw")));
        EXPECT_TRUE(store.damaged().isEmpty());
    }
    const QString record = dir.path() + QStringLiteral("/members/alice/member.json");
    const QString garbled[] = {QStringLiteral("{\"name\": \"ali"), QString(), QStringLiteral("[1,2]")};
    for (const QString& g : garbled) {
        testsupport::writeFile(record, g.toUtf8());
        emu::MemberStore store(dir.path());
        EXPECT_EQ(store.damaged(), QStringList{record}) << g.toStdString();
        EXPECT_TRUE(store.nameInUse(QStringLiteral("alice")));
        EXPECT_THROW(store.add(QStringLiteral("alice"), Md5Hex(QStringLiteral("x"))), VbError);
    }
    // A "members" path that is not a folder is named, not a crash.
    QTemporaryDir other;
    testsupport::writeFile(other.path() + QStringLiteral("/members"), "x");
    emu::MemberStore store(other.path());
    EXPECT_EQ(store.damaged(), QStringList{other.path() + QStringLiteral("/members")});
}

// What a restarted store must find after a kill: the page and the settings of one publish, every
// recorded file with the bytes of its own upload (and its thumbnail) and a description of its own,
// no file that no record names, and every post whole.
QStringList KillDamage(const MemberStore& store, const Member& m) {
    QStringList damage;
    const QString expected = QStringLiteral("<p>") + m.settings.value(0) + QStringLiteral("</p>");
    if (store.sitePage(m) != expected)
        damage << QStringLiteral("page %1 with settings %2").arg(store.sitePage(m), m.settings.value(0));
    const QStringList pages = QDir(store.memberDir(m)).entryList({QStringLiteral("site*"), QStringLiteral("*.json.*"),
                                                                   QStringLiteral("*.log.*")}, QDir::Files);
    if (pages != QStringList{m.sitePageFile}) damage << QStringLiteral("files ") + pages.join(QLatin1Char(','));
    for (const Album& a : m.albums) {
        const QDir dir(store.albumDir(m, a.name));
        QStringList named, thumbs;
        for (const StoredFile& f : a.files) {
            named << f.disk;
            thumbs << f.disk + QStringLiteral(".jpg");
            const QByteArray bytes = testsupport::readFile(dir.filePath(f.disk));
            // Each upload's bytes end with the text it sent as the description ("<round>-<change>");
            // an edit of the description puts "edited " before that text. The demo's own pictures
            // carry names of their own.
            static const QRegularExpression uploadTag(QStringLiteral("^\\d+-\\d+$"));
            const QString tag = f.description.startsWith(QLatin1String("edited ")) ? f.description.mid(7) : f.description;
            const bool tagged = uploadTag.match(tag).hasMatch();
            if (bytes.size() != f.size || (tagged && !bytes.endsWith(tag.toUtf8())))
                damage << QStringLiteral("%1 holds %2 bytes for %3").arg(f.name).arg(bytes.size()).arg(f.description);
        }
        named.sort();
        thumbs.sort();
        if (dir.entryList(QDir::Files | QDir::Hidden) != named)
            damage << QStringLiteral("album %1 holds %2").arg(a.name, dir.entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(',')));
        if (QDir(dir.filePath(QStringLiteral(".thumbs"))).entryList(QDir::Files | QDir::Hidden) != thumbs)
            damage << QStringLiteral("thumbnails of %1 do not match its files").arg(a.name);
    }
    // A post's body names its title, a micro-blog post's picture its text, each time once.
    QSet<QString> times;
    for (const BlogPost& b : m.blogs) {
        if (times.contains(b.time)) damage << QStringLiteral("two posts of ") + b.time;
        times.insert(b.time);
        if (b.title.startsWith(QLatin1String("kill ")) && b.body != QStringLiteral("<p>%1</p>").arg(b.title))
            damage << QStringLiteral("post %1 with body %2").arg(b.title, b.body);
    }
    for (const MicroBlogPost& t : m.microBlogs)
        if (t.text.startsWith(QLatin1String("kill ")) && t.picture != QStringLiteral("pic-") + t.text)
            damage << QStringLiteral("micro-blog post %1 with picture %2").arg(t.text, t.picture);
    return damage;
}

// Kills a process that publishes, uploads, deletes files, edits descriptions and adds, edits and
// deletes posts without pause, 200 times, each time after a random
// number of finished changes and at a random moment of the next; after each kill a new store must
// show one whole state (KillDamage).
TEST(StoreKills, EveryKillDuringChangesOfEveryKindLeavesOneWholeState) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        MemberStore store(dir.path());
        ServiceLogic logic(store, QStringLiteral("sitehost.test"));
        logic.ensureDemoMember();  // also loads the picture plug-ins before any fork
    }
    QByteArray picture;
    {
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        QImage small(8, 8, QImage::Format_RGB32);
        small.fill(Qt::red);
        ASSERT_TRUE(small.save(&buffer, "PNG"));
    }
    const DemoMember demo = ServiceLogic::Demo();
    const QString album = QStringLiteral("www网站素材");
    quint32 seed = 20261210;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    int damaged = 0, kills = 0;
    for (int round = 0; round < 200; ++round) {
        int progress[2];
        ASSERT_EQ(pipe(progress), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(progress[0]);
            MemberStore store(dir.path());
            ServiceLogic logic(store, QStringLiteral("sitehost.test"));
            Member& m = *store.find(demo.name);
            for (int i = 0;; ++i) {
                const QString n = QStringLiteral("%1-%2").arg(round).arg(i);
                const QStringList who{m.name, m.digest, m.prefix};
                const QString kept = QStringLiteral("k%1.png").arg(i % 3);
                switch ((round + i) % 10) {
                case 0:
                case 5: {
                    const QString page = QStringLiteral("<p>") + n + QStringLiteral("</p>");
                    logic.UploadWebsite2({m.name, QStringLiteral("K2"), m.digest, PublishCheckCode(page), m.prefix, m.domain,
                                          QString(), QStringLiteral("1"), n + QStringLiteral("{/F}"), page, QString(),
                                          QStringLiteral("2.0")});
                    break;
                }
                case 1:
                case 6: {
                    // Three names replaced in turn, and now and then a file of a new name.
                    const QString remote = i % 7 == 1 ? QStringLiteral("n") + n : QStringLiteral("k%1").arg(i % 3);
                    logic.UploadFile01(who + QStringList{album, QStringLiteral("1"), remote, QStringLiteral(".png"), n},
                                       picture + n.toUtf8() + '\0');
                    break;
                }
                case 2: logic.DelFile(who + QStringList{album, kept + QLatin1Char(':')}); break;
                case 3:
                    if (const StoredFile* f = m.album(album) ? m.album(album)->file(kept) : nullptr)
                        if (!f->description.startsWith(QLatin1String("edited ")))
                            logic.EditPicMemo(who + QStringList{album, kept, QStringLiteral("edited ") + f->description});
                    break;
                case 4: {
                    const QString title = QStringLiteral("kill ") + n;
                    logic.UploadBlog(who + QStringList{title, QStringLiteral("c"), QStringLiteral("<p>%1</p>").arg(title)});
                    break;
                }
                case 7:
                    if (!m.blogs.isEmpty()) {
                        const QString title = QStringLiteral("kill edited ") + n;
                        logic.EditBlog(who + QStringList{m.blogs.last().time, m.blogs.last().title, title, QStringLiteral("c"),
                                                         QStringLiteral("<p>%1</p>").arg(title)});
                    }
                    break;
                case 8:
                    if (m.blogs.size() > 3) logic.DelBlog(who + QStringList{m.blogs.first().time, m.blogs.first().title});
                    break;
                default:
                    if (m.microBlogs.size() > 3 && i % 2)
                        logic.DelTBlog(who + QStringList{m.microBlogs.first().key});
                    else
                        logic.UploadTBlog(who + QStringList{QStringLiteral("kill ") + n, QStringLiteral("pic-kill ") + n, QStringLiteral("1")});
                    break;
                }
                const char c = 1;
                if (::write(progress[1], &c, 1) != 1) ::_exit(1);
            }
        }
        ::close(progress[1]);
        // Waits for 1 to 4 finished changes, then places the kill within the next one.
        const int changes = 1 + int(next() % 4);
        int seen = 0;
        char c = 0;
        while (seen < changes && ::read(progress[0], &c, 1) == 1) ++seen;
        if (seen == changes) ::usleep(useconds_t(next() % 3000));
        ::kill(child, SIGKILL);
        ::close(progress[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_EQ(seen, changes) << "round " << round << ": the child stopped on its own";
        ++kills;

        MemberStore store(dir.path());
        ASSERT_TRUE(store.damaged().isEmpty()) << store.damaged().join(",").toStdString();
        const Member* m = store.find(demo.name);
        ASSERT_TRUE(m);
        const QStringList damage = KillDamage(store, *m);
        if (!damage.isEmpty()) {
            ++damaged;
            ADD_FAILURE() << "round " << round << ": " << damage.join(QStringLiteral("; ")).toStdString();
        }
    }
    EXPECT_EQ(kills, 200);
    EXPECT_EQ(damaged, 0);
}
