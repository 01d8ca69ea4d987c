// Makes the tutorial movies of the main window, the cell editor, the text-on-a-picture dialog and the
// upload window: logs the emulator's demo member in, shows each window offscreen, saves screenshots
// of it as the slides and writes the window's descriptor ("msvcr80.dll", "MFC80CHS.dll",
// "matca.ocx", "Riched32.dll"), whose scenes highlight the controls each chapter teaches. Run by
// hand (see README); the output ships. Named windows only, or all of them:
//   tavolin_mkslides <output folder> [main] [celleditor] [writetext] [upload]
#include "albums/ui/uploadwindow.h"
#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/writetextwindow.h"
#include "emulator/emulator.h"
#include "foundation/settings.h"
#include "platform/eventwait.h"
#include "login/ui/loginwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/browserenvironment.h"
#include "platform/flashmovie.h"
#include "platform/programend.h"
#include "platform/serviceconfig.h"
#include "platform/ui/flashplayer.h"
#include "platform/ui/windowsplatform.h"
#include "tutorial/teachplayercontroller.h"
#include "tutorial/ui/tutorial_entry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QEventLoop>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
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

// Takes one slide of the window per view (each view sets the window up, its renderers get time to
// paint) and gives each chapter the first slide that shows its control whole, inside the viewport
// when the control sits in it; the whole window of the first slide otherwise.
bool TakeSlides(QWidget* window, QWidget* viewport, const QString& prefix, const QList<std::function<void()>>& views,
                QList<Chapter>& chapters, const QDir& out) {
    QStringList slideNames;
    for (int i = 0; i < views.size(); ++i) {
        views[i]();
        WaitUntil([] { return false; }, 2500);  // the renderers paint
        const QImage shot = window->grab().toImage();
        const QString name = QStringLiteral("tutorial-%1-%2.png").arg(prefix).arg(i + 1);
        if (shot.isNull() || !shot.save(out.filePath(name))) return false;
        slideNames << name;
        for (Chapter& c : chapters) {
            if (!c.slide.isEmpty()) continue;
            if (!c.control) {
                c.slide = name;
                c.rect = shot.rect();
                continue;
            }
            const QRect r(c.control->mapTo(window, QPoint(0, 0)), c.control->size());
            const bool inViewport = viewport && viewport->isAncestorOf(c.control);
            const QRect shown = inViewport ? QRect(viewport->mapTo(window, QPoint(0, 0)), viewport->size()) : shot.rect();
            if (c.control->isVisibleTo(window) && shot.rect().contains(r) && shown.contains(r)) {
                c.slide = name;
                c.rect = r;
            }
        }
    }
    for (Chapter& c : chapters) {
        if (c.slide.isEmpty()) {
            std::fprintf(stderr, "tavolin_mkslides: no slide shows the control of \"%s\"\n", c.caption);
            c.slide = slideNames.first();
            c.rect = QRect(QPoint(0, 0), window->size());
        }
    }
    std::printf("wrote %s\n", qPrintable(slideNames.join(QStringLiteral(", "))));
    return true;
}

// The host's movie: one scene a chapter, showing its slide with the control highlighted and the
// caption beside it. A chapter's scene runs from the frame after its first one up to the first
// frame of the next chapter, where the player stands once the chapter has played: standing there,
// the panel still shows the page its counter names (the player's own chapter test counts a frame
// the same way); the frame a chapter is started from shows for a moment only.
bool WriteMovie(const TeachHost& host, const QList<Chapter>& chapters, const QDir& out) {
    if (chapters.size() != host.chapterCount()) return false;
    FlashMovie movie;
    movie.totalFrames = host.starts.last() + 3;
    movie.rate = 12;
    for (int k = 0; k < host.chapterCount(); ++k) {
        const Chapter& c = chapters[k];
        FlashScene scene;
        scene.firstFrame = k == 0 ? 0 : host.starts[k - 1] + 1;
        scene.lastFrame = k + 1 < host.chapterCount() ? host.starts[k] : movie.totalFrames - 1;
        scene.slide = c.slide;
        scene.highlight = c.rect;
        scene.caption = QString::fromUtf8(c.caption);
        movie.scenes << scene;
    }
    QFile descriptor(out.filePath(host.movie));
    if (!descriptor.open(QIODevice::WriteOnly) || descriptor.write(WriteTutorialDescriptor(movie)) < 0) return false;
    std::printf("wrote %s\n", qPrintable(out.filePath(host.movie)));
    return true;
}

// Runs work once the modal window that opener brings up shows. A repeating check, since the
// opener may run event loops of its own (service calls) before the window exists.
template <class W>
void InModal(const std::function<void()>& opener, const std::function<void(W*)>& work) {
    QTimer check;
    check.setInterval(100);
    QObject::connect(&check, &QTimer::timeout, [&] {
        W* window = W::loaded();
        if (!window || !window->isVisible()) return;
        check.stop();
        work(window);
        window->close();
    });
    check.start();
    opener();
}

bool MakeMainMovie(frm个人网站* w, const QDir& out) {
    QWidget* firstEdit = w->cmdEdit.isEmpty() ? nullptr : w->cmdEdit.first();
    QWidget* domain = w->txtDomainName->isVisible() ? static_cast<QWidget*>(w->cmdRegDomain) : w->cmdEncrypt;
    QList<Chapter> chapters = {
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
    // One slide per scroll position of the site.
    QList<std::function<void()>> views;
    for (int i = 0; i < 4; ++i) views << [w, i] { w->vscWeb->setValue(w->vscWeb->maximum() * i / 3); };
    return TakeSlides(w, w->picFrame, QStringLiteral("main"), views, chapters, out) &&
           WriteMovie(teachhosts::MainWindow(), chapters, out);
}

bool MakeCellEditorMovie(CellEditorWindow* e, const QDir& out) {
    QList<Chapter> chapters = {
        {nullptr, "这套教程分9页，带您认识区域设置窗口：为网站的一个区域设置背景图片、前景图片或Flash和文字。"},
        {e->picSet, "下面的画布是这个区域的预览：每次修改都会马上显示在这里；区域较大时，拖动滚动条可以看到其它部分。"},
        {e->picSetBJ, "背景图片：浏览电脑里的图片或从素材库中选择，还可以在背景图片上写字；“删除背景”去掉它。"},
        {e->picSetQJ, "前景图片或Flash：显示在背景之上，可以设置宽、高和对齐方式；Flash还可以设为背景透明。"},
        {e->txtTxt, "插入文字：在这里输入要显示在这个区域里的文字。"},
        {e->cobFont, "文字样式：选择字体、字号、字形、字体颜色和背景颜色，还可以加下划线或删除线。"},
        {e->cobTX2, "文字效果：让文字从右向左、从下向上等方向滚动，并选择滚动的速度；“预览文字效果”马上看看。"},
        {e->cmdOK, "“应用到网站中”保存修改并发布网站；“重新设置”放弃还没有应用的修改。"},
        {e->cmdOpenTeach, "教程随时可以关闭，需要时点击“打开教程”再看一遍。"},
    };
    return TakeSlides(e, nullptr, QStringLiteral("celleditor"), {[] {}}, chapters, out) &&
           WriteMovie(teachhosts::CellEditor(), chapters, out);
}

bool MakeWriteTextMovie(WriteTextWindow* d, const QDir& out) {
    QList<Chapter> chapters = {
        {nullptr, "这套教程分6页，教您在图片上写字：输入文字，设置样式，再把文字拖到图片上合适的位置。"},
        {d->txtText, "在这里输入要写在图片上的文字，点击“清除”可以重新输入。"},
        {d->cobFont, "选择字体、字号和字形，还可以加下划线或删除线。"},
        {d->cmdSetFontColor, "设置字体颜色和背景颜色；勾选“无背景色”，文字就直接写在图片上，还可以加边框或3D边框。"},
        {d->picEdit, "用鼠标拖动图片上的文字，放到合适的位置；“合并图层”把文字写进图片，接着可以再写一段。"},
        {d->cmdOK, "点击“确定”保存写好字的图片，回到区域设置窗口；“取消”则放弃。需要时点击“打开教程”再看一遍。"},
    };
    return TakeSlides(d, nullptr, QStringLiteral("writetext"), {[] {}}, chapters, out) &&
           WriteMovie(teachhosts::WriteText(), chapters, out);
}

bool MakeUploadMovie(UploadWindow* u, const QDir& out) {
    QList<Chapter> chapters = {
        {nullptr, "这套教程分17页，带您认识上传窗口：把电脑里的照片和文件上传到您的相册。"},
        {u->picAlbum, "首先选择要上传到哪个相册，窗口会显示文件将上传到的相册。"},
        {u->cmdNewAlbum, "新建相册：还没有合适的相册时，点击这里创建一个新相册。"},
        {u->grdUpLoad, "上传列表：每组最多10个文件，每一行是一个文件，多于10个可以分几组上传。"},
        {u->cmdSearch[0], "浏览：选择电脑里的图片；按住“Ctrl”或“Shift”键，可以一次选择多个文件。"},
        {u->txtMemo[0], "文件描述：可以为每个文件写一句说明，空着时就用文件名。"},
        {u->labHowToSelect, "不知道怎样一次选多张图片？把鼠标移到“如何一次选多张图片上传？”上看看说明。"},
        {u->cmdLeft[0], "旋转：逆时针或顺时针旋转90度，把拍歪的照片转正。"},
        {u->cmdOperation[0], "取消：把这一行的文件从上传列表中去掉。"},
        {u->picPicZip, "勾选这里，大于500K的jpg、bmp图像上传时自动转换成600×600(像素)以内，网上打开更快。"},
        {u->cheWatermarkAndBorder, "加入水印、边框：上传时为每张图片加上您设置的水印和边框。"},
        {u->cmdSetWaterMark, "水印设置：设置水印的文字、图片和位置，以及图片的边框。"},
        {u->cmdEditPic, "图像编辑：上传之前裁剪、缩放图片，或者添加文字。"},
        {u->cmdUploadFiles, "一切就绪后，点击“上传”开始上传，列表中显示每个文件的上传状态。"},
        {u->cmdUploadFolder, "上传文件夹：一次上传一个文件夹里的全部图片。"},
        {u->Label5, "“最近上传的文件”显示刚刚上传的图片；点击“图片管理”可以查看或删除已上传的图片。"},
        {u->cmdOpenTeach, "教程随时可以关闭，需要时点击“打开教程”再看一遍。祝您上传顺利！"},
    };
    // At the screen's size the window shows all its slots at once.
    return TakeSlides(u, u->picBox, QStringLiteral("upload"), {[] {}}, chapters, out) &&
           WriteMovie(teachhosts::Upload(), chapters, out);
}

// A picture to write on: sky, sun and hills.
QString WritingPicture(const QDir& folder) {
    QImage picture(360, 240, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(0x7F, 0xB8, 0xE8));
    sky.setColorAt(1, QColor(0xE8, 0xF4, 0xFF));
    p.fillRect(picture.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD2, 0x4A));
    p.drawEllipse(QPointF(280, 60), 28, 28);
    p.setBrush(QColor(0x5E, 0xA8, 0x4E));
    p.drawEllipse(QPointF(90, 280), 200, 110);
    p.setBrush(QColor(0x3F, 0x8A, 0x3A));
    p.drawEllipse(QPointF(300, 290), 190, 100);
    p.end();
    const QString path = folder.filePath(QStringLiteral("picture.bmp"));
    return picture.save(path, "BMP") ? path : QString();
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    // A screen of a fixed size, large enough that no window opens maximised: the slides come out
    // the same on every machine.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QFile screen(QDir(home.path()).filePath(QStringLiteral("screen.json")));
        if (!screen.open(QIODevice::WriteOnly) ||
            screen.write(R"({"screens": [{"name": "slides", "x": 0, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96, "dpr": 1}]})") < 0)
            return Fail("the screen's configuration cannot be written");
        screen.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-gpu");
    qputenv("TAVOLIN_HOME", QDir(home.path()).filePath(QStringLiteral("home")).toLocal8Bit());
    PrepareWindowsEnvironment();  // the slides drawn as the program draws its windows
    RegisterFlashPlayerScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2) return Fail("usage: tavolin_mkslides <output folder> [main] [celleditor] [writetext] [upload]");
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists()) return Fail("the output folder does not exist");
    QStringList which;
    for (int i = 2; i < argc; ++i) which << QString::fromLocal8Bit(argv[i]);
    const auto wanted = [&](const char* name) { return which.isEmpty() || which.contains(QString::fromLatin1(name)); };
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

    if (wanted("main") && !MakeMainMovie(w, out)) return Fail("the main window's movie cannot be made");
    if (wanted("celleditor")) {
        // Cell 4: a picture, a background row and text, with the text hint switched off.
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
        SetUserSetting(UcsHintCellText, QStringLiteral("1"));
        bool made = false;
        InModal<CellEditorWindow>([w] { w->cmdEdit.value(4)->click(); },
                                  [&](CellEditorWindow* e) { made = MakeCellEditorMovie(e, out); });
        if (!made) return Fail("the cell editor's movie cannot be made");
    }
    if (wanted("writetext")) {
        SetUserSetting(UcsTeachWriteText, QStringLiteral("3"));
        QTemporaryDir pictures;
        WriteTextWindow::labXZFlag = QStringLiteral("0");
        WriteTextWindow::labXZPic = WritingPicture(QDir(pictures.path()));
        WriteTextWindow d(QString(), QString(), w);
        d.show();
        d.txtText->setText(QStringLiteral("我的家乡"));
        if (!MakeWriteTextMovie(&d, out)) return Fail("the text dialog's movie cannot be made");
    }
    if (wanted("upload")) {
        SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
        bool made = false;
        InModal<UploadWindow>([w] { w->cmdUploadPic->click(); }, [&](UploadWindow* u) { made = MakeUploadMovie(u, out); });
        if (!made) return Fail("the upload window's movie cannot be made");
    }
    frm个人网站::unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
