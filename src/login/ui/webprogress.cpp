#include "login/ui/webprogress.h"

#include "platform/ui/statuspanels.h"
#include "platform/twips.h"
#include "platform/vbtext.h"

#include <QProgressBar>

#include <cmath>

WebProgressView WebProgress(int progress, int progressMax, const QString& doneText) {
    WebProgressView v;
    if (progress > 0 && progress < progressMax) {
        const double part = static_cast<double>(progress) / progressMax;
        v.barFraction = part;
        v.panel1 = QStringLiteral("已完成：") + QString::number(vb::RoundHalfEven(part * 100)) + QLatin1Char('%');
        v.panel2 = QStringLiteral("正在读取网络页面，请您稍候...");
    } else {
        v.panel1 = doneText;
    }
    return v;
}

void ShowWebProgress(const WebProgressView& view, QProgressBar* bar, StatusPanels* status) {
    if (bar) {
        const double span = bar->maximum() - bar->minimum();
        bar->setValue(bar->minimum() + static_cast<int>(std::lround(span * view.barFraction)));
    }
    if (status) {
        status->setPanelText(1, view.panel1);
        status->setPanelText(2, view.panel2);
    }
}

QProgressBar* NewWebProgressBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setFixedSize(twips::ToPixels(3000), twips::ToPixels(240));
    return bar;
}

StatusPanels* NewWebStatusBar(QWidget* parent) {
    auto* bar = new StatusPanels(2, parent);
    bar->setPanelWidth(1, twips::ToPixels(1800));
    return bar;
}
