// The album settings window: the album grid and the home-page frame as models, the album-name
// rules, creation, deletion, moves into and out of the frame, saving and the closing question
// against the emulator, and the window with its length limit and its upload hand-off.
#include "albums/albumcache.h"
#include "albums/albumname.h"
#include "albums/albumsettings.h"
#include "albums/loadalbumlist.h"
#include "albums/ui/albums_entry.h"
#include "albums/ui/albumsettingswindow.h"
#include "albums/ui/uploadwindow.h"
#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "mainwindow/commands.h"
#include "platform/ansi.h"
#include "platform/hookcheck.h"
#include "platform/ui/clickablelabel.h"
#include "platform/ui/flexgrid.h"
#include "state/albumsstate.h"
#include "state/loginstate.h"
#include "state/sitestate.h"
#include "state/sitewindowlabels.h"
#include "state/uploadwindowlabels.h"
#include "support/modalwatcher.h"
#include "support/publishfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

namespace {
Table Albums(const QStringList& names) {
    if (names.isEmpty()) return Table::null();
    Table t(int(names.size()), 7);
    for (int r = 0; r < names.size(); ++r) {
        t.set(r, AlbumListField::Name, names[r]);
        t.set(r, AlbumListField::Created, QStringLiteral("2024-05-0%1 10:00:00").arg(r + 1));
    }
    return t;
}
Table Frame(const QStringList& names) {
    Table t(1, HomeAlbumFrame::kSlots);
    for (int k = 0; k < names.size(); ++k) t.set(0, k, names[k]);
    return t;
}
QStringList Slots(const QStringList& filled) {
    QStringList all = filled;
    while (all.size() < HomeAlbumFrame::kSlots) all << QString();
    return all;
}
QStringList Row(const AlbumGrid& g, int r) {
    QStringList out;
    for (int c = 0; c < AlbumGrid::kCols; ++c) out << g.text(r, c);
    return out;
}
const QString kMark = QStringLiteral("<- 移入");
QStringList AlbumRow(const QString& name, const QString& created, bool marked) {
    return {QString(), marked ? kMark : QString(), name, created, QStringLiteral("上传"), QStringLiteral("删除")};
}
const QStringList kEmptyRow(AlbumGrid::kCols, QString());
}  // namespace

// ---- the models

TEST(AlbumGridModel, ListsOwnAlbumsAndMarksThoseOutsideTheFrame) {
    const struct {
        const char* what;
        QStringList albums;
        QStringList framed;
        QList<QStringList> rows;  // from row 1
    } cases[] = {
        {"no albums", {}, {}, {kEmptyRow}},
        {"only system albums", {QStringLiteral("www网站素材"), QStringLiteral("WWW个人主页时钟"), QStringLiteral("wWw日历")}, {}, {kEmptyRow}},
        {"system albums among own ones",
         {QStringLiteral("www网站素材"), QStringLiteral("旅行"), QStringLiteral("www个人主页时钟"), QStringLiteral("家人")},
         {QStringLiteral("家人")},
         {AlbumRow(QStringLiteral("旅行"), QStringLiteral("2024-05-02 10:00:00"), true),
          AlbumRow(QStringLiteral("家人"), QStringLiteral("2024-05-04 10:00:00"), false)}},
        // An album after a gap of the frame is in the frame all the same.
        {"a frame with a gap",
         {QStringLiteral("旅行"), QStringLiteral("家人"), QStringLiteral("风景")},
         {QStringLiteral("旅行"), QStringLiteral("风景")},
         {AlbumRow(QStringLiteral("旅行"), QStringLiteral("2024-05-01 10:00:00"), false),
          AlbumRow(QStringLiteral("家人"), QStringLiteral("2024-05-02 10:00:00"), true),
          AlbumRow(QStringLiteral("风景"), QStringLiteral("2024-05-03 10:00:00"), false)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AlbumGrid g;
        g.load(Albums(c.albums), c.framed);
        EXPECT_EQ(Row(g, 0), (QStringList{QString(), QStringLiteral("移入相册框"), QStringLiteral("相   册   名   称  "),
                                          QStringLiteral("创 建 时 间      "), QStringLiteral("上传照片"), QStringLiteral("删 除   ")}));
        ASSERT_EQ(g.rows(), c.rows.size() + 1);
        for (int r = 1; r < g.rows(); ++r) EXPECT_EQ(Row(g, r), c.rows[r - 1]) << r;
    }
}

TEST(AlbumGridModel, NewAlbumsGoOnTopAndTheLastRemovalClearsTheGrid) {
    AlbumGrid g;
    g.insertAlbum(QStringLiteral("旅行"), QStringLiteral("s1"));
    g.insertAlbum(QStringLiteral("家人"), QStringLiteral("s2"));
    // The empty row of an empty grid stays below, as the grid always had it.
    ASSERT_EQ(g.rows(), 4);
    EXPECT_EQ(Row(g, 1), AlbumRow(QStringLiteral("家人"), QStringLiteral("s2"), true));
    EXPECT_EQ(Row(g, 2), AlbumRow(QStringLiteral("旅行"), QStringLiteral("s1"), true));
    EXPECT_EQ(Row(g, 3), kEmptyRow);
    EXPECT_EQ(g.uploadChoices(), (QStringList{QStringLiteral("家人"), QStringLiteral("旅行")}));
    EXPECT_EQ(g.rowOf(QStringLiteral("旅行")), 2);
    g.removeRow(1);
    g.removeRow(1);
    EXPECT_EQ(g.rows(), 2);
    g.removeRow(1);
    EXPECT_EQ(g, AlbumGrid());
}

TEST(HomeAlbumFrameModel, MovesSwapPackAndMarkTheSlotTheyFilled) {
    const QStringList seven{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                            QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
    const struct {
        const char* what;
        QStringList before;
        std::function<bool(HomeAlbumFrame&)> move;
        bool moved;
        QStringList after;
        int filled;  // the slot in the filled colour, -1 none
    } cases[] = {
        {"down", {"A", "B", "C"}, [](HomeAlbumFrame& f) { return f.moveDown(0); }, true, {"B", "A", "C"}, 1},
        {"down at the last filled slot", {"A", "B", "C"}, [](HomeAlbumFrame& f) { return f.moveDown(2); }, false, {"A", "B", "C"}, -1},
        {"down from the last slot", Slots({}), [](HomeAlbumFrame& f) { return f.moveDown(14); }, false, {}, -1},
        {"up into a gap", {"A", "B", "C"}, [](HomeAlbumFrame& f) { return f.moveUp(3); }, true, {"A", "B", "", "C"}, 2},
        {"up from the first slot", {"A", "B"}, [](HomeAlbumFrame& f) { return f.moveUp(0); }, false, {"A", "B"}, -1},
        {"out of slot 3 of 7", seven, [](HomeAlbumFrame& f) { f.moveOut(3); return true; }, true,
         {"A", "B", "C", "E", "F", "G"}, -1},
        {"out of the last slot", QStringList(15, QStringLiteral("X")),
         [](HomeAlbumFrame& f) { f.moveOut(14); return true; }, true, QStringList(14, QStringLiteral("X")), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HomeAlbumFrame f;
        f.load(Frame(c.before));
        EXPECT_EQ(c.move(f), c.moved);
        EXPECT_EQ(f.captions(), Slots(c.after));
        for (int k = 0; k < HomeAlbumFrame::kSlots; ++k)
            EXPECT_EQ(f.color(k), k == c.filled ? QColor(192, 255, 192) : QColor(255, 255, 242)) << k;
    }
    HomeAlbumFrame f;
    f.load(Frame({QStringLiteral("A"), QString(), QStringLiteral("C")}));
    EXPECT_EQ(f.firstEmptySlot(), 1);
    EXPECT_FALSE(f.full());
    f.load(Table::null());
    EXPECT_EQ(f.captions(), Slots({}));
}

TEST(AlbumGridPointer, TheHandShowsOverTheMoveInAndCommandBandsBelowTheHeader) {
    const struct {
        int x, y;
        bool hot;
    } cases[] = {{91, 376, true},  {1199, 5834, true}, {90, 1000, false},  {1200, 1000, false}, {5191, 1000, true},
                 {6999, 1000, true}, {7000, 1000, false}, {3000, 1000, false}, {500, 375, false}, {500, 5835, false}};
    for (const auto& c : cases) EXPECT_EQ(AlbumGridPointerHot(c.x, c.y), c.hot) << c.x << "," << c.y;
}

TEST(AlbumNameRules, EachWindowTestsInItsOwnOrder) {
    using R = AlbumNameRule;
    const auto uploadOrder = {R::NoSpace, R::NoPlus, R::NotListed, R::NotRoot, R::NotSystem, R::NotNull, R::ShortEnough};
    const QStringList listed{QStringLiteral("旅行"), QStringLiteral("a b")};
    const struct {
        const char* name;
        const char* text;  // empty: passes
        const char* title;
    } cases[] = {
        {"a b", "创建相册败失：相册名称中不能含有空格。", "提示"},  // listed too: the space comes first
        {"a+b", "创建相册败失：相册名称中不能含有“+”号。", "提示"},
        {"旅行", "创建相册失败：相册“旅行”已经存在，请另起新的名称再试。", ""},
        {"根目录", "错误！您不能创建名称为“根目录”的相册，因为它有特殊用途。", ""},
        {"WWW相册", "错误！您不能创建名称前三位是“www”的相册，因为它有特殊用途。", ""},
        {"NuLl", "错误！您不能创建名称为“NuLl”的相册，因为它有特殊用途。", ""},
        {"一二三四五六七八九十a", "相册名称最长为20字节(10个汉字)。", "提示"},
        {"一二三四五六七八九十", "", ""},
        {"旅行2", "", ""},
    };
    for (const auto& c : cases) {
        const auto refusal = CheckAlbumName(QString::fromUtf8(c.name), listed, uploadOrder);
        if (!*c.text) {
            EXPECT_FALSE(refusal) << c.name;
            continue;
        }
        ASSERT_TRUE(refusal) << c.name;
        EXPECT_EQ(refusal->text, QString::fromUtf8(c.text));
        EXPECT_EQ(refusal->title, QString::fromUtf8(c.title));
    }
    // The album settings test the listed names first.
    const auto refusal = CheckAlbumName(QStringLiteral("a b"), listed, {R::NotListed, R::NoSpace});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, QStringLiteral("创建相册失败：相册“a b”已经存在，请另起新的名称再试。"));
}

// ---- the logic against the emulator

class AlbumSettingsTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        WithoutDemoSamples(member());
        AlbumSettingsView& v = logic.view;
        v.showGrid = [this](const AlbumGrid& g) { shownGrid = g; };
        v.showFrame = [this](const HomeAlbumFrame& f) { shownFrame = f; };
        v.showSaveMarker = [this](bool shown) { marker = shown; };
        v.nameText = [this] { return box; };
        v.setNameText = [this](const QString& t) { box = t; };
        v.setLen = [this](const QString& t) { len = t; };
        v.focusName = [this](bool all) { log << (all ? QStringLiteral("focus all") : QStringLiteral("focus end")); };
        v.addToFrame = [this] { return chkAdd; };
        v.showWait = [this] { log << QStringLiteral("wait"); };
        v.hideWait = [this] { log << QStringLiteral("done"); };
        v.openUploadWindow = [this] { log << QStringLiteral("upload ") + frm上传Labels::labWebDir; };
        ASSERT_TRUE(UnsetRequiredHooks(v).isEmpty());
    }
    // Albums made on the service, then the list and frame read as the main window does.
    void serviceHas(const QStringList& albums, const QStringList& frame = {}) {
        emu::ServiceLogic& service = emulator().server().logic();
        for (const QString& a : albums) {
            ASSERT_TRUE(service.BuildAlbumDir({demo.name, LoginField(5), LoginField(6), a}).startsWith(QStringLiteral("OK_0001_")));
        }
        if (!frame.isEmpty()) {
            ASSERT_EQ(service.SetHomeAlbum(QStringList{demo.name, LoginField(5), LoginField(6)} << Slots(frame)),
                      QStringLiteral("OK_0001"));
        }
        SetLoginField(7, member().albumStamp);
        frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
        LoadAlbumList();
        logic.Form_Load();
        emulator().clearCalls();
    }
    QString cache(const QString& file) { return UserFolder + QStringLiteral("/data/") + file; }
    int calls(const char* method) { return int(emulator().calls(QString::fromLatin1(method)).size()); }

    AlbumSettingsController logic;
    AlbumGrid shownGrid;
    HomeAlbumFrame shownFrame;
    bool marker = true;
    bool chkAdd = true;
    QString box;
    QString len;
    QStringList log;
};

TEST_F(AlbumSettingsTest, CreatedAlbumGoesOnTopAndIntoTheFrameWhenAsked) {
    serviceHas({QStringLiteral("旅行")}, {QStringLiteral("旅行")});
    EXPECT_FALSE(marker);

    chkAdd = false;
    box = QStringLiteral("  风景 ");
    logic.cmdAddAlbum_Click();
    EXPECT_EQ(box, QStringLiteral("风景"));
    EXPECT_EQ(len, QStringLiteral("4"));
    ASSERT_EQ(calls("BuildAlbumDir"), 1);
    EXPECT_EQ(emulator().calls(QStringLiteral("BuildAlbumDir"))[0].args,
              (QStringList{demo.name, LoginField(5), LoginField(6), QStringLiteral("风景")}));
    const QString stamp = member().album(QStringLiteral("风景"))->created;
    EXPECT_EQ(LoginField(7), stamp);
    EXPECT_EQ(Row(shownGrid, 1), AlbumRow(QStringLiteral("风景"), stamp, true));
    EXPECT_EQ(shownGrid.name(2), QStringLiteral("旅行"));
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("相册创建成功！")});
    EXPECT_EQ(log, (QStringList{QStringLiteral("wait"), QStringLiteral("done"), QStringLiteral("focus all")}));
    EXPECT_EQ(calls("SetHomeAlbum"), 0);
    EXPECT_EQ(DialogState, 0);  // a creation alone changes nothing the main window shows

    chkAdd = true;
    box = QStringLiteral("家人");
    prompts.clear();
    logic.cmdAddAlbum_Click();
    ASSERT_EQ(calls("SetHomeAlbum"), 1);
    EXPECT_EQ(emulator().calls(QStringLiteral("SetHomeAlbum"))[0].args,
              (QStringList{demo.name, LoginField(5), LoginField(6)} << Slots({QStringLiteral("旅行"), QStringLiteral("家人")})));
    EXPECT_EQ(member().homeAlbums, Slots({QStringLiteral("旅行"), QStringLiteral("家人")}));
    EXPECT_EQ(shownFrame.caption(1), QStringLiteral("家人"));
    EXPECT_EQ(shownFrame.color(1), HomeAlbumFrame::kFilledColor);
    EXPECT_EQ(shownGrid.text(1, AlbumGrid::MarkColumn), QString());  // in the frame now
    EXPECT_EQ(HomeAlbums.row(0), Slots({QStringLiteral("旅行"), QStringLiteral("家人")}));
    EXPECT_EQ(frm个人网站Labels::labSaveHomeAlbum, QStringLiteral("1"));
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("相册创建成功！")});
}

TEST_F(AlbumSettingsTest, RefusedFrameStoreLeavesTheNewAlbumOutsideTheFrame) {
    serviceHas({QStringLiteral("旅行")}, {QStringLiteral("旅行")});
    emulator().scriptReply(QStringLiteral("SetHomeAlbum"), QStringLiteral("Error_0002"));
    box = QStringLiteral("家人");
    logic.cmdAddAlbum_Click();
    EXPECT_NE(member().album(QStringLiteral("家人")), nullptr);
    EXPECT_EQ(shownFrame.captions(), Slots({QStringLiteral("旅行")}));
    EXPECT_EQ(Row(shownGrid, 1), AlbumRow(QStringLiteral("家人"), LoginField(7), true));
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("相册创建成功！"),
                                               QStringLiteral("错误 0002，保存到首页相册框失败，您可以把此相册手工移入到首页相册中。")}));
    EXPECT_EQ(prompts.records().value(1).title, QStringLiteral("提示"));
    EXPECT_EQ(HomeAlbums.row(0), Slots({QStringLiteral("旅行")}));
    EXPECT_EQ(frm个人网站Labels::labSaveHomeAlbum, QStringLiteral("0"));
}

TEST_F(AlbumSettingsTest, NamesThatBreakARuleAreNotSent) {
    QStringList fifteen;
    for (int k = 1; k <= 15; ++k) fifteen << QStringLiteral("相册%1").arg(k);
    serviceHas(fifteen, fifteen);
    const struct {
        const char* name;
        bool toFrame;
        const char* message;  // empty: nothing said
        const char* title;
    } cases[] = {
        {"相册3", false, "创建相册失败：相册“相册3”已经存在，请另起新的名称再试。", ""},
        {"a b", true, "创建相册败失：相册名称中不能含有空格。", "提示"},
        {"a+b", true, "创建相册败失：相册名称中不能含有“+”号。", "提示"},
        {"旅行", true, "创建相册失败：首页相册框已满（最多15个），请您先移出其他相册或者\r\r把“添加到首页相册框”前面的“√”去掉再试。", ""},
        {"根目录", false, "错误！您不能创建名称为“根目录”的相册，因为它有特殊用途。", ""},
        {"Www相册", false, "错误！您不能创建名称前三位是“www”的相册，因为它有特殊用途。", ""},
        {" nULL ", false, "错误！您不能创建名称为“nULL”的相册，因为它有特殊用途。", ""},
        {"   ", false, "", ""},
    };
    for (const auto& c : cases) {
        prompts.clear();
        log.clear();
        chkAdd = c.toFrame;
        box = QString::fromUtf8(c.name);
        logic.cmdAddAlbum_Click();
        if (*c.message) {
            ASSERT_EQ(prompts.records().size(), 1) << c.name;
            EXPECT_EQ(prompts.records()[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(prompts.records()[0].title, QString::fromUtf8(c.title));
        } else {
            EXPECT_TRUE(prompts.records().isEmpty()) << c.name;
            EXPECT_EQ(log, QStringList{QStringLiteral("focus end")});
        }
    }
    EXPECT_EQ(calls("BuildAlbumDir"), 0);
}

TEST_F(AlbumSettingsTest, ServiceRefusalsOfACreationAreSaid) {
    serviceHas({QStringLiteral("旅行")});
    // Made elsewhere after the list was read: only the service knows it.
    emulator().server().logic().BuildAlbumDir({demo.name, LoginField(5), LoginField(6), QStringLiteral("家人")});
    const QString stampBefore = LoginField(7);
    const struct {
        const char* scripted;  // empty: the service's own answer
        const char* message;
    } cases[] = {
        {"", "错误 0004，创建相册失败：相册“家人”已经存在，请另起新的名称再试。"},
        {"Error_0001", "错误 0001，创建相册失败，请您重新登录本软件再试。"},
        {"Error_0003", "错误 0003，创建相册失败，请您重新登录本软件再试。"},
        {"Error_0009", "意外错误，请您重新登录本软件再试。"},
    };
    for (const auto& c : cases) {
        prompts.clear();
        if (*c.scripted) emulator().scriptReply(QStringLiteral("BuildAlbumDir"), QString::fromLatin1(c.scripted));
        box = QStringLiteral("家人");
        logic.cmdAddAlbum_Click();
        EXPECT_EQ(prompts.messages(), QStringList{QString::fromUtf8(c.message)}) << c.scripted;
        EXPECT_EQ(prompts.records().value(0).title, QString());
    }
    EXPECT_EQ(LoginField(7), stampBefore);
    EXPECT_EQ(shownGrid.rows(), 2);
}

TEST_F(AlbumSettingsTest, DeletionIsRefusedForFramedAlbumsAndUnsavedMovesAndAskedFirst) {
    serviceHas({QStringLiteral("旅行"), QStringLiteral("家人"), QStringLiteral("风景")},
               {QStringLiteral("旅行"), QStringLiteral("家人")});
    logic.grdAlbum_Click(1, AlbumGrid::DeleteColumn);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("相册“旅行”已经加入到首页相册框中，请您先将其移出后再删除。")});
    prompts.clear();
    logic.imgMoveDown_Click(0);
    ASSERT_TRUE(marker);
    logic.grdAlbum_Click(3, AlbumGrid::DeleteColumn);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("请您先点击“保存相册设置”按钮，把刚才的操作保存后再删除相册。")});
    prompts.clear();
    logic.imgMoveUp_Click(1);  // the order stored before, but still unsaved as far as the window knows
    ASSERT_TRUE(logic.unsaved());
    logic.cmdSave_Click();
    prompts.clear();

    prompts.answer(vbNo);
    logic.grdAlbum_Click(3, AlbumGrid::DeleteColumn);
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("您真的确认要删除相册“风景”及其里面所有的文件？\r\r注：一但删除将无法恢复。"));
    EXPECT_EQ(prompts.records()[0].style, vbQuestion | vbYesNo);
    EXPECT_EQ(calls("DelDir"), 0);

    emulator().scriptReply(QStringLiteral("DelDir"), QStringLiteral("Error_0003"));
    prompts.clear();
    logic.grdAlbum_Click(3, AlbumGrid::DeleteColumn);
    EXPECT_EQ(prompts.messages().value(1), QStringLiteral("错误 0003，保存失败，请您稍候或重新登录本软件再试。"));
    EXPECT_EQ(shownGrid.rows(), 4);

    DialogState = 0;
    prompts.clear();
    logic.grdAlbum_Click(3, AlbumGrid::DeleteColumn);
    EXPECT_EQ(prompts.messages().value(1), QStringLiteral("相册“风景”删除成功！"));
    EXPECT_EQ(member().album(QStringLiteral("风景")), nullptr);
    EXPECT_EQ(shownGrid.rows(), 3);
    EXPECT_EQ(shownGrid.rowOf(QStringLiteral("风景")), -1);
    EXPECT_EQ(DialogState, 99);
    EXPECT_EQ(LoginField(7), QStringLiteral("1900-01-01 01:01:01"));
    EXPECT_EQ(frm个人网站Labels::labDownDirFlag, QStringLiteral("0"));

    // The empty row of a grid names no album: nothing to upload into or delete.
    logic.grid.clear();
    prompts.clear();
    log.clear();
    logic.grdAlbum_Click(1, AlbumGrid::DeleteColumn);
    logic.grdAlbum_Click(1, AlbumGrid::UploadColumn);
    logic.grdAlbum_Click(1, AlbumGrid::MarkColumn);
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(AlbumSettingsTest, TwoDeletionsInOneLoginLeaveNeitherAlbumInTheList) {
    serviceHas({QStringLiteral("旅行"), QStringLiteral("家人"), QStringLiteral("风景")});
    for (const QString& album : {QStringLiteral("旅行"), QStringLiteral("家人")}) {
        // The main window's command: the list, then the window.
        LoadAlbumList();
        logic.Form_Load();
        logic.grdAlbum_Click(logic.grid.rowOf(album), AlbumGrid::DeleteColumn);
        EXPECT_EQ(member().album(album), nullptr);
    }
    LoadAlbumList();
    QStringList listed;
    for (int r = 0; r < AlbumList.rows(); ++r) listed << AlbumList.value(r, AlbumListField::Name);
    EXPECT_FALSE(listed.contains(QStringLiteral("旅行")));
    EXPECT_FALSE(listed.contains(QStringLiteral("家人")));
    EXPECT_TRUE(listed.contains(QStringLiteral("风景")));
}

TEST_F(AlbumSettingsTest, MovesIntoAndOutOfTheFrameAreStoredAtOnceAndPutBackWhenRefused) {
    const QStringList seven{QStringLiteral("A1"), QStringLiteral("B2"), QStringLiteral("C3"), QStringLiteral("D4"),
                            QStringLiteral("E5"), QStringLiteral("F6"), QStringLiteral("G7")};
    serviceHas(seven + QStringList{QStringLiteral("H8")}, seven);
    const int h = logic.grid.rowOf(QStringLiteral("H8"));
    ASSERT_EQ(logic.grid.text(h, AlbumGrid::MarkColumn), kMark);

    // In: refused, then stored.
    emulator().scriptReply(QStringLiteral("SetHomeAlbum"), QStringLiteral("Error_0001"));
    logic.grdAlbum_Click(h, AlbumGrid::MarkColumn);
    EXPECT_EQ(shownFrame.captions(), Slots(seven));
    EXPECT_EQ(shownGrid.text(h, AlbumGrid::MarkColumn), kMark);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误 0001，保存失败，请您稍后再试。")});
    prompts.clear();
    logic.grdAlbum_Click(h, AlbumGrid::MarkColumn);
    EXPECT_EQ(member().homeAlbums, Slots(seven + QStringList{QStringLiteral("H8")}));
    EXPECT_EQ(shownGrid.text(h, AlbumGrid::MarkColumn), QString());
    EXPECT_EQ(shownFrame.color(7), HomeAlbumFrame::kFilledColor);
    EXPECT_TRUE(prompts.records().isEmpty());
    logic.grdAlbum_Click(h, AlbumGrid::MarkColumn);  // no mark: nothing
    EXPECT_EQ(calls("SetHomeAlbum"), 2);

    // Out of slot 3, with a move not yet saved: refused, the frame and its marker come back.
    logic.imgMoveDown_Click(0);
    const QStringList moved = shownFrame.captions();
    emulator().scriptReply(QStringLiteral("SetHomeAlbum"), QStringLiteral("Error_0009"));
    logic.cmdMoveOut_Click(3);
    EXPECT_EQ(shownFrame.captions(), moved);
    EXPECT_EQ(shownGrid.text(logic.grid.rowOf(QStringLiteral("D4")), AlbumGrid::MarkColumn), QString());
    EXPECT_TRUE(marker);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("意外错误，请您稍后或重新登录本软件再试。")});
    prompts.clear();
    logic.cmdMoveOut_Click(3);
    const QStringList packed{QStringLiteral("B2"), QStringLiteral("A1"), QStringLiteral("C3"), QStringLiteral("E5"),
                             QStringLiteral("F6"), QStringLiteral("G7"), QStringLiteral("H8")};
    EXPECT_EQ(member().homeAlbums, Slots(packed));
    EXPECT_EQ(HomeAlbums.row(0), Slots(packed));
    EXPECT_EQ(shownGrid.text(logic.grid.rowOf(QStringLiteral("D4")), AlbumGrid::MarkColumn), kMark);
    EXPECT_FALSE(marker);
    EXPECT_TRUE(prompts.records().isEmpty());
    logic.cmdMoveOut_Click(14);  // an empty slot: nothing
    EXPECT_EQ(calls("SetHomeAlbum"), 4);
    EXPECT_EQ(shownGrid.rowOf(QString()), -1);
}

TEST_F(AlbumSettingsTest, FrameFullRefusesMovingIn) {
    QStringList fifteen;
    for (int k = 1; k <= 15; ++k) fifteen << QStringLiteral("相册%1").arg(k);
    serviceHas(fifteen + QStringList{QStringLiteral("多余")}, fifteen);
    logic.grdAlbum_Click(logic.grid.rowOf(QStringLiteral("多余")), AlbumGrid::MarkColumn);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("首页相框已满（最多15个），请您先移出其他相册后再试。")});
    EXPECT_EQ(prompts.records().value(0).title, QString());
    EXPECT_EQ(calls("SetHomeAlbum"), 0);
}

TEST_F(AlbumSettingsTest, SavedFrameReachesTheCacheAndTheServedCell) {
    serviceHas({QStringLiteral("旅行"), QStringLiteral("家人"), QStringLiteral("风景")},
               {QStringLiteral("旅行"), QStringLiteral("家人"), QStringLiteral("风景")});
    logic.imgMoveUp_Click(2);
    EXPECT_TRUE(marker);
    EXPECT_EQ(shownFrame.color(1), HomeAlbumFrame::kFilledColor);

    // Closing answered No: nothing stored.
    prompts.answer(vbNo);
    logic.Form_QueryUnload();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("是否要保存首页相册框的设置？"));
    EXPECT_EQ(prompts.records()[0].style, vbInformation | vbYesNo);
    EXPECT_EQ(calls("SetHomeAlbum"), 0);
    EXPECT_EQ(HomeAlbums.value(0, 1), QStringLiteral("家人"));

    // A refused save keeps the marker.
    emulator().scriptReply(QStringLiteral("SetHomeAlbum"), QStringLiteral("Error_0002"));
    prompts.clear();
    logic.cmdSave_Click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误 0002，保存失败，请您稍候或重新登录本软件再试。")});
    EXPECT_TRUE(marker);

    // Closing answered Yes: saved.
    prompts.clear();
    prompts.answer(vbYes);
    logic.Form_QueryUnload();
    EXPECT_EQ(prompts.messages(), (QStringList{QStringLiteral("是否要保存首页相册框的设置？"), QStringLiteral("保存成功！")}));
    EXPECT_FALSE(marker);
    const QStringList saved = Slots({QStringLiteral("旅行"), QStringLiteral("风景"), QStringLiteral("家人")});
    EXPECT_EQ(member().homeAlbums, saved);
    EXPECT_EQ(HomeAlbums.row(0), saved);
    EXPECT_EQ(frm个人网站Labels::labSaveHomeAlbum, QStringLiteral("1"));
    EXPECT_EQ(DialogState, 99);
    // The cache holds the saved frame beside the list, so a load from the cache shows it.
    EXPECT_EQ(ReadTableFile(cache(AlbumListFileName), QStringLiteral("HomeAlbum")).row(0), saved);
    EXPECT_EQ(ReadTableFile(cache(AlbumListFileName), QStringLiteral("DirInfo")).rows(), AlbumList.rows());
    HomeAlbums = Table::null();
    emulator().clearCalls();
    EXPECT_FALSE(LoadAlbumList());
    EXPECT_EQ(calls("GetDirInfo"), 0);
    EXPECT_EQ(HomeAlbums.row(0), saved);
    logic.Form_Load();
    EXPECT_EQ(shownFrame.captions(), saved);

    // The home page's album list cell shows the frame in slot order.
    const EmulatorPage page = emulator().get(QStringLiteral("http://") + LoginField(6).toLower().replace(QStringLiteral("www"), QStringLiteral("frm")) +
                                             QLatin1Char('.') + emulator().domain() +
                                             QStringLiteral("/albumlist001.aspx?k1=") + LoginField(11));
    const QString text = QString::fromUtf8(page.body);
    const qsizetype a = text.indexOf(QStringLiteral("<li>旅行")), b = text.indexOf(QStringLiteral("<li>风景")),
                    c = text.indexOf(QStringLiteral("<li>家人"));
    EXPECT_TRUE(a >= 0 && a < b && b < c) << text.toStdString();
}

TEST_F(AlbumSettingsTest, AFailedCacheWriteMakesTheNextLoadReadTheService) {
    serviceHas({QStringLiteral("旅行")});
    frm个人网站Labels::labDownDirFlag = QStringLiteral("1");
    // Something that is no file stands where the list file goes: the write cannot happen.
    QFile::remove(cache(AlbumListFileName));
    QDir().mkpath(cache(AlbumListFileName) + QStringLiteral("/blocked"));
    logic.grdAlbum_Click(1, AlbumGrid::MarkColumn);
    EXPECT_EQ(member().homeAlbums.value(0), QStringLiteral("旅行"));
    EXPECT_EQ(frm个人网站Labels::labDownDirFlag, QStringLiteral("0"));
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(AlbumSettingsTest, FailedCallsFollowTheErrorConventionAndPutTheFrameBack) {
    serviceHas({QStringLiteral("旅行"), QStringLiteral("家人")}, {QStringLiteral("旅行")});
    emulator().hideWsdl(QStringLiteral("imgser001"));
    box = QStringLiteral("风景");
    log.clear();
    logic.cmdAddAlbum_Click();
    EXPECT_EQ(netErrors, 1);
    EXPECT_EQ(log, (QStringList{QStringLiteral("wait"), QStringLiteral("done")}));
    EXPECT_TRUE(prompts.records().isEmpty());
    emulator().hideWsdl(QStringLiteral("imgser001"), false);

    emulator().failHttp(500, QStringLiteral("SetHomeAlbum"));
    logic.grdAlbum_Click(logic.grid.rowOf(QStringLiteral("家人")), AlbumGrid::MarkColumn);
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("错误:抱歉！遇到意外错误，请您稍后再试...")});
    EXPECT_EQ(shownFrame.captions(), Slots({QStringLiteral("旅行")}));
    EXPECT_EQ(shownGrid.text(logic.grid.rowOf(QStringLiteral("家人")), AlbumGrid::MarkColumn), kMark);
    EXPECT_EQ(netErrors, 1);
}

// ---- the window

class AlbumSettingsWindowTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        WithoutDemoSamples(member());
    }
};

TEST_F(AlbumSettingsWindowTest, ShowsTheListAndTheFrameAsLoaded) {
    AlbumList = Albums({QStringLiteral("旅行"), QStringLiteral("www网站素材"), QStringLiteral("家人")});
    HomeAlbums = Frame({QStringLiteral("家人")});
    AlbumSettingsWindow w;
    EXPECT_TRUE(UnsetRequiredHooks(w.logic.view).isEmpty());
    EXPECT_EQ(AlbumSettingsWindow::loaded(), &w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("相册设置"));
    EXPECT_TRUE(w.chkAdd->isChecked());
    EXPECT_EQ(w.labLen->text(), QStringLiteral("0"));
    EXPECT_FALSE(w.cmdSave->isVisibleTo(&w));
    EXPECT_FALSE(w.labSave->isVisibleTo(&w));
    EXPECT_FALSE(w.imgMoveUp[0]->isVisibleTo(&w));
    EXPECT_TRUE(w.imgMoveDown[0]->isVisibleTo(&w));
    EXPECT_TRUE(w.imgMoveUp[14]->isVisibleTo(&w));
    EXPECT_FALSE(w.imgMoveDown[14]->isVisibleTo(&w));
    EXPECT_EQ(w.labSN[14]->text(), QStringLiteral("15、"));
    EXPECT_EQ(w.labAlbum[0]->text(), QStringLiteral("家人"));
    EXPECT_EQ(w.labAlbum[0]->palette().color(QPalette::Window), QColor(255, 255, 242));
    ASSERT_EQ(w.grdAlbum->rows(), 3);
    EXPECT_EQ(w.grdAlbum->textMatrix(0, 2), QStringLiteral("相   册   名   称  "));
    EXPECT_EQ(w.grdAlbum->textMatrix(1, 1), kMark);
    EXPECT_EQ(w.grdAlbum->textMatrix(1, 2), QStringLiteral("旅行"));
    EXPECT_EQ(w.grdAlbum->textMatrix(2, 1), QString());
    EXPECT_EQ(w.grdAlbum->textMatrix(2, 3), QStringLiteral("2024-05-03 10:00:00"));

    // A move shows the marker, and the filled slot's colour.
    w.imgMoveUp[1]->onClick();
    EXPECT_TRUE(w.cmdSave->isVisibleTo(&w));
    EXPECT_TRUE(w.labSave->isVisibleTo(&w));
    EXPECT_EQ(w.labAlbum[0]->text(), QString());
    EXPECT_EQ(w.labAlbum[0]->palette().color(QPalette::Window), QColor(192, 255, 192));
    prompts.answer(vbNo);
    w.cmdQuit->click();
    EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("是否要保存首页相册框的设置？")});
}

TEST_F(AlbumSettingsWindowTest, NamesLongerThanTwentyBytesLoseACharacterPerMessage) {
    AlbumSettingsWindow w;
    const QString limit = AlbumNameLengthMessage().text;
    const struct {
        const char* typed;
        bool paste;
        const char* kept;
        int messages;
    } cases[] = {
        {"一二三四五六七八九十1234", true, "一二三四五六七八九十", 4},
        {"一二三四五六七八九十一", true, "一二三四五六七八九十", 1},
        {"abcdefghijklmnopqrstuv", false, "abcdefghijklmnopqrst", 2},
        {"一二三四五六七八九十", true, "一二三四五六七八九十", 0},
    };
    for (const auto& c : cases) {
        prompts.clear();
        w.txtAddAlbum->clear();
        if (c.paste) w.txtAddAlbum->setText(QString::fromUtf8(c.typed));
        else QTest::keyClicks(w.txtAddAlbum, QString::fromUtf8(c.typed));
        EXPECT_EQ(w.txtAddAlbum->text(), QString::fromUtf8(c.kept)) << c.typed;
        EXPECT_EQ(prompts.messages(), QStringList(c.messages, limit)) << c.typed;
        EXPECT_EQ(w.labLen->text(), QString::number(AnsiCodec::byteLength(QString::fromUtf8(c.kept))));
        EXPECT_EQ(w.txtAddAlbum->cursorPosition(), w.txtAddAlbum->text().size());
        if (c.messages) {
            EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));
        }
    }
    w.reject();
}

TEST_F(AlbumSettingsWindowTest, UploadHandOffOpensTheUploadWindowOnTheAlbumWithTheGridsList) {
    AlbumList = Albums({QStringLiteral("旅行"), QStringLiteral("www网站素材"), QStringLiteral("家人")});
    HomeAlbums = Frame({QStringLiteral("家人")});
    SetUserSetting(UcsTeachUpload, QStringLiteral("3"));
    AlbumSettingsWindow w;
    int opened = 0;
    QString album;
    ModalWatcher<UploadWindow> watcher([&](UploadWindow* u) {
        ++opened;
        EXPECT_EQ(frm个人网站Labels::labUPloadType, QStringLiteral("1"));
        EXPECT_EQ(u->labWebDir, album);
        QStringList items;
        for (int i = 0; i < u->cobAlbum->count(); ++i) items << u->cobAlbum->itemText(i);
        EXPECT_EQ(items, (QStringList{QStringLiteral("旅行"), QStringLiteral("家人")}));
        EXPECT_EQ(u->cobAlbum->currentText(), album);
        EXPECT_TRUE(u->labUploadToAlbumCaption->isVisibleTo(u));
        EXPECT_EQ(u->labUploadToAlbumCaption->text(), QStringLiteral("上传文件到相册[") + album + QLatin1Char(']'));
        u->reject();
    });
    album = QStringLiteral("家人");
    w.cmdUpload[0]->click();
    EXPECT_EQ(opened, 1);
    w.cmdUpload[1]->click();  // an empty slot
    album = QStringLiteral("旅行");
    w.grdAlbum_Click(1, AlbumGrid::UploadColumn);
    EXPECT_EQ(opened, 2);
    w.reject();
}

TEST_F(AlbumSettingsWindowTest, TheMainWindowRefreshesTheAlbumCellAfterAStoredFrame) {
    emulator().server().logic().BuildAlbumDir({demo.name, LoginField(5), LoginField(6), QStringLiteral("旅行")});
    SetLoginField(7, member().albumStamp);
    frm个人网站Labels::labDownDirFlag = QStringLiteral("0");
    MainWindowCommands commands;
    QList<int> refreshed;
    commands.view.refreshCell = [&](int cell) { refreshed << cell; };
    commands.windows.albumSettings = OpenAlbumSettings;
    ModalWatcher<AlbumSettingsWindow> watcher([&](AlbumSettingsWindow* w) {
        w->grdAlbum_Click(w->logic.grid.rowOf(QStringLiteral("旅行")), AlbumGrid::MarkColumn);
        EXPECT_EQ(frm个人网站Labels::labSaveHomeAlbum, QStringLiteral("1"));
        w->cmdQuit_Click();
    });
    commands.cmdSetPhotoBox_Click();
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(member().homeAlbums.value(0), QStringLiteral("旅行"));
    EXPECT_EQ(frm个人网站Labels::labSaveHomeAlbum, QStringLiteral("0"));
    EXPECT_EQ(refreshed, QList<int>{17});
}
