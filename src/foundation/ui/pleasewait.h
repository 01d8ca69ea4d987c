#pragma once
// The widget form of an operation's wait: a window's please-wait picture and the controls it
// disables while a service call runs.
#include "foundation/servicecall.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class PleaseWait : public WaitIndicator {
public:
    explicit PleaseWait(QWidget* picture, const QList<QWidget*>& controls = {});
    ~PleaseWait() override;
    PleaseWait(const PleaseWait&) = delete;
    PleaseWait& operator=(const PleaseWait&) = delete;

    // Shows and paints the picture at once, and disables the controls that are enabled.
    void begin() override;
    // After begin(): hides the picture and enables again the controls begin() disabled; widgets
    // that went away meanwhile are skipped.
    void end() override;

private:
    QPointer<QWidget> m_picture;
    QList<QPointer<QWidget>> m_controls;
    QList<QPointer<QWidget>> m_disabled;
    bool m_active = false;
};
