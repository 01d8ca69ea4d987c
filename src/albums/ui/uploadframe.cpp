#include "albums/ui/uploadframe.h"

#include "albums/uploadrun.h"
#include "albums/ui/albums_entry.h"
#include "foundation/ui/pleasewait.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "imageeditor/ui/imageeditor_entry.h"
#include "imaging/ui/imaging_entry.h"
#include "imaging/ui/previewbox.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/statuspictures.h"
#include "platform/ui/windowgeometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QScrollBar>
#include <QTableWidget>
#include <QTableWidgetItem>

namespace {
using namespace uploadframe;
constexpr int kRowTop = 1260;   // slot row 0 in frmUpload; rows are 630 apart
constexpr int kRowStep = 630;
constexpr int kGridLeft = 120;
constexpr int kGridTop = 660;
constexpr int kFrameTop = 795 - 60;  // frmUpload's design top, under the feature band
constexpr int kHintRoomGap = 4;     // pixels between the room made for a hint box and the content
constexpr int kHintNear = 40;       // pixels at most between a hint box and its control, unless no room helps
const std::array<int, 6> kColumnWidths{600, 5700, 2700, 1500, 1200, 1200};

constexpr int kProgressRole = Qt::UserRole;      // SlotProgress
constexpr int kFractionRole = Qt::UserRole + 1;  // of the bar, 0 to 1
constexpr int kRetryRole = Qt::UserRole + 2;     // the slot's button sends it again

// The status cell: the slot's exact status text over a bar of its upload, led by a mark of where
// it stands.
class SlotStatusDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const auto progress = SlotProgress(index.data(kProgressRole).toInt());
        if (progress == SlotProgress::None) return QStyledItemDelegate::paint(p, option, index);
        const QRect r = option.rect.adjusted(1, 1, -1, -1);
        const double fraction = std::clamp(index.data(kFractionRole).toDouble(), 0.0, 1.0);
        const QColor bar = progress == SlotProgress::Failed ? QColor(255, 200, 200)
                           : progress == SlotProgress::Done ? QColor(200, 240, 200)
                                                            : QColor(200, 220, 255);
        p->fillRect(QRect(r.left(), r.top(), int(r.width() * fraction), r.height()), bar);
        static const char* marks[] = {"", "…", "⚙", "↑", "✓", "✗"};
        QString mark = QString::fromUtf8(marks[int(progress)]);
        if (index.data(kRetryRole).toBool()) mark = QStringLiteral("↻");
        p->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, mark);
        // On one line: the mark stands where the status's leading blanks indented it.
        const QRect textRect = r.adjusted(18, 0, 0, 0);
        const QString text = p->fontMetrics().elidedText(index.data().toString().trimmed(), Qt::ElideRight, textRect.width());
        p->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text);
    }
};

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    UploadFrame::place(l, left, top, width, height);
    return l;
}
QPushButton* button(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* b = new QPushButton(text, parent);
    UploadFrame::place(b, left, top, width, height);
    return b;
}
QFrame* panel(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* p = new QFrame(parent);
    p->setFrameShape(QFrame::Box);
    p->setAutoFillBackground(true);
    UploadFrame::place(p, left, top, width, height);
    if (!text.isEmpty()) label(p, text, 120, 120, width - 240, height - 240);
    p->hide();
    return p;
}
}  // namespace

void UploadFrame::place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips::ToPixels(left), twips::ToPixels(top), twips::ToPixels(width), twips::ToPixels(height));
}

UploadFrame::UploadFrame(QWidget* parent) : QDialog(parent) {
    setSizeGripEnabled(true);
    resize(twips::ToPixels(kClientWidth), twips::ToPixels(kClientHeight));

    picAD = new QFrame(this);
    place(picAD, 0, 0, 15345, kBandHeight);
    picBox = new QWidget(this);
    place(picBox, 0, kBandHeight, kClientWidth, kFrameHeight);
    picFrame = new QWidget(picBox);
    picFrame->setAutoFillBackground(true);
    place(picFrame, 0, 0, kClientWidth, kFrameHeight);
    vscPicBox = new QScrollBar(Qt::Vertical, picBox);
    place(vscPicBox, 15105, 0, kScrollWidth, kFrameHeight);
    vscPicBox->setSingleStep(twips::ToPixels(600));
    vscPicBox->setPageStep(twips::ToPixels(3000));
    vscPicBox->hide();
    connect(vscPicBox, &QScrollBar::valueChanged, this, [this](int v) { picFrame->move(0, -v); });

    Picture3 = new QFrame(picFrame);
    Picture3->setAutoFillBackground(true);
    QPalette white = Picture3->palette();
    white.setColor(QPalette::Window, Qt::white);
    Picture3->setPalette(white);
    place(Picture3, 0, 0, kClientWidth, 795);
    const char* features[3] = {
        "1、支持数码相机拍照直接上传，上传时将自动把大于500K的照片压缩成600×600(像素)以内的适合互联网快速打开的图像。",
        "2、支持批量上传：点击任意一个“浏览”按钮，在弹出文件选择框后，按住“Ctrl”键，然后用鼠标点选多个图像文件。",
        "3、对上传的图片可批量加水印、边框，还可以根据需要旋转图像。"};
    for (int k = 0; k < 3; ++k) labCoolUpload[size_t(k)] = label(Picture3, QString::fromUtf8(features[k]), 240, 30 + 250 * k, 14800, 240);

    frmUpload = new QFrame(picFrame);
    frmUpload->setFrameShape(QFrame::StyledPanel);
    // The design places the frame at top -60, left 30 under the feature band.
    place(frmUpload, 30, kFrameTop, 15315, 8895);

    grdUpLoad = new QTableWidget(11, 6, frmUpload);
    grdUpLoad->horizontalHeader()->hide();
    grdUpLoad->verticalHeader()->hide();
    grdUpLoad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdUpLoad->setFocusPolicy(Qt::NoFocus);
    grdUpLoad->setItemDelegateForColumn(5, new SlotStatusDelegate(grdUpLoad));
    int gridWidth = 0;
    for (int c = 0; c < 6; ++c) {
        grdUpLoad->setColumnWidth(c, twips::ToPixels(kColumnWidths[size_t(c)]));
        gridWidth += kColumnWidths[size_t(c)];
    }
    grdUpLoad->setRowHeight(0, twips::ToPixels(kRowTop - kGridTop));
    for (int r = 1; r <= 10; ++r) grdUpLoad->setRowHeight(r, twips::ToPixels(kRowStep));
    place(grdUpLoad, kGridLeft, kGridTop, gridWidth + 60, kRowTop - kGridTop + 10 * kRowStep + 60);
    for (int r = 0; r <= 10; ++r)
        for (int c = 0; c < 6; ++c) grdUpLoad->setItem(r, c, new QTableWidgetItem);

    // Column titles over the slot table, and its notes.
    const int titleTop = kGridTop + 60;
    const QString titles[5] = {QStringLiteral("序号"), QStringLiteral("请选择上传的文件(可上传的格式：jpg、gif、png、bmp、[swf])"),
                               QStringLiteral("文件描述(可空)"), QStringLiteral("旋转"), QStringLiteral("操 作")};
    int left = kGridLeft;
    for (int c = 0; c < 5; ++c) {
        label(frmUpload, titles[c], left + 60, titleTop, kColumnWidths[size_t(c)] - 120, 300);
        left += kColumnWidths[size_t(c)];
    }
    label(frmUpload, QStringLiteral("若为空则默认为上传文件的文件名"), kGridLeft + 6300, titleTop + 270, 2700, 270);
    label(frmUpload, QStringLiteral("每次最多可上传10个文件，若多于10个可分多次上传。"), kGridLeft, 7590, 6000, 240);
    labHowToSelect = label(frmUpload, QStringLiteral("如何一次选多张图片上传？"), 6300, 7590, 3000, 240);
    labHowToSelect->setToolTip(QStringLiteral(
        "点击任意一个“浏览”按钮，在弹出文件选择框后，按住“Ctrl”键，然后用鼠标点选多个图像文件，或者按住“Shift”键进行批量选择(点第一个再点最后一个)。"));

    for (int i = 0; i < kSlotCount; ++i) {
        const size_t s = size_t(i);
        const int top = kRowTop + i * kRowStep + 90;
        grdUpLoad->item(i + 1, 0)->setTextAlignment(Qt::AlignCenter);
        txtPath[s] = new QLineEdit(frmUpload);
        place(txtPath[s], kGridLeft + 660, top, 3900, 330);
        cmdSearch[s] = button(frmUpload, QStringLiteral("浏览..."), kGridLeft + 4620, top, 900, 330);
        picView[s] = new QWidget(frmUpload);
        place(picView[s], kGridLeft + 5640, top - 135, uploadslots::kThumbSide, uploadslots::kThumbSide);
        picView[s]->hide();
        imgView[s] = new QLabel(picView[s]);
        imgView[s]->setScaledContents(true);
        imgView[s]->setMouseTracking(true);
        imgView[s]->installEventFilter(this);
        txtMemo[s] = new QLineEdit(frmUpload);
        place(txtMemo[s], kGridLeft + 6360, top, 2580, 330);
        cmdLeft[s] = button(frmUpload, QStringLiteral("↺"), kGridLeft + 9060, top, 630, 330);
        cmdLeft[s]->setToolTip(QStringLiteral("逆时针旋转90度"));
        cmdRight[s] = button(frmUpload, QStringLiteral("↻"), kGridLeft + 9750, top, 630, 330);
        cmdRight[s]->setToolTip(QStringLiteral("顺时针旋转90度"));
        cmdLeft[s]->setEnabled(false);
        cmdRight[s]->setEnabled(false);
        for (QWidget* w : {static_cast<QWidget*>(cmdLeft[s]), static_cast<QWidget*>(cmdRight[s]), static_cast<QWidget*>(txtPath[s])}) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
        cmdOperation[s] = button(frmUpload, QStringLiteral("取 消"), kGridLeft + 10560, top, 1080, 330);
        cmdOperation[s]->setEnabled(false);
    }

    // The command column right of the slot table.
    cmdUploadFiles = button(frmUpload, QStringLiteral("上 传"), kUploadButtonLeft, 6300, 2100, 480);
    cmdReSelect = button(frmUpload, QStringLiteral("重新选择"), 13020, 6840, 2100, 420);
    cmdEditPic = button(frmUpload, QStringLiteral("图像编辑"), 13020, 2100, 2100, 420);
    cmdViewPhoto = button(frmUpload, QStringLiteral("图片管理"), 13020, 2580, 2100, 420);
    cmdSetWaterMark = button(frmUpload, QStringLiteral("水印设置"), 13020, 3060, 2100, 420);
    cmdCloseUpload = button(frmUpload, QStringLiteral("关 闭"), 13020, 7320, 2100, 420);
    cmdOpenTeach = button(frmUpload, QStringLiteral("打开教程"), 13020, 3540, 2100, 420);
    cmdCloseTeach = button(frmUpload, QStringLiteral("关闭教程"), 13020, 3540, 2100, 420);
    cmdCloseTeach->hide();
    cheWatermarkAndBorder = new QCheckBox(QStringLiteral("加入水印、边框"), frmUpload);
    place(cheWatermarkAndBorder, 13020, 4140, 2200, 300);

    Label5 = label(frmUpload, QStringLiteral("最近上传的文件："), uploadslots::kRingLeft, 7830, 1800, 270);
    for (int i = 0; i < kSlotCount; ++i) {
        const size_t s = size_t(i);
        picUpload[s] = new QWidget(frmUpload);
        picUpload[s]->setAutoFillBackground(true);
        QPalette ringColour = picUpload[s]->palette();
        ringColour.setColor(QPalette::Window, QColor(255, 254, 242));
        picUpload[s]->setPalette(ringColour);
        place(picUpload[s], uploadslots::kRingLeft + uploadslots::kRingStep * i, 8190, uploadslots::kRingBox, uploadslots::kRingBox);
        imgUpload[s] = new QLabel(picUpload[s]);
        imgUpload[s]->setScaledContents(true);
        imgUpload[s]->hide();
        imgUpload[s]->setMouseTracking(true);
        imgUpload[s]->installEventFilter(this);
    }

    // The hint boxes lie on the canvas, so that they scroll with the controls they stand beside.
    for (int k = 0; k < 3; ++k) {
        UploadHintBox& b = hintBoxes[size_t(k)];
        b.picOpeMsg = panel(picFrame, QString(), 0, 0, kHintWidth, kHintHeight);
        b.picOpeMsg->setObjectName(QStringLiteral("hintBox"));
        b.labOpeMsg = label(b.picOpeMsg, QStringLiteral("提示："), 120, 120, kHintWidth - 480, 1080);
        b.chkIKnowOpe = new QCheckBox(QStringLiteral("我知道了，请不要再提示我了"), b.picOpeMsg);
        place(b.chkIKnowOpe, 120, 1320, 2900, 300);
        b.cmdClosOpeMsg = button(b.picOpeMsg, QStringLiteral("&C.关闭"), 3300, 1290, 1050, 360);
        b.imgCloseOpe = button(b.picOpeMsg, QStringLiteral("×"), kHintWidth - 330, 60, 270, 270);
        b.imgCloseOpe->setFlat(true);
    }

    picMsg = panel(frmUpload, QStringLiteral("正在读取本地数据，读取完成后您可以旋转图像，然后请点“上传”按钮上传图像。"), 3000, 3000, 7200, 900);
    picNetToService = panel(this, QStringLiteral("正在处理数据，请您稍候..."), 5400, 4500, 4500, 780);
    picWait = panel(frmUpload, QString(), 3000, 2700, 7200, 1800);
    imgWait = label(picWait, QString(), 120, 120, 300, 300);
    imgWait->setPixmap(HourglassPicture(imgWait->height()));
    labUploadFinish = label(picWait, QStringLiteral("正在上传，请您稍候..."), 480, 120, 6600, 300);
    labUploadNow = label(picWait, QString(), 480, 420, 6600, 270);
    barWait = new QProgressBar(picWait);
    barWait->setTextVisible(false);
    place(barWait, 480, 720, 6600, 210);
    cmdUploadOK = button(picWait, QStringLiteral("确 定"), 240, 1080, 1500, 420);
    cmdUploadAgain = button(picWait, QStringLiteral("继续上传"), 1920, 1080, 1500, 420);
    picBigView = panel(frmUpload, QString(), 1740, 2010, uploadslots::kBigViewSide, uploadslots::kBigViewSide);
    picBigView->setFrameShape(QFrame::NoFrame);
    picBigView->setBackgroundRole(QPalette::Base);
    imgBigView = new QLabel(picBigView);
    imgBigView->setScaledContents(true);
    imgBigView->hide();
    picCloseBigView = button(picBigView, QStringLiteral("×"), 4200, 0, 285, 285);
    picCloseBigView->setToolTip(QStringLiteral("关闭当前的设置页"));
    picCloseBigView->setFlat(true);
    grdUpLoad->setMouseTracking(true);
    grdUpLoad->viewport()->setMouseTracking(true);
    grdUpLoad->viewport()->installEventFilter(this);
    // Status lines in the command column: the first shows while a slot holds a path and moves the
    // second up.
    txtUploadInfo = label(frmUpload, QStringLiteral("已选择文件，请点“上传”按钮上传。"), kUploadButtonLeft, 240, 2100, 480);
    txtUploadInfo->hide();
    txtUploadInfo1 = label(frmUpload, QStringLiteral("每组最多10个文件。"), kUploadButtonLeft, 900, 2100, 300);
    previewBox = new PreviewBox(frmUpload, uploadslots::kPreviewPixels);
    previewBox->setBoxTwips({9660, 1950, 4500, 4500});
    previewBox->picBackColor->setBackColor(0);
    previewBox->hide();
    picLoadInfo = panel(frmUpload, QStringLiteral("正在加载数据，请您稍候..."), 5000, 3600, 4500, 780);
    m_wait = std::make_unique<PleaseWait>(picNetToService, QList<QWidget*>{cmdViewPhoto});
}

UploadFrame::~UploadFrame() = default;

void UploadFrame::layOutViewport(int top, const UploadLayout& layout) {
    m_layoutTop = top;
    m_layout = layout;
    // Room made for a hint box makes the canvas higher; the viewport scrolls over it.
    const int room = m_roomAbove + m_roomBelow;
    const UploadLayout l = room == 0 ? layout
                                     : LayOutUploadViewport(top + layout.viewportHeight, top, twips::FromPixels(width()),
                                                            kFrameHeight + twips::FromPixels(room));
    place(picBox, 0, top, twips::FromPixels(width()), l.viewportHeight);
    // The band's strip no wider than a window narrower than its design (a maximised one on a
    // 1024-pixel screen).
    picAD->resize(std::min(twips::ToPixels(15345), width()), picAD->height());
    // As wide as the viewport: a wide window leaves room beside the command column.
    picFrame->resize(std::max(twips::ToPixels(kClientWidth), picBox->width()), twips::ToPixels(kFrameHeight) + room);
    frmUpload->move(frmUpload->x(), twips::ToPixels(kFrameTop) + m_roomAbove);
    vscPicBox->setVisible(l.scrollVisible);
    if (l.scrollVisible) {
        place(vscPicBox, l.scrollLeft, 0, kScrollWidth, l.scrollHeight);
        vscPicBox->setMaximum(twips::ToPixels(l.scrollMax));
        vscPicBox->raise();
    } else {
        vscPicBox->setMaximum(0);  // the whole canvas shows from its top
    }
    if (m_placing) return;
    // The scroll hint explains a scroll bar the canvas needs; once the window shows the canvas
    // whole it goes (and comes again with a lower viewport).
    if (!layout.scrollVisible && !hintBoxes[0].picOpeMsg->isHidden()) hideHintBox(0);
    placeShownHints();
}

void UploadFrame::setHintRoom(int above, int below) {
    if (above == m_roomAbove && below == m_roomBelow) return;
    m_roomAbove = above;
    m_roomBelow = below;
    layOutViewport(m_layoutTop, m_layout);
}

void UploadFrame::scrollToShow(const QWidget* w) {
    if (vscPicBox->isHidden() || !picFrame->isAncestorOf(w)) return;
    const int top = w->mapTo(picFrame, QPoint(0, 0)).y();
    const int value = vscPicBox->value();
    if (top < value) vscPicBox->setValue(top);
    else if (top + w->height() > value + picBox->height()) vscPicBox->setValue(top + w->height() - picBox->height());
}

void UploadFrame::placeHintBox(int box, int top, int left) {
    if (m_placing) return;
    const QScopedValueRollback guard(m_placing, true);
    QFrame* msg = hintBoxes[size_t(box)].picOpeMsg;
    // Room made before (for a smaller window, say) goes first.
    setHintRoom(0, 0);
    // The given place: in the viewport for box 0, in the frame for the others.
    place(msg, left, top, kHintWidth, kHintHeight);
    if (box != 0) msg->move(msg->pos() + frmUpload->pos());
    QWidget* target = hintTarget(box);
    if (!target) return;
    const auto gap = [&] { return windowgeometry::Gap(windowgeometry::RectInWindow(msg), windowgeometry::RectInWindow(target)); };
    scrollToShow(target);
    const bool free = windowgeometry::PlaceBeside(msg, target);
    if (free && gap() <= kHintNear) return;
    // No free place next to it: the canvas makes room for the box, above the frame for a control
    // in the canvas's upper half (or the scroll bar), below the frame for one in its lower half.
    const int scrolled = vscPicBox->value();
    const int room = msg->height() + 2 * kHintRoomGap;
    const bool above = !picFrame->isAncestorOf(target) ||
                       target->mapTo(picFrame, QPoint(0, target->height() / 2)).y() < picFrame->height() / 2;
    setHintRoom(above ? room : 0, above ? 0 : room);
    vscPicBox->setValue(above ? 0 : vscPicBox->maximum());
    scrollToShow(target);
    if (windowgeometry::PlaceBeside(msg, target) || !free) return;
    // The room did not help: the free place farther off it is.
    setHintRoom(0, 0);
    vscPicBox->setValue(scrolled);
    windowgeometry::PlaceBeside(msg, target);
}

void UploadFrame::showHintBox(int box, const QString& text, int top, int left) {
    if (box < 0 || box > 2) return;
    UploadHintBox& b = hintBoxes[size_t(box)];
    QFont f = b.labOpeMsg->font();
    f.setPointSize(11);
    b.labOpeMsg->setFont(f);
    b.labOpeMsg->setText(text);
    b.chkIKnowOpe->setChecked(false);
    // Beside the control it explains, off every other control; placed again when the window's
    // layout changes.
    m_hintPlace[size_t(box)] = [this, box, top, left] { placeHintBox(box, top, left); };
    m_hints.show(b.picOpeMsg, m_hintPlace[size_t(box)]);
}

void UploadFrame::hideHintBox(int box) {
    if (box < 0 || box > 2) return;
    m_hints.hide(hintBoxes[size_t(box)].picOpeMsg);
    // The room made for it goes with it; a box shown next has made its own.
    if (std::all_of(hintBoxes.cbegin(), hintBoxes.cend(), [](const UploadHintBox& b) { return b.picOpeMsg->isHidden(); }))
        setHintRoom(0, 0);
}

QWidget* UploadFrame::hintTarget(int box) {
    if (box == 0) return vscPicBox->isHidden() ? nullptr : vscPicBox;
    if (box == 1) return cmdUploadFiles;
    return nullptr;
}

void UploadFrame::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    relayOut();  // which places the shown hint boxes again
}

void UploadFrame::moveEvent(QMoveEvent* e) {
    QDialog::moveEvent(e);
    // Where the screen's edge cuts the window changed; a window that grows is resized before it
    // is moved, so a resize alone placed the box against the old position.
    placeShownHints();
}

void UploadFrame::placeShownHints() {
    for (size_t k = 0; k < hintBoxes.size(); ++k)
        if (!hintBoxes[k].picOpeMsg->isHidden() && m_hintPlace[k]) m_hintPlace[k]();
}

QImage UploadFrame::ListPicture(const QString& key) {
    // The image list's icons, drawn: a small one for the slot, a large placeholder for the big view.
    const bool large = key.endsWith(QLatin1Char('2'));
    const int side = large ? twips::ToPixels(uploadslots::kIconSide) : twips::ToPixels(uploadslots::kThumbSide);
    QImage icon(side, side, QImage::Format_RGB32);
    icon.fill(key.startsWith(QLatin1String("swf")) ? QColor(200, 40, 40) : QColor(40, 110, 200));
    QPainter p(&icon);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(side / 4);
    f.setBold(true);
    p.setFont(f);
    p.drawText(icon.rect(), Qt::AlignCenter, key.left(3).toUpper());
    return icon;
}

void UploadFrame::wireFrame(UploadFrameController& controller) {
    m_slots = &controller.frame;
    m_run = &controller.run;
    UploadFrameView& v = controller.frameView;
    v.maximise = MemberHook(this, &UploadFrame::maximise);
    v.showWait = MemberHook(this, &UploadFrame::showWait);
    v.hideWait = MemberHook(this, &UploadFrame::hideWait);
    v.openFileManager = MemberHook(this, &UploadFrame::openFileManager);
    v.openImageEditor = MemberHook(this, &UploadFrame::openImageEditor);
    v.openWatermarkSettings = MemberHook(this, &UploadFrame::openWatermarkSettings);
    v.showMainHint = MemberHook(this, &UploadFrame::showMainHint);
    wireSlots();
    wireRun();
    connectFrame();
}

void UploadFrame::wireSlots() {
    UploadSlotsView& v = m_slots->view;
    v.showSlot = MemberHook(this, &UploadFrame::showSlot);
    v.setBusy = MemberHook(this, &UploadFrame::setBusy);
    v.showUploadInfo = MemberHook(this, &UploadFrame::showUploadInfo);
    v.showBigView = MemberHook(this, &UploadFrame::showBigView);
    v.showRing = MemberHook(this, &UploadFrame::showRing);
    v.turnedPreview = MemberHook(this, &UploadFrame::turnedPreview);
    v.showUploadReady = MemberHook(this, &UploadFrame::showUploadReady);
}

void UploadFrame::wireRun() {
    UploadRunView& v = m_run->view;
    v.showPanel = MemberHook(this, &UploadFrame::showRunPanel);
    v.showScreenshotWarning = MemberHook(this, &UploadFrame::showScreenshotWarning);
    v.prepare = MemberHook(this, &UploadFrame::prepare);
    v.watermarkTicked = MemberHook(this, &UploadFrame::watermarkTicked);
}

void UploadFrame::connectFrame() {
    for (int i = 0; i < kSlotCount; ++i) {
        const size_t s = size_t(i);
        connect(cmdSearch[s], &QPushButton::clicked, this, [this, i] { cmdSearch_Click(i); });
        connect(cmdLeft[s], &QPushButton::clicked, this, [this, i] { cmdLeft_Click(i); });
        connect(cmdRight[s], &QPushButton::clicked, this, [this, i] { cmdRight_Click(i); });
        connect(cmdOperation[s], &QPushButton::clicked, this, [this, i] { cmdOperation_Click(i); });
        // What the member types is the slot's path or description.
        connect(txtPath[s], &QLineEdit::textEdited, this, [this, s](const QString& t) { m_slots->slot[s].txtPath = t; });
        connect(txtMemo[s], &QLineEdit::textEdited, this, [this, s](const QString& t) { m_slots->slot[s].txtMemo = t; });
    }
    connect(cmdReSelect, &QPushButton::clicked, this, [this] { cmdReSelect_Click(); });
    connect(picCloseBigView, &QPushButton::clicked, this, [this] { picCloseBigView_Click(); });
    connect(cmdUploadFiles, &QPushButton::clicked, this, [this] { cmdUploadFiles_Click(); });
    connect(cmdUploadOK, &QPushButton::clicked, this, [this] { cmdUploadOK_Click(); });
    connect(cmdUploadAgain, &QPushButton::clicked, this, [this] { cmdUploadAgain_Click(); });
}

void UploadFrame::maximise() { setWindowState(windowState() | Qt::WindowMaximized); }
void UploadFrame::showWait() { m_wait->begin(); }
void UploadFrame::hideWait() { m_wait->end(); }
void UploadFrame::openFileManager() { OpenFileManager(this); }
void UploadFrame::openImageEditor() { OpenImageEditor(this); }
void UploadFrame::openWatermarkSettings() { OpenWatermarkSettings(this); }
void UploadFrame::showMainHint(int id, const QString& text, int pointSize, int top, int left) {
    mainwindowseam::ShowHint(id, text, pointSize, top, left);
}

void UploadFrame::setBusy(bool busy) {
    m_busy = busy;
    // The frame's contents only: the crop dialog opened inside the pass must take input.
    frmUpload->setEnabled(!busy);
    picMsg->setVisible(busy);
    if (busy) picMsg->raise();
    picMsg->repaint();
}

void UploadFrame::showUploadInfo(bool shown) {
    txtUploadInfo->setVisible(shown);
    place(txtUploadInfo1, kUploadButtonLeft, shown ? 750 : 900, 2100, 300);
}

QImage UploadFrame::turnedPreview(const QImage& source, int degrees) { return previewBox->TurnedPicture(source, degrees); }

void UploadFrame::showUploadReady() {
    cmdUploadFiles->setText(QStringLiteral("上 传"));
    // A new batch from the re-select button hides the run's report too.
    m_run->panel.visible = false;
    picWait->hide();
}

void UploadFrame::showScreenshotWarning() { ShowScreenshotWarning(this); }
void UploadFrame::prepare() { PrepareUploadPicture(this); }
bool UploadFrame::watermarkTicked() const { return cheWatermarkAndBorder->isChecked(); }

bool UploadFrame::busy() const { return m_busy || (m_run && m_run->running()); }

QWidget* UploadFrame::namedControl(const QString& name) {
    if (name == QLatin1String("cobAlbum")) return nullptr;
    if (name == QLatin1String("cmdUploadAgain")) return cmdUploadAgain;
    if (name == QLatin1String("cmdSearch0")) return cmdSearch[0];
    return nullptr;
}

void UploadFrame::showRunPanel() {
    const UploadRunPanel& p = m_run->panel;
    QPalette colour = picWait->palette();
    colour.setColor(QPalette::Window, p.running ? QColor(255, 255, 192) : QColor(192, 255, 192));
    picWait->setPalette(colour);
    imgWait->setVisible(p.running);
    labUploadFinish->setText(p.labUploadFinish);
    labUploadNow->setText(p.labUploadNow);
    cmdUploadOK->setVisible(p.cmdUploadOKVisible);
    cmdUploadAgain->setVisible(p.cmdUploadAgainVisible);
    barWait->setRange(0, std::max(1, p.slotsTotal));
    barWait->setValue(p.slotsDone);
    cmdUploadFiles->setEnabled(p.cmdUploadFilesEnabled);
    // After a run the button starts a new batch, as "继续上传" does.
    cmdUploadFiles->setText(p.uploadPicture == QLatin1String("upload2") ? QStringLiteral("继续上传") : QStringLiteral("上 传"));
    picWait->setVisible(p.visible);
    if (p.visible) picWait->raise();
    if (QWidget* w = namedControl(p.focus)) w->setFocus();
    // Painted now: the run holds the thread between its calls.
    picWait->repaint();
}

void UploadFrame::cmdUploadFiles_Click() {
    // The big view would lie over the slots whose progress the run shows.
    m_slots->HideBigView();
    m_run->cmdUploadFiles_Click();
}
void UploadFrame::cmdUploadOK_Click() { m_run->cmdUploadOK_Click(); }
void UploadFrame::cmdUploadAgain_Click() { m_run->cmdUploadAgain_Click(); }

void UploadFrame::cmdSearch_Click(int index) { m_slots->cmdSearch_Click(index); }
void UploadFrame::cmdLeft_Click(int index) { m_slots->Turn(index, -1); }
void UploadFrame::cmdRight_Click(int index) { m_slots->Turn(index, +1); }
void UploadFrame::cmdOperation_Click(int index) { m_run->cmdOperation_Click(index); }
void UploadFrame::cmdReSelect_Click() { m_slots->cmdReSelect_Click(); }
void UploadFrame::imgView_MouseMove(int index) { m_slots->imgView_MouseMove(index); }
void UploadFrame::imgUpload_MouseMove(int index) { m_slots->imgUpload_MouseMove(index); }
void UploadFrame::picCloseBigView_Click() { m_slots->HideBigView(); }

void UploadFrame::showSlot(int i) {
    const size_t s = size_t(i);
    const UploadSlot& slot = m_slots->slot[s];
    if (txtPath[s]->text() != slot.txtPath) txtPath[s]->setText(slot.txtPath);
    if (txtMemo[s]->text() != slot.txtMemo) txtMemo[s]->setText(slot.txtMemo);
    imgView[s]->setPixmap(QPixmap::fromImage(slot.iconKey.isEmpty() ? slot.picture : ListPicture(slot.iconKey)));
    if (slot.iconKey.isEmpty())
        imgView[s]->setGeometry(twips::ToPixels(slot.thumbLeft), twips::ToPixels(slot.thumbTop),
                                std::max(1, twips::ToPixels(slot.thumb.width())), std::max(1, twips::ToPixels(slot.thumb.height())));
    picView[s]->setVisible(slot.picViewVisible);
    cmdLeft[s]->setEnabled(slot.cmdLeftEnabled);
    cmdRight[s]->setEnabled(slot.cmdRightEnabled);
    cmdOperation[s]->setEnabled(slot.cmdOperationEnabled);
    cmdOperation[s]->setText(slot.cmdOperationCaption);
    cmdSearch[s]->setEnabled(slot.cmdSearchEnabled);
    QTableWidgetItem* cell = grdUpLoad->item(i + 1, 5);
    cell->setText(slot.status);
    cell->setToolTip(slot.status);  // the column is narrower than the longer texts
    cell->setData(kProgressRole, int(slot.progress));
    double fraction = slot.progress == SlotProgress::Done || slot.progress == SlotProgress::Failed ? 1.0 : 0.0;
    if (slot.progress == SlotProgress::Uploading && slot.bytesTotal > 0) fraction = double(slot.bytesSent) / double(slot.bytesTotal);
    cell->setData(kFractionRole, fraction);
    cell->setData(kRetryRole, slot.retryPossible());
    // Seen at once, also while the pass or a call holds the thread.
    picView[s]->repaint();
    grdUpLoad->viewport()->repaint(grdUpLoad->visualItemRect(cell));
}

void UploadFrame::showBigView() {
    const BigView& b = m_slots->bigView;
    picBigView->setVisible(b.visible);
    imgBigView->setVisible(b.imageVisible);
    if (b.imageVisible) {
        imgBigView->setPixmap(QPixmap::fromImage(b.iconKey.isEmpty() ? b.picture : ListPicture(b.iconKey)));
        imgBigView->setGeometry(twips::ToPixels(b.left), twips::ToPixels(b.top), std::max(1, twips::ToPixels(b.size.width())),
                                std::max(1, twips::ToPixels(b.size.height())));
    }
    if (b.visible) picBigView->raise();
    // While it shows, a click anywhere else in the window closes it.
    if (b.visible) qApp->installEventFilter(this);
    else qApp->removeEventFilter(this);
}

bool UploadFrame::opensBigView(const QPoint& pos) const {
    const auto contains = [this, &pos](const QWidget* w) {
        return w->isVisibleTo(this) && QRect(w->mapTo(this, QPoint(0, 0)), w->size()).contains(pos);
    };
    if (contains(picBigView)) return true;
    for (int i = 0; i < kSlotCount; ++i) {
        const size_t s = size_t(i);
        if (contains(picView[s]) || contains(cmdLeft[s]) || contains(cmdRight[s]) || contains(picUpload[s])) return true;
    }
    return false;
}

void UploadFrame::showRing() {
    for (int i = 0; i < kSlotCount; ++i) {
        const size_t s = size_t(i);
        const RingBox& box = m_slots->ring[s];
        picUpload[s]->move(twips::ToPixels(box.left), picUpload[s]->y());
        imgUpload[s]->setVisible(box.imageVisible);
        if (!box.imageVisible) continue;
        imgUpload[s]->setPixmap(QPixmap::fromImage(box.iconKey.isEmpty() ? box.picture : ListPicture(box.iconKey)));
        imgUpload[s]->setGeometry(twips::ToPixels(box.imageLeft), twips::ToPixels(box.imageTop),
                                  std::max(1, twips::ToPixels(box.size.width())), std::max(1, twips::ToPixels(box.size.height())));
    }
}

bool UploadFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && m_slots && m_slots->bigView.visible && watched->isWidgetType()) {
        // By the place of the press: a press a child ignores reaches its parents too.
        const auto* w = static_cast<const QWidget*>(watched);
        if (w->window() == this && !opensBigView(w->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint())))
            picCloseBigView_Click();
    }
    if (event->type() == QEvent::MouseMove && m_slots) {
        for (int i = 0; i < kSlotCount; ++i) {
            const size_t s = size_t(i);
            if (watched == imgView[s] || watched == cmdLeft[s] || watched == cmdRight[s]) imgView_MouseMove(i);
            else if (watched == imgUpload[s]) imgUpload_MouseMove(i);
            else if (watched == txtPath[s]) txtPath_MouseMove();
        }
        if (watched == grdUpLoad->viewport()) grdUpLoad_MouseMove();
    }
    return QDialog::eventFilter(watched, event);
}

void UploadFrame::closeEvent(QCloseEvent* e) {
    if (busy()) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}
