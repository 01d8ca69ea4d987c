// The materials library: the cell editor's materials buttons and frm素材 against the emulator's
// materials pages.
#include <gtest/gtest.h>

#ifdef TAVOLIN_HAVE_EMULATOR

#include "celleditor/picturesources.h"
#include "celleditor/ui/celleditorwindow.h"
#include "celleditor/ui/materialswindow.h"
#include "celleditor/ui/writetextwindow.h"
#include "imaging/ui/overlaywidgets.h"
#include "foundation/settings.h"
#include "state/loginstate.h"
#include "platform/eventwait.h"
#include "platform/serviceconfig.h"
#include "platform/ui/webbrowser.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "state/sitestate.h"
#include "state/prefaceeditorwindowlabels.h"
#include "support/emulatorfixture.h"
#include "support/modalwatcher.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

using testsupport::ModalWatcher;

namespace {

constexpr int kLoadMs = 30000;

bool Loaded(WebBrowser* b) {
    return WaitUntil([b] { return b->hasDocument() && !b->isLoading(); }, kLoadMs, 20);
}

// Clicks the page's first material of the given kind ("item" elements, the Flash one last).
void Pick(MaterialsWindow* m, int index = 0) {
    ASSERT_TRUE(Loaded(m->webSC));
    m->webSC->runScriptSync(QStringLiteral("document.getElementsByClassName('item')[%1].click()").arg(index));
}

class Materials : public testsupport::EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        loginAs(QStringLiteral("member"));
        QDir().mkpath(UserFolder + QStringLiteral("/temp"));
        SiteSettings.create();
        SetUserSetting(UcsTeachPicture, QStringLiteral("3"));
        SetUserSetting(35, QStringLiteral("1"));
        EditorKind = 0;
        LoadCellRecord(20);
        WritePageFile(QStringLiteral("setpic.html"), QStringLiteral("cell page"));
    }
    QString materials(const QString& page) const {
        return QStringLiteral("http://") + serviceconfig::current().hostName(ServiceHost::Materials) +
               QStringLiteral("/pwtd/sc01/") + page;
    }
};

}  // namespace

TEST_F(Materials, ForegroundPickKeepsThePageForTheSameTargetAndReloadsForAnother) {
    CellEditorWindow w;
    w.txtQJW->setText(QStringLiteral("50"));
    w.cobQJSP->setCurrentIndex(2);
    w.cmdOK->setEnabled(false);
    MaterialsWindow* first = nullptr;
    {
        ModalWatcher<MaterialsWindow> watch([&](MaterialsWindow* m) {
            first = m;
            EXPECT_EQ(m->windowTitle(), QStringLiteral("素材库"));
            Pick(m);
            m->cmdOK->click();
        });
        w.cmdQJSC->click();
        ASSERT_EQ(watch.seen(), 1);
    }
    // Cell 20 uses the page numbered 14.
    EXPECT_EQ(w.labSCURL, materials(QStringLiteral("qj14.aspx")));
    EXPECT_EQ(w.labURLFlag, QStringLiteral("1"));
    EXPECT_EQ(CellRecord[4], materials(QStringLiteral("pic/qj14_1.png")));
    EXPECT_EQ(w.labQJFlag, QStringLiteral("3"));
    EXPECT_EQ(w.txtQJW->text(), CellRecord[1]);
    EXPECT_EQ(w.cobQJSP->currentIndex(), 0);
    EXPECT_TRUE(w.cmdOK->isEnabled());
    EXPECT_TRUE(testsupport::readFile(SitePagePath(QStringLiteral("setpic.html"))).contains("qj14_1.png"));
    // Hidden, not unloaded.
    EXPECT_EQ(MaterialsWindow::loaded(), first);

    // The same button again: the same window, its page as it was left.
    {
        ModalWatcher<MaterialsWindow> watch([&](MaterialsWindow* m) {
            EXPECT_EQ(m, first);
            EXPECT_TRUE(m->webSC->documentTextSync().contains(QStringLiteral("{{{")));
            m->cmdCancel->click();
        });
        w.cmdQJSC->click();
        EXPECT_EQ(watch.seen(), 1);
    }
    // The background button: a new window on the background page; the pick goes to field 3.
    {
        ModalWatcher<MaterialsWindow> watch([&](MaterialsWindow* m) {
            EXPECT_NE(m, first);
            Pick(m, 1);
            m->cmdOK->click();
        });
        w.CmdBJSC->click();
        EXPECT_EQ(watch.seen(), 1);
    }
    EXPECT_EQ(CellRecord[3], materials(QStringLiteral("pic/bj14_2.png")));
    EXPECT_EQ(w.labBJFlag, QStringLiteral("3"));
    EXPECT_EQ(testsupport::EmulatorPage(emulator().get(CellRecord[3])).status, 200);

    // Closing the editor unloads the library.
    w.Form_Unload();
    EXPECT_EQ(MaterialsWindow::loaded(), nullptr);
}

TEST_F(Materials, AMaterialPickedAfterABrowsedFileIsThePictureWrittenOn) {
    SetUserSetting(UcsTeachWriteText, QStringLiteral("3"));
    CellEditorWindow w;
    QImage browsed(10, 10, QImage::Format_RGB32);
    browsed.fill(Qt::red);
    const QString file = UserFolder + QStringLiteral("/browsed.png");
    ASSERT_TRUE(browsed.save(file));
    prompts.answerText(file);
    w.cmdSearchBJ->click();
    ASSERT_EQ(w.txtBJ->text(), file);
    {
        ModalWatcher<MaterialsWindow> watch([&](MaterialsWindow* m) {
            Pick(m, 1);
            m->cmdOK->click();
        });
        w.CmdBJSC->click();
        ASSERT_EQ(watch.seen(), 1);
    }
    EXPECT_EQ(CellRecord[3], materials(QStringLiteral("pic/bj14_2.png")));
    // The box names no file now: writing on the material captures it first.
    EXPECT_TRUE(w.txtBJ->text().isEmpty());

    QImage shown;
    ModalWatcher<WriteTextWindow> write([&](WriteTextWindow* d) {
        shown = d->imgPic->picture();
        d->txtText->setText(QStringLiteral("素材"));
        d->cmdOK->click();
    });
    w.cmdBJXZ->click();
    ASSERT_EQ(write.seen(), 1);
    EXPECT_TRUE(prompts.messages().isEmpty()) << prompts.messages().join(QLatin1Char('|')).toStdString();
    const QImage capture(UserFolder + QStringLiteral("/temp/grb20.tmp"), "BMP");
    ASSERT_FALSE(capture.isNull());
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(1, 1), capture.pixel(1, 1));
    EXPECT_NE(QColor(shown.pixel(1, 1)), QColor(Qt::red));
    const QString out = UserFolder + QStringLiteral("/temp/grb20.jpg");
    EXPECT_EQ(CellRecord[3], out);
    EXPECT_EQ(w.labBJFlag, QStringLiteral("1"));
    EXPECT_TRUE(QFile::exists(out));
}

TEST_F(Materials, TheLibraryShowsNamedPicturesDrawnForTheCellAndKeepsItsMarkerOutOfSight) {
    // Where the page's text shows the marker: true when the marker's box lies out of sight.
    const QString markerHidden = QStringLiteral(
        "(function(m){var w=document.createTreeWalker(document.body,NodeFilter.SHOW_TEXT);"
        "while(w.nextNode()){var i=w.currentNode.data.indexOf(m);if(i<0)continue;"
        "var r=document.createRange();r.setStart(w.currentNode,i);r.setEnd(w.currentNode,i+m.length);"
        "var b=r.getBoundingClientRect();return b.right<=0||b.bottom<=0||b.left>=innerWidth||b.top>=innerHeight||"
        "b.width*b.height<=1;}return false;})('%1')");
    const QSize cell(GetCellWidth(20), GetCellHeight(20));
    for (const char* kind : {"bj", "qj"}) {
        SCOPED_TRACE(kind);
        const bool foreground = QLatin1String(kind) == QLatin1String("qj");
        CellEditorWindowLabels::labSCURL = materials(QStringLiteral("%1%2.aspx").arg(QLatin1String(kind)).arg(14));
        auto* m = new MaterialsWindow;
        m->show();
        ASSERT_TRUE(Loaded(m->webSC));
        EXPECT_TRUE(m->webSC->documentTextSync().contains(QStringLiteral("[[[]]]")));
        // Laid out in a shown window, so "out of sight" below means something.
        EXPECT_TRUE(m->webSC->runScriptSync(QStringLiteral("innerWidth > 300 && innerHeight > 200")).toBool());
        EXPECT_TRUE(m->webSC->runScriptSync(markerHidden.arg(QStringLiteral("[[[]]]"))).toBool());

        // Every picture has a name of its own under it, shown and given as its alternative text.
        const QStringList names = m->webSC
                                      ->runScriptSync(QStringLiteral(
                                          "Array.from(document.querySelectorAll('.item')).filter(function(e){"
                                          "return e.querySelector('img');}).map(function(e){"
                                          "return e.querySelector('p').innerText+'|'+e.querySelector('img').alt;})"))
                                      .toStringList();
        EXPECT_GE(names.size(), 5);
        QSet<QString> distinct;
        for (const QString& n : names) {
            const QString shown = n.section(QLatin1Char('|'), 0, 0);
            EXPECT_FALSE(shown.trimmed().isEmpty());
            EXPECT_FALSE(shown.contains(QStringLiteral("素材 "))) << shown.toStdString();
            EXPECT_EQ(n.section(QLatin1Char('|'), 1), shown);
            distinct.insert(shown);
        }
        EXPECT_EQ(distinct.size(), names.size());

        // Pictures, not flat blocks: many colours, at the cell's size (a foreground at half of it, on
        // a transparent ground).
        for (int k = 1; k <= names.size(); ++k) {
            SCOPED_TRACE(k);
            const testsupport::EmulatorPage picture =
                emulator().get(materials(QStringLiteral("pic/%1%2_%3.png").arg(QLatin1String(kind)).arg(14).arg(k)));
            ASSERT_EQ(picture.status, 200);
            const QImage image = QImage::fromData(picture.body);
            EXPECT_EQ(image.size(), foreground ? cell / 2 : cell);
            QSet<QRgb> colours;
            const int step = qMax(1, qMin(image.width(), image.height()) / 100);
            for (int y = 0; y < image.height(); y += step)
                for (int x = 0; x < image.width(); x += step) colours.insert(image.pixel(x, y));
            EXPECT_GE(colours.size(), 16);
            if (foreground) {
                EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
            }
        }

        // A pick: the page names it for the member; the address the editors read stays out of sight.
        Pick(m, 2);
        const QString text = m->webSC->documentTextSync();
        EXPECT_TRUE(text.contains(QStringLiteral("已选择：") + names.value(2).section(QLatin1Char('|'), 0, 0)))
            << text.toStdString();
        EXPECT_TRUE(m->webSC->runScriptSync(markerHidden.arg(QStringLiteral("}}}"))).toBool());
        MaterialsWindow::unload();
    }
}

TEST_F(Materials, NothingPickedAndAPageWithoutMarkers) {
    CellEditorWindowLabels::labSCURL = materials(QStringLiteral("bj3.aspx"));
    auto* m = new MaterialsWindow;
    ASSERT_TRUE(Loaded(m->webSC));
    m->show();
    m->cmdOK_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("您尚未选择要调用的素材，请您先选择素材再按“确定”按钮。")});
    EXPECT_TRUE(m->isVisible());
    EXPECT_EQ(MaterialsWindow::loaded(), m);
    MaterialsWindow::unload();

    prompts.clear();
    CellEditorWindowLabels::labSCURL = materials(QStringLiteral("nothing.aspx"));
    const QString before = CellRecord[3];
    m = new MaterialsWindow;
    ASSERT_TRUE(Loaded(m->webSC));
    m->cmdOK_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("调用失败！请您稍后再试...")});
    EXPECT_EQ(MaterialsWindow::loaded(), nullptr);
    EXPECT_EQ(CellRecord[3], before);
}

TEST_F(Materials, ThePrefaceEditorGetsItsBackground) {
    EditorKind = 1;
    LoadCellRecord(10);
    CellEditorWindowLabels::resetLabels();
    PrefaceEditorWindowLabels::resetLabels();
    PrefaceEditorWindowLabels::labSCURL = materials(QStringLiteral("bj10.aspx"));
    CellEditorWindowLabels::labURLFlag = QStringLiteral("1");  // a cell editor's foreground target is not used
    ModalWatcher<MaterialsWindow> watch([&](MaterialsWindow* m) {
        Pick(m);
        m->cmdOK->click();
    });
    ShowMaterialsLibrary(nullptr);
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_EQ(CellRecord[3], materials(QStringLiteral("pic/bj10_1.png")));
    EXPECT_EQ(PrefaceEditorWindowLabels::labBJFlag, QStringLiteral("3"));
    EXPECT_EQ(CellEditorWindowLabels::labBJFlag, QStringLiteral("0"));
    EXPECT_EQ(CellEditorWindowLabels::labQJFlag, QStringLiteral("0"));
    MaterialsWindow::unload();
}

// The note frame and the buttons at the window's own size (a screen that is not small) and at
// sizes the member drags it to: all inside the window, the note before the refresh button with its
// text whole.
TEST_F(Materials, TheNoteAndTheButtonsStayInsideTheWindowAtAnySize) {
    SmallScreen = false;
    CellEditorWindowLabels::labSCURL = materials(QStringLiteral("bj3.aspx"));
    auto* m = new MaterialsWindow;
    m->show();
    const QSize sizes[] = {m->size(), {1300, 740}, {560, 420}, {420, 380}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        m->resize(size);
        ASSERT_TRUE(WaitUntil([&] { return m->size() == size; }, kLoadMs));
        const QRect window(QPoint(0, 0), m->size());
        for (const QWidget* w : {static_cast<QWidget*>(m->fraMome), static_cast<QWidget*>(m->cmdOK),
                                 static_cast<QWidget*>(m->cmdCancel), static_cast<QWidget*>(m->cmdRefresh)})
            EXPECT_TRUE(window.contains(w->geometry())) << w->metaObject()->className() << " at " << w->x() << "," << w->y();
        EXPECT_LT(m->fraMome->geometry().right(), m->cmdRefresh->x());
        EXPECT_TRUE(WaitUntil([&] { return m->Label1->height() >= m->Label1->heightForWidth(m->Label1->width()); }, kLoadMs))
            << m->Label1->height() << " of " << m->Label1->heightForWidth(m->Label1->width());
    }
    MaterialsWindow::unload();
}

#endif  // TAVOLIN_HAVE_EMULATOR
