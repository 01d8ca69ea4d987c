// The cell editor's picture sources: the size rule, the GIF fit, the size and advice dialogs, and
// what choosing a file leaves in the record, PendingPictures and the flags.
#include <gtest/gtest.h>

#include "celleditor/picturesources.h"
#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/picturedialogs.h"
#include "foundation/settings.h"
#include "site/pagefile.h"
#include "state/celleditorstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "state/sizeduploadwindowlabels.h"
#include "support/fixtures.h"
#include "support/modalwatcher.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using testsupport::ModalWatcher;

namespace {

// A GIF of one colour: LZW codes of 3 bits, a clear code before every two pixels, so the table
// never grows past 3 bits.
QByteArray OneColourGif(int w, int h) {
    QByteArray out("GIF89a");
    const auto word = [&out](int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    word(w);
    word(h);
    out.append(char(0x81)).append(char(0)).append(char(0));  // global table of 4 colours
    out.append(QByteArray::fromHex("336699ffffff000000000000"));
    out.append(',');
    word(0);
    word(0);
    word(w);
    word(h);
    out.append(char(0)).append(char(2));  // no local table; minimum code size 2
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto code = [&](int c) {
        bits |= quint32(c) << count;
        count += 3;
        while (count >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    const qint64 pixels = qint64(w) * h;
    for (qint64 i = 0; i < pixels; i += 2) {
        code(4);
        code(0);
        if (i + 1 < pixels) code(0);
    }
    code(5);
    if (count > 0) data.append(char(bits & 0xFF));
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(char(block.size())).append(block);
    }
    out.append(char(0)).append(';');
    return out;
}

class PictureSources : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("member"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
        SiteSettings.create();
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
        SetUserSetting(UcsHintForegroundReplace, QStringLiteral("1"));
        CellRecord = QStringList(14);
        CellRecord[0] = QStringLiteral("3");
        CellRecord[1] = QStringLiteral("150");
        CellRecord[2] = QStringLiteral("150");
        WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("cell page"));
    }
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = root() + QLatin1Char('/') + name;
        testsupport::writeFile(path, bytes);
        return path;
    }
    QString picture(const QString& name, int w, int h) {
        const QString path = root() + QLatin1Char('/') + name;
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        img.save(path, name.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPG");
        return path;
    }
    static bool changed(const CellEditorWindow& w) { return w.cmdOK->isEnabled(); }
};

}  // namespace

TEST(PictureSourceRules, SizeRuleGifFitAndPages) {
    QTemporaryDir dir;
    const auto sized = [&](const QString& name, qint64 bytes) {
        const QString path = dir.path() + QLatin1Char('/') + name;
        testsupport::writeFile(path, QByteArray(bytes, 'x'));
        return path;
    };
    // 513,536 bytes are 500.5 kilobytes by the rule, rounded to 500: accepted.
    EXPECT_TRUE(OversizePictureMessage(sized(QStringLiteral("a.gif"), 513536)).isEmpty());
    const QString big = sized(QStringLiteral("b.png"), 513537);
    EXPECT_EQ(OversizePictureMessage(QLatin1Char(' ') + big), QStringLiteral("错误！文件：") + big + QStringLiteral(" 的大小超出500K！"));
    EXPECT_FALSE(OversizePictureMessage(sized(QStringLiteral("c.SWF"), 600000)).isEmpty());
    EXPECT_TRUE(OversizePictureMessage(sized(QStringLiteral("d.JPG"), 2000000)).isEmpty());
    EXPECT_TRUE(OversizePictureMessage(sized(QStringLiteral("e.bmp"), 2000000)).isEmpty());

    struct Fit {
        int w, h, cw, ch;
        const char* recordW;
        const char* recordH;
        int boxW, boxH;
    };
    // The last one is scaled in proportion, as the fit's steps say: 400 × 300 into 200 × 100 is
    // 133 × 100 (the scaled width keeps its fraction in the record).
    for (const Fit& f : {Fit{300, 100, 150, 150, "150", "50", 150, 50}, Fit{100, 300, 150, 150, "50", "150", 50, 150},
                         Fit{100, 80, 150, 150, "150", "150", 100, 80},
                         Fit{400, 300, 200, 100, "133.333333333333", "100", 133, 100}}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(f.w).arg(f.h).toStdString());
        const GifFit fit = FitGifForeground(f.w, f.h, f.cw, f.ch);
        EXPECT_EQ(fit.recordWidth, QString::fromLatin1(f.recordW));
        EXPECT_EQ(fit.recordHeight, QString::fromLatin1(f.recordH));
        EXPECT_EQ(fit.boxWidth, f.boxW);
        EXPECT_EQ(fit.boxHeight, f.boxH);
    }

    EXPECT_EQ(MaterialsPageNumber(QStringLiteral("20")), QStringLiteral("14"));
    EXPECT_EQ(MaterialsPageNumber(QStringLiteral("24")), QStringLiteral("7"));
    EXPECT_EQ(MaterialsPageNumber(QStringLiteral("3")), QStringLiteral("3"));
    EXPECT_TRUE(MaterialsPageUrl(true, QStringLiteral("21")).endsWith(QStringLiteral("/pwtd/sc01/qj15.aspx")));
}

TEST_F(PictureSources, BackgroundFileAndItsSizeDialog) {
    CellEditorWindow w;
    int dialogs = 0;
    ModalWatcher<PictureSizeDialog> sizeDialog([&](PictureSizeDialog* d) {
        ++dialogs;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("背景图片设置"));
        EXPECT_EQ(d->Label1->text(),
                  QStringLiteral("您所选的图片的尺寸大小与当前设置区域的尺寸[150×150(像素)]不相符，请您选择以下的处理方式："));
        EXPECT_TRUE(d->Opt1->isChecked());
        d->Option2->setChecked(true);
        d->cmdSelect->click();
    });

    // Exactly the cell's size: no dialog.
    const QString fits = picture(QStringLiteral("fits.jpg"), 150, 150);
    prompts.answerText(fits);
    w.cmdSearchBJ->click();
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(CellRecord[3], fits);
    EXPECT_EQ(PendingPictures.value(0, PendingPicture::LocalFile), fits);
    EXPECT_EQ(w.labBJFlag, QStringLiteral("1"));
    EXPECT_TRUE(changed(w));
    EXPECT_TRUE(testsupport::readFile(SitePagePath(QStringLiteral("setpic.html"))).contains("fits.jpg"));
    EXPECT_EQ(prompts.records().last().text, QtFileFilter(kBackgroundFileFilter));

    // One pixel higher: the dialog; its second choice keeps the file itself, flag "1".
    const QString tall = picture(QStringLiteral("tall.bmp"), 150, 151);
    prompts.answerText(tall);
    w.cmdSearchBJ->click();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(CellRecord[3], tall);
    EXPECT_EQ(w.imgSize.size(), QSize(150, 151));

    // Over the size rule: the message and an empty path box; nothing else changes.
    const QString big = file(QStringLiteral("big.png"), QByteArray(513537, 'x'));
    prompts.answerText(big);
    w.cmdSearchBJ->click();
    EXPECT_EQ(prompts.messages().last(), QStringLiteral("错误！文件：") + big + QStringLiteral(" 的大小超出500K！"));
    EXPECT_TRUE(w.txtBJ->text().isEmpty());
    EXPECT_EQ(CellRecord[3], tall);

    // A picture that cannot be read changes nothing (the old runtime had stored it already).
    w.cmdOK->setEnabled(false);
    w.labBJFlag = QStringLiteral("0");
    w.txtBJ->setText(tall);
    const QString damaged = file(QStringLiteral("damaged.jpg"), QByteArray("\xFF\xD8\xFF not really a picture"));
    prompts.answerText(damaged);
    w.cmdSearchBJ->click();
    EXPECT_EQ(w.txtBJ->text(), tall);
    EXPECT_EQ(CellRecord[3], tall);
    EXPECT_EQ(PendingPictures.value(0, PendingPicture::LocalFile), tall);
    EXPECT_EQ(w.labBJFlag, QStringLiteral("0"));
    EXPECT_FALSE(changed(w));

    // A cancelled file dialog changes nothing either.
    w.cmdSearchBJ->click();
    EXPECT_EQ(w.txtBJ->text(), tall);
    EXPECT_FALSE(changed(w));
}

TEST_F(PictureSources, ForegroundByType) {
    CellEditorWindow w;
    const QString gif = file(QStringLiteral("wide.gif"), OneColourGif(300, 100));
    prompts.answerText(gif);
    w.cmdSearchQJ->click();
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("150"));
    EXPECT_EQ(w.txtQJH->text(), QStringLiteral("50"));
    EXPECT_EQ(CellRecord[4], gif);
    EXPECT_EQ(CellRecord[6], QStringLiteral("50"));
    EXPECT_EQ(CellRecord[7], QStringLiteral("11"));
    EXPECT_EQ(PendingPictures.value(1, PendingPicture::LocalFile), gif);
    EXPECT_EQ(w.labQJFlag, QStringLiteral("1"));
    EXPECT_TRUE(w.cheFlash->isHidden());
    EXPECT_FALSE(w.cmdQJXZ->isHidden());

    // PNG and SWF are not measured: the boxes stay.
    const QString png = file(QStringLiteral("top.png"), QByteArray("png"));
    prompts.answerText(png);
    w.cmdSearchQJ->click();
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("150"));
    EXPECT_TRUE(w.cheFlash->isHidden());
    EXPECT_TRUE(w.cmdQJXZ->isHidden());
    const QString swf = file(QStringLiteral("top.SWF"), QByteArray("FWS"));
    prompts.answerText(swf);
    w.cmdSearchQJ->click();
    EXPECT_EQ(CellRecord[7], QStringLiteral("011"));
    EXPECT_FALSE(w.cheFlash->isHidden());
    EXPECT_TRUE(w.cmdQJXZ->isHidden());
    EXPECT_EQ(w.txtQJH->text(), QStringLiteral("50"));

    // A JPEG within the cell takes its own size, no dialog.
    int dialogs = 0;
    ModalWatcher<PictureSizeDialog> sizeDialog([&](PictureSizeDialog* d) {
        ++dialogs;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("前景图片设置"));
        d->cmdCancel->click();
    });
    const QString small = picture(QStringLiteral("small.jpg"), 120, 90);
    prompts.answerText(small);
    w.cmdSearchQJ->click();
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("120"));
    EXPECT_EQ(w.txtQJH->text(), QStringLiteral("90"));
    EXPECT_EQ(dialogs, 0);
    // A larger one offers the dialog; cancelled, the boxes keep their values and the flag is "1".
    w.labQJFlag = QStringLiteral("0");
    const QString large = picture(QStringLiteral("large.jpg"), 151, 90);
    prompts.answerText(large);
    w.cmdSearchQJ->click();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(w.txtQJW->text(), QStringLiteral("120"));
    EXPECT_EQ(w.labQJFlag, QStringLiteral("1"));
    EXPECT_EQ(CellRecord[4], large);
}

TEST_F(PictureSources, AdviceBeforeAForegroundChange) {
    SetUserSetting(UcsHintForegroundReplace, QString());
    CellEditorWindow w;
    // Cancelled: no file dialog at all; the ticked box is remembered.
    {
        ModalWatcher<ForegroundAdviceDialog> advice([](ForegroundAdviceDialog* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("更换前景图提示"));
            d->chkIKnow->setChecked(true);
            d->Command1->click();
        });
        w.cmdSearchQJ->click();
        EXPECT_EQ(advice.seen(), 1);
    }
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_EQ(DialogState, 1);
    EXPECT_EQ(GetUserSetting(UcsHintForegroundReplace), QStringLiteral("1"));

    // Once remembered, the file dialog opens at once.
    w.cmdSearchQJ->click();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].kind, QStringLiteral("open"));

    // Continue goes on to the file dialog.
    SetUserSetting(UcsHintForegroundReplace, QString());
    prompts.clear();
    ModalWatcher<ForegroundAdviceDialog> advice([](ForegroundAdviceDialog* d) { d->cmdContinue->click(); });
    w.cmdSearchQJ->click();
    EXPECT_EQ(DialogState, 99);
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QtFileFilter(kForegroundFileFilter));
    EXPECT_TRUE(GetUserSetting(UcsHintForegroundReplace).isEmpty());
}

TEST_F(PictureSources, WidgetAlbumButtonsSetTheMainWindowsLabels) {
    CellEditorWindow w;
    // The upload window itself is not driven here: the labels are read while it shows (its
    // closing puts its own back to their design values), then it is closed.
    QStringList seen;
    ModalWatcher<QDialog> close([&seen](QDialog* d) {
        seen = {frm个人网站Labels::labWidth, frm个人网站Labels::labHeight, frm个人网站Labels::labAddWatermark,
                frm上传特定Labels::labWebDir, frm上传特定Labels::labUploadToAlbum};
        d->reject();
    });
    w.cmdUploadAreaPic[2]->click();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("2250"), QStringLiteral("5400"), QStringLiteral("1"),
                                 QStringLiteral("www个人主页日历"), QStringLiteral("上传到相册 [www个人主页日历]")}));
}
