// The network-error window: its fixed texts and its one button.
#include <gtest/gtest.h>

#include "login/ui/networkerrorwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

TEST(NetErrorWindow, ShowsTheFixedTextsAndClosesOnItsButton) {
    frmNetError w;
    EXPECT_EQ(w.windowTitle(), "提示");
    EXPECT_EQ(w.size(), QSize(418, 328));
    QStringList texts;
    for (QLabel* l : w.Label) texts.append(l->text());
    EXPECT_EQ(texts, (QStringList{QStringLiteral("遇到错误！"), QStringLiteral("无法连接到Tavolin网络服务器"),
                                  QStringLiteral("可能是由以下原因造成："), QStringLiteral("1、计算机没有连接互联网；"),
                                  QStringLiteral("2、需要通过代理上网，但没有设置代理；"),
                                  QStringLiteral("3、您的电脑安装了个人防火墙；"),
                                  QStringLiteral("4、当前版本暂不支持Vista及Windows7系统。")}));
    EXPECT_EQ(w.cmdClose->text(), "&C.关 闭");
    EXPECT_FALSE(w.Image1->pixmap().isNull());

    bool wasVisible = false;
    QTimer::singleShot(0, &w, [&] {
        wasVisible = w.isVisible();
        w.cmdClose->click();
    });
    w.exec();  // returns once the button closed it
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(w.isVisible());
}
