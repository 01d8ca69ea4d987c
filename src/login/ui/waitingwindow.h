#pragma once
// The waiting window: loaded once after a successful login and never shown; its browser loads
// the weekly waiting advertisement page. It stays loaded, hidden, until the program ends.
#include "platform/defaultinstance.h"

#include <QWidget>

class WebBrowser;

class WaitingWindow : public QWidget, public DefaultInstance<WaitingWindow> {
public:
    explicit WaitingWindow(QWidget* parent = nullptr);
    void Form_Load();
    WebBrowser* webAD = nullptr;
};
using frmWaiting = WaitingWindow;  // waiting window after the login

// Loads the window (hidden) when it is not loaded yet.
WaitingWindow* LoadWaitingWindow();
