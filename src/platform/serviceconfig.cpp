#include "platform/serviceconfig.h"

#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <optional>

ServiceConfig ServiceConfig::defaults() {
    ServiceConfig c;
    c.domain = QStringLiteral("sitehost.test");
    c.defaultHost = QStringLiteral("www");
    c.frameHost = QStringLiteral("frm");
    c.materialsHost = QStringLiteral("sc");
    c.advertisingHost = QStringLiteral("ad");
    c.accountHost = QStringLiteral("user");
    c.recoveryHost = QStringLiteral("pass");
    c.mainHost = QStringLiteral("www");
    c.exampleHost = QStringLiteral("demo");
    c.photoListHost = QStringLiteral("photo");
    c.flashDownloadHost = QStringLiteral("download.flash.test");
    c.flashPlayerHost = QStringLiteral("www.flash.test");
    return c;
}

QString ServiceConfig::label(ServiceHost h) const {
    switch (h) {
    case ServiceHost::Default: return defaultHost;
    case ServiceHost::Frame: return frameHost;
    case ServiceHost::Materials: return materialsHost;
    case ServiceHost::Advertising: return advertisingHost;
    case ServiceHost::Account: return accountHost;
    case ServiceHost::Recovery: return recoveryHost;
    case ServiceHost::Main: return mainHost;
    case ServiceHost::Example: return exampleHost;
    case ServiceHost::PhotoList: return photoListHost;
    }
    return QString();
}

std::optional<QNetworkProxy> ServiceConfig::httpProxy() const {
    const QString p = proxy.trimmed();
    const qsizetype colon = p.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const int port = colon > 0 ? p.mid(colon + 1).toInt(&ok) : 0;
    if (!ok || port <= 0 || port > 65535) return std::nullopt;
    return QNetworkProxy(QNetworkProxy::HttpProxy, p.left(colon), static_cast<quint16>(port));
}

QString ServiceConfig::hostName(ServiceHost h) const { return label(h) + QLatin1Char('.') + domain; }

namespace serviceconfig {

namespace {
std::optional<ServiceConfig>& cached() {
    static std::optional<ServiceConfig> c;
    return c;
}

struct Key {
    const char* name;
    QString ServiceConfig::*field;
};
const Key kKeys[] = {
    {"domain", &ServiceConfig::domain},
    {"default_host", &ServiceConfig::defaultHost},
    {"frame_host", &ServiceConfig::frameHost},
    {"materials_host", &ServiceConfig::materialsHost},
    {"advertising_host", &ServiceConfig::advertisingHost},
    {"account_host", &ServiceConfig::accountHost},
    {"recovery_host", &ServiceConfig::recoveryHost},
    {"main_host", &ServiceConfig::mainHost},
    {"example_host", &ServiceConfig::exampleHost},
    {"photolist_host", &ServiceConfig::photoListHost},
    {"flash_download_host", &ServiceConfig::flashDownloadHost},
    {"flash_player_host", &ServiceConfig::flashPlayerHost},
    {"proxy", &ServiceConfig::proxy},
};

void writeIni(const ServiceConfig& c) {
    QDir().mkpath(QFileInfo(iniPath()).absolutePath());
    QSettings s(iniPath(), QSettings::IniFormat);
    s.beginGroup(QStringLiteral("service"));
    for (const Key& k : kKeys) s.setValue(QLatin1String(k.name), c.*(k.field));
    s.setValue(QStringLiteral("timeout_seconds"), c.timeoutSeconds);
    s.endGroup();
    s.sync();
}
}  // namespace

QString iniPath() { return paths::InRoot(QStringLiteral("data/service.ini")); }

namespace {
bool isHostText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?$"));
    return form.match(text).hasMatch();
}
}  // namespace

ServiceConfig readIni(const QString& path, QStringList* damaged) {
    ServiceConfig c = ServiceConfig::defaults();
    // A file may name only some keys (./run writes the proxy alone): the others keep their
    // defaults. Damage is a line that is neither a section, a key with its value nor a comment, or
    // a value that does not read.
    QFile raw(path);
    if (raw.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : raw.readAll().split('\n')) {
            const QByteArray t = line.trimmed();
            if (t.isEmpty() || t.startsWith(';') || t.startsWith('#')) continue;
            if ((t.startsWith('[') && t.endsWith(']')) || t.indexOf('=') > 0) continue;
            damaged->append(QStringLiteral("(format)"));
            break;
        }
    }
    QSettings s(path, QSettings::IniFormat);
    if (s.status() != QSettings::NoError && !damaged->contains(QStringLiteral("(format)")))
        damaged->append(QStringLiteral("(format)"));
    s.beginGroup(QStringLiteral("service"));
    for (const Key& k : kKeys) {
        const QString name = QLatin1String(k.name);
        if (!s.contains(name)) continue;
        const QString value = s.value(name).toString().trimmed();
        ServiceConfig probe;
        probe.proxy = value;
        const bool good = k.field == &ServiceConfig::proxy ? value.isEmpty() || probe.httpProxy().has_value() : isHostText(value);
        if (good)
            c.*(k.field) = value;
        else
            damaged->append(name);
    }
    if (s.contains(QStringLiteral("timeout_seconds"))) {
        bool ok = false;
        const int t = s.value(QStringLiteral("timeout_seconds")).toInt(&ok);
        if (ok && t > 0)
            c.timeoutSeconds = t;
        else
            damaged->append(QStringLiteral("timeout_seconds"));
    }
    s.endGroup();
    return c;
}

const ServiceConfig& current() {
    if (!cached()) {
        ServiceConfig c = ServiceConfig::defaults();
        if (!QFileInfo::exists(iniPath())) {
            writeIni(c);
        } else {
            QStringList damaged;
            c = readIni(iniPath(), &damaged);
            if (!damaged.isEmpty()) {
                // Said once: the damaged file is set aside for whoever wants to look, and the file
                // is rewritten with what could be read and the defaults for the rest.
                qWarning("tavolin: %s is damaged (%s); defaults are used for those, the old file is kept as %s.damaged",
                         qUtf8Printable(QDir::toNativeSeparators(iniPath())), qUtf8Printable(damaged.join(QStringLiteral(", "))),
                         qUtf8Printable(QFileInfo(iniPath()).fileName()));
                const QString aside = iniPath() + QStringLiteral(".damaged");
                QFile::remove(aside);
                QFile::copy(iniPath(), aside);
                writeIni(c);
            }
        }
        cached() = c;
    }
    return *cached();
}

void set(const ServiceConfig& config, bool write) {
    cached() = config;
    if (write) writeIni(config);
}

void reload() { cached().reset(); }

}  // namespace serviceconfig
