// Applying a cell from the editor window through the publish dialog against the emulator.
#include <gtest/gtest.h>

#ifdef TAVOLIN_HAVE_EMULATOR

#include "celleditor/state.h"
#include "celleditor/ui/celleditorwindow.h"
#include "foundation/settings.h"
#include "login/state.h"
#include "platform/ansi.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "site/state.h"
#include "support/publishfixture.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace {

const QString kUpdated = QStringLiteral("网站更新成功！");
const QString kRefused = QStringLiteral("错误(0007)：抱歉！网页数据更新失败，请您稍后再试...");

class ApplyOnService : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
        SetUserSetting(35, QStringLiteral("1"));
    }
    // The main window's edit command: the record, and the cell's page as the preview.
    void open(int cell) {
        openEditor(cell);
        WritePageFile(QString::number(cell) + QStringLiteral(".html"), QStringLiteral("old page"));
        CopyPageFile(QString::number(cell) + QStringLiteral(".html"), QStringLiteral("setpic.html"));
        window = std::make_unique<CellEditorWindow>();
        window->show();
    }
    // What a picture source leaves: the chosen file in the record and in PendingPictures, the
    // flag, the preview.
    void chooseBackground(const QString& file) {
        CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground] = file;
        PendingPictures.set(PendingPicture::BackgroundRow, PendingPicture::LocalFile, file);
        window->labBJFlag = QStringLiteral("1");
        window->CreateViewHtml();
        window->markChanged();
    }
    QByteArray page(const QString& name) { return testsupport::readFile(SitePagePath(name)); }
    int uploads() { return emulator().calls(QStringLiteral("UploadFile01")).size(); }

    std::unique_ptr<CellEditorWindow> window;
};

}  // namespace

TEST_F(ApplyOnService, NewBackgroundIsUploadedPublishedAndServed) {
    open(8);
    chooseBackground(pictureFile(QStringLiteral("spring.png")));
    window->cmdOK->click();

    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    EXPECT_EQ(uploads(), 1);
    EXPECT_FALSE(window->cmdOK->isEnabled());
    EXPECT_FALSE(window->cmdReSet->isEnabled());
    EXPECT_EQ(DialogState, 99);
    // The preview became the cell's page, and the site shows the uploaded picture.
    EXPECT_EQ(page(QStringLiteral("8.html")), page(QStringLiteral("setpic.html")));
    const QString address = PendingPictures.value(0, PendingPicture::UploadedUrl);
    EXPECT_TRUE(address.endsWith(QStringLiteral("/www网站素材/grb8.png"))) << address.toStdString();
    EXPECT_EQ(SiteSettings(PublishColumn, GetCellBaseRow(8)), address);
    EXPECT_TRUE(servedSite().contains(address));
    EXPECT_EQ(emulator().get(address).status, 200);
}

TEST_F(ApplyOnService, CellTwentyEightWritesItsCopyAndRegeneratesThirty) {
    open(28);
    window->txtTxt->setPlainText(QStringLiteral("侧栏的字"));
    window->cmdOK->click();
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    const QByteArray preview = page(QStringLiteral("setpic.html"));
    EXPECT_TRUE(preview.contains(AnsiCodec::encode(QStringLiteral("侧栏的字"))));
    EXPECT_EQ(page(QStringLiteral("28.html")), preview);
    EXPECT_EQ(page(QStringLiteral("29.html")), preview);
    // 30 shares the settings block and has its own size.
    const QByteArray thirty = page(QStringLiteral("30.html"));
    EXPECT_TRUE(thirty.contains(AnsiCodec::encode(QStringLiteral("侧栏的字"))));
    EXPECT_TRUE(thirty.contains("<table width=\"" + QByteArray::number(GetCellWidth(30)) + '"'));
    EXPECT_TRUE(servedSite().contains(QStringLiteral("侧栏的字")));
}

TEST_F(ApplyOnService, ARefusedPublishAfterAnUploadLeavesTheEditToRetry) {
    open(8);
    chooseBackground(pictureFile(QStringLiteral("spring.png")));
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    window->cmdOK->click();
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kRefused}));
    EXPECT_EQ(DialogState, 99);  // for the main window: a picture went up
    EXPECT_TRUE(window->cmdOK->isEnabled());
    EXPECT_TRUE(window->cmdReSet->isEnabled());

    // The retry publishes without uploading the picture again.
    prompts.clear();
    window->cmdOK->click();
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(uploads(), 1);
    EXPECT_EQ(publishCalls().size(), 2);
    EXPECT_FALSE(window->cmdOK->isEnabled());
    EXPECT_EQ(page(QStringLiteral("8.html")), page(QStringLiteral("setpic.html")));
    EXPECT_TRUE(servedSite().contains(PendingPictures.value(0, PendingPicture::UploadedUrl)));
}

TEST_F(ApplyOnService, YesOnClosingAfterARefusedApplyKeepsTheWindowOpen) {
    open(8);
    window->txtTxt->setPlainText(QStringLiteral("没有发布"));
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    prompts.answer(vbYes);
    window->close();
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("是否要把刚才所做的修改应用到您的网站中?"), kRefused}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->cmdOK->isEnabled());
    EXPECT_EQ(window->txtTxt->toPlainText(), QStringLiteral("没有发布"));

    // Yes again, now that the service takes it: applied, and the window closes.
    prompts.clear();
    prompts.answer(vbYes);
    window->close();
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("是否要把刚才所做的修改应用到您的网站中?"), kUpdated}));
    EXPECT_FALSE(window->isVisible());
}

#endif  // TAVOLIN_HAVE_EMULATOR
