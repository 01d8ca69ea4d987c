// The file manager's replace command: the replacement window gets the cell's or the list row's
// file, and the list is rebuilt only when the window replaced it.
#include <gtest/gtest.h>

#include "albums/state.h"
#include "hostedfiles/singlefileuploadlabels.h"
#include "login/state.h"
#include "mainwindow/sitewindowlabels.h"
#include "site/state.h"
#include "support/fixtures.h"
#include "fakefilemanager.h"

using namespace testsupport;

namespace {

// n Flash files (no thumbnail to fetch), latest first as the service lists them.
Table FlashFiles(int n) {
    Table t(n, 10);
    for (int r = 0; r < n; ++r) {
        t.set(r, 0, QStringLiteral("http://img1.x.test/space/f/相册/m%1.swf").arg(r));
        t.set(r, 2, QStringLiteral("1"));
        t.set(r, 3, QStringLiteral("2026-12-%1").arg(r + 1));
        t.set(r, 5, QStringLiteral("1"));
        t.set(r, 9, QStringLiteral("m%1.swf").arg(r));
    }
    return t;
}

class FileReplaceTest : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        loginAs(QStringLiteral("demo"));
        frm个人网站Labels::labViewType = QStringLiteral("0");
        fake.wire(logic.view);
        logic.loadFileList = [](const QString&) {
            AlbumFiles = FlashFiles(9);
            return true;
        };
        logic.Form_Load(QDate(2026, 12, 10));
        logic.tvwDir_NodeClick(QStringLiteral("ML1"), QStringLiteral("相册"));
    }
    FileManagerController logic;
    FakeFileManager fake;
};

}  // namespace

TEST_F(FileReplaceTest, TheWindowGetsTheCellsOrTheListRowsFileAndTheListFollowsAReplacement) {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index.toStdString());
        fake.listRow = c.listRow;
        DialogState = 5;
        fake.replacementDoes = [&] {
            EXPECT_EQ(DialogState, 0);
            EXPECT_EQ(frm上传单个文件Labels::labIndex, c.index);
            EXPECT_EQ(frm上传单个文件Labels::labWebDir, QStringLiteral("相册"));
            EXPECT_EQ(frm上传单个文件Labels::labFileName, c.name);
            EXPECT_EQ(frm上传单个文件Labels::labWebPath,
                      QStringLiteral("http://img1.x.test/space/f/相册/") + c.name + QStringLiteral(".swf"));
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
