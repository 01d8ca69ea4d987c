#pragma once
// The mobile-site preview: the member's mobile site in a browser, shrunk to a phone screen or at
// a monitor's size. Opened by the main window's mobile-site button once a domain is registered.
#include "siteoptions/mobilesite.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTimer;
class WebBrowser;

// No Q_OBJECT: moc cannot read the name.
class MobileSiteWindow : public QDialog {
public:
    explicit MobileSiteWindow(QWidget* parent = nullptr);

    QLineEdit* txtURL = nullptr;
    QWidget* picWeb = nullptr;
    WebBrowser* webView = nullptr;
    QPushButton* cmdViewBy53 = nullptr;
    QPushButton* cmdViewBy100 = nullptr;
    QPushButton* cmdClose = nullptr;
    QTimer* Timer1 = nullptr;

    // The logic, with the hooks this window set.
    MobileSiteController logic;

    void Form_Load() { logic.Form_Load(); }
    void cmdViewBy53_Click() { logic.cmdViewBy53_Click(); }
    void cmdViewBy100_Click() { logic.cmdViewBy100_Click(); }
    void webView_ProgressChange(int progress, int progressMax) { logic.webView_ProgressChange(progress, progressMax); }
    void webView_NewWindow2(bool* cancel) { logic.webView_NewWindow2(cancel); }
    void Timer1_Timer() { logic.Timer1_Timer(); }
    void cmdClose_Click() { close(); }

private:
    // The logic's view: each hook served by the member of its name.
    void wireView();
    void setAddress(const QString& address);
    void navigate(const QString& address);
    bool hasDocument() const;
    void runScript(const QString& script);
    void placeFrame(int left, int top, int width, int height);
    void sizeBrowser(int width, int height);
    void moveBrowser(int left, int top);
    void showPhoneButton(bool on);
    void showMonitorButton(bool on);
    void enableTimer(bool on);
};
using frm手机网站 = MobileSiteWindow;  // 手机网站 mobile-site preview
