#pragma once
// Where floating boxes (hint boxes, tutorial panels) may lie in a window, and the checks that keep
// a window readable on a small screen: what counts as a control, which controls a rectangle
// covers, the place beside its control where a hint box covers none, hint boxes shown one at a
// time, the texts a window cuts off and the controls it leaves outside.
#include <QList>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>
#include <utility>

class QTableWidget;
class QWidget;

namespace windowgeometry {

// A widget the member works with: buttons, text boxes, lists, tables, scroll bars, sliders and
// the labels that take clicks.
bool IsControl(const QWidget* w);
// A widget's rectangle in its window's coordinates.
QRect RectInWindow(const QWidget* w);
// The shown, enabled controls of window that rect (window coordinates) overlaps, leaving out box
// and whatever lies inside it.
QList<QWidget*> ControlsUnder(const QWidget* window, const QRect& rect, const QWidget* box);
// Moves box (a child widget) beside control: to its right, left, below or above, at the first
// place that lies inside the part of the window box's parent shows, inside the screen, and covers
// no control and none of keepOff (panels that are not controls themselves); when there is none,
// where it covers the fewest. True when the place covers nothing.
bool PlaceBeside(QWidget* box, const QWidget* control, const QList<const QWidget*>& keepOff = {});
// Pixels between two rectangles: 0 when they touch or overlap.
double Gap(const QRect& a, const QRect& b);
// One line for each text of window that does not fit the room its label, button or column header
// gives it, and for each control or frame that lies outside the window (or a window larger than
// its screen).
QStringList LayoutProblems(const QWidget* window);
// One line for each cell of a table's column whose text is wider than the column (for the columns
// whose texts must show whole: times, states).
QStringList CellTextProblems(const QTableWidget* table, int column);
// One line for each enabled control of window that a shown box among boxes covers.
QStringList Overlaps(const QWidget* window, const QList<const QWidget*>& boxes);
// A line describing a widget for the lines above: its class, object name or text.
QString Describe(const QWidget* w);

}  // namespace windowgeometry

// The hint boxes of one window, shown one at a time: a box asked for while another shows waits
// until the ones before it have closed.
class HintBoxQueue {
public:
    // Shows box (place runs just before, to put it where it belongs then), at once when no other
    // box of the queue shows.
    void show(QWidget* box, std::function<void()> place = {});
    // Hides box, or takes it out of the waiting line, and shows the next waiting box.
    void hide(QWidget* box);

private:
    QPointer<QWidget> m_current;
    QList<std::pair<QPointer<QWidget>, std::function<void()>>> m_waiting;
};
