#include "platform/machineidentity.h"

#include <QFile>
#include <QHostAddress>
#include <QNetworkInterface>

namespace machineidentity {

namespace {
QString& machineIdPath() {
    static QString path;
    return path;
}
std::function<QStringList()>& adapterSource() {
    static std::function<QStringList()> source;
    return source;
}
}  // namespace

qint32 SerialFromMachineId(const QString& text) {
    const QString id = text.trimmed();
    if (id.size() != 32) return 0;
    quint32 folded = 0;
    for (int w = 0; w < 4; ++w) {
        bool ok = false;
        const quint32 word = id.mid(w * 8, 8).toUInt(&ok, 16);
        if (!ok) return 0;
        folded ^= word;
    }
    return static_cast<qint32>(folded);
}

qint32 VolumeSerial() {
    const QString path = machineIdPath().isEmpty() ? QStringLiteral("/etc/machine-id") : machineIdPath();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return kFallbackSerial;
    const qint32 serial = SerialFromMachineId(QString::fromLatin1(f.read(256)));
    return serial != 0 ? serial : kFallbackSerial;
}

QStringList AdapterAddresses() {
    if (adapterSource()) return adapterSource()();
    QStringList out;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        if (iface.flags().testFlag(QNetworkInterface::IsLoopBack)) continue;
        QString text;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                text = entry.ip().toString();
                break;
            }
        }
        out.append(text);
    }
    return out;
}

void SetMachineIdPath(const QString& path) { machineIdPath() = path; }
void SetAdapterSource(std::function<QStringList()> source) { adapterSource() = std::move(source); }

}  // namespace machineidentity
