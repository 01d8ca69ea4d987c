#pragma once
// The file manager's window as plain state: what the logic's hooks would show, for tests that run
// the logic without widgets.
#include "foundation/downloads.h"
#include "hostedfiles/filemanager.h"
#include "state/albumsstate.h"
#include "state/sitewindowlabels.h"
#include "support/fixtures.h"

#include <QImage>

#include <functional>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct FakeProgress : DownloadProgress {
    double v = 0, max = 100;
    bool visible = false;
    double value() const override { return v; }
    double maximum() const override { return max; }
    void setValue(double x) override { v = x; }
    void setVisible(bool on) override { visible = on; }
    void refresh() override {}
};

struct FakeCell {
    bool shown = false;
    bool ticked = false;
    QString memo;
    QImage picture;
};

struct FakeFileManager {
    FakeCell cells[kCellsPerPage];
    bool selectAll = false;
    int page = -1, pages = -1;
    PagingLinks links;
    int comboEntries = -1;
    QString comboText;
    int scrolledToTop = 0;
    int loadInfoShown = 0;  // times picLoadInfo was shown
    FakeProgress progress;
    QString gridMemo;
    QImage gridPicture;
    bool gridUrl = false, gridPutIn = false;
    int listRow = 1;
    // The replacement windows opened, by cell (15 the list tab), and what each does while open.
    QList<int> replacements;
    std::function<void()> replacementDoes;
    bool listTab = false;
    QList<QStringList> grid;  // data rows
    int hintShown[3] = {0, 0, 0};
    int waits = 0;
    bool thumbnail = false;             // optSLT
    int infoLeft = -1, infoTop = -1;
    InfoBoxTexts info;
    int selectedBox = -1;
    QStringList viewed;                 // "page <address>" or "address <address>"
    DescriptionParams editorParams;
    int editorCell = -1;
    std::function<void()> editorAction;  // what the editor does while open
    QStringList handedOver;              // "micro <cell> <address>" or "blog <address>"
    int closed = 0;                      // times the window closed

    int shownCells() const {
        int n = 0;
        for (const FakeCell& c : cells) n += c.shown;
        return n;
    }
    int cellsWithPictures() const {
        int n = 0;
        for (const FakeCell& c : cells) n += c.shown && !c.picture.isNull();
        return n;
    }

    // Every hook of the view.
    void wire(FileManagerView& v) {
        v.clearTree = [] {};
        v.addTreeNode = [](const AlbumTreeNode&) {};
        v.setAlbumName = [](const QString&) {};
        v.showNetToService = [this](bool on) { waits += on; };
        v.fillFileList = [this](const QList<QStringList>& rows) { grid = rows; };
        v.listTabShown = [this] { return listTab; };
        v.selectFirstListRow = [this] { listRow = 1; };
        v.hideInsertButtons = [] {};
        v.showHintBox = [this](int box, const QString&, int, int) { hintShown[box] = 1; };
        v.hideHintBox = [this](int box) { hintShown[box] = 0; };
        v.hintTicked = [](int) { return false; };
        v.clearHintTick = [](int) {};
        v.setMsgSN = [](const QString&) {};
        v.pageDownVisible = [this] { return links.pageDown; };
        v.navigateAd = [](const QString&) {};
        v.setInfoBackColour = [](unsigned) {};
        v.hideInfoBox = [] {};
        wirePages(v);
    }

    // The hooks of the pages, the list preview and the deletion.
    void wirePages(FileManagerView& v) {
        v.clearCell = [this](int k) {
            cells[k].shown = cells[k].ticked = false;
            cells[k].picture = QImage();
        };
        v.fillCell = [this](int k, const QString& memo, const QImage& picture) {
            cells[k].shown = true;
            cells[k].memo = memo;
            cells[k].picture = picture;
        };
        v.hideCell = [this](int k) {
            cells[k].shown = false;
            cells[k].memo.clear();
        };
        v.setPageLine = [this](int p, int n) {
            page = p;
            pages = n;
        };
        v.setPagingLinks = [this](const PagingLinks& l) { links = l; };
        v.fillPageCombo = [this](int n, const QString& text) {
            comboEntries = n;
            comboText = text;
        };
        v.scrollToTop = [this] { ++scrolledToTop; };
        v.showLoadInfo = [this](bool on) { loadInfoShown += on; };
        v.loadProgress = [this]() -> DownloadProgress* { return &progress; };
        v.currentListRow = [this] { return listRow; };
        v.setGridMemo = [this](const QString& s) { gridMemo = s; };
        v.setGridPicture = [this](const QImage& p) { gridPicture = p; };
        v.showGridButtons = [this](bool url, bool putIn) {
            gridUrl = url;
            gridPutIn = putIn;
        };
        v.cellTicked = [this](int k) { return cells[k].ticked; };
        v.setCellTicked = [this](int k, bool on) { cells[k].ticked = on; };
        v.selectAllTicked = [this] { return selectAll; };
        v.setSelectAll = [this](bool on) { selectAll = on; };
        v.removeListRow = [this](int r) { grid.removeAt(r - 1); };
        v.openReplacement = [this](int k) {
            replacements << k;
            if (replacementDoes) replacementDoes();
        };
        v.thumbnailChosen = [this] { return thumbnail; };
        v.cellMemo = [this](int k) { return cells[k].memo; };
        v.showInfoBox = [this](int left, int top, const InfoBoxTexts& t) {
            infoLeft = left;
            infoTop = top;
            info = t;
        };
        v.selectFromSecond = [this](int box) { selectedBox = box; };
        v.viewThroughPage = [this](const QString& a) { viewed << QStringLiteral("page ") + a; };
        v.viewAddress = [this](const QString& a) { viewed << QStringLiteral("address ") + a; };
        v.openDescriptionEditor = [this](int k, const DescriptionParams& p) {
            editorCell = k;
            editorParams = p;
            if (editorAction) editorAction();
        };
        v.handToMicroBlogWriter = [this](int k, const QString& a) {
            handedOver << QStringLiteral("micro %1 ").arg(k) + a;
        };
        v.handToBlogWriter = [this](const QString& a) { handedOver << QStringLiteral("blog ") + a; };
        v.closeWindow = [this] { ++closed; };
    }
};

// A member logged in, the file manager loaded in manage mode against the fake window; open()
// opens a new album holding `files`.
class FakeManagerTest : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("demo"));
        frm个人网站Labels::labViewType = QStringLiteral("0");
        fake.wire(logic.view);
        logic.loadFileList = [this](const QString&) {
            AlbumFiles = files;
            return true;
        };
        logic.Form_Load(QDate(2026, 12, 10));
    }
    void openAlbum(const Table& albumFiles) {
        files = albumFiles;
        ++opened;
        logic.tvwDir_NodeClick(QStringLiteral("ML%1").arg(opened), QStringLiteral("相册%1").arg(opened));
    }
    FileManagerController logic;
    FakeFileManager fake;
    Table files;
    int opened = 0;
};
