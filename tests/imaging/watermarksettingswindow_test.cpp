// The watermark and border settings dialog, driven through its controls offscreen with scripted
// prompts: what it opens with, what it saves, and what it leaves alone.
#include <gtest/gtest.h>

#include "foundation/cipher.h"
#include "imaging/ui/overlaywidgets.h"
#include "imaging/ui/watermarksettingswindow.h"
#include "platform/safefile.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>
#include <optional>

using namespace testsupport;

namespace {

const QString kSaved = QStringLiteral("水印、边框信息保存成功！");
const QString kAskSave = QStringLiteral("是否要保存刚才的设置？");

class WatermarkWindow : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("alice"));
        SetLoginField(12, QStringLiteral("alicesite"));
    }
    std::unique_ptr<frm水印设置> open() { return std::make_unique<frm水印设置>(); }
    QString inFolder(const QString& name) const { return QDir(UserFolder).filePath(name); }
    QString wab() const { return inFolder(QStringLiteral("wab.dat")); }
    // A small picture file outside the member's folder (PNG bytes whatever its name says).
    QString picture(const QString& name, QSize size, QColor colour) {
        const QString path = QDir(root()).filePath(name);
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        EXPECT_TRUE(img.save(path, "PNG"));
        return path;
    }
    // Picks the picture watermark and the border through the file dialogs, then saves.
    void chooseBothAndSave(frm水印设置& w, const QString& watermark, const QString& border) {
        prompts.answerText(watermark);
        w.cmdInputWaterPic_Click();
        prompts.answerText(border);
        w.cmdBorder_Click();
        w.cmdSave_Click();
    }
    static void pick(QComboBox* box, int index, const std::function<void()>& handler) {
        box->setCurrentIndex(index);
        handler();
    }
    // The text label's right and bottom gaps to the 600 × 450 panel.
    static QPoint gapsToBottomRight(const frm水印设置& w) {
        const QRect r = w.labWaterMark->geometry();
        return QPoint(600 - (r.x() + r.width()), 450 - (r.y() + r.height()));
    }
};

TEST_F(WatermarkWindow, DesignedAsTheMemberSeesIt) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("水印、边框设置"));
    EXPECT_EQ(w->picSetWaterMark->size(), QSize(600, 450));
    EXPECT_EQ(w->Label2->text(), QStringLiteral("说明："));
    EXPECT_EQ(w->Label3->text(), QStringLiteral("在上传图片时选择\"加入水印、边框\" 功能，则在上传时图片将被转换成600×600(像素) 以内的图片。"));
    EXPECT_EQ(w->cobFontSize->count(), 23);
    EXPECT_EQ(w->cobFontType->itemText(3), QStringLiteral("粗斜体"));
    EXPECT_EQ(w->cobVertical->itemText(2), QStringLiteral("底端对齐"));
    EXPECT_EQ(w->cmdSave->text(), QStringLiteral("&S.保存设置"));
    EXPECT_EQ(w->cmdClearText->toolTip(), QStringLiteral("清空文本框中的水印文字"));
    EXPECT_TRUE(w->cheBackStyle->isChecked());
    EXPECT_FALSE(w->che3DBorder->isEnabled());
    EXPECT_FALSE(w->chePic3DBorder->isEnabled());
    EXPECT_TRUE(w->imgWaterMark->isHidden());
    EXPECT_EQ(w->imgBorder->geometry(), w->picSetWaterMark->rect());
    // The font list: the mapped names are there, the printer fonts are not.
    EXPECT_GE(w->cobFont->findText(QStringLiteral("宋体")), 0);
    for (int i = 0; i < w->cobFont->count(); ++i) {
        EXPECT_FALSE(w->cobFont->itemText(i).toUpper().contains(QLatin1String("CPI")));
        EXPECT_FALSE(w->cobFont->itemText(i).toUpper().contains(QLatin1String("POINT")));
    }
}

TEST_F(WatermarkWindow, SetsEveryHookOfItsLogic) {
    auto w = open();
    const WatermarkDialogView& v = w->view();
    const bool hooks[] = {bool(v.setText),     bool(v.showSettings),         bool(v.setBorderFlag),
                          bool(v.showWatermarkCopy), bool(v.showBorderCopy), bool(v.placeAll),
                          bool(v.settings),    bool(v.pictureWatermarkPath), bool(v.borderPath),
                          bool(v.saveEnabled), bool(v.setSaveEnabled)};
    for (size_t i = 0; i < std::size(hooks); ++i) EXPECT_TRUE(hooks[i]) << "hook " << i;
}

// The edge cases worth pinning, each from a fresh member folder.
TEST_F(WatermarkWindow, EdgeCases) {
    const struct Case {
        const char* name;
        std::function<void()> run;
    } cases[] = {
        {"first opening: the site host, right and bottom, Arial Black 15 italic, nothing to save",
         [this] {
             auto w = open();
             EXPECT_EQ(w->txtWaterMark->text(), QStringLiteral("www.alicesite.sitehost.test"));
             EXPECT_EQ(w->labWaterMark->label().text, w->txtWaterMark->text());
             EXPECT_EQ(w->cobLevel->currentIndex(), 2);
             EXPECT_EQ(w->cobVertical->currentIndex(), 2);
             EXPECT_EQ(w->cobPicLevel->currentIndex(), 0);
             EXPECT_EQ(w->cobPicVertical->currentIndex(), 2);
             EXPECT_EQ(w->cobFont->currentText(), QStringLiteral("Arial Black"));
             EXPECT_EQ(w->cobFontSize->currentText(), QStringLiteral("15"));
             EXPECT_EQ(w->cobFontType->currentText(), QStringLiteral("斜体"));
             const QFont f = w->labWaterMark->label().font;
             EXPECT_EQ(f.family(), QStringLiteral("Arial Black"));
             EXPECT_EQ(f.pixelSize(), 20);
             EXPECT_TRUE(f.bold());
             EXPECT_TRUE(f.italic());
             const QPoint gaps = gapsToBottomRight(*w);
             EXPECT_NEAR(gaps.x(), 20, 1);
             EXPECT_NEAR(gaps.y(), 20, 1);
             EXPECT_FALSE(w->cmdSave->isEnabled());
         }},
        {"no registered domain: the service's own host",
         [this] {
             SetLoginField(12, QString());
             EXPECT_EQ(open()->txtWaterMark->text(), QStringLiteral("www.sitehost.test"));
         }},
        {"粗斜体 then 斜体 stays bold and italic",
         [this] {
             auto w = open();
             pick(w->cobFontType, 0, [&] { w->cobFontType_Click(); });
             EXPECT_FALSE(w->labWaterMark->label().font.bold());
             pick(w->cobFontType, 3, [&] { w->cobFontType_Click(); });
             pick(w->cobFontType, 1, [&] { w->cobFontType_Click(); });
             EXPECT_TRUE(w->labWaterMark->label().font.bold());
             EXPECT_TRUE(w->labWaterMark->label().font.italic());
             EXPECT_TRUE(w->cmdSave->isEnabled());
         }},
        {"a typed size applies at once and the label is placed again; no number leaves it",
         [this] {
             auto w = open();
             const int before = w->labWaterMark->width();
             w->cobFontSize->setEditText(QStringLiteral(" 30 "));
             EXPECT_EQ(w->labWaterMark->label().font.pixelSize(), 40);
             EXPECT_GT(w->labWaterMark->width(), before);
             EXPECT_NEAR(gapsToBottomRight(*w).x(), 20, 1);
             EXPECT_NEAR(gapsToBottomRight(*w).y(), 20, 1);
             for (const char* bad : {"3x", "", "0", "-4"}) {
                 w->cobFontSize->setEditText(QString::fromLatin1(bad));
                 EXPECT_EQ(w->labWaterMark->label().font.pixelSize(), 40) << bad;
             }
         }},
        {"a text of exactly null reads back as no settings",
         [this] {
             {
                 auto w = open();
                 w->txtWaterMark->setText(QStringLiteral("null"));
                 pick(w->cobLevel, 0, [&] { w->PlaceTextLevel(); });
                 w->cmdSave_Click();
             }
             auto w = open();
             EXPECT_EQ(w->txtWaterMark->text(), QStringLiteral("www.sitehost.test"));  // the designed text
             EXPECT_EQ(w->cobLevel->currentIndex(), 2);
             EXPECT_FALSE(w->cmdSave->isEnabled());
         }},
        {"a .jpeg watermark is kept as watermark.peg and field 18 is peg",
         [this] {
             const QString jpeg = picture(QStringLiteral("logo.jpeg"), QSize(40, 30), Qt::red);
             {
                 auto w = open();
                 prompts.answerText(jpeg);
                 w->cmdInputWaterPic_Click();
                 EXPECT_EQ(prompts.records().first().text, QStringLiteral("图片文件 (*.gif *.jpg *.ico)"));
                 EXPECT_TRUE(w->imgWaterMark->isVisible() || !w->imgWaterMark->isHidden());
                 EXPECT_EQ(w->imgWaterMark->geometry(), QRect(20, 450 - 30 - 20, 40, 30));
                 w->cmdSave_Click();
             }
             EXPECT_EQ(readFile(inFolder(QStringLiteral("watermark.peg"))), readFile(jpeg));
             const auto s = ReadWatermarkSettings(UserFolder);
             ASSERT_TRUE(s.has_value());
             EXPECT_TRUE(s->hasPicture);
             EXPECT_EQ(s->pictureExtension, QStringLiteral("peg"));
             auto w = open();
             EXPECT_FALSE(w->imgWaterMark->isHidden());
             EXPECT_EQ(w->imgWaterMark->picture().size(), QSize(40, 30));
             EXPECT_EQ(w->labPicWaterPath->text(), QStringLiteral("peg"));
         }},
        {"closing with changes and answering No leaves wab.dat as it was",
         [this] {
             {
                 auto w = open();
                 w->cmdSave_Click();
             }
             const QByteArray before = readFile(wab());
             auto w = open();
             w->txtWaterMark->setText(QStringLiteral("改过的"));
             prompts.clear();
             prompts.answer(vbNo);
             w->cmdQuit_Click();
             ASSERT_EQ(prompts.records().size(), 1);
             EXPECT_EQ(prompts.records()[0].text, kAskSave);
             EXPECT_EQ(prompts.records()[0].style, vbQuestion | vbYesNo);
             EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
             EXPECT_EQ(readFile(wab()), before);
         }},
        {"closing with changes and answering Yes saves first",
         [this] {
             auto w = open();
             w->txtWaterMark->setText(QStringLiteral("改过的"));
             prompts.answer(vbYes);
             w->show();  // the title bar's close button
             w->close();
             EXPECT_TRUE(w->isHidden());
             EXPECT_EQ(prompts.messages(), (QStringList{kAskSave, kSaved}));
             EXPECT_EQ(ReadWatermarkSettings(UserFolder)->text, QStringLiteral("改过的"));
         }},
        {"closing without changes asks nothing",
         [this] {
             auto w = open();
             w->cmdQuit_Click();
             EXPECT_TRUE(prompts.records().isEmpty());
             EXPECT_FALSE(QFileInfo::exists(wab()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(wab());
        QFile::remove(inFolder(QStringLiteral("watermark.peg")));
        SetLoginField(12, QStringLiteral("alicesite"));
        prompts.clear();
        c.run();
    }
}

TEST_F(WatermarkWindow, SavingAndReopeningRestoresEverySetting) {
    const QString logo = picture(QStringLiteral("logo.gif"), QSize(50, 20), Qt::blue);
    const QString frame = picture(QStringLiteral("frame.png"), QSize(8, 8), Qt::green);
    {
        auto w = open();
        w->txtWaterMark->setText(QStringLiteral("我的水印"));
        w->cobFont->setEditText(QStringLiteral("宋体"));
        w->cobFont_Click();
        w->cobFontSize->setEditText(QStringLiteral("26"));
        pick(w->cobFontType, 2, [&] { w->cobFontType_Click(); });
        prompts.answerColor(QColor(255, 0, 0));
        w->cmdSetFontColor_Click();
        prompts.answerColor(QColor(0, 0, 128));
        w->cmdSetBackColor_Click();
        w->cheBorder->click();
        w->che3DBorder->click();
        w->cheUnderline->click();
        w->cheStrikethru->click();
        pick(w->cobLevel, 1, [&] { w->PlaceTextLevel(); });
        pick(w->cobVertical, 0, [&] { w->PlaceTextVertical(); });
        prompts.answerText(logo);
        w->cmdInputWaterPic_Click();
        pick(w->cobPicLevel, 2, [&] { w->PlacePictureLevel(); });
        pick(w->cobPicVertical, 1, [&] { w->PlacePictureVertical(); });
        w->chePicBorder->click();
        w->chePic3DBorder->click();
        prompts.answerText(frame);
        w->cmdBorder_Click();
        EXPECT_EQ(prompts.records().last().text, QStringLiteral("图片文件 (*.gif)"));
        ASSERT_TRUE(w->cmdSave->isEnabled());
        w->cmdSave_Click();
        EXPECT_EQ(prompts.messages(), QStringList{kSaved});
        EXPECT_EQ(prompts.records().last().style, vbInformation);
        EXPECT_EQ(prompts.records().last().title, QStringLiteral("提示"));
        EXPECT_FALSE(w->cmdSave->isEnabled());
    }
    EXPECT_EQ(readFile(inFolder(QStringLiteral("watermark.gif"))), readFile(logo));
    EXPECT_EQ(readFile(inFolder(QStringLiteral("border.gif"))), readFile(frame));

    auto w = open();
    EXPECT_EQ(w->txtWaterMark->text(), QStringLiteral("我的水印"));
    EXPECT_EQ(w->cobFont->currentText(), QStringLiteral("宋体"));
    EXPECT_EQ(w->cobFontSize->currentText(), QStringLiteral("26"));
    EXPECT_EQ(w->cobFontType->currentText(), QStringLiteral("粗体"));
    EXPECT_EQ(w->textColor(), 0x0000FF);
    EXPECT_EQ(w->backColor(), 0x800000);
    EXPECT_FALSE(w->cheBackStyle->isChecked());
    EXPECT_TRUE(w->cheBorder->isChecked());
    EXPECT_TRUE(w->che3DBorder->isChecked());
    EXPECT_TRUE(w->che3DBorder->isEnabled());
    EXPECT_TRUE(w->cheUnderline->isChecked());
    EXPECT_TRUE(w->cheStrikethru->isChecked());
    EXPECT_EQ(w->cobLevel->currentIndex(), 1);
    EXPECT_EQ(w->cobVertical->currentIndex(), 0);
    EXPECT_EQ(w->cobPicLevel->currentIndex(), 2);
    EXPECT_EQ(w->cobPicVertical->currentIndex(), 1);
    EXPECT_TRUE(w->chePicBorder->isChecked());
    EXPECT_TRUE(w->chePic3DBorder->isChecked());
    EXPECT_EQ(w->labPicWatermark->text(), QStringLiteral("1"));
    EXPECT_EQ(w->labBorder->text(), QStringLiteral("1"));
    EXPECT_TRUE(w->labBorderPath->text().isEmpty());
    EXPECT_FALSE(w->cmdSave->isEnabled());
    // The preview shows the saved look: the label in its font, colours and frame, placed; the
    // picture with its 3-D frame at the right edge, centred; the border over the panel.
    const OverlayLabel& label = w->labWaterMark->label();
    EXPECT_EQ(label.font.family(), QStringLiteral("宋体"));
    EXPECT_EQ(label.font.pixelSize(), 35);
    EXPECT_TRUE(label.font.bold());
    EXPECT_TRUE(label.font.underline());
    EXPECT_TRUE(label.font.strikeOut());
    EXPECT_EQ(label.foreColor, QColor(255, 0, 0));
    EXPECT_EQ(label.backColor, QColor(0, 0, 128));
    EXPECT_FALSE(label.transparent);
    EXPECT_EQ(label.frame, OverlayFrame::Sunken3D);
    EXPECT_NEAR(w->labWaterMark->x(), (600 - w->labWaterMark->width()) / 2.0, 1);
    EXPECT_EQ(w->labWaterMark->y(), 20);
    EXPECT_EQ(w->imgWaterMark->geometry(), QRect(600 - 54 - 20, (450 - 24) / 2, 54, 24));
    EXPECT_EQ(w->imgBorder->picture().size(), QSize(8, 8));

    // Saving again without new pictures keeps the copies.
    w->cheUnderline->click();
    w->cmdSave_Click();
    EXPECT_EQ(readFile(inFolder(QStringLiteral("watermark.gif"))), readFile(logo));
    EXPECT_EQ(readFile(inFolder(QStringLiteral("border.gif"))), readFile(frame));
}

TEST_F(WatermarkWindow, RemovingPicturesKeepsTheirCopiesButClearsTheFlags) {
    const QString logo = picture(QStringLiteral("logo.gif"), QSize(10, 10), Qt::blue);
    auto w = open();
    chooseBothAndSave(*w, logo, logo);
    w->cmdCancelWaterPic_Click();
    w->cmdCancelBorder_Click();
    EXPECT_TRUE(w->imgWaterMark->isHidden());
    EXPECT_TRUE(w->imgBorder->picture().isNull());
    w->cmdSave_Click();
    const auto s = ReadWatermarkSettings(UserFolder);
    EXPECT_FALSE(s->hasPicture);
    EXPECT_EQ(s->pictureExtension, QString());
    EXPECT_FALSE(s->hasBorder);
    EXPECT_TRUE(QFileInfo::exists(inFolder(QStringLiteral("watermark.gif"))));
    EXPECT_TRUE(QFileInfo::exists(inFolder(QStringLiteral("border.gif"))));
}

TEST_F(WatermarkWindow, MissingCopiesLeaveTheirPreviewsEmptyAndTheirFlagsAsRead) {
    WatermarkSettings s = WatermarkSettingsFromFields({});
    s.text = QStringLiteral("水印");
    s.hasPicture = true;
    s.pictureExtension = QStringLiteral("gif");
    s.hasBorder = true;
    WriteWatermarkSettings(UserFolder, s);
    auto w = open();
    EXPECT_TRUE(w->imgWaterMark->isHidden());
    EXPECT_TRUE(w->imgBorder->picture().isNull());
    EXPECT_EQ(w->labPicWatermark->text(), QStringLiteral("1"));
    EXPECT_EQ(w->labBorder->text(), QStringLiteral("1"));
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(WatermarkWindow, PickingFilesThatAreNoPicturesOrCancellingChangesNothing) {
    const QString notPicture = QDir(root()).filePath(QStringLiteral("notes.gif"));
    writeFile(notPicture, "just text");
    auto w = open();
    // Cancelled: silent.
    w->cmdInputWaterPic_Click();
    w->cmdBorder_Click();
    EXPECT_TRUE(prompts.messages().isEmpty());
    // No picture: the error box, nothing changed.
    for (const auto& handler : {std::function<void()>([&] { w->cmdInputWaterPic_Click(); }),
                                std::function<void()>([&] { w->cmdBorder_Click(); })}) {
        prompts.clear();
        prompts.answerText(notPicture);
        handler();
        ASSERT_EQ(prompts.messages().size(), 1);
        EXPECT_EQ(prompts.messages()[0], QStringLiteral("错误：481\r\r无效的图片"));
        EXPECT_EQ(prompts.records().last().title, QStringLiteral("错误提示"));
        EXPECT_EQ(prompts.records().last().style, vbInformation);
    }
    EXPECT_TRUE(w->imgWaterMark->isHidden());
    EXPECT_EQ(w->labPicWatermark->text(), QStringLiteral("0"));
    EXPECT_TRUE(w->labPicWaterPath->text().isEmpty());
    EXPECT_EQ(w->labBorder->text(), QStringLiteral("0"));
    EXPECT_TRUE(w->imgBorder->picture().isNull());
    EXPECT_FALSE(w->cmdSave->isEnabled());
}

// ---- what keeps the member's settings safe

TEST_F(WatermarkWindow, AFailedWriteKeepsTheOldFileAndLetsTheMemberTryAgain) {
    {
        auto w = open();
        w->txtWaterMark->setText(QStringLiteral("旧的"));
        w->cmdSave_Click();
    }
    const QByteArray before = readFile(wab());
    auto w = open();
    w->txtWaterMark->setText(QStringLiteral("新的"));
    prompts.clear();
    {
        const paths::SafeWriteFault fault(wab(), paths::SafeWriteStep::Write);
        w->cmdSave_Click();
    }
    ASSERT_EQ(prompts.messages().size(), 1);
    EXPECT_TRUE(prompts.messages()[0].startsWith(QStringLiteral("错误：61\r\r"))) << prompts.messages()[0].toStdString();
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("错误提示"));
    EXPECT_EQ(readFile(wab()), before);
    EXPECT_TRUE(w->cmdSave->isEnabled());
    EXPECT_EQ(filesIn(UserFolder), QStringList{QStringLiteral("wab.dat")}) << "no temporary left";
    // Once the folder takes it, the same button saves.
    prompts.clear();
    w->cmdSave_Click();
    EXPECT_EQ(prompts.messages(), QStringList{kSaved});
    EXPECT_EQ(ReadWatermarkSettings(UserFolder)->text, QStringLiteral("新的"));
}

TEST_F(WatermarkWindow, AFailedSaveOnClosingKeepsTheDialogOpenWithTheEdits) {
    const struct {
        const char* name;
        const char* text;
        bool unwritable;
    } cases[] = {
        {"a refused text", "a</F>b", false},
        {"an unwritable file", "新的", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = open();
        w->show();
        w->txtWaterMark->setText(QString::fromUtf8(c.text));
        prompts.clear();
        prompts.answer(vbYes);
        {
            std::optional<paths::SafeWriteFault> fault;
            if (c.unwritable) fault.emplace(wab(), paths::SafeWriteStep::Write);
            w->close();  // the title bar's close button
        }
        ASSERT_EQ(prompts.messages().size(), 2);
        EXPECT_EQ(prompts.messages()[0], kAskSave);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->txtWaterMark->text(), QString::fromUtf8(c.text));
        EXPECT_TRUE(w->cmdSave->isEnabled());
        EXPECT_FALSE(QFileInfo::exists(wab()));
        // Answered No, it closes and saves nothing.
        prompts.clear();
        prompts.answer(vbNo);
        w->cmdQuit_Click();
        EXPECT_EQ(prompts.messages(), QStringList{kAskSave});
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(QFileInfo::exists(wab()));
    }
}

TEST_F(WatermarkWindow, PickingTheSavedCopyItselfKeepsIt) {
    const QString logo = picture(QStringLiteral("logo.gif"), QSize(12, 12), Qt::blue);
    chooseBothAndSave(*open(), logo, logo);
    const QByteArray bytes = readFile(logo);
    auto w = open();
    prompts.clear();
    chooseBothAndSave(*w, inFolder(QStringLiteral("watermark.gif")), inFolder(QStringLiteral("border.gif")));
    EXPECT_EQ(prompts.messages(), QStringList{kSaved});
    EXPECT_EQ(readFile(inFolder(QStringLiteral("watermark.gif"))), bytes);
    EXPECT_EQ(readFile(inFolder(QStringLiteral("border.gif"))), bytes);
    EXPECT_EQ(ReadWatermarkSettings(UserFolder)->pictureExtension, QStringLiteral("gif"));
}

TEST_F(WatermarkWindow, ACancelledColourDialogChangesNothing) {
    auto w = open();
    const OverlayLabel before = w->labWaterMark->label();
    w->cmdSetFontColor_Click();
    w->cmdSetBackColor_Click();
    ASSERT_EQ(prompts.records().size(), 2);
    EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("color"));
    EXPECT_EQ(w->labWaterMark->label().foreColor, before.foreColor);
    EXPECT_EQ(w->labWaterMark->label().backColor, before.backColor);
    EXPECT_TRUE(w->labWaterMark->label().transparent);
    EXPECT_TRUE(w->cheBackStyle->isChecked());
    EXPECT_EQ(w->textColor(), 0xFFFFFF);
    EXPECT_EQ(w->backColor(), kButtonFaceColor);
    EXPECT_FALSE(w->cmdSave->isEnabled());
}

TEST_F(WatermarkWindow, ATextHoldingASeparatorIsRefusedAndNothingSaved) {
    auto w = open();
    for (const char* text : {"a</F>b", "<//R>", "x<///T>"}) {
        prompts.clear();
        w->txtWaterMark->setText(QString::fromLatin1(text));
        w->cmdSave_Click();
        ASSERT_EQ(prompts.records().size(), 1) << text;
        EXPECT_EQ(prompts.records()[0].text, QStringLiteral("水印文字中不能包含“</F>”、“<//R>”或“<///T>”。"));
        EXPECT_EQ(prompts.records()[0].style, vbInformation);
        EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
        EXPECT_FALSE(QFileInfo::exists(wab()));
        EXPECT_TRUE(w->cmdSave->isEnabled());
    }
}

}  // namespace
