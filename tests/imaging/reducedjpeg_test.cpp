// The reduced JPEG decoder against libjpeg's full decode scaled by Qt: the kinds of file it takes,
// at each of its scales, and the kinds it leaves to libjpeg; damage never yields a picture.
#include <gtest/gtest.h>

#include "imaging/reducedjpeg.h"

#include <QImage>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <jpeglib.h>

namespace {

// Gradients with grain, a few hard-edged colour patches and thin lines: smooth and sharp content,
// chroma that changes at edges.
QImage testPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator grain(11);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = int(grain.bounded(12)) - 6;
            int r = x * 255 / w + n, g = y * 255 / h + n, b = ((x + y) % 300) * 255 / 300 + n;
            if (x > w / 5 && x < w / 3 && y > h / 4 && y < h / 2) r = 230, g = 20, b = 30;
            if (x > w / 2 && x < w * 3 / 4 && y > h / 2 && y < h * 4 / 5) r = 20, g = 40, b = 220;
            if (x % 97 < 3 || y % 89 < 2) r = g = b = 250;
            row[x] = qRgb(qBound(0, r, 255), qBound(0, g, 255), qBound(0, b, 255));
        }
    }
    return image;
}

struct Coding {
    const char* name;
    int h = 2, v = 2;  // the luma's sampling factors; the chroma's are 1
    bool grey = false;
    int restartUnits = 0;
    bool optimized = false;  // Huffman tables made for the picture
    int quality = 90;
    bool progressive = false;
    bool rgb = false;  // colours coded as RGB, not YCbCr
};

QByteArray encode(const QImage& image, const Coding& c) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    if (c.grey) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    if (c.rgb) jpeg_set_colorspace(&cinfo, JCS_RGB);
    // Quality 10 without the baseline clamp needs quantisers above 255: 16-bit tables.
    jpeg_set_quality(&cinfo, c.quality, c.quality >= 25);
    if (!c.grey && !c.rgb) {
        cinfo.comp_info[0].h_samp_factor = c.h;
        cinfo.comp_info[0].v_samp_factor = c.v;
    }
    cinfo.restart_interval = unsigned(c.restartUnits);
    cinfo.optimize_coding = c.optimized;
    if (c.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar*>(image.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

// libjpeg's decode at full size, each wanted pixel the exact mean of the area it covers.
QImage reference(const QByteArray& bytes, QSize wanted) {
    const QImage full = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB32);
    const double sx = double(full.width()) / wanted.width(), sy = double(full.height()) / wanted.height();
    QImage out(wanted, QImage::Format_RGB32);
    for (int y = 0; y < wanted.height(); ++y)
        for (int x = 0; x < wanted.width(); ++x) {
            double sum[3] = {0, 0, 0};
            for (int r = int(y * sy); r < std::min(full.height(), int(std::ceil((y + 1) * sy))); ++r) {
                const double wy = std::min((y + 1) * sy, r + 1.0) - std::max(y * sy, double(r));
                for (int c = int(x * sx); c < std::min(full.width(), int(std::ceil((x + 1) * sx))); ++c) {
                    const double w = wy * (std::min((x + 1) * sx, c + 1.0) - std::max(x * sx, double(c)));
                    const QRgb p = full.pixel(c, r);
                    sum[0] += w * qRed(p), sum[1] += w * qGreen(p), sum[2] += w * qBlue(p);
                }
            }
            const auto mean = [&](double v) { return qBound(0, int(std::lround(v / (sx * sy))), 255); };
            out.setPixel(x, y, qRgb(mean(sum[0]), mean(sum[1]), mean(sum[2])));
        }
    return out;
}

// The path libjpeg offers: its decode at the covering eighths scale, smoothly scaled by Qt.
QImage libjpegReduced(const QByteArray& bytes, QSize wanted) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const uchar*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 8;
    for (unsigned m = 1; m < 8; ++m)
        if ((cinfo.image_width * m + 7) / 8 >= unsigned(wanted.width()) &&
            (cinfo.image_height * m + 7) / 8 >= unsigned(wanted.height())) {
            cinfo.scale_num = m;
            break;
        }
    cinfo.scale_denom = 8;
    cinfo.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&cinfo);
    QImage decoded(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = decoded.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return decoded.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

double psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) sum += d * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

QImage reduced(const QByteArray& bytes, QSize wanted) {
    ReducedJpeg decoder;
    if (!decoder.open(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size()))) return QImage();
    return decoder.decode(wanted);
}

TEST(ReducedJpeg, MatchesTheFullDecodeScaledDownForEveryTakenCoding) {
    const QImage picture = testPicture(1203, 901);  // no side a whole number of units
    const Coding codings[] = {
        {"4:2:0"},
        {"4:2:2", 2, 1},
        {"4:4:0", 1, 2},
        {"4:4:4", 1, 1},
        {"grey", 1, 1, true},
        {"4:2:0, restart every 7 units", 2, 2, false, 7},
        {"4:4:4, restart every unit, own tables", 1, 1, false, 1, true},
        {"4:2:0, quality 10 (16-bit quantisers)", 2, 2, false, 0, false, 10},
        {"4:2:0, quality 100", 2, 2, false, 0, true, 100},
    };
    // n = 1, 2 and 4 samples for each 8 pixels; the last with an aspect of its own.
    const QSize sizes[] = {{150, 112}, {300, 225}, {600, 450}, {500, 200}};
    for (const Coding& c : codings) {
        const QByteArray bytes = encode(picture, c);
        for (const QSize wanted : sizes) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(wanted.width()));
            const QImage made = reduced(bytes, wanted);
            ASSERT_EQ(made.size(), wanted);
            const QImage exact = reference(bytes, wanted);
            const double ours = psnr(made, exact), theirs = psnr(libjpegReduced(bytes, wanted), exact);
            EXPECT_GT(ours, theirs) << ours << " " << theirs;
        }
    }
}

TEST(ReducedJpeg, ScaleIsTheSmallestThatCovers) {
    const QByteArray bytes = encode(testPicture(1203, 901), Coding{"4:2:0"});
    ReducedJpeg decoder;
    ASSERT_TRUE(decoder.open(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size())));
    EXPECT_EQ(decoder.size(), QSize(1203, 901));
    const struct {
        QSize wanted, plane;
    } cases[] = {
        {{150, 112}, {151, 113}},  // an eighth: 1203 / 8 rounded up
        {{151, 114}, {301, 226}},  // one row more than an eighth holds
        {{601, 450}, {602, 451}},
        {{603, 10}, {}},  // only the full scale covers it: left to libjpeg
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted.width());
        EXPECT_EQ(decoder.planeSize(c.wanted), c.plane);
        EXPECT_EQ(decoder.decode(c.wanted).isNull(), c.plane.isEmpty());
    }
}

TEST(ReducedJpeg, OtherKindsAreLeftToLibjpeg) {
    const QImage picture = testPicture(200, 150);
    for (const Coding& c : {Coding{"progressive", 2, 2, false, 0, false, 90, true},
                            Coding{"RGB", 1, 1, false, 0, false, 90, false, true}}) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = encode(picture, c);
        ReducedJpeg decoder;
        EXPECT_FALSE(decoder.open(reinterpret_cast<const uchar*>(bytes.constData()), size_t(bytes.size())));
    }
    ReducedJpeg decoder;
    for (const QByteArray& notJpeg : {QByteArray(), QByteArray("\xFF\xD8"), QByteArray("GIF89a....")}) {
        EXPECT_FALSE(decoder.open(reinterpret_cast<const uchar*>(notJpeg.constData()), size_t(notJpeg.size())));
    }
}

// A file cut anywhere after its headers, or with bytes of its data changed, never gives a picture
// built on bytes beyond its data; a cut one gives none at all (libjpeg then decides).
TEST(ReducedJpeg, DamageGivesNoPictureAndNeverReadsPastTheData) {
    const Coding codings[] = {{"4:2:0"}, {"4:2:0, restart", 2, 2, false, 3}};
    for (const Coding& c : codings) {
        SCOPED_TRACE(c.name);
        const QByteArray whole = encode(testPicture(320, 240), c);
        for (const qsizetype keep : {qsizetype(whole.size() - 2), whole.size() - 3, whole.size() / 2, qsizetype(700)}) {
            // A copy of its own size, so that a read past the end is one the memory checkers see.
            const QByteArray cut(whole.constData(), keep);
            EXPECT_TRUE(reduced(cut, QSize(80, 60)).isNull()) << keep;
        }
        QRandomGenerator random(3);
        for (int round = 0; round < 200; ++round) {
            QByteArray changed = whole;
            for (int i = 0; i < 4; ++i)
                changed[qsizetype(600 + random.bounded(int(changed.size() - 602)))] = char(random.bounded(256));
            const QImage made = reduced(changed, QSize(80, 60));
            if (!made.isNull()) {
                EXPECT_EQ(made.size(), QSize(80, 60));
            }
        }
    }
}

}  // namespace
