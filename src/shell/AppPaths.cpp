#include "AppPaths.h"

#include "common/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace AppPaths {
namespace {}

QString programDir() {
    return QCoreApplication::applicationDirPath();
}

QStringList resourceDirs(const QString& programDir) {
    QStringList dirs{QDir::cleanPath(programDir), QDir::cleanPath(programDir + QStringLiteral("/../share/tarvel"))};
    const QStringList system = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("tarvel"),
                                                         QStandardPaths::LocateDirectory);
    for (const QString& dir : system) {
        const QString clean = QDir::cleanPath(dir);
        if (!dirs.contains(clean))
            dirs.append(clean);
    }
    return dirs;
}

QStringList resourceDirs() {
    return resourceDirs(programDir());
}

QString findResource(const QString& name) {
    for (const QString& dir : resourceDirs()) {
        const QString path = dir + QLatin1Char('/') + name;
        if (QFileInfo::exists(path))
            return path;
    }
    return programDir() + QLatin1Char('/') + name;
}

QString langDir() {
    return findResource(QStringLiteral("Lang"));
}

QString helpFile() {
    return findResource(QStringLiteral("Vendrick.chm"));
}

QString skinsDir() {
    return findResource(QStringLiteral("skins"));
}

QString databasePath() {
    return programDir() + QLatin1Char('/') + databaseFileName();
}

bool isWritableDatabase(const QString& path) {
    QFile file(path);
    // Neither creates, truncates nor changes a byte.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    file.close();
    QTemporaryFile probe(QFileInfo(path).absolutePath() + QStringLiteral("/.tarvel-write-XXXXXX"));
    return probe.open();
}

namespace {
QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Copies through a temporary name, so that a copy cut short is never taken for the user's database.
bool copyDatabase(const QString& source, const QString& target, QString* why) {
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    QFile in(source);
    if (!in.copy(part)) {
        *why = in.errorString();
        QFile::remove(part);
        return false;
    }
    // The shipped file may be read-only; the user's copy is the user's to change.
    QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::remove(target + QStringLiteral("-wal"));
    QFile::remove(target + QStringLiteral("-shm"));
    // A database still in use keeps committed records in its journal; they belong to the copy.
    if (QFile::exists(source + QStringLiteral("-wal"))) {
        QFile wal(source + QStringLiteral("-wal"));
        if (!wal.copy(target + QStringLiteral("-wal"))) {
            *why = wal.errorString();
            QFile::remove(part);
            return false;
        }
        QFile::setPermissions(target + QStringLiteral("-wal"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QFile out(part);
    if (!out.rename(target)) {
        *why = out.errorString();
        QFile::remove(part);
        return false;
    }
    return true;
}
} // namespace

DatabaseLocation locateDatabase(const QString& programDir, const QStringList& resourceDirs, const QString& userDataDir,
                                const std::function<bool(const QString&)>& writable) {
    const QString beside = QDir::cleanPath(programDir + QLatin1Char('/') + databaseFileName());
    if (QFileInfo::exists(beside) && writable(beside))
        return {beside, {}, false};

    if (userDataDir.isEmpty())
        return {{},
                QStringLiteral("Базу данных «%1» нельзя изменять, а папка данных пользователя не определена.")
                    .arg(native(beside)),
                false};
    const QString userCopy = QDir::cleanPath(userDataDir + QStringLiteral("/main.db"));
    if (QFileInfo::exists(userCopy))
        return {userCopy, {}, false};

    QString shipped;
    for (const QString& dir : resourceDirs) {
        const QString candidate = QDir::cleanPath(dir + QLatin1Char('/') + databaseFileName());
        if (QFileInfo::exists(candidate)) {
            shipped = candidate;
            break;
        }
    }
    if (shipped.isEmpty())
        return {{},
                QStringLiteral("Не найдена база данных: нет ни файла «%1», ни файла «%2».")
                    .arg(native(beside), native(userCopy)),
                false};

    QString why;
    if (!QDir().mkpath(QDir::cleanPath(userDataDir)))
        why = QStringLiteral("папка не создаётся.");
    else if (copyDatabase(shipped, userCopy, &why))
        return {userCopy, {}, true};
    return {{},
            QStringLiteral("Базу данных «%1» нельзя изменять, а скопировать её в «%2» не удалось: %3")
                .arg(native(shipped), native(userCopy), why),
            false};
}

DatabaseLocation locateDatabase() {
    return locateDatabase(programDir(), resourceDirs(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

DatabaseLocation chooseDatabase(const QString& remembered, const QString& programDir, const QStringList& resourceDirs,
                                const QString& userDataDir, const std::function<bool(const QString&)>& writable) {
    if (!remembered.isEmpty()) {
        const QString path = QDir::cleanPath(remembered);
        if (QFileInfo(path).isFile() && writable(path))
            return {path, {}, false};
    }
    return locateDatabase(programDir, resourceDirs, userDataDir, writable);
}

DatabaseLocation chooseDatabase(const Settings& settings) {
    return chooseDatabase(settings.text(Settings::Key::Database), programDir(), resourceDirs(),
                          QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void rememberDatabase(Settings& settings, const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (settings.text(Settings::Key::Database) != absolute)
        settings.setText(Settings::Key::Database, absolute);
}
} // namespace AppPaths
