#pragma once
// The web windows: a service page or a generated page in an embedded browser, each shown modally
// by its opener and returning nothing. WebPageWindow and WebFrameWindow show PageUrl; MySiteWindow the member's
// published site with a refresh hint; BuySpaceWindow the service's buy-space page.
#include "login/memberpages.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QResizeEvent;
class QShowEvent;
class QTimer;
class StatusPanels;
class WebBrowser;

// WebPageWindow: PageUrl in a silent browser; pages may open their own browser windows.
class WebPageWindow : public QDialog {
public:
    explicit WebPageWindow(QWidget* parent = nullptr);

    WebBrowser* webIE = nullptr;
    QProgressBar* proIE = nullptr;
    StatusPanels* staIE = nullptr;

    void Form_Load();
    void Form_Resize();
    void webIE_ProgressChange(int progress, int progressMax);

protected:
    void resizeEvent(QResizeEvent* e) override;
};
using frmIE = WebPageWindow;  // web page on PageUrl

// WebFrameWindow: PageUrl in a browser that refuses new windows, with a close button.
class WebFrameWindow : public QDialog {
public:
    explicit WebFrameWindow(QWidget* parent = nullptr);

    WebBrowser* web = nullptr;
    QProgressBar* proIE = nullptr;
    StatusPanels* staIE = nullptr;
    QPushButton* cmdClose = nullptr;

    void Form_Load();
    void Form_Resize();
    void web_ProgressChange(int progress, int progressMax);
    void web_NewWindow2(bool* cancel);
    void cmdClose_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
};
using frmWebFrame = WebFrameWindow;  // framed web page on PageUrl

// MySiteWindow: the member's published site, with refresh, view-in-the-system-browser and the one-time
// refresh hint (member setting 8).
class MySiteWindow : public QDialog {
public:
    explicit MySiteWindow(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* txtURL = nullptr;
    QLabel* txtTX = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QPushButton* cmdViewWithIE = nullptr;
    WebBrowser* webIE = nullptr;
    QProgressBar* proIE = nullptr;
    StatusPanels* staIE = nullptr;
    QTimer* Timer1 = nullptr;

    void Form_Load();
    void Form_Resize();
    void webIE_ProgressChange(int progress, int progressMax);
    void webIE_NewWindow2(bool* cancel);
    void cmdRefresh_Click();
    void cmdViewWithIE_Click();
    void Timer1_Timer();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    QString m_siteAddress;
    bool m_timer1Enabled = false;
};
using frmIE2 = MySiteWindow;  // the member's published site

// RefreshHintWindow: the refresh hint of MySiteWindow with its do-not-show-again box.
class RefreshHintWindow : public QDialog {
public:
    explicit RefreshHintWindow(QWidget* parent = nullptr);

    QCheckBox* chkIKnow = nullptr;
    QPushButton* cmdYes = nullptr;

    void cmdYes_Click();
};
using frmRefreashInfo = RefreshHintWindow;  // refresh hint

// BuySpaceWindow: the service's buy-space page.
class BuySpaceWindow : public QDialog {
public:
    explicit BuySpaceWindow(QWidget* parent = nullptr);

    WebBrowser* web = nullptr;
    QPushButton* cmdClose = nullptr;

    void Form_Load();
    void cmdClose_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
};
using frmBuySpace = BuySpaceWindow;  // buy-space page
