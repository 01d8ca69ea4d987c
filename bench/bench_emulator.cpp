// The emulator's thumbnails of a page of 15 stored pictures of about 220 KB: served from the
// file made when each was stored, against scaling each picture per request (the peer). And the
// cost of one upload for a member who keeps 10 files and one who keeps 10,000: the same, since a
// change appends one line to the album log instead of writing the member's whole file list.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "emulator/memberstore.h"

#include <memory>

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

// A member whose album log lists `files` stored files (their bytes are not needed for the cost).
struct MemberWithFiles {
    QTemporaryDir dir;
    std::unique_ptr<emu::MemberStore> store;
    explicit MemberWithFiles(int files) {
        const QString memberDir = dir.path() + QStringLiteral("/members/keeper");
        QDir().mkpath(memberDir);
        QFile record(memberDir + QStringLiteral("/member.json"));
        record.open(QIODevice::WriteOnly);
        record.write(R"({"id": 1, "name": "keeper", "digest": "0123456789abcdef0123456789abcdef"})");
        record.close();
        QFile log(memberDir + QStringLiteral("/albums.log"));
        log.open(QIODevice::WriteOnly);
        log.write(R"({"album":"相册","created":"2026-01-01 00:00:00","stamp":"2026-01-01 00:00:00"})" "\n");
        for (int i = 0; i < files; ++i)
            log.write(QStringLiteral(R"({"album":"相册","file":{"name":"p%1.jpg","description":"一张照片","size":250000,)"
                                     R"("uploaded":"2026-01-01 00:00:00","disk":"p%1.jpg"}})" "\n")
                          .arg(i)
                          .toUtf8());
        log.close();
        store = std::make_unique<emu::MemberStore>(dir.path());
    }
};

void BM_UploadAmongStoredFiles(benchmark::State& state) {
    MemberWithFiles member(int(state.range(0)));
    emu::Member& m = *member.store->find(QStringLiteral("keeper"));
    const QByteArray bytes(20000, 'x');
    int n = 0;
    for (auto _ : state)
        member.store->storeFile(m, QStringLiteral("相册"), QStringLiteral("new%1.jpg").arg(n++ % 8), bytes, QString(),
                                member.store->newStamp());
    state.counters["files"] = double(m.album(QStringLiteral("相册"))->files.size());
}
BENCHMARK(BM_UploadAmongStoredFiles)->Arg(10)->Arg(10000)->Unit(benchmark::kMillisecond);

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
