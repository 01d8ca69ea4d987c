// The bitmap classes: layout, emptiness, loading, painting, the BMP writer and resampling.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include "imaging/dibsection.h"
#include "platform/vberror.h"
#include "support/fixtures.h"
#include "imagingsupport.h"

using imagingtest::flat;
using imagingtest::pictureOf;
using imagingtest::pixelAt;
using testsupport::readFile;
using testsupport::sameBytes;
using testsupport::testDataPath;
using testsupport::writeFile;

TEST(DibLayout, StridesForWidthsZeroToFour) {
    const int widths[] = {0, 1, 2, 3, 4};
    const int stride32[] = {0, 4, 8, 12, 16};
    const int stride24[] = {0, 4, 8, 12, 12};
    for (int i = 0; i < 5; ++i) {
        cDIBSection1 d32;
        cDIBSection d24;
        d32.Create(widths[i], 1);
        d24.Create(widths[i], 1);
        EXPECT_EQ(d32.BytesPerScanLine(), stride32[i]) << "width " << widths[i];
        EXPECT_EQ(d24.BytesPerScanLine(), stride24[i]) << "width " << widths[i];
    }
}

TEST(DibLayout, HandlesExistExactlyWhileAPictureIsHeld) {
    cDIBSection1 dib;
    EXPECT_EQ(dib.hDC(), nullptr);
    ASSERT_TRUE(dib.Create(3, 2));
    EXPECT_NE(dib.hDC(), nullptr);
    EXPECT_NE(dib.hDIB(), 0u);
    EXPECT_NE(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.dataSize(), 24);
    EXPECT_EQ(dib.header().biSize, 40);
    EXPECT_EQ(dib.header().biPlanes, 1);
    EXPECT_EQ(dib.ColorBit(), 32);

    dib.ClearUp();
    EXPECT_EQ(dib.hDC(), nullptr);
    EXPECT_EQ(dib.hDIB(), 0u);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(dib.Width(), 3);  // the header stays
    EXPECT_EQ(dib.Height(), 2);

    // A size of 0 or less gives no picture; an earlier one is gone.
    ASSERT_TRUE(dib.Create(3, 2));
    for (const QSize bad : {QSize(0, 10), QSize(10, 0), QSize(-1, 5)}) {
        EXPECT_FALSE(dib.Create(bad.width(), bad.height()));
        EXPECT_EQ(dib.hDC(), nullptr);
        EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    }
}

TEST(DibLayout, SizesBeyondThirtyTwoBitsRaiseOverflow) {
    cDIBSection1 d32;
    cDIBSection d24;
    try {
        d32.Create(30000, 30000);  // 3.6 GB
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), VbError::Overflow);
    }
    EXPECT_THROW(d24.Create(800000000, 1), VbError);  // the stride alone
    EXPECT_EQ(d32.hDC(), nullptr);
}

TEST(DibLayout, RowsAreStoredBottomUpInBlueGreenRedOrder) {
    const QImage picture = pictureOf(2, 2, [](int x, int y) { return x == 0 && y == 0 ? QColor(10, 20, 30) : QColor(Qt::white); });
    cDIBSection1 d32;
    ASSERT_TRUE(d32.CreateFromHandle(picture, 0, 0, -1, -1));
    // The top-left pixel is in the last row in memory.
    const uchar* top32 = d32.DIBSectionBitsPtr() + d32.BytesPerScanLine();
    EXPECT_EQ(top32[0], 30);
    EXPECT_EQ(top32[1], 20);
    EXPECT_EQ(top32[2], 10);

    cDIBSection d24;
    d24.CreateFromPicture(StdPicture{picture});
    ASSERT_NE(d24.DIBSectionBitsPtr(), nullptr);
    const uchar* top24 = d24.DIBSectionBitsPtr() + d24.BytesPerScanLine();
    EXPECT_EQ(top24[0], 30);
    EXPECT_EQ(top24[1], 20);
    EXPECT_EQ(top24[2], 10);
    EXPECT_EQ(pixelAt(d24, 1, 1), QColor(Qt::white));

    cDIBSection none;
    none.CreateFromPicture(StdPicture{});
    EXPECT_EQ(none.DIBSectionBitsPtr(), nullptr);
}

// ---- loading files

class LoadFile : public testsupport::DataRootTest {
protected:
    QString saved(const QString& name, const QImage& image, const char* format) {
        const QString path = root() + "/" + name;
        QImageWriter writer(path, format);
        EXPECT_TRUE(writer.write(image)) << format;
        return path;
    }
    // A picture with a distinct top-left corner, to show it loads upright.
    static QImage marked(int w, int h) {
        return pictureOf(w, h, [](int x, int y) { return x < 8 && y < 8 ? QColor(Qt::red) : QColor(Qt::blue); });
    }
};

TEST_F(LoadFile, ReadsBitmapGifAndJpegAndRefusesEverythingElseKeepingTheOldPicture) {
    const QString jpeg = saved("photo.jpeg", marked(40, 30), "jpeg");
    QByteArray cut = readFile(jpeg);
    cut.truncate(cut.size() / 2);
    writeFile(root() + "/cut.jpg", cut);
    writeFile(root() + "/noise.jpg", QByteArray(500, 'x'));
    struct Case {
        QString path;
        bool loads;
        QSize size;
    } cases[] = {
        {saved("plain.bmp", marked(17, 9), "bmp"), true, {17, 9}},
        {testDataPath("imaging/golden/two_colours_3x2.gif"), true, {3, 2}},
        {jpeg, true, {40, 30}},
        {saved("named_like_a.bmp", marked(12, 10), "jpeg"), true, {12, 10}},  // by content, not name
        {saved("icon.ico", marked(16, 16), "ico"), false, {}},
        {saved("other.png", marked(16, 16), "png"), false, {}},
        {root() + "/cut.jpg", false, {}},
        {root() + "/noise.jpg", false, {}},
        {root() + "/missing.jpg", false, {}},
        {root(), false, {}},  // a folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        cDIBSection1 dib;
        ASSERT_TRUE(dib.Create(5, 4));
        dib.hDC();
        const uchar* before = dib.DIBSectionBitsPtr();
        EXPECT_EQ(dib.CreateFromFile(c.path), c.loads);
        if (c.loads) {
            EXPECT_EQ(QSize(dib.Width(), dib.Height()), c.size);
            EXPECT_EQ(dib.ColorBit(), 32);
            const QColor topLeft = pixelAt(dib, 0, 0);
            EXPECT_GT(topLeft.red(), 200);
            EXPECT_LT(topLeft.blue(), 60);
            EXPECT_GT(pixelAt(dib, c.size.width() - 1, c.size.height() - 1).blue(), 200);
        } else {
            EXPECT_EQ(QSize(dib.Width(), dib.Height()), QSize(5, 4));
            EXPECT_EQ(dib.DIBSectionBitsPtr(), before);
        }
    }
}

// A JPEG that gives its size as w × h but holds almost nothing: the reader weighs the size first.
static QByteArray jpegClaiming(const QByteArray& small, quint16 w, quint16 h) {
    QByteArray bytes = small;
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    bytes[sof + 5] = char(h >> 8);
    bytes[sof + 6] = char(h & 0xFF);
    bytes[sof + 7] = char(w >> 8);
    bytes[sof + 8] = char(w & 0xFF);
    return bytes;
}

TEST_F(LoadFile, AFortyMegapixelPhotoIsReadAndOneBeyondAGibibyteIsNot) {
    // 7300 × 5500 needs 160 MB decoded, beyond Qt's own limit of 128 MB.
    QImage big(7300, 5500, QImage::Format_RGB32);
    big.fill(QColor(90, 120, 150));
    const QString path = saved("big.jpg", big, "jpeg");
    big = QImage();
    cDIBSection1 dib;
    EXPECT_TRUE(dib.CreateFromFile(path));
    EXPECT_EQ(dib.Width(), 7300);
    dib.ClearUp();

    QBuffer small;
    small.open(QIODevice::WriteOnly);
    flat(8, 8, Qt::gray).save(&small, "jpeg");
    writeFile(root() + "/huge.jpg", jpegClaiming(small.data(), 17000, 17000));  // 1.16 GB decoded
    EXPECT_FALSE(dib.CreateFromFile(root() + "/huge.jpg"));
}

// ---- painting

class Paint : public ::testing::Test {
protected:
    // A 32-bit target surface of its own, filled with one colour.
    struct Target {
        QImage image;
        DeviceContext dc;
        Target(int w, int h) : image(flat(w, h, QColor(1, 2, 3))) {
            dc.attach(image.bits(), w, h, image.bytesPerLine(), DeviceContext::PixelFormat::Bgrx32, false);
        }
    };
};

TEST_F(Paint, PlainAndStretchedCopiesKeepAFlatColourExactly) {
    const QColor colour(200, 100, 50);
    cDIBSection1 dib;
    ASSERT_TRUE(dib.CreateFromHandle(flat(6, 4, colour), 0, 0, -1, -1));
    for (int method : {1, 2, 3, 4}) {
        SCOPED_TRACE(method);
        Target target(20, 20);
        EXPECT_TRUE(dib.PaintPicture(&target.dc, method, 2, 3, method >= 3 ? 15 : -1, method >= 3 ? 9 : -1, 0, 0, -1, -1));
        const QRect painted(2, 3, method >= 3 ? 15 : 6, method >= 3 ? 9 : 4);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(target.image.pixelColor(x, y), painted.contains(x, y) ? colour : QColor(1, 2, 3))
                    << x << "," << y;
    }
}

TEST_F(Paint, AHalvedCheckerboardAveragesToGreyAndTheStretchModeStays) {
    cDIBSection1 dib;
    ASSERT_TRUE(dib.CreateFromHandle(
        pictureOf(8, 8, [](int x, int y) { return (x + y) % 2 ? QColor(Qt::white) : QColor(Qt::black); }), 0, 0, -1, -1));
    Target target(4, 4);
    SetStretchBltMode(&target.dc, COLORONCOLOR);
    EXPECT_TRUE(dib.PaintPicture(&target.dc, 3, 0, 0, 4, 4, 0, 0, -1, -1));
    EXPECT_EQ(target.dc.stretchMode(), COLORONCOLOR);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QColor c = target.image.pixelColor(x, y);
            EXPECT_NEAR(c.red(), 128, 2);
            EXPECT_EQ(c.red(), c.green());
        }
}

TEST_F(Paint, PartsAndRefusals) {
    cDIBSection1 dib;
    ASSERT_TRUE(dib.CreateFromHandle(pictureOf(4, 4, [](int x, int y) { return QColor(x * 60, y * 60, 0); }), 0, 0, -1, -1));
    Target target(4, 4);
    // A 2 × 2 part from (1, 2) to (0, 0): picture positions, whatever the memory order.
    EXPECT_TRUE(dib.PaintPicture(&target.dc, 1, 0, 0, 2, 2, 1, 2, -1, -1));
    EXPECT_EQ(target.image.pixelColor(0, 0), QColor(60, 120, 0));
    EXPECT_EQ(target.image.pixelColor(1, 1), QColor(120, 180, 0));
    EXPECT_EQ(target.image.pixelColor(2, 2), QColor(1, 2, 3));

    EXPECT_FALSE(dib.PaintPicture(&target.dc, 0, 0, 0, -1, -1, 0, 0, -1, -1));
    EXPECT_FALSE(dib.PaintPicture(&target.dc, 5, 0, 0, -1, -1, 0, 0, -1, -1));
    EXPECT_FALSE(dib.PaintPicture(nullptr, 1, 0, 0, -1, -1, 0, 0, -1, -1));
    cDIBSection1 empty;
    EXPECT_FALSE(empty.PaintPicture(&target.dc, 1, 0, 0, -1, -1, 0, 0, -1, -1));
}

// ---- the BMP writer and resampling, pinned by binary goldens

TEST(DibFiles, SaveBitmapWritesHeaderAndBottomUpRows) {
    QTemporaryDir dir;
    cDIBSection1 dib;
    ASSERT_TRUE(dib.CreateFromHandle(
        pictureOf(3, 2, [](int x, int y) { return QColor(16 * x + 1, 16 * y + 2, 3); }), 0, 0, -1, -1));
    const QString path = dir.path() + "/scratch.bmp";
    EXPECT_TRUE(dib.SaveBitmap(path));
    EXPECT_TRUE(sameBytes(readFile(testDataPath("imaging/golden/save_3x2.bmp")), readFile(path)));
    cDIBSection1 back;
    ASSERT_TRUE(back.CreateFromFile(path));
    EXPECT_EQ(pixelAt(back, 2, 1), QColor(33, 18, 3));

    EXPECT_FALSE(dib.SaveBitmap(dir.path() + "/no/such/folder/x.bmp"));
    cDIBSection1 empty;
    EXPECT_FALSE(empty.SaveBitmap(dir.path() + "/empty.bmp"));
}

TEST(DibResample, TwoByTwoToFourByFourReadsOnlyTheFourSourcePixels) {
    cDIBSection source;
    source.CreateFromPicture(StdPicture{pictureOf(2, 2, [](int x, int y) {
        return QColor(x ? 200 : 0, y ? 100 : 0, x == y ? 255 : 9);
    })});
    const std::unique_ptr<cDIBSection> grown = source.Resample(4, 4);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->Width(), 4);
    EXPECT_EQ(grown->Height(), 4);
    const QByteArray bits(reinterpret_cast<const char*>(grown->DIBSectionBitsPtr()), 4 * grown->BytesPerScanLine());
    EXPECT_TRUE(sameBytes(readFile(testDataPath("imaging/golden/resample_2x2_to_4x4.bin")), bits));

    // The same size is an exact copy.
    const std::unique_ptr<cDIBSection> same = source.Resample(2, 2);
    ASSERT_TRUE(same);
    EXPECT_EQ(0, memcmp(same->DIBSectionBitsPtr(), source.DIBSectionBitsPtr(), 2 * source.BytesPerScanLine()));

    // One pixel has no neighbour to blend with: an error for the caller, never a stray read.
    cDIBSection thin;
    thin.CreateFromPicture(StdPicture{flat(1, 5, Qt::red)});
    EXPECT_THROW(thin.Resample(10, 3), VbError);
    cDIBSection empty;
    EXPECT_THROW(empty.Resample(3, 3), VbError);
}

TEST(DibMembers, BestFitAndClipboardMessage) {
    cDIBSection1 dib;
    ASSERT_TRUE(dib.Create(400, 200));
    struct {
        int dstW, dstH;
        bool stretch;
        int x, y, w, h;
    } cases[] = {
        {200, 200, false, 0, 50, 200, 100},    // shrunk to the width
        {800, 600, false, 200, 200, 400, 200},  // fits: centred at its size
        {800, 600, true, 0, 100, 800, 400},     // stretched to fit
        {100, 100, false, 0, 25, 100, 50},
    };
    for (const auto& c : cases) {
        int x, y, w, h;
        dib.GetBestFitInfo(c.dstW, c.dstH, x, y, w, h, c.stretch);
        EXPECT_EQ(QRect(x, y, w, h), QRect(c.x, c.y, c.w, c.h)) << c.dstW << "x" << c.dstH;
    }

    testsupport::ScriptedPrompts prompts;
    EXPECT_TRUE(dib.CopyToClipboard(0, 0, -1, -1, true));
    cDIBSection d24;
    EXPECT_FALSE(d24.CopyToClipboard(true));
    EXPECT_EQ(prompts.messages(),
              QStringList(2, QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!")));
}

TEST(DibMembers, APackedBitmapIsReadOnlyWhenItsBytesAreThere) {
    BitmapInfoHeader h;
    h.biWidth = 2;
    h.biHeight = 2;
    h.biBitCount = 32;
    QByteArray packed = h.toBytes();
    for (int i = 0; i < 16; ++i) packed.append(char(i));
    cDIBSection1 dib;
    ASSERT_TRUE(dib.CreateFromPackedDIBPointer(reinterpret_cast<const uchar*>(packed.constData()), packed.size()));
    EXPECT_EQ(QSize(dib.Width(), dib.Height()), QSize(2, 2));
    EXPECT_EQ(dib.DIBSectionBitsPtr()[5], 5);
    // A header promising a picture of gigabytes over a few bytes is refused before any memory is
    // made, and the picture held stays.
    h.biWidth = 96;
    h.biHeight = 3560603;
    const QByteArray lying = h.toBytes() + QByteArray(200, '\xff');
    EXPECT_FALSE(dib.CreateFromPackedDIBPointer(reinterpret_cast<const uchar*>(lying.constData()), lying.size()));
    EXPECT_EQ(QSize(dib.Width(), dib.Height()), QSize(2, 2));
    EXPECT_FALSE(dib.CreateFromPackedDIBPointer(reinterpret_cast<const uchar*>(packed.constData()), packed.size() - 1));
    // Sizes whose byte count no 64-bit number holds are refused the same way.
    h.biWidth = h.biHeight = 0x7FFFFFFF;
    const QByteArray huge = h.toBytes() + QByteArray(64, '\0');
    EXPECT_FALSE(dib.CreateFromPackedDIBPointer(reinterpret_cast<const uchar*>(huge.constData()), huge.size()));
    EXPECT_EQ(QSize(dib.Width(), dib.Height()), QSize(2, 2));
}
