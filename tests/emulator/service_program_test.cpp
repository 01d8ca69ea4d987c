// tavolin-service as a program of its own: its start lines, its service, its stop on SIGTERM and
// the state it keeps across a restart.
#include "foundation/md5.h"
#include "login/logintoken.h"
#include "login/registercheck.h"
#include "platform/serviceconfig.h"
#include "platform/soapclient.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <utility>

namespace {

struct Running {
    std::unique_ptr<QProcess> process;
    quint16 port = 0;
    QString demoLine;
};

Running Start(const QString& dataDir, quint16 port = 0) {
    Running r;
    r.process = std::make_unique<QProcess>();
    const QString program = qEnvironmentVariable("TAVOLIN_BUILD_DIR", QStringLiteral(".")) + QStringLiteral("/emulator/tavolin-service");
    r.process->start(program, {QStringLiteral("--data"), dataDir, QStringLiteral("--port"), QString::number(port)});
    if (!r.process->waitForStarted(10000)) return r;
    QString out;
    while (out.count(QLatin1Char('\n')) < 2 && r.process->waitForReadyRead(10000)) out += QString::fromUtf8(r.process->readAllStandardOutput());
    const auto m = QRegularExpression(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)$"), QRegularExpression::MultilineOption).match(out);
    if (m.hasMatch()) r.port = quint16(m.captured(1).toUInt());
    const auto d = QRegularExpression(QStringLiteral("^(demo member: .*)$"), QRegularExpression::MultilineOption).match(out);
    if (d.hasMatch()) r.demoLine = d.captured(1);
    return r;
}

// Runs the emulator on a data folder that it is expected to refuse: its exit code and stderr.
std::pair<int, QByteArray> RunRefused(const QString& dataDir) {
    QProcess p;
    p.start(qEnvironmentVariable("TAVOLIN_BUILD_DIR", QStringLiteral(".")) + QStringLiteral("/emulator/tavolin-service"),
            {QStringLiteral("--data"), dataDir, QStringLiteral("--port"), QStringLiteral("0")});
    if (!p.waitForFinished(10000)) return {-1, QByteArray()};
    return {p.exitCode(), p.readAllStandardError()};
}

int Stop(Running& r) {
    ::kill(pid_t(r.process->processId()), SIGTERM);
    if (!r.process->waitForFinished(10000)) return -1;
    return r.process->exitStatus() == QProcess::NormalExit ? r.process->exitCode() : -2;
}

}  // namespace

class ServiceProgramTest : public testsupport::DataRootTest {
protected:
    void pointAt(quint16 port) {
        ServiceConfig c = ServiceConfig::defaults();
        c.proxy = QStringLiteral("127.0.0.1:%1").arg(port);
        c.timeoutSeconds = 10;
        serviceconfig::set(c, false);
    }
    QString call(const QString& host, const QString& endpoint, const QString& method, const QList<SoapArgument>& args) {
        SoapClient client;
        client.MSSoapInit(QStringLiteral("http://%1.%2/services/%3.asmx?WSDL").arg(host, ServiceConfig::defaults().domain, endpoint));
        return client.call(method, args);
    }
};

TEST_F(ServiceProgramTest, ServesStopsOnSigtermAndKeepsItsStateAcrossARestart) {
    QTemporaryDir data;
    Running first = Start(data.path());
    ASSERT_NE(first.port, 0) << "no listening line";
    EXPECT_EQ(first.demoLine, QStringLiteral("demo member: tavdemo demo1234"));
    pointAt(first.port);

    QStringList reg{QStringLiteral("keeper7"), Md5Hex(QStringLiteral("pw-7777")), QStringLiteral("q"), QStringLiteral("answer"),
                    QStringLiteral("1990-02-03"), QStringLiteral("k@k.cn"), QStringLiteral("北京市"), QStringLiteral("110000"),
                    QStringLiteral("北京市"), QStringLiteral("110100"), QStringLiteral("男"), QStringLiteral("1"),
                    QStringLiteral("教师"), QStringLiteral("02"), QStringLiteral("127.0.0.1"), QStringLiteral("1")};
    reg << RegisterCheckCode(reg, QStringLiteral("keeper7")) << QStringLiteral("1");
    QList<SoapArgument> args;
    for (const QString& s : reg) args.append(s);
    ASSERT_TRUE(call(QStringLiteral("www"), QStringLiteral("regser001"), QStringLiteral("Register"), args)
                    .startsWith(QStringLiteral("__Reg__OK__")));
    EXPECT_EQ(Stop(first), 0);

    Running second = Start(data.path(), first.port);
    ASSERT_EQ(second.port, first.port);
    const QString reply = call(QStringLiteral("web2"), QStringLiteral("webser001"), QStringLiteral("LoginSoftV2"),
                               {QStringLiteral("keeper7"), LoginToken(QStringLiteral("pw-7777")), QStringLiteral("127.0.0.1"),
                                QStringLiteral("mc"), QStringLiteral("2.0")});
    EXPECT_TRUE(reply.startsWith(QStringLiteral("__Login__OK__"))) << reply.left(80).toStdString();
    EXPECT_EQ(Stop(second), 0);
}

TEST(ServiceProgram, ASecondEmulatorOnTheSameDataFolderSaysWhoHoldsItAndExits) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    Running first = Start(data.path());
    ASSERT_NE(first.port, 0);
    const auto [code, err] = RunRefused(data.path());
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.contains("process " + QByteArray::number(first.process->processId()))) << err.constData();
    EXPECT_EQ(Stop(first), 0);
    // Once the first has gone (by kill -9 too) the folder is free again.
    Running third = Start(data.path());
    ASSERT_NE(third.port, 0);
    third.process->kill();
    ASSERT_TRUE(third.process->waitForFinished(10000));
    Running fourth = Start(data.path());
    EXPECT_NE(fourth.port, 0);
    EXPECT_EQ(Stop(fourth), 0);
}

TEST(ServiceProgram, ADamagedStoreIsNamedAndLeftAsItIs) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    Running first = Start(data.path());
    ASSERT_NE(first.port, 0);
    ASSERT_EQ(Stop(first), 0);
    const QString demoRecord = data.path() + "/members/" + QStringLiteral("tavdemo") + "/member.json";
    ASSERT_TRUE(QFileInfo::exists(demoRecord));
    const QByteArray damaged = testsupport::readFile(demoRecord).left(40);
    testsupport::writeFile(demoRecord, damaged);
    const QByteArray counters = testsupport::readFile(data.path() + "/service.json");

    const auto [code, err] = RunRefused(data.path());
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(err.contains(QFile::encodeName(demoRecord))) << err.constData();
    // Nothing was written over it: no new demo member, no new counters.
    EXPECT_EQ(testsupport::readFile(demoRecord), damaged);
    EXPECT_EQ(testsupport::readFile(data.path() + "/service.json"), counters);
}

TEST(ServiceProgram, RefusesToStartWithoutADataFolder) {
    QProcess p;
    p.start(qEnvironmentVariable("TAVOLIN_BUILD_DIR", QStringLiteral(".")) + QStringLiteral("/emulator/tavolin-service"), {});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_NE(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardError().contains("--data"));
}
