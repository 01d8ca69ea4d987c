#include "siteoptions/ui/webmastercertificatewindow.h"

#include "imaging/ui/grabwindow.h"
#include "platform/paths.h"
#include "platform/twips.h"
#include "platform/ui/webbrowser.h"
#include "siteoptions/domainregistration.h"
#include "state/loginstate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>

using twips::ToPixels;

namespace {

// The certificate picture and the places on it, in pixels.
constexpr int kWidth = 620;
constexpr int kHeight = 440;
// The congratulation page's layer is 267 by 407 pixels.
constexpr int kPageLeft = 24;
constexpr int kPageTop = 16;
constexpr int kPageWidth = 267;
constexpr int kPageHeight = 407;
// The frame cuts away the browser's border.
constexpr int kBrowserInset = 30;  // twips
constexpr int kTextLeft = 310;

QLabel* NewLabel(QWidget* parent, int left, int top, int pointSize = 11, bool bold = false) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #5a3a00; background: transparent"));
    label->setGeometry(left, top, kWidth - 30 - left, 24);
    return label;
}

}  // namespace

WebmasterCertificateWindow::WebmasterCertificateWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("颁发站长证书"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    picSave = new QWidget(this);
    picSave->setFixedSize(kWidth, kHeight);
    picPic = new QLabel(picSave);
    picPic->setGeometry(0, 0, kWidth, kHeight);
    picPic->setPixmap(QPixmap(paths::SharedFile(QStringLiteral("certificate.png"))));
    Picture2 = new QWidget(picPic);
    Picture2->setGeometry(kPageLeft, kPageTop, kPageWidth, kPageHeight);
    webQZ = new WebBrowser(Picture2);
    webQZ->setSilent(true);
    webQZ->resize(kPageWidth + 2 * ToPixels(kBrowserInset), kPageHeight + 2 * ToPixels(kBrowserInset));
    // The page's own background stays out: its name lies over the certificate picture.
    webQZ->page()->setBackgroundColor(Qt::transparent);
    // The movie's place below the layer would scroll the page; the frame shows the layer alone.
    webQZ->page()->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);

    labZZ = NewLabel(picPic, kTextLeft, 126, 14, true);
    labName1 = NewLabel(picPic, kTextLeft, 216, 12, true);
    labName2 = NewLabel(picPic, kTextLeft, 242);
    NewLabel(picPic, kTextLeft, 276)->setText(QStringLiteral("3G手机专用域名："));
    lab3GName = NewLabel(picPic, kTextLeft, 300, 12, true);
    labDate = NewLabel(picPic, kTextLeft, 396);
    labDate->setFixedWidth(170);

    cmdSave = new QPushButton(QStringLiteral("&S.保存证书"), this);
    cmdOK = new QPushButton(QStringLiteral("&C.关 闭"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picSave);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);

    wireView();

    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    adjustSize();
    Form_Load();
}

void WebmasterCertificateWindow::Form_Load() {
    webQZ->move(ToPixels(-kBrowserInset), ToPixels(-kBrowserInset));
    const CertificateTexts t = CertificateTextsFor(CurrentUserName, LoginField(12), LoginField(3));
    labZZ->setText(t.member);
    labName1->setText(t.site);
    labName2->setText(t.siteShort);
    lab3GName->setText(t.mobileSite);
    // A server date that is no date leaves the label as it was.
    if (!t.date.isEmpty()) labDate->setText(t.date);
    webQZ->Navigate(CongratulationPagePath());
}

void WebmasterCertificateWindow::wireView() {
    WebmasterCertificateView& v = logic.view;
    v.capture = MemberHook(this, &WebmasterCertificateWindow::capture);
}

StdPicture WebmasterCertificateWindow::capture() const {
    return GrabWindowPicture(picSave, false, picPic->x(), picPic->y(), picPic->width(), picPic->height());
}
