#include "mainwindow/ui/commandwiring.h"

#include "mainwindow/commands.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/homealbumpanel.h"
#include "platform/hookcheck.h"
#include "platform/ui/webbrowser.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

// Owns the commands, as a child of the window, and serves their view of the window and its
// home-page album panel.
class CommandHolder : public QObject {
public:
    explicit CommandHolder(frm个人网站& window) : QObject(&window), w(window) {
        setObjectName(QStringLiteral("mainWindowCommands"));
        commands.windows = CommandWindows::program();
        panel = new HomeAlbumPanel(w.picWeb, commands);
    }
    void wireView();
    void connectButtons();

    frm个人网站& w;
    MainWindowCommands commands;
    HomeAlbumPanel* panel = nullptr;
    QToolButton* cmdSetHomePhoto = nullptr;

private:
    // The view's hooks.
    void refreshCell(int cell);
    void refreshAreaBackgrounds();
    void showWait();
    void hideWait();
    void enableMusicButton(bool on);
    QString domainBoxText() const;
    void setDomainBoxText(const QString& text);
    void focusDomainBox();
    void enableTestDomain(bool on);
    void enableRegDomain(bool on);
    void showHint(int id, const QString& text, int size, int top, int left);
    void fillAlbumList(const QStringList& names);
    QString homeAlbumText() const;
    void setHomeAlbumText(const QString& text);
    void showHomeAlbumPanel();
    void hideHomeAlbumPanel();
};

CommandHolder* HolderOf(frm个人网站& w) {
    return w.findChild<CommandHolder*>(QStringLiteral("mainWindowCommands"), Qt::FindDirectChildrenOnly);
}

template <class Button, class F>
void OnClick(Button* b, QObject* context, F f) {
    if (b) QObject::connect(b, &Button::clicked, context, f);
}

// The home-album command sits left of the buttons already in cell 18's box.
QToolButton* NewSetHomePhotoButton(QWidget* box) {
    int left = box->width() - 2;
    for (const QToolButton* b : box->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) left = qMin(left, b->x());
    auto* b = new QToolButton(box);
    b->setObjectName(QStringLiteral("cmdSetHomePhoto"));
    b->setText(QStringLiteral("首页相册"));
    QFont f = b->font();
    f.setPixelSize(11);
    b->setFont(f);
    b->setToolTip(QStringLiteral("选择首页相册"));
    b->setCursor(Qt::PointingHandCursor);
    b->adjustSize();
    b->resize(b->width(), 18);
    b->move(qMax(0, left - 2 - b->width()), 2);
    b->raise();
    return b;
}

void CommandHolder::wireView() {
    SiteWindowView& h = commands.view;
    h.window = &w;
    h.refreshCell = MemberHook(this, &CommandHolder::refreshCell);
    h.refreshAreaBackgrounds = MemberHook(this, &CommandHolder::refreshAreaBackgrounds);
    h.showWait = MemberHook(this, &CommandHolder::showWait);
    h.hideWait = MemberHook(this, &CommandHolder::hideWait);
    h.enableMusicButton = MemberHook(this, &CommandHolder::enableMusicButton);
    h.domainBoxText = MemberHook(this, &CommandHolder::domainBoxText);
    h.setDomainBoxText = MemberHook(this, &CommandHolder::setDomainBoxText);
    h.focusDomainBox = MemberHook(this, &CommandHolder::focusDomainBox);
    h.enableTestDomain = MemberHook(this, &CommandHolder::enableTestDomain);
    h.enableRegDomain = MemberHook(this, &CommandHolder::enableRegDomain);
    h.showHint = MemberHook(this, &CommandHolder::showHint);
    h.fillAlbumList = MemberHook(this, &CommandHolder::fillAlbumList);
    h.homeAlbumText = MemberHook(this, &CommandHolder::homeAlbumText);
    h.setHomeAlbumText = MemberHook(this, &CommandHolder::setHomeAlbumText);
    h.showHomeAlbumPanel = MemberHook(this, &CommandHolder::showHomeAlbumPanel);
    h.hideHomeAlbumPanel = MemberHook(this, &CommandHolder::hideHomeAlbumPanel);
}

void CommandHolder::refreshCell(int cell) {
    if (cell >= 0 && cell < frm个人网站::kCells && w.webPage[cell]) w.webPage[cell]->refresh();
}

void CommandHolder::refreshAreaBackgrounds() {
    for (WebBrowser* b : {w.webMidBack, w.webPhotoBack, w.webBlogBack})
        if (b) b->refresh();
}

void CommandHolder::showWait() {
    w.picNetToService->show();
    w.picNetToService->raise();
    w.picNetToService->repaint();
}

void CommandHolder::hideWait() { w.picNetToService->hide(); }

void CommandHolder::enableMusicButton(bool on) { w.cmdSetMusic->setEnabled(on); }

QString CommandHolder::domainBoxText() const { return w.txtDomainName->text(); }

void CommandHolder::setDomainBoxText(const QString& text) { w.txtDomainName->setText(text); }

void CommandHolder::focusDomainBox() {
    if (w.txtDomainName->isVisible()) w.txtDomainName->setFocus();
}

void CommandHolder::enableTestDomain(bool on) { w.cmdTestDomain->setEnabled(on); }

void CommandHolder::enableRegDomain(bool on) { w.cmdRegDomain->setEnabled(on); }

void CommandHolder::showHint(int id, const QString& text, int size, int top, int left) {
    w.ShowHint(id, text, size, top, left);
}

void CommandHolder::fillAlbumList(const QStringList& names) {
    panel->lisAlbum->clear();
    panel->lisAlbum->addItems(names);
}

QString CommandHolder::homeAlbumText() const { return panel->txtHomeAlbum->text(); }

void CommandHolder::setHomeAlbumText(const QString& text) { panel->SetHomeAlbumText(text); }

void CommandHolder::showHomeAlbumPanel() {
    panel->show();
    panel->raise();
}

void CommandHolder::hideHomeAlbumPanel() { panel->hide(); }

void CommandHolder::connectButtons() {
    MainWindowCommands& c = commands;
    for (auto it = w.cmdEdit.cbegin(); it != w.cmdEdit.cend(); ++it) {
        const int index = it.key();
        OnClick(it.value(), this, [&c, index] { c.cmdEdit_Click(index); });
    }
    for (int k = 0; k < int(w.cmdUploadAreaPic.size()); ++k)
        OnClick(w.cmdUploadAreaPic[k], this, [&c, k] { c.cmdUploadAreaPic_Click(k); });
    OnClick(w.cmdSetMusic, this, [&c] { c.cmdSetMusic_Click(); });
    OnClick(w.cmdLYB, this, [&c] { c.cmdLYB_Click(); });
    OnClick(w.cmdMsg, this, [&c] { c.cmdMsg_Click(); });
    OnClick(w.cmdWriteTBlog, this, [&c] { c.cmdWriteTBlog_Click(); });
    OnClick(w.cmdTblogMag, this, [&c] { c.cmdTblogMag_Click(); });
    OnClick(w.cmdSetPhotoBox, this, [&c] { c.cmdSetPhotoBox_Click(); });
    OnClick(w.cmdBlogMag, this, [&c] { c.cmdBlogMag_Click(); });
    OnClick(w.cmdWriteBlog, this, [&c] { c.cmdWriteBlog_Click(); });
    OnClick(w.cmdSuggest, this, [&c] { c.cmdSuggest_Click(); });
    OnClick(w.cmdPicEdit, this, [&c] { c.cmdPicEdit_Click(); });
    OnClick(w.cmdSetUserInfo, this, [&c] { c.cmdSetUserInfo_Click(); });
    OnClick(w.cmdBuySpace, this, [&c] { c.cmdBuySpace_Click(); });
    OnClick(w.cmdTemplate, this, [&c] { c.cmdTemplate_Click(); });
    OnClick(w.cmdUploadPic, this, [&c] { c.cmdUploadPic_Click(); });
    OnClick(w.cmdViewMyMBSite, this, [&c] { c.cmdViewMyMBSite_Click(); });
    OnClick(w.cmdPicManage, this, [&c] { c.cmdPicManage_Click(); });
    OnClick(w.cmdViewMySite, this, [&c] { c.cmdViewMySite_Click(); });
    OnClick(w.cmdTestDomain, this, [&c] { c.cmdTestDomain_Click(); });
    OnClick(w.cmdRegDomain, this, [&c] { c.cmdRegDomain_Click(); });
    OnClick(w.cmdEncrypt, this, [&c] { c.cmdEncrypt_Click(); });
    cmdSetHomePhoto = NewSetHomePhotoButton(w.picPage[18]);
    OnClick(cmdSetHomePhoto, this, [&c] { c.cmdSetHomePhoto_Click(); });
}

}  // namespace

void WireMainWindowCommands(frm个人网站& w) {
    if (HolderOf(w)) return;
    auto* holder = new CommandHolder(w);
    holder->wireView();
    holder->connectButtons();
}

MainWindowCommands* CommandsOf(frm个人网站& w) {
    CommandHolder* h = HolderOf(w);
    return h ? &h->commands : nullptr;
}

HomeAlbumPanel* HomeAlbumPanelOf(frm个人网站& w) {
    CommandHolder* h = HolderOf(w);
    return h ? h->panel : nullptr;
}

QToolButton* SetHomePhotoButtonOf(frm个人网站& w) {
    CommandHolder* h = HolderOf(w);
    return h ? h->cmdSetHomePhoto : nullptr;
}
