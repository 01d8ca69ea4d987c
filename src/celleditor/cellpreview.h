#pragma once
// The cell editor's preview page "setpic.html": the edited cell as its own page will look, built
// from the editor's controls and CellRecord.
#include "celleditor/celleditor.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The lines of a cell preview page up to "<body>": the service's title, no margins, and the layer
// rule (an empty line where there is none). The preface letter's preview shares them.
QStringList PreviewPageHead(const QString& rule);

// The preview page (lines joined by CR alone): the widget page of cells 1, 5, 6, 9, 11, 17, 18,
// 22 and 23, cell 12's photo scroller, or the picture page of any other cell. A picture page is
// always built (a size that is no 16-bit number counts as 0, a text layer that fails is left
// out); a widget page stops at its first failure and gives nothing. textStyleFields: as
// CreateCutPicHtml completes them.
std::optional<QString> CellPreviewPage(const CellEditorSnapshot& editor, QStringList& textStyleFields);

// CreateViewHtml of the editor: writes the page over "setpic.html" in the member's temp folder
// and asks the preview to refresh. A page that cannot be written leaves the old one and the
// refresh runs all the same; a widget page that fails changes nothing.
void WriteCellPreview(const CellEditorSnapshot& editor, QStringList& textStyleFields,
                      const std::function<void()>& refresh);
