// A 4000 × 3000 photo-like picture: turned by a quarter turn and by 45 degrees, and written as a
// JPEG file of quality 95. The crop dialog's quarter turn (with "savepic.bmp") and its cut to a
// 600 × 400 frame at quality 95, with ImageMagick's convert doing the same from a BMP file in the
// same run as the peer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <memory>

#include "imaging/dibprocess.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "state/imagingstate.h"
#include "imaging/ui/cropwindow.h"
#include "state/loginstate.h"
#include "benchsupport.h"
#include "state/sitewindowlabels.h"
#include "platform/browserenvironment.h"
#include "platform/paths.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

uchar photoByte(int x, int y, int channel, QRandomGenerator& grain) { return PhotoByte(x, y, channel, kWidth, kHeight, grain); }

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

// The photo as a BMP file (the peer's input and the crop dialog's source), and a member folder.
struct CropSession {
    QTemporaryDir dir;
    QString photo = dir.filePath(QStringLiteral("photo.bmp"));
    CropSession() {
        photo32()->SaveBitmap(photo);
        paths::SetDataRoot(dir.path());
        CurrentUserName = QStringLiteral("bench");
        UserFolder = paths::InRoot(QStringLiteral("UserData/bench"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
    }
};
CropSession& cropSession() {
    static CropSession session;
    return session;
}

// The crop dialog over the photo for a frame of 600 × 400 pixels.
std::unique_ptr<CropWindow> cropDialog() {
    SiteWindowLabels::labCutPicPath = cropSession().photo;
    SiteWindowLabels::labCutFileName = UserFolder + QStringLiteral("/Cut1.jpg");
    SiteWindowLabels::labWidth = QStringLiteral("9000");
    SiteWindowLabels::labHeight = QStringLiteral("6000");
    CropTargetMode = 2;
    return std::make_unique<CropWindow>();
}

void runConvert(benchmark::State& state, const QStringList& args) {
    for (auto _ : state) {
        if (QProcess::execute(QStringLiteral("/usr/bin/convert"), args) != 0) {
            state.SkipWithError("convert failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

void BM_CropQuarterTurn(benchmark::State& state) {
    auto dialog = cropDialog();
    for (auto _ : state) {
        dialog->cmdRight_Click();
        state.PauseTiming();
        dialog->cmdLeft_Click();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_CropQuarterTurn)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ConvertQuarterTurn(benchmark::State& state) {
    runConvert(state, {cropSession().photo, QStringLiteral("-rotate"), QStringLiteral("90"),
                       QStringLiteral("BMP3:") + cropSession().dir.filePath(QStringLiteral("turned.bmp"))});
}
BENCHMARK(BM_ConvertQuarterTurn)->UseRealTime()->Unit(benchmark::kMillisecond);

// The picture fitted to twice the frame (1200 × 900) and the centred 600 × 400 under the frame.
void BM_CropCut(benchmark::State& state) {
    auto dialog = cropDialog();
    for (auto _ : state) benchmark::DoNotOptimize(dialog->logic().confirm());
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_CropCut)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ConvertCut(benchmark::State& state) {
    runConvert(state, {cropSession().photo, QStringLiteral("-resize"), QStringLiteral("1200x900!"),
                       QStringLiteral("-crop"), QStringLiteral("600x400+300+250"), QStringLiteral("-quality"),
                       QStringLiteral("95"), cropSession().dir.filePath(QStringLiteral("cut.jpg"))});
}
BENCHMARK(BM_ConvertCut)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AllowLargePictures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
