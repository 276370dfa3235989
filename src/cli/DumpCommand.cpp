#include "CliContext.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "store/Database.h"
#include "store/RecordText.h"
#include "store/TableObject.h"

int runDump(const CliContext& context) {
    if (context.args.size() != 1) {
        writeErr(QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] dump ТАБЛИЦА\n"));
        return 2;
    }
    const QString name = context.args.first();
    const auto info = Catalog::findTable(name);
    if (!info) {
        writeErr(QStringLiteral("Таблица «%1» не найдена.\n").arg(name));
        return 2;
    }
    Database db;
    if (!openDatabase(context, db))
        return 1;
    try {
        Clock clock;
        TableObject table(db, info->layout, info->name, context.regional, clock);
        table.open();
        const auto& cols = Catalog::columns(info->layout);
        QString out;
        for (int i = 0; i < kColumnCount; ++i)
            out += (i ? QStringLiteral(";") : QString()) + QLatin1String(cols[size_t(i)].name);
        out += QLatin1Char('\n');
        for (int r = 0; r < table.recordCount(); ++r) {
            out += FormatRecordLine(table, table.row(r)) + QLatin1Char('\n');
            if (out.size() > 1 << 16) {
                writeOut(out);
                out.clear();
            }
        }
        writeOut(out);
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return 1;
    }
    return 0;
}
