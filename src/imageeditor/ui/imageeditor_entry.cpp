#include "imageeditor/ui/imageeditor_entry.h"

#include "imageeditor/ui/imageeditorwindow.h"

void OpenImageEditor(QWidget* parent) {
    // Built anew at each opening: the next opening starts from the design values.
    ImageEditorWindow window(parent);
    window.exec();
}
