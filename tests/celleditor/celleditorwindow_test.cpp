// The cell editor window opened offscreen on a prepared CellRecord.
#include <gtest/gtest.h>

#include "celleditor/ui/celleditorwindow.h"
#include "foundation/settings.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/ui/webbrowser.h"
#include "state/celleditorstate.h"
#include "state/sitestate.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWebEngineView>

namespace {

class CellEditorWindowTest : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("member"));
        SiteSettings.create();
        // No automatic tutorial unless a test asks for it.
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
    }
    // CellRecord for a cell: 0 cell, 1 width, 2 height, 4 to 7 the foreground, 9 text, 10 style.
    static void record(const QString& cell, int w, int h, const QString& text = {}, const QString& style = {},
                       const QString& fore = {}, const QString& code = {}) {
        CellRecord = QStringList(14);
        CellRecord[0] = cell;
        CellRecord[1] = QString::number(w);
        CellRecord[2] = QString::number(h);
        CellRecord[4] = fore;
        CellRecord[5] = QStringLiteral("40");
        CellRecord[6] = QStringLiteral("30");
        CellRecord[7] = code;
        CellRecord[9] = text;
        CellRecord[10] = style;
    }
};

}  // namespace

TEST_F(CellEditorWindowTest, SizeLabelAndPanelsByCell) {
    struct Case {
        const char* cell;
        bool music;
        const char* size;
        bool bj, qj, text, textInfo, qj12Flag;
    };
    const Case cases[] = {
        {"1", false, "1区 [区域大小：300×200(像素)]", false, true, true, false, true},
        {"3", false, "3区 [区域大小：300×200(像素)]", true, true, true, false, true},
        {"4", false, "4区 [区域大小：300×200(像素)]", true, true, true, false, true},
        {"4", true, "4区 [区域大小：300×200(像素)]", true, true, false, true, true},
        {"6", false, "6区 [区域大小：300×200(像素)]", false, true, true, false, true},
        {"12", false, "12区 [区域大小：300×200(像素)]", true, false, false, false, false},
        {"17", false, "17区 [区域大小：300×200(像素)]", false, true, true, false, true},
        {"28", false, "26区 [区域大小：300×200(像素)]", true, true, true, false, true},
        {"31", false, "27区 [区域大小：300×200(像素)]", true, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        SiteSettings(LocalColumn, 314) = c.music ? QStringLiteral("1") : QString();
        SiteSettings(LocalColumn, 316) = c.music ? QStringLiteral("歌词") : QString();
        record(QString::fromUtf8(c.cell), 300, 200);
        CellEditorWindow w;
        EXPECT_EQ(w.labSize->text(), QString::fromUtf8(c.size));
        EXPECT_EQ(!w.picSetBJ->isHidden(), c.bj);
        EXPECT_EQ(!w.picSetBJInfo->isHidden(), !c.bj);
        EXPECT_EQ(!w.picSetQJ->isHidden(), c.qj);
        EXPECT_EQ(!w.picText->isHidden(), c.text);
        EXPECT_EQ(!w.picSetTextInfo->isHidden(), c.textInfo);
        EXPECT_EQ(CellEditorWindowLabels::picSetQJVisible, c.qj12Flag);
    }
    EXPECT_EQ(PendingPictures.rows(), 3);
}

TEST_F(CellEditorWindowTest, CanvasForAWideAndASmallCell) {
    record(QStringLiteral("3"), 900, 100);
    {
        CellEditorWindow w;
        EXPECT_TRUE(w.hscPic->isEnabled());
        EXPECT_EQ(w.hscPic->maximum(), 1065);
        EXPECT_EQ(w.picView->x(), 0);
    }
    record(QStringLiteral("3"), 100, 50);
    CellEditorWindow w;
    EXPECT_FALSE(w.hscPic->isEnabled());
    EXPECT_FALSE(w.vscPic->isEnabled());
    EXPECT_EQ(w.labQJW->text(), QStringLiteral("≤100"));
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("100"));  // no foreground: the cell's size

    // The preview page starts at the cell's corner, so none of its rows or columns lies under the
    // cell's edge; the browser reaches past the cell on the right and below, where its scroll bars
    // stay out of sight.
    const QWidget* page = w.webView->view();
    EXPECT_EQ(page->mapTo(w.picView, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_TRUE(w.webView->geometry().adjusted(0, 0, -20, -20).contains(w.picView->rect()));
}

TEST_F(CellEditorWindowTest, StyleFillsThePanelWithItsLastingEffects) {
    record(QStringLiteral("3"), 300, 200, QStringLiteral("甲<br>&lt;乙&gt;"),
           QStringLiteral("2,02,5/5/10/10/,17,宋体,#FF0000,,2,1,0,1,1,3,"), QStringLiteral("m.SWF"),
           QStringLiteral("102"));
    CellEditorWindow w;
    EXPECT_EQ(w.txtTxt->toPlainText(), QStringLiteral("甲\n<乙>"));
    EXPECT_EQ(w.cobTC->currentIndex(), 1);
    EXPECT_EQ(w.cobTxtSP->currentIndex(), 1);
    EXPECT_EQ(w.cobTxtCZ->currentIndex(), 2);
    EXPECT_EQ(w.txtBJZ->text(), QStringLiteral("10"));
    EXPECT_EQ(w.cobFontSize->currentText(), QStringLiteral("17"));
    EXPECT_EQ(w.cobFontType->currentIndex(), 2);
    EXPECT_TRUE(w.cheUnderline->isChecked());
    // Art text: the background box unticked, field 6 the swatch's white.
    EXPECT_FALSE(w.cheBackStyle->isChecked());
    EXPECT_EQ(w.TextStyleFields.value(6), QStringLiteral("#FFFFFF"));
    EXPECT_FALSE(w.cobSpeed->isHidden());
    EXPECT_EQ(w.cobSpeed->currentIndex(), 3);
    // The guide lines moved inward by the margins.
    EXPECT_EQ(w.guides.top, w.canvas.view.top() + 75);
    EXPECT_EQ(w.guides.right, w.canvas.view.left() + w.canvas.view.width() - 150);
    // Foreground "102" of a movie: top, right, Flash box shown and opaque.
    EXPECT_EQ(w.cobQJCZ->currentIndex(), 1);
    EXPECT_EQ(w.cobQJSP->currentIndex(), 2);
    EXPECT_FALSE(w.cheFlash->isHidden());
    EXPECT_FALSE(w.cheFlash->isChecked());
    EXPECT_FALSE(w.cmdOK->isEnabled());
    EXPECT_FALSE(w.cmdReSet->isEnabled());
    EXPECT_TRUE(w.EditorReady);
    // Written back unchanged except what the reading normalised.
    EXPECT_EQ(WriteCellTextStyle(w.textPanel(), w.TextStyleFields),
              QStringLiteral("2,02,5/5/10/10/,17,宋体,#FF0000,#FFFFFF,2,1,0,1,1,3,,,,,,"));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(CellEditorWindowTest, MarginThatIsNoNumberIsReportedAndReset) {
    record(QStringLiteral("3"), 300, 200, {}, QStringLiteral("1,11,x/0/0/0/,12,宋体,,,0,0,0,0,0,0,"));
    CellEditorWindow w;
    EXPECT_EQ(prompts.messages(), QStringList{kMarginNotNumber});
    EXPECT_EQ(w.txtBJS->text(), QStringLiteral("0"));
}

TEST_F(CellEditorWindowTest, TutorialCounterAndHint) {
    struct Case {
        const char* counter;
        bool opens;
        const char* stored;
    };
    const Case cases[] = {{"", true, "1"}, {"2", true, "3"}, {"3", false, "3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.counter);
        SetUserSetting(UcsTeachPicture, QString::fromUtf8(c.counter));
        record(QStringLiteral("3"), 300, 200);
        CellEditorWindow w;
        EXPECT_EQ(!w.teachpicTeach->isHidden(), c.opens);
        EXPECT_EQ(!w.cmdCloseTeach->isHidden(), c.opens);
        EXPECT_EQ(GetUserSetting(UcsTeachPicture), QString::fromUtf8(c.stored));
        if (c.opens) {
            w.cmdCloseTeach_Click();
            EXPECT_EQ(GetUserSetting(UcsTeachPicture), QStringLiteral("3"));
            EXPECT_TRUE(w.teachpicTeach->isHidden());
        }
    }

    record(QStringLiteral("3"), 300, 200, QStringLiteral("文字"));
    {
        CellEditorWindow w;
        EXPECT_FALSE(w.picOpeMsg->isHidden());
        EXPECT_EQ(w.labMsgSN, QStringLiteral("35"));
        EXPECT_EQ(w.labOpeMsg->text(), QStringLiteral("提示：\n    您可以把此处的文字修改成其它文字。"));
        w.chkIKnowOpe->setChecked(true);
        w.cmdClosOpeMsg_Click();
        EXPECT_TRUE(w.picOpeMsg->isHidden());
    }
    EXPECT_EQ(GetUserSetting(UcsHintCellText), QStringLiteral("1"));
    CellEditorWindow again;
    EXPECT_TRUE(again.picOpeMsg->isHidden());
}

TEST_F(CellEditorWindowTest, ClosingAsksOnlyWhileChanged) {
    record(QStringLiteral("3"), 300, 200);
    {
        CellEditorWindow w;
        w.show();
        w.close();
        EXPECT_TRUE(prompts.messages().isEmpty());
    }
    CellEditorWindow w;
    w.show();
    w.cmdOK->setEnabled(true);
    prompts.answer(vbNo);
    w.reject();  // Escape
    EXPECT_EQ(prompts.messages(), QStringList{kApplyQuestion});
    EXPECT_FALSE(w.isVisible());

    // Yes runs the apply; one that did not count (here: no domain) keeps the window and its edits.
    CellEditorWindow byCloseBox;
    byCloseBox.show();
    byCloseBox.cmdOK->setEnabled(true);
    prompts.clear();
    prompts.answer(vbYes);
    byCloseBox.close();
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_EQ(prompts.records()[0].text, kApplyQuestion);
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
    EXPECT_EQ(prompts.records()[0].style, vbYesNo + vbQuestion);
    EXPECT_EQ(prompts.records()[1].text,
              QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。"));
    EXPECT_TRUE(byCloseBox.isVisible());
    EXPECT_TRUE(byCloseBox.cmdOK->isEnabled());
    prompts.answer(vbNo);
    byCloseBox.close();
    EXPECT_FALSE(byCloseBox.isVisible());
}

#ifdef TAVOLIN_HAVE_EMULATOR
#include "foundation/htmltext.h"
#include "platform/serviceconfig.h"
#include "platform/ui/webbrowser.h"
#include "platform/urlopening.h"
#include "state/loginstate.h"
#include "support/emulatorfixture.h"
#include "support/eventually.h"

#include "celleditor/cellpreview.h"
#include "platform/ansi.h"
#include "site/modCreateHtmlFiles.h"
#include "site/pagefile.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int kLoadTimeoutMs = 30000;

class CellEditorOnTheService : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        loginAs(QStringLiteral("member"));
        SiteSettings.create();
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
        SetLoginField(11, QStringLiteral("key&11"));
        SetLoginField(6, QStringLiteral("www1"));
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("3");
        CellRecord[1] = QStringLiteral("300");
        CellRecord[2] = QStringLiteral("200");
    }
};

}  // namespace

TEST_F(CellEditorOnTheService, AdvertisementPageShowsTheKeysAndHelpOpensInTheBrowser) {
    const QString week = WeeklyFolderName(QDate::currentDate());
    EXPECT_EQ(CellEditorAdUrl(QDate::currentDate()),
              "http://" + emulator().config().hostName(ServiceHost::Advertising) + "/pwtd/" + week +
                  "/setpic.html?k1=key%2611&k2=www1&k3=" + ClientVersion);
    CellEditorWindow w;
    w.show();
    ASSERT_EVENTUALLY(w.webAD->hasDocument() && !w.webAD->isLoading(), kLoadTimeoutMs);
    const QString text = w.webAD->documentTextSync();
    EXPECT_TRUE(text.contains(QStringLiteral("区域设置小窍门"))) << text.toStdString();
    EXPECT_EQ(w.webAD->runScriptSync(QStringLiteral("document.body.dataset.k1")).toString(), QStringLiteral("key&11"));

    QStringList opened;
    urlopening::Openers openers;
    openers.openWithDesktop = [&opened](const QString& url) {
        opened.append(url);
        return true;
    };
    urlopening::install(&openers);
    w.labANQ_Click();
    urlopening::install(nullptr);
    const QString help = "http://" + emulator().config().hostName(ServiceHost::Main) + "/setpic.html?k1=key%2611&k2=www1";
    EXPECT_EQ(PageUrl, help);
    EXPECT_EQ(opened, QStringList{help});
    const testsupport::EmulatorPage page = emulator().get(help);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("www1"));
}

TEST_F(CellEditorOnTheService, PreviewFollowsTheControlsAndCellTwelveAsksTheServiceFrameHost) {
    // The opener has copied the cell's page to the preview page.
    QDir().mkpath(UserFolder + QStringLiteral("/temp"));
    WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("<html><body>旧页面</body></html>"));
    CellEditorWindow w;
    w.show();
    ASSERT_EVENTUALLY(w.webView->hasDocument() && !w.webView->isLoading(), kLoadTimeoutMs);

    // Typing rebuilds the preview and marks the window changed.
    w.txtTxt->setPlainText(QStringLiteral("预览里的字\n第二行"));
    EXPECT_TRUE(w.cmdOK->isEnabled());
    EXPECT_TRUE(testsupport::readFile(SitePagePath(QStringLiteral("setpic.html")))
                    .contains(AnsiCodec::encode(QStringLiteral(">预览里的字<br>第二行</font>"))));
    QString shown;
    ASSERT_EVENTUALLY((w.webView->hasDocument() && !w.webView->isLoading() &&
                       (shown = w.webView->documentTextSync()).contains(QStringLiteral("第二行"))),
                      kLoadTimeoutMs);
    EXPECT_TRUE(shown.contains(QStringLiteral("预览里的字"))) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("旧页面")));
    // "预览文字效果" rebuilds it without marking anything changed.
    w.cmdOK->setEnabled(false);
    QFile::remove(SitePagePath(QStringLiteral("setpic.html")));
    w.cmdViewTxt->click();
    EXPECT_TRUE(QFile::exists(SitePagePath(QStringLiteral("setpic.html"))));
    EXPECT_FALSE(w.cmdOK->isEnabled());

    // Cell 12's preview asks the service's frame host for the scroller, which shows the album as
    // the member's frame host shows it for the generated page.
    emu::MemberStore& store = emulator().server().store();
    emu::Member* demo = store.find(emulator().demoMember().name);
    ASSERT_TRUE(demo);
    store.storeFile(*demo, QStringLiteral("www个人主页十图滚动"), QStringLiteral("p1.jpg"), "x", QString(), store.newStamp());
    SetLoginField(11, demo->memberKey);
    SetLoginField(6, demo->prefix);
    CellEditorSnapshot scroller;
    scroller.record = QStringList(14);
    scroller.record[0] = QStringLiteral("12");
    scroller.record[1] = QStringLiteral("650");
    scroller.record[2] = QStringLiteral("120");
    QStringList fields(15);
    const std::optional<QString> page = CellPreviewPage(scroller, fields);
    ASSERT_TRUE(page);
    const QRegularExpressionMatch src = QRegularExpression(QStringLiteral("<iframe src=\"([^\"]+)\"")).match(*page);
    ASSERT_TRUE(src.hasMatch());
    const QString address = src.captured(1);
    EXPECT_TRUE(address.startsWith("http://" + emulator().config().hostName(ServiceHost::Frame) + "/photolist10.aspx?"));
    const auto pictures = [](const QByteArray& body) {
        const qsizetype from = body.indexOf("<div class=\"pictures\">");
        return from < 0 ? QByteArray() : body.mid(from, body.indexOf("</div>", from) - from);
    };
    const testsupport::EmulatorPage preview = emulator().get(address);
    EXPECT_EQ(preview.status, 200);
    EXPECT_TRUE(pictures(preview.body).contains("/p1.jpg")) << preview.body.toStdString();
    const QString generated = QStringLiteral("http://") + MemberFrameHost() +
                              QStringLiteral("/photo10list001.aspx?k1=%1&k2=www个人主页十图滚动&k3=%2&k4=0")
                                  .arg(demo->memberKey, demo->prefix);
    EXPECT_EQ(pictures(emulator().get(generated).body), pictures(preview.body));
}
#endif
