// The emulator's thumbnails of a page of 15 stored pictures of about 220 KB: served from the
// file made when each was stored, against scaling each picture per request (the peer).
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "emulator/memberstore.h"

namespace {

constexpr int kPage = 15;

struct StoredPage {
    QTemporaryDir dir;
    QStringList files;
    StoredPage() {
        // Noise keeps the JPEG near 250 KB at this size and quality.
        QImage picture(800, 600, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, random.generate() & 0x3F3F3F);
        for (int i = 0; i < kPage; ++i) {
            const QString path = dir.path() + QStringLiteral("/p%1.jpg").arg(i);
            picture.save(path, "JPG", 92);
            emu::MakeThumbnail(path);
            files << path;
        }
    }
};

StoredPage& page() {
    static StoredPage p;
    return p;
}

void BM_ThumbnailsFromTheirFiles(benchmark::State& state) {
    const QStringList& files = page().files;
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& f : files) {
            QFile thumb(emu::ThumbnailPath(f));
            if (thumb.open(QIODevice::ReadOnly)) bytes += thumb.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["pictureKB"] = double(QFile(files.first()).size()) / 1024;
}
BENCHMARK(BM_ThumbnailsFromTheirFiles)->Unit(benchmark::kMillisecond);

void BM_ThumbnailsScaledPerRequest(benchmark::State& state) {
    const QStringList& files = page().files;
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& f : files) {
            QByteArray out;
            QBuffer buffer(&out);
            buffer.open(QIODevice::WriteOnly);
            QImage(f).scaled(100, 100, Qt::KeepAspectRatio, Qt::SmoothTransformation).save(&buffer, "JPG", 90);
            bytes += out.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ThumbnailsScaledPerRequest)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the JPEG image plug-in
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
