// A page of the file manager's thumbnails against the emulator on loopback: an album of 20
// pictures of 1600 x 1200 stored by UploadFile01; from ShowFilePage until every cell holds its
// picture, cold (cache emptied, 15 or 5 fetched) and warm (nothing fetched). The floor: the same
// 15 GETs on one QNetworkAccessManager alone.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "albums/loadalbumlist.h"
#include "emulator/emulator.h"
#include "foundation/downloads.h"
#include "foundation/md5.h"
#include "hostedfiles/filemanager.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"

namespace {

const QString kAlbum = QStringLiteral("旅行");

struct Progress : DownloadProgress {
    double v = 0;
    double value() const override { return v; }
    double maximum() const override { return 100; }
    void setValue(double x) override { v = x; }
    void setVisible(bool) override {}
    void refresh() override {}
};

struct Fixture {
    QTemporaryDir root;
    std::unique_ptr<emu::Emulator> service;
    FileManagerController logic;
    Progress progress;
    int pictures = 0;

    Fixture() {
        paths::SetDataRoot(root.path());
        emu::Options options;
        options.dataDir = root.path() + QStringLiteral("/service");
        service = std::make_unique<emu::Emulator>(options);
        if (!service->listen()) qFatal("the emulator cannot listen");
        ServiceConfig config = ServiceConfig::defaults();
        config.domain = service->hosts().domain;
        config.proxy = QStringLiteral("127.0.0.1:%1").arg(service->port());
        serviceconfig::set(config, true);

        const emu::DemoMember demo = emu::ServiceLogic::Demo();
        emu::Member& m = *service->store().find(demo.name);
        CurrentUserName = demo.name;
        UserFolder = paths::InRoot(QStringLiteral("UserData/") + demo.name);
        QDir().mkpath(UserFolder + QStringLiteral("/data"));
        QDir().mkpath(UserFolder + QStringLiteral("/UpLoadPicture"));
        LoginInfo = Table(1, 21);
        SetLoginField(5, m.digest);
        SetLoginField(6, m.prefix);

        // Noise keeps each picture a realistic size.
        QImage picture(1600, 1200, QImage::Format_RGB32);
        QRandomGenerator random(11);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, random.generate() & 0x3F3F3F);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "JPG", 85);
        // The album as BuildAlbumDir makes it.
        const QString made = service->store().newStamp();
        m.albums.append(emu::Album{kAlbum, made, made, {}});
        for (int i = 0; i < 20; ++i) {
            const QString reply = service->logic().UploadFile01(
                {demo.name, m.digest, m.prefix, kAlbum, QStringLiteral("1"), QStringLiteral("p%1").arg(i),
                 QStringLiteral(".jpg"), QString()},
                bytes + QByteArray(1, '\0'));
            if (!reply.startsWith(QLatin1String("OK_0001_"))) qFatal("upload refused: %s", qPrintable(reply));
        }
        SetLoginField(7, m.albumStamp);
        frm个人网站Labels::labViewType = QStringLiteral("0");
        LoadAlbumList();

        FileManagerView& v = logic.view;
        v.clearTree = [] {};
        v.addTreeNode = [](const AlbumTreeNode&) {};
        v.setAlbumName = [](const QString&) {};
        v.showNetToService = [](bool) {};
        v.fillFileList = [](const QList<QStringList>&) {};
        v.listTabShown = [] { return false; };
        v.selectFirstListRow = [] {};
        v.hideInsertButtons = [] {};
        v.showHintBox = [](int, const QString&, int, int) {};
        v.hideHintBox = [](int) {};
        v.hintTicked = [](int) { return false; };
        v.clearHintTick = [](int) {};
        v.setMsgSN = [](const QString&) {};
        v.pageDownVisible = [] { return false; };
        v.navigateAd = [](const QString&) {};
        v.setInfoBackColour = [](unsigned) {};
        v.hideInfoBox = [] {};
        v.clearCell = [](int) {};
        v.fillCell = [this](int, const QString&, const QImage& p) { pictures += !p.isNull(); };
        v.hideCell = [](int) {};
        v.setPageLine = [](int, int) {};
        v.setPagingLinks = [](const PagingLinks&) {};
        v.fillPageCombo = [](int, const QString&) {};
        v.scrollToTop = [] {};
        v.showLoadInfo = [](bool) {};
        v.loadProgress = [this]() -> DownloadProgress* { return &progress; };
        v.currentListRow = [] { return 1; };
        v.setGridMemo = [](const QString&) {};
        v.setGridPicture = [](const QImage&) {};
        v.showGridButtons = [](bool, bool) {};
        v.cellTicked = [](int) { return false; };
        v.setCellTicked = [](int, bool) {};
        v.selectAllTicked = [] { return false; };
        v.setSelectAll = [](bool) {};
        v.removeListRow = [](int) {};
        logic.Form_Load(QDate::currentDate());
        logic.tvwDir_NodeClick(QStringLiteral("ML0"), kAlbum);
    }

    void emptyCache() {
        const QString folder = UserFolder + QStringLiteral("/UpLoadPicture/") + kAlbum;
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void ShowPage(benchmark::State& state, int firstIndex, bool cold, int expected) {
    Fixture& f = fixture();
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            f.emptyCache();
            state.ResumeTiming();
        }
        f.pictures = 0;
        f.progress.v = 0;
        f.logic.ShowFilePage(firstIndex);
        if (f.pictures != expected) state.SkipWithError("a cell without its picture");
    }
}

void BM_Page1Cold(benchmark::State& state) { ShowPage(state, 1, true, 15); }
void BM_Page1Warm(benchmark::State& state) { ShowPage(state, 1, false, 15); }
void BM_Page2Cold(benchmark::State& state) { ShowPage(state, 16, true, 5); }

// The same 15 thumbnail GETs, all at once on one manager, bodies read whole.
void BM_Floor15Gets(benchmark::State& state) {
    Fixture& f = fixture();
    QStringList addresses;
    for (int r = 1; r <= 15; ++r) addresses << f.logic.ListCell(r, 4) + QStringLiteral(".jpg");
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), f.service->port()));
    for (auto _ : state) {
        int pending = int(addresses.size());
        qint64 bytes = 0;
        QEventLoop loop;
        for (const QString& a : addresses) {
            QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(a)));
            QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply] {
                bytes += reply->readAll().size();
                reply->deleteLater();
                if (--pending == 0) loop.quit();
            });
        }
        loop.exec();
        benchmark::DoNotOptimize(bytes);
    }
}

// The same GETs one after another, each body read whole before the next is asked for.
void BM_Floor15GetsInTurn(benchmark::State& state) {
    Fixture& f = fixture();
    QStringList addresses;
    for (int r = 1; r <= 15; ++r) addresses << f.logic.ListCell(r, 4) + QStringLiteral(".jpg");
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), f.service->port()));
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& a : addresses) {
            QEventLoop loop;
            QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(a)));
            QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
            loop.exec();
            bytes += reply->readAll().size();
            reply->deleteLater();
        }
        benchmark::DoNotOptimize(bytes);
    }
}

BENCHMARK(BM_Page1Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Page1Warm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Page2Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor15Gets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor15GetsInTurn)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the image plug-ins
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
