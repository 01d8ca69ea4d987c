#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstanceLock::SingleInstanceLock(const QString& folder, const QString& fileName)
    : m_path(QDir(folder).filePath(fileName)) {}

SingleInstanceLock::~SingleInstanceLock() { unlock(); }

bool SingleInstanceLock::tryLock() {
    if (m_fd >= 0) return true;
    m_openError = 0;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        m_openError = errno;
        return false;
    }
    // flock belongs to the open file description: a second open of the same file, in this process
    // or another, is refused while this one holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    // The process number is written for people and messages; nothing reads it to decide.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
    }
    return true;
}

void SingleInstanceLock::unlock() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the last descriptor of the description releases the lock
    m_fd = -1;
}

qint64 SingleInstanceLock::holderPid() const {
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    bool ok = false;
    const qint64 pid = f.read(32).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}
