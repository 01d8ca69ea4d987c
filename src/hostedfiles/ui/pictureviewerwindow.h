#pragma once
// The picture viewer 图片预览: one hosted picture or Flash file in a browser, closed by its button
// or the space bar. Unloading it removes the preview page.
#include "platform/defaultinstance.h"

#include <QDialog>

class QLabel;
class QPushButton;
class WebBrowser;

class PictureViewerWindow : public QDialog, public DefaultInstance<PictureViewerWindow> {
public:
    explicit PictureViewerWindow(QWidget* parent = nullptr);
    ~PictureViewerWindow() override;

    WebBrowser* webViewPic = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* labHint = nullptr;

    void cmdClose_Click();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void layOut();
};
using frmViewPic = PictureViewerWindow;  // 图片预览 picture viewer
