// Applying a cell from the editor window through the publish dialog against the emulator.
#include <gtest/gtest.h>

#ifdef TAVOLIN_HAVE_EMULATOR

#include "state/celleditorstate.h"
#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/picturedialogs.h"
#include "state/imagingstate.h"
#include "imaging/ui/cropwindow.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "platform/ansi.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>

using testsupport::ModalWatcher;

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
        window.reset();  // an editor closed earlier goes before the next one opens
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
    // Browses a JPEG of one colour larger than the cell and crops it (the size dialog's first
    // choice, the crop as it opens).
    void cropBackground(const QString& name, const QColor& colour) {
        QImage picture(400, 500, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = UserFolder + QLatin1Char('/') + name;
        ASSERT_TRUE(picture.save(path, "JPG"));
        prompts.answerText(path);
        ModalWatcher<PictureSizeDialog> size([](PictureSizeDialog* d) { d->cmdSelect->click(); });
        ModalWatcher<CropWindow> crop([](CropWindow* d) { d->cmdOK->click(); });
        window->cmdSearchBJ->click();
        ASSERT_EQ(crop.seen(), 1);
        ASSERT_EQ(CropTargetMode, 99);
    }
    // The colour in the middle of a picture file (JPEG: near the colour it was made of).
    static bool shows(const QString& file, const QColor& colour) {
        const QImage picture(file);
        if (picture.isNull()) return false;
        const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
        return qAbs(c.red() - colour.red()) < 16 && qAbs(c.green() - colour.green()) < 16 &&
               qAbs(c.blue() - colour.blue()) < 16;
    }
    // The site's page files (not the editors' scratch pages) by name.
    QMap<QString, QByteArray> sitePages() {
        QMap<QString, QByteArray> pages;
        const QStringList scratch{QStringLiteral("setpic.html"), QStringLiteral("view.html"), QStringLiteral("webpic.html")};
        for (const QString& name : QDir(UserFolder + QStringLiteral("/temp")).entryList({QStringLiteral("*.html")}, QDir::Files))
            if (!scratch.contains(name)) pages.insert(name, page(name));
        return pages;
    }
    QStringList cellRows(int column, int cell) {
        QStringList rows;
        for (int k = 0; k < 8; ++k) rows << SiteSettings(column, GetCellBaseRow(cell) + k);
        return rows;
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

    // The refused apply was taken back whole: the retry uploads the picture again.
    prompts.clear();
    window->cmdOK->click();
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    EXPECT_EQ(uploads(), 2);
    EXPECT_EQ(publishCalls().size(), 2);
    EXPECT_FALSE(window->cmdOK->isEnabled());
    EXPECT_EQ(page(QStringLiteral("8.html")), page(QStringLiteral("setpic.html")));
    EXPECT_TRUE(servedSite().contains(PendingPictures.value(0, PendingPicture::UploadedUrl)));
}

TEST_F(ApplyOnService, ARefusedApplyLeavesThePagesAndResetGoesBackToTheAppliedCell) {
    open(8);
    const QMap<QString, QByteArray> pagesBefore = sitePages();
    const QStringList localBefore = cellRows(LocalColumn, 8);
    const QStringList publishBefore = cellRows(PublishColumn, 8);
    chooseBackground(pictureFile(QStringLiteral("spring.png")));
    window->txtTxt->setPlainText(QStringLiteral("被拒绝的字"));
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    window->cmdOK->click();
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kRefused}));

    // No page file was written or changed, the cell's rows are as they were, and the picture
    // waits for its upload again.
    EXPECT_EQ(sitePages(), pagesBefore);
    EXPECT_EQ(cellRows(LocalColumn, 8), localBefore);
    EXPECT_EQ(cellRows(PublishColumn, 8), publishBefore);
    EXPECT_EQ(window->labBJFlag, QStringLiteral("1"));

    window->cmdReSet->click();
    EXPECT_EQ(CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground], localBefore[0]);
    EXPECT_EQ(page(QStringLiteral("setpic.html")), QByteArray("old page"));
    EXPECT_EQ(window->labBJFlag, QStringLiteral("0"));
    EXPECT_FALSE(window->cmdOK->isEnabled());
}

TEST_F(ApplyOnService, ACropAfterAnApplyNeverReplacesTheAppliedPicture) {
    open(8);
    const int R = GetCellBaseRow(8);
    cropBackground(QStringLiteral("first.jpg"), Qt::darkBlue);
    const QString applied = CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground];
    window->cmdOK->click();
    ASSERT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    EXPECT_EQ(SiteSettings(LocalColumn, R), applied);
    EXPECT_TRUE(page(QStringLiteral("8.html")).contains(QFileInfo(applied).fileName().toLatin1()));

    // A second crop, not applied, goes elsewhere; the reset shows the applied picture again.
    cropBackground(QStringLiteral("second.jpg"), Qt::darkRed);
    const QString unapplied = CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground];
    EXPECT_NE(unapplied, applied);
    EXPECT_TRUE(shows(unapplied, Qt::darkRed));
    EXPECT_TRUE(shows(applied, Qt::darkBlue));
    window->cmdReSet->click();
    EXPECT_EQ(CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground], applied);
    EXPECT_EQ(page(QStringLiteral("setpic.html")), page(QStringLiteral("8.html")));
    EXPECT_TRUE(shows(applied, Qt::darkBlue));

    // Another crop, then 返回 and 否: the cell's page still shows the applied picture.
    cropBackground(QStringLiteral("third.jpg"), Qt::darkGreen);
    prompts.clear();
    prompts.answer(vbNo);
    window->cmdQuit->click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("是否要把刚才所做的修改应用到您的网站中?")});
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(SiteSettings(LocalColumn, R), applied);
    EXPECT_TRUE(page(QStringLiteral("8.html")).contains(QFileInfo(applied).fileName().toLatin1()));
    EXPECT_TRUE(shows(applied, Qt::darkBlue));

    // Applied, the second name becomes the cell's picture and the next crop takes the first again.
    open(8);
    cropBackground(QStringLiteral("fourth.jpg"), Qt::darkMagenta);
    const QString next = CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground];
    EXPECT_NE(next, applied);
    prompts.clear();
    window->cmdOK->click();
    ASSERT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    EXPECT_EQ(SiteSettings(LocalColumn, R), next);
    cropBackground(QStringLiteral("fifth.jpg"), Qt::darkCyan);
    EXPECT_EQ(CellRecord[CellRecordEntry::FirstBlockRow + CellBlock::CellBackground], applied);
    EXPECT_TRUE(shows(next, Qt::darkMagenta));
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
