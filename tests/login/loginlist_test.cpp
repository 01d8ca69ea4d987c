#include <gtest/gtest.h>

#include "foundation/machine.h"
#include "foundation/tabletext.h"
#include "login/loginlist.h"
#include "login/logintoken.h"
#include "platform/machineidentity.h"
#include "support/fixtures.h"

namespace {

Table listOf(const QStringList& names) {
    Table t(static_cast<int>(names.size()), kLoginListFields);
    for (int r = 0; r < names.size(); ++r) {
        t(r, 0) = QStringLiteral("code");
        t(r, 1) = names[r];
        t(r, 3) = QStringLiteral("www") + QString::number(r);
    }
    return t;
}

QStringList namesOf(const Table& t) {
    QStringList out;
    for (int r = 0; r < t.rows(); ++r) out.append(t(r, 1));
    return out;
}

// Two machines, told apart by their machine-id files.
class RememberedLogins : public testsupport::DataRootTest {
protected:
    void SetUp() override {
        DataRootTest::SetUp();
        machineA = root() + QStringLiteral("/machine-a");
        machineB = root() + QStringLiteral("/machine-b");
        testsupport::writeFile(machineA, "00000000000000000000000000000011\n");
        testsupport::writeFile(machineB, "00000000000000000000000000000022\n");
        machineidentity::SetMachineIdPath(machineA);
    }
    void TearDown() override {
        machineidentity::SetMachineIdPath(QString());
        DataRootTest::TearDown();
    }
    QString machineA, machineB;
};

}  // namespace

TEST(LoginListOrder, EntryGoesOnTopAndListKeepsTen) {
    struct Case {
        QStringList before;
        QString member;
        QStringList after;
    };
    const QStringList ten{"m0", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9"};
    const Case cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b", "c"}, "c", {"c", "a", "b"}},  // a listed member moves up, the others keep order
        {{"a", "b", "c"}, "a", {"a", "b", "c"}},
        {{"a", "b", "c"}, "b", {"b", "a", "c"}},
        {{"a", "b"}, "n", {"n", "a", "b"}},
        {ten, "new", {"new", "m0", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8"}},  // the oldest goes
        {ten, "m9", {"m9", "m0", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8"}},
    };
    for (const Case& c : cases) {
        const Table out = WithLoginEntry(listOf(c.before), {"code", c.member, "tok", "www9", ""});
        EXPECT_EQ(namesOf(out), c.after) << c.member.toStdString();
        EXPECT_EQ(out(0, 2), QStringLiteral("tok"));
        EXPECT_EQ(out.cols(), kLoginListFields);
    }
}

TEST_F(RememberedLogins, NoFileMeansNoNamesAndNoToken) {
    EXPECT_TRUE(RememberedMemberNames().isEmpty());
    EXPECT_EQ(RememberedToken(QStringLiteral("alice")), QString());
}

TEST_F(RememberedLogins, StoredRowsCarryThisMachinesCodeAndReadBackNewestFirst) {
    StoreLoginEntry(QStringLiteral("alice"), QStringLiteral("tokA"), QStringLiteral("www3"));
    StoreLoginEntry(QStringLiteral("bob"), QString(), QStringLiteral("www4"));
    EXPECT_EQ(RememberedMemberNames(), (QStringList{"bob", "alice"}));
    const Table t = ReadTableFile(LoginListPath(), QStringLiteral("LoginList"));
    ASSERT_EQ(t.rows(), 2);
    EXPECT_EQ(t(1, 0), MakeMachineCode(QString::number(GetVolumeSerial())));
    EXPECT_EQ(t.row(1), (QStringList{ThisMachineCode(), "alice", "tokA", "www3", ""}));
    EXPECT_EQ(RememberedToken(QStringLiteral("alice")), QStringLiteral("tokA"));
    EXPECT_EQ(RememberedToken(QStringLiteral("bob")), QString());  // kept without a token
    EXPECT_EQ(RememberedToken(QStringLiteral("Alice")), QString());  // names match exactly
}

TEST_F(RememberedLogins, AnotherMachinesRowOffersNameButNoToken) {
    StoreLoginEntry(QStringLiteral("alice"), QStringLiteral("tokA"), QStringLiteral("www3"));
    machineidentity::SetMachineIdPath(machineB);
    EXPECT_EQ(RememberedMemberNames(), QStringList{"alice"});
    EXPECT_EQ(RememberedToken(QStringLiteral("alice")), QString());
}

TEST_F(RememberedLogins, UnwritableListIsSkippedQuietly) {
    // A folder where the file should be: the write fails and nothing is reported.
    QDir().mkpath(LoginListPath());
    StoreLoginEntry(QStringLiteral("alice"), QStringLiteral("tokA"), QStringLiteral("www3"));
    EXPECT_TRUE(prompts.records().isEmpty());
    EXPECT_TRUE(RememberedMemberNames().isEmpty());
}

TEST_F(RememberedLogins, PasswordChangeRenewsOnlyARememberedTokenOfThisMachine) {
    StoreLoginEntry(QStringLiteral("carol"), QStringLiteral("old-carol"), QStringLiteral("www5"));
    StoreLoginEntry(QStringLiteral("bob"), QString(), QStringLiteral("www4"));
    StoreLoginEntry(QStringLiteral("alice"), LoginToken(QStringLiteral("old")), QStringLiteral("www3"));

    EXPECT_TRUE(UpdateRememberedLoginToken(QStringLiteral("alice"), QStringLiteral("new pass")));
    EXPECT_EQ(RememberedToken(QStringLiteral("alice")), LoginToken(QStringLiteral("new pass")));
    EXPECT_EQ(RememberedMemberNames(), (QStringList{"alice", "bob", "carol"}));  // order untouched

    EXPECT_FALSE(UpdateRememberedLoginToken(QStringLiteral("bob"), QStringLiteral("new pass")));
    EXPECT_EQ(ReadLoginList()(1, 2), QString());  // a row without a token stays without
    EXPECT_FALSE(UpdateRememberedLoginToken(QStringLiteral("nobody"), QStringLiteral("x")));

    machineidentity::SetMachineIdPath(machineB);
    EXPECT_FALSE(UpdateRememberedLoginToken(QStringLiteral("carol"), QStringLiteral("new pass")));
    EXPECT_EQ(ReadLoginList()(2, 2), QStringLiteral("old-carol"));
}
