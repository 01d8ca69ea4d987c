#include "albums/ui/uploadwindow.h"

#include "albums/ui/albumsettingswindow.h"
#include "foundation/settings.h"
#include "foundation/ui/pleasewait.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "imageeditor/ui/imageeditor_entry.h"
#include "imaging/ui/imaging_entry.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "mainwindow/ui/teachpanel.h"
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
    auto* zipCaption = new QLabel(QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。"), picPicZip);
    zipCaption->setWordWrap(true);
    zipCaption->setObjectName(QStringLiteral("chkPicZIPCaption"));
    place(zipCaption, 300, 0, 1950, 1200);
    imgLock = new QLabel(frmUpload);
    place(imgLock, 12750, 4500, 270, 300);
    imgLock->setPixmap(PadlockPicture(imgLock->width(), imgLock->height()));
    imgLock->hide();
    cmdUploadFolder = new QPushButton(QStringLiteral("上传文件夹"), frmUpload);
    place(cmdUploadFolder, 13020, 1620, 2100, 420);
    cmdUploadNextPage = new QPushButton(QStringLiteral("继续上传下一组"), picWait);
    place(cmdUploadNextPage, 3600, 1080, 1800, 420);
    cmdUploadNextPage->hide();

    m_wait = std::make_unique<PleaseWait>(picNetToService, QList<QWidget*>{cmdViewPhoto});

    UploadWindowView& v = logic.view;
    v.maximise = [this] { setWindowState(windowState() | Qt::WindowMaximized); };
    v.openTutorial = [this] { teachpicTeach->openAtLoad([this] { cmdOpenTeach_Click(); }); };
    v.navigateAd = [this](const QString& url) { webAD->Navigate(url); };
    v.fillChooser = [this](const QStringList& items, const QString& text) {
        cobAlbum->addItems(items);
        cobAlbum->setCurrentIndex(cobAlbum->findText(text));
    };
    v.showUploadToAlbum = [this](const QString& caption, bool visible) {
        labUploadToAlbumCaption->setText(caption);
        labUploadToAlbumCaption->setVisible(visible);
    };
    v.showHint = [this](int box, const QString& text, int top, int left) { showHintBox(box, text, top, left); };
    v.hideHint = [this](int box) { hideHintBox(box); };
    v.layOut = [this](const UploadLayout& l) { layOutViewport(bandTwips(), l); };
    v.lockPicZip = [this, zipCaption](bool locked, const QString& caption) {
        if (locked) chkPicZIP->setChecked(true);
        picPicZip->setEnabled(!locked);
        imgLock->setVisible(locked);
        zipCaption->setText(caption);
    };
    v.showWait = [this] { m_wait->begin(); };
    v.hideWait = [this] { m_wait->end(); };
    v.openFileManager = [this] { OpenFileManager(this); };
    v.openImageEditor = [this] { OpenImageEditor(this); };
    v.openWatermarkSettings = [this] { OpenWatermarkSettings(this); };
    v.showMainHint = [](int id, const QString& text, int size, int top, int left) {
        mainwindowseam::ShowHint(id, text, size, top, left);
    };

    wireSlots(logic.frame);
    logic.frame.view.picZipTicked = [this] { return chkPicZIP->isChecked(); };
    logic.frame.view.showStartHint = [this] { logic.ShowStartHint(); };
    wireRun(logic.run);
    logic.run.view.chooserText = [this] { return cobAlbum->currentText(); };
    logic.run.view.showAlbumHint = [this] { logic.ShowAlbumHint(); };
    connect(cmdUploadFolder, &QPushButton::clicked, this, [this] { cmdUploadFolder_Click(); });
    connect(cmdUploadNextPage, &QPushButton::clicked, this, [this] { cmdUploadNextPage_Click(); });
    UploadNewAlbumView& a = newAlbumView;
    a.enableNewAlbum = [this](bool enabled) { cmdNewAlbum->setEnabled(enabled); };
    a.addChosenAlbum = [this](const QString& album) {
        cobAlbum->addItem(album);
        cobAlbum->setCurrentIndex(cobAlbum->count() - 1);
    };
    a.showUploadToAlbum = [this](const QString& caption) {
        labUploadToAlbumCaption->setText(caption);
        labUploadToAlbumCaption->show();
    };
    a.addAlbumSettingsRow = [](const QString& album, const QString& stamp) {
        if (AlbumSettingsWindow* settings = AlbumSettingsWindow::loaded()) settings->logic.albumCreatedElsewhere(album, stamp);
    };
    a.showWait = v.showWait;
    a.hideWait = v.hideWait;

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
