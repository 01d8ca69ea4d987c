// The image editor's logic without its window: start-up, the output-size frame and its custom-size
// checks, Open and Save through scripted prompts, and the offscreen render of the frame region.
#include <gtest/gtest.h>

#include "editorfixture.h"
#include "imageeditor/imageeditor.h"
#include "imaging/watermarkdialog.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <cstdlib>

using namespace testsupport;

namespace {

TEST_F(Editor, StartsWithThe600By450FrameAtTheMeasuredScaleCentredOnTheCanvas) {
    LoginInfo.set(0, 2, QStringLiteral("0"));
    start(12);
    EXPECT_EQ(e.layers.MeasuredTwipsPerPixel, 12);
    EXPECT_FALSE(e.tools.HasHostedSpace);
    EXPECT_TRUE(e.output.EditorLoaded);
    EXPECT_EQ(e.output.cobSetSizeText, QStringLiteral("600×450 (像素)"));
    EXPECT_EQ(e.layers.canvas.height, 11190);
    EXPECT_EQ(e.layers.canvas.shaCut, QRectF((10710 - 7200) / 2.0, (11190 - 5400) / 2.0, 7200, 5400));
    EXPECT_EQ(e.layers.canvas.top, (7980 - 11190) / 2.0 - 30);
    // Loading ran the list's handler, which does nothing yet: no focus moved, nothing cleared.
    EXPECT_TRUE(focus.isEmpty());
    for (const QString& label : {e.text.labTemp, e.tools.labBorder, e.text.labMyText, e.tools.labPicture, e.layers.labImgW, e.layers.labImgH})
        EXPECT_FALSE(label.isEmpty());
    EXPECT_EQ(e.text.labTemp, QStringLiteral("Temp"));
    EXPECT_EQ(e.layers.labImgW + e.layers.labImgH, QStringLiteral("WH"));
    EXPECT_EQ(e.output.labMaxWidth + e.output.labMaxHeight, QStringLiteral("600600"));
}

TEST_F(Editor, BothScalesAt12TwipsPerPixel) {
    start(12);
    // The starting frame is a preset: 600 × 450 pixels whatever the display.
    prompts.answerText(root() + QStringLiteral("/start"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    EXPECT_EQ(savedSize(root() + QStringLiteral("/start.jpg")), QSize(600, 450));
    // A typed size converts at 15 twips a pixel: 9000 × 6750 twips, 750 × 562.5 → 562 pixels.
    e.cmdOtherSize_Click();
    e.cmdSetSizeYes_Click(QStringLiteral("600"), QStringLiteral("450"));
    EXPECT_EQ(e.layers.canvas.shaCut.size(), QSizeF(9000, 6750));
    prompts.answerText(root() + QStringLiteral("/custom"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    EXPECT_EQ(savedSize(root() + QStringLiteral("/custom.jpg")), QSize(750, 562));
}

TEST_F(Editor, OpenChoosesThePresetByOrientation) {
    start(12);
    struct Case {
        int w, h;
        const char* entry;
        QSize saved;
    };
    for (const Case& c : {Case{800, 600, "600×450 (像素)", {600, 450}}, Case{600, 800, "450×600 (像素)", {450, 600}},
                          Case{500, 500, "600×600 (像素)", {600, 600}}}) {
        SCOPED_TRACE(c.entry);
        e.cmdOtherSize_Click();
        e.cmdSetSizeYes_Click(QStringLiteral("100"), QStringLiteral("100"));
        ASSERT_FALSE(e.output.labOtherSize.isEmpty());
        const QString path = picture(QStringLiteral("p%1x%2.png").arg(c.w).arg(c.h), c.w, c.h);
        open(path);
        EXPECT_EQ(e.output.cobSetSizeText, QString::fromUtf8(c.entry));
        EXPECT_TRUE(e.output.labOtherSize.isEmpty());
        EXPECT_EQ(RenderFrameRegion(e.layers.canvas, 12).size(), c.saved);
        EXPECT_EQ(e.files.caption, QStringLiteral("图像编辑[") + path + QStringLiteral("]"));
        EXPECT_EQ(e.files.labOpenPath, path);
        EXPECT_EQ(e.layers.labImgW, QString::number(c.w * 12));
        EXPECT_EQ(e.layers.labImgH, QString::number(c.h * 12));
        EXPECT_EQ(e.layers.canvas.imgPic.rect,
                  QRectF((10710 - c.w * 12) / 2.0, (11190 - c.h * 12) / 2.0, c.w * 12, c.h * 12));
        EXPECT_EQ(focus.last(), QStringLiteral("vscr1"));
    }
    // A GIF opens too (its first frame).
    const QString gif = testDataPath("imaging/golden/two_colours_3x2.gif");
    e.output.SelectSizeEntry(QStringLiteral("80×80 (像素)"));
    open(gif);
    EXPECT_EQ(e.files.labOpenPath, gif);
    EXPECT_EQ(e.layers.labImgW + "×" + e.layers.labImgH, QStringLiteral("36×24"));
    EXPECT_EQ(e.output.cobSetSizeText, QStringLiteral("600×450 (像素)"));
    // The next Open dialog starts at the picture opened last.
    prompts.clear();
    e.tooPic_ButtonClick(QStringLiteral("Open"));
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].dir, e.files.labOpenPath);
    EXPECT_EQ(prompts.records()[0].text,
              QStringLiteral("图像文件(*.gif;*.jpg) (*.gif *.jpg);;其他图像文件(*.bmp;*.png;*.ico) (*.bmp *.png *.ico)"));
}

TEST_F(Editor, AFileThatIsNoPictureOrACancelledOpenChangesNothing) {
    start();
    const QString good = picture(QStringLiteral("good.png"), 40, 30);
    open(good);
    const QImage before = RenderFrameRegion(e.layers.canvas, 15);
    const QString notPicture = root() + QStringLiteral("/fake.jpg");
    writeFile(notPicture, "not a picture at all");
    e.layout.picHelpVisible = true;
    for (const QString& answer : {notPicture, root() + QStringLiteral("/missing.png"), QString()}) {
        open(answer);
        EXPECT_EQ(e.files.labOpenPath, good);
        EXPECT_EQ(e.files.caption, QStringLiteral("图像编辑[") + good + QStringLiteral("]"));
        EXPECT_EQ(e.layers.labImgW, QStringLiteral("600"));
        EXPECT_EQ(RenderFrameRegion(e.layers.canvas, 15), before);
        EXPECT_FALSE(e.layout.picHelpVisible);
    }
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(Editor, SaveAppliesTheNameRuleAndRemembersTheName) {
    start();
    open(picture(QStringLiteral("wide.bmp"), 900, 700));
    struct Case {
        const char* typed;
        const char* saved;
    };
    for (const Case& c : {Case{"a", "a.jpg"}, Case{"b.JPG", "b.JPG"}, Case{"c.png", "c.png.jpg"}}) {
        SCOPED_TRACE(c.typed);
        const QString previous = e.files.labSavePath;
        prompts.clear();
        prompts.answerText(root() + QLatin1Char('/') + QString::fromUtf8(c.typed));
        e.tooPic_ButtonClick(QStringLiteral("Save"));
        const QString saved = root() + QLatin1Char('/') + QString::fromUtf8(c.saved);
        ASSERT_EQ(prompts.records().size(), 1);
        EXPECT_EQ(prompts.records()[0].title, QStringLiteral("保存图像文件"));
        EXPECT_EQ(prompts.records()[0].text, QStringLiteral("JPEG (*.jpg)"));
        EXPECT_EQ(prompts.records()[0].dir, previous);
        EXPECT_EQ(savedSize(saved), QSize(600, 450));
        EXPECT_EQ(QImageReader(saved).format(), QByteArray("jpeg"));
        EXPECT_EQ(e.files.labSavePath, saved);
        EXPECT_EQ(e.files.caption, QStringLiteral("图像编辑[") + saved + QStringLiteral("]"));
    }
    EXPECT_FALSE(QFile::exists(root() + QStringLiteral("/c.png")));
}

TEST_F(Editor, CancelledSaveWritesNothingAndTheWatermarkPanelReturnsOnlyAfterASave) {
    start();
    e.text.labTemp = QStringLiteral("1");
    e.text.picSetWaterMarkVisible = e.text.picAddTextVisible = e.output.picSetSizeVisible = e.layout.picHelpVisible = true;
    e.tooPic_ButtonClick(QStringLiteral("Save"));  // cancelled: the empty answer
    EXPECT_FALSE(e.text.picSetWaterMarkVisible || e.text.picAddTextVisible || e.output.picSetSizeVisible || e.layout.picHelpVisible);
    EXPECT_EQ(e.files.caption, QStringLiteral("图像编辑"));
    EXPECT_TRUE(e.files.labSavePath.isEmpty());
    EXPECT_TRUE(QDir(root()).entryList(QDir::Files).isEmpty());

    e.text.picAddTextVisible = e.output.picSetSizeVisible = true;
    prompts.answerText(root() + QStringLiteral("/out"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    EXPECT_TRUE(e.text.picSetWaterMarkVisible);
    EXPECT_FALSE(e.text.picAddTextVisible || e.output.picSetSizeVisible);
    EXPECT_TRUE(QFile::exists(root() + QStringLiteral("/out.jpg")));
}

TEST_F(Editor, AFailedWriteIsReportedAndChangesNothing) {
    start();
    prompts.answerText(root() + QStringLiteral("/first.jpg"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    const QString caption = e.files.caption;
    // A folder where the file should go: the write cannot replace it.
    ASSERT_TRUE(QDir(root()).mkdir(QStringLiteral("taken.jpg")));
    prompts.answerText(root() + QStringLiteral("/taken.jpg"));
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    const PromptRecord box = lastBox();
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("错误：26001\r\r"))) << box.text.toStdString();
    EXPECT_EQ(box.style, vbInformation);
    EXPECT_EQ(box.title, QStringLiteral("错误提示"));
    EXPECT_EQ(e.files.caption, caption);
    EXPECT_EQ(e.files.labSavePath, root() + QStringLiteral("/first.jpg"));
    EXPECT_TRUE(QFileInfo(root() + QStringLiteral("/taken.jpg")).isDir());
}

TEST_F(Editor, AnExistingFileUnderTheAppendedNameIsReplacedOnlyWhenTheMemberSaysSo) {
    start();
    const QString existing = root() + QStringLiteral("/b.jpg");
    writeFile(existing, "old bytes");
    prompts.answerText(root() + QStringLiteral("/b"));
    prompts.answer(vbNo);
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    const PromptRecord box = lastBox();
    EXPECT_EQ(box.text, existing + QStringLiteral(" 已存在。\r要替换它吗？"));
    EXPECT_EQ(box.style, vbYesNo | vbExclamation);
    EXPECT_EQ(box.title, QStringLiteral("保存图像文件"));
    EXPECT_EQ(readFile(existing), QByteArray("old bytes"));
    EXPECT_TRUE(e.files.labSavePath.isEmpty());
    EXPECT_EQ(e.files.caption, QStringLiteral("图像编辑"));

    prompts.answerText(root() + QStringLiteral("/b"));
    prompts.answer(vbYes);
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    EXPECT_EQ(savedSize(existing), QSize(600, 450));
    EXPECT_EQ(e.files.labSavePath, existing);
    // A typed name the dialog already asked about is not asked again.
    prompts.clear();
    prompts.answerText(existing);
    e.tooPic_ButtonClick(QStringLiteral("Save"));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(Editor, TheRenderShowsTheGroundAndOverlaysCutAtTheFrameButNoFrameLine) {
    start();
    const QColor ground = WorkspaceColor();
    const QImage empty = RenderFrameRegion(e.layers.canvas, 15);
    ASSERT_EQ(empty.size(), QSize(600, 450));
    for (const QPoint p : {QPoint(0, 0), QPoint(599, 0), QPoint(0, 449), QPoint(599, 449), QPoint(300, 200)})
        EXPECT_EQ(empty.pixelColor(p), ground) << p.x() << "," << p.y();

    // A red picture straddling the frame's right edge by 10 pixels, a blue base picture inside.
    const QRectF cut = e.layers.canvas.shaCut;
    open(picture(QStringLiteral("blue.png"), 100, 100, Qt::blue));
    e.cmdOtherSize_Click();
    e.cmdSetSizeYes_Click(QStringLiteral("600"), QStringLiteral("450"));
    ASSERT_EQ(e.layers.canvas.shaCut, cut);
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    e.layers.canvas.imgAddPic.setPicture(red);
    e.layers.canvas.imgAddPic.rect = QRectF(cut.right() - 10 * 15, cut.top() + 100 * 15, 40 * 15, 20 * 15);
    e.layers.canvas.imgAddPic.visible = true;
    const QImage shot = RenderFrameRegion(e.layers.canvas, 15);
    ASSERT_EQ(shot.size(), QSize(600, 450));
    EXPECT_EQ(shot.pixelColor(595, 110), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(589, 110), ground);  // outside the inserted picture's left edge
    const QPoint baseCentre((e.layers.canvas.imgPic.rect.center() - cut.topLeft()).toPoint() / 15);
    EXPECT_EQ(shot.pixelColor(baseCentre), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(0, 0), ground);
    EXPECT_EQ(shot.pixelColor(0, 449), ground);
    // The frame line is drawn on screen only.
    EXPECT_TRUE(e.layers.canvas.shaCutVisible);

    // A label drawn by the shared renderer, half below the frame's bottom edge; a hidden border
    // adds nothing until it is shown, and then it covers the frame.
    OverlayLabel yellow;
    yellow.text = QStringLiteral("水印");
    yellow.transparent = false;
    yellow.backColor = Qt::yellow;
    yellow.foreColor = Qt::yellow;
    const int labelHeight = OverlayLabelSize(yellow).height();
    e.layers.canvas.labWaterMark[1] = shownLabel(yellow, QPointF(cut.left() + 15 * 15, cut.bottom() - labelHeight / 2 * 15));
    QImage magenta(10, 10, QImage::Format_RGB32);
    magenta.fill(Qt::magenta);
    e.layers.canvas.imgBorder.picture = magenta;
    const QImage labelled = RenderFrameRegion(e.layers.canvas, 15);
    EXPECT_EQ(labelled.pixelColor(16, 449), QColor(Qt::yellow));
    EXPECT_EQ(labelled.pixelColor(0, 0), ground);
    e.layers.canvas.imgBorder.visible = true;
    const QImage bordered = RenderFrameRegion(e.layers.canvas, 15);
    EXPECT_EQ(bordered.pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(bordered.pixelColor(599, 449), QColor(Qt::magenta));
}

TEST_F(Editor, CustomSizeMessages) {
    struct Case {
        const char* width;
        const char* height;
        double windowWidth;
        const char* message;  // empty: accepted
        double frameWidth = 0;
    };
    const Case cases[] = {
        {"abc", "x1", 15480, "错误：宽度必须是数字；高度必须是数字，请您重新输入。"},
        {"abc", "300", 15480, "错误：宽度必须是数字，请您重新输入。"},
        {"", "300", 15480, "错误：宽度必须是数字，请您重新输入。"},
        {"2000", "300", 15360, "错误：宽度不能大于1002，请您重新输入。"},
        {"2000", "900", 15360, "错误：宽度不能大于1002；高度不能大于687，请您重新输入。"},
        // Exponent forms read whole, as the numeric test accepts them.
        {"1e4", "300", 15360, "错误：宽度不能大于1002，请您重新输入。"},
        {"2.5E2", "1.0000e+02", 15480, "", 250 * 15},
        {"1e400", "300", 15360, "错误：宽度不能大于1002，请您重新输入。"},
        {"0", "300", 15480, "错误：宽度必须大于0，请您重新输入。"},
        {"300", "-5", 15480, "错误：高度必须大于0，请您重新输入。"},
        {"845", "300", 13000, "", 845 * 15},  // the limit shows as 844.6667 and rounds to 845
        {"300.5", "200", 15480, "", 300 * 15},
        {" 300 ", "  200", 15480, "", 300 * 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.width) + "x" + c.height);
        prompts.clear();
        e = ImageEditorController();
        start();
        e.layout.windowWidth = c.windowWidth;
        e.cmdOtherSize_Click();
        const QRectF before = e.layers.canvas.shaCut;
        e.cmdSetSizeYes_Click(QString::fromUtf8(c.width), QString::fromUtf8(c.height));
        if (*c.message) {
            ASSERT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(lastBox().style, vbExclamation);
            EXPECT_EQ(lastBox().title, QStringLiteral("错误提示"));
            EXPECT_TRUE(e.output.picSetSizeVisible);
            EXPECT_EQ(e.layers.canvas.shaCut, before);
            EXPECT_EQ(e.output.cobSetSizeText, QStringLiteral("600×450 (像素)"));
            EXPECT_TRUE(e.output.labOtherSize.isEmpty());
            continue;
        }
        EXPECT_TRUE(prompts.messages().isEmpty());
        EXPECT_FALSE(e.output.picSetSizeVisible);
        EXPECT_TRUE(e.layers.canvas.shaCutVisible);
        EXPECT_EQ(e.output.cobSetSizeText, kOtherSizeEntry);
        const QString w = QString::fromUtf8(c.width).trimmed();
        const QString h = QString::fromUtf8(c.height).trimmed();
        EXPECT_EQ(e.output.labOtherSize, w + QStringLiteral("×") + h + QStringLiteral(" (像素)"));
        EXPECT_EQ(e.output.labW + "|" + e.output.labH, w + "|" + h);
        EXPECT_EQ(e.layers.canvas.shaCut.width(), c.frameWidth);
        EXPECT_EQ(e.layers.canvas.shaCut.height(), h.toDouble() * 15);
        EXPECT_EQ(e.layers.canvas.imgBorder.rect, e.layers.canvas.shaCut);
    }
    EXPECT_EQ(e.output.labMaxWidth, QStringLiteral("1010"));
    e.layout.windowWidth = 13000;
    e.cmdOtherSize_Click();
    EXPECT_EQ(e.output.labMaxWidth, QStringLiteral("844.6667"));
}

TEST_F(Editor, CancelLeavesTheFrameVisibleAndAPresetClearsTheCustomSize) {
    start();
    const QRectF frame = e.layers.canvas.shaCut;
    // From the list: the height box takes the focus and the frame stays shown.
    e.output.SelectSizeEntry(kOtherSizeEntry);
    EXPECT_TRUE(e.output.picSetSizeVisible);
    EXPECT_TRUE(e.layers.canvas.shaCutVisible);
    EXPECT_EQ(focus, QStringList{QStringLiteral("txtSizeH")});
    e.cmdSetSizeCancel_Click();
    EXPECT_FALSE(e.output.picSetSizeVisible);
    EXPECT_TRUE(e.layers.canvas.shaCutVisible);
    EXPECT_EQ(e.layers.canvas.shaCut, frame);
    // From the button: the width box, the frame hidden until Cancel.
    focus.clear();
    e.cmdOtherSize_Click();
    EXPECT_FALSE(e.layers.canvas.shaCutVisible);
    EXPECT_EQ(focus, QStringList{QStringLiteral("txtSizeW")});
    e.cmdSetSizeCancel_Click();
    EXPECT_TRUE(e.layers.canvas.shaCutVisible);
    EXPECT_EQ(e.layers.canvas.shaCut, frame);

    e.cmdOtherSize_Click();
    e.cmdSetSizeYes_Click(QStringLiteral("300"), QStringLiteral("200"));
    ASSERT_EQ(e.output.labOtherSize, QStringLiteral("300×200 (像素)"));
    e.output.SelectSizeEntry(QStringLiteral("80×80 (像素)"));
    EXPECT_TRUE(e.output.labOtherSize.isEmpty());
    EXPECT_EQ(e.layers.canvas.shaCut, QRectF((10710 - 1200) / 2.0, (11190 - 1200) / 2.0, 1200, 1200));
    // Before loading ends the list's handler does nothing.
    e.output.EditorLoaded = false;
    e.output.SelectSizeEntry(QStringLiteral("100×100 (像素)"));
    EXPECT_EQ(e.layers.canvas.shaCut.width(), 1200);
}

TEST_F(Editor, PlacingTheFrameBringsTheBorderAndNoticeAlongAndKeepsACustomFrameOnTheCanvas) {
    start();
    // A custom frame wider than the canvas starts at its left edge; a preset may stay off it.
    e.layout.windowWidth = 30000;
    e.cmdOtherSize_Click();
    e.cmdSetSizeYes_Click(QStringLiteral("900"), QStringLiteral("300"));
    EXPECT_EQ(e.layers.canvas.shaCut, QRectF(0, (11190 - 4500) / 2.0, 13500, 4500));
    EXPECT_EQ(e.layers.canvas.imgBorder.rect, e.layers.canvas.shaCut);
    e.layers.canvas.width = 7000;
    e.output.SelectSizeEntry(QStringLiteral("600×600 (像素)"));
    EXPECT_EQ(e.layers.canvas.shaCut.left(), (7000 - 9000) / 2.0);
    // The notice (900 × 735 twips at 720, 4140) moves inside a small frame.
    e.layers.canvas.width = 10710;
    e.output.SelectSizeEntry(QStringLiteral("80×80 (像素)"));
    const QRectF cut = e.layers.canvas.shaCut;
    EXPECT_EQ(e.layers.canvas.labUsePicRect, QRectF(cut.left(), cut.top(), 900, 735));
    e.layers.canvas.labUsePicRect.moveTo(10000, 10000);
    e.output.SelectSizeEntry(QStringLiteral("80×80 (像素)"));
    EXPECT_EQ(e.layers.canvas.labUsePicRect, QRectF(cut.right() - 900, cut.bottom() - 735, 900, 735));
    e.output.SelectSizeEntry(QStringLiteral("600×600 (像素)"));
    EXPECT_TRUE(e.layers.canvas.shaCut.contains(e.layers.canvas.labUsePicRect));
}

// Mean difference of the channels of two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The canvas painted as the window paints it, clipped to its viewport.
void PaintAsTheWindow(EditorCanvas& canvas) {
    QImage screen(714, 532, QImage::Format_RGB32);
    QPainter painter(&screen);
    painter.setClipRect(screen.rect());
    PaintCanvas(painter, canvas, 15, true);
}

// A JPEG opens by its header. A render of the frame decodes only the part inside the frame, at the
// smallest DCT scale that covers its shown size; the window's paint keeps what it decodes, the
// whole picture only once it shows at its own size. The frame looks the same either way.
TEST_F(Editor, AnOpenedJpegIsDecodedOnlyAsFarAsThePaintNeeds) {
    start();
    QImage photo(2400, 1800, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) photo.setPixel(x, y, qRgb(x * 255 / 2400, y * 255 / 1800, (x ^ y) & 0xFF));
    const QString path = root() + QStringLiteral("/photo.jpg");
    ASSERT_TRUE(photo.save(path, "JPG", 95));
    open(path);
    EXPECT_EQ(e.files.labOpenPath, path);
    EXPECT_EQ(e.layers.canvas.imgPic.pixelSize(), QSize(2400, 1800));
    EXPECT_EQ(e.layers.labImgW + "×" + e.layers.labImgH, QStringLiteral("36000×27000"));
    EXPECT_TRUE(e.layers.canvas.imgPic.picture.isNull());

    for (const int zoom : {-75, 0}) {  // a quarter of its size (the 600 × 450 frame), its own size
        SCOPED_TRACE(zoom);
        e.sli1_Scroll(zoom);
        const QImage frame = RenderFrameRegion(e.layers.canvas, 15);
        EXPECT_TRUE(e.layers.canvas.imgPic.picture.isNull());
        EditorCanvas whole = e.layers.canvas;
        whole.imgPic.setPicture(LoadEditorPicture(path));
        const QImage reference = RenderFrameRegion(whole, 15);
        ASSERT_EQ(frame.size(), reference.size());
        EXPECT_LT(MeanDifference(frame, reference), zoom == 0 ? 0.5 : 2.0);
    }
    e.sli1_Scroll(-75);
    PaintAsTheWindow(e.layers.canvas);
    EXPECT_EQ(e.layers.canvas.imgPic.picture.size(), QSize(600, 450));  // two eighths
    EXPECT_EQ(e.layers.canvas.imgPic.reducedFrom, path);
    e.sli1_Scroll(0);
    PaintAsTheWindow(e.layers.canvas);
    EXPECT_EQ(e.layers.canvas.imgPic.picture.size(), QSize(2400, 1800));
    EXPECT_TRUE(e.layers.canvas.imgPic.reducedFrom.isEmpty());
    // The crop holds its own pixels.
    e.imgCutPic_Click();
    EXPECT_EQ(e.layers.canvas.imgPic.pixelSize(), QSize(600, 450));
}

TEST_F(Editor, AJpegCutShortOrGoneAfterOpeningShowsNothing) {
    start();
    QImage photo(800, 600, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    const QString path = root() + QStringLiteral("/photo.jpg");
    ASSERT_TRUE(photo.save(path, "JPG", 90));
    // Without its end marker the file goes to the reader that decodes it whole at once.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    const QString cut = root() + QStringLiteral("/cut.jpg");
    writeFile(cut, bytes.left(bytes.size() - 2));
    open(cut);
    EXPECT_TRUE(e.layers.canvas.imgPic.reducedFrom.isEmpty());
    // Removed between its opening and its first paint: nothing shows, and nothing is decoded again.
    open(path);
    ASSERT_EQ(e.layers.canvas.imgPic.reducedFrom, path);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(RenderFrameRegion(e.layers.canvas, 15).pixel(300, 225), WorkspaceColor().rgb());
    PaintAsTheWindow(e.layers.canvas);
    EXPECT_TRUE(e.layers.canvas.imgPic.reducedFrom.isEmpty());
    EXPECT_TRUE(e.layers.canvas.imgPic.pixelSize().isEmpty());
}

TEST(EditorFonts, ListsNoFontNamingCpiOrPoint) {
    EXPECT_EQ(WithoutPrinterFonts({QStringLiteral("宋体"), QStringLiteral("Courier 10cpi"), QStringLiteral("Arial"),
                                   QStringLiteral("Tiny Point"), QStringLiteral("CPIfont"), QStringLiteral("Pointer"),
                                   QStringLiteral("Cp i")}),
              (QStringList{QStringLiteral("宋体"), QStringLiteral("Arial"), QStringLiteral("Cp i")}));
    EXPECT_EQ(EditorFontNames(), WatermarkFontNames());
}

}  // namespace
