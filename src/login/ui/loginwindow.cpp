#include "login/ui/loginwindow.h"

#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "login/ui/passwordrecoverywindow.h"
#include "login/ui/noticewindow.h"
#include "login/ui/waitingwindow.h"
#include "login/loginart.h"
#include "login/loginflow.h"
#include "login/loginlist.h"
#include "login/ui/passwordbox.h"
#include "login/state.h"
#include "mainwindow/ui/mainwindowseam.h"
#include "platform/ui/clickablelabel.h"
#include "platform/programend.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "platform/vbtext.h"
#include "platform/ui/webbrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
const QString kRememberedMask = QStringLiteral("****************");

void reportLoadFailure(const VbError& e) {
    MsgBox(e.description() + QStringLiteral("\r\r") + QString::number(e.number()), vbInformation, QString());
}

ClickableLabel* linkLabel(const QString& text, QWidget* parent) {
    auto* l = new ClickableLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color:#1f5fa8; text-decoration:underline;"));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}
}  // namespace

LoginWindow::LoginWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("请您登录 Tavolin"));
    setFixedSize(520, 440);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 520, 64);
    Image1->setPixmap(LoginArtwork(QSize(520, 64), QStringLiteral("Tavolin 个人网站")));

    Picture2 = new QFrame(this);
    Picture2->setFrameShape(QFrame::Box);
    Picture2->setGeometry(10, 72, 500, 170);
    Web1 = new WebBrowser(Picture2);
    Web1->setGeometry(1, 1, 498, 168);

    picLogin = new QWidget(this);
    picLogin->setGeometry(10, 250, 500, 110);
    Lab[0] = new QLabel(QStringLiteral("用户名"), picLogin);
    Lab[0]->setGeometry(60, 10, 60, 24);
    cobUser = new QComboBox(picLogin);
    // When the typing in its box ends (Enter, the focus leaving), the combo box makes a typed name
    // that is in its list a choice and reports it as activated; only a choice from the list may
    // run cobUser_Click. This handler runs before the combo box's own, the one below after it.
    auto* nameBox = new QLineEdit;
    connect(nameBox, &QLineEdit::editingFinished, this, [this] { m_nameTypingEnds = true; });
    cobUser->setLineEdit(nameBox);
    connect(nameBox, &QLineEdit::editingFinished, this, [this] { m_nameTypingEnds = false; });
    cobUser->setInsertPolicy(QComboBox::NoInsert);
    cobUser->setCompleter(nullptr);  // the list box completes nothing while the member types
    cobUser->setGeometry(130, 8, 220, 26);
    labRegister = linkLabel(QStringLiteral("免费注册"), picLogin);
    labRegister->setGeometry(370, 10, 80, 24);
    Lab[1] = new QLabel(QStringLiteral("密  码"), picLogin);
    Lab[1]->setGeometry(60, 44, 60, 24);
    txtPassword = new QLineEdit(picLogin);
    ShowTypedAsAsterisks(txtPassword);
    txtPassword->setMaxLength(16);
    txtPassword->setGeometry(130, 42, 220, 26);
    labForgetPsw = linkLabel(QStringLiteral("忘记密码"), picLogin);
    labForgetPsw->setGeometry(370, 44, 80, 24);
    cheSavePsw = new QCheckBox(picLogin);
    cheSavePsw->setGeometry(130, 76, 20, 24);
    labSavePsw = new ClickableLabel(QStringLiteral("保存密码"), picLogin);
    labSavePsw->setGeometry(152, 76, 80, 24);

    cmdLogin = new QPushButton(QStringLiteral("&L.登 录"), this);
    cmdLogin->setGeometry(150, 372, 100, 30);
    cmdEnd = new QPushButton(QStringLiteral("&Q.退 出"), this);
    cmdEnd->setGeometry(270, 372, 100, 30);

    picLoadInfo = new QWidget(this);
    picLoadInfo->setGeometry(10, 368, 500, 40);
    // Drawn over the login and exit buttons while a login runs: opaque, so they do not show through.
    picLoadInfo->setAutoFillBackground(true);
    proLogin = new QProgressBar(picLoadInfo);
    proLogin->setRange(0, 300);
    proLogin->setTextVisible(false);
    proLogin->setGeometry(0, 0, 500, 14);
    labState = new QLabel(picLoadInfo);
    labState->setGeometry(0, 18, 500, 20);
    picLoadInfo->raise();

    labVer = new QLabel(this);
    labVer->setGeometry(10, 414, 200, 20);

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);

    // Hidden until the load animation ends.
    picLogin->setEnabled(false);
    cheSavePsw->hide();
    labSavePsw->hide();
    cmdLogin->hide();
    cmdEnd->hide();

    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    // A choice from the list; typing a name does not run it.
    connect(cobUser, &QComboBox::activated, this, [this] {
        if (!m_nameTypingEnds) cobUser_Click();
    });
    connect(cobUser->lineEdit(), &QLineEdit::returnPressed, this, [this] { txtPassword->setFocus(); });
    // textChanged follows every change, the program's own too, as the old Change event did.
    connect(txtPassword, &QLineEdit::textChanged, this, [this] { txtPassword_Change(); });
    connect(txtPassword, &QLineEdit::returnPressed, this, [this] { cmdLogin_Click(); });
    txtPassword->installEventFilter(this);
    labSavePsw->onClick = [this] { labSavePsw_Click(); };
    labRegister->onClick = [this] { labRegister_Click(); };
    labForgetPsw->onClick = [this] { labForgetPsw_Click(); };
    connect(cmdLogin, &QPushButton::clicked, this, [this] { cmdLogin_Click(); });
    connect(cmdEnd, &QPushButton::clicked, this, [this] { cmdEnd_Click(); });

    Form_Load();
}

LoginWindow::~LoginWindow() = default;

bool LoginWindow::eventFilter(QObject* watched, QEvent* event) {
    // txtPassword_GotFocus: the whole text is selected (after the click that gave the focus).
    if (watched == txtPassword && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtPassword, [box = txtPassword] { box->selectAll(); });
    return QWidget::eventFilter(watched, event);
}

void LoginWindow::Form_Load() {
    try {
        Web1->Navigate(WriteBlankPage());
    } catch (const VbError& e) {
        reportLoadFailure(e);
    }
    setWindowTitle(windowTitle() + QLatin1Char(' ') + ClientVersion);
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect avail = s->geometry();
        move(avail.x() + (avail.width() - width()) / 2, avail.y() + qMax(0, (avail.height() - height()) / 2));
    }
    m_loadValue = 10;
    proLogin->setValue(10);
    labVer->setText(QStringLiteral("版本：") + ClientVersion);
    try {
        if (QFileInfo::exists(LoginListPath())) {
            const QStringList names = RememberedMemberNames();
            cobUser->addItems(names);
            if (cobUser->count() > 0) {
                cobUser->setCurrentIndex(0);
                cobUser->setEditText(cobUser->itemText(0));
                cobUser_Click();
            }
        }
    } catch (const VbError& e) {
        reportLoadFailure(e);
    }
    try {
        const AdPick ad = PickLoginAd(GetGlobalSetting(GcsLoginAdIndex), [] { return int(RandomInt(5, 1)); });
        Web1->Navigate(LoginAdUrl(ad.page, QDate::currentDate()));
        SetGlobalSetting(GcsLoginAdIndex, ad.next);
    } catch (const VbError& e) {
        reportLoadFailure(e);
    }
    Timer1->start();
}

void LoginWindow::Timer1_Timer() {
    if (proLogin->maximum() > 1.2 * m_loadValue) {
        m_loadValue *= 1.2;
        proLogin->setValue(qRound(m_loadValue));
        proLogin->repaint();
        return;
    }
    Timer1->stop();
    m_loadValue = proLogin->maximum();
    proLogin->setValue(proLogin->maximum());
    proLogin->repaint();
    picLogin->setEnabled(true);
    picLoadInfo->hide();
    cheSavePsw->show();
    labSavePsw->show();
    cmdLogin->show();
    cmdEnd->show();
    // Ready for typing: the name first, or the password when a remembered name is filled in.
    focusBox(vb::Trim(cobUser->currentText()).isEmpty() ? LoginBox::Member : LoginBox::Password, false);
}

void LoginWindow::cobUser_Click() {
    const QString name = cobUser->currentText();
    if (vb::Trim(name).isEmpty()) return;
    const QString token = RememberedToken(name);
    if (!token.isEmpty()) {
        cheSavePsw->setChecked(true);
        txtPassword->setText(kRememberedMask);  // empties labSavePaw through the Change handler
        labSavePaw = token;
    } else {
        cheSavePsw->setChecked(false);
        txtPassword->clear();
        labSavePaw.clear();
    }
}

void LoginWindow::txtPassword_Change() { labSavePaw.clear(); }

void LoginWindow::labSavePsw_Click() { cheSavePsw->setChecked(!cheSavePsw->isChecked()); }

void LoginWindow::labRegister_Click() {
    if (showRegisterWindow) showRegisterWindow(this);
}

void LoginWindow::labForgetPsw_Click() {
    frmGetBackPsw window(this);
    window.exec();
}

void LoginWindow::cmdEnd_Click() {
    unload();
    programend::End();
}

void LoginWindow::setProgressPercent(int percent) {
    proLogin->setValue(proLogin->maximum() * percent / 100);
    proLogin->repaint();
}

void LoginWindow::ReturnToInputState(Focus focus) {
    m_busy = false;
    picLoadInfo->hide();
    proLogin->setValue(proLogin->minimum());
    cmdLogin->setEnabled(true);
    cobUser->setEnabled(true);
    focusBox(focus, true);
}

void LoginWindow::focusBox(LoginBox box, bool selectAll) {
    if (box == LoginBox::Member) {
        cobUser->setFocus();
        if (selectAll) cobUser->lineEdit()->selectAll();
    } else {
        txtPassword->setFocus();
        if (selectAll) txtPassword->selectAll();
    }
}

LoginInput LoginWindow::loginInput() const {
    LoginInput in;
    in.memberText = cobUser->currentText();
    in.password = txtPassword->text();
    in.rememberedToken = labSavePaw;
    in.keepPassword = cheSavePsw->isChecked();
    if (QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) in.screenPixels = s->size();
    return in;
}

LoginView LoginWindow::loginView() {
    LoginView v;
    v.showBusy = [this] {
        m_busy = true;
        picLoadInfo->show();
        proLogin->show();
        cmdLogin->setEnabled(false);
        cobUser->setEnabled(false);
    };
    v.setProgress = [this](int percent) { setProgressPercent(percent); };
    v.setStateText = [this](const QString& text) {
        labState->setText(text);
        labState->repaint();
    };
    v.focusBox = [this](LoginBox box, bool selectAll) { focusBox(box, selectAll); };
    v.returnToInput = [this](LoginBox box) { ReturnToInputState(box); };
    v.showNoticePage = [this](const QString&) {
        frmSysInfo dialog(this);  // shows labSysInfoURL
        dialog.exec();
    };
    v.loadWaitingWindow = [] { LoadWaitingWindow(); };
    v.showMainWindow = [this] {
        m_busy = false;
        ShowMainWindowAfterLogin();
    };
    return v;
}

void LoginWindow::cmdLogin_Click() {
    if (m_busy) return;
    LoginView view = loginView();
    RunLogin(loginInput(), view);
}

LoginWindow* ShowLoginWindow() {
    LoginWindow* w = LoginWindow::loaded();
    if (!w) w = new LoginWindow;
    w->show();
    return w;
}
