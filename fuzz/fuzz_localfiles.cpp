// The program's local data files as a damaged disk or another program may leave them: the input is
// laid down as the global settings file (raw and as the enciphered form of its text) and as the
// service configuration, then read through the program's own readers and written back.
#include "foundation/cipher.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "login/state.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"

#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QTemporaryDir>

#include <cstdint>

namespace {
void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir root;
    static const bool ready = [] {
        paths::SetDataRoot(root.path());
        DataFileKey = QString::fromLatin1(kDataFileKeyText);
        return QDir().mkpath(root.path() + QStringLiteral("/data"));
    }();
    if (!ready) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QByteArray& file : {bytes, EncryptText(QString::fromUtf8(bytes), DataFileKey)}) {
        Put(GlobalSettingsPath(), file);
        try {
            (void)GetGlobalSetting(0);
            SetGlobalSetting(7, QStringLiteral("x"));
            (void)ReadTableFile(GlobalSettingsPath(), QStringLiteral("GCS"));
        } catch (const VbError&) {
            // A file that does not read is an error the callers handle.
        }
    }
    Put(serviceconfig::iniPath(), bytes);
    QStringList damaged;
    const ServiceConfig c = serviceconfig::readIni(serviceconfig::iniPath(), &damaged);
    (void)c.httpProxy();
    return 0;
}
