// The cell editor's editing controls, offscreen with scripted prompts: what marks the window
// changed, what rebuilds the preview page, and the checks of what the member types.
#include <gtest/gtest.h>

#include "celleditor/cellapply.h"
#include "celleditor/ui/celleditorwindow.h"
#include "foundation/settings.h"
#include "platform/hookcheck.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

class EditingControls : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("member"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
        SiteSettings.create();
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
        SetUserSetting(35, QStringLiteral("1"));  // no text hint over the panel
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("8");
        CellRecord[1] = QStringLiteral("130");
        CellRecord[2] = QStringLiteral("360");
        CellRecord[3] = QStringLiteral("bg.jpg");
        CellRecord[9] = QStringLiteral("文字");
        WritePageFile(QStringLiteral("8.html"), QStringLiteral("cell page"));
        WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("cell page"));
    }
    static QString preview() { return SitePagePath(QStringLiteral("setpic.html")); }
    // Forgets the preview page and the changed state, so the next step shows what it does.
    static void clean(CellEditorWindow& w) {
        QFile::remove(preview());
        w.cmdOK->setEnabled(false);
        w.cmdReSet->setEnabled(false);
    }
    static bool changed(const CellEditorWindow& w) { return w.cmdOK->isEnabled() && w.cmdReSet->isEnabled(); }
    static void leave(QWidget* box) {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(box, &out);
    }
};

}  // namespace

TEST_F(EditingControls, WhatMarksChangedAndWhatRebuildsThePreview) {
    CellEditorWindow w;
    ASSERT_TRUE(w.EditorReady);
    EXPECT_TRUE(UnsetRequiredHooks(w.view).isEmpty());
    struct Case {
        const char* name;
        std::function<void()> act;
        bool marks;
        bool previews;
    };
    const Case cases[] = {
        {"font style", [&] { w.cobFontType->setCurrentIndex(2); }, true, true},
        {"underline", [&] { w.cheUnderline->setChecked(true); }, true, true},
        {"layer", [&] { w.cobTC->setCurrentIndex(1); }, true, true},
        {"art text", [&] { w.cobTX1->setCurrentIndex(1); }, true, true},
        {"foreground alignment", [&] { w.cobQJCZ->setCurrentIndex(2); }, true, true},
        {"text", [&] { w.txtTxt->setPlainText(QStringLiteral("新的字")); }, true, true},
        {"scrolling", [&] { w.cobTX2->setCurrentIndex(1); }, true, true},
        {"speed chosen", [&] { w.cobSpeed->setCurrentIndex(3); }, true, true},
        {"font size chosen from the list", [&] { emit w.cobFontSize->activated(4); }, true, true},
        // A margin is part of the edit (it could never be applied otherwise).
        {"margin", [&] { w.txtBJS->setText(QStringLiteral("5")); }, true, true},
        {"preview button", [&] { w.cmdViewTxt->click(); }, false, true},
        // The Flash box reacts only while a Flash foreground shows it.
        {"hidden Flash box", [&] { w.cheFlash->setChecked(!w.cheFlash->isChecked()); }, false, false},
        {"delete text", [&] { w.cmdDelTxt->click(); }, true, true},
        {"delete background", [&] { w.cmdDelBJ->click(); }, true, true},
        {"delete foreground", [&] { w.cmdDelQJ->click(); }, true, true},
        // A cancelled colour dialog changes nothing.
        {"font colour cancelled", [&] { w.cmdSetFontColor->click(); }, false, false},
        {"guide lines", [&] { w.chkShowViewLine->setChecked(true); }, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clean(w);
        c.act();
        EXPECT_EQ(changed(w), c.marks);
        EXPECT_EQ(QFile::exists(preview()), c.previews);
    }
    EXPECT_TRUE(prompts.messages().isEmpty());
    EXPECT_TRUE(w.txtTxt->toPlainText().isEmpty());
    EXPECT_TRUE(CellRecord[3].isEmpty());
    EXPECT_EQ(w.labBJFlag, QStringLiteral("2"));
    EXPECT_EQ(w.labQJFlag, QStringLiteral("2"));
    EXPECT_FALSE(w.picViewLineS->isHidden());

    // 无 hides the speed, any direction shows it.
    w.cobTX2->setCurrentIndex(0);
    EXPECT_TRUE(w.cobSpeed->isHidden());
    EXPECT_TRUE(w.labSpeed->isHidden());
    w.cobTX2->setCurrentIndex(4);
    EXPECT_FALSE(w.cobSpeed->isHidden());
}

TEST_F(EditingControls, ColoursAndTheBackgroundSwitch) {
    CellEditorWindow w;
    clean(w);
    // A cancelled dialog (the script answers an invalid colour) leaves swatch and field.
    w.cmdSetBackColor->click();
    EXPECT_TRUE(w.cheBackStyle->isChecked());
    EXPECT_TRUE(w.TextStyleFields[6].isEmpty());
    EXPECT_FALSE(changed(w));

    prompts.answerColor(QColor(0x12, 0x34, 0x56));
    w.cmdSetFontColor->click();
    EXPECT_EQ(w.TextStyleFields[5], QStringLiteral("#123456"));
    EXPECT_TRUE(changed(w));
    EXPECT_TRUE(testsupport::readFile(preview()).contains("COLOR: #123456"));

    prompts.answerColor(QColor(0xAB, 0xCD, 0xEF));
    w.cmdSetBackColor->click();
    EXPECT_FALSE(w.cheBackStyle->isChecked());
    EXPECT_EQ(w.TextStyleFields[6], QStringLiteral("#ABCDEF"));
    // Ticking "无背景色" empties the field, the swatch keeps its colour; unticking writes it back.
    w.cheBackStyle->setChecked(true);
    EXPECT_TRUE(w.TextStyleFields[6].isEmpty());
    w.cheBackStyle->setChecked(false);
    EXPECT_EQ(w.TextStyleFields[6], QStringLiteral("#ABCDEF"));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(EditingControls, MarginBoxes) {
    CellEditorWindow w;
    const QRect v = w.canvas.view;
    struct Case {
        const char* typed;
        bool message;
        const char* left;
        int lineTop;  // twips
    };
    for (const Case& c : {Case{"", true, "0", v.top()}, Case{"-5", false, "-5", v.top() - 75},
                          Case{"2.5", false, "2.5", v.top() + 30}, Case{"2184", false, "2184", v.top() + 32760},
                          Case{"2185", true, "0", v.top()}, Case{"x", true, "0", v.top()}}) {
        SCOPED_TRACE(c.typed);
        prompts.clear();
        w.txtBJS->setText(QStringLiteral("1"));
        w.txtBJS->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(prompts.messages(), c.message ? QStringList{kMarginNotNumber} : QStringList());
        EXPECT_EQ(w.txtBJS->text(), QString::fromLatin1(c.left));
        EXPECT_EQ(w.guides.top, c.lineTop);
    }
}

TEST_F(EditingControls, ForegroundSizeBoxesPreviewOnlyWhenLeft) {
    CellEditorWindow w;
    clean(w);
    // Typing a size builds no page until the box is left.
    // The box holds the cell's width; one more digit is too wide.
    QTest::keyClicks(w.txtQJW, QStringLiteral("0"));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误！宽度不能大于当前设置区域的宽度（130）。")});
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("130"));
    EXPECT_TRUE(changed(w));
    EXPECT_FALSE(QFile::exists(preview()));
    leave(w.txtQJW);
    EXPECT_TRUE(QFile::exists(preview()));
    // Leaving again without a change builds nothing.
    QFile::remove(preview());
    leave(w.txtQJW);
    EXPECT_FALSE(QFile::exists(preview()));

    struct Case {
        const char* typed;
        int messages;
        const char* left;
    };
    for (const Case& c : {Case{"12a", 1, "12"}, Case{"abc", 3, ""}, Case{"360", 0, "360"}, Case{"361", 1, "360"}}) {
        SCOPED_TRACE(c.typed);
        prompts.clear();
        w.txtQJH->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(prompts.messages().size(), c.messages);
        EXPECT_EQ(w.txtQJH->text(), QString::fromLatin1(c.left));
        for (const testsupport::PromptRecord& r : prompts.records()) EXPECT_EQ(r.style, vbCritical);
    }
    EXPECT_FALSE(QFile::exists(preview()));
    leave(w.txtQJH);
    EXPECT_TRUE(QFile::exists(preview()));
    // An empty box changes nothing.
    clean(w);
    prompts.clear();
    w.txtQJH->clear();
    EXPECT_FALSE(changed(w));
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(EditingControls, TypedFontSizeMustBeAPositiveNumber) {
    CellEditorWindow w;
    clean(w);
    QLineEdit* box = w.cobFontSize->lineEdit();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("1\""));
    EXPECT_EQ(prompts.messages(), QStringList{kFontSizeMessage});
    EXPECT_EQ(box->text(), QStringLiteral("1"));
    EXPECT_TRUE(changed(w));
    EXPECT_FALSE(QFile::exists(preview()));  // typed: previewed when the box is left
    leave(w.cobFontSize);
    EXPECT_TRUE(testsupport::readFile(preview()).contains("FONT-SIZE: 1px"));
    prompts.clear();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("0"));
    EXPECT_EQ(prompts.messages(), QStringList{kFontSizeMessage});
    EXPECT_TRUE(box->text().isEmpty());
}

TEST_F(EditingControls, ResetAfterATextEditKeepsTheText) {
    CellEditorWindow w;
    w.txtTxt->setPlainText(QStringLiteral("改过的字"));
    w.cmdDelBJ->click();
    ASSERT_TRUE(changed(w));
    w.cmdReSet->click();
    EXPECT_FALSE(w.cmdOK->isEnabled());
    EXPECT_FALSE(w.cmdReSet->isEnabled());
    EXPECT_EQ(w.txtTxt->toPlainText(), QStringLiteral("改过的字"));
    EXPECT_EQ(w.labBJFlag, QStringLiteral("0"));
    EXPECT_EQ(testsupport::readFile(preview()), QByteArray("cell page"));
    // No foreground: the cell's size and 居中 in both lists.
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("130"));
    EXPECT_EQ(w.txtQJH->text(), QStringLiteral("360"));
    EXPECT_EQ(w.cobQJCZ->currentIndex(), 0);
    EXPECT_EQ(w.cobQJSP->currentIndex(), 0);
}
