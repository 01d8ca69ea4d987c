#pragma once
// The tutorial player's logic: one movie cut into chapters, played a chapter at a time, with back,
// next and pause, a seek thumb, and two timers (one follows the movie, one blinks a button). The
// same player sits in four windows, which differ only by the host table below. The controls'
// states are plain data here; the panel (tutorial/ui/teachplayer.h) draws them and switches its
// timers through the view. Positions and sizes are twips.
#include "platform/flashmovie.h"

#include <QList>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

// What sets one host's player apart.
struct TeachHost {
    QList<int> starts;        // first frames of chapters 1..N; chapter 0 starts at frame 0
    QString movie;            // file name among the shipped files
    int panelLeft = 0, panelTop = 0;  // where TeachLoadMovie puts the panel
    int panelWidth = 0, panelHeight = 0;
    int movieWidth = 0, movieHeight = 0;
    QRect bar;                // teachPicture3
    QRect track;              // teachimgP1, inside the bar's slider frame
    QRect thumb;              // teachimgP0 at design
    // Lefts in the bar: teachlabPofPS, teachcmdBack, teachlabU, teachcmdPause, teachlabP,
    // teachcmdNext, teachlabN.
    std::array<int, 7> barLefts{};
    // The cell editor's copy keeps the captions beside Back and Next enabled with their buttons.
    bool captionsFollowButtons = false;

    int chapterCount() const { return int(starts.size()); }
};

namespace teachhosts {
const TeachHost& MainWindow();   // 个人网站
const TeachHost& CellEditor();   // 图片设置
const TeachHost& WriteText();    // 在图片上写字
const TeachHost& Upload();       // 上传
}  // namespace teachhosts

// An image used as a button: its picture key in the button list (BL0 … BR0), enabled, and the
// thin border while the mouse button is held on it.
struct TeachButtonState {
    QString picture;
    bool enabled = true;
    bool border = false;
};

struct TeachCaptionState {
    QString caption;
    bool visible = true;
    bool enabled = true;
};

// The player's controls as the window shows them (their design states).
struct TeachControls {
    TeachButtonState teachcmdBack{QStringLiteral("BL0"), false};
    TeachButtonState teachcmdPause{QStringLiteral("BC1")};
    TeachButtonState teachcmdNext{QStringLiteral("BR1")};
    TeachCaptionState teachlabU{QStringLiteral("上一页")};
    TeachCaptionState teachlabP{QStringLiteral("暂 停")};
    TeachCaptionState teachlabN{QStringLiteral("下一页")};
    QString teachlabPofPS = QStringLiteral("0/0");
    QString teachlabPe = QStringLiteral("1/100");
    int thumbLeft = 0;        // teachimgP0's Left
    QString thumbToolTip;
};

struct TeachPlayerView {
    std::function<void(bool on)> setTimer1;      // required: teachTimer1 on or off
    std::function<void(bool on)> setTimer2;      // required: teachTimer2 on or off
    std::function<void(int left, int top)> placePanel;  // required: teachpicTeach's position
    std::function<void()> showControls;          // required: draw the controls' states again
    // The full path of a shipped movie; unset, the shipped files (paths::SharedFile).
    std::function<QString(const QString& name)> moviePath;

    template <class F>
    void forEachRequiredHook(F&& f) const {
        f("setTimer1", bool(setTimer1));
        f("setTimer2", bool(setTimer2));
        f("placePanel", bool(placePanel));
        f("showControls", bool(showControls));
    }
};

class TeachPlayerController {
public:
    TeachPlayerController(const TeachHost& host, FlashPlayback& teachSF1, TeachPlayerView view);

    void TeachLoadMovie();
    void TeachPlayChapter();
    void TeachSyncChapter();

    void teachcmdBack_Click();
    void teachcmdNext_Click();
    void teachcmdPause_Click();
    void teachcmdBack_MouseDown();
    void teachcmdBack_MouseUp();
    void teachcmdNext_MouseDown();
    void teachcmdNext_MouseUp();
    void teachcmdPause_MouseDown();
    void teachcmdPause_MouseUp();
    void teachlabU_Click() { teachcmdBack_Click(); }
    void teachlabN_Click() { teachcmdNext_Click(); }
    void teachlabP_Click() { teachcmdPause_Click(); }
    // x: the pointer's horizontal position within the thumb.
    void teachimgP0_MouseDown();
    void teachimgP0_MouseMove(int x);
    void teachimgP0_MouseUp();
    void teachTimer1_Timer();
    void teachTimer2_Timer();

    const TeachHost& host() const { return config; }
    const TeachControls& controls() const { return c; }
    const TeachPlayerView& hooks() const { return view; }

    // Player state.
    QList<int> TeachChapterStarts;
    int TeachChapter = 0;
    int TeachLastButOne = 0;
    int TeachPlaySign = 1;
    bool TeachBlinkNext = false;
    bool TeachDragging = false;
    int TeachSyncedChapter = 0;
    int TeachThumbMin = 0;
    int TeachThumbMax = 0;

private:
    int S(int j) const { return TeachChapterStarts.value(j); }
    bool hasMovie() const { return flash.FrameNum() >= 0; }
    void timer1Set(bool on);
    void timer2Set(bool on);
    void pauseShown();
    void playShown();
    void nextClick();
    void press(TeachButtonState& button, bool down, const QString& picture);
    void shown() const;

    TeachHost config;
    FlashPlayback& flash;
    TeachPlayerView view;
    TeachControls c;
};
