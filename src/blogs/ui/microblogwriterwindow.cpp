#include "blogs/ui/microblogwriterwindow.h"

#include "albums/ui/albums_entry.h"
#include "blogs/ui/blogs_entry.h"
#include "blogs/ui/blogwindowparts.h"
#include "foundation/ui/pleasewait.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using twips::ToPixels;

namespace {
constexpr int kWidthTwips = 7800;
constexpr int kHeightTwips = 5400;
// The attached picture's frame: a thumbnail of the file manager fits.
constexpr int kPictureTwips = 1500;
}  // namespace

MicroBlogWriterWindow::MicroBlogWriterWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("编写微博"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(ToPixels(kWidthTwips), ToPixels(kHeightTwips));

    Label1 = new QLabel(QStringLiteral("三言两语，现场记录，发发感慨，晒晒心情"), this);
    txtText = new QPlainTextEdit(this);
    Label2 = new QLabel(QStringLiteral("您还可以输入"), this);
    labTxtNum = new QLabel(QStringLiteral("140"), this);
    labTxtNum->setAlignment(Qt::AlignCenter);
    labTxtNum->setMinimumWidth(ToPixels(450));
    Label3 = new QLabel(QStringLiteral("字"), this);
    picInputPicture = NewCaptionButton(this, QStringLiteral("插入图片"), QStringLiteral("把上传到网络服务器中的图片插入到模板中。"));
    picUpLoadPicture = NewCaptionButton(this, QStringLiteral("上传图片"), QStringLiteral("把图片上传到网络服务器中"));
    imgView = new ClickableLabel(this);
    imgView->setToolTip(QStringLiteral("点击可按实际大小预览该图"));
    imgView->setCursor(Qt::PointingHandCursor);
    imgView->setAlignment(Qt::AlignCenter);
    imgView->setFrameShape(QFrame::Box);
    imgView->setFixedSize(ToPixels(kPictureTwips), ToPixels(kPictureTwips));
    imgView->hide();
    cmdCancelPic = new QPushButton(QStringLiteral("&C.取消图片"), this);
    cmdCancelPic->hide();
    cmdUpload = new QPushButton(QStringLiteral("&Y.发 布"), this);

    auto* counterRow = new QHBoxLayout;
    counterRow->addWidget(Label2);
    counterRow->addWidget(labTxtNum);
    counterRow->addWidget(Label3);
    counterRow->addStretch();
    counterRow->addWidget(picInputPicture);
    counterRow->addWidget(picUpLoadPicture);
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(imgView, 0, Qt::AlignBottom);
    pictureRow->addWidget(cmdCancelPic, 0, Qt::AlignBottom);
    pictureRow->addStretch();
    pictureRow->addWidget(cmdUpload, 0, Qt::AlignBottom);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Label1);
    column->addWidget(txtText, 1);
    column->addLayout(counterRow);
    column->addLayout(pictureRow);

    picNetToService = blogwindows::MakeWaitPicture(this, QStringLiteral("正在处理数据，请您稍候..."));
    m_wait = std::make_unique<PleaseWait>(
        picNetToService, QList<QWidget*>{txtText, cmdUpload, cmdCancelPic, picInputPicture, picUpLoadPicture});

    wireView();

    connect(txtText, &QPlainTextEdit::textChanged, this, [this] { txtText_Change(); });
    connect(cmdUpload, &QPushButton::clicked, this, [this] { cmdUpload_Click(); });
    connect(cmdCancelPic, &QPushButton::clicked, this, [this] { cmdCancelPic_Click(); });
    picInputPicture->onClick = [this] { picInputPicture_Click(); };
    picUpLoadPicture->onClick = [this] { picUpLoadPicture_Click(); };
    imgView->onClick = [this] { imgView_Click(); };
}

MicroBlogWriterWindow::~MicroBlogWriterWindow() = default;

void MicroBlogWriterWindow::wireView() {
    MicroBlogWriterView& v = logic.view;
    v.text = MemberHook(this, &MicroBlogWriterWindow::text);
    v.setText = MemberHook(this, &MicroBlogWriterWindow::setText);
    v.setCharsLeft = MemberHook(this, &MicroBlogWriterWindow::setCharsLeft);
    v.setPicture = MemberHook(this, &MicroBlogWriterWindow::setPicture);
    v.showPicture = MemberHook(this, &MicroBlogWriterWindow::showPicture);
    v.showCancelPic = MemberHook(this, &MicroBlogWriterWindow::showCancelPic);
    v.showWait = MemberHook(this, &MicroBlogWriterWindow::showWait);
    v.hideWait = MemberHook(this, &MicroBlogWriterWindow::hideWait);
    v.openFileManager = MemberHook(this, &MicroBlogWriterWindow::openFileManager);
    v.openUploadWindow = MemberHook(this, &MicroBlogWriterWindow::openUploadWindow);
    v.viewThroughPage = MemberHook(this, &MicroBlogWriterWindow::viewThroughPage);
    v.close = MemberHook(this, &MicroBlogWriterWindow::closeDone);
}

QString MicroBlogWriterWindow::text() const { return txtText->toPlainText(); }

void MicroBlogWriterWindow::setText(const QString& t) {
    const QSignalBlocker quiet(txtText);
    txtText->setPlainText(t);
    txtText->moveCursor(QTextCursor::End);
}

void MicroBlogWriterWindow::setCharsLeft(const QString& n) { labTxtNum->setText(n); }

void MicroBlogWriterWindow::setPicture(const QImage& picture) {
    if (picture.isNull())
        imgView->clear();
    else
        imgView->setPixmap(QPixmap::fromImage(picture));
}

void MicroBlogWriterWindow::showPicture(bool on) { imgView->setVisible(on); }

void MicroBlogWriterWindow::showCancelPic(bool on) { cmdCancelPic->setVisible(on); }

void MicroBlogWriterWindow::showWait() {
    blogwindows::CentreWaitPicture(this, picNetToService);
    m_wait->begin();
}

void MicroBlogWriterWindow::hideWait() { m_wait->end(); }

void MicroBlogWriterWindow::openFileManager() { OpenFileManager(this); }

void MicroBlogWriterWindow::openUploadWindow() { OpenUploadWindow(this); }

void MicroBlogWriterWindow::viewThroughPage(const QString& address) { ShowFileInViewer(this, address); }

void MicroBlogWriterWindow::closeDone() { accept(); }

void MicroBlogWriterWindow::reject() {
    if (logic.queryClose()) QDialog::reject();
}

bool AttachToMicroBlogWriter(const QImage& picture, const QString& address) {
    MicroBlogWriterWindow* writer = MicroBlogWriterWindow::loaded();
    if (!writer) return false;
    writer->logic.AttachPicture(picture, address);
    return true;
}
