#include "foundation/ui/pleasewait.h"

PleaseWait::PleaseWait(QWidget* picture, const QList<QWidget*>& controls) : m_picture(picture) {
    for (QWidget* w : controls) m_controls.append(w);
}

PleaseWait::~PleaseWait() { end(); }

void PleaseWait::begin() {
    m_active = true;
    for (const QPointer<QWidget>& w : m_controls) {
        if (w && w->isEnabled()) {
            w->setEnabled(false);
            m_disabled.append(w);
        }
    }
    if (m_picture) {
        m_picture->show();
        m_picture->raise();
        m_picture->repaint();  // painted now: the call that follows blocks the ordinary repaint
    }
}

void PleaseWait::end() {
    if (!m_active) return;  // the window may use the picture itself once the call is over
    m_active = false;
    if (m_picture) m_picture->hide();
    for (const QPointer<QWidget>& w : m_disabled)
        if (w) w->setEnabled(true);
    m_disabled.clear();
}
