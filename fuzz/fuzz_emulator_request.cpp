// One request of any bytes through the emulator's handling: the request line and head as the HTTP
// front hands them on (method, target, headers, body), then routing, query decoding, the SOAP call
// path, the pages and the control API. Whatever comes in, an answer goes out and nothing throws.
#include "emulator/emulator.h"
#include "emulator/http.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdint>
#include <memory>

namespace {

emu::Emulator& Server() {
    static int argc = 1;
    static char name[] = "fuzz_emulator_request";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QCoreApplication> app(QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv));
    static QTemporaryDir data;
    static emu::Emulator server([] {
        emu::Options o;
        o.dataDir = data.path();
        return o;
    }());
    return server;
}

// The request as the HTTP front builds it from a head and a body.
emu::HttpRequest Parse(const QByteArray& bytes) {
    emu::HttpRequest r;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    const QByteArray head = end < 0 ? bytes : bytes.left(end);
    r.body = end < 0 ? QByteArray() : bytes.mid(end + 4);
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    r.method = requestLine.value(0);
    QUrl url(QString::fromLatin1(requestLine.value(1)));
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) continue;
        const QByteArray name = line.left(colon).trimmed(), value = line.mid(colon + 1).trimmed();
        r.headers.append({name, value});
        if (name.compare("host", Qt::CaseInsensitive) == 0 && url.host().isEmpty())
            url = QUrl(QStringLiteral("http://") + QString::fromLatin1(value) + url.toString(QUrl::FullyEncoded));
    }
    r.host = url.host().toLower();
    r.authority = url.port() > 0 ? r.host + QLatin1Char(':') + QString::number(url.port()) : r.host;
    const QString path = emu::DecodeUrlText(url.path(QUrl::FullyEncoded));
    r.path = path.isEmpty() ? QStringLiteral("/") : path;
    r.query = QUrlQuery(url.query(QUrl::FullyEncoded));
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    emu::Emulator& server = Server();
    const emu::HttpRequest r = Parse(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    // Scripted latencies and failures from a control request must not pile up between inputs.
    const emu::HttpResponse out = server.handle(r);
    (void)emu::SerializeResponse(out, r.method == "HEAD", false);
    server.control().clear();
    return 0;
}
