#include "CliContext.h"

#include "common/AppError.h"
#include "store/Database.h"
#include "store/HistoryLoader.h"

#include <QFile>

namespace {
void removeDatabaseFiles(const QString& path) {
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}
} // namespace

int runInitDb(const CliContext& context) {
    QString file;
    QString historyDir;
    bool usageError = false;
    QStringList args = context.args;
    while (!args.isEmpty() && !usageError) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--history") && !args.isEmpty() && historyDir.isEmpty())
            historyDir = args.takeFirst();
        else if (!arg.startsWith(QLatin1String("--")) && file.isEmpty())
            file = arg;
        else
            usageError = true;
    }
    if (file.isEmpty() || usageError) {
        writeErr(QStringLiteral("Использование: tarvel-cli init-db ФАЙЛ [--history ПАПКА]\n"));
        return 2;
    }
    try {
        Database::create(file);
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return 1;
    }
    if (historyDir.isEmpty())
        return 0;

    // A database without its history must not pass for the shipped one: a refused load leaves no file behind.
    QString report;
    try {
        Database db;
        db.open(file);
        HistoryLoader loader(db, context.regional);
        for (const HistorySeries& s : loader.load(historyDir))
            report += QStringLiteral("%1: %2\n").arg(s.table).arg(s.records);
        db.close();
    } catch (const AppError& e) {
        removeDatabaseFiles(file);
        writeErr(e.text() + QLatin1Char('\n'));
        return 1;
    }
    writeOut(report);
    return 0;
}
