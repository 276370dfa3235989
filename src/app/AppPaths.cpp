#include "AppPaths.h"

#include <QCoreApplication>

namespace AppPaths {
QString programDir() {
    return QCoreApplication::applicationDirPath();
}

QString databasePath() {
    return programDir() + QStringLiteral("/data/main.db");
}
} // namespace AppPaths
