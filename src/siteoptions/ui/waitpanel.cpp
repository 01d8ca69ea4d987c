#include "siteoptions/ui/waitpanel.h"

#include "platform/twips.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

QWidget* NewWaitPanel(QWidget* dialog, const QString& text) {
    auto* panel = new QFrame(dialog);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(panel);
    auto* busy = new QProgressBar(panel);
    busy->setRange(0, 0);  // keeps moving while the call runs
    busy->setTextVisible(false);
    busy->setFixedWidth(twips::ToPixels(1200));
    layout->addWidget(busy);
    layout->addWidget(new QLabel(text, panel));
    panel->adjustSize();
    panel->hide();
    return panel;
}

void CentreWaitPanel(QWidget* panel) {
    const QWidget* dialog = panel->parentWidget();
    panel->move((dialog->width() - panel->width()) / 2, (dialog->height() - panel->height()) / 2);
}
