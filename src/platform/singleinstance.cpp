#include "platform/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

SingleInstanceLock::SingleInstanceLock(const QString& folder)
    : m_path(QDir(folder).filePath(QStringLiteral("tavolin.lock"))), m_lock(std::make_unique<QLockFile>(m_path)) {
    // Held for the whole run, so never stale by age; QLockFile still takes over a lock whose
    // process has gone.
    m_lock->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryLock() {
    if (m_lock->isLocked()) return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_lock->tryLock(0);
}

bool SingleInstanceLock::isLocked() const { return m_lock->isLocked(); }
