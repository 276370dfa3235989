#include "HelpContents.h"

#include "shell/AppPaths.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace HelpContents {
QUrl helpFileUrl() {
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(kHelpFileName));
}

void open() {
    QDesktopServices::openUrl(helpFileUrl());
}

void open(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
bool viewerRegistered() {
#ifdef Q_OS_WIN
    return true;
#else
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/vnd.ms-htmlhelp")});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
#endif
}

QString pagesDir() {
    return AppPaths::findResource(QStringLiteral("help"));
}
} // namespace HelpContents
