// The import of a generated ConsultantPlus dollar export of 10,000 days into an empty series and again (every
// record equal), and the processing of a generated 10,000-record service answer, new and again (every date
// present); beside them the sqlite3 tool loading the same 10,000 rows from CSV into the same table of a database
// made by tarvel-cli init-db, in one transaction. The runs of the four and of the reference alternate, so that a
// change of load on the machine touches them alike.
// Usage: bench_import [runs]
#include "BenchSupport.h"
#include "GeneratedExports.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "common/RegionalSettings.h"
#include "import/ImportCommand.h"
#include "net/LoadDownloadedRates.h"
#include "store/Database.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>

namespace {
constexpr int kRecords = 10000;

class BenchPrompts : public Prompts {
public:
    explicit BenchPrompts(QString file) : m_file(std::move(file)) {}
    void message(const QString& text) override { messages << text; }
    void information(const QString& text) override { messages << text; }
    bool question(const QString&) override {
        ++questions;
        return false;
    }
    bool confirm(const QString&) override { return false; }
    QString openFile(const QString&, const QString&) override { return m_file; }
    QStringList messages;
    int questions = 0;

private:
    QString m_file;
};

void check(bool ok, const QString& what) {
    if (!ok)
        throw std::runtime_error(what.toStdString());
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    check(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), QStringLiteral("cannot write ") + path);
}

QString freshCopy(const QString& pristine, const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
    check(QFile::copy(pristine, path), QStringLiteral("cannot copy ") + pristine);
    return path;
}

struct Session {
    Database db;
    Clock clock;
    RegionalSettings ru = RegionalSettings::russian();
    std::unique_ptr<IndicatorStore> store;
    explicit Session(const QString& path) {
        db.open(path);
        store = std::make_unique<IndicatorStore>(db, ru, clock);
        store->tKurs.pointAt(QStringLiteral("USD"));
        store->makeActive(store->tKurs);
    }
};

// One run of the main window's import command on the dollar node; the database and the table are open before
// the clock starts, as they are in the window.
double importOnce(const QString& dbPath, const QString& file, int expectAdded) {
    Session s(dbPath);
    BenchPrompts prompts(file);
    ChangeCounters counters;
    ImportCommand command(*s.store, counters, prompts, s.clock, s.ru, QString());
    ImportOutcome outcome;
    const double elapsed =
        Bench::timeMs([&] { outcome = command.btnUpdClick(Series::Dollar, UpdateMode::ConsultantPlus); });
    check(outcome.kind == ImportOutcome::Kind::Report && counters.added == expectAdded && counters.changed == 0 &&
              prompts.questions == 0,
          QStringLiteral("unexpected import: ") + outcome.text);
    return elapsed;
}

double processOnce(const QString& dbPath, const QString& file, int expectAdded) {
    Session s(dbPath);
    BenchPrompts prompts(file);
    LoadedRates loaded;
    const double elapsed = Bench::timeMs([&] { loaded = LoadDownloadedRates(s.store->tKurs, prompts, file); });
    check(loaded.rateData && loaded.added == expectAdded && loaded.skipped == 0 && prompts.messages.isEmpty(),
          QStringLiteral("unexpected processing: %1 added").arg(loaded.added));
    return elapsed;
}

// The stored rows as CSV, in the engine's own text for every value.
QByteArray rowsAsCsv(const QString& dbPath) {
    Database db;
    db.open(dbPath);
    Statement st(db, QStringLiteral("SELECT CURDATE, NOMINAL, KURS, UPD, DT FROM USD ORDER BY CURDATE"));
    QByteArray csv;
    while (st.step()) {
        for (int c = 0; c < 5; ++c) {
            if (c)
                csv += ',';
            csv += reinterpret_cast<const char*>(sqlite3_column_text(st.handle(), c));
        }
        csv += '\n';
    }
    return csv;
}

// What both ways must have stored: every row, with the engine's types of the schema.
QString storedDigest(const QString& dbPath) {
    Database db;
    db.open(dbPath);
    Statement st(db, QStringLiteral("SELECT count(*), total(KURS), min(CURDATE), max(CURDATE), count(DT), "
                                    "sum(typeof(KURS) = 'real' AND typeof(NOMINAL) = 'integer' AND "
                                    "typeof(UPD) = 'integer' AND typeof(CURDATE) = 'text') FROM USD"));
    st.step();
    QStringList parts;
    for (int c = 0; c < 6; ++c)
        parts << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.handle(), c)));
    return parts.join(QLatin1Char(' '));
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = Bench::runCount(argc, argv);
    try {
        QTemporaryDir dir;
        check(dir.isValid(), QStringLiteral("no temporary folder"));
        const auto path = [&dir](const QString& name) { return dir.filePath(name); };

        const QString pristine = path(QStringLiteral("empty.db"));
        Bench::runProgram(Bench::programBinDir() + QStringLiteral("/tarvel-cli"),
                          {QStringLiteral("init-db"), pristine});
        const QString exportFile = path(QStringLiteral("usd.txt"));
        writeFile(exportFile, consultantDollarExport(kRecords, true));
        const QString responseFile = path(QStringLiteral("temp.xml"));
        writeFile(responseFile, rateServiceResponse(kRecords));

        // The rows the import stores, for the reference to load.
        const QString imported = freshCopy(pristine, path(QStringLiteral("imported.db")));
        importOnce(imported, exportFile, kRecords);
        const QString csvFile = path(QStringLiteral("rows.csv"));
        writeFile(csvFile, rowsAsCsv(imported));
        const QString expected = storedDigest(imported);
        const QByteArray script =
            "PRAGMA synchronous=FULL;\n.bail on\nBEGIN;\n.import --csv " + csvFile.toUtf8() + " USD\nCOMMIT;\n";

        const QString cli = Bench::programBinDir() + QStringLiteral("/tarvel-cli");
        std::vector<double> importNew, importAgain, processNew, processAgain, reference, sqliteStart, cliImport;
        for (int r = 0; r < runs; ++r) {
            const QString db = freshCopy(pristine, path(QStringLiteral("import.db")));
            importNew.push_back(importOnce(db, exportFile, kRecords));
            importAgain.push_back(importOnce(db, exportFile, 0));
            check(storedDigest(db) == expected, QStringLiteral("the import stored other rows"));

            const QString refDb = freshCopy(pristine, path(QStringLiteral("reference.db")));
            reference.push_back(Bench::runProgram(QStringLiteral("sqlite3"), {refDb}, script));
            check(storedDigest(refDb) == expected, QStringLiteral("sqlite3 stored other rows: ") + storedDigest(refDb) +
                                                       QStringLiteral(" instead of ") + expected);
            sqliteStart.push_back(Bench::runProgram(QStringLiteral("sqlite3"), {refDb}, "PRAGMA synchronous=FULL;\n"));

            // The whole process, as sqlite3 is timed: start, open, import, report, exit.
            const QString cliDb = freshCopy(pristine, path(QStringLiteral("cli.db")));
            cliImport.push_back(Bench::runProgram(
                cli, {QStringLiteral("--db"), cliDb, QStringLiteral("import"), QStringLiteral("--series"),
                      QStringLiteral("usd"), QStringLiteral("--source"), QStringLiteral("consultant"), exportFile}));
            check(storedDigest(cliDb) == expected, QStringLiteral("tarvel-cli import stored other rows"));

            const QString loadDb = freshCopy(pristine, path(QStringLiteral("download.db")));
            processNew.push_back(processOnce(loadDb, responseFile, kRecords));
            processAgain.push_back(processOnce(loadDb, responseFile, 0));
        }

        const double ref = Bench::median(reference);
        const QString refText = Bench::ms(ref) + QStringLiteral(" (sqlite3 .import)");
        const QString target = QStringLiteral("<= 3x reference");
        const auto within = [ref](double v) { return v <= 3 * ref; };
        const struct {
            const char* measure;
            double figure;
        } rows[] = {
            {"Import, 10,000-day ConsultantPlus dollar export, empty series", Bench::median(importNew)},
            {"Import again, same file (all equal)", Bench::median(importAgain)},
            {"Processing, 10,000-record service answer, new", Bench::median(processNew)},
            {"Processing again (all present)", Bench::median(processAgain)},
        };
        for (const auto& row : rows)
            Bench::row(QLatin1String(row.measure), Bench::ms(row.figure), refText, Bench::ratio(row.figure, ref),
                       target, within(row.figure));
        const double whole = Bench::median(cliImport);
        Bench::row(QStringLiteral("Import as a whole process, tarvel-cli import, empty series"), Bench::ms(whole),
                   refText, Bench::ratio(whole, ref), QStringLiteral("<= 1.5x reference"), whole <= 1.5 * ref);
        Bench::infoRow(QStringLiteral("(sqlite3 start and open alone, part of the reference)"),
                       Bench::ms(Bench::median(sqliteStart)));
    } catch (const std::exception& e) { // AppError too
        std::fprintf(stderr, "bench_import: %s\n", e.what());
        return 1;
    }
    return 0;
}
