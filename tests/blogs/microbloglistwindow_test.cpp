// The micro-blog list's window: its hooks, the grid with its hidden key column, the one hot
// column, and the row's colours through the deletion question, a refusal and a deletion.
#include <gtest/gtest.h>

#include "blogs/ui/microbloglistwindow.h"
#include "blogs/ui/microblogwriterwindow.h"
#include "emulator/memberstore.h"
#include "platform/hookcheck.h"
#include "platform/prompts.h"
#include "platform/ui/flexgrid.h"
#include "state/sitestate.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

class MicroBlogListWindowTest : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        member().microBlogs = {
            {QStringLiteral("2025-02-10 08:00:00"), QStringLiteral("冬天"), QString()},
            {QStringLiteral("2025-03-01 09:30:00"), QStringLiteral("春天"), QStringLiteral("http://img1.example/a.jpg")},
        };
    }
    static QString cell(const MicroBlogListWindow& w, int gridRow, int column) { return w.grdBlogList->textMatrix(gridRow, column); }
    // The background of columns 1 to the last of a grid row, when they share one; invalid otherwise.
    static QColor rowColour(const MicroBlogListWindow& w, int gridRow) {
        QColor colour;
        for (int c = 1; c < w.grdBlogList->cols(); ++c) {
            const QTableWidgetItem* item = w.grdBlogList->item(gridRow - 1, c);
            const QColor here = item && item->background().style() != Qt::NoBrush ? item->background().color()
                                                                                   : MicroBlogListWindow::kGridColour;
            if (c == 1) colour = here;
            if (here != colour) return QColor();
        }
        return colour;
    }
};

}  // namespace

TEST_F(MicroBlogListWindowTest, LoadShowsTheRangeAndTheGridWithItsKeyColumnHidden) {
    MicroBlogListWindow w(nullptr, QDate(2025, 3, 1));
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty()) << UnsetRequiredHooks(w.logic.view).join(',').toStdString();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("微博维护"));
    EXPECT_EQ(w.cmdNewBlog->text(), QStringLiteral("&R.编写新微博"));
    EXPECT_EQ(w.txtDate1->text(), QStringLiteral("20250130"));
    EXPECT_EQ(w.txtDate2->text(), QStringLiteral("20250301"));
    ASSERT_EQ(w.grdBlogList->cols(), 7);
    EXPECT_EQ(w.grdBlogList->textMatrix(0, 1), QString());
    EXPECT_EQ(w.grdBlogList->textMatrix(0, 3),
              QStringLiteral("[                  微          博          内          容               ]"));
    EXPECT_EQ(w.grdBlogList->textMatrix(0, 6), QStringLiteral("[ 删除 ]"));
    EXPECT_EQ(w.grdBlogList->colWidth(1), 0);
    EXPECT_GT(w.grdBlogList->colWidth(3), w.grdBlogList->colWidth(2));
    ASSERT_EQ(w.grdBlogList->rows(), 3);
    EXPECT_EQ(cell(w, 1, 1), QStringLiteral("2025-03-01 09:30:00"));
    EXPECT_EQ(cell(w, 1, 3), QStringLiteral("春天"));
    EXPECT_EQ(cell(w, 1, 4), QStringLiteral("有"));
    EXPECT_EQ(cell(w, 2, 4), QString());
    EXPECT_EQ(cell(w, 2, 5), QStringLiteral("0"));
    EXPECT_EQ(cell(w, 2, 6), QStringLiteral("[删除]"));
    EXPECT_EQ(w.grdBlogList->item(0, 6)->foreground().color(), QColor(0, 0, 255));
    EXPECT_NE(w.grdBlogList->item(0, 3)->foreground().color(), QColor(0, 0, 255));
    // One hot zone: the [删除] cells of the data rows.
    for (int column = 0; column < 7; ++column) EXPECT_EQ(w.grdBlogList->isHotCell(1, column), column == 6) << column;
    EXPECT_FALSE(w.grdBlogList->isHotCell(0, 6));
}

TEST_F(MicroBlogListWindowTest, TheRowsColourThroughCancelRefusalAndDeletion) {
    MicroBlogListWindow w(nullptr, QDate(2025, 3, 1));
    ASSERT_EQ(rowColour(w, 1), MicroBlogListWindow::kGridColour);

    // Cancel gives the row its colour back.
    prompts.answer(vbCancel);
    w.grdBlogList->onCellClick(1, 6);
    EXPECT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(rowColour(w, 1), MicroBlogListWindow::kGridColour);
    // A refusal leaves it highlighted, key cell included.
    emulator().scriptReply(QStringLiteral("DelTBlog"), QStringLiteral("Error_0002"));
    w.grdBlogList->onCellClick(1, 6);
    EXPECT_EQ(rowColour(w, 1), MicroBlogListWindow::kHighlightColour);
    EXPECT_EQ(w.grdBlogList->item(0, 0)->background().style(), Qt::NoBrush);  // column 0 is left as it is
    EXPECT_EQ(rowColour(w, 2), MicroBlogListWindow::kGridColour);

    // Deleting the other post removes just its row; the refused one keeps its highlight.
    w.grdBlogList->onCellClick(2, 6);
    ASSERT_EQ(w.grdBlogList->rows(), 2);
    EXPECT_EQ(cell(w, 1, 3), QStringLiteral("春天"));
    EXPECT_EQ(rowColour(w, 1), MicroBlogListWindow::kHighlightColour);
    EXPECT_EQ(member().microBlogs.size(), 1);

    // The last post: the header and one empty row, the key column still hidden.
    w.grdBlogList->onCellClick(1, 6);
    ASSERT_EQ(w.grdBlogList->rows(), 2);
    EXPECT_EQ(cell(w, 1, 1), QString());
    EXPECT_EQ(cell(w, 1, 6), QString());
    EXPECT_EQ(w.grdBlogList->textMatrix(0, 6), QStringLiteral("[ 删除 ]"));
    EXPECT_EQ(w.grdBlogList->colWidth(1), 0);
    EXPECT_EQ(rowColour(w, 1), MicroBlogListWindow::kGridColour);
    EXPECT_TRUE(member().microBlogs.isEmpty());
    // A search of an empty range keeps it hidden too.
    w.cmdSearch->click();
    EXPECT_EQ(w.grdBlogList->colWidth(1), 0);
}

TEST_F(MicroBlogListWindowTest, NewPostOpensTheWriterWhosePostTheNextSearchLists) {
    DialogState = 0;
    MicroBlogListWindow w;  // today's range
    const int before = w.grdBlogList->rows();
    testsupport::ModalWatcher<MicroBlogWriterWindow> watcher([](MicroBlogWriterWindow* writer) {
        writer->txtText->setPlainText(QStringLiteral("从列表写的"));
        writer->cmdUpload_Click();
    });
    w.cmdNewBlog->click();
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(DialogState, 99);
    ASSERT_FALSE(member().microBlogs.isEmpty());
    EXPECT_EQ(member().microBlogs.last().text, QStringLiteral("从列表写的"));
    w.cmdSearch->click();
    EXPECT_EQ(cell(w, 1, 3), QStringLiteral("从列表写的"));
    EXPECT_EQ(cell(w, 1, 1), member().microBlogs.last().key);
    EXPECT_GE(w.grdBlogList->rows(), before);
}

#endif  // TAVOLIN_HAVE_EMULATOR
