// Makes the main window's tutorial movie: logs the emulator's demo member in, shows the main window
// offscreen, saves screenshots of it as the slides and writes the descriptor "msvcr80.dll", whose
// scenes highlight the controls each chapter teaches. Run by hand (see README); the output ships.
//   tavolin_mkslides <output folder>
#include "emulator/emulator.h"
#include "platform/eventwait.h"
#include "login/ui/loginwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/browserenvironment.h"
#include "platform/flashmovie.h"
#include "platform/programend.h"
#include "platform/serviceconfig.h"
#include "platform/ui/windowsplatform.h"
#include "tutorial/teachplayer.h"
#include "tutorial/ui/tutorial_entry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <functional>

namespace {

struct Chapter {
    QWidget* control;  // null: the whole window
    const char* caption;
    QString slide = {};  // where it is shown whole
    QRect rect = {};
};

int Fail(const char* what) {
    std::fprintf(stderr, "tavolin_mkslides: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-gpu");
    QTemporaryDir home;
    qputenv("TAVOLIN_HOME", home.path().toLocal8Bit());
    PrepareWindowsEnvironment();  // the slides drawn as the program draws its windows
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 2) return Fail("usage: tavolin_mkslides <output folder>");
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists()) return Fail("the output folder does not exist");
    InstallWindowsPlatform();
    InstallTutorialPlayers();
    programend::SetHandler([] {});

    QTemporaryDir serviceData;
    emu::Options options;
    options.dataDir = serviceData.path();
    emu::Emulator service(options);
    if (!service.listen()) return Fail("the emulator cannot listen");
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), service.port()));
    ServiceConfig config = ServiceConfig::defaults();
    config.domain = service.hosts().domain;
    config.proxy = QStringLiteral("127.0.0.1:%1").arg(service.port());
    serviceconfig::set(config, true);

    const emu::DemoMember demo = emu::ServiceLogic::Demo();
    frmLogin* login = ShowLoginWindow();
    login->Timer1->stop();
    while (!login->picLogin->isEnabled()) login->Timer1_Timer();
    login->cobUser->setEditText(demo.name);
    login->txtPassword->setText(demo.password);
    login->cmdLogin_Click();
    frm个人网站* w = frm个人网站::loaded();
    if (!w) return Fail("the demo member's login did not open the main window");
    w->setWindowState(Qt::WindowNoState);
    w->resize(1024, 720);
    if (!w->teachpicTeach->isHidden()) w->cmdCloseTeach_Click();
    if (!WaitUntil([w] { return w->siteBrowsersLoaded() == 37 && w->firstTickDone(); }, 90000))
        return Fail("the site pages did not load");
    if (w->picOpeMsg->isVisible()) w->cmdClosOpeMsg_Click();

    QWidget* firstEdit = w->cmdEdit.isEmpty() ? nullptr : w->cmdEdit.first();
    QWidget* domain = w->txtDomainName->isVisible() ? static_cast<QWidget*>(w->cmdRegDomain) : w->cmdEncrypt;
    Chapter chapters[] = {
        {nullptr, "欢迎使用Tavolin！这套教程分16页，带您认识主窗口：在这里搭建、预览并发布您的个人网站。"},
        {w->picFrame, "窗口下方就是您的网站：整个页面由33个单元格组成，每个单元格显示网站的一部分。"},
        {firstEdit, "每个单元格角上都有编辑按钮：点击它，可以设置这个单元格的背景、前景图片或Flash和文字。"},
        {w->cmdUploadAreaPic[0], "区域按钮：为一整块区域换上背景图片和颜色。"},
        {w->cmdWriteBlog, "写博客：在编辑器里写好文章，发布后显示在网站的博客栏目中。"},
        {w->cmdBlogMag, "博客管理：查看、修改或删除已经发布的博客文章。"},
        {w->cmdWriteTBlog, "写微博：随时写下一句话，配上图片，显示在网站的微博栏目中。"},
        {w->cmdSetPhotoBox, "首页相册：选择在网站首页展示哪些相册。"},
        {w->cmdTemplate, "网站模板：挑选一套现成的模板，一次换掉整个网站的样式。"},
        {w->cmdSetMusic, "背景音乐：为网站配上音乐和歌词。"},
        {w->cmdUploadPic, "上传图片：把电脑里的照片上传到您的相册，可以加水印和边框。"},
        {w->cmdPicManage, "文件管理：浏览相册里的图片和文件，复制链接，或插入到文章中。"},
        {w->cmdPicEdit, "图像编辑：裁剪、缩放图片，添加文字和边框，保存为JPEG图片。"},
        {domain, "域名与首页加密：注册网站域名后才能发布网站；还可以为首页设置问题和答案。"},
        {w->cmdViewMySite, "每次修改确认后，网站会自动发布。点击“浏览网站”，看看发布后的效果。"},
        {w->cmdOpenTeach, "教程随时可以关闭，需要时点击“打开教程”再看一遍。祝您建站愉快！"},
    };

    // One slide per scroll position of the site; each chapter takes the first slide that shows
    // its control whole, the whole window of the first slide otherwise.
    const int positions[] = {0, w->vscWeb->maximum() / 3, w->vscWeb->maximum() * 2 / 3, w->vscWeb->maximum()};
    QStringList slideNames;
    for (int i = 0; i < 4; ++i) {
        w->vscWeb->setValue(positions[i]);
        WaitUntil([] { return false; }, 2500);  // the renderers paint
        const QImage shot = w->grab().toImage();
        const QString name = QStringLiteral("tutorial-main-%1.png").arg(i + 1);
        if (shot.isNull() || !shot.save(out.filePath(name))) return Fail("a slide cannot be saved");
        slideNames << name;
        for (Chapter& c : chapters) {
            if (!c.slide.isEmpty()) continue;
            if (!c.control) {
                c.slide = name;
                c.rect = shot.rect();
                continue;
            }
            const QRect r(c.control->mapTo(w, QPoint(0, 0)), c.control->size());
            const QRect viewport(w->picFrame->mapTo(w, QPoint(0, 0)), w->picFrame->size());
            const bool inCanvas = w->picFrame->isAncestorOf(c.control);
            if (c.control->isVisibleTo(w) && shot.rect().contains(r) && (!inCanvas || viewport.contains(r))) {
                c.slide = name;
                c.rect = r;
            }
        }
    }
    for (Chapter& c : chapters) {
        if (c.slide.isEmpty()) {
            std::fprintf(stderr, "tavolin_mkslides: no slide shows the control of \"%s\"\n", c.caption);
            c.slide = slideNames.first();
            c.rect = QRect(QPoint(0, 0), w->size());
        }
    }

    const TeachHost& host = teachhosts::MainWindow();
    FlashMovie movie;
    movie.totalFrames = host.starts.last() + 3;
    movie.rate = 12;
    for (int k = 0; k < host.chapterCount(); ++k) {
        const Chapter& c = chapters[k];
        FlashScene scene;
        scene.firstFrame = k == 0 ? 0 : host.starts[k - 1];
        scene.lastFrame = k + 1 < host.chapterCount() ? host.starts[k] - 1 : movie.totalFrames - 1;
        scene.slide = c.slide;
        scene.highlight = c.rect;
        scene.caption = QString::fromUtf8(c.caption);
        movie.scenes << scene;
    }
    QFile descriptor(out.filePath(host.movie));
    if (!descriptor.open(QIODevice::WriteOnly) || descriptor.write(WriteTutorialDescriptor(movie)) < 0)
        return Fail("the movie cannot be written");
    descriptor.close();
    std::printf("wrote %s and %s\n", qPrintable(out.filePath(host.movie)), qPrintable(slideNames.join(QStringLiteral(", "))));
    frm个人网站::unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
