// The tutorial movies shipped with the program: each one that ships reads as a movie of its host's
// chapters, its slides load and its highlights lie on them.
#include "platform/flashmovie.h"
#include "platform/paths.h"
#include "platform/ui/flashcontrol.h"
#include "tutorial/teachplayer.h"
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
            EXPECT_EQ(scene.firstFrame, k == 0 ? 0 : host->starts[k - 1]);
            EXPECT_EQ(scene.lastFrame, k + 1 < host->chapterCount() ? host->starts[k] - 1 : movie->totalFrames - 1);
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
            const int first = k == 0 ? 0 : host->starts[k - 1];
            const int last = k + 1 < host->chapterCount() ? host->starts[k] - 1 : flash.TotalFrames() - 1;
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

}  // namespace
