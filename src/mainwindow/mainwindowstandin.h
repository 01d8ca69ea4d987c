#pragma once
// The least main window the login needs until the real one (frm个人网站) takes its place: shown
// modelessly as the login's last step, it shows whose site was prepared and, once on screen,
// unloads the login window. Replace ShowMainWindowAfterLogin's body with the real window.
#include "platform/defaultinstance.h"

#include <QWidget>

class QLabel;

class MainWindowStandIn : public QWidget, public DefaultInstance<MainWindowStandIn> {
public:
    explicit MainWindowStandIn(QWidget* parent = nullptr);
    QLabel* labWelcome = nullptr;
    QLabel* labSite = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_loaded = false;
};

// The login's step 22: shows the main window modelessly; its load unloads the login window.
void ShowMainWindowAfterLogin();
