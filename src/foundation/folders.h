#pragma once
// The data folders, the local rules of a site domain label, and opening an address in a browser.
#include <QString>

#include <initializer_list>

// Creates, where nothing of that name exists yet, "data", "data/Temp" and "UserData" in the data
// root and, when a member is logged in, the member's folder with "UpLoadPicture", "temp" and
// "data". A folder that cannot be created raises a VbError.
void EnsureDataFolders();

// The temporaries that writes cut short by a kill left behind (paths::RemoveSafeWriteLeftovers)
// in the program's own folders: the data root's own files, "data" and "UserData" (the members'
// folders and their thumbnail caches) with everything below them. Only while the single-instance
// lock is held, so that no write of another copy is under way.
void RemoveInterruptedWrites();

// The member paths: every file and folder under a member's folder is named here, each component
// after the member's folder made one safe component (paths::SafeComponent: "/", "\\" and NUL become
// "_", "", "." and ".." become "_"), so that no name from the service or the member leads out of it.
// MemberFolder: <data root>/UserData/<member>, the folder the login makes UserFolder.
// MemberPath: a path below the logged-in member's folder (UserFolder), one component per part:
// MemberPath({"u1.dat"}), MemberPath({"UpLoadPicture", album, file}).
QString MemberFolder(const QString& member);
QString MemberPath(std::initializer_list<QString> components);

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
