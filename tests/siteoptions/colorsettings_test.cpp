// The area colour dialog: its previews, the choice of a colour, and the apply against the
// emulator (no domain, nothing changed, a refusal, no reply, and what each area regenerates).
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>

#include "mainwindow/commands.h"
#include "platform/hookcheck.h"
#include "site/sitemodel.h"
#include "siteoptions/colorsettings.h"
#include "siteoptions/ui/colorsettingswindow.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "support/publishfixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#ifdef TAVOLIN_HAVE_EMULATOR

using testsupport::readFile;
using testsupport::sameBytes;

namespace {

const QString kUpdated = QStringLiteral("网站更新成功！");

// The main window's colour buttons: 35 row 303, 36 row 304, 37 row 306, 38 row 301.
constexpr int kMiddleButton = 35;
constexpr int kAlbumButton = 36;
constexpr int kHomeButton = 38;

class ColorDialog : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        ColorSettingsView& v = dialog.view;
        auto log = [this](const QString& e) { events.append(e); };
        v.refreshOldPreview = [log] { log(QStringLiteral("old preview")); };
        v.refreshNewPreview = [log] { log(QStringLiteral("new preview")); };
        v.enableOK = [log](bool on) { log(QStringLiteral("cmdOK ") + (on ? "on" : "off")); };
        v.enableDel = [log](bool on) { log(QStringLiteral("cmdDel ") + (on ? "on" : "off")); };
        v.showCurrentCode = [log](bool on) { log(QStringLiteral("txtOldColor ") + (on ? "shown" : "hidden")); };
        v.setNewCode = [log](const QString& code) { log(QStringLiteral("code ") + code); };
        v.showWait = [log] { log(QStringLiteral("wait")); };
        v.hideWait = [log] { log(QStringLiteral("wait over")); };
        v.close = [log] { log(QStringLiteral("close")); };
        v.refreshBackground = [log](const QString& page) { log(QStringLiteral("refresh ") + page); };
        v.refreshCell = [log](int cell) { log(QStringLiteral("refresh cell ") + QString::number(cell)); };
        v.setCanvasColor = [log](const QColor& c) { log(QStringLiteral("canvas ") + c.name()); };
    }
    // The colour button's opener: the record of the area.
    void open(int button) {
        DialogState = 0;
        FillColorRecord(button);
        events.clear();
    }
    QByteArray tempFile(const QString& name) { return readFile(UserFolder + QStringLiteral("/temp/") + name); }
    void putTempFile(const QString& name, const QByteArray& bytes) {
        testsupport::writeFile(UserFolder + QStringLiteral("/temp/") + name, bytes);
    }
    static QByteArray golden(const QString& name) {
        return readFile(testsupport::testDataPath(QStringLiteral("siteoptions/golden/") + name));
    }

    ColorSettingsController dialog;
    QStringList events;
};

}  // namespace

TEST_F(ColorDialog, PreviewPagesForAColourTheHomeColourAndNone) {
    // A colour of its own.
    open(kMiddleButton);
    dialog.txtNewColor_Change(QStringLiteral("#12AB34"));
    EXPECT_TRUE(sameBytes(golden(QStringLiteral("viewcolor_own.html")), tempFile(QStringLiteral("viewcolor.html"))));
    EXPECT_EQ(events, (QStringList{QStringLiteral("new preview"), QStringLiteral("cmdOK on")}));

    // A cleared area shows the home-page colour in the current-colour swatch ...
    events.clear();
    dialog.chkDel_Click(true);
    EXPECT_EQ(CellRecord[ColorRecord::NewColor], QString());
    EXPECT_TRUE(sameBytes(golden(QStringLiteral("viewcolor_home.html")), tempFile(QStringLiteral("setpic.html"))));
    EXPECT_EQ(events, (QStringList{QStringLiteral("cmdDel on"), QStringLiteral("txtOldColor hidden"),
                                   QStringLiteral("old preview")}));
    // ... and unticking goes back to the current colour, not to the one picked before.
    dialog.chkDel_Click(false);
    EXPECT_EQ(CellRecord[ColorRecord::NewColor], QStringLiteral("#FFFFFF"));
    EXPECT_TRUE(tempFile(QStringLiteral("setpic.html")).contains("background-color: #FFFFFF;"));

    // The cleared home page itself has no colour to fall back on.
    open(kHomeButton);
    dialog.chkDel_Click(true);
    EXPECT_TRUE(sameBytes(golden(QStringLiteral("viewcolor_none.html")), tempFile(QStringLiteral("setpic.html"))));
}

TEST_F(ColorDialog, PickedColourIsTakenAndACancelledDialogChangesNothing) {
    open(kAlbumButton);
    const QString before = CellRecord[ColorRecord::NewColor];
    dialog.cmdSetColor_Click();  // the scripted dialog is cancelled
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("color"));
    EXPECT_EQ(CellRecord[ColorRecord::NewColor], before);
    EXPECT_TRUE(events.isEmpty()) << events.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/temp/viewcolor.html")));

    prompts.answerColor(QColor(0x12, 0xAB, 0x34));
    dialog.cmdSetColor_Click();
    EXPECT_EQ(CellRecord[ColorRecord::NewColor], QStringLiteral("#12AB34"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("code #12AB34"), QStringLiteral("new preview"),
                                   QStringLiteral("cmdOK on")}));
    EXPECT_TRUE(sameBytes(golden(QStringLiteral("viewcolor_own.html")), tempFile(QStringLiteral("viewcolor.html"))));
}

TEST_F(ColorDialog, ApplyWithoutADomainWritesNothing) {
    const struct {
        bool noLabel;       // LoginInfo field 12 empty: the buttons refuse
        bool domainBox;     // the main window's domain box shown: the apply refuses
        const char* message;
    } cases[] = {
        {true, false, "抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"},
        {false, true, "抱歉！您尚未注册Orbel网站域名，请您先注册域名后再设置您的网站。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        prompts.clear();
        SetLoginField(12, c.noLabel ? QString() : demo.domain);
        frm个人网站Labels::txtDomainNameVisible = c.domainBox;
        open(kMiddleButton);
        dialog.txtNewColor_Change(QStringLiteral("#000080"));
        events.clear();
        dialog.cmdOK_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(prompts.records().value(0).style, vbInformation);
        EXPECT_EQ(prompts.records().value(0).title, QStringLiteral("提示"));
        EXPECT_EQ(SiteSettings(LocalColumn, MiddleBackColorRow), QStringLiteral("#FFFFFF"));
        EXPECT_EQ(SiteSettings(PublishColumn, MiddleBackColorRow), QStringLiteral("#FFFFFF"));
        EXPECT_TRUE(events.isEmpty());
    }
    EXPECT_TRUE(publishCalls().isEmpty());
}

TEST_F(ColorDialog, ApplyOfThePublishedColourClosesWithoutACall) {
    open(kAlbumButton);
    dialog.txtNewColor_Change(QStringLiteral("#DDE6F0"));  // what the service holds
    events.clear();
    EXPECT_EQ(dialog.ApplyColorSetting(), PublishOutcome::NoChange);
    EXPECT_EQ(events, QStringList{QStringLiteral("close")});
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(DialogState, 0);
    EXPECT_TRUE(publishCalls().isEmpty());
}

TEST_F(ColorDialog, RefusalRestoresTheRowAndASecondApplyGoesThrough) {
    SiteSettings(PublishColumn, PublishStateRow) = QStringLiteral("1");
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    open(kAlbumButton);
    dialog.txtNewColor_Change(QStringLiteral("#ABCDEF"));
    events.clear();
    dialog.cmdOK_Click();

    ASSERT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(settingsField(publishCalls()[0], AlbumBackColorRow), QStringLiteral("#ABCDEF"));
    EXPECT_EQ(SiteSettings(LocalColumn, AlbumBackColorRow), QStringLiteral("#DDE6F0"));
    EXPECT_EQ(SiteSettings(PublishColumn, AlbumBackColorRow), QStringLiteral("#DDE6F0"));
    EXPECT_EQ(SiteSettings(PublishColumn, PublishStateRow), QStringLiteral("2"));
    // A plain box: no icon, no title of its own; the dialog stays open.
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("抱歉！网站更新失败，请您稍后再试..."));
    EXPECT_EQ(prompts.records()[0].style, vbOKOnly);
    EXPECT_EQ(prompts.records()[0].title, QString());
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
    EXPECT_EQ(DialogState, 0);

    prompts.clear();
    dialog.cmdOK_Click();
    EXPECT_EQ(publishCalls().size(), 2);
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(DialogState, 99);
    for (int column : {LocalColumn, PublishColumn, PublishedColumn})
        EXPECT_EQ(SiteSettings(column, AlbumBackColorRow), QStringLiteral("#ABCDEF")) << column;
    EXPECT_EQ(member().settings.value(AlbumBackColorRow), QStringLiteral("#ABCDEF"));
}

TEST_F(ColorDialog, NoReplyKeepsTheNewColourForTheNextAttempt) {
    stopService();
    open(kMiddleButton);
    dialog.txtNewColor_Change(QStringLiteral("#000080"));
    events.clear();
    EXPECT_EQ(dialog.ApplyColorSetting(), PublishOutcome::Failed);
    EXPECT_EQ(netErrors, 1);
    EXPECT_EQ(SiteSettings(LocalColumn, MiddleBackColorRow), QStringLiteral("#000080"));
    EXPECT_EQ(SiteSettings(PublishColumn, MiddleBackColorRow), QStringLiteral("#000080"));
    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over")}));
}

TEST_F(ColorDialog, AreaColourRegeneratesOnlyItsBackgroundPage) {
    // (The cell pages are rewritten by any publish, as the whole-site page is built.)
    for (const char* page : {"b.html", "b2.html", "b3.html"}) putTempFile(QString::fromLatin1(page), "old");
    open(kMiddleButton);
    dialog.txtNewColor_Change(QStringLiteral("#000080"));
    events.clear();
    EXPECT_EQ(dialog.ApplyColorSetting(), PublishOutcome::Accepted);

    EXPECT_EQ(events, (QStringList{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("refresh b1"),
                                   QStringLiteral("close")}));
    EXPECT_TRUE(tempFile(QStringLiteral("b1.html")).contains("background-color: #000080;"));
    for (const char* page : {"b.html", "b2.html", "b3.html"})
        EXPECT_EQ(tempFile(QString::fromLatin1(page)), QByteArray("old")) << page;
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(SiteSettings(PublishedColumn, MiddleBackColorRow), QStringLiteral("#000080"));
}

TEST_F(ColorDialog, HomeColourRegeneratesTheFrameOfTheSiteAndColoursTheCanvas) {
    for (const char* page : {"b.html", "32.html", "b1.html"}) putTempFile(QString::fromLatin1(page), "old");
    SiteSettings(LocalColumn, PublishStateRow) = QString();  // never published from here
    open(kHomeButton);
    dialog.txtNewColor_Change(QStringLiteral("#123456"));
    events.clear();
    EXPECT_EQ(dialog.ApplyColorSetting(), PublishOutcome::Accepted);

    ASSERT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(settingsField(publishCalls()[0], HomeBackColorRow), QStringLiteral("#123456"));
    QStringList expected{QStringLiteral("wait"), QStringLiteral("wait over"), QStringLiteral("refresh b"),
                         QStringLiteral("refresh cell 32")};
    for (int cell = 25; cell <= 31; ++cell) expected << QStringLiteral("refresh cell %1").arg(cell);
    expected << QStringLiteral("canvas #123456") << QStringLiteral("close");
    EXPECT_EQ(events, expected);

    EXPECT_TRUE(tempFile(QStringLiteral("b.html")).contains("background-color: #123456;"));
    EXPECT_TRUE(tempFile(QStringLiteral("32.html")).contains("background-color: #123456;"));
    // The other areas' pages are the opener's to rebuild.
    EXPECT_EQ(tempFile(QStringLiteral("b1.html")), QByteArray("old"));

    // The colour goes on as the bare digits; the local value keeps its "#".
    EXPECT_EQ(SiteSettings(LocalColumn, HomeBackColorRow), QStringLiteral("#123456"));
    EXPECT_EQ(SiteSettings(PublishColumn, HomeBackColorRow), QStringLiteral("123456"));
    EXPECT_EQ(SiteSettings(PublishedColumn, HomeBackColorRow), QStringLiteral("123456"));
    EXPECT_EQ(SiteSettings(LocalColumn, PublishStateRow), QStringLiteral("2"));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
}

TEST_F(ColorDialog, EmptyHomeColourPaintsTheCanvasWhite) {
    open(kHomeButton);
    dialog.chkDel_Click(true);
    events.clear();
    EXPECT_EQ(dialog.ApplyColorSetting(), PublishOutcome::Accepted);
    EXPECT_TRUE(events.contains(QStringLiteral("canvas #ffffff")));
    EXPECT_EQ(SiteSettings(PublishedColumn, HomeBackColorRow), QString());
    EXPECT_FALSE(tempFile(QStringLiteral("b.html")).contains("background-color"));
}

// ---- the window

TEST_F(ColorDialog, WindowSetsEveryHookAndShowsTheRecord) {
    open(kAlbumButton);
    ColorSettingsWindow window;
    EXPECT_EQ(UnsetRequiredHooks(window.logic.view).join(u' ').toStdString(), "");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("[相册围框颜色设置]"));
    EXPECT_EQ(window.txtOldColor->text(), QStringLiteral("#DDE6F0"));
    EXPECT_FALSE(window.cmdOK->isEnabled());
    EXPECT_FALSE(window.cmdDel->isEnabled());

    // Typing a code previews it as typed and enables the apply.
    window.txtNewColor->setText(QStringLiteral("red"));
    EXPECT_EQ(CellRecord[ColorRecord::NewColor], QStringLiteral("red"));
    EXPECT_TRUE(tempFile(QStringLiteral("viewcolor.html")).contains("background-color: red;"));
    EXPECT_TRUE(window.cmdOK->isEnabled());

    window.chkDel->setChecked(true);
    EXPECT_TRUE(window.cmdDel->isEnabled());
    EXPECT_TRUE(window.txtOldColor->isHidden());
    EXPECT_EQ(CellRecord[ColorRecord::NewColor], QString());
}

#endif  // TAVOLIN_HAVE_EMULATOR
