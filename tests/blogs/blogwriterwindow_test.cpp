// The blog writer's window over the real editor: formatting through the toolbar and the font
// lists, the album frame at the caret, design mode across a refresh, and its wiring.
#include <gtest/gtest.h>

#include "blogs/ui/blogwriterwindow.h"
#include "platform/hookcheck.h"
#include "platform/ui/webbrowser.h"
#include "support/publishfixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

constexpr int kLoadTimeoutMs = 30000;

class BlogWriterWindowTest : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        QDir().mkpath(root() + QStringLiteral("/data"));
    }
    // The window with its editor loaded and a paragraph "text" in which the caret stands at offset.
    std::unique_ptr<BlogWriterWindow> openWith(const QString& text, int offset) {
        auto w = std::make_unique<BlogWriterWindow>();
        QSignalSpy loaded(w->webBlog, &WebBrowser::documentComplete);
        w->show();
        if (!w->webBlog->hasDocument()) {
            EXPECT_TRUE(loaded.wait(kLoadTimeoutMs));
        }
        w->webBlog->runScriptSync(QStringLiteral(
            "(function(){var p=document.createElement('p');p.id='p';p.textContent=%1;document.body.appendChild(p);"
            "var r=document.createRange();r.setStart(p.firstChild,%2);r.collapse(true);"
            "var s=document.getSelection();s.removeAllRanges();s.addRange(r);})()")
                                      .arg(QStringLiteral("'") + text + QStringLiteral("'"))
                                      .arg(offset));
        return w;
    }
    static void selectParagraph(BlogWriterWindow& w) {
        w.webBlog->runScriptSync(QStringLiteral("document.getSelection().selectAllChildren(document.getElementById('p'))"));
    }
    static QString paragraph(BlogWriterWindow& w) {
        return w.webBlog->runScriptSync(QStringLiteral("document.getElementById('p').innerHTML")).toString();
    }
};

}  // namespace

TEST_F(BlogWriterWindowTest, EveryRequiredHookIsSetAndTheListsHoldTheirEntries) {
    BlogWriterWindow w;
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty()) << UnsetRequiredHooks(w.logic.view).join(',').toStdString();
    EXPECT_EQ(BlogWriterWindow::loaded(), &w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("编写博客(Blog)"));
    EXPECT_EQ(w.cobType->count(), 12);
    EXPECT_EQ(w.cobType->currentText(), QStringLiteral("生活日记"));
    EXPECT_EQ(w.cmbFontSize->currentText(), QStringLiteral("字号"));
    EXPECT_FALSE(w.Frame1->isHidden());
}

TEST_F(BlogWriterWindowTest, BoldAndTheSmallestSizeGiveTheirMarkupAndTheListShowsItsPromptAgain) {
    auto w = openWith(QStringLiteral("abc"), 0);
    selectParagraph(*w);
    w->tooWebTools_ButtonClick(QStringLiteral("bold"));
    w->cmbFontSize->setCurrentIndex(7);  // "七号"
    w->cmbFontSize_Click();
    EXPECT_EQ(paragraph(*w), QStringLiteral("<b><font size=\"7\">abc</font></b>"));
    EXPECT_EQ(w->cmbFontSize->currentText(), QStringLiteral("字号"));

    // A cancelled colour dialog changes nothing.
    const QString before = w->webBlog->documentOuterHtmlSync();
    w->tooWebTools_ButtonClick(QStringLiteral("forecolor"));
    EXPECT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(w->webBlog->documentOuterHtmlSync(), before);
}

TEST_F(BlogWriterWindowTest, AlbumFrameLandsAtTheCaretOnceWithTheClipboardUntouchedAndEditingGoesOn) {
    auto w = openWith(QStringLiteral("前后"), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("剪贴板上的字"));
    w->lisAlbum->addItem(QStringLiteral("旅行"));
    w->lisAlbum->setCurrentRow(0);
    QSignalSpy reloaded(w->webBlog, &WebBrowser::documentComplete);
    w->cmdInputAlbum_Click();
    ASSERT_TRUE(reloaded.wait(kLoadTimeoutMs));

    const QString html = w->webBlog->documentOuterHtmlSync();
    EXPECT_EQ(html.count(QStringLiteral("<iframe")), 1) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("前<iframe src=\"http://")));
    EXPECT_TRUE(html.contains(QStringLiteral("&amp;k2=旅行&amp;k3=")));
    EXPECT_TRUE(html.contains(QStringLiteral("</iframe>后")));
    EXPECT_FALSE(html.contains(QStringLiteral("VYM--EFFECT")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("剪贴板上的字"));
    EXPECT_TRUE(w->frmAlbum->isHidden());
    // The reloaded page is still editable.
    EXPECT_EQ(w->webBlog->runScriptSync(QStringLiteral("document.designMode")).toString(), QStringLiteral("on"));
}

#endif  // TAVOLIN_HAVE_EMULATOR
