// The Flash control stand-in: the movies it reads (tutorial descriptors, SWF headers) and how its
// frame follows the clock.
#include "platform/flashmovie.h"
#include "platform/ui/flashcontrol.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// An SWF head: signature, version, file length, a stage rectangle of 15-bit fields, rate (8.8)
// and frame count.
QByteArray SwfBody(int rateWhole, int rateFraction, int frames) {
    QByteArray body;
    body += char(15 << 3);
    body += QByteArray(8, '\x11');  // the rest of the rectangle's 65 bits
    body += char(rateFraction);
    body += char(rateWhole);
    body += char(frames & 0xFF);
    body += char(frames >> 8);
    body += QByteArray(20, '\0');  // tags, not read
    return body;
}

QByteArray SwfHead(const char* signature, quint32 length) {
    QByteArray head(signature);
    head += char(10);
    char le[4];
    qToLittleEndian(length, le);
    return head + QByteArray(le, 4);
}

QByteArray Fws(int rateWhole, int rateFraction, int frames) {
    const QByteArray body = SwfBody(rateWhole, rateFraction, frames);
    return SwfHead("FWS", 8 + body.size()) + body;
}

QByteArray Cws(int rateWhole, int frames) {
    const QByteArray body = SwfBody(rateWhole, 0, frames);
    return SwfHead("CWS", 8 + body.size()) + qCompress(body).mid(4);  // the zlib stream alone
}

QByteArray Descriptor(const QByteArray& scenes, int frames = 100, int rate = 12) {
    return QByteArray(kTutorialMarker) + "\nframes " + QByteArray::number(frames) + "\nrate " + QByteArray::number(rate) +
           "\n" + scenes;
}

struct Rig {
    QTemporaryDir dir;
    qint64 now = 0;
    FlashPlayback flash{[this] { return now; }};
    void load(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("movie.dll"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        flash.setMovie(path);
    }
};

TEST(FlashMovie, SwfHeadersGiveRateAndFrameCount) {
    const auto fws = ReadFlashMovie(Fws(24, 128, 1503));
    ASSERT_TRUE(fws);
    EXPECT_EQ(fws->kind, FlashMovie::Kind::Swf);
    EXPECT_EQ(fws->totalFrames, 1503);
    EXPECT_DOUBLE_EQ(fws->rate, 24.5);
    const auto cws = ReadFlashMovie(Cws(12, 905));
    ASSERT_TRUE(cws);
    EXPECT_EQ(cws->totalFrames, 905);
    EXPECT_DOUBLE_EQ(cws->rate, 12);
}

TEST(FlashMovie, DescriptorScenesAndTheirRoundTrip) {
    const auto movie = ReadFlashMovie(Descriptor("scene 0 49 a.png 10 20 30 40 单元格的编辑按钮\r\n"
                                                 "scene 50 99 b.png 0 0 5 5 发布 网站\n\n"));
    ASSERT_TRUE(movie);
    EXPECT_EQ(movie->kind, FlashMovie::Kind::Tutorial);
    EXPECT_EQ(movie->totalFrames, 100);
    ASSERT_EQ(movie->scenes.size(), 2);
    EXPECT_EQ(movie->scenes[0].highlight, QRect(10, 20, 30, 40));
    EXPECT_EQ(movie->scenes[0].caption, QStringLiteral("单元格的编辑按钮"));
    EXPECT_EQ(movie->scenes[1].caption, QStringLiteral("发布 网站"));
    EXPECT_EQ(movie->sceneAt(49)->slide, QStringLiteral("a.png"));
    EXPECT_EQ(movie->sceneAt(50)->slide, QStringLiteral("b.png"));
    const auto again = ReadFlashMovie(WriteTutorialDescriptor(*movie));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->scenes.size(), 2);
    EXPECT_EQ(again->scenes[1].caption, movie->scenes[1].caption);
    EXPECT_EQ(again->scenes[1].highlight, movie->scenes[1].highlight);
}

TEST(FlashMovie, BrokenInputIsNoMovie) {
    QByteArray badZlib = SwfHead("CWS", 40) + QByteArray("\x78\x9c garbage that is no deflate");
    QByteArray truncated = Fws(12, 0, 10).left(12);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"text", "hello"},
        {"lzma swf", SwfHead("ZWS", 40) + QByteArray(40, '\x5d')},
        {"swf cut in its rectangle", truncated},
        {"swf of no frames", Fws(12, 0, 0)},
        {"swf of rate 0", Fws(0, 0, 10)},
        {"swf length below its head", SwfHead("FWS", 3) + SwfBody(12, 0, 10)},
        {"compressed swf that does not inflate", badZlib},
        {"descriptor without rate", QByteArray(kTutorialMarker) + "\nframes 10\n"},
        {"descriptor of 0 frames", Descriptor("", 0)},
        {"descriptor of rate 0", Descriptor("", 10, 0)},
        {"scene past the last frame", Descriptor("scene 0 100 a.png 1 1 1 1 x")},
        {"scene ending before it starts", Descriptor("scene 20 10 a.png 1 1 1 1 x")},
        {"scene slide outside its folder", Descriptor("scene 0 9 ../a.png 1 1 1 1 x")},
        {"scene of an empty rectangle", Descriptor("scene 0 9 a.png 1 1 0 1 x")},
        {"scene without a caption", Descriptor("scene 0 9 a.png 1 1 1 1")},
        {"unknown line", Descriptor("scene 0 9 a.png 1 1 1 1 x\nsound a.wav")},
        {"marker in another case", "tavolin-tutorial 1\nframes 10\nrate 12\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(ReadFlashMovie(c.bytes));
    }
    EXPECT_FALSE(LoadFlashMovie(QStringLiteral("/nonexistent/msvcr80.dll")));
}

TEST(FlashPlayback, FramesFollowTheClockAtTheMovieRate) {
    Rig rig;
    rig.load(Descriptor("", 100, 12));
    EXPECT_EQ(rig.flash.FrameNum(), 0);  // a loaded movie plays by itself
    rig.now += 1000;
    EXPECT_EQ(rig.flash.FrameNum(), 12);
    rig.flash.StopPlay();
    rig.now += 5000;
    EXPECT_EQ(rig.flash.FrameNum(), 12);
    EXPECT_FALSE(rig.flash.IsPlaying());
    // GotoFrame while stopped shows the frame and stays stopped; Play goes on from it.
    rig.flash.GotoFrame(40);
    rig.now += 1000;
    EXPECT_EQ(rig.flash.FrameNum(), 40);
    rig.flash.Play();
    rig.now += 500;
    EXPECT_EQ(rig.flash.FrameNum(), 46);
    // GotoFrame while playing keeps playing; setting FrameNum is the same.
    rig.flash.setFrameNum(10);
    rig.now += 250;
    EXPECT_EQ(rig.flash.FrameNum(), 13);
}

TEST(FlashPlayback, LoopOnWrapsAndLoopOffStopsOnTheLastFrame) {
    Rig rig;
    rig.load(Descriptor("", 100, 10));
    rig.now += 10500;  // 105 frames
    EXPECT_EQ(rig.flash.FrameNum(), 5);
    rig.flash.setLoop(false);
    rig.now += 60000;
    EXPECT_EQ(rig.flash.FrameNum(), 99);
    EXPECT_FALSE(rig.flash.IsPlaying());
}

TEST(FlashPlayback, WithoutAMovieNothingPlays) {
    Rig rig;
    rig.load("FWS");
    EXPECT_EQ(rig.flash.movie(), nullptr);
    rig.flash.Play();
    rig.flash.GotoFrame(5);
    rig.now += 1000;
    EXPECT_EQ(rig.flash.FrameNum(), -1);
    EXPECT_EQ(rig.flash.TotalFrames(), 0);
    // A good movie after a bad one plays; a bad one after a good one leaves none.
    rig.load(Fws(12, 0, 30));
    EXPECT_EQ(rig.flash.TotalFrames(), 30);
    rig.load(QByteArray());
    EXPECT_EQ(rig.flash.FrameNum(), -1);
}

TEST(FlashControl, ShowsMotionWhilePlayingAndStandsStillWhenStopped) {
    QTemporaryDir dir;
    QImage slide(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < slide.height(); ++y)
        for (int x = 0; x < slide.width(); ++x) slide.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    ASSERT_TRUE(slide.save(dir.filePath(QStringLiteral("s.png"))));
    const QString path = dir.filePath(QStringLiteral("m.dll"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Descriptor("scene 0 99 s.png 100 100 60 30 工具栏", 100, 10));
    f.close();

    qint64 now = 0;
    FlashControl control(nullptr, [&now] { return now; });
    const QImage empty = control.renderStage();
    control.playback().setMovie(path);
    const QImage first = control.renderStage();
    EXPECT_NE(first, empty);
    now += 3000;
    const QImage later = control.renderStage();
    EXPECT_NE(later, first);
    control.playback().StopPlay();
    now += 3000;
    EXPECT_EQ(control.renderStage(), later);

    // A real SWF: the placeholder, which shows the frame it stands on.
    const QString swf = dir.filePath(QStringLiteral("real.swf"));
    QFile s(swf);
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write(Fws(12, 0, 50));
    s.close();
    control.playback().setMovie(swf);
    const QImage placeholder = control.renderStage();
    EXPECT_NE(placeholder, empty);
    now += 1000;
    EXPECT_NE(control.renderStage(), placeholder);
}

}  // namespace
