// The Flash control stand-in's movie reader: tutorial descriptors and SWF headers. Every input is
// read both as it stands and behind each signature, so the fuzzer reaches the header fields and the
// inflater quickly. A movie that reads plays through every frame it claims.
#include "platform/flashmovie.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray inputs[] = {bytes, "FWS" + bytes, "CWS" + bytes, QByteArray(kTutorialMarker) + '\n' + bytes};
    for (const QByteArray& in : inputs) {
        const auto movie = ReadFlashMovie(in);
        if (!movie) continue;
        if (movie->totalFrames < 1 || !(movie->rate > 0)) __builtin_trap();
        (void)movie->sceneAt(movie->totalFrames - 1);
        (void)WriteTutorialDescriptor(*movie);
    }
    return 0;
}
