// Table text from files and service replies: the first line of the input is the table name, the
// rest the text (as UTF-8, and again as the deciphered bytes of a table file).
#include "foundation/cipher.h"
#include "foundation/tabletext.h"
#include "platform/vberror.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype nl = bytes.indexOf('\n');
    const QString name = QString::fromUtf8(nl < 0 ? QByteArray("T") : bytes.left(nl));
    const QString text = QString::fromUtf8(nl < 0 ? bytes : bytes.mid(nl + 1));
    for (const QString& t : {text, UnescapeTableSeparators(text), DecryptBytes(bytes, QStringLiteral("k"))}) {
        try {
            const Table table = ParseTableText(name, t);
            // Every row has the table's field count; reading any cell is safe.
            for (int r = 0; r < table.rows(); ++r)
                for (int c = 0; c < table.cols(); ++c) (void)table(r, c);
            (void)TableToText(table, name);
        } catch (const VbError&) {
            // An overflow error is the documented answer to an oversized table.
        }
        (void)SplitByDelimiter(t, QStringLiteral("<//R>"));
        (void)FindAllPositions(t, QStringLiteral("</F>"));
    }
    return 0;
}
