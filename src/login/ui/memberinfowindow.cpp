#include "login/ui/memberinfowindow.h"

#include "login/ui/passwordchangewindow.h"
#include "login/ui/webwindows.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/twips.h"
#include "platform/vbdate.h"
#include "platform/vbtext.h"
#include "state/loginstate.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

using twips::ToPixels;

namespace {
QPushButton* NewActionButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& text) {
    auto* b = new QPushButton(parent->style()->standardIcon(icon), text, parent);
    b->setIconSize(QSize(32, 32));
    b->resize(ToPixels(1710), ToPixels(900));
    return b;
}
}  // namespace

MemberInfoWindow::MemberInfoWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("基本信息设置"));
    setFixedSize(405, 216);

    Label2 = new QLabel(QStringLiteral("网络空间信息"), this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label2->move(ToPixels(120), ToPixels(120));
    const char* captions[4] = {"空间大小", "已用空间", "到期日期", "请您选择要进行的操作："};
    for (int i = 0; i < 4; ++i) Label1[i] = new QLabel(QString::fromUtf8(captions[i]), this);
    labSpace = new QLabel(this);
    labUseSpace = new QLabel(this);
    labDateEnd = new QLabel(this);
    QLabel* values[3] = {labSpace, labUseSpace, labDateEnd};
    for (int i = 0; i < 3; ++i) {
        Label1[i]->move(ToPixels(360), ToPixels(480 + 300 * i));
        values[i]->setGeometry(ToPixels(1500), ToPixels(480 + 300 * i), ToPixels(2700), ToPixels(255));
    }
    Label1[3]->move(ToPixels(120), ToPixels(1470));
    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(64, 64));
    Image1->setGeometry(ToPixels(4500), ToPixels(240), 64, 64);

    cmdRealName = NewActionButton(this, QStyle::SP_FileDialogDetailedView, QStringLiteral("实名认证"));
    EditPsw = NewActionButton(this, QStyle::SP_DialogApplyButton, QStringLiteral("修改密码"));
    EditUserInfo = NewActionButton(this, QStyle::SP_FileDialogContentsView, QStringLiteral("修改基本信息"));
    for (QPushButton* b : {cmdRealName, EditPsw, EditUserInfo}) b->move(b->x(), ToPixels(1770));
    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);
    cmdClose->setGeometry(ToPixels(6075 - 1215 - 120), ToPixels(2760), ToPixels(1215), ToPixels(405));

    connect(cmdRealName, &QPushButton::clicked, this, [this] { cmdRealName_Click(); });
    connect(EditPsw, &QPushButton::clicked, this, [this] { EditPsw_Click(); });
    connect(EditUserInfo, &QPushButton::clicked, this, [this] { EditUserInfo_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    Form_Load();
}

void MemberInfoWindow::Form_Load() {
    // Beside the main window's member-information button.
    const MainWindowGeometry g = mainwindowseam::Geometry();
    move(ToPixels(g.left + g.picToolsFrameLeft + g.cmdSetUserInfoLeft - 2000), ToPixels(g.top + g.picFrameTop));

    const int top = EditPsw->y();
    if (SysNotices.value(4, 1) == QLatin1String("1")) {
        EditPsw->move(ToPixels(360), top);
        EditUserInfo->move(ToPixels(2100), top);
        cmdRealName->move(ToPixels(4260), top);
        cmdRealName->setVisible(true);
    } else {
        EditPsw->move(ToPixels(990), top);
        EditUserInfo->move(ToPixels(3075), top);
        cmdRealName->setVisible(false);
    }

    labSpace->setText(SpaceQuotaText(LoginField(17)));
    labUseSpace->setText(UsedSpaceText(LoginField(18)));
    labDateEnd->setText(SpaceEndDateText(LoginField(20)));
}

// Each action closes this window first, so only the next window remains.
void MemberInfoWindow::cmdRealName_Click() {
    PageUrl = RealNamePageAddress();
    close();
    frmWebFrame next(parentWidget());
    next.exec();
}

void MemberInfoWindow::EditPsw_Click() {
    close();
    frm修改密码 next(parentWidget());
    next.exec();
}

void MemberInfoWindow::EditUserInfo_Click() {
    PageUrl = MemberInfoPageAddress();
    close();
    frmWebFrame next(parentWidget());
    next.exec();
}

void MemberInfoWindow::cmdClose_Click() { close(); }
