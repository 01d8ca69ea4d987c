#include "foundation/ui/progressbarprogress.h"

#include "platform/vbtext.h"

#include <QProgressBar>

double ProgressBarProgress::value() const { return m_bar->value(); }
double ProgressBarProgress::maximum() const { return m_bar->maximum(); }
void ProgressBarProgress::setValue(double v) { m_bar->setValue(int(vb::RoundHalfEven(v))); }
void ProgressBarProgress::setVisible(bool visible) { m_bar->setVisible(visible); }
void ProgressBarProgress::refresh() { m_bar->repaint(); }

bool DownloadGridFiles(QProgressBar* bar, int percent) {
    ProgressBarProgress progress(bar);
    return DownloadGridFiles(progress, percent);
}
