#include "support/filehttpserver.h"

#include <QTcpSocket>

namespace testsupport {

FileHttpServer::FileHttpServer() {
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] { onConnection(); });
}

QString FileHttpServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
}

void FileHttpServer::onConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0) return;
            // The request line: "GET /path HTTP/1.1".
            const QList<QByteArray> parts = buffer->left(buffer->indexOf("\r\n")).split(' ');
            buffer->clear();
            const QString path = parts.size() > 1 ? QString::fromUtf8(parts[1]) : QString();
            m_requests.append(path);
            Reply reply;
            if (m_replies.contains(path)) {
                reply = m_replies.value(path);
            } else {
                reply.status = 404;
                reply.body = "<html><body>Not Found</body></html>";
                reply.contentType = "text/html";
            }
            QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " X\r\n";
            head += "Content-Type: " + reply.contentType + "\r\n";
            head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
            head += "Connection: close\r\n\r\n";
            socket->write(head);
            socket->write(reply.dropAfter < 0 ? reply.body : reply.body.left(reply.dropAfter));
            if (!(reply.stall && reply.dropAfter >= 0)) socket->disconnectFromHost();
        });
    }
}

}  // namespace testsupport
