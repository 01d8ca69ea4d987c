#include "platform/safefile.h"

#include "platform/vberror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace paths {

namespace {

// The test seam's fault: which target fails at which step. The flag keeps the lock off the
// ordinary path.
struct Fault {
    std::atomic<bool> active{false};
    std::mutex lock;
    QString target;
    SafeWriteStep step = SafeWriteStep::Open;
};
Fault& fault() {
    static Fault f;
    return f;
}

QString canonicalTarget(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// "<name>.XXXXXX" in the target's folder, the name cut short (at a whole character) where the
// whole would pass the file system's limit on a name.
constexpr qsizetype kSuffix = 7;  // "." and six letters

QByteArray temporaryName(const QByteArray& target) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    QByteArray name = target.mid(slash + 1);
    if (name.size() + kSuffix > NAME_MAX) {
        qsizetype cut = NAME_MAX - kSuffix;
        while (cut > 0 && (uchar(name[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 sequence
        name.truncate(cut);
    }
    QByteArray out = folder + name + '.';
    for (int i = 0; i < 6; ++i) out += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
    return out;
}

bool looksTemporary(const QByteArray& name) {
    if (name.size() <= kSuffix || name[name.size() - kSuffix] != '.') return false;
    for (qsizetype i = name.size() - kSuffix + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Whether the temporary's target stands beside it: <name> itself, or, for a name the writer cut
// short (at most three bytes before its limit, at a whole character), a longer name starting so.
bool targetBeside(const QByteArray& temporary, const QSet<QByteArray>& files) {
    const QByteArray stem = temporary.left(temporary.size() - kSuffix);
    if (files.contains(stem)) return true;
    if (stem.size() < NAME_MAX - kSuffix - 3) return false;
    for (const QByteArray& other : files)
        if (other.size() > stem.size() && other.startsWith(stem) && !(other.size() == temporary.size() && looksTemporary(other)))
            return true;
    return false;
}

void removeLeftoversIn(const QByteArray& folder, bool recursive, int& removed) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return;
    QSet<QByteArray> files;
    QList<QByteArray> folders;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..") continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(st.st_mode)) files.insert(name);
        else if (S_ISDIR(st.st_mode)) folders.append(name);
    }
    ::closedir(dir);
    for (const QByteArray& name : std::as_const(files))
        if (looksTemporary(name) && targetBeside(name, files) && ::unlink((folder + '/' + name).constData()) == 0)
            ++removed;
    if (recursive)
        for (const QByteArray& name : std::as_const(folders)) removeLeftoversIn(folder + '/' + name, true, removed);
}

}  // namespace

namespace {

// 0 or errno, ENOSPC for a write that wrote nothing.
int writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        data += n;
        left -= n;
    }
    return 0;
}

int failed(SafeWriteStep* at, SafeWriteStep step, int error) {
    if (at) *at = step;
    return error;
}

}  // namespace

int AppendToFile(const QString& path, const QByteArray& bytes, SafeWriteStep* step) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return failed(step, SafeWriteStep::Open, errno);
    const off_t start = ::lseek(fd, 0, SEEK_END);
    int error = writeAll(fd, bytes);
    SafeWriteStep at = SafeWriteStep::Write;
    if (!error && ::fdatasync(fd) != 0) {
        error = errno;
        at = SafeWriteStep::Sync;
    }
    if (error && start >= 0) [[maybe_unused]] const int cut = ::ftruncate(fd, start);
    ::close(fd);
    return error ? failed(step, at, error) : 0;
}

int WriteFreshPrivateFile(const QString& path, const QByteArray& bytes, SafeWriteStep* step) {
    const QByteArray native = QFile::encodeName(path);
    if (::unlink(native.constData()) != 0 && errno != ENOENT) return failed(step, SafeWriteStep::Open, errno);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return failed(step, SafeWriteStep::Open, errno);
    if (const int error = writeAll(fd, bytes)) {
        ::close(fd);
        return failed(step, SafeWriteStep::Write, error);
    }
    if (::close(fd) != 0) return failed(step, SafeWriteStep::Close, errno);
    return 0;
}

int RemoveSafeWriteLeftovers(const QString& folder, bool recursive) {
    int removed = 0;
    removeLeftoversIn(QFile::encodeName(folder), recursive, removed);
    return removed;
}

SafeFileWriter::~SafeFileWriter() { abort(); }

bool SafeFileWriter::open(const QString& target) {
    abort();
    m_target = target;
    m_temporary.clear();
    if (injectedFault(SafeWriteStep::Open)) return fail(SafeWriteStep::Open, EIO);
    const QByteArray encoded = QFile::encodeName(target);
    // O_EXCL never takes over a file that is already there; another name is tried instead.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = temporaryName(encoded);
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporary = name;
            return true;
        }
        if (errno != EEXIST) break;
    }
    return fail(SafeWriteStep::Open, errno);
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    if (m_fd < 0) return fail(SafeWriteStep::Write, EBADF);
    if (injectedFault(SafeWriteStep::Write)) return fail(SafeWriteStep::Write, EIO);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(SafeWriteStep::Write, errno);
        }
        if (n == 0) return fail(SafeWriteStep::Write, ENOSPC);
        data += n;
        size -= n;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (m_fd < 0) return fail(SafeWriteStep::Sync, EBADF);
    if (injectedFault(SafeWriteStep::Sync)) return fail(SafeWriteStep::Sync, EIO);
    if (m_durable && ::fsync(m_fd) != 0) return fail(SafeWriteStep::Sync, errno);
    // close() releases the descriptor even when it reports an error; EINTR loses nothing here,
    // since the data is already on disk.
    const int closed = ::close(m_fd);
    const int closeError = errno;
    m_fd = -1;
    if (injectedFault(SafeWriteStep::Close)) return fail(SafeWriteStep::Close, EIO);
    if (closed != 0 && closeError != EINTR) return fail(SafeWriteStep::Close, closeError);
    // rename(2) replaces the target atomically: there is no moment without a whole file.
    if (injectedFault(SafeWriteStep::Rename)) return fail(SafeWriteStep::Rename, EIO);
    if (std::rename(m_temporary.constData(), QFile::encodeName(m_target).constData()) != 0)
        return fail(SafeWriteStep::Rename, errno);
    m_temporary.clear();
    return true;
}

void SafeFileWriter::abort() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) ::unlink(m_temporary.constData());
    m_temporary.clear();
}

QString SafeFileWriter::temporaryPath() const { return QFile::decodeName(m_temporary); }

int SafeFileWriter::errorNumber() const {
    switch (m_failedStep) {
    case SafeWriteStep::Open: return VbError::PathNotFound;
    case SafeWriteStep::Write:
    case SafeWriteStep::Sync:
    case SafeWriteStep::Close: return VbError::DiskFull;
    case SafeWriteStep::Rename: return VbError::PathFileAccess;
    }
    return VbError::PathFileAccess;
}

bool SafeFileWriter::fail(SafeWriteStep step, int osError) {
    m_failedStep = step;
    m_osError = osError;
    abort();
    return false;
}

bool SafeFileWriter::injectedFault(SafeWriteStep step) const {
    Fault& f = fault();
    if (!f.active.load(std::memory_order_acquire)) return false;
    std::lock_guard<std::mutex> guard(f.lock);
    return f.active.load(std::memory_order_relaxed) && f.step == step && f.target == canonicalTarget(m_target);
}

SafeWriteFault::SafeWriteFault(const QString& target, SafeWriteStep step) {
    Fault& f = fault();
    std::lock_guard<std::mutex> guard(f.lock);
    f.target = canonicalTarget(target);
    f.step = step;
    f.active.store(true, std::memory_order_release);
}

SafeWriteFault::~SafeWriteFault() {
    Fault& f = fault();
    std::lock_guard<std::mutex> guard(f.lock);
    f.active.store(false, std::memory_order_release);
    f.target.clear();
}

}  // namespace paths
