#pragma once
// The program folder (data root), shipped files, path-safe names and the safe file write.
#include <QByteArray>
#include <QString>

namespace paths {
// The "program folder": $TAVOLIN_HOME when set, else the per-user application data folder.
// No trailing "/". Created when missing.
QString DataRoot();
// Tests and the program may pin the root explicitly (overrides the environment).
void SetDataRoot(const QString& root);
// Joins the data root with a relative path written with "\" or "/" ("\data\g0.dat").
// "Data" and "data" name one folder, "data".
QString InRoot(const QString& relative);
// A read-only shipped file ("SF.dat", "边框/边框1.gif"): the build tree's share folder, then the
// install prefix's; empty when found in neither.
QString SharedFile(const QString& name);
// True when the text can be used as one path component as it stands: not empty, no "/" or "\",
// not "." or "..", no NUL.
bool IsSafeComponent(const QString& name);
// The text made safe as one path component: separators and NULs become "_", "." and ".." and
// the empty text become "_".
QString SafeComponent(const QString& name);
// Writes bytes through SafeFileWriter: a temporary of a unique name beside the target, synced and
// then renamed over it in one step, so the old file stays whole until the new one is complete.
// Throws VbError on failure (76 path not found when the temporary cannot be made, 61 disk full
// when it cannot be written or synced, 75 path/file access error when the rename fails); the old
// file is untouched then and no temporary is left. A scratch file (made again from its sources
// whenever it is needed) is not synced: a crash may leave it empty, never half-replaced.
enum class Durability { Synced, Scratch };
void WriteFileSafely(const QString& path, const QByteArray& bytes, Durability durability = Durability::Synced);
}  // namespace paths
