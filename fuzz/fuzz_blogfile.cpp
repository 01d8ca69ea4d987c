// Blog files as the member picks them: any bytes, deciphered and split into title, category and
// page; and the same bytes read as an already deciphered text.
#include "blogs/blogfile.h"
#include "foundation/cipher.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString key = QString::fromLatin1(kDataFileKeyText);
    for (const std::optional<blogfile::Post>& post :
         {blogfile::Decode(bytes, key), blogfile::ParseText(QString::fromUtf8(bytes))}) {
        // What was read can be written back as a blog file.
        if (post) (void)blogfile::Encode(*post, key);
    }
    return 0;
}
