#include "siteoptions/ui/siteoptions_entry.h"

#include "siteoptions/ui/colorsettingswindow.h"
#include "siteoptions/ui/domainregistrationwindow.h"
#include "siteoptions/ui/mobilesitewindow.h"
#include "siteoptions/ui/siteprotectionwindow.h"

// These windows are not part of the program yet: each opener returns at once.
void OpenPrefaceEditor(QWidget*) {}
void OpenMusicEditor(QWidget*) {}

void OpenColorDialog(QWidget* parent) {
    ColorSettingsWindow window(parent);
    window.exec();
}

void OpenProtectionDialog(QWidget* parent) {
    SiteProtectionWindow window(parent);
    window.exec();
}

void OpenDomainRegistration(QWidget* parent, const QString& label) {
    DomainRegistrationWindow window(parent);
    if (!label.isEmpty()) window.txtDomainName->setText(label);
    window.exec();
}

void OpenMobileSitePreview(QWidget* parent) {
    MobileSiteWindow window(parent);
    window.exec();
}
