#include "siteoptions/ui/colorsettingswindow.h"

#include "foundation/folders.h"
#include "foundation/ui/pleasewait.h"
#include "platform/hookcheck.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "siteoptions/ui/waitpanel.h"
#include "state/sitestate.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using twips::ToPixels;

namespace {

// The swatches show their browser 30 twips up and left, so that the browser's frame lies outside.
constexpr int kBrowserInset = 30;
constexpr int kSwatchWidth = 1215;
constexpr int kSwatchHeight = 375;

WebBrowser* NewSwatchBrowser(QWidget* swatch) {
    swatch->setFixedSize(ToPixels(kSwatchWidth), ToPixels(kSwatchHeight));
    auto* browser = new WebBrowser(swatch);
    browser->setSilent(true);
    browser->setGeometry(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset),
                         ToPixels(kSwatchWidth + 2 * kBrowserInset), ToPixels(kSwatchHeight + 2 * kBrowserInset));
    return browser;
}

}  // namespace

ColorSettingsWindow::ColorSettingsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("颜色设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("当前颜色："), this);
    txtOldColor = new QLineEdit(this);
    txtOldColor->setReadOnly(true);
    picOldColor = new QWidget(this);
    webOldColor = NewSwatchBrowser(picOldColor);
    chkDel = new QCheckBox(QStringLiteral("清除当前颜色"), this);
    cmdDel = new QPushButton(QStringLiteral("&D.应用到网站中"), this);
    cmdSetColor = new QPushButton(QStringLiteral("&S.选择其它颜色"), this);
    txtNewColor = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("<-也可以直接把颜色编码复制到此框中"), this);
    picNewColor = new QWidget(this);
    webNewColor = NewSwatchBrowser(picNewColor);
    cmdOK = new QPushButton(QStringLiteral("&U.应用到网站中"), this);
    cmdQuit = new QPushButton(QStringLiteral("&C.关闭"), this);
    cmdOK->setEnabled(false);
    cmdDel->setEnabled(false);
    txtOldColor->setFixedWidth(ToPixels(1200));
    txtNewColor->setFixedWidth(ToPixels(1200));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtOldColor, 0, 1);
    grid->addWidget(picOldColor, 0, 2);
    grid->addWidget(chkDel, 0, 3);
    grid->addWidget(cmdDel, 0, 4);
    grid->addWidget(cmdSetColor, 1, 0);
    grid->addWidget(txtNewColor, 1, 1);
    grid->addWidget(picNewColor, 1, 2);
    grid->addWidget(Label2, 1, 3);
    grid->addWidget(cmdOK, 1, 4);
    grid->addWidget(cmdQuit, 2, 4);

    picNetToService = NewWaitPanel(this, QStringLiteral("正在处理数据，请您稍候..."));
    m_wait = std::make_unique<PleaseWait>(picNetToService,
                                          QList<QWidget*>{cmdOK, cmdDel, cmdSetColor, chkDel, txtNewColor, cmdQuit});

    wireView();

    connect(chkDel, &QCheckBox::toggled, this, [this] { chkDel_Click(); });
    connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
    connect(cmdSetColor, &QPushButton::clicked, this, [this] { cmdSetColor_Click(); });
    connect(txtNewColor, &QLineEdit::textChanged, this, [this] { txtNewColor_Change(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });

    adjustSize();
    CentreWaitPanel(picNetToService);
    Form_Load();
}

ColorSettingsWindow::~ColorSettingsWindow() = default;

void ColorSettingsWindow::wireView() {
    ColorSettingsView& v = logic.view;
    v.refreshOldPreview = MemberHook(this, &ColorSettingsWindow::refreshOldPreview);
    v.refreshNewPreview = MemberHook(this, &ColorSettingsWindow::refreshNewPreview);
    v.enableOK = MemberHook(this, &ColorSettingsWindow::enableOK);
    v.enableDel = MemberHook(this, &ColorSettingsWindow::enableDel);
    v.showCurrentCode = MemberHook(this, &ColorSettingsWindow::showCurrentCode);
    v.setNewCode = MemberHook(this, &ColorSettingsWindow::setNewCode);
    v.showWait = MemberHook(this, &ColorSettingsWindow::showWait);
    v.hideWait = MemberHook(this, &ColorSettingsWindow::hideWait);
    v.close = MemberHook(this, &ColorSettingsWindow::closeDone);
    v.refreshBackground = mainwindowseam::RefreshBackgroundBrowser;
    v.refreshCell = mainwindowseam::RefreshCell;
    v.setCanvasColor = mainwindowseam::SetCanvasColor;
}

void ColorSettingsWindow::refreshOldPreview() { webOldColor->refresh(); }

void ColorSettingsWindow::refreshNewPreview() {
    webNewColor->move(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset));
    webNewColor->refresh();
}

void ColorSettingsWindow::enableOK(bool on) { cmdOK->setEnabled(on); }

void ColorSettingsWindow::enableDel(bool on) { cmdDel->setEnabled(on); }

void ColorSettingsWindow::showCurrentCode(bool on) { txtOldColor->setVisible(on); }

void ColorSettingsWindow::setNewCode(const QString& code) {
    // The logic runs the change handler itself: a code equal to the box's text signals nothing.
    const QSignalBlocker block(txtNewColor);
    txtNewColor->setText(code);
}

void ColorSettingsWindow::showWait() { m_wait->begin(); }

void ColorSettingsWindow::hideWait() { m_wait->end(); }

void ColorSettingsWindow::closeDone() { accept(); }

void ColorSettingsWindow::Form_Load() {
    webOldColor->Navigate(MemberTempPath(QStringLiteral("setpic.html")));
    webNewColor->Navigate(MemberTempPath(QStringLiteral("viewcolor.html")));
    webOldColor->move(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset));
    txtOldColor->setText(CellRecord.value(ColorRecord::CurrentColor));
    setWindowTitle(CellRecord.value(ColorRecord::Caption));
}

void ColorSettingsWindow::chkDel_Click() { logic.chkDel_Click(chkDel->isChecked()); }

void ColorSettingsWindow::txtNewColor_Change() { logic.txtNewColor_Change(txtNewColor->text()); }
