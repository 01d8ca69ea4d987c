#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "support/fixtures.h"

using testsupport::filesIn;
using testsupport::readFile;
using testsupport::writeFile;

class PathsTest : public testsupport::DataRootTest {};

TEST_F(PathsTest, DataAndUpperCaseDataAreOneFolder) {
    EXPECT_EQ(paths::InRoot(QStringLiteral("\\Data\\g0.dat")), root() + QStringLiteral("/data/g0.dat"));
    EXPECT_EQ(paths::InRoot(QStringLiteral("UserData/a/u0.dat")), root() + QStringLiteral("/UserData/a/u0.dat"));
}

// ---- safe writes: one writer for whole files and streams

class SafeWrite : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        folder = root() + QStringLiteral("/w");
        target = folder + QStringLiteral("/f.dat");
        writeFile(target, "old");
        // A stored file that merely looks like a temporary: it is the member's, never ours.
        writeFile(target + ".tmp", "stored beside it");
    }
    // The folder holds the target and the stored ".tmp" file, and nothing else.
    void expectOnlyTheStoredFiles() const {
        EXPECT_EQ(filesIn(folder), QStringList({QStringLiteral("f.dat"), QStringLiteral("f.dat.tmp")}));
        EXPECT_EQ(readFile(target + ".tmp"), QByteArray("stored beside it"));
    }
    static int errorOf(const QString& path, const QByteArray& bytes) {
        try {
            paths::WriteFileSafely(path, bytes);
        } catch (const VbError& e) {
            return e.number();
        }
        return 0;
    }
    QString folder, target;
};

TEST_F(SafeWrite, ReplacesTheWholeFileAndLeavesAStoredTmpFileAlone) {
    paths::WriteFileSafely(target, "new contents");
    EXPECT_EQ(readFile(target), QByteArray("new contents"));
    expectOnlyTheStoredFiles();

    // A new file gets the permissions any new file gets here (not a private temporary's 0600).
    const QString plain = folder + QStringLiteral("/plain.dat");
    writeFile(plain, "x");
    const QString fresh = folder + QStringLiteral("/fresh.dat");
    paths::WriteFileSafely(fresh, "y");
    EXPECT_EQ(QFileInfo(fresh).permissions(), QFileInfo(plain).permissions());

    // A name at the file system's limit (85 characters of 3 bytes) still gets a temporary beside
    // it, its name cut short between characters so that it can be removed and renamed.
    const QString longName = folder + QLatin1Char('/') + QStringLiteral("网").repeated(85);
    paths::WriteFileSafely(longName, "long");
    EXPECT_EQ(readFile(longName), QByteArray("long"));
    EXPECT_EQ(filesIn(folder).size(), 5);
}

TEST_F(SafeWrite, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const struct {
        const char* name;
        paths::SafeWriteStep step;
        int number;
    } cases[] = {
        {"temporary cannot be made", paths::SafeWriteStep::Open, VbError::PathNotFound},
        {"bytes cannot be written", paths::SafeWriteStep::Write, VbError::DiskFull},
        {"sync to disk fails", paths::SafeWriteStep::Sync, VbError::DiskFull},
        {"close reports an error", paths::SafeWriteStep::Close, VbError::DiskFull},
        {"rename fails", paths::SafeWriteStep::Rename, VbError::PathFileAccess},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            paths::SafeWriteFault fault(target, c.step);
            EXPECT_EQ(errorOf(target, "new"), c.number);
        }
        EXPECT_EQ(readFile(target), QByteArray("old"));
        expectOnlyTheStoredFiles();
    }
    // The fault ends with its scope; it never touched another file.
    EXPECT_EQ(errorOf(target, "new"), 0);
    EXPECT_EQ(readFile(target), QByteArray("new"));
}

TEST_F(SafeWrite, RealFailuresRaiseAndLeaveNothingBehind) {
    EXPECT_EQ(errorOf(root() + QStringLiteral("/no/such/folder/f.dat"), "x"), VbError::PathNotFound);
    EXPECT_FALSE(QFileInfo::exists(root() + QStringLiteral("/no")));

    // A folder (with a file in it) where the file goes: the rename cannot replace it.
    const QString occupied = folder + QStringLiteral("/occupied");
    writeFile(occupied + QStringLiteral("/inside.txt"), "kept");
    EXPECT_EQ(errorOf(occupied, "x"), VbError::PathFileAccess);
    EXPECT_TRUE(QFileInfo(occupied).isDir());
    EXPECT_EQ(readFile(occupied + QStringLiteral("/inside.txt")), QByteArray("kept"));
    expectOnlyTheStoredFiles();
}

TEST_F(SafeWrite, AStreamReplacesTheFileOnlyWhenCommitted) {
    paths::SafeFileWriter first, second;
    ASSERT_TRUE(first.open(target));
    ASSERT_TRUE(second.open(target));  // two writers of one file never share a temporary
    EXPECT_NE(first.temporaryPath(), second.temporaryPath());
    EXPECT_TRUE(first.write("new ") && first.write(QByteArray("contents")));
    EXPECT_TRUE(second.write("second"));
    EXPECT_EQ(readFile(target), QByteArray("old"));  // nothing shows before the commit
    EXPECT_EQ(filesIn(folder).size(), 4);
    EXPECT_TRUE(first.commit());
    EXPECT_EQ(readFile(target), QByteArray("new contents"));
    EXPECT_TRUE(second.commit());
    EXPECT_EQ(readFile(target), QByteArray("second"));
    expectOnlyTheStoredFiles();
    // Nothing open: nothing to write or commit.
    EXPECT_FALSE(first.write("more"));
    EXPECT_FALSE(first.commit());
    EXPECT_EQ(readFile(target), QByteArray("second"));
}

TEST_F(SafeWrite, AStreamAbortedMidwayLeavesTheOldFileAndNoTemporary) {
    const struct {
        const char* name;
        void (*stop)(paths::SafeFileWriter&, const QString& target);
    } cases[] = {
        {"abort", [](paths::SafeFileWriter& w, const QString&) { w.abort(); }},
        {"destroyed uncommitted", [](paths::SafeFileWriter&, const QString&) {}},
        {"opened again", [](paths::SafeFileWriter& w, const QString& t) {
             ASSERT_TRUE(w.open(t));
             w.abort();
         }},
        {"a piece fails", [](paths::SafeFileWriter& w, const QString& t) {
             paths::SafeWriteFault fault(t, paths::SafeWriteStep::Write);
             EXPECT_FALSE(w.write("rest"));
             EXPECT_EQ(w.failedStep(), paths::SafeWriteStep::Write);
             EXPECT_EQ(w.errorNumber(), VbError::DiskFull);
             EXPECT_FALSE(w.isOpen());
             EXPECT_FALSE(w.commit());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            paths::SafeFileWriter w;
            ASSERT_TRUE(w.open(target));
            ASSERT_TRUE(w.write(QByteArray(10000, 'h')));
            EXPECT_TRUE(QFileInfo::exists(w.temporaryPath()));
            c.stop(w, target);
        }
        EXPECT_EQ(readFile(target), QByteArray("old"));
        expectOnlyTheStoredFiles();
    }
}

TEST_F(SafeWrite, LeftoversOfInterruptedWritesGoAndNothingElse) {
    // A write cut short by a kill: its temporary stays as the writer named it.
    const auto leftover = [](const QString& path) {
        paths::SafeFileWriter w;
        EXPECT_TRUE(w.open(path));
        const QString temporary = w.temporaryPath();
        w.abort();
        writeFile(temporary, "half");
        return temporary;
    };
    const QString sub = folder + QStringLiteral("/sub");
    QDir().mkpath(sub);
    writeFile(sub + QStringLiteral("/g.jpg"), "g");
    // A name at the limit: its temporaries carry it cut short.
    const QString longName = folder + QLatin1Char('/') + QStringLiteral("网").repeated(85);
    writeFile(longName, "long");
    const QStringList beside{leftover(target), leftover(target), leftover(longName)};
    const QString below = leftover(sub + QStringLiteral("/g.jpg"));
    // Names that only look alike: no file of that name beside it, other letters or lengths.
    const QStringList kept{folder + QStringLiteral("/h.dat.Ab3xY9"), target + QStringLiteral(".Ab-xY9"),
                           target + QStringLiteral(".backup1"), target + QStringLiteral(".abcde"),
                           sub + QStringLiteral("/g.jpg.tmp")};
    for (const QString& k : kept) writeFile(k, "member's");
    // Neither a folder nor a link is ever a temporary.
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral(".Zz9Zz9")));
    ASSERT_TRUE(QFile::link(target, target + QStringLiteral(".Qq1Qq1")));

    EXPECT_EQ(paths::RemoveSafeWriteLeftovers(folder, false), 3);
    for (const QString& t : beside) EXPECT_FALSE(QFileInfo::exists(t)) << t.toStdString();
    EXPECT_TRUE(QFileInfo::exists(below));  // the folders below only when asked
    EXPECT_EQ(paths::RemoveSafeWriteLeftovers(folder, true), 1);
    EXPECT_FALSE(QFileInfo::exists(below));

    for (const QString& k : kept) EXPECT_EQ(readFile(k), QByteArray("member's")) << k.toStdString();
    EXPECT_EQ(readFile(target), QByteArray("old"));
    EXPECT_EQ(readFile(longName), QByteArray("long"));
    EXPECT_EQ(readFile(sub + QStringLiteral("/g.jpg")), QByteArray("g"));
    EXPECT_TRUE(QFileInfo(target + QStringLiteral(".Zz9Zz9")).isDir());
    EXPECT_TRUE(QFileInfo(target + QStringLiteral(".Qq1Qq1")).isSymLink());
    EXPECT_EQ(paths::RemoveSafeWriteLeftovers(root() + QStringLiteral("/none"), true), 0);
}

TEST_F(PathsTest, NamesFromOutsideStayOneComponent) {
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "../x"}) {
        EXPECT_FALSE(paths::IsSafeComponent(QString::fromLatin1(bad))) << bad;
        EXPECT_TRUE(paths::IsSafeComponent(paths::SafeComponent(QString::fromLatin1(bad)))) << bad;
    }
    EXPECT_EQ(paths::SafeComponent(QStringLiteral("我的相册")), QStringLiteral("我的相册"));
}

TEST_F(PathsTest, ServiceConfigurationIsWrittenWithDefaultsAndReadBack) {
    const ServiceConfig& c = serviceconfig::current();
    EXPECT_TRUE(QFileInfo::exists(serviceconfig::iniPath()));
    EXPECT_EQ(c.hostName(ServiceHost::Materials), c.materialsHost + "." + c.domain);
    {
        QSettings s(serviceconfig::iniPath(), QSettings::IniFormat);
        s.setValue(QStringLiteral("service/domain"), QStringLiteral("example.test"));
        s.setValue(QStringLiteral("service/timeout_seconds"), 7);
    }
    serviceconfig::reload();
    EXPECT_EQ(serviceconfig::current().domain, QStringLiteral("example.test"));
    EXPECT_EQ(serviceconfig::current().timeoutSeconds, 7);
    EXPECT_EQ(serviceconfig::current().hostName(ServiceHost::Frame), QStringLiteral("frm.example.test"));
}

TEST_F(PathsTest, DamagedServiceConfigurationKeepsWhatReadsAndIsRepairedOnce) {
    serviceconfig::set([] {
        ServiceConfig c = ServiceConfig::defaults();
        c.proxy = QStringLiteral("127.0.0.1:8123");
        c.domain = QStringLiteral("example.test");
        return c;
    }());
    const QByteArray whole = testsupport::readFile(serviceconfig::iniPath());
    ASSERT_TRUE(whole.contains("proxy=127.0.0.1:8123"));
    // The file cut short in its proxy line, within its value, and a proxy line garbled.
    const QByteArray damages[] = {whole.left(whole.indexOf("proxy=") + 3), whole.left(whole.indexOf("proxy=") + 10),
                                  QByteArray(whole).replace("127.0.0.1:8123", "127.0\x01:x")};
    for (const QByteArray& damaged : damages) {
        testsupport::writeFile(serviceconfig::iniPath(), damaged);
        serviceconfig::reload();
        const ServiceConfig& c = serviceconfig::current();
        EXPECT_EQ(c.domain, QStringLiteral("example.test"));  // what was readable is kept
        EXPECT_EQ(c.proxy, QString());                         // the default for what was not
        EXPECT_EQ(c.materialsHost, ServiceConfig::defaults().materialsHost);
        EXPECT_EQ(testsupport::readFile(serviceconfig::iniPath() + ".damaged"), damaged);
        QStringList again;
        serviceconfig::readIni(serviceconfig::iniPath(), &again);
        EXPECT_TRUE(again.isEmpty()) << again.join(",").toStdString();  // repaired: said only once
    }
    // Whole files, and one that names the proxy alone as ./run writes it, are not damaged.
    for (const QByteArray& fine : {whole, QByteArray("[service]\nproxy=127.0.0.1:9\n")}) {
        QStringList none;
        testsupport::writeFile(serviceconfig::iniPath(), fine);
        const ServiceConfig c = serviceconfig::readIni(serviceconfig::iniPath(), &none);
        EXPECT_TRUE(none.isEmpty()) << none.join(",").toStdString();
        EXPECT_FALSE(c.proxy.isEmpty());
    }
}
