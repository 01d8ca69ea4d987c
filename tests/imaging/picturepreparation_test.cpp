// The picture-preparation worker: pictures handed over through the main window's labels, the
// window shown modally offscreen, and temp.jpg (or its absence) checked by size and pixels.
#include <gtest/gtest.h>

#include "imaging/dibprocess.h"
#include "imaging/dibsection.h"
#include "imaging/overlaypainting.h"
#include "imaging/picturepreparation.h"
#include "imaging/ui/imaging_entry.h"
#include "imaging/ui/picturepreparationwindow.h"
#include "imaging/watermarksettings.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <cstdio>
#include <cstring>
#include <vector>
#include <jpeglib.h>

using namespace testsupport;

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 160, 0);
const QColor kBlue(0, 0, 255);

bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The bounding box of the pixels close to a colour.
QRect boxOf(const QImage& image, QColor colour, int tolerance = 40) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixelColor(x, y), colour, tolerance)) box |= QRect(x, y, 1, 1);
    return box;
}

// A picture whose top half is green and bottom half white, so a turn shows where its top went.
QImage twoTone(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(0, 0, w, h / 2, kGreen);
    return image;
}

// A JPEG written row by row, so that a very large one needs no picture in memory.
void writeStripedJpeg(const QString& path, int w, int h) {
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        // Left half red, right half blue.
        for (int x = 0; x < w; ++x) {
            row[size_t(x) * 3] = x < w / 2 ? 255 : 0;
            row[size_t(x) * 3 + 1] = 0;
            row[size_t(x) * 3 + 2] = x < w / 2 ? 0 : 255;
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

class PicturePreparationTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("alice"));
    }
    QString inFolder(const QString& name) const { return QDir(UserFolder).filePath(name); }
    QString picture(const QString& name, const QImage& image, const char* format = "JPG") {
        const QString path = QDir(root()).filePath(name);
        EXPECT_TRUE(image.save(path, format, 100));
        return path;
    }
    // A text watermark on a red box, placed by the codes given, and a border when asked.
    WatermarkSettings textSettings(int alignH, int alignV) {
        WatermarkSettings s;
        s.text = QStringLiteral("Tavolin");
        s.fontName = QStringLiteral("DejaVu Sans");
        s.fontSize = QStringLiteral("20");
        s.fontStyle = QStringLiteral("常规");
        s.textColor = 0xFFFFFF;
        s.backColor = 0x0000FF;  // colour numbers are red + 256 × green + 65536 × blue: red
        s.transparentBack = false;
        s.textAlignH = alignH;
        s.textAlignV = alignV;
        return s;
    }
    // The settings with the border set, and a border whose top 8 rows are blue and the rest
    // transparent.
    void writeSettingsWithBorder(WatermarkSettings s) {
        s.hasBorder = true;
        WriteWatermarkSettings(UserFolder, s);
        QImage border(100, 100, QImage::Format_ARGB32);
        border.fill(Qt::transparent);
        QPainter(&border).fillRect(0, 0, 100, 8, kBlue);
        // Qt writes no GIF; the reader goes by content, not by name.
        ASSERT_TRUE(border.save(inFolder(kBorderCopyFile), "PNG"));
    }
    // Hands the picture over through the labels and shows the worker; temp.jpg as read back.
    QImage prepare(const QString& path, const QString& overlays, const QString& rotation, bool expectWritten = true) {
        frm个人网站Labels::labZipPicPath = path;
        frm个人网站Labels::labUploadWatermarkBorder = overlays;
        frm个人网站Labels::labRotation = rotation;
        const bool written = PrepareUploadPicture(nullptr);
        EXPECT_EQ(written, expectWritten);
        EXPECT_EQ(QFile::exists(inFolder(kPreparedPictureFile)), expectWritten);
        return QImage(inFolder(kPreparedPictureFile));
    }
    UploadPictureComposition compose(const QString& path, const QString& rotation) {
        UploadPictureRequest r;
        r.picturePath = path;
        r.overlays = true;
        r.rotation = rotation;
        r.userFolder = UserFolder;
        return ComposeUploadPicture(r);
    }
};

TEST_F(PicturePreparationTest, FitsIntoSixHundredPixelsWithoutEnlarging) {
    const struct {
        QSize source, prepared;
    } cases[] = {
        {{1200, 900}, {600, 450}},
        {{900, 1200}, {450, 600}},
        {{1000, 1000}, {600, 600}},
        {{500, 300}, {500, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.width());
        const QImage result = prepare(picture(QStringLiteral("p.jpg"), twoTone(c.source.width(), c.source.height())),
                                      QStringLiteral("0"), QStringLiteral("0"));
        EXPECT_EQ(result.size(), c.prepared);
        EXPECT_TRUE(near(result.pixelColor(result.width() / 2, 5), kGreen));
        EXPECT_TRUE(near(result.pixelColor(result.width() / 2, result.height() - 5), Qt::white));
        // The grab is written beside it; no turn, so no turned picture.
        EXPECT_TRUE(QFile::exists(inFolder(kPreparedGrabFile)));
        EXPECT_FALSE(QFile::exists(QDir(paths::DataRoot()).filePath(kTurnedPictureFile)));
    }
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(PicturePreparationTest, ExplicitSizeLabelsAreUsedOnceAndEmptied) {
    frm个人网站Labels::labZipPicWidth = QStringLiteral("4500");
    frm个人网站Labels::labZipPicHeight = QStringLiteral("3000");
    const QString path = picture(QStringLiteral("p.bmp"), twoTone(1200, 900), "BMP");
    EXPECT_EQ(prepare(path, QStringLiteral("0"), QStringLiteral("0")).size(), QSize(300, 200));
    EXPECT_TRUE(frm个人网站Labels::labZipPicWidth.isEmpty());
    EXPECT_TRUE(frm个人网站Labels::labZipPicHeight.isEmpty());
    EXPECT_EQ(prepare(path, QStringLiteral("0"), QStringLiteral("0")).size(), QSize(600, 450));
}

TEST_F(PicturePreparationTest, OverlaysOnlyWhenTheLabelAsks) {
    writeSettingsWithBorder(textSettings(1, 1));
    const QString path = picture(QStringLiteral("p.jpg"), twoTone(600, 450));

    const QImage plain = prepare(path, QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(boxOf(plain, kRed).isEmpty());
    EXPECT_TRUE(boxOf(plain, kBlue).isEmpty());

    const QImage laid = prepare(path, QStringLiteral("1"), QStringLiteral("0"));
    EXPECT_FALSE(boxOf(laid, kRed).isEmpty());
    EXPECT_EQ(boxOf(laid, kBlue, 60).top(), 0);
}

TEST_F(PicturePreparationTest, TextPlacedBottomRightTwentyPixelsInside) {
    WriteWatermarkSettings(UserFolder, textSettings(2, 2));
    const QImage result = prepare(picture(QStringLiteral("p.jpg"), twoTone(600, 450)), QStringLiteral("1"),
                                  QStringLiteral("0"));
    const QRect text = boxOf(result, kRed, 60);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_NEAR(600 - 1 - text.right(), 20, 1);
    EXPECT_NEAR(450 - 1 - text.bottom(), 20, 1);
}

TEST_F(PicturePreparationTest, TurnsPictureAndBorderButLaysTheTextUpright) {
    writeSettingsWithBorder(textSettings(0, 0));
    const QString path = picture(QStringLiteral("p.jpg"), twoTone(600, 450));
    const QSize upright = boxOf(prepare(path, QStringLiteral("1"), QStringLiteral("0")), kRed, 60).size();
    ASSERT_GT(upright.width(), upright.height());
    const struct {
        QString rotation;
        QSize size;
        QPoint green, white;  // where the picture's top and bottom halves went
        bool borderRight;     // the border's top edge turned to the right side, else to the bottom
    } cases[] = {
        {QStringLiteral("1"), {450, 600}, {400, 300}, {50, 300}, true},
        {QStringLiteral("2"), {600, 450}, {300, 400}, {300, 100}, false},
        {QStringLiteral("-2"), {600, 450}, {300, 400}, {300, 100}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rotation.toStdString());
        const QImage result = prepare(path, QStringLiteral("1"), c.rotation);
        ASSERT_EQ(result.size(), c.size);
        EXPECT_TRUE(near(result.pixelColor(c.green), kGreen));
        EXPECT_TRUE(near(result.pixelColor(c.white), Qt::white));
        const QRect border = boxOf(result, kBlue, 60);
        if (c.borderRight) {
            EXPECT_EQ(border.right(), c.size.width() - 1);
            EXPECT_EQ(border.height(), c.size.height());
        } else {
            EXPECT_EQ(border.bottom(), c.size.height() - 1);
            EXPECT_EQ(border.width(), c.size.width());
        }
        // Only the upright text, at the top-left margins of the turned canvas: the box it has
        // without a turn, and no turned copy of it.
        const QRect text = boxOf(result, kRed, 60);
        EXPECT_NEAR(text.width(), upright.width(), 2);
        EXPECT_NEAR(text.height(), upright.height(), 2);
        EXPECT_NEAR(text.left(), 20, 1);
        EXPECT_NEAR(text.top(), 20, 1);
    }
    EXPECT_TRUE(QFile::exists(QDir(paths::DataRoot()).filePath(kTurnedPictureFile)));
}

// Every count of quarter turns moves the pixels exactly as the bitmap section's turn does, on a
// picture whose sides differ and whose pixels differ from one another.
TEST_F(PicturePreparationTest, TurnedPictureIsTheBitmapSectionsTurn) {
    QImage numbered(60, 45, QImage::Format_RGB32);
    for (int y = 0; y < numbered.height(); ++y)
        for (int x = 0; x < numbered.width(); ++x) numbered.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) % 256));
    const QString path = picture(QStringLiteral("n.png"), numbered, "PNG");
    for (const int turns : {1, 2, 3, 4, 5, -1, -2, -3, -4, -5, 9}) {
        SCOPED_TRACE(turns);
        const UploadPictureComposition made = compose(path, QString::number(turns));
        ASSERT_FALSE(made.firstGrab.isNull());
        auto dib = std::make_shared<cDIBSection1>();
        ASSERT_TRUE(dib->CreateFromHandle(made.firstGrab, 0, 0, -1, -1));
        cDIBProcess().RotateDIB(dib, float(turns * 90), 0x000000);
        const QImage expected =
            dib->hDC()->memoryView(QRect(0, 0, dib->Width(), dib->Height())).mirrored(false, true);
        EXPECT_EQ(made.turned.size(), expected.size());
        EXPECT_EQ(made.turned, expected);
    }
}

// The label starts bold italic; "斜体" and "粗体" switch on one attribute only.
TEST_F(PicturePreparationTest, FontStyleSwitchesOnlyWhatItNames) {
    const QString path = picture(QStringLiteral("p.png"), twoTone(600, 450), "PNG");
    const struct {
        QString style;
        QFont::Weight weight;  // the designed weight is 900; switching bold on gives 700
        bool italic;
    } cases[] = {
        {QStringLiteral("斜体"), QFont::Black, true},
        {QStringLiteral("粗体"), QFont::Bold, true},
        {QStringLiteral("粗斜体"), QFont::Bold, true},
        {QStringLiteral(" 常规 "), QFont::Normal, false},
    };
    QImage boldItalic, plain;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style.toStdString());
        WatermarkSettings s = textSettings(0, 0);
        s.fontStyle = c.style;
        WriteWatermarkSettings(UserFolder, s);
        const QImage made = compose(path, QStringLiteral("0")).picture;

        OverlayLabel expected;
        expected.text = s.text;
        expected.font.setFamily(s.fontName);
        SetFontPoints(expected.font, 20);
        expected.font.setWeight(c.weight);
        expected.font.setItalic(c.italic);
        expected.foreColor = Qt::white;
        expected.backColor = kRed;
        expected.transparent = false;
        QImage reference = twoTone(600, 450);
        {
            QPainter p(&reference);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            DrawOverlayLabel(p, QPoint(20, 20), expected);
        }
        EXPECT_EQ(made, reference);
        (c.italic ? boldItalic : plain) = made;
    }
    EXPECT_NE(boldItalic, plain);
}

TEST_F(PicturePreparationTest, MissingPictureWatermarkLeavesTheRestAsSet) {
    WatermarkSettings s = textSettings(0, 0);
    s.hasPicture = true;
    s.pictureExtension = QStringLiteral("png");
    s.pictureAlignH = 2;
    s.pictureAlignV = 2;
    writeSettingsWithBorder(s);
    const QString path = picture(QStringLiteral("p.png"), twoTone(600, 450), "PNG");

    const QImage without = compose(path, QStringLiteral("0")).picture;
    EXPECT_FALSE(boxOf(without, kRed).isEmpty());
    EXPECT_EQ(boxOf(without, kBlue).width(), 600);
    // Nothing but the picture's own white in the corner the watermark would take.
    EXPECT_TRUE(near(without.pixelColor(560, 410), Qt::white, 0));

    QImage mark(30, 30, QImage::Format_RGB32);
    mark.fill(Qt::black);
    ASSERT_TRUE(mark.save(inFolder(WatermarkCopyFile(QStringLiteral("png"))), "PNG"));
    const QImage with = compose(path, QStringLiteral("0")).picture;
    EXPECT_EQ(boxOf(with, Qt::black, 0), QRect(600 - 20 - 30, 450 - 20 - 30, 30, 30));
}

// A failed run leaves neither its own nor an earlier run's temp.jpg, and reports nothing.
TEST_F(PicturePreparationTest, BadPictureLeavesNoTempJpg) {
    const QString good = picture(QStringLiteral("good.jpg"), twoTone(400, 300));
    QByteArray truncated = readFile(good);
    truncated.chop(truncated.size() / 2);
    const QString cut = QDir(root()).filePath(QStringLiteral("cut.jpg"));
    writeFile(cut, truncated);
    const QString text = QDir(root()).filePath(QStringLiteral("text.jpg"));
    writeFile(text, "not a picture");
    // A bitmap header promising far more than any bound allows.
    QByteArray huge = readFile(picture(QStringLiteral("small.bmp"), twoTone(4, 4), "BMP"));
    const qint32 side = 60000;
    std::memcpy(huge.data() + 18, &side, 4);
    std::memcpy(huge.data() + 22, &side, 4);
    const QString oversized = QDir(root()).filePath(QStringLiteral("huge.bmp"));
    writeFile(oversized, huge);

    for (const QString& path : {QString(), QDir(root()).filePath(QStringLiteral("missing.jpg")), cut, text, oversized}) {
        SCOPED_TRACE(path.toStdString());
        prepare(good, QStringLiteral("0"), QStringLiteral("1"));
        prepare(path, QStringLiteral("0"), QStringLiteral("1"), false);
        EXPECT_FALSE(QFile::exists(inFolder(kPreparedGrabFile)));
    }
    EXPECT_TRUE(prompts.records().isEmpty());
}

// Decoded at a reduced scale: under a bound far below the full picture it is still prepared.
TEST_F(PicturePreparationTest, FiftyMegapixelJpegIsPrepared) {
    const QString path = QDir(root()).filePath(QStringLiteral("big.jpg"));
    writeStripedJpeg(path, 8192, 6144);
    const int bound = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(32);
    const QImage result = prepare(path, QStringLiteral("0"), QStringLiteral("0"));
    QImageReader::setAllocationLimit(bound);
    ASSERT_EQ(result.size(), QSize(600, 450));
    EXPECT_TRUE(near(result.pixelColor(150, 225), kRed));
    EXPECT_TRUE(near(result.pixelColor(450, 225), kBlue));
}

TEST_F(PicturePreparationTest, WindowWiresEveryHook) {
    frm图像压缩 window;
    EXPECT_TRUE(UnsetRequiredHooks(window.view()).isEmpty());
}

}  // namespace
