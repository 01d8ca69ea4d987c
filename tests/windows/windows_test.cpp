// Every window the main window's commands open, as a new member meets them (first-run tutorials
// and hints showing) on the screen the test runs on: ctest runs this program on offscreen screens
// of 1366x768 and of 1024x768. No label, button, list or column header cuts its text, no control
// lies outside its window, no tutorial panel or hint box covers a control; and the tool tips the
// windows' pictures and buttons carry.
#include "blogs/microbloglist.h"
#include "blogs/ui/microbloglistwindow.h"
#include "celleditor/ui/celleditorwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "platform/eventwait.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/windowgeometry.h"
#include "support/emulatorfixture.h"
#include "support/rendererlimit.h"
#include "support/windowtour.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QToolButton>

#include <algorithm>

using namespace testsupport;

namespace {

[[maybe_unused]] const bool kRendererLimit = LimitRendererProcesses();

class WindowTour : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        ASSERT_TRUE(LogInDemoMember());
        main = frm个人网站::loaded();
        ASSERT_TRUE(main);
        // A maximised window gets its screen's room from the window system a moment after it shows.
        ASSERT_TRUE(WaitUntil(
            [this] {
                return main->isVisible() &&
                       (!main->isMaximized() || main->frameGeometry() == main->screen()->availableGeometry());
            },
            30000));
    }
    void TearDown() override {
        frm个人网站::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EmulatorTest::TearDown();
    }

    // The main window's buttons and the windows they open.
    QList<std::pair<QAbstractButton*, QString>> commands() const {
        frm个人网站& w = *main;
        return {
            {w.cmdEdit.value(4), "cell editor"},        {w.cmdEdit.value(10), "preface editor"},
            {w.cmdEdit.value(37), "colour dialog"},     {w.cmdSetMusic, "music editor"},
            {w.cmdUploadAreaPic[0], "sized upload"},   {w.cmdUploadPic, "upload window"},
            {w.cmdSetPhotoBox, "album settings"},      {w.cmdBlogMag, "blog list"},
            {w.cmdWriteBlog, "blog writer"},           {w.cmdTblogMag, "micro-blog list"},
            {w.cmdWriteTBlog, "micro-blog writer"},    {w.cmdPicManage, "file manager"},
            {w.cmdPicEdit, "image editor"},            {w.cmdTemplate, "template chooser"},
            {w.cmdViewMyMBSite, "mobile site"},        {w.cmdSetUserInfo, "member information"},
            {w.cmdEncrypt, "home-page protection"},    {w.cmdRegDomain, "domain registration"},
        };
    }

    frm个人网站* main = nullptr;
};

TEST_F(WindowTour, NoWindowCutsATextLeavesAControlOutsideOrCoversOne) {
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    SCOPED_TRACE(QStringLiteral("screen %1x%2").arg(screen.width()).arg(screen.height()).toStdString());
    QStringList problems = WindowProblems(main);
    for (const auto& [button, name] : commands()) {
        ASSERT_TRUE(button) << name.toStdString();
        const int seen = VisitWindows([b = button] { b->click(); }, [&](QWidget* w) {
            problems << WindowProblems(w);
            if (auto* list = dynamic_cast<MicroBlogListWindow*>(w))
                problems << windowgeometry::CellTextProblems(list->grdBlogList, microbloglist::kTimeColumn);
            // The windows the cell editor's foreground buttons open: the materials library and,
            // after the picture's capture, the text-on-a-picture dialog.
            if (auto* editor = dynamic_cast<CellEditorWindow*>(w)) {
                const std::pair<QAbstractButton*, QString> opens[] = {{editor->cmdQJSC, QStringLiteral("素材库")},
                                                                      {editor->cmdQJXZ, QStringLiteral("在图片上写字")}};
                for (const auto& [b, title] : opens) {
                    QStringList titles;
                    VisitWindows([b = b] { b->click(); }, [&](QWidget* d) {
                        titles << d->windowTitle();
                        problems << WindowProblems(d);
                    });
                    EXPECT_TRUE(titles.contains(title)) << title.toStdString() << " did not open";
                }
            }
        });
        EXPECT_GE(seen, 1) << name.toStdString() << " did not open";
    }
    EXPECT_EQ(problems.join(QLatin1Char('\n')).toStdString(), "");
}

// Every tool tip text a window must carry: found on one of its widgets or tool-bar actions.
TEST_F(WindowTour, TheWindowsCarryTheirToolTips) {
    const QString domain = QStringLiteral("www.demosite.") + Emulator::instance().domain();
    const struct {
        QString window;  // a command of commands(), or "main window"
        QStringList tips;
    } cases[] = {
        {"main window", {"免费使用条款", "给您的网络空间续费", domain}},
        {"upload window", {"逆时针旋转90度", "顺时针旋转90度", "关闭当前的设置页"}},
        {"music editor", {"粘贴"}},
        {"album settings", {"上传图像到相册中", "把相册移出首页相册框，但不删除相册(今后仍可移入首页相册框)。"}},
        {"blog writer",
         {"另起一行（切行）", "把上传到网络服务器中的图片相册插入到模板中。", "把上传到网络服务器中的图片插入到模板中。",
          "把图片上传到网络服务器中", "关闭相册", "在IE浏览器中预览当前编辑的网页", "复制", "剪切", "粘贴", "删除", "粗体",
          "斜体", "下划线", "删除线", "左对齐", "居中", "右对齐", "设置字符颜色", "设置字符的背景颜色", "序号符", "项目符",
          "上标", "下标", "插入线条", "另起一行(切行)", "创建链接", "删除链接"}},
        {"micro-blog writer",
         {"把上传到网络服务器中的图片插入到模板中。", "把图片上传到网络服务器中", "点击可按实际大小预览该图"}},
        {"file manager",
         {"把图片上传到网络服务器中", "关闭", "插入或复制网址的图像的大小为原图的实际大小。",
          "插入或复制网址的图像的大小为缩略图的大小。", "把此文件的网络地址复制到剪贴板中", "点击把图片插入到模板中",
          "重新上传此文件", "编辑图片描述信息"}},
        {"image editor", {"打开需要编辑的图像文件", "保存", "清空文本框中的水印文字"}},
    };
    const auto tipsOf = [](const QWidget* w) {
        QSet<QString> tips;
        for (const QWidget* c : w->findChildren<QWidget*>()) tips.insert(c->toolTip());
        for (const QAction* a : w->findChildren<QAction*>()) tips.insert(a->toolTip());
        tips.insert(w->toolTip());
        return tips;
    };
    const auto commandList = commands();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window.toStdString());
        QSet<QString> tips;
        if (c.window == QLatin1String("main window")) {
            tips = tipsOf(main);
        } else {
            auto it = std::find_if(commandList.begin(), commandList.end(), [&](const auto& p) { return p.second == c.window; });
            ASSERT_NE(it, commandList.end());
            ASSERT_GE(VisitWindows([b = it->first] { b->click(); }, [&](QWidget* w) { tips.unite(tipsOf(w)); }), 1);
        }
        for (const QString& tip : c.tips) EXPECT_TRUE(tips.contains(tip)) << tip.toStdString();
    }
}

}  // namespace
