#include "albums/ui/albumsettingswindow.h"

#include "albums/ui/albums_entry.h"
#include "foundation/ui/pleasewait.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/flexgrid.h"
#include "siteoptions/ui/waitpanel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

using twips::ToPixels;

namespace {
constexpr int kWidth = 13560;
constexpr int kHeight = 8760;
constexpr int kRowHeight = 375;    // the grid's rows and header
constexpr int kSlotTop = 600;      // the frame's first slot
constexpr int kSlotPitch = 390;
// The grid's columns: the fixed one, the move-in marks, the names, the creation times, upload and
// delete; the pointer's bands (AlbumGridPointerHot) fall on the marks and the two commands.
constexpr int kColumnTwips[AlbumGrid::kCols] = {90, 1110, 2400, 1590, 900, 900};

void Place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

QLabel* Label(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* l = new QLabel(text, parent);
    Place(l, left, top, width, height);
    return l;
}
}  // namespace

AlbumSettingsWindow::AlbumSettingsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("相册设置"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ToPixels(kWidth), ToPixels(kHeight));

    // New album.
    fraAddAlbum = new QGroupBox(QStringLiteral("新建相册                "), this);
    Place(fraAddAlbum, 120, 60, 7320, 1260);
    Label(fraAddAlbum, QStringLiteral("相册名称"), 120, 360, 900, 300);
    txtAddAlbum = new QLineEdit(fraAddAlbum);
    Place(txtAddAlbum, 1020, 315, 2700, 360);
    labLen = Label(fraAddAlbum, QStringLiteral("0"), 3780, 360, 420, 300);
    cmdAddAlbum = new QPushButton(QStringLiteral("&Y.确定"), fraAddAlbum);
    Place(cmdAddAlbum, 4260, 285, 1100, 420);
    chkAdd = new QCheckBox(QStringLiteral("添加到首页相册框"), fraAddAlbum);
    chkAdd->setChecked(true);
    Place(chkAdd, 5460, 330, 1800, 330);
    Label(fraAddAlbum, QStringLiteral("[注：相册名称最长为20字节(10个汉字)]"), 120, 810, 7000, 300);

    // The albums.
    fraAlbums = new QGroupBox(QStringLiteral("相册管理"), this);
    Place(fraAlbums, 120, 1380, 7320, 6900);
    Label(fraAlbums, QStringLiteral("[全部相册]"), 120, 270, 2000, 300);
    grdAlbum = new FlexGrid(fraAlbums);
    grdAlbum->setRowHeightPixels(ToPixels(kRowHeight));
    grdAlbum->horizontalHeader()->setFixedHeight(ToPixels(kRowHeight));
    grdAlbum->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdAlbum->setStyleSheet(QStringLiteral("QTableWidget { background-color: white; }"));
    Place(grdAlbum, 120, 570, 7080, 5880);
    Label(fraAlbums, QStringLiteral("[提示：点击下面相册表格中的“上传”可给相册上传图片，点击“删除”可删除相册]"), 120, 6510, 7080,
          300)
        ->setWordWrap(true);

    // The home-page frame.
    fraHomeAlbums = new QGroupBox(QStringLiteral("首页相册框                "), this);
    Place(fraHomeAlbums, 7560, 60, 5880, 7680);
    Label(fraHomeAlbums, QStringLiteral("上移"), 3000, 300, 420, 270);
    Label(fraHomeAlbums, QStringLiteral("下移"), 3390, 300, 420, 270);
    Label(fraHomeAlbums, QStringLiteral("上传照片"), 3810, 300, 840, 270);
    QLabel* moveOutHeader = Label(fraHomeAlbums, QStringLiteral("移出首页相册框"), 4650, 300, 1200, 270);
    for (int k = 0; k < HomeAlbumFrame::kSlots; ++k) {
        const int top = kSlotTop + k * kSlotPitch;
        labSN[size_t(k)] = Label(fraHomeAlbums, QString::number(k + 1) + QStringLiteral("、"), 120, top + 30, 450, 300);
        labAlbum[size_t(k)] = Label(fraHomeAlbums, QString(), 570, top, 2370, 330);
        labAlbum[size_t(k)]->setAutoFillBackground(true);
        labAlbum[size_t(k)]->setFrameShape(QFrame::Panel);
        labAlbum[size_t(k)]->setFrameShadow(QFrame::Sunken);
        auto arrow = [&](const QString& text, int left) {
            auto* a = new ClickableLabel(text, fraHomeAlbums);
            a->setAlignment(Qt::AlignCenter);
            a->setCursor(Qt::PointingHandCursor);
            Place(a, left, top, 330, 330);
            return a;
        };
        imgMoveUp[size_t(k)] = arrow(QStringLiteral("▲"), 3030);
        imgMoveDown[size_t(k)] = arrow(QStringLiteral("▼"), 3420);
        // The first slot has nothing above it, the last nothing below.
        imgMoveUp[size_t(k)]->setVisible(k != 0);
        imgMoveDown[size_t(k)]->setVisible(k != HomeAlbumFrame::kSlots - 1);
        cmdUpload[size_t(k)] = new QPushButton(QStringLiteral("上 传"), fraHomeAlbums);
        cmdUpload[size_t(k)]->setToolTip(QStringLiteral("上传图像到相册中"));
        Place(cmdUpload[size_t(k)], 3840, top, 780, 330);
        cmdMoveOut[size_t(k)] = new QPushButton(QStringLiteral("移出 ->"), fraHomeAlbums);
        cmdMoveOut[size_t(k)]->setToolTip(QStringLiteral("把相册移出首页相册框，但不删除相册(今后仍可移入首页相册框)。"));
        cmdMoveOut[size_t(k)]->setCursor(Qt::PointingHandCursor);
        Place(cmdMoveOut[size_t(k)], 4680, top, 1020, 330);
    }
    {
        // The last header is as wide as its text, centred over its buttons and inside the frame, so
        // a font wider than the design's does not cut it at the frame's edge.
        const int width = std::max(moveOutHeader->width(), moveOutHeader->fontMetrics().horizontalAdvance(moveOutHeader->text()));
        const QRect column = cmdMoveOut[0]->geometry();
        const int left = std::min(column.center().x() + 1 - width / 2, fraHomeAlbums->width() - 2 - width);
        moveOutHeader->setGeometry(left, moveOutHeader->y(), width, moveOutHeader->height());
    }
    const int below = kSlotTop + HomeAlbumFrame::kSlots * kSlotPitch;
    Label(fraHomeAlbums, QStringLiteral("[注：首页相册框最多能放15个相册]"), 120, below + 60, 5600, 300);
    cmdSave = new QPushButton(QStringLiteral("&S.保存首页相册框设置"), fraHomeAlbums);
    Place(cmdSave, 120, below + 420, 2520, 420);
    labSave = Label(fraHomeAlbums, QStringLiteral("[注：刚才的操作需要点击“保存首页相册框设置”按钮后才能完成网站数据更新]"), 2700,
                    below + 360, 3060, 600);
    labSave->setWordWrap(true);
    labSave->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    cmdSave->hide();
    labSave->hide();

    cmdQuit = new QPushButton(QStringLiteral("&Q.退 出"), this);
    Place(cmdQuit, 12000, 8220, 1320, 420);

    picNetToService = NewWaitPanel(this, QStringLiteral("正在处理数据，请您稍候..."));
    CentreWaitPanel(picNetToService);
    m_wait = std::make_unique<PleaseWait>(picNetToService, QList<QWidget*>{fraAddAlbum, fraAlbums, fraHomeAlbums, cmdQuit});

    wireView();
    connect(cmdAddAlbum, &QPushButton::clicked, this, [this] { cmdAddAlbum_Click(); });
    connect(txtAddAlbum, &QLineEdit::textChanged, this, [this] { txtAddAlbum_Change(); });
    grdAlbum->onCellClick = [this](int row, int col) { grdAlbum_Click(row, col); };
    grdAlbum->isHotPoint = [this](const QPoint& pos) { return grdAlbum_MouseMove(pos); };
    for (int k = 0; k < HomeAlbumFrame::kSlots; ++k) {
        imgMoveUp[size_t(k)]->onClick = [this, k] { imgMoveUp_Click(k); };
        imgMoveDown[size_t(k)]->onClick = [this, k] { imgMoveDown_Click(k); };
        connect(cmdUpload[size_t(k)], &QPushButton::clicked, this, [this, k] { cmdUpload_Click(k); });
        connect(cmdMoveOut[size_t(k)], &QPushButton::clicked, this, [this, k] { cmdMoveOut_Click(k); });
    }
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });

    Form_Load();
}

AlbumSettingsWindow::~AlbumSettingsWindow() = default;

void AlbumSettingsWindow::wireView() {
    AlbumSettingsView& v = logic.view;
    v.showGrid = MemberHook(this, &AlbumSettingsWindow::showGrid);
    v.showFrame = MemberHook(this, &AlbumSettingsWindow::showFrame);
    v.showSaveMarker = MemberHook(this, &AlbumSettingsWindow::showSaveMarker);
    v.nameText = MemberHook(this, &AlbumSettingsWindow::nameText);
    v.setNameText = MemberHook(this, &AlbumSettingsWindow::setNameText);
    v.setLen = MemberHook(this, &AlbumSettingsWindow::setLen);
    v.focusName = MemberHook(this, &AlbumSettingsWindow::focusName);
    v.addToFrame = MemberHook(this, &AlbumSettingsWindow::addToFrame);
    v.showWait = MemberHook(this, &AlbumSettingsWindow::showWait);
    v.hideWait = MemberHook(this, &AlbumSettingsWindow::hideWait);
    v.openUploadWindow = MemberHook(this, &AlbumSettingsWindow::openUploadWindow);
}

void AlbumSettingsWindow::showSaveMarker(bool shown) {
    cmdSave->setVisible(shown);
    labSave->setVisible(shown);
}

QString AlbumSettingsWindow::nameText() const { return txtAddAlbum->text(); }

void AlbumSettingsWindow::setNameText(const QString& text) {
    const QSignalBlocker quiet(txtAddAlbum);
    txtAddAlbum->setText(text);
}

void AlbumSettingsWindow::setLen(const QString& text) { labLen->setText(text); }

void AlbumSettingsWindow::focusName(bool selectAll) {
    txtAddAlbum->setFocus();
    if (selectAll) txtAddAlbum->selectAll();
    else txtAddAlbum->end(false);
}

bool AlbumSettingsWindow::addToFrame() const { return chkAdd->isChecked(); }
void AlbumSettingsWindow::showWait() { m_wait->begin(); }
void AlbumSettingsWindow::hideWait() { m_wait->end(); }
void AlbumSettingsWindow::openUploadWindow() { OpenUploadWindow(this); }

bool AlbumSettingsWindow::grdAlbum_MouseMove(const QPoint& pos) const {
    return AlbumGridPointerHot(twips::FromPixels(pos.x()), twips::FromPixels(pos.y()));
}

void AlbumSettingsWindow::txtAddAlbum_Change() { logic.txtAddAlbum_Change(txtAddAlbum->text()); }

void AlbumSettingsWindow::showGrid(const AlbumGrid& grid) {
    grdAlbum->setFormatString(AlbumGrid::kFormat);
    for (int c = 0; c < AlbumGrid::kCols; ++c) grdAlbum->setColWidth(c, ToPixels(kColumnTwips[c]));
    // Headers wider than their design width in the member's font take room from the album names.
    for (int c = 0; c < AlbumGrid::kCols; ++c)
        if (c != AlbumGrid::NameColumn) grdAlbum->fitColumn(c, AlbumGrid::NameColumn);
    QList<QStringList> rows;
    for (int r = 1; r < grid.rows(); ++r) {
        QStringList row;
        for (int c = 0; c < AlbumGrid::kCols; ++c) row << grid.text(r, c);
        rows << row;
    }
    grdAlbum->setRows(rows, {AlbumGrid::MarkColumn, AlbumGrid::UploadColumn, AlbumGrid::DeleteColumn});
}

void AlbumSettingsWindow::showFrame(const HomeAlbumFrame& frame) {
    for (int k = 0; k < HomeAlbumFrame::kSlots; ++k) {
        QLabel* slot = labAlbum[size_t(k)];
        slot->setText(frame.caption(k));
        QPalette p = slot->palette();
        p.setColor(QPalette::Window, frame.color(k));
        slot->setPalette(p);
    }
}

void AlbumSettingsWindow::done(int result) {
    // The unsaved-frame question runs once, whether the quit button or the close box closes.
    if (!m_unloading) {
        m_unloading = true;
        logic.Form_QueryUnload();
    }
    QDialog::done(result);
}
