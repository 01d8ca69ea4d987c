#pragma once
// The web windows: a service page or a generated page in an embedded browser, each shown modally
// by its opener and returning nothing. frmIE and frmWebFrame show PageUrl; frmIE2 the member's
// published site with a refresh hint; frmBuySpace the service's buy-space page.
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

// "http://www.<registered domain label>.<service domain>", no path.
QString MemberSiteAddress();
// The buy-space page on the account host with k1 = LoginInfo field 11 and k2 = field 6.
QString BuySpacePageAddress();

// frmIE: PageUrl in a silent browser; pages may open their own browser windows.
class frmIE : public QDialog {
public:
    explicit frmIE(QWidget* parent = nullptr);

    WebBrowser* webIE = nullptr;
    QProgressBar* proIE = nullptr;
    StatusPanels* staIE = nullptr;

    void Form_Load();
    void Form_Resize();
    void webIE_ProgressChange(int progress, int progressMax);

protected:
    void resizeEvent(QResizeEvent* e) override;
};

// frmWebFrame: PageUrl in a browser that refuses new windows, with a close button.
class frmWebFrame : public QDialog {
public:
    explicit frmWebFrame(QWidget* parent = nullptr);

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

// frmIE2: the member's published site, with refresh, view-in-the-system-browser and the one-time
// refresh hint (member setting 8).
class frmIE2 : public QDialog {
public:
    explicit frmIE2(QWidget* parent = nullptr);

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

// frmRefreashInfo: the refresh hint of frmIE2 with its do-not-show-again box.
class frmRefreashInfo : public QDialog {
public:
    explicit frmRefreashInfo(QWidget* parent = nullptr);

    QCheckBox* chkIKnow = nullptr;
    QPushButton* cmdYes = nullptr;

    void cmdYes_Click();
};

// frmBuySpace: the service's buy-space page.
class frmBuySpace : public QDialog {
public:
    explicit frmBuySpace(QWidget* parent = nullptr);

    WebBrowser* web = nullptr;
    QPushButton* cmdClose = nullptr;

    void Form_Load();
    void cmdClose_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
};
