#pragma once

#include <QString>
#include <QUrl>

// The help file and its viewer.
namespace HelpContents {
inline const QString kHelpFileName = QStringLiteral("Vendrick.chm");

// The help file in the working directory (normally the folder the program was started in).
QUrl helpFileUrl();
// Opens the help file with the system's viewer for it and returns at once; a missing file or viewer is the
// system's to report.
void open();
// The same for a help file elsewhere.
void open(const QString& path);
// Whether the system has a viewer of the help file: always on Windows; elsewhere, when the desktop names an
// application for its type. Without one the program shows the pages itself.
bool viewerRegistered();
// The folder of the help pages as HTML (the help file's sources), beside the program or in its shared folder.
QString pagesDir();
} // namespace HelpContents
