#include "LoadDownloadedRates.h"

#include "RateResponse.h"
#include "common/AppError.h"
#include "common/Prompts.h"
#include "store/Database.h"
#include "store/TableObject.h"
#include "store/UpdateSource.h"

#include <QFile>

#include <optional>


QString NotRateDataMessage() {
    return QStringLiteral("Получен ответ, не содержащий данных о курсах валют.\nДанные не загружены.");
}

QString SkippedRecordsMessage(int count) {
    return QStringLiteral("Пропущено записей с неверными данными: %1.").arg(count);
}

LoadedRates LoadDownloadedRates(TableObject& table, Prompts& prompts, const QString& path) {
    if (table.layout() != Layout::Currency)
        throw AppError(QStringLiteral("Таблица «%1» не содержит курсов валют.").arg(table.tableName()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, file.errorString()));
    const QByteArray answer = file.readAll();
    file.close();
    return LoadDownloadedAnswer(table, prompts, answer);
}

LoadedRates LoadDownloadedAnswer(TableObject& table, Prompts& prompts, const QByteArray& answer) {
    if (table.layout() != Layout::Currency)
        throw AppError(QStringLiteral("Таблица «%1» не содержит курсов валют.").arg(table.tableName()));
    const RateResponse response = ParseRateResponse(answer);

    LoadedRates loaded;
    if (!response.isRateData) {
        prompts.message(NotRateDataMessage());
        return loaded;
    }
    loaded.rateData = true;
    loaded.skipped = response.skipped;
    table.open();
    Database& db = table.database();
    const QString name = table.tableName();
    const auto nothingWritten = [&] { return QStringLiteral("в таблицу «%1» ничего не записано").arg(name); };
    std::optional<Database::Transaction> transaction;
    try {
        transaction.emplace(db);
    } catch (const DatabaseError& e) {
        throw DatabaseError::explained(QStringLiteral("Курсы не сохранены"), nothingWritten(), e);
    }
    {
        QuietControls quiet(table);
        try {
            for (const DownloadedRate& rate : response.records) {
                if (table.countByDate(rate.date) != 0)
                    continue;
                table.append();
                table.setDate(u"CURDATE", rate.date);
                table.setInteger(u"UPD", int(UpdateSource::Internet));
                table.setInteger(u"NOMINAL", rate.nominal);
                table.setFloat(u"KURS", rate.rate);
                table.post();
                ++loaded.added;
            }
            table.endPending();
        } catch (const DatabaseError& e) {
            table.cancel();
            // What was stored before the failure stays, when the database still takes it.
            bool kept = loaded.added > 0;
            try {
                transaction->commit();
            } catch (const DatabaseError&) {
                kept = false;
                transaction.reset();
                table.close();
                table.open();
            }
            if (kept)
                throw DatabaseError::explained(
                    QStringLiteral("Курсы сохранены не все"),
                    QStringLiteral("в таблицу «%1» записано курсов: %2, остальные не записаны")
                        .arg(name)
                        .arg(loaded.added),
                    e);
            throw DatabaseError::explained(QStringLiteral("Курсы не сохранены"), nothingWritten(), e);
        } catch (...) {
            table.cancel();
            transaction->commit();
            throw;
        }
        try {
            transaction->commit();
        } catch (const DatabaseError& e) {
            transaction.reset();
            table.close();
            table.open();
            throw DatabaseError::explained(QStringLiteral("Курсы не сохранены"), nothingWritten(), e);
        }
    }
    if (loaded.skipped > 0)
        prompts.message(SkippedRecordsMessage(loaded.skipped));
    return loaded;
}
