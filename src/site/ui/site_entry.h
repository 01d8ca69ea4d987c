#pragma once
// How other windows open the site subsystem's windows (the shape platform/hookcheck.h names).
#include "site/publishsite.h"

class QWidget;

// frm网站模板, the template chooser, shown modally on the gallery named by the main window's
// labMBURL (the main window's template command puts TemplateGalleryAddress() there first).
void OpenTemplateChooser(QWidget* parent);

// frm更新网站, the publish dialog of the cell editors, shown modally: uploads PendingPictures,
// writes the edited cell and publishes; gives the publish's outcome.
PublishOutcome OpenPublishDialog(QWidget* parent);
