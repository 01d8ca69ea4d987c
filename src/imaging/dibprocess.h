#pragma once
// Turning a 32-bit picture by any angle into a new picture just large enough to hold it; the
// uncovered pixels take a background colour. Sampling takes the nearest source pixel.
#include "imaging/dibsection.h"

#include <functional>
#include <memory>

// Bytes of a colour as 0x00BBGGRR (after TranslateOleColor).
inline int RedOf(quint32 color) { return int(color & 0xFF); }
inline int GreenOf(quint32 color) { return int(color >> 8 & 0xFF); }
inline int BlueOf(quint32 color) { return int(color >> 16 & 0xFF); }

class cDIBProcess {
public:
    // Progress, raised inside RotateDIB: the index of the new picture's last row, then each
    // finished row's index (0 first), then the milliseconds the call took. Unset ones are skipped.
    std::function<void(int)> InitProgress;
    std::function<void(int)> Progress;
    std::function<void(int)> Complete;

    // DIB comes back as a new picture holding the old one turned by Angle degrees (positive turns
    // clockwise on screen); the picture passed in is not changed and lives on with its other
    // holders. BackClr is an OLE colour. When the new picture cannot be made, VbError 7 (out of
    // memory) is raised and DIB is left as it was.
    void RotateDIB(std::shared_ptr<cDIBSection1>& DIB, float Angle, quint32 BackClr);
};
