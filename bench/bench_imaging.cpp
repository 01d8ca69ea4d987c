// A 4000 × 3000 photo-like picture: turned by a quarter turn and by 45 degrees, and written as a
// JPEG file of quality 95.
#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <memory>

#include "imaging/dibprocess.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "platform/browserenvironment.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Smooth gradients with a little grain, as a photo has: neither flat nor noise.
uchar photoByte(int x, int y, int channel, QRandomGenerator& grain) {
    const int base = channel == 0 ? (x * 255 / kWidth) : channel == 1 ? (y * 255 / kHeight) : ((x + y) % 512) / 2;
    return uchar(qBound(0, base + int(grain.bounded(16)) - 8, 255));
}

std::shared_ptr<cDIBSection1> photo32() {
    static std::shared_ptr<cDIBSection1> made = [] {
        auto dib = std::make_shared<cDIBSection1>();
        dib->Create(kWidth, kHeight);
        QRandomGenerator grain(7);
        uchar* p = dib->DIBSectionBitsPtr();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x, p += 4)
                for (int c = 0; c < 3; ++c) p[c] = photoByte(x, y, c, grain);
        return dib;
    }();
    return made;
}

void BM_RotateDIB(benchmark::State& state) {
    const std::shared_ptr<cDIBSection1> source = photo32();
    for (auto _ : state) {
        std::shared_ptr<cDIBSection1> dib = source;
        cDIBProcess().RotateDIB(dib, float(state.range(0)), 0x00FFFFFF);
        benchmark::DoNotOptimize(dib->DIBSectionBitsPtr());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_RotateDIB)->Arg(90)->Arg(45)->Unit(benchmark::kMillisecond);

void BM_WriteJpegFile(benchmark::State& state) {
    cDIBSection dib;
    dib.Create(kWidth, kHeight);
    QRandomGenerator grain(7);
    for (int y = 0; y < kHeight; ++y) {
        uchar* row = dib.DIBSectionBitsPtr() + qsizetype(kHeight - 1 - y) * dib.BytesPerScanLine();
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c) row[x * 3 + c] = photoByte(x, y, c, grain);
    }
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/photo.jpg");
    for (auto _ : state) benchmark::DoNotOptimize(WriteJpegFile(dib, path, 95));
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_WriteJpegFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    AllowLargePictures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
