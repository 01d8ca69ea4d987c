#include "login/ui/passwordchangewindow.h"

#include "foundation/md5.h"
#include "foundation/servicecall.h"
#include "foundation/ui/pleasewait.h"
#include "login/loginlist.h"
#include "login/ui/passwordbox.h"
#include "platform/prompts.h"
#include "platform/vberror.h"
#include "state/loginstate.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString kTitle = QStringLiteral("提示");

QLineEdit* NewPasswordBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    ShowTypedAsAsterisks(box);
    return box;
}
}  // namespace

PasswordChangeWindow::PasswordChangeWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("修改密码"));
    txtName = new QLineEdit(this);
    txtName->setReadOnly(true);
    txtOldPsw = NewPasswordBox(this);
    txtNewPsw1 = NewPasswordBox(this);
    txtNewPsw2 = NewPasswordBox(this);
    cmdOK = new QPushButton(QStringLiteral("&Y.确定修改"), this);
    cmdOK->setDefault(true);
    cmdClose = new QPushButton(QStringLiteral("&C.取 消"), this);

    auto* grid = new QGridLayout(this);
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"用户名", txtName}, {"旧密码", txtOldPsw}, {"新密码", txtNewPsw1}, {"确认新密码", txtNewPsw2}};
    int r = 0;
    for (const auto& [caption, box] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), r, 0);
        grid->addWidget(box, r, 1);
        ++r;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, r, 0, 1, 2);

    // The please-wait box lies over the form while EditPsw runs.
    auto* wait = new QFrame(this);
    wait->setFrameShape(QFrame::Box);
    wait->setAutoFillBackground(true);
    auto* waitLayout = new QHBoxLayout(wait);
    waitLayout->addWidget(new QLabel(QStringLiteral("正在处理数据，请您稍候..."), wait));
    picNetToService = wait;
    picNetToService->hide();

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    adjustSize();
    picNetToService->adjustSize();
    picNetToService->move((width() - picNetToService->width()) / 2, (height() - picNetToService->height()) / 2);
    Form_Load();
}

void PasswordChangeWindow::Form_Load() { txtName->setText(CurrentUserName); }

void PasswordChangeWindow::cmdOK_Click() {
    try {
        // Passwords are taken exactly as typed, blanks included.
        if (LoginField(5) != Md5Hex(txtOldPsw->text())) {
            MsgBox(QStringLiteral("旧密码错误!请您重新输入。"), vbExclamation, kTitle);
            txtNewPsw1->clear();
            txtNewPsw2->clear();
            txtOldPsw->clear();
            txtOldPsw->setFocus();
            return;
        }
        const auto refuseNew = [this](const QString& message) {
            MsgBox(message, vbExclamation, kTitle);
            txtNewPsw1->clear();
            txtNewPsw2->clear();
            txtNewPsw1->setFocus();
        };
        if (txtNewPsw1->text().length() < 6) return refuseNew(QStringLiteral("新密码不能少于6位，请您重新输入。"));
        if (txtNewPsw1->text().length() > 16) return refuseNew(QStringLiteral("新密码不能大于16位，请您重新输入。"));
        if (txtNewPsw2->text() != txtNewPsw1->text())
            return refuseNew(QStringLiteral("两次输入的新密码不一致，请您重新输入。"));

        const QString newPassword = txtNewPsw2->text();
        const QString newDigest = Md5Hex(newPassword);
        // ServiceCall shows picNetToService and disables the five controls for the call, and hides
        // and enables them again afterwards (also when it throws).
        PleaseWait wait(picNetToService, {cmdClose, cmdOK, txtOldPsw, txtNewPsw1, txtNewPsw2});
        const QString reply = ServiceCall(QStringLiteral("webser001"), QStringLiteral("EditPsw"),
                                          {CurrentUserName, LoginField(5), newDigest, LoginField(6)}, &wait);
        if (reply == kOK_0001) {
            SetLoginField(5, newDigest);
            // The remembered login of this machine keeps working with the new password.
            UpdateRememberedLoginToken(CurrentUserName, newPassword);
            MsgBox(QStringLiteral("密码修改成功！"), vbInformation, kTitle);
            close();
        } else {
            MsgBox(QStringLiteral("遇到意外错误！密码修改失败，请您销后再试。"), vbInformation, kTitle);
        }
    } catch (const VbError& e) {
        ReportServiceError(e);
    }
}

void PasswordChangeWindow::cmdClose_Click() { close(); }
