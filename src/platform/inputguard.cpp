#include "platform/inputguard.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
int& depth() {
    static int d = 0;
    return d;
}
}  // namespace

UserInputGuard::UserInputGuard() {
    ++depth();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (inputguard::activeModal) m_modalAtStart = inputguard::activeModal();
        app->installEventFilter(this);
    }
}

UserInputGuard::~UserInputGuard() {
    --depth();
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool UserInputGuard::active() { return depth() > 0; }

bool UserInputGuard::inModalOpenedSince(QObject* watched) const {
    if (!inputguard::activeModal || !inputguard::belongsTo) return false;
    QObject* modal = inputguard::activeModal();
    if (!modal || modal == m_modalAtStart) return false;
    return inputguard::belongsTo(modal, watched);
}

bool UserInputGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:  // text committed by an input method (Chinese typing) bypasses the keys
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return !inModalOpenedSince(watched);
    case QEvent::Close:
        // The window manager's close button; closes made by the program itself go through.
        return event->spontaneous() && !inModalOpenedSince(watched);
    default:
        return QObject::eventFilter(watched, event);
    }
}
