#include "CliContext.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "import/ImportCommand.h"
#include "import/SeriesImport.h"
#include "store/Database.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The import's dialogs without windows: the file is the one given, each question goes to stderr with the
// answer given for all of them, the report goes to stdout.
class CliImportPrompts : public Prompts {
public:
    CliImportPrompts(QString fileName, bool answer) : m_fileName(std::move(fileName)), m_answer(answer) {}
    void message(const QString& text) override { writeOut(text + QLatin1Char('\n')); }
    void information(const QString& text) override { writeOut(text + QLatin1Char('\n')); }
    bool question(const QString& text) override { return answer(text); }
    bool confirm(const QString& text) override { return answer(text); }
    QString openFile(const QString&, const QString&) override { return m_fileName; }

private:
    bool answer(const QString& text) {
        writeErr(text + (m_answer ? QStringLiteral("\nОтвет: да\n") : QStringLiteral("\nОтвет: нет\n")));
        return m_answer;
    }
    QString m_fileName;
    bool m_answer;
};

int usage() {
    writeErr(QStringLiteral("Использование: tarvel-cli [--db ФАЙЛ] import --series usd|eur|mrot|refin "
                            "--source consultant|garant [--answer yes|no] ФАЙЛ\n"));
    return 2;
}
} // namespace

int runImport(const CliContext& context) {
    QString series, source, answer = QStringLiteral("no"), fileName;
    QStringList args = context.args;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        QString* option = arg == QLatin1String("--series")   ? &series
                          : arg == QLatin1String("--source") ? &source
                          : arg == QLatin1String("--answer") ? &answer
                                                             : nullptr;
        if (option) {
            if (args.isEmpty())
                return usage();
            *option = args.takeFirst();
        } else if (arg.startsWith(QLatin1String("--")) || !fileName.isEmpty()) {
            return usage();
        } else {
            fileName = arg;
        }
    }
    // Only the series that have a file import.
    const std::optional<Series> chosen = SeriesTable::byKey(series);
    const bool importable = chosen && SeriesImports::of(*chosen);
    const UpdateMode mode = source == QLatin1String("consultant") ? UpdateMode::ConsultantPlus
                            : source == QLatin1String("garant")   ? UpdateMode::Garant
                                                                  : UpdateMode::Manual;
    if (!importable || mode == UpdateMode::Manual || fileName.isEmpty() ||
        (answer != QLatin1String("yes") && answer != QLatin1String("no")))
        return usage();

    Database db;
    if (!openDatabase(context, db))
        return 1;
    Clock clock;
    IndicatorStore store(db, context.regional, clock);
    ChangeCounters counters;
    try {
        TableObject& table = SeriesTable::of(*chosen).layout == Layout::Wage ? store.tStavka : store.tKurs;
        table.pointAt(SeriesTable::tableOf(*chosen, -1));
        store.makeActive(table);
    } catch (const AppError& e) {
        writeErr(e.text() + QLatin1Char('\n'));
        return 1;
    }
    CliImportPrompts prompts(QFileInfo(fileName).absoluteFilePath(), answer == QLatin1String("yes"));
    ImportCommand command(store, counters, prompts, clock, context.regional, QDir::currentPath());
    const ImportOutcome outcome = command.btnUpdClick(*chosen, mode);
    return outcome.kind == ImportOutcome::Kind::Report ? 0 : 1;
}
