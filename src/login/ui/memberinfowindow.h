#pragma once
// MemberInfoWindow: the member's hosted space (quota, used space, end date) beside the main window's
// member-information button, and three account actions: the real-name page, the password change
// and the service's member-information page. It reads the login state and never writes it.
#include "login/memberpages.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class MemberInfoWindow : public QDialog {
public:
    explicit MemberInfoWindow(QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QLabel* Label1[4] = {};
    QLabel* labSpace = nullptr;
    QLabel* labUseSpace = nullptr;
    QLabel* labDateEnd = nullptr;
    QPushButton* cmdRealName = nullptr;
    QPushButton* EditPsw = nullptr;
    QPushButton* EditUserInfo = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* Image1 = nullptr;

    void Form_Load();
    void cmdRealName_Click();
    void EditPsw_Click();
    void EditUserInfo_Click();
    void cmdClose_Click();
};
using frmSetUserInfo = MemberInfoWindow;  // member information
