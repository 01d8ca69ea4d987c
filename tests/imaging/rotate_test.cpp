// Turning a picture: sizes, where every pixel goes, the background, the events.
#include <gtest/gtest.h>

#include <functional>

#include "imaging/dibprocess.h"
#include "platform/vberror.h"
#include "support/fixtures.h"
#include "imagingsupport.h"

using imagingtest::flat;
using imagingtest::pictureOf;
using testsupport::readFile;
using testsupport::sameBytes;
using testsupport::testDataPath;

namespace {

// Pixels as 32-bit units in memory order: (x, y) with y = 0 the bottom row.
quint32 at(const cDIBSection1& d, int x, int y) {
    return reinterpret_cast<const quint32*>(d.DIBSectionBitsPtr())[qsizetype(y) * d.Width() + x];
}

// A source whose every pixel names its own memory position (x, y), none of them the background.
std::shared_ptr<cDIBSection1> numbered(int w, int h) {
    auto d = std::make_shared<cDIBSection1>();
    EXPECT_TRUE(d->Create(w, h));
    auto* p = reinterpret_cast<quint32*>(d->DIBSectionBitsPtr());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p[y * w + x] = quint32(x) | quint32(y) << 12 | 0x01000000u;
    return d;
}

constexpr quint32 kBack = 0x00123456;  // OLE 0x00BBGGRR: red 0x56, green 0x34, blue 0x12
constexpr quint32 kBackPixel = 0x00563412;  // as the section stores it: blue, green, red, 0

}  // namespace

TEST(Rotate, QuarterAndHalfTurnsMoveEveryPixelAndLeaveNoBackground) {
    const int w = 200, h = 100;
    struct Case {
        float angle;
        int newW, newH;
        std::function<QPoint(int, int)> from;  // destination (x, y) -> source (x, y), memory order
    } cases[] = {
        // Clockwise on screen: the picture's bottom edge (memory row 0) becomes its left edge.
        {90, h, w, [&](int x, int y) { return QPoint(w - 1 - y, x); }},
        {-90, h, w, [&](int x, int y) { return QPoint(y, h - 1 - x); }},
        {270, h, w, [&](int x, int y) { return QPoint(y, h - 1 - x); }},
        {180, w, h, [&](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); }},
        {-180, w, h, [&](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); }},
        {0, w, h, [&](int x, int y) { return QPoint(x, y); }},
        {360, w, h, [&](int x, int y) { return QPoint(x, y); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const std::shared_ptr<cDIBSection1> source = numbered(w, h);
        std::shared_ptr<cDIBSection1> dib = source;
        cDIBProcess().RotateDIB(dib, c.angle, kBack);
        ASSERT_NE(dib, source);
        ASSERT_EQ(QSize(dib->Width(), dib->Height()), QSize(c.newW, c.newH));
        for (int y = 0; y < c.newH; ++y)
            for (int x = 0; x < c.newW; ++x) {
                const QPoint s = c.from(x, y);
                ASSERT_EQ(at(*dib, x, y), at(*source, s.x(), s.y())) << x << "," << y;
            }
        EXPECT_EQ(at(*source, 3, 2), 3u | 2u << 12 | 0x01000000u);  // the source is not changed
    }
}

TEST(Rotate, FortyFiveDegreesGrowsTheBoxAndFillsTheCorners) {
    std::shared_ptr<cDIBSection1> dib = numbered(100, 100);
    cDIBProcess().RotateDIB(dib, 45, kBack);
    ASSERT_EQ(QSize(dib->Width(), dib->Height()), QSize(141, 141));
    for (const QPoint corner : {QPoint(0, 0), QPoint(140, 0), QPoint(0, 140), QPoint(140, 140), QPoint(10, 10)})
        EXPECT_EQ(at(*dib, corner.x(), corner.y()), kBackPixel) << corner.x() << "," << corner.y();
    EXPECT_NE(at(*dib, 70, 70), kBackPixel);
    EXPECT_NE(at(*dib, 70, 1), kBackPixel);  // a tip of the turned square
}

TEST(Rotate, AnOddAngleMatchesItsGoldenPicture) {
    std::shared_ptr<cDIBSection1> dib = numbered(7, 5);
    cDIBProcess().RotateDIB(dib, 30, kBack);
    ASSERT_EQ(QSize(dib->Width(), dib->Height()), QSize(8, 7));
    const QByteArray bits(reinterpret_cast<const char*>(dib->DIBSectionBitsPtr()), dib->dataSize());
    EXPECT_TRUE(sameBytes(readFile(testDataPath("imaging/golden/rotate_7x5_by_30.bin")), bits));
}

TEST(Rotate, BackgroundColoursEventsAndAnEmptySource) {
    struct {
        quint32 back;
        quint32 pixel;
    } colours[] = {
        {0x8000000F, 0x00F0F0F0},  // button face, by the system colour table
        {0x80000005, 0x00FFFFFF},  // window
        {0x00332211, 0x00112233},  // plain colours keep their bytes
    };
    for (const auto& c : colours) {
        std::shared_ptr<cDIBSection1> dib = numbered(10, 10);
        cDIBProcess().RotateDIB(dib, 45, c.back);
        EXPECT_EQ(at(*dib, 0, 0), c.pixel) << std::hex << c.back;
    }

    std::shared_ptr<cDIBSection1> dib = numbered(20, 10);
    cDIBProcess process;
    QList<int> init, progress, complete;
    process.InitProgress = [&](int v) { init.append(v); };
    process.Progress = [&](int v) {
        EXPECT_EQ(init.size(), 1);  // after InitProgress
        progress.append(v);
    };
    process.Complete = [&](int v) { complete.append(v); };
    process.RotateDIB(dib, 90, kBack);
    EXPECT_EQ(init, QList<int>{19});
    ASSERT_EQ(progress.size(), 20);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 19);
    ASSERT_EQ(complete.size(), 1);
    EXPECT_GE(complete.front(), 0);

    // Nothing to turn: a small picture of background.
    auto empty = std::make_shared<cDIBSection1>();
    cDIBProcess().RotateDIB(empty, 30, kBack);
    ASSERT_NE(empty->DIBSectionBitsPtr(), nullptr);
    for (int y = 0; y < empty->Height(); ++y)
        for (int x = 0; x < empty->Width(); ++x) EXPECT_EQ(at(*empty, x, y), kBackPixel);
}

TEST(Rotate, APictureTooLargeToTurnRaisesAndKeepsTheReference) {
    // 40000 × 2 turned by 45 degrees needs more than 32 bits of bytes: the caller's trap gets it.
    auto wide = std::make_shared<cDIBSection1>();
    ASSERT_TRUE(wide->Create(40000, 2));
    std::shared_ptr<cDIBSection1> dib = wide;
    EXPECT_THROW(cDIBProcess().RotateDIB(dib, 45, kBack), VbError);
    EXPECT_EQ(dib, wide);
}
