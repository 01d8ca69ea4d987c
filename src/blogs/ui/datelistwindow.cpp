#include "blogs/ui/datelistwindow.h"

#include "blogs/bloglist.h"
#include "blogs/ui/blogwindowparts.h"
#include "foundation/ui/pleasewait.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/flexgrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using twips::ToPixels;

namespace {
constexpr int kWidthTwips = 12600;
constexpr int kHeightTwips = 7800;
constexpr int kRowTwips = 375;
}  // namespace

DateListWindow::DateListWindow(QWidget* parent, const QString& caption, const QString& newPost) : QDialog(parent) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(ToPixels(kWidthTwips), ToPixels(kHeightTwips));

    Label1[0] = new QLabel(QStringLiteral("日期 从"), this);
    txtDate1 = new QLineEdit(this);
    Label1[1] = new QLabel(QStringLiteral("至"), this);
    txtDate2 = new QLineEdit(this);
    Label1[2] = new QLabel(QStringLiteral("（格式：YYYYMMDD 如：20090101）"), this);
    cmdSearch = new QPushButton(QStringLiteral("&S.搜索"), this);
    grdBlogList = new FlexGrid(this);
    grdBlogList->setRowHeightPixels(ToPixels(kRowTwips));
    grdBlogList->setStyleSheet(QStringLiteral("QTableWidget { background-color: rgb(253, 251, 200); }"));
    cmdNewBlog = new QPushButton(newPost, this);
    cmdClose = new QPushButton(QStringLiteral("&C.关 闭"), this);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(Label1[0]);
    dateRow->addWidget(txtDate1);
    dateRow->addWidget(Label1[1]);
    dateRow->addWidget(txtDate2);
    dateRow->addWidget(Label1[2]);
    dateRow->addWidget(cmdSearch);
    dateRow->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(cmdNewBlog);
    buttonRow->addStretch();
    buttonRow->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(dateRow);
    column->addWidget(grdBlogList, 1);
    column->addLayout(buttonRow);

    picNetToService = blogwindows::MakeWaitPicture(this, QStringLiteral("正在读取数据，请您稍候..."));
    m_wait = std::make_unique<PleaseWait>(picNetToService,
                                          QList<QWidget*>{cmdSearch, grdBlogList, cmdNewBlog, cmdClose});
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

DateListWindow::~DateListWindow() = default;

void DateListWindow::wireDateSearch(DateSearchView& v) {
    v.dateText = MemberHook(this, &DateListWindow::dateText);
    v.setDateText = MemberHook(this, &DateListWindow::setDateText);
    v.focusDate = MemberHook(this, &DateListWindow::focusDate);
    v.showWait = MemberHook(this, &DateListWindow::showWait);
    v.hideWait = MemberHook(this, &DateListWindow::hideWait);
}

QString DateListWindow::dateText(int box) const { return (box == 1 ? txtDate1 : txtDate2)->text(); }

void DateListWindow::setDateText(int box, const QString& t) { (box == 1 ? txtDate1 : txtDate2)->setText(t); }

void DateListWindow::focusDate(int box) {
    QLineEdit* e = box == 1 ? txtDate1 : txtDate2;
    e->setFocus();
    e->selectAll();
}

void DateListWindow::showWait() {
    blogwindows::CentreWaitPicture(this, picNetToService);
    m_wait->begin();
}

void DateListWindow::hideWait() { m_wait->end(); }
