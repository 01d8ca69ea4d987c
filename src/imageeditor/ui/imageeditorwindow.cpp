#include "imageeditor/ui/imageeditorwindow.h"

#include "login/state.h"
#include "platform/twips.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
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
constexpr int kScrollWidth = 255;
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

QFrame* MakePanel(QWidget* parent, int left, int top, int width, int height) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setAutoFillBackground(true);
    panel->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    panel->hide();
    return panel;
}
}  // namespace

EditorCanvasWidget::EditorCanvasWidget(const ImageEditorController& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EditorCanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRect(event->rect());
    PaintCanvas(painter, m_editor.canvas, m_editor.MeasuredTwipsPerPixel, true);
}

ImageEditorWindow::ImageEditorWindow(QWidget* parent) : QDialog(parent) {
    setModal(true);
    setWindowTitle(editor.caption);

    picAD1 = new QWidget(this);
    picAD1->setGeometry(0, 0, ToPixels(2160), ToPixels(kClientHeight - kStatusHeight));
    picAD2 = new QWidget(this);
    picAD2->setGeometry(ToPixels(2160), 0, ToPixels(13200), ToPixels(1905));

    picFrame = new QWidget(this);
    picFrame->move(ToPixels(2160), ToPixels(1905));

    fraWebTools = new QGroupBox(picFrame);
    fraWebTools->setGeometry(ToPixels(-45), ToPixels(-30), ToPixels(2280), ToPixels(5820));
    Label1 = MakeLabel(QStringLiteral("设置图像大小(宽度×高度)"), fraWebTools, 120, 240, 2040, 255);
    cobSetSize = new QComboBox(fraWebTools);
    cobSetSize->setGeometry(ToPixels(120), ToPixels(540), ToPixels(1500), ToPixels(330));
    cobSetSize->addItems(SizeListEntries());
    cmdOtherSize = MakeButton(QStringLiteral("其它"), fraWebTools, 1650, 540, 510, 330);
    labOtherSize = MakeLabel(QString(), fraWebTools, 120, 930, 2040, 255);

    tooPic = new QToolBar(picFrame);
    tooPic->setGeometry(ToPixels(kViewportLeft), ToPixels(-15), ToPixels(12975), ToPixels(420));
    tooPicOpen = tooPic->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), QString());
    tooPicOpen->setToolTip(QStringLiteral("打开需要编辑的图像文件"));
    tooPicSave = tooPic->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QString());
    tooPicSave->setToolTip(QStringLiteral("保存"));

    picPic1 = new QWidget(picFrame);
    picPic1->move(ToPixels(kViewportLeft), ToPixels(kViewportTop));
    picPic = new EditorCanvasWidget(editor, picPic1);
    vscr1 = new QScrollBar(Qt::Vertical, picFrame);

    picSetSize = MakePanel(picFrame, 2400, 600, 3600, 2400);
    MakeLabel(QStringLiteral("请输入图像的大小："), picSetSize, 120, 120, 3000, 255);
    MakeLabel(QStringLiteral("宽度"), picSetSize, 120, 540, 600, 255);
    txtSizeW = new QLineEdit(picSetSize);
    txtSizeW->setGeometry(ToPixels(720), ToPixels(480), ToPixels(1200), ToPixels(330));
    MakeLabel(QStringLiteral("像素"), picSetSize, 2000, 540, 600, 255);
    MakeLabel(QStringLiteral("≤"), picSetSize, 720, 840, 240, 255);
    labMaxWidth = MakeLabel(editor.labMaxWidth, picSetSize, 960, 840, 1200, 255);
    MakeLabel(QStringLiteral("高度"), picSetSize, 120, 1200, 600, 255);
    txtSizeH = new QLineEdit(picSetSize);
    txtSizeH->setGeometry(ToPixels(720), ToPixels(1140), ToPixels(1200), ToPixels(330));
    MakeLabel(QStringLiteral("像素"), picSetSize, 2000, 1200, 600, 255);
    MakeLabel(QStringLiteral("≤"), picSetSize, 720, 1500, 240, 255);
    labMaxHeight = MakeLabel(editor.labMaxHeight, picSetSize, 960, 1500, 1200, 255);
    cmdSetSizeYes = MakeButton(QStringLiteral("&Y.确认"), picSetSize, 480, 1860, 1200, 375);
    cmdSetSizeCancel = MakeButton(QStringLiteral("&C.取消"), picSetSize, 1920, 1860, 1200, 375);

    picSetWaterMark = MakePanel(picFrame, 2400, 600, 4800, 3600);
    picAddText = MakePanel(picFrame, 2400, 600, 4800, 3600);
    picHelp = MakePanel(picFrame, 2400, 600, 4800, 3600);
    cobFont[0] = new QComboBox(picSetWaterMark);
    cobFont[1] = new QComboBox(picSetWaterMark);
    cobFont[2] = new QComboBox(picAddText);

    staPicInfo = new QStatusBar(this);
    staPicInfo->setSizeGripEnabled(false);
    staPicInfo->addWidget(new QLabel(staPicInfo), 1);
    staPicInfo->addWidget(new QLabel(staPicInfo), 1);

    editor.view.refresh = [this] { showState(); };
    editor.view.focusWidthBox = [this] {
        txtSizeW->setFocus();
        txtSizeW->selectAll();
    };
    editor.view.focusHeightBox = [this] {
        txtSizeH->setFocus();
        txtSizeH->selectAll();
    };
    editor.view.focusScrollBar = [this] { vscr1->setFocus(); };
    // Qt lays out in device-independent pixels: the 500-pixel picture is 500 × 15 twips wide.
    editor.view.measureImg500p = [] { return 500.0 * twips::kPerPixel; };

    connect(tooPicOpen, &QAction::triggered, this, [this] { editor.tooPic_ButtonClick(QStringLiteral("Open")); });
    connect(tooPicSave, &QAction::triggered, this, [this] { editor.tooPic_ButtonClick(QStringLiteral("Save")); });
    connect(cobSetSize, &QComboBox::activated, this, [this] { cobSetSize_Click(); });
    connect(cmdOtherSize, &QPushButton::clicked, this, [this] { editor.cmdOtherSize_Click(); });
    connect(cmdSetSizeYes, &QPushButton::clicked, this,
            [this] { editor.cmdSetSizeYes_Click(txtSizeW->text(), txtSizeH->text()); });
    connect(cmdSetSizeCancel, &QPushButton::clicked, this, [this] { editor.cmdSetSizeCancel_Click(); });
    connect(vscr1, &QScrollBar::valueChanged, this, [this](int v) { vscr1_Change(v); });
    txtSizeW->installEventFilter(this);
    txtSizeH->installEventFilter(this);

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

void ImageEditorWindow::Form_Load() {
    const QStringList fonts = EditorFontNames();
    for (QComboBox* list : cobFont) list->addItems(fonts);
    editor.Form_Load();
}

void ImageEditorWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void ImageEditorWindow::Form_Resize() {
    staPicInfo->setGeometry(0, height() - ToPixels(kStatusHeight), width(), ToPixels(kStatusHeight));
    picAD1->resize(picAD1->width(), std::max(0, height() - ToPixels(kStatusHeight)));
    editor.windowWidth = outerWidthTwips();
    editor.windowHeight = outerHeightTwips();
    const double workWidth = editor.windowWidth - kWorkMarginWidth;
    const double workHeight = editor.windowHeight - kWorkMarginHeight;
    const double viewportWidth = workWidth - kViewportLeft - kScrollWidth;
    const double viewportHeight = workHeight - kViewportTop;
    // Too small a window keeps the last layout that fitted.
    if (viewportWidth <= 0 || viewportHeight <= 0) return;
    picFrame->resize(ToPixels(workWidth), ToPixels(workHeight));
    picPic1->resize(ToPixels(viewportWidth), ToPixels(viewportHeight));
    vscr1->setGeometry(ToPixels(kViewportLeft + viewportWidth), ToPixels(kViewportTop), ToPixels(kScrollWidth),
                       ToPixels(viewportHeight));
    editor.canvas.width = viewportWidth;
    editor.viewportHeight = viewportHeight;
    showState();
}

void ImageEditorWindow::cobSetSize_Click() {
    editor.cobSetSizeText = cobSetSize->currentText();
    editor.cobSetSize_Click();
}

void ImageEditorWindow::vscr1_Change(int value) {
    if (m_showing) return;
    editor.canvas.top = -value;
    picPic->move(0, ToPixels(editor.canvas.top));
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
                editor.cmdSetSizeYes_Click(txtSizeW->text(), txtSizeH->text());
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ImageEditorWindow::showState() {
    m_showing = true;
    setWindowTitle(editor.caption);
    const int entry = cobSetSize->findText(editor.cobSetSizeText);
    {
        const QSignalBlocker block(cobSetSize);
        cobSetSize->setCurrentIndex(entry);
    }
    labOtherSize->setText(editor.labOtherSize);
    labMaxWidth->setText(editor.labMaxWidth);
    labMaxHeight->setText(editor.labMaxHeight);
    picSetSize->setVisible(editor.picSetSizeVisible);
    picAddText->setVisible(editor.picAddTextVisible);
    picSetWaterMark->setVisible(editor.picSetWaterMarkVisible);
    picHelp->setVisible(editor.picHelpVisible);
    // Until the scroll bar's own layout exists it spans the canvas and where it stands now.
    const int value = int(std::lround(-editor.canvas.top));
    vscr1->setRange(std::min(0, value), std::max(value, int(editor.canvas.height - editor.viewportHeight)));
    vscr1->setValue(value);
    picPic->setGeometry(0, ToPixels(editor.canvas.top), ToPixels(editor.canvas.width),
                        ToPixels(editor.canvas.height));
    picPic->update();
    m_showing = false;
}
