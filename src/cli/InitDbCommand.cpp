#include "CliContext.h"

#include "common/AppError.h"
#include "store/Database.h"

int runInitDb(const CliContext& context) {
    if (context.args.size() != 1) {
        writeErr(QStringLiteral("Использование: tarvel-cli init-db ФАЙЛ\n"));
        return 2;
    }
    try {
        Database::create(context.args.first());
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}
