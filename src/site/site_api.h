#pragma once
// The site model's public face: what the subsystems below the site call of it when a login
// succeeds (filling SiteSettings and writing the pages the member's site is shown from). Its
// windows are opened through ui/site_entry.h.
#include <QStringList>

// Fills the table at login from the fields of the one row of the service's SiteInfo table: the
// table is created empty, then field i is decoded into row i of columns 0, 1 and 2; the template
// column stays empty. More than 333 fields do not fit: VbError 9, and the table is left as it was.
void LoadSiteSettings(const QStringList& siteInfoFields);

// Every cell, background and footer page into the member's temp folder, in the order the login
// writes them (backgrounds, widget cells, picture and music cells, footer); cells 25, 27, 28, 30 and
// 31 from the PublishColumn, the others from the LocalColumn. The whole-site page is not written.
// Raises what the generators raise (background, widget and footer pages).
void WriteLoginPages();
