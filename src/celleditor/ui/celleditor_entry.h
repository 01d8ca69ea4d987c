#pragma once
// How other windows open the page cell editor.
class QWidget;

// Shows the cell editor frm图片设置 modally for the cell in CellRecord (EditorKind 0); it sets
// DialogState to 99 when it changed the cell (once applying is built).
void OpenCellEditor(QWidget* parent);
