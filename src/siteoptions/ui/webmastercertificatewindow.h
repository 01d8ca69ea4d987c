#pragma once
// The webmaster certificate: the member name, the site's addresses and the date over the
// certificate picture, with the congratulation page on it, and its save as a JPEG picture.
// Opened by the domain registration after a registration.
#include "siteoptions/webmastercertificate.h"

#include <QDialog>

class QLabel;
class QPushButton;
class WebBrowser;

// No Q_OBJECT: moc cannot read the name.
class WebmasterCertificateWindow : public QDialog {
public:
    explicit WebmasterCertificateWindow(QWidget* parent = nullptr);

    QWidget* picSave = nullptr;   // receives the captured copy
    QLabel* picPic = nullptr;     // the certificate: the background picture and what lies on it
    QWidget* Picture2 = nullptr;  // the frame of webQZ
    WebBrowser* webQZ = nullptr;
    QLabel* labZZ = nullptr;
    QLabel* labName1 = nullptr;
    QLabel* labName2 = nullptr;
    QLabel* lab3GName = nullptr;
    QLabel* labDate = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdOK = nullptr;

    // The logic, with the hooks this window set.
    WebmasterCertificateController logic;

    void Form_Load();
    void cmdSave_Click() { logic.cmdSave_Click(); }
    void cmdOK_Click() { close(); }

private:
    // The logic's view: its one hook served by the member of its name.
    void wireView();
    StdPicture capture() const;
};
using frm站长证书 = WebmasterCertificateWindow;  // 站长证书 webmaster certificate
