#pragma once
// The fixed notice that the program cannot reach the service. Opened modally by the error
// convention of the service calls (through hooks::showNetError) and by the login and the
// registration when the service answers something they do not know.
#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

class NetworkErrorWindow : public QDialog {
public:
    explicit NetworkErrorWindow(QWidget* parent = nullptr);

    void cmdClose_Click();

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QList<QLabel*> Label;   // the fixed texts, top to bottom
    QPushButton* cmdClose = nullptr;
};
using frmNetError = NetworkErrorWindow;  // network error window

// Shows NetworkErrorWindow modally over the active window and returns when it is closed.
void ShowNetErrorWindow();
