#include "platform/inputguard.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

namespace {
int& depth() {
    static int d = 0;
    return d;
}
}  // namespace

UserInputGuard::UserInputGuard() {
    ++depth();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (qobject_cast<QApplication*>(app)) m_modalAtStart = QApplication::activeModalWidget();
        app->installEventFilter(this);
    }
}

UserInputGuard::~UserInputGuard() {
    --depth();
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool UserInputGuard::active() { return depth() > 0; }

bool UserInputGuard::inModalOpenedSince(QObject* watched) const {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_modalAtStart) return false;
    if (watched == modal->windowHandle()) return true;
    const auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == modal;
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
