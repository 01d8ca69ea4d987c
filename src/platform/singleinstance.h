#pragma once
// One running copy of the program per data root: a lock file there, held while the program runs.
// A lock left behind by a process that no longer runs (a crash) is taken over.
#include <QString>

#include <memory>

class QLockFile;

class SingleInstanceLock {
public:
    // The lock file "<folder>/tavolin.lock".
    explicit SingleInstanceLock(const QString& folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    // True when this process now holds the lock (also when it held it already); false when another
    // running process holds it.
    bool tryLock();
    bool isLocked() const;
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
