#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "platform/paths.h"
#include "platform/serviceconfig.h"
#include "platform/vberror.h"
#include "support/fixtures.h"

using testsupport::readFile;
using testsupport::writeFile;

class PathsTest : public testsupport::DataRootTest {};

TEST_F(PathsTest, DataAndUpperCaseDataAreOneFolder) {
    EXPECT_EQ(paths::InRoot(QStringLiteral("\\Data\\g0.dat")), root() + QStringLiteral("/data/g0.dat"));
    EXPECT_EQ(paths::InRoot(QStringLiteral("UserData/a/u0.dat")), root() + QStringLiteral("/UserData/a/u0.dat"));
}

TEST_F(PathsTest, SafeWriteReplacesWholeAndRemovesLeftoverTmp) {
    const QString target = root() + QStringLiteral("/f.dat");
    writeFile(target, "old");
    writeFile(target + ".tmp", "half-written leftover");
    paths::WriteFileSafely(target, "new contents");
    EXPECT_EQ(readFile(target), QByteArray("new contents"));
    EXPECT_FALSE(QFileInfo::exists(target + ".tmp"));
}

TEST_F(PathsTest, FailedSafeWriteKeepsTheOldFile) {
    EXPECT_THROW(paths::WriteFileSafely(root() + QStringLiteral("/no/such/folder/f.dat"), "x"), VbError);
    const QString target = root() + QStringLiteral("/keep.dat");
    writeFile(target, "old");
    // A folder in the way of the ".tmp" makes the write fail before the rename.
    QDir().mkpath(target + ".tmp/blocker");
    EXPECT_THROW(paths::WriteFileSafely(target, "new"), VbError);
    EXPECT_EQ(readFile(target), QByteArray("old"));
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
