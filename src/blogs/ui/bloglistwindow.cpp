#include "blogs/ui/bloglistwindow.h"

#include "blogs/ui/blogwriterwindow.h"
#include "blogs/ui/blogwindowparts.h"
#include "platform/ui/flexgrid.h"
#include "platform/hookcheck.h"

#include <QPushButton>

BlogListWindow::BlogListWindow(QWidget* parent, const QDate& today)
    : DateListWindow(parent, QStringLiteral("博客维护"), QStringLiteral("&R.编写新博客")) {
    grdBlogList->setFormatString(bloglist::kFormatString);

    wireView();
    grdBlogList->isHotCell = [this](int row, int column) { return logic.isHotCell(row, column); };
    grdBlogList->onCellClick = [this](int row, int column) { logic.grdBlogList_Click(row, column); };
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdNewBlog, &QPushButton::clicked, this, [this] { cmdNewBlog_Click(); });

    Form_Load(today);
}

void BlogListWindow::wireView() {
    BlogListView& v = logic.view;
    wireDateSearch(v);
    v.showRows = MemberHook(this, &BlogListWindow::showRows);
    v.openWriter = MemberHook(this, &BlogListWindow::openWriter);
}

void BlogListWindow::showRows(const QList<QStringList>& rows) {
    grdBlogList->setFormatString(bloglist::kFormatString);
    grdBlogList->setRows(rows, {bloglist::kEditColumn, bloglist::kDeleteColumn});
}

void BlogListWindow::openWriter() {
    BlogWriterWindow writer(this);
    writer.exec();
}

void BlogListWindow::Form_Load(const QDate& today) {
    blogwindows::PlaceBelowMainWindow(this);
    grdBlogList->setRows(logic.rows(), {});
    logic.Form_Load(today);
}
