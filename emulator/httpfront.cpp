#include "emulator/httpfront.h"

#include "platform/vberror.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtHttpServer/QHttpServerRequest>

#include <deque>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace emu {

namespace {

constexpr int kMaxHeadBytes = 64 * 1024;

// Follows the requests of one connection as they arrive: finds each head, answers
// "Expect: 100-continue", and refuses a body beyond the cap (declared or sent) with 413.
class ConnectionGuard : public QObject {
    static constexpr char kName[] = "emu-connection-guard";

public:
    ConnectionGuard(QTcpSocket* socket, qint64 maxBody, const ConnectionLimits& limits)
        : QObject(socket), m_socket(socket), m_max(maxBody), m_quickAck(limits.delayedAcks ? 0 : 1) {
        setObjectName(QLatin1String(kName));
        connect(socket, &QTcpSocket::readyRead, this, [this] { onReadyRead(); });
        // Each connection costs a descriptor: one that says nothing, or never finishes its head,
        // is closed rather than held until the process runs out of them.
        m_idle.setSingleShot(true);
        m_idle.setInterval(limits.idleMs);
        connect(&m_idle, &QTimer::timeout, this, [this] { timedOut(); });
        m_idle.start();
        m_headTimer.setSingleShot(true);
        m_headTimer.setInterval(limits.headMs);
        connect(&m_headTimer, &QTimer::timeout, this, [this] { timedOut(); });
    }
    // Found by name: without Q_OBJECT the class has no meta-object of its own to look for.
    static ConnectionGuard* of(QTcpSocket* socket) {
        return static_cast<ConnectionGuard*>(socket->findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
    }
    // The request was read whole: what comes next is the head of the next request.
    void answered() {
        if (m_state == State::Chunked) {
            m_state = State::Head;
            m_head.clear();
        }
    }
    bool refused() const { return m_state == State::Refused; }

    // Answers leave in the order their requests came: a delayed answer holds back the answers of
    // the requests behind it on the same connection, which would otherwise overtake it (and, with
    // "Connection: close", shut the connection under it).
    void enqueue(const HttpResponse& response, bool headRequest, bool close) {
        answered();
        const quint64 id = ++m_lastAnswer;
        m_answers.push_back(Answer{id, response, headRequest, close, response.delayMs <= 0});
        // The timer belongs to the guard, so it dies with the connection.
        if (response.delayMs > 0) QTimer::singleShot(response.delayMs, this, [this, id] { ready(id); });
        flush();
    }

private:
    enum class State { Head, Body, Chunked, Refused };

    void timedOut() {
        // An answer still on its way (a delayed one) keeps the connection.
        if (!m_answers.empty()) {
            m_idle.start();
            return;
        }
        m_socket->abort();
    }

    void onReadyRead() {
        // Acknowledge at once: a client that writes its request in pieces without TCP_NODELAY
        // otherwise waits for the delayed acknowledgement, 40 ms a call. The kernel resets the
        // option by itself, so it is set again at every read, also in the delayed mode.
        ::setsockopt(int(m_socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &m_quickAck, sizeof m_quickAck);
        m_idle.start();
        if (m_state == State::Refused) {
            m_socket->skip(m_socket->bytesAvailable());  // nothing more reaches the server
            return;
        }
        feed(m_socket->peek(m_socket->bytesAvailable()));
    }

    void feed(QByteArray data) {
        while (!data.isEmpty() && m_state != State::Refused) {
            if (m_state == State::Head) {
                if (m_head.isEmpty() && !m_headTimer.isActive()) m_headTimer.start();
                m_head += data;
                data.clear();
                const qsizetype end = m_head.indexOf("\r\n\r\n");
                if (end < 0) {
                    if (m_head.size() > kMaxHeadBytes) refuse(431);
                    return;
                }
                data = m_head.mid(end + 4);
                m_headTimer.stop();
                headComplete(m_head.left(end));
                m_head.clear();
            } else if (m_state == State::Body) {
                const qint64 take = qMin<qint64>(m_remaining, data.size());
                m_remaining -= take;
                data = data.mid(take);
                if (m_remaining == 0) m_state = State::Head;
            } else {  // chunked: counted until the answer
                m_chunked += data.size();
                data.clear();
                if (m_chunked > m_max) refuse(413);
            }
        }
    }

    void headComplete(const QByteArray& head) {
        qint64 length = 0;
        bool chunked = false, expectContinue = false;
        const QList<QByteArray> lines = head.split('\n');
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length") {
                bool ok = false;
                length = value.toLongLong(&ok);
                if (!ok || length < 0) length = m_max + 1;
            } else if (name == "transfer-encoding") {
                chunked = value.toLower().contains("chunked");
            } else if (name == "expect") {
                expectContinue = value.toLower() == "100-continue";
            }
        }
        if (length > m_max) {
            refuse(413);
            return;
        }
        if (expectContinue) m_socket->write("HTTP/1.1 100 Continue\r\n\r\n");
        if (chunked) {
            m_state = State::Chunked;
            m_chunked = 0;
        } else if (length > 0) {
            m_state = State::Body;
            m_remaining = length;
        }
    }

    struct Answer {
        quint64 id;
        HttpResponse response;
        bool headRequest;
        bool close;
        bool ready;
    };

    void ready(quint64 id) {
        for (Answer& a : m_answers)
            if (a.id == id) a.ready = true;
        flush();
    }

    void flush() {
        while (!m_answers.empty() && m_answers.front().ready) {
            const Answer a = m_answers.front();
            m_answers.pop_front();
            if (m_socket->state() != QAbstractSocket::ConnectedState) {
                m_answers.clear();
                return;
            }
            WriteResponse(m_socket, a.response, a.headRequest, a.close);
            m_idle.start();
            if (a.close || a.response.drop) {
                m_answers.clear();  // the connection is closing: nothing more goes out on it
                return;
            }
        }
    }

    void refuse(int status) {
        m_state = State::Refused;
        HttpResponse r = HttpResponse::Text(status == 413 ? QStringLiteral("请求内容过大。") : QStringLiteral("请求头过大。"), status);
        m_socket->skip(m_socket->bytesAvailable());
        m_socket->write(SerializeResponse(r, false, true));
        m_socket->disconnectFromHost();
    }

    QTcpSocket* m_socket;
    qint64 m_max;
    State m_state = State::Head;
    QByteArray m_head;
    qint64 m_remaining = 0;
    qint64 m_chunked = 0;
    int m_quickAck;
    std::deque<Answer> m_answers;
    quint64 m_lastAnswer = 0;
    QTimer m_idle;
    QTimer m_headTimer;
};

// Hands each new connection a guard before the HTTP server connects its own reader, so the guard
// sees every byte first.
class GuardedTcpServer : public QTcpServer {
public:
    GuardedTcpServer(qint64 maxBody, const ConnectionLimits& limits, QObject* parent)
        : QTcpServer(parent), m_max(maxBody), m_limits(limits) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        new ConnectionGuard(socket, m_max, m_limits);
        addPendingConnection(socket);
    }

private:
    qint64 m_max;
    ConnectionLimits m_limits;
};

QByteArray MethodName(QHttpServerRequest::Method m) {
    switch (m) {
    case QHttpServerRequest::Method::Get: return "GET";
    case QHttpServerRequest::Method::Put: return "PUT";
    case QHttpServerRequest::Method::Delete: return "DELETE";
    case QHttpServerRequest::Method::Post: return "POST";
    case QHttpServerRequest::Method::Head: return "HEAD";
    case QHttpServerRequest::Method::Options: return "OPTIONS";
    case QHttpServerRequest::Method::Patch: return "PATCH";
    case QHttpServerRequest::Method::Connect: return "CONNECT";
    case QHttpServerRequest::Method::Trace: return "TRACE";
    default: return QByteArray();
    }
}

}  // namespace

void WriteResponse(QTcpSocket* socket, const HttpResponse& response, bool headRequest, bool close) {
    if (response.drop) {
        // Broken off halfway: the head and part of the body, then the connection closes. (A
        // connection closed before any answer would be sent again by the client's network layer.)
        HttpResponse partial = response;
        partial.contentType = "text/xml; charset=utf-8";
        partial.body = QByteArray(64, ' ');
        QByteArray bytes = SerializeResponse(partial, false, true);
        bytes.replace("Content-Length: 64", "Content-Length: 4096");
        socket->write(bytes);
        socket->disconnectFromHost();
        return;
    }
    socket->write(SerializeResponse(response, headRequest, close));
    if (close) socket->disconnectFromHost();
}

HttpFront::HttpFront(Handler handler, qint64 maxBodyBytes, const ConnectionLimits& limits, QObject* parent)
    : QAbstractHttpServer(parent), m_handler(std::move(handler)), m_max(maxBodyBytes), m_limits(limits) {}

quint16 HttpFront::listenLocal(quint16 port, QString* error) {
    auto* server = new GuardedTcpServer(m_max, m_limits, this);
    if (!server->listen(QHostAddress::LocalHost, port)) {
        if (error) *error = server->errorString();
        delete server;
        return 0;
    }
    bind(server);
    return server->serverPort();
}

bool HttpFront::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    if (auto* guard = ConnectionGuard::of(socket); guard && guard->refused()) return true;
    HttpRequest r;
    r.method = MethodName(request.method());
    const QUrl url = request.url();
    // Qt reads the host from the Host header when there is one, else from an absolute request line.
    r.host = url.host().toLower();
    r.authority = url.port() > 0 ? r.host + QLatin1Char(':') + QString::number(url.port()) : r.host;
    // Every escape decoded, "%23" and "%25" too, so a hosted file's album or name holding them is found.
    const QString path = DecodeUrlText(url.path(QUrl::FullyEncoded));
    r.path = path.isEmpty() ? QStringLiteral("/") : path;
    r.query = request.query();
    r.headers = request.headers();
    r.body = request.body();

    const bool head = r.method == "HEAD";
    const bool close = r.header("Connection").toLower().contains("close");
    Answer(socket, HandleGuarded(m_handler, r), head, close);
    return true;
}

HttpResponse HandleGuarded(const std::function<HttpResponse(const HttpRequest&)>& handler, const HttpRequest& r) {
    // No request may end the process: whatever escapes the handling of one is logged and answered
    // with 500, and the server goes on serving the others.
    QString why;
    try {
        return handler(r);
    } catch (const VbError& e) {
        why = e.description();
    } catch (const std::exception& e) {
        why = QString::fromLocal8Bit(e.what());
    } catch (...) {
        why = QStringLiteral("unknown exception");
    }
    qWarning("tavolin-service: %s %s failed: %s", r.method.constData(), qUtf8Printable(r.path), qUtf8Printable(why));
    return HttpResponse::Text(QStringLiteral("服务器内部错误。"), 500);
}

void HttpFront::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    Answer(socket, HttpResponse::Text(QStringLiteral("Not Found"), 404), false, false);
}

void HttpFront::Answer(QTcpSocket* socket, const HttpResponse& response, bool headRequest, bool close) {
    if (auto* guard = ConnectionGuard::of(socket)) {
        guard->enqueue(response, headRequest, close);
        return;
    }
    // A socket without a guard (none is made that way): at once, or later while it still lives.
    if (response.delayMs <= 0) {
        WriteResponse(socket, response, headRequest, close);
        return;
    }
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(response.delayMs, socket, [alive, response, headRequest, close] {
        if (alive && alive->state() == QAbstractSocket::ConnectedState) WriteResponse(alive, response, headRequest, close);
    });
}

}  // namespace emu
