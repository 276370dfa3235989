#pragma once

#include <QLocale>

class QCoreApplication;

// The toolkit's own texts (file dialog, standard buttons) in Russian when the regional settings are Russian;
// the C locale counts as Russian, as it does for the regional settings. Returns whether a translation loaded.
bool InstallToolkitTranslation(QCoreApplication& app, const QLocale& locale = QLocale::system());
