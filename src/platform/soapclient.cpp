#include "platform/soapclient.h"

#include "platform/inputguard.h"
#include "platform/serviceconfig.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

const QString kWsdlReader = QStringLiteral("WSDLReader:");

bool isHttpUrl(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == u"http" || scheme == u"https");
}

// Network-layer failures, as opposed to an HTTP status that Qt also reports as an error.
bool isTransportError(QNetworkReply::NetworkError e) {
    const int n = int(e);
    return (n >= 1 && n < 200) || (n >= 300 && n < 400);
}

QString seconds(std::chrono::milliseconds t) {
    const double s = double(t.count()) / 1000.0;
    return QString::number(s, 'g', 4);
}

}  // namespace

struct SoapClient::Transfer {
    int status = 0;                 // HTTP status, 0 when none arrived
    QByteArray body;
    bool timedOut = false;
    bool tooLarge = false;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorString;

    bool transportFailed() const { return timedOut || tooLarge || isTransportError(error) || status == 0; }
};

SoapClient::SoapClient()
    : m_manager(std::make_unique<QNetworkAccessManager>()),
      m_timeout(std::chrono::seconds(std::max(1, serviceconfig::current().timeoutSeconds))) {
    // The configured proxy lets the client reach the service (or its emulator) under its own host names.
    if (const auto proxy = serviceconfig::current().httpProxy()) {
        m_manager->setProxy(*proxy);
        m_proxyHost = proxy->hostName();
        m_proxyPort = proxy->port();
    }
}

SoapClient::~SoapClient() = default;

SoapClient::Transfer SoapClient::transfer(const QNetworkRequest& request, const QByteArray* postBody) {
    // One request at a time in the whole program: a timer firing while another request waits must
    // not start a second one inside the first one's event loop.
    if (UserInputGuard::active())
        throw VbError(soap::kErrorNumber, QStringLiteral("另一个网络请求尚未结束，请稍候再试。"));
    UserInputGuard guard;

    if (postBody && request.url().scheme().toLower() == u"http") return post(request, *postBody);
    Transfer t;
    QNetworkReply* reply = postBody ? m_manager->post(request, *postBody) : m_manager->get(request);
    std::unique_ptr<QNetworkReply> owner(reply);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        t.timedOut = true;
        reply->abort();
    });
    auto tooLarge = [&] {
        t.tooLarge = true;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_maxReplyBytes) tooLarge();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        if (t.body.size() + reply->bytesAvailable() > m_maxReplyBytes) {
            tooLarge();
            return;
        }
        t.body += reply->readAll();
    });
    if (postBody && onUploadProgress)
        QObject::connect(reply, &QNetworkReply::uploadProgress, reply, [this](qint64 sent, qint64 total) {
            if (onUploadProgress) onUploadProgress(sent, total);
        });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        deadline.start(m_timeout);
        loop.exec();
    }
    deadline.stop();
    if (!t.tooLarge && !t.timedOut) {
        if (t.body.size() + reply->bytesAvailable() > m_maxReplyBytes) t.tooLarge = true;
        else t.body += reply->readAll();
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    t.status = status.isValid() ? status.toInt() : 0;
    t.error = reply->error();
    t.errorString = reply->errorString();
    if (t.tooLarge) t.body.clear();
    return t;
}

namespace {

// An HTTP/1.1 answer read as it arrives: the head (interim 1xx answers skipped), then a body
// sized by Content-Length, in chunks, or up to the end of the connection.
class AnswerReader {
public:
    enum class Body { Unknown, Sized, Chunked, ToClose };

    explicit AnswerReader(qint64 maxBody) : m_max(maxBody) {}
    // Takes what arrived; false once the body passes the largest size accepted.
    bool feed(const QByteArray& data) {
        m_pending += data;
        while (!m_complete && !m_pending.isEmpty()) {
            if (m_kind == Body::Unknown) {
                if (!readHead()) break;
            } else if (m_kind == Body::Sized || m_kind == Body::ToClose) {
                const qint64 take = m_kind == Body::ToClose ? m_pending.size()
                                                            : qMin<qint64>(m_remaining, m_pending.size());
                body += m_pending.left(take);
                m_pending.remove(0, take);
                m_remaining -= take;
                if (m_kind == Body::Sized && m_remaining == 0) m_complete = true;
            } else if (!readChunk()) {
                break;
            }
            if (body.size() > m_max) return false;
        }
        return true;
    }
    // The connection ended: whether the answer was whole.
    bool closed() {
        if (m_kind == Body::ToClose) m_complete = true;
        return m_complete;
    }
    bool complete() const { return m_complete; }
    bool broken() const { return m_broken; }

    int status = 0;
    QByteArray body;

private:
    bool readHead() {
        const qsizetype end = m_pending.indexOf("\r\n\r\n");
        if (end < 0) {
            if (m_pending.size() > 64 * 1024) m_broken = m_complete = true;
            return false;
        }
        const QList<QByteArray> lines = m_pending.left(end).split('\n');
        m_pending.remove(0, end + 4);
        const QList<QByteArray> statusLine = lines.value(0).trimmed().split(' ');
        bool ok = false;
        const int code = statusLine.value(1).toInt(&ok);
        if (!statusLine.value(0).startsWith("HTTP/") || !ok) {
            m_broken = m_complete = true;
            return false;
        }
        if (code >= 100 && code < 200) return true;  // the final answer follows
        status = code;
        m_kind = Body::ToClose;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "transfer-encoding" && value.toLower().contains("chunked")) {
                m_kind = Body::Chunked;
            } else if (name == "content-length" && m_kind != Body::Chunked) {
                m_remaining = value.toLongLong(&ok);
                if (!ok || m_remaining < 0) {
                    m_broken = m_complete = true;
                    return false;
                }
                m_kind = Body::Sized;
            }
        }
        if (m_kind == Body::Sized && m_remaining == 0) m_complete = true;
        return true;
    }
    bool readChunk() {
        if (m_remaining > 0) {
            const qint64 take = qMin<qint64>(m_remaining, m_pending.size());
            body += m_pending.left(take);
            m_pending.remove(0, take);
            m_remaining -= take;
            return !m_pending.isEmpty();
        }
        const qsizetype lineEnd = m_pending.indexOf("\r\n");
        if (lineEnd < 0) return false;
        const QByteArray line = m_pending.left(lineEnd).trimmed();
        if (line.isEmpty()) {  // the end of the chunk before
            m_pending.remove(0, lineEnd + 2);
            return true;
        }
        bool ok = false;
        const qint64 size = line.split(';').value(0).trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0) {
            m_broken = m_complete = true;
            return false;
        }
        m_pending.remove(0, lineEnd + 2);
        if (size == 0) {
            m_complete = true;  // trailers, if any, are not needed
            return false;
        }
        m_remaining = size;
        return true;
    }

    qint64 m_max;
    Body m_kind = Body::Unknown;
    qint64 m_remaining = 0;
    QByteArray m_pending;
    bool m_complete = false;
    bool m_broken = false;
};

QNetworkReply::NetworkError NetworkErrorOf(QAbstractSocket::SocketError e, bool viaProxy) {
    switch (e) {
    case QAbstractSocket::ConnectionRefusedError:
        return viaProxy ? QNetworkReply::ProxyConnectionRefusedError : QNetworkReply::ConnectionRefusedError;
    case QAbstractSocket::RemoteHostClosedError:
        return viaProxy ? QNetworkReply::ProxyConnectionClosedError : QNetworkReply::RemoteHostClosedError;
    case QAbstractSocket::HostNotFoundError:
        return viaProxy ? QNetworkReply::ProxyNotFoundError : QNetworkReply::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError: return QNetworkReply::TimeoutError;
    default: return QNetworkReply::UnknownNetworkError;
    }
}

}  // namespace

SoapClient::Transfer SoapClient::post(const QNetworkRequest& request, const QByteArray& body) {
    // Qt's network access writes a request's head and body in pieces and leaves Nagle's algorithm
    // on, so a server that delays its acknowledgements (most do) holds each call up to 40 ms. Here
    // the request goes out whole, in one write, with TCP_NODELAY, on a connection of its own.
    const QUrl url = request.url();
    const bool viaProxy = m_proxyPort != 0;
    QByteArray target = viaProxy ? url.toEncoded(QUrl::RemoveFragment | QUrl::RemoveUserInfo)
                                 : url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (target.isEmpty()) target = "/";
    QByteArray head = "POST " + target + " HTTP/1.1\r\nHost: " + url.host(QUrl::FullyEncoded).toUtf8();
    if (url.port() >= 0) head += ':' + QByteArray::number(url.port());
    head += "\r\n";
    for (const QByteArray& name : request.rawHeaderList()) head += name + ": " + request.rawHeader(name) + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    const qint64 headSize = head.size();

    Transfer t;
    AnswerReader answer(m_maxReplyBytes);
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool done = false;
    const auto finish = [&] {
        done = true;
        loop.quit();
    };
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        t.timedOut = true;
        finish();
    });
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        socket.write(head + body);
    });
    qint64 written = 0;
    QObject::connect(&socket, &QTcpSocket::bytesWritten, &loop, [&](qint64 n) {
        written += n;
        if (onUploadProgress) onUploadProgress(qBound<qint64>(0, written - headSize, body.size()), body.size());
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
        if (!answer.feed(socket.readAll())) {
            t.tooLarge = true;
            finish();
        } else if (answer.complete()) {
            finish();
        }
    });
    const auto ended = [&] {
        if (done) return;
        if (!answer.feed(socket.readAll())) t.tooLarge = true;
        else if (!answer.closed() && t.error == QNetworkReply::NoError)
            t.error = NetworkErrorOf(QAbstractSocket::RemoteHostClosedError, viaProxy && answer.status == 0);
        finish();
    };
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, ended);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError e) {
        if (done || answer.complete()) return;
        if (e != QAbstractSocket::RemoteHostClosedError) {
            t.error = NetworkErrorOf(e, viaProxy);
            t.errorString = socket.errorString();
            finish();
            return;
        }
        ended();
    });
    deadline.start(m_timeout);
    socket.connectToHost(viaProxy ? m_proxyHost : url.host(), viaProxy ? m_proxyPort : quint16(url.port(80)));
    if (!done) loop.exec();
    deadline.stop();
    socket.abort();
    if (!t.timedOut && !t.tooLarge && t.error == QNetworkReply::NoError && answer.broken())
        t.error = QNetworkReply::ProtocolFailure;
    if (t.error != QNetworkReply::NoError && t.errorString.isEmpty())
        t.errorString = QStringLiteral("connection closed before the whole answer arrived");
    t.status = t.timedOut || t.error != QNetworkReply::NoError ? 0 : answer.status;
    if (!t.tooLarge && t.status != 0) t.body = answer.body;
    return t;
}

void SoapClient::MSSoapInit(const QString& wsdlUrl, const QString&, const QString&, const QString&) {
    m_initialised = false;
    m_wsdlUrl = wsdlUrl;
    const QString head = kWsdlReader + QStringLiteral("无法载入服务描述文档（") + wsdlUrl + QStringLiteral("）：");
    const QUrl url(wsdlUrl.trimmed(), QUrl::StrictMode);
    if (!isHttpUrl(url)) throw VbError(soap::kErrorNumber, head + QStringLiteral("地址无效"));

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tavolin SOAP"));
    request.setRawHeader("Accept", "text/xml, application/xml");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    const Transfer t = transfer(request, nullptr);
    if (t.timedOut) throw VbError(soap::kErrorNumber, head + QStringLiteral("超时（%1 秒）").arg(seconds(m_timeout)));
    if (t.tooLarge) throw VbError(soap::kErrorNumber, head + QStringLiteral("文档过大"));
    if (t.transportFailed()) throw VbError(soap::kErrorNumber, head + t.errorString);
    if (t.status != 200) throw VbError(soap::kErrorNumber, head + QStringLiteral("HTTP %1").arg(t.status));
    try {
        m_wsdl = soap::ParseWsdl(t.body);
    } catch (const VbError& e) {
        throw VbError(soap::kErrorNumber, head + e.description());
    }
    // A relative address is relative to the WSDL document.
    const QUrl address = url.resolved(QUrl(m_wsdl.address));
    if (!isHttpUrl(address)) throw VbError(soap::kErrorNumber, head + QStringLiteral("服务地址无效：") + m_wsdl.address);
    m_wsdl.address = address.toString();
    m_initialised = true;
}

QString SoapClient::call(const QString& method, const QList<SoapArgument>& args) {
    if (!m_initialised)
        throw VbError(soap::kErrorNumber, QStringLiteral("SOAP客户端尚未载入服务描述文档，不能调用") + method);
    const soap::WsdlOperation* op = m_wsdl.operation(method);
    if (!op) throw VbError(kNoSuchMethod, QStringLiteral("服务没有此方法：") + method);
    if (op->inputs.size() != args.size())
        throw VbError(kWrongArgumentCount, QStringLiteral("调用%1的参数个数不对：需要%2个，给了%3个")
                                               .arg(op->name).arg(op->inputs.size()).arg(args.size()));
    QList<soap::Arg> wire;
    wire.reserve(args.size());
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& name = op->inputs.at(i).name;
        wire.append(args.at(i).binary() ? soap::Arg::Bytes(name, args.at(i).bytes())
                                        : soap::Arg::Text(name, args.at(i).text()));
    }
    const QByteArray envelope = soap::BuildRequest(op->requestNamespace, op->name, wire);

    const QString head = QStringLiteral("调用服务方法%1失败：").arg(op->name);
    QNetworkRequest request{QUrl(m_wsdl.address)};
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/xml; charset=utf-8"));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tavolin SOAP"));
    const QString action = op->soapAction.isEmpty() ? soap::DefaultSoapAction(op->requestNamespace, op->name)
                                                    : op->soapAction;
    request.setRawHeader("SOAPAction", '"' + action.toUtf8() + '"');
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    const Transfer t = transfer(request, &envelope);
    if (t.timedOut)
        throw VbError(soap::kErrorNumber, head + QStringLiteral("超时（%1 秒）").arg(seconds(m_timeout)),
                      QLatin1String(kUnansweredSource));
    if (t.tooLarge) throw VbError(soap::kErrorNumber, head + QStringLiteral("回答过大"));
    if (t.transportFailed()) {
        // The network layer's words are English internals: the log keeps them, the member reads
        // what failed.
        qWarning("tavolin: %s: %s", qUtf8Printable(op->name), qUtf8Printable(t.errorString));
        throw VbError(soap::kErrorNumber, head + QStringLiteral("与服务器的连接失败"));
    }

    // A fault may come with status 500 (the usual) or 200; any other status is an HTTP error.
    soap::Response response;
    try {
        response = soap::ParseResponse(t.body, op->name);
    } catch (const VbError& e) {
        if (t.status != 200) throw VbError(soap::kErrorNumber, head + QStringLiteral("HTTP %1").arg(t.status));
        throw VbError(soap::kErrorNumber, head + e.description());
    }
    if (response.isFault) {
        QString text = head + QStringLiteral("服务器报告SOAP错误");
        if (!response.fault.code.isEmpty()) text += QStringLiteral("（") + response.fault.code + QStringLiteral("）");
        text += QStringLiteral("：") + response.fault.string;
        throw VbError(soap::kErrorNumber, text);
    }
    if (t.status != 200) throw VbError(soap::kErrorNumber, head + QStringLiteral("HTTP %1").arg(t.status));
    return response.result;
}
