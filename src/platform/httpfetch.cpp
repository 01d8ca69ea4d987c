#include "platform/httpfetch.h"

#include "platform/inputguard.h"
#include "platform/serviceconfig.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace httpfetch {

namespace {

std::function<std::unique_ptr<Session>()>& factory() {
    static std::function<std::unique_ptr<Session>()> f;
    return f;
}

// Runs a local event loop until the reply signals or the deadline passes; false on time-out.
bool waitForReply(QNetworkReply* reply, const QDeadlineTimer& deadline) {
    if (deadline.hasExpired()) return false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, &QEventLoop::quit);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(std::chrono::milliseconds(deadline.remainingTime()));
    UserInputGuard guard;
    loop.exec();
    return timer.isActive();
}

class NetworkResponse : public Response {
public:
    NetworkResponse(QNetworkReply* reply, QDeadlineTimer deadline) : m_reply(reply), m_deadline(deadline) {}
    ~NetworkResponse() override {
        if (m_reply) {
            m_reply->abort();
            m_reply->deleteLater();
        }
    }

    qint64 read(char* data, qint64 maxSize) override {
        maxSize = std::min(maxSize, kPieceSize);
        while (!m_failed) {
            if (m_reply->bytesAvailable() > 0) return m_reply->read(data, maxSize);
            if (m_reply->isFinished()) {
                if (m_reply->error() != QNetworkReply::NoError) m_failed = true;
                return 0;
            }
            if (!waitForReply(m_reply, m_deadline)) {
                m_failed = true;
                m_reply->abort();
            }
        }
        return 0;
    }

    bool failed() const override { return m_failed; }

private:
    QPointer<QNetworkReply> m_reply;
    QDeadlineTimer m_deadline;
    bool m_failed = false;
};

class NetworkSession : public Session {
public:
    NetworkSession() {
        if (const auto proxy = serviceconfig::current().httpProxy()) m_manager.setProxy(*proxy);
    }

    std::unique_ptr<Response> open(const QString& address) override {
        const QUrl url(address.trimmed(), QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) return nullptr;
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("VB OpenUrl"));
        const QDeadlineTimer deadline(std::chrono::seconds(std::max(1, serviceconfig::current().timeoutSeconds)));
        QNetworkReply* reply = m_manager.get(request);
        reply->setReadBufferSize(64 * 1024);  // the body streams through, never held whole
        // Wait for the final status line (redirects are followed) or the end.
        while (true) {
            const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
            if (status.isValid() && (status.toInt() < 300 || status.toInt() >= 400)) break;
            if (reply->isFinished()) break;
            if (!waitForReply(reply, deadline)) {
                reply->abort();
                reply->deleteLater();
                return nullptr;
            }
        }
        // No status line at all: the server could not be reached.
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid() || status.toInt() >= 400) {
            reply->abort();
            reply->deleteLater();
            return nullptr;
        }
        return std::make_unique<NetworkResponse>(reply, deadline);
    }

private:
    QNetworkAccessManager m_manager;
};

}  // namespace

std::unique_ptr<Session> OpenSession() {
    if (factory()) return factory()();
    if (!QCoreApplication::instance()) return nullptr;
    return std::make_unique<NetworkSession>();
}

void SetSessionFactory(std::function<std::unique_ptr<Session>()> f) { factory() = std::move(f); }

}  // namespace httpfetch
