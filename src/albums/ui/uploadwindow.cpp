#include "albums/ui/uploadwindow.h"

#include "albums/ui/albumsettingswindow.h"
#include "foundation/settings.h"
#include "mainwindow/ui/teachpanel.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/statuspictures.h"
#include "platform/ui/webbrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

namespace {
// The album settings window, when it opened this one, lists the album created here.
void AddAlbumSettingsRow(const QString& album, const QString& stamp) {
    if (AlbumSettingsWindow* settings = AlbumSettingsWindow::loaded()) settings->logic.albumCreatedElsewhere(album, stamp);
}
}  // namespace

UploadWindow::UploadWindow(QWidget* parent) : UploadFrame(parent) {
    setWindowTitle(QStringLiteral("上传文件"));

    webAD = new WebBrowser(picAD);
    webAD->setSilent(true);
    place(webAD, 0, 0, 15345, uploadframe::kBandHeight);
    teachpicTeach = teachpanel::CreateUploadPanel(this);
    teachpicTeach->move(0, 0);
    teachpicTeach->hide();

    // The album chooser, with the captions that show the target album beneath it.
    labDirInfoCaption = new QLabel(labDirInfo, frmUpload);
    place(labDirInfoCaption, 6400, 180, 8700, 300);
    picAlbum = new QFrame(frmUpload);
    picAlbum->setAutoFillBackground(true);
    place(picAlbum, 6400, 90, 6500, 480);
    Label1 = new QLabel(QStringLiteral("请选择存放文件的相册"), picAlbum);
    place(Label1, 0, 90, 2400, 300);
    cobAlbum = new QComboBox(picAlbum);
    place(cobAlbum, 2400, 45, 2700, 360);
    cobAlbum->addItems(cobAlbumItems);
    cobAlbum->setCurrentText(cobAlbumText);
    if (!cobAlbumText.isEmpty() && cobAlbum->currentText() != cobAlbumText) {
        cobAlbum->setEditable(true);
        cobAlbum->setEditText(cobAlbumText);
    }
    cmdNewAlbum = new QPushButton(QStringLiteral("新建相册"), picAlbum);
    place(cmdNewAlbum, 5220, 30, 1200, 390);
    picAlbum->setVisible(picAlbumVisible);
    labUploadToAlbumCaption = new QLabel(labUploadToAlbum, frmUpload);
    place(labUploadToAlbumCaption, 120, 180, 6200, 300);
    labUploadToAlbumCaption->setVisible(labUploadToAlbumVisible);

    picPicZip = new QFrame(frmUpload);
    place(picPicZip, 13020, 4500, 2250, 1500);
    chkPicZIP = new QCheckBox(picPicZip);
    chkPicZIP->setChecked(true);
    place(chkPicZIP, 0, 0, 300, 300);
    chkPicZIPCaption = new QLabel(QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。"), picPicZip);
    chkPicZIPCaption->setWordWrap(true);
    chkPicZIPCaption->setObjectName(QStringLiteral("chkPicZIPCaption"));
    place(chkPicZIPCaption, 300, 0, 1950, 1200);
    imgLock = new QLabel(frmUpload);
    place(imgLock, 12750, 4500, 270, 300);
    imgLock->setPixmap(PadlockPicture(imgLock->width(), imgLock->height()));
    imgLock->hide();
    cmdUploadFolder = new QPushButton(QStringLiteral("上传文件夹"), frmUpload);
    place(cmdUploadFolder, 13020, 1620, 2100, 420);
    cmdUploadNextPage = new QPushButton(QStringLiteral("继续上传下一组"), picWait);
    place(cmdUploadNextPage, 3600, 1080, 1800, 420);
    cmdUploadNextPage->hide();

    wireView();
    connect(cmdUploadFolder, &QPushButton::clicked, this, [this] { cmdUploadFolder_Click(); });
    connect(cmdUploadNextPage, &QPushButton::clicked, this, [this] { cmdUploadNextPage_Click(); });
    connect(cmdCloseUpload, &QPushButton::clicked, this, [this] { cmdCloseUpload_Click(); });
    connect(cmdEditPic, &QPushButton::clicked, this, [this] { cmdEditPic_Click(); });
    connect(cmdSetWaterMark, &QPushButton::clicked, this, [this] { cmdSetWaterMark_Click(); });
    connect(cmdViewPhoto, &QPushButton::clicked, this, [this] { cmdViewPhoto_Click(); });
    connect(cmdOpenTeach, &QPushButton::clicked, this, [this] { cmdOpenTeach_Click(); });
    connect(cmdCloseTeach, &QPushButton::clicked, this, [this] { cmdCloseTeach_Click(); });
    connect(cmdNewAlbum, &QPushButton::clicked, this, [this] { cmdNewAlbum_Click(); });
    connect(cheWatermarkAndBorder, &QCheckBox::toggled, this, [this] { cheWatermarkAndBorder_Click(); });
    connect(cobAlbum, &QComboBox::activated, this, [this] { cobAlbum_Click(); });
    for (int k = 0; k < 3; ++k) {
        connect(hintBoxes[size_t(k)].cmdClosOpeMsg, &QPushButton::clicked, this, [this, k] { cmdClosOpeMsg_Click(k); });
        connect(hintBoxes[size_t(k)].imgCloseOpe, &QPushButton::clicked, this, [this, k] { imgCloseOpe_Click(k); });
    }

    // The slot numbers stay whatever happens at load.
    for (int r = 1; r < grdUpLoad->rowCount(); ++r) grdUpLoad->item(r, 0)->setText(QString::number(r));
    Form_Load();
    Form_Resize();
}

UploadWindow::~UploadWindow() = default;

void UploadWindow::wireView() {
    wireFrame(logic);
    UploadWindowView& v = logic.view;
    v.openTutorial = MemberHook(this, &UploadWindow::openTutorial);
    v.navigateAd = MemberHook(this, &UploadWindow::navigateAd);
    v.fillChooser = MemberHook(this, &UploadWindow::fillChooser);
    v.showUploadToAlbum = MemberHook(this, &UploadWindow::showUploadToAlbum);
    v.showHint = MemberHook(this, &UploadWindow::showHintBox);
    v.hideHint = MemberHook(this, &UploadWindow::hideHintBox);
    v.layOut = MemberHook(this, &UploadWindow::layOut);
    v.lockPicZip = MemberHook(this, &UploadWindow::lockPicZip);
    logic.frame.view.picZipTicked = MemberHook(this, &UploadWindow::picZipTicked);
    logic.frame.view.showStartHint = MemberHook(&logic, &UploadWindowController::ShowStartHint);
    logic.run.view.chooserText = MemberHook(this, &UploadWindow::chooserText);
    logic.run.view.showAlbumHint = MemberHook(&logic, &UploadWindowController::ShowAlbumHint);
    UploadNewAlbumView& a = newAlbumView;
    a.enableNewAlbum = MemberHook(this, &UploadWindow::enableNewAlbum);
    a.addChosenAlbum = MemberHook(this, &UploadWindow::addChosenAlbum);
    a.showUploadToAlbum = [this](const QString& caption) { showUploadToAlbum(caption, true); };
    a.addAlbumSettingsRow = AddAlbumSettingsRow;
    a.showWait = MemberHook(this, &UploadWindow::showWait);
    a.hideWait = MemberHook(this, &UploadWindow::hideWait);
}

void UploadWindow::openTutorial() {
    teachpicTeach->openAtLoad([this] { cmdOpenTeach_Click(); });
}

void UploadWindow::navigateAd(const QString& url) { webAD->Navigate(url); }

void UploadWindow::fillChooser(const QStringList& items, const QString& text) {
    cobAlbum->addItems(items);
    cobAlbum->setCurrentIndex(cobAlbum->findText(text));
}

void UploadWindow::showUploadToAlbum(const QString& caption, bool visible) {
    labUploadToAlbumCaption->setText(caption);
    labUploadToAlbumCaption->setVisible(visible);
}

void UploadWindow::layOut(const UploadLayout& l) { layOutViewport(bandTwips(), l); }

void UploadWindow::lockPicZip(bool locked, const QString& caption) {
    if (locked) chkPicZIP->setChecked(true);
    picPicZip->setEnabled(!locked);
    imgLock->setVisible(locked);
    chkPicZIPCaption->setText(caption);
}

bool UploadWindow::picZipTicked() const { return chkPicZIP->isChecked(); }

QString UploadWindow::chooserText() const { return cobAlbum->currentText(); }

void UploadWindow::enableNewAlbum(bool enabled) { cmdNewAlbum->setEnabled(enabled); }

void UploadWindow::addChosenAlbum(const QString& album) {
    cobAlbum->addItem(album);
    cobAlbum->setCurrentIndex(cobAlbum->count() - 1);
}

int UploadWindow::bandTwips() const {
    return m_teachShown ? twips::FromPixels(teachpicTeach->height()) : twips::FromPixels(picAD->height());
}

void UploadWindow::Form_Resize() {
    logic.Form_Resize(twips::FromPixels(height()), bandTwips(), twips::FromPixels(width()));
}

void UploadWindow::cmdOpenTeach_Click() {
    m_teachShown = true;
    teachpicTeach->openPanel(cmdOpenTeach, cmdCloseTeach);
    Form_Resize();
    if (logic.WindowLoaded && vscPicBox->isVisible()) vscPicBox->setFocus();
}

void UploadWindow::cmdCloseTeach_Click() {
    m_teachShown = false;
    teachpicTeach->closePanel(cmdOpenTeach, cmdCloseTeach, UcsTeachUpload);
    Form_Resize();
}

void UploadWindow::cheWatermarkAndBorder_Click() { logic.cheWatermarkAndBorder_Click(cheWatermarkAndBorder->isChecked()); }

void UploadWindow::cobAlbum_Click() { logic.cobAlbum_Click(cobAlbum->currentText()); }

void UploadWindow::cmdClosOpeMsg_Click(int index) {
    if (index < 0 || index > 2) return;
    logic.cmdClosOpeMsg_Click(index, hintBoxes[size_t(index)].chkIKnowOpe->isChecked());
}

QWidget* UploadWindow::namedControl(const QString& name) {
    if (name == QLatin1String("cobAlbum")) return cobAlbum;
    if (name == QLatin1String("cmdUploadNextPage")) return cmdUploadNextPage;
    return UploadFrame::namedControl(name);
}

void UploadWindow::showRunPanel() {
    cmdUploadNextPage->setVisible(logic.run.panel.cmdUploadNextPageVisible);
    UploadFrame::showRunPanel();
}

void UploadWindow::done(int result) {
    if (busy()) return;  // a selection being checked finishes first
    // The closing hint and the reset of the parameters run once, however the window closes.
    if (!m_unloading) {
        m_unloading = true;
        Form_QueryUnload();
    }
    UploadFrame::done(result);
}

QWidget* UploadWindow::hintTarget(int box) {
    if (box == 2) return cmdNewAlbum;  // the album hint names the new-album button
    return UploadFrame::hintTarget(box);
}
