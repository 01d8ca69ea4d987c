#include "blogs/ui/blogwindowparts.h"

#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/twips.h"

#include <QLabel>

namespace blogwindows {

namespace {
constexpr int kTopBelowMainTwips = 1500;
}

void PlaceBelowMainWindow(QWidget* window) {
    const MainWindowGeometry main = mainwindowseam::Geometry();
    const int ownWidth = twips::FromPixels(window->frameGeometry().width());
    window->move(twips::ToPixels(main.left + (main.width - ownWidth) / 2.0),
                 twips::ToPixels(main.top + kTopBelowMainTwips));
}

QLabel* MakeWaitPicture(QWidget* window, const QString& text) {
    auto* picture = new QLabel(text, window);
    picture->setAlignment(Qt::AlignCenter);
    picture->setAutoFillBackground(true);
    picture->setFrameShape(QFrame::Box);
    picture->setFixedSize(twips::ToPixels(4200), twips::ToPixels(600));
    picture->hide();
    return picture;
}

void CentreWaitPicture(QWidget* window, QLabel* picture) {
    picture->move((window->width() - picture->width()) / 2, (window->height() - picture->height()) / 2);
    picture->raise();
}

}  // namespace blogwindows
