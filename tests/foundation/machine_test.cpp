// Machine code, volume serial and local address.
#include "foundation/machine.h"
#include "foundation/md5.h"
#include "platform/machineidentity.h"
#include "support/fixtures.h"

#include <QTemporaryDir>

namespace {
struct IdentitySources {
    ~IdentitySources() {
        machineidentity::SetMachineIdPath(QString());
        machineidentity::SetAdapterSource(nullptr);
    }
};
}  // namespace

TEST(MachineCode, DigestAroundTheReversedSerial) {
    EXPECT_EQ(MakeMachineCode(QStringLiteral("1000000000")), QStringLiteral("0ff89de900000000019d4a8f4b"));
    const QString code = MakeMachineCode(QStringLiteral("-123456789"));
    EXPECT_EQ(code.size(), 10 + 16);
    EXPECT_EQ(code.mid(8, 10), QStringLiteral("987654321-"));
    const QString m = Md5Hex(QStringLiteral("987654321-"));
    EXPECT_EQ(code, m.left(8) + QStringLiteral("987654321-") + m.mid(8, 8));
}

TEST(VolumeSerial, FromTheMachineIdFile) {
    IdentitySources restore;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("machine-id"));
    const struct { const char* content; qint32 serial; } cases[] = {
        {"00000001000000020000000400000008\n", 15},
        {"80000000000000000000000000000000\n", qint32(0x80000000u)},  // top bit set: negative
        {"3d1219c7c4c5404aaa1f6d2a48adfda4", qint32(0x3d1219c7u ^ 0xc4c5404au ^ 0xaa1f6d2au ^ 0x48adfda4u)},
        {"00000000000000000000000000000000\n", 1000000000},  // folds to 0: no serial
        {"not a machine id\n", 1000000000},
        {"", 1000000000},
    };
    machineidentity::SetMachineIdPath(path);
    for (const auto& c : cases) {
        testsupport::writeFile(path, c.content);
        EXPECT_EQ(GetVolumeSerial(QStringLiteral("c:\\")), c.serial) << c.content;
    }
    machineidentity::SetMachineIdPath(dir.filePath(QStringLiteral("missing")));
    EXPECT_EQ(GetVolumeSerial(), 1000000000);
    // The serial text a negative value gives, and its machine code, carry the sign.
    EXPECT_EQ(QString::number(qint32(0x80000000u)), QStringLiteral("-2147483648"));
}

TEST(VolumeSerial, StableOnThisMachine) {
    EXPECT_EQ(GetVolumeSerial(), GetVolumeSerial());
    EXPECT_NE(GetVolumeSerial(), 0);
}

TEST(LocalAddress, FirstAdapterWithAnAddressDecides) {
    IdentitySources restore;
    const struct { QStringList adapters; const char* address; } cases[] = {
        {{QStringLiteral("192.168.1.20")}, "192.168.1.20"},
        {{QString(), QStringLiteral("10.0.0.5"), QStringLiteral("10.0.0.6")}, "10.0.0.5"},
        {{QStringLiteral("0.0.0.0"), QStringLiteral("10.0.0.5")}, ""},  // disconnected first adapter
        {{QString(), QString()}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        machineidentity::SetAdapterSource([&] { return c.adapters; });
        EXPECT_EQ(GetLocalIpAddress(), QString::fromUtf8(c.address)) << c.adapters.join(',').toStdString();
    }
}

TEST(LocalAddress, RealAdaptersGiveADottedAddressOrNothing) {
    const QString a = GetLocalIpAddress();
    EXPECT_LE(a.size(), 15);
    if (!a.isEmpty()) {
        EXPECT_EQ(a.count(QLatin1Char('.')), 3) << a.toStdString();
    }
}
