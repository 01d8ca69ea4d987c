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
#include "login/state.h"
#include "platform/eventwait.h"
#include "platform/serviceconfig.h"
#include "platform/ui/webbrowser.h"
#include "site/pagefile.h"
#include "site/sitemodel.h"
#include "site/state.h"
#include "siteoptions/prefaceeditorwindowlabels.h"
#include "support/emulatorfixture.h"
#include "support/modalwatcher.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

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

#endif  // TAVOLIN_HAVE_EMULATOR
