#include "shell/AppPaths.h"
#include "app/FirstPaintReport.h"
#include "shell/SingleInstance.h"
#include "shell/ToolkitTranslation.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/RegionalSettings.h"
#include "common/Settings.h"
#include "store/Database.h"
#include "ui/QtPrompts.h"
#include "ui/TfrmBase.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvel"));
    InstallToolkitTranslation(app);

    SingleInstance instance;
    if (!instance.acquire())
        return 0; // another copy runs: end silently

    QtPrompts prompts;
    Settings settings;
    const AppPaths::DatabaseLocation location = AppPaths::chooseDatabase(settings);
    if (location.path.isEmpty()) {
        prompts.message(location.error);
        return 1;
    }
    Database db;
    try {
        db.open(location.path);
    } catch (const AppError& e) {
        prompts.message(e.text());
        return 1;
    }
    AppPaths::rememberDatabase(settings, location.path);
    Clock clock;
    const RegionalSettings regional = RegionalSettings::fromSystem();
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    TfrmBase window(db, settings, prompts, clock, regional, arguments);
    prompts.setParent(&window);
    // The start-up benchmark's probe; a normal run never sets the variable and installs nothing.
    if (qEnvironmentVariableIsSet("TARVEL_BENCH_FIRST_PAINT"))
        FirstPaintReport::install(window);
    window.show();
    return app.exec();
}
