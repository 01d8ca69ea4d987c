// The image editor's tools without the window: moving, zooming, dragging and cropping the picture,
// the work area's layout, the border and the inserted picture with their stacking, the strips'
// addresses and the help panel.
#include <gtest/gtest.h>

#include "editorfixture.h"
#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "platform/urlopening.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QDate>
#include <QFile>

using namespace testsupport;

namespace {

class EditorTools : public Editor {
protected:
    // A picture of w × h pixels opened in the editor.
    void openPicture(int w, int h, QColor c = Qt::green) { open(picture(QStringLiteral("p.png"), w, h, c)); }
    QPointF pictureCentre() const { return e.layers.canvas.imgPic.rect.center(); }
};

TEST_F(EditorTools, MovesByWholeTwipsOfTheMillimetreStep) {
    start();
    openPicture(200, 100);
    struct Case {
        const char* step;
        int moves;
        double twips;
    };
    for (const Case& c : {Case{"0.5", 1, 28}, Case{"50", 1, 2835}, Case{" 1 ", 4, 224}, Case{"2", 1, 113}}) {
        SCOPED_TRACE(c.step);
        e.tools.cobMoveStepText = QString::fromUtf8(c.step);
        const QPointF before = e.layers.canvas.imgPic.rect.topLeft();
        for (int i = 0; i < c.moves; ++i) e.MovePicture(MoveDirection::Right);
        e.MovePicture(MoveDirection::Up);
        const double oneStep = c.twips / c.moves;
        EXPECT_EQ(e.layers.canvas.imgPic.rect.topLeft(), before + QPointF(c.twips, -oneStep));
    }
    // A step that is no number moves nothing and says why.
    e.layers.canvas.shaCutVisible = false;
    const QRectF before = e.layers.canvas.imgPic.rect;
    e.tools.cobMoveStepText = QStringLiteral("abc");
    e.MovePicture(MoveDirection::Left);
    EXPECT_EQ(e.layers.canvas.imgPic.rect, before);
    EXPECT_EQ(lastBox().text, QStringLiteral("每次移动距离必须是数字！"));
    EXPECT_EQ(lastBox().title, QStringLiteral("提示"));
    EXPECT_EQ(lastBox().style, vbInformation);
}

TEST_F(EditorTools, ZoomInThenOutRestoresTheSizeCentredOnTheFrame) {
    start();
    openPicture(200, 100);
    e.MovePicture(MoveDirection::Down);
    e.tools.cobStepText = QStringLiteral("1.3");
    e.imgZoomIn_Click();
    EXPECT_NEAR(e.layers.canvas.imgPic.rect.width(), 3000 * 1.3, 0.01);
    EXPECT_TRUE(e.layers.canvas.imgPicStretch);
    e.imgZoomOut_Click();
    EXPECT_NEAR(e.layers.canvas.imgPic.rect.width(), 3000, 0.01);
    EXPECT_NEAR(e.layers.canvas.imgPic.rect.height(), 1500, 0.01);
    EXPECT_NEAR(pictureCentre().x(), e.layers.canvas.shaCut.center().x(), 0.01);
    EXPECT_NEAR(pictureCentre().y(), e.layers.canvas.shaCut.center().y(), 0.01);
    // The zoom tools leave the base size alone.
    EXPECT_EQ(e.layers.labImgW, QStringLiteral("3000"));

    for (const char* bad : {"0", "-2", "x"}) {
        const QRectF before = e.layers.canvas.imgPic.rect;
        e.tools.cobStepText = QString::fromUtf8(bad);
        e.imgZoomIn_Click();
        EXPECT_EQ(e.layers.canvas.imgPic.rect, before) << bad;
        EXPECT_EQ(lastBox().text, QStringLiteral("每次缩放倍数必须是大于0的数字！")) << bad;
        EXPECT_EQ(lastBox().title, QStringLiteral("提示"));
    }
}

TEST_F(EditorTools, TheSliderScalesFromTheBaseSize) {
    start();
    // Before a picture is opened there is no base size: the slider moves nothing.
    e.sli1_Scroll(40);
    EXPECT_FALSE(e.layers.canvas.imgPic.visible);
    openPicture(200, 100);
    EXPECT_EQ(e.tools.sli1, 0);
    e.tools.cobStepText = QStringLiteral("2");
    e.imgZoomIn_Click();  // ignored by the slider, which scales from the base size
    for (const auto& [value, width] : {std::pair{-100, 0.0}, std::pair{0, 3000.0}, std::pair{100, 6000.0}}) {
        e.sli1_Scroll(value);
        EXPECT_EQ(e.layers.canvas.imgPic.rect.size(), QSizeF(width, width / 2)) << value;
        EXPECT_EQ(pictureCentre(), QPointF(e.layers.canvas.width / 2, e.layers.canvas.height / 2)) << value;
    }
    // After a crop the cropped picture is the base: 51 gives 151 % of it.
    e.sli1_Scroll(50);
    e.imgCutPic_Click();
    EXPECT_EQ(e.tools.sli1, 50);
    const QSizeF crop = e.layers.canvas.shaCut.size();
    e.sli1_Scroll(51);
    EXPECT_EQ(e.layers.canvas.imgPic.rect.size(), QSizeF(crop.width() * 151 / 100, crop.height() * 151 / 100));
}

TEST_F(EditorTools, DraggingCentresThePictureOnThePointerButNotRightAfterACrop) {
    start();
    openPicture(800, 600);
    e.imgCutPic_Click();
    e.imgPic_MouseDown();
    EXPECT_FALSE(e.tools.PictureDragging);
    e.imgPic_MouseMove(100, 100);
    EXPECT_EQ(e.layers.canvas.imgPic.rect, e.layers.canvas.shaCut);

    e.MovePicture(MoveDirection::Left);
    e.imgPic_MouseDown();
    EXPECT_TRUE(e.tools.PictureDragging);
    const QRectF before = e.layers.canvas.imgPic.rect;
    e.imgPic_MouseMove(300, 450);
    EXPECT_EQ(e.layers.canvas.imgPic.rect.center(), before.topLeft() + QPointF(300, 450));
    e.imgPic_MouseUp();
    EXPECT_FALSE(e.tools.PictureDragging);
    const QRectF dropped = e.layers.canvas.imgPic.rect;
    e.imgPic_MouseMove(0, 0);
    EXPECT_EQ(e.layers.canvas.imgPic.rect, dropped);
}

TEST_F(EditorTools, ACropKeepsOnlyAShownNoticeAndShowsTheLayersAgainByTheirFlags) {
    LoginInfo.set(0, 2, QStringLiteral("0"));
    start();
    openPicture(800, 600, Qt::blue);
    // Overlays: a watermark with text, an empty one, a caption, a border and a picture; the notice.
    OverlayLabel mark;
    mark.text = QStringLiteral("水印");
    mark.transparent = false;
    mark.backColor = Qt::yellow;
    const QRectF cut = e.layers.canvas.shaCut;
    e.layers.canvas.labWaterMark[0] = shownLabel(mark, cut.topLeft() + QPointF(1500, 1500));
    e.layers.canvas.labWaterMark[2] = shownLabel(mark, cut.topLeft() + QPointF(3000, 300));
    e.text.labMyText = QStringLiteral("0");
    e.text.labTemp = QStringLiteral("1");
    const QString small = picture(QStringLiteral("small.png"), 60, 40, Qt::magenta);
    prompts.answerText(small);
    e.imgSetAddPic_Click();
    ASSERT_TRUE(e.layers.canvas.labUsePicVisible);
    e.layers.canvas.labUsePicRect.moveTo(cut.topLeft());
    e.text.picAddTextVisible = false;

    e.imgCutPic_Click();
    EXPECT_FALSE(e.tools.CropInProgress);
    const QImage& base = e.layers.canvas.imgPic.picture;
    ASSERT_EQ(base.size(), QSize(600, 450));
    int noticeGround = 0;  // the notice's red ground shows between its letters
    for (int y = 0; y < 49; ++y)
        for (int x = 0; x < 60; ++x) noticeGround += base.pixelColor(x, y) == QColor(0xFF, 0, 0);
    EXPECT_GT(noticeGround, 1000);
    EXPECT_EQ(base.pixelColor(105, 105), QColor(Qt::blue));  // not the watermark
    EXPECT_EQ(base.pixelColor(300, 225), QColor(Qt::blue));                // not the inserted picture
    EXPECT_EQ(e.layers.canvas.imgPic.rect, cut);
    EXPECT_EQ(e.layers.labImgW + QLatin1Char('x') + e.layers.labImgH, QStringLiteral("9000x6750"));
    // Shown again: the watermark with text, the caption with its panel, the watermark panel, the picture.
    EXPECT_TRUE(e.layers.canvas.labWaterMark[0].visible);
    EXPECT_FALSE(e.layers.canvas.labWaterMark[1].visible);
    EXPECT_TRUE(e.layers.canvas.labWaterMark[2].visible);
    EXPECT_TRUE(e.text.picAddTextVisible);
    EXPECT_TRUE(e.text.picSetWaterMarkVisible);
    EXPECT_TRUE(e.layers.canvas.imgAddPic.visible);
    EXPECT_FALSE(e.layers.canvas.imgBorder.visible);
    EXPECT_TRUE(e.layers.canvas.labUsePicVisible);
}

TEST_F(EditorTools, ACropWithNoPictureTakesTheWorkspaceColour) {
    start();
    e.imgCutPic_Click();
    const QImage& base = e.layers.canvas.imgPic.picture;
    ASSERT_EQ(base.size(), QSize(600, 450));
    EXPECT_EQ(base.pixelColor(0, 0), WorkspaceColor());
    EXPECT_EQ(base.pixelColor(599, 449), WorkspaceColor());
}

TEST_F(EditorTools, TheLayoutRecentresAcrossAndKeepsVerticalPositions) {
    start();
    openPicture(300, 200);
    e.MovePicture(MoveDirection::Left);
    e.MovePicture(MoveDirection::Down);
    const double pictureTop = e.layers.canvas.imgPic.rect.top();
    const double frameTop = e.layers.canvas.shaCut.top();
    for (const double workWidth : {13185.0, 18000.0}) {
        SCOPED_TRACE(workWidth);
        e.picFrame_Resize(workWidth, 8385);
        EXPECT_EQ(e.layout.work.viewportWidth, workWidth - 2235);
        EXPECT_EQ(e.layout.work.viewportHeight, 8385 - 465);
        EXPECT_EQ(e.layers.canvas.width, workWidth - 2235 - 240);
        EXPECT_EQ(e.layout.work.vscr1Left, workWidth - 2235 - 255 - 30);
        EXPECT_EQ(e.layout.work.vscr1Max, qint16(11190 - 7920));
        EXPECT_EQ(e.layers.canvas.shaCut.center().x(), e.layers.canvas.width / 2);
        EXPECT_EQ(e.layers.canvas.imgPic.rect.center().x(), e.layers.canvas.width / 2);
        EXPECT_EQ(e.layers.canvas.shaCut.top(), frameTop);
        EXPECT_EQ(e.layers.canvas.imgPic.rect.top(), pictureTop);
        EXPECT_EQ(e.layers.canvas.labUsePicRect.center(), e.layers.canvas.shaCut.center());
        // The strips follow the window and the work area.
        EXPECT_EQ(e.layout.work.picAD1Height, 11190 - 900);
        EXPECT_EQ(e.layout.work.Picture8Top, 11190 - 900 - 405);
        EXPECT_EQ(e.layout.work.webAD1Height, 11190 - 900 + 45);
        EXPECT_EQ(e.layout.work.picAD2Width, workWidth);
        EXPECT_EQ(e.layout.work.Picture9Left, workWidth - 405);
        EXPECT_EQ(e.layout.work.webAD2Width, workWidth + 45);
    }
    // A resize while a crop is under way leaves the picture and lowers the flag; so does a
    // suspended layout, which changes nothing at all.
    const QRectF placed = e.layers.canvas.imgPic.rect.translated(-500, 0);
    e.layers.canvas.imgPic.rect = placed;
    e.tools.CropInProgress = true;
    e.picFrame_Resize(15000, 8385);
    EXPECT_FALSE(e.tools.CropInProgress);
    EXPECT_EQ(e.layers.canvas.imgPic.rect, placed);
    e.layout.LayoutSuspended = true;
    e.picFrame_Resize(13185, 8385);
    EXPECT_EQ(e.layout.work.viewportWidth, 15000 - 2235);
}

TEST_F(EditorTools, TheBorderChooserStartsFromTheShippedBorderThenTheLastChosen) {
    start();
    const QString shipped = ShippedBorderFile();
    ASSERT_FALSE(shipped.isEmpty());
    EXPECT_TRUE(shipped.endsWith(QStringLiteral("边框/边框1.gif")));
    // The shipped frame is open in the middle.
    const QImage frame = LoadEditorPicture(shipped);
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.pixelColor(frame.width() / 2, frame.height() / 2).alpha(), 0);
    EXPECT_EQ(frame.pixelColor(0, 0).alpha(), 255);

    // A cancel changes nothing.
    e.imgSetBorder_Click();
    EXPECT_EQ(prompts.records().last().dir, shipped);
    EXPECT_EQ(prompts.records().last().text, QStringLiteral("边框文件 (*.gif) (*.gif)"));
    EXPECT_EQ(e.tools.labBorder, QStringLiteral("1"));
    EXPECT_TRUE(e.tools.labBorderPath.isEmpty());
    EXPECT_FALSE(e.layers.canvas.imgBorder.visible);

    const QString mine = picture(QStringLiteral("mine.gif.png"), 40, 30, Qt::red);
    prompts.answerText(mine);
    e.imgSetBorder_Click();
    EXPECT_EQ(e.tools.labBorder, QStringLiteral("0"));
    EXPECT_EQ(e.tools.imgSetBorderKey, QStringLiteral("RemoveBorder"));
    EXPECT_EQ(e.layers.canvas.imgBorder.rect, e.layers.canvas.shaCut);
    // Stretched over the frame when the frame changes.
    e.output.SelectSizeEntry(QStringLiteral("300×300 (像素)"));
    EXPECT_EQ(e.layers.canvas.imgBorder.rect, e.layers.canvas.shaCut);
    const QImage region = RenderFrameRegion(e.layers.canvas, 15);
    ASSERT_EQ(region.size(), QSize(300, 300));
    EXPECT_EQ(region.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(region.pixelColor(299, 299), QColor(Qt::red));

    e.imgSetBorder_Click();  // removes
    EXPECT_EQ(e.tools.labBorder, QStringLiteral("1"));
    EXPECT_EQ(e.tools.imgSetBorderKey, QStringLiteral("AddBorder"));
    EXPECT_FALSE(e.layers.canvas.imgBorder.visible);
    EXPECT_EQ(e.tools.labBorderPath, mine);
    e.imgSetBorder_Click();
    EXPECT_EQ(prompts.records().last().dir, mine);

    // A file that is no picture: nothing shown, its name kept, no message.
    const QString bad = root() + QStringLiteral("/bad.gif");
    writeFile(bad, "GIF? no");
    prompts.answerText(bad);
    e.imgSetBorder_Click();
    EXPECT_EQ(e.tools.labBorderPath, bad);
    EXPECT_EQ(e.tools.labBorder, QStringLiteral("1"));
    EXPECT_FALSE(e.layers.canvas.imgBorder.visible);
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(EditorTools, AnInsertedPictureIsCentredOnTheFrameAtItsOwnSize) {
    start();
    const QString big = picture(QStringLiteral("big.png"), 800, 500, Qt::magenta);
    // The chooser offers the name the file dialog held last (here Open's).
    openPicture(100, 100);
    const QString opened = e.files.labOpenPath;
    prompts.answerText(big);
    e.imgSetAddPic_Click();
    EXPECT_EQ(prompts.records().last().dir, opened);
    EXPECT_EQ(e.layers.canvas.imgAddPic.rect.size(), QSizeF(12000, 7500));
    EXPECT_EQ(e.layers.canvas.imgAddPic.rect.center(), e.layers.canvas.shaCut.center());
    EXPECT_EQ(e.tools.labPicture, QStringLiteral("0"));
    EXPECT_EQ(e.tools.imgSetAddPicKey, QStringLiteral("RemovePicture"));
    EXPECT_TRUE(e.tools.chePicBorderVisible);
    EXPECT_FALSE(e.layers.canvas.labUsePicVisible);  // a member with hosted space sees no notice

    e.chePicBorder_Click(true);
    EXPECT_TRUE(e.layers.canvas.imgAddPicBorder);
    e.imgSetAddPic_Click();  // removes
    EXPECT_EQ(e.tools.labPicture, QStringLiteral("1"));
    EXPECT_FALSE(e.layers.canvas.imgAddPic.visible);
    EXPECT_FALSE(e.tools.chePicBorderVisible);
    EXPECT_FALSE(e.tools.chePicBorder);
    EXPECT_FALSE(e.layers.canvas.imgAddPicBorder);
    // Inserted again: no line, the box unticked; the chooser offers the picture chosen last.
    prompts.answerText(big);
    e.imgSetAddPic_Click();
    EXPECT_EQ(prompts.records().last().dir, big);
    EXPECT_FALSE(e.layers.canvas.imgAddPicBorder);
}

TEST_F(EditorTools, APictureThatDoesNotLoadIsReportedAndACancelIsSilent) {
    start();
    e.imgSetAddPic_Click();
    EXPECT_TRUE(prompts.messages().isEmpty());
    const QString bad = root() + QStringLiteral("/bad.jpg");
    writeFile(bad, "no picture");
    prompts.answerText(bad);
    e.imgSetAddPic_Click();
    EXPECT_EQ(lastBox().text, QStringLiteral("错误：481\r\r无效图片"));
    EXPECT_EQ(lastBox().title, QStringLiteral("错误提示"));
    EXPECT_EQ(lastBox().style, vbInformation);
    EXPECT_EQ(e.tools.labPicture, QStringLiteral("1"));
    EXPECT_FALSE(e.tools.chePicBorderVisible);
}

TEST_F(EditorTools, WithoutHostedSpaceTheNoticeFollowsThePictureInsideTheFrame) {
    LoginInfo.set(0, 2, QStringLiteral("0"));
    start();
    urlopening::Openers openers;
    QStringList opened;
    openers.openWithDesktop = [&](const QString& url) {
        opened << url;
        return true;
    };
    urlopening::install(&openers);
    prompts.answerText(picture(QStringLiteral("small.png"), 60, 40));
    e.imgSetAddPic_Click();
    urlopening::install(nullptr);
    EXPECT_TRUE(opened.isEmpty());  // the resource table gives no address
    const QRectF cut = e.layers.canvas.shaCut;
    ASSERT_TRUE(e.layers.canvas.labUsePicVisible);
    EXPECT_EQ(e.layers.canvas.labUsePicRect.center(), cut.center());
    EXPECT_EQ(e.layers.canvas.stack.back(), CanvasLayer::Notice);

    // Dragged to the frame's top-left corner: the notice comes as far as the frame allows.
    e.imgAddPic_MouseDown();
    const QRectF pic = e.layers.canvas.imgAddPic.rect;
    e.imgAddPic_MouseMove(cut.left() - pic.left(), cut.top() - pic.top());
    e.imgAddPic_MouseUp();
    EXPECT_FALSE(e.tools.InsertDragging);
    EXPECT_EQ(e.layers.canvas.imgAddPic.rect.center(), cut.topLeft());
    EXPECT_EQ(e.layers.canvas.labUsePicRect.topLeft(), cut.topLeft());
    // The picture itself has no bounds.
    e.imgAddPic_MouseDown();
    e.imgAddPic_MouseMove(-5000, 0);
    e.imgAddPic_MouseUp();
    EXPECT_LT(e.layers.canvas.imgAddPic.rect.left(), cut.left() - 4000);
    EXPECT_EQ(e.layers.canvas.labUsePicRect.left(), cut.left());

    e.imgSetAddPic_Click();
    EXPECT_FALSE(e.layers.canvas.labUsePicVisible);
}

TEST_F(EditorTools, LayingAnOverlayRaisesItWithThoseThatStayAbove) {
    using L = CanvasLayer;
    struct Case {
        const char* what;
        bool hostedSpace;
        std::array<L, 6> stack;
    };
    const Case cases[] = {
        {"border", true, {L::Mark2, L::Border, L::AddPic, L::Mark0, L::Mark1, L::Notice}},
        {"picture", true, {L::Border, L::Mark2, L::Notice, L::AddPic, L::Mark0, L::Mark1}},
        {"picture", false, {L::Border, L::Mark2, L::AddPic, L::Mark0, L::Mark1, L::Notice}},
        {"picture then border", false, {L::Mark2, L::Border, L::AddPic, L::Mark0, L::Mark1, L::Notice}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetAllState();
        LoginInfo.set(0, 2, c.hostedSpace ? QStringLiteral("1") : QStringLiteral("0"));
        e = ImageEditorController();
        start();
        const QString what = QString::fromUtf8(c.what);
        if (what.startsWith(QLatin1String("picture"))) {
            prompts.answerText(picture(QStringLiteral("s.png"), 20, 20));
            e.imgSetAddPic_Click();
        }
        if (what.endsWith(QLatin1String("border"))) {
            prompts.answerText(ShippedBorderFile());
            e.imgSetBorder_Click();
        }
        EXPECT_EQ(e.layers.canvas.stack, c.stack);
    }
}

TEST_F(EditorTools, TheMouseFindsTheTopmostShownLayer) {
    start();
    openPicture(400, 300);
    const QPointF centre = e.layers.canvas.shaCut.center();
    EXPECT_EQ(e.layers.canvas.hitTest(centre, 15), CanvasHit::Base);
    EXPECT_EQ(e.layers.canvas.hitTest(QPointF(1, 1), 15), CanvasHit::None);
    prompts.answerText(picture(QStringLiteral("s.png"), 20, 20));
    e.imgSetAddPic_Click();
    EXPECT_EQ(e.layers.canvas.hitTest(centre, 15), CanvasHit::AddPic);
    // A border covers the whole frame: the picture under it takes no press there.
    prompts.answerText(ShippedBorderFile());
    e.imgSetBorder_Click();
    EXPECT_EQ(e.layers.canvas.hitTest(centre, 15), CanvasHit::AddPic);
    EXPECT_EQ(e.layers.canvas.hitTest(e.layers.canvas.shaCut.topLeft() + QPointF(30, 30), 15), CanvasHit::Border);
}

TEST_F(EditorTools, TheStripsAddressesAndTheCloseAndHelpControls) {
    SetLoginField(6, QStringLiteral("www12"));
    SetLoginField(11, QStringLiteral("key7"));
    start();
    const QString base = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
                         QStringLiteral("/pwtd/") + WeeklyFolderName(QDate::currentDate());
    EXPECT_EQ(adAddresses[0], base + QStringLiteral("/picedit1.html?k1=key7&k2=www12&k3=2.0"));
    EXPECT_EQ(adAddresses[1], base + QStringLiteral("/picedit2.html?k1=key7&k2=www12&k3=2.0"));
    EXPECT_EQ(EditorAdAddress(QStringLiteral("picedit1.html"), QDate(2010, 2, 1)),
              QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
                  QStringLiteral("/pwtd/106/picedit1.html?k1=key7&k2=www12&k3=2.0"));

    e.cmdHelp_Click();
    EXPECT_TRUE(e.layout.picHelpVisible);
    e.cmdCloseHelp_Click();
    EXPECT_FALSE(e.layout.picHelpVisible);
    e.cmdHelp_Click();
    e.imgCutPic_Click();  // every grab hides the help
    EXPECT_FALSE(e.layout.picHelpVisible);
    e.picBack_Click();
    EXPECT_EQ(unloads, 1);
}

TEST_F(EditorTools, TheStripsTurnByTimerAndByHand) {
    start();
    for (int i = 0; i < 9; ++i) e.TimerAD_Timer();
    EXPECT_EQ(e.layout.adLeft.page, QStringLiteral("10"));
    EXPECT_EQ(e.layout.adLeft.offset, -30 - 9 * 2115);
    EXPECT_FALSE(e.layout.adLeft.nextVisible);
    EXPECT_TRUE(e.layout.adLeft.previousVisible);
    e.TimerAD_Timer();
    EXPECT_EQ(e.layout.adLeft.page, QStringLiteral("1"));
    EXPECT_EQ(e.layout.adLeft.offset, -30);
    EXPECT_TRUE(e.layout.adLeft.nextVisible);
    EXPECT_FALSE(e.layout.adLeft.previousVisible);
    EXPECT_EQ(e.layout.adTop.page, QStringLiteral("1"));
    EXPECT_EQ(e.layout.adTop.offset, -30);

    // Next on page 3 of the top strip, then a tick.
    e.TimerAD_Timer();
    e.TimerAD_Timer();
    e.imgAD_Click(3);
    EXPECT_EQ(e.layout.adTop.page, QStringLiteral("4"));
    EXPECT_TRUE(e.layout.adTop.previousVisible && e.layout.adTop.nextVisible);
    EXPECT_EQ(e.layout.adLeft.page, QStringLiteral("3"));  // the other strip stays
    e.TimerAD_Timer();
    EXPECT_EQ(e.layout.adTop.page, QStringLiteral("5"));
    EXPECT_EQ(e.layout.adTop.offset, -30 - 4 * 1830);
    // Previous on page 2 shows page 1 without its previous arrow; the arrows never wrap.
    e.layout.adLeft = AdCarousel(2115, -30);
    e.imgAD_Click(1);
    e.imgAD_Click(0);
    EXPECT_EQ(e.layout.adLeft.page, QStringLiteral("1"));
    EXPECT_EQ(e.layout.adLeft.offset, -30);
    EXPECT_FALSE(e.layout.adLeft.previousVisible);
    EXPECT_TRUE(e.layout.adLeft.nextVisible);
}

TEST(EditorHelp, ThirteenLinesWithTheNotesMarked) {
    const auto& lines = HelpLines();
    EXPECT_EQ(lines[0].text, QStringLiteral("超级简单的图像编辑方式：缩放、剪裁、加水印、加边框、加小图片、插入文字"));
    EXPECT_EQ(lines[12].text, QStringLiteral("第五步：点击保存“    ”按钮把编辑好的图像保存到您的计算机中。"));
    QList<int> notes;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].note) notes << int(i) + 1;
    EXPECT_EQ(notes, (QList<int>{3, 4, 6, 11, 12}));
}

}  // namespace
