#pragma once
// Where the hosting service lives: data/service.ini in the data root, written with defaults on
// first use. Service hosts are labels under the service domain; the two Flash plug-in hosts are
// outside hosts and given whole.
#include <QString>
#include <QStringList>

#include <optional>

class QNetworkProxy;

enum class ServiceHost {
    Default,      // the fixed default service host (registration; logins without a stored prefix)
    Frame,        // the service's fixed frame host
    Materials,    // materials library and template gallery
    Advertising,  // weekly advertisement pages
    Account,      // account web pages (buy space, member pages)
    Recovery,     // password recovery page
    Main,         // the main web host
    Example,      // the example member site
    PhotoList,    // photo-list picture host
};

struct ServiceConfig {
    QString domain;
    QString defaultHost, frameHost, materialsHost, advertisingHost, accountHost, recoveryHost,
        mainHost, exampleHost, photoListHost;  // labels under the domain
    QString flashDownloadHost, flashPlayerHost;  // whole host names
    QString proxy;                // "host:port" of an HTTP proxy, empty for none
    int timeoutSeconds = 120;     // total time-out of one service request

    static ServiceConfig defaults();
    // The whole host name "<label>.<domain>" of one of the service's hosts.
    QString hostName(ServiceHost h) const;
    QString label(ServiceHost h) const;
    // The configured HTTP proxy ("host:port"), or nothing when none (or not readable) is set.
    std::optional<QNetworkProxy> httpProxy() const;
};

namespace serviceconfig {
// The configuration in force: read once from data/service.ini (created with defaults when missing).
const ServiceConfig& current();
// Replaces the configuration in force (tests, ./run) and writes it to data/service.ini.
void set(const ServiceConfig& config, bool write = true);
// Forgets the cached configuration so the next current() reads the file again.
void reload();
QString iniPath();
// Reads a configuration file: each value that reads well, the default for the others, whose keys
// (or "(format)" for a file QSettings cannot read) are added to damaged.
ServiceConfig readIni(const QString& path, QStringList* damaged);
}  // namespace serviceconfig
