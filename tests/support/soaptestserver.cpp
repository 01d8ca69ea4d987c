#include "support/soaptestserver.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace testsupport {

QByteArray SoapTestServer::Received::header(const QByteArray& name) const {
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0) return h.second;
    return QByteArray();
}

SoapTestServer::SoapTestServer() {
    m_port = listen(QHostAddress::LocalHost, 0);
    wsdl = makeWsdl(base() + QStringLiteral("/soap"), {{QStringLiteral("Echo"), {QStringLiteral("a")}}});
}

QString SoapTestServer::base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

QList<SoapTestServer::Received> SoapTestServer::posts() const {
    QList<Received> out;
    for (const Received& r : received)
        if (r.verb == "POST") out.append(r);
    return out;
}

soap::Wsdl SoapTestServer::makeWsdl(const QString& address, const QList<QPair<QString, QStringList>>& operations,
                                    const QString& serviceName) {
    soap::Wsdl w;
    w.targetNamespace = QStringLiteral("http://tempuri.org/");
    w.serviceName = serviceName;
    w.address = address;
    for (const auto& [name, params] : operations) {
        soap::WsdlOperation op;
        op.name = name;
        for (const QString& p : params)
            op.inputs.append({p, p.endsWith(QLatin1String("Data")) ? QStringLiteral("base64Binary") : QStringLiteral("string")});
        w.operations.append(op);
    }
    return w;
}

bool SoapTestServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    Received r;
    r.verb = request.method() == QHttpServerRequest::Method::Post ? QByteArray("POST") : QByteArray("GET");
    r.url = request.url();
    r.headers = request.headers();
    r.body = request.body();
    received.append(r);

    Answer a;
    if (r.verb == "GET") {
        if (!getAnswers.isEmpty()) a = getAnswers.takeFirst();
        else a.body = soap::BuildWsdl(wsdl);
    } else if (!postAnswers.isEmpty()) {
        a = postAnswers.takeFirst();
    } else if (onPost) {
        a = onPost(r);
    } else {
        try {
            const soap::Request req = soap::ParseRequest(r.body);
            a.body = soap::BuildResponse(req.ns, req.method, result);
        } catch (const VbError& e) {
            a.status = 500;
            a.body = soap::BuildFault(QStringLiteral("soap:Client"), e.description());
        }
    }
    if (a.kind == Answer::Never) return true;  // keep the connection open, say nothing
    if (a.delayMs > 0) {
        QPointer<QTcpSocket> s(socket);
        QTimer::singleShot(a.delayMs, this, [s, a] {
            if (s) send(s, a);
        });
    } else {
        send(socket, a);
    }
    return true;
}

void SoapTestServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    send(socket, Answer{404, "not found", "text/plain"});
}

void SoapTestServer::send(QTcpSocket* socket, const Answer& a) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) + (a.status == 200 ? " OK" : " Error") + "\r\n";
    head += "Content-Type: " + a.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n\r\n";
    if (a.kind == Answer::DropHalfway) {
        // Half the promised body, then a clean close: the client sees the connection end early.
        socket->write(head + a.body.left(a.body.size() / 2));
        socket->disconnectFromHost();
        return;
    }
    socket->write(head + a.body);
}

}  // namespace testsupport
