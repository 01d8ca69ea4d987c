#pragma once
// A SOAP client in the manner of the old toolkit: initialised from a WSDL address, then methods are
// called by name with their arguments in order and give back one text.
//
// Calls are synchronous on the user-interface thread: the request waits in a local event loop while
// a UserInputGuard discards the member's clicks and keys (paint events and timers still run), so a
// timer that starts another request while one waits is refused with an error. Every request is
// bounded by a total time-out and the reply by a size cap. The configured proxy is honoured.
//
// Errors are VbError. A WSDL that cannot be loaded (unreachable, HTTP error, not a WSDL, timed out)
// gives a description that contains "WSDLReader", the test by which callers open the network-error
// window; transport errors, HTTP errors, SOAP faults, malformed replies and a timed-out call give
// ordinary descriptions.
#include "platform/soapmessage.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkRequest;

// One argument of a call: a text (sent as xsd:string) or a byte array (sent as base64Binary).
class SoapArgument {
public:
    SoapArgument(const QString& text) : m_text(text) {}                          // NOLINT: implicit on purpose
    SoapArgument(const char* utf8) : m_text(QString::fromUtf8(utf8)) {}          // NOLINT
    SoapArgument(const QByteArray& bytes) : m_bytes(bytes), m_binary(true) {}    // NOLINT
    bool binary() const { return m_binary; }
    const QString& text() const { return m_text; }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QString m_text;
    QByteArray m_bytes;
    bool m_binary = false;
};

class SoapClient {
public:
    // The time-out comes from serviceconfig::current().timeoutSeconds.
    SoapClient();
    ~SoapClient();
    SoapClient(const SoapClient&) = delete;
    SoapClient& operator=(const SoapClient&) = delete;

    // Loads and reads the WSDL document at wsdlUrl. The other three arguments are the old toolkit's
    // service, port and WSML, always empty; they are accepted and ignored.
    void MSSoapInit(const QString& wsdlUrl, const QString& serviceName = QString(),
                    const QString& port = QString(), const QString& wsml = QString());

    // Calls the operation method with args in the order of its WSDL parameters and returns the text
    // of <methodResult>. A SOAP fault, an HTTP error, a reply that is not a SOAP envelope, a dropped
    // connection or the time-out throws VbError.
    QString call(const QString& method, const QList<SoapArgument>& args);

    bool initialised() const { return m_initialised; }
    const soap::Wsdl& wsdl() const { return m_wsdl; }

    // Optional: hears the bytes of a call's request sent so far of its total, while it waits.
    std::function<void(qint64 sent, qint64 total)> onUploadProgress;

    // Test seams: the total time-out of each request and the largest reply accepted.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    std::chrono::milliseconds timeout() const { return m_timeout; }
    void setMaxReplyBytes(qint64 bytes) { m_maxReplyBytes = bytes; }

    static constexpr qint64 kDefaultMaxReplyBytes = 32 * 1024 * 1024;
    // Runtime error numbers used besides soap::kErrorNumber.
    static constexpr int kNoSuchMethod = 438;       // "object doesn't support this property or method"
    static constexpr int kWrongArgumentCount = 450;
    // The source of the error a call throws when its request went out and no answer came within
    // the time-out: the service may well have done what was asked.
    static constexpr char kUnansweredSource[] = "SoapClient.call: unanswered";
    static bool Unanswered(const VbError& e) { return e.source() == QLatin1String(kUnansweredSource); }

private:
    struct Transfer;
    Transfer transfer(const QNetworkRequest& request, const QByteArray* postBody);
    Transfer post(const QNetworkRequest& request, const QByteArray& body);

    std::unique_ptr<QNetworkAccessManager> m_manager;
    QString m_proxyHost;  // the configured HTTP proxy; port 0 when there is none
    quint16 m_proxyPort = 0;
    soap::Wsdl m_wsdl;
    QString m_wsdlUrl;
    bool m_initialised = false;
    std::chrono::milliseconds m_timeout;
    qint64 m_maxReplyBytes = kDefaultMaxReplyBytes;
};
