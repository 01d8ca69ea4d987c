#include "platform/ui/statuspanels.h"

#include <QHBoxLayout>
#include <QLabel>

StatusPanels::StatusPanels(int count, QWidget* parent) : QFrame(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(0);
        m_panels.append(label);
        layout->addWidget(label, i == count - 1 ? 1 : 0);
    }
    setFixedHeight(fontMetrics().height() + 8);
}

QLabel* StatusPanels::panel(int panel) const {
    return panel >= 1 && panel <= m_panels.size() ? m_panels.at(panel - 1) : nullptr;
}

void StatusPanels::setPanelText(int panel, const QString& text) {
    if (QLabel* l = this->panel(panel)) l->setText(text);
}

QString StatusPanels::panelText(int panel) const {
    const QLabel* l = this->panel(panel);
    return l ? l->text() : QString();
}

void StatusPanels::setPanelWidth(int panel, int pixels) {
    QLabel* l = this->panel(panel);
    if (!l) return;
    if (panel == m_panels.size())
        l->setMaximumWidth(qMax(0, pixels));
    else
        l->setFixedWidth(qMax(0, pixels));
}
