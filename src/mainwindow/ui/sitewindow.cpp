#include "mainwindow/ui/sitewindow.h"

#include "foundation/folders.h"
#include "foundation/shareddata.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "login/ui/login_entry.h"
#include "mainwindow/ui/commandwiring.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "mainwindow/spacenotices.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/ui/clickablelabel.h"
#include "platform/hookcheck.h"
#include "platform/programend.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "site/modCreateHtmlFiles.h"
#include "site/sitemodel.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHash>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <algorithm>
#include <cstdlib>

namespace {

const QChar CR = QLatin1Char('\r');

int P(double twipsValue) { return twips::ToPixels(twipsValue); }

void SetTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(P(left), P(top), P(width), P(height));
}

// Cell boxes on the canvas, pixels: left, top, width, height.
struct CellBox {
    int left, top, width, height;
};
constexpr CellBox kCellBoxes[SiteWindow::kCells] = {
    {0, 0, 156, 150},     {156, 0, 150, 150},   {306, 0, 696, 150},    {0, 150, 1002, 25},
    {26, 175, 280, 210},  {306, 175, 350, 210}, {656, 175, 320, 210},  {26, 385, 950, 50},
    {26, 435, 130, 360},  {156, 435, 150, 360}, {316, 435, 340, 215},  {656, 435, 320, 215},
    {316, 665, 650, 120}, {26, 795, 130, 70},   {156, 795, 150, 70},   {306, 795, 670, 70},
    {26, 865, 130, 690},  {161, 865, 140, 672}, {306, 865, 670, 672},  {26, 1555, 130, 70},
    {156, 1555, 150, 70}, {306, 1555, 670, 70}, {36, 1635, 260, 800},  {306, 1636, 670, 800},
    {26, 2445, 950, 50},  {0, 175, 26, 690},    {0, 865, 26, 690},     {0, 1555, 26, 942},
    {976, 175, 26, 690},  {976, 865, 26, 690},  {976, 1555, 26, 942},  {0, 2495, 1002, 28},
    {27, 2600, 950, 200},
};

// The browsers' frame: a browser sits at (-30, -30) twips inside its box and is that much larger
// on every side, so its frame falls outside the box and the page starts at the box's corner.
constexpr int kBrowserFrame = 30;
// Twips between the domain caption and the button after it.
constexpr int kDomainGap = 90;

// Hands the wheel turns over the site to the site's scroll bar: turns over the gaps between the
// boxes, and turns over a box's page that cannot scroll. The engine keeps every turn over a page,
// used or not, so the turns are taken before the page's drawing surface gets them, and a page or
// frame that can scroll keeps its own (learnt by a script once the page has loaded).
class WheelToScrollBar : public QObject {
public:
    WheelToScrollBar(QScrollBar* bar, std::initializer_list<QWidget*> areas) : QObject(bar), m_bar(bar) {
        for (QWidget* area : areas) area->installEventFilter(this);
    }

    void watch(WebBrowser* browser) {
        m_browsers.insert(browser->view(), browser);
        browser->watchSurface(this);
        connect(browser, &WebBrowser::documentComplete, this, [this, browser](bool) { learnScrolling(browser); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Wheel) return false;
        // A surface's parent is its browser's view; over the canvas areas no browser is found.
        WebBrowser* over = watched->parent() ? m_browsers.value(watched->parent()) : nullptr;
        if (over && m_scrolling.contains(over)) return false;
        auto* wheel = static_cast<QWheelEvent*>(e);
        if (wheel->angleDelta().y() == 0 || !m_bar->isEnabled()) return false;
        QCoreApplication::sendEvent(m_bar, wheel);
        return true;
    }

private:
    void learnScrolling(WebBrowser* browser) {
        m_scrolling.remove(browser);
        // Scrolls: a taller page whose root may scroll, a frame not marked scrolling="no", or a
        // scrolling element.
        static const QString kScript = QStringLiteral(
            "(function(){var d=document.documentElement,b=document.body;if(!d)return false;"
            "var hidden=function(e){return e&&getComputedStyle(e).overflowY=='hidden';};"
            "var s=document.scrollingElement||d;"
            "if(!hidden(d)&&!hidden(b)&&s.scrollHeight>s.clientHeight+1)return true;"
            "var f=document.querySelectorAll('iframe,frame');"
            "for(var i=0;i<f.length;i++)if((f[i].getAttribute('scrolling')||'').toLowerCase()!='no')return true;"
            "var all=b?b.getElementsByTagName('*'):[];"
            "for(var i=0;i<all.length;i++){var e=all[i];if(e.scrollHeight>e.clientHeight+1){"
            "var o=getComputedStyle(e).overflowY;if(o=='auto'||o=='scroll')return true;}}"
            "return false;})()");
        QPointer<WebBrowser> guard(browser);
        browser->readPage(kScript, [this, guard](const QVariant& scrolls) {
            if (guard && scrolls.toBool()) m_scrolling.insert(guard.data());
        });
    }

    QScrollBar* m_bar;
    QHash<QObject*, WebBrowser*> m_browsers;  // by view
    QSet<WebBrowser*> m_scrolling;
};

// How often, at most, the site's browsers draw a page's animation (milliseconds): every frame of
// an animated cell goes through the page's renderer, the engine's compositor and the window's
// software drawing, so the 60 frames a second the engine would make keep a core busy.
constexpr int kSiteFrameIntervalMs = 100;
// How far beyond the viewport a box counts as in sight, twips: a box scrolled into view has drawn.
constexpr int kSightMargin = 3000;

// A browser of the site: silent, no scroll bars, its page inset by the frame.
WebBrowser* NewFramedBrowser(QWidget* parent) {
    auto* b = new WebBrowser(parent);
    b->setSilent(true);
    b->setFrameInterval(kSiteFrameIntervalMs);
    if (QLayout* l = b->layout()) {
        const int f = P(kBrowserFrame);
        l->setContentsMargins(f, f, f, f);
    }
    b->page()->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    return b;
}

// A browser framed for a box of the given size in pixels, at the box's corner until the first
// tick places it.
void SizeForBox(WebBrowser* b, int width, int height) {
    const int f = P(kBrowserFrame);
    b->setGeometry(0, 0, width + 2 * f, height + 2 * f);
}

void SetBackColor(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// The colour of "#RRGGBB" text (a copy is converted, so the caller's text keeps its "#").
QColor ColorOf(QString text) {
    const qint32 v = HtmlToColor(text);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// The small pictures of the cell buttons.
enum class ButtonPicture { Edit, Colour, Previous, Next, Close, Free, Renew };

QIcon PaintedIcon(ButtonPicture kind, int size = 16) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    switch (kind) {
    case ButtonPicture::Edit: {
        // A pencil.
        p.setPen(QPen(QColor(0x33, 0x55, 0x99), 1.2));
        p.setBrush(QColor(0xF5, 0xC2, 0x42));
        QPainterPath body;
        body.moveTo(s * 0.25, s * 0.62);
        body.lineTo(s * 0.62, s * 0.25);
        body.lineTo(s * 0.78, s * 0.41);
        body.lineTo(s * 0.41, s * 0.78);
        body.closeSubpath();
        p.drawPath(body);
        QPainterPath tip;
        tip.moveTo(s * 0.25, s * 0.62);
        tip.lineTo(s * 0.16, s * 0.86);
        tip.lineTo(s * 0.41, s * 0.78);
        tip.closeSubpath();
        p.setBrush(QColor(0x33, 0x33, 0x33));
        p.drawPath(tip);
        break;
    }
    case ButtonPicture::Colour: {
        const QColor colours[4] = {QColor(0xE0, 0x40, 0x40), QColor(0x40, 0xA0, 0x40), QColor(0x40, 0x60, 0xE0),
                                   QColor(0xF0, 0xC0, 0x30)};
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRectF((i % 2) * s / 2, (i / 2) * s / 2, s / 2, s / 2), colours[i]);
        p.setPen(QColor(0x55, 0x55, 0x55));
        p.drawRect(QRectF(0.5, 0.5, s - 1, s - 1));
        break;
    }
    case ButtonPicture::Previous:
    case ButtonPicture::Next: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x33, 0x66, 0x99));
        QPolygonF tri;
        if (kind == ButtonPicture::Previous)
            tri << QPointF(s / 2, s * 0.2) << QPointF(s * 0.85, s * 0.75) << QPointF(s * 0.15, s * 0.75);
        else
            tri << QPointF(s * 0.15, s * 0.25) << QPointF(s * 0.85, s * 0.25) << QPointF(s / 2, s * 0.8);
        p.drawPolygon(tri);
        break;
    }
    case ButtonPicture::Close:
        p.setPen(QPen(QColor(0x66, 0x66, 0x66), 2));
        p.drawLine(QPointF(s * 0.25, s * 0.25), QPointF(s * 0.75, s * 0.75));
        p.drawLine(QPointF(s * 0.75, s * 0.25), QPointF(s * 0.25, s * 0.75));
        break;
    case ButtonPicture::Free:
    case ButtonPicture::Renew:
        p.setPen(Qt::NoPen);
        p.setBrush(kind == ButtonPicture::Free ? QColor(0x3A, 0x9A, 0x4A) : QColor(0xE0, 0x80, 0x20));
        p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
        p.setPen(Qt::white);
        {
            QFont f;
            f.setPixelSize(int(s * 0.6));
            f.setBold(true);
            p.setFont(f);
        }
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter,
                   kind == ButtonPicture::Free ? QStringLiteral("免") : QStringLiteral("续"));
        break;
    }
    return QIcon(pm);
}

QToolButton* NewPictureButton(QWidget* parent, ButtonPicture picture, const QString& tip) {
    auto* b = new QToolButton(parent);
    b->setIcon(PaintedIcon(picture));
    b->setAutoRaise(false);
    b->setToolTip(tip);
    b->setCursor(Qt::PointingHandCursor);
    b->resize(18, 18);
    return b;
}

QToolButton* NewTextButton(QWidget* parent, const QString& caption) {
    auto* b = new QToolButton(parent);
    b->setText(caption);
    QFont f = b->font();
    f.setPixelSize(11);
    b->setFont(f);
    b->setCursor(Qt::PointingHandCursor);
    b->adjustSize();
    b->resize(b->width(), 18);
    return b;
}

QPushButton* NewCommand(QWidget* parent, const QString& caption, int left, int top, int width, int height) {
    auto* b = new QPushButton(caption, parent);
    SetTwips(b, left, top, width, height);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

// Widens a push button whose caption its design width cuts in the font at hand: the caption's
// measured width with the padding its style gives a caption and a pixel of air on each side.
void WidenToCaption(QPushButton* b) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const int padding = b->width() - b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
    const int needed = b->fontMetrics().horizontalAdvance(b->text()) + padding + 4;
    if (needed > b->width()) b->resize(needed, b->height());
}

const QString kQuitQuestion = QStringLiteral("您真的要退出Tavolin软件系统吗？");
const QString kQuitTitle = QStringLiteral("退出系统提示");
const QString kDomainBlanks = QString(16, QLatin1Char(' '));

}  // namespace

int SiteWindow::Twips(int pixels) { return twips::FromPixels(pixels); }

SiteWindow::SiteWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Tavolin【个人网站自助创建软件】 版本:"));
    resize(P(15360), P(10800));

    // The tutorial panel lies under the strip and the tools bar while closed.
    teachpicTeach = teachpanel::CreateMainPanel(this);
    teachpicTeach->hide();

    buildAdStrip();
    buildToolsBar();
    buildCanvas();
    buildCellButtons();
    buildHintBox();
    buildPleaseWaitBox();
    // The command buttons' handlers and the home-page album panel.
    WireMainWindowCommands(*this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    mainwindowseam::geometryProvider = MemberHook(this, &SiteWindow::geometryForOtherWindows);
}

MainWindowGeometry SiteWindow::geometryForOtherWindows() const {
    MainWindowGeometry g;
    const QRect outer = frameGeometry();
    g.left = Twips(outer.x());
    g.top = Twips(outer.y());
    g.width = Twips(outer.width());
    g.picToolsTop = Twips(picTools->y());
    g.picToolsFrameLeft = Twips(picToolsFrame->x());
    g.cmdSetUserInfoLeft = Twips(cmdSetUserInfo->x());
    g.picFrameTop = Twips(picFrame->y());
    return g;
}

SiteWindow::~SiteWindow() {
    if (loaded() == this || !loaded()) mainwindowseam::geometryProvider = nullptr;
}

void SiteWindow::buildAdStrip() {
    picAD = new QWidget(this);
    SetBackColor(picAD, Qt::white);
    SetTwips(picAD, 0, 0, 15360, kAdPage);

    webAD = NewFramedBrowser(picAD);
    // Ten pages one above the other; the strip shows one at a time.
    SetTwips(webAD, -kBrowserFrame, -kBrowserFrame, 15360, 10 * kAdPage + 2 * kBrowserFrame);

    picADPage = new QWidget(picAD);
    SetBackColor(picADPage, Qt::white);
    SetTwips(picADPage, 15360 - 330, 0, 330, kAdPage);
    for (int i = 0; i < 2; ++i) {
        auto* img = new ClickableLabel(picADPage);
        img->setPixmap(PaintedIcon(i == 0 ? ButtonPicture::Previous : ButtonPicture::Next).pixmap(16, 16));
        img->setCursor(Qt::PointingHandCursor);
        img->setToolTip(i == 0 ? QStringLiteral("上一页") : QStringLiteral("下一页"));
        SetTwips(img, 45, i == 0 ? 45 : 765, 240, 240);
        img->onClick = [this, i] { imgAD_Click(i); };
        imgAD[i] = img;
    }
    imgAD[0]->hide();
    labADPage = new QLabel(QStringLiteral("1"), picADPage);
    labADPage->setAlignment(Qt::AlignCenter);
    SetTwips(labADPage, 0, 375, 330, 300);
}

void SiteWindow::buildToolsBar() {
    picTools = new QWidget(this);
    SetBackColor(picTools, QColor(0xEE, 0xF2, 0xF7));
    SetTwips(picTools, 0, 1035, 15360, 1275);
    picToolsFrame = new QWidget(picTools);
    SetTwips(picToolsFrame, 180, 0, 15000, 1275);

    // Domain row.
    Label19 = new QLabel(QStringLiteral("您的网站域名："), picToolsFrame);
    {
        QFont f = Label19->font();
        f.setPixelSize(11);
        Label19->setFont(f);
    }
    SetTwips(Label19, 0, 75, 1170, 330);
    labDomainName = new QLabel(picToolsFrame);
    {
        // The domain box lies over the sixteen blanks of the caption; wider blanks give it room.
        QFont f = labDomainName->font();
        f.setWordSpacing(4);
        labDomainName->setFont(f);
    }
    labDomainName->setText(QStringLiteral("www.") + kDomainBlanks + QLatin1Char('.') + serviceconfig::current().domain);
    // Up to the registration button's place; the tool tip shows a domain that does not fit.
    SetTwips(labDomainName, 1170, 75, 4590 - 1170, 330);
    txtDomainName = new QLineEdit(picToolsFrame);
    {
        const QFontMetrics fm(labDomainName->font());
        const int x = labDomainName->x() + fm.horizontalAdvance(QStringLiteral("www."));
        const int w = fm.horizontalAdvance(kDomainBlanks);
        txtDomainName->setGeometry(x, P(60), w, P(345));
    }
    cmdTestDomain = NewCommand(picToolsFrame, QStringLiteral("检测域名"), 4590, 45, 1080, 360);
    cmdRegDomain = NewCommand(picToolsFrame, QStringLiteral("注册域名"), 5745, 45, 1080, 360);
    cmdEncrypt = NewCommand(picToolsFrame, QStringLiteral("网站首页加密"), 5745, 45, 1080, 360);
    cmdEncrypt->hide();
    cmdViewMySite = NewCommand(picToolsFrame, QStringLiteral("浏览网站"), 6900, 45, 870, 360);
    cmdOpenTeach = NewCommand(picToolsFrame, QStringLiteral("打开教程"), 7800, 45, 1380, 360);
    cmdCloseTeach = NewCommand(picToolsFrame, QStringLiteral("关闭教程"), 7800, 45, 1380, 360);
    cmdCloseTeach->hide();
    cmdSetUserInfo = NewCommand(picToolsFrame, QStringLiteral("我的账户信息"), 9870, 45, 1500, 360);
    for (QPushButton* b : {cmdTestDomain, cmdRegDomain, cmdEncrypt, cmdViewMySite, cmdOpenTeach, cmdCloseTeach,
                           cmdSetUserInfo}) {
        QFont f = b->font();
        f.setPixelSize(12);
        b->setFont(f);
        WidenToCaption(b);
    }

    // Command row.
    struct Command {
        QPushButton** button;
        const char* caption;
        int left;
    };
    const Command commands[] = {
        {&cmdTemplate, "网站模板库", 0},       {&cmdSetMusic, "背景音乐", 1500},  {&cmdViewMyMBSite, "手机网站预览", 3000},
        {&cmdPicEdit, "图像编辑", 4500},       {&cmdBuySpace, "购买网络空间", 6000}, {&cmdSuggest, "意见建议", 7500},
        {&cmdUploadPic, "上传图片", 9000},     {&cmdPicManage, "图片管理", 10500}, {&cmdQuit, "退出", 13620},
    };
    for (const Command& c : commands) *c.button = NewCommand(picToolsFrame, QString::fromUtf8(c.caption), c.left, 465, 1380, 405);

    // Fee line and the information strip.
    labSpaceInfo = new QLabel(QStringLiteral("网站(软件)年服务费：100元(含100M空间)  服务到期日期：2010年11月15日 "),
                              picToolsFrame);
    SetTwips(labSpaceInfo, 0, 945, 7140, 300);
    imgMF = new ClickableLabel(picToolsFrame);
    imgMF->setPixmap(PaintedIcon(ButtonPicture::Free).pixmap(16, 16));
    imgMF->setToolTip(QStringLiteral("免费使用条款"));
    imgXF = new ClickableLabel(picToolsFrame);
    imgXF->setPixmap(PaintedIcon(ButtonPicture::Renew).pixmap(16, 16));
    imgXF->setToolTip(QStringLiteral("给您的网络空间续费"));
    for (ClickableLabel* img : {imgMF, imgXF}) {
        SetTwips(img, 7200, 945, 300, 300);
        img->setAlignment(Qt::AlignCenter);
        img->setCursor(Qt::PointingHandCursor);
        img->hide();
    }
    imgMF->onClick = [this] { imgMF_Click(); };
    imgXF->onClick = [this] { imgXF_Click(); };
    imgXF->onMouseDown = [this] { imgXF_MouseDown(); };
    imgXF->onMouseUp = [this] { imgXF_MouseUp(); };
    webAD2 = new WebBrowser(picToolsFrame);
    webAD2->setSilent(true);
    webAD2->setFrameInterval(kSiteFrameIntervalMs);
    webAD2->page()->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    SetTwips(webAD2, 7620, 930, 7380, 330);

    connect(cmdOpenTeach, &QPushButton::clicked, this, [this] { cmdOpenTeach_Click(); });
    connect(cmdCloseTeach, &QPushButton::clicked, this, [this] { cmdCloseTeach_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
}

void SiteWindow::buildCanvas() {
    picFrame = new QWidget(this);
    SetBackColor(picFrame, QColor(0x80, 0x80, 0x80));
    SetTwips(picFrame, 0, 2295, 15360, 10800 - 2295);

    picWeb = new QWidget(picFrame);
    SetBackColor(picWeb, Qt::white);
    SetTwips(picWeb, 0, 0, kCanvasWidth, kCanvasHeight);

    auto trackLoad = [this](WebBrowser* b) {
        connect(b, &WebBrowser::documentComplete, this, [this, b](bool) { countSiteBrowserLoad(b); });
    };

    // Back to front: the page background, the three area boxes, the cell boxes.
    webBack = NewFramedBrowser(picWeb);
    SizeForBox(webBack, P(kCanvasWidth), P(kCanvasHeight));
    trackLoad(webBack);
    struct AreaBox {
        QWidget** box;
        WebBrowser** browser;
        int left, top, width, height;  // pixels
    };
    const AreaBox areas[] = {
        {&picMidBack, &webMidBack, 26, 434, 950, 361},
        {&picPhotoBack, &webPhotoBack, 156, 865, 820, 690},
        {&picBlogBack, &webBlogBack, 26, 1625, 950, 822},
    };
    for (const AreaBox& a : areas) {
        *a.box = new QWidget(picWeb);
        (*a.box)->setGeometry(a.left, a.top, a.width, a.height);
        *a.browser = NewFramedBrowser(*a.box);
        SizeForBox(*a.browser, a.width, a.height);
        trackLoad(*a.browser);
    }
    for (int i = 0; i < kCells; ++i) {
        const CellBox& c = kCellBoxes[i];
        picPage[i] = new QWidget(picWeb);
        picPage[i]->setGeometry(c.left, c.top, c.width, c.height);
        // Filled, so the box is opaque: a frame of its page repaints the box alone, never the
        // canvas and the background page beneath it. The browser covers the fill once its page is drawn.
        SetBackColor(picPage[i], Qt::white);
        webPage[i] = NewFramedBrowser(picPage[i]);
        SizeForBox(webPage[i], c.width, c.height);
        trackLoad(webPage[i]);
    }

    vscWeb = new QScrollBar(Qt::Vertical, picFrame);
    vscWeb->setRange(0, 32767);
    vscWeb->setSingleStep(600);
    vscWeb->setPageStep(3000);
    SetTwips(vscWeb, 15360 - 330, 0, 315, 10800 - 2295 - 60);
    // Tracking is on, so dragging the thumb changes the value too (the Scroll event).
    connect(vscWeb, &QScrollBar::valueChanged, this, [this] { vscWeb_Change(); });
    // Boxes scrolled well out of the viewport make no frames: animations there cost nothing.
    auto* sight = new BrowserSight(picFrame, picWeb, P(kSightMargin));
    for (int i = 0; i < kCells; ++i) sight->watch(webPage[i], picPage[i]);
    for (const AreaBox& a : areas) sight->watch(*a.browser, *a.box);
    auto* wheel = new WheelToScrollBar(vscWeb, {picFrame, picWeb});
    for (WebBrowser* b : {webBack, webMidBack, webPhotoBack, webBlogBack}) wheel->watch(b);
    for (WebBrowser* b : webPage) wheel->watch(b);
}

void SiteWindow::buildCellButtons() {
    // Right to left along the top of a box: the edit button in the corner, then the others.
    auto place = [](QWidget* box, const QList<QToolButton*>& buttons) {
        int right = box->width() - 2;
        for (QToolButton* b : buttons) {
            b->move(std::max(0, right - b->width()), 2);
            right -= b->width() + 2;
            b->raise();
        }
    };
    for (int i = 0; i < kCells; ++i) {
        if (i == 26 || i == 29 || i == 32) continue;  // copies and the footer have no edit button
        // Boxes 25 and 27 carry each other's button, as do 28 and 30; the editor treats them as one.
        const int index = i == 25 ? 27 : i == 27 ? 25 : i == 28 ? 30 : i == 30 ? 28 : i;
        cmdEdit[index] = NewPictureButton(picPage[i], ButtonPicture::Edit, QStringLiteral("设置此区域"));
    }
    auto editOf = [this](int box) {
        const int index = box == 25 ? 27 : box == 27 ? 25 : box == 28 ? 30 : box == 30 ? 28 : box;
        return cmdEdit.value(index);
    };
    const int uploadBoxes[4] = {1, 5, 9, 12};
    for (int k = 0; k < 4; ++k)
        cmdUploadAreaPic[k] = NewTextButton(picPage[uploadBoxes[k]], QStringLiteral("上传图片"));
    cmdLYB = NewTextButton(picPage[6], QStringLiteral("留言管理"));
    cmdMsg = NewTextButton(picPage[6], QStringLiteral("消息管理"));
    cmdWriteTBlog = NewTextButton(picPage[11], QStringLiteral("写微博"));
    cmdTblogMag = NewTextButton(picPage[11], QStringLiteral("微博管理"));
    cmdSetPhotoBox = NewTextButton(picPage[17], QStringLiteral("相册设置"));
    cmdBlogMag = NewTextButton(picPage[22], QStringLiteral("博客管理"));
    cmdWriteBlog = NewTextButton(picPage[23], QStringLiteral("写博客"));
    for (int i = 0; i < kCells; ++i) {
        QList<QToolButton*> row;
        if (QToolButton* e = editOf(i)) row << e;
        for (QToolButton* b : picPage[i]->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
            if (b != editOf(i)) row << b;
        place(picPage[i], row);
    }

    // The colour buttons beside the areas they colour.
    struct ColourButton {
        int index;
        const char* tip;
        int left, top;  // pixels on the canvas
    };
    const ColourButton colours[] = {
        {35, "网站中栏空白处背景色设置", 952, 651},
        {36, "相册围框颜色设置", 954, 1537},
        {37, "博客围框颜色设置", 956, 2427},
        {38, "网站首页背景色设置", 980, 2560},
    };
    for (const ColourButton& c : colours) {
        QToolButton* b = NewPictureButton(picWeb, ButtonPicture::Colour, QString::fromUtf8(c.tip));
        b->move(c.left, c.top);
        b->raise();
        cmdEdit[c.index] = b;
    }
}

void SiteWindow::buildHintBox() {
    picOpeMsg = new QFrame(this);
    picOpeMsg->setFrameShape(QFrame::Box);
    SetBackColor(picOpeMsg, QColor(0xFF, 0xFF, 0xE1));
    SetTwips(picOpeMsg, 0, 0, 5400, 1560);
    labOpeMsg = new QLabel(QStringLiteral("提示："), picOpeMsg);
    labOpeMsg->setWordWrap(true);
    labOpeMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTwips(labOpeMsg, 120, 120, 4920, 960);
    labMsgSN = new QLabel(QStringLiteral("0"), picOpeMsg);
    labMsgSN->hide();
    chkIKnowOpe = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了"), picOpeMsg);
    SetTwips(chkIKnowOpe, 120, 1125, 3900, 330);
    cmdClosOpeMsg = new QPushButton(QStringLiteral("&C.关闭"), picOpeMsg);
    SetTwips(cmdClosOpeMsg, 4140, 1095, 1080, 360);
    imgCloseOpe = new ClickableLabel(picOpeMsg);
    imgCloseOpe->setPixmap(PaintedIcon(ButtonPicture::Close).pixmap(16, 16));
    imgCloseOpe->setCursor(Qt::PointingHandCursor);
    SetTwips(imgCloseOpe, 5100, 45, 240, 240);
    imgCloseOpe->onClick = [this] { imgCloseOpe_Click(); };
    connect(cmdClosOpeMsg, &QPushButton::clicked, this, [this] { cmdClosOpeMsg_Click(); });
    picOpeMsg->hide();
}

void SiteWindow::buildPleaseWaitBox() {
    picNetToService = new QFrame(this);
    picNetToService->setFrameShape(QFrame::Box);
    SetBackColor(picNetToService, Qt::white);
    SetTwips(picNetToService, 0, 0, 4200, 900);
    auto* busy = new QProgressBar(picNetToService);
    busy->setRange(0, 0);  // the moving bar of a wait without an end
    busy->setTextVisible(false);
    SetTwips(busy, 180, 150, 3840, 210);
    Label8 = new QLabel(QStringLiteral("正在读取数据，请您稍候..."), picNetToService);
    Label8->setAlignment(Qt::AlignCenter);
    SetTwips(Label8, 0, 450, 4200, 330);
    picNetToService->hide();
}

void SiteWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_loaded) return;
    m_loaded = true;
    // Loaded once on screen, so the login window goes only when this one is there.
    Form_Load();
}

void SiteWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void SiteWindow::unload() {
    if (SiteWindow* w = loaded()) w->m_unloading = true;
    DefaultInstance<SiteWindow>::unload();
}

void SiteWindow::closeEvent(QCloseEvent* event) {
    // After the program's end, or when the code unloads the window, nothing is asked.
    if (!m_unloading && !programend::Ended() && Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
}

void SiteWindow::Form_Load() {
    // A small screen gets the whole screen (asked again once the browsers are under way, below).
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(QStringLiteral("Tavolin【个人网站自助创建软件】 版本:") + ClientVersion + QStringLiteral("        欢迎 ") +
                   CurrentUserName + QStringLiteral(" 使用！"));
    // The strip's browser, the side and bottom boxes and the area boxes in their places.
    webAD->move(P(-kBrowserFrame), P(-kBrowserFrame));
    picAD->move(0, 0);
    picWeb->move(picWeb->x(), 0);
    const int leftTwips[] = {0, 0, 0, 14640, 14640, 14640, 0};
    const int topTwips[] = {2625, 12975, 23325, 2625, 12975, 23325, Twips(picPage[31]->y())};
    for (int k = 0; k < 7; ++k) picPage[25 + k]->move(P(leftTwips[k]), P(topTwips[k]));
    for (WebBrowser* b : {webMidBack, webPhotoBack, webBlogBack}) b->move(P(-kBrowserFrame), P(-kBrowserFrame));
    picMidBack->move(P(390), P(6510));
    picPhotoBack->move(P(2340), P(12975));
    picBlogBack->move(P(390), P(24375));
    // Colours: the home colour (as published) on the canvas and the viewport, the area colours
    // behind their browsers.
    const QString home = SiteSettings.value(PublishColumn, HomeBackColorRow);
    const QColor canvas = home.isEmpty() ? QColor(Qt::white) : ColorOf(home);
    SetCanvasColor(canvas);
    SetBackColor(picMidBack, ColorOf(SiteSettings.value(LocalColumn, MiddleBackColorRow)));
    SetBackColor(picPhotoBack, ColorOf(SiteSettings.value(LocalColumn, AlbumBackColorRow)));
    SetBackColor(picBlogBack, ColorOf(SiteSettings.value(LocalColumn, BlogBackColorRow)));
    // Every cell and background browser on its page file.
    for (int i = 0; i < kCells; ++i) webPage[i]->Navigate(MemberTempPath(QString::number(i) + QStringLiteral(".html")));
    webBack->Navigate(MemberTempPath(QStringLiteral("b.html")));
    webMidBack->Navigate(MemberTempPath(QStringLiteral("b1.html")));
    webPhotoBack->Navigate(MemberTempPath(QStringLiteral("b2.html")));
    webBlogBack->Navigate(MemberTempPath(QStringLiteral("b3.html")));
    // The first web views replace the window's native window (a surface the engine can draw on),
    // and the replacement opens at the normal size under a window manager: maximised again.
    if (SmallScreen) QTimer::singleShot(0, this, [this] { maximiseAgain(); });
    // The domain row of a member with a domain.
    if (!LoginField(12).isEmpty()) {
        placeDomainRowForDomain();
        cmdCloseTeach->hide();
    } else {
        txtDomainNameVisible = true;
    }
    CloseLoginWindow();
    // The tutorial opens by itself on the member's first three loads.
    teachpicTeach->openFirstTimes(UcsTeachMain, [this] { cmdOpenTeach_Click(); });
    if (!LoginField(12).isEmpty() && GetUserSetting(UcsHintTemplateFirst) != QLatin1String("1")) showHint10();
    const FeeLine fee = MemberFeeLine();
    labSpaceInfo->setText(fee.text);
    labSpaceInfo->setToolTip(fee.text);
    imgMF->setVisible(fee.showMF);
    imgXF->setVisible(fee.showXF);
    // The week's advertisement strip and information line.
    const QString pages = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Advertising) +
                          QStringLiteral("/pwtd/") + WeeklyFolderName(QDate::currentDate());
    const QString keys = AdvertisementPageQuery();
    webAD->Navigate(pages + QStringLiteral("/softmain.html") + keys);
    webAD2->Navigate(pages + QStringLiteral("/softmainad2.html") + keys);

    Timer1->start();
}

void SiteWindow::maximiseAgain() {
    if (windowState() & Qt::WindowMinimized) return;
    setWindowState(windowState() & ~Qt::WindowMaximized);
    setWindowState(windowState() | Qt::WindowMaximized);
}

void SiteWindow::placeDomainRowForDomain() {
    const QString domain = QStringLiteral("www.") + LoginField(12) + QLatin1Char('.') + serviceconfig::current().domain;
    QFont f = labDomainName->font();
    f.setWordSpacing(0);
    f.setBold(true);
    f.setPointSize(12);
    const int reg = 4590;
    // Ends a little before the registration button. A longer domain moves the buttons after it to
    // the right, as far as the tool frame has room; beyond that it is drawn a little tighter (the
    // tool tip shows it whole anyway).
    const int designRoom = P(reg - kDomainGap) - labDomainName->x();
    const int needed = QFontMetrics(f).horizontalAdvance(domain) + 2;
    // What the protection button grew beyond its design width for its caption moves the buttons after it.
    const int grown = cmdEncrypt->width() - P(1080);
    const int shift = std::clamp(needed - designRoom, 0, std::max(0, P(15000 - (reg + 5280 + 1500)) - grown));
    labDomainName->resize(designRoom + shift, labDomainName->height());
    const int room = labDomainName->width();
    if (needed > room && !domain.isEmpty())
        f.setLetterSpacing(QFont::AbsoluteSpacing, std::max(-1.0, double(room - needed) / domain.size()));
    labDomainName->setFont(f);
    QPalette pal = labDomainName->palette();
    pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
    labDomainName->setPalette(pal);
    labDomainName->setText(domain);
    labDomainName->setToolTip(domain);
    txtDomainName->hide();
    txtDomainNameVisible = false;
    cmdTestDomain->hide();
    cmdRegDomain->move(P(reg) + shift, cmdRegDomain->y());
    cmdEncrypt->move(P(reg + 1155) + shift, cmdEncrypt->y());
    cmdViewMySite->move(P(6900) + shift + grown, cmdViewMySite->y());
    cmdCloseTeach->move(P(reg + 3210) + shift + grown, cmdCloseTeach->y());
    cmdOpenTeach->move(P(reg + 3210) + shift + grown, cmdOpenTeach->y());
    cmdSetUserInfo->move(P(reg + 5280) + shift + grown, cmdSetUserInfo->y());
    cmdViewMySite->show();
    cmdEncrypt->show();
}

void SiteWindow::ShowRegisteredDomain() { placeDomainRowForDomain(); }

void SiteWindow::SetCanvasColor(const QColor& color) {
    SetBackColor(picWeb, color);
    SetBackColor(picFrame, color);
    for (QWidget* box : picPage) SetBackColor(box, color);
}

void SiteWindow::Form_Resize() {
    // Each statement stands alone: one whose size would be negative (a minimised or tiny window)
    // is skipped and the others still run.
    if (!picTools) return;
    const int W = Twips(width()) + kFrameWidth;
    const int H = Twips(height()) + kFrameHeight;
    auto setWidth = [](QWidget* w, double t) {
        if (t >= 0) w->resize(P(t), w->height());
    };
    auto setHeight = [](QWidget* w, double t) {
        if (t >= 0) w->resize(w->width(), P(t));
    };
    auto setLeft = [](QWidget* w, double t) { w->move(P(t), w->y()); };
    auto setTop = [](QWidget* w, double t) { w->move(w->x(), P(t)); };

    // The tutorial panel centred across the window.
    setLeft(teachpicTeach, (W - Twips(teachpicTeach->width())) / 2.0 - 60);
    // The tools bar across the window, its buttons centred.
    setWidth(picTools, W - 105);
    setLeft(picToolsFrame, (Twips(picTools->width()) - Twips(picToolsFrame->width())) / 2.0);
    // The please-wait box a little above the middle.
    setLeft(picNetToService, (W - Twips(picNetToService->width())) / 2.0);
    setTop(picNetToService, (H - Twips(picNetToService->height())) / 2.0 - 500);
    // The strip and its page arrows at its right edge.
    setWidth(picAD, Twips(picTools->width()));
    setWidth(webAD, Twips(picAD->width()));
    setLeft(picADPage, Twips(picAD->width()) - 330);
    // The viewport down to the window's bottom.
    setWidth(picFrame, Twips(picTools->width()));
    setHeight(picFrame, teachpicTeach->isHidden() ? H - 2805 : H - 4950);
    // The scroll bar along the viewport's right edge.
    const int viewport = Twips(picFrame->height());
    setHeight(vscWeb, viewport - 60);
    setLeft(vscWeb, Twips(picFrame->width()) - 330);
    // The bar reaches the canvas's bottom whatever the viewport's height.
    vscWeb->setMaximum(std::max(0, kCanvasHeight - viewport));
    // The canvas centred left of the scroll bar.
    setLeft(picWeb, (Twips(picFrame->width()) - 315 - kCanvasWidth) / 2.0);
}

void SiteWindow::vscWeb_Change() { picWeb->move(picWeb->x(), P(-vscWeb->value())); }

void SiteWindow::placeBrowsersInBoxes() {
    const int f = P(-kBrowserFrame);
    for (WebBrowser* b : webPage) b->move(f, f);
    for (WebBrowser* b : {webMidBack, webPhotoBack, webBlogBack, webBack}) b->move(f, f);
}

void SiteWindow::Timer1_Timer() {
    if (!m_firstTick) {
        // The flag first: a tick that arrives while this tick's message is open only counts.
        m_firstTick = true;
        Timer1->setInterval(1000);
        placeBrowsersInBoxes();
        const ExpiryNotice notice = CheckSpaceExpiry(CurrentUserName, LoginField(20), LoginField(3),
                                                     serviceconfig::current().hostName(ServiceHost::Main));
        if (notice.kind == ExpiryNoticeKind::None) return;
        MsgBox(notice.text, vbInformation, notice.title);
        if (notice.kind == ExpiryNoticeKind::UnreadableDate) programend::End();
        return;
    }
    ++m_tickCount;
    if (m_tickCount <= 19) return;
    m_tickCount = 0;
    adStrip.tick();
    showAdStrip();
}

void SiteWindow::showAdStrip() {
    webAD->move(webAD->x(), P(adStrip.offset));
    labADPage->setText(adStrip.page);
    imgAD[0]->setVisible(adStrip.previousVisible);
    imgAD[1]->setVisible(adStrip.nextVisible);
}

void SiteWindow::imgAD_Click(int index) {
    adStrip.step(index == 1);
    showAdStrip();
}

void SiteWindow::cmdQuit_Click() {
    // Through the window's close, so the question is asked once whichever way the member leaves.
    close();
}

bool SiteWindow::Form_QueryUnload() {
    if (MsgBox(kQuitQuestion, vbYesNo | vbInformation, kQuitTitle) != vbYes) return true;
    // Leftovers are not worth stopping the exit for: a file that cannot go stays.
    const QDir temp(MemberTempPath());
    if (!UserFolder.isEmpty()) {
        for (const QString& name : temp.entryList(QDir::Files | QDir::Hidden | QDir::System))
            QFile::remove(temp.filePath(name));
    }
    frmDB::Unload();
    programend::End();
    return false;
}

void SiteWindow::ShowHint(int hintId, const QString& text, int pointSize, int topFromTools, int leftFromToolsFrame) {
    labMsgSN->setText(QString::number(hintId));
    QFont f = labOpeMsg->font();
    f.setPointSize(pointSize);
    labOpeMsg->setFont(f);
    labOpeMsg->setText(QString(text).replace(CR, QLatin1Char('\n')));
    // Each hint asks afresh whether to show it again.
    chkIKnowOpe->setChecked(false);
    const int left = Twips(picTools->x()) + Twips(picToolsFrame->x()) + leftFromToolsFrame;
    const int top = Twips(picTools->y()) + topFromTools;
    picOpeMsg->move(P(left), P(top));
    picOpeMsg->show();
    picOpeMsg->raise();
}

void SiteWindow::showHint10() {
    ShowHint(UcsHintTemplateFirst,
             QStringLiteral("提示：") + CR +
                 QStringLiteral("    您可以从“网站模板库”中选择一个自己喜欢的模板，然后再进行自助设计。"),
             10, 900, 855);
}

void SiteWindow::cmdClosOpeMsg_Click() {
    const QString id = labMsgSN->text();
    if (chkIKnowOpe->isChecked()) SetUserSetting(id.toInt(), QStringLiteral("1"));
    picOpeMsg->hide();
    if (id == QLatin1String("26") && GetUserSetting(UcsHintTemplateFirst) != QLatin1String("1")) showHint10();
}

void SiteWindow::cmdOpenTeach_Click() {
    teachpicTeach->openPanel(cmdOpenTeach, cmdCloseTeach);
    picAD->hide();
    picTools->move(picTools->x(), P(3180));
    picFrame->move(picFrame->x(), P(4440));
    Form_Resize();
}

void SiteWindow::cmdCloseTeach_Click() {
    teachpicTeach->closePanel(cmdOpenTeach, cmdCloseTeach, UcsTeachMain);
    picAD->show();
    picTools->move(picTools->x(), P(1035));
    picFrame->move(picFrame->x(), P(2295));
    Form_Resize();
}

void SiteWindow::imgMF_Click() {
    PageUrl = QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Main) +
              QStringLiteral("/freeprovision.html");
    OpenWebPageWindow(this);
}

void SiteWindow::imgXF_Click() { OpenBuySpaceWindow(this); }

void SiteWindow::imgXF_MouseDown() {
    imgXF->setFrameShape(QFrame::Box);
    imgXF->setLineWidth(1);
}

void SiteWindow::imgXF_MouseUp() { imgXF->setFrameShape(QFrame::NoFrame); }

void SiteWindow::countSiteBrowserLoad(WebBrowser* browser) {
    if (browser->property("tavolinSiteLoaded").toBool()) return;
    browser->setProperty("tavolinSiteLoaded", true);
    ++m_siteBrowsersLoaded;
    if (m_siteBrowsersLoaded == kCells + 4 && SmallScreen) maximiseAgain();
}

void ShowMainWindowAfterLogin() {
    SiteWindow* w = SiteWindow::loaded();
    if (!w) w = new SiteWindow;
    w->show();
}

// ---- the seam other windows use
namespace mainwindowseam {

void RefreshCell(int cell) {
    SiteWindow* w = SiteWindow::loaded();
    if (!w || cell < 0 || cell >= SiteWindow::kCells) return;
    w->webPage[cell]->refresh();
}

void RefreshBackgroundBrowsers() {
    for (const char* page : {"b", "b1", "b2", "b3"}) RefreshBackgroundBrowser(QString::fromLatin1(page));
}

void RefreshBackgroundBrowser(const QString& page) {
    SiteWindow* w = SiteWindow::loaded();
    if (!w) return;
    const std::pair<const char*, WebBrowser*> browsers[] = {
        {"b", w->webBack}, {"b1", w->webMidBack}, {"b2", w->webPhotoBack}, {"b3", w->webBlogBack}};
    for (const auto& [name, browser] : browsers)
        if (page == QLatin1String(name)) browser->refresh();
}

void RefreshSiteBrowsers() {
    SiteWindow* w = SiteWindow::loaded();
    if (!w) return;
    for (WebBrowser* b : w->webPage) b->refresh();
    RefreshBackgroundBrowsers();
}

void SetCanvasColor(const QColor& color) {
    if (SiteWindow* w = SiteWindow::loaded()) w->SetCanvasColor(color);
}

void ShowRegisteredDomain() {
    frm个人网站Labels::txtDomainNameVisible = false;
    if (SiteWindow* w = SiteWindow::loaded()) w->ShowRegisteredDomain();
}

void ShowHint(int hintId, const QString& text, int pointSize, int topFromTools, int leftFromToolsFrame) {
    if (SiteWindow* w = SiteWindow::loaded()) w->ShowHint(hintId, text, pointSize, topFromTools, leftFromToolsFrame);
}

}  // namespace mainwindowseam
