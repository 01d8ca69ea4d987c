#pragma once
// One in-process service emulator per test program, on a free loopback port with a fresh data
// folder, started before the first test (so before any web view) and reset between tests through
// its control API. Tests reach the service's hosts through it as an HTTP proxy: the service
// configuration's proxy points at it, and the application proxy (which the web views read) sends
// every host but loopback ones to it, so the tests' own local servers stay reachable directly.
#ifdef TAVOLIN_HAVE_EMULATOR

#include "emulator/emulator.h"
#include "platform/serviceconfig.h"
#include "support/fixtures.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrlQuery>

#include <memory>

namespace testsupport {

// One call the emulator received, as its control API lists it (byte arrays as "<N bytes>").
using EmulatorCall = emu::CallRecord;

// A page or file fetched through the emulator.
struct EmulatorPage {
    int status = 0;     // 0 when no answer came
    QByteArray contentType;
    QByteArray body;
};

class Emulator {
public:
    // The emulator of this test program; started on first use.
    static Emulator& instance();
    // Stops it (the test program's end).
    static void shutdown();

    quint16 port() const;
    QString proxy() const;                   // "127.0.0.1:<port>"
    QString domain() const;                  // the service domain
    QString dataDir() const;
    emu::DemoMember demoMember() const;
    // The program's default configuration with the proxy pointing here.
    ServiceConfig config() const;
    // Makes config() the configuration in force (written into the current data root).
    void useConfig() const;
    // The in-process emulator itself, for what the control API does not offer.
    emu::Emulator& server();

    // ---- control API
    void reset();
    // Forgets the calls received so far (the members and scripts stay).
    void clearCalls();
    // The next call(s) of method answer reply, whatever the arguments; after lets that many calls
    // reach the service's logic first.
    void scriptReply(const QString& method, const QString& reply, int count = 1, int after = 0);
    // Every answer to method's calls (every service request when method is empty) waits ms; 0 clears.
    void setLatency(int ms, const QString& method = QString());
    // The next call(s) of method (every service request when empty) get the HTTP status.
    void failHttp(int status, const QString& method = QString(), int count = 1, int after = 0);
    // The same for the requests whose path begins with pathPrefix (pages, hosted files).
    void failPath(int status, const QString& pathPrefix, int count = 1);
    // The next request(s) whose path begins with pathPrefix get an HTML error page with status 200.
    void errorPageOnPath(const QString& pathPrefix, int count = 1);
    // Every answer to the requests whose path begins with pathPrefix waits ms; 0 clears.
    void setPathLatency(int ms, const QString& pathPrefix);
    // The next call(s) of method have their answer broken off halfway and the connection closed.
    void dropConnection(const QString& method = QString(), int count = 1, int after = 0);
    // The endpoint's WSDL answers 404 while hidden.
    void hideWsdl(const QString& endpoint, bool hidden = true);
    // Row 0..5 of the login reply's notices: on or off, with its text or address when given.
    void setNotice(int row, bool on, const QString& text = QString());
    // Changes a member's record: quotaKb, expiry ("yyyy-MM-dd" or "0"), hasSpace, domain,
    // protectionKey, realName, edition, albumStamp.
    void setMember(const QString& name, const QJsonObject& fields);
    // One registration per hour from addresses sharing their first three parts.
    void setHourlyRegistrationLimit(bool on);
    QList<EmulatorCall> calls();
    // Calls of one method, in order.
    QList<EmulatorCall> calls(const QString& method);

    // GETs an address through the emulator, as the browsers do.
    EmulatorPage get(const QString& url);
    // "http://<host>.<domain>/services/<endpoint>.asmx?WSDL"
    QString wsdlUrl(const QString& hostLabel, const QString& endpoint) const;

private:
    Emulator();
    QByteArray control(const QString& command, const QUrlQuery& query = QUrlQuery(),
                       const QByteArray& body = QByteArray(), bool post = true);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<emu::Emulator> m_server;
};

// A test with its own data root, the emulator reset and the service configuration pointing at it.
// The demo member without its sample albums, blog and micro-blog posts and home-page album frame
// (its site's material album stays), for tests that count what they add.
void WithoutDemoSamples(emu::Member& demo);

class EmulatorTest : public DataRootTest {
protected:
    void SetUp() override;
    Emulator& emulator() { return Emulator::instance(); }
};

}  // namespace testsupport

#endif  // TAVOLIN_HAVE_EMULATOR
