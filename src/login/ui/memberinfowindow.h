#pragma once
// MemberInfoWindow: the member's hosted space (quota, used space, end date) beside the main window's
// member-information button, and three account actions: the real-name page, the password change
// and the service's member-information page. It reads the login state and never writes it.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// LoginInfo field 17 (kilobytes) as a whole number of kilobytes in megabytes with no trailing
// zeros and "M": "2048" reads "2M", "1536" "1.5M"; a field that is no number reads "0M".
QString SpaceQuotaText(const QString& kilobytes);
// LoginInfo field 18 (kilobytes) in megabytes with four decimals and "M": "1536" reads
// "1.5000M"; a field that is no number reads "0.0000M".
QString UsedSpaceText(const QString& kilobytes);
// LoginInfo field 20 as "yyyy-m-d"; "0" (no hosted space) or a text that is no date reads "".
QString SpaceEndDateText(const QString& date);
// The real-name page: SysNotices row 5 field 2 with k1 = LoginInfo field 11 and k2 = field 6.
QString RealNamePageAddress();
// The member-information page loginmyvym.aspx on the member's frame host, k1 and k2 as above.
QString MemberInfoPageAddress();

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
