// The watermark and border settings file (wab.dat) as a damaged disk or another program may leave
// it: the input laid down raw and as the enciphered form of its text, read through the program's
// reader and written back; its fields also read directly.
#include "foundation/cipher.h"
#include "imaging/watermarksettings.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static const bool ready = [] {
        DataFileKey = QString::fromLatin1(kDataFileKeyText);
        return folder.isValid();
    }();
    if (!ready) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = QDir(folder.path()).filePath(QString::fromLatin1(kWatermarkSettingsFile));
    for (const QByteArray& file : {bytes, EncryptText(QString::fromUtf8(bytes), DataFileKey)}) {
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
            f.write(file);
        }
        if (const std::optional<WatermarkSettings> s = ReadWatermarkSettings(folder.path())) {
            (void)WatermarkSettingsText(*s);
            (void)ColorFromNumber(s->textColor);
            (void)ColorFromNumber(s->backColor);
        }
    }
    try {
        (void)WatermarkSettingsFromFields(QString::fromUtf8(bytes).split(QLatin1Char(',')));
    } catch (const VbError&) {
        // A colour beyond the runtime's Long is its Overflow error, which the reader handles.
    }
    return 0;
}
