// The tutorial movies shipped with the program: each one that ships reads as a movie of its host's
// chapters, its slides load and its highlights lie on them.
#include "platform/flashmovie.h"
#include "platform/paths.h"
#include "platform/ui/flashcontrol.h"
#include "tutorial/teachplayercontroller.h"
#include "tutorial/ui/teachplayer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

namespace {

TEST(ShippedMovies, EachCoversItsHostsChaptersWithSlidesThatLoad) {
    const TeachHost* hosts[] = {&teachhosts::MainWindow(), &teachhosts::CellEditor(), &teachhosts::WriteText(),
                                &teachhosts::Upload()};
    int shipped = 0;
    for (const TeachHost* host : hosts) {
        SCOPED_TRACE(host->movie.toStdString());
        const QString path = paths::SharedFile(host->movie);
        if (path.isEmpty()) continue;
        ++shipped;
        const auto movie = LoadFlashMovie(path);
        ASSERT_TRUE(movie);
        ASSERT_EQ(movie->kind, FlashMovie::Kind::Tutorial);
        EXPECT_EQ(movie->totalFrames, host->starts.last() + 3);
        ASSERT_EQ(movie->scenes.size(), host->chapterCount());
        for (int k = 0; k < host->chapterCount(); ++k) {
            SCOPED_TRACE(k);
            const FlashScene& scene = movie->scenes[k];
            EXPECT_EQ(scene.firstFrame, k == 0 ? 0 : host->starts[k - 1] + 1);
            EXPECT_EQ(scene.lastFrame, k + 1 < host->chapterCount() ? host->starts[k] : movie->totalFrames - 1);
            EXPECT_FALSE(scene.caption.trimmed().isEmpty());
            const QImage slide(movie->folder + QLatin1Char('/') + scene.slide);
            ASSERT_FALSE(slide.isNull()) << scene.slide.toStdString();
            EXPECT_TRUE(slide.rect().contains(scene.highlight));
        }
    }
    EXPECT_GE(shipped, 1);
    EXPECT_FALSE(paths::SharedFile(teachhosts::MainWindow().movie).isEmpty());
}

// Every chapter of each window's movie plays in the window's panel: a frame in the middle of the
// chapter shows a screenshot (many colours, not the grey of a missing slide) and a caption, and
// differs from the frame of the chapter before.
TEST(ShippedMovies, AFrameOfEachChapterShowsItsSlideAndCaption) {
    const TeachHost* hosts[] = {&teachhosts::MainWindow(), &teachhosts::CellEditor(), &teachhosts::WriteText(),
                                &teachhosts::Upload()};
    for (const TeachHost* host : hosts) {
        SCOPED_TRACE(host->movie.toStdString());
        ASSERT_FALSE(paths::SharedFile(host->movie).isEmpty());
        TeachPlayer player(nullptr, *host);
        player.TeachLoadMovie();
        FlashPlayback& flash = player.teachSF1->playback();
        ASSERT_EQ(flash.TotalFrames(), host->starts.last() + 3);
        QImage before;
        for (int k = 0; k < host->chapterCount(); ++k) {
            SCOPED_TRACE(k);
            const int first = k == 0 ? 0 : host->starts[k - 1] + 1;
            const int last = k + 1 < host->chapterCount() ? host->starts[k] : flash.TotalFrames() - 1;
            flash.GotoFrame((first + last) / 2);
            const QImage frame = player.teachSF1->renderStage();
            QSet<QRgb> slideColours;
            for (int y = 0; y < frame.height(); y += 3)
                for (int x = 0; x < 680; x += 3) slideColours.insert(frame.pixel(x, y));
            EXPECT_GT(slideColours.size(), 40);
            int captionInk = 0;
            for (int y = 12; y < frame.height() - 12; ++y)
                for (int x = 700; x < frame.width() - 12; ++x) captionInk += qGray(frame.pixel(x, y)) < 128;
            EXPECT_GT(captionInk, 100);
            EXPECT_NE(frame, before);
            before = frame;
        }
    }
}

// Played through as the member plays it, chapter by chapter with Next: the caption on the panel is
// the one of the page the counter names, while a chapter plays and while the player stands at its
// end waiting for Next.
TEST(ShippedMovies, TheCaptionShownBelongsToThePageTheCounterNames) {
    const TeachHost* hosts[] = {&teachhosts::MainWindow(), &teachhosts::CellEditor(), &teachhosts::WriteText(),
                                &teachhosts::Upload()};
    for (const TeachHost* host : hosts) {
        SCOPED_TRACE(host->movie.toStdString());
        const auto movie = LoadFlashMovie(paths::SharedFile(host->movie));
        ASSERT_TRUE(movie);
        qint64 now = 0;
        FlashPlayback flash([&now] { return now; });
        TeachPlayerController player(*host, flash, TeachPlayerView{[](bool) {}, [](bool) {}, [](int, int) {}, [] {}, {}});
        player.TeachLoadMovie();
        const auto caption = [&] {
            const FlashScene* scene = movie->sceneAt(flash.FrameNum());
            return scene ? scene->caption : QString();
        };
        const auto playTo = [&](int frame) { now += qint64((frame - flash.FrameNum()) * 1000 / movie->rate) + 1; };
        for (int k = 0; k < host->chapterCount(); ++k) {
            SCOPED_TRACE(k);
            const QString page = QStringLiteral("%1/%2(页)").arg(k + 1).arg(host->chapterCount());
            const int end = k + 1 < host->chapterCount() ? host->starts[k] : flash.TotalFrames() - 3;
            playTo((flash.FrameNum() + end) / 2);
            player.teachTimer1_Timer();
            EXPECT_EQ(player.controls().teachlabPofPS, page);
            EXPECT_EQ(caption(), movie->scenes[k].caption);
            playTo(end + 5);
            player.teachTimer1_Timer();
            EXPECT_FALSE(flash.IsPlaying());
            EXPECT_EQ(player.controls().teachlabPofPS, page);
            EXPECT_EQ(caption(), movie->scenes[k].caption);
            player.teachcmdNext_Click();
        }
    }
}

}  // namespace
