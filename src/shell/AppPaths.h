#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class Settings;

// Where the program finds its files. A portable copy (the build tree, a folder on a stick, Windows) keeps
// everything beside the executable; an installed copy keeps its shared files under share/tarvel and works on
// its own copy of the database in the user's data folder.
namespace AppPaths {
// The folder that holds the program file.
QString programDir();

// Folders that may hold the shipped files, searched in this order: beside the program, share/tarvel of the
// installation prefix (bin/../share/tarvel), share/tarvel of the system's data folders.
QStringList resourceDirs(const QString& programDir);
QStringList resourceDirs();
// The first existing entry `name` of resourceDirs(); the path beside the program when there is none.
QString findResource(const QString& name);

QString langDir();  // the folder Lang with the .lng files
QString helpFile(); // Vendrick.chm
QString skinsDir(); // the folder skins with the program's own skin libraries

// The shipped database relative to a resource folder.
inline QString databaseFileName() {
    return QStringLiteral("data/main.db");
}
// data/main.db beside the program.
QString databasePath();

// True when the database file can be changed and its folder takes the journal files beside it. Found by trying,
// not from the permission bits, which do not bind every user.
bool isWritableDatabase(const QString& path);

struct DatabaseLocation {
    QString path;        // the database to open; empty when none can be provided
    QString error;       // for a person, naming the paths, when path is empty
    bool copied = false; // the shipped database was copied into the user's folder just now
};

// The database the program works on: data/main.db beside the program when it is there and writable; else the
// user's copy in userDataDir, made from the shipped database on the first start and never replaced afterwards.
DatabaseLocation locateDatabase(const QString& programDir, const QStringList& resourceDirs, const QString& userDataDir,
                                const std::function<bool(const QString&)>& writable = isWritableDatabase);
// The same for this program and user (QStandardPaths::AppDataLocation).
DatabaseLocation locateDatabase();

// The database of this start: the one chosen at an earlier start while it exists and can be changed, so that
// the program never goes back from the user's copy to the original and hides the user's changes; otherwise
// locateDatabase().
DatabaseLocation chooseDatabase(const QString& remembered, const QString& programDir, const QStringList& resourceDirs,
                                const QString& userDataDir,
                                const std::function<bool(const QString&)>& writable = isWritableDatabase);
// The same for this program and user, with the choice remembered in the settings value `Database`.
DatabaseLocation chooseDatabase(const Settings& settings);
// Remembers the database that was opened, for the later starts of the window and of tarvel-cli.
void rememberDatabase(Settings& settings, const QString& path);
} // namespace AppPaths
