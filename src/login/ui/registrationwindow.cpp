#include "login/ui/registrationwindow.h"

#include "foundation/folders.h"
#include "foundation/hooks.h"
#include "foundation/htmltext.h"
#include "foundation/machine.h"
#include "foundation/servicecall.h"
#include "foundation/ui/pleasewait.h"
#include "login/ui/loginwindow.h"
#include "login/ui/passwordbox.h"
#include "state/loginstate.h"
#include "platform/prompts.h"
#include "platform/serviceconfig.h"
#include "platform/vbtext.h"
#include "platform/ui/webbrowser.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("提示");
constexpr int kTwipsPerPixel = 15;
// Room that a window manager's frame and title bar take around the window.
constexpr int kFrameAllowance = 8;
constexpr int kTitleAllowance = 32;

int toPixels(int twips) { return static_cast<int>(vb::RoundHalfEven(double(twips) / kTwipsPerPixel)); }

void say(const QString& text) { MsgBox(text, vbInformation, kTitle); }

// The service terms shown above the form.
const char* const kTerms[] = {
    "一、本服务条款是您与本网络服务之间关于注册会员、使用个人网站空间及相关软件的约定。请您在注册前仔细阅读，"
    "选择“我同意接受上述条款”即表示您完全接受本条款的全部内容。",
    "二、会员须提供真实、准确的注册信息，并在信息变化时及时更新；因信息不实造成的后果由会员自行承担。",
    "三、会员名一经注册不能修改。会员应妥善保管自己的会员名和密码，因保管不善造成的损失由会员自行承担。",
    "四、会员不得利用本服务制作、复制、发布、传播违反国家法律法规、危害国家安全、破坏民族团结或社会稳定的信息。",
    "五、会员不得利用本服务发布淫秽、色情、赌博、暴力、恐怖或者教唆犯罪的内容。",
    "六、会员不得利用本服务侮辱或者诽谤他人，侵害他人的名誉、隐私或其他合法权益。",
    "七、会员不得上传或链接侵犯他人著作权、商标权等知识产权的图片、文字、音乐、影像或其他作品。",
    "八、会员不得利用本服务传播计算机病毒、木马或其他恶意程序，不得干扰或破坏本服务的正常运行。",
    "九、会员不得以任何方式批量注册会员名，不得转让、出租或出售会员名及网站空间。",
    "十、会员对其网站上发布的全部内容承担责任；本服务有权删除违反本条款的内容，并视情节暂停或注销其会员资格。",
    "十一、本服务尊重会员的个人隐私，除法律法规要求或会员本人同意外，不向第三方公开会员的注册信息。",
    "十二、为提供更好的服务，本服务可能在会员的网站页面或软件界面中展示广告或服务信息。",
    "十三、免费会员的网站空间和功能以当时公布的内容为准；付费空间的容量、期限和费用以购买时的约定为准。",
    "十四、非网络空间用户若连续60天不登录软件或网站，其会员名将被注销并释放给他人注册。",
    "十五、本服务将尽力保障系统稳定，但对因不可抗力、网络故障、系统维护等原因造成的服务中断不承担责任。",
    "十六、会员应自行备份网站中的重要资料；因会员操作失误或第三方原因造成的资料丢失，本服务不承担责任。",
    "十七、本服务有权根据需要修改本条款，修改后的条款在网站上公布后生效；会员继续使用即视为接受修改后的条款。",
    "十八、会员违反本条款给本服务或第三方造成损失的，应承担相应的赔偿责任。",
    "十九、本条款的订立、执行和解释均适用中华人民共和国法律。",
    "二十、本条款未尽事宜，以本服务在网站上公布的相关规定为准。",
};

// The noise picture behind the captcha characters: thin lines and dots on a transparent ground,
// so the panel's back colour shows through.
QPixmap noisePicture() {
    QPixmap pm(562, 221);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QRandomGenerator rng(20240613);  // the same picture every time: only its position is drawn anew
    for (int i = 0; i < 160; ++i) {
        p.setPen(QPen(QColor(rng.bounded(256), rng.bounded(256), rng.bounded(256), 110), 1));
        p.drawLine(rng.bounded(562), rng.bounded(221), rng.bounded(562), rng.bounded(221));
    }
    for (int i = 0; i < 1800; ++i) {
        p.setPen(QColor(rng.bounded(200), rng.bounded(200), rng.bounded(200), 160));
        p.drawPoint(rng.bounded(562), rng.bounded(221));
    }
    return pm;
}

QPixmap markPicture(bool ok) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ok ? QColor(0, 160, 0) : QColor(210, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    if (ok) {
        p.drawLine(3, 10, 8, 15);
        p.drawLine(8, 15, 17, 4);
    } else {
        p.drawLine(4, 4, 16, 16);
        p.drawLine(16, 4, 4, 16);
    }
    return pm;
}

QLabel* hint(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setStyleSheet(QStringLiteral("color:#555555;"));
    return l;
}

// A field caption with the red "*" of a required field.
QLabel* caption(const QString& text, bool required, QWidget* parent) {
    auto* l = new QLabel(required ? text + QStringLiteral("<span style=\"color:#ff0000\">*</span>") : text, parent);
    l->setTextFormat(Qt::RichText);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QComboBox* dropDownList(QWidget* parent, int width) {
    auto* c = new QComboBox(parent);
    c->setEditable(false);
    c->setMinimumWidth(width);
    return c;
}

}  // namespace

RegistrationWindow::RegistrationWindow(frmLogin* login) : QDialog(login), m_login(login) {
    setWindowTitle(QStringLiteral("用户注册"));
    setModal(true);

    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    outer->addLayout(left, 1);

    // The form scrolls when the screen is too low for it; the buttons below it stay in view.
    formScroll = new QScrollArea(this);
    formScroll->setWidgetResizable(true);
    formScroll->setFrameShape(QFrame::NoFrame);
    left->addWidget(formScroll, 1);
    picRegInfo = new QWidget;
    auto* panel = new QVBoxLayout(picRegInfo);
    panel->setContentsMargins(0, 0, 0, 0);

    Text15 = new QPlainTextEdit(picRegInfo);
    Text15->setReadOnly(true);
    Text15->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text15->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text15->setFixedHeight(110);
    QString terms;
    for (const char* t : kTerms) terms += QString::fromUtf8(t) + QLatin1Char('\n');
    Text15->setPlainText(terms.trimmed());
    panel->addWidget(Text15);

    auto* agreeRow = new QHBoxLayout;
    optAgree = new QRadioButton(QStringLiteral("我同意接受上述条款"), picRegInfo);
    Option1 = new QRadioButton(QStringLiteral("不同意"), picRegInfo);
    auto* agreeGroup = new QButtonGroup(this);
    agreeGroup->addButton(optAgree);
    agreeGroup->addButton(Option1);
    Option1->setChecked(true);
    agreeRow->addWidget(optAgree);
    agreeRow->addWidget(Option1);
    agreeRow->addStretch(1);
    panel->addLayout(agreeRow);

    auto* form = new QGridLayout;
    form->setColumnStretch(2, 1);
    panel->addLayout(form);
    int row = 0;

    txtUserName = new QLineEdit(picRegInfo);
    txtUserName->setMaxLength(20);
    form->addWidget(caption(QStringLiteral("会员名"), true, picRegInfo), row, 0);
    form->addWidget(txtUserName, row, 1);
    form->addWidget(hint(QStringLiteral("推荐使用中文名"), picRegInfo), row, 2);
    ++row;
    form->addWidget(hint(QStringLiteral("5-20个字节(包括小写字母、数字、下划线、中文)，一个汉字占两个字节，会员名的第一个字符"
                                        "必须为字母或汉字，推荐使用中文会员名。一旦注册成功会员名不能修改。"),
                         picRegInfo),
                    row, 1, 1, 2);
    ++row;

    txtPassword1 = new QLineEdit(picRegInfo);
    txtPassword1->setMaxLength(16);
    ShowTypedAsAsterisks(txtPassword1);
    form->addWidget(caption(QStringLiteral("密  码"), true, picRegInfo), row, 0);
    form->addWidget(txtPassword1, row, 1);
    form->addWidget(hint(QStringLiteral("密码由6-16个字符组成，请使用英文字母(区分大小写)加数字或符号的组合密码，不能单独使用"
                                        "英文字母、数字或符号作为您的密码。例如：Tv@2024x"),
                         picRegInfo),
                    row, 2, 2, 1);
    ++row;
    txtPassword2 = new QLineEdit(picRegInfo);
    txtPassword2->setMaxLength(16);
    ShowTypedAsAsterisks(txtPassword2);
    form->addWidget(caption(QStringLiteral("重复密码"), true, picRegInfo), row, 0);
    form->addWidget(txtPassword2, row, 1);
    ++row;

    cobQuestion = dropDownList(picRegInfo, 220);
    cobQuestion->addItems(PasswordQuestions());
    cobQuestion->setCurrentIndex(-1);
    form->addWidget(caption(QStringLiteral("问  题"), true, picRegInfo), row, 0);
    form->addWidget(cobQuestion, row, 1);
    form->addWidget(hint(QStringLiteral("→忘记密码的提示问题。"), picRegInfo), row, 2);
    ++row;

    txtAnswer = new QLineEdit(picRegInfo);
    txtAnswer->setMaxLength(50);
    form->addWidget(caption(QStringLiteral("答  案"), true, picRegInfo), row, 0);
    form->addWidget(txtAnswer, row, 1);
    form->addWidget(hint(QStringLiteral("→忘记密码的问题答案(必须不小于2个字符)。"), picRegInfo), row, 2);
    ++row;

    txtEmail = new QLineEdit(picRegInfo);
    txtEmail->setMaxLength(50);
    form->addWidget(caption(QStringLiteral("Email"), true, picRegInfo), row, 0);
    form->addWidget(txtEmail, row, 1);
    form->addWidget(hint(QStringLiteral("→如果您以后忘记密码，我们会把密码发至该信箱。"), picRegInfo), row, 2);
    ++row;

    auto* birth = new QHBoxLayout;
    txtYear = new QLineEdit(picRegInfo);
    txtYear->setFixedWidth(56);
    cobMonth = dropDownList(picRegInfo, 56);
    cobDay = dropDownList(picRegInfo, 56);
    for (int m = 1; m <= 12; ++m) cobMonth->addItem(QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0')));
    for (int d = 1; d <= 31; ++d) cobDay->addItem(QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')));
    birth->addWidget(txtYear);
    birth->addWidget(new QLabel(QStringLiteral("年"), picRegInfo));
    birth->addWidget(cobMonth);
    birth->addWidget(new QLabel(QStringLiteral("月"), picRegInfo));
    birth->addWidget(cobDay);
    birth->addWidget(new QLabel(QStringLiteral("日"), picRegInfo));
    birth->addStretch(1);
    form->addWidget(caption(QStringLiteral("出生日期"), true, picRegInfo), row, 0);
    form->addLayout(birth, row, 1);
    form->addWidget(hint(QStringLiteral("→如果您忘记密码，将要求提供在此填写的生日,请慎填。"), picRegInfo), row, 2);
    ++row;

    auto* place = new QHBoxLayout;
    cobShe = dropDownList(picRegInfo, 150);
    cobShe->setMaxVisibleItems(20);
    cobCity = dropDownList(picRegInfo, 190);
    cobCity->setMaxVisibleItems(20);
    place->addWidget(cobShe);
    place->addWidget(new QLabel(QStringLiteral("城市"), picRegInfo));
    place->addWidget(cobCity);
    form->addWidget(caption(QStringLiteral("省份"), false, picRegInfo), row, 0);
    form->addLayout(place, row, 1);
    form->addWidget(hint(QStringLiteral("* →请务必正确选择以便将来能够使用离您最近的镜像服务器，注册成功后将不能修改。"), picRegInfo),
                    row, 2);
    ++row;

    auto* sexRow = new QHBoxLayout;
    optSex[0] = new QRadioButton(QStringLiteral("男"), picRegInfo);
    optSex[1] = new QRadioButton(QStringLiteral("女"), picRegInfo);
    auto* sexGroup = new QButtonGroup(this);
    sexGroup->addButton(optSex[0]);
    sexGroup->addButton(optSex[1]);
    optSex[1]->setChecked(true);
    sexRow->addWidget(optSex[0]);
    sexRow->addWidget(optSex[1]);
    sexRow->addStretch(1);
    form->addWidget(caption(QStringLiteral("性别"), false, picRegInfo), row, 0);
    form->addLayout(sexRow, row, 1);
    ++row;

    cobWork = dropDownList(picRegInfo, 150);
    cobWork->setMaxVisibleItems(20);
    form->addWidget(caption(QStringLiteral("职业"), true, picRegInfo), row, 0);
    form->addWidget(cobWork, row, 1);
    ++row;

    // The captcha: a fixed panel with the noise picture and four labels inside.
    picCode = new QFrame(picRegInfo);
    picCode->setFixedSize(158, 48);
    picCode->setAutoFillBackground(true);
    imgCode = new QLabel(picCode);
    imgCode->setPixmap(noisePicture());
    imgCode->setGeometry(0, 0, 562, 221);
    for (int i = 0; i < 4; ++i) {
        labKey[i] = new QLabel(picCode);
        labKey[i]->setAttribute(Qt::WA_TranslucentBackground);
    }
    labGetNewPic = new QLabel(QStringLiteral("<a href=\"#\">(看不清，换个图片)</a>"), picRegInfo);
    auto* codeColumn = new QVBoxLayout;
    codeColumn->addWidget(picCode);
    codeColumn->addWidget(labGetNewPic);
    auto* keyRow = new QHBoxLayout;
    txtKey = new QLineEdit(picRegInfo);
    txtKey->setMaxLength(4);
    txtKey->setFixedWidth(70);
    txtWordLen = new QLineEdit(picRegInfo);
    txtWordLen->hide();
    imgOK = new QLabel(picRegInfo);
    imgOK->setPixmap(markPicture(true));
    imgOK->hide();
    imgWrong = new QLabel(picRegInfo);
    imgWrong->setPixmap(markPicture(false));
    imgWrong->hide();
    keyRow->addWidget(txtKey);
    keyRow->addWidget(imgOK);
    keyRow->addWidget(imgWrong);
    keyRow->addWidget(hint(QStringLiteral("请键入左图中的4个字符(不区分大小写)"), picRegInfo), 1);
    auto* codeRow = new QHBoxLayout;
    codeRow->addLayout(codeColumn);
    codeRow->addLayout(keyRow, 1);
    form->addWidget(caption(QStringLiteral("验证字符："), true, picRegInfo), row, 0);
    form->addLayout(codeRow, row, 1, 1, 2);
    ++row;

    panel->addWidget(hint(QStringLiteral("注：非网络空间用户若连续60天不登录软件或网站，其会员名将被注销并释放给别人注册，网络空间"
                                         "用户在空间有效期内不受此限制。"),
                          picRegInfo));
    panel->addWidget(hint(QStringLiteral("为防止恶意批量注册，IP地址前3段相同的所有地址(第4段为0～255)每小时只允许注册一位会员；\n"
                                         "使用同一IP段的两位用户在同一小时内注册的情况极少发生；\n"
                                         "如果注册失败，请在下一个整点之后再注册。"),
                          picRegInfo));
    // Never squeezed below its natural size (wrapped hints would overlap the rows): scrolled instead.
    picRegInfo->setMinimumSize(picRegInfo->sizeHint());
    formScroll->setWidget(picRegInfo);

    auto* buttons = new QHBoxLayout;
    cmdRegister = new QPushButton(QStringLiteral("注册成为会员"), this);
    cmdBack = new QPushButton(QStringLiteral("返回登录界面"), this);
    buttons->addStretch(1);
    buttons->addWidget(cmdRegister);
    buttons->addWidget(cmdBack);
    buttons->addStretch(1);
    left->addLayout(buttons);

    webAD = new WebBrowser(this);
    webAD->setSilent(true);
    webAD->setFixedWidth(220);
    outer->addWidget(webAD);

    picWaiting = new QFrame(this);
    picWaiting->setFrameShape(QFrame::Box);
    picWaiting->setAutoFillBackground(true);
    picWaiting->setFixedSize(300, 60);
    auto* waitLayout = new QVBoxLayout(picWaiting);
    auto* waitLabel = new QLabel(QStringLiteral("正在处理数据，请您稍候..."), picWaiting);
    waitLabel->setAlignment(Qt::AlignCenter);
    waitLayout->addWidget(waitLabel);
    picWaiting->hide();

    connect(cobShe, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) cobShe_Click();
    });
    connect(labGetNewPic, &QLabel::linkActivated, this, [this] { labGetNewPic_Click(); });
    connect(txtKey, &QLineEdit::textChanged, this, [this] { txtKey_Change(); });
    connect(txtYear, &QLineEdit::textChanged, this, [this] { txtYear_Change(); });
    connect(cmdRegister, &QPushButton::clicked, this, [this] { cmdRegister_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });

    fitToScreen();
    Form_Load();
}

void RegistrationWindow::fitToScreen() {
    // The whole form wide, as high as it is, and never beyond the screen's free area (a frame and
    // title bar of a window manager included): the form scrolls instead.
    const QScreen* s = m_login && m_login->screen() ? m_login->screen() : QGuiApplication::primaryScreen();
    const QSize room = s ? s->availableGeometry().size() - QSize(kFrameAllowance, kTitleAllowance + kFrameAllowance)
                         : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const int formWidth = picRegInfo->sizeHint().width() + formScroll->verticalScrollBar()->sizeHint().width();
    const int besideForm = sizeHint().width() - formScroll->sizeHint().width();
    formScroll->setMinimumWidth(qMax(0, qMin(formWidth, room.width() - besideForm)));
    QSize wanted = sizeHint();
    wanted.setHeight(wanted.height() + picRegInfo->sizeHint().height() - formScroll->sizeHint().height());
    resize(wanted.boundedTo(room));
}

void RegistrationWindow::Form_Load() {
    labGetNewPic_Click();
    placeOnScreen();
    const int waitTop = (height() - picWaiting->height()) / 2 - toPixels(500);
    picWaiting->move((width() - picWaiting->width()) / 2, waitTop);

    // Adding to a list selects nothing in the old runtime's drop-down lists; Qt selects the first
    // entry, so the choice is cleared again (without running the province handler).
    {
        const QSignalBlocker block(cobShe);
        cobShe->addItems(ProvinceNames());
        cobShe->setCurrentIndex(-1);
    }
    cobWork->addItems(OccupationNames());
    cobWork->setCurrentIndex(-1);

    cobMonth->setCurrentText(QStringLiteral("01"));
    cobDay->setCurrentText(QStringLiteral("01"));

    const ServiceConfig& config = serviceconfig::current();
    webAD->Navigate(QStringLiteral("http://") + config.hostName(ServiceHost::Advertising) + QStringLiteral("/pwtd/") +
                    WeeklyFolderName(QDate::currentDate()) + QStringLiteral("/regad.html?k1=v1.0"));
}

void RegistrationWindow::placeOnScreen() {
    // Centred over the login window, which it stands for while open (it is larger, so at the login
    // window's corner it would run off to the right), and moved as far as needed to be wholly on
    // its screen.
    const QScreen* s = m_login && m_login->screen() ? m_login->screen() : QGuiApplication::primaryScreen();
    QPoint at = m_login ? m_login->pos() : pos();
    if (s) {
        const QRect avail = s->availableGeometry();
        const QSize outer = size() + QSize(kFrameAllowance, kTitleAllowance + kFrameAllowance);
        if (m_login) at = m_login->frameGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
        at.setX(qBound(avail.left(), at.x(), qMax(avail.left(), avail.right() + 1 - outer.width())));
        at.setY(qBound(avail.top(), at.y(), qMax(avail.top(), avail.bottom() + 1 - outer.height())));
    }
    move(at);
}

bool RegistrationWindow::somethingTyped() const {
    for (const QLineEdit* box : {txtUserName, txtPassword1, txtPassword2, txtAnswer, txtEmail, txtYear, txtKey})
        if (!box->text().isEmpty()) return true;
    return false;
}

bool RegistrationWindow::mayDiscardForm() {
    return !somethingTyped() ||
           MsgBox(kDiscardQuestion, vbYesNo | vbQuestion | vbDefaultButton2, kTitle) == vbYes;
}

void RegistrationWindow::keyPressEvent(QKeyEvent* event) {
    // Escape would throw the filled-in form away unasked.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (mayDiscardForm()) reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RegistrationWindow::closeEvent(QCloseEvent* event) {
    // The title bar's close button, like Escape; closing by the program's own code is not asked about.
    if (event->spontaneous() && !mayDiscardForm()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void RegistrationWindow::cobShe_Click() {
    cobCity->clear();
    cobCity->addItems(CityNames(cobShe->currentText()));
    // The old window sent {DOWN} (first city chosen) and %{DOWN} (list dropped open).
    cobCity->setCurrentIndex(cobCity->count() > 0 ? 0 : -1);
    cobCity->setFocus();
    if (cobCity->isVisible() && cobCity->count() > 0) cobCity->showPopup();
}

void RegistrationWindow::labGetNewPic_Click() {
    static const QString alphabet = QStringLiteral("2345689abcdefghkmnpqrstuvwxyzABCDEFGHKMNPQRSTUVWXYZ");
    QString text;
    for (int i = 0; i < 4; ++i) text += alphabet.at(RandomInt(51, 1) - 1);
    txtKey->clear();
    CaptchaText = text;

    // Sizes and positions in twips, as the panel was designed.
    const int panelW = picCode->width() * kTwipsPerPixel;
    const int panelH = picCode->height() * kTwipsPerPixel;
    const int slot = static_cast<int>(vb::RoundHalfEven(double(panelW) / text.size()));
    const int pictureW = imgCode->width() * kTwipsPerPixel;
    const int pictureH = imgCode->height() * kTwipsPerPixel;
    const int imageLeft = RandomInt(0, static_cast<qint16>(panelW - pictureW));
    const int imageTop = RandomInt(0, static_cast<qint16>(panelH - pictureH));
    imgCode->move(toPixels(imageLeft), toPixels(imageTop));

    static const QColor backColors[] = {{255, 192, 192}, {255, 224, 192}, {255, 255, 192},
                                        {192, 255, 192}, {192, 255, 255}, {192, 192, 255},
                                        {255, 192, 255}, {128, 255, 128}, {128, 255, 255}};
    const QColor back = backColors[RandomInt(9, 1) - 1];
    QPalette pal = picCode->palette();
    pal.setColor(QPalette::Window, back);
    picCode->setPalette(pal);

    static const QString fonts[] = {QStringLiteral("宋体"), QStringLiteral("隶书"), QStringLiteral("黑体")};
    static const QColor foreColors[] = {{255, 0, 0}, {0, 192, 0}, {0, 0, 255}, {192, 0, 192}, {0, 0, 128}, {255, 255, 0}};
    for (int j = 1; j <= 4; ++j) {
        QLabel* label = labKey[j - 1];
        label->setText(text.mid(j - 1, 1));
        QFont font = label->font();
        font.setFamily(fonts[RandomInt(3, 1) - 1]);
        font.setPointSize(RandomInt(36, 26));
        label->setFont(font);
        label->adjustSize();  // the label takes the size of its new font
        const int w = label->width() * kTwipsPerPixel;
        const int h = label->height() * kTwipsPerPixel;
        const int labelLeft = RandomInt(static_cast<qint16>(slot * j - w), static_cast<qint16>(slot * (j - 1)));
        const int labelTop = RandomInt(static_cast<qint16>(panelH - 30 - h), 0);
        label->move(toPixels(labelLeft), toPixels(labelTop));
        font.setBold(RandomInt(2, 1) == 1);
        label->setFont(font);
        label->adjustSize();
        QColor fore = foreColors[RandomInt(6, 1) - 1];
        if (fore == back) fore = Qt::black;
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, fore);
        label->setPalette(lp);
        label->raise();
    }
}

void RegistrationWindow::txtKey_Change() {
    const int length = static_cast<int>(txtKey->text().size());
    txtWordLen->setText(QString::number(length));
    if (length == 4) {
        const bool same = txtKey->text().compare(CaptchaText, Qt::CaseInsensitive) == 0;
        imgOK->setVisible(same);
        imgWrong->setVisible(!same);
    } else {
        imgOK->hide();
        imgWrong->hide();
    }
}

void RegistrationWindow::txtYear_Change() {
    QString text = txtYear->text();
    if (!FilterYearText(text)) return;
    // Every offending character goes at once, with one message (not one per character).
    {
        const QSignalBlocker block(txtYear);
        txtYear->setText(text);
    }
    say(QStringLiteral("年份只能输入数字。"));
    txtYear->setFocus();
    txtYear->end(false);
}

RegistrationEntries RegistrationWindow::entries() const {
    RegistrationEntries e;
    e.userName = txtUserName->text();
    e.password1 = txtPassword1->text();
    e.password2 = txtPassword2->text();
    e.question = cobQuestion->currentText();
    e.answer = txtAnswer->text();
    e.email = txtEmail->text();
    e.year = txtYear->text();
    e.month = cobMonth->currentText();
    e.day = cobDay->currentText();
    e.province = cobShe->currentText();
    e.city = cobCity->currentText();
    e.female = optSex[1]->isChecked();
    e.occupation = cobWork->currentText();
    e.key = txtKey->text();
    e.captchaText = CaptchaText;
    return e;
}

QString RegistrationWindow::ValidateRegistration() const { return ::ValidateRegistration(entries()); }

void RegistrationWindow::refuse(const QString& message) {
    say(message);
    picRegInfo->setEnabled(true);
}

void RegistrationWindow::cmdRegister_Click() {
    picRegInfo->setEnabled(false);
    const QString problems = ValidateRegistration();
    if (!problems.isEmpty()) return refuse(problems);
    if (!optAgree->isChecked()) return refuse(QStringLiteral("您必须无条件接收服务条款才能够注册为会员。"));

    const RegistrationEntries e = entries();
    RegistrationIdentity id;
    const auto province = ProvinceCodeOf(e.province);
    if (!province) return refuse(QStringLiteral("[错误:205]省份信息错误，请修正后再继续..."));
    id.provinceCode = *province;
    const auto city = CityCodeOf(e.city, id.provinceCode);
    if (!city) return refuse(QStringLiteral("[错误:206]城市信息错误，请修正后再继续..."));
    id.cityCode = *city;
    const auto occupation = OccupationCodeOf(e.occupation);
    if (!occupation) return refuse(QStringLiteral("[错误:207]职业信息错误，请修正后再继续..."));
    id.occupationCode = *occupation;
    id.volumeSerial = GetVolumeSerial(QStringLiteral("c:\\"));
    id.localIp = GetLocalIpAddress();

    const QStringList first = RegisterFirstArguments(e, id);
    if (!IsFreeOfSqlWords(first.join(QLatin1Char(' '))))
        return refuse(QStringLiteral("[错误:203]抱歉！注册信息中含有保留字符，请修正后再继续..."));
    QList<SoapArgument> args;
    for (const QString& a : RegisterArguments(first, e.userName)) args.append(a);

    try {
        PleaseWait wait(picWaiting);
        const QString reply = ServiceCall(QStringLiteral("regser001"), QStringLiteral("Register"), args, &wait);
        picRegInfo->setEnabled(true);
        handleReply(reply);
    } catch (const VbError& error) {
        picWaiting->hide();
        picRegInfo->setEnabled(true);
        ReportServiceError(error, QStringLiteral("错误[reg0001]:抱歉！遇到意外错误，请您稍后再试..."));
    }
}

void RegistrationWindow::selectWholeName() {
    txtUserName->setFocus();
    txtUserName->selectAll();
}

void RegistrationWindow::handleReply(const QString& reply) {
    const RegisterReply kind = ClassifyRegisterReply(reply);
    switch (kind) {
    case RegisterReply::Ok:
        registrationDone(reply);
        return;
    case RegisterReply::Unknown:
        if (hooks::showNetError) hooks::showNetError();
        return;
    default:
        break;
    }
    say(RegisterRefusalMessage(kind, reply, txtUserName->text()));
    if (kind == RegisterReply::NameTaken || kind == RegisterReply::NameRefused) selectWholeName();
    if (kind == RegisterReply::Error0000) reject();
}

void RegistrationWindow::registrationDone(const QString& reply) {
    // Each step runs even when an earlier one failed.
    const QString typed = txtUserName->text();
    const QString trimmed = vb::Trim(typed);
    CurrentUserName = trimmed.toLower();
    try {
        EnsureDataFolders();
    } catch (...) {
    }
    try {
        say(RegistrationSuccessMessage(reply, typed, txtPassword1->text()));
    } catch (...) {
    }
    if (m_login) {
        m_login->cobUser->setEditText(trimmed);
        m_login->txtPassword->clear();
        m_login->cheSavePsw->setChecked(false);
    }
    accept();
    if (m_login) m_login->txtPassword->setFocus();
}

void RegistrationWindow::cmdBack_Click() { reject(); }

void ShowRegisterWindow(frmLogin* login) {
    RegistrationWindow dialog(login);
    const int result = dialog.exec();
    if (result == QDialog::Accepted && login) {
        login->activateWindow();
        login->txtPassword->setFocus();
    }
}
