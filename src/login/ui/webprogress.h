#pragma once
// The one progress handler of the web windows and the password-recovery window: a browser's
// progress (loaded amount p of the total m) shown in a progress bar and a two-panel status bar.
#include <QString>

class QProgressBar;
class QWidget;
class StatusPanels;

struct WebProgressView {
    double barFraction = 0;  // the bar's value as a part of its maximum
    QString panel1;
    QString panel2;
};

// 0 < p < m: the bar at p / m, panel 1 "已完成：" and the rounded percentage (halves to even),
// panel 2 the reading notice. Anything else is the end of a load: the bar at 0, panel 1 the
// window's done text, panel 2 empty.
WebProgressView WebProgress(int progress, int progressMax, const QString& doneText);

// Shows the view in the window's bar and status panels 1 and 2.
void ShowWebProgress(const WebProgressView& view, QProgressBar* bar, StatusPanels* status);

// The progress bar and the two-panel status bar of these windows, as designed (0 to 100, panel 1
// 1800 twips wide).
QProgressBar* NewWebProgressBar(QWidget* parent);
StatusPanels* NewWebStatusBar(QWidget* parent);
