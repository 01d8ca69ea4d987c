#include "hostedfiles/ui/hostedfiles_entry.h"

// The file manager is not part of the program yet.
void OpenFileManager(QWidget*) {}
