#include "LoadDownloadedRates.h"

#include "RateResponse.h"
#include "common/AppError.h"
#include "common/Prompts.h"
#include "store/Database.h"
#include "store/TableObject.h"
#include "store/UpdateSource.h"

#include <QFile>

namespace {
// Keeps the grid quiet while many records are written, and wakes it on every way out.
class QuietDisplay {
public:
    explicit QuietDisplay(TableObject& table) : m_table(table) { m_table.disableControls(); }
    ~QuietDisplay() { m_table.enableControls(); }
    QuietDisplay(const QuietDisplay&) = delete;
    QuietDisplay& operator=(const QuietDisplay&) = delete;

private:
    TableObject& m_table;
};
} // namespace

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
    const RateResponse response = ParseRateResponse(file.readAll());
    file.close();

    LoadedRates loaded;
    if (!response.isRateData) {
        prompts.message(NotRateDataMessage());
        return loaded;
    }
    loaded.rateData = true;
    loaded.skipped = response.skipped;
    table.open();
    {
        CommandTransaction transaction(table.database());
        QuietDisplay quiet(table);
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
        } catch (...) {
            table.cancel();
            throw;
        }
        table.endPending();
        transaction.commit();
    }
    if (loaded.skipped > 0)
        prompts.message(SkippedRecordsMessage(loaded.skipped));
    return loaded;
}
