#pragma once
// One running copy of the program per data root: a lock file there, held while the program runs.
// The kernel holds the lock on the open file and drops it when the process ends however it ends,
// so the file's contents never decide anything: an empty, garbled or stale file, or one naming the
// process number of some other running program, cannot lock the member out.
#include <QString>

class SingleInstanceLock {
public:
    // The lock file "<folder>/<fileName>".
    explicit SingleInstanceLock(const QString& folder, const QString& fileName = QStringLiteral("tavolin.lock"));
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    // True when this object now holds the lock (also when it held it already); false when another
    // holder (another process, or another lock object on the same file) has it.
    bool tryLock();
    bool isLocked() const { return m_fd >= 0; }
    void unlock();
    QString path() const { return m_path; }
    // The process number the holder wrote into the file (for messages only), or 0 when unreadable.
    qint64 holderPid() const;
    // Why the last tryLock could not even open the lock file (errno: EISDIR for a folder in its
    // place, EACCES, ...); 0 when it failed because another holder has the lock.
    int openError() const { return m_openError; }

private:
    QString m_path;
    int m_fd = -1;
    int m_openError = 0;
};
