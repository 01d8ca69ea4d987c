#include "celleditor/ui/celleditor_entry.h"

#include "celleditor/ui/celleditorwindow.h"

void OpenCellEditor(QWidget* parent) {
    CellEditorWindow window(parent);
    window.exec();
}
