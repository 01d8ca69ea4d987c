// Picture files as the member picks them, read by the bitmap classes: BMP, the first frame of a
// GIF or a JPEG through CreateFromFile, and the same bytes as a packed bitmap; what loads is then
// handed to the 24-bit section, resampled and written as a BMP file, as the preparation does.
#include "imaging/dibsection.h"
#include "platform/vberror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    if (!folder.isValid()) return 0;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("input.pic"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    try {
        cDIBSection1 picture;
        if (picture.CreateFromFile(path)) {
            // Only small pictures go on, so that one input stays quick.
            if (qint64(picture.Width()) * picture.Height() <= 512 * 512) {
                cDIBSection section;
                if (section.Create(picture.Width(), picture.Height())) {
                    section.LoadPictureBlt(picture.hDC(), 0, 0, -1, -1);
                    if (picture.Width() >= 2 && picture.Height() >= 2) (void)section.Resample(7, 5);
                }
                (void)picture.SaveBitmap(QDir(folder.path()).filePath(QStringLiteral("out.bmp")));
            }
        }
        cDIBSection1 packed;
        (void)packed.CreateFromPackedDIBPointer(data, static_cast<qsizetype>(size));
    } catch (const VbError&) {
        // Overflows and subscripts out of range are the runtime's errors, which callers trap.
    }
    return 0;
}
