#include "albums/ui/uploadframe.h"

#include "albums/uploadwindow.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTableWidgetItem>

namespace {
using namespace uploadframe;
constexpr int kRowTop = 1260;   // slot row 0 in frmUpload; rows are 630 apart
constexpr int kRowStep = 630;
constexpr int kGridLeft = 120;
constexpr int kGridTop = 660;
const std::array<int, 6> kColumnWidths{600, 5700, 2700, 1500, 1200, 1200};

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
    place(frmUpload, 30, 795 - 60, 15315, 8895);

    grdUpLoad = new QTableWidget(11, 6, frmUpload);
    grdUpLoad->horizontalHeader()->hide();
    grdUpLoad->verticalHeader()->hide();
    grdUpLoad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdUpLoad->setFocusPolicy(Qt::NoFocus);
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
    label(frmUpload, QStringLiteral("每次最多可上传10个文件，若多于10个可分多次上传。"), kGridLeft, 7700, 6000, 270);
    labHowToSelect = label(frmUpload, QStringLiteral("如何一次选多张图片上传？"), 6300, 7700, 3000, 270);
    labHowToSelect->setToolTip(QStringLiteral(
        "点击任意一个“浏览”按钮，在弹出文件选择框后，按住“Ctrl”键，然后用鼠标点选多个图像文件，或者按住“Shift”键进行批量选择(点第一个再点最后一个)。"));

    for (int i = 0; i < kSlotCount; ++i) {
        const size_t s = size_t(i);
        const int top = kRowTop + i * kRowStep + 90;
        grdUpLoad->item(i + 1, 0)->setTextAlignment(Qt::AlignCenter);
        txtPath[s] = new QLineEdit(frmUpload);
        place(txtPath[s], kGridLeft + 660, top, 3900, 330);
        cmdSearch[s] = button(frmUpload, QStringLiteral("浏览..."), kGridLeft + 4620, top, 900, 330);
        imgView[s] = new QLabel(frmUpload);
        place(imgView[s], kGridLeft + 5580, top - 75, 600, 600 - 120);
        imgView[s]->hide();
        txtMemo[s] = new QLineEdit(frmUpload);
        place(txtMemo[s], kGridLeft + 6360, top, 2580, 330);
        cmdLeft[s] = button(frmUpload, QStringLiteral("↺"), kGridLeft + 9060, top, 630, 330);
        cmdLeft[s]->setToolTip(QStringLiteral("逆时针旋转90度"));
        cmdRight[s] = button(frmUpload, QStringLiteral("↻"), kGridLeft + 9750, top, 630, 330);
        cmdRight[s]->setToolTip(QStringLiteral("顺时针旋转90度"));
        cmdOperation[s] = button(frmUpload, QStringLiteral("取 消"), kGridLeft + 10560, top, 1080, 330);
    }

    // The command column right of the slot table.
    cmdUploadFiles = button(frmUpload, QStringLiteral("上 传"), 13020, 6300, 2100, 480);
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

    Label5 = label(frmUpload, QStringLiteral("最近上传的文件："), kGridLeft, 8040, 1800, 270);
    for (int i = 0; i < kSlotCount; ++i) {
        imgUpload[size_t(i)] = new QLabel(frmUpload);
        imgUpload[size_t(i)]->setFrameShape(QFrame::Box);
        place(imgUpload[size_t(i)], kGridLeft + 1800 + i * 690, 7980, 630, 630);
    }

    // Hint box 0 lies in the viewport, boxes 1 and 2 in the frame.
    for (int k = 0; k < 3; ++k) {
        UploadHintBox& b = hintBoxes[size_t(k)];
        b.picOpeMsg = panel(k == 0 ? picBox : static_cast<QWidget*>(frmUpload), QString(), 0, 0, kHintWidth, kHintHeight);
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
    labUploadFinish = label(picWait, QStringLiteral("正在上传，请您稍候..."), 240, 240, 6700, 600);
    cmdUploadOK = button(picWait, QStringLiteral("确 定"), 240, 1080, 1500, 420);
    cmdUploadAgain = button(picWait, QStringLiteral("继续上传"), 1920, 1080, 1500, 420);
    picBigView = panel(frmUpload, QString(), 3000, 600, 4620, 4620);
    picLoadInfo = panel(frmUpload, QStringLiteral("正在加载数据，请您稍候..."), 5000, 3600, 4500, 780);
}

void UploadFrame::layOutViewport(int top, const UploadLayout& l) {
    place(picBox, 0, top, twips::FromPixels(width()), l.viewportHeight);
    vscPicBox->setVisible(l.scrollVisible);
    if (l.scrollVisible) {
        place(vscPicBox, l.scrollLeft, 0, kScrollWidth, l.scrollHeight);
        vscPicBox->setMaximum(twips::ToPixels(l.scrollMax));
        vscPicBox->raise();
    }
}

void UploadFrame::showHintBox(int box, const QString& text, int top, int left) {
    if (box < 0 || box > 2) return;
    UploadHintBox& b = hintBoxes[size_t(box)];
    QFont f = b.labOpeMsg->font();
    f.setPointSize(11);
    b.labOpeMsg->setFont(f);
    b.labOpeMsg->setText(text);
    b.chkIKnowOpe->setChecked(false);
    place(b.picOpeMsg, left, top, kHintWidth, kHintHeight);
    b.picOpeMsg->show();
    b.picOpeMsg->raise();
}

void UploadFrame::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    relayOut();
}
