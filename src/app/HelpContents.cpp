#include "HelpContents.h"

#include <QDesktopServices>
#include <QDir>

namespace HelpContents {
QUrl helpFileUrl() {
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(kHelpFileName));
}

void open() {
    QDesktopServices::openUrl(helpFileUrl());
}
} // namespace HelpContents
