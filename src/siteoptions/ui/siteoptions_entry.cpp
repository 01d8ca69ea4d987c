#include "siteoptions/ui/siteoptions_entry.h"

#include "siteoptions/ui/colorsettingswindow.h"
#include "siteoptions/ui/domainregistrationwindow.h"
#include "siteoptions/ui/mobilesitewindow.h"
#include "siteoptions/ui/prefaceeditorwindow.h"
#include "siteoptions/ui/musicsettingswindow.h"
#include "siteoptions/ui/siteprotectionwindow.h"

#include <QLineEdit>

void OpenPrefaceEditor(QWidget* parent) {
    PrefaceEditorWindow window(parent);
    window.exec();
}

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

void OpenMusicEditor(QWidget* parent) {
    MusicSettingsWindow window(parent);
    window.exec();
}
