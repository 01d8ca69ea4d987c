// The file manager window against the emulator: the demo member's albums in the tree, an album
// click filling the list from the service once and from the cache after, and the mode's layout.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <QBuffer>
#include <QSignalSpy>

#include <functional>

#include "albums/albumcache.h"
#include "blogs/ui/blogwriterwindow.h"
#include "blogs/ui/microblogwriterwindow.h"
#include "albums/loadalbumlist.h"
#include "albums/ui/albums_entry.h"
#include "albums/ui/uploadwindow.h"
#include "hostedfiles/ui/hostedfiles_entry.h"
#include "state/albumsstate.h"
#include "emulator/memberstore.h"
#include "foundation/settings.h"
#include "hostedfiles/ui/filemanagerwindow.h"
#include "state/loginstate.h"
#include "state/sitewindowlabels.h"
#include "platform/hookcheck.h"
#include "platform/twips.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/webbrowser.h"
#include "platform/ui/flexgrid.h"
#include "support/eventually.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

using namespace testsupport;

namespace {

QTreeWidgetItem* nodeNamed(QTreeWidget* tree, const QString& text) {
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

class FileManagerWindowTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        emu::MemberStore& store = emulator().server().store();
        store.storeFile(member(), QStringLiteral("旅行"), QStringLiteral("a.gif"), "GIF89a", QStringLiteral("第一张"),
                        store.newStamp());
        store.storeFile(member(), QStringLiteral("旅行"), QStringLiteral("b.swf"), "FWS", QString(), store.newStamp());
        SetLoginField(7, member().albumStamp);
        QDir().mkpath(UserFolder + QStringLiteral("/UpLoadPicture"));
        LoadAlbumList();
        frm个人网站Labels::labViewType = QStringLiteral("0");
    }
    int fileReads() { return emulator().calls(QStringLiteral("GetDirFileInfo")).size(); }
};

TEST_F(FileManagerWindowTest, AnAlbumClickListsItsFilesFromTheServiceOnceThenFromTheCache) {
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        FileManagerWindow window;
        EXPECT_TRUE(UnsetRequiredHooks(window.logic.view).isEmpty());
        window.Form_Load();
        QTreeWidgetItem* album = nodeNamed(window.tvwDir, QStringLiteral("旅行"));
        ASSERT_NE(album, nullptr);
        EXPECT_EQ(album->parent()->text(0), QStringLiteral("我创建的相册"));
        EXPECT_TRUE(QFileInfo(UserFolder + QStringLiteral("/UpLoadPicture/旅行")).isDir());

        window.tvwDir_NodeClick(album);
        EXPECT_EQ(fileReads(), 1);
        EXPECT_EQ(window.labDir->text(), QStringLiteral("旅行"));
        EXPECT_EQ(window.labPicDir->text(), QStringLiteral("旅行"));
        ASSERT_EQ(window.grdFile->rows(), 3);
        // Latest upload first.
        EXPECT_TRUE(window.grdFile->textMatrix(1, 4).endsWith(QStringLiteral("/旅行/b.swf")));
        EXPECT_EQ(window.grdFile->textMatrix(1, 7), QStringLiteral("1"));
        EXPECT_EQ(window.grdFile->textMatrix(2, 2), QStringLiteral("第一张"));
        EXPECT_EQ(window.grdFile->textMatrix(2, 12), QStringLiteral("a.gif"));
        EXPECT_TRUE(window.grdFile->textMatrix(2, 3).endsWith(QStringLiteral("KB")));
        EXPECT_EQ(window.grdFile->textMatrix(0, 3), QStringLiteral("[ 大小(K) ]"));
    }
}

TEST_F(FileManagerWindowTest, TheModeMovesTheCellButtonsAndTheListTabSelectsRowOne) {
    const struct {
        QString mode;
        bool insert;
        int urlLeft, renewLeft;
    } cases[] = {{QStringLiteral("0"), false, 465, 1230}, {QStringLiteral("2"), true, 885, 1500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode.toStdString());
        frm个人网站Labels::labViewType = c.mode;
        FileManagerWindow window;
        window.Form_Load();
        for (int k : {0, 14}) {
            EXPECT_EQ(window.imgPutIn[k]->isVisibleTo(window.picPicInfo[k]), c.insert);
            EXPECT_EQ(window.imgURL[k]->x(), twips::ToPixels(c.urlLeft));
            EXPECT_EQ(window.imgRenew[k]->x(), twips::ToPixels(c.renewLeft));
        }
        EXPECT_EQ(window.imgGridPutIn->isVisibleTo(window.picGridPicInfo), c.insert);
        // Hint 13 shows at load until the member turns it off.
        EXPECT_TRUE(window.picOpeMsg[1]->isVisibleTo(&window));
        EXPECT_EQ(window.labMsgSN->text(), QStringLiteral("13"));
        window.chkIKnowOpe[1]->setChecked(true);
        window.cmdClosOpeMsg[1]->click();
        EXPECT_FALSE(window.picOpeMsg[1]->isVisibleTo(&window));
        EXPECT_EQ(GetUserSetting(13), QStringLiteral("1"));
        SetUserSetting(13, QString());

        window.tabFile->setCurrentIndex(1);
        window.tvwDir_NodeClick(nodeNamed(window.tvwDir, QStringLiteral("旅行")));
        EXPECT_EQ(window.grdFile->row(), 1);
    }
}

TEST_F(FileManagerWindowTest, TheThumbnailPageShowsItsCellsAndDeletesTheTickedOnes) {
    FileManagerWindow window;
    window.Form_Load();
    window.tvwDir_NodeClick(nodeNamed(window.tvwDir, QStringLiteral("旅行")));
    EXPECT_EQ(window.labPS->text(), QStringLiteral("1"));
    EXPECT_EQ(window.labAllPS->text(), QStringLiteral("1"));
    EXPECT_EQ(window.labP2->x(), window.labPS->x() + window.labPS->width());
    EXPECT_FALSE(window.labPageDown->isVisibleTo(&window));
    // The Flash file shows its picture centred; the file that is no picture shows none.
    ASSERT_TRUE(window.picPicInfo[0]->isVisibleTo(&window));
    EXPECT_FALSE(window.imgView[0]->pixmap().isNull());
    EXPECT_EQ(window.imgView[0]->x(), (window.picView[0]->width() - window.imgView[0]->width()) / 2);
    ASSERT_TRUE(window.picPicInfo[1]->isVisibleTo(&window));
    EXPECT_TRUE(window.imgView[1]->pixmap().isNull());
    EXPECT_EQ(window.txtMemo[1]->text(), QStringLiteral("第一张"));
    EXPECT_FALSE(window.picPicInfo[2]->isVisibleTo(&window));

    window.cheSelectAll->click();
    EXPECT_TRUE(window.cheSelect[0]->isChecked());
    EXPECT_TRUE(window.cheSelect[1]->isChecked());
    EXPECT_FALSE(window.cheSelect[2]->isChecked());
    window.cheSelect[1]->click();
    EXPECT_FALSE(window.cheSelectAll->isChecked());
    EXPECT_TRUE(window.cheSelect[0]->isChecked());

    window.cmdDelSelectFiles->click();
    EXPECT_EQ(prompts.messages().last(), QStringLiteral("删除成功！"));
    // The file left moves up into the first cell: no hole stays on the page.
    EXPECT_TRUE(window.picPicInfo[0]->isVisibleTo(&window));
    EXPECT_EQ(window.txtMemo[0]->text(), QStringLiteral("第一张"));
    EXPECT_FALSE(window.picPicInfo[1]->isVisibleTo(&window));
    ASSERT_EQ(window.grdFile->rows(), 2);
    EXPECT_EQ(window.grdFile->textMatrix(1, 12), QStringLiteral("a.gif"));
}

TEST_F(FileManagerWindowTest, UnloadedWhileShownTheWindowClosesAndTheNextOpeningStartsAfresh) {
    // Unloaded from beneath, as a publish or a new album in the upload window does; the opener's
    // code after the modal show then touches no deleted window.
    QPointer<FileManagerWindow> first;
    QTimer::singleShot(0, [&first] {
        first = FileManagerWindow::loaded();
        UnloadFileManager();
    });
    OpenFileManager(nullptr);
    ASSERT_EQ(FileManagerWindow::loaded(), nullptr);
    ASSERT_EVENTUALLY(first.isNull());

    // Closed by the member, the window goes too; each opening builds its tree anew.
    QPointer<FileManagerWindow> second;
    QTimer::singleShot(0, [&second] {
        second = FileManagerWindow::loaded();
        ASSERT_NE(second.data(), nullptr);
        EXPECT_NE(nodeNamed(second->tvwDir, QStringLiteral("旅行")), nullptr);
        second->cmdClose->click();
    });
    OpenFileManager(nullptr);
    EXPECT_EQ(FileManagerWindow::loaded(), nullptr);
    ASSERT_EVENTUALLY(second.isNull());
}

// Acts once on each file manager that comes up modally; a new window may take a closed one's
// address, so each is marked rather than remembered.
class EachFileManager {
public:
    explicit EachFileManager(std::function<void(FileManagerWindow*)> act) : m_act(std::move(act)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* w = dynamic_cast<FileManagerWindow*>(QApplication::activeModalWidget());
            if (!w || w->property("seen").toBool()) return;
            w->setProperty("seen", true);
            ++m_seen;
            m_act(w);
        });
        m_timer.start(20);
    }
    int seen() const { return m_seen; }

private:
    std::function<void(FileManagerWindow*)> m_act;
    QTimer m_timer;
    int m_seen = 0;
};

TEST_F(FileManagerWindowTest, ItsUploadWindowIsItsOwnAndANewAlbumThereClosesNothingUnderneath) {
    SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    frm个人网站Labels::labUPloadType = QStringLiteral("0");
    const void* first = nullptr;
    const QWidget* uploadParent = nullptr;
    bool managerStayed = false;
    bool newAlbumListed = false;
    ModalWatcher<UploadWindow> upload([&](UploadWindow* u) {
        uploadParent = u->parentWidget();
        prompts.answerText(QStringLiteral("风景"));
        u->cmdNewAlbum->click();
        managerStayed = FileManagerWindow::loaded() == first && u->parentWidget()->isVisible();
        u->reject();
    });
    EachFileManager manager([&](FileManagerWindow* w) {
        if (!first) {
            first = w;
            w->picUpLoadPicture_Click();
            return;
        }
        // Once the upload window closed, the manager comes back afresh with the new album.
        newAlbumListed = nodeNamed(w->tvwDir, QStringLiteral("风景")) != nullptr;
        w->cmdClose->click();
    });
    OpenFileManager(nullptr);
    EXPECT_EQ(upload.seen(), 1);
    EXPECT_EQ(manager.seen(), 2);
    EXPECT_EQ(uploadParent, first);
    EXPECT_TRUE(managerStayed);
    EXPECT_TRUE(newAlbumListed);
    EXPECT_TRUE(prompts.messages().contains(QStringLiteral("相册创建成功！")));
    EXPECT_EQ(FileManagerWindow::loaded(), nullptr);
}

TEST_F(FileManagerWindowTest, OpenedFromTheUploadWindowItsUploadButtonSaysWhyNothingOpens) {
    SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    frm个人网站Labels::labUPloadType = QStringLiteral("0");
    ModalWatcher<UploadWindow> upload([](UploadWindow* u) {
        u->cmdViewPhoto->click();
        u->reject();
    });
    EachFileManager manager([&](FileManagerWindow* w) {
        prompts.clear();
        w->picUpLoadPicture_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("“上传文件”窗口已经打开，请关闭本窗口后在该窗口中上传图片。")});
        EXPECT_EQ(prompts.records().value(0).title, QStringLiteral("提示"));
        EXPECT_TRUE(w->isVisible());
        w->cmdClose->click();
    });
    EXPECT_TRUE(OpenUploadWindow(nullptr));
    EXPECT_EQ(upload.seen(), 1);
    EXPECT_EQ(manager.seen(), 1);
    EXPECT_EQ(UploadWindow::loaded(), nullptr);
}

TEST_F(FileManagerWindowTest, APickedThumbnailChoiceReachesEachWriterAndTheWindowCloses) {
    // A real picture, newest in the album, so cell 0 shows its thumbnail.
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    emu::MemberStore& store = emulator().server().store();
    store.storeFile(member(), QStringLiteral("旅行"), QStringLiteral("c.gif"), bytes, QString(), store.newStamp());
    SetLoginField(7, member().albumStamp);
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    LoadAlbumList();
    QDir().mkpath(root() + QStringLiteral("/data"));

    // The micro-blog writer takes the cell's thumbnail and the file's own address.
    MicroBlogWriterWindow micro;
    micro.show();
    frm个人网站Labels::labViewType = QStringLiteral("1");
    QString address;
    {
        FileManagerWindow window;
        window.show();
        window.tvwDir_NodeClick(nodeNamed(window.tvwDir, QStringLiteral("旅行")));
        address = window.grdFile->textMatrix(1, 4);
        ASSERT_TRUE(address.endsWith(QStringLiteral("/旅行/c.gif")));
        ASSERT_FALSE(window.imgView[0]->pixmap().isNull());
        window.optSLT->click();
        QTest::mouseClick(window.imgPutIn[0], Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(micro.logic.labImgURL, address);
        EXPECT_FALSE(micro.imgView->isHidden());
        EXPECT_FALSE(micro.cmdCancelPic->isHidden());
        EXPECT_EQ(micro.imgView->pixmap().toImage(), window.imgView[0]->pixmap().toImage());
    }
    micro.logic.cmdCancelPic_Click();
    micro.close();

    // The blog writer's editor gets a picture of the thumbnail address.
    BlogWriterWindow blog;
    QSignalSpy loaded(blog.webBlog, &WebBrowser::documentComplete);
    blog.show();
    if (!blog.webBlog->hasDocument()) {
        ASSERT_TRUE(loaded.wait(30000));
    }
    frm个人网站Labels::labViewType = QStringLiteral("2");
    {
        FileManagerWindow window;
        window.show();
        window.tvwDir_NodeClick(nodeNamed(window.tvwDir, QStringLiteral("旅行")));
        window.optSLT->click();
        QTest::mouseClick(window.imgPutIn[0], Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    }
    const QString html = blog.webBlog->documentOuterHtmlSync();
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"") + address + QStringLiteral(".jpg\">"))) << html.toStdString();
    EXPECT_EQ(html.count(QStringLiteral("<img")), 1);
}

}  // namespace
