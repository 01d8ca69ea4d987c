#include "site/ui/templatechooserwindow.h"

#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "state/loginstate.h"
#include "login/ui/login_entry.h"
#include "state/sitewindowlabels.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/ui/webbrowser.h"
#include "site/pagefile.h"
#include "site/publishsite.h"
#include "site/ui/site_entry.h"
#include "site/ui/browserselection.h"
#include "site/siteview.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"

#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

using twips::ToPixels;

namespace {

const QString kTitle = QStringLiteral("提示");

// Places a control at a position and size given in twips.
void PlaceTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

}  // namespace

void RefreshMainWindowAfterTemplate() {
    mainwindowseam::RefreshSiteBrowsers();
    mainwindowseam::SetCanvasColor(TemplateCanvasColor());
}

TemplateChooserWindow::TemplateChooserWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("网站模板库"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    webMB = new WebBrowser(this);
    cheQJ = new QCheckBox(QStringLiteral("保留原先的前景图"), this);
    cheBJ = new QCheckBox(QStringLiteral("保留原先的背景图"), this);
    cheTxt = new QCheckBox(QStringLiteral("保留原先的文字"), this);
    cheMusic = new QCheckBox(QStringLiteral("保留原先的背景音乐设置"), this);
    cheTxt->setChecked(true);
    cheMusic->setChecked(true);
    cmdView = new QPushButton(QStringLiteral("&V.预 览"), this);
    cmdOK = new QPushButton(QStringLiteral("&Y.应用到我的网站中"), this);
    cmdCancel = new QPushButton(QStringLiteral("&B.关 闭"), this);

    fraSM = new QGroupBox(QStringLiteral("操作说明"), this);
    auto* notes = new QVBoxLayout(fraSM);
    const std::pair<int, const char*> texts[] = {
        {0, "1、请先从模板列表中选择中一个模板，然后点击右下角的“预览”按钮查看模板效果。"},
        {1, "2、若对模板效果满意则可以点击“应用到我的网站中”按钮，即可把模板套用到您的网站中了。"},
        {2, "注：选择保留原先的前景图、背景图、文字、背景音乐是指您若对网站进行过某些设置，则套入新模板后会把您已经设置过的信息保留下来；"},
        {4, "建议您先预览一下这几种模式的效果后再决定选择哪些模式来“应用到我的网站中”。"},
    };
    for (const auto& [index, text] : texts) {
        auto* label = new QLabel(QString::fromUtf8(text), fraSM);
        label->setWordWrap(true);
        if (index >= 2) label->setStyleSheet(QStringLiteral("color: red"));
        notes->addWidget(label);
        Label1[index] = label;
    }
    notes->addStretch(1);

    // Shown over the browser while the publish call runs.
    picNetToService = new QWidget(this);
    picNetToService->setAutoFillBackground(true);
    auto* wait = new QHBoxLayout(picNetToService);
    Image1 = new QProgressBar(picNetToService);
    Image1->setRange(0, 0);
    Image1->setTextVisible(false);
    Image1->setFixedWidth(ToPixels(1200));
    Label8 = new QLabel(QStringLiteral("正在处理数据，请您稍候..."), picNetToService);
    wait->addWidget(Image1);
    wait->addWidget(Label8);
    picNetToService->setFixedSize(ToPixels(4800), ToPixels(600));
    picNetToService->hide();

    // Design positions (twips); Form_Resize keeps the tops and sizes that follow the window.
    webMB->move(ToPixels(45), 0);
    PlaceTwips(cheQJ, 120, 0, 2160, 300);
    PlaceTwips(cheBJ, 2340, 0, 2160, 300);
    PlaceTwips(cheTxt, 4560, 0, 1920, 300);
    PlaceTwips(cheMusic, 6540, 0, 2880, 300);
    PlaceTwips(cmdView, 9600, 0, 1335, 420);
    PlaceTwips(cmdOK, 11040, 0, 2415, 420);
    PlaceTwips(cmdCancel, 13560, 0, 1335, 420);
    PlaceTwips(fraSM, 45, 0, 14910, 2100);
    resize(ToPixels(15120), ToPixels(10800));

    connect(cmdView, &QPushButton::clicked, this, [this] { cmdView_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void TemplateChooserWindow::Form_Load() {
    if (SmallScreen) setWindowState(windowState() | Qt::WindowMaximized);
    webMB->Navigate(frm个人网站Labels::labMBURL);
}

void TemplateChooserWindow::Form_Resize() {
    const int innerW = twips::FromPixels(width());
    const int innerH = twips::FromPixels(height());
    const int webTop = twips::FromPixels(webMB->y());
    const int webH = qMax(0, innerH - 2760);
    webMB->resize(ToPixels(qMax(0, innerW - 90)), ToPixels(webH));

    const int checkTop = webTop + webH + 195;
    for (QWidget* w : {static_cast<QWidget*>(cheQJ), static_cast<QWidget*>(cheBJ),
                       static_cast<QWidget*>(cheTxt), static_cast<QWidget*>(cheMusic)})
        w->move(w->x(), ToPixels(checkTop));
    for (QPushButton* b : {cmdView, cmdOK, cmdCancel}) b->move(b->x(), ToPixels(checkTop - 90));
    // The instructions lie across the window under the row of boxes and buttons.
    fraSM->setGeometry(fraSM->x(), ToPixels(checkTop + 330), ToPixels(qMax(0, innerW - 90)), fraSM->height());

    picNetToService->move((width() - picNetToService->width()) / 2, (ToPixels(webH) - picNetToService->height()) / 2);
}

void TemplateChooserWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Form_Resize();
}

TemplateKeepRules TemplateChooserWindow::keepRules() const {
    TemplateKeepRules keep;
    keep.keepForeground = cheQJ->isChecked();
    keep.keepBackground = cheBJ->isChecked();
    keep.keepText = cheTxt->isChecked();
    keep.keepMusic = cheMusic->isChecked();
    return keep;
}

bool TemplateChooserWindow::LoadChosenTemplate(const QString& nothingChosenMessage) {
    return ::LoadChosenTemplate(PageSelectionText(webMB), nothingChosenMessage, keepRules());
}

void TemplateChooserWindow::cmdCancel_Click() { close(); }

void TemplateChooserWindow::cmdView_Click() {
    if (!LoadChosenTemplate(QStringLiteral("您尚未选择要调用的模板，请您先选择模板再按“预览”按钮。"))) return;
    // Only the whole-site page is written while PreviewOnly is set; the site's pages stay.
    PreviewOnly = -1;
    try {
        CreateSiteViewHtml(TemplateColumn);
    } catch (const VbError&) {
        PreviewOnly = 0;
        MsgBox(QStringLiteral("遇到意外错误！预览页面无法生成，请您稍后再试..."), vbInformation, kTitle);
        return;
    }
    PreviewOnly = 0;
    PageUrl = SitePagePath(QStringLiteral("view.html"));
    OpenWebPageWindow(this);
}

void TemplateChooserWindow::cmdOK_Click() {
    if (LoginField(12).isEmpty()) {
        MsgBox(QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"),
               vbInformation, kTitle);
        return;
    }
    if (!LoadChosenTemplate(QStringLiteral("您尚未选择要调用的模板，请您先选择模板再继续..."))) return;
    ApplyTemplateToSite();
}

TemplateChooserWindowView TemplateChooserWindow::view() {
    TemplateChooserWindowView v;
    v.showWait = MemberHook(this, &TemplateChooserWindow::showWait);
    v.hideWait = MemberHook(this, &TemplateChooserWindow::hideWait);
    v.refreshMainWindow = RefreshMainWindowAfterTemplate;
    v.close = MemberHook(this, &TemplateChooserWindow::unloadAfterApply);
    return v;
}

void TemplateChooserWindow::showWait() {
    picNetToService->show();
    picNetToService->raise();
    picNetToService->repaint();
}

void TemplateChooserWindow::hideWait() { picNetToService->hide(); }

void TemplateChooserWindow::unloadAfterApply() { accept(); }

void TemplateChooserWindow::ApplyTemplateToSite() { ::ApplyTemplateToSite(view()); }

void OpenTemplateChooser(QWidget* parent) {
    TemplateChooserWindow chooser(parent);
    chooser.exec();
}
