#pragma once
// A real HTTP server on a loopback port for SOAP client tests: serves a WSDL on GET, answers POSTs
// with a response envelope (or whatever a test queues: HTTP errors, faults, delays, silence, a
// connection dropped halfway, huge bodies) and records every request it received.
// It also accepts proxy-form requests, so it can stand as the configured proxy for service hosts.
#include <QAbstractHttpServer>
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

#include "platform/soapmessage.h"

class QTcpSocket;

namespace testsupport {

class SoapTestServer : public QAbstractHttpServer {
public:
    struct Received {
        QByteArray verb;  // "GET" or "POST"
        QUrl url;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        QByteArray header(const QByteArray& name) const;  // case-insensitive, empty when absent
    };
    struct Answer {
        enum Kind { Whole, Never, DropHalfway };
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/xml; charset=utf-8";
        int delayMs = 0;
        Kind kind = Whole;
    };

    SoapTestServer();
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    QString base() const;

    // Served on GET when no GET answer is queued; its address defaults to base() + "/soap".
    soap::Wsdl wsdl;
    // Queued answers, used in order; when empty, GET serves the WSDL and POST answers
    // <MResponse><MResult>result</MResult> for the method it received.
    QList<Answer> getAnswers;
    QList<Answer> postAnswers;
    QString result = QStringLiteral("OK_0001");
    // Called for every POST that has no queued answer, in place of the default result.
    std::function<Answer(const Received&)> onPost;

    QList<Received> received;
    QList<Received> posts() const;

    // A WSDL of one operation per name, each with the given parameter names as xsd:string
    // (a name ending in "Data" is base64Binary), at address.
    static soap::Wsdl makeWsdl(const QString& address, const QList<QPair<QString, QStringList>>& operations,
                               const QString& serviceName = QStringLiteral("testser"));

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    static void send(QTcpSocket* socket, const Answer& answer);
    quint16 m_port = 0;
};

}  // namespace testsupport
