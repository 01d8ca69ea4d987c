#include "tutorial/ui/teachplayer.h"

#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/flashcontrol.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

// The seek thumb: press, move and release with the pointer's position within it, twips.
class ThumbLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onMouseDown;
    std::function<void(int x)> onMouseMove;
    std::function<void()> onMouseUp;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onMouseDown) onMouseDown();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if ((e->buttons() & Qt::LeftButton) && onMouseMove) onMouseMove(twips::FromPixels(int(e->position().x())));
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && onMouseUp) onMouseUp();
    }
};

namespace {

QRect px(const QRect& twipsRect) {
    return QRect(twips::ToPixels(twipsRect.x()), twips::ToPixels(twipsRect.y()), twips::ToPixels(twipsRect.width()),
                 twips::ToPixels(twipsRect.height()));
}

void place(QWidget* w, int left, int top, int width, int height) { w->setGeometry(px(QRect(left, top, width, height))); }

}  // namespace

QPixmap TeachPlayer::ButtonPicture(const QString& key) {
    // Our own pictures: a round face with the action's sign; 0 greyed, 1 normal, 2 pressed (darker,
    // the sign nudged down and right).
    QPixmap pm(22, 17);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QChar kind = key.size() > 1 ? key[1] : QChar();
    const QChar state = key.size() > 2 ? key[2] : QChar();
    const QColor face = state == QLatin1Char('0')   ? QColor(0xC8, 0xC8, 0xC8)
                        : state == QLatin1Char('2') ? QColor(0x1E, 0x56, 0xA8)
                                                    : QColor(0x3A, 0x7B, 0xD5);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1, 0.5, 20, 16), 5, 5);
    p.setBrush(Qt::white);
    const double d = state == QLatin1Char('2') ? 1 : 0;
    QPainterPath sign;
    if (kind == QLatin1Char('L')) {
        sign.addPolygon(QPolygonF({QPointF(14 + d, 4 + d), QPointF(14 + d, 13 + d), QPointF(7 + d, 8.5 + d)}));
        p.drawRect(QRectF(6 + d, 4 + d, 1.6, 9));
    } else if (kind == QLatin1Char('R')) {
        sign.addPolygon(QPolygonF({QPointF(8 + d, 4 + d), QPointF(8 + d, 13 + d), QPointF(15 + d, 8.5 + d)}));
        p.drawRect(QRectF(14.4 + d, 4 + d, 1.6, 9));
    } else if (kind == QLatin1Char('C')) {
        p.drawRect(QRectF(7.5 + d, 4 + d, 2.4, 9));
        p.drawRect(QRectF(12 + d, 4 + d, 2.4, 9));
    } else {
        sign.addPolygon(QPolygonF({QPointF(8.5 + d, 4 + d), QPointF(8.5 + d, 13 + d), QPointF(15.5 + d, 8.5 + d)}));
    }
    p.drawPath(sign);
    return pm;
}

TeachPlayer::TeachPlayer(QWidget* parent, const TeachHost& host, FlashPlayback::Clock clock) : TeachPanel(parent) {
    setFrameShape(QFrame::NoFrame);
    resize(twips::ToPixels(host.panelWidth), twips::ToPixels(host.panelHeight));
    teachSF1 = new FlashControl(this, std::move(clock));
    place(teachSF1, 0, 0, host.movieWidth, host.movieHeight);

    teachPicture3 = new QFrame(this);
    teachPicture3->setAutoFillBackground(true);
    teachPicture3->setGeometry(px(host.bar));
    const int barLeft = qMax(0, -host.bar.x());  // the bar reaches past the panel's left edge
    teachfSlider = new QFrame(teachPicture3);
    place(teachfSlider, barLeft, 0, host.barLefts[1] - barLeft, host.bar.height());
    teachimgP1 = new QLabel(teachfSlider);
    teachimgP1->setGeometry(px(host.track));
    teachimgP1->setStyleSheet(QStringLiteral("background:#C9D6E8;border:1px solid #8DA2C0;border-radius:3px;"));
    teachimgP0 = new ThumbLabel(teachfSlider);
    teachimgP0->setGeometry(px(host.thumb));
    teachimgP0->setStyleSheet(QStringLiteral("background:#3A7BD5;border:1px solid #1E56A8;border-radius:4px;"));
    teachlabPofPS = new QLabel(QStringLiteral("0/0"), teachfSlider);
    place(teachlabPofPS, host.barLefts[0], 60, 915, 195);
    teachlabPofPS->setAlignment(Qt::AlignCenter);
    teachlabPe = new QLabel(QStringLiteral("1/100"), teachfSlider);
    teachlabPe->hide();

    auto button = [this, &host](int slot) {
        auto* b = new ClickableLabel(teachPicture3);
        place(b, host.barLefts[slot], 30, 330, 255);
        b->setAlignment(Qt::AlignCenter);
        return b;
    };
    auto caption = [this, &host](const QString& text, int slot, int nextLeft) {
        auto* l = new ClickableLabel(text, teachPicture3);
        place(l, host.barLefts[slot], 60, nextLeft - host.barLefts[slot], 195);
        l->setCursor(Qt::PointingHandCursor);
        return l;
    };
    teachcmdBack = button(1);
    teachlabU = caption(QStringLiteral("上一页"), 2, host.barLefts[3]);
    teachcmdPause = button(3);
    teachlabP = caption(QStringLiteral("暂 停"), 4, host.barLefts[5]);
    teachcmdNext = button(5);
    teachlabN = caption(QStringLiteral("下一页"), 6, host.bar.width() - 60);

    player = std::make_unique<TeachPlayerController>(host, teachSF1->playback(), makeView());
    connectHandlers();
    showControls();
}

TeachPlayerView TeachPlayer::makeView() {
    TeachPlayerView v;
    v.setTimer1 = MemberHook(this, &TeachPlayer::setTimer1);
    v.setTimer2 = MemberHook(this, &TeachPlayer::setTimer2);
    v.placePanel = MemberHook(this, &TeachPlayer::placePanel);
    v.showControls = MemberHook(this, &TeachPlayer::showControls);
    return v;
}

void TeachPlayer::connectHandlers() {
    TeachPlayerController& l = *player;
    teachcmdBack->onClick = [&l] { l.teachcmdBack_Click(); };
    teachcmdBack->onMouseDown = [&l] { l.teachcmdBack_MouseDown(); };
    teachcmdBack->onMouseUp = [&l] { l.teachcmdBack_MouseUp(); };
    teachcmdNext->onClick = [&l] { l.teachcmdNext_Click(); };
    teachcmdNext->onMouseDown = [&l] { l.teachcmdNext_MouseDown(); };
    teachcmdNext->onMouseUp = [&l] { l.teachcmdNext_MouseUp(); };
    teachcmdPause->onClick = [&l] { l.teachcmdPause_Click(); };
    teachcmdPause->onMouseDown = [&l] { l.teachcmdPause_MouseDown(); };
    teachcmdPause->onMouseUp = [&l] { l.teachcmdPause_MouseUp(); };
    teachlabU->onClick = [&l] { l.teachlabU_Click(); };
    teachlabN->onClick = [&l] { l.teachlabN_Click(); };
    teachlabP->onClick = [&l] { l.teachlabP_Click(); };
    teachimgP0->onMouseDown = [&l] { l.teachimgP0_MouseDown(); };
    teachimgP0->onMouseMove = [&l](int x) { l.teachimgP0_MouseMove(x); };
    teachimgP0->onMouseUp = [&l] { l.teachimgP0_MouseUp(); };
    connect(teachTimer1, &QTimer::timeout, this, [&l] { l.teachTimer1_Timer(); });
    connect(teachTimer2, &QTimer::timeout, this, [&l] { l.teachTimer2_Timer(); });
}

TeachPlayer::~TeachPlayer() = default;

void TeachPlayer::TeachLoadMovie() { player->TeachLoadMovie(); }

void TeachPlayer::setTimer1(bool on) { on ? teachTimer1->start() : teachTimer1->stop(); }

void TeachPlayer::setTimer2(bool on) { on ? teachTimer2->start() : teachTimer2->stop(); }

void TeachPlayer::placePanel(int left, int top) { move(twips::ToPixels(left), twips::ToPixels(top)); }

void TeachPlayer::showControls() {
    const TeachControls& c = player->controls();
    auto button = [](ClickableLabel* w, const TeachButtonState& s) {
        w->setPixmap(ButtonPicture(s.picture));
        w->setEnabled(s.enabled);
        w->setFrameShape(s.border ? QFrame::Box : QFrame::NoFrame);
    };
    auto caption = [](ClickableLabel* w, const TeachCaptionState& s) {
        w->setText(s.caption);
        w->setVisible(s.visible);
        w->setEnabled(s.enabled);
    };
    button(teachcmdBack, c.teachcmdBack);
    button(teachcmdPause, c.teachcmdPause);
    button(teachcmdNext, c.teachcmdNext);
    caption(teachlabU, c.teachlabU);
    caption(teachlabP, c.teachlabP);
    caption(teachlabN, c.teachlabN);
    teachlabPofPS->setText(c.teachlabPofPS);
    teachlabPe->setText(c.teachlabPe);
    teachimgP0->move(twips::ToPixels(c.thumbLeft), teachimgP0->y());
    teachimgP0->setToolTip(c.thumbToolTip);
}
