// The image editor window offscreen: opened by its opener, its design, the toolbar's Open and Save
// with scripted prompts, the size panel's keys.
#include <gtest/gtest.h>

#include "login/state.h"
#include "mainwindow/commands.h"
#include "imageeditor/ui/imageeditorwindow.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "support/fixtures.h"

#include <QAction>
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

using EditorWindow = DataRootTest;

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
    QImage tall(300, 500, QImage::Format_RGB32);
    tall.fill(Qt::darkCyan);
    const QString source = root() + QStringLiteral("/tall.bmp");
    ASSERT_TRUE(tall.save(source));
    prompts.answerText(source);
    w.tooPicOpen->trigger();
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

}  // namespace
