#include "foundation/machine.h"

#include "foundation/md5.h"
#include "platform/machineidentity.h"

#include <algorithm>

qint32 GetVolumeSerial(const QString& root) {
    Q_UNUSED(root);
    return machineidentity::VolumeSerial();
}

QString MakeMachineCode(const QString& serialText) {
    QString reversed = serialText;
    std::reverse(reversed.begin(), reversed.end());
    const QString m = Md5Hex(reversed);
    return m.left(8) + reversed + m.mid(8, 8);
}

QString GetLocalIpAddress() {
    for (const QString& text : machineidentity::AdapterAddresses()) {
        // The first adapter with any address decides, a disconnected one ("0.0.0.0") included.
        const QString cut = text.left(15);
        if (cut.isEmpty()) continue;
        return cut == QLatin1String("0.0.0.0") ? QString() : cut;
    }
    return QString();
}
