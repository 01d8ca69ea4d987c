#pragma once
// A plain HTTP/1.1 file server on a loopback port for download tests: serves what a test set up
// per path (any status, any body), can break a transfer off halfway, and counts the requests.
// It runs on the test's thread; the synchronous client's local event loop drives it.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>

namespace testsupport {

class FileHttpServer : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "image/jpeg";
        // Bytes of the body sent before the connection is closed (the header still announces the
        // whole length); -1 sends it all.
        qint64 dropAfter = -1;
        // With dropAfter: keep the connection open after those bytes instead (a stalled transfer).
        bool stall = false;
    };

    FileHttpServer();
    // "http://127.0.0.1:<port>" followed by the path.
    QString url(const QString& path) const;
    quint16 port() const { return m_server.serverPort(); }
    // The path is what the request line names: "/a.jpg", or a whole address when the server
    // stands as a proxy.
    void serve(const QString& path, const Reply& reply) { m_replies.insert(path, reply); }
    // Paths requested so far, in order. Unknown paths get a 404.
    const QStringList& requests() const { return m_requests; }

private:
    void onConnection();
    QTcpServer m_server;
    QHash<QString, Reply> m_replies;
    QStringList m_requests;
};

}  // namespace testsupport
