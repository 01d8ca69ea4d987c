// Applying and resetting a cell apart from the window, and the checks of typed sizes.
#include <gtest/gtest.h>

#include "celleditor/cellapply.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/celleditorstate.h"
#include "state/celleditorwindowlabels.h"
#include "state/loginstate.h"
#include "support/sitefixture.h"

#include <QFile>

using testsupport::putCell;
namespace B = CellBlock;

namespace {

class CellApply : public testsupport::SiteTest {
protected:
    void SetUp() override {
        SiteTest::SetUp();
        SetLoginField(10, QStringLiteral("f77"));
        SetLoginField(12, QStringLiteral("zhangsite"));
        CellEditorWindowLabels::resetLabels();
        RedimPendingPictures();
    }
    // The editor on cell 8 (130 x 360) as the opening fills it.
    static CellEditorSnapshot editor() {
        LoadCellRecord(8);
        CellEditorSnapshot e;
        e.record = CellRecord;
        e.panel.font = QStringLiteral("宋体");
        e.panel.fontSize = QStringLiteral("14");
        e.foreWidth = QStringLiteral("100");
        e.foreHeight = QStringLiteral("80");
        return e;
    }
    static QStringList fields() {
        QStringList f(15);
        f[5] = QStringLiteral("000000");
        return f;
    }
    static QString entry(int offset) { return CellRecord.value(CellRecordEntry::FirstBlockRow + offset); }
};

}  // namespace

TEST_F(CellApply, RecordAndPendingPicturesFromTheControls) {
    CellEditorSnapshot e = editor();
    e.record[CellRecordEntry::FirstBlockRow + B::CellBackground] = QStringLiteral(" C:/pics/Spring.JPG ");
    e.record[CellRecordEntry::FirstBlockRow + B::CellForeground] = QStringLiteral("C:/pics/top.gif");
    CellEditorWindowLabels::labBJFlag = QStringLiteral("1");
    CellEditorWindowLabels::labQJFlag = QStringLiteral("3");
    e.flashTicked = false;
    e.foreVertical = 1;    // 顶端
    e.foreHorizontal = 2;  // 右对齐
    e.foreWidth = QStringLiteral(" 90 ");
    e.foreHeight = QStringLiteral("8x");  // no number: the stored height stays
    putCell(LocalColumn, 8, B::CellForeHeight, QStringLiteral("66"));
    LoadCellRecord(8);
    e.text = QStringLiteral("<script>x</script>\r\n第二行");
    e.panel.layer = 1;
    e.panel.underline = true;
    e.panel.scrolling = 3;
    e.panel.speed = 2;
    QStringList f = fields();
    PendingPictures.set(1, PendingPicture::RemoteName, QStringLiteral("kept"));

    ASSERT_TRUE(PrepareCellApply(e, f));
    using namespace PendingPicture;
    EXPECT_EQ(PendingPictures.value(BackgroundRow, Flag), QStringLiteral("1"));
    EXPECT_EQ(PendingPictures.value(BackgroundRow, RemoteFolder), QStringLiteral("www网站素材"));
    EXPECT_EQ(PendingPictures.value(BackgroundRow, RemoteName), QStringLiteral("grb8"));
    // The image host of the prefix, the member's folder, and the extension lower-cased.
    EXPECT_EQ(PendingPictures.value(BackgroundRow, UploadedUrl),
              QStringLiteral("http://img12.sitehost.test/space/f77/www网站素材/grb8.jpg"));
    // A material ("3") uploads nothing; the row keeps its other columns.
    EXPECT_EQ(PendingPictures.value(ForegroundRow, Flag), QStringLiteral("0"));
    EXPECT_EQ(PendingPictures.value(ForegroundRow, RemoteName), QStringLiteral("kept"));

    EXPECT_EQ(entry(B::CellForeWidth), QStringLiteral("90"));
    EXPECT_EQ(entry(B::CellForeHeight), QStringLiteral("66"));
    EXPECT_EQ(entry(B::CellForeCode), QStringLiteral("102"));
    EXPECT_TRUE(entry(B::CellTextHtml).startsWith(QStringLiteral("<table width=\"130\"")));
    // Active words first, then the brackets, then the line breaks.
    EXPECT_EQ(entry(B::CellText), QStringLiteral("&lt;img&gt;x&lt;/img&gt;<br>第二行"));
    // The style row carries the colour the text layer completed.
    EXPECT_EQ(entry(B::CellTextStyle), QStringLiteral("2,11,0/0/0/0/,14,宋体,#000000,,0,1,0,0,3,2,,,,,,"));
    EXPECT_EQ(f[5], QStringLiteral("#000000"));

    // Ticked Flash box and both lists at 居中: "011".
    e.flashTicked = true;
    e.foreVertical = 0;
    e.foreHorizontal = 0;
    ASSERT_TRUE(PrepareCellApply(e, f));
    EXPECT_EQ(entry(B::CellForeCode), QStringLiteral("011"));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(CellApply, WithoutADomainNothingChanges) {
    SetLoginField(12, QString());
    CellEditorSnapshot e = editor();
    e.text = QStringLiteral("字");
    CellEditorWindowLabels::labBJFlag = QStringLiteral("1");
    const QStringList recordBefore = CellRecord;
    QStringList f = fields();
    int dialogs = 0;
    CellEditorView view;
    view.showPublishDialog = [&] {
        ++dialogs;
        return PublishOutcome::Accepted;
    };
    EXPECT_FALSE(ApplyCell(e, f, view));
    EXPECT_EQ(prompts.messages(),
              QStringList{QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。")});
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(CellRecord, recordBefore);
    EXPECT_TRUE(PendingPictures.value(0, PendingPicture::Flag).isEmpty());
    EXPECT_EQ(f[5], QStringLiteral("000000"));
}

TEST_F(CellApply, OnlyAnEditTheSiteTookBecomesTheCellPage) {
    const struct {
        PublishOutcome outcome;
        bool applied;
    } cases[] = {{PublishOutcome::Accepted, true},  {PublishOutcome::NoChange, true}, {PublishOutcome::Refused, false},
                 {PublishOutcome::Failed, false},   {PublishOutcome::Unconfirmed, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.outcome));
        WritePageFile(QStringLiteral("8.html"), QStringLiteral("old"));
        WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("preview"));
        DialogState = 5;
        CellEditorView view;
        view.showPublishDialog = [&] {
            EXPECT_EQ(DialogState, 0);
            return c.outcome;
        };
        QStringList f = fields();
        EXPECT_EQ(ApplyCell(editor(), f, view), c.applied);
        EXPECT_EQ(page(QStringLiteral("8.html")), c.applied ? QByteArray("preview") : QByteArray("old"));
    }

    // Cell 28 also writes its side copy 29 and generates 30, whose size differs.
    WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("preview28"));
    CellEditorSnapshot e28 = editor();
    LoadCellRecord(28);
    e28.record = CellRecord;
    putCell(LocalColumn, 28, B::CellBackground, QStringLiteral("http://img12.sitehost.test/bg28.jpg"));
    CellEditorView view;
    view.showPublishDialog = [] { return PublishOutcome::Accepted; };
    QStringList f = fields();
    ASSERT_TRUE(ApplyCell(e28, f, view));
    EXPECT_EQ(page(QStringLiteral("28.html")), QByteArray("preview28"));
    EXPECT_EQ(page(QStringLiteral("29.html")), QByteArray("preview28"));
    EXPECT_TRUE(page(QStringLiteral("30.html")).contains("bg28.jpg"));
    EXPECT_TRUE(page(QStringLiteral("30.html")).contains(QString::number(GetCellWidth(30)).toLatin1()));

    // A preview that cannot be copied: the message, the cell page whole, not applied.
    QFile::remove(pagePath(QStringLiteral("setpic.html")));
    WritePageFile(QStringLiteral("28.html"), QStringLiteral("old28"));
    EXPECT_FALSE(ApplyCell(e28, f, view));
    EXPECT_EQ(prompts.messages().last(), kApplyUnexpectedError);
    EXPECT_EQ(page(QStringLiteral("28.html")), QByteArray("old28"));
}

TEST_F(CellApply, ResetGoesBackToTheAppliedCell) {
    putCell(LocalColumn, 8, B::CellBackground, QStringLiteral("bg.jpg"));
    putCell(LocalColumn, 8, B::CellForeground, QStringLiteral("m.SWF"));
    putCell(LocalColumn, 8, B::CellForeWidth, QStringLiteral("50"));
    putCell(LocalColumn, 8, B::CellForeHeight, QStringLiteral("40"));
    putCell(LocalColumn, 8, B::CellForeCode, QStringLiteral("102"));
    LoadCellRecord(8);
    CellRecord[1] = QStringLiteral("1");
    CellRecord[CellRecordEntry::FirstBlockRow] = QStringLiteral("edited.jpg");
    CellRecord[CellRecordEntry::FirstBlockRow + B::CellText] = QStringLiteral("edited text");
    CellEditorWindowLabels::labBJFlag = QStringLiteral("1");
    CellEditorWindowLabels::labSCURL = QStringLiteral("http://materials");
    WritePageFile(QStringLiteral("8.html"), QStringLiteral("cell page"));
    WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("preview"));

    const std::optional<ForegroundFields> fore = ResetCellRecord();
    ASSERT_TRUE(fore);
    EXPECT_EQ(page(QStringLiteral("setpic.html")), QByteArray("cell page"));
    EXPECT_EQ(CellEditorWindowLabels::labBJFlag, QStringLiteral("0"));
    EXPECT_TRUE(CellEditorWindowLabels::labSCURL.isEmpty());
    EXPECT_EQ(CellRecord[1], QStringLiteral("130"));
    EXPECT_EQ(entry(B::CellBackground), QStringLiteral("bg.jpg"));
    EXPECT_EQ(entry(B::CellText), QStringLiteral("edited text"));  // the text layer is kept
    EXPECT_EQ(fore->width, QStringLiteral("50"));
    EXPECT_EQ(fore->vertical, 1);
    EXPECT_EQ(fore->horizontal, 2);
    EXPECT_TRUE(fore->flashShown);
    EXPECT_TRUE(fore->flashSet);
    EXPECT_FALSE(fore->flashTicked);

    // A cell without foreground: the cell's size and 居中; without a cell page the preview is gone.
    putCell(LocalColumn, 8, B::CellForeground, QString());
    QFile::remove(pagePath(QStringLiteral("8.html")));
    const std::optional<ForegroundFields> none = ResetCellRecord();
    ASSERT_TRUE(none);
    EXPECT_EQ(none->width, QStringLiteral("130"));
    EXPECT_EQ(none->height, QStringLiteral("360"));
    EXPECT_EQ(none->vertical, 0);
    EXPECT_EQ(none->horizontal, 0);
    EXPECT_FALSE(QFile::exists(pagePath(QStringLiteral("setpic.html"))));

    // Cell 12's panel: only the background comes back.
    CellEditorWindowLabels::picSetQJVisible = false;
    EXPECT_FALSE(ResetCellRecord());
}

TEST(TypedSizes, ForegroundSizeBox) {
    struct Case {
        const char* typed;
        int messages;
        const char* left;
        bool accepted;
        bool reset;
    };
    const Case cases[] = {
        {"", 0, "", false, false},
        {"12", 0, "12", true, false},
        {"12a", 1, "12", true, false},
        {"abc", 3, "", false, false},
        {"1 x", 1, "1", true, false},
        {"300", 0, "300", true, false},
        {"301", 1, "300", true, true},
        {"99999999999", 1, "300", true, true},
        {"-5", 0, "-5", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const SizeCheck check = CheckForegroundSize(QString::fromLatin1(c.typed), QStringLiteral("300"), true);
        EXPECT_EQ(check.messages.size(), c.messages);
        EXPECT_EQ(check.text, QString::fromLatin1(c.left));
        EXPECT_EQ(check.accepted, c.accepted);
        EXPECT_EQ(check.reset, c.reset);
    }
    EXPECT_EQ(CheckForegroundSize(QStringLiteral("x"), QStringLiteral("300"), true).messages,
              QStringList{QStringLiteral("错误！宽度必须为数字。")});
    EXPECT_EQ(CheckForegroundSize(QStringLiteral("201"), QStringLiteral("200"), false).messages,
              QStringList{QStringLiteral("错误！高度不能大于当前设置区域的高度（200）。")});
}

TEST(TypedSizes, FontSizeAndMargins) {
    struct Case {
        const char* typed;
        int messages;
        const char* left;
    };
    for (const Case& c : {Case{"17", 0, "17"}, Case{"12px", 2, "12"}, Case{"0", 1, ""}, Case{"-3", 2, ""},
                          Case{"9\"><b>", 5, "9"}}) {
        SCOPED_TRACE(c.typed);
        const SizeCheck check = CheckFontSize(QString::fromLatin1(c.typed));
        EXPECT_EQ(check.messages.size(), c.messages);
        EXPECT_EQ(check.text, QString::fromLatin1(c.left));
        EXPECT_EQ(check.accepted, !check.text.isEmpty());
    }
    EXPECT_EQ(CheckFontSize(QStringLiteral("a")).messages, QStringList{kFontSizeMessage});

    EXPECT_EQ(GuideMarginValue(QStringLiteral(" 2.5 ")), 2);
    EXPECT_EQ(GuideMarginValue(QStringLiteral("2184")), 2184);
    EXPECT_EQ(GuideMarginValue(QStringLiteral("-2184")), -2184);
    EXPECT_FALSE(GuideMarginValue(QStringLiteral("2185")));
    EXPECT_FALSE(GuideMarginValue(QStringLiteral("-2185")));
    EXPECT_FALSE(GuideMarginValue(QString()));
}
