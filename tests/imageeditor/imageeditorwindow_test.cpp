// The image editor window offscreen: opened by its opener, its design, the toolbar's Open and Save
// with scripted prompts, the size panel's keys.
#include <gtest/gtest.h>

#include "state/loginstate.h"
#include "mainwindow/commands.h"
#include "imageeditor/ui/imageeditorwindow.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"
#include "support/emulatorfixture.h"
#include "support/eventually.h"
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
#include <QPlainTextEdit>
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
            w->editor.output.SelectSizeEntry(QStringLiteral("80×80 (像素)"));
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
    EXPECT_EQ(w.editor.layers.MeasuredTwipsPerPixel, 15);
}

TEST_F(EditorWindow, OpensMaximisedOnASmallScreen) {
    SmallScreen = true;
    ImageEditorWindow w;
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    // The canvas starts as high as the maximised window.
    EXPECT_EQ(w.editor.layers.canvas.height, w.outerHeightTwips());
    EXPECT_EQ(w.outerHeightTwips(), twips::FromPixels(w.screen()->availableGeometry().height()));
}

TEST_F(EditorWindow, ATooSmallWindowKeepsItsLastLayout) {
    ImageEditorWindow w;
    w.show();
    const QSize work = w.picFrame->size();
    w.resize(100, 100);
    ASSERT_EVENTUALLY_EQ(w.size(), QSize(100, 100));
    EXPECT_EQ(w.picFrame->size(), work);
    // A larger window again lays the work area out: 1100 × 800 pixels less the margins.
    w.resize(1100, 800);
    ASSERT_EVENTUALLY_EQ(w.picFrame->size(), QSize((16500 + 120 - 2295) / 15, (12000 + 510 - 2805) / 15));
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
    ASSERT_EVENTUALLY(w.txtSizeW->hasFocus());
    w.txtSizeW->setText(QStringLiteral("320"));
    w.txtSizeH->setText(QStringLiteral("old"));
    QTest::keyClick(w.txtSizeW, Qt::Key_Return);
    ASSERT_EVENTUALLY(w.txtSizeH->hasFocus());
    EXPECT_EQ(w.txtSizeH->selectedText(), QStringLiteral("old"));
    w.txtSizeH->setText(QStringLiteral("240"));
    QTest::keyClick(w.txtSizeH, Qt::Key_Enter);
    EXPECT_TRUE(w.isVisible());  // Enter reached no default button
    EXPECT_TRUE(w.picSetSize->isHidden());
    EXPECT_EQ(w.labOtherSize->text(), QStringLiteral("320×240 (像素)"));
    EXPECT_EQ(w.cobSetSize->currentText(), QStringLiteral("其它大小"));
    EXPECT_EQ(w.editor.layers.canvas.shaCut.size(), QSizeF(4800, 3600));
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
    for (const char* c : {"每次移动距离", "毫米", "每次缩放倍数", "倍", "缩小", "放大", "剪裁图像", "设置水印", "插入边框",
                          "插入图片", "插入文字说明", "合并图层"})
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
    ASSERT_EVENTUALLY(w.webAD1->hasDocument() && !w.webAD1->isLoading(), 60000);
    ASSERT_EVENTUALLY(w.webAD2->hasDocument() && !w.webAD2->isLoading(), 60000);
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
    ASSERT_EVENTUALLY_EQ(w.picAD2->width(), w.picFrame->width());
    EXPECT_EQ(w.Picture9->x(), w.picAD2->width() - 405 / 15);
    EXPECT_EQ(w.picAD1->height(), (12000 + 510 - 900) / 15);
}

TEST_F(EditorWindow, DraggingThePictureWithTheMouseAndClosingWithThePicture) {
    ImageEditorWindow w;
    openPicture(w, QSize(100, 80), Qt::darkRed);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRectF before = w.editor.layers.canvas.imgPic.rect;
    const QPoint press = (before.topLeft() / 15).toPoint() + QPoint(10, 10);
    QTest::mousePress(w.picPic, Qt::LeftButton, {}, press);
    EXPECT_TRUE(w.editor.tools.PictureDragging);
    EXPECT_EQ(w.picPic->cursor().shape(), Qt::SizeAllCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(press + QPoint(30, 0)), w.picPic->mapToGlobal(QPointF(press + QPoint(30, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.picPic, &move);
    QTest::mouseRelease(w.picPic, Qt::LeftButton, {}, press + QPoint(30, 0));
    EXPECT_FALSE(w.editor.tools.PictureDragging);
    EXPECT_EQ(w.picPic->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.editor.layers.canvas.imgPic.rect.center(), QPointF(press + QPoint(30, 0)) * 15);

    // A code-set slider value moves nothing; the member's move zooms.
    w.editor.tools.sli1 = 40;
    w.editor.view.refresh();
    EXPECT_EQ(w.sli1->value(), 40);
    EXPECT_EQ(w.editor.layers.canvas.imgPic.rect.size(), before.size());
    w.sli1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(w.editor.layers.canvas.imgPic.rect.width(), before.width() * 141 / 100);

    QTest::mousePress(w.picBack, Qt::LeftButton);
    EXPECT_EQ(w.picBack->frameShape(), QFrame::Box);
    QTest::mouseRelease(w.picBack, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
}

TEST_F(EditorWindow, EveryToolFitsTheColumnAtTheDesignedSize) {
    ImageEditorWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect inside = w.fraWebTools->contentsRect();
    for (const QWidget* child : w.fraWebTools->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        SCOPED_TRACE(child->metaObject()->className());
        EXPECT_TRUE(inside.contains(child->geometry())) << child->geometry().x() << "," << child->geometry().y();
        // A caption shows its whole text.
        const auto* label = qobject_cast<const QLabel*>(child);
        if (label && label->pixmap().isNull()) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << label->text().toStdString();
        }
    }
    EXPECT_LE(w.fraWebTools->geometry().bottom(), w.picFrame->height());
    // The panels lie inside their areas, every control inside its panel.
    EXPECT_TRUE(w.picFrame->rect().contains(w.picSetWaterMark->geometry()));
    EXPECT_EQ(w.picAddText->geometry(), QRect(2160 / 15, 0, 13200 / 15, 1905 / 15));
    for (QWidget* panel : {static_cast<QWidget*>(w.picSetWaterMark), static_cast<QWidget*>(w.picAddText)})
        for (const QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(panel->rect().contains(child->geometry())) << child->metaObject()->className();
}

TEST_F(EditorWindow, TheTextPanelsAsDesigned) {
    ImageEditorWindow w;
    EXPECT_EQ(w.picSetWaterMark->palette().color(QPalette::Window), QColor(188, 252, 101));
    EXPECT_EQ(w.picAddText->palette().color(QPalette::Window), QColor(188, 252, 101));
    EXPECT_EQ(w.Label19[0]->text(), QStringLiteral("水印一"));
    EXPECT_EQ(w.Label19[1]->text(), QStringLiteral("水印二"));
    EXPECT_EQ(w.cmdClearText[1]->toolTip(), QStringLiteral("清空文本框中的水印文字"));
    EXPECT_EQ(w.labWaterMarkHint->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_TRUE(w.labWaterMarkHint->text().startsWith(QStringLiteral("说明：在上面的文本框中输入相关的水印文字后")));
    EXPECT_EQ(w.cmdCloseWaterMark->text(), QStringLiteral("&C.关闭"));
    EXPECT_EQ(w.cmdCloseAddText->text(), QStringLiteral("&C.关闭"));
    EXPECT_EQ(w.Label21->text(), QStringLiteral("请输入文字说明的内容："));
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(w.cobFontSize[i]->count(), 21);
        EXPECT_EQ(w.cobFontSize[i]->itemText(20), QStringLiteral("78"));
        EXPECT_EQ(w.cobFontType[i]->itemText(3), QStringLiteral("粗斜体"));
        EXPECT_TRUE(w.cheBackStyle[i]->isChecked());
        EXPECT_FALSE(w.che3DBorder[i]->isEnabled());
        EXPECT_TRUE(w.cheUnderline[i]->font().underline());
        EXPECT_TRUE(w.cheStrikethru[i]->font().strikeOut());
    }
    for (QSlider* s : {w.sliWidth, w.sliHeight}) {
        EXPECT_EQ(s->maximum(), 8996);
        EXPECT_EQ(s->singleStep(), 1);
        EXPECT_EQ(s->pageStep(), 5);
    }
    EXPECT_EQ(w.txtWidth->text(), QStringLiteral("0"));
    EXPECT_EQ(w.imgText->property("key").toString(), QStringLiteral("AddText"));
}

// A member lays two styled watermarks and a caption, merges, adds more and saves.
TEST_F(EditorWindow, WatermarksAndACaptionAreMergedAndMoreAddedBeforeTheSave) {
    ImageEditorWindow w;
    openPicture(w, QSize(800, 600), QColor(0, 120, 0));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(w.imgAddWaterMark, Qt::LeftButton);
    ASSERT_TRUE(w.picSetWaterMark->isVisible());
    EXPECT_EQ(w.cobFont[0]->currentText(), QStringLiteral("华文彩云"));
    EXPECT_EQ(w.cobFontSize[0]->currentText(), QStringLiteral("15.75"));
    QTest::keyClicks(w.txtWaterMarkLine[0], QStringLiteral("WM1"));
    EXPECT_TRUE(w.editor.layers.canvas.labWaterMark[0].visible);
    EXPECT_EQ(w.editor.layers.canvas.labWaterMark[0].label.text, QStringLiteral("WM1"));
    w.txtWaterMarkLine[1]->setText(QStringLiteral("second"));
    // A choice from the list applies; typing into its field does not.
    w.cobFontType[1]->setEditText(QStringLiteral("斜体"));
    EXPECT_TRUE(w.editor.layers.canvas.labWaterMark[1].label.font.bold());
    w.cobFontType[1]->activated(1);
    EXPECT_FALSE(w.editor.layers.canvas.labWaterMark[1].label.font.bold());
    EXPECT_TRUE(w.editor.layers.canvas.labWaterMark[1].label.font.italic());
    QTest::mouseClick(w.cheBorder[0], Qt::LeftButton);
    EXPECT_TRUE(w.che3DBorder[0]->isEnabled());
    prompts.answerColor(Qt::red);
    QTest::mouseClick(w.cmdSetBackColor[0], Qt::LeftButton);
    EXPECT_FALSE(w.cheBackStyle[0]->isChecked());

    // Dragged by the mouse: the label's centre comes under the pointer.
    CanvasLabel& first = w.editor.layers.canvas.labWaterMark[0];
    const QPoint press = (first.topLeft / 15).toPoint() + QPoint(3, 3);
    QTest::mousePress(w.picPic, Qt::LeftButton, {}, press);
    EXPECT_EQ(w.picPic->cursor().shape(), Qt::SizeAllCursor);
    const QPoint to = (w.editor.layers.canvas.shaCut.topLeft() / 15).toPoint() + QPoint(100, 60);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), w.picPic->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.picPic, &move);
    QTest::mouseRelease(w.picPic, Qt::LeftButton, {}, to);
    EXPECT_FALSE(w.editor.text.TextDragging[0]);
    EXPECT_NEAR(first.topLeft.x() + first.size(15).width() / 2, to.x() * 15, 1);
    // Inside the label's single-line border, above its letters.
    const QPoint redAt = ((first.topLeft - w.editor.layers.canvas.shaCut.topLeft()) / 15).toPoint() + QPoint(2, 2);

    QTest::mouseClick(w.imgText, Qt::LeftButton);
    ASSERT_TRUE(w.picAddText->isVisible());
    EXPECT_EQ(w.txtWidth->text(), QStringLiteral("105"));
    EXPECT_EQ(w.txtHeight->text(), QStringLiteral("23"));
    EXPECT_EQ(w.sliWidth->value(), 5953);
    EXPECT_EQ(w.txtWaterMark2->width(), twips::ToPixels(5953 + 255));
    EXPECT_TRUE(w.cheBorder[2]->isChecked());
    w.txtWaterMark2->setFocus();
    QTest::keyClicks(w.txtWaterMark2, QStringLiteral("ab"));
    QTest::keyClick(w.txtWaterMark2, Qt::Key_Return);
    QTest::keyClicks(w.txtWaterMark2, QStringLiteral("cd"));
    EXPECT_EQ(w.editor.layers.canvas.labWaterMark[2].label.text, QStringLiteral("ab\ncd"));
    EXPECT_TRUE(w.isVisible());
    // The size box refuses, one message a character, and shows what is left.
    w.txtWidth->setText(QStringLiteral("159"));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("宽度不能大于158毫米。")});
    EXPECT_EQ(w.txtWidth->text(), QStringLiteral("15"));
    w.sliHeight->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(w.txtHeight->text(), QStringLiteral("23"));
    EXPECT_EQ(w.sliHeight->value(), 1304);

    QTest::mouseClick(w.imgHBPic, Qt::LeftButton);
    EXPECT_TRUE(w.picAddText->isHidden());
    EXPECT_TRUE(w.picSetWaterMark->isVisible());
    EXPECT_TRUE(w.txtWaterMarkLine[0]->text().isEmpty());
    EXPECT_TRUE(w.txtWaterMark2->toPlainText().isEmpty());
    EXPECT_EQ(w.imgText->property("key").toString(), QStringLiteral("AddText"));
    const QImage merged = w.editor.layers.canvas.imgPic.picture;
    ASSERT_EQ(merged.size(), QSize(600, 450));
    EXPECT_EQ(QColor(merged.pixel(redAt)), QColor(Qt::red));

    // More on top of the merged picture, then the save holds it all.
    w.txtWaterMarkLine[1]->setText(QStringLiteral("more"));
    prompts.answerText(root() + QStringLiteral("/done.jpg"));
    w.tooPicSave->trigger();
    const QImage saved(root() + QStringLiteral("/done.jpg"));
    ASSERT_EQ(saved.size(), QSize(600, 450));
    const QColor red = saved.pixelColor(redAt);
    EXPECT_GT(red.red(), 200);
    EXPECT_LT(red.green(), 60);
}

}  // namespace
