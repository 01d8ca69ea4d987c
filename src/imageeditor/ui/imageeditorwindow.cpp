#include "imageeditor/ui/imageeditorwindow.h"

#include "state/loginstate.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"
#include "state/loginstate.h"

#include <QAction>
#include <QCheckBox>
#include <QMouseEvent>
#include <QPainterPath>
#include <QSlider>
#include <QTimer>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>
#include <cmath>

using twips::ToPixels;

namespace {
// The design: client area 15360 × 10680; border and caption bar add 120 × 510 to the outer size.
constexpr int kClientWidth = 15360;
constexpr int kClientHeight = 10680;
constexpr int kDecorationWidth = 120;
constexpr int kDecorationHeight = 510;
// The work area is the outer size less these margins.
constexpr int kWorkMarginWidth = 2295;
constexpr int kWorkMarginHeight = 2805;
// The viewport's place in the work area, under the toolbar, right of the tool column.
constexpr int kViewportLeft = 2220;
constexpr int kViewportTop = 405;
constexpr int kStatusHeight = 300;

QLabel* MakeLabel(const QString& text, QWidget* parent, int left, int top, int width, int height) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    return label;
}

QPushButton* MakeButton(const QString& text, QWidget* parent, int left, int top, int width, int height) {
    auto* button = new QPushButton(text, parent);
    // Enter in the size boxes has handlers of its own; no button takes it.
    button->setAutoDefault(false);
    button->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    return button;
}

// Our own pictures of the imgButton keys and of the strips' arrows, painted at the size asked.
QPixmap ToolPicture(const QString& key, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    const QColor ink(0x33, 0x55, 0x99);
    const auto arrow = [&](double angle) {
        p.translate(w / 2, h / 2);
        p.rotate(angle);
        const double s = std::min(w, h) * 0.42;
        QPainterPath path;
        path.moveTo(0, -s);
        path.lineTo(s, 0);
        path.lineTo(s * 0.35, 0);
        path.lineTo(s * 0.35, s);
        path.lineTo(-s * 0.35, s);
        path.lineTo(-s * 0.35, 0);
        path.lineTo(-s, 0);
        path.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(path);
        p.resetTransform();
    };
    // A small mark in the lower right: the plus of an adding tool, the cross of a removing one.
    const auto mark = [&](bool add) {
        const double s = std::min(w, h) * 0.32;
        const QRectF r(w - s - 1, h - s - 1, s, s);
        p.setPen(Qt::NoPen);
        p.setBrush(add ? QColor(0x2E, 0x9E, 0x44) : QColor(0xD0, 0x30, 0x30));
        p.drawEllipse(r);
        p.setPen(QPen(Qt::white, 1.5));
        const QPointF c = r.center();
        const double a = s * 0.28;
        if (add) {
            p.drawLine(QPointF(c.x() - a, c.y()), QPointF(c.x() + a, c.y()));
            p.drawLine(QPointF(c.x(), c.y() - a), QPointF(c.x(), c.y() + a));
        } else {
            p.drawLine(QPointF(c.x() - a, c.y() - a), QPointF(c.x() + a, c.y() + a));
            p.drawLine(QPointF(c.x() - a, c.y() + a), QPointF(c.x() + a, c.y() - a));
        }
    };
    const QRectF body(1, 1, w * 0.78, h * 0.78);
    if (key == QLatin1String("Up")) {
        arrow(0);
    } else if (key == QLatin1String("Right")) {
        arrow(90);
    } else if (key == QLatin1String("Down")) {
        arrow(180);
    } else if (key == QLatin1String("Left")) {
        arrow(270);
    } else if (key == QLatin1String("ZoomIn") || key == QLatin1String("ZoomOut")) {
        p.setPen(QPen(ink, 2));
        p.setBrush(QColor(0xE8, 0xF1, 0xFB));
        const double r = std::min(w, h) * 0.3;
        p.drawEllipse(QPointF(w * 0.42, h * 0.42), r, r);
        p.drawLine(QPointF(w * 0.42 + r * 0.7, h * 0.42 + r * 0.7), QPointF(w * 0.92, h * 0.92));
        p.drawLine(QPointF(w * 0.42 - r * 0.5, h * 0.42), QPointF(w * 0.42 + r * 0.5, h * 0.42));
        if (key == QLatin1String("ZoomIn")) p.drawLine(QPointF(w * 0.42, h * 0.42 - r * 0.5), QPointF(w * 0.42, h * 0.42 + r * 0.5));
    } else if (key == QLatin1String("Cut")) {
        p.setPen(QPen(ink, 2));
        p.drawPolyline(QPolygonF({QPointF(w * 0.25, 1), QPointF(w * 0.25, h * 0.75), QPointF(w - 1, h * 0.75)}));
        p.drawPolyline(QPolygonF({QPointF(1, h * 0.25), QPointF(w * 0.75, h * 0.25), QPointF(w * 0.75, h - 1)}));
    } else if (key.endsWith(QLatin1String("Border"))) {
        p.setPen(QPen(QColor(0xC8, 0x96, 0x3C), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(body.adjusted(1.5, 1.5, -1.5, -1.5));
        mark(key.startsWith(QLatin1String("Add")));
    } else if (key.endsWith(QLatin1String("Picture"))) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xE8, 0xF1, 0xFB));
        p.drawRect(body);
        p.setBrush(QColor(0x4C, 0x9A, 0x5A));
        p.drawPolygon(QPolygonF({QPointF(body.left(), body.bottom()), QPointF(body.center().x() - 2, body.top() + body.height() * 0.4),
                                 QPointF(body.right(), body.bottom())}));
        mark(key.startsWith(QLatin1String("Add")));
    } else if (key.endsWith(QLatin1String("Text")) || key == QLatin1String("WaterMark")) {
        QFont f;
        f.setPixelSize(int(h * 0.7));
        f.setBold(true);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(body, Qt::AlignCenter, key == QLatin1String("WaterMark") ? QStringLiteral("A") : QStringLiteral("T"));
        if (key != QLatin1String("WaterMark")) mark(key.startsWith(QLatin1String("Add")));
    } else if (key == QLatin1String("Merge")) {
        p.setPen(QPen(ink, 1));
        for (int i = 2; i >= 0; --i) {
            p.setBrush(QColor::fromHsv(210, 40 + 60 * i, 250 - 20 * i));
            p.drawRect(QRectF(2 + i * w * 0.12, 2 + i * h * 0.12, w * 0.6, h * 0.6));
        }
    } else if (key == QLatin1String("Help")) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QRectF(1, 1, w - 2, h - 2));
        QFont f;
        f.setPixelSize(int(h * 0.7));
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, w, h), Qt::AlignCenter, QStringLiteral("?"));
    } else if (key == QLatin1String("Close")) {
        p.setPen(QPen(QColor(0xD0, 0x30, 0x30), 2));
        p.drawLine(QPointF(w * 0.2, h * 0.2), QPointF(w * 0.8, h * 0.8));
        p.drawLine(QPointF(w * 0.2, h * 0.8), QPointF(w * 0.8, h * 0.2));
    } else if (key == QLatin1String("Back")) {
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(0xE8, 0xF1, 0xFB));
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 4, 4);
        QFont f;
        f.setPixelSize(int(h * 0.45));
        p.setFont(f);
        p.drawText(QRectF(0, 0, w, h), Qt::AlignCenter, QStringLiteral("关闭"));
    } else if (key == QLatin1String("Previous") || key == QLatin1String("Next")) {
        // The strips' arrows point along the strip: sideways when wide, up and down when tall.
        const bool next = key == QLatin1String("Next");
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        QPolygonF tri;
        if (w >= h)
            tri = next ? QPolygonF({QPointF(w * 0.35, 2), QPointF(w * 0.65, h / 2), QPointF(w * 0.35, h - 2)})
                       : QPolygonF({QPointF(w * 0.65, 2), QPointF(w * 0.35, h / 2), QPointF(w * 0.65, h - 2)});
        else
            tri = next ? QPolygonF({QPointF(2, h * 0.35), QPointF(w / 2, h * 0.65), QPointF(w - 2, h * 0.35)})
                       : QPolygonF({QPointF(2, h * 0.65), QPointF(w / 2, h * 0.35), QPointF(w - 2, h * 0.65)});
        p.drawPolygon(tri);
    }
    return pm;
}

// A picture used as a button: a thin border while the mouse button is held on it.
ClickableLabel* MakePictureButton(const QString& key, QWidget* parent, int left, int top, QSize pixels) {
    auto* image = new ClickableLabel(parent);
    image->setPixmap(ToolPicture(key, pixels));
    image->setProperty("key", key);
    image->setAlignment(Qt::AlignCenter);
    image->setGeometry(ToPixels(left), ToPixels(top), pixels.width() + 2, pixels.height() + 2);
    image->setCursor(Qt::PointingHandCursor);
    image->onMouseDown = [image] { image->setFrameShape(QFrame::Box); };
    image->onMouseUp = [image] { image->setFrameShape(QFrame::NoFrame); };
    return image;
}

// A tool with its caption beside it; a click on the caption acts as the tool's.
ClickableLabel* MakeTool(const QString& key, const QString& caption, QWidget* parent, int left, int top,
                         int captionWidth) {
    ClickableLabel* image = MakePictureButton(key, parent, left, top, QSize(20, 20));
    image->setToolTip(caption);
    auto* label = new ClickableLabel(caption, parent);
    label->setGeometry(image->geometry().right() + 3, image->y(), ToPixels(captionWidth), image->height());
    label->setCursor(Qt::PointingHandCursor);
    label->onClick = [image] {
        if (image->onClick) image->onClick();
    };
    return image;
}

QComboBox* MakeStepList(QWidget* parent, const QString& before, const QStringList& items, const QString& text,
                        const QString& after, int top) {
    MakeLabel(before, parent, 120, top + 45, 1080, 255);
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    list->addItems(items);
    list->setEditText(text);
    list->setGeometry(ToPixels(1200), ToPixels(top), ToPixels(660), ToPixels(330));
    MakeLabel(after, parent, 1860, top + 45, 360, 255);
    return list;
}

QFrame* MakePanel(QWidget* parent, int left, int top, int width, int height) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setAutoFillBackground(true);
    panel->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    panel->hide();
    return panel;
}

// The text layer under the mouse: 0 to 2, or -1.
int labelIndex(CanvasHit hit) {
    switch (hit) {
    case CanvasHit::Mark0: return 0;
    case CanvasHit::Mark1: return 1;
    case CanvasHit::Mark2: return 2;
    default: return -1;
    }
}

}  // namespace

EditorCanvasWidget::EditorCanvasWidget(ImageEditorController& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QPointF EditorCanvasWidget::twipsAt(const QMouseEvent* event) const {
    return event->position() * double(m_editor.layers.MeasuredTwipsPerPixel);
}

void EditorCanvasWidget::mousePressEvent(QMouseEvent* event) {
    m_pressed = m_editor.layers.canvas.hitTest(twipsAt(event), m_editor.layers.MeasuredTwipsPerPixel);
    if (m_pressed == CanvasHit::Base)
        m_editor.imgPic_MouseDown();
    else if (m_pressed == CanvasHit::AddPic)
        m_editor.imgAddPic_MouseDown();
    else if (const int i = labelIndex(m_pressed); i >= 0)
        m_editor.labWaterMark_MouseDown(i);
    showPointer(twipsAt(event));
}

void EditorCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = twipsAt(event);
    if (m_pressed == CanvasHit::Base) {
        const QPointF x = at - m_editor.layers.canvas.imgPic.rect.topLeft();
        m_editor.imgPic_MouseMove(x.x(), x.y());
    } else if (m_pressed == CanvasHit::AddPic) {
        const QPointF x = at - m_editor.layers.canvas.imgAddPic.rect.topLeft();
        m_editor.imgAddPic_MouseMove(x.x(), x.y());
    } else if (const int i = labelIndex(m_pressed); i >= 0) {
        const QPointF x = at - m_editor.layers.canvas.labWaterMark[size_t(i)].topLeft;
        m_editor.labWaterMark_MouseMove(i, x.x(), x.y());
    }
    showPointer(at);
}

void EditorCanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    const CanvasHit pressed = m_pressed;
    m_pressed = CanvasHit::None;
    if (pressed == CanvasHit::Base)
        m_editor.imgPic_MouseUp();
    else if (pressed == CanvasHit::AddPic)
        m_editor.imgAddPic_MouseUp();
    else if (const int i = labelIndex(pressed); i >= 0)
        m_editor.labWaterMark_MouseUp(i);
    showPointer(twipsAt(event));
}

// The size-all pointer over the inserted picture, and over the base picture while it is dragged.
void EditorCanvasWidget::showPointer(const QPointF& at) {
    const CanvasHit over = m_pressed != CanvasHit::None ? m_pressed : m_editor.layers.canvas.hitTest(at, m_editor.layers.MeasuredTwipsPerPixel);
    const int label = labelIndex(over);
    const bool sizeAll = over == CanvasHit::AddPic || (over == CanvasHit::Base && m_editor.tools.PictureDragging) ||
                         (label >= 0 && m_editor.layers.canvas.labWaterMark[size_t(label)].sizeAllPointer);
    setCursor(sizeAll ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void EditorCanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRect(event->rect());
    PaintCanvas(painter, m_editor.layers.canvas, m_editor.layers.MeasuredTwipsPerPixel, true);
}

ImageEditorWindow::ImageEditorWindow(QWidget* parent) : QDialog(parent) {
    setModal(true);
    setWindowTitle(editor.files.caption);

    buildAdStrips();
    buildWorkArea();
    buildSizePanel();
    buildHelp();
    buildTextPanels();

    staPicInfo = new QStatusBar(this);
    staPicInfo->setSizeGripEnabled(false);
    staPicInfo->addWidget(new QLabel(staPicInfo), 1);
    staPicInfo->addWidget(new QLabel(staPicInfo), 1);

    wireView();
    wireWorkArea();
    wireTools();
    wireTextPanels();

    resize(ToPixels(kClientWidth), ToPixels(kClientHeight));
    if (SmallScreen) {
        // Start-up lays the canvas out for the maximised size, which a hidden window only gets
        // once it is shown.
        if (const QScreen* s = screen())
            resize(s->availableGeometry().width() - ToPixels(kDecorationWidth),
                   s->availableGeometry().height() - ToPixels(kDecorationHeight));
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    Form_Resize();
    Form_Load();
}

double ImageEditorWindow::outerWidthTwips() const { return twips::FromPixels(width()) + kDecorationWidth; }
double ImageEditorWindow::outerHeightTwips() const { return twips::FromPixels(height()) + kDecorationHeight; }

void ImageEditorWindow::wireView() {
    ImageEditorView& v = editor.view;
    v.refresh = MemberHook(this, &ImageEditorWindow::showState);
    v.focusWidthBox = MemberHook(this, &ImageEditorWindow::focusWidthBox);
    v.focusHeightBox = MemberHook(this, &ImageEditorWindow::focusHeightBox);
    v.focusScrollBar = MemberHook(this, &ImageEditorWindow::focusScrollBar);
    v.focusWatermarkBox = MemberHook(this, &ImageEditorWindow::focusWatermarkBox);
    v.measureImg500p = MemberHook(this, &ImageEditorWindow::measureImg500p);
    v.unload = MemberHook(this, &ImageEditorWindow::reject);
    v.navigateAd = MemberHook(this, &ImageEditorWindow::navigateAd);
}

void ImageEditorWindow::wireWorkArea() {
    connect(tooPicOpen, &QAction::triggered, this, [this] { editor.tooPic_ButtonClick(QStringLiteral("Open")); });
    connect(tooPicSave, &QAction::triggered, this, [this] { editor.tooPic_ButtonClick(QStringLiteral("Save")); });
    cmdHelp->onClick = [this] { editor.cmdHelp_Click(); };
    picBack->onClick = [this] { editor.picBack_Click(); };
    connect(cobSetSize, &QComboBox::activated, this, [this] { cobSetSize_Click(); });
    connect(cmdOtherSize, &QPushButton::clicked, this, [this] { editor.cmdOtherSize_Click(); });
    connect(cmdSetSizeYes, &QPushButton::clicked, this, [this] { cmdSetSizeYes_Click(); });
    connect(cmdSetSizeCancel, &QPushButton::clicked, this, [this] { editor.cmdSetSizeCancel_Click(); });
    connect(vscr1, &QScrollBar::valueChanged, this, [this](int v) { vscr1_Change(v); });
    txtSizeW->installEventFilter(this);
    txtSizeH->installEventFilter(this);
    connect(cmdCloseHelp, &QPushButton::clicked, this, [this] { editor.cmdCloseHelp_Click(); });
    picCloseHelp->onClick = [this] { editor.cmdCloseHelp_Click(); };
    for (int i = 0; i < 4; ++i) imgAD[size_t(i)]->onClick = [this, i] { editor.imgAD_Click(i); };
    connect(TimerAD, &QTimer::timeout, this, [this] { editor.TimerAD_Timer(); });
}

void ImageEditorWindow::wireTools() {
    imgUp->onClick = [this] { editor.MovePicture(MoveDirection::Up); };
    imgDown->onClick = [this] { editor.MovePicture(MoveDirection::Down); };
    imgLeft->onClick = [this] { editor.MovePicture(MoveDirection::Left); };
    imgRight->onClick = [this] { editor.MovePicture(MoveDirection::Right); };
    connect(cobMoveStep, &QComboBox::currentTextChanged, this, [this](const QString& t) { editor.tools.cobMoveStepText = t; });
    connect(cobStep, &QComboBox::currentTextChanged, this, [this](const QString& t) { editor.tools.cobStepText = t; });
    imgZoomOut->onClick = [this] { editor.imgZoomOut_Click(); };
    imgZoomIn->onClick = [this] { editor.imgZoomIn_Click(); };
    // Only the member's moves reach the handler: showing the state blocks the slider's signals.
    connect(sli1, &QSlider::valueChanged, this, [this](int v) { editor.sli1_Scroll(v); });
    imgCutPic->onClick = [this] { editor.imgCutPic_Click(); };
    imgAddWaterMark->onClick = [this] { editor.imgAddWaterMark_Click(); };
    imgSetBorder->onClick = [this] { editor.imgSetBorder_Click(); };
    imgSetAddPic->onClick = [this] { editor.imgSetAddPic_Click(); };
    connect(chePicBorder, &QCheckBox::clicked, this, [this](bool ticked) { editor.chePicBorder_Click(ticked); });
    imgText->onClick = [this] { editor.imgText_Click(); };
    imgHBPic->onClick = [this] { editor.imgHBPic_Click(); };
}

void ImageEditorWindow::wireTextPanels() {
    for (int i = 0; i < 2; ++i) {
        const size_t n = size_t(i);
        connect(txtWaterMarkLine[n], &QLineEdit::textChanged, this,
                [this, i](const QString& t) { editor.txtWaterMark_Change(i, t); });
        connect(cmdClearText[n], &QPushButton::clicked, this, [this, i] { editor.cmdClearText_Click(i); });
    }
    connect(cmdCloseWaterMark, &QPushButton::clicked, this, [this] { editor.cmdCloseWaterMark_Click(); });
    connect(txtWaterMark2, &QPlainTextEdit::textChanged, this,
            [this] { editor.txtWaterMark_Change(2, txtWaterMark2->toPlainText()); });
    for (int i = 0; i < 3; ++i) wireStyleControls(i);
    connect(txtWidth, &QLineEdit::textChanged, this, [this](const QString& t) { editor.txtWidth_Change(t); });
    connect(txtHeight, &QLineEdit::textChanged, this, [this](const QString& t) { editor.txtHeight_Change(t); });
    // Values set in code are shown with the signals blocked: only the member's moves arrive.
    connect(sliWidth, &QSlider::valueChanged, this, [this](int v) { editor.sliWidth_Scroll(v); });
    connect(sliHeight, &QSlider::valueChanged, this, [this](int v) { editor.sliHeight_Scroll(v); });
    connect(cmdCloseAddText, &QPushButton::clicked, this, [this] { editor.cmdCloseAddText_Click(); });
}

void ImageEditorWindow::wireStyleControls(int i) {
    const size_t n = size_t(i);
    // A choice from a list acts; typing only changes the list's text.
    const std::array<std::pair<QComboBox*, void (ImageEditorController::*)(int, const QString&)>, 3> lists{
        {{cobFont[n], &ImageEditorController::cobFont_Click},
         {cobFontSize[n], &ImageEditorController::cobFontSize_Click},
         {cobFontType[n], &ImageEditorController::cobFontType_Click}}};
    const std::array<QString TextLayerControls::*, 3> listTexts{&TextLayerControls::cobFont, &TextLayerControls::cobFontSize,
                                                                &TextLayerControls::cobFontType};
    for (size_t k = 0; k < lists.size(); ++k) {
        QComboBox* list = lists[k].first;
        connect(list, &QComboBox::activated, this,
                [this, i, list, click = lists[k].second](int index) { (editor.*click)(i, list->itemText(index)); });
        connect(list, &QComboBox::editTextChanged, this,
                [this, n, field = listTexts[k]](const QString& t) { editor.text.controls[n].*field = t; });
    }
    connect(cmdSetFontColor[n], &QPushButton::clicked, this, [this, i] { editor.cmdSetFontColor_Click(i); });
    connect(cmdSetBackColor[n], &QPushButton::clicked, this, [this, i] { editor.cmdSetBackColor_Click(i); });
    const std::array<std::pair<QCheckBox*, void (ImageEditorController::*)(int, bool)>, 5> checks{
        {{cheBackStyle[n], &ImageEditorController::cheBackStyle_Click},
         {cheBorder[n], &ImageEditorController::cheBorder_Click},
         {che3DBorder[n], &ImageEditorController::che3DBorder_Click},
         {cheUnderline[n], &ImageEditorController::cheUnderline_Click},
         {cheStrikethru[n], &ImageEditorController::cheStrikethru_Click}}};
    for (const auto& [box, click] : checks)
        connect(box, &QCheckBox::clicked, this, [this, i, click = click](bool ticked) { (editor.*click)(i, ticked); });
}

void ImageEditorWindow::buildWorkArea() {
    picFrame = new QWidget(this);
    picFrame->move(ToPixels(2160), ToPixels(1905));

    fraWebTools = new QGroupBox(picFrame);
    fraWebTools->setGeometry(ToPixels(-45), ToPixels(-30), ToPixels(2280), ToPixels(5820));
    Label1 = MakeLabel(QStringLiteral("设置图像大小(宽度×高度)"), fraWebTools, 120, 240, 2100, 255);
    cobSetSize = new QComboBox(fraWebTools);
    // The whole width for the list, whose entries end in " (像素)"; the other-size button on the
    // next row, beside the typed size.
    cobSetSize->setGeometry(ToPixels(120), ToPixels(540), ToPixels(2040), ToPixels(330));
    cobSetSize->addItems(SizeListEntries());
    cmdOtherSize = MakeButton(QStringLiteral("其它"), fraWebTools, 1650, 900, 510, 315);
    labOtherSize = MakeLabel(QString(), fraWebTools, 120, 930, 1500, 255);

    tooPic = new QToolBar(picFrame);
    tooPic->setGeometry(ToPixels(kViewportLeft), ToPixels(-15), ToPixels(12975), ToPixels(420));
    tooPicOpen = tooPic->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), QString());
    tooPicOpen->setToolTip(QStringLiteral("打开需要编辑的图像文件"));
    tooPicSave = tooPic->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QString());
    tooPicSave->setToolTip(QStringLiteral("保存"));
    cmdHelp = MakePictureButton(QStringLiteral("Help"), tooPic, 0, 0, QSize(20, 20));
    cmdHelp->setToolTip(QStringLiteral("帮助"));
    tooPic->addWidget(cmdHelp);
    picBack = MakePictureButton(QStringLiteral("Back"), tooPic, 0, 0, QSize(75, 31));
    picBack->setCursor(Qt::ArrowCursor);
    picBack->setToolTip(QStringLiteral("关闭图像编辑"));
    tooPic->addWidget(picBack);

    picPic1 = new QWidget(picFrame);
    picPic1->move(ToPixels(kViewportLeft), ToPixels(kViewportTop));
    picPic = new EditorCanvasWidget(editor, picPic1);
    vscr1 = new QScrollBar(Qt::Vertical, picPic1);
    buildTools();
}

void ImageEditorWindow::buildSizePanel() {
    picSetSize = MakePanel(picFrame, 2400, 600, 3600, 2400);
    MakeLabel(QStringLiteral("请输入图像的大小："), picSetSize, 120, 120, 3000, 255);
    MakeLabel(QStringLiteral("宽度"), picSetSize, 120, 540, 600, 255);
    txtSizeW = new QLineEdit(picSetSize);
    txtSizeW->setGeometry(ToPixels(720), ToPixels(480), ToPixels(1200), ToPixels(330));
    MakeLabel(QStringLiteral("像素"), picSetSize, 2000, 540, 600, 255);
    MakeLabel(QStringLiteral("≤"), picSetSize, 720, 840, 240, 255);
    labMaxWidth = MakeLabel(editor.output.labMaxWidth, picSetSize, 960, 840, 1200, 255);
    MakeLabel(QStringLiteral("高度"), picSetSize, 120, 1200, 600, 255);
    txtSizeH = new QLineEdit(picSetSize);
    txtSizeH->setGeometry(ToPixels(720), ToPixels(1140), ToPixels(1200), ToPixels(330));
    MakeLabel(QStringLiteral("像素"), picSetSize, 2000, 1200, 600, 255);
    MakeLabel(QStringLiteral("≤"), picSetSize, 720, 1500, 240, 255);
    labMaxHeight = MakeLabel(editor.output.labMaxHeight, picSetSize, 960, 1500, 1200, 255);
    cmdSetSizeYes = MakeButton(QStringLiteral("&Y.确认"), picSetSize, 480, 1860, 1200, 375);
    cmdSetSizeCancel = MakeButton(QStringLiteral("&C.取消"), picSetSize, 1920, 1860, 1200, 375);
}

void ImageEditorWindow::focusWidthBox() {
    txtSizeW->setFocus();
    txtSizeW->selectAll();
}

void ImageEditorWindow::focusHeightBox() {
    txtSizeH->setFocus();
    txtSizeH->selectAll();
}

void ImageEditorWindow::focusScrollBar() { vscr1->setFocus(); }

void ImageEditorWindow::focusWatermarkBox() {
    txtWaterMarkLine[0]->setFocus();
    txtWaterMarkLine[0]->selectAll();
}

// Qt lays out in device-independent pixels: the 500-pixel picture is 500 × 15 twips wide.
double ImageEditorWindow::measureImg500p() const { return 500.0 * twips::kPerPixel; }

void ImageEditorWindow::navigateAd(int strip, const QString& address) { (strip == 1 ? webAD1 : webAD2)->Navigate(address); }

void ImageEditorWindow::cmdSetSizeYes_Click() { editor.cmdSetSizeYes_Click(txtSizeW->text(), txtSizeH->text()); }

void ImageEditorWindow::Form_Load() {
    const QStringList fonts = EditorFontNames();
    for (QComboBox* list : cobFont) list->addItems(fonts);
    editor.Form_Load();
    TimerAD->start();
}

void ImageEditorWindow::buildAdStrips() {
    picAD1 = new QWidget(this);
    picAD1->setGeometry(0, 0, ToPixels(2160), ToPixels(kClientHeight - kStatusHeight));
    // Ten pages side by side; the strip shows one.
    webAD1 = new WebBrowser(picAD1);
    webAD1->setGeometry(ToPixels(-30), ToPixels(-30), ToPixels(22800), picAD1->height() + ToPixels(45));
    Picture8 = new QWidget(picAD1);
    Picture8->setAutoFillBackground(true);
    Picture8->setPalette(QPalette(Qt::white));
    Picture8->setGeometry(ToPixels(-30), ToPixels(9855), ToPixels(2145), ToPixels(420));
    labADPage1 = MakeLabel(QStringLiteral("1"), Picture8, 930, 90, 300, 255);

    picAD2 = new QWidget(this);
    picAD2->setGeometry(ToPixels(2160), 0, ToPixels(13200), ToPixels(1905));
    // Ten pages one under another.
    webAD2 = new WebBrowser(picAD2);
    webAD2->setGeometry(ToPixels(-30), ToPixels(-30), ToPixels(13200 + 45), ToPixels(19995));
    Picture9 = new QWidget(picAD2);
    Picture9->setAutoFillBackground(true);
    Picture9->setPalette(QPalette(Qt::white));
    Picture9->setGeometry(ToPixels(13200 - 405), ToPixels(-30), ToPixels(390), ToPixels(1905));
    labADPage2 = MakeLabel(QStringLiteral("1"), Picture9, 60, 840, 300, 255);

    struct Arrow {
        QWidget* bar;
        const char* key;
        int left, top;
        QSize size;
    };
    const Arrow arrows[4] = {{Picture8, "Previous", 30, 30, {54, 20}},
                             {Picture8, "Next", 1230, 30, {54, 20}},
                             {Picture9, "Previous", 0, 30, {20, 54}},
                             {Picture9, "Next", 0, 1020, {20, 54}}};
    for (int i = 0; i < 4; ++i) {
        imgAD[size_t(i)] = MakePictureButton(QString::fromLatin1(arrows[i].key), arrows[i].bar, arrows[i].left,
                                             arrows[i].top, arrows[i].size);
        imgAD[size_t(i)]->setToolTip(i % 2 == 0 ? QStringLiteral("上一页") : QStringLiteral("下一页"));
    }
    imgAD[0]->hide();
    imgAD[2]->hide();

    TimerAD = new QTimer(this);
    TimerAD->setInterval(20000);
}

void ImageEditorWindow::buildTools() {
    cobMoveStep = MakeStepList(fraWebTools, QStringLiteral("每次移动距离"),
                               {QStringLiteral("0.5"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                                QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("50")},
                               editor.tools.cobMoveStepText, QStringLiteral("毫米"), 1230);
    imgUp = MakePictureButton(QStringLiteral("Up"), fraWebTools, 960, 1590, QSize(20, 20));
    imgLeft = MakePictureButton(QStringLiteral("Left"), fraWebTools, 600, 1920, QSize(20, 20));
    imgRight = MakePictureButton(QStringLiteral("Right"), fraWebTools, 1320, 1920, QSize(20, 20));
    imgDown = MakePictureButton(QStringLiteral("Down"), fraWebTools, 960, 2250, QSize(20, 20));
    imgUp->setToolTip(QStringLiteral("向上"));
    imgDown->setToolTip(QStringLiteral("向下"));
    imgLeft->setToolTip(QStringLiteral("向左"));
    imgRight->setToolTip(QStringLiteral("向右"));
    cobStep = MakeStepList(fraWebTools, QStringLiteral("每次缩放倍数"),
                           {QStringLiteral("1.1"), QStringLiteral("1.2"), QStringLiteral("1.3"), QStringLiteral("1.5"),
                            QStringLiteral("2"), QStringLiteral("2.5")},
                           editor.tools.cobStepText, QStringLiteral("倍"), 2640);
    imgZoomOut = MakeTool(QStringLiteral("ZoomOut"), QStringLiteral("缩小"), fraWebTools, 120, 3030, 600);
    imgZoomIn = MakeTool(QStringLiteral("ZoomIn"), QStringLiteral("放大"), fraWebTools, 1140, 3030, 600);
    sli1 = new QSlider(Qt::Horizontal, fraWebTools);
    sli1->setRange(-100, 100);
    sli1->setValue(0);
    sli1->setGeometry(ToPixels(120), ToPixels(3405), ToPixels(2040), ToPixels(300));
    // Six tools one under another, 330 twips apart, so the last ends inside the column's frame.
    constexpr int kToolsTop = 3720;
    constexpr int kToolPitch = 330;
    imgCutPic = MakeTool(QStringLiteral("Cut"), QStringLiteral("剪裁图像"), fraWebTools, 120, kToolsTop, 1080);
    imgAddWaterMark = MakeTool(QStringLiteral("WaterMark"), QStringLiteral("设置水印"), fraWebTools, 120,
                               kToolsTop + kToolPitch, 1080);
    imgSetBorder = MakeTool(editor.tools.imgSetBorderKey, QStringLiteral("插入边框"), fraWebTools, 120,
                            kToolsTop + 2 * kToolPitch, 1080);
    imgSetAddPic = MakeTool(editor.tools.imgSetAddPicKey, QStringLiteral("插入图片"), fraWebTools, 120,
                            kToolsTop + 3 * kToolPitch, 1080);
    imgText = MakeTool(editor.text.imgTextKey, QStringLiteral("插入文字说明"), fraWebTools, 120, kToolsTop + 4 * kToolPitch,
                       1650);
    imgHBPic = MakeTool(QStringLiteral("Merge"), QStringLiteral("合并图层"), fraWebTools, 120,
                        kToolsTop + 5 * kToolPitch, 1080);
    chePicBorder = new QCheckBox(QStringLiteral("边框"), fraWebTools);
    chePicBorder->setGeometry(ToPixels(1500), ToPixels(kToolsTop + 3 * kToolPitch), ToPixels(720), ToPixels(330));
    chePicBorder->hide();
}

void ImageEditorWindow::buildHelp() {
    picHelp = MakePanel(picFrame, 3210, 390, 7305, 4575);
    QPalette red = picHelp->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    for (size_t i = 0; i < Label10.size(); ++i) {
        const HelpLine& line = HelpLines()[i];
        QLabel* label = MakeLabel(line.text, picHelp, 150, 120 + int(i) * 300, 7050, 270);
        if (i == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        if (line.note) label->setPalette(red);
        Label10[i] = label;
    }
    // The Open and Save pictures cover the blanks their steps leave between the quotation marks.
    const auto cover = [this](QLabel* line, const QString& before, QAction* action, QSize size) {
        auto* image = new QLabel(picHelp);
        image->setPixmap(action->icon().pixmap(size));
        const int x = line->x() + line->fontMetrics().horizontalAdvance(before);
        image->setGeometry(x, line->y() + (line->height() - size.height()) / 2, size.width(), size.height());
        return image;
    };
    Image1 = cover(Label10[1], QStringLiteral("第一步：点击打开“"), tooPicOpen, QSize(22, 22));
    Image2 = cover(Label10[12], QStringLiteral("第五步：点击保存“"), tooPicSave, QSize(23, 22));
    cmdCloseHelp = MakeButton(QStringLiteral("&C.关 闭"), picHelp, 3052, 4110, 1200, 375);
    picCloseHelp = MakePictureButton(QStringLiteral("Close"), picHelp, 7305 - 19 * 15 - 90, 45, QSize(19, 19));
}

void ImageEditorWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void ImageEditorWindow::Form_Resize() {
    staPicInfo->setGeometry(0, height() - ToPixels(kStatusHeight), width(), ToPixels(kStatusHeight));
    editor.layout.windowWidth = outerWidthTwips();
    editor.layout.windowHeight = outerHeightTwips();
    const double workWidth = editor.layout.windowWidth - kWorkMarginWidth;
    const double workHeight = editor.layout.windowHeight - kWorkMarginHeight;
    // Too small a window keeps the last layout that fitted.
    if (workWidth - 2235 - 240 <= 0 || workHeight - 465 <= 0) return;
    picFrame->resize(ToPixels(workWidth), ToPixels(workHeight));
    editor.picFrame_Resize(workWidth, workHeight);
}

void ImageEditorWindow::cobSetSize_Click() {
    editor.output.cobSetSizeText = cobSetSize->currentText();
    editor.cobSetSize_Click();
}

void ImageEditorWindow::vscr1_Change(int value) {
    if (m_showing) return;
    editor.layers.canvas.top = -value;
    picPic->move(0, ToPixels(editor.layers.canvas.top));
}

bool ImageEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == txtSizeW) {
                txtSizeH->setFocus();
                txtSizeH->selectAll();
                return true;
            }
            if (watched == txtSizeH) {
                cmdSetSizeYes_Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ImageEditorWindow::showState() {
    m_showing = true;
    setWindowTitle(editor.files.caption);
    const int entry = cobSetSize->findText(editor.output.cobSetSizeText);
    {
        const QSignalBlocker block(cobSetSize);
        cobSetSize->setCurrentIndex(entry);
    }
    labOtherSize->setText(editor.output.labOtherSize);
    labMaxWidth->setText(editor.output.labMaxWidth);
    labMaxHeight->setText(editor.output.labMaxHeight);
    picSetSize->setVisible(editor.output.picSetSizeVisible);
    picAddText->setVisible(editor.text.picAddTextVisible);
    picSetWaterMark->setVisible(editor.text.picSetWaterMarkVisible);
    picHelp->setVisible(editor.layout.picHelpVisible);

    const WorkAreaLayout& work = editor.layout.work;
    picPic1->resize(ToPixels(work.viewportWidth), ToPixels(work.viewportHeight));
    vscr1->setGeometry(ToPixels(work.vscr1Left), 0, ToPixels(255), ToPixels(work.viewportHeight));
    tooPic->resize(ToPixels(work.tooPicWidth), tooPic->height());
    picAD1->resize(picAD1->width(), ToPixels(work.picAD1Height));
    Picture8->move(Picture8->x(), ToPixels(work.Picture8Top));
    webAD1->setGeometry(ToPixels(editor.layout.adLeft.offset), webAD1->y(), webAD1->width(), ToPixels(work.webAD1Height));
    picAD2->resize(ToPixels(work.picAD2Width), picAD2->height());
    Picture9->move(ToPixels(work.Picture9Left), Picture9->y());
    webAD2->setGeometry(webAD2->x(), ToPixels(editor.layout.adTop.offset), ToPixels(work.webAD2Width), webAD2->height());
    labADPage1->setText(editor.layout.adLeft.page);
    labADPage2->setText(editor.layout.adTop.page);
    imgAD[0]->setVisible(editor.layout.adLeft.previousVisible);
    imgAD[1]->setVisible(editor.layout.adLeft.nextVisible);
    imgAD[2]->setVisible(editor.layout.adTop.previousVisible);
    imgAD[3]->setVisible(editor.layout.adTop.nextVisible);

    // A tool shows the picture of what its next click does.
    for (auto [tool, key] : {std::pair{imgSetBorder, editor.tools.imgSetBorderKey}, std::pair{imgSetAddPic, editor.tools.imgSetAddPicKey},
                             std::pair{imgText, editor.text.imgTextKey}}) {
        if (tool->property("key").toString() == key) continue;
        tool->setProperty("key", key);
        tool->setPixmap(ToolPicture(key, QSize(20, 20)));
    }
    showTextLayers();
    chePicBorder->setVisible(editor.tools.chePicBorderVisible);
    chePicBorder->setChecked(editor.tools.chePicBorder);
    {
        const QSignalBlocker block(sli1);
        sli1->setValue(editor.tools.sli1);
    }
    // Until the scroll bar's own layout exists it spans the canvas and where it stands now.
    const int value = int(std::lround(-editor.layers.canvas.top));
    vscr1->setRange(std::min(0, value), std::max(value, int(editor.layers.canvas.height - editor.layers.viewportHeight)));
    vscr1->setValue(value);
    picPic->setGeometry(0, ToPixels(editor.layers.canvas.top), ToPixels(editor.layers.canvas.width),
                        ToPixels(editor.layers.canvas.height));
    picPic->update();
    m_showing = false;
}

namespace {
constexpr QColor kPanelGreen(188, 252, 101);
// The caption's text box may not grow over the style controls beside it.
constexpr int kCaptionControlsLeft = 7320;
constexpr int kCaptionBoxMaxWidth = kCaptionControlsLeft - 240;

QFrame* MakeGreenPanel(QWidget* parent, int left, int top, int width, int height) {
    QFrame* panel = MakePanel(parent, left, top, width, height);
    QPalette green = panel->palette();
    green.setColor(QPalette::Window, kPanelGreen);
    panel->setPalette(green);
    return panel;
}

QCheckBox* MakeCheck(const QString& text, QWidget* parent, int left, int top, int width) {
    auto* box = new QCheckBox(text, parent);
    box->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(300));
    return box;
}

QComboBox* MakeList(QWidget* parent, const QStringList& items, int left, int top, int width) {
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    list->setEditText(QString());
    list->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(330));
    return list;
}

void ColumnTitles(QWidget* panel, int left, int top) {
    MakeLabel(QStringLiteral("字体"), panel, left, top, 1200, 255);
    MakeLabel(QStringLiteral("字号"), panel, left + 1800, top, 900, 255);
    MakeLabel(QStringLiteral("字形"), panel, left + 2760, top, 1020, 255);
}

void ShowText(QLineEdit* box, const QString& text) {
    // Only a change is written back, so the caret stays where the member types.
    if (box->text() == text) return;
    const QSignalBlocker block(box);
    box->setText(text);
}

void ShowListText(QComboBox* list, const QString& text) {
    if (list->currentText() == text) return;
    const QSignalBlocker block(list);
    list->setEditText(text);
}

void ShowCheck(QCheckBox* box, bool ticked) {
    const QSignalBlocker block(box);
    box->setChecked(ticked);
}
}  // namespace

void ImageEditorWindow::buildStyleControls(int i, QWidget* panel, int left, int top, int checksLeft, int checksTop) {
    const size_t n = size_t(i);
    cobFont[n] = MakeList(panel, {}, left, top, 1740);
    cobFontSize[n] = MakeList(panel,
                              {QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
                               QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
                               QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
                               QStringLiteral("28"), QStringLiteral("36"), QStringLiteral("42"), QStringLiteral("48"),
                               QStringLiteral("54"), QStringLiteral("60"), QStringLiteral("66"), QStringLiteral("72"),
                               QStringLiteral("78")},
                              left + 1800, top, 900);
    cobFontType[n] = MakeList(
        panel, {QStringLiteral("常规"), QStringLiteral("斜体"), QStringLiteral("粗体"), QStringLiteral("粗斜体")},
        left + 2760, top, 1020);
    cmdSetFontColor[n] = MakeButton(QStringLiteral("字体颜色"), panel, left + 3840, top, 960, 330);
    cmdSetBackColor[n] = MakeButton(QStringLiteral("背景颜色"), panel, left + 4860, top, 960, 330);
    cheBackStyle[n] = MakeCheck(QStringLiteral("无背景色"), panel, checksLeft, checksTop, 1020);
    cheBorder[n] = MakeCheck(QStringLiteral("边框"), panel, checksLeft + 1080, checksTop, 720);
    che3DBorder[n] = MakeCheck(QStringLiteral("3D边框"), panel, checksLeft + 1860, checksTop, 900);
    cheUnderline[n] = MakeCheck(QStringLiteral("下划线"), panel, checksLeft + 2820, checksTop, 900);
    cheStrikethru[n] = MakeCheck(QStringLiteral("删除线"), panel, checksLeft + 3780, checksTop, 900);
    // The two boxes show their own effect on their captions.
    QFont underlined(QStringLiteral("宋体"));
    SetFontPoints(underlined, 9);
    underlined.setUnderline(true);
    cheUnderline[n]->setFont(underlined);
    QFont struck(QStringLiteral("宋体"));
    SetFontPoints(struck, 9);
    struck.setStrikeOut(true);
    cheStrikethru[n]->setFont(struck);
}

void ImageEditorWindow::buildTextPanels() {
    // The text-watermark panel over the work area: a row of controls for each watermark.
    picSetWaterMark = MakeGreenPanel(picFrame, kViewportLeft, kViewportTop, 10920, 2460);
    ColumnTitles(picSetWaterMark, 3960, 90);
    for (int i = 0; i < 2; ++i) {
        const size_t n = size_t(i);
        const int top = 360 + i * 780;
        Label19[n] = MakeLabel(i == 0 ? QStringLiteral("水印一") : QStringLiteral("水印二"), picSetWaterMark, 120,
                               top + 45, 720, 255);
        txtWaterMarkLine[n] = new QLineEdit(picSetWaterMark);
        txtWaterMarkLine[n]->setGeometry(ToPixels(840), ToPixels(top), ToPixels(2400), ToPixels(330));
        cmdClearText[n] = MakeButton(QStringLiteral("清除"), picSetWaterMark, 3300, top, 600, 330);
        cmdClearText[n]->setToolTip(QStringLiteral("清空文本框中的水印文字"));
        buildStyleControls(i, picSetWaterMark, 3960, top, 840, top + 375);
    }
    labWaterMarkHint = MakeLabel(
        QStringLiteral("说明：在上面的文本框中输入相关的水印文字后，会在图片的相关位置生成文字水印。把鼠标移到生成的文字"
                       "水印上并按住左键即可把水印拖放到您想放置的位置。要想清除水印只需点击输入框右边的“清除”按钮即可。"),
        picSetWaterMark, 120, 1860, 9360, 540);
    labWaterMarkHint->setWordWrap(true);
    QPalette orange = labWaterMarkHint->palette();
    orange.setColor(QPalette::WindowText, QColor(255, 128, 0));
    labWaterMarkHint->setPalette(orange);
    cmdCloseWaterMark = MakeButton(QStringLiteral("&C.关闭"), picSetWaterMark, 9600, 1920, 1200, 375);

    // The caption panel over the top advertisement strip: the text on the left, its style and
    // size on the right.
    picAddText = MakeGreenPanel(this, 2160, 0, 13200, 1905);
    Label21 = MakeLabel(QStringLiteral("请输入文字说明的内容："), picAddText, 120, 60, 3600, 255);
    txtWaterMark2 = new QPlainTextEdit(picAddText);
    txtWaterMark2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtWaterMark2->setGeometry(ToPixels(120), ToPixels(330), ToPixels(4800), ToPixels(1440));
    const int x0 = kCaptionControlsLeft;
    ColumnTitles(picAddText, x0, 60);
    buildStyleControls(2, picAddText, x0, 330, x0, 720);
    const auto sizeRow = [&](const QString& title, int top, QLineEdit*& box, QSlider*& slider) {
        MakeLabel(title, picAddText, x0, top + 30, 420, 255);
        box = new QLineEdit(picAddText);
        box->setGeometry(ToPixels(x0 + 480), ToPixels(top), ToPixels(600), ToPixels(300));
        MakeLabel(QStringLiteral("毫米"), picAddText, x0 + 1140, top + 30, 420, 255);
        slider = new QSlider(Qt::Horizontal, picAddText);
        slider->setRange(0, 8996);
        slider->setSingleStep(1);
        slider->setPageStep(5);
        slider->setGeometry(ToPixels(x0 + 1620), ToPixels(top), ToPixels(2520), ToPixels(300));
    };
    sizeRow(QStringLiteral("宽度"), 1080, txtWidth, sliWidth);
    sizeRow(QStringLiteral("高度"), 1440, txtHeight, sliHeight);
    cmdCloseAddText = MakeButton(QStringLiteral("&C.关闭"), picAddText, x0 + 4380, 1380, 1200, 375);
}

void ImageEditorWindow::showTextLayers() {
    for (size_t n = 0; n < 3; ++n) {
        const TextLayerControls& c = editor.text.controls[n];
        if (n < 2) {
            ShowText(txtWaterMarkLine[n], c.txtWaterMark);
        } else if (txtWaterMark2->toPlainText() != c.txtWaterMark) {
            const QSignalBlocker block(txtWaterMark2);
            txtWaterMark2->setPlainText(c.txtWaterMark);
            txtWaterMark2->moveCursor(QTextCursor::End);
        }
        ShowListText(cobFont[n], c.cobFont);
        ShowListText(cobFontSize[n], c.cobFontSize);
        ShowListText(cobFontType[n], c.cobFontType);
        ShowCheck(cheBackStyle[n], c.cheBackStyle);
        ShowCheck(cheBorder[n], c.cheBorder);
        ShowCheck(che3DBorder[n], c.che3DBorder);
        che3DBorder[n]->setEnabled(c.che3DBorderEnabled);
        ShowCheck(cheUnderline[n], c.cheUnderline);
        ShowCheck(cheStrikethru[n], c.cheStrikethru);
    }
    if (txtWaterMark2->font() != editor.text.txtWaterMark2Font) txtWaterMark2->setFont(editor.text.txtWaterMark2Font);
    txtWaterMark2->resize(ToPixels(std::min<double>(editor.text.txtWaterMark2Width, kCaptionBoxMaxWidth)),
                          txtWaterMark2->height());
    ShowText(txtWidth, editor.text.txtWidth);
    ShowText(txtHeight, editor.text.txtHeight);
    for (auto [slider, value] : {std::pair{sliWidth, editor.text.sliWidth}, std::pair{sliHeight, editor.text.sliHeight}}) {
        const QSignalBlocker block(slider);
        slider->setValue(value);
    }
    picAddText->raise();
}
