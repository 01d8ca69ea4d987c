// The micro-blog writer's window: its designed state and wiring, typing into the real text box,
// posting and closing, and the attached picture shown through the viewer's page.
#include <gtest/gtest.h>

#include "blogs/ui/blogs_entry.h"
#include "blogs/ui/microblogwriterwindow.h"
#include "hostedfiles/ui/pictureviewerwindow.h"
#include "hostedfiles/viewpage.h"
#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"
#include "state/sitestate.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#ifdef TAVOLIN_HAVE_EMULATOR

using namespace testsupport;

namespace {

class MicroBlogWriterWindowTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        QDir().mkpath(paths::InRoot(QStringLiteral("data")));
        DialogState = 0;
    }
};

}  // namespace

TEST_F(MicroBlogWriterWindowTest, OpensInItsDesignedStateWithEveryHookSet) {
    EXPECT_EQ(MicroBlogWriterWindow::loaded(), nullptr);
    MicroBlogWriterWindow w;
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty()) << UnsetRequiredHooks(w.logic.view).join(',').toStdString();
    EXPECT_EQ(MicroBlogWriterWindow::loaded(), &w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("编写微博"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("三言两语，现场记录，发发感慨，晒晒心情"));
    EXPECT_TRUE(w.txtText->toPlainText().isEmpty());
    EXPECT_EQ(w.labTxtNum->text(), QStringLiteral("140"));
    EXPECT_TRUE(w.imgView->isHidden());
    EXPECT_TRUE(w.cmdCancelPic->isHidden());
    EXPECT_TRUE(w.logic.labImgURL.isEmpty());
    EXPECT_EQ(w.cmdCancelPic->text(), QStringLiteral("&C.取消图片"));
    EXPECT_EQ(w.cmdUpload->text(), QStringLiteral("&Y.发 布"));
    EXPECT_EQ(w.imgView->toolTip(), QStringLiteral("点击可按实际大小预览该图"));
    EXPECT_EQ(w.picInputPicture->toolTip(), QStringLiteral("把上传到网络服务器中的图片插入到模板中。"));
    EXPECT_EQ(w.picUpLoadPicture->toolTip(), QStringLiteral("把图片上传到网络服务器中"));
    EXPECT_TRUE(w.picNetToService->isHidden());
    EXPECT_EQ(w.picNetToService->text(), QStringLiteral("正在处理数据，请您稍候..."));
}

TEST_F(MicroBlogWriterWindowTest, TypingAndPastingAreCutInTheBoxWithTheCaretAtTheEnd) {
    MicroBlogWriterWindow w;
    w.show();
    QTest::keyClicks(w.txtText, QStringLiteral("ab"));
    EXPECT_EQ(w.labTxtNum->text(), QStringLiteral("139"));
    QTest::keyClick(w.txtText, Qt::Key_Return);
    EXPECT_EQ(w.txtText->toPlainText(), QStringLiteral("ab\n"));
    EXPECT_EQ(w.labTxtNum->text(), QStringLiteral("138"));

    // A paste of 300 bytes at the start keeps the first 280 bytes of the whole text.
    w.txtText->moveCursor(QTextCursor::Start);
    w.txtText->insertPlainText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(w.txtText->toPlainText(), QString(280, QLatin1Char('x')));
    EXPECT_EQ(w.labTxtNum->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtText->textCursor().position(), 280);
    // Typing on at the limit changes nothing.
    QTest::keyClicks(w.txtText, QStringLiteral("y"));
    w.txtText->insertPlainText(QStringLiteral("中"));
    EXPECT_EQ(w.txtText->toPlainText(), QString(280, QLatin1Char('x')));
}

TEST_F(MicroBlogWriterWindowTest, ClosingAsksAboutUnpostedTextAndAPostClosesWith99WithoutAsking) {
    MicroBlogWriterWindow w;
    w.show();
    w.txtText->setPlainText(QStringLiteral("一句话"));
    prompts.answer(vbCancel);
    w.close();  // the title bar's close
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("微博内容尚未发布，确定要退出吗？")});

    prompts.clear();
    emulator().scriptReply(QStringLiteral("UploadTBlog"), QStringLiteral("OK_0001"));
    w.cmdUpload->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("微博提交成功！")});
    ASSERT_EQ(emulator().calls(QStringLiteral("UploadTBlog")).size(), 1);
    EXPECT_EQ(emulator().calls(QStringLiteral("UploadTBlog"))[0].args[3], QStringLiteral("一句话"));
}

TEST_F(MicroBlogWriterWindowTest, TheOpenerShowsTheWriterModallyAndItsDefaultInstanceTakesAPicture) {
    const QString address = QStringLiteral("http://img1.x.test/旅行/a.gif");
    QImage thumbnail(40, 30, QImage::Format_RGB32);
    thumbnail.fill(Qt::blue);
    bool attached = false;
    ModalWatcher<MicroBlogWriterWindow> watcher([&](MicroBlogWriterWindow* w) {
        attached = AttachToMicroBlogWriter(thumbnail, address);
        EXPECT_FALSE(w->imgView->isHidden());
        EXPECT_EQ(w->imgView->pixmap().toImage().convertToFormat(QImage::Format_RGB32), thumbnail);
        EXPECT_FALSE(w->cmdCancelPic->isHidden());
        EXPECT_EQ(w->logic.labImgURL, address);
        w->cmdCancelPic->click();
        EXPECT_TRUE(w->imgView->isHidden());
        EXPECT_TRUE(w->logic.labImgURL.isEmpty());
        w->close();
    });
    OpenMicroBlogWriter(nullptr);
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_TRUE(attached);
    // Without an open writer nothing takes it.
    EXPECT_FALSE(AttachToMicroBlogWriter(thumbnail, address));
    EXPECT_EQ(DialogState, 0);
}

TEST_F(MicroBlogWriterWindowTest, ClickingTheAttachedPictureShowsItThroughTheViewerPage) {
    MicroBlogWriterWindow w;
    w.show();
    const QString address = QStringLiteral("http://img1.x.test/旅行/my pic.jpg");
    w.logic.AttachPicture(QImage(), address);
    QByteArray page;
    bool onThePage = false;
    ModalWatcher<PictureViewerWindow> watcher([&](PictureViewerWindow* viewer) {
        page = readFile(ViewerPagePath());
        const QString shown = QUrl(viewer->webViewPic->LocationURL()).toLocalFile();
        onThePage = !shown.isEmpty() &&
                    QFileInfo(shown).canonicalFilePath() == QFileInfo(ViewerPagePath()).canonicalFilePath();
        viewer->cmdClose_Click();
    });
    QTest::mouseClick(w.imgView, Qt::LeftButton);
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(page, ViewerPageBytes(address));
    EXPECT_TRUE(onThePage);
    // The viewer's going removed the page.
    EXPECT_FALSE(QFileInfo::exists(ViewerPagePath()));
}

#endif  // TAVOLIN_HAVE_EMULATOR
