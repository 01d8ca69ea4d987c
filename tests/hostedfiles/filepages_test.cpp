// The thumbnail pages, their cache and downloads, the list preview, ticking and deleting files:
// the logic against a fake window, first alone, then against the emulator.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QFileInfo>
#include <QImage>

#include "albums/albumcache.h"
#include "albums/loadalbumlist.h"
#include "state/albumsstate.h"
#include "emulator/blogposts.h"
#include "emulator/memberstore.h"
#include "foundation/cipher.h"
#include "foundation/htmltext.h"
#include "foundation/servicecall.h"
#include "foundation/shareddata.h"
#include "foundation/tabletext.h"
#include "state/singlefileuploadlabels.h"
#include "hostedfiles/thumbnailcache.h"
#include "hostedfiles/viewpage.h"
#include "blogs/blogwriter.h"
#include "state/loginstate.h"
#include "platform/ansi.h"
#include "platform/serviceconfig.h"
#include "state/sitewindowlabels.h"
#include "platform/prompts.h"
#include "state/sitestate.h"
#include "support/fixtures.h"
#include "support/publishfixture.h"
#include "fakefilemanager.h"

using namespace testsupport;

namespace {

const QString kNothingTicked = QStringLiteral("请先择要删除的文件。");
const QString kDeleted = QStringLiteral("删除成功！");
const QString kDeleteFailed = QStringLiteral("遇到错误：无法返回服务器的操作结果，请您稍后再试。");

QString question(int n) {
    return QStringLiteral("您真的确定要删除选定的这%1个文件吗？\r\r注意：一旦删除将是无法恢复的哦！").arg(n);
}

// n Flash files: shown without any fetch.
Table flashFiles(int n) {
    Table t(qMax(n, 1), 10);
    if (n == 0) return Table::null();
    for (int r = 0; r < n; ++r) {
        t.set(r, 0, QStringLiteral("http://img1.x.test/space/f/a/m%1.swf").arg(r));
        t.set(r, 1, QStringLiteral("说明%1").arg(r));
        t.set(r, 3, QStringLiteral("2026-12-%1").arg(r + 1));
        t.set(r, 5, QStringLiteral("1"));
        t.set(r, 9, QStringLiteral("m%1.swf").arg(r));
    }
    return t;
}

class FilePagesTest : public FakeManagerTest {
protected:
    void open(int n) { openAlbum(flashFiles(n)); }
};

TEST_F(FilePagesTest, APageShowsItsCellsLineLinksAndChoices) {
    const PagingLinks none, first{false, false, true, true, true}, middle{true, true, true, true, true},
        last{true, true, false, false, true};
    const struct {
        int files, firstIndex, page, pages, cells;
        PagingLinks links;
    } cases[] = {
        {0, 1, 1, 0, 0, none},    {0, 5, 1, 0, 0, none},     {0, 16, 2, 0, 0, none},
        {15, 1, 1, 1, 15, none},  {15, 5, 1, 1, 15, none},   {15, 16, 2, 1, 0, none},
        {16, 1, 1, 2, 15, first}, {16, 5, 1, 2, 15, first},  {16, 16, 2, 2, 1, last},
        {31, 1, 1, 3, 15, first}, {31, 5, 1, 3, 15, first},  {31, 16, 2, 3, 15, middle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 files from %2").arg(c.files).arg(c.firstIndex).toStdString());
        open(c.files);
        logic.ShowFilePage(c.firstIndex);
        EXPECT_EQ(fake.page, c.page);
        EXPECT_EQ(fake.pages, c.pages);
        EXPECT_EQ(fake.links, c.links);
        EXPECT_EQ(fake.shownCells(), c.cells);
        EXPECT_EQ(fake.comboEntries, c.pages);
        EXPECT_EQ(fake.comboText, QString::number(c.page));
        // The cells fill from the page's first row, in order, with their labels.
        if (c.cells > 0) {
            const int row = (c.page - 1) * 15;
            EXPECT_EQ(fake.cells[0].memo, files.value(row, 1));
            EXPECT_EQ(logic.Cell(0).labURL, files.value(row, 0));
            EXPECT_EQ(logic.Cell(0).labFileName, files.value(row, 9));
            EXPECT_EQ(logic.Cell(0).labSize, QStringLiteral("KB"));
            EXPECT_EQ(logic.Cell(0).labUpLoadDay, files.value(row, 3));
            EXPECT_EQ(fake.cells[0].picture, FlashPicture());
        }
        // Hint 15 only with a next page; hint 14 after every page.
        EXPECT_EQ(fake.hintShown[2], 1);
        EXPECT_EQ(logic.HintInBox(2), 14);
    }
    // A Flash file is never fetched.
    EXPECT_EQ(fake.loadInfoShown, 0);
    EXPECT_TRUE(frmDB::grdT[0].value(1, 0).isEmpty());
}

TEST_F(FilePagesTest, PagingLinksAndTheGoToBox) {
    open(16);
    logic.labGoEnd_Click();
    EXPECT_EQ(fake.page, 2);
    EXPECT_EQ(fake.shownCells(), 1);
    EXPECT_EQ(logic.Cell(0).labURL, files.value(15, 0));
    logic.labGoTop_Click();
    EXPECT_EQ(fake.page, 1);

    open(31);
    logic.labGoEnd_Click();
    EXPECT_EQ(fake.page, 3);
    logic.labPageUp_Click();
    EXPECT_EQ(fake.page, 2);
    logic.labPageDown_Click();
    EXPECT_EQ(fake.page, 3);

    const struct {
        const char* text;
        int page;  // -1: nothing happens
    } goTo[] = {{"2", 2}, {" 1 ", 1}, {"abc", -1}, {"", -1}, {"0", -1}, {"-3", -1}, {"3000", -1}, {"9", 9}};
    for (const auto& g : goTo) {
        SCOPED_TRACE(g.text);
        logic.ShowFilePage(16);
        fake.page = -1;
        logic.cmdGotoPage_Click(QString::fromUtf8(g.text));
        EXPECT_EQ(fake.page, g.page);
    }
    // Beyond the last page: an empty page bearing its number, every link shown.
    EXPECT_EQ(fake.shownCells(), 0);
    EXPECT_EQ(fake.links, (PagingLinks{true, true, true, true, true}));
}

TEST_F(FilePagesTest, TheCacheFilesAndAddressesOfAThumbnail) {
    const QString root = UserFolder + QStringLiteral("/UpLoadPicture/");
    EXPECT_EQ(PageThumbnailPath(QStringLiteral("Abc"), QStringLiteral("A1.GIF")), root + QStringLiteral("Abc/a1.dat"));
    EXPECT_EQ(PageThumbnailPath(QStringLiteral("旅游"), QStringLiteral("ab")), root + QStringLiteral("旅游/ab.dat"));
    // Names from the service never leave their folder.
    EXPECT_EQ(PageThumbnailPath(QStringLiteral(".."), QStringLiteral("../X.JPG")), root + QStringLiteral("_/.._x.dat"));
    const QString url = QStringLiteral("http://img1.x.test/space/f/Abc/A1.GIF");
    EXPECT_EQ(PageThumbnailAddress(url, QStringLiteral("Abc"), QStringLiteral("A1.GIF")), url + QStringLiteral(".jpg"));
    // An album or name holding what ends or escapes a path is fetched encoded; the listed address
    // keeps its plain form.
    const QString odd = QStringLiteral("http://img1.x.test/space/f/旅行#1 & 50%/a?.gif");
    EXPECT_EQ(PageThumbnailAddress(odd, QStringLiteral("旅行#1 & 50%"), QStringLiteral("a?.gif")),
              QStringLiteral("http://img1.x.test/space/f/旅行%231%20&%2050%25/a%3F.gif.jpg"));
    EXPECT_EQ(PreviewThumbnailAddress(odd, QStringLiteral("旅行#1 & 50%"), QStringLiteral("a?.gif")),
              QStringLiteral("http://img1.x.test/space/f/旅行%231%20&%2050%25/a%3F.gif.gif"));

    EXPECT_EQ(PreviewThumbnailPath(QStringLiteral("Abc"), QStringLiteral("A1.GIF")), root + QStringLiteral("Abc/A1.GIF"));
    EXPECT_EQ(PreviewThumbnailPath(QStringLiteral("根目录"), QStringLiteral("A1.GIF")), root + QStringLiteral("A1.GIF"));
    EXPECT_EQ(PreviewThumbnailAddress(url, QStringLiteral("Abc"), QStringLiteral("A1.GIF")), url + QStringLiteral(".GIF"));

    const QString cached = root + QStringLiteral("Abc/a1.dat");
    const struct {
        bool present;
        const char* count;
        bool wanted;
    } plan[] = {{false, "5", true}, {true, "5", false}, {true, "5.4", false}, {true, "6", true},
                {true, "4", true},  {true, "", true},    {true, "x", true}};  // "4": the copy is larger
    for (const auto& p : plan) {
        SCOPED_TRACE(p.count);
        QFile::remove(cached);
        if (p.present) writeFile(cached, "12345");
        EXPECT_EQ(ThumbnailWanted(cached, QString::fromUtf8(p.count)), p.wanted);
    }
}

TEST_F(FilePagesTest, TicksAndSelectAll) {
    open(20);
    for (int k = 0; k < 15; ++k) {
        EXPECT_FALSE(fake.selectAll);
        fake.cells[k].ticked = true;
        logic.cheSelect_Click(k);
    }
    EXPECT_TRUE(fake.selectAll);
    // Clearing one box clears the select-all box only.
    fake.cells[3].ticked = false;
    logic.cheSelect_Click(3);
    EXPECT_FALSE(fake.selectAll);
    for (int k = 0; k < 15; ++k) EXPECT_EQ(fake.cells[k].ticked, k != 3);

    // On a shorter page the hidden cells' boxes stay clear: select-all never ticks.
    logic.labGoEnd_Click();
    for (int k = 0; k < 5; ++k) {
        fake.cells[k].ticked = true;
        logic.cheSelect_Click(k);
    }
    EXPECT_FALSE(fake.selectAll);
    // Ticking select-all ticks the shown cells only; clearing it clears them.
    for (int k = 0; k < 5; ++k) fake.cells[k].ticked = false;
    fake.selectAll = true;
    logic.cheSelectAll_Click();
    for (int k = 0; k < 15; ++k) EXPECT_EQ(fake.cells[k].ticked, k < 5);
    fake.selectAll = false;
    logic.cheSelectAll_Click();
    for (int k = 0; k < 15; ++k) EXPECT_FALSE(fake.cells[k].ticked);
}

TEST_F(FilePagesTest, NothingTickedOrCancelledChangesNothing) {
    open(5);
    // A ticked box of a hidden cell does not count.
    fake.cells[9].ticked = true;
    logic.cmdDelSelectFiles_Click();
    EXPECT_EQ(prompts.messages(), QStringList{kNothingTicked});
    EXPECT_EQ(prompts.records()[0].title, QStringLiteral("提示"));

    prompts.clear();
    for (int k : {0, 2, 4}) fake.cells[k].ticked = true;
    prompts.answer(vbCancel);
    logic.cmdDelSelectFiles_Click();
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, question(3));
    EXPECT_EQ(prompts.records()[0].style, vbOKCancel | vbQuestion);
    EXPECT_EQ(fake.waits, 1);  // the album's opening only
    EXPECT_EQ(fake.shownCells(), 5);
    EXPECT_EQ(logic.ListRows(), 6);
}

// ---- against the emulator

QByteArray pictureBytes(int w, int h, const char* format, QColor colour) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

class FilePagesServiceTest : public PublishTest {
protected:
    void SetUp() override {
        PublishTest::SetUp();
        frm个人网站Labels::labViewType = QStringLiteral("0");
        QDir().mkpath(UserFolder + QStringLiteral("/UpLoadPicture"));
        fake.wire(logic.view);
    }
    // Stores n pictures (PNG bytes: Qt writes no GIF), the first uploaded first (so listed last).
    void store(const QString& album, int n) {
        emu::MemberStore& s = emulator().server().store();
        for (int i = 0; i < n; ++i)
            s.storeFile(member(), album, QStringLiteral("p%1.gif").arg(i, 2, 10, QLatin1Char('0')),
                        pictureBytes(120, 90, "PNG", QColor(i * 10, 80, 160)), QStringLiteral("图%1").arg(i), s.newStamp());
        member().albumStamp = s.newStamp();
        SetLoginField(7, member().albumStamp);
        LoadAlbumList();
    }
    void openAlbum(const QString& album) {
        logic.Form_Load(QDate(2026, 12, 10));
        logic.tvwDir_NodeClick(QStringLiteral("ML0"), album);
    }
    static int albumRow(const QString& album) {
        for (int r = 0; r < AlbumList.rows(); ++r)
            if (AlbumList.value(r, 0) == album) return r;
        return -1;
    }
    int fetchedRows() const {
        const Grid& list = frmDB::grdT[0];
        return list.value(1, 0).isEmpty() ? 0 : list.rows() - 1;
    }
    FileManagerController logic;
    FakeFileManager fake;
};

TEST_F(FilePagesServiceTest, AColdPageFetchesItsThumbnailsInOnePassAndAWarmOneNone) {
    store(QStringLiteral("旅行"), 16);
    openAlbum(QStringLiteral("旅行"));
    EXPECT_EQ(fetchedRows(), 15);
    EXPECT_EQ(fake.loadInfoShown, 1);
    EXPECT_EQ(fake.cellsWithPictures(), 15);
    EXPECT_EQ(fake.progress.v, 90);
    // The latest upload first; its thumbnail cached under the lower-cased name.
    EXPECT_EQ(logic.Cell(0).labFileName, QStringLiteral("p15.gif"));
    EXPECT_TRUE(QFileInfo::exists(UserFolder + QStringLiteral("/UpLoadPicture/旅行/p15.dat")));
    EXPECT_EQ(fake.cells[0].memo, QStringLiteral("图15"));

    logic.ShowFilePage(1);
    EXPECT_EQ(fetchedRows(), 0);
    EXPECT_EQ(fake.loadInfoShown, 1);
    EXPECT_EQ(fake.cellsWithPictures(), 15);
    EXPECT_TRUE(prompts.messages().isEmpty());
}

TEST_F(FilePagesServiceTest, AFailedOrNonPictureFetchLeavesTheCellWithoutAPictureUntilTheNextShowing) {
    store(QStringLiteral("旅行"), 3);
    emulator().failPath(500, QStringLiteral("/space/"), 1);
    emulator().errorPageOnPath(QStringLiteral("/space/"), 1);
    openAlbum(QStringLiteral("旅行"));
    EXPECT_EQ(fetchedRows(), 3);
    EXPECT_EQ(fake.shownCells(), 3);
    EXPECT_EQ(fake.cellsWithPictures(), 1);
    for (int k : {0, 1}) {
        EXPECT_TRUE(fake.cells[k].picture.isNull());
        EXPECT_EQ(fake.cells[k].memo, QStringLiteral("图%1").arg(2 - k));
    }
    EXPECT_TRUE(prompts.messages().isEmpty());

    logic.ShowFilePage(1);
    EXPECT_EQ(fetchedRows(), 2);
    EXPECT_EQ(fake.cellsWithPictures(), 3);
}

TEST_F(FilePagesServiceTest, TheRootAlbumPreviewsStraightFromTheThumbnailFolder) {
    store(QStringLiteral("根目录"), 1);
    fake.listTab = true;
    openAlbum(QStringLiteral("根目录"));
    const QString preview = UserFolder + QStringLiteral("/UpLoadPicture/p00.gif");
    ASSERT_TRUE(QFileInfo::exists(preview));
    EXPECT_FALSE(fake.gridPicture.isNull());
    EXPECT_EQ(fake.gridMemo, QStringLiteral("图0"));
    EXPECT_TRUE(fake.gridUrl);
    EXPECT_FALSE(fake.gridPutIn);
    // Fetched from the address followed by its own extension: the stored thumbnail.
    const QString url = logic.ListCell(1, 4);
    EXPECT_EQ(frmDB::grdT[0].value(1, 0), url + QStringLiteral(".gif"));
    EXPECT_EQ(readFile(preview), emulator().get(url + QStringLiteral(".jpg")).body);

    // An empty row empties the strip.
    fake.listRow = 2;
    logic.grdFile_Click();
    EXPECT_TRUE(fake.gridPicture.isNull());
    EXPECT_FALSE(fake.gridUrl);
}

TEST_F(FilePagesServiceTest, DeletingTickedFilesUpdatesTheServiceThePageTheGridAndTheCaches) {
    store(QStringLiteral("旅行"), 5);
    openAlbum(QStringLiteral("旅行"));
    const QString deletedUrl = logic.Cell(1).labURL;
    fake.cells[1].ticked = fake.cells[3].ticked = true;
    logic.cmdDelSelectFiles_Click();

    EXPECT_EQ(prompts.messages(), (QStringList{question(2), kDeleted}));
    const QList<EmulatorCall> calls = emulator().calls(QStringLiteral("DelFile"));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].args, (QStringList{CurrentUserName, LoginField(5), LoginField(6), QStringLiteral("旅行"),
                                          QStringLiteral("p03.gif:p01.gif:")}));
    const QString stamp = calls[0].reply.mid(8);
    EXPECT_EQ(member().album(QStringLiteral("旅行"))->files.size(), 3);
    EXPECT_EQ(emulator().get(deletedUrl).status, 404);

    // The page closes up in the list's order, with no hole left; the grid loses the rows.
    EXPECT_EQ(fake.shownCells(), 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(fake.cells[k].shown) << k;
        EXPECT_FALSE(fake.cells[k].ticked) << k;
        EXPECT_EQ(fake.cells[k].memo, QStringLiteral("图%1").arg(4 - 2 * k)) << k;
        EXPECT_NE(logic.Cell(k).labURL, deletedUrl);
    }
    EXPECT_FALSE(fake.cells[3].shown);
    EXPECT_EQ(logic.ListRows(), 4);
    EXPECT_EQ(fake.grid.size(), 3);
    for (int r = 1; r <= 3; ++r) EXPECT_NE(logic.ListCell(r, 4), deletedUrl);

    // The stamp in the cached album list, its home-page albums kept.
    const int row = albumRow(QStringLiteral("旅行"));
    EXPECT_EQ(AlbumList.value(row, AlbumListField::Stamp), stamp);
    EXPECT_EQ(ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("DirInfo")).value(row, 6), stamp);
    EXPECT_FALSE(ReadTableFile(AlbumCachePath(AlbumListFileName), QStringLiteral("HomeAlbum")).isNull());
    // The album's list in memory and in its cache lost the rows.
    EXPECT_EQ(AlbumFiles.rows(), 3);
    const Table cachedFiles = ReadTableFile(AlbumFileListPath(QStringLiteral("旅行")), QStringLiteral("FileInfo"));
    EXPECT_EQ(cachedFiles.rows(), 3);
    for (int r = 0; r < 3; ++r) EXPECT_NE(cachedFiles.value(r, 0), deletedUrl);
    // The next opening reads the service again.
    LoadAlbumFileList(QStringLiteral("旅行"));
    EXPECT_EQ(emulator().calls(QStringLiteral("GetDirFileInfo")).size(), 2);
}

TEST_F(FilePagesServiceTest, DeletingRedrawsThePageFromTheShortenedList) {
    struct Case {
        const char* what;
        int files;
        bool lastPage;        // deleted on the album's last page, else on the first
        QList<int> ticked;
        int page, pages, shown;
        const char* firstMemo;
    };
    const Case cases[] = {
        // Files of the next page move in and the pages get fewer.
        {"first of two pages", 17, false, {0, 5}, 1, 1, 15, "图15"},
        {"first of three pages", 32, false, {14}, 1, 3, 15, "图31"},
        // A last page emptied shows the one before it.
        {"emptied last page", 16, true, {0}, 1, 1, 15, "图15"},
        {"last page keeps some", 17, true, {1}, 2, 2, 1, "图1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString album = QStringLiteral("相册%1").arg(c.files);
        store(album, c.files);
        openAlbum(album);
        if (c.lastPage) logic.labGoEnd_Click();
        for (int k : c.ticked) fake.cells[k].ticked = true;
        prompts.clear();
        logic.cmdDelSelectFiles_Click();
        EXPECT_EQ(prompts.messages().last(), kDeleted);
        EXPECT_EQ(fake.page, c.page);
        EXPECT_EQ(fake.pages, c.pages);
        EXPECT_EQ(fake.shownCells(), c.shown);
        for (int k = 0; k < c.shown; ++k) EXPECT_TRUE(fake.cells[k].shown) << k;
        EXPECT_EQ(fake.cells[0].memo, QString::fromUtf8(c.firstMemo));
        EXPECT_EQ(logic.ListRows(), c.files - int(c.ticked.size()) + 1);
    }
}

TEST_F(FilePagesServiceTest, DeletingTheOnlyFileLeavesOneEmptyRow) {
    store(QStringLiteral("旅行"), 1);
    openAlbum(QStringLiteral("旅行"));
    fake.cells[0].ticked = true;
    logic.cmdDelSelectFiles_Click();
    EXPECT_EQ(prompts.messages().last(), kDeleted);
    EXPECT_EQ(logic.ListRows(), 2);
    EXPECT_EQ(fake.grid, QList<QStringList>{QStringList(kFileListColumns, QString())});
    EXPECT_TRUE(AlbumFiles.isNull());
}

TEST_F(FilePagesServiceTest, AFailedDeletionChangesNothing) {
    store(QStringLiteral("旅行"), 2);
    openAlbum(QStringLiteral("旅行"));
    const QString stamp = AlbumList.value(albumRow(QStringLiteral("旅行")), AlbumListField::Stamp);
    fake.cells[0].ticked = true;

    emulator().scriptReply(QStringLiteral("DelFile"), QStringLiteral("OK_0001"));
    logic.cmdDelSelectFiles_Click();
    EXPECT_EQ(prompts.messages().last(), kDeleteFailed);

    emulator().hideWsdl(QStringLiteral("imgser001"));
    logic.cmdDelSelectFiles_Click();
    EXPECT_EQ(netErrors, 1);
    emulator().hideWsdl(QStringLiteral("imgser001"), false);

    EXPECT_EQ(fake.shownCells(), 2);
    EXPECT_TRUE(fake.cells[0].ticked);
    EXPECT_EQ(logic.ListRows(), 3);
    EXPECT_EQ(AlbumList.value(albumRow(QStringLiteral("旅行")), AlbumListField::Stamp), stamp);
    EXPECT_EQ(AlbumFiles.rows(), 2);
    EXPECT_EQ(member().album(QStringLiteral("旅行"))->files.size(), 2);
    EXPECT_EQ(fake.waits, 3);  // the opening and both calls
}

}  // namespace

TEST_F(FilePagesTest, ReplaceCommandGivesTheWindowTheCellsOrListRowsFileAndTheListFollowsAReplacement) {
    const struct {
        int k;
        int listRow;
        bool replaced;
        QString index, name;
    } cases[] = {
        {7, 1, true, QStringLiteral("7"), QStringLiteral("m7")},
        {15, 3, true, QStringLiteral("15"), QStringLiteral("m2")},
        {0, 1, false, QStringLiteral("0"), QStringLiteral("m0")},
    };
    open(9);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index.toStdString());
        fake.listRow = c.listRow;
        DialogState = 5;
        fake.replacementDoes = [&] {
            EXPECT_EQ(DialogState, 0);
            EXPECT_EQ(frm上传单个文件Labels::labIndex, c.index);
            EXPECT_EQ(frm上传单个文件Labels::labWebDir, QStringLiteral("相册1"));
            EXPECT_EQ(frm上传单个文件Labels::labFileName, c.name);
            EXPECT_EQ(frm上传单个文件Labels::labWebPath,
                      QStringLiteral("http://img1.x.test/space/f/a/") + c.name + QStringLiteral(".swf"));
            // The window has written the new size into AlbumFiles when it replaced the file.
            AlbumFiles.set(c.name.mid(1).toInt(), 2, QStringLiteral("99"));
            if (c.replaced) DialogState = 99;
        };
        const QStringList before = fake.grid.value(c.name.mid(1).toInt());
        logic.ReplaceFile(c.k);
        EXPECT_EQ(fake.replacements.last(), c.k);
        const QStringList after = fake.grid.value(c.name.mid(1).toInt());
        EXPECT_EQ(after.value(3).startsWith(QStringLiteral("99")), c.replaced) << after.value(3).toStdString();
        if (!c.replaced) {
            EXPECT_EQ(after, before);
        }
        EXPECT_EQ(fake.grid.size(), 9);
    }
}

// The first src="…" of a piece of markup as a browser reads it: "&amp;" and character references
// (the viewer page writes a character its code page lacks as one) decoded.
static QString SourceIn(const QString& markup) {
    static const QRegularExpression src(QStringLiteral("src=\"?([^\" >]+)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression reference(QStringLiteral("&#([xX]?)([0-9a-fA-F]+);"));
    QString address = src.match(markup).captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    for (QRegularExpressionMatch m = reference.match(address); m.hasMatch(); m = reference.match(address)) {
        const char32_t c = m.captured(2).toUInt(nullptr, m.captured(1).isEmpty() ? 10 : 16);
        address.replace(m.capturedStart(), m.capturedLength(), QString::fromUcs4(&c, 1));
    }
    return address;
}

TEST_F(FilePagesServiceTest, AnAlbumOfAnyNameWorksFromUploadToBlogFrame) {
    // One album of every character that would change an address, and one of them all.
    const QStringList albums{QStringLiteral("旅行#1 & 50%"), QStringLiteral("a#b"),  QStringLiteral("50%"),
                             QStringLiteral("x&y"),          QStringLiteral("it's"), QStringLiteral("€uro"),
                             QStringLiteral("相册 一")};
    emu::MemberStore& store = emulator().server().store();
    for (const QString& album : albums) store.createAlbum(member(), album, store.newStamp());
    const QString picture = pictureFile(QStringLiteral("up.png"));
    const auto fetches = [this](const QString& address) {
        const EmulatorPage page = emulator().get(address);
        return page.status == 200 && !QImage::fromData(page.body).isNull();
    };
    for (const QString& album : albums) {
        SCOPED_TRACE(album.toStdString());
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(UploadPictureFile(picture, album, QStringLiteral("0"), QStringLiteral("www"), QStringLiteral("说明"), {})
                            .startsWith(QStringLiteral("OK_0001_")));
        SetLoginField(7, member().albumStamp);
        LoadAlbumList();

        // The thumbnails are fetched once, then read from the cache.
        openAlbum(album);
        EXPECT_EQ(fetchedRows(), 2);
        EXPECT_EQ(fake.cellsWithPictures(), 2);
        logic.ShowFilePage(1);
        EXPECT_EQ(fetchedRows(), 0);
        EXPECT_EQ(fake.cellsWithPictures(), 2);

        // The service lists the plain name; every address the window hands on is encoded and answers.
        const QString listed = logic.Cell(0).labURL;
        EXPECT_TRUE(listed.contains(QLatin1Char('/') + album + QLatin1Char('/')));
        const QString address = logic.CellAddress(0);
        EXPECT_TRUE(fetches(address)) << qPrintable(address);
        for (bool thumbnail : {false, true}) {
            fake.thumbnail = thumbnail;
            logic.imgURL_Click(0);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), address + (thumbnail ? QStringLiteral(".jpg") : QString()));
            EXPECT_TRUE(fetches(QGuiApplication::clipboard()->text()));
            logic.imgView_MouseMove(0);
            EXPECT_TRUE(fetches(SourceIn(fake.info.code))) << qPrintable(fake.info.code);
        }
        fake.thumbnail = false;
        fake.viewed.clear();
        logic.imgView_Click(0);
        ASSERT_EQ(fake.viewed.size(), 1);
        // The viewer's page carries the encoded address, which answers.
        EXPECT_EQ(fake.viewed[0], QStringLiteral("page ") + address);
        EXPECT_TRUE(ViewerPageBytes(address).contains(AnsiCodec::encodeHtml(QStringLiteral("<img src=") + address)));

        // Handed to the micro-blog writer and to the blog writer.
        fake.handedOver.clear();
        for (const char* mode : {"1", "2"}) {
            frm个人网站Labels::labViewType = QString::fromLatin1(mode);
            logic.imgPutIn_Click(0);
        }
        ASSERT_EQ(fake.handedOver.size(), 2);
        EXPECT_TRUE(fetches(fake.handedOver[0].section(QLatin1Char(' '), 2)));
        EXPECT_TRUE(fetches(fake.handedOver[1].section(QLatin1Char(' '), 1)));
        frm个人网站Labels::labViewType = QStringLiteral("0");

        // The blog's album frame, through the placeholder a post stores, shows this album's pictures.
        const QString stored = IframesToEffectImages(blogwriter::AlbumFrameText(album, false));
        const QString frame = SourceIn(emu::ExpandEffectPlaceholders(
            stored, serviceconfig::current().hostName(ServiceHost::Frame)));
        const EmulatorPage page = emulator().get(frame);
        ASSERT_EQ(page.status, 200) << qPrintable(frame);
        const QString html = QString::fromUtf8(page.body);
        static const QRegularExpression slide(QStringLiteral("<img src=\"([^\"]+)\" class=\"slide"));
        int slides = 0;
        for (auto it = slide.globalMatch(html); it.hasNext(); ++slides) EXPECT_TRUE(fetches(it.next().captured(1)));
        EXPECT_EQ(slides, 2) << qPrintable(frame);
    }
}
