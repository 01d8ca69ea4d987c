// Publishing the site: the payload, and the step against the emulator in its cell and template
// variants (first publish, nothing to send, every refusal's rollback, no reply at all).
#include <gtest/gtest.h>

#include <QFileInfo>

#include "foundation/servicecall.h"
#include "platform/prompts.h"
#include "site/publishcheck.h"
#include "site/publishdialog.h"
#include "site/publishsite.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "support/publishfixture.h"
#include "support/sitefixture.h"

namespace B = CellBlock;

namespace {

const QString kUpdated = QStringLiteral("网站更新成功！");
const QString kNoDomain = QStringLiteral("抱歉！您尚未注册Orbel网站域名，请您先注册域名后再设置您的网站。");

class PublishPayload : public testsupport::SiteTest {};

}  // namespace

TEST_F(PublishPayload, SettingsTextHasEveryRowAndEscapesBracketsOnly) {
    EXPECT_EQ(PublishSettingsText(), QStringLiteral("{/F}").repeated(333));

    SiteSettings(PublishColumn, 0) = QStringLiteral("a<b>c</b>");
    SiteSettings(PublishColumn, 7) = QStringLiteral("x&y &x_; >");
    SiteSettings(PublishColumn, 332) = QStringLiteral("last");
    SiteSettings(LocalColumn, 7) = QStringLiteral("<local>");  // only the PublishColumn travels
    const QStringList fields = PublishSettingsText().split(QStringLiteral("{/F}"));
    ASSERT_EQ(fields.size(), 334);  // 333 fields and the empty rest after the last separator
    EXPECT_EQ(fields[0], QStringLiteral("a&x_;b&d_;c&x_;/b&d_;"));
    EXPECT_EQ(fields[7], QStringLiteral("x&y &x_; &d_;"));
    EXPECT_EQ(fields[332], QStringLiteral("last"));
    EXPECT_EQ(fields[333], QString());
}

TEST_F(PublishPayload, PublishedFlagFollowsTheLocalPublishState) {
    EXPECT_EQ(PublishedFlag(), QStringLiteral("0"));
    SiteSettings(PublishColumn, PublishStateRow) = QStringLiteral("2");
    EXPECT_EQ(PublishedFlag(), QStringLiteral("0"));
    SiteSettings(LocalColumn, PublishStateRow) = QStringLiteral("2");
    EXPECT_EQ(PublishedFlag(), QStringLiteral("1"));
}

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

// What goes wrong with the publish call: the service is gone, the connection drops, or it refuses.
enum class Trouble { Stopped, Dropped, Refused };
std::string TroubleName(const ::testing::TestParamInfo<Trouble>& info) {
    switch (info.param) {
    case Trouble::Stopped: return "ServiceStopped";
    case Trouble::Dropped: return "ConnectionDropped";
    case Trouble::Refused: return "Refused";
    }
    return "Unknown";
}
void PrintTo(Trouble t, std::ostream* os) { *os << TroubleName({t, 0}); }

class Publish : public testsupport::PublishTest {
protected:
    // The cell editor's apply of a new text for cell 2: size, code and text layer change.
    void editCell2Text(const QString& text) {
        openEditor(2);
        CellRecord[3 + B::CellForeWidth] = QStringLiteral("600");
        CellRecord[3 + B::CellForeHeight] = QStringLiteral("120");
        CellRecord[3 + B::CellForeCode] = QStringLiteral("100");
        CellRecord[3 + B::CellTextHtml] = QStringLiteral("<b>") + text + QStringLiteral("</b>");
        CellRecord[3 + B::CellText] = text;
        CellRecord[3 + B::CellTextStyle] = QStringLiteral("2,11,0/0/0/0/,12,宋体,#000000,,0,0,0,0,0,0,,,,,,");
    }
    static constexpr int R = 21;  // cell 2's block

    void makeTrouble(Trouble t) {
        switch (t) {
        case Trouble::Stopped: stopService(); break;
        case Trouble::Dropped: emulator().dropConnection(QStringLiteral("UploadWebsite2")); break;
        case Trouble::Refused: emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007")); break;
        }
    }
};

}  // namespace

TEST_F(Publish, FirstPublishSendsTheSiteThenNothingWhileUnchanged) {
    SiteSettings(LocalColumn, PublishStateRow) = QString();  // a site never published from here
    editCell2Text(QStringLiteral("你好"));

    EXPECT_EQ(PublishCellSettings(), PublishOutcome::Accepted);
    ASSERT_EQ(publishCalls().size(), 1);
    const testsupport::EmulatorCall call = publishCalls().first();
    EXPECT_EQ(call.host.section(QLatin1Char('.'), 0, 0), member().prefix);
    const QStringList expectedHead{demo.name, QStringLiteral("K2"), member().digest, PublishCheckCode(call.args[9]),
                                   member().prefix, demo.domain, QString(), QStringLiteral("0")};
    EXPECT_EQ(call.args.mid(0, 8), expectedHead);
    EXPECT_EQ(call.args.mid(10), (QStringList{QString(), QStringLiteral("2.0")}));
    EXPECT_EQ(settingsField(call, PublishStateRow), QStringLiteral("2"));
    EXPECT_EQ(settingsField(call, R + B::CellTextHtml), QStringLiteral("&x_;b&d_;你好&x_;/b&d_;"));
    EXPECT_FALSE(call.args[9].contains(QLatin1Char('<')));

    // All three columns agree, the site is published, the service serves the new page.
    EXPECT_EQ(DialogState, 99);
    for (int column : {LocalColumn, PublishColumn, PublishedColumn}) {
        EXPECT_EQ(SiteSettings(column, PublishStateRow), QStringLiteral("2")) << column;
        EXPECT_EQ(SiteSettings(column, R + B::CellTextHtml), QStringLiteral("<b>你好</b>")) << column;
    }
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(prompts.records().first().style, vbInformation);
    EXPECT_EQ(prompts.records().first().title, QStringLiteral("提示"));
    EXPECT_TRUE(servedSite().contains(QStringLiteral("<b>你好</b>")));

    // Applying the same edit again: no call, the same message, DialogState 99.
    prompts.clear();
    editCell2Text(QStringLiteral("你好"));
    EXPECT_EQ(PublishCellSettings(), PublishOutcome::NoChange);
    EXPECT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(DialogState, 99);

    // The next change goes out with the published flag "1".
    editCell2Text(QStringLiteral("再见"));
    EXPECT_EQ(PublishCellSettings(), PublishOutcome::Accepted);
    ASSERT_EQ(publishCalls().size(), 2);
    EXPECT_EQ(publishCalls().last().args[7], QStringLiteral("1"));
}

struct RefusalCase {
    const char* reply;
    const char* message;
    bool rolledBack;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.reply; }
class CellRefusal : public Publish, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(CellRefusal, RollsBackByReply) {
    const RefusalCase& c = GetParam();
    SiteSettings(LocalColumn, PublishStateRow) = QString();
    const QStringList before = SiteSettings.column(PublishColumn);
    const QStringList localBefore = SiteSettings.column(LocalColumn);
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QString::fromLatin1(c.reply));
    editCell2Text(QStringLiteral("新文字"));

    EXPECT_EQ(PublishCellSettings(), PublishOutcome::Refused);
    EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(SiteSettings.column(PublishedColumn), before);  // the published copy never moves
    EXPECT_EQ(SiteSettings(PublishColumn, PublishStateRow), QStringLiteral("2"));
    for (int k = 0; k < 8; ++k) {
        const QString sent = CellRecord[3 + k];
        EXPECT_EQ(SiteSettings(PublishColumn, R + k), c.rolledBack ? before[R + k] : sent) << k;
        // Locally the foreground size and code go back, the text layer stays as edited.
        const bool localBack = c.rolledBack && k >= 2 && k <= 4;
        EXPECT_EQ(SiteSettings(LocalColumn, R + k), localBack ? localBefore[R + k] : sent) << k;
    }
    // After 0006 the site counts as published: the next attempt sends the flag "1".
    EXPECT_EQ(SiteSettings(LocalColumn, PublishStateRow), c.rolledBack ? QString() : QStringLiteral("2"));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, CellRefusal,
    ::testing::Values(RefusalCase{"Error_0006", "错误(0006)：抱歉！网页数据更新失败，请您稍后再试...", false},
                      RefusalCase{"Error_0007", "错误(0007)：抱歉！网页数据更新失败，请您稍后再试...", true},
                      RefusalCase{"Error_0002", "抱歉！网页数据更新失败，请您稍后再试...", true},
                      // accepted only by the home-album publish
                      RefusalCase{"OK_0002", "抱歉！网页数据更新失败，请您稍后再试...", true}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.reply); });

TEST_F(Publish, NoRegisteredDomainWritesNothingAndCallsNothing) {
    frm个人网站Labels::txtDomainNameVisible = true;
    const QStringList before = SiteSettings.column(PublishColumn);
    editCell2Text(QStringLiteral("不会写入"));
    EXPECT_EQ(PublishCellSettings(), PublishOutcome::NoDomain);
    EXPECT_EQ(prompts.messages(), QStringList{kNoDomain});
    EXPECT_EQ(SiteSettings.column(PublishColumn), before);
    EXPECT_TRUE(publishCalls().isEmpty());
}

// The other windows publish through the same step with hooks of their own: the home-album
// command sends its album, accepts "OK_0002", keeps DialogState on no change and rolls nothing
// back; the protection dialog sends every time, to its own method, with question and answer.
TEST_F(Publish, VariantsOfOtherWindowsFitTheHooks) {
    QStringList seen;
    PublishVariant home;
    home.argument11 = QStringLiteral("旅行");
    home.writeChanges = [] { SiteSettings(LocalColumn, HomeAlbumRow) = SiteSettings(PublishColumn, HomeAlbumRow) = QStringLiteral("旅行"); };
    home.noChange = [&seen] { seen << QStringLiteral("no change"); };
    home.accepts = [](const QString& r) { return r == QLatin1String("OK_0001") || r == QLatin1String("OK_0002"); };
    home.accepted = [&seen](const QString& r) {
        seen << r;
        CopyPublishColumnToPublished();
    };
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("OK_0002"));
    EXPECT_EQ(PublishSiteSettings(home), PublishOutcome::Accepted);
    ASSERT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(publishCalls().first().args[10], QStringLiteral("旅行"));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(SiteSettings(PublishedColumn, HomeAlbumRow), QStringLiteral("旅行"));
    DialogState = 0;
    EXPECT_EQ(PublishSiteSettings(home), PublishOutcome::NoChange);
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("OK_0002"), QStringLiteral("no change")}));
    EXPECT_TRUE(prompts.messages().isEmpty());

    PublishVariant protect;
    protect.domainTest = false;
    protect.changeTest = false;
    protect.markPublished = false;
    protect.endpoint = QStringLiteral("wwwser003");
    protect.method = QStringLiteral("WebsiteEncryption");
    protect.argument11 = QStringLiteral("问题？");
    protect.argument12 = QStringLiteral("答案");
    emulator().scriptReply(QStringLiteral("WebsiteEncryption"), QStringLiteral("OK_0001"));
    frm个人网站Labels::txtDomainNameVisible = true;  // the dialog tests the login record instead
    EXPECT_EQ(PublishSiteSettings(protect), PublishOutcome::Accepted);
    const auto calls = emulator().calls(QStringLiteral("WebsiteEncryption"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls.first().args.mid(10), (QStringList{QStringLiteral("问题？"), QStringLiteral("答案")}));
    EXPECT_EQ(calls.first().args[3], PublishCheckCode(calls.first().args[9]));
    EXPECT_EQ(DialogState, 0);
}

class CellNoReply : public Publish, public ::testing::WithParamInterface<Trouble> {};

TEST_P(CellNoReply, KeepsTheEditForTheNextAttempt) {
    editCell2Text(QStringLiteral("断网"));
    makeTrouble(GetParam());
    EXPECT_EQ(PublishCellSettings(), PublishOutcome::Failed);
    if (GetParam() == Trouble::Stopped) {
        EXPECT_EQ(netErrors, 1);  // the WSDL could not be read
        EXPECT_TRUE(prompts.messages().isEmpty());
    } else {
        EXPECT_EQ(netErrors, 0);
        EXPECT_EQ(prompts.messages(), QStringList{kServiceErrorMessage});
    }
    EXPECT_EQ(DialogState, 0);
    EXPECT_EQ(SiteSettings(PublishColumn, R + B::CellText), QStringLiteral("断网"));
    EXPECT_EQ(SiteSettings(PublishColumn, PublishStateRow), QStringLiteral("2"));
    EXPECT_TRUE(SiteHasUnpublishedChanges());
}

INSTANTIATE_TEST_SUITE_P(Failures, CellNoReply, ::testing::Values(Trouble::Stopped, Trouble::Dropped),
                         TroubleName);

namespace {

class TemplateApply : public Publish {
protected:
    void SetUp() override {
        Publish::SetUp();
        events.clear();
        window.showWait = [this] { events << QStringLiteral("show"); };
        window.hideWait = [this] { events << QStringLiteral("hide"); };
        window.refreshMainWindow = [this] { events << QStringLiteral("refresh"); };
        window.close = [this] { events << QStringLiteral("close"); };
        // A chosen template: the member's site with another page colour and a header text.
        SiteSettings.copyColumn(PublishColumn, TemplateColumn);
        SiteSettings(TemplateColumn, HomeBackColorRow) = QStringLiteral("#FFEEDD");
        SiteSettings(TemplateColumn, 1 + B::CellTextHtml) = QStringLiteral("模板标题");
    }
    TemplateChooserWindowView window;
    QStringList events;
};

}  // namespace

TEST_F(TemplateApply, AcceptedTemplateBecomesTheLocalSiteAndItsPages) {
    EXPECT_EQ(ApplyTemplateToSite(window), PublishOutcome::Accepted);
    EXPECT_EQ(events, (QStringList{QStringLiteral("show"), QStringLiteral("hide"), QStringLiteral("refresh"),
                                   QStringLiteral("close")}));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("模板成功应用到网站！")});
    for (int column : {LocalColumn, PublishColumn, PublishedColumn})
        EXPECT_EQ(SiteSettings(column, HomeBackColorRow), QStringLiteral("#FFEEDD")) << column;
    EXPECT_EQ(DialogState, 99);
    for (const char* name : {"b.html", "b3.html", "0.html", "1.html", "4.html", "26.html", "29.html", "32.html"})
        EXPECT_TRUE(QFileInfo::exists(UserFolder + QStringLiteral("/temp/") + QString::fromLatin1(name))) << name;
    EXPECT_TRUE(servedSite().contains(QStringLiteral("模板标题")));

    // The same template again: nothing to send, the chooser stays open.
    events.clear();
    prompts.clear();
    EXPECT_EQ(ApplyTemplateToSite(window), PublishOutcome::NoChange);
    EXPECT_EQ(events, QStringList());
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(publishCalls().size(), 1);
}

// The service applies the template but its reply comes after the time-out: the member is told the
// result is unknown, the template is kept (it may be live) and goes out again with the next publish,
// which then cannot turn the live site back.
TEST_F(TemplateApply, AReplyAfterTheTimeOutKeepsTheTemplateUnconfirmed) {
    const QStringList publishedBefore = SiteSettings.column(PublishedColumn);
    ServiceConfig c = emulator().config();
    c.timeoutSeconds = 1;
    serviceconfig::set(c, false);
    emulator().setLatency(3000, QStringLiteral("UploadWebsite2"));
    EXPECT_EQ(ApplyTemplateToSite(window), PublishOutcome::Unconfirmed);
    EXPECT_EQ(prompts.messages(), QStringList{kPublishUnconfirmedMessage});
    EXPECT_EQ(netErrors, 0);
    EXPECT_EQ(events, (QStringList{QStringLiteral("show"), QStringLiteral("hide"), QStringLiteral("refresh")}));
    EXPECT_EQ(SiteSettings(PublishColumn, HomeBackColorRow), QStringLiteral("#FFEEDD"));
    EXPECT_EQ(SiteSettings(LocalColumn, HomeBackColorRow), QStringLiteral("#FFEEDD"));
    EXPECT_EQ(SiteSettings.column(PublishedColumn), publishedBefore);
    EXPECT_TRUE(SiteHasUnpublishedChanges());
    EXPECT_TRUE(servedSite().contains(QStringLiteral("模板标题")));  // the service did apply it

    // The next publish, in time, sends the template again and the live site keeps it.
    emulator().setLatency(0, QStringLiteral("UploadWebsite2"));
    emulator().useConfig();
    events.clear();
    prompts.clear();
    EXPECT_EQ(ApplyTemplateToSite(window), PublishOutcome::Accepted);
    EXPECT_EQ(SiteSettings(PublishedColumn, HomeBackColorRow), QStringLiteral("#FFEEDD"));
    EXPECT_FALSE(SiteHasUnpublishedChanges());
    EXPECT_TRUE(servedSite().contains(QStringLiteral("模板标题")));
}

class TemplateNotApplied : public TemplateApply, public ::testing::WithParamInterface<Trouble> {};

// A refusal restores the PublishColumn; so does a call without a reply, so that the template does
// not go out unseen with the next unrelated publish.
TEST_P(TemplateNotApplied, LeavesThePublishColumnAsItWas) {
    const QStringList publishBefore = SiteSettings.column(PublishColumn);
    const QStringList localBefore = SiteSettings.column(LocalColumn);
    makeTrouble(GetParam());
    EXPECT_EQ(ApplyTemplateToSite(window),
              GetParam() == Trouble::Refused ? PublishOutcome::Refused : PublishOutcome::Failed);
    EXPECT_EQ(SiteSettings.column(PublishColumn), publishBefore);
    EXPECT_EQ(SiteSettings.column(LocalColumn), localBefore);
    EXPECT_FALSE(SiteHasUnpublishedChanges());
    // No page file was written: the pages follow only a publish the service took.
    for (const char* name : {"b.html", "0.html", "8.html", "26.html", "32.html"})
        EXPECT_FALSE(QFileInfo::exists(UserFolder + QStringLiteral("/temp/") + QString::fromLatin1(name))) << name;
    EXPECT_EQ(events, (QStringList{QStringLiteral("show"), QStringLiteral("hide")}));
    switch (GetParam()) {
    case Trouble::Refused:
        ASSERT_EQ(prompts.records().size(), 1);
        EXPECT_EQ(prompts.records().first().text, QStringLiteral("抱歉！网站更新失败，请您稍后再试..."));
        EXPECT_EQ(prompts.records().first().style, vbOKOnly);  // a plain box
        EXPECT_EQ(prompts.records().first().title, QString());
        break;
    case Trouble::Stopped:
        EXPECT_EQ(netErrors, 1);
        EXPECT_TRUE(prompts.messages().isEmpty());
        break;
    case Trouble::Dropped:
        EXPECT_EQ(prompts.messages(), QStringList{kServiceErrorMessage});
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Troubles, TemplateNotApplied,
                         ::testing::Values(Trouble::Refused, Trouble::Stopped, Trouble::Dropped),
                         TroubleName);

#endif  // TAVOLIN_HAVE_EMULATOR
