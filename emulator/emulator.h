#pragma once
// The local hosting-service emulator: one loopback port serving every host of the service domain
// (plain requests by their Host header, proxy-form requests by their absolute address): the SOAP
// endpoints and their WSDL documents, the service's web pages and hosted files, the members' sites
// and the control API under "/__emulator/".
#include "emulator/catalog.h"
#include "emulator/control.h"
#include "emulator/http.h"
#include "emulator/memberstore.h"
#include "emulator/servicelogic.h"
#include "platform/serviceconfig.h"

#include <QString>

#include <memory>

class QObject;

namespace emu {

class HttpFront;

struct Options {
    QString dataDir;
    QString domain;                          // empty: the program's default service domain
    quint16 port = 0;                        // 0: a free port
    qint64 maxBodyBytes = 16 * 1024 * 1024;  // larger request bodies get 413
    int idleTimeoutMs = 60000;               // a connection silent this long is closed
    int headTimeoutMs = 30000;               // so is one whose request head takes longer
    bool delayedAcks = false;                // acknowledge reads late, as many servers do
};

enum class HostKind {
    Local,         // 127.0.0.1, localhost: the default host and the control API
    Main,          // the default service host and the main web host
    SiteServices,  // www<N>: domain, site and protection services
    Web,           // web<N>: account and blog services
    Image,         // img<N>: image service and hosted files
    Frame,         // frm and frm<N>: widget and member pages
    Materials,
    Advertising,
    Account,
    Recovery,
    Example,
    PhotoList,
    MemberSite,    // www.<label>: a member's published site
    MobileSite,    // m.<label>: a member's mobile site
    Unknown,       // under the domain, but no host of the service
    Absent,        // www<N>, web<N>, img<N> or frm<N> of a server the service never handed out
    Foreign,       // outside the domain
};

struct HostInfo {
    HostKind kind = HostKind::Foreign;
    QString label;  // the domain label of a member site
};

class Emulator {
public:
    explicit Emulator(Options options);
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Starts serving on 127.0.0.1; false (with errorString()) when the port cannot be had.
    bool listen();
    quint16 port() const { return m_port; }
    QString errorString() const { return m_error; }
    // Saves every record; false when a write failed.
    bool save();

    // One request and its answer; the HTTP front calls it for every request it reads.
    HttpResponse handle(const HttpRequest& request);
    HostInfo classify(const QString& host) const;

    const ServiceConfig& hosts() const { return m_hosts; }
    MemberStore& store() { return *m_store; }
    ServiceLogic& logic() { return *m_logic; }
    Control& control() { return m_control; }
    const Options& options() const { return m_options; }

private:
    HttpResponse handleControl(const HttpRequest& r);
    HttpResponse handleService(const HttpRequest& r, const QString& endpointName);
    HttpResponse soapCall(const HttpRequest& r, const EndpointSpec& endpoint);
    bool applyRules(const HttpRequest& r, const QString& endpoint, const QString& method, HttpResponse& out);
    void applyLatency(const HttpRequest& r, const QString& endpoint, const QString& method, HttpResponse& out);

    Options m_options;
    ServiceConfig m_hosts;
    std::unique_ptr<MemberStore> m_store;
    std::unique_ptr<ServiceLogic> m_logic;
    Control m_control;
    std::unique_ptr<HttpFront> m_front;
    quint16 m_port = 0;
    QString m_error;
};

}  // namespace emu
