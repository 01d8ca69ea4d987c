#pragma once
// The login window: remembered member names and tokens, the weekly login advertisement, the load
// animation, and the login button, which runs the login (RunLogin) with this window as its view.
#include "login/loginrun.h"
#include "platform/defaultinstance.h"
#include "state/loginwindowlabels.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class ClickableLabel;
class WebBrowser;

class LoginWindow : public QWidget, public frmLoginLabels, public DefaultInstance<LoginWindow> {
public:
    explicit LoginWindow(QWidget* parent = nullptr);
    ~LoginWindow() override;

    // Handlers (public: the registration window and the tests drive the window as the runtime did).
    void Form_Load();
    void Timer1_Timer();
    void cobUser_Click();
    void txtPassword_Change();
    void labSavePsw_Click();
    void labRegister_Click();
    void labForgetPsw_Click();
    void cmdLogin_Click();
    void cmdEnd_Click();

    // Input state after a failed attempt, with the focus in the member or the password box.
    using Focus = LoginBox;
    void ReturnToInputState(Focus focus);
    // What the login button runs the login with: the controls' input, and this window as its view.
    LoginInput loginInput() const;
    LoginView loginView();
    // True from the press of the login button until it succeeded or returned to input state.
    bool busy() const { return m_busy; }
    // The load animation's value (the bar shows it rounded).
    double loadProgress() const { return m_loadValue; }

    QComboBox* cobUser = nullptr;
    QLineEdit* txtPassword = nullptr;
    QCheckBox* cheSavePsw = nullptr;
    ClickableLabel* labSavePsw = nullptr;
    QPushButton* cmdLogin = nullptr;
    QPushButton* cmdEnd = nullptr;
    ClickableLabel* labRegister = nullptr;
    ClickableLabel* labForgetPsw = nullptr;
    QWidget* picLogin = nullptr;
    QWidget* picLoadInfo = nullptr;
    QProgressBar* proLogin = nullptr;
    QLabel* labState = nullptr;
    QLabel* labVer = nullptr;
    WebBrowser* Web1 = nullptr;
    QLabel* Lab[2] = {nullptr, nullptr};
    QFrame* Picture2 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;

    // What the registration link opens; the program installs the registration window.
    static inline std::function<void(LoginWindow*)> showRegisterWindow;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The login's view hooks.
    void showBusy();
    void setProgressPercent(int percent);
    void setStateText(const QString& text);
    void focusBox(LoginBox box, bool selectAll);
    void showNoticePage(const QString& url);
    void showMainWindow();
    bool m_busy = false;
    bool m_nameTypingEnds = false;  // while the member box reports the end of typing
    double m_loadValue = 0;
};
using frmLogin = LoginWindow;  // 登录 login window

// Loads the login window (when it is not loaded) and shows it modelessly.
LoginWindow* ShowLoginWindow();
