#include <gtest/gtest.h>

#include <QFileInfo>

#include "foundation/settings.h"
#include "foundation/tabletext.h"
#include "state/loginstate.h"
#include "support/fixtures.h"

using testsupport::readFile;
using testsupport::writeFile;

class SettingsTest : public testsupport::DataRootTest {};

TEST_F(SettingsTest, FreshRootCreatesTheGlobalTable) {
    EXPECT_EQ(GetGlobalSetting(GcsFirstLogin), QString());
    const Table t = ReadTableFile(GlobalSettingsPath(), QStringLiteral("GCS"));
    ASSERT_EQ(t.rows(), 501);
    ASSERT_EQ(t.cols(), 2);
    EXPECT_EQ(t(0, 0), QStringLiteral("0"));
    EXPECT_EQ(t(499, 0), QStringLiteral("499"));
    EXPECT_EQ(t(500, 0), QString());
    EXPECT_TRUE(SetGlobalSetting(GcsMachineCode, QStringLiteral("abc")));
    EXPECT_EQ(GetGlobalSetting(GcsMachineCode), QStringLiteral("abc"));
}

TEST_F(SettingsTest, MemberSettingsNeedTheMemberFolder) {
    CurrentUserName = QStringLiteral("nobody");
    EXPECT_TRUE(SetUserSetting(9, QStringLiteral("1")));
    EXPECT_EQ(GetUserSetting(9), QString());
    EXPECT_FALSE(QFileInfo::exists(UserSettingsPath()));

    loginAs(QStringLiteral("alice"));
    EXPECT_TRUE(SetUserSetting(9, QStringLiteral("1")));
    EXPECT_EQ(GetUserSetting(9), QStringLiteral("1"));
    for (int id : {0, 8, 10, 35, 499}) EXPECT_EQ(GetUserSetting(id), QString()) << id;
}

TEST_F(SettingsTest, EmptyFileIsRecreatedOnStore) {
    loginAs(QStringLiteral("bob"));
    writeFile(UserSettingsPath(), QByteArray());
    EXPECT_EQ(GetUserSetting(UcsTeachMain), QString());
    EXPECT_TRUE(SetUserSetting(UcsTeachMain, QStringLiteral("2")));
    EXPECT_EQ(GetUserSetting(UcsTeachMain), QStringLiteral("2"));
    EXPECT_EQ(ReadTableFile(UserSettingsPath(), QStringLiteral("UCS")).rows(), 501);
}

TEST_F(SettingsTest, AFileNamedLikeATemporaryNeitherBlocksAStoreNorIsLost) {
    loginAs(QStringLiteral("carol"));
    SetUserSetting(UcsServerPrefix, QStringLiteral("www3"));
    writeFile(UserSettingsPath() + ".tmp", "junk");
    const QStringList before = testsupport::filesIn(QFileInfo(UserSettingsPath()).path());
    EXPECT_TRUE(SetUserSetting(UcsHintCellText, QStringLiteral("1")));
    EXPECT_EQ(GetUserSetting(UcsServerPrefix), QStringLiteral("www3"));
    EXPECT_EQ(GetUserSetting(UcsHintCellText), QStringLiteral("1"));
    EXPECT_EQ(readFile(UserSettingsPath() + ".tmp"), QByteArray("junk"));
    EXPECT_EQ(testsupport::filesIn(QFileInfo(UserSettingsPath()).path()), before);
}

TEST_F(SettingsTest, LoginInfoShortRowsReadEmpty) {
    LoginInfo = ParseTableText(QStringLiteral("LoginBackInfo"), QStringLiteral("a</F>b</F><//R>LoginBackInfo<///T>"));
    EXPECT_EQ(LoginField(1), QStringLiteral("b"));
    EXPECT_EQ(LoginField(20), QString());
    SetLoginField(12, QStringLiteral("mysite"));
    EXPECT_EQ(LoginField(12), QStringLiteral("mysite"));
}
