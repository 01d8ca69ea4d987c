// The tutorial movies shipped with the program: each one that ships reads as a movie of its host's
// chapters, its slides load and its highlights lie on them.
#include "platform/flashmovie.h"
#include "platform/paths.h"
#include "tutorial/teachplayer.h"

#include <gtest/gtest.h>

#include <QImage>

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

}  // namespace
