#pragma once
// Module state of the image library. Data only.
#include "platform/statereset.h"

#include <QtGlobal>

// Which picture the crop dialog makes: 0 the background and 1 the foreground of the cell being
// edited, 2 the picture of one slot of the sized-picture upload window. The opener sets it before
// showing the dialog; a finished crop sets 99 in modes 0 and 1 and leaves 2 as it is.
inline qint16 CropTargetMode;

namespace CropTarget {
inline constexpr qint16 Background = 0;
inline constexpr qint16 Foreground = 1;
inline constexpr qint16 UploadSlot = 2;
inline constexpr qint16 Finished = 99;
}  // namespace CropTarget

inline void ResetImagingState() { CropTargetMode = 0; }
inline const bool imagingStateRegistered = RegisterStateReset(&ResetImagingState);
