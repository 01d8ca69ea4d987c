#pragma once
// How other windows open the site subsystem's windows (the shape platform/hookcheck.h names).
class QWidget;

// frm网站模板, the template chooser, shown modally on the gallery named by the main window's
// labMBURL (the main window's template command puts TemplateGalleryAddress() there first).
void OpenTemplateChooser(QWidget* parent);
