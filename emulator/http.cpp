#include "emulator/http.h"

#include "platform/ansi.h"

#include <QStringDecoder>

namespace emu {

QString DecodeUrlText(const QString& encoded) {
    const QByteArray bytes = QByteArray::fromPercentEncoding(encoded.toUtf8());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? AnsiCodec::decode(bytes) : text;
}

QList<QPair<QString, QString>> HttpRequest::queryItems() const {
    QList<QPair<QString, QString>> out;
    for (const auto& item : query.queryItems(QUrl::FullyEncoded))
        out.append({DecodeUrlText(item.first), DecodeUrlText(item.second)});
    return out;
}

QByteArray HttpRequest::header(const QByteArray& name) const {
    for (const auto& h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0) return h.second;
    return QByteArray();
}

QString HttpRequest::queryValue(const QString& key) const {
    for (const auto& item : queryItems())
        if (item.first.compare(key, Qt::CaseInsensitive) == 0) return item.second;
    return QString();
}

bool HttpRequest::hasQueryKey(const QString& key) const {
    for (const auto& item : queryItems())
        if (item.first.compare(key, Qt::CaseInsensitive) == 0) return true;
    return false;
}

HttpResponse HttpResponse::Html(const QString& html, int status) {
    HttpResponse r;
    r.status = status;
    r.body = html.toUtf8();
    return r;
}

HttpResponse HttpResponse::Text(const QString& text, int status) {
    HttpResponse r;
    r.status = status;
    r.contentType = "text/plain; charset=utf-8";
    r.body = text.toUtf8();
    return r;
}

HttpResponse HttpResponse::Json(const QByteArray& json, int status) {
    HttpResponse r;
    r.status = status;
    r.contentType = "application/json";
    r.body = json;
    return r;
}

HttpResponse HttpResponse::Bytes(const QByteArray& bytes, const QByteArray& contentType) {
    HttpResponse r;
    r.contentType = contentType;
    r.body = bytes;
    return r;
}

QByteArray ReasonPhrase(int status) {
    switch (status) {
    case 100: return "Continue";
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 413: return "Payload Too Large";
    case 417: return "Expectation Failed";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Unknown";
    }
}

QByteArray SerializeResponse(const HttpResponse& r, bool headRequest, bool closeConnection) {
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + ReasonPhrase(r.status) + "\r\n";
    if (!r.contentType.isEmpty()) out += "Content-Type: " + r.contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
    out += closeConnection ? "Connection: close\r\n" : "Connection: keep-alive\r\n";
    out += "Cache-Control: no-cache\r\n";
    for (const auto& h : r.headers) out += h.first + ": " + h.second + "\r\n";
    out += "\r\n";
    if (!headRequest) out += r.body;
    return out;
}

}  // namespace emu
