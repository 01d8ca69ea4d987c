// The blog list's window: its hooks, the grid it shows, the hand pointer's cells, and the writer
// it opens for [修改], which writes its published title and category back into the row.
#include <gtest/gtest.h>

#include "blogs/ui/bloglistwindow.h"
#include "blogs/ui/blogwriterwindow.h"
#include "emulator/memberstore.h"
#include "foundation/shareddata.h"
#include "platform/hookcheck.h"
#include "platform/ui/flexgrid.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>

#ifdef TAVOLIN_HAVE_EMULATOR

namespace {

class BlogListWindowTest : public testsupport::PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        QDir().mkpath(root() + QStringLiteral("/data"));
        member().blogs = {
            {QStringLiteral("2025-02-10 08:00:00"), QStringLiteral("冬"), QStringLiteral("其他"), QStringLiteral("<body>a</body>")},
            {QStringLiteral("2025-03-01 09:30:00"), QStringLiteral("春"), QStringLiteral("生活日记"), QStringLiteral("<body>b</body>")},
        };
    }
    static QString cell(const BlogListWindow& w, int gridRow, int column) {
        const QTableWidgetItem* item = w.grdBlogList->item(gridRow - 1, column);
        return item ? item->text() : QString();
    }
};

}  // namespace

TEST_F(BlogListWindowTest, LoadShowsTheRangeAndTheGrid) {
    BlogListWindow w(nullptr, QDate(2025, 3, 1));
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty()) << UnsetRequiredHooks(w.logic.view).join(',').toStdString();
    EXPECT_EQ(BlogListWindow::loaded(), &w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("博客维护"));
    EXPECT_EQ(w.txtDate1->text(), QStringLiteral("20250130"));
    EXPECT_EQ(w.txtDate2->text(), QStringLiteral("20250301"));
    ASSERT_EQ(w.grdBlogList->columnCount(), 6);
    EXPECT_EQ(w.grdBlogList->horizontalHeaderItem(2)->text(),
              QStringLiteral("[                   标          题                    ]"));
    ASSERT_EQ(w.grdBlogList->rowCount(), 2);
    EXPECT_EQ(cell(w, 1, 1), QStringLiteral("2025-03-01 09:30:00"));
    EXPECT_EQ(cell(w, 1, 2), QStringLiteral("春"));
    EXPECT_EQ(cell(w, 2, 3), QStringLiteral("其他"));
    EXPECT_EQ(cell(w, 2, 4), QStringLiteral("[修改]"));
    EXPECT_EQ(w.grdBlogList->item(0, 5)->foreground().color(), QColor(0, 0, 255));
    EXPECT_NE(w.grdBlogList->item(0, 2)->foreground().color(), QColor(0, 0, 255));
    // The header texts give the widths: the title column is the widest.
    EXPECT_GT(w.grdBlogList->columnWidth(2), w.grdBlogList->columnWidth(1));
    EXPECT_TRUE(w.grdBlogList->isHotCell(1, 4));
    EXPECT_FALSE(w.grdBlogList->isHotCell(1, 2));
}

TEST_F(BlogListWindowTest, EditOpensTheWriterInEditModeAndItsPublicationRewritesTheRow) {
    BlogListWindow w(nullptr, QDate(2025, 3, 1));
    bool editMode = false;
    QString writerTitle;
    testsupport::ModalWatcher<BlogWriterWindow> watcher([&](BlogWriterWindow* writer) {
        editMode = writer->logic.editMode();
        writerTitle = writer->txtTitle->text();
        // What a successful replacement hands back to the list.
        writer->logic.view.updateBlogListRow(SharedData::labBlogRow.toInt(), QStringLiteral("春来了"),
                                             QStringLiteral("旅游户外"));
        writer->done(0);
    });
    w.grdBlogList->onCellClick(1, 4);
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_TRUE(editMode);
    EXPECT_EQ(writerTitle, QStringLiteral("春"));
    EXPECT_EQ(cell(w, 1, 2), QStringLiteral("春来了"));
    EXPECT_EQ(cell(w, 1, 3), QStringLiteral("旅游户外"));
    EXPECT_EQ(cell(w, 2, 2), QStringLiteral("冬"));
}

#endif  // TAVOLIN_HAVE_EMULATOR
