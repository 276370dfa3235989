#include "HelpContents.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

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
} // namespace HelpContents
