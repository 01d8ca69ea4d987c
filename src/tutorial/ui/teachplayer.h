#pragma once
// The tutorial panel of a host window: the movie, the control bar with the seek thumb, the chapter
// counter and the Back, Pause and Next buttons with their captions. Its logic is
// TeachPlayerController (tutorial/teachplayercontroller.h); the host table entry decides the movie,
// chapters and geometry.
#include "mainwindow/ui/teachpanel.h"
#include "platform/flashmovie.h"
#include "tutorial/teachplayercontroller.h"

#include <QPixmap>

#include <memory>

class ClickableLabel;
class FlashControl;
class QFrame;
class QLabel;

class TeachPlayer : public TeachPanel {
public:
    TeachPlayer(QWidget* parent, const TeachHost& host, FlashPlayback::Clock clock = {});
    ~TeachPlayer() override;

    void TeachLoadMovie() override;
    void setTeachChapter(int chapter) override { player->TeachChapter = chapter; }
    TeachPlayerController& logic() { return *player; }

    // One of the ten button pictures by its key (BL0, BL1, BL2, BC1, BC2, BP1, BP2, BR1, BR2, BR0).
    static QPixmap ButtonPicture(const QString& key);

    FlashControl* teachSF1 = nullptr;
    QFrame* teachPicture3 = nullptr;
    QFrame* teachfSlider = nullptr;
    QLabel* teachimgP1 = nullptr;
    class ThumbLabel* teachimgP0 = nullptr;
    QLabel* teachlabPofPS = nullptr;
    QLabel* teachlabPe = nullptr;
    ClickableLabel* teachcmdBack = nullptr;
    ClickableLabel* teachcmdPause = nullptr;
    ClickableLabel* teachcmdNext = nullptr;
    ClickableLabel* teachlabU = nullptr;
    ClickableLabel* teachlabP = nullptr;
    ClickableLabel* teachlabN = nullptr;

private:
    TeachPlayerView makeView();
    void connectHandlers();
    // The view's hooks.
    void setTimer1(bool on);
    void setTimer2(bool on);
    void placePanel(int left, int top);
    void showControls();

    std::unique_ptr<TeachPlayerController> player;
};
