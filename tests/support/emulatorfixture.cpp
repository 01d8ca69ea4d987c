#include "support/emulatorfixture.h"

#include <algorithm>

#ifdef TAVOLIN_HAVE_EMULATOR

#include <QEventLoop>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>

namespace testsupport {

namespace {

std::unique_ptr<Emulator>& Instance() {
    static std::unique_ptr<Emulator> e;
    return e;
}

bool IsLoopback(const QString& host) {
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 || QHostAddress(host).isLoopback();
}

// The application proxy: the emulator for every host but loopback ones. Web views read the answer
// to the empty query; the network managers ask per address.
class EmulatorProxyFactory : public QNetworkProxyFactory {
public:
    explicit EmulatorProxyFactory(quint16 port) : m_proxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), port) {}
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        if (IsLoopback(query.peerHostName())) return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return {m_proxy};
    }

private:
    QNetworkProxy m_proxy;
};

// Waits for a reply in a local loop, at most ten seconds.
EmulatorPage Fetch(QNetworkAccessManager& manager, QNetworkReply* reply) {
    std::unique_ptr<QNetworkReply> owner(reply);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [reply] { reply->abort(); });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        // Only a bound against a hang: on a busy machine the first request of a test process
        // (network stack start-up included) has been seen to take more than ten seconds.
        deadline.start(60000);
        loop.exec();
    }
    Q_UNUSED(manager);
    EmulatorPage page;
    page.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    page.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    page.body = reply->readAll();
    return page;
}

// Starts the emulator before the first test of every program that uses this fixture.
class EmulatorEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Emulator::instance(); }
    void TearDown() override { Emulator::shutdown(); }
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new EmulatorEnvironment);

}  // namespace

Emulator::Emulator() : m_dir(std::make_unique<QTemporaryDir>()) {
    emu::Options options;
    options.dataDir = m_dir->path();
    m_server = std::make_unique<emu::Emulator>(options);
    if (!m_server->listen()) {
        ADD_FAILURE() << "the emulator cannot listen: " << m_server->errorString().toStdString();
        return;
    }
    QNetworkProxyFactory::setApplicationProxyFactory(new EmulatorProxyFactory(m_server->port()));
    serviceconfig::set(config(), false);
}

Emulator& Emulator::instance() {
    if (!Instance()) Instance().reset(new Emulator());
    return *Instance();
}

void Emulator::shutdown() {
    if (!Instance()) return;
    QNetworkProxyFactory::setApplicationProxyFactory(nullptr);
    Instance().reset();
}

quint16 Emulator::port() const { return m_server->port(); }
QString Emulator::proxy() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }
QString Emulator::domain() const { return m_server->hosts().domain; }
QString Emulator::dataDir() const { return m_dir->path(); }
emu::DemoMember Emulator::demoMember() const { return emu::ServiceLogic::Demo(); }
emu::Emulator& Emulator::server() { return *m_server; }

ServiceConfig Emulator::config() const {
    ServiceConfig c = ServiceConfig::defaults();
    c.domain = domain();
    c.proxy = proxy();
    c.timeoutSeconds = 20;
    return c;
}

void Emulator::useConfig() const { serviceconfig::set(config(), true); }

QString Emulator::wsdlUrl(const QString& hostLabel, const QString& endpoint) const {
    return QStringLiteral("http://%1.%2/services/%3.asmx?WSDL").arg(hostLabel, domain(), endpoint);
}

QByteArray Emulator::control(const QString& command, const QUrlQuery& query, const QByteArray& body, bool post) {
    QUrl url(QStringLiteral("http://127.0.0.1:%1/__emulator/%2").arg(port()).arg(command));
    url.setQuery(query);
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/plain; charset=utf-8"));
    const EmulatorPage page = Fetch(manager, post ? manager.post(request, body) : manager.get(request));
    EXPECT_EQ(page.status, 200) << "control command " << command.toStdString() << ": " << page.body.toStdString();
    return page.body;
}

void Emulator::reset() { control(QStringLiteral("reset")); }
void Emulator::clearCalls() { control(QStringLiteral("clear-calls")); }

void Emulator::scriptReply(const QString& method, const QString& reply, int count, int after) {
    control(QStringLiteral("script"),
            QUrlQuery{{QStringLiteral("method"), method},
                      {QStringLiteral("count"), QString::number(count)},
                      {QStringLiteral("after"), QString::number(after)}},
            reply.toUtf8());
}

void Emulator::setLatency(int ms, const QString& method) {
    QUrlQuery q{{QStringLiteral("ms"), QString::number(ms)}};
    if (!method.isEmpty()) q.addQueryItem(QStringLiteral("method"), method);
    control(QStringLiteral("latency"), q);
}

void Emulator::failHttp(int status, const QString& method, int count, int after) {
    QUrlQuery q{{QStringLiteral("status"), QString::number(status)},
                {QStringLiteral("count"), QString::number(count)},
                {QStringLiteral("after"), QString::number(after)}};
    if (!method.isEmpty()) q.addQueryItem(QStringLiteral("method"), method);
    control(QStringLiteral("http-error"), q);
}

void Emulator::failPath(int status, const QString& pathPrefix, int count) {
    control(QStringLiteral("http-error"), QUrlQuery{{QStringLiteral("status"), QString::number(status)},
                                                    {QStringLiteral("count"), QString::number(count)},
                                                    {QStringLiteral("path"), pathPrefix}});
}

void Emulator::errorPageOnPath(const QString& pathPrefix, int count) {
    control(QStringLiteral("error-page"),
            QUrlQuery{{QStringLiteral("count"), QString::number(count)}, {QStringLiteral("path"), pathPrefix}});
}

void Emulator::setPathLatency(int ms, const QString& pathPrefix) {
    control(QStringLiteral("latency"), QUrlQuery{{QStringLiteral("ms"), QString::number(ms)}, {QStringLiteral("path"), pathPrefix}});
}

void Emulator::dropConnection(const QString& method, int count, int after) {
    QUrlQuery q{{QStringLiteral("count"), QString::number(count)}, {QStringLiteral("after"), QString::number(after)}};
    if (!method.isEmpty()) q.addQueryItem(QStringLiteral("method"), method);
    control(QStringLiteral("drop"), q);
}

void Emulator::hideWsdl(const QString& endpoint, bool hidden) {
    control(QStringLiteral("wsdl"), QUrlQuery{{QStringLiteral("endpoint"), endpoint},
                                              {QStringLiteral("hidden"), hidden ? QStringLiteral("1") : QStringLiteral("0")}});
}

void Emulator::setNotice(int row, bool on, const QString& text) {
    control(QStringLiteral("notice"), QUrlQuery{{QStringLiteral("row"), QString::number(row)},
                                                {QStringLiteral("on"), on ? QStringLiteral("1") : QStringLiteral("0")}},
            text.toUtf8());
}

void Emulator::setMember(const QString& name, const QJsonObject& fields) {
    control(QStringLiteral("member"), QUrlQuery{{QStringLiteral("name"), name}}, QJsonDocument(fields).toJson());
}

void Emulator::setHourlyRegistrationLimit(bool on) {
    control(QStringLiteral("registration-limit"), QUrlQuery{{QStringLiteral("on"), on ? QStringLiteral("1") : QStringLiteral("0")}});
}

QList<EmulatorCall> Emulator::calls() {
    QList<EmulatorCall> out;
    for (const QJsonValue& v : QJsonDocument::fromJson(control(QStringLiteral("calls"), {}, {}, false)).array()) {
        const QJsonObject o = v.toObject();
        EmulatorCall c;
        c.time = QDateTime::fromString(o[QStringLiteral("time")].toString(), Qt::ISODateWithMs);
        c.endpoint = o[QStringLiteral("endpoint")].toString();
        c.method = o[QStringLiteral("method")].toString();
        c.host = o[QStringLiteral("host")].toString();
        for (const QJsonValue& a : o[QStringLiteral("args")].toArray()) c.args.append(a.toString());
        c.reply = o[QStringLiteral("reply")].toString();
        c.fault = o[QStringLiteral("fault")].toBool();
        c.scripted = o[QStringLiteral("scripted")].toBool();
        out.append(c);
    }
    return out;
}

QList<EmulatorCall> Emulator::calls(const QString& method) {
    QList<EmulatorCall> out;
    for (const EmulatorCall& c : calls())
        if (c.method == method) out.append(c);
    return out;
}

EmulatorPage Emulator::get(const QString& url) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), port()));
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    return Fetch(manager, manager.get(request));
}

void EmulatorTest::SetUp() {
    DataRootTest::SetUp();
    Emulator::instance().reset();
    Emulator::instance().useConfig();
}

void WithoutDemoSamples(emu::Member& demo) {
    demo.albums.erase(std::remove_if(demo.albums.begin(), demo.albums.end(),
                                     [](const emu::Album& a) { return a.name != QStringLiteral("www网站素材"); }),
                      demo.albums.end());
    demo.blogs.clear();
    demo.microBlogs.clear();
    demo.homeAlbums = QStringList(15, QString());
}

}  // namespace testsupport

#endif  // TAVOLIN_HAVE_EMULATOR
