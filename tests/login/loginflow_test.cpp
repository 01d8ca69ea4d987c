#include <gtest/gtest.h>

#include "login/loginflow.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "support/fixtures.h"

#include <QStringList>

namespace {

Table notices(const QList<QPair<QString, QString>>& rows) {
    Table t(static_cast<int>(rows.size()), 3);
    for (int r = 0; r < rows.size(); ++r) {
        t(r, 0) = QString::number(r);
        t(r, 1) = rows[r].first;
        t(r, 2) = rows[r].second;
    }
    return t;
}

// What the notice handlers were asked to do, in order.
struct NoticeLog {
    QStringList events;
    SysNoticeHandlers handlers() {
        return {[this](const QString& url) { events.append("page " + url); },
                [this](const QString& text) { events.append("msg " + text); }};
    }
};

}  // namespace

TEST(LoginInput, NameAndPasswordChecks) {
    struct Case {
        QString name, password;
        LoginInputProblem expected;
    };
    const QString twenty(20, QLatin1Char('a'));
    const Case cases[] = {
        {twenty, "pw", LoginInputProblem::None},
        {"  " + twenty + "  ", "pw", LoginInputProblem::None},  // trimmed before counting
        {twenty + "b", "pw", LoginInputProblem::NameTooLong},
        {QString(20, QChar(0x4E2D)), "pw", LoginInputProblem::None},  // characters, not bytes
        {QString(21, QChar(0x4E2D)), "", LoginInputProblem::NameTooLong},  // length comes first
        {"   ", "pw", LoginInputProblem::NameEmpty},
        {"", "", LoginInputProblem::NameEmpty},
        {"alice", "   ", LoginInputProblem::PasswordEmpty},
        {"alice", " pw ", LoginInputProblem::None},
        {"..", "pw", LoginInputProblem::NameUnsafe},
        {" . ", "pw", LoginInputProblem::NameUnsafe},
        {"a/b", "pw", LoginInputProblem::NameUnsafe},
        {"..\\x", "pw", LoginInputProblem::NameUnsafe},
        {"a.b", "pw", LoginInputProblem::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckLoginInput(c.name, c.password), c.expected) << c.name.toStdString() << "|" << c.password.toStdString();
}

TEST(LoginReply, TagsAreTestedInOrder) {
    const QPair<QString, LoginReplyKind> cases[] = {
        {"__Login__OK__x", LoginReplyKind::Ok},
        {"__Login__False____Login__OK__", LoginReplyKind::Ok},  // success wins over a failure tag
        {"abc__Login__False__", LoginReplyKind::WrongPassword},
        {"__Login__DBFalse__", LoginReplyKind::DatabaseDown},
        {"__Login__Data_Error__", LoginReplyKind::BadInput},
        {"__login__ok__", LoginReplyKind::Unknown},  // case counts
        {"", LoginReplyKind::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyLoginReply(c.first), c.second) << c.first.toStdString();
}

TEST(LoginReply, TextLosesTagsAndGetsItsSeparatorsBack) {
    EXPECT_EQ(LoginReplyText("__Login__OK__a{/F}b{/F}{//R}T{///T}__Login__OK__"), "a</F>b</F><//R>T<///T>");
}

TEST(LoginMessages, ExactTexts) {
    EXPECT_EQ(LoginEditionRefusal(" Bob "),
              QStringLiteral("抱歉！“ Bob ”不是 Tavolin Pellion的注册用户，\r\r请您使用TavolinPellion的注册用户名登录和使用本软件。"));
    EXPECT_EQ(LoginFailureMessage(VbError(9, "Subscript out of range")),
              QStringLiteral("错误:9Subscript out of range\r\r遇到错误，请您稍后再试..."));
}

TEST(LoginScreen, EitherDimensionAloneMakesTheScreenSmall) {
    EXPECT_TRUE(IsSmallScreen({1024, 768}));
    EXPECT_TRUE(IsSmallScreen({1280, 720}));
    EXPECT_TRUE(IsSmallScreen({1000, 1200}));
    EXPECT_FALSE(IsSmallScreen({1025, 769}));
    EXPECT_FALSE(IsSmallScreen({1920, 1080}));
}

TEST(LoginNotices, ActionsInOrderWithTheirTexts) {
    NoticeLog log;
    const Table t = notices({{"1", "http://p/0"}, {"0", "quit"}, {"1", "hello"}, {"1", "http://p/3"}, {"1", "real"}, {"1", "rn"}});
    EXPECT_TRUE(ProcessSysNotices(t, "0", "alice", "www7", log.handlers()));
    EXPECT_EQ(log.events, (QStringList{"page http://p/0", "msg hello", "page http://p/3?k1=alice&k2=www7", "msg real"}));
    // The member page's keys reach the service whole.
    log.events.clear();
    EXPECT_TRUE(ProcessSysNotices(t, "1", "a&b", "www#7%", log.handlers()));
    EXPECT_EQ(log.events[2], "page http://p/3?k1=a%26b&k2=www%237%25");
}

TEST(LoginNotices, RealNameDoneSuppressesRowFour) {
    NoticeLog log;
    const Table t = notices({{"0", ""}, {"0", ""}, {"0", ""}, {"0", ""}, {"1", "real"}});
    EXPECT_TRUE(ProcessSysNotices(t, "1", "alice", "www7", log.handlers()));
    EXPECT_TRUE(log.events.isEmpty());
}

TEST(LoginNotices, QuitNoticeStopsAfterItsMessage) {
    NoticeLog log;
    const Table t = notices({{"1", "p0"}, {"1", "bye"}, {"1", "later"}, {"1", "p3"}, {"1", "real"}});
    EXPECT_FALSE(ProcessSysNotices(t, "0", "alice", "www7", log.handlers()));
    EXPECT_EQ(log.events, (QStringList{"page p0", "msg bye"}));
}

TEST(LoginNotices, ShortTableFailsWhereTheMissingRowIsReached) {
    NoticeLog log;
    const Table t = notices({{"0", ""}, {"0", ""}, {"1", "hello"}});
    try {
        ProcessSysNotices(t, "0", "alice", "www7", log.handlers());
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), VbError::SubscriptOutOfRange);
    }
    EXPECT_EQ(log.events, QStringList{"msg hello"});
}

TEST(LoginAds, LoginPageSequenceAcrossStarts) {
    // First start: page 0, stored 0; then a drawn page; then on by one, wrapping from 5 to 1.
    const auto draw3 = [] { return 3; };
    struct Case {
        QString stored, page, next;
    };
    const Case cases[] = {{"", "0", "0"}, {"0", "3", "4"}, {"4", "4", "5"}, {"5", "5", "1"}, {"1", "1", "2"}};
    for (const Case& c : cases) {
        const AdPick p = PickLoginAd(c.stored, draw3);
        EXPECT_EQ(p.page, c.page) << c.stored.toStdString();
        EXPECT_EQ(p.next, c.next) << c.stored.toStdString();
    }
    EXPECT_THROW(PickLoginAd("x", draw3), VbError);
}

TEST(LoginAds, WaitingPageSequence) {
    const auto draw2 = [] { return 2; };
    EXPECT_EQ(PickWaitingAd("", draw2).page, "2");
    EXPECT_EQ(PickWaitingAd("0", draw2).next, "3");
    EXPECT_EQ(PickWaitingAd("5", draw2).page, "5");
    EXPECT_EQ(PickWaitingAd("5", draw2).next, "1");
}

class LoginAddresses : public testsupport::DataRootTest {};

TEST_F(LoginAddresses, AdvertisementPages) {
    ServiceConfig c = ServiceConfig::defaults();
    c.domain = "svc.test";
    c.advertisingHost = "ad";
    serviceconfig::set(c, false);
    const QDate d(2012, 12, 31);
    EXPECT_EQ(LoginAdUrl("0", d), "http://ad.svc.test/pwtd/1254/loginad_0.html?k1=2.0");
    EXPECT_EQ(WaitingAdUrl("4", d, "alice", "www7"),
              "http://ad.svc.test/ad/kr/1254/loginad_4.html?k1=v1.0&k2=alice&k3=www7");
    EXPECT_EQ(WaitingAdUrl("4", d, "a#b", "www&7%"),
              "http://ad.svc.test/ad/kr/1254/loginad_4.html?k1=v1.0&k2=a%23b&k3=www%267%25");
}
