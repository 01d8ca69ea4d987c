#pragma once
// The waiting window: loaded once after a successful login and never shown; its browser loads
// the weekly waiting advertisement page. It stays loaded, hidden, until the program ends.
#include "platform/defaultinstance.h"

#include <QWidget>

class WebBrowser;

class frmWaiting : public QWidget, public DefaultInstance<frmWaiting> {
public:
    explicit frmWaiting(QWidget* parent = nullptr);
    void Form_Load();
    WebBrowser* webAD = nullptr;
};

// Loads the window (hidden) when it is not loaded yet.
frmWaiting* LoadWaitingWindow();
