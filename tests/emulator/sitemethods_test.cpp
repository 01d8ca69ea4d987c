// The service's domain test, protection record, album list, albums with the home-page frame and
// the home-album publish, against a member store in a fresh folder.
#include "emulator/servicelogic.h"
#include "foundation/md5.h"
#include "foundation/tabletext.h"
#include "login/registercheck.h"
#include "platform/safefile.h"
#include "site/publishcheck.h"
#include "support/emulatorfixture.h"
#include "support/servicelogicfixture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace emu;

class SiteMethodsTest : public testsupport::ServiceLogicTest {
protected:
    static Table table(const QString& reply, const QString& tag, const QString& name) {
        EXPECT_TRUE(reply.startsWith(tag)) << reply.toStdString();
        return ExtractTable(UnescapeTableSeparators(reply.mid(tag.size())), name);
    }
};

TEST_F(SiteMethodsTest, TestDomainAnswersKeywordsRefusalsTakenAndFreeLabels) {
    const struct {
        const char* label;
        const char* reply;
    } cases[] = {
        {"freesite", "OK_0001"},
        {"myadmin1", "Error_0001"},      // a word the service keeps
        {"orbelfans", "Error_0001"},
        {"ab1", "Error_0002"},           // too short
        {"bad-label", "Error_0002"},     // not letters and digits only
        {"www2site", "Error_0002"},
        {"abcdefghijklmnopqrstuvwxyz12345", "Error_0002"},  // 31 characters
        {"demosite", "Error_0003"},      // the demo member's
        {" DemoSite ", "Error_0003"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(logic->TestDomain({QString::fromUtf8(c.label)}), QString::fromUtf8(c.reply)) << c.label;
}

TEST_F(SiteMethodsTest, ProtectionRecordIsAlwaysOneRowOfTheMembersState) {
    EXPECT_EQ(logic->WebsiteEncryptionInfo({demo().name, QStringLiteral("0123"), demo().prefix}), QStringLiteral("Error_0001"));

    Table record = table(logic->WebsiteEncryptionInfo(credentials()), QStringLiteral("{OK_0001}"), QStringLiteral("EncryptionInfo"));
    ASSERT_EQ(record.rows(), 1);
    EXPECT_EQ(record.cols(), 7);
    EXPECT_EQ(record.value(0, 0), QStringLiteral("0"));
    EXPECT_EQ(record.value(0, 1), demo().domain);

    demo().protectionKey = QStringLiteral("1a2b3c4d");
    demo().protectionQuestion = QStringLiteral("请您说出我的手机号码。");
    demo().protectionAnswer = QStringLiteral("138<0>");
    record = table(logic->WebsiteEncryptionInfo(credentials()), QStringLiteral("{OK_0001}"), QStringLiteral("EncryptionInfo"));
    EXPECT_EQ(record.value(0, 0), QStringLiteral("1"));
    EXPECT_EQ(record.value(0, 2), QStringLiteral("1a2b3c4d"));
    EXPECT_EQ(record.value(0, 3), QStringLiteral("请您说出我的手机号码。"));
    EXPECT_EQ(record.value(0, 4), QStringLiteral("138<0>"));
}

TEST_F(SiteMethodsTest, AlbumListCarriesEveryAlbumWithItsStampAndTheFifteenHomeSlots) {
    EXPECT_EQ(logic->GetDirInfo({demo().name, demo().digest, QStringLiteral("www99")}), QStringLiteral("Error_0001"));
    testsupport::WithoutDemoSamples(demo());

    store->storeFile(demo(), QStringLiteral("旅行"), QStringLiteral("a.jpg"), QByteArray(3000, 'x'), QString(),
                     store->newStamp());
    demo().homeAlbums = QStringList{QStringLiteral("旅行")};
    const QString reply = logic->GetDirInfo(credentials());
    EXPECT_FALSE(reply.contains(QStringLiteral("</F>")));
    const Table albums = table(reply, QStringLiteral("OK_0001_"), QStringLiteral("DirInfo"));
    ASSERT_EQ(albums.rows(), 2);  // the demo site's material album and the new one
    EXPECT_EQ(albums.value(1, 0), QStringLiteral("旅行"));
    EXPECT_EQ(albums.value(1, 1), QStringLiteral("1"));
    EXPECT_EQ(albums.value(1, 3), QStringLiteral("3"));
    EXPECT_EQ(albums.value(1, 6), demo().album(QStringLiteral("旅行"))->stamp);
    const Table home = table(reply, QStringLiteral("OK_0001_"), QStringLiteral("HomeAlbum"));
    ASSERT_EQ(home.rows(), 1);
    EXPECT_EQ(home.cols(), 15);
    EXPECT_EQ(home.value(0, 0), QStringLiteral("旅行"));

    demo().albums.clear();
    EXPECT_TRUE(table(logic->GetDirInfo(credentials()), QStringLiteral("OK_0001_"), QStringLiteral("DirInfo")).isNull());
}

TEST_F(SiteMethodsTest, HomeAlbumOfAPublishIsKeptUntilAnotherNamesOne) {
    auto publish = [this](const QString& album) {
        const QString page = QStringLiteral("&x_;html&d_;");
        return logic->UploadWebsite2({demo().name, QStringLiteral("K2"), demo().digest, PublishCheckCode(page),
                                      demo().prefix, demo().domain, QString(), QStringLiteral("1"),
                                      QStringLiteral("{/F}"), page, album, QStringLiteral("2.0")});
    };
    EXPECT_EQ(publish(QStringLiteral("旅行")), QStringLiteral("OK_0001"));
    EXPECT_EQ(demo().homeAlbum, QStringLiteral("旅行"));
    EXPECT_EQ(publish(QString()), QStringLiteral("OK_0001"));
    EXPECT_EQ(demo().homeAlbum, QStringLiteral("旅行"));
    open();  // the record survives a restart
    EXPECT_EQ(demo().homeAlbum, QStringLiteral("旅行"));
}

TEST_F(SiteMethodsTest, ProtectionSwitchesOnWithTheSiteAndOffByTheKeyAlone) {
    const QString page = QStringLiteral("&x_;html&d_;protected&x_;/html&d_;");
    struct Args {
        QString digest, checkCode, key, question, answer;
    };
    auto switchOn = [&](const Args& x) {
        return logic->WebsiteEncryption({demo().name, QStringLiteral("K2"), x.digest, x.checkCode, demo().prefix,
                                         demo().domain, x.key, QStringLiteral("1"),
                                         QStringLiteral("#FFFFFF{/F}{/F}"), page, x.question, x.answer});
    };
    const Args good{demo().digest, PublishCheckCode(page), QStringLiteral("0a1b2c3d"), QStringLiteral("问题？"),
                    QStringLiteral("答案")};
    const struct {
        const char* what;
        Args args;
        const char* reply;
    } refusals[] = {
        {"wrong credential", {QStringLiteral("0123"), good.checkCode, good.key, good.question, good.answer}, "Error_0001"},
        {"wrong check code", {good.digest, QStringLiteral("000000000000"), good.key, good.question, good.answer}, "Error_0002"},
        {"upper-case key", {good.digest, good.checkCode, QStringLiteral("0A1B2C3D"), good.question, good.answer}, "Error_0004"},
        {"short key", {good.digest, good.checkCode, QStringLiteral("0a1b2c"), good.question, good.answer}, "Error_0004"},
        {"blank question", {good.digest, good.checkCode, good.key, QStringLiteral("  "), good.answer}, "Error_0004"},
        {"blank answer", {good.digest, good.checkCode, good.key, good.question, QString()}, "Error_0004"},
    };
    for (const auto& r : refusals) EXPECT_EQ(switchOn(r.args), QString::fromLatin1(r.reply)) << r.what;
    EXPECT_TRUE(demo().protectionKey.isEmpty());

    EXPECT_EQ(switchOn(good), QStringLiteral("OK_0001"));
    EXPECT_EQ(store->sitePage(demo()), page);
    EXPECT_EQ(demo().settings, (QStringList{QStringLiteral("#FFFFFF"), QString()}));
    open();  // kept across a restart, and answered by the record
    Table record = table(logic->WebsiteEncryptionInfo(credentials()), QStringLiteral("{OK_0001}"), QStringLiteral("EncryptionInfo"));
    EXPECT_EQ(record.row(0).mid(0, 5), (QStringList{QStringLiteral("1"), demo().domain, good.key, good.question, good.answer}));

    EXPECT_EQ(logic->WebsiteNotEncryption({demo().name, QStringLiteral("0123"), demo().prefix}), QStringLiteral("Error_0001"));
    EXPECT_EQ(logic->WebsiteNotEncryption(credentials()), QStringLiteral("OK_0001"));
    open();
    record = table(logic->WebsiteEncryptionInfo(credentials()), QStringLiteral("{OK_0001}"), QStringLiteral("EncryptionInfo"));
    EXPECT_EQ(record.row(0).mid(0, 5), (QStringList{QStringLiteral("0"), demo().domain, QString(), good.question, good.answer}));
}

TEST_F(SiteMethodsTest, RegistrationsWithUnlistedEntriesAreRefused) {
    // A registration as the form sends it: listed names with their own codes, a correct check code.
    auto registration = [](const QList<std::pair<int, QString>>& changes) {
        QStringList a{QStringLiteral("listed01"), Md5Hex(QStringLiteral("pw123456")), QStringLiteral("您的家乡是？"),
                      QStringLiteral("杭州"), QStringLiteral("1990-01-01"), QStringLiteral("a@b.cn"),
                      QStringLiteral("浙江省"), QStringLiteral("330000"), QStringLiteral("杭州市"), QStringLiteral("330100"),
                      QStringLiteral("男"), QStringLiteral("1"), QStringLiteral("学生"), QStringLiteral("01"),
                      QStringLiteral("10.0.0.2"), QStringLiteral("7")};
        for (const auto& [index, value] : changes) a[index] = value;
        a << RegisterCheckCode(a, a[0]) << QStringLiteral("1");
        return a;
    };
    const QList<QList<std::pair<int, QString>>> unlisted = {
        {{7, QStringLiteral("440000")}},       // another province's code
        {{8, QStringLiteral("广州市")}},        // a city of another province
        {{10, QStringLiteral("其他")}},         // a sex the form does not offer
        {{11, QStringLiteral("0")}},            // the other sex's code
        {{12, QStringLiteral("宇航员")}},       // no such occupation
        {{6, QStringLiteral("火星")}},
    };
    for (const auto& changes : unlisted) {
        EXPECT_EQ(logic->Register(registration(changes)), QStringLiteral("__Reg__Error0000__")) << changes[0].first;
        EXPECT_FALSE(store->find(QStringLiteral("listed01")));
    }
    EXPECT_TRUE(logic->Register(registration({})).startsWith(QStringLiteral("__Reg__OK__")));
}

TEST_F(SiteMethodsTest, DomainRegistrationRefusesInOrderAndKeepsTheLabelForGood) {
    const QString demoLabel = demo().domain;
    const QString version = QStringLiteral("2.0");
    auto reg = [&](const QString& label, const QString& digest = QString()) {
        return logic->RegDomainNameV2(
            {demo().name, digest.isNull() ? demo().digest : digest, demo().prefix, label, version});
    };
    EXPECT_EQ(reg(QStringLiteral("freesite"), QStringLiteral("0123")), QStringLiteral("Error_0020"));
    // A member with a label keeps it, whatever is asked.
    EXPECT_EQ(reg(QStringLiteral("freesite")), QStringLiteral("Error_0011"));

    // Another member holds the demo's old label.
    Member& other = store->add(QStringLiteral("other"), demo().digest);
    other.domain = demoLabel;
    demo().domain.clear();
    const struct {
        const char* label;
        qint64 quotaKb;
        bool hasSpace;
        const char* reply;
    } cases[] = {
        {"myadmin1", 200 * 1024, true, "Error_0006"},
        {"ab1", 200 * 1024, true, "Error_0007"},
        {"www2site", 200 * 1024, true, "Error_0007"},
        {"abcdefghijklmnopqrstuvwxyz12345", 200 * 1024, true, "Error_0007"},
        {"demosite", 200 * 1024, true, "Error_0008"},
        {"freesite", 200 * 1024, false, "Error_0009"},
        {"freesite", 100 * 1024 - 1, true, "Error_0010"},
    };
    ASSERT_EQ(demoLabel, QStringLiteral("demosite"));
    for (const auto& c : cases) {
        demo().quotaKb = c.quotaKb;
        demo().hasSpace = c.hasSpace;
        EXPECT_EQ(reg(QString::fromLatin1(c.label)), QString::fromLatin1(c.reply)) << c.label;
        EXPECT_TRUE(demo().domain.isEmpty()) << c.label;
    }

    // A record that cannot be written keeps no label.
    demo().quotaKb = 100 * 1024;
    demo().hasSpace = true;
    {
        paths::SafeWriteFault blocker(dir.path() + QStringLiteral("/members/") + demo().name + QStringLiteral("/member.json"),
                                      paths::SafeWriteStep::Rename);
        EXPECT_EQ(reg(QStringLiteral("freesite")), QStringLiteral("Error_0020"));
    }
    EXPECT_TRUE(demo().domain.isEmpty());

    EXPECT_EQ(reg(QStringLiteral(" FreeSite ")), QStringLiteral("OK_0001"));
    EXPECT_EQ(demo().domain, QStringLiteral("freesite"));
    EXPECT_EQ(logic->TestDomain({QStringLiteral("freesite")}), QStringLiteral("Error_0003"));
    EXPECT_EQ(reg(QStringLiteral("secondsite")), QStringLiteral("Error_0011"));
    // The label survives a restart of the service.
    open();
    EXPECT_EQ(demo().domain, QStringLiteral("freesite"));
}

TEST_F(SiteMethodsTest, AlbumsAreCreatedDeletedAndFramedByTheMember) {
    const auto withName = [this](const QString& name) { return credentials() << name; };
    const QString wrongDigest = QStringLiteral("00000000000000000000000000000000");
    EXPECT_EQ(logic->BuildAlbumDir({demo().name, wrongDigest, demo().prefix, QStringLiteral("旅行")}), QStringLiteral("Error_0001"));
    EXPECT_EQ(logic->DelDir({demo().name, wrongDigest, demo().prefix, QStringLiteral("旅行")}), QStringLiteral("Error_0001"));
    QStringList wrongFrame{demo().name, wrongDigest, demo().prefix};
    EXPECT_EQ(logic->SetHomeAlbum(wrongFrame << QStringList(15, QString())), QStringLiteral("Error_0001"));
    // Control characters would not read back whole; a name over 20 code-page bytes may not even
    // fit a file name.
    for (const char* name : {"", "a/b", "..", "根目录", "www相册", "WWW", "NuLL", "旅\r行", "旅\n行", "旅\t行", "十一个汉字的相册名称啊"})
        EXPECT_EQ(logic->BuildAlbumDir(withName(QString::fromUtf8(name))), QStringLiteral("Error_0002")) << name;
    EXPECT_EQ(logic->BuildAlbumDir(withName(QStringLiteral("十个汉字的相册名称啊"))).left(8), QStringLiteral("OK_0001_"));
    for (const char* remote : {"a\rb", "a\nb", "a\tb"})
        EXPECT_EQ(logic->UploadFile01(credentials() << QStringLiteral("www网站素材") << QStringLiteral("1") << QString::fromUtf8(remote)
                                                    << QStringLiteral(".png") << QString(),
                                      QByteArray("png")),
                  QStringLiteral("Error_0002"))
            << remote;

    // A new album's stamp is its creation time, its files' stamp and the list's stamp.
    const QString reply = logic->BuildAlbumDir(withName(QStringLiteral("旅行")));
    ASSERT_TRUE(reply.startsWith(QStringLiteral("OK_0001_"))) << reply.toStdString();
    const QString stamp = reply.mid(8);
    const Album* album = demo().album(QStringLiteral("旅行"));
    ASSERT_NE(album, nullptr);
    EXPECT_EQ(album->created, stamp);
    EXPECT_EQ(album->stamp, stamp);
    EXPECT_EQ(demo().albumStamp, stamp);
    EXPECT_EQ(logic->BuildAlbumDir(withName(QStringLiteral("旅行"))), QStringLiteral("Error_0004"));
    logic->BuildAlbumDir(withName(QStringLiteral("家人")));

    // The frame keeps the slots as sent, gaps included; a slot naming no album is refused.
    QStringList frame(15, QString());
    frame[0] = QStringLiteral("家人");
    frame[2] = QStringLiteral("旅行");
    EXPECT_EQ(logic->SetHomeAlbum(credentials() << frame), QStringLiteral("OK_0001"));
    EXPECT_EQ(demo().homeAlbums, frame);
    QStringList unknown = frame;
    unknown[1] = QStringLiteral("别人的");
    EXPECT_EQ(logic->SetHomeAlbum(credentials() << unknown), QStringLiteral("Error_0002"));
    EXPECT_EQ(demo().homeAlbums, frame);

    // Deleting an album takes its files and its slot, and changes the list's stamp.
    store->storeFile(demo(), QStringLiteral("旅行"), QStringLiteral("a.jpg"), QByteArray(3000, 'x'), QString(), store->newStamp());
    const qint64 used = demo().usedBytes();
    const QString folder = store->albumDir(demo(), QStringLiteral("旅行"));
    const QString listStamp = demo().albumStamp;
    EXPECT_EQ(logic->DelDir(withName(QStringLiteral("旅行"))), QStringLiteral("OK_0001"));
    EXPECT_EQ(demo().album(QStringLiteral("旅行")), nullptr);
    EXPECT_EQ(demo().usedBytes(), used - 3000);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(demo().homeAlbums.value(2), QString());
    EXPECT_EQ(demo().homeAlbums.value(0), QStringLiteral("家人"));
    EXPECT_NE(demo().albumStamp, listStamp);
    EXPECT_EQ(logic->DelDir(withName(QStringLiteral("旅行"))), QStringLiteral("Error_0002"));
    const QString stampAfter = demo().albumStamp;

    // What the service keeps survives a restart.
    open();
    EXPECT_NE(demo().album(QStringLiteral("家人")), nullptr);
    EXPECT_EQ(demo().album(QStringLiteral("旅行")), nullptr);
    EXPECT_EQ(demo().albumStamp, stampAfter);
    EXPECT_EQ(demo().homeAlbums.value(0), QStringLiteral("家人"));
}

TEST_F(SiteMethodsTest, DeletionsAndDescriptionsAreKeptAndAReplacedFileLeavesNoBytes) {
    const QString album = QStringLiteral("www网站素材");
    store->storeFile(demo(), album, QStringLiteral("a.jpg"), "first", QString(), store->newStamp());
    store->storeFile(demo(), album, QStringLiteral("a.jpg"), "second", QString(), store->newStamp());  // under "1~a.jpg"
    store->storeFile(demo(), album, QStringLiteral("b.jpg"), "bee", QString(), store->newStamp());
    const QString disk = store->filePath(demo(), album, QStringLiteral("a.jpg"));
    ASSERT_TRUE(disk.endsWith(QLatin1String("/1~a.jpg"))) << disk.toStdString();
    EXPECT_EQ(logic->EditPicMemo(credentials() << album << QStringLiteral("b.jpg") << QStringLiteral("蜜蜂\r\n和花")),
              QStringLiteral("OK_0001"));
    EXPECT_EQ(logic->EditPicMemo(credentials() << album << QStringLiteral("c.jpg") << QStringLiteral("x")), QStringLiteral("Error_0002"));
    const QString albumStamp = demo().album(album)->stamp;

    const QString reply = logic->DelFile(credentials() << album << QStringLiteral("a.jpg:"));
    ASSERT_TRUE(reply.startsWith(QStringLiteral("OK_0001_"))) << reply.toStdString();
    EXPECT_FALSE(QFileInfo::exists(disk)) << "the replaced version's bytes stay while the service runs";
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(disk).path() + QStringLiteral("/a.jpg")));
    EXPECT_EQ(demo().album(album)->stamp, reply.mid(8));
    EXPECT_NE(reply.mid(8), albumStamp);

    // A restart with no stop in between (a kill) finds the deletion and the description.
    logic.reset();
    store.reset();
    open();
    const Album* kept = demo().album(album);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->file(QStringLiteral("a.jpg")), nullptr);
    ASSERT_NE(kept->file(QStringLiteral("b.jpg")), nullptr);
    EXPECT_EQ(kept->file(QStringLiteral("b.jpg"))->description, QStringLiteral("蜜蜂\r\n和花"));
    EXPECT_EQ(kept->stamp, reply.mid(8));
    EXPECT_EQ(demo().albumStamp, reply.mid(8));
}

TEST_F(SiteMethodsTest, PostsLiveInTheirOwnLogAndARecordHoldingPostsIsMovedThere) {
    const QString memberDir = store->memberDir(demo());
    ASSERT_EQ(logic->UploadBlog(credentials() << QStringLiteral("标题\t一") << QStringLiteral("生活") << QStringLiteral("<p>正文</p>")),
              QStringLiteral("OK_0001"));
    ASSERT_EQ(logic->UploadTBlog(credentials() << QStringLiteral("一条微博") << QString() << QStringLiteral("0")), QStringLiteral("OK_0001"));
    // A publish writes the small record only.
    EXPECT_FALSE(testsupport::readFile(memberDir + QStringLiteral("/member.json")).contains("blogs"));
    const QList<BlogPost> blogs = demo().blogs;
    const QList<MicroBlogPost> microBlogs = demo().microBlogs;

    // A record of the time before the log holds the posts itself: they are kept, and moved.
    QJsonObject record = QJsonDocument::fromJson(testsupport::readFile(memberDir + QStringLiteral("/member.json"))).object();
    QJsonArray oldBlogs;
    for (const BlogPost& b : blogs)
        oldBlogs.append(QJsonObject{{"time", b.time}, {"title", b.title}, {"category", b.category}, {"body", b.body}});
    QJsonArray oldMicroBlogs;
    for (const MicroBlogPost& t : microBlogs) oldMicroBlogs.append(QJsonObject{{"key", t.key}, {"text", t.text}, {"picture", t.picture}});
    record[QStringLiteral("blogs")] = oldBlogs;
    record[QStringLiteral("microBlogs")] = oldMicroBlogs;
    logic.reset();
    store.reset();
    testsupport::writeFile(memberDir + QStringLiteral("/member.json"), QJsonDocument(record).toJson());
    QFile::remove(memberDir + QStringLiteral("/posts.log"));
    for (int start = 0; start < 2; ++start) {
        open();
        ASSERT_TRUE(store->damaged().isEmpty());
        ASSERT_EQ(demo().blogs.size(), blogs.size());
        EXPECT_EQ(demo().blogs.last().title, QStringLiteral("标题\t一"));
        EXPECT_EQ(demo().blogs.last().body, QStringLiteral("<p>正文</p>"));
        ASSERT_EQ(demo().microBlogs.size(), microBlogs.size());
        EXPECT_EQ(demo().microBlogs.last().text, QStringLiteral("一条微博"));
        store->save(demo());  // the record goes without its posts now
    }
    EXPECT_FALSE(testsupport::readFile(memberDir + QStringLiteral("/member.json")).contains("blogs"));

    // A line a kill cut short is a change that never happened.
    QFile log(memberDir + QStringLiteral("/posts.log"));
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write(R"({"removeBlog":")");
    log.close();
    open();
    ASSERT_TRUE(store->damaged().isEmpty());
    EXPECT_EQ(demo().blogs.size(), blogs.size());
    ASSERT_EQ(logic->DelTBlog(credentials() << demo().microBlogs.last().key), QStringLiteral("OK_0001"));
    open();
    EXPECT_EQ(demo().microBlogs.size(), microBlogs.size() - 1);
}
