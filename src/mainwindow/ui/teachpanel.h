#pragma once
// The place of the tutorial player in the main window. The player itself (its movie, chapters,
// buttons and the two timers' work) belongs to the tutorial subsystem, which installs
// teachpanel::createMainPanel; until it does, a plain panel of the player's size stands in, with
// the two timers and the play flag the main window switches.
#include <QFrame>
#include <QPointer>
#include <QString>

#include <functional>

class QBoxLayout;
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
    // The parts of the tutorial buttons every host shares. Open loads the movie unless it is
    // loaded, follows it (teachTimer1), shows the panel on top and swaps the buttons; the movie
    // goes on from where it stood. Close stops both timers, hides the panel, swaps the buttons back
    // and stores "3" in the host's own counter, so the panel no longer opens by itself; the movie
    // is neither stopped nor rewound.
    void openPanel(QWidget* cmdOpenTeach, QWidget* cmdCloseTeach);
    void closePanel(QWidget* cmdOpenTeach, QWidget* cmdCloseTeach, int counterSetting);
    // The automatic opening of the host window's first three loads (TeachOpenAtFirstLoads with
    // the counter setting and openAtLoad).
    void openFirstTimes(int counterSetting, const std::function<void()>& cmdOpenTeach_Click);
    // The load's opening: loads the movie, marks it loaded, then runs the host's open button.
    void openAtLoad(const std::function<void()>& cmdOpenTeach_Click);
    // The chapter the player stands at; the stand-in has none.
    virtual void setTeachChapter(int chapter);
    // Gives the panel its own place in a window laid out by a box layout, at index: shown, it
    // moves the content below it down (the window grows when it must) instead of lying over it;
    // `replaced`, when given, is hidden while the panel shows (the strip it stands in for).
    void dockInLayout(QBoxLayout* layout, int index, QWidget* replaced = nullptr);

    QTimer* teachTimer1 = nullptr;            // follows the movie, 200 ms, off at design
    QTimer* teachTimer2 = nullptr;            // blinks a button, 500 ms, off at design
    QString teachlabPlayFlag = QStringLiteral("0");  // "1" once the movie has been loaded

protected:
    bool event(QEvent* e) override;

private:
    QWidget* m_place = nullptr;     // the panel's place in the layout, shown with it
    QPointer<QWidget> m_replaced;
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
