#include "mainwindow/ui/commandwiring.h"

#include "mainwindow/commands.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/homealbumpanel.h"
#include "platform/ui/webbrowser.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

// Owns the commands, as a child of the window.
class CommandHolder : public QObject {
public:
    explicit CommandHolder(QObject* window) : QObject(window) {
        setObjectName(QStringLiteral("mainWindowCommands"));
        commands.windows = CommandWindows::program();
    }
    MainWindowCommands commands;
    HomeAlbumPanel* panel = nullptr;
    QToolButton* cmdSetHomePhoto = nullptr;
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

}  // namespace

void WireMainWindowCommands(frm个人网站& w) {
    if (HolderOf(w)) return;
    auto* holder = new CommandHolder(&w);
    MainWindowCommands& c = holder->commands;
    holder->panel = new HomeAlbumPanel(w.picWeb, c);
    HomeAlbumPanel* panel = holder->panel;

    SiteWindowView& h = c.view;
    h.window = &w;
    h.refreshCell = [&w](int cell) {
        if (cell >= 0 && cell < frm个人网站::kCells && w.webPage[cell]) w.webPage[cell]->refresh();
    };
    h.refreshAreaBackgrounds = [&w] {
        for (WebBrowser* b : {w.webMidBack, w.webPhotoBack, w.webBlogBack})
            if (b) b->refresh();
    };
    h.showWait = [&w] {
        w.picNetToService->show();
        w.picNetToService->raise();
        w.picNetToService->repaint();
    };
    h.hideWait = [&w] { w.picNetToService->hide(); };
    h.enableMusicButton = [&w](bool on) { w.cmdSetMusic->setEnabled(on); };
    h.domainBoxText = [&w] { return w.txtDomainName->text(); };
    h.setDomainBoxText = [&w](const QString& text) { w.txtDomainName->setText(text); };
    h.focusDomainBox = [&w] {
        if (w.txtDomainName->isVisible()) w.txtDomainName->setFocus();
    };
    h.enableTestDomain = [&w](bool on) { w.cmdTestDomain->setEnabled(on); };
    h.enableRegDomain = [&w](bool on) { w.cmdRegDomain->setEnabled(on); };
    h.showHint = [&w](int id, const QString& text, int size, int top, int left) { w.ShowHint(id, text, size, top, left); };
    h.fillAlbumList = [panel](const QStringList& names) {
        panel->lisAlbum->clear();
        panel->lisAlbum->addItems(names);
    };
    h.homeAlbumText = [panel] { return panel->txtHomeAlbum->text(); };
    h.setHomeAlbumText = [panel](const QString& text) { panel->SetHomeAlbumText(text); };
    h.showHomeAlbumPanel = [panel] {
        panel->show();
        panel->raise();
    };
    h.hideHomeAlbumPanel = [panel] { panel->hide(); };

    QObject* ctx = holder;
    for (auto it = w.cmdEdit.cbegin(); it != w.cmdEdit.cend(); ++it) {
        const int index = it.key();
        OnClick(it.value(), ctx, [&c, index] { c.cmdEdit_Click(index); });
    }
    for (int k = 0; k < int(w.cmdUploadAreaPic.size()); ++k)
        OnClick(w.cmdUploadAreaPic[k], ctx, [&c, k] { c.cmdUploadAreaPic_Click(k); });
    OnClick(w.cmdSetMusic, ctx, [&c] { c.cmdSetMusic_Click(); });
    OnClick(w.cmdLYB, ctx, [&c] { c.cmdLYB_Click(); });
    OnClick(w.cmdMsg, ctx, [&c] { c.cmdMsg_Click(); });
    OnClick(w.cmdWriteTBlog, ctx, [&c] { c.cmdWriteTBlog_Click(); });
    OnClick(w.cmdTblogMag, ctx, [&c] { c.cmdTblogMag_Click(); });
    OnClick(w.cmdSetPhotoBox, ctx, [&c] { c.cmdSetPhotoBox_Click(); });
    OnClick(w.cmdBlogMag, ctx, [&c] { c.cmdBlogMag_Click(); });
    OnClick(w.cmdWriteBlog, ctx, [&c] { c.cmdWriteBlog_Click(); });
    OnClick(w.cmdSuggest, ctx, [&c] { c.cmdSuggest_Click(); });
    OnClick(w.cmdPicEdit, ctx, [&c] { c.cmdPicEdit_Click(); });
    OnClick(w.cmdSetUserInfo, ctx, [&c] { c.cmdSetUserInfo_Click(); });
    OnClick(w.cmdBuySpace, ctx, [&c] { c.cmdBuySpace_Click(); });
    OnClick(w.cmdTemplate, ctx, [&c] { c.cmdTemplate_Click(); });
    OnClick(w.cmdUploadPic, ctx, [&c] { c.cmdUploadPic_Click(); });
    OnClick(w.cmdViewMyMBSite, ctx, [&c] { c.cmdViewMyMBSite_Click(); });
    OnClick(w.cmdPicManage, ctx, [&c] { c.cmdPicManage_Click(); });
    OnClick(w.cmdViewMySite, ctx, [&c] { c.cmdViewMySite_Click(); });
    OnClick(w.cmdTestDomain, ctx, [&c] { c.cmdTestDomain_Click(); });
    OnClick(w.cmdRegDomain, ctx, [&c] { c.cmdRegDomain_Click(); });
    OnClick(w.cmdEncrypt, ctx, [&c] { c.cmdEncrypt_Click(); });
    holder->cmdSetHomePhoto = NewSetHomePhotoButton(w.picPage[18]);
    OnClick(holder->cmdSetHomePhoto, ctx, [&c] { c.cmdSetHomePhoto_Click(); });
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
