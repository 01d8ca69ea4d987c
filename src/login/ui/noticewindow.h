#pragma once
// The service notice window: shows the page named by the login window's labSysInfoURL.
#include <QDialog>

class QPushButton;
class WebBrowser;

class NoticeWindow : public QDialog {
public:
    explicit NoticeWindow(QWidget* parent = nullptr);
    void Form_Load();
    WebBrowser* webSysInfo = nullptr;
    QPushButton* cmdOk = nullptr;
};
using frmSysInfo = NoticeWindow;  // service notice page
