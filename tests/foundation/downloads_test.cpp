// The download list: fetched against a real local HTTP server.
#include "foundation/downloads.h"
#include "foundation/ui/progressbarprogress.h"
#include "foundation/shareddata.h"
#include "platform/httpfetch.h"
#include "platform/safefile.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "support/filehttpserver.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressBar>

#include <optional>

using testsupport::DataRootTest;
using testsupport::FileHttpServer;
using testsupport::filesIn;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A progress bar that records what the download did with it.
class RecordingBar : public DownloadProgress {
public:
    RecordingBar(double value, double maximum) : m_value(value), m_max(maximum) {}
    double value() const override { return m_value; }
    double maximum() const override { return m_max; }
    void setValue(double v) override {
        m_value = v;
        values.append(v);
    }
    void setVisible(bool v) override {
        visible = v;
        visibility.append(v);
    }
    void refresh() override { ++refreshes; }
    QList<double> values;
    QList<bool> visibility;
    bool visible = false;
    int refreshes = 0;

private:
    double m_value, m_max;
};

QByteArray picture(int size, char fill = 'p') {
    QByteArray b(size, fill);
    b[0] = char(0xFF);
    b[1] = char(0xD8);
    return b;
}

}  // namespace

class DownloadList : public DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        dir = root() + QStringLiteral("/thumbs/");
        QDir().mkpath(dir);
        list().clear();
        list().setRows(1);
        list().setCols(7);
    }
    void TearDown() override {
        httpfetch::SetSessionFactory(nullptr);
        DataRootTest::TearDown();
    }
    static Grid& list() { return frmDB::grdT[0]; }
    void addRow(const QString& url, const QString& local, const QString& size = QString(),
                const QString& skip = QString(), const QString& result = QString()) {
        list().addItem({url, local, size, skip, result, QStringLiteral("slot"), QStringLiteral("row")});
    }
    QString dir;
    FileHttpServer server;
};

TEST_F(DownloadList, EachKindOfRowAndTheProgressValues) {
    const QByteArray good = picture(5000);
    server.serve("/a.jpg", {200, good});
    server.serve("/html.jpg", {200, "<html><body>错误</body></html>", "text/html"});
    server.serve("/broken.jpg", {200, picture(9000, 'n'), "image/jpeg", 3000});
    server.serve("/empty.jpg", {200, QByteArray()});
    server.serve("/boom.jpg", {500, "<h1>Internal error</h1>", "text/html"});
    server.serve("/cached.jpg", {200, picture(10, 'x')});
    server.serve("/refetch.jpg", {200, picture(700, 'r')});

    const QByteArray old = picture(1234, 'o');
    const struct { const char* path; const char* file; bool oldFile; const char* size; const char* skip; } rows[] = {
        {"/a.jpg", "a.jpg", false, "5000", "1"},             // 1 fetched
        {"/missing.jpg", "missing.jpg", true, "", ""},        // 2 404: old file kept
        {"/html.jpg", "html.jpg", false, "", ""},             // 3 an error page
        {"/broken.jpg", "broken.jpg", true, "", ""},          // 4 dropped halfway: old file kept
        {"/empty.jpg", "empty.jpg", true, "", ""},            // 5 empty body: old file kept
        {"/boom.jpg", "boom.jpg", true, "", ""},              // 6 500
        {"/cached.jpg", "cached.jpg", true, "1234", "1"},     // 7 skipped: present with that size
        {"/refetch.jpg", "refetch.jpg", true, "01234", "1"},  // 8 size text differs: fetched again
        {"", "noaddress.jpg", false, "", ""},                 // 9 no address
    };
    for (const auto& r : rows) {
        if (r.oldFile) writeFile(dir + QLatin1String(r.file), old);
        addRow(*r.path ? server.url(QLatin1String(r.path)) : QString(), dir + QLatin1String(r.file),
               QLatin1String(r.size), QLatin1String(r.skip), QStringLiteral("kept"));
    }

    RecordingBar bar(10, 100);
    EXPECT_FALSE(DownloadGridFiles(bar, 90));  // the last row's file does not exist

    const char* results[] = {"1", "0", "1", "0", "0", "0", "kept", "1", "0"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(list().value(i + 1, 4), QLatin1String(results[i])) << "row " << i + 1;
    EXPECT_EQ(readFile(dir + "a.jpg"), good);
    EXPECT_EQ(readFile(dir + "missing.jpg"), old);
    EXPECT_TRUE(readFile(dir + "html.jpg").startsWith("<html>"));
    EXPECT_FALSE(IsDownloadedFileValid(dir + "html.jpg"));
    EXPECT_EQ(readFile(dir + "broken.jpg"), old);
    EXPECT_EQ(readFile(dir + "empty.jpg"), old);
    EXPECT_EQ(readFile(dir + "boom.jpg"), old);
    EXPECT_EQ(readFile(dir + "cached.jpg"), old);
    EXPECT_EQ(readFile(dir + "refetch.jpg"), picture(700, 'r'));
    EXPECT_FALSE(QFileInfo::exists(dir + "noaddress.jpg"));
    // Every file written or kept, and no temporary of a write left behind.
    EXPECT_EQ(filesIn(dir), QStringList({QStringLiteral("a.jpg"), QStringLiteral("boom.jpg"), QStringLiteral("broken.jpg"),
                                         QStringLiteral("cached.jpg"), QStringLiteral("empty.jpg"), QStringLiteral("html.jpg"),
                                         QStringLiteral("missing.jpg"), QStringLiteral("refetch.jpg")}));
    EXPECT_FALSE(server.requests().contains("/cached.jpg"));
    // The caller's own columns are untouched.
    EXPECT_EQ(list().value(3, 5), QStringLiteral("slot"));
    EXPECT_EQ(list().value(3, 6), QStringLiteral("row"));

    // From 10 towards 90 in nine equal steps; shown, not hidden (90 is not 100).
    QList<double> expected;
    for (int i = 1; i <= 9; ++i) expected.append(10 + 80.0 * i / 9);
    ASSERT_EQ(bar.values.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) EXPECT_DOUBLE_EQ(bar.values[i], expected[i]);
    EXPECT_EQ(bar.visibility, QList<bool>({true}));
    EXPECT_EQ(bar.refreshes, 10);
}

TEST_F(DownloadList, LastRowNamingAFileDecides) {
    server.serve("/page.html", {200, "<HTML>x</HTML>", "text/html"});
    server.serve("/a.jpg", {200, picture(100)});
    addRow(server.url("/page.html"), dir + "page.jpg");
    addRow(server.url("/a.jpg"), dir + "a.jpg");
    addRow(QString(), QString());  // names no file: ignored by the verdict
    RecordingBar bar(0, 100);
    EXPECT_TRUE(DownloadGridFiles(bar, 100));
    EXPECT_EQ(bar.visibility, QList<bool>({true, false}));

    list().setRows(1);
    addRow(server.url("/a.jpg"), dir + "a.jpg");
    addRow(server.url("/page.html"), dir + "page.jpg");
    RecordingBar again(0, 100);
    EXPECT_FALSE(DownloadGridFiles(again, 100));
}

TEST_F(DownloadList, SamePathTwiceHoldsTheSecondResponse) {
    server.serve("/one.jpg", {200, picture(300, '1')});
    server.serve("/two.jpg", {200, picture(200, '2')});
    addRow(server.url("/one.jpg"), dir + "same.jpg");
    addRow(server.url("/two.jpg"), dir + "same.jpg");
    RecordingBar bar(0, 100);
    EXPECT_TRUE(DownloadGridFiles(bar, 90));
    EXPECT_EQ(readFile(dir + "same.jpg"), picture(200, '2'));
}

TEST_F(DownloadList, EmptyListShowsTheBarAndKeepsItsValue) {
    RecordingBar bar(37, 100);
    EXPECT_FALSE(DownloadGridFiles(bar, 100));
    EXPECT_TRUE(bar.values.isEmpty());
    EXPECT_EQ(bar.visibility, QList<bool>({true, false}));
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(DownloadList, BarAlreadyPastTheTargetNeverPassesItsMaximum) {
    server.serve("/a.jpg", {200, picture(50)});
    addRow(server.url("/a.jpg"), dir + "a.jpg");
    addRow(server.url("/a.jpg"), dir + "b.jpg");
    RecordingBar high(95, 100);  // target 90 < 95: becomes 96
    DownloadGridFiles(high, 90);
    EXPECT_EQ(high.values, QList<double>({95.5, 96}));

    RecordingBar full(100, 100);  // target 101: no step fits under the maximum
    DownloadGridFiles(full, 90);
    EXPECT_TRUE(full.values.isEmpty());

    RecordingBar rounded(2.5, 9);  // start 2 (half to even), target round(8.1) = 8
    DownloadGridFiles(rounded, 90);
    EXPECT_EQ(rounded.values, QList<double>({5, 8}));
}

TEST_F(DownloadList, NoSessionJumpsToTheTarget) {
    httpfetch::SetSessionFactory([] { return std::unique_ptr<httpfetch::Session>(); });
    addRow(server.url("/a.jpg"), dir + "a.jpg", QString(), QString(), QStringLiteral("kept"));
    RecordingBar bar(10, 200);
    EXPECT_FALSE(DownloadGridFiles(bar, 50));
    EXPECT_EQ(bar.values, QList<double>({100}));
    EXPECT_EQ(bar.visibility, QList<bool>({true}));
    EXPECT_EQ(list().value(1, 4), QStringLiteral("kept"));
}

TEST_F(DownloadList, AFailedSaveKeepsTheOldFileAndAStoredTmpFile) {
    const QByteArray fresh = picture(3000, 'n');
    server.serve("/a.jpg", {200, fresh});
    server.serve("/broken.jpg", {200, picture(9000, 'b'), "image/jpeg", 3000});
    const QString target = dir + QStringLiteral("a.jpg");
    const QByteArray old = picture(100, 'o');
    writeFile(target, old);
    writeFile(target + ".tmp", "a stored file of that name");
    const struct {
        const char* name;
        const char* url;
        std::optional<paths::SafeWriteStep> fault;
        int error;           // of the VbError raised; 0: none
        const char* result;  // column 4 afterwards
    } cases[] = {
        {"file cannot be made", "/a.jpg", paths::SafeWriteStep::Open, VbError::PathNotFound, "kept"},
        {"a piece cannot be written", "/a.jpg", paths::SafeWriteStep::Write, VbError::DiskFull, "kept"},
        {"sync fails", "/a.jpg", paths::SafeWriteStep::Sync, VbError::DiskFull, "kept"},
        {"rename fails", "/a.jpg", paths::SafeWriteStep::Rename, VbError::PathFileAccess, "kept"},
        {"transfer breaks off midway", "/broken.jpg", std::nullopt, 0, "0"},
        {"fetched", "/a.jpg", std::nullopt, 0, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list().setRows(1);
        addRow(server.url(QLatin1String(c.url)), target, QString(), QString(), QStringLiteral("kept"));
        std::optional<paths::SafeWriteFault> fault;
        if (c.fault) fault.emplace(target, *c.fault);
        int error = 0;
        try {
            RecordingBar bar(0, 100);
            DownloadGridFiles(bar, 90);
        } catch (const VbError& e) {
            error = e.number();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(list().value(1, 4), QLatin1String(c.result));
        EXPECT_EQ(readFile(target), QLatin1String(c.result) == QLatin1String("1") ? fresh : old);
        EXPECT_EQ(readFile(target + ".tmp"), QByteArray("a stored file of that name"));
        EXPECT_EQ(filesIn(dir), QStringList({QStringLiteral("a.jpg"), QStringLiteral("a.jpg.tmp")}));
    }
}

TEST_F(DownloadList, UnwritableLocalPathRaises) {
    server.serve("/a.jpg", {200, picture(50)});
    addRow(server.url("/a.jpg"), dir + "no/such/folder/a.jpg");
    RecordingBar bar(0, 100);
    EXPECT_THROW(DownloadGridFiles(bar, 90), VbError);
}

TEST_F(DownloadList, WorksWithAProgressBarWidget) {
    server.serve("/a.jpg", {200, picture(50)});
    addRow(server.url("/a.jpg"), dir + "a.jpg");
    QProgressBar bar;
    bar.setRange(0, 100);
    bar.setValue(10);
    EXPECT_TRUE(DownloadGridFiles(&bar, 90));
    EXPECT_EQ(bar.value(), 90);
    EXPECT_FALSE(bar.isHidden());
    DownloadGridFiles(&bar, 100);
    EXPECT_TRUE(bar.isHidden());
}

TEST_F(DownloadList, ThroughTheConfiguredProxy) {
    ServiceConfig config = serviceconfig::current();
    config.proxy = QStringLiteral("127.0.0.1:%1").arg(server.port());
    serviceconfig::set(config, false);
    server.serve("http://thumbs.sitehost.test/a.jpg", {200, picture(80)});
    addRow(QStringLiteral("http://thumbs.sitehost.test/a.jpg"), dir + "a.jpg");
    RecordingBar bar(0, 100);
    EXPECT_TRUE(DownloadGridFiles(bar, 90));
    EXPECT_EQ(readFile(dir + "a.jpg"), picture(80));
}

TEST_F(DownloadList, StalledTransferTimesOut) {
    ServiceConfig config = serviceconfig::current();
    config.timeoutSeconds = 1;
    serviceconfig::set(config, false);
    server.serve("/stall.jpg", {200, picture(4000), "image/jpeg", 1000, true});
    server.serve("/a.jpg", {200, picture(60)});
    writeFile(dir + "stall.jpg", "old");
    addRow(server.url("/stall.jpg"), dir + "stall.jpg");
    addRow(server.url("/a.jpg"), dir + "a.jpg");
    RecordingBar bar(0, 100);
    EXPECT_TRUE(DownloadGridFiles(bar, 90));
    EXPECT_EQ(list().value(1, 4), QStringLiteral("0"));
    EXPECT_EQ(readFile(dir + "stall.jpg"), QByteArray("old"));
    EXPECT_EQ(list().value(2, 4), QStringLiteral("1"));
}

class DownloadedFile : public DataRootTest {};

TEST_F(DownloadedFile, HtmlPagesAreNotValid) {
    const struct { const char* name; QByteArray content; bool valid; } cases[] = {
        {"pic.jpg", picture(400), true},
        {"upper.jpg", "<HTML><BODY>404</BODY></HTML>", false},
        {"lower.jpg", "\r\n<!doctype html>\r\n<html><body>x</body></html>", false},
        {"split.jpg", "<HT\r\nML>", false},  // lines are joined before the test
        {"head.jpg", "<head><title>x</title></head>", true},
        {"empty.jpg", "", true},
    };
    for (const auto& c : cases) {
        const QString path = root() + QLatin1Char('/') + QLatin1String(c.name);
        writeFile(path, c.content);
        EXPECT_EQ(IsDownloadedFileValid(path), c.valid) << c.name;
    }
    EXPECT_FALSE(IsDownloadedFileValid(root() + QStringLiteral("/missing.jpg")));
    EXPECT_FALSE(IsDownloadedFileValid(root()));  // a folder is no file
    EXPECT_TRUE(prompts.records().isEmpty());
}
