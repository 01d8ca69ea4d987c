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
    // The tutorial buttons: open loads the movie unless it is loaded, follows it (teachTimer1) and
    // shows the panel; close stops both timers and hides it.
    void openPanel();
    void closePanel();
    // The automatic opening of the host window's first three loads: with the counter setting
    // below "3", loads the movie, runs the window's open button and stores the counter plus one.
    void openFirstTimes(int counterSetting, const std::function<void()>& cmdOpenTeach_Click);

    QTimer* teachTimer1 = nullptr;            // follows the movie, 200 ms, off at design
    QTimer* teachTimer2 = nullptr;            // blinks a button, 500 ms, off at design
    QString teachlabPlayFlag = QStringLiteral("0");  // "1" once the movie has been loaded
};

namespace teachpanel {
// Builds the main window's tutorial panel inside the given host; an optional hook
// (platform/hookcheck.h): empty, the stand-in panel.
inline std::function<TeachPanel*(QWidget* host)> createMainPanel;
// The same for the cell editor's panel (movie "MFC80CHS.dll") and the album upload window's
// (movie "Riched32.dll").
inline std::function<TeachPanel*(QWidget* host)> createCellEditorPanel;
inline std::function<TeachPanel*(QWidget* host)> createUploadPanel;
// The text-on-a-picture dialog's panel (movie "matca.ocx").
inline std::function<TeachPanel*(QWidget* host)> createWriteTextPanel;
// The factory's panel, or the stand-in.
TeachPanel* CreateMainPanel(QWidget* host);
TeachPanel* CreateCellEditorPanel(QWidget* host);
TeachPanel* CreateUploadPanel(QWidget* host);
TeachPanel* CreateWriteTextPanel(QWidget* host);
}  // namespace teachpanel
