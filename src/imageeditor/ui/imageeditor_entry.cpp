#include "imageeditor/ui/imageeditor_entry.h"

// The image editor is not part of the program yet.
void OpenImageEditor(QWidget*) {}
