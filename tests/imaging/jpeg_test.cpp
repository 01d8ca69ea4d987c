// The JPEG writer: upright, unskewed pictures; a replaced file keeps its times and permissions; a
// failure keeps the old file whole and raises 26001.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <fcntl.h>
#include <sys/stat.h>
#include <utime.h>

#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "platform/safefile.h"
#include "platform/vberror.h"
#include "support/fixtures.h"
#include "imagingsupport.h"

using imagingtest::flat;
using imagingtest::pictureOf;
using testsupport::readFile;
using testsupport::writeFile;

class Jpeg : public testsupport::DataRootTest {
protected:
    static std::unique_ptr<cDIBSection> sectionOf(const QImage& picture) {
        auto dib = std::make_unique<cDIBSection>();
        dib->CreateFromPicture(StdPicture{picture});
        return dib;
    }
    // The error WriteJpegFile raises, with its number and source checked.
    static QString failure(const cDIBSection& dib, const QString& path) {
        try {
            WriteJpegFile(dib, path, 95);
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 26001);
            EXPECT_TRUE(e.source().endsWith(QLatin1String(".mIntelJPEGLibrary"))) << e.source().toStdString();
            return e.description();
        }
        ADD_FAILURE() << "no error";
        return {};
    }
};

TEST_F(Jpeg, NarrowPicturesComeOutUprightAndUnskewed) {
    // Widths 1 to 3 pad every row with 3, 2 and 1 bytes; a wrong stride shifts colours row by row.
    // The halves meet at a block boundary; the decoder's smoothing of colour blends the rows
    // right beside it.
    for (int width : {1, 2, 3, 16}) {
        SCOPED_TRACE(width);
        const QImage picture = pictureOf(width, 32, [](int, int y) { return y < 16 ? QColor(Qt::red) : QColor(Qt::blue); });
        const QString path = root() + QStringLiteral("/w%1.jpg").arg(width);
        ASSERT_TRUE(WriteJpegFile(*sectionOf(picture), path, 95));
        QImage back(path);
        ASSERT_EQ(back.size(), QSize(width, 32));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < width && (y < 14 || y > 17); ++x) {
                const QColor c = back.pixelColor(x, y);
                const QColor expected = y < 16 ? QColor(Qt::red) : QColor(Qt::blue);
                ASSERT_NEAR(c.red(), expected.red(), 40) << x << "," << y;
                ASSERT_NEAR(c.green(), 0, 40) << x << "," << y;
                ASSERT_NEAR(c.blue(), expected.blue(), 40) << x << "," << y;
            }
    }
}

TEST_F(Jpeg, AReplacedFileKeepsItsTimesAndPermissionsAndANewOneIsFresh) {
    const QString path = root() + "/kept.jpg";
    writeFile(path, "older picture");
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chmod(name.constData(), 0640), 0);
    const struct timespec times[2] = {{1000000000, 0}, {1100000000, 0}};  // access, modification
    ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);

    ASSERT_TRUE(WriteJpegFile(*sectionOf(flat(10, 10, Qt::green)), path, 95));
    struct stat st {};
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
    EXPECT_EQ(st.st_mtim.tv_sec, 1100000000);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(readFile(path).startsWith("\xFF\xD8"));  // read last: reading moves the access time

    const QString fresh = root() + "/fresh.jpg";
    ASSERT_TRUE(WriteJpegFile(*sectionOf(flat(10, 10, Qt::green)), fresh, 95));
    ASSERT_EQ(::stat(QFile::encodeName(fresh).constData(), &st), 0);
    EXPECT_GT(st.st_mtim.tv_sec, 1100000000);
}

TEST_F(Jpeg, AFailedWriteKeepsTheOldFileAndRaises26001) {
    const QString path = root() + "/pics/member.jpg";
    writeFile(path, "the member's own picture");
    const std::unique_ptr<cDIBSection> picture = sectionOf(flat(10, 10, Qt::green));
    const cDIBSection& dib = *picture;
    for (paths::SafeWriteStep step : {paths::SafeWriteStep::Write, paths::SafeWriteStep::Sync, paths::SafeWriteStep::Rename}) {
        paths::SafeWriteFault full(path, step);
        EXPECT_TRUE(failure(dib, path).startsWith(QLatin1String("Failed to save to JPG ")));
        EXPECT_EQ(readFile(path), QByteArray("the member's own picture"));
    }
    EXPECT_EQ(testsupport::filesIn(root() + "/pics"), QStringList{QStringLiteral("member.jpg")});
    EXPECT_TRUE(failure(dib, root() + "/no/such/folder/x.jpg").startsWith(QLatin1String("Failed to save to JPG ")));
}

TEST_F(Jpeg, AnEmptyPictureIsRefused) {
    cDIBSection empty;
    empty.CreateFromPicture(StdPicture{});
    EXPECT_EQ(failure(empty, root() + "/empty.jpg"), QStringLiteral("Failed to save to JPG -1"));
    EXPECT_FALSE(QFile::exists(root() + "/empty.jpg"));
}
