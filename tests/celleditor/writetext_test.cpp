// The text-on-a-picture dialog: the size it shows a picture at, the burn-in, the save handed back
// to the cell editor, the style controls, and the round trip from the editor's button.
#include <gtest/gtest.h>

#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/writetextwindow.h"
#include "celleditor/writetext.h"
#include "foundation/folders.h"
#include "foundation/htmltext.h"
#include "foundation/settings.h"
#include "imaging/ui/overlaywidgets.h"
#include "mainwindow/ui/teachpanel.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/celleditorstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "support/fixtures.h"
#include "support/modalwatcher.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>

using testsupport::ModalWatcher;

namespace {

// Dark pixels (the text) in a rectangle of a picture.
int DarkPixels(const QImage& img, const QRect& rect) {
    int n = 0;
    const QRect r = rect.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 100) ++n;
    return n;
}

class WriteText : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("member"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
        SetUserSetting(UcsTeachWriteText, QStringLiteral("3"));
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("3");
        CellRecord[1] = QStringLiteral("150");
        CellRecord[2] = QStringLiteral("150");
    }
    QString picture(const QString& name, int w, int h) {
        const QString path = root() + QLatin1Char('/') + name;
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::white);
        img.save(path, "BMP");
        return path;
    }
    // The dialog on a picture: flag "0" background, "1" foreground.
    std::unique_ptr<WriteTextWindow> open(const QString& flag, const QString& path, const QString& w = QString(),
                                          const QString& h = QString()) {
        WriteTextWindow::labXZFlag = flag;
        WriteTextWindow::labXZPic = path;
        return std::make_unique<WriteTextWindow>(w, h);
    }
    // Black text, framed off, typed into the box.
    void write(WriteTextWindow& d, const QString& text) {
        prompts.answerColor(Qt::black);
        d.cmdSetFontColor->click();
        d.txtText->setText(text);
    }
};

}  // namespace

TEST_F(WriteText, ShownSizeCentringAndSavedSize) {
    const QString pic = picture(QStringLiteral("p.bmp"), 50, 40);
    struct Case {
        QString flag, w, h;
        QSize shown;
    } cases[] = {
        {QStringLiteral("1"), QStringLiteral(" 200"), QStringLiteral("100 "), QSize(200, 100)},
        {QStringLiteral("1"), QStringLiteral("abc"), QStringLiteral("100"), QSize(50, 40)},
        {QStringLiteral("0"), QStringLiteral("200"), QStringLiteral("100"), QSize(50, 40)},  // a background keeps its size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.flag + c.w).toStdString());
        auto d = open(c.flag, pic, c.w, c.h);
        EXPECT_EQ(d->imgPic->size(), c.shown);
        // At 15 twips a pixel the area is 996 × 414 pixels; the picture is centred in it.
        EXPECT_EQ(d->picEdit->size(), QSize(996, 414));
        EXPECT_EQ(d->imgPic->pos(), QPoint((996 - c.shown.width()) / 2, (414 - c.shown.height()) / 2));
        d->cmdOK->click();
        const QString out = UserFolder + (c.flag == QLatin1String("0") ? QStringLiteral("/temp/grb3.jpg") : QStringLiteral("/temp/grp3.jpg"));
        EXPECT_EQ(CellRecord[c.flag == QLatin1String("0") ? 3 : 4], out);
        EXPECT_EQ(WriteTextWindow::labXZFlag, QStringLiteral("OK"));
        EXPECT_EQ(QImageReader(out).size(), c.shown);
        EXPECT_FALSE(QFile::exists(MemberTempPath(QStringLiteral("T.tmp"))));
        EXPECT_EQ(d->result(), QDialog::Accepted);
    }
}

TEST_F(WriteText, WritingOnTheAppliedPictureNeverReplacesIt) {
    // The cell's applied pictures are the scratch names of an earlier apply: its page shows them.
    SiteSettings.create();
    const int R = GetCellBaseRow(3);
    const QString background = UserFolder + QStringLiteral("/temp/grb3.jpg");
    const QString foreground = UserFolder + QStringLiteral("/temp/grp3_1.jpg");
    SiteSettings(LocalColumn, R + CellBlock::CellBackground) = background;
    SiteSettings(LocalColumn, R + CellBlock::CellForeground) = foreground;
    QImage applied(60, 40, QImage::Format_RGB32);
    applied.fill(Qt::white);
    ASSERT_TRUE(applied.save(background, "JPG"));
    ASSERT_TRUE(applied.save(foreground, "JPG"));
    const QByteArray backgroundBytes = testsupport::readFile(background);
    const QByteArray foregroundBytes = testsupport::readFile(foreground);

    struct Case {
        QString flag, picture, out;
        int entry;
    } cases[] = {
        {QStringLiteral("0"), background, UserFolder + QStringLiteral("/temp/grb3_1.jpg"), 3},
        {QStringLiteral("1"), foreground, UserFolder + QStringLiteral("/temp/grp3.jpg"), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag.toStdString());
        auto d = open(c.flag, c.picture);
        write(*d, QStringLiteral("字"));
        d->cmdOK->click();
        EXPECT_EQ(CellRecord[c.entry], c.out);
        EXPECT_EQ(QImageReader(c.out).size(), QSize(60, 40));
    }
    EXPECT_EQ(testsupport::readFile(background), backgroundBytes);
    EXPECT_EQ(testsupport::readFile(foreground), foregroundBytes);
}

TEST_F(WriteText, TwoBurnInsKeepBothTextsAndCancelHandsNothingBack) {
    const QString pic = picture(QStringLiteral("wide.bmp"), 600, 200);
    CellRecord[3] = QStringLiteral("http://example/bg.jpg");
    auto d = open(QStringLiteral("0"), pic);
    const QPoint origin = d->imgPic->pos();

    write(*d, QStringLiteral("左边"));
    d->labText->move(origin + QPoint(20, 20));
    d->cmdMergePic->click();
    EXPECT_TRUE(d->txtText->text().isEmpty());
    EXPECT_TRUE(d->labText->label().text.isEmpty());
    EXPECT_EQ(d->labText->pos(), CentredInWriteArea(d->labText->size()));
    EXPECT_TRUE(QFile::exists(MemberTempPath(QStringLiteral("T.tmp"))));

    d->txtText->setText(QStringLiteral("右边"));
    d->labText->move(origin + QPoint(450, 120));
    d->cmdMergePic->click();

    const QImage burnt = d->grab();
    EXPECT_EQ(burnt.size(), QSize(600, 200));
    EXPECT_GT(DarkPixels(burnt, QRect(0, 0, 200, 100)), 20);
    EXPECT_GT(DarkPixels(burnt, QRect(400, 100, 200, 100)), 20);
    EXPECT_EQ(DarkPixels(burnt, QRect(250, 0, 100, 200)), 0);

    d->cmdCancel->click();
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(CellRecord[3], QStringLiteral("http://example/bg.jpg"));
    EXPECT_EQ(WriteTextWindow::labXZFlag, QStringLiteral("0"));
    EXPECT_FALSE(QFile::exists(UserFolder + QStringLiteral("/temp/grb3.jpg")));
}

TEST_F(WriteText, TextPastTheEdgeIsKeptOnlyOverThePicture) {
    const QString pic = picture(QStringLiteral("p.bmp"), 200, 100);
    auto d = open(QStringLiteral("1"), pic);
    write(*d, QStringLiteral("边缘文字边缘文字"));
    const QSize label = d->labText->size();
    // Half of the label beyond the right edge.
    d->labText->move(d->imgPic->pos() + QPoint(200 - label.width() / 2, 30));
    d->cmdOK->click();
    const QImage saved(CellRecord[4]);
    ASSERT_EQ(saved.size(), QSize(200, 100));
    EXPECT_GT(DarkPixels(saved, QRect(200 - label.width() / 2, 30, label.width() / 2, label.height())), 20);

    // A label wholly off the picture leaves it as it was.
    OverlayLabel l = d->labText->label();
    const QImage plain(pic);
    EXPECT_EQ(ComposeWrittenPicture(plain, plain.size(), l, QPoint(205, 0)), plain.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(ComposeWrittenPicture(plain, plain.size(), l, QPoint(0, -label.height())),
              plain.convertToFormat(QImage::Format_RGB32));
}

TEST_F(WriteText, DraggingPutsTheLabelsCentreUnderThePointer) {
    auto d = open(QStringLiteral("0"), picture(QStringLiteral("p.bmp"), 300, 200));
    d->txtText->setText(QStringLiteral("拖动"));
    const QPoint start = d->labText->pos();
    const QSize size = d->labText->size();
    const auto send = [&](QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(at), d->labText->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(d->labText, &e);
    };
    // A move without the button held does nothing.
    send(QEvent::MouseMove, QPoint(0, 0), Qt::NoButton);
    EXPECT_EQ(d->labText->pos(), start);
    send(QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton);
    EXPECT_EQ(d->labText->cursor().shape(), Qt::SizeAllCursor);
    send(QEvent::MouseMove, QPoint(size.width() + 500, 0), Qt::LeftButton);
    // Beyond the picture: nothing holds it in.
    EXPECT_EQ(d->labText->pos(), start + QPoint(size.width() + 500 - size.width() / 2, -size.height() / 2));
    send(QEvent::MouseButtonRelease, QPoint(0, 0), Qt::NoButton);
    EXPECT_EQ(d->labText->cursor().shape(), Qt::ArrowCursor);
    const QPoint dropped = d->labText->pos();
    send(QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
    EXPECT_EQ(d->labText->pos(), dropped);
}

TEST_F(WriteText, StyleFrameAndColourControls) {
    auto d = open(QStringLiteral("0"), picture(QStringLiteral("p.bmp"), 40, 40));
    EXPECT_EQ(d->cobFontType->currentText(), QStringLiteral("常规"));
    EXPECT_EQ(d->cobFontSize->currentText(), QStringLiteral("16"));
    EXPECT_EQ(d->labText->label().font.pixelSize(), 21);  // 15.75 points until a size is chosen
    const auto style = [&](const QString& name) {
        d->cobFontType->setCurrentText(name);
        d->cobFontType_Click();
        return std::pair{d->labText->label().font.bold(), d->labText->label().font.italic()};
    };
    EXPECT_EQ(style(QStringLiteral("粗斜体")), std::pair(true, true));
    EXPECT_EQ(style(QStringLiteral("斜体")), std::pair(true, true));
    EXPECT_EQ(style(QStringLiteral("常规")), std::pair(false, false));
    EXPECT_EQ(style(QStringLiteral("粗体")), std::pair(true, false));

    // The 3-D box only with a frame; unticking the frame keeps its tick for the next time.
    EXPECT_FALSE(d->che3DBorder->isEnabled());
    d->cheBorder->click();
    EXPECT_TRUE(d->che3DBorder->isEnabled());
    d->che3DBorder->click();
    EXPECT_EQ(d->labText->label().frame, OverlayFrame::Sunken3D);
    d->cheBorder->click();
    EXPECT_FALSE(d->che3DBorder->isEnabled());
    EXPECT_TRUE(d->che3DBorder->isChecked());
    EXPECT_EQ(d->labText->label().frame, OverlayFrame::None);
    d->cheBorder->click();
    EXPECT_EQ(d->labText->label().frame, OverlayFrame::Sunken3D);

    // A cancelled colour dialog changes nothing.
    const OverlayLabel before = d->labText->label();
    d->cmdSetBackColor->click();
    d->cmdSetFontColor->click();
    EXPECT_TRUE(d->cheBackStyle->isChecked());
    EXPECT_TRUE(d->labText->label().transparent);
    EXPECT_EQ(d->labText->label().foreColor, before.foreColor);
    EXPECT_EQ(WriteTextWindow::FaceColor(d->cmdSetFontColor), QColor(255, 255, 128));
    EXPECT_EQ(WriteTextWindow::FaceColor(d->cmdSetBackColor), QColor(Qt::white));

    // A chosen background colour fills the label and unticks "无背景色".
    prompts.answerColor(Qt::blue);
    d->cmdSetBackColor->click();
    EXPECT_FALSE(d->cheBackStyle->isChecked());
    EXPECT_FALSE(d->labText->label().transparent);
    EXPECT_EQ(d->labText->label().backColor, QColor(Qt::blue));
    EXPECT_EQ(WriteTextWindow::FaceColor(d->cmdSetBackColor), QColor(Qt::blue));
}

TEST_F(WriteText, FailedSaveSaysSoAndHandsNothingBack) {
    auto d = open(QStringLiteral("0"), picture(QStringLiteral("p.bmp"), 40, 40));
    CellRecord[3] = QStringLiteral("old.jpg");
    // The target's place is taken by a folder: the JPEG cannot be written.
    QDir().mkpath(UserFolder + QStringLiteral("/temp/grb3.jpg"));
    d->txtText->setText(QStringLiteral("字"));
    d->cmdOK->click();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_TRUE(prompts.records()[0].text.startsWith(QStringLiteral("错误：26001\r\r")));
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("错误提示"));
    EXPECT_EQ(CellRecord[3], QStringLiteral("old.jpg"));
    EXPECT_EQ(WriteTextWindow::labXZFlag, QStringLiteral("0"));
    EXPECT_EQ(d->result(), QDialog::Rejected);
}

TEST_F(WriteText, UnreadablePictureTutorialAndAdvertisement) {
    SetUserSetting(UcsTeachWriteText, QString());
    auto d = open(QStringLiteral("0"), root() + QStringLiteral("/missing.jpg"));
    EXPECT_TRUE(d->imgPic->size().isEmpty());
    // The first three openings open the tutorial by themselves.
    EXPECT_EQ(GetUserSetting(UcsTeachWriteText), QStringLiteral("1"));
    EXPECT_EQ(d->teachpicTeach->teachlabPlayFlag, QStringLiteral("1"));
    EXPECT_TRUE(d->cmdCloseTeach->isVisibleTo(d.get()));

    const QDate day(2026, 12, 11);
    const QString url = WriteTextAdUrl(day);
    EXPECT_TRUE(url.contains(QStringLiteral("/pwtd/") + WeeklyFolderName(day) + QStringLiteral("/setpic1.html?k1=")));
    EXPECT_TRUE(url.endsWith(QStringLiteral("&k3=") + ClientVersion));
}

TEST_F(WriteText, EditorButtonHandsTheWrittenPictureToPendingPictures) {
    SiteSettings.create();
    SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
    WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("cell page"));
    CellEditorWindow w;
    const QString pic = picture(QStringLiteral("chosen.bmp"), 150, 150);
    prompts.answerText(pic);
    w.cmdSearchBJ->click();
    ASSERT_EQ(CellRecord[3], pic);
    w.labBJFlag = QStringLiteral("0");

    {
        ModalWatcher<WriteTextWindow> cancel([](WriteTextWindow* d) { d->cmdCancel->click(); });
        w.cmdBJXZ->click();
        EXPECT_EQ(cancel.seen(), 1);
    }
    EXPECT_EQ(w.labBJFlag, QStringLiteral("0"));
    EXPECT_EQ(CellRecord[3], pic);

    ModalWatcher<WriteTextWindow> ok([](WriteTextWindow* d) {
        d->txtText->setText(QStringLiteral("你好"));
        d->cmdOK->click();
    });
    w.cmdBJXZ->click();
    EXPECT_EQ(ok.seen(), 1);
    const QString out = UserFolder + QStringLiteral("/temp/grb3.jpg");
    EXPECT_EQ(CellRecord[3], out);
    EXPECT_EQ(w.labBJFlag, QStringLiteral("1"));
    EXPECT_EQ(PendingPictures.value(PendingPicture::BackgroundRow, PendingPicture::LocalFile), out);
    EXPECT_TRUE(w.cmdOK->isEnabled());
    EXPECT_EQ(QImageReader(out).size(), QSize(150, 150));
}
