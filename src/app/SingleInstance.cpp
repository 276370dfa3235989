#include "SingleInstance.h"

#include <QDir>

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

SingleInstance::SingleInstance(const QString& lockPath) : m_lock(std::make_unique<QLockFile>(lockPath)) {
    // Only a dead owner makes the lock stale; a copy that runs for days keeps it.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    return m_lock->tryLock(0);
}
