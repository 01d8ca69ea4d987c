#include "foundation/servicecall.h"

#include "foundation/hooks.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <new>

// ---- endpoint addresses

QString ServiceHostFromPrefix(const QString& endpoint, const QString& prefix) {
    QString host = prefix.toLower();
    if (endpoint == u"webser001" || endpoint == u"webser002")
        host.replace(QStringLiteral("www"), QStringLiteral("web"));
    else if (endpoint == u"imgser001")
        host.replace(QStringLiteral("www"), QStringLiteral("img"));
    return host;
}

bool IsServerPrefix(const QString& prefix) {
    static const QRegularExpression form(QStringLiteral("^www[0-9]{1,9}$"), QRegularExpression::CaseInsensitiveOption);
    return form.match(prefix).hasMatch();
}

QString ServiceWsdlUrlOnHost(const QString& endpoint, const QString& host) {
    return QStringLiteral("http://") + host + QLatin1Char('.') + serviceconfig::current().domain +
           QStringLiteral("/services/") + endpoint + QStringLiteral(".asmx?WSDL");
}

QString ServiceWsdlUrl(const QString& endpoint, const QString& method) {
    const QString defaultHost = serviceconfig::current().label(ServiceHost::Default);
    if (endpoint == u"regser001") return ServiceWsdlUrlOnHost(endpoint, defaultHost);
    if (endpoint == u"webser001" && method == u"LoginSoftV2") {
        const QString remembered = GetUserSetting(UcsServerPrefix);
        return ServiceWsdlUrlOnHost(endpoint, IsServerPrefix(remembered) ? ServiceHostFromPrefix(endpoint, remembered)
                                                                          : defaultHost);
    }
    return ServiceWsdlUrlOnHost(endpoint, ServiceHostFromPrefix(endpoint, LoginField(6)));
}

// ---- the call frame

std::unique_ptr<SoapClient> NewServiceClient(const QString& endpoint, const QString& method) {
    auto client = std::make_unique<SoapClient>();
    client->MSSoapInit(ServiceWsdlUrl(endpoint, method), QString(), QString(), QString());
    return client;
}

QString ServiceCall(const QString& endpoint, const QString& method, const QList<SoapArgument>& args,
                    WaitIndicator* wait) {
    struct Shown {
        WaitIndicator* w;
        explicit Shown(WaitIndicator* indicator) : w(indicator) { if (w) w->begin(); }
        ~Shown() { if (w) w->end(); }
    } shown(wait);
    const std::unique_ptr<SoapClient> client = NewServiceClient(endpoint, method);
    return client->call(method, args);
}

// ---- the error convention

void ReportServiceError(const VbError& error, const QString& message) {
    qWarning("tavolin: service call failed: error %d: %s", error.number(), qUtf8Printable(error.description()));
    if (error.description().contains(QLatin1String("WSDLReader"))) {
        CALL_REQUIRED_HOOK(hooks::showNetError);
        return;
    }
    MsgBox(message, vbInformation, QStringLiteral("提示"));
}

// ---- result codes

bool ReplyStartsWith(const QString& reply, const QString& code, Qt::CaseSensitivity cs) {
    if (cs == Qt::CaseSensitive) return reply.startsWith(code);
    return reply.left(code.size()).toUpper() == code.toUpper();
}

QString ReplyPayload(const QString& reply, const QString& code) {
    const qsizetype skip = code.size() + (code == kOK_0001 ? 1 : 0);
    return reply.mid(skip);
}

QString ErrorCode(int n) { return QStringLiteral("Error_%1").arg(n, 4, 10, QLatin1Char('0')); }

// ---- picture upload

qint64 UploadSizeKb(qint64 length) { return vb::RoundHalfEven(double(length) / 1024 - 1); }

qint64 FileSizeKb(const QString& path) { return UploadSizeKb(QFileInfo(path).size()); }

QString SendFileToImageService(
    const QString& path, const QString& method,
    const std::function<QList<SoapArgument>(const QString& ext, const QByteArray& bytes)>& arguments,
    const std::function<void(qint64, qint64)>& progress) {
    const QString trimmed = vb::Trim(path);
    if (trimmed.isEmpty() || !QFileInfo(trimmed).isFile()) return kUploadNoFile;
    // The type test takes the untrimmed path's last four characters: "a.jpg " is refused.
    const QString ext = vb::Right(path, 4).toLower();
    static const QStringList kTypes = {QStringLiteral(".jpg"), QStringLiteral(".gif"), QStringLiteral(".png"),
                                       QStringLiteral(".bmp"), QStringLiteral(".swf")};
    if (!kTypes.contains(ext)) return kUploadWrongType;
    try {
        QFile file(trimmed);
        if (!file.open(QIODevice::ReadOnly)) return kError_0000;
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return kError_0000;
        bytes.append('\0');  // the service expects the file followed by one zero byte
        const std::unique_ptr<SoapClient> client = NewServiceClient(QStringLiteral("imgser001"));
        client->onUploadProgress = progress;
        return client->call(method, arguments(ext, bytes));
    } catch (const VbError&) {
        return kError_0000;
    } catch (const std::bad_alloc&) {
        return kError_0000;
    }
}

QString UploadPictureFile(const QString& path, const QString& folder, const QString& nameMode,
                          const QString& remoteName, const QString& description,
                          const std::function<void(qint64, qint64)>& progress) {
    return SendFileToImageService(
        path, QStringLiteral("UploadFile01"),
        [&](const QString& ext, const QByteArray& bytes) -> QList<SoapArgument> {
            return {CurrentUserName, LoginField(5), LoginField(6), folder, nameMode, remoteName, ext, description, bytes};
        },
        progress);
}
