#include "support/windowtour.h"

#include "login/ui/loginwindow.h"
#include "mainwindow/ui/sitewindow.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/eventwait.h"
#include "platform/ui/windowgeometry.h"
#include "support/emulatorfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace testsupport {

#ifdef TAVOLIN_HAVE_EMULATOR
bool LogInDemoMember() {
    const emu::DemoMember demo = Emulator::instance().demoMember();
    frmLogin* login = ShowLoginWindow();
    if (!login) return false;
    login->Timer1->stop();
    while (!login->picLogin->isEnabled()) login->Timer1_Timer();
    login->cobUser->setEditText(demo.name);
    login->txtPassword->setText(demo.password);
    login->cmdLogin_Click();
    return frm个人网站::loaded() != nullptr;
}
#endif

int VisitWindows(const std::function<void()>& open, const std::function<void(QWidget*)>& visit, int timeoutMs) {
    // Guarded: a dialog on the stack often takes the place of the one closed before it, and a
    // plain pointer would take the new one for the old.
    QList<QPointer<QWidget>> before;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) before << w;
    QList<QPointer<QWidget>> seen;  // shown once, visited at the next look
    QList<QPointer<QWidget>> visited;
    bool visiting = false;
    int count = 0;
    const auto look = [&] {
        if (visiting) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || before.contains(w) || visited.contains(w)) continue;
            const Qt::WindowType type = w->windowType();
            if (type != Qt::Window && type != Qt::Dialog) continue;
            if (!seen.contains(w)) {
                seen << w;
                continue;
            }
            visited << w;
            ++count;
            visiting = true;
            visit(w);
            visiting = false;
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
            else w->close();
        }
    };
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, look);
    timer.start(50);
    open();
    WaitUntil([&] { return count > 0; }, timeoutMs);
    // A window shown after open returned gets its visit here too.
    look();
    return count;
}

QList<const QWidget*> FloatingBoxes(const QWidget* window) {
    QList<const QWidget*> boxes;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (dynamic_cast<const TeachPanel*>(w) || w->objectName() == QLatin1String("hintBox")) boxes << w;
    }
    return boxes;
}

QStringList WindowProblems(const QWidget* window) {
    QStringList out;
    const QString title = window->windowTitle() + QStringLiteral(": ");
    for (const QString& p : windowgeometry::LayoutProblems(window)) out << title + p;
    for (const QString& p : windowgeometry::Overlaps(window, FloatingBoxes(window))) out << title + p;
    return out;
}

}  // namespace testsupport
