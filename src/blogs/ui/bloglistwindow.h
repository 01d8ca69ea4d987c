#pragma once
// The blog list: the member's posts of a date range, each with an edit and a delete command,
// and a button for a new post. Its default instance is the list the blog writer updates a row
// of after an edited post was published.
#include "blogs/bloglist.h"
#include "platform/defaultinstance.h"

#include <QDialog>

#include <memory>

class FlexGrid;
class PleaseWait;
class QLabel;
class QLineEdit;
class QPushButton;

// No Q_OBJECT: the window declares no signals or slots of its own.
class BlogListWindow : public QDialog, public DefaultInstance<BlogListWindow> {
public:
    // today: the day the default range ends on.
    explicit BlogListWindow(QWidget* parent = nullptr, const QDate& today = QDate::currentDate());
    ~BlogListWindow() override;

    QLabel* Label1[3] = {};  // "日期 从", "至", the format hint
    QLineEdit* txtDate1 = nullptr;
    QLineEdit* txtDate2 = nullptr;
    QPushButton* cmdSearch = nullptr;
    FlexGrid* grdBlogList = nullptr;
    QPushButton* cmdNewBlog = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* picNetToService = nullptr;

    BlogListController logic;

    void cmdSearch_Click() { logic.cmdSearch_Click(); }
    void cmdNewBlog_Click() { logic.cmdNewBlog_Click(); }
    void cmdClose_Click() { accept(); }

private:
    void Form_Load(const QDate& today);
    std::unique_ptr<PleaseWait> m_wait;
};
using frm博客维护 = BlogListWindow;  // 博客维护 blog list
