#pragma once
// The emulator's view of one HTTP exchange, free of sockets, so routing and answers can be
// exercised directly.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrlQuery>

namespace emu {

struct HttpRequest {
    QByteArray method;       // "GET", "POST", "HEAD", ...
    QString host;            // lower-case host name, no port
    QString authority;       // host and port as the client named them ("www.x.test", "127.0.0.1:8080")
    QString path;            // decoded path (DecodeUrlText), "/" at least
    QUrlQuery query;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray& name) const;
    // The query's keys and values, decoded. Pages of the member's site address the service in
    // their own code page, so a value that is not UTF-8 is read as GBK, as the service does.
    QList<QPair<QString, QString>> queryItems() const;
    // The value of a query key, letter case of the key ignored.
    QString queryValue(const QString& key) const;
    bool hasQueryKey(const QString& key) const;
};

struct HttpResponse {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    int delayMs = 0;         // answer after this long (only while the client's connection lives)
    bool drop = false;       // break the answer off halfway and close the connection

    static HttpResponse Html(const QString& html, int status = 200);
    static HttpResponse Text(const QString& text, int status);
    static HttpResponse Json(const QByteArray& json, int status = 200);
    static HttpResponse Bytes(const QByteArray& bytes, const QByteArray& contentType);
};

// Percent-encoded text of an address (a path or a query item) as the service reads it: UTF-8, or
// GBK when the bytes are no UTF-8, as pages in the member's code page send them.
QString DecodeUrlText(const QString& encoded);

// "Not Found" for 404 and so on; "Unknown" for codes without a phrase here.
QByteArray ReasonPhrase(int status);
// The whole response as it goes on the wire; without the body for a HEAD request.
QByteArray SerializeResponse(const HttpResponse& r, bool headRequest, bool closeConnection);

}  // namespace emu
