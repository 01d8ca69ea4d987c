#include "blogs/ui/microbloglistwindow.h"

#include "blogs/ui/blogs_entry.h"
#include "blogs/ui/blogwindowparts.h"
#include "platform/ui/flexgrid.h"
#include "platform/hookcheck.h"

#include <QPushButton>

using namespace microbloglist;

MicroBlogListWindow::MicroBlogListWindow(QWidget* parent, const QDate& today)
    : DateListWindow(parent, QStringLiteral("微博维护"), QStringLiteral("&R.编写新微博")) {
    setFormat();

    wireView();
    grdBlogList->isHotCell = [this](int row, int column) { return logic.isHotCell(row, column); };
    grdBlogList->onCellClick = [this](int row, int column) { logic.grdBlogList_Click(row, column); };
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdNewBlog, &QPushButton::clicked, this, [this] { cmdNewBlog_Click(); });

    Form_Load(today);
}

void MicroBlogListWindow::wireView() {
    MicroBlogListView& v = logic.view;
    wireDateSearch(v);
    v.showRows = MemberHook(this, &MicroBlogListWindow::showRows);
    v.removeRow = MemberHook(this, &MicroBlogListWindow::removeRow);
    v.highlightRow = MemberHook(this, &MicroBlogListWindow::highlightRow);
    v.openWriter = MemberHook(this, &MicroBlogListWindow::openWriter);
}

void MicroBlogListWindow::showRows(const QList<QStringList>& rows) {
    setFormat();
    grdBlogList->setRows(rows, {kDeleteColumn});
    grdBlogList->fitColumn(kTimeColumn, kTextColumn);
}

void MicroBlogListWindow::removeRow(int row) { grdBlogList->removeItem(row); }

void MicroBlogListWindow::highlightRow(int row, bool highlighted) {
    for (int c = kKeyColumn; c < grdBlogList->cols(); ++c)
        grdBlogList->setCellBackColor(row, c, highlighted ? kHighlightColour : kGridColour);
}

void MicroBlogListWindow::openWriter() { OpenMicroBlogWriter(this); }

void MicroBlogListWindow::setFormat() {
    grdBlogList->setFormatString(kFormatString);
    grdBlogList->setColWidth(kKeyColumn, 0);
}

void MicroBlogListWindow::Form_Load(const QDate& today) {
    blogwindows::PlaceBelowMainWindow(this);
    grdBlogList->setRows(logic.rows(), {});
    grdBlogList->fitColumn(kTimeColumn, kTextColumn);
    logic.Form_Load(today);
}
