#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

QString SingleInstance::defaultLockPath() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    QString safe;
    for (QChar c : user)
        safe += c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-') ? c : QLatin1Char('_');
    return QDir::tempPath() + QStringLiteral("/Kemblar-") + safe + QStringLiteral(".lock");
}

SingleInstance::SingleInstance(const QString& lockPath)
    : m_path(lockPath), m_lock(std::make_unique<QLockFile>(lockPath)) {
    // Only a dead owner makes the lock stale; a copy that runs for days keeps it.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::ownerMayRun() const {
    qint64 pid = 0;
    QString host, app;
    if (!m_lock->getLockInfo(&pid, &host, &app))
        return false; // empty or garbage: what a power loss leaves
    // A process of another machine cannot hold this user's lock here; one of this machine that is gone has
    // been recognised by QLockFile already.
    return host == QSysInfo::machineHostName();
}

bool SingleInstance::acquire() {
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() != QLockFile::LockFailedError)
        return !QFileInfo::exists(m_path); // no lock can be made at all: still never keep the user out
    if (ownerMayRun())
        return false;
    // A copy starting this very moment writes its lock file right after making it: give it that moment.
    QThread::msleep(200);
    if (m_lock->tryLock(0))
        return true;
    if (ownerMayRun())
        return false;
    m_lock->removeStaleLockFile();
    if (m_lock->tryLock(0))
        return true;
    // A lock file this user can neither read nor remove names no copy that runs: start without it.
    return m_lock->error() != QLockFile::LockFailedError || !QFileInfo(m_path).isReadable();
}
