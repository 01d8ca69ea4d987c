#pragma once
// The data folders, the local rules of a site domain label, and opening an address in a browser.
#include <QString>

// Creates, where nothing of that name exists yet, "data", "data/Temp" and "UserData" in the data
// root and, when a member is logged in, the member's folder with "UpLoadPicture", "temp" and
// "data". A folder that cannot be created raises a VbError.
void EnsureDataFolders();

// The temporaries that writes cut short by a kill left behind (paths::RemoveSafeWriteLeftovers)
// in the program's own folders: the data root's own files, "data" and "UserData" (the members'
// folders and their thumbnail caches) with everything below them. Only while the single-instance
// lock is held, so that no write of another copy is under way.
void RemoveInterruptedWrites();

// The logged-in member's temp folder, <data root>/UserData/<member>/temp (no trailing "/"), which
// holds the generated pages ("<n>.html" for cell n, "b.html", "view.html"…) and their preview
// copies; given a file name, that file in it (the name made one safe component, so "" is "_").
// The one place these paths are made.
QString MemberTempPath();
QString MemberTempPath(const QString& fileName);

// The empty text when the label (trimmed, lower-cased here) may be registered; otherwise the
// whole message for the member, its numbered items separated by "\r".
QString CheckDomainName(const QString& label);

// Opens the address with the desktop, else with the browser program; when neither starts, puts
// the address on the clipboard, tells the member, and returns false.
bool OpenUrlInBrowser(const QString& url);
