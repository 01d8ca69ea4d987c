#include "hostedfiles/ui/singlefileuploadwindow.h"

#include "albums/ui/albums_entry.h"
#include "hostedfiles/ui/filemanagerwindow.h"
#include "imaging/dibsection.h"
#include "imaging/jpegwriter.h"
#include "imaging/picture.h"
#include "imaging/picturepreparation.h"
#include "imaging/ui/grabwindow.h"
#include "imaging/ui/imaging_entry.h"
#include "imaging/ui/previewbox.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/statuspictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

using twips::ToPixels;

namespace {

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

// The pictures shown for a file that has no preview: its kind's name on a plain card.
QImage KindPicture(const QString& kind, const QColor& colour) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, kind);
    return image;
}

// A picture read by its content (a ".bmp" may hold a JPEG), scaled as it is shown.
QImage ReadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

}  // namespace

SingleFileUploadWindow::SingleFileUploadWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("上传文件"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(ToPixels(8715), ToPixels(2490));

    picView = new QFrame(this);
    place(picView, 120, 120, kPreviewBoxTwips, kPreviewBoxTwips);
    picView->setFrameShape(QFrame::NoFrame);
    imgView = new QLabel(picView);
    imgView->setScaledContents(true);
    place(imgView, 0, 0, kPreviewBoxTwips, kPreviewBoxTwips);

    txtPath = new QLineEdit(this);
    place(txtPath, 1740, 120, 5355, 315);
    cmdSearch = new QPushButton(QStringLiteral("浏览..."), this);
    place(cmdSearch, 7155, 105, 1440, 345);

    Label1 = new QLabel(QStringLiteral("逆时针旋转90度："), this);
    place(Label1, 1740, 600, 1560, 255);
    cmdLeft = new QPushButton(QStringLiteral("↶"), this);
    cmdLeft->setToolTip(QStringLiteral("逆时针旋转90度"));
    place(cmdLeft, 3300, 540, 600, 345);
    Label2 = new QLabel(QStringLiteral("顺时针旋转90度："), this);
    place(Label2, 4200, 600, 1560, 255);
    cmdRight = new QPushButton(QStringLiteral("↷"), this);
    cmdRight->setToolTip(QStringLiteral("顺时针旋转90度"));
    place(cmdRight, 5760, 540, 600, 345);
    cmdLeft->setEnabled(false);
    cmdRight->setEnabled(false);

    cheWatermarkAndBorder = new QCheckBox(QStringLiteral("加入水印、边框"), this);
    place(cheWatermarkAndBorder, 1740, 1020, 2400, 300);
    cmdSetWaterMark = new QPushButton(QStringLiteral("水印设置"), this);
    place(cmdSetWaterMark, 4200, 990, 1440, 345);

    picPicZip = new QFrame(this);
    place(picPicZip, 1740, 1380, 6555, 315);
    chkPicZIP = new QCheckBox(QStringLiteral("jpg、bmp图像大于500k时转换成600×600(像素)以内的图像。"), picPicZip);
    place(chkPicZIP, 0, 0, 6555, 315);
    chkPicZIP->setChecked(true);
    imgLock = new QLabel(this);
    place(imgLock, 8325, 1380, 270, 315);
    imgLock->setPixmap(PadlockPicture(imgLock->width(), imgLock->height()));
    imgLock->hide();

    labSelectInfo = new QLabel(this);
    place(labSelectInfo, 1740, 1740, 6855, 285);
    QPalette red = labSelectInfo->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    labSelectInfo->setPalette(red);

    cmdReSelect = new QPushButton(QStringLiteral("重新选择"), this);
    place(cmdReSelect, 120, 1695, 1500, 345);
    Label3 = new QLabel(QStringLiteral("注：重新上传的文件的格式必须与所更新的文件的格式一致。"), this);
    place(Label3, 120, 2130, 5400, 285);
    cmdUploadFiles = new QPushButton(QStringLiteral("上传"), this);
    place(cmdUploadFiles, 5640, 2070, 1440, 360);
    cmdCloseUpload = new QPushButton(QStringLiteral("关闭"), this);
    place(cmdCloseUpload, 7155, 2070, 1440, 360);

    // The turned preview draws out of sight: what the member sees is imgView.
    preview = new PreviewBox(this, 100);
    preview->setGeometry(0, 0, 1, 1);
    preview->hide();
    picPreview = preview->picPreview;
    picPreview->setBackColor(0xFFFFFF);
    picBackColor = preview->picBackColor;
    picBackColor->setBackColor(0x000000);
    imglPic.insert(QStringLiteral("swf1"), KindPicture(QStringLiteral("SWF"), QColor(0xC0, 0x40, 0x40)));
    imglPic.insert(QStringLiteral("png1"), KindPicture(QStringLiteral("PNG"), QColor(0x40, 0x70, 0xC0)));

    picWait = new QFrame(this);
    place(picWait, 1740, 135, 5745, 1035);
    picWait->setFrameShape(QFrame::Box);
    picWait->setAutoFillBackground(true);
    labUploadNow = new QLabel(picWait);
    place(labUploadNow, 120, 120, 5500, 285);
    labUploadFinish = new QLabel(QStringLiteral("正在上传，请您稍候..."), picWait);
    place(labUploadFinish, 120, 450, 3600, 285);
    imgWait = new QProgressBar(picWait);
    imgWait->setRange(0, 0);  // moves while it waits
    imgWait->setTextVisible(false);
    place(imgWait, 3840, 480, 1700, 240);
    picWait->hide();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdLeft, &QPushButton::clicked, this, [this] { cmdLeft_Click(); });
    connect(cmdRight, &QPushButton::clicked, this, [this] { cmdRight_Click(); });
    connect(cheWatermarkAndBorder, &QCheckBox::clicked, this, [this] { cheWatermarkAndBorder_Click(); });
    connect(cmdSetWaterMark, &QPushButton::clicked, this, [this] { cmdSetWaterMark_Click(); });
    connect(cmdReSelect, &QPushButton::clicked, this, [this] { cmdReSelect_Click(); });
    connect(cmdUploadFiles, &QPushButton::clicked, this, [this] { cmdUploadFiles_Click(); });
    connect(cmdCloseUpload, &QPushButton::clicked, this, [this] { cmdCloseUpload_Click(); });

    wireView();
    logic.Form_Load();
}

void SingleFileUploadWindow::cheWatermarkAndBorder_Click() {
    logic.cheWatermarkAndBorder_Click(cheWatermarkAndBorder->isChecked());
}

void SingleFileUploadWindow::setPreviewPicture(const QImage& picture, const QRect& where) {
    imgView->setPixmap(QPixmap::fromImage(picture));
    imgView->setGeometry(where);
}

bool SingleFileUploadWindow::fitPreview(const QString& path) {
    const QImage picture = ReadPicture(path);
    if (picture.isNull()) return false;
    const TwipsRect r = PreviewFit(twips::FromPixels(picture.width()), twips::FromPixels(picture.height()));
    place(imgView, r.left, r.top, r.width, r.height);
    imgView->setPixmap(QPixmap::fromImage(picture));
    return true;
}

bool SingleFileUploadWindow::renderThumbnail(const QString& path, const QString& bmpPath, const QString& jpegPath) {
    if (!fitPreview(path)) return false;
    QApplication::processEvents();
    const QRect r = imgView->geometry();
    const StdPicture grab = GrabWindowPicture(picView, false, r.x(), r.y(), r.width(), r.height());
    if (grab.Type() == StdPicture::vbPicTypeNone || !grab.Handle.save(bmpPath, "BMP")) return false;
    QApplication::processEvents();
    StdPicture loaded;
    loaded.Handle = QImage(bmpPath);
    if (loaded.Type() == StdPicture::vbPicTypeNone) return false;
    cDIBSection dib;
    dib.CreateFromPicture(loaded);
    return WriteJpegFile(dib, jpegPath, kPreparedJpegQuality);
}

void SingleFileUploadWindow::wireView() {
    SingleFileUploadView& v = logic.view;
    v.pathText = MemberHook(this, &SingleFileUploadWindow::pathText);
    v.setPath = MemberHook(this, &SingleFileUploadWindow::setPath);
    v.enableWindow = MemberHook(this, &SingleFileUploadWindow::enableWindow);
    v.doEvents = &SingleFileUploadWindow::doEvents;
    v.showListPicture = MemberHook(this, &SingleFileUploadWindow::showListPicture);
    v.fitPreview = MemberHook(this, &SingleFileUploadWindow::fitPreview);
    v.clearPreview = MemberHook(this, &SingleFileUploadWindow::clearPreview);
    v.enableTurns = MemberHook(this, &SingleFileUploadWindow::enableTurns);
    v.enableTurnButton = MemberHook(this, &SingleFileUploadWindow::enableTurnButton);
    v.loadTurnSource = MemberHook(this, &SingleFileUploadWindow::loadTurnSource);
    v.showTurned = MemberHook(this, &SingleFileUploadWindow::showTurned);
    v.setSelectInfo = MemberHook(this, &SingleFileUploadWindow::setSelectInfo);
    v.watermarkTicked = MemberHook(this, &SingleFileUploadWindow::watermarkTicked);
    v.picZipTicked = MemberHook(this, &SingleFileUploadWindow::picZipTicked);
    v.lockPicZip = MemberHook(this, &SingleFileUploadWindow::lockPicZip);
    v.openWatermarkSettings = MemberHook(this, &SingleFileUploadWindow::openWatermarkSettings);
    v.showScreenshotWarning = MemberHook(this, &SingleFileUploadWindow::showScreenshotWarning);
    v.enableSearch = MemberHook(this, &SingleFileUploadWindow::enableSearch);
    v.enableUpload = MemberHook(this, &SingleFileUploadWindow::enableUpload);
    v.showWait = MemberHook(this, &SingleFileUploadWindow::showWait);
    v.setUploadNow = MemberHook(this, &SingleFileUploadWindow::setUploadNow);
    v.runComposer = MemberHook(this, &SingleFileUploadWindow::runComposer);
    v.renderThumbnail = MemberHook(this, &SingleFileUploadWindow::renderThumbnail);
    v.showInFileManager = &SingleFileUploadWindow::showInFileManager;
    v.clearTurnPreview = MemberHook(this, &SingleFileUploadWindow::clearTurnPreview);
    v.closeWindow = [this] { accept(); };
}

QString SingleFileUploadWindow::pathText() const { return txtPath->text(); }

void SingleFileUploadWindow::setPath(const QString& path) {
    txtPath->setText(path);
    if (path.isEmpty()) txtPath->setToolTip(QString());
}

void SingleFileUploadWindow::enableWindow(bool on) { setEnabled(on); }

void SingleFileUploadWindow::doEvents() { QApplication::processEvents(); }

void SingleFileUploadWindow::showListPicture(ChosenShow kind) {
    imgView->setPixmap(
        QPixmap::fromImage(imglPic.value(kind == ChosenShow::FlashPicture ? QStringLiteral("swf1") : QStringLiteral("png1"))));
}

void SingleFileUploadWindow::clearPreview() { imgView->clear(); }

void SingleFileUploadWindow::enableTurns(bool on) {
    cmdLeft->setEnabled(on);
    cmdRight->setEnabled(on);
}

void SingleFileUploadWindow::enableTurnButton(int step, bool on) { (step < 0 ? cmdLeft : cmdRight)->setEnabled(on); }

bool SingleFileUploadWindow::loadTurnSource(const QString& path) {
    preview->SourceDib = std::make_shared<cDIBSection1>();
    if (!preview->SourceDib->CreateFromFile(path)) return false;
    preview->ShowPreviewImage();
    return true;
}

bool SingleFileUploadWindow::showTurned(float angle, const QString& bmpPath) {
    preview->ShowRotatedPreview(angle, picBackColor->BackColor());
    if (!picPreview->Image().save(bmpPath, "BMP")) return false;
    return fitPreview(bmpPath);
}

void SingleFileUploadWindow::clearTurnPreview() { picPreview->Cls(); }

void SingleFileUploadWindow::setSelectInfo(const QString& text) { labSelectInfo->setText(text); }

bool SingleFileUploadWindow::watermarkTicked() const { return cheWatermarkAndBorder->isChecked(); }

bool SingleFileUploadWindow::picZipTicked() const { return chkPicZIP->isChecked(); }

void SingleFileUploadWindow::lockPicZip(bool locked, const QString& caption) {
    if (locked) chkPicZIP->setChecked(true);
    picPicZip->setEnabled(!locked);
    imgLock->setVisible(locked);
    chkPicZIP->setText(caption);
}

void SingleFileUploadWindow::openWatermarkSettings() { OpenWatermarkSettings(this); }

void SingleFileUploadWindow::showScreenshotWarning() { ShowScreenshotWarning(this); }

void SingleFileUploadWindow::enableSearch(bool on) { cmdSearch->setEnabled(on); }

void SingleFileUploadWindow::enableUpload(bool on) { cmdUploadFiles->setEnabled(on); }

void SingleFileUploadWindow::showWait(bool shown, const QString& caption) {
    if (!caption.isEmpty()) labUploadFinish->setText(caption);
    picWait->setVisible(shown);
    if (shown) picWait->repaint();
}

void SingleFileUploadWindow::setUploadNow(const QString& text) { labUploadNow->setText(text); }

void SingleFileUploadWindow::runComposer() { PrepareUploadPicture(this); }

void SingleFileUploadWindow::showInFileManager(int index, const QString& thumbnail) {
    FileManagerWindow* manager = FileManagerWindow::loaded();
    if (!manager || index < 0 || index > 15) return;
    if (index == 15)
        FileManagerWindow::ShowCentred(manager->imgFileView, manager->picGrdView, QImage(thumbnail));
    else
        FileManagerWindow::ShowCentred(manager->imgView[index], manager->picView[index], QImage(thumbnail));
}

void OpenSingleFileUpload(QWidget* parent, const QImage& picture, const QRect& where) {
    SingleFileUploadWindow window(parent);
    window.setPreviewPicture(picture, where);
    window.exec();
}
