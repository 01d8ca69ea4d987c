#pragma once
// The warning an upload run shows before its first picture is prepared: keep the upload window in
// front while it runs. Which window asked is the main window's labUploadJM; the confirm command
// with the box ticked switches the warning off for that window.
#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

class ScreenshotWarningWindow : public QDialog {
public:
    explicit ScreenshotWarningWindow(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    std::array<QLabel*, 5> Label2{};
    QCheckBox* chkIKnow = nullptr;
    QPushButton* cmdYes = nullptr;

    void cmdYes_Click();
};
using frm上传截屏提示 = ScreenshotWarningWindow;  // 上传截屏提示 screenshot warning
