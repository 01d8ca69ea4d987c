// The cell text style row (CellRecord 10) as a page's settings may carry it: read into the text
// panel, written back, and turned with the panel into the cell's text layer; the row's first two
// fields also stand in as the cell's width and height, which come from the same settings.
#include "celleditor/celleditor.h"
#include "celleditor/textlayer.h"
#include "site/sitemodel.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString row = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList fonts{QStringLiteral("宋体"), QStringLiteral("黑体"), QStringLiteral("华文新魏")};
    const QStringList parts = row.split(QLatin1Char(','));
    for (const auto& [width, height] : {std::pair{QStringLiteral("300"), QStringLiteral("200")},
                                        std::pair{parts.value(0), parts.value(1)}}) {
        CellEditorSnapshot editor;
        editor.record = QStringList(CellRecordEntry::Last + 1);
        editor.record[CellRecordEntry::Cell] = QStringLiteral("4");
        editor.record[CellRecordEntry::Width] = width;
        editor.record[CellRecordEntry::Height] = height;
        editor.record[10] = row;
        editor.text = QStringLiteral("你好\r\n<b>world</b>");
        QStringList fields = ReadCellTextStyle(row, fonts, editor.panel);
        (void)WriteCellTextStyle(editor.panel, fields);
        (void)CreateCutPicHtml(editor, fields);
    }
    return 0;
}
