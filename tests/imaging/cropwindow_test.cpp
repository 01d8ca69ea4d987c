// The crop dialog driven through the state its openers leave (CropTargetMode, EditorKind, the
// editors' imgSize, CellRecord, PendingPictures and the main window's labels), offscreen with
// scripted prompts: what each mode cuts and records, the quarter turns, and failures.
#include <gtest/gtest.h>

#include "imaging/ui/cropwindow.h"
#include "imaging/ui/previewbox.h"
#include "imagingsupport.h"
#include "platform/hookcheck.h"
#include "platform/ui/clickablelabel.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QImageReader>
#include <QLabel>
#include <QScrollBar>
#include <QPushButton>

#include <memory>

using namespace testsupport;
using imagingtest::pictureOf;

namespace {

const QColor kTopLeft(220, 30, 30), kTopRight(30, 200, 30), kBottomLeft(30, 30, 220), kBottomRight(230, 230, 40);
const QColor kStripe(0, 0, 0);

// 300 × 200: four quadrants split at (150, 100) and a black stripe at x 95..104. For a 150 × 100
// cell the picture keeps its size, centred, and the frame covers x 75..224, y 50..149.
QImage quadrants(int w = 300, int h = 200) {
    return pictureOf(w, h, [=](int x, int y) {
        if (x >= 95 && x < 105) return kStripe;
        return y < h / 2 ? (x < w / 2 ? kTopLeft : kTopRight) : (x < w / 2 ? kBottomLeft : kBottomRight);
    });
}

bool near(const QColor& a, const QColor& b, int tolerance = 24) {
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

QImage readJpeg(const QString& path) {
    QImageReader r(path);
    r.setAutoTransform(false);
    return r.read().convertToFormat(QImage::Format_RGB32);
}

class CropWindowTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("alice"));
        QDir().mkpath(temp());
    }
    QString temp() const { return UserFolder + QStringLiteral("/temp"); }
    // The cell editor's (or preface editor's) record of a 150 × 100 cell number 3.
    void openCell(qint16 mode, qint16 editorKind, const QImage& picture) {
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("3");
        CellRecord[1] = QStringLiteral("150");
        CellRecord[2] = QStringLiteral("100");
        CellRecord[3] = QStringLiteral("old background");
        CellRecord[4] = QStringLiteral("old foreground");
        EditorKind = editorKind;
        (editorKind == 1 ? PrefaceEditorWindowLabels::imgSize : CellEditorWindowLabels::imgSize) = picture;
        RedimPendingPictures();
        CropTargetMode = mode;
    }
    QString uploadSlot(const QImage& picture, const QString& width = "2250", const QString& height = "1500") {
        const QString source = QDir(root()).filePath(QStringLiteral("chosen.png"));
        EXPECT_TRUE(picture.save(source));
        SiteWindowLabels::labCutPicPath = QStringLiteral(" ") + source + QStringLiteral(" ");
        SiteWindowLabels::labCutFileName = UserFolder + QStringLiteral("/Cut1.jpg");
        SiteWindowLabels::labWidth = width;
        SiteWindowLabels::labHeight = height;
        CropTargetMode = CropTarget::UploadSlot;
        return SiteWindowLabels::labCutFileName;
    }
    // The cut of the quadrant picture as the frame covers it.
    static void expectCentreCut(const QImage& cut) {
        ASSERT_EQ(cut.size(), QSize(150, 100));
        EXPECT_TRUE(near(cut.pixelColor(10, 10), kTopLeft));
        EXPECT_TRUE(near(cut.pixelColor(25, 10), kStripe));  // picture x 100
        EXPECT_TRUE(near(cut.pixelColor(140, 10), kTopRight));
        EXPECT_TRUE(near(cut.pixelColor(10, 90), kBottomLeft));
        EXPECT_TRUE(near(cut.pixelColor(140, 90), kBottomRight));
        EXPECT_TRUE(near(cut.pixelColor(40, 10), kTopLeft));  // right of the stripe's end, x 115
    }
};

TEST_F(CropWindowTest, OpensAsDesignedAndWiresEveryHook) {
    openCell(CropTarget::Background, 0, quadrants());
    frm图像剪裁 w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("图像剪载"));
    EXPECT_TRUE(UnsetRequiredHooks(w.logic().view()).isEmpty());
    EXPECT_EQ(w.cmdOK->text(), QStringLiteral("&Y.确 定"));
    EXPECT_EQ(w.cmdLeft->toolTip(), QStringLiteral("逆时针旋转90度"));
    EXPECT_EQ(w.cmdRight->toolTip(), QStringLiteral("顺时针旋转90度"));
    EXPECT_EQ(w.cobStep->currentText(), "1.1");
    EXPECT_EQ(w.cobMoveStep->currentText(), "2");
    EXPECT_EQ(w.cobMoveStep->count(), 8);
    EXPECT_FALSE(w.imgAutoFit->isHidden());
    EXPECT_TRUE(w.imgNotAutoFit->isHidden());
    EXPECT_TRUE(w.picWaiting->isHidden());
    // Frame and picture placed on the canvas in pixels.
    EXPECT_EQ(w.shaCut->geometry(), QRect(285, 190, 150, 100));
    EXPECT_EQ(w.imgPic->geometry(), QRect(210, 140, 300, 200));
    EXPECT_LE(w.width(), 1024);
    EXPECT_LE(w.height(), 768);
}

TEST_F(CropWindowTest, CutOfACellPictureIsRecordedForTheEditorThatIsOpen) {
    struct Case {
        qint16 mode, editorKind;
        const char* file;
        int recordEntry, pendingRow;
    } cases[] = {
        {CropTarget::Background, 0, "grb3.jpg", 3, PendingPicture::BackgroundRow},
        {CropTarget::Background, 1, "grb3.jpg", 3, PendingPicture::BackgroundRow},
        {CropTarget::Foreground, 0, "grp3.jpg", 4, PendingPicture::ForegroundRow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", editor " << c.editorKind);
        // The other editor holds a different picture: the cut must come from the open one.
        CellEditorWindowLabels::imgSize = imagingtest::flat(300, 200, Qt::gray);
        PrefaceEditorWindowLabels::imgSize = imagingtest::flat(300, 200, Qt::gray);
        openCell(c.mode, c.editorKind, quadrants());
        const QString out = temp() + QStringLiteral("/") + QLatin1String(c.file);
        writeFile(out, "an older cut");
        {
            frm图像剪裁 w;
            w.cmdOK_Click();
            EXPECT_EQ(w.result(), QDialog::Accepted);
        }
        expectCentreCut(readJpeg(out));
        EXPECT_EQ(CellRecord[c.recordEntry], out);
        EXPECT_EQ(PendingPictures.value(c.pendingRow, PendingPicture::LocalFile), out);
        EXPECT_EQ(CropTargetMode, CropTarget::Finished);
        EXPECT_TRUE(QFile::exists(temp() + QStringLiteral("/~temp.tmp")));
        if (c.mode == CropTarget::Foreground) {
            EXPECT_EQ(CellRecord[5], "150");
            EXPECT_EQ(CellRecord[6], "100");
            EXPECT_EQ(CellRecord[7], "11");
            EXPECT_EQ(CellRecord[3], "old background");
        } else {
            EXPECT_EQ(CellRecord[4], "old foreground");
        }
        EXPECT_TRUE(prompts.messages().isEmpty());
    }
}

TEST_F(CropWindowTest, UploadSlotCutGoesToItsFileAndLeavesTheModeAndRecordsAlone) {
    const QString out = uploadSlot(quadrants());
    writeFile(out, "an older cut");
    CellRecord = QStringList{"7", "1", "2", "untouched"};
    {
        frm图像剪裁 w;
        w.cmdOK_Click();
    }
    expectCentreCut(readJpeg(out));
    EXPECT_EQ(CropTargetMode, CropTarget::UploadSlot);
    EXPECT_EQ(CellRecord, (QStringList{"7", "1", "2", "untouched"}));
}

TEST_F(CropWindowTest, MovedAndZoomedPictureIsCutFromWhereItIsShown) {
    // 150 × 100 frame at canvas pixels (285, 190); the 300 × 200 picture zoomed to 600 × 400 sits at
    // (60, 40), then 15 mm (850 twips) right at x 116.67: cut x shows picture x 84.17 + x / 2, cut y
    // picture y 75 + y / 2.
    const QString out = uploadSlot(quadrants());
    frm图像剪裁 w;
    w.cobStep->setEditText("2");
    w.imgZoomIn_Click();
    EXPECT_EQ(w.imgPic->size(), QSize(600, 400));
    w.cobMoveStep->setEditText("15");
    w.imgRight_Click();
    const QImage preview = w.logic().preview();
    w.cmdOK_Click();
    const QImage cut = readJpeg(out);
    ASSERT_EQ(cut.size(), QSize(150, 100));
    for (const QImage& image : {cut, preview}) {
        EXPECT_TRUE(near(image.pixelColor(31, 50), kStripe));  // picture x 99.7
        EXPECT_TRUE(near(image.pixelColor(8, 20), kTopLeft));
        EXPECT_TRUE(near(image.pixelColor(60, 20), kTopLeft));
        EXPECT_TRUE(near(image.pixelColor(140, 20), kTopRight));
        EXPECT_TRUE(near(image.pixelColor(60, 80), kBottomLeft));
    }
}

TEST_F(CropWindowTest, QuarterTurnsTurnTheSourceClockwiseAndComeBackAfterFour) {
    const QImage source = quadrants();
    uploadSlot(source);
    frm图像剪裁 w;
    w.cmdRight_Click();
    const QImage turned = w.logic().shownPicture();
    ASSERT_EQ(turned.size(), QSize(200, 300));
    // Clockwise: the source's bottom-left corner comes to the top-left.
    EXPECT_TRUE(near(turned.pixelColor(5, 5), kBottomLeft, 2));
    EXPECT_TRUE(near(turned.pixelColor(194, 5), kTopLeft, 2));
    EXPECT_TRUE(near(turned.pixelColor(194, 294), kTopRight, 2));
    EXPECT_EQ(QImage(UserFolder + QStringLiteral("/savepic.bmp")).size(), QSize(200, 300));
    EXPECT_EQ(w.imgPic->geometry(), QRect(260, 90, 200, 300));
    EXPECT_TRUE(w.picWaiting->isHidden());
    EXPECT_TRUE(w.cmdRight->isEnabled());

    for (int i = 0; i < 3; ++i) w.cmdRight_Click();
    EXPECT_EQ(w.logic().quarterTurns(), 0);
    EXPECT_EQ(w.logic().shownPicture().convertToFormat(QImage::Format_RGB32), source);

    w.cmdLeft_Click();
    EXPECT_EQ(w.logic().quarterTurns(), -1);
    EXPECT_TRUE(near(w.logic().shownPicture().pixelColor(5, 5), kTopRight, 2));
    w.cmdRight_Click();
    EXPECT_EQ(w.logic().shownPicture().convertToFormat(QImage::Format_RGB32), source);
}

TEST_F(CropWindowTest, ATurnUndoesZoomAndFitAndTheCutFollowsTheTurn) {
    const QString out = uploadSlot(quadrants(), "1500", "2250");  // a 100 × 150 frame
    frm图像剪裁 w;
    w.imgZoomIn_Click();
    w.imgAutoFit_Click();
    w.cmdRight_Click();
    EXPECT_EQ(w.imgPic->geometry(), QRect(260, 90, 200, 300));
    w.cmdOK_Click();
    const QImage cut = readJpeg(out);
    ASSERT_EQ(cut.size(), QSize(100, 150));
    // Turned clockwise, the source's left half becomes the top half and its bottom the left.
    EXPECT_TRUE(near(cut.pixelColor(10, 10), kBottomLeft));
    EXPECT_TRUE(near(cut.pixelColor(90, 10), kTopLeft));
    EXPECT_TRUE(near(cut.pixelColor(10, 140), kBottomRight));
    EXPECT_TRUE(near(cut.pixelColor(90, 140), kTopRight));
}

TEST_F(CropWindowTest, AMissingSourceCutsTheEmptyWhiteCanvas) {
    const QString out = uploadSlot(QImage(4, 4, QImage::Format_RGB32));
    SiteWindowLabels::labCutPicPath = QDir(root()).filePath(QStringLiteral("gone.jpg"));
    frm图像剪裁 w;
    w.cmdRight_Click();  // nothing to turn
    w.cmdOK_Click();
    const QImage cut = readJpeg(out);
    ASSERT_EQ(cut.size(), QSize(150, 100));
    EXPECT_TRUE(near(cut.pixelColor(75, 50), Qt::white, 2));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(CropWindowTest, AFrameLargerThanTheViewportMaximisesTheDialogForTheCut) {
    const QString out = uploadSlot(quadrants(1200, 800), "12000", "1500");
    frm图像剪裁 w;
    EXPECT_TRUE(w.scrW->isEnabled());
    EXPECT_EQ(w.scrW->maximum(), 1260);
    EXPECT_FALSE(w.scrH->isEnabled());
    w.scrW->setValue(900);
    EXPECT_EQ(w.picPic->x(), -60);
    w.cmdOK_Click();
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(readJpeg(out).size(), QSize(800, 100));
}

TEST_F(CropWindowTest, AFailedWriteSaysSoAndLeavesTheRecordsAsTheyWere) {
    openCell(CropTarget::Foreground, 0, quadrants());
    PendingPictures.set(PendingPicture::ForegroundRow, PendingPicture::LocalFile, QStringLiteral("chosen.jpg"));
    const QStringList recordBefore = CellRecord;
    const Table pendingBefore = PendingPictures;
    // The member's temp folder cannot hold files: a plain file stands in its place.
    ASSERT_TRUE(QDir(temp()).removeRecursively());
    writeFile(temp(), "not a folder");
    {
        frm图像剪裁 w;
        w.cmdOK_Click();
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("错误：75\r\r路径/文件访问错误"));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("错误提示"));
    EXPECT_EQ(CellRecord, recordBefore);
    EXPECT_EQ(PendingPictures, pendingBefore);
    EXPECT_EQ(CropTargetMode, CropTarget::Foreground);
}

TEST_F(CropWindowTest, AFailedJpegWriteKeepsTheEditorsEarlierCut) {
    openCell(CropTarget::Background, 0, quadrants());
    const QString out = temp() + QStringLiteral("/grb3.jpg");
    // A folder where the JPEG should go: the write fails after the grab was kept.
    ASSERT_TRUE(QDir().mkpath(out));
    {
        frm图像剪裁 w;
        w.cmdOK_Click();
    }
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith(QStringLiteral("错误：26001\r\r"))) << prompts.messages()[0].toStdString();
    EXPECT_EQ(CellRecord[3], "old background");
    EXPECT_EQ(CropTargetMode, CropTarget::Background);
}

TEST_F(CropWindowTest, ClosingWithoutConfirmingWritesNothing) {
    openCell(CropTarget::Background, 0, quadrants());
    {
        frm图像剪裁 w;
        w.reject();
    }
    EXPECT_FALSE(QFile::exists(temp() + QStringLiteral("/grb3.jpg")));
    EXPECT_EQ(CropTargetMode, CropTarget::Background);
    EXPECT_EQ(CellRecord[3], "old background");
}

TEST_F(CropWindowTest, PreviewShowsTheCutInPlaceOfThePictureUntilCancelled) {
    uploadSlot(quadrants());
    frm图像剪裁 w;
    w.imgView_Click();
    EXPECT_TRUE(w.shaCut->isHidden());
    EXPECT_TRUE(w.imgPic->isHidden());
    EXPECT_FALSE(w.imgViewSelect->isHidden());
    EXPECT_EQ(w.imgViewSelect->geometry(), w.shaCut->geometry());
    expectCentreCut(w.imgViewSelect->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(w.imgView->isHidden());
    w.imgCancelView_Click();
    EXPECT_FALSE(w.shaCut->isHidden());
    EXPECT_FALSE(w.imgPic->isHidden());
    EXPECT_TRUE(w.imgViewSelect->isHidden());
    EXPECT_FALSE(w.imgView->isHidden());
    EXPECT_TRUE(w.imgCancelView->isHidden());
}

}  // namespace
