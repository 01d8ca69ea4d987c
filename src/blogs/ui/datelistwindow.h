#pragma once
// What the blog list and the micro-blog list windows share: the date boxes with their labels, the
// search button, the post grid, the new-post and close buttons and the please-wait picture, laid
// out alike, and the hooks of the date search.
#include <QDialog>

#include <memory>

class FlexGrid;
class PleaseWait;
class QLabel;
class QLineEdit;
class QPushButton;
struct DateSearchView;

// No Q_OBJECT: the window declares no signals or slots of its own.
class DateListWindow : public QDialog {
public:
    ~DateListWindow() override;

    QLabel* Label1[3] = {};  // "日期 从", "至", the format hint
    QLineEdit* txtDate1 = nullptr;
    QLineEdit* txtDate2 = nullptr;
    QPushButton* cmdSearch = nullptr;
    FlexGrid* grdBlogList = nullptr;
    QPushButton* cmdNewBlog = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* picNetToService = nullptr;

    void cmdClose_Click() { accept(); }

protected:
    // caption: the window's; newPost: the caption of cmdNewBlog.
    DateListWindow(QWidget* parent, const QString& caption, const QString& newPost);
    // The date boxes' and the please-wait picture's hooks, each served by the member of its name.
    void wireDateSearch(DateSearchView& view);

private:
    QString dateText(int box) const;
    void setDateText(int box, const QString& t);
    void focusDate(int box);
    void showWait();
    void hideWait();

    std::unique_ptr<PleaseWait> m_wait;
};
