#include "CliContext.h"

#include "common/AppError.h"
#include "store/Database.h"

#include <cstdio>

void writeOut(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
}

void writeErr(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stderr);
}

bool openDatabase(const CliContext& context, Database& db) {
    try {
        db.open(context.databasePath);
        return true;
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return false;
    }
}
