#include "imaging/jpegwriter.h"

#include "imaging/dibsection.h"
#include "platform/paths.h"
#include "platform/vberror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

#include <jpeglib.h>

namespace jpegwriter {
QString ErrorSource() {
    QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (program.isEmpty()) program = QStringLiteral("tavolin");
    return program + QStringLiteral(".mIntelJPEGLibrary");
}
}  // namespace jpegwriter

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void onError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }
void quiet(j_common_ptr) {}

enum class Stage { Done, Init, Write };

// Plain data only between setjmp and longjmp: nothing here needs a destructor.
Stage encode(const uchar* bits, int width, int height, int stride, int quality, unsigned char** out,
             unsigned long* outSize, int* code) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onError;
    errors.pub.output_message = quiet;
    volatile bool created = false;
    if (setjmp(errors.jump)) {
        *code = errors.pub.msg_code;
        const bool wasCreated = created;
        if (wasCreated) jpeg_destroy_compress(&cinfo);
        return wasCreated ? Stage::Write : Stage::Init;
    }
    jpeg_create_compress(&cinfo);
    created = true;
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;  // the section's byte order, no conversion pass
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // Rows are stored bottom-up; the file starts with the top row.
        JSAMPROW row = const_cast<uchar*>(bits) + qsizetype(height - 1 - int(cinfo.next_scanline)) * stride;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return Stage::Done;
}

[[noreturn]] void raise(const QString& description, int code) {
    throw VbError(jpegwriter::kErrorNumber, description + QString::number(code), jpegwriter::ErrorSource());
}

}  // namespace

bool WriteJpegFile(const cDIBSection& dib, const QString& file, int quality, paths::Durability durability) {
    const QString saveFailed = QStringLiteral("Failed to save to JPG ");
    if (!dib.DIBSectionBitsPtr() || dib.Width() <= 0 || dib.Height() <= 0) raise(saveFailed, jpegwriter::kNoPicture);

    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    int code = 0;
    const Stage failed =
        encode(dib.DIBSectionBitsPtr(), dib.Width(), dib.Height(), dib.BytesPerScanLine(), quality, &encoded,
               &encodedSize, &code);
    QByteArray bytes;
    if (failed == Stage::Done) bytes = QByteArray(reinterpret_cast<const char*>(encoded), qsizetype(encodedSize));
    std::free(encoded);
    if (failed == Stage::Init) raise(QStringLiteral("Failed to initialise the IJL library: "), code);
    if (failed == Stage::Write) raise(saveFailed, code);

    // What a replaced file keeps. Linux keeps no creation time.
    struct stat old {};
    const QByteArray name = QFile::encodeName(file);
    const bool existed = ::stat(name.constData(), &old) == 0 && S_ISREG(old.st_mode);
    try {
        paths::WriteFileSafely(file, bytes, durability);
    } catch (const VbError& e) {
        raise(saveFailed, e.number());
    }
    if (existed) {
        const struct timespec times[2] = {old.st_atim, old.st_mtim};
        ::utimensat(AT_FDCWD, name.constData(), times, 0);
        ::chmod(name.constData(), old.st_mode & 07777);
    }
    return true;
}
