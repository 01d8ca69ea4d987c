#pragma once
// The connect splash: shown modally on a machine where nobody has logged in yet; its timer steps
// the bar every 100 ms and on the 30th tick the splash closes and opens the login window.
#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

class ConnectSplashWindow : public QDialog {
public:
    explicit ConnectSplashWindow(QWidget* parent = nullptr);

    void Timer1_Timer();
    int ticks() const { return m_ticks; }

    QLabel* Picture1 = nullptr;
    QProgressBar* pbarNet = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    int m_ticks = 0;
};
using frmNetToVYM = ConnectSplashWindow;  // connect splash
