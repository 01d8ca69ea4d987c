#pragma once
// Opening the program's windows as the member does and looking at each once it shows: the demo
// member logged in through the login window, the main window's buttons, and a visitor that sees
// every top-level window that comes up (modal or not) once it has settled, then closes it.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractButton;
class QWidget;

namespace testsupport {

// Logs the emulator's demo member in through the login window; the main window is open after it.
// False when it did not open.
bool LogInDemoMember();

// Runs open, which may show a window modally or not. Each top-level window that comes up is handed
// to visit once it is shown and has settled, then closed (a dialog rejected). Returns how many
// windows were visited; waits up to timeoutMs for the first.
int VisitWindows(const std::function<void()>& open, const std::function<void(QWidget*)>& visit, int timeoutMs = 60000);

// The floating boxes of a window that must cover no control: its tutorial panels and hint boxes.
QList<const QWidget*> FloatingBoxes(const QWidget* window);

// What is wrong with a window as the member sees it: texts cut off, controls outside it, and
// tutorial panels or hint boxes over its controls; each line starts with the window's title.
QStringList WindowProblems(const QWidget* window);

}  // namespace testsupport
