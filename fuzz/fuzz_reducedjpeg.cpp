// JPEG files as the member picks them, read by the reduced decoder the picture preparation tries
// first: its header reading and, where it takes the file, its decode at each scale it offers.
#include "imaging/reducedjpeg.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReducedJpeg jpeg;
    if (!jpeg.open(data, size)) return 0;
    const QSize full = jpeg.size();
    for (const int divisor : {8, 4, 2}) {
        const QSize wanted(std::max(1, full.width() / divisor), std::max(1, full.height() / divisor));
        if (!jpeg.planeSize(wanted).isEmpty()) (void)jpeg.decode(wanted);
    }
    return 0;
}
