#pragma once
// How other windows open the page cell editor.
class QWidget;

// Shows the cell editor frm图片设置 modally for the cell in CellRecord (EditorKind 0); DialogState
// is 99 afterwards when the publish dialog changed something of the cell.
void OpenCellEditor(QWidget* parent);
