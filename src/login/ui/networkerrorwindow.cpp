#include "login/ui/networkerrorwindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

NetworkErrorWindow::NetworkErrorWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("提示"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(418, 328);

    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    Image2 = new QLabel(this);
    Image2->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));

    const char* texts[] = {"遇到错误！",
                           "无法连接到Tavolin网络服务器",
                           "可能是由以下原因造成：",
                           "1、计算机没有连接互联网；",
                           "2、需要通过代理上网，但没有设置代理；",
                           "3、您的电脑安装了个人防火墙；",
                           "4、当前版本暂不支持Vista及Windows7系统。"};
    for (const char* t : texts) Label.append(new QLabel(QString::fromUtf8(t), this));
    QFont heading = Label[0]->font();
    heading.setBold(true);
    Label[0]->setFont(heading);
    heading.setPointSizeF(heading.pointSizeF() * 1.2);
    Label[1]->setFont(heading);

    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    auto* headings = new QVBoxLayout;
    headings->addWidget(Label[0]);
    headings->addWidget(Label[1]);
    top->addLayout(headings, 1);

    auto* reasons = new QVBoxLayout;
    reasons->addWidget(Label[2]);
    for (int i = 3; i < Label.size(); ++i) {
        Label[i]->setContentsMargins(16, 0, 0, 0);
        reasons->addWidget(Label[i]);
    }
    auto* middle = new QHBoxLayout;
    middle->addWidget(Image2, 0, Qt::AlignTop);
    middle->addLayout(reasons, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(middle);
    layout->addStretch(1);
    layout->addLayout(bottom);
}

void NetworkErrorWindow::cmdClose_Click() { close(); }

void ShowNetErrorWindow() {
    NetworkErrorWindow window(QApplication::activeWindow());
    window.exec();
}
