#pragma once
// What the blog windows share: their place below the main window and the please-wait picture.
class QLabel;
class QString;
class QWidget;

namespace blogwindows {
// 1500 twips below the main window's top, centred across it.
void PlaceBelowMainWindow(QWidget* window);
// picNetToService: a framed, hidden label with the text, in the window's middle when shown.
QLabel* MakeWaitPicture(QWidget* window, const QString& text);
void CentreWaitPicture(QWidget* window, QLabel* picture);
}  // namespace blogwindows
