// The preface editor's logic: the load of the style and its defaults, the colours and the
// back-colour box, the line rule through the window's hooks, and the apply and the reset against
// the emulator through the publish dialog's work.
#include <gtest/gtest.h>

#ifdef TAVOLIN_HAVE_EMULATOR

#include "imaging/cropdialog.h"
#include "platform/hookcheck.h"
#include "site/pagefile.h"
#include "site/publishdialog.h"
#include "site/sitemodel.h"
#include "siteoptions/prefaceeditor.h"
#include "siteoptions/ui/prefaceeditorwindow.h"
#include "state/celleditorstate.h"
#include "state/imagingstate.h"
#include "state/loginstate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "state/sitestate.h"
#include "support/eventually.h"
#include "support/publishfixture.h"

#include <QColor>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <deque>

namespace {

const QString kUpdated = QStringLiteral("网站更新成功！");
const QString kRefused = QStringLiteral("错误(0007)：抱歉！网页数据更新失败，请您稍后再试...");
const QString kNoDomain =
    QStringLiteral("抱歉！您尚未注册网站域名，请您先注册网站域名，开通网站后才能进行网站的相关操作。");

class PrefaceEditor : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        wire();
    }
    void wire() {
        PrefaceEditorView& v = editor.view;
        v.lines = [this] { return lines; };
        v.setLines = [this](const QStringList& l) { lines = l; };
        v.focusLine = [this](int line, int position) { focus = {line, position}; };
        v.selectEffect = [this](int e) { effect = e; };
        v.effect = [this] { return effect; };
        v.showFontColor = [this](const QColor& c) { fontSwatch = c.name(); };
        v.setBackColorSwatch = [this](const QColor& c) { backSwatch = c.name(); };
        v.showBackColorSwatch = [this](bool on) { backSwatchShown = on; };
        v.setNoBackColor = [this](bool on) { noBackColor = on; };
        v.enableEdits = [this](bool on) { editsEnabled = on; };
        v.setBackgroundPath = [this](const QString& p) { backgroundPath = p; };
        v.navigatePreview = [] {};
        v.refreshPreview = [this] { ++refreshes; };
        v.chooseColor = [this]() -> std::optional<QColor> {
            if (colours.empty()) return std::nullopt;
            const QColor c = colours.front();
            colours.pop_front();
            return c;
        };
        v.choosePictureFile = [this]() -> std::optional<QString> { return chosenFile; };
        v.offerCrop = [this] { ++cropOffers; };
        v.showMaterials = [this](bool) {
            // What confirming a material in the library leaves.
            CellRecord[3] = materialAddress;
            PrefaceEditorWindowLabels::labBJFlag = QStringLiteral("3");
        };
        v.showPublishDialog = [] { return RunPublishDialogWork(); };
    }
    // The main window's edit command for cell 10, the cell's page as the preview, and the load.
    void open(const QString& style = QString(), const QString& letter = QString()) {
        const int r = GetCellBaseRow(10);
        SiteSettings(LocalColumn, r + CellBlock::CellTextStyle) = style;
        SiteSettings(LocalColumn, r + CellBlock::CellText) = letter;
        openEditor(10);
        WritePageFile(QStringLiteral("10.html"), QStringLiteral("old page"));
        CopyPageFile(QStringLiteral("10.html"), QStringLiteral("setpic.html"));
        editor.Form_Load();
    }
    QByteArray page(const QString& name) { return testsupport::readFile(SitePagePath(name)); }
    int uploads() { return emulator().calls(QStringLiteral("UploadFile01")).size(); }
    QString row(int offset, int column = PublishColumn) { return SiteSettings(column, GetCellBaseRow(10) + offset); }

    PrefaceEditorController editor;
    QStringList lines = QStringList(kLetterLines, QString());
    std::pair<int, int> focus{-1, -1};
    int effect = -1;
    QString fontSwatch, backSwatch;
    bool backSwatchShown = false;
    bool noBackColor = false;
    bool editsEnabled = false;
    QString backgroundPath;
    int refreshes = 0;
    std::deque<QColor> colours;
    std::optional<QString> chosenFile;
    int cropOffers = 0;
    QString materialAddress;
};

}  // namespace

// The window sets every hook its controller calls (the fake above stands in for it elsewhere).
TEST_F(PrefaceEditor, EveryHookIsListed) {
    openEditor(10);
    PrefaceEditorWindow window;
    EXPECT_EQ(UnsetRequiredHooks(window.logic.view).join(u' ').toStdString(), "");
}

TEST_F(PrefaceEditor, LoadTakesTheStyleAndItsDefaults) {
    const struct {
        const char* name;
        QString style;
        int effect;
        const char* font;  // PrefaceStyle 5 afterwards ("#" taken off by the colour reading)
        const char* back;  // PrefaceStyle 6
        bool noBack;
        bool editsEnabled;
        bool swatchShown;
    } cases[] = {
        {"no style: glow, white on red", QString(), 2, "FFFFFF", "#FF0000", false, false, false},
        {"plain without back colour ticks 无 and enables the buttons",
         QStringLiteral("1,01,40/25/25/25/,15,宋体,#123456,,0,0,0,0,0,0,,,,,,"), 0, "123456", "", true, true, false},
        {"plain with a back colour", QStringLiteral("1,01,40/25/25/25/,15,宋体,#123456,#00FF00,0,0,0,0,0,0,,,,,,"), 0,
         "123456", "00FF00", false, false, false},
        {"shadow without colours: white on red", QStringLiteral("1,01,40/25/25/25/,15,宋体,,,0,0,0,1,0,0,,,,,,"), 1,
         "FFFFFF", "#FF0000", false, false, false},
        {"a short style reads its missing fields empty", QStringLiteral("1,01"), 0, "000000", "", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor = PrefaceEditorController();
        wire();
        editsEnabled = false;
        noBackColor = false;
        backSwatchShown = false;
        open(c.style);
        EXPECT_EQ(effect, c.effect);
        EXPECT_EQ(editor.style().value(10), QString::number(c.effect));
        EXPECT_EQ(editor.style().value(5), QString::fromUtf8(c.font));
        EXPECT_EQ(editor.style().value(6), QString::fromUtf8(c.back));
        EXPECT_EQ(noBackColor, c.noBack);
        EXPECT_EQ(editsEnabled, c.editsEnabled);
        EXPECT_EQ(backSwatchShown, c.swatchShown);
        EXPECT_EQ(PendingPictures.value(1, PendingPicture::Flag), QStringLiteral("0"));
        EXPECT_EQ(PrefaceEditorWindowLabels::labBJFlag, QStringLiteral("0"));
    }
    // An effect far beyond the list (a damaged setting) is held at its ends: no entry is chosen.
    for (const auto& [text, entry] : {std::pair{"1.6e35", 3}, std::pair{"-1e400", -1}, std::pair{"2.5E0", 2}}) {
        SCOPED_TRACE(text);
        editor = PrefaceEditorController();
        wire();
        open(QStringLiteral("1,01,40/25/25/25/,15,宋体,,,0,0,0,%1,0,0,,,,,,").arg(QLatin1String(text)));
        EXPECT_EQ(effect, entry);
    }
}

TEST_F(PrefaceEditor, BackColourAndTheNoneBoxAndACancelledColourDialog) {
    open(QStringLiteral("1,01,40/25/25/25/,15,宋体,#123456,#00FF00,0,0,0,0,0,0,,,,,,"));
    // Ticking 无 keeps the colour aside; unticking by hand brings it back.
    editor.chkFontBackColor_Click(true);
    EXPECT_EQ(editor.style().value(6), QString());
    EXPECT_FALSE(backSwatchShown);
    EXPECT_TRUE(editsEnabled);
    editor.chkFontBackColor_Click(false);
    EXPECT_EQ(editor.style().value(6), QStringLiteral("00FF00"));
    EXPECT_TRUE(backSwatchShown);

    // Choosing a back colour while 无 is ticked unticks it and keeps the chosen colour.
    editor.chkFontBackColor_Click(true);
    noBackColor = true;
    colours.push_back(QColor(0x11, 0x22, 0x33));
    editor.cmdSetFontBackColor_Click();
    EXPECT_FALSE(noBackColor);
    EXPECT_EQ(editor.style().value(6), QStringLiteral("#112233"));
    EXPECT_EQ(backSwatch, QStringLiteral("#112233"));
    EXPECT_TRUE(backSwatchShown);

    // A cancelled colour dialog changes no field, swatch or preview.
    const int before = refreshes;
    fontSwatch.clear();
    editor.cmdSetFontColor_Click();
    editor.cmdSetFontBackColor_Click();
    EXPECT_EQ(editor.style().value(5), QStringLiteral("#123456"));  // the preview put its "#" back
    EXPECT_EQ(editor.style().value(6), QStringLiteral("#112233"));
    EXPECT_TRUE(fontSwatch.isEmpty());
    EXPECT_EQ(refreshes, before);

    colours.push_back(QColor(0xAB, 0xCD, 0xEF));
    editor.cmdSetFontColor_Click();
    EXPECT_EQ(editor.style().value(5), QStringLiteral("#ABCDEF"));
    EXPECT_EQ(fontSwatch, QStringLiteral("#abcdef"));
    EXPECT_EQ(refreshes, before + 1);
}

TEST_F(PrefaceEditor, LinesLoadAndOverflowThroughTheHooks) {
    open(QString(), QStringLiteral("第一行<br>第二&nbsp;行"));
    EXPECT_EQ(lines.mid(0, 2), (QStringList{QStringLiteral("第一行"), QStringLiteral("第二 行")}));
    EXPECT_FALSE(editsEnabled);
    lines[0] = QString(40, QLatin1Char('x'));
    editor.txtLetter_Change(0);
    EXPECT_EQ(lines[0], QString(36, QLatin1Char('x')));
    EXPECT_EQ(lines[1], QStringLiteral("xxxx第二 行"));
    EXPECT_EQ(focus, std::make_pair(1, int(lines[1].size())));
    EXPECT_TRUE(editsEnabled);

    editor.txtLetter_KeyDown(1, Qt::Key_Up, 3);
    EXPECT_EQ(focus, std::make_pair(0, 3));

    editor.cmdClearLetter_Click();
    EXPECT_EQ(lines, QStringList(kLetterLines, QString()));
    EXPECT_EQ(focus, std::make_pair(0, 0));
}

TEST_F(PrefaceEditor, NewBackgroundIsUploadedPublishedAndServed) {
    open();
    lines[0] = QStringLiteral("欢迎 <b>光临</b>");
    chosenFile = pictureFile(QStringLiteral("spring.png"));
    editor.cmdSearchBJ_Click();
    EXPECT_EQ(backgroundPath, *chosenFile);
    EXPECT_EQ(PrefaceEditorWindowLabels::labBJFlag, QStringLiteral("1"));
    EXPECT_EQ(cropOffers, 0);  // a PNG is never measured
    EXPECT_TRUE(page(QStringLiteral("setpic.html")).contains("background=\"" + chosenFile->toUtf8() + '"'));

    EXPECT_TRUE(editor.cmdOK_Click());
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    EXPECT_EQ(uploads(), 1);
    EXPECT_FALSE(editsEnabled);
    EXPECT_EQ(DialogState, 99);
    const QString address = PendingPictures.value(0, PendingPicture::UploadedUrl);
    EXPECT_TRUE(address.endsWith(QStringLiteral("/www网站素材/grb10.png"))) << address.toStdString();
    EXPECT_EQ(row(CellBlock::CellBackground), address);
    EXPECT_EQ(row(CellBlock::CellText), QStringLiteral("欢迎&nbsp;&lt;b&gt;光临&lt;/b&gt;<br><br><br><br><br><br><br>"));
    EXPECT_EQ(row(CellBlock::CellTextStyle), QStringLiteral("1,01,40/25/25/25/,15,宋体,#FFFFFF,#FF0000,0,0,0,2,0,0,,,,,,"));
    EXPECT_TRUE(row(CellBlock::CellTextHtml).contains(QStringLiteral("glow(color=#FF0000")));
    EXPECT_EQ(page(QStringLiteral("10.html")), page(QStringLiteral("setpic.html")));
    EXPECT_TRUE(servedSite().contains(address));
    EXPECT_EQ(emulator().get(address).status, 200);
}

TEST_F(PrefaceEditor, ACroppedBackgroundIsUploadedAsGrbTenJpg) {
    open();
    // The choice dialog's crop, confirmed at once: the crop dialog of mode 0 on imgSize.
    editor.view.offerCrop = [this] {
        ++cropOffers;
        CropDialogView view;
        view.place = [](const CropGeometry&) {};
        view.showPicture = [](const QImage&) {};
        view.turnedPreview = [](const QImage& unturned, int) { return unturned; };
        CropDialogController crop(view);
        crop.load();
        ASSERT_TRUE(crop.confirm());
    };
    QImage big(800, 600, QImage::Format_RGB32);
    big.fill(Qt::blue);
    const QString bigFile = UserFolder + QStringLiteral("/temp/holiday.jpg");
    ASSERT_TRUE(big.save(bigFile));
    chosenFile = bigFile;
    editor.cmdSearchBJ_Click();
    EXPECT_EQ(cropOffers, 1);
    const QString cut = UserFolder + QStringLiteral("/temp/grb10.jpg");
    EXPECT_EQ(CellRecord[3], cut);
    EXPECT_EQ(QImage(cut).size(), QSize(340, 215));
    EXPECT_EQ(backgroundPath, bigFile);  // the box keeps the chosen file

    EXPECT_TRUE(editor.cmdOK_Click());
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    const QString address = PendingPictures.value(0, PendingPicture::UploadedUrl);
    EXPECT_TRUE(address.endsWith(QStringLiteral("/www网站素材/grb10.jpg"))) << address.toStdString();
    EXPECT_TRUE(servedSite().contains(address));
    EXPECT_EQ(emulator().get(address).status, 200);
}

TEST_F(PrefaceEditor, PictureRulesBeforeAnythingIsStored) {
    open();
    const QString old = CellRecord[3];
    // An unreadable JPEG changes nothing, silently.
    const QString broken = UserFolder + QStringLiteral("/temp/broken.jpg");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a picture");
    }
    chosenFile = broken;
    editor.cmdSearchBJ_Click();
    EXPECT_EQ(CellRecord[3], old);
    EXPECT_TRUE(PendingPictures.value(0, PendingPicture::LocalFile).isEmpty());
    EXPECT_EQ(PrefaceEditorWindowLabels::labBJFlag, QStringLiteral("0"));
    EXPECT_TRUE(prompts.messages().isEmpty());

    // A JPEG larger than the cell offers the choice and the crop in mode 0.
    QImage big(400, 100, QImage::Format_RGB32);
    big.fill(Qt::red);
    const QString bigFile = UserFolder + QStringLiteral("/temp/big.jpg");
    ASSERT_TRUE(big.save(bigFile));
    chosenFile = bigFile;
    editor.cmdSearchBJ_Click();
    EXPECT_EQ(cropOffers, 1);
    EXPECT_EQ(CropTargetMode, 0);
    EXPECT_EQ(PrefaceEditorWindowLabels::imgSize.size(), QSize(400, 100));
    EXPECT_EQ(CellRecord[3], bigFile);

    // A picture of another kind over 500 KB is refused with its message.
    const QString huge = UserFolder + QStringLiteral("/temp/huge.png");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2 * 1024 * 1024, 'x'));
    }
    chosenFile = huge;
    editor.cmdSearchBJ_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误！文件：") + huge + QStringLiteral(" 的大小超出500K！")});
    EXPECT_TRUE(backgroundPath.isEmpty());
    EXPECT_EQ(CellRecord[3], bigFile);
}

TEST_F(PrefaceEditor, MaterialAndRemovalAreWrittenToTheBackgroundRow) {
    open();
    materialAddress = QStringLiteral("http://sc.example/pwtd/sc01/bj/a.jpg");
    editor.CmdBJSC_Click();
    EXPECT_TRUE(PrefaceEditorWindowLabels::labSCURL.endsWith(QStringLiteral("/pwtd/sc01/bj10.aspx")));
    EXPECT_EQ(PrefaceEditorWindowLabels::labURLFlag, QStringLiteral("0"));
    EXPECT_TRUE(page(QStringLiteral("setpic.html")).contains(materialAddress.toUtf8()));
    EXPECT_TRUE(editor.cmdOK_Click());
    EXPECT_EQ(uploads(), 0);
    EXPECT_EQ(row(CellBlock::CellBackground), materialAddress);

    prompts.clear();
    editor.cmdDelBJ_Click();
    EXPECT_TRUE(editsEnabled);
    EXPECT_TRUE(editor.cmdOK_Click());
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_EQ(row(CellBlock::CellBackground), QString());
    EXPECT_EQ(row(CellBlock::CellBackground, LocalColumn), QString());
}

TEST_F(PrefaceEditor, ARefusedPublishAfterAnUploadLeavesTheEditToRetry) {
    open();
    chosenFile = pictureFile(QStringLiteral("spring.png"));
    editor.cmdSearchBJ_Click();
    emulator().scriptReply(QStringLiteral("UploadWebsite2"), QStringLiteral("Error_0007"));
    EXPECT_FALSE(editor.cmdOK_Click());
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kRefused}));
    EXPECT_EQ(DialogState, 99);  // for the main window: a picture went up
    EXPECT_TRUE(editsEnabled);

    // The refused apply was taken back whole: the retry uploads the picture again.
    prompts.clear();
    EXPECT_TRUE(editor.cmdOK_Click());
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("背景上传成功！"), kUpdated}));
    EXPECT_EQ(uploads(), 2);
    EXPECT_EQ(publishCalls().size(), 2);
    EXPECT_FALSE(editsEnabled);
    EXPECT_TRUE(servedSite().contains(PendingPictures.value(0, PendingPicture::UploadedUrl)));
}

TEST_F(PrefaceEditor, ImageHostFromAnUpperCasePrefixAndNoDomain) {
    open();
    SetLoginField(6, QStringLiteral("WWW12"));
    chosenFile = pictureFile(QStringLiteral("spring.png"));
    editor.cmdSearchBJ_Click();
    emulator().scriptReply(QStringLiteral("UploadFile01"), QStringLiteral("Error"));  // the address is all we look at
    editor.cmdOK_Click();
    EXPECT_TRUE(PendingPictures.value(0, PendingPicture::UploadedUrl).startsWith(QStringLiteral("http://img12.")))
        << PendingPictures.value(0, PendingPicture::UploadedUrl).toStdString();

    prompts.clear();
    SetLoginField(12, QString());
    const QString before = row(CellBlock::CellText, LocalColumn);
    lines[0] = QStringLiteral("不会保存");
    EXPECT_FALSE(editor.cmdOK_Click());
    EXPECT_EQ(prompts.messages(), QStringList{kNoDomain});
    EXPECT_EQ(row(CellBlock::CellText, LocalColumn), before);
}

TEST_F(PrefaceEditor, ResetBringsBackTheStoredCell) {
    open(QStringLiteral("1,01,40/25/25/25/,15,宋体,#123456,#00FF00,0,0,0,1,0,0,,,,,,"), QStringLiteral("旧信"));
    lines[0] = QStringLiteral("新的信");
    editor.txtLetter_Change(0);
    editor.cmdDelBJ_Click();
    effect = 2;
    editor.cmdView_Click();
    EXPECT_NE(page(QStringLiteral("setpic.html")), QByteArray("old page"));

    editor.cmdReSet_Click();
    EXPECT_EQ(lines[0], QStringLiteral("旧信"));
    EXPECT_EQ(effect, 1);
    EXPECT_EQ(PrefaceEditorWindowLabels::labBJFlag, QStringLiteral("0"));
    EXPECT_EQ(CellRecord[3], row(CellBlock::CellBackground, LocalColumn));
    EXPECT_EQ(CellRecord[1], QStringLiteral("340"));
    EXPECT_EQ(page(QStringLiteral("setpic.html")), QByteArray("old page"));
    EXPECT_FALSE(editsEnabled);
    EXPECT_TRUE(backgroundPath.isEmpty());
}


// ---- the window

class PrefaceEditorWindowTest : public testsupport::PublishTest {
protected:
    // Cell 10 without a letter or a style.
    void open() {
        const int r = GetCellBaseRow(10);
        SiteSettings(LocalColumn, r + CellBlock::CellTextStyle).clear();
        SiteSettings(LocalColumn, r + CellBlock::CellText).clear();
        openEditor(10);
        WritePageFile(QStringLiteral("10.html"), QStringLiteral("old page"));
        CopyPageFile(QStringLiteral("10.html"), QStringLiteral("setpic.html"));
        window = std::make_unique<PrefaceEditorWindow>();
        window->show();
    }
    QByteArray page(const QString& name) { return testsupport::readFile(SitePagePath(name)); }
    std::unique_ptr<PrefaceEditorWindow> window;
};

TEST_F(PrefaceEditorWindowTest, OpensWithItsControlsAndEveryHookSet) {
    open();
    EXPECT_TRUE(UnsetRequiredHooks(window->logic.view).isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("卷着语设置"));
    EXPECT_EQ(window->labSize->text(), QStringLiteral("[区域大小：340×215(像素)]"));
    EXPECT_EQ(window->cobTX1->currentText(), QStringLiteral("艺术字2"));
    EXPECT_FALSE(window->chkFontBackColor->isChecked());
    EXPECT_FALSE(window->cmdOK->isEnabled());
    EXPECT_FALSE(window->cmdReSet->isEnabled());
    EXPECT_TRUE(window->labFontColor->isVisibleTo(window.get()));
}

TEST_F(PrefaceEditorWindowTest, TypingFlowsAndEnterMovesWithoutPressingAButton) {
    open();
    window->txtLetter[0]->setFocus();
    QTest::keyClicks(window->txtLetter[0], QString(37, QLatin1Char('a')));
    EXPECT_EQ(window->txtLetter[0]->text(), QString(36, QLatin1Char('a')));
    EXPECT_EQ(window->txtLetter[1]->text(), QStringLiteral("a"));
    EXPECT_TRUE(window->cmdOK->isEnabled());
    ASSERT_EVENTUALLY(window->txtLetter[1]->hasFocus());

    QTest::keyClick(window->txtLetter[1], Qt::Key_Return);
    ASSERT_EVENTUALLY(window->txtLetter[2]->hasFocus());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompts.messages().isEmpty());  // no apply ran
    QTest::keyClick(window->txtLetter[2], Qt::Key_Up);
    ASSERT_EVENTUALLY(window->txtLetter[1]->hasFocus());
}

TEST_F(PrefaceEditorWindowTest, StyleControlsReachTheirHandlers) {
    open();
    window->cobTX1->setCurrentIndex(1);
    window->cobTX1->activated(1);
    EXPECT_TRUE(window->cmdOK->isEnabled());

    window->chkFontBackColor->click();
    EXPECT_TRUE(window->labFontBackColor->isHidden());

    // A back colour chosen while "无" is ticked unticks the box and shows the swatch in that colour.
    prompts.answerColor(QColor(0x12, 0xAB, 0x34));
    window->cmdSetFontBackColor->click();
    EXPECT_FALSE(window->chkFontBackColor->isChecked());
    EXPECT_FALSE(window->labFontBackColor->isHidden());
    EXPECT_EQ(window->labFontBackColor->palette().color(QPalette::Window), QColor(0x12, 0xAB, 0x34));

    prompts.answerColor(QColor(0xAB, 0xCD, 0xEF));
    window->cmdSetFontColor->click();
    EXPECT_EQ(window->labFontColor->palette().color(QPalette::Window), QColor(0xAB, 0xCD, 0xEF));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(PrefaceEditorWindowTest, ApplyPublishesTheLetterAndQuitSavesNothing) {
    open();
    window->txtLetter[0]->setText(QStringLiteral("给访客"));
    window->cobTX1->setCurrentIndex(1);
    window->cmdOK->click();
    EXPECT_EQ(prompts.messages(), QStringList{kUpdated});
    EXPECT_FALSE(window->cmdOK->isEnabled());
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(page(QStringLiteral("10.html")), page(QStringLiteral("setpic.html")));
    EXPECT_TRUE(servedSite().contains(QStringLiteral("给访客")));

    const QString stored = SiteSettings(LocalColumn, GetCellBaseRow(10) + CellBlock::CellText);
    window->txtLetter[0]->setText(QStringLiteral("不保存"));
    window->cmdQuit->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(SiteSettings(LocalColumn, GetCellBaseRow(10) + CellBlock::CellText), stored);
}

#endif  // TAVOLIN_HAVE_EMULATOR
