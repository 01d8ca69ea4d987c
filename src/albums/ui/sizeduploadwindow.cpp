#include "albums/ui/sizeduploadwindow.h"

#include "foundation/ui/pleasewait.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "imageeditor/ui/imageeditor_entry.h"
#include "imaging/ui/imaging_entry.h"
#include "mainwindow/ui/mainwindow_entry.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

SizedUploadWindow::SizedUploadWindow(QWidget* parent) : UploadFrame(parent) {
    setWindowTitle(QStringLiteral("上传文件"));

    // The title band: a picture and the opener's title and explanation.
    picAD->setAutoFillBackground(true);
    imgTitle = new QLabel(picAD);
    imgTitle->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(twips::ToPixels(720)));
    imgTitle->setAlignment(Qt::AlignCenter);
    place(imgTitle, 120, 120, 810, 810);
    labUploadInfoCaption = new QLabel(QString(labUploadInfo).replace(QLatin1Char('\r'), QLatin1Char('\n')), picAD);
    labUploadInfoCaption->setWordWrap(true);
    labUploadInfoCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(labUploadInfoCaption, 1050, 30, 14160, 990);

    // The album the opener fixed, named where the upload window has its chooser.
    picAlbum = new QFrame(frmUpload);
    place(picAlbum, 6400, 90, 8700, 480);
    labDirInfoCaption = new QLabel(labDirInfo, picAlbum);
    place(labDirInfoCaption, 0, 90, 8700, 300);
    labUploadToAlbumCaption = new QLabel(labUploadToAlbum, frmUpload);
    place(labUploadToAlbumCaption, 120, 180, 6200, 300);
    labUploadToAlbumCaption->hide();

    // No tutorial and no hint boxes in this window.
    cmdOpenTeach->hide();
    cmdCloseTeach->hide();
    for (const UploadHintBox& b : hintBoxes) b.picOpeMsg->hide();

    m_wait = std::make_unique<PleaseWait>(picNetToService, QList<QWidget*>{cmdViewPhoto});

    SizedUploadWindowView& v = logic.view;
    v.maximise = [this] { setWindowState(windowState() | Qt::WindowMaximized); };
    v.numberSlots = [this] {
        for (int r = 1; r < grdUpLoad->rowCount(); ++r) grdUpLoad->item(r, 0)->setText(QString::number(r));
    };
    v.hideWatermarkControls = [this] {
        cmdSetWaterMark->hide();
        cheWatermarkAndBorder->hide();
    };
    v.placeFrame = [this] {
        place(frmUpload, 30, 795 - 60, frmUpload->width() * twips::kPerPixel, frmUpload->height() * twips::kPerPixel);
        picFrame->move(0, 0);
    };
    v.layOut = [this](const UploadLayout& l) { layOutViewport(uploadframe::kBandHeight, l); };
    v.showWait = [this] { m_wait->begin(); };
    v.hideWait = [this] { m_wait->end(); };
    v.openFileManager = [this] { OpenFileManager(this); };
    v.openImageEditor = [this] { OpenImageEditor(this); };
    v.openWatermarkSettings = [this] { OpenWatermarkSettings(this); };
    v.showMainHint = [](int id, const QString& text, int size, int top, int left) {
        mainwindowseam::ShowHint(id, text, size, top, left);
    };

    wireSlots(logic.frame);
    logic.frame.view.openCropDialog = [this] { OpenCropDialog(this); };
    wireRun(logic.run);

    connect(cmdCloseUpload, &QPushButton::clicked, this, [this] { cmdCloseUpload_Click(); });
    connect(cmdEditPic, &QPushButton::clicked, this, [this] { cmdEditPic_Click(); });
    connect(cmdSetWaterMark, &QPushButton::clicked, this, [this] { cmdSetWaterMark_Click(); });
    connect(cmdViewPhoto, &QPushButton::clicked, this, [this] { cmdViewPhoto_Click(); });

    Form_Load();
    Form_Resize();
}

SizedUploadWindow::~SizedUploadWindow() = default;

void SizedUploadWindow::Form_Resize() {
    logic.Form_Resize(twips::FromPixels(height()), twips::FromPixels(width()));
    // The title band ends at the window's edge where the window is narrower than its design (the
    // frame sees to that); its explanation ends inside it.
    constexpr int kBandWidth = 15345;
    const int band = std::min(twips::ToPixels(kBandWidth), width());
    labUploadInfoCaption->resize(std::min(twips::ToPixels(14160), band - labUploadInfoCaption->x()),
                                 labUploadInfoCaption->height());
}

void SizedUploadWindow::done(int result) {
    // Escape too: the closing step would delete the cut files while the pass still uses them.
    if (busy()) return;
    // The closing hint and the reset of the parameters run once, however the window closes.
    if (!m_unloading) {
        m_unloading = true;
        logic.Form_QueryUnload();
    }
    UploadFrame::done(result);
}
