#include "CliContext.h"

#include "shell/AppPaths.h"
#include "common/Settings.h"

#include <QCoreApplication>

#include <cstring>

namespace {
struct Command {
    const char* name;
    int (*run)(const CliContext&);
};

const Command kCommands[] = {
    {"init-db", runInitDb},
    {"dump", runDump},
    {"import", runImport},
    {"download", runDownload},
    {"rate", runRate},
    {"convert", runConvert},
    {"interest", runInterest},
    {"inflation", runInflation},
};

void usage() {
    writeErr(QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] КОМАНДА [АРГУМЕНТЫ]\n"
                            "Команды:\n"
                            "  init-db ФАЙЛ [--history ПАПКА]\n"
                            "  dump ТАБЛИЦА\n"
                            "  import --series usd|eur|mrot|refin --source consultant|garant [--answer yes|no] ФАЙЛ\n"
                            "  download --series ТАБЛИЦА --from ДД.ММ.ГГГГ --to ДД.ММ.ГГГГ [--service URL]\n"
                            "  rate --series ТАБЛИЦА --on ДД.ММ.ГГГГ\n"
                            "  convert --series ТАБЛИЦА --on ДД.ММ.ГГГГ --amount СУММА|--roubles СУММА\n"
                            "  interest --principal СУММА --from ДД.ММ.ГГГГ --to ДД.ММ.ГГГГ [--payment ДД.ММ.ГГГГ=СУММА]... "
                            "[--per-day 1/N]\n"
                            "  inflation --from ММ.ГГГГ --to ММ.ГГГГ\n"
                            "  --version\n"));
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    // The user's folders are the window's: without --db the same database is found.
    QCoreApplication::setApplicationName(QStringLiteral("Tarvel"));
    CliContext context;
    context.regional = RegionalSettings::fromSystem();
    bool databaseGiven = false;

    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--db") && !args.isEmpty()) {
            context.databasePath = args.takeFirst();
            databaseGiven = true;
        } else if (option == QLatin1String("--version")) {
            writeOut(QStringLiteral("tarvel-cli " TARVEL_VERSION "\n"));
            return 0;
        } else {
            usage();
            return 2;
        }
    }
    if (args.isEmpty()) {
        usage();
        return 2;
    }
    const QString name = args.takeFirst();
    context.args = args;
    if (!databaseGiven && name != QLatin1String("init-db")) {
        // The window's rule: the database chosen before, else data/main.db beside the program, else the user's
        // copy of the shipped one.
        Settings settings;
        const AppPaths::DatabaseLocation location = AppPaths::chooseDatabase(settings);
        if (location.path.isEmpty()) {
            writeErr(location.error + QLatin1Char('\n'));
            return 1;
        }
        context.databasePath = location.path;
        AppPaths::rememberDatabase(settings, location.path);
    }
    for (const Command& c : kCommands) {
        if (name == QLatin1String(c.name))
            return c.run(context);
    }
    writeErr(QStringLiteral("Неизвестная команда «%1».\n").arg(name));
    usage();
    return 2;
}
