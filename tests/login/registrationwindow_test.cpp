// The registration window against a scripted service: its opening state, the city list, the live
// captcha check, the year box, the local refusals, the Register call on the wire and every reply.
#include <gtest/gtest.h>

#include "foundation/hooks.h"
#include "foundation/machine.h"
#include "foundation/md5.h"
#include "login/ui/loginwindow.h"
#include "login/ui/registrationwindow.h"
#include "login/registercheck.h"
#include "state/loginstate.h"
#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "support/fixtures.h"
#include "support/soaptestserver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTcpServer>
#include <QStyle>
#include <QTest>

#include <cstdlib>

using testsupport::SoapTestServer;

namespace {

const QStringList kRegisterParams = {"UserName", "Password",   "Question",       "Answer",    "Birthday",
                                     "Email",    "Province",   "ProvinceCode",   "City",      "CityCode",
                                     "Sex",      "SexCode",    "Occupation",     "OccupationCode",
                                     "IPAddress", "MachineSerial", "CheckCode",  "Edition"};

class RegisterWindowTest : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        useProxy(server.port());
        server.wsdl = SoapTestServer::makeWsdl(QStringLiteral("http://www.sitehost.test/services/regser001.asmx"),
                                               {{QStringLiteral("Register"), kRegisterParams}},
                                               QStringLiteral("regser001"));
        hooks::showNetError = [this] { ++netErrors; };
    }
    void TearDown() override {
        hooks::showNetError = nullptr;
        serviceconfig::reload();
        DataRootTest::TearDown();
    }
    void useProxy(quint16 port) {
        ServiceConfig c = ServiceConfig::defaults();
        c.domain = QStringLiteral("sitehost.test");
        c.defaultHost = QStringLiteral("www");
        c.proxy = QStringLiteral("127.0.0.1:%1").arg(port);
        c.timeoutSeconds = 20;
        serviceconfig::set(c, false);
    }
    static void choose(QComboBox* box, const QString& text) {
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
    }
    // Entries that pass every local check.
    static void fill(frmRegister& w) {
        w.txtUserName->setText(QStringLiteral(" Alice_2 "));
        w.txtPassword1->setText(QStringLiteral(" Pa$s12 "));
        w.txtPassword2->setText(QStringLiteral(" Pa$s12 "));
        w.cobQuestion->setCurrentIndex(10);
        w.txtAnswer->setText(QStringLiteral("杭州"));
        w.txtEmail->setText(QStringLiteral("alice@example.com"));
        w.txtYear->setText(QStringLiteral("1990"));
        choose(w.cobMonth, QStringLiteral("05"));
        choose(w.cobDay, QStringLiteral("17"));
        choose(w.cobShe, QStringLiteral("浙江省"));
        choose(w.cobCity, QStringLiteral("宁波市"));
        choose(w.cobWork, QStringLiteral("学生"));
        w.txtKey->setText(w.CaptchaText.toUpper());
        w.optAgree->setChecked(true);
    }
    // The text arguments of the one Register request the server received.
    QStringList sentArguments() const {
        const QList<SoapTestServer::Received> posts = server.posts();
        if (posts.size() != 1) return {QStringLiteral("posts: %1").arg(posts.size())};
        const soap::Request r = soap::ParseRequest(posts[0].body);
        QStringList values;
        for (const auto& a : r.args) values.append(a.second);
        return values;
    }

    SoapTestServer server;
    int netErrors = 0;
};

}  // namespace

TEST_F(RegisterWindowTest, OpensWithItsDefaults) {
    frmRegister w;
    EXPECT_EQ(w.windowTitle(), "用户注册");
    EXPECT_TRUE(w.Option1->isChecked());
    EXPECT_FALSE(w.optAgree->isChecked());
    EXPECT_TRUE(w.optSex[1]->isChecked());
    EXPECT_EQ(w.cobMonth->currentText(), "01");
    EXPECT_EQ(w.cobDay->currentText(), "01");
    for (QLineEdit* box : {w.txtPassword1, w.txtPassword2}) {
        EXPECT_EQ(box->echoMode(), QLineEdit::Password);
        EXPECT_EQ(QChar(box->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, box)), QLatin1Char('*'));
    }
    EXPECT_EQ(w.cobQuestion->count(), 11);
    EXPECT_EQ(w.cobQuestion->currentText(), "");
    EXPECT_EQ(w.cobShe->count(), 34);
    EXPECT_EQ(w.cobShe->currentText(), "");
    EXPECT_EQ(w.cobCity->count(), 0);
    EXPECT_GE(w.cobWork->count(), 20);
    EXPECT_EQ(w.cobWork->currentText(), "");
    EXPECT_EQ(w.txtUserName->maxLength(), 20);
    EXPECT_EQ(w.txtPassword1->maxLength(), 16);
    EXPECT_EQ(w.txtPassword1->echoMode(), QLineEdit::Password);
    EXPECT_EQ(w.txtKey->maxLength(), 4);
    EXPECT_TRUE(w.picWaiting->isHidden());
    EXPECT_TRUE(w.imgOK->isHidden());
    EXPECT_TRUE(w.imgWrong->isHidden());

    // The captcha: four characters of the alphabet, one per label, inside the panel's width.
    const QString alphabet = QStringLiteral("2345689abcdefghkmnpqrstuvwxyzABCDEFGHKMNPQRSTUVWXYZ");
    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(w.CaptchaText.size(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(alphabet.contains(w.CaptchaText[i]));
            EXPECT_EQ(w.labKey[i]->text(), w.CaptchaText.mid(i, 1));
            // A glyph wider than its slot may start a little left of it; it always overlaps the panel.
            EXPECT_GT(w.labKey[i]->x() + w.labKey[i]->width(), 0);
            EXPECT_LT(w.labKey[i]->x(), w.picCode->width());
        }
        EXPECT_LE(w.imgCode->x(), 0);
        EXPECT_LE(w.imgCode->y(), 0);
        EXPECT_GE(w.imgCode->x() + w.imgCode->width(), w.picCode->width());
        EXPECT_GE(w.imgCode->y() + w.imgCode->height(), w.picCode->height());
        w.labGetNewPic_Click();
    }
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(RegisterWindowTest, WholeFormAndItsButtonsFitTheScreen) {
    frmRegister w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect avail = w.screen()->availableGeometry();
    EXPECT_TRUE(avail.contains(w.frameGeometry())) << w.frameGeometry().width() << "x" << w.frameGeometry().height() << "+"
                                                   << w.x() << "+" << w.y() << " on " << avail.width() << "x" << avail.height();
    // The buttons are never scrolled away; every field can be scrolled into view, none is cut.
    for (QWidget* button : {static_cast<QWidget*>(w.cmdRegister), static_cast<QWidget*>(w.cmdBack)}) {
        const QRect r(button->mapTo(&w, QPoint(0, 0)), button->size());
        EXPECT_TRUE(w.rect().contains(r)) << button->metaObject()->className();
        EXPECT_FALSE(w.formScroll->isAncestorOf(button));
    }
    for (QWidget* field : {static_cast<QWidget*>(w.Text15), static_cast<QWidget*>(w.txtUserName),
                           static_cast<QWidget*>(w.cobWork), static_cast<QWidget*>(w.txtKey)}) {
        QCoreApplication::processEvents();  // the scroll range follows the laid-out form
        w.formScroll->ensureWidgetVisible(field, 0, 0);
        // Its whole height and its start; a screen narrower than the form scrolls it sideways too.
        const QPoint at = field->mapTo(w.formScroll->viewport(), QPoint(0, 0));
        const QRect view = w.formScroll->viewport()->rect();
        EXPECT_TRUE(view.contains(at) && at.y() + field->height() <= view.height()) << field->metaObject()->className() << " at " << at.x() << "," << at.y() << " h " << field->height() << " view " << view.width() << "x" << view.height();
    }
}

TEST_F(RegisterWindowTest, OpensCentredOverTheLoginWindowWhollyOnTheScreen) {
    frmLogin login;  // centred on the screen by its load
    const QRect avail = login.screen()->availableGeometry();
    const QPoint places[] = {login.pos(), avail.topLeft(), QPoint(avail.right() - login.width(), avail.top() + 40)};
    for (const QPoint& at : places) {
        SCOPED_TRACE(QStringLiteral("login at %1,%2").arg(at.x()).arg(at.y()).toStdString());
        login.move(at);
        frmRegister w(&login);
        const QRect frame(w.pos(), w.size());
        EXPECT_TRUE(avail.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        // As near the login window's middle as the screen allows; over a centred login window,
        // in the screen's middle.
        const int wantedX = qBound(avail.left(), login.geometry().center().x() - w.width() / 2,
                                   avail.right() + 1 - w.width());
        EXPECT_LE(std::abs(frame.x() - wantedX), 8);
        if (at == places[0]) {
            EXPECT_LE(std::abs(frame.center().x() - avail.center().x()), 8);
        }
    }
}

TEST_F(RegisterWindowTest, EscapeAsksOnceBeforeThrowingTypedEntriesAway) {
    struct Case {
        const char* typed;
        int answer;  // 0: no question expected
        bool closes;
    };
    for (const Case& c : {Case{"", 0, true}, Case{"alice", vbNo, false}, Case{"alice", vbYes, true}}) {
        prompts.clear();
        frmRegister w;
        w.show();
        w.txtUserName->setText(QString::fromUtf8(c.typed));
        w.txtUserName->setFocus();
        if (c.answer) prompts.answer(c.answer);
        QTest::keyClick(w.txtUserName, Qt::Key_Escape);
        EXPECT_EQ(w.isVisible(), !c.closes) << c.typed << " " << c.answer;
        if (c.answer) {
            ASSERT_EQ(prompts.messages(), QStringList{frmRegister::kDiscardQuestion});
            EXPECT_EQ(prompts.records()[0].style, vbYesNo | vbQuestion | vbDefaultButton2);
            EXPECT_EQ(w.txtUserName->text(), QString::fromUtf8(c.typed));
        } else {
            EXPECT_TRUE(prompts.records().isEmpty());
        }
    }
}

TEST_F(RegisterWindowTest, CityListFollowsTheProvince) {
    frmRegister w;
    w.show();
    choose(w.cobShe, QStringLiteral("浙江省"));
    EXPECT_EQ(w.cobCity->itemText(0), "杭州市");
    EXPECT_EQ(w.cobCity->currentText(), "杭州市");
    EXPECT_EQ(w.cobCity->count(), 12);  // eleven cities and the selection's empty row
    w.cobCity->hidePopup();
    choose(w.cobShe, QStringLiteral("北京市"));
    EXPECT_EQ(w.cobCity->count(), 2);
    EXPECT_EQ(w.cobCity->currentText(), "北京市");
    w.cobCity->hidePopup();
}

TEST_F(RegisterWindowTest, CaptchaTickAndCrossAtFourCharacters) {
    frmRegister w;
    w.txtKey->setText(w.CaptchaText.left(3));
    EXPECT_EQ(w.txtWordLen->text(), "3");
    EXPECT_TRUE(w.imgOK->isHidden());
    EXPECT_TRUE(w.imgWrong->isHidden());
    w.txtKey->setText(w.CaptchaText.toLower() == w.CaptchaText ? w.CaptchaText.toUpper() : w.CaptchaText.toLower());
    EXPECT_EQ(w.txtWordLen->text(), "4");
    EXPECT_FALSE(w.imgOK->isHidden());
    EXPECT_TRUE(w.imgWrong->isHidden());
    w.txtKey->setText(w.CaptchaText.left(3) + (w.CaptchaText[3] == u'2' ? QStringLiteral("3") : QStringLiteral("2")));
    EXPECT_TRUE(w.imgOK->isHidden());
    EXPECT_FALSE(w.imgWrong->isHidden());
    // A new picture empties the entry.
    w.labGetNewPic_Click();
    EXPECT_EQ(w.txtKey->text(), "");
    EXPECT_EQ(w.txtWordLen->text(), "0");
    EXPECT_TRUE(w.imgWrong->isHidden());
}

TEST_F(RegisterWindowTest, YearBoxDropsEveryLetterWithOneMessage) {
    frmRegister w;
    w.show();
    w.txtYear->setText(QStringLiteral("19a5"));
    EXPECT_EQ(w.txtYear->text(), "195");
    ASSERT_EQ(prompts.messages(), QStringList{"年份只能输入数字。"});
    EXPECT_EQ(prompts.records()[0].title, "提示");
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
    EXPECT_EQ(w.txtYear->cursorPosition(), 3);
    prompts.clear();
    QTest::keyClicks(w.txtYear, QStringLiteral("x0"));
    EXPECT_EQ(w.txtYear->text(), "1950");
    EXPECT_EQ(prompts.messages(), QStringList{"年份只能输入数字。"});
}

TEST_F(RegisterWindowTest, LocalRefusalsSendNothing) {
    frmRegister w;
    // Every entry empty: the numbered list (the captcha is never empty, so its rule fails too).
    w.cmdRegister_Click();
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith("您的注册信息有以下方面需要修改才能继续提交：\r\r1、会员名的长度必须大于5位；"));
    EXPECT_TRUE(prompts.messages()[0].endsWith("\r8、验证字符与图片中的文字不相符。"));
    EXPECT_TRUE(w.picRegInfo->isEnabled());

    struct Case {
        const char* what;
        std::function<void(frmRegister&)> change;
        QString message;
    };
    const QList<Case> cases = {
        {"terms refused", [](frmRegister& w) { w.Option1->setChecked(true); },
         "您必须无条件接收服务条款才能够注册为会员。"},
        {"no province", [](frmRegister& w) { w.cobShe->setCurrentIndex(-1); },
         "[错误:205]省份信息错误，请修正后再继续..."},
        {"the empty city row", [](frmRegister& w) { w.cobCity->setCurrentIndex(w.cobCity->count() - 1); },
         "[错误:206]城市信息错误，请修正后再继续..."},
        {"unlisted occupation", [](frmRegister& w) { w.cobWork->addItem("宇航员"); choose(w.cobWork, "宇航员"); },
         "[错误:207]职业信息错误，请修正后再继续..."},
        {"SQL word in the answer", [](frmRegister& w) { w.txtAnswer->setText("Select 1"); },
         "[错误:203]抱歉！注册信息中含有保留字符，请修正后再继续..."},
    };
    for (const Case& c : cases) {
        frmRegister form;
        fill(form);
        c.change(form);
        prompts.clear();
        form.cmdRegister_Click();
        EXPECT_EQ(prompts.messages(), QStringList{c.message}) << c.what;
        EXPECT_TRUE(form.picRegInfo->isEnabled()) << c.what;
        EXPECT_TRUE(form.picWaiting->isHidden()) << c.what;
    }
    EXPECT_TRUE(server.posts().isEmpty());
    EXPECT_EQ(netErrors, 0);
}

TEST_F(RegisterWindowTest, SuccessSendsEighteenArgumentsAndHandsTheNameToTheLoginWindow) {
    frmLogin login;
    login.cheSavePsw->setChecked(true);
    login.txtPassword->setText(QStringLiteral("old"));
    frmRegister w(&login);
    fill(w);
    w.optSex[0]->setChecked(true);
    bool waitingShown = false;
    server.onPost = [&](const SoapTestServer::Received& r) {
        waitingShown = w.picWaiting->isVisible() && !w.picRegInfo->isEnabled();
        const soap::Request req = soap::ParseRequest(r.body);
        return SoapTestServer::Answer{
            200, soap::BuildResponse(req.ns, req.method, QStringLiteral("__Reg__OK____Area__您的网站在华东服务器上。"))};
    };
    w.show();
    w.cmdRegister_Click();
    EXPECT_TRUE(waitingShown);

    const QStringList first = {"alice_2", Md5Hex(" Pa$s12 "), "您的家乡是？", "杭州", "1990-05-17", "alice@example.com",
                               "浙江省", "330000", "宁波市", "330200", "男", "1", "学生", "01", GetLocalIpAddress(),
                               QString::number(GetVolumeSerial(QStringLiteral("c:\\")))};
    const QStringList expected = first + QStringList{RegisterCheckCode(first, " Alice_2 "), "1"};
    EXPECT_EQ(sentArguments(), expected);
    EXPECT_EQ(server.posts()[0].url.host(), "www.sitehost.test");

    EXPECT_EQ(prompts.messages(),
              QStringList{"新会员注册成功！欢迎  Alice_2  加入Orbel的大家庭！\r\r请在返回登录界面后输入您的注册密码[ ****** ]"
                          "登录本软件。\r\r您的网站在华东服务器上。"});
    EXPECT_EQ(CurrentUserName, "alice_2");
    EXPECT_TRUE(QFileInfo(paths::InRoot("UserData/alice_2/temp")).isDir());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(login.cobUser->currentText(), "Alice_2");
    EXPECT_EQ(login.txtPassword->text(), "");
    EXPECT_FALSE(login.cheSavePsw->isChecked());
    EXPECT_EQ(netErrors, 0);
}

TEST_F(RegisterWindowTest, EveryRefusingReplyKeepsTheWindowOpen) {
    struct Case {
        QString reply;
        QString message;
        bool nameSelected;
    };
    const QList<Case> cases = {
        {"__Reg__False____Reg__DB_Error__", "会员名：“ Alice_2 ”已经被注册，请重新输入新的会员名。", true},
        {"__Reg_Next_Hour__/14[10.1.2.3]",
         "非常抱歉！在当前的小时内(14)已有IP地址前3段与您的IP(10.1.2.3)\r相同的用户进行了注册，为了防止暴力注册，"
         "本系统在此种情况下(每小时)只允许注册一位用户。\r请您在下一个整点开始后再注册或者断网重新拨号(更换IP地址)后再试，"
         "由此给您带来的不便，我们深表歉意！",
         false},
        {"__Reg__Can_Not_Name__", "抱歉！您不能注册会员名：“ Alice_2 ”，请重新输入新的会员名。", true},
        {"__Reg__Data_Error__", "生成密钥失败，您可能无法在此台电脑上完成注册。", false},
        {"__Reg__Data_NotSafe__", "您的注册销信息中含有对服务器操作的关键字（英文单词），请您检查修改后再继续。", false},
        {"__Reg__DB_Error__", "连接Orbel网络数据库失败，请您稍后再试...", false},
    };
    for (const Case& c : cases) {
        frmRegister w;
        fill(w);
        const QString captcha = w.CaptchaText;
        w.show();
        server.result = c.reply;
        prompts.clear();
        w.cmdRegister_Click();
        EXPECT_EQ(prompts.messages(), QStringList{c.message}) << c.reply.toStdString();
        EXPECT_TRUE(w.isVisible()) << c.reply.toStdString();
        EXPECT_TRUE(w.picRegInfo->isEnabled());
        EXPECT_TRUE(w.picWaiting->isHidden());
        EXPECT_EQ(w.CaptchaText, captcha) << "a refusal keeps the captcha";
        EXPECT_EQ(w.txtUserName->selectedText() == w.txtUserName->text(), c.nameSelected) << c.reply.toStdString();
    }
    EXPECT_EQ(CurrentUserName, "");
    EXPECT_EQ(netErrors, 0);
}

TEST_F(RegisterWindowTest, ErrorReplyClosesAndUnknownReplyOpensTheNetworkWindow) {
    {
        frmRegister w;
        fill(w);
        w.show();
        server.result = QStringLiteral("__Reg__Error0000__");
        w.cmdRegister_Click();
        EXPECT_EQ(prompts.messages(), QStringList{"抱歉！遇到意外错误，请您在退出此界面后重新进行注册操作。"});
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
    prompts.clear();
    {
        frmRegister w;
        fill(w);
        w.show();
        server.result = QStringLiteral("OK_0001");
        w.cmdRegister_Click();
        EXPECT_TRUE(prompts.messages().isEmpty());
        EXPECT_EQ(netErrors, 1);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.picRegInfo->isEnabled());
    }
}

TEST_F(RegisterWindowTest, FailedCallsFollowTheErrorConvention) {
    frmRegister w;
    fill(w);
    w.show();
    // A SOAP fault: the registration's own message.
    server.postAnswers = {SoapTestServer::Answer{500, soap::BuildFault(QStringLiteral("soap:Server"), QStringLiteral("x"))}};
    w.cmdRegister_Click();
    EXPECT_EQ(prompts.messages(), QStringList{"错误[reg0001]:抱歉！遇到意外错误，请您稍后再试..."});
    EXPECT_EQ(netErrors, 0);
    EXPECT_TRUE(w.picRegInfo->isEnabled());
    EXPECT_TRUE(w.picWaiting->isHidden());

    // No service reachable: the WSDL cannot load, the network-error window opens.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    useProxy(port);
    prompts.clear();
    w.cmdRegister_Click();
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.picRegInfo->isEnabled());
    EXPECT_TRUE(w.picWaiting->isHidden());
}
