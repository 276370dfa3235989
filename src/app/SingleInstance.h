#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The per-user lock "Kemblar" that lets one copy of the program run. A lock left by a copy that crashed is
// recognised by its dead owner and taken over.
class SingleInstance {
public:
    // The lock file in the temporary folder, named after the lock and the user.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    // True when this process now holds the lock; false when another copy runs.
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};
