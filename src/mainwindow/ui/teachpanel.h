#pragma once
// The place of the tutorial player in the main window. The player itself (its movie, chapters,
// buttons and the two timers' work) belongs to the tutorial subsystem, which installs
// teachpanel::createMainPanel; until it does, a plain panel of the player's size stands in, with
// the two timers and the play flag the main window switches.
#include <QFrame>
#include <QString>

#include <functional>

class QTimer;

class TeachPanel : public QFrame {
public:
    // The player's panel size, twips.
    static constexpr int kWidth = 15390;
    static constexpr int kHeight = 3200;

    explicit TeachPanel(QWidget* parent);
    // Places the panel at (-15, -15) twips and loads the host's movie ("msvcr80.dll" for the main
    // window). The stand-in only places the panel.
    virtual void TeachLoadMovie();

    QTimer* teachTimer1 = nullptr;            // follows the movie, 200 ms, off at design
    QTimer* teachTimer2 = nullptr;            // blinks a button, 500 ms, off at design
    QString teachlabPlayFlag = QStringLiteral("0");  // "1" once the movie has been loaded
};

namespace teachpanel {
// Builds the main window's tutorial panel inside the given host; an optional hook
// (platform/hookcheck.h): empty, the stand-in panel.
inline std::function<TeachPanel*(QWidget* host)> createMainPanel;
// The factory's panel, or the stand-in.
TeachPanel* CreateMainPanel(QWidget* host);
// The same for the album upload window's panel.
inline std::function<TeachPanel*(QWidget* host)> createUploadPanel;
TeachPanel* CreateUploadPanel(QWidget* host);
}  // namespace teachpanel
