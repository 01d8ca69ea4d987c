#pragma once
// The pages the member's site is shown from after a login: every cell, background and footer page
// written into the member's temp folder from the site settings.

// Every cell, background and footer page into the member's temp folder, in the order the login
// writes them (backgrounds, widget cells, picture and music cells, footer); cells 25, 27, 28, 30 and
// 31 from the PublishColumn, the others from the LocalColumn. The whole-site page is not written.
// Raises what the generators raise (background, widget and footer pages).
void WriteLoginPages();
