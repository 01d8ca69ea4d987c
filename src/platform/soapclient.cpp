#include "platform/soapclient.h"

#include "platform/inputguard.h"
#include "platform/serviceconfig.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
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
    if (const auto proxy = serviceconfig::current().httpProxy()) m_manager->setProxy(*proxy);
}

SoapClient::~SoapClient() = default;

SoapClient::Transfer SoapClient::transfer(const QNetworkRequest& request, const QByteArray* postBody) {
    // One request at a time in the whole program: a timer firing while another request waits must
    // not start a second one inside the first one's event loop.
    if (UserInputGuard::active())
        throw VbError(soap::kErrorNumber, QStringLiteral("另一个网络请求尚未结束，请稍候再试。"));
    UserInputGuard guard;

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
