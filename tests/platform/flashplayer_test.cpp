// Flash in the web views: the demo movie (our own SWF writer's) played by the browser-side Flash
// player in a cell page, drawn where the markup puts it, opaque or transparent as the markup says;
// the viewer page of a Flash file takes the player; a page without Flash never asks for it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "emulator/demomovie.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "hostedfiles/ui/pictureviewerwindow.h"
#include "hostedfiles/viewpage.h"
#include "platform/flashmovie.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/ui/flashplayer.h"
#include "platform/ui/webbrowser.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "support/emulatorfixture.h"
#include "support/modalwatcher.h"
#include "support/sitefixture.h"

using testsupport::putCell;
using testsupport::writeFile;
namespace B = CellBlock;

namespace {

// The player compiles several megabytes of WebAssembly: minutes on a busy machine.
constexpr int kPlayTimeoutMs = 240000;
constexpr int kLoadTimeoutMs = 60000;

// The area of the page's player element (the Flash markup once the player replaced it), in the
// view's pixels; empty while there is none.
QRect PlayerArea(WebBrowser& web) {
    const QVariant v = web.runScriptSync(QStringLiteral(
        "(function(){var e=document.querySelector('ruffle-object,ruffle-embed');if(!e)return '';"
        "var r=e.getBoundingClientRect();return JSON.stringify([r.left,r.top,r.width,r.height]);})()"));
    const QJsonArray a = QJsonDocument::fromJson(v.toString().toUtf8()).array();
    if (a.size() != 4) return QRect();
    return QRect(qRound(a[0].toDouble()), qRound(a[1].toDouble()), qRound(a[2].toDouble()), qRound(a[3].toDouble()));
}

bool Near(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) <= 12 && qAbs(qGreen(a) - qGreen(b)) <= 12 && qAbs(qBlue(a) - qBlue(b)) <= 12;
}

// What the view shows inside the area: the share of the movie's ground colour and whether one of
// its squares is seen.
struct Drawn {
    double ground = 0;
    bool square = false;
};

Drawn DrawnIn(WebBrowser& web, const QRect& area) {
    const QImage shot = web.view()->grab().toImage();
    const QRect r = area.intersected(shot.rect());
    Drawn d;
    if (r.isEmpty()) return d;
    int ground = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            if (Near(c, emu::kDemoMovieGround)) ++ground;
            for (const QRgb s : emu::kDemoMovieSquares) d.square = d.square || Near(c, s);
        }
    d.ground = double(ground) / (r.width() * r.height());
    return d;
}

bool NavigateAndWait(WebBrowser& web, const QString& address) {
    QSignalSpy done(&web, &WebBrowser::documentComplete);
    web.Navigate(address);
    return done.wait(kLoadTimeoutMs) && done.takeFirst().at(0).toBool();
}

class FlashPlayerTest : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        testsupport::EmulatorTest::SetUp();
        if (FlashPlayerFolder().isEmpty())
            GTEST_SKIP() << "the Flash player (npm @ruffle-rs/ruffle 0.6.0) is not in the build's shared data "
                            "(share/tavolin/ruffle): scripts/deps.sh fetches it where the npm registry is reachable";
        loginAs(QStringLiteral("zhang"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
        QDir().mkpath(paths::InRoot(QStringLiteral("data")));
        SiteSettings.create();
    }

    // The materials library's Flash movie: the demo movie.
    static QString movieAddress() {
        return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Materials) +
               QStringLiteral("/pwtd/sc01/pic/qj8_flash.swf");
    }
};

}  // namespace

TEST(DemoMovie, IsAnSwfOfFourFramesAtTwoASecond) {
    const auto movie = ReadFlashMovie(emu::DemoFlashMovie());
    ASSERT_TRUE(movie.has_value());
    EXPECT_EQ(movie->kind, FlashMovie::Kind::Swf);
    EXPECT_EQ(movie->totalFrames, 4);
    EXPECT_DOUBLE_EQ(movie->rate, 2.0);
}

// Runs a script in the page's own world (the player's) and waits for its value.
QVariant MainWorldValue(WebBrowser& web, const QString& script) {
    QVariant value;
    bool done = false;
    web.page()->runJavaScript(script, QWebEngineScript::MainWorld, [&](const QVariant& v) { value = v, done = true; });
    if (!QTest::qWaitFor([&] { return done; }, kLoadTimeoutMs)) return {};
    return value;
}

// The player asks for animation frames at about the movie's rate (two a second) and keeps asking,
// while a script of the page gets every frame the engine makes.
void ExpectThePlayerDrawsAtTheMoviesRate(WebBrowser& web) {
    MainWorldValue(web, QStringLiteral(
        "(function(){var c=window.__frames={player:0,page:0,t0:performance.now()},ask=window.requestAnimationFrame;"
        "window.requestAnimationFrame=function(f){c.player++;return ask.call(window,f);};"
        "(function tick(){c.page++;ask.call(window,tick);})();return 1;})()"));
    QJsonObject frames;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        frames = QJsonDocument::fromJson(MainWorldValue(web, QStringLiteral(
            "JSON.stringify({player:__frames.player,page:__frames.page,s:(performance.now()-__frames.t0)/1000})"))
                                             .toString().toUtf8()).object();
        return frames.value(QStringLiteral("page")).toInt() >= 60 && frames.value(QStringLiteral("player")).toInt() >= 3;
    }, kPlayTimeoutMs)) << "frames: " << QJsonDocument(frames).toJson().constData();
    const double seconds = frames.value(QStringLiteral("s")).toDouble();
    EXPECT_LE(frames.value(QStringLiteral("player")).toInt(), 4 * seconds + 3)
        << "the player asked for frames faster than its movie changes: " << QJsonDocument(frames).toJson().constData();
}

// Cell 8's page with the demo movie as its foreground, opaque ("111") or transparent ("011"):
// the player takes the markup's size and draws the movie's ground only when opaque.
void PlayCellPage(const char* code, bool transparent) {
    putCell(LocalColumn, 8, B::CellForeground, QStringLiteral("http://") +
                                                   serviceconfig::current().hostName(ServiceHost::Materials) +
                                                   QStringLiteral("/pwtd/sc01/pic/qj8_flash.swf"));
    putCell(LocalColumn, 8, B::CellForeWidth, QString::number(emu::kDemoMovieSize));
    putCell(LocalColumn, 8, B::CellForeHeight, QString::number(emu::kDemoMovieSize));
    putCell(LocalColumn, 8, B::CellForeCode, QString::fromLatin1(code));
    CreateCellHtml(8, LocalColumn);

    WebBrowser web;
    web.resize(GetCellWidth(8) + 40, GetCellHeight(8) + 40);
    web.show();
    ASSERT_TRUE(NavigateAndWait(web, SitePagePath(QStringLiteral("8.html"))));
    QRect area;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !(area = PlayerArea(web)).isEmpty(); }, kPlayTimeoutMs))
        << "the player did not take the Flash markup";
    EXPECT_EQ(area.size(), QSize(emu::kDemoMovieSize, emu::kDemoMovieSize));
    ASSERT_TRUE(QTest::qWaitFor([&] { return DrawnIn(web, area).square; }, kPlayTimeoutMs))
        << "the movie's squares were never drawn";
    const Drawn drawn = DrawnIn(web, area);
    if (transparent)
        EXPECT_EQ(drawn.ground, 0.0);  // the page shows through the movie's ground
    else
        EXPECT_GT(drawn.ground, 0.4);
    // The page's own scripts (the player's world) see no game controllers, not even empty places
    // for them, so the engine never starts polling them.
    EXPECT_EQ(MainWorldValue(web, QStringLiteral("navigator.getGamepads().length")), QVariant(0));
    ExpectThePlayerDrawsAtTheMoviesRate(web);
    // The movie's sound goes through the page's audio context, made for playback rather than the
    // lowest delay: it is still an audio context that takes sounds.
    EXPECT_EQ(MainWorldValue(web, QStringLiteral(
                  "(function(){var c=new AudioContext();var ok=c instanceof AudioContext&&"
                  "typeof c.createBufferSource()==='object';c.close();return ok;})()")).toBool(), true);
}

TEST_F(FlashPlayerTest, ACellPagePlaysTheMovie) { PlayCellPage("111", false); }

TEST_F(FlashPlayerTest, ATransparentMovieLetsThePageShowThrough) { PlayCellPage("011", true); }

TEST_F(FlashPlayerTest, TheViewerPageOfAFlashFilePlaysTheMovie) {
    bool found = false, played = false;
    QSize size;
    Drawn drawn;
    testsupport::ModalWatcher<PictureViewerWindow> watcher([&](PictureViewerWindow* viewer) {
        WebBrowser& web = *viewer->webViewPic;
        QRect area;
        found = QTest::qWaitFor([&] { return !(area = PlayerArea(web)).isEmpty(); }, kPlayTimeoutMs);
        size = area.size();
        played = found && QTest::qWaitFor([&] { return DrawnIn(web, area).square; }, kPlayTimeoutMs);
        if (played) drawn = DrawnIn(web, area);
        viewer->close();
    });
    ShowFileInViewer(nullptr, movieAddress());
    EXPECT_EQ(watcher.seen(), 1);
    ASSERT_TRUE(found) << "the player did not take the Flash markup";
    EXPECT_EQ(size, QSize(800, 500));  // the Flash form's fixed size
    EXPECT_TRUE(played) << "the movie's squares were never drawn";
    EXPECT_GT(drawn.ground, 0.1);
}

// A movie on the member's disk, as a preview names it before the upload: a local page plays it, a
// web page cannot read it through the player's scheme.
TEST_F(FlashPlayerTest, OnlyALocalPageReadsALocalMovie) {
    const QString movie = QDir(UserFolder).filePath(QStringLiteral("temp/local.swf"));
    writeFile(movie, emu::DemoFlashMovie());
    const QString movieUrl = QUrl::fromLocalFile(movie).toString();
    const QString local = QDir(UserFolder).filePath(QStringLiteral("temp/local.html"));
    writeFile(local, QStringLiteral("<html><body style=\"margin:0\"><embed src=\"%1\" type=\"application/x-shockwave-flash\" "
                                    "width=\"120\" height=\"120\"></embed></body></html>")
                         .arg(movieUrl)
                         .toUtf8());
    const QString read = QStringLiteral(
        "window.__read='';var x=new XMLHttpRequest();x.open('GET','tavolin-flash://player/movie?u='+encodeURIComponent(%1));"
        "x.responseType='arraybuffer';x.onload=function(){window.__read='read '+x.response.byteLength};"
        "x.onerror=function(){window.__read='refused'};x.send();")
                             .arg(QLatin1Char('\'') + movieUrl + QLatin1Char('\''));
    const QString bytes = QStringLiteral("read %1").arg(emu::DemoFlashMovie().size());
    struct Case {
        bool web;
        QString expected;
    };
    for (const Case& c : {Case{false, bytes}, Case{true, QStringLiteral("refused")}}) {
        SCOPED_TRACE(c.web ? "web page" : "local page");
        WebBrowser web;
        web.resize(200, 200);
        web.show();
        if (c.web) {
            QSignalSpy done(web.page(), &QWebEnginePage::loadFinished);
            web.page()->setHtml(QStringLiteral("<html><body>web</body></html>"),
                                QUrl(QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Materials) +
                                     QStringLiteral("/page.html")));
            ASSERT_TRUE(done.wait(kLoadTimeoutMs));
        } else {
            ASSERT_TRUE(NavigateAndWait(web, local));
        }
        web.runScriptSync(read);
        QString result;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !(result = web.runScriptSync(QStringLiteral("window.__read")).toString()).isEmpty(); },
                                    kLoadTimeoutMs));
        EXPECT_EQ(result.toStdString(), c.expected.toStdString());
        if (!c.web) {
            QRect area;
            ASSERT_TRUE(QTest::qWaitFor([&] { return !(area = PlayerArea(web)).isEmpty(); }, kPlayTimeoutMs));
            EXPECT_TRUE(QTest::qWaitFor([&] { return DrawnIn(web, area).square; }, kPlayTimeoutMs))
                << "the local movie was never drawn";
        }
    }
}

TEST_F(FlashPlayerTest, APageWithoutFlashNeverAsksForThePlayer) {
    const QString page = QDir(UserFolder).filePath(QStringLiteral("temp/plain.html"));
    writeFile(page, "<html><body><img src=\"a.png\" width=\"10\" height=\"10\"><object data=\"x.pdf\"></object>"
                    "<embed src=\"clip.mp4\" type=\"video/mp4\"><p>no movie</p></body></html>");
    const int before = FlashPlayerFileRequests();
    WebBrowser web;
    web.resize(300, 200);
    web.show();
    ASSERT_TRUE(NavigateAndWait(web, page));
    // The loader ran when the document was parsed, before the load ended.
    EXPECT_EQ(web.runScriptSync(QStringLiteral("document.querySelectorAll('script').length")).toInt(), 0);
    EXPECT_EQ(FlashPlayerFileRequests(), before);
}
