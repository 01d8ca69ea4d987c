#include "imaging/ui/cropwindow.h"

#include "imaging/ui/previewbox.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"

#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>

#include <tuple>

namespace {

// Widgets hold whole pixels within Qt's size limit; a picture zoomed past it is shown clipped.
QRect pixelRect(const CropBox& b) {
    const auto px = [](double t) { return twips::ToPixels(qBound(-1.5e8, t, 1.5e8)); };
    return QRect(px(b.left), px(b.top), px(b.width), px(b.height));
}

ClickableLabel* clickPicture(QWidget* parent, const QString& text, const QRect& r) {
    auto* l = new ClickableLabel(text, parent);
    l->setGeometry(r);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

QComboBox* stepList(QWidget* parent, const QStringList& items, const QString& text, const QRect& r) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->addItems(items);
    c->setEditText(text);
    c->setGeometry(r);
    return c;
}

}  // namespace

void CropPicture::setPicture(const QImage& picture) {
    m_picture = picture;
    m_scaled = QImage();
    update();
}

void CropPicture::paintEvent(QPaintEvent*) {
    if (m_picture.isNull() || width() <= 0 || height() <= 0) return;
    QPainter p(this);
    // A copy scaled to the shown size serves every repaint until the size changes; past the
    // source's own size the source is drawn directly, only where it is exposed.
    if (qint64(width()) * height() <= qint64(m_picture.width()) * m_picture.height()) {
        if (m_scaled.size() != size())
            m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        p.drawImage(0, 0, m_scaled);
    } else {
        m_scaled = QImage();
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), m_picture);
    }
}

void CropPicture::mousePressEvent(QMouseEvent* e) {
    if (onMouseDown) onMouseDown(e);
}
void CropPicture::mouseMoveEvent(QMouseEvent* e) {
    if (onMouseMove) onMouseMove(e);
}
void CropPicture::mouseReleaseEvent(QMouseEvent* e) {
    if (onMouseUp) onMouseUp(e);
}

CropFrame::CropFrame(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void CropFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(Qt::red, 1, Qt::DashLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

CropWindow::CropWindow(QWidget* parent) : QDialog(parent), m_logic(makeView()) {
    setWindowTitle(QStringLiteral("图像剪载"));
    buildControls();
    connectHandlers();
    Form_Load();
}

void CropWindow::buildControls() {
    setFixedSize(1000, 640);
    const int vw = twips::ToPixels(CropGeometry::kViewportWidth);
    const int vh = twips::ToPixels(CropGeometry::kViewportHeight);
    picFrame = new QWidget(this);
    picFrame->setGeometry(10, 10, vw, vh);
    picPic = new QWidget(picFrame);
    picPic->setAutoFillBackground(true);
    QPalette white = picPic->palette();
    white.setColor(QPalette::Window, Qt::white);
    picPic->setPalette(white);
    picPic->setGeometry(0, 0, vw, vh);
    imgPic = new CropPicture(picPic);
    imgViewSelect = new QLabel(picPic);
    imgViewSelect->hide();
    shaCut = new CropFrame(picPic);
    scrW = new QScrollBar(Qt::Horizontal, this);
    scrW->setGeometry(10, 10 + vh, vw, 17);
    scrH = new QScrollBar(Qt::Vertical, this);
    scrH->setGeometry(10 + vw, 10, 17, vh);
    for (QScrollBar* s : {scrW, scrH}) {
        s->setEnabled(false);
        s->setSingleStep(150);
        s->setPageStep(1500);
    }

    const int x = 760;
    auto* stepLabel = new QLabel(QStringLiteral("每次缩放倍数"), this);
    stepLabel->setGeometry(x, 10, 100, 22);
    cobStep = stepList(this, {"1.1", "1.2", "1.3", "1.5", "2", "2.5"}, QStringLiteral("1.1"), QRect(x + 105, 10, 80, 22));
    imgZoomIn = clickPicture(this, QStringLiteral("放大"), QRect(x, 40, 80, 28));
    imgZoomOut = clickPicture(this, QStringLiteral("缩小"), QRect(x + 105, 40, 80, 28));
    auto* moveLabel = new QLabel(QStringLiteral("每次移动距离"), this);
    moveLabel->setGeometry(x, 85, 100, 22);
    cobMoveStep = stepList(this, {"0.5", "1", "2", "5", "10", "15", "30", "50"}, QStringLiteral("2"),
                           QRect(x + 105, 85, 60, 22));
    auto* mmLabel = new QLabel(QStringLiteral("毫米"), this);
    mmLabel->setGeometry(x + 170, 85, 40, 22);
    imgUp = clickPicture(this, QStringLiteral("上移"), QRect(x + 70, 115, 60, 28));
    imgLeft = clickPicture(this, QStringLiteral("左移"), QRect(x, 148, 60, 28));
    imgRight = clickPicture(this, QStringLiteral("右移"), QRect(x + 140, 148, 60, 28));
    imgDown = clickPicture(this, QStringLiteral("下移"), QRect(x + 70, 181, 60, 28));
    sli1 = new QSlider(Qt::Horizontal, this);
    sli1->setRange(-100, 100);
    sli1->setGeometry(x, 225, 200, 24);
    imgAutoFit = clickPicture(this, QStringLiteral("适合"), QRect(x, 265, 95, 28));
    imgNotAutoFit = clickPicture(this, QStringLiteral("不适合"), QRect(x, 265, 95, 28));
    imgNotAutoFit->hide();
    imgView = clickPicture(this, QStringLiteral("预览"), QRect(x + 105, 265, 95, 28));
    imgCancelView = clickPicture(this, QStringLiteral("取消预览"), QRect(x + 105, 265, 95, 28));
    imgCancelView->hide();
    cmdLeft = new QPushButton(QStringLiteral("↶"), this);
    cmdLeft->setToolTip(QStringLiteral("逆时针旋转90度"));
    cmdLeft->setGeometry(x, 310, 40, 30);
    (new QLabel(QStringLiteral("左旋 90度"), this))->setGeometry(x + 45, 310, 60, 30);
    cmdRight = new QPushButton(QStringLiteral("↷"), this);
    cmdRight->setToolTip(QStringLiteral("顺时针旋转90度"));
    cmdRight->setGeometry(x + 110, 310, 40, 30);
    (new QLabel(QStringLiteral("右旋 90度"), this))->setGeometry(x + 155, 310, 60, 30);
    cmdOK = new QPushButton(QStringLiteral("&Y.确 定"), this);
    cmdOK->setGeometry(x + 100, 590, 110, 32);

    labInstruction = new QLabel(
        QStringLiteral("操作说明：请您点击“缩小、放大、向(左、右、上、下)移”等按钮，把图像中您需要上传的部份移动到红色虚框"
                       "内，然后点击右下角的“确定”按钮，红色虚框内的图像将被上传到相关的功能设置相册中。"),
        this);
    labInstruction->setWordWrap(true);
    labInstruction->setGeometry(10, 40 + vh, vw, 60);

    picWaiting = new QWidget(this);
    picWaiting->setAutoFillBackground(true);
    picWaiting->setGeometry(10 + vw / 2 - 150, 10 + vh / 2 - 30, 300, 60);
    auto* waitText = new QLabel(QStringLiteral("正在处理图像数据，请您稍候..."), picWaiting);
    waitText->setGeometry(0, 0, 300, 60);
    waitText->setAlignment(Qt::AlignCenter);
    picWaiting->hide();

    previewBox = new PreviewBox(this);
    previewBox->hide();
}

void CropWindow::connectHandlers() {
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdLeft, &QPushButton::clicked, this, [this] { cmdLeft_Click(); });
    connect(cmdRight, &QPushButton::clicked, this, [this] { cmdRight_Click(); });
    imgZoomIn->onClick = [this] { imgZoomIn_Click(); };
    imgZoomOut->onClick = [this] { imgZoomOut_Click(); };
    imgLeft->onClick = [this] { imgLeft_Click(); };
    imgRight->onClick = [this] { imgRight_Click(); };
    imgUp->onClick = [this] { imgUp_Click(); };
    imgDown->onClick = [this] { imgDown_Click(); };
    imgAutoFit->onClick = [this] { imgAutoFit_Click(); };
    imgNotAutoFit->onClick = [this] { imgNotAutoFit_Click(); };
    imgView->onClick = [this] { imgView_Click(); };
    imgCancelView->onClick = [this] { imgCancelView_Click(); };
    const auto inTwips = [](QMouseEvent* e) { return QPointF(e->position() * twips::kPerPixel); };
    imgPic->onMouseDown = [this, inTwips](QMouseEvent* e) { imgPic_MouseDown(inTwips(e).x(), inTwips(e).y()); };
    imgPic->onMouseMove = [this, inTwips](QMouseEvent* e) { imgPic_MouseMove(inTwips(e).x(), inTwips(e).y()); };
    imgPic->onMouseUp = [this](QMouseEvent*) { imgPic_MouseUp(); };
    // Change and Scroll of the scroll bars do the same; valueChanged stands for both.
    connect(scrW, &QScrollBar::valueChanged, this, [this] { scrW_Change(); });
    connect(scrH, &QScrollBar::valueChanged, this, [this] { scrH_Change(); });
    connect(sli1, &QSlider::valueChanged, this, [this] { sli1_Scroll(); });
}

CropDialogView CropWindow::makeView() {
    CropDialogView v;
    v.place = MemberHook(this, &CropWindow::place);
    v.showPicture = MemberHook(this, &CropWindow::showPicture);
    v.turnedPreview = MemberHook(this, &CropWindow::turnedPreview);
    v.setFrameVisible = MemberHook(this, &CropWindow::setFrameVisible);
    v.maximise = MemberHook(this, &CropWindow::maximise);
    return v;
}

void CropWindow::showPicture(const QImage& picture) { imgPic->setPicture(picture); }

QImage CropWindow::turnedPreview(const QImage& unturned, int degrees) {
    return previewBox->TurnedPicture(unturned, degrees);
}

void CropWindow::setFrameVisible(bool shown) {
    shaCut->setVisible(shown);
    shaCut->repaint();
}

void CropWindow::maximise() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showMaximized();
    picFrame->setGeometry(0, 0, width(), height());
    picFrame->raise();
    picFrame->repaint();
}

void CropWindow::place(const CropGeometry& g) {
    picPic->setGeometry(pixelRect(g.canvas));
    shaCut->setGeometry(pixelRect(g.frame));
    imgPic->setGeometry(pixelRect(g.picture));
    for (auto [bar, enabled, max] : {std::tuple{scrW, g.scrWEnabled, g.scrWMax}, std::tuple{scrH, g.scrHEnabled, g.scrHMax}}) {
        const QSignalBlocker quiet(bar);
        bar->setEnabled(enabled);
        bar->setMaximum(max);
    }
    imgAutoFit->setVisible(!g.fitted);
    imgNotAutoFit->setVisible(g.fitted);
}

void CropWindow::Form_Load() { m_logic.load(); }

void CropWindow::cmdOK_Click() {
    m_logic.confirm();
    accept();
}

void CropWindow::quarterTurn(QPushButton* button, int direction) {
    picWaiting->show();
    picWaiting->raise();
    picWaiting->repaint();
    button->setEnabled(false);
    m_logic.quarterTurn(direction);
    button->setEnabled(true);
    picWaiting->hide();
}

void CropWindow::cmdLeft_Click() { quarterTurn(cmdLeft, -1); }
void CropWindow::cmdRight_Click() { quarterTurn(cmdRight, 1); }

void CropWindow::move(int dx, int dy) {
    shaCut->show();
    m_logic.geometry.move(dx, dy, cobMoveStep->currentText());
    place(m_logic.geometry);
}

void CropWindow::imgLeft_Click() { move(-1, 0); }
void CropWindow::imgRight_Click() { move(1, 0); }
void CropWindow::imgUp_Click() { move(0, -1); }
void CropWindow::imgDown_Click() { move(0, 1); }

void CropWindow::zoom(bool in) {
    shaCut->show();
    m_logic.geometry.zoom(in, cobStep->currentText());
    place(m_logic.geometry);
    imgPic->show();
}

void CropWindow::imgZoomIn_Click() { zoom(true); }
void CropWindow::imgZoomOut_Click() { zoom(false); }

void CropWindow::sli1_Scroll() {
    shaCut->show();
    m_logic.geometry.slide(sli1->value());
    place(m_logic.geometry);
    imgPic->show();
}

void CropWindow::imgAutoFit_Click() {
    m_logic.geometry.fit();
    place(m_logic.geometry);
}

void CropWindow::imgNotAutoFit_Click() {
    m_logic.geometry.notFit();
    place(m_logic.geometry);
}

void CropWindow::imgView_Click() {
    shaCut->hide();
    const QImage cut = m_logic.preview();
    imgViewSelect->setPixmap(QPixmap::fromImage(cut));
    imgViewSelect->setGeometry(QRect(shaCut->geometry().topLeft(), cut.size()));
    imgPic->hide();
    imgViewSelect->show();
    imgViewSelect->raise();
    imgView->hide();
    imgCancelView->show();
}

void CropWindow::imgCancelView_Click() {
    shaCut->show();
    imgViewSelect->clear();
    imgViewSelect->hide();
    imgPic->show();
    imgPic->repaint();
    imgView->show();
    imgCancelView->hide();
}

void CropWindow::imgPic_MouseDown(double, double) {
    if (m_logic.geometry.mouseDown()) imgPic->setCursor(Qt::SizeAllCursor);
}

void CropWindow::imgPic_MouseMove(double X, double Y) {
    if (!m_logic.geometry.dragActive) return;
    m_logic.geometry.mouseMove(X, Y);
    place(m_logic.geometry);
}

void CropWindow::imgPic_MouseUp() {
    m_logic.geometry.mouseUp();
    imgPic->unsetCursor();
}

void CropWindow::scrW_Change() {
    m_logic.geometry.scrollW(scrW->value());
    place(m_logic.geometry);
}

void CropWindow::scrH_Change() {
    m_logic.geometry.scrollH(scrH->value());
    place(m_logic.geometry);
}
