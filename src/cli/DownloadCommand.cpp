#include "CliContext.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/Settings.h"
#include "net/ConnectionSettings.h"
#include "net/RateDownload.h"
#include "net/RateRequest.h"
#include "store/Database.h"
#include "store/TableObject.h"

namespace {
// What the program would show in message boxes goes to stderr; the download asks no questions.
class ConsolePrompts : public Prompts {
public:
    void message(const QString& text) override { writeErr(text + QLatin1Char('\n')); }
    void information(const QString& text) override { writeErr(text + QLatin1Char('\n')); }
    bool question(const QString& text) override {
        writeErr(text + QLatin1Char('\n'));
        return false;
    }
    bool confirm(const QString& text) override {
        writeErr(text + QLatin1Char('\n'));
        return false;
    }
    QString openFile(const QString&, const QString&) override { return QString(); }
};

int usage() {
    writeErr(QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] download --series ТАБЛИЦА --from ДД.ММ.ГГГГ "
                            "--to ДД.ММ.ГГГГ [--service АДРЕС]\n"));
    return 2;
}
} // namespace

int runDownload(const CliContext& context) {
    QString series, from, to, service;
    bool serviceGiven = false;
    const QStringList& args = context.args;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return usage();
        const QString& option = args[i];
        const QString& value = args[i + 1];
        if (option == QLatin1String("--series"))
            series = value;
        else if (option == QLatin1String("--from"))
            from = value;
        else if (option == QLatin1String("--to"))
            to = value;
        else if (option == QLatin1String("--service"))
            service = value, serviceGiven = true;
        else
            return usage();
    }
    if (series.isEmpty() || from.isNull() || to.isNull())
        return usage();

    const auto info = Catalog::findTable(series);
    const auto code = RateRequest::codeForTable(series);
    if (!info || !code || info->layout != Layout::Currency) {
        writeErr(QStringLiteral("Таблица «%1» не найдена среди таблиц курсов валют.\n").arg(series));
        return 2;
    }
    Clock clock;
    // The dates are read as the program reads its date fields, in the Russian form the usage names.
    const RateRequest::Assembled assembled = RateRequest::assemble(DownloadRequest(), code, service, from, to,
                                                                   RegionalSettings::russian(), clock.today().year());
    if (assembled.problem == RateRequest::Problem::BadService) {
        const QString given = serviceGiven ? service : qEnvironmentVariable(RateRequest::kServiceVariable);
        writeErr(QStringLiteral("Неверный адрес службы «%1»: нужен адрес http или https.\n").arg(given));
        return 2;
    }
    ConsolePrompts prompts;
    if (!assembled.ok()) {
        prompts.message(ConnectionFailedMessage());
        return 1;
    }

    Database db;
    if (!openDatabase(context, db))
        return 1;
    try {
        const Settings settings;
        HttpClient client;
        client.setConnectionSettings(StoredConnectionSettings(settings));
        TableObject table(db, Layout::Currency, info->name, context.regional, clock);
        table.open();
        const RateDownloadResult result = DownloadRates(client, assembled.request, table, prompts, TempXmlPath());
        return result.outcome == RateDownloadOutcome::Processed ? 0 : 1;
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return 1;
    }
}
