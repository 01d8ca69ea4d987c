#pragma once
// The JPEG writer: a 24-bit section (bottom-up rows padded to 4 bytes) out as a baseline JPEG file.
#include <QString>

#include "platform/paths.h"

class cDIBSection;

namespace jpegwriter {
// Error number and the source text's module of every failure ("<program>.mIntelJPEGLibrary").
inline constexpr int kErrorNumber = 26001;
QString ErrorSource();
// Codes the descriptions carry besides the encoder's own message codes (positive): no picture to
// write; the file could not be written (then the code is the safe writer's error number).
inline constexpr int kNoPicture = -1;
}  // namespace jpegwriter

// Writes dib as a JPEG file of the given quality (0 to 100) and returns true. The file is encoded
// in memory and then written safely: a file it replaces keeps its access and modification times
// and its permission bits (there is no creation time to keep), and on any failure the old file
// stays whole. Failures raise VbError 26001: "Failed to initialise the IJL library: <code>" when
// the encoder cannot start, "Failed to save to JPG <code>" otherwise (an empty picture included).
// The path is used as it stands; every path the program passes is absolute. A scratch file is
// written without the sync (see paths::WriteFileSafely).
bool WriteJpegFile(const cDIBSection& dib, const QString& file, int quality,
                   paths::Durability durability = paths::Durability::Synced);
