// The home-page protection dialog: the state it shows from the loaded record, the question, and
// the switch-on and switch-off against the emulator, whose site then asks the question.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

#include "foundation/shareddata.h"
#include "state/loginstate.h"
#include "platform/hookcheck.h"
#include "platform/ansi.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "siteoptions/siteprotection.h"
#include "siteoptions/ui/siteprotectionwindow.h"
#include "support/publishfixture.h"

#ifdef TAVOLIN_HAVE_EMULATOR
#include "emulator/servicelogic.h"
#endif

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

const QString kQuestion = QStringLiteral("请您说出我的手机号码。");
const QString kOnFailed =
    QStringLiteral("网站加密失败！请您稍后再试...\r\r注：若加密失败后出现域名无法正常访问则请稍后再重新加密。");

bool IsSiteKey(const QString& key) {
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{8}$"));
    return form.match(key).hasMatch();
}

class Protection : public testsupport::PublishTest {
protected:
    // The record as the main window's protection button loads it.
    void loadRecord(const QString& state, const QString& question = QString(), const QString& answer = QString()) {
        Grid& grid = frmDB::grdDB[13];
        grid.setCols(11);
        grid.set(1, 0, LoginField(6));
        grid.set(1, 1, state);
        grid.set(1, 4, question);
        grid.set(1, 5, answer);
    }
    QString recordCell(int column) { return frmDB::grdDB[13].value(1, column); }
    QList<testsupport::EmulatorCall> switchOnCalls() { return emulator().calls(QStringLiteral("WebsiteEncryption")); }
    // The member's site address as a visitor opens it, with an answer when given.
    testsupport::EmulatorPage visit(const QString& answer = QString()) {
        QString url = QStringLiteral("http://www.") + demo.domain + QLatin1Char('.') + emulator().domain() +
                      QLatin1Char('/');
        if (!answer.isNull()) url += QStringLiteral("?answer=") + QString::fromLatin1(QUrl::toPercentEncoding(answer));
        return emulator().get(url);
    }
};

}  // namespace

TEST_F(Protection, LoadShowsTheRecordsState) {
    const struct {
        bool loaded;
        const char* state;
        const char* shown;
        bool canSwitchOff;
    } cases[] = {
        {false, "", "未知(读取网站加密信息遇到错误)", false},
        {true, "1", "已加密", true},
        {true, "0", "未加密", false},
        {true, "2", "未知(读取网站加密信息遇到错误)", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        frmDB::Unload();
        if (c.loaded) loadRecord(QString::fromLatin1(c.state), QStringLiteral("我的小学？"), QStringLiteral("实验小学"));
        SiteProtectionWindow window;
        EXPECT_EQ(window.labEncryption->text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(window.cmdNotEncryption->isEnabled(), c.canSwitchOff);
        EXPECT_TRUE(window.cmdEncryption->isEnabled());
        // A stored question not in the list shows as typed text; nothing without a record.
        EXPECT_EQ(window.cobQuestion->currentText(), c.loaded ? QStringLiteral("我的小学？") : QString());
        EXPECT_EQ(window.txtAnswer->text(), c.loaded ? QStringLiteral("实验小学") : QString());
        EXPECT_TRUE(window.txtMyQuestion->isHidden());
    }
}

TEST_F(Protection, WindowSetsEveryHook) {
    SiteProtectionWindow window;
    EXPECT_EQ(UnsetRequiredHooks(window.logic.view).join(u' ').toStdString(), "");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("网站首页加密"));
    ASSERT_EQ(window.cobQuestion->count(), 8);
    EXPECT_EQ(window.cobQuestion->itemText(7), kCustomQuestionEntry);
    // Choosing the last entry shows the custom box; another entry hides it again.
    window.cobQuestion->setCurrentIndex(7);
    window.cobQuestion_Click();
    EXPECT_FALSE(window.txtMyQuestion->isHidden());
    window.cobQuestion->setCurrentIndex(0);
    window.cobQuestion_Click();
    EXPECT_TRUE(window.txtMyQuestion->isHidden());
}

TEST_F(Protection, MissingQuestionOrAnswerSendsNothing) {
    QStringList focus;
    SiteProtectionController dialog;
    QString question, custom, answer;
    bool customShown = false;
    SiteProtectionView& v = dialog.view;
    v.questionText = [&] { return question; };
    v.customQuestionShown = [&] { return customShown; };
    v.showCustomQuestion = [&](bool on) { customShown = on; };
    v.customQuestionText = [&] { return custom; };
    v.answerText = [&] { return answer; };
    v.focusQuestion = [&] { focus << QStringLiteral("cobQuestion"); };
    v.focusCustomQuestion = [&] { focus << QStringLiteral("txtMyQuestion"); };
    v.focusAnswer = [&] { focus << QStringLiteral("txtAnswer"); };
    v.enableEncryption = [&](bool) { focus << QStringLiteral("disabled"); };

    const QString noQuestion = QStringLiteral("问题不能为空，请设置问题后再继续...");
    const QString noAnswer = QStringLiteral("答案不能为空，请设置答案后再继续...");
    const struct {
        const char* question;
        bool custom;
        const char* customText;
        const char* answer;
        QString message;
        const char* focus;
    } cases[] = {
        {"  ", false, "", "x", noQuestion, "cobQuestion"},
        // The custom box, once shown, is the question, whatever the list holds.
        {"请您说出我的真实姓名。", true, "   ", "x", noQuestion, "txtMyQuestion"},
        {"请您说出我的真实姓名。", false, "", "   ", noAnswer, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.focus);
        prompts.clear();
        focus.clear();
        question = QString::fromUtf8(c.question);
        customShown = c.custom;
        custom = QString::fromUtf8(c.customText);
        answer = QString::fromUtf8(c.answer);
        dialog.cmdEncryption_Click();
        EXPECT_EQ(prompts.messages(), QStringList{c.message});
        EXPECT_EQ(prompts.records().value(0).style, vbInformation);
        EXPECT_EQ(prompts.records().value(0).title, QStringLiteral("提示"));
        EXPECT_EQ(focus, *c.focus ? QStringList{QString::fromLatin1(c.focus)} : QStringList());
    }
    EXPECT_TRUE(switchOnCalls().isEmpty());

    // The list's last entry opens the custom box with the focus; any other entry closes it.
    focus.clear();
    question = kCustomQuestionEntry;
    customShown = false;
    dialog.cobQuestion_Click();
    EXPECT_TRUE(customShown);
    question = kQuestion;
    dialog.cobQuestion_Click();
    EXPECT_FALSE(customShown);
    dialog.cmdDIY_Click();
    EXPECT_TRUE(customShown);
    EXPECT_EQ(focus, (QStringList{QStringLiteral("txtMyQuestion"), QStringLiteral("txtAnswer"),
                                  QStringLiteral("txtMyQuestion")}));
}

TEST_F(Protection, SwitchOnSendsTheSiteWithANewKeyAndTheSiteThenAsksTheQuestion) {
    loadRecord(QStringLiteral("0"));
    SiteSettings(PublishColumn, PublishStateRow) = QString();
    SiteSettings(PublishColumn, MiddleBackColorRow) = QStringLiteral("#010101");  // an edit not yet published
    SiteProtectionWindow window;
    window.cobQuestion->setEditText(kQuestion);
    window.txtAnswer->setText(QStringLiteral("  13800138000 "));
    window.cmdEncryption->click();

    ASSERT_EQ(switchOnCalls().size(), 1);
    const testsupport::EmulatorCall call = switchOnCalls()[0];
    const QString key = LoginField(15);
    EXPECT_TRUE(IsSiteKey(key)) << key.toStdString();
    EXPECT_EQ(call.args.value(6), key);
    EXPECT_EQ(call.args.mid(0, 3), (QStringList{demo.name, QStringLiteral("K2"), member().digest}));
    EXPECT_EQ(call.args.mid(10), (QStringList{kQuestion, QStringLiteral("13800138000")}));
    EXPECT_EQ(settingsField(call, PublishStateRow), QStringLiteral("2"));

    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("网站加密成功！")});
    EXPECT_EQ(window.result(), QDialog::Accepted);  // closed
    EXPECT_EQ(window.labEncryption->text(), kProtectionOn);
    EXPECT_EQ(recordCell(1), QStringLiteral("1"));
    EXPECT_EQ(recordCell(4), kQuestion);
    EXPECT_EQ(recordCell(5), QStringLiteral("13800138000"));
    // Publishing's own bookkeeping is not the switch-on's.
    EXPECT_EQ(settingsField(call, MiddleBackColorRow), QStringLiteral("#010101"));
    EXPECT_EQ(SiteSettings(PublishedColumn, MiddleBackColorRow), QStringLiteral("#FFFFFF"));
    EXPECT_EQ(DialogState, 0);

    // The service keeps the key, question and answer; its site asks the question first.
    EXPECT_EQ(member().protectionKey, key);
    const testsupport::EmulatorPage asked = visit();
    EXPECT_EQ(asked.status, 200);
    EXPECT_TRUE(QString::fromUtf8(asked.body).contains(kQuestion));
    EXPECT_FALSE(QString::fromUtf8(visit(QStringLiteral("000")).body).contains(QStringLiteral("欢迎光临")));
    EXPECT_TRUE(QString::fromUtf8(visit(QStringLiteral("000")).body).contains(QStringLiteral("答案不正确")));
    EXPECT_EQ(AnsiCodec::decode(visit(QStringLiteral("13800138000")).body),
              AnsiCodec::decode(AnsiCodec::encode(emu::UnescapeBrackets(call.args.value(9)))));

    // Reopened, the dialog shows the new state without asking the service.
    SiteProtectionWindow again;
    EXPECT_EQ(again.labEncryption->text(), kProtectionOn);
    EXPECT_TRUE(again.cmdNotEncryption->isEnabled());
}

TEST_F(Protection, SwitchOnWithoutARecordMakesOne) {
    SiteProtectionWindow window;
    ASSERT_EQ(window.labEncryption->text(), kProtectionUnknown);
    window.cobQuestion->setEditText(QStringLiteral("我家的猫叫什么？"));
    window.txtAnswer->setText(QStringLiteral("花花"));
    window.cmdEncryption_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("网站加密成功！")});
    ASSERT_EQ(frmDB::grdDB[13].cols(), 11);
    EXPECT_EQ(recordCell(0), member().prefix);
    EXPECT_EQ(recordCell(1), QStringLiteral("1"));
    EXPECT_EQ(recordCell(4), QStringLiteral("我家的猫叫什么？"));
    EXPECT_EQ(recordCell(5), QStringLiteral("花花"));
    SiteProtectionWindow again;
    EXPECT_EQ(again.labEncryption->text(), kProtectionOn);
}

TEST_F(Protection, RefusedSwitchOnPutsTheOldKeyBackAndEachAttemptHasItsOwnKey) {
    loadRecord(QStringLiteral("0"));
    SetLoginField(15, QStringLiteral("0badc0de"));
    emulator().scriptReply(QStringLiteral("WebsiteEncryption"), QStringLiteral("Error_0003"));
    SiteProtectionWindow window;
    window.cobQuestion->setEditText(kQuestion);
    window.txtAnswer->setText(QStringLiteral("1"));
    window.cmdEncryption_Click();

    EXPECT_EQ(prompts.messages(), QStringList{kOnFailed});
    EXPECT_EQ(LoginField(15), QStringLiteral("0badc0de"));
    EXPECT_EQ(recordCell(1), QStringLiteral("0"));
    EXPECT_EQ(SiteSettings(PublishColumn, PublishStateRow), QStringLiteral("2"));
    EXPECT_EQ(window.labEncryption->text(), kProtectionOff);
    EXPECT_TRUE(window.cmdEncryption->isEnabled());
    EXPECT_TRUE(window.picNetToService->isHidden());
    EXPECT_NE(window.result(), QDialog::Accepted);
    EXPECT_TRUE(member().protectionKey.isEmpty());

    // Tried again: a different key, which the service now holds.
    prompts.clear();
    window.cmdEncryption_Click();
    ASSERT_EQ(switchOnCalls().size(), 2);
    const QString first = switchOnCalls()[0].args.value(6), second = switchOnCalls()[1].args.value(6);
    EXPECT_TRUE(IsSiteKey(first) && IsSiteKey(second));
    EXPECT_NE(first, second);
    EXPECT_EQ(LoginField(15), second);
    EXPECT_EQ(member().protectionKey, second);
}

TEST_F(Protection, SwitchOnWithoutAReplyKeepsTheNewKey) {
    loadRecord(QStringLiteral("0"));
    emulator().hideWsdl(QStringLiteral("wwwser003"));
    SiteProtectionWindow window;
    window.cobQuestion->setEditText(kQuestion);
    window.txtAnswer->setText(QStringLiteral("1"));
    window.cmdEncryption_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(IsSiteKey(LoginField(15)));
    EXPECT_EQ(recordCell(1), QStringLiteral("0"));
    EXPECT_TRUE(window.cmdEncryption->isEnabled());
    EXPECT_TRUE(window.picNetToService->isHidden());
}

TEST_F(Protection, SwitchOffEmptiesTheKeyAndTheSiteOpensDirectly) {
    const QString key = QStringLiteral("1a2b3c4d");
    emulator().setMember(demo.name, {{QStringLiteral("protectionKey"), key}});
    member().protectionAnswer = QStringLiteral("42");
    SetLoginField(15, key);
    loadRecord(QStringLiteral("1"), kQuestion, QStringLiteral("42"));
    ASSERT_FALSE(AnsiCodec::decode(visit().body).contains(QStringLiteral("欢迎光临")));

    // Refused first: nothing changes and the button is back.
    emulator().scriptReply(QStringLiteral("WebsiteNotEncryption"), QStringLiteral("Error_0001"));
    SiteProtectionWindow window;
    window.cmdNotEncryption->click();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("“取消加密”失败！请您稍后再试...\r\r注：若“取消加密”失败后出现域名无法正常访问则请稍后再重新取消加密。")});
    EXPECT_TRUE(window.cmdNotEncryption->isEnabled());
    EXPECT_EQ(LoginField(15), key);
    EXPECT_EQ(recordCell(1), QStringLiteral("1"));

    prompts.clear();
    window.cmdNotEncryption->click();
    const QList<testsupport::EmulatorCall> calls = emulator().calls(QStringLiteral("WebsiteNotEncryption"));
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[1].args, (QStringList{demo.name, member().digest, member().prefix}));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("“取消加密”成功！")});
    EXPECT_EQ(window.labEncryption->text(), kProtectionOff);
    EXPECT_FALSE(window.cmdNotEncryption->isEnabled());
    EXPECT_NE(window.result(), QDialog::Accepted);  // stays open
    EXPECT_TRUE(LoginField(15).isEmpty());
    EXPECT_EQ(recordCell(1), QStringLiteral("0"));
    EXPECT_EQ(recordCell(4), kQuestion);
    EXPECT_TRUE(member().protectionKey.isEmpty());
    EXPECT_TRUE(AnsiCodec::decode(visit().body).contains(QStringLiteral("欢迎光临")));
}

#endif  // TAVOLIN_HAVE_EMULATOR
