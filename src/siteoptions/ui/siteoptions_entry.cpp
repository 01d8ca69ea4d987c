#include "siteoptions/ui/siteoptions_entry.h"

// These windows are not part of the program yet: each opener returns at once.
void OpenPrefaceEditor(QWidget*) {}
void OpenColorDialog(QWidget*) {}
void OpenMusicEditor(QWidget*) {}
void OpenDomainRegistration(QWidget*, const QString&) {}
void OpenProtectionDialog(QWidget*) {}
void OpenMobileSitePreview(QWidget*) {}
