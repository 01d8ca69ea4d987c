#pragma once
// What the benchmarks share: the photo-like picture (smooth gradients with a little grain, as a
// photo has, neither flat nor noise; the same grain sequence in every benchmark) and the run of
// the registered benchmarks with a summary after them.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "platform/paths.h"

inline uchar PhotoByte(int x, int y, int channel, int width, int height, QRandomGenerator& grain) {
    const int base = channel == 0 ? (x * 255 / width) : channel == 1 ? (y * 255 / height) : ((x + y) % 512) / 2;
    return uchar(qBound(0, base + int(grain.bounded(16)) - 8, 255));
}

// The picture written as a JPEG file at quality 95.
inline bool WritePhotoJpeg(const QString& path, int width, int height) {
    cDIBSection photo;
    photo.Create(width, height);
    QRandomGenerator grain(7);
    for (int y = 0; y < height; ++y) {
        uchar* p = photo.DIBSectionBitsPtr() + qsizetype(y) * photo.BytesPerScanLine();
        for (int x = 0; x < width; ++x, p += 3)
            for (int c = 0; c < 3; ++c) p[c] = PhotoByte(x, y, c, width, height, grain);
    }
    return WriteJpegFile(photo, path, 95);
}

// A fresh data root holding the photo ("photo.jpg") and an 8 × 8 picture for the peers' start-up.
struct PhotoFiles {
    std::unique_ptr<QTemporaryDir> dir;
    QString photo;
    QString tiny;
};

inline PhotoFiles MakePhotoFiles(int width, int height) {
    PhotoFiles made;
    made.dir = std::make_unique<QTemporaryDir>();
    const QDir dir(made.dir->path());
    paths::SetDataRoot(dir.path());
    made.photo = dir.filePath(QStringLiteral("photo.jpg"));
    WritePhotoJpeg(made.photo, width, height);
    made.tiny = dir.filePath(QStringLiteral("tiny.jpg"));
    QImage(8, 8, QImage::Format_RGB32).save(made.tiny, "JPG", 95);
    return made;
}

// Runs the registered benchmarks, then prints the summary; the exit status of main().
inline int RunBenchmarks(int& argc, char** argv, void (*summary)()) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    summary();
    return 0;
}
