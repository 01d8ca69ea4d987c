#pragma once
// PasswordChangeWindow: the logged-in member changes the password (EditPsw on webser001); on success the
// credential digest in LoginInfo field 5 is replaced, so every later call of the run sends it.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// No Q_OBJECT: moc cannot read the class name.
class PasswordChangeWindow : public QDialog {
public:
    explicit PasswordChangeWindow(QWidget* parent = nullptr);

    QLineEdit* txtName = nullptr;
    QLineEdit* txtOldPsw = nullptr;
    QLineEdit* txtNewPsw1 = nullptr;
    QLineEdit* txtNewPsw2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdClose = nullptr;
    QWidget* picNetToService = nullptr;

    void Form_Load();
    void cmdOK_Click();
    void cmdClose_Click();
};
using frm修改密码 = PasswordChangeWindow;  // 修改密码 password change
