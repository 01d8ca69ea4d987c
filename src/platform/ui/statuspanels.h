#pragma once
// A status bar of text panels, numbered from 1 as the windows' code names them.
#include <QFrame>
#include <QList>
#include <QString>

class QLabel;

class StatusPanels : public QFrame {
    Q_OBJECT
public:
    // count panels; the last one takes the width the others leave.
    explicit StatusPanels(int count, QWidget* parent = nullptr);
    int count() const { return m_panels.size(); }
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    // A fixed width in pixels for one panel (the last panel is cut to what is left).
    void setPanelWidth(int panel, int pixels);
    QLabel* panel(int panel) const;

private:
    QList<QLabel*> m_panels;
};
