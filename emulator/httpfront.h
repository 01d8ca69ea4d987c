#pragma once
// The HTTP side of the emulator over Qt HttpServer's low-level server, with what that server
// leaves to us: a guard reads each request head before the server does, answers
// "Expect: 100-continue", and refuses bodies over the cap with 413 before they pile up in memory;
// answers are written by us, so HEAD works and a delayed answer goes out only while its client's
// socket still exists.
#include "emulator/http.h"

#include <QtHttpServer/QAbstractHttpServer>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace emu {

// How long a connection may stay silent, and how long the head of a request may take to arrive,
// before the connection is closed.
struct ConnectionLimits {
    int idleMs = 60000;
    int headMs = 30000;
    // Acknowledge as a server with delayed acknowledgements does (up to 40 ms after a read) rather
    // than at once, to measure what a client that writes a request in pieces loses on a network.
    bool delayedAcks = false;
};

class HttpFront : public QAbstractHttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    HttpFront(Handler handler, qint64 maxBodyBytes, const ConnectionLimits& limits = {}, QObject* parent = nullptr);

    // Listens on 127.0.0.1 at the port (0: a free one); the port, or 0 on failure.
    quint16 listenLocal(quint16 port, QString* error);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    // Hands the answer to the connection's queue, which sends it in its request's turn.
    static void Answer(QTcpSocket* socket, const HttpResponse& response, bool headRequest, bool close);

    Handler m_handler;
    qint64 m_max;
    ConnectionLimits m_limits;
};

// The handler's answer to the request, or 500 when handling it threw (logged on stderr).
HttpResponse HandleGuarded(const std::function<HttpResponse(const HttpRequest&)>& handler, const HttpRequest& r);

// Writes the response on the socket now (or breaks it off and closes the connection for a dropped
// answer).
void WriteResponse(QTcpSocket* socket, const HttpResponse& response, bool headRequest, bool close);

}  // namespace emu
