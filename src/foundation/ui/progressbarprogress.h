#pragma once
// A window's QProgressBar as the progress of the download list.
#include "foundation/downloads.h"

class QProgressBar;

// Values are rounded to the bar's whole steps, halves to even.
class ProgressBarProgress : public DownloadProgress {
public:
    explicit ProgressBarProgress(QProgressBar* bar) : m_bar(bar) {}
    double value() const override;
    double maximum() const override;
    void setValue(double v) override;
    void setVisible(bool visible) override;
    void refresh() override;

private:
    QProgressBar* m_bar;
};

// DownloadGridFiles with the bar as its progress.
bool DownloadGridFiles(QProgressBar* bar, int percent);
