// The template chooser: the choice a gallery page hands over, the merge of a template with the
// member's own rows, mb.dat, and preview and apply against the service emulator's gallery.
#include <gtest/gtest.h>

#include "emulator/templategallery.h"
#include "foundation/table.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"
#include "login/ui/webwindows.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/safefile.h"
#include "platform/serviceconfig.h"
#include "platform/ui/webbrowser.h"
#include "site/ui/templatechooserwindow.h"
#include "site/pagefile.h"
#include "site/ui/browserselection.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "site/templateload.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QCheckBox>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <functional>

namespace {

namespace B = CellBlock;
using testsupport::PromptRecord;

const QString kCallFailed = QStringLiteral("调用失败！请您稍后再试...");
const QString kPreviewNothing = QStringLiteral("您尚未选择要调用的模板，请您先选择模板再按“预览”按钮。");
const QString kApplyNothing = QStringLiteral("您尚未选择要调用的模板，请您先选择模板再继续...");
const QString kApplied = QStringLiteral("模板成功应用到网站！");
const QString kUpToDate = QStringLiteral("网站更新成功！");
const QString kRefused = QStringLiteral("抱歉！网站更新失败，请您稍后再试...");
const QString kWriteFailed = QStringLiteral("遇到意外错误！请您退出软件后重新登录本软件再试。\r\r无法写入文件 mb.dat。");
constexpr int kLoadTimeoutMs = 30000;

// ---- the choice in a page's text

TEST(PageSelectionText, MarkersDecideTheOutcome) {
    const struct {
        const char* page;
        PageSelection::Kind kind;
        const char* text;
    } cases[] = {
        {"模板库\n{{{a{/F}b{/F}{//R}SiteInfo{///T}}}}\n", PageSelection::Selected, "a{/F}b{/F}{//R}SiteInfo{///T}"},
        // Several markers: between the last "{{{" and the last "}}}".
        {"{{{one}}} {{{two}}} tail", PageSelection::Selected, "two"},
        {"{{{one}}}x{{{two}}}y}}}", PageSelection::Selected, "two}}}y"},
        // "}}}" wins over "[[[]]]"; without a "{{{" before it the choice is empty.
        {"[[[]]] }}}", PageSelection::Selected, ""},
        {"请选择模板 [[[]]]", PageSelection::NothingChosen, ""},
        {"{{{unfinished", PageSelection::NoSelection, ""},
        {"[[[ ]]]", PageSelection::NoSelection, ""},
        {"页面不存在", PageSelection::NoSelection, ""},
        {"", PageSelection::NoSelection, ""},
    };
    for (const auto& c : cases) {
        const PageSelection s = PageSelectionFromText(QString::fromUtf8(c.page));
        EXPECT_EQ(s.kind, c.kind) << c.page;
        EXPECT_EQ(s.text, QString::fromUtf8(c.text)) << c.page;
    }
}

TEST(TemplateSelection, EscapedSeparatorsBecomeTableText) {
    EXPECT_EQ(TemplateSelectionTableText(QStringLiteral("a{/F}&x_;b&d_;{/F}{//R}SiteInfo{///T}")),
              QStringLiteral("a</F>&x_;b&d_;</F><//R>SiteInfo<///T>"));
    // Only the closing of the SiteInfo table is restored, not a row separator on its own.
    EXPECT_EQ(TemplateSelectionTableText(QStringLiteral("a{/F}{//R}b{/F}{//R}SiteInfo{///T}")),
              QStringLiteral("a</F>{//R}b</F><//R>SiteInfo<///T>"));
}

// ---- the merge

// A logged-in member whose PublishColumn holds own and library pictures, texts and music.
class TemplateMerge : public testsupport::DataRootTest {
protected:
    static constexpr const char* kOwnBg = "http://img3.sitehost.test/space/AB12/www网站素材/grb0.jpg";
    static constexpr const char* kLibraryBg = "http://sc.sitehost.test/pic/sky.jpg";

    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("zhang"));
        SetLoginField(10, QStringLiteral("ab12"));
        SiteSettings.create();
        for (int r = 0; r < SiteSettingsTable::Rows; ++r) SiteSettings(TemplateColumn, r) = QStringLiteral("old");
    }
    static void own(int cell, int offset, const QString& v) {
        SiteSettings(PublishColumn, GetCellBaseRow(static_cast<qint16>(cell)) + offset) = v;
    }
    static QString merged(int cell, int offset) {
        return SiteSettings(TemplateColumn, GetCellBaseRow(static_cast<qint16>(cell)) + offset);
    }
    // A template of `count` fields, field k holding "t<k>".
    static QStringList templateFields(int count = SiteSettingsTable::Rows) {
        QStringList f;
        for (int k = 0; k < count; ++k) f << QStringLiteral("t%1").arg(k);
        return f;
    }
    static QString t(int row) { return QStringLiteral("t%1").arg(row); }
};

TEST_F(TemplateMerge, FieldsAreDecodedAndRowsPastTheTemplateKeepTheirValue) {
    QStringList f = templateFields(60);
    f[3] = QStringLiteral("&x_;b&d_;粗&x_;/b&d_;");
    MergeTemplate(f, TemplateKeepRules{false, false, false, false});
    EXPECT_EQ(SiteSettings(TemplateColumn, 3), QStringLiteral("<b>粗</b>"));
    EXPECT_EQ(SiteSettings(TemplateColumn, 59), t(59));
    EXPECT_EQ(SiteSettings(TemplateColumn, 60), QStringLiteral("old"));
    EXPECT_EQ(SiteSettings(TemplateColumn, 332), QStringLiteral("old"));
    // More fields than the site has rows: the extra ones are ignored.
    MergeTemplate(templateFields(340), TemplateKeepRules{false, false, false, false});
    EXPECT_EQ(SiteSettings(TemplateColumn, 332), t(332));
}

TEST_F(TemplateMerge, KeepRules) {
    struct Case {
        const char* name;
        TemplateKeepRules keep;
        std::function<void()> site;   // the member's PublishColumn
        std::function<void()> check;  // the TemplateColumn after the merge
    };
    const QString ownBg = QString::fromUtf8(kOwnBg), libraryBg = QString::fromUtf8(kLibraryBg);
    const TemplateKeepRules none{false, false, false, false};
    const Case cases[] = {
        {"own background kept, folder letter case ignored", {false, true, false, false},
         [&] { own(0, B::CellBackground, ownBg); own(13, B::CellBackground, libraryBg); },
         [&] {
             EXPECT_EQ(merged(0, B::CellBackground), ownBg);
             EXPECT_EQ(merged(13, B::CellBackground), t(GetCellBaseRow(13)));
         }},
        {"backgrounds not kept unless asked", none, [&] { own(0, B::CellBackground, ownBg); },
         [&] { EXPECT_EQ(merged(0, B::CellBackground), t(1)); }},
        {"own foreground kept with its size and code", {true, false, false, false},
         [&] {
             own(31, B::CellForeground, QStringLiteral("http://img3.x/space/ab12/a/b.gif"));
             own(31, B::CellForeWidth, QStringLiteral("1002"));
             own(31, B::CellForeHeight, QStringLiteral("26"));
             own(31, B::CellForeCode, QStringLiteral("011"));
             own(31, B::CellTextHtml, QStringLiteral("文字"));
             own(8, B::CellForeground, libraryBg);
             own(8, B::CellForeWidth, QStringLiteral("99"));
         },
         [&] {
             EXPECT_EQ(merged(31, B::CellForeground), QStringLiteral("http://img3.x/space/ab12/a/b.gif"));
             EXPECT_EQ(merged(31, B::CellForeWidth), QStringLiteral("1002"));
             EXPECT_EQ(merged(31, B::CellForeHeight), QStringLiteral("26"));
             EXPECT_EQ(merged(31, B::CellForeCode), QStringLiteral("011"));
             EXPECT_EQ(merged(31, B::CellTextHtml), t(276));  // text not asked for
             EXPECT_EQ(merged(8, B::CellForeground), t(82));
             EXPECT_EQ(merged(8, B::CellForeWidth), t(83));
         }},
        {"own text layer kept only where it is set", {false, false, true, false},
         [&] {
             own(2, B::CellTextHtml, QStringLiteral("<p>我的</p>"));
             own(2, B::CellText, QStringLiteral("我的"));
             own(2, B::CellTextStyle, QStringLiteral("1,11,0/0/0/0/,9,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
             own(3, B::CellText, QStringLiteral("残留"));
             own(3, B::CellTextStyle, QStringLiteral("2,"));
         },
         [&] {
             EXPECT_EQ(merged(2, B::CellTextHtml), QStringLiteral("<p>我的</p>"));
             EXPECT_EQ(merged(2, B::CellText), QStringLiteral("我的"));
             EXPECT_EQ(merged(2, B::CellTextStyle), QStringLiteral("1,11,0/0/0/0/,9,宋体,#000000,,0,0,0,0,0,0,,,,,,"));
             EXPECT_EQ(merged(3, B::CellText), t(37));
             EXPECT_EQ(merged(3, B::CellTextStyle), t(38));
         }},
        {"music not kept: every music row from the template", none,
         [&] {
             for (int r = 311; r <= 320; ++r) SiteSettings(PublishColumn, r) = QStringLiteral("m");
         },
         [&] {
             for (int r = 311; r <= 320; ++r) EXPECT_EQ(SiteSettings(TemplateColumn, r), t(r)) << r;
         }},
        {"music kept: each set row wins, 317 to 320 included", {false, false, false, true},
         [&] {
             SiteSettings(PublishColumn, 311) = QStringLiteral("http://music.test/a.mp3");
             SiteSettings(PublishColumn, 316) = QStringLiteral("歌词");
             SiteSettings(PublishColumn, 320) = QStringLiteral("9");
         },
         [&] {
             EXPECT_EQ(SiteSettings(TemplateColumn, 311), QStringLiteral("http://music.test/a.mp3"));
             EXPECT_EQ(SiteSettings(TemplateColumn, 312), t(312));
             EXPECT_EQ(SiteSettings(TemplateColumn, 316), QStringLiteral("歌词"));
             EXPECT_EQ(SiteSettings(TemplateColumn, 319), t(319));
             EXPECT_EQ(SiteSettings(TemplateColumn, 320), QStringLiteral("9"));
         }},
        {"the preface's text and the home album are always the member's", none,
         [&] {
             SiteSettings(PublishColumn, 106) = QStringLiteral("卷首语");
             SiteSettings(PublishColumn, 107) = QStringLiteral("原文");
             SiteSettings(PublishColumn, 108) = QString();
             SiteSettings(PublishColumn, HomeAlbumRow) = QStringLiteral("旅行");
         },
         [&] {
             EXPECT_EQ(SiteSettings(TemplateColumn, 106), QStringLiteral("卷首语"));
             EXPECT_EQ(SiteSettings(TemplateColumn, 107), QStringLiteral("原文"));
             EXPECT_EQ(SiteSettings(TemplateColumn, 108), QString());
             EXPECT_EQ(SiteSettings(TemplateColumn, HomeAlbumRow), QStringLiteral("旅行"));
         }},
        {"without a preface text the template's preface is taken; an empty home album stays empty", none,
         [&] { SiteSettings(PublishColumn, 107) = QStringLiteral("残留"); },
         [&] {
             EXPECT_EQ(SiteSettings(TemplateColumn, 106), t(106));
             EXPECT_EQ(SiteSettings(TemplateColumn, 107), t(107));
             EXPECT_EQ(SiteSettings(TemplateColumn, HomeAlbumRow), QString());
         }},
        {"without a picture folder in the login record nothing is the member's own", {true, true, false, false},
         [&] {
             SetLoginField(10, QString());
             own(0, B::CellBackground, QStringLiteral("http://sc.sitehost.test//pic/sky.jpg"));
             own(2, B::CellForeground, QStringLiteral("http://img3.x/space//www网站素材/grp2.jpg"));
         },
         [&] {
             EXPECT_EQ(merged(0, B::CellBackground), t(1));
             EXPECT_EQ(merged(2, B::CellForeground), t(22));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SiteSettings.create();
        SetLoginField(10, QStringLiteral("ab12"));
        c.site();
        MergeTemplate(templateFields(), c.keep);
        c.check();
    }
}

TEST_F(TemplateMerge, KeepRulesReachOnlyTheBlocksTheTemplateCarries) {
    own(0, B::CellBackground, QString::fromUtf8(kOwnBg));
    own(5, B::CellBackground, QString::fromUtf8(kOwnBg));
    MergeTemplate(templateFields(30), TemplateKeepRules{false, true, false, false});
    EXPECT_EQ(merged(0, B::CellBackground), QString::fromUtf8(kOwnBg));
    EXPECT_EQ(SiteSettings(TemplateColumn, 51), QStringLiteral("old"));  // block 51 lies past field 29
}

// ---- the steps the preview and the apply share

class LoadTemplate : public TemplateMerge {
protected:
    static PageSelection chosen(const QString& text) { return {PageSelection::Selected, text}; }
    static QString selectionOf(const QStringList& fields) {
        QString s;
        for (const QString& f : fields) s += f + QStringLiteral("{/F}");
        return s + QStringLiteral("{//R}SiteInfo{///T}");
    }
    QStringList column(int c) const { return SiteSettings.column(c); }
};

TEST_F(LoadTemplate, WithoutAChoiceNothingChanges) {
    const QStringList before = column(TemplateColumn);
    const struct {
        PageSelection selection;
        QString message;
    } cases[] = {
        {{PageSelection::NothingChosen, QString()}, kPreviewNothing},
        {{PageSelection::NoSelection, QString()}, kCallFailed},
        // A choice without a SiteInfo table, or an empty one, would read as "null".
        {chosen(QStringLiteral("这不是模板")), kCallFailed},
        {chosen(QString()), kCallFailed},
        {chosen(QStringLiteral("a{/F}b{/F}{//R}Other{///T}")), kCallFailed},
    };
    for (const auto& c : cases) {
        prompts.clear();
        EXPECT_FALSE(LoadChosenTemplate(c.selection, kPreviewNothing, TemplateKeepRules{}));
        ASSERT_EQ(prompts.records().size(), 1);
        EXPECT_EQ(prompts.records()[0].text, c.message);
        EXPECT_EQ(prompts.records()[0].style, vbInformation);
        EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    }
    EXPECT_EQ(column(TemplateColumn), before);
    EXPECT_FALSE(QFileInfo::exists(TemplateFilePath()));
}

TEST_F(LoadTemplate, TheChoiceIsKeptInMbDatAndFillsTheTemplateColumn) {
    QStringList f = templateFields();
    f[21] = QStringLiteral("&x_;img&d_;");
    ASSERT_TRUE(LoadChosenTemplate(chosen(selectionOf(f)), kApplyNothing, TemplateKeepRules{}));
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_EQ(SiteSettings(TemplateColumn, 21), QStringLiteral("<img>"));
    EXPECT_EQ(SiteSettings(TemplateColumn, 332), t(332));
    const Table stored = ReadTableFile(TemplateFilePath(), QStringLiteral("SiteInfo"));
    EXPECT_EQ(stored.cols(), 333);
    EXPECT_EQ(stored.value(0, 21), QStringLiteral("&x_;img&d_;"));
}

TEST_F(LoadTemplate, AnUnwritableMbDatKeepsTheOldFileButTheNewChoiceIsUsed) {
    ASSERT_TRUE(LoadChosenTemplate(chosen(selectionOf({QStringLiteral("旧模板"), QStringLiteral("a")})), kApplyNothing, TemplateKeepRules{}));
    // The write fails and the old file stays.
    const paths::SafeWriteFault fault(TemplateFilePath(), paths::SafeWriteStep::Open);
    ASSERT_TRUE(LoadChosenTemplate(chosen(selectionOf({QStringLiteral("新模板"), QStringLiteral("b")})), kApplyNothing, TemplateKeepRules{}));
    EXPECT_EQ(prompts.messages(), QStringList{kWriteFailed});
    EXPECT_EQ(ReadTableFile(TemplateFilePath(), QStringLiteral("SiteInfo")).value(0, 0), QStringLiteral("旧模板"));
    EXPECT_EQ(SiteSettings(TemplateColumn, 0), QStringLiteral("新模板"));
    EXPECT_EQ(SiteSettings(TemplateColumn, 1), QStringLiteral("b"));
}

TEST_F(TemplateMerge, CanvasColourIsTheHomeColourOrWhite) {
    SiteSettings(PublishColumn, HomeBackColorRow) = QStringLiteral("#EEF3F8");
    EXPECT_EQ(TemplateCanvasColor(), QColor(0xEE, 0xF3, 0xF8));
    EXPECT_EQ(SiteSettings(PublishColumn, HomeBackColorRow), QStringLiteral("#EEF3F8"));  // the row keeps its "#"
    SiteSettings(PublishColumn, HomeBackColorRow) = QStringLiteral("3366cc");
    EXPECT_EQ(TemplateCanvasColor(), QColor(0x33, 0x66, 0xCC));
    SiteSettings(PublishColumn, HomeBackColorRow) = QString();
    EXPECT_EQ(TemplateCanvasColor(), QColor(Qt::white));
}

// ---- the chooser against the emulator's gallery

class TemplateChooser : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        frm个人网站Labels::labMBURL = TemplateGalleryAddress();
        templates = emu::GalleryTemplates(serviceconfig::current().hostName(ServiceHost::Materials));
        ASSERT_GE(templates.size(), 2);
    }
    // The chooser with the gallery loaded.
    std::unique_ptr<frm网站模板> openChooser() {
        auto w = std::make_unique<frm网站模板>();
        QSignalSpy done(w->webMB, &WebBrowser::documentComplete);
        w->show();
        EXPECT_TRUE(done.wait(kLoadTimeoutMs));
        EXPECT_TRUE(done.value(0).value(0).toBool());
        return w;
    }
    // The member clicks a template of the gallery.
    static void pick(frm网站模板& w, const QString& id) {
        w.webMB->runScriptSync(QStringLiteral("document.getElementById('%1').click()").arg(id));
    }
    QString field(const emu::GalleryTemplate& t, int row) const { return t.fields.at(row); }
    QList<emu::GalleryTemplate> templates;
};

TEST_F(TemplateChooser, SetsEveryRequiredHookOfItsView) {
    frm网站模板 w;
    EXPECT_EQ(UnsetRequiredHooks(w.view()).join(u' ').toStdString(), "");
}

TEST_F(TemplateChooser, GalleryHandsBackTheClickedTemplate) {
    auto w = openChooser();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("网站模板库"));
    EXPECT_FALSE(w->cheQJ->isChecked());
    EXPECT_FALSE(w->cheBJ->isChecked());
    EXPECT_TRUE(w->cheTxt->isChecked());
    EXPECT_TRUE(w->cheMusic->isChecked());
    EXPECT_EQ(PageSelectionText(w->webMB).kind, PageSelection::NothingChosen);
    for (const emu::GalleryTemplate& t : templates) {
        pick(*w, t.id);
        const PageSelection s = PageSelectionText(w->webMB);
        EXPECT_EQ(s.kind, PageSelection::Selected);
        EXPECT_EQ(s.text, emu::TemplateSelectionText(t));
    }
}

TEST_F(TemplateChooser, NothingChosenStopsPreviewAndApplyWithTheirMessages) {
    auto w = openChooser();
    w->cmdView_Click();
    w->cmdOK_Click();
    EXPECT_EQ(prompts.messages(), (QStringList{kPreviewNothing, kApplyNothing}));
    EXPECT_TRUE(emulator().calls().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(TemplateFilePath()));
}

TEST_F(TemplateChooser, PreviewShowsTheMergedTemplateAndChangesNoPageOfTheSite) {
    const QByteArray cellPage = "<html>cell 2 as the login wrote it</html>";
    testsupport::writeFile(SitePagePath(QStringLiteral("2.html")), cellPage);
    const QStringList publish = SiteSettings.column(PublishColumn);
    auto w = openChooser();
    pick(*w, templates[1].id);
    QString shown;
    testsupport::ModalWatcher<frmIE> preview([&](frmIE* ie) {
        shown = PageUrl;
        ie->close();
    });
    w->cmdView_Click();
    EXPECT_EQ(preview.seen(), 1);
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_EQ(shown, SitePagePath(QStringLiteral("view.html")));
    const QString view = QString::fromUtf8(testsupport::readFile(shown));  // only ASCII is looked for
    EXPECT_TRUE(view.contains(field(templates[1], GetCellBaseRow(2) + B::CellForeground)));
    EXPECT_EQ(PreviewOnly, 0);
    EXPECT_EQ(testsupport::readFile(SitePagePath(QStringLiteral("2.html"))), cellPage);
    EXPECT_EQ(SiteSettings.column(PublishColumn), publish);
    EXPECT_EQ(SiteSettings(TemplateColumn, MusicUrlRow), field(templates[1], MusicUrlRow));
    EXPECT_TRUE(emulator().calls().isEmpty());
    EXPECT_TRUE(w->isVisible());
}

TEST_F(TemplateChooser, ApplyPublishesTheTemplateAndRebuildsTheSite) {
    const QString ownPicture = SiteSettings(PublishColumn, GetCellBaseRow(2) + B::CellForeground);
    ASSERT_TRUE(ownPicture.contains(QLatin1Char('/') + LoginField(10) + QLatin1Char('/')));
    const emu::GalleryTemplate& chosen = templates[2];  // not the one the demo site was made from
    auto w = openChooser();
    pick(*w, chosen.id);
    w->cheQJ->setChecked(true);  // keep the member's own header picture
    w->cmdOK_Click();

    EXPECT_EQ(prompts.messages(), QStringList{kApplied});
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_FALSE(w->picNetToService->isVisible());
    const auto calls = publishCalls();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(settingsField(calls[0], GetCellBaseRow(2) + B::CellForeground), ownPicture);
    const int bg0 = GetCellBaseRow(0) + B::CellBackground;
    EXPECT_EQ(settingsField(calls[0], bg0), field(chosen, bg0));
    EXPECT_EQ(settingsField(calls[0], HomeBackColorRow), field(chosen, HomeBackColorRow));
    // All three columns are the applied site, and the pages are built from it.
    for (int r = 0; r < SiteSettingsTable::Rows; ++r) {
        ASSERT_EQ(SiteSettings(LocalColumn, r), SiteSettings(PublishColumn, r)) << r;
        ASSERT_EQ(SiteSettings(PublishedColumn, r), SiteSettings(PublishColumn, r)) << r;
    }
    EXPECT_EQ(SiteSettings(LocalColumn, PublishStateRow), QStringLiteral("2"));
    EXPECT_TRUE(QString::fromLatin1(testsupport::readFile(SitePagePath(QStringLiteral("0.html")))).contains(field(chosen, bg0)));
    EXPECT_TRUE(QFileInfo::exists(SitePagePath(QStringLiteral("b3.html"))));
    EXPECT_TRUE(QFileInfo::exists(SitePagePath(QStringLiteral("32.html"))));
    // The service now serves the new site.
    EXPECT_TRUE(servedSite().contains(field(chosen, bg0)));
    EXPECT_EQ(TemplateCanvasColor(), QColor(QString(field(chosen, HomeBackColorRow))));
}

TEST_F(TemplateChooser, ApplyRefusedRestoresThePublishColumnAndStaysOpen) {
    const QStringList publish = SiteSettings.column(PublishColumn);
    const QStringList local = SiteSettings.column(LocalColumn);
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0003"));
    auto w = openChooser();
    pick(*w, templates[1].id);
    w->cmdOK_Click();

    ASSERT_EQ(prompts.records().size(), 1);
    const PromptRecord& m = prompts.records()[0];
    EXPECT_EQ(m.text, kRefused);
    EXPECT_EQ(m.style, 0);  // a plain box
    EXPECT_EQ(publishCalls().size(), 1);
    EXPECT_EQ(SiteSettings.column(PublishColumn), publish);
    EXPECT_EQ(SiteSettings.column(LocalColumn), local);
    EXPECT_EQ(SiteSettings(TemplateColumn, HomeBackColorRow), field(templates[1], HomeBackColorRow));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->picNetToService->isVisible());
    EXPECT_TRUE(QFileInfo::exists(TemplateFilePath()));
}

TEST_F(TemplateChooser, ApplyWithoutAReplyReportsTheNetworkAndStaysOpen) {
    const QStringList publish = SiteSettings.column(PublishColumn);
    auto w = openChooser();
    pick(*w, templates[0].id);
    emulator().hideWsdl(QStringLiteral("wwwser002"));
    w->cmdOK_Click();
    emulator().hideWsdl(QStringLiteral("wwwser002"), false);
    EXPECT_EQ(netErrors, 1);
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->picNetToService->isVisible());
    EXPECT_EQ(SiteSettings.column(PublishColumn), publish);
}

TEST_F(TemplateChooser, ApplyingThePublishedTemplateAgainMakesNoCall) {
    auto w = openChooser();
    pick(*w, templates[0].id);
    w->cmdOK_Click();
    ASSERT_EQ(publishCalls().size(), 1);
    prompts.clear();

    auto again = openChooser();
    pick(*again, templates[0].id);
    again->cmdOK_Click();
    EXPECT_EQ(prompts.messages(), QStringList{kUpToDate});
    EXPECT_EQ(publishCalls().size(), 1);
    EXPECT_TRUE(again->isVisible());
    EXPECT_NE(again->result(), QDialog::Accepted);
}

TEST_F(TemplateChooser, ApplyNeedsARegisteredDomain) {
    SetLoginField(12, QString());
    auto w = openChooser();
    pick(*w, templates[0].id);
    w->cmdOK_Click();
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。")});
    EXPECT_FALSE(QFileInfo::exists(TemplateFilePath()));
    EXPECT_TRUE(emulator().calls().isEmpty());
}

}  // namespace
