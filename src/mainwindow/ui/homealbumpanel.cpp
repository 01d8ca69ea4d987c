#include "mainwindow/ui/homealbumpanel.h"

#include "mainwindow/commands.h"
#include "platform/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
void SetTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips::ToPixels(left), twips::ToPixels(top), twips::ToPixels(width), twips::ToPixels(height));
}

QLabel* NewLabel(QWidget* parent, const QString& text, int left, int top, int width) {
    auto* l = new QLabel(text, parent);
    SetTwips(l, left, top, width, 270);
    return l;
}
}  // namespace

HomeAlbumPanel::HomeAlbumPanel(QWidget* canvas, MainWindowCommands& commands) : QFrame(canvas), m_commands(commands) {
    setObjectName(QStringLiteral("fraSetMainAlbum"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xF4, 0xF8, 0xFC));
    setPalette(p);
    // Over the home-page album cell 18 (306, 865 pixels on the canvas).
    SetTwips(this, 5640, 13800, 7200, 4200);

    auto* title = NewLabel(this, QStringLiteral("首页相册设置"), 120, 90, 3000);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    picCloseMainAlbum = new QPushButton(QStringLiteral("×"), this);
    picCloseMainAlbum->setToolTip(QStringLiteral("关闭当前的页面"));
    picCloseMainAlbum->setFlat(true);
    picCloseMainAlbum->setCursor(Qt::PointingHandCursor);
    SetTwips(picCloseMainAlbum, 6780, 60, 330, 330);

    NewLabel(this, QStringLiteral("请从左边的相册中选择一个相册作为首页相册"), 3240, 480, 3900);
    lisAlbum = new QListWidget(this);
    SetTwips(lisAlbum, 120, 480, 2970, 3540);
    NewLabel(this, QStringLiteral("首页相册："), 3240, 960, 1100);
    txtHomeAlbum = new QLineEdit(this);
    txtHomeAlbum->setReadOnly(true);
    SetTwips(txtHomeAlbum, 4320, 930, 2700, 330);
    cmdSaveHomeAlbum = new QPushButton(QStringLiteral("&S.保 存"), this);
    cmdSaveHomeAlbum->setEnabled(false);
    SetTwips(cmdSaveHomeAlbum, 4320, 1440, 1200, 390);
    cmdCloseMainAlbum = new QPushButton(QStringLiteral("&C.关闭"), this);
    SetTwips(cmdCloseMainAlbum, 5640, 1440, 1200, 390);
    NewLabel(this, QStringLiteral("若左边的框中没有可选的相册，则请点击下面"), 3240, 2280, 3900);
    NewLabel(this, QStringLiteral("的按钮："), 3240, 2580, 3900);
    cmdSetAlbum = new QPushButton(QStringLiteral("相册设置"), this);
    cmdSetAlbum->setCursor(Qt::PointingHandCursor);
    SetTwips(cmdSetAlbum, 3240, 2940, 1500, 390);
    NewLabel(this, QStringLiteral("进入相册设置界面后新建相册。"), 3240, 3420, 3900);

    connectHandlers();
    hide();
}

void HomeAlbumPanel::connectHandlers() {
    connect(lisAlbum, &QListWidget::itemClicked, this, [this] { lisAlbum_Click(); });
    connect(txtHomeAlbum, &QLineEdit::textChanged, this, [this] { txtHomeAlbum_Change(); });
    connect(cmdSaveHomeAlbum, &QPushButton::clicked, this, [this] { m_commands.cmdSaveHomeAlbum_Click(); });
    connect(cmdSetAlbum, &QPushButton::clicked, this, [this] { m_commands.cmdSetAlbum_Click(); });
    connect(cmdCloseMainAlbum, &QPushButton::clicked, this, [this] { m_commands.cmdCloseMainAlbum_Click(); });
    connect(picCloseMainAlbum, &QPushButton::clicked, this, [this] { m_commands.cmdCloseMainAlbum_Click(); });
}

void HomeAlbumPanel::lisAlbum_Click() {
    if (const QListWidgetItem* item = lisAlbum->currentItem()) SetHomeAlbumText(item->text());
}

void HomeAlbumPanel::txtHomeAlbum_Change() { cmdSaveHomeAlbum->setEnabled(HomeAlbumSaveEnabled(txtHomeAlbum->text())); }

void HomeAlbumPanel::SetHomeAlbumText(const QString& text) {
    const QSignalBlocker block(txtHomeAlbum);
    txtHomeAlbum->setText(text);
    txtHomeAlbum_Change();
}
