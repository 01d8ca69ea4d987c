#include <gtest/gtest.h>

#include "foundation/machine.h"
#include "foundation/settings.h"
#include "login/ui/loginwindow.h"
#include "login/ui/connectsplashwindow.h"
#include "login/modBegin.h"
#include "login/ui/programstart.h"
#include "platform/singleinstance.h"
#include "support/fixtures.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QSysInfo>
#include <QTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class StartUp : public testsupport::DataRootTest {
protected:
    void TearDown() override {
        frmLogin::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ReleaseInstanceLock();
        DataRootTest::TearDown();
    }
    static QString serial() { return QString::number(GetVolumeSerial()); }
};

}  // namespace

TEST(StartUpDecision, SplashUnlessThisMachineHasLoggedIn) {
    const QString s = QStringLiteral("-12345");
    struct Case {
        QString setting;
        bool splash;
    };
    const Case cases[] = {
        {"1{-12345}", false},
        {"{-12345}1{-12345}", false},  // every occurrence is removed
        {"", true},
        {"1{999}", true},               // another machine
        {"2{-12345}", true},
        {"1{-12345}x", true},
        {"1", true},                    // no machine mark at all
        {"{-12345}", true},
    };
    for (const Case& c : cases) EXPECT_EQ(StartsWithSplash(c.setting, s), c.splash) << c.setting.toStdString();
    EXPECT_EQ(FirstLoginState("1{999}", s), "0");
    EXPECT_EQ(FirstLoginState("7{-12345}", s), "7");
}

TEST_F(StartUp, SecondCopyIsRefusedWithItsMessage) {
    SingleInstanceLock running(root());
    ASSERT_TRUE(running.tryLock());
    EXPECT_FALSE(Main());
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_EQ(prompts.records()[0].text, kAlreadyRunningMessage);
    EXPECT_EQ(prompts.records()[0].style, vbInformation);
    EXPECT_EQ(prompts.records()[0].title, QString());
    EXPECT_EQ(frmLogin::loaded(), nullptr);
    EXPECT_TRUE(running.isLocked());  // the first copy keeps its lock
}

TEST_F(StartUp, AFolderInPlaceOfTheLockFileIsNamedNotTakenForARunningCopy) {
    const QString lock = root() + QStringLiteral("/tavolin.lock");
    ASSERT_TRUE(QDir().mkpath(lock));
    EXPECT_FALSE(Main());
    ASSERT_EQ(prompts.records().size(), 1);
    EXPECT_NE(prompts.records()[0].text, kAlreadyRunningMessage);
    EXPECT_TRUE(prompts.records()[0].text.contains(QStringLiteral("文件夹"))) << prompts.records()[0].text.toStdString();
    EXPECT_TRUE(prompts.records()[0].text.contains(lock)) << prompts.records()[0].text.toStdString();
    EXPECT_EQ(frmLogin::loaded(), nullptr);
    EXPECT_TRUE(QFileInfo(lock).isDir());  // left for the member to move
    ReleaseInstanceLock();
}

TEST_F(StartUp, AStartRemovesWhatKilledWritesLeftOnlyOnceItHoldsTheLock) {
    const QString thumbnails = root() + QStringLiteral("/UserData/alice/UpLoadPicture/旅行");
    ASSERT_TRUE(QDir().mkpath(thumbnails));
    ASSERT_TRUE(QDir().mkpath(root() + QStringLiteral("/data")));
    const QStringList targets{root() + QStringLiteral("/data/g1.dat"), thumbnails + QStringLiteral("/1.jpg"),
                              root() + QStringLiteral("/UserData/alice/u0.dat")};
    QStringList leftovers;
    for (const QString& t : targets) {
        testsupport::writeFile(t, "whole");
        leftovers << t + QStringLiteral(".k3J9qZ");
        testsupport::writeFile(leftovers.last(), "half");
    }
    const QString stored = thumbnails + QStringLiteral("/1.jpg.tmp");
    testsupport::writeFile(stored, "the member's");
    {
        SingleInstanceLock running(root());
        ASSERT_TRUE(running.tryLock());
        EXPECT_FALSE(Main());
        for (const QString& l : leftovers) EXPECT_TRUE(QFile::exists(l)) << "another copy may be writing it";
    }
    SetGlobalSetting(GcsFirstLogin, QStringLiteral("1{") + serial() + QStringLiteral("}"));
    EXPECT_TRUE(Main());
    for (const QString& l : leftovers) EXPECT_FALSE(QFile::exists(l)) << l.toStdString();
    for (const QString& t : targets) EXPECT_EQ(testsupport::readFile(t), QByteArray("whole"));
    EXPECT_EQ(testsupport::readFile(stored), QByteArray("the member's"));
}

TEST_F(StartUp, LockIsFreeAgainOnceItsHolderEnds) {
    {
        SingleInstanceLock first(root());
        ASSERT_TRUE(first.tryLock());
        SingleInstanceLock second(root());
        EXPECT_FALSE(second.tryLock());
    }
    SingleInstanceLock third(root());
    EXPECT_TRUE(third.tryLock());
}

TEST_F(StartUp, LockLeftByAProcessThatIsGoneIsTakenOver) {
    // The lock file of a crashed run: a process number that does not exist on this host.
    testsupport::writeFile(root() + QStringLiteral("/tavolin.lock"),
                           "2147483000\ntavolin\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    SingleInstanceLock lock(root());
    EXPECT_TRUE(lock.tryLock());
}

TEST_F(StartUp, NoContentOfTheLockFileRefusesAStart) {
    // Only a live holder counts: whatever a crash, a full disk or another program left in the file.
    const QByteArray contents[] = {
        "",
        "12",                                                   // truncated
        "\xff\xfe garbage \x01\x02",                            // garbled
        QByteArray::number(qint64(getppid())) + "\ntavolin\n" +  // a running process, on this host
            QSysInfo::machineHostName().toUtf8() + "\n",
        "1\ntavolin\n",                                        // the init process
    };
    SetGlobalSetting(GcsFirstLogin, QStringLiteral("1{") + serial() + QStringLiteral("}"));
    for (const QByteArray& c : contents) {
        testsupport::writeFile(root() + QStringLiteral("/tavolin.lock"), c);
        EXPECT_TRUE(Main()) << c.toStdString();
        ReleaseInstanceLock();
        frmLogin::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    for (const auto& r : prompts.records()) EXPECT_NE(r.text, kAlreadyRunningMessage);
}

TEST_F(StartUp, LockOfAKilledHolderIsFreeAtOnce) {
    SingleInstanceLock probe(root());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only system calls after fork: take the lock the way the program does, report, wait.
        const int fd = ::open(QFile::encodeName(probe.path()).constData(), O_RDWR | O_CREAT, 0644);
        const char ok = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? '1' : '0';
        [[maybe_unused]] const ssize_t w = ::write(ready[1], &ok, 1);
        for (;;) ::pause();
    }
    ::close(ready[1]);
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(ok, '1');
    EXPECT_FALSE(probe.tryLock());
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(probe.tryLock());
    EXPECT_EQ(probe.holderPid(), qint64(getpid()));
}

TEST_F(StartUp, AfterAFirstLoginTheLoginWindowOpensDirectly) {
    SetGlobalSetting(GcsFirstLogin, QStringLiteral("1{") + serial() + QStringLiteral("}"));
    EXPECT_TRUE(Main());
    ASSERT_NE(frmLogin::loaded(), nullptr);
    EXPECT_TRUE(frmLogin::loaded()->isVisible());
    EXPECT_TRUE(prompts.records().isEmpty());
}

TEST_F(StartUp, FirstStartShowsTheSplashWhichOpensTheLoginWindow) {
    EXPECT_TRUE(Main());  // runs the splash modally for its thirty ticks
    ASSERT_NE(frmLogin::loaded(), nullptr);
    EXPECT_TRUE(frmLogin::loaded()->isVisible());
}

TEST_F(StartUp, SplashClosesOnTheThirtiethTickWhateverTheBarShows) {
    frmNetToVYM splash;
    splash.Timer1->stop();
    splash.show();
    for (int i = 1; i <= 29; ++i) {
        splash.Timer1_Timer();
        EXPECT_EQ(splash.pbarNet->value(), qMin(10 * i, 300));
    }
    EXPECT_EQ(splash.pbarNet->value(), 290);
    EXPECT_EQ(frmLogin::loaded(), nullptr);
    EXPECT_TRUE(splash.isVisible());
    splash.Timer1_Timer();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
    EXPECT_EQ(splash.pbarNet->value(), 290);
    ASSERT_NE(frmLogin::loaded(), nullptr);
}
