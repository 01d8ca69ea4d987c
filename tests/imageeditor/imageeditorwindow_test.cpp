// The image editor window offscreen: opened by its opener, its design, the toolbar's Open and Save
// with scripted prompts, the size panel's keys.
#include <gtest/gtest.h>

#include "login/state.h"
#include "mainwindow/commands.h"
#include "imageeditor/ui/imageeditorwindow.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"
#include "support/emulatorfixture.h"
#include "support/fixtures.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QCheckBox>
#include <QSlider>
#include <QComboBox>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace testsupport;

namespace {

class EditorWindow : public DataRootTest {
protected:
    // Opens a picture of one colour through the toolbar; returns its path.
    QString openPicture(ImageEditorWindow& w, QSize size, QColor colour) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        const QString source = root() + QStringLiteral("/picture.bmp");
        EXPECT_TRUE(picture.save(source));
        prompts.answerText(source);
        w.tooPicOpen->trigger();
        return source;
    }
};

TEST_F(EditorWindow, TheMainWindowsCommandShowsAFreshEditorModally) {
    for (int opening = 0; opening < 2; ++opening) {
        QString seen;
        QTimer poll;
        // Waits for the modal window to show, looks at it, changes it, closes it.
        QObject::connect(&poll, &QTimer::timeout, [&] {
            ImageEditorWindow* w = ImageEditorWindow::loaded();
            if (!w || !w->isVisible()) return;
            poll.stop();
            seen = QStringLiteral("%1|%2|%3").arg(w->isModal()).arg(w->cobSetSize->currentText(), w->windowTitle());
            w->editor.SelectSizeEntry(QStringLiteral("80×80 (像素)"));
            w->reject();
        });
        poll.start(10);
        CommandWindows::program().imageEditor(nullptr);
        EXPECT_EQ(seen, QStringLiteral("1|600×450 (像素)|图像编辑"));
        EXPECT_EQ(ImageEditorWindow::loaded(), nullptr);
    }
}

TEST_F(EditorWindow, DesignedControlsAndEveryHookSet) {
    ImageEditorWindow w;
    EXPECT_TRUE(UnsetRequiredHooks(w.editor.view).isEmpty());
    EXPECT_EQ(w.cobSetSize->count(), 16);
    EXPECT_EQ(w.cobSetSize->itemText(15), QStringLiteral("其它大小"));
    EXPECT_EQ(w.cobSetSize->itemText(11), QStringLiteral("139×120 (像素)"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("设置图像大小(宽度×高度)"));
    EXPECT_EQ(w.cmdOtherSize->text(), QStringLiteral("其它"));
    EXPECT_EQ(w.cmdOtherSize->parentWidget(), w.fraWebTools);
    EXPECT_EQ(w.labOtherSize->parentWidget(), w.fraWebTools);
    EXPECT_EQ(w.cmdSetSizeYes->text(), QStringLiteral("&Y.确认"));
    EXPECT_EQ(w.cmdSetSizeCancel->text(), QStringLiteral("&C.取消"));
    EXPECT_EQ(w.tooPicOpen->toolTip(), QStringLiteral("打开需要编辑的图像文件"));
    EXPECT_EQ(w.tooPicSave->toolTip(), QStringLiteral("保存"));
    for (QWidget* panel : {static_cast<QWidget*>(w.picSetSize), static_cast<QWidget*>(w.picAddText),
                           static_cast<QWidget*>(w.picSetWaterMark), static_cast<QWidget*>(w.picHelp)})
        EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(w.staPicInfo->findChildren<QLabel*>().size(), 2);
    for (QComboBox* fonts : w.cobFont) EXPECT_EQ(fonts->count(), EditorFontNames().size());
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);
    // The design's outer size gives the work area 13185 × 8385 twips.
    EXPECT_EQ(w.outerWidthTwips(), 15480);
    EXPECT_EQ(w.outerHeightTwips(), 11190);
    EXPECT_EQ(w.picFrame->size(), QSize(879, 559));
    EXPECT_EQ(w.editor.MeasuredTwipsPerPixel, 15);
}

TEST_F(EditorWindow, OpensMaximisedOnASmallScreen) {
    SmallScreen = true;
    ImageEditorWindow w;
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    // The canvas starts as high as the maximised window.
    EXPECT_EQ(w.editor.canvas.height, w.outerHeightTwips());
    EXPECT_EQ(w.outerHeightTwips(), twips::FromPixels(w.screen()->availableGeometry().height()));
}

TEST_F(EditorWindow, ATooSmallWindowKeepsItsLastLayout) {
    ImageEditorWindow w;
    w.show();
    const QSize work = w.picFrame->size();
    w.resize(100, 100);
    QTRY_COMPARE(w.size(), QSize(100, 100));
    EXPECT_EQ(w.picFrame->size(), work);
    // A larger window again lays the work area out: 1100 × 800 pixels less the margins.
    w.resize(1100, 800);
    QTRY_COMPARE(w.picFrame->size(), QSize((16500 + 120 - 2295) / 15, (12000 + 510 - 2805) / 15));
}

TEST_F(EditorWindow, OpensAPictureAndSavesTheFrameAsAJpegOfItsSize) {
    ImageEditorWindow w;
    const QString source = openPicture(w, QSize(300, 500), Qt::darkCyan);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("图像编辑[") + source + QStringLiteral("]"));
    EXPECT_EQ(w.cobSetSize->currentText(), QStringLiteral("450×600 (像素)"));

    prompts.answerText(root() + QStringLiteral("/result"));
    w.tooPicSave->trigger();
    const QString saved = root() + QStringLiteral("/result.jpg");
    EXPECT_EQ(QImageReader(saved).size(), QSize(450, 600));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("图像编辑[") + saved + QStringLiteral("]"));
    // The frame region's centre is the picture's centre.
    const QImage result(saved);
    const QColor centre = result.pixelColor(225, 300);
    EXPECT_NEAR(centre.green(), QColor(Qt::darkCyan).green(), 8);
    EXPECT_NEAR(centre.red(), 0, 8);
}

TEST_F(EditorWindow, EnterMovesFromWidthToHeightAndThenApplies) {
    ImageEditorWindow w;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::mouseClick(w.cmdOtherSize, Qt::LeftButton);
    EXPECT_TRUE(w.picSetSize->isVisible());
    EXPECT_EQ(w.labMaxWidth->text(), QStringLiteral("1010"));
    QTRY_VERIFY(w.txtSizeW->hasFocus());
    w.txtSizeW->setText(QStringLiteral("320"));
    w.txtSizeH->setText(QStringLiteral("old"));
    QTest::keyClick(w.txtSizeW, Qt::Key_Return);
    QTRY_VERIFY(w.txtSizeH->hasFocus());
    EXPECT_EQ(w.txtSizeH->selectedText(), QStringLiteral("old"));
    w.txtSizeH->setText(QStringLiteral("240"));
    QTest::keyClick(w.txtSizeH, Qt::Key_Enter);
    EXPECT_TRUE(w.isVisible());  // Enter reached no default button
    EXPECT_TRUE(w.picSetSize->isHidden());
    EXPECT_EQ(w.labOtherSize->text(), QStringLiteral("320×240 (像素)"));
    EXPECT_EQ(w.cobSetSize->currentText(), QStringLiteral("其它大小"));
    EXPECT_EQ(w.editor.canvas.shaCut.size(), QSizeF(4800, 3600));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(EditorWindow, TheToolsAndTheHelpPanelAsDesigned) {
    ImageEditorWindow w;
    EXPECT_TRUE(w.cobMoveStep->isEditable());
    EXPECT_EQ(w.cobMoveStep->currentText(), QStringLiteral("2"));
    EXPECT_EQ(w.cobMoveStep->count(), 8);
    EXPECT_EQ(w.cobMoveStep->itemText(0), QStringLiteral("0.5"));
    EXPECT_EQ(w.cobStep->currentText(), QStringLiteral("1.1"));
    EXPECT_EQ(w.cobStep->itemText(5), QStringLiteral("2.5"));
    EXPECT_EQ(w.sli1->minimum(), -100);
    EXPECT_EQ(w.sli1->maximum(), 100);
    QStringList captions;
    for (const QLabel* l : w.fraWebTools->findChildren<QLabel*>()) captions << l->text();
    for (const char* c : {"每次移动距离", "毫米", "每次缩放倍数", "倍", "缩小", "放大", "剪裁图像", "插入边框", "插入图片"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(c))) << c;
    EXPECT_EQ(w.imgSetBorder->property("key").toString(), QStringLiteral("AddBorder"));
    EXPECT_EQ(w.chePicBorder->text(), QStringLiteral("边框"));
    EXPECT_TRUE(w.chePicBorder->isHidden());
    // The strips start on page 1 without their previous arrows.
    EXPECT_TRUE(w.imgAD[0]->isHidden() && w.imgAD[2]->isHidden());
    EXPECT_FALSE(w.imgAD[1]->isHidden() || w.imgAD[3]->isHidden());
    EXPECT_EQ(w.labADPage1->text() + w.labADPage2->text(), QStringLiteral("11"));
    EXPECT_TRUE(w.TimerAD->isActive());
    EXPECT_EQ(w.TimerAD->interval(), 20000);

    EXPECT_EQ(w.Label10[0]->text(), HelpLines()[0].text);
    EXPECT_TRUE(w.Label10[0]->font().bold());
    EXPECT_EQ(w.Label10[2]->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_NE(w.Label10[1]->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(w.cmdCloseHelp->text(), QStringLiteral("&C.关 闭"));
    EXPECT_EQ(w.picCloseHelp->pixmap().size(), QSize(19, 19));
    EXPECT_EQ(w.Image1->size(), QSize(22, 22));
    EXPECT_EQ(w.Image2->size(), QSize(23, 22));
    w.show();
    QTest::mouseClick(w.cmdHelp, Qt::LeftButton);
    EXPECT_TRUE(w.picHelp->isVisible());
    QTest::mouseClick(w.picCloseHelp, Qt::LeftButton);
    EXPECT_FALSE(w.picHelp->isVisible());
    QTest::mouseClick(w.cmdHelp, Qt::LeftButton);
    QTest::mouseClick(w.cmdCloseHelp, Qt::LeftButton);
    EXPECT_FALSE(w.picHelp->isVisible());
}

TEST_F(EditorWindow, TheStripsShowTheServicesPagesAndFollowTheWindow) {
    SetLoginField(6, QStringLiteral("www12"));
    SetLoginField(11, QStringLiteral("key7"));
    // The emulator answers the advertisement host (started before the program's first browser).
    const QString ad = QStringLiteral("http://ad.") + Emulator::instance().domain() + QStringLiteral("/pwtd/");
    ImageEditorWindow w;
    w.show();
    EXPECT_TRUE(w.webAD1->LocationURL().startsWith(ad));
    QTRY_VERIFY_WITH_TIMEOUT(w.webAD1->hasDocument() && !w.webAD1->isLoading(), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(w.webAD2->hasDocument() && !w.webAD2->isLoading(), 60000);
    const QString left = w.webAD1->documentTextSync();
    const QString top = w.webAD2->documentTextSync();
    // Ten pages each, the last one too, with the member's keys.
    for (const QString& page : {left, top}) EXPECT_TRUE(page.contains(QStringLiteral("网络空间：存放更多的照片。")));
    for (WebBrowser* b : {w.webAD1, w.webAD2}) {
        EXPECT_EQ(b->runScriptSync(QStringLiteral("document.body.dataset.k1")).toString(), QStringLiteral("key7"));
        EXPECT_EQ(b->runScriptSync(QStringLiteral("document.body.dataset.k2")).toString(), QStringLiteral("www12"));
    }
    // Laid side by side in the left strip's page width, one under another in the top strip's height.
    const QString leftHtml = QString::fromUtf8(Emulator::instance().get(w.webAD1->LocationURL()).body);
    const QString topHtml = QString::fromUtf8(Emulator::instance().get(w.webAD2->LocationURL()).body);
    EXPECT_EQ(leftHtml.count(QStringLiteral("class=\"page\"")), 10);
    EXPECT_TRUE(leftHtml.contains(QStringLiteral("float:left;width:141px")));
    EXPECT_EQ(topHtml.count(QStringLiteral("class=\"page\"")), 10);
    EXPECT_TRUE(topHtml.contains(QStringLiteral(".page{height:122px")));

    // A turn of the timer moves the left page sideways and the top one upwards.
    const QPoint leftAt = w.webAD1->pos();
    const QPoint topAt = w.webAD2->pos();
    QMetaObject::invokeMethod(w.TimerAD, "timeout");
    EXPECT_EQ(w.webAD1->pos(), leftAt - QPoint(2115 / 15, 0));
    EXPECT_EQ(w.webAD2->pos(), topAt - QPoint(0, 1830 / 15));
    EXPECT_EQ(w.labADPage1->text(), QStringLiteral("2"));
    EXPECT_FALSE(w.imgAD[0]->isHidden());
    QTest::mouseClick(w.imgAD[0], Qt::LeftButton);
    EXPECT_EQ(w.webAD1->pos(), leftAt);
    EXPECT_TRUE(w.imgAD[0]->isHidden());

    w.resize(1100, 800);
    QTRY_COMPARE(w.picAD2->width(), w.picFrame->width());
    EXPECT_EQ(w.Picture9->x(), w.picAD2->width() - 405 / 15);
    EXPECT_EQ(w.picAD1->height(), (12000 + 510 - 900) / 15);
}

TEST_F(EditorWindow, DraggingThePictureWithTheMouseAndClosingWithThePicture) {
    ImageEditorWindow w;
    openPicture(w, QSize(100, 80), Qt::darkRed);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRectF before = w.editor.canvas.imgPic.rect;
    const QPoint press = (before.topLeft() / 15).toPoint() + QPoint(10, 10);
    QTest::mousePress(w.picPic, Qt::LeftButton, {}, press);
    EXPECT_TRUE(w.editor.PictureDragging);
    EXPECT_EQ(w.picPic->cursor().shape(), Qt::SizeAllCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(press + QPoint(30, 0)), w.picPic->mapToGlobal(QPointF(press + QPoint(30, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.picPic, &move);
    QTest::mouseRelease(w.picPic, Qt::LeftButton, {}, press + QPoint(30, 0));
    EXPECT_FALSE(w.editor.PictureDragging);
    EXPECT_EQ(w.picPic->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.editor.canvas.imgPic.rect.center(), QPointF(press + QPoint(30, 0)) * 15);

    // A code-set slider value moves nothing; the member's move zooms.
    w.editor.sli1 = 40;
    w.editor.view.refresh();
    EXPECT_EQ(w.sli1->value(), 40);
    EXPECT_EQ(w.editor.canvas.imgPic.rect.size(), before.size());
    w.sli1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w.editor.canvas.imgPic.rect.width(), before.width() * 141 / 100);

    QTest::mousePress(w.picBack, Qt::LeftButton);
    EXPECT_EQ(w.picBack->frameShape(), QFrame::Box);
    QTest::mouseRelease(w.picBack, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

}  // namespace
