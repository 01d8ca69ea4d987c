#pragma once
// The text layer of a page cell (CellTextHtml): the member's text, escaped and styled, in a table
// of the cell's size whose margin rows and columns leave the content cell.
#include "celleditor/celleditor.h"

#include <QString>
#include <QStringList>

#include <optional>

// The fragment for the editor's text and text panel, lines joined by CR alone. A blank text
// (spaces only) gives its escaped self and reads nothing else; a negative margin gives the empty
// text. A cell size, margin or computed size that is no 16-bit whole number gives no result.
// When the text is not blank, puts a missing "#" in front of the colours in textStyleFields 5
// and 6, which the style row written afterwards carries.
std::optional<QString> CreateCutPicHtml(const CellEditorSnapshot& editor, QStringList& textStyleFields);
