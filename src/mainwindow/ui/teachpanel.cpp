#include "mainwindow/ui/teachpanel.h"

#include "foundation/settings.h"
#include "platform/twips.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

TeachPanel::TeachPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    resize(twips::ToPixels(kWidth), twips::ToPixels(kHeight));
    teachTimer1 = new QTimer(this);
    teachTimer1->setInterval(200);
    teachTimer2 = new QTimer(this);
    teachTimer2->setInterval(500);
}

void TeachPanel::TeachLoadMovie() { move(twips::ToPixels(-15), twips::ToPixels(-15)); }

void TeachPanel::openPanel(QWidget* cmdOpenTeach, QWidget* cmdCloseTeach) {
    if (teachlabPlayFlag == QLatin1String("0")) {
        TeachLoadMovie();
        teachlabPlayFlag = QStringLiteral("1");
    }
    teachTimer1->start();
    show();
    raise();
    cmdCloseTeach->show();
    cmdOpenTeach->hide();
}

void TeachPanel::closePanel(QWidget* cmdOpenTeach, QWidget* cmdCloseTeach, int counterSetting) {
    teachTimer1->stop();
    teachTimer2->stop();
    hide();
    cmdCloseTeach->hide();
    cmdOpenTeach->show();
    SetUserSetting(counterSetting, QStringLiteral("3"));
}

void TeachPanel::openFirstTimes(int counterSetting, const std::function<void()>& cmdOpenTeach_Click) {
    TeachOpenAtFirstLoads(counterSetting, [&] { openAtLoad(cmdOpenTeach_Click); });
}

void TeachPanel::openAtLoad(const std::function<void()>& cmdOpenTeach_Click) {
    TeachLoadMovie();
    teachlabPlayFlag = QStringLiteral("1");
    cmdOpenTeach_Click();
}

void TeachPanel::setTeachChapter(int) {}

void TeachPanel::dockInLayout(QBoxLayout* layout, int index, QWidget* replaced) {
    const bool shown = !isHidden();
    m_place = new QWidget(parentWidget());
    m_place->setFixedSize(size());
    m_replaced = replaced;
    setParent(m_place);  // hides the panel; its place follows its visibility from here on
    layout->insertWidget(index, m_place);
    m_place->hide();
    setVisible(shown);
}

bool TeachPanel::event(QEvent* e) {
    // Sent whenever the panel is shown or hidden, also while its window is hidden.
    if (m_place && (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent)) {
        const bool shown = e->type() == QEvent::ShowToParent;
        m_place->setVisible(shown);
        if (m_replaced) m_replaced->setVisible(!shown);
    }
    return QFrame::event(e);
}

namespace teachpanel {

namespace {
TeachPanel* CreatePanel(const std::function<TeachPanel*(QWidget*)>& factory, QWidget* host) {
    if (factory) {
        if (TeachPanel* p = factory(host)) return p;
    }
    auto* panel = new TeachPanel(host);
    auto* layout = new QVBoxLayout(panel);
    auto* note = new QLabel(QStringLiteral("软件使用教程"), panel);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);
    return panel;
}
}  // namespace

TeachPanel* CreateMainPanel(QWidget* host) { return CreatePanel(createMainPanel, host); }
TeachPanel* CreateCellEditorPanel(QWidget* host) { return CreatePanel(createCellEditorPanel, host); }
TeachPanel* CreateUploadPanel(QWidget* host) { return CreatePanel(createUploadPanel, host); }
TeachPanel* CreateWriteTextPanel(QWidget* host) { return CreatePanel(createWriteTextPanel, host); }

}  // namespace teachpanel
