#pragma once
// The registration window: the service terms, the member's entries with their local checks, a
// picture captcha, the province, city and occupation lists, and the Register call. On success the
// new member name goes to the login window beneath it.
#include "login/registration.h"

#include <QDialog>
#include <QString>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QKeyEvent;
class QCloseEvent;
class WebBrowser;
class LoginWindow;

class RegistrationWindow : public QDialog {
public:
    // login: the login window that opens the registration; it places this window and receives the
    // new member name. May be null (nothing is handed back then).
    explicit RegistrationWindow(LoginWindow* login = nullptr);

    // Handlers (public so that tests drive the window as a member would).
    void Form_Load();
    void cobShe_Click();
    void labGetNewPic_Click();
    void txtKey_Change();
    void txtYear_Change();
    void cmdRegister_Click();
    void cmdBack_Click();

    // The entries as the controls hold them (CaptchaText included).
    RegistrationEntries entries() const;

    QWidget* picRegInfo = nullptr;
    QPlainTextEdit* Text15 = nullptr;
    QRadioButton* optAgree = nullptr;
    QRadioButton* Option1 = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword1 = nullptr;
    QLineEdit* txtPassword2 = nullptr;
    QComboBox* cobQuestion = nullptr;
    QLineEdit* txtAnswer = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtYear = nullptr;
    QComboBox* cobMonth = nullptr;
    QComboBox* cobDay = nullptr;
    QComboBox* cobShe = nullptr;
    QComboBox* cobCity = nullptr;
    std::array<QRadioButton*, 2> optSex{};  // 0 "男", 1 "女"
    QComboBox* cobWork = nullptr;
    QFrame* picCode = nullptr;
    QLabel* imgCode = nullptr;
    std::array<QLabel*, 4> labKey{};
    QLabel* labGetNewPic = nullptr;
    QLineEdit* txtKey = nullptr;
    QLineEdit* txtWordLen = nullptr;
    QLabel* imgOK = nullptr;
    QLabel* imgWrong = nullptr;
    QPushButton* cmdRegister = nullptr;
    QPushButton* cmdBack = nullptr;
    QFrame* picWaiting = nullptr;
    WebBrowser* webAD = nullptr;

    // The four characters of the captcha drawn now; never sent.
    QString CaptchaText;
    // Asked once when Escape or the close button would throw typed entries away.
    static inline const QString kDiscardQuestion = QStringLiteral("您填写的注册信息还没有提交，确定要放弃注册并关闭本窗口吗？");
    // The scroll area that holds the form (picRegInfo) above the buttons.
    QScrollArea* formScroll = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // As large as the form wants, within the screen's free area.
    void fitToScreen();
    // Centred over the login window, wholly on screen.
    void placeOnScreen();
    bool somethingTyped() const;
    // True when nothing was typed or the member agrees to throw it away.
    bool mayDiscardForm();
    QString ValidateRegistration() const;
    // A local refusal: its message, the panel enabled again, nothing sent.
    void refuse(const QString& message);
    void handleReply(const QString& reply);
    void registrationDone(const QString& reply);
    void selectWholeName();

    LoginWindow* m_login = nullptr;
};
using frmRegister = RegistrationWindow;  // 注册 registration

// Shows the registration window modally over the login window (the login window's labRegister).
void ShowRegisterWindow(LoginWindow* login);
