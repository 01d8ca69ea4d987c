#pragma once
// What tests and the person running the emulator can set through "/__emulator/...": scripted
// replies, latency, HTTP errors, error pages with status 200, dropped connections, hidden WSDL documents, and the log of the
// calls received.
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace emu {

// Which requests a rule or a latency applies to: a method's calls, an endpoint's WSDL and calls,
// or the requests whose path begins with a given text; all empty: every service request.
struct RequestMatch {
    QString method;
    QString endpoint;  // lower case
    QString pathPrefix;
};

struct FaultRule {
    RequestMatch match;
    int status = 0;        // an HTTP error status, or 0 with drop
    bool drop = false;
    bool errorPage = false; // an HTML error page with status 200, as some hosts answer
    int remaining = 1;     // requests it still applies to
    int after = 0;         // matching requests it lets through to the logic first
};

// A scripted reply; the first of a queue may first let some calls of its method through.
struct ScriptedReply {
    QString reply;
    int after = 0;
};

struct CallRecord {
    QDateTime time;
    QString host;
    QString endpoint;
    QString method;
    QStringList args;      // texts; a byte array as "<N bytes>"
    QString reply;         // the reply text, or the fault text
    bool fault = false;
    bool scripted = false;
};

struct Control {
    QHash<QString, QList<ScriptedReply>> scripts;  // method -> replies to give, in order
    QList<FaultRule> faults;
    QList<QPair<RequestMatch, int>> latency; // match -> milliseconds
    QSet<QString> hiddenWsdl;                // lower-case endpoint names
    QList<CallRecord> calls;                 // the latest kMaxCalls, oldest first
    static constexpr int kMaxCalls = 200;

    void record(const CallRecord& call) {
        if (calls.size() >= kMaxCalls) calls.removeFirst();
        calls.append(call);
    }

    void clear() { *this = Control(); }
};

}  // namespace emu
