// A cell picture given by an address turned into a local picture: the page "webpic.html", the
// borderless capture dialog on a real web view, and the write-text button's way through both.
#include <gtest/gtest.h>

#include "state/celleditorstate.h"
#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/webcapturewindow.h"
#include "celleditor/ui/writetextwindow.h"
#include "celleditor/webpicture.h"
#include "imaging/ui/overlaywidgets.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "platform/ansi.h"
#include "platform/ui/webbrowser.h"
#include "platform/serviceconfig.h"
#include "platform/statereset.h"
#include "site/pagefile.h"
#include "state/sitestate.h"
#include "support/emulatorfixture.h"
#include "support/fixtures.h"
#include "support/modalwatcher.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

using testsupport::ModalWatcher;

namespace {

int DarkPixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
}

class WebCapture : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        loginAs(QStringLiteral("member"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
        SetUserSetting(UcsTeachWriteText, QStringLiteral("3"));
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("3");
        CellRecord[1] = QStringLiteral("150");
        CellRecord[2] = QStringLiteral("75");
    }
    static QString material(const QString& name) {
        return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Materials) +
               QStringLiteral("/pwtd/sc01/pic/") + name;
    }
    QByteArray page() const { return testsupport::readFile(SitePagePath(QStringLiteral("webpic.html"))); }
};

}  // namespace

TEST(WebPicPage, GoldenPagesOfBothModes) {
    ResetAllState();
    struct Case {
        const char* golden;
        QString address;
        int w, h, mode;
        bool transparent;
    } cases[] = {
        {"webpic_background.html", QStringLiteral("http://sc.sitehost.test/pic/bg1.jpg"), 150, 75, 0, true},
        {"webpic_foreground.html", QStringLiteral("http://sc.sitehost.test/pic/fg.gif"), 200, 100, 1, true},
        {"webpic_flash_transparent.html", QStringLiteral("http://sc.sitehost.test/pic/m.SWF"), 120, 60, 1, true},
        {"webpic_flash_opaque.html", QStringLiteral("http://sc.sitehost.test/pic/m.SWF"), 120, 60, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        const QByteArray expected = testsupport::readFile(testsupport::testDataPath(QStringLiteral("celleditor/golden/") + QLatin1String(c.golden)));
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_TRUE(testsupport::sameBytes(expected, AnsiCodec::encode(WebPicHtml(c.address, c.w, c.h, c.mode, c.transparent))));
    }
}

TEST_F(WebCapture, CaptureSizeAndFile) {
    EXPECT_EQ(WebPicCaptureSize(false, QStringLiteral("10"), QStringLiteral("10")), QSize(150, 75));
    EXPECT_EQ(WebPicCaptureSize(true, QStringLiteral(" 80.5"), QStringLiteral("41")), QSize(80, 41));
    // A size box without a number: the cell's size.
    EXPECT_EQ(WebPicCaptureSize(true, QStringLiteral("abc"), QStringLiteral("41")), QSize(150, 75));
    EXPECT_EQ(WebPicCapturePath(QStringLiteral("0")), UserFolder + QStringLiteral("/temp/grb3.tmp"));
    EXPECT_EQ(WebPicCapturePath(QStringLiteral("1")), UserFolder + QStringLiteral("/temp/grp3.tmp"));
}

TEST_F(WebCapture, BackgroundIsCapturedAtTheCellSize) {
    const QString address = material(QStringLiteral("bj3_1.png"));
    WebCaptureWindow::labXZFlag = QStringLiteral("0");
    WebCaptureWindow::labXZPic = address;
    CreateWebPicHtml(address, 150, 75, 0, false);
    EXPECT_TRUE(page().contains("<td height=\"75\"  background=\"" + address.toLatin1() + "\">"));
    WebCaptureWindow d(QSize(150, 75));
    EXPECT_TRUE(d.windowFlags() & Qt::FramelessWindowHint);
    // 2250 × 1125 twips of capture area in a window of 2700 × 1575.
    EXPECT_EQ(d.picPic->size(), QSize(150, 75));
    EXPECT_EQ(d.size(), QSize(180, 105));
    EXPECT_FALSE(d.picPic->rect().intersects(d.webPic->geometry()));
    d.exec();
    const QString capture = UserFolder + QStringLiteral("/temp/grb3.tmp");
    EXPECT_EQ(WebCaptureWindow::labXZPic, capture);
    const QImage img(capture, "BMP");
    ASSERT_EQ(img.size(), QSize(150, 75));
    // The material's own pixels, tiled over the whole area.
    const QImage material = QImage::fromData(emulator().get(address).body);
    ASSERT_FALSE(material.isNull());
    for (const QPoint at : {QPoint(2, 2), QPoint(147, 72)})
        EXPECT_EQ(img.pixel(at), material.pixel(at.x() % material.width(), at.y() % material.height()))
            << at.x() << "," << at.y();
}

TEST_F(WebCapture, UnreadableForegroundShowsTheAlternativeTextAndAMissingPageClosesAtOnce) {
    const QString address = QStringLiteral("http://127.0.0.1:1/none.png");
    WebCaptureWindow::labXZFlag = QStringLiteral("1");
    WebCaptureWindow::labXZPic = address;
    CreateWebPicHtml(address, 300, 60, 1, true);
    {
        WebCaptureWindow d(QSize(300, 60));
        d.exec();
    }
    const QImage img(UserFolder + QStringLiteral("/temp/grp3.tmp"), "BMP");
    ASSERT_EQ(img.size(), QSize(300, 60));
    EXPECT_GT(DarkPixels(img), 20);

    // No page: the dialog closes without a capture and the address stays.
    QFile::remove(SitePagePath(QStringLiteral("webpic.html")));
    QFile::remove(UserFolder + QStringLiteral("/temp/grp3.tmp"));
    WebCaptureWindow::labXZPic = address;
    WebCaptureWindow d(QSize(300, 60));
    d.exec();
    EXPECT_EQ(WebCaptureWindow::labXZPic, address);
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/temp/grp3.tmp")));
}

TEST_F(WebCapture, APictureThatNeverArrivesIsCapturedWhenTheWaitRunsOut) {
    const QString address = material(QStringLiteral("bj3_3.png"));
    emulator().setPathLatency(120000, QStringLiteral("/pwtd/sc01/pic/bj3_3"));
    const int bound = WebCaptureWindow::loadBoundMs;
    WebCaptureWindow::loadBoundMs = 300;
    WebCaptureWindow::labXZFlag = QStringLiteral("0");
    CreateWebPicHtml(address, 150, 75, 0, false);
    {
        WebCaptureWindow d(QSize(150, 75));
        d.exec();
    }
    WebCaptureWindow::loadBoundMs = bound;
    emulator().setPathLatency(0, QStringLiteral("/pwtd/sc01/pic/bj3_3"));
    EXPECT_EQ(WebCaptureWindow::labXZPic, UserFolder + QStringLiteral("/temp/grb3.tmp"));
    EXPECT_EQ(QImage(WebCaptureWindow::labXZPic, "BMP").size(), QSize(150, 75));
}

TEST_F(WebCapture, WriteTextOnAStoredBackgroundGoesThroughTheCapture) {
    SiteSettings.create();
    SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
    WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("cell page"));
    CellEditorWindow w;
    const QString address = material(QStringLiteral("bj3_2.png"));
    CellRecord[3] = address;
    QSize shown;
    ModalWatcher<WriteTextWindow> ok([&](WriteTextWindow* d) {
        shown = d->imgPic->size();
        d->txtText->setText(QStringLiteral("你好"));
        d->cmdOK->click();
    });
    w.cmdBJXZ->click();
    ASSERT_EQ(ok.seen(), 1);
    EXPECT_EQ(shown, QSize(150, 75));
    const QString out = UserFolder + QStringLiteral("/temp/grb3.jpg");
    EXPECT_EQ(CellRecord[3], out);
    EXPECT_EQ(w.labBJFlag, QStringLiteral("1"));
    EXPECT_EQ(PendingPictures.value(PendingPicture::BackgroundRow, PendingPicture::LocalFile), out);
}
