#include "siteoptions/ui/siteoptions_entry.h"

#include "siteoptions/ui/colorsettingswindow.h"
#include "siteoptions/ui/musicsettingswindow.h"
#include "siteoptions/ui/siteprotectionwindow.h"

// These windows are not part of the program yet: each opener returns at once.
void OpenPrefaceEditor(QWidget*) {}
void OpenDomainRegistration(QWidget*, const QString&) {}
void OpenMobileSitePreview(QWidget*) {}

void OpenColorDialog(QWidget* parent) {
    ColorSettingsWindow window(parent);
    window.exec();
}

void OpenProtectionDialog(QWidget* parent) {
    SiteProtectionWindow window(parent);
    window.exec();
}

void OpenMusicEditor(QWidget* parent) {
    MusicSettingsWindow window(parent);
    window.exec();
}
