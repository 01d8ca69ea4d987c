#pragma once
// frm网络截图: a borderless dialog that shows "webpic.html" in a browser and captures the area of
// the picture into "temp/grb<cell>.tmp" or "temp/grp<cell>.tmp" (a BMP), then sets the cell
// editor's labXZPic to it and closes itself.
#include "state/celleditorwindowlabels.h"

#include <QDialog>
#include <QSize>

class QLabel;
class QTimer;
class WebBrowser;

class WebCaptureWindow : public QDialog, public CellEditorWindowLabels {
    Q_OBJECT
public:
    // The capture size in pixels (webpicture.h).
    explicit WebCaptureWindow(const QSize& captureSize, QWidget* parent = nullptr);

    QWidget* picBox = nullptr;
    QWidget* picPic = nullptr;
    WebBrowser* webPic = nullptr;
    QLabel* labLoading = nullptr;
    QTimer* Timer1 = nullptr;
    // How long a load may take before the tick goes ahead with what is shown (tests shorten it).
    static inline int loadBoundMs = 10000;

private:
    void Form_Load();
    void webPic_DocumentComplete();
    void Timer1_Timer();
    QSize m_size;
    qint16 m_ticks = 0;
    QTimer* m_loadBound = nullptr;
};
using frm网络截图 = WebCaptureWindow;  // 网络截图 web-page screenshot dialog
