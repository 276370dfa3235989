#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// The per-user lock "Kemblar" that lets one copy of the program run. A lock file that names no live process of
// this machine (left by a crash or a power loss: empty, garbage, another host's, a dead owner's) is taken over.
class SingleInstance {
public:
    // The lock file in the temporary folder, named after the lock and the user.
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    // True when this process now holds the lock; false when another copy runs.
    bool acquire();

private:
    // The lock file names a process of this machine (QLockFile has found it alive).
    bool ownerMayRun() const;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
