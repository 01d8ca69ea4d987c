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
#include <QTemporaryDir>

#include <optional>
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
    // The member's record cannot be written.
    std::optional<paths::SafeWriteFault> blocker;
    blocker.emplace(dir.path() + QStringLiteral("/members/") + demo.name + QStringLiteral("/member.json"),
                    paths::SafeWriteStep::Rename);
    // A replacement of the stored file and a new file, both refused.
    EXPECT_EQ(logic->UploadFile01(upload(album, QStringLiteral("1"), QStringLiteral("grb7"), QStringLiteral(".gif")),
                                  QByteArray("new-picture!") + '\0'),
              QStringLiteral("Error_0003"));
    EXPECT_EQ(logic->UploadFile01(upload(album, QStringLiteral("1"), QStringLiteral("grb8"), QStringLiteral(".gif")),
                                  QByteArray("another") + '\0'),
              QStringLiteral("Error_0003"));
    blocker.reset();
    const Member& m = demoRecord();
    EXPECT_EQ(m.usedBytes(), usedBefore);
    EXPECT_EQ(int(m.album(album)->files.size()), filesBefore);
    EXPECT_EQ(m.album(album)->file(QStringLiteral("grb8.gif")), nullptr);
    QFile stored(store->filePath(m, album, QStringLiteral("grb7.gif")));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), QByteArray("old-picture"));
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

// Kills a process that publishes without pause at random moments, 200 times; after each kill a new
// store must serve a page and settings of the same publish and keep no file that no record names.
TEST(StoreKills, EveryKillDuringPublishesLeavesPageAndSettingsOfOnePublish) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        MemberStore store(dir.path());
        ServiceLogic logic(store, QStringLiteral("sitehost.test"));
        logic.ensureDemoMember();
    }
    const DemoMember demo = ServiceLogic::Demo();
    quint32 seed = 20261210;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    int mismatches = 0, kills = 0;
    for (int round = 0; round < 200; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            MemberStore store(dir.path());
            ServiceLogic logic(store, QStringLiteral("sitehost.test"));
            Member& m = *store.find(demo.name);
            for (int i = 0;; ++i) {
                const QString n = QStringLiteral("%1-%2").arg(round).arg(i);
                const QString page = QStringLiteral("<p>") + n + QStringLiteral("</p>");
                logic.UploadWebsite2({m.name, QStringLiteral("K2"), m.digest, PublishCheckCode(page), m.prefix, m.domain,
                                      QString(), QStringLiteral("1"), n + QStringLiteral("{/F}"), page, QString(),
                                      QStringLiteral("2.0")});
                if (i == 0) {
                    const char c = 1;
                    [[maybe_unused]] const ssize_t w = ::write(ready[1], &c, 1);
                }
            }
        }
        ::close(ready[1]);
        char c = 0;
        const bool started = ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
        // The kill lands anywhere in the next few publishes.
        if (started) ::usleep(useconds_t(next() % 4000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(started) << "round " << round;
        ++kills;

        MemberStore store(dir.path());
        ASSERT_TRUE(store.damaged().isEmpty()) << store.damaged().join(",").toStdString();
        const Member* m = store.find(demo.name);
        ASSERT_TRUE(m);
        const QString expected = QStringLiteral("<p>") + m->settings.value(0) + QStringLiteral("</p>");
        const QStringList left = QDir(store.memberDir(*m)).entryList({QStringLiteral("site*"), QStringLiteral("member.json.*")}, QDir::Files);
        if (store.sitePage(*m) != expected || left != QStringList{m->sitePageFile}) {
            ++mismatches;
            ADD_FAILURE() << "round " << round << ": page " << store.sitePage(*m).toStdString() << ", settings "
                          << m->settings.value(0).toStdString() << ", files " << left.join(",").toStdString();
        }
    }
    EXPECT_EQ(kills, 200);
    EXPECT_EQ(mismatches, 0);
}
