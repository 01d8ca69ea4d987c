#pragma once
// The publish dialog: shown modally by the cell and preface editors when the member applies an
// edit. It has nothing to click; its one timer tick, once it is on screen, uploads the pending
// pictures, publishes the edited cell and closes the dialog.
#include "site/publishsite.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

// No Q_OBJECT: moc cannot read the name.
class UpdateSiteWindow : public QDialog {
public:
    explicit UpdateSiteWindow(QWidget* parent = nullptr);

    // The work, run once (public so that tests can drive it without waiting).
    void Timer1_Timer();
    // The outcome of the publish, for the editor that opened the dialog ("failed" until the work
    // ends, and when it ends in an error).
    PublishOutcome outcome() const { return m_outcome; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;  // Escape and the close box do nothing while the work waits or runs

private:
    QProgressBar* imgWait = nullptr;  // animated please-wait indication
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;
    bool m_started = false;
    bool m_finished = false;
    PublishOutcome m_outcome = PublishOutcome::Failed;
};
using frm更新网站 = UpdateSiteWindow;  // 更新网站 publish dialog
