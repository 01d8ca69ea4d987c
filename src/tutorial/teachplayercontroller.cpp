#include "tutorial/teachplayercontroller.h"

#include "platform/hookcheck.h"
#include "platform/paths.h"
#include "platform/vbtext.h"

#include <climits>
#include <cmath>

namespace teachhosts {

namespace {

TeachHost wide(QList<int> starts, const char* movie, QRect track, QRect thumb) {
    TeachHost h;
    h.starts = std::move(starts);
    h.movie = QString::fromLatin1(movie);
    h.panelLeft = -15;
    h.panelTop = -15;
    h.panelWidth = 15390;
    h.panelHeight = 3200;
    h.movieWidth = 15390;
    h.movieHeight = 2865;
    h.bar = QRect(-15, 2865, 15390, 315);
    h.track = track;
    h.thumb = thumb;
    h.barLefts = {10830, 12210, 12510, 13230, 13545, 14175, 14490};
    return h;
}

}  // namespace

const TeachHost& MainWindow() {
    static const TeachHost h = wide({125, 200, 300, 410, 490, 605, 720, 815, 930, 1010, 1095, 1185, 1275, 1355, 1460, 1500},
                                    "msvcr80.dll", QRect(15, 45, 10710, 195), QRect(90, 15, 225, 240));
    return h;
}

const TeachHost& CellEditor() {
    static const TeachHost h = [] {
        TeachHost e;
        e.starts = {105, 200, 300, 400, 500, 600, 700, 800, 905};
        e.movie = QStringLiteral("MFC80CHS.dll");
        e.panelWidth = 12780;
        e.panelHeight = 2505;
        e.movieWidth = 12780;
        e.movieHeight = 2205;
        e.bar = QRect(1950, 2190, 10830, 315);
        e.track = QRect(15, 45, 6600, 195);
        e.thumb = QRect(90, 15, 225, 240);
        e.barLefts = {6690, 7770, 8070, 8790, 9105, 9735, 10050};
        e.captionsFollowButtons = true;
        return e;
    }();
    return h;
}

const TeachHost& WriteText() {
    static const TeachHost h = wide({225, 330, 480, 890, 1000, 1090}, "matca.ocx", QRect(2025, 45, 8760, 195),
                                    QRect(2040, 15, 225, 240));
    return h;
}

const TeachHost& Upload() {
    static const TeachHost h = wide({230, 440, 685, 830, 1095, 1215, 1425, 1590, 1775, 1860, 2080, 2220, 2285, 2330, 2520,
                                     2660, 2725},
                                    "Riched32.dll", QRect(15, 45, 10710, 195), QRect(90, 15, 225, 240));
    return h;
}

}  // namespace teachhosts

TeachPlayerController::TeachPlayerController(const TeachHost& host, FlashPlayback& teachSF1, TeachPlayerView v)
    : config(host), flash(teachSF1), view(std::move(v)) {
    c.thumbLeft = config.thumb.x();
}

void TeachPlayerController::timer1Set(bool on) {
    CALL_REQUIRED_HOOK(view.setTimer1, on);
}

void TeachPlayerController::timer2Set(bool on) {
    CALL_REQUIRED_HOOK(view.setTimer2, on);
}

void TeachPlayerController::shown() const { CALL_REQUIRED_HOOK(view.showControls); }

void TeachPlayerController::TeachLoadMovie() {
    CALL_REQUIRED_HOOK(view.placePanel, config.panelLeft, config.panelTop);
    const double quarter = config.thumb.width() / 4.0;
    TeachThumbMin = int(vb::RoundHalfEven(config.track.x() + quarter));
    TeachThumbMax = int(vb::RoundHalfEven(config.track.x() + config.track.width() - quarter * 3));
    flash.setLoop(false);
    TeachChapterStarts = QList<int>{0} + config.starts;
    TeachLastButOne = config.chapterCount() - 2;
    const QString path = view.moviePath ? view.moviePath(config.movie) : paths::SharedFile(config.movie);
    flash.setMovie(path);
    shown();
}

void TeachPlayerController::TeachPlayChapter() {
    flash.setFrameNum(S(TeachChapter));
    timer1Set(true);
    flash.Play();
}

// The Pause button and its caption while the movie plays.
void TeachPlayerController::pauseShown() {
    c.teachcmdPause.picture = QStringLiteral("BC1");
    c.teachlabP.caption = QStringLiteral("暂 停");
}

void TeachPlayerController::playShown() {
    c.teachcmdPause.picture = QStringLiteral("BP1");
    c.teachlabP.caption = QStringLiteral("播 放");
}

void TeachPlayerController::teachcmdBack_Click() {
    // Back in the first chapter does nothing: the chapter index stays within the table. The caption
    // beside a disabled Back still takes clicks, and a seek can leave Back enabled there.
    if (TeachChapter <= 0) return;
    timer2Set(false);
    TeachPlaySign = 1;
    TeachChapter -= 1;
    if (TeachChapter == 0) {
        c.teachcmdBack = {QStringLiteral("BL0"), false};
    } else {
        c.teachcmdBack = {QStringLiteral("BL1"), true};
    }
    if (config.captionsFollowButtons) c.teachlabU.enabled = c.teachcmdBack.enabled;
    c.teachcmdNext = {QStringLiteral("BR1"), true};
    if (config.captionsFollowButtons) c.teachlabN.enabled = true;
    c.teachlabN.visible = true;
    pauseShown();
    c.teachlabP.visible = true;
    TeachPlayChapter();
    shown();
}

void TeachPlayerController::teachcmdNext_Click() {
    // Next in the last chapter does nothing, as Back in the first.
    if (TeachChapter >= config.chapterCount() - 1) return;
    nextClick();
    shown();
}

void TeachPlayerController::nextClick() {
    timer2Set(false);
    c.teachcmdBack = {QStringLiteral("BL1"), true};
    c.teachlabN.visible = true;
    if (TeachChapter == TeachLastButOne) c.teachcmdNext = {QStringLiteral("BR0"), false};
    if (config.captionsFollowButtons) c.teachlabN.enabled = c.teachcmdNext.enabled;
    pauseShown();
    c.teachlabP.visible = true;
    TeachChapter += 1;
    TeachPlaySign = 1;
    TeachPlayChapter();
}

void TeachPlayerController::teachcmdPause_Click() {
    TeachPlaySign = -TeachPlaySign;
    c.teachlabP.visible = true;
    c.teachlabN.visible = true;
    if (TeachPlaySign == -1) {
        playShown();
        flash.StopPlay();
        TeachBlinkNext = false;
        timer1Set(false);
        timer2Set(true);
    } else {
        pauseShown();
        flash.Play();
        TeachBlinkNext = true;
        timer2Set(false);
        timer1Set(true);
    }
    shown();
}

// A button held down shows its pressed picture with a thin border; released, its normal picture.
void TeachPlayerController::press(TeachButtonState& button, bool down, const QString& picture) {
    button.border = down;
    button.picture = picture;
    shown();
}

void TeachPlayerController::teachcmdBack_MouseDown() {
    if (c.teachcmdBack.enabled) press(c.teachcmdBack, true, QStringLiteral("BL2"));
}

void TeachPlayerController::teachcmdBack_MouseUp() {
    if (c.teachcmdBack.enabled) press(c.teachcmdBack, false, QStringLiteral("BL1"));
}

void TeachPlayerController::teachcmdNext_MouseDown() {
    if (c.teachcmdNext.enabled) press(c.teachcmdNext, true, QStringLiteral("BR2"));
}

void TeachPlayerController::teachcmdNext_MouseUp() {
    if (c.teachcmdNext.enabled) press(c.teachcmdNext, false, QStringLiteral("BR1"));
}

void TeachPlayerController::teachcmdPause_MouseDown() {
    const bool playing = c.teachlabP.caption == QStringLiteral("暂 停");
    press(c.teachcmdPause, true, playing ? QStringLiteral("BC2") : QStringLiteral("BP2"));
}

void TeachPlayerController::teachcmdPause_MouseUp() {
    const bool playing = c.teachlabP.caption == QStringLiteral("暂 停");
    press(c.teachcmdPause, false, playing ? QStringLiteral("BC1") : QStringLiteral("BP1"));
}

void TeachPlayerController::teachimgP0_MouseDown() {
    TeachDragging = true;
    teachcmdPause_Click();
}

void TeachPlayerController::teachimgP0_MouseMove(int x) {
    if (!TeachDragging || c.thumbLeft < TeachThumbMin || c.thumbLeft > TeachThumbMax) return;
    timer1Set(true);
    const double width = config.thumb.width();
    const double left = qBound(double(TeachThumbMin), c.thumbLeft + x - width / 2, double(TeachThumbMax));
    c.thumbLeft = int(vb::RoundHalfEven(left));
    if (!hasMovie()) {
        c.thumbLeft = TeachThumbMin;
    } else {
        const double part = (left + x - width / 4 - TeachThumbMin) / double(TeachThumbMax - TeachThumbMin);
        const qint64 frame = vb::RoundHalfEven(part * (flash.TotalFrames() - 1));
        flash.GotoFrame(int(qBound(qint64(INT_MIN), frame, qint64(INT_MAX))));
        TeachSyncChapter();
    }
    TeachPlaySign = -1;
    shown();
}

void TeachPlayerController::teachimgP0_MouseUp() {
    TeachDragging = false;
    if (TeachPlaySign == -1) {
        playShown();
        flash.StopPlay();
        timer1Set(false);
        TeachBlinkNext = false;
        timer2Set(true);
    } else {
        pauseShown();
        flash.Play();
        timer1Set(true);
        timer2Set(false);
    }
    shown();
}

void TeachPlayerController::TeachSyncChapter() {
    const int n = config.chapterCount();
    int f = flash.FrameNum();
    for (int i = 1; i <= n; ++i) {
        if (S(i - 1) < f && f <= S(i)) {
            if (i != TeachSyncedChapter) {
                TeachSyncedChapter = i;
                TeachChapter = i - 2;
                nextClick();
            }
            break;
        }
    }
    f = flash.FrameNum();
    if (f <= S(1)) {
        c.teachcmdBack = {QStringLiteral("BL0"), false};
    } else if (f >= S(n - 1)) {
        c.teachcmdNext = {QStringLiteral("BR0"), false};
    } else {
        c.teachcmdBack = {QStringLiteral("BL1"), true};
        c.teachcmdNext = {QStringLiteral("BR1"), true};
    }
    if (config.captionsFollowButtons) c.teachlabN.enabled = c.teachcmdNext.enabled;
    shown();
}

void TeachPlayerController::teachTimer1_Timer() {
    // Each step stands alone: one that needs a movie is skipped without one, and the tick goes on.
    const int k = TeachChapter;
    if (hasMovie() && flash.FrameNum() >= flash.TotalFrames() - 3) {
        timer1Set(false);
        flash.StopPlay();
        shown();
        return;
    }
    if (hasMovie() && flash.FrameNum() >= S(k + 1)) {
        flash.setFrameNum(S(k + 1));
        flash.StopPlay();
        timer1Set(false);
        TeachBlinkNext = true;
        timer2Set(true);
    }
    if (hasMovie()) {
        // A one-frame movie keeps the thumb at its start.
        const int total = flash.TotalFrames();
        const double part = total > 1 ? double(flash.FrameNum()) / (total - 1) : 0.0;
        c.thumbLeft = int(std::floor(part * (TeachThumbMax - TeachThumbMin))) + TeachThumbMin;
    }
    c.teachlabPofPS = QStringLiteral("%1/%2(页)").arg(k + 1).arg(TeachLastButOne + 2);
    if (hasMovie()) c.teachlabPe = QStringLiteral("%1/%2").arg(flash.FrameNum()).arg(flash.TotalFrames());
    c.thumbToolTip = c.teachlabPe;
    shown();
}

void TeachPlayerController::teachTimer2_Timer() {
    if (TeachBlinkNext) {
        if (!c.teachcmdNext.enabled) {
            timer2Set(false);
            return;
        }
        c.teachlabN.visible = !c.teachlabN.visible;
        c.teachcmdNext.picture = c.teachlabN.visible ? QStringLiteral("BR2") : QStringLiteral("BR1");
    } else {
        c.teachlabP.visible = !c.teachlabP.visible;
        c.teachcmdPause.picture = c.teachlabP.visible ? QStringLiteral("BP2") : QStringLiteral("BP1");
    }
    shown();
}
