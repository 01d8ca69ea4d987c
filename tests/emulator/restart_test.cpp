// Every call that changes the service's state, against tavolin-service as its own process: the
// call, then a stop (SIGTERM, or kill -9 as soon as the reply is in), then a start on the same
// folder. What the service shows afterwards must be what it showed right after the call, and the
// call must have moved only what it is about.
#include "foundation/md5.h"
#include "foundation/tabletext.h"
#include "login/loginflow.h"
#include "login/logintoken.h"
#include "login/registercheck.h"
#include "platform/httpfetch.h"
#include "platform/serviceconfig.h"
#include "platform/soapclient.h"
#include "platform/vberror.h"
#include "site/publishcheck.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QEventLoop>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <memory>

namespace {

const QString kDomain = ServiceConfig::defaults().domain;

QString Program() {
    return qEnvironmentVariable("TAVOLIN_BUILD_DIR", QStringLiteral(".")) + QStringLiteral("/emulator/tavolin-service");
}

// One run of the emulator on a data folder.
class Service {
public:
    explicit Service(const QString& dataDir, quint16 port = 0) {
        m_process.start(Program(), {QStringLiteral("--data"), dataDir, QStringLiteral("--port"), QString::number(port)});
        if (!m_process.waitForStarted(30000)) return;
        QString out;
        while (!out.contains(QLatin1String("demo member")) && m_process.waitForReadyRead(60000))
            out += QString::fromUtf8(m_process.readAllStandardOutput());
        const auto m = QRegularExpression(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)")).match(out);
        if (m.hasMatch()) m_port = quint16(m.captured(1).toUInt());
        if (m_port) {
            ServiceConfig c = ServiceConfig::defaults();
            c.proxy = QStringLiteral("127.0.0.1:%1").arg(m_port);
            c.timeoutSeconds = 60;
            serviceconfig::set(c, false);
        }
    }
    ~Service() {
        if (m_process.state() != QProcess::NotRunning) stop(SIGKILL);
    }
    quint16 port() const { return m_port; }
    // The exit code after the signal; -2 for a kill.
    int stop(int signal) {
        ::kill(pid_t(m_process.processId()), signal);
        if (!m_process.waitForFinished(60000)) return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -2;
    }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

QString Call(const QString& host, const QString& endpoint, const QString& method, const QList<SoapArgument>& args) {
    SoapClient client;
    client.MSSoapInit(QStringLiteral("http://%1.%2/services/%3.asmx?WSDL").arg(host, kDomain, endpoint));
    return client.call(method, args);
}

QByteArray Fetch(const QString& url) {
    const std::unique_ptr<httpfetch::Session> session = httpfetch::OpenSession();
    const std::unique_ptr<httpfetch::Response> response = session ? session->open(url) : nullptr;
    if (!response) return QByteArrayLiteral("<no answer>");
    QByteArray body;
    char piece[httpfetch::kPieceSize];
    while (const qint64 n = response->read(piece, sizeof piece)) body.append(piece, n);
    return body;
}

// The rows of an escaped table ("{/F}" after each field, "{//R}" after each row) up to its name.
QList<QStringList> EscapedRows(const QString& text, const QString& name) {
    QList<QStringList> rows;
    const qsizetype end = text.indexOf(name + QStringLiteral("{///T}"));
    for (const QString& row : text.left(end < 0 ? 0 : end).split(QStringLiteral("{//R}"), Qt::SkipEmptyParts)) {
        QStringList fields = row.split(QStringLiteral("{/F}"));
        fields.removeLast();
        rows.append(fields);
    }
    return rows;
}

// The rows of a list reply ("OK_0001_", then "</F>" after each field, "<//R>" after each row).
QList<QStringList> PlainRows(const QString& reply) {
    QList<QStringList> rows;
    const QString text = reply.startsWith(QLatin1String("OK_0001_")) ? reply.mid(8) : QString();
    for (const QString& row : text.split(QStringLiteral("<//R>"))) {
        if (!row.contains(QStringLiteral("</F>"))) continue;
        QStringList fields = row.split(QStringLiteral("</F>"));
        fields.removeLast();
        rows.append(fields);
    }
    return rows;
}

struct Account {
    QString name;
    QString password;
    QString prefix;
    QString digest() const { return Md5Hex(password); }
    QList<SoapArgument> with(const QList<SoapArgument>& rest) const {
        return QList<SoapArgument>{name, digest(), prefix} + rest;
    }
    QString host(const char* kind) const { return QString(prefix).replace(QStringLiteral("www"), QString::fromLatin1(kind)); }
};

QStringList RegistrationArgs(const QString& name, const QString& password) {
    QStringList a{name, Md5Hex(password), QStringLiteral("q"), QStringLiteral("answer"), QStringLiteral("1990-02-03"),
                  QStringLiteral("k@k.cn"), QStringLiteral("北京市"), QStringLiteral("110000"), QStringLiteral("北京市"),
                  QStringLiteral("110100"), QStringLiteral("男"), QStringLiteral("1"), QStringLiteral("教师"),
                  QStringLiteral("02"), QStringLiteral("127.0.0.1"), QStringLiteral("1")};
    a << RegisterCheckCode(a, name) << QStringLiteral("1");
    return a;
}

QString Register(const QString& name, const QString& password) {
    QList<SoapArgument> args;
    for (const QString& s : RegistrationArgs(name, password)) args.append(s);
    return Call(QStringLiteral("www"), QStringLiteral("regser001"), QStringLiteral("Register"), args);
}

QByteArray Picture(Qt::GlobalColor color) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image(12, 9, QImage::Format_RGB32);
    image.fill(color);
    image.save(&buffer, "PNG");
    return bytes + '\0';
}

// What the service shows of one member, by key: its login record (without today's date and the
// time of the last login, which every login moves), its site, albums, file lists and the bytes of
// every file, posts, micro-blog posts, protection and published page.
void Snapshot(const Account& a, QMap<QString, QString>& out) {
    const QString at = a.name + QLatin1Char('/');
    const QString reply = Call(a.host("web"), QStringLiteral("webser001"), QStringLiteral("LoginSoftV2"),
                               {a.name, LoginToken(a.password), QStringLiteral("127.0.0.1"), QStringLiteral("mc"),
                                QStringLiteral("2.0")});
    if (!reply.startsWith(QStringLiteral("__Login__OK__"))) {
        out[at + QStringLiteral("login")] = reply;
        return;
    }
    const QString text = LoginReplyText(reply);
    QStringList record = ExtractTable(text, QStringLiteral("LoginBackInfo")).row(0);
    for (int moving : {3, 9})
        if (moving < record.size()) record[moving].clear();
    out[at + QStringLiteral("record")] = record.join(QLatin1Char('|'));
    out[at + QStringLiteral("site")] = ExtractTable(text, QStringLiteral("SiteInfo")).row(0).join(QLatin1Char('|'));

    const QString albums = Call(a.host("img"), QStringLiteral("imgser001"), QStringLiteral("GetDirInfo"), a.with({}));
    out[at + QStringLiteral("albums")] = albums;
    for (const QStringList& album : EscapedRows(albums.mid(8), QStringLiteral("DirInfo"))) {
        const QString files = Call(a.host("img"), QStringLiteral("imgser001"), QStringLiteral("GetDirFileInfo"),
                                   a.with({album.value(0)}));
        out[at + QStringLiteral("files/") + album.value(0)] = files;
        for (const QStringList& f : EscapedRows(files.mid(8), QStringLiteral("FileInfo")))
            out[at + QStringLiteral("bytes/") + album.value(0) + QLatin1Char('/') + f.value(9)] = Md5Hex(QString::fromLatin1(Fetch(f.value(0)).toHex()));
    }
    const QList<SoapArgument> always{QStringLiteral("20000101"), QStringLiteral("20991231")};
    const QString blogs = Call(a.host("web"), QStringLiteral("webser002"), QStringLiteral("GetBlogList"), a.with(always));
    out[at + QStringLiteral("blogs")] = blogs;
    for (const QStringList& b : PlainRows(blogs))
        out[at + QStringLiteral("blog/") + b.value(2)] =
            Call(a.host("web"), QStringLiteral("webser002"), QStringLiteral("GetBlog"), a.with({b.value(2), b.value(0)}));
    out[at + QStringLiteral("tblogs")] = Call(a.host("web"), QStringLiteral("webser002"), QStringLiteral("GetTBlogList"), a.with(always));
    out[at + QStringLiteral("protection")] =
        Call(a.prefix, QStringLiteral("wwwser003"), QStringLiteral("WebsiteEncryptionInfo"), a.with({}));
    const QString domain = record.value(12);
    if (!domain.isEmpty()) out[at + QStringLiteral("page")] = QString::fromUtf8(Fetch(QStringLiteral("http://www.%1.%2/").arg(domain, kDomain)));
}

// What the test's members are: the demo member, one registered at the start, and one that a
// registration may add.
struct Members {
    Account demo{QStringLiteral("tavdemo"), QStringLiteral("demo1234"), QStringLiteral("www1")};
    Account keeper{QStringLiteral("keeper01"), QStringLiteral("pw-keeper"), QStringLiteral("www2")};
    Account newcomer{QStringLiteral("keeper02"), QStringLiteral("pw-newcomer"), QStringLiteral("www3")};
    QMap<QString, QString> snapshot() const {
        QMap<QString, QString> out;
        for (const Account* a : {&demo, &keeper, &newcomer}) {
            try {
                Snapshot(*a, out);
            } catch (const VbError&) {
                // A member not registered yet: its server is not handed out either.
                out[a->name + QStringLiteral("/login")] = QStringLiteral("<failed>");
            }
        }
        return out;
    }
};

QString Publish(const Account& a, const QString& domain, const QString& settings, const QString& page,
                const QString& method = QStringLiteral("UploadWebsite2"), const QStringList& extra = {QString(), QStringLiteral("2.0")},
                const QString& key = QString()) {
    QList<SoapArgument> args{a.name, QStringLiteral("K2"), a.digest(), PublishCheckCode(page), a.prefix, domain, key,
                             QStringLiteral("1"), settings, page};
    for (const QString& e : extra) args.append(e);
    return Call(a.prefix, method == QLatin1String("UploadWebsite2") ? QStringLiteral("wwwser002") : QStringLiteral("wwwser003"),
                method, args);
}

// A command of the emulator's control API, posted straight to its port.
QString Control(quint16 port, const QString& command, const QByteArray& body) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply* reply = manager.post(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/__emulator/%2").arg(port).arg(command))), body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    const QString text = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    return text;
}

struct Mutation {
    const char* name;
    // Run before the first snapshot: whatever the call needs to find.
    std::function<void(Members&, quint16)> prepare;
    // The call; its reply must start with `expect`.
    std::function<QString(Members&, quint16)> call;
    const char* expect;
    // The keys of the snapshot the call may change (by their start); every other key must stay.
    QStringList changes;
};

const QString kAlbum = QStringLiteral("我的相册");

// The first file of the demo's home album, and its address.
QStringList FirstFile(const Account& a) {
    const QString files = Call(a.host("img"), QStringLiteral("imgser001"), QStringLiteral("GetDirFileInfo"), a.with({kAlbum}));
    return EscapedRows(files.mid(8), QStringLiteral("FileInfo")).value(0);
}

QString ReplaceFirstFile(const Account& a) {
    const QStringList f = FirstFile(a);
    return Call(a.host("img"), QStringLiteral("imgser001"), QStringLiteral("UploadFile02"),
                a.with({kAlbum, f.value(9).chopped(4), QStringLiteral(".png"), f.value(0), Picture(Qt::blue)}));
}

QString FirstBlogTime(const Account& a) {
    return PlainRows(Call(a.host("web"), QStringLiteral("webser002"), QStringLiteral("GetBlogList"),
                          a.with({QStringLiteral("20000101"), QStringLiteral("20991231")})))
        .value(0)
        .value(2);
}

const QList<Mutation>& Mutations() {
    const auto none = [](Members&, quint16) {};
    const QString d = QStringLiteral("tavdemo/");
    static const QList<Mutation> table{
        {"UploadFile01", none,
         [](Members& m, quint16) {
             return Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("UploadFile01"),
                         m.demo.with({kAlbum, QStringLiteral("1"), QStringLiteral("new"), QStringLiteral(".png"),
                                      QStringLiteral("新照片"), Picture(Qt::red)}));
         },
         "OK_0001_", {d + "record", d + "albums", d + "files/" + kAlbum, d + "bytes/" + kAlbum + "/new.png"}},
        {"UploadFile02", none, [](Members& m, quint16) { return ReplaceFirstFile(m.demo); }, "OK_0001_",
         {d + "record", d + "albums", d + "files/" + kAlbum, d + "bytes/" + kAlbum + "/"}},
        {"BuildAlbumDir", none,
         [](Members& m, quint16) {
             return Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("BuildAlbumDir"), m.demo.with({QStringLiteral("旅行")}));
         },
         "OK_0001_", {d + "record", d + "albums", d + "files/旅行"}},
        {"DelDir",
         [](Members& m, quint16) {
             Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("BuildAlbumDir"), m.demo.with({QStringLiteral("旅行")}));
             Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("UploadFile01"),
                  m.demo.with({QStringLiteral("旅行"), QStringLiteral("1"), QStringLiteral("sea"), QStringLiteral(".png"),
                               QString(), Picture(Qt::green)}));
         },
         [](Members& m, quint16) {
             return Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("DelDir"), m.demo.with({QStringLiteral("旅行")}));
         },
         "OK_0001", {d + "record", d + "albums", d + "files/旅行", d + "bytes/旅行/"}},
        {"SetHomeAlbum", none,
         [](Members& m, quint16) {
             QList<SoapArgument> frame{QString(), kAlbum};
             while (frame.size() < 15) frame.append(QString());
             return Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("SetHomeAlbum"), m.demo.with(frame));
         },
         "OK_0001", {d + "albums"}},
        {"DelFile", none,
         [](Members& m, quint16) {
             return Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("DelFile"),
                         m.demo.with({kAlbum, FirstFile(m.demo).value(9) + QLatin1Char(':')}));
         },
         "OK_0001_", {d + "record", d + "albums", d + "files/" + kAlbum, d + "bytes/" + kAlbum + "/"}},
        {"DelFile of a replaced file", [](Members& m, quint16) { ReplaceFirstFile(m.demo); },
         [](Members& m, quint16) {
             return Call(m.demo.host("img"), QStringLiteral("imgser001"), QStringLiteral("DelFile"),
                         m.demo.with({kAlbum, FirstFile(m.demo).value(9) + QLatin1Char(':')}));
         },
         "OK_0001_", {d + "record", d + "albums", d + "files/" + kAlbum, d + "bytes/" + kAlbum + "/"}},
        {"EditPicMemo", none,
         [](Members& m, quint16) {
             return Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("EditPicMemo"),
                         m.demo.with({kAlbum, FirstFile(m.demo).value(9), QStringLiteral("山顶的云海")}));
         },
         "OK_0001", {d + "files/" + kAlbum}},
        {"UploadBlog", none,
         [](Members& m, quint16) {
             return Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("UploadBlog"),
                         m.demo.with({QStringLiteral("新文章"), QStringLiteral("生活"), QStringLiteral("<html><body><p>正文</p></body></html>")}));
         },
         "OK_0001", {d + "blogs", d + "blog/"}},
        {"EditBlog", none,
         [](Members& m, quint16) {
             const QString time = FirstBlogTime(m.demo);
             return Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("EditBlog"),
                         m.demo.with({time, QString(), QStringLiteral("改过的标题"), QStringLiteral("旅行"), QStringLiteral("<p>改过</p>")}));
         },
         "OK_0001", {d + "blogs", d + "blog/"}},
        {"DelBlog", none,
         [](Members& m, quint16) {
             const QStringList first = PlainRows(Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("GetBlogList"),
                                                      m.demo.with({QStringLiteral("20000101"), QStringLiteral("20991231")})))
                                           .value(0);
             return Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("DelBlog"),
                         m.demo.with({first.value(2), first.value(0)}));
         },
         "OK_0001", {d + "blogs", d + "blog/"}},
        {"UploadTBlog", none,
         [](Members& m, quint16) {
             return Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("UploadTBlog"),
                         m.demo.with({QStringLiteral("一条新微博"), QString(), QStringLiteral("0")}));
         },
         "OK_0001", {d + "tblogs"}},
        {"DelTBlog", none,
         [](Members& m, quint16) {
             const QStringList first = PlainRows(Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("GetTBlogList"),
                                                      m.demo.with({QStringLiteral("20000101"), QStringLiteral("20991231")})))
                                           .value(0);
             return Call(m.demo.host("web"), QStringLiteral("webser002"), QStringLiteral("DelTBlog"), m.demo.with({first.value(0)}));
         },
         "OK_0001", {d + "tblogs"}},
        {"UploadWebsite2", none,
         [](Members& m, quint16) {
             return Publish(m.demo, QStringLiteral("demosite"), QStringLiteral("#336699{/F}").repeated(40),
                            QStringLiteral("&x_;html&d_;新的网站&x_;/html&d_;"), QStringLiteral("UploadWebsite2"), {kAlbum, QStringLiteral("2.0")});
         },
         "OK_0001", {d + "site", d + "page", d + "record"}},
        {"WebsiteEncryption", none,
         [](Members& m, quint16) {
             return Publish(m.demo, QStringLiteral("demosite"), QStringLiteral("x{/F}"), QStringLiteral("&x_;p&d_;加密&x_;/p&d_;"),
                            QStringLiteral("WebsiteEncryption"), {QStringLiteral("暗号？"), QStringLiteral("芝麻")},
                            QStringLiteral("0a1b2c3d"));
         },
         "OK_0001", {d + "site", d + "page", d + "record", d + "protection"}},
        {"WebsiteNotEncryption",
         [](Members& m, quint16) {
             Publish(m.demo, QStringLiteral("demosite"), QStringLiteral("x{/F}"), QStringLiteral("&x_;p&d_;加密&x_;/p&d_;"),
                     QStringLiteral("WebsiteEncryption"), {QStringLiteral("暗号？"), QStringLiteral("芝麻")}, QStringLiteral("0a1b2c3d"));
         },
         [](Members& m, quint16) {
             return Call(m.demo.prefix, QStringLiteral("wwwser003"), QStringLiteral("WebsiteNotEncryption"), m.demo.with({}));
         },
         "OK_0001", {d + "page", d + "record", d + "protection"}},
        {"RegDomainNameV2",
         [](Members&, quint16 port) { Control(port, QStringLiteral("member?name=keeper01"), R"({"quotaKb": 204800})"); },
         [](Members& m, quint16) {
             return Call(m.keeper.prefix, QStringLiteral("wwwser001"), QStringLiteral("RegDomainNameV2"),
                         m.keeper.with({QStringLiteral("keepersite"), QStringLiteral("2.0")}));
         },
         "OK_0001", {"keeper01/record", "keeper01/page", "keeper01/protection"}},
        {"EditPsw", none,
         [](Members& m, quint16) {
             const QString reply = Call(m.keeper.host("web"), QStringLiteral("webser001"), QStringLiteral("EditPsw"),
                                        {m.keeper.name, m.keeper.digest(), Md5Hex(QStringLiteral("pw-changed")), m.keeper.prefix});
             m.keeper.password = QStringLiteral("pw-changed");
             return reply;
         },
         "OK_0001", {"keeper01/record"}},
        {"Register", none, [](Members& m, quint16) { return Register(m.newcomer.name, m.newcomer.password); }, "__Reg__OK__",
         {"keeper02/"}},
        {"member information", none,
         [](Members&, quint16 port) {
             return Control(port, QStringLiteral("member?name=keeper01"), R"({"quotaKb": 51200, "expiry": "2031-05-06"})");
         },
         "{\"ok\":true}", {"keeper01/record"}},
    };
    return table;
}

// A data folder with the demo member and one registered member, made once and copied per case.
QString Baseline() {
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        Service service(dir.path());
        if (service.port() && Register(QStringLiteral("keeper01"), QStringLiteral("pw-keeper")).startsWith(QStringLiteral("__Reg__OK__")))
            service.stop(SIGTERM);
    }
    return dir.path();
}

bool CopyFolder(const QString& from, const QString& to) {
    QProcess cp;
    cp.start(QStringLiteral("cp"), {QStringLiteral("-a"), from + QStringLiteral("/."), to});
    return cp.waitForFinished(60000) && cp.exitCode() == 0;
}

QStringList Keys(const QMap<QString, QString>& a, const QMap<QString, QString>& b) {
    QStringList keys = a.keys() + b.keys();
    keys.removeDuplicates();
    keys.sort();
    return keys;
}

}  // namespace

struct RestartCase {
    int mutation;
    int signal;
};

class RestartTest : public testsupport::DataRootTest, public ::testing::WithParamInterface<RestartCase> {};

TEST_P(RestartTest, TheChangeIsKeptAndNothingElseMoves) {
    const Mutation& mutation = Mutations()[GetParam().mutation];
    const int signal = GetParam().signal;
    ASSERT_FALSE(Baseline().isEmpty());
    QTemporaryDir data;
    ASSERT_TRUE(CopyFolder(Baseline(), data.path()));
    Members members;
    QMap<QString, QString> before, after;
    QString deleted;
    quint16 port = 0;
    {
        Service service(data.path());
        ASSERT_NE(service.port(), 0);
        port = service.port();
        mutation.prepare(members, port);
        before = members.snapshot();
        deleted = FirstFile(members.demo).value(9);
        const QString reply = mutation.call(members, port);
        ASSERT_TRUE(reply.startsWith(QString::fromUtf8(mutation.expect))) << reply.left(200).toStdString();
        if (signal == SIGKILL) {
            EXPECT_EQ(service.stop(SIGKILL), -2);
        }
        if (signal == SIGTERM) {
            after = members.snapshot();
            EXPECT_EQ(service.stop(SIGTERM), 0);
        }
    }
    // After a kill the snapshot is taken after the restart only; it must still show the change.
    Service again(data.path(), port);
    ASSERT_NE(again.port(), 0);
    const QMap<QString, QString> restarted = members.snapshot();
    if (signal == SIGTERM) {
        for (const QString& key : Keys(after, restarted))
            EXPECT_EQ(restarted.value(key, QStringLiteral("<none>")), after.value(key, QStringLiteral("<none>"))) << key.toStdString();
    }
    QStringList moved;
    for (const QString& key : Keys(before, restarted))
        if (before.value(key, QStringLiteral("<none>")) != restarted.value(key, QStringLiteral("<none>"))) moved << key;
    EXPECT_FALSE(moved.isEmpty()) << "the change was lost";
    for (const QString& key : moved)
        EXPECT_TRUE(std::any_of(mutation.changes.begin(), mutation.changes.end(), [&key](const QString& c) { return key.startsWith(c); }))
            << key.toStdString() << " moved: " << before.value(key).left(300).toStdString() << " -> "
            << restarted.value(key).left(300).toStdString();
    // A deleted file leaves no bytes nor thumbnail behind, whatever name they were kept under.
    if (QString::fromLatin1(mutation.name).startsWith(QLatin1String("DelFile"))) {
        ASSERT_FALSE(deleted.isEmpty());
        QStringList left;
        for (QDirIterator it(data.path() + QStringLiteral("/members/tavdemo/space/") + kAlbum, QDir::Files | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();) {
            QString file = it.next().section(QLatin1Char('/'), -1);
            if (file.endsWith(QLatin1String(".jpg")) && it.filePath().contains(QLatin1String("/.thumbs/"))) file.chop(4);
            if (file == deleted || file.endsWith(QLatin1Char('~') + deleted)) left << it.filePath();
        }
        EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(',')).toStdString();
    }
    EXPECT_EQ(again.stop(SIGTERM), 0);
}

namespace {
std::vector<RestartCase> AllCases() {
    std::vector<RestartCase> cases;
    for (int i = 0; i < Mutations().size(); ++i)
        for (int signal : {SIGTERM, SIGKILL}) cases.push_back({i, signal});
    return cases;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(EveryChange, RestartTest, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<RestartCase>& info) {
                             QString name = QString::fromLatin1(Mutations()[info.param.mutation].name);
                             name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
                             return (name + (info.param.signal == SIGKILL ? QStringLiteral("_Kill9") : QStringLiteral("_Sigterm")))
                                 .toStdString();
                         });
