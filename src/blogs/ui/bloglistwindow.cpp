#include "blogs/ui/bloglistwindow.h"

#include "blogs/ui/blogwriterwindow.h"
#include "blogs/ui/blogwindowparts.h"
#include "blogs/ui/flexgrid.h"
#include "foundation/ui/pleasewait.h"
#include "platform/twips.h"

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

BlogListWindow::BlogListWindow(QWidget* parent, const QDate& today) : QDialog(parent) {
    setWindowTitle(QStringLiteral("博客维护"));
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
    grdBlogList->setFormatString(bloglist::kFormatString);
    cmdNewBlog = new QPushButton(QStringLiteral("&R.编写新博客"), this);
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

    BlogListView& v = logic.view;
    v.dateText = [this](int box) { return (box == 1 ? txtDate1 : txtDate2)->text(); };
    v.setDateText = [this](int box, const QString& t) { (box == 1 ? txtDate1 : txtDate2)->setText(t); };
    v.focusDate = [this](int box) {
        QLineEdit* e = box == 1 ? txtDate1 : txtDate2;
        e->setFocus();
        e->selectAll();
    };
    v.showRows = [this](const QList<QStringList>& rows) {
        grdBlogList->setFormatString(bloglist::kFormatString);
        grdBlogList->setRows(rows, {bloglist::kEditColumn, bloglist::kDeleteColumn});
    };
    v.showWait = [this] {
        blogwindows::CentreWaitPicture(this, picNetToService);
        m_wait->begin();
    };
    v.hideWait = [this] { m_wait->end(); };
    v.openWriter = [this] {
        BlogWriterWindow writer(this);
        writer.exec();
    };
    grdBlogList->isHotCell = [this](int row, int column) { return logic.isHotCell(row, column); };
    grdBlogList->onCellClick = [this](int row, int column) { logic.grdBlogList_Click(row, column); };
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdNewBlog, &QPushButton::clicked, this, [this] { cmdNewBlog_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    Form_Load(today);
}

BlogListWindow::~BlogListWindow() = default;

void BlogListWindow::Form_Load(const QDate& today) {
    blogwindows::PlaceBelowMainWindow(this);
    grdBlogList->setRows(logic.rows(), {});
    logic.Form_Load(today);
}
