#pragma once
// What the blog windows share: their place below the main window, the please-wait picture and
// the picture buttons.
class ClickableLabel;
class QLabel;
class QString;
class QWidget;

namespace blogwindows {
// 1500 twips below the main window's top, centred across it.
void PlaceBelowMainWindow(QWidget* window);
// picNetToService: a framed, hidden label with the text, in the window's middle when shown.
QLabel* MakeWaitPicture(QWidget* window, const QString& text);
void CentreWaitPicture(QWidget* window, QLabel* picture);
// A picture used as a button: a framed caption with a hand pointer and its tooltip.
ClickableLabel* PictureButton(QWidget* parent, const QString& caption, const QString& tooltip);
}  // namespace blogwindows
