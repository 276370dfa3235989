#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "import/ImportCommand.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"
#include "store/TableObject.h"

#include <QProcess>
#include <QtTest>

#include <sqlite3.h>

Q_DECLARE_METATYPE(UpdateMode)

namespace {
using Kind = ImportOutcome::Kind;

QString fixture(const QString& name, const QString& codePage) {
    return QStringLiteral(TARVEL_TEST_BUILD_DATA "/import/%1.%2.txt").arg(name, codePage);
}

// An export written in a code page by iconv, as the build writes the fixtures.
QString writeExport(const QString& dir, const QString& text, const char* codePage = "CP1251") {
    static int n = 0;
    const QString path = QStringLiteral("%1/export%2.txt").arg(dir).arg(++n);
    QProcess p;
    p.setStandardOutputFile(path);
    p.start(QStringLiteral("iconv"), {"-f", "UTF-8", "-t", QString::fromLatin1(codePage)});
    p.write(text.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        qFatal("iconv failed");
    return path;
}

int commitHook(void* count) {
    ++*static_cast<int*>(count);
    return 0;
}

// The series the main window shows for a tree node: the group node shows the dollar.
Series seriesOf(int node) {
    static const Series kShown[] = {Series::Dollar,        Series::Dollar, Series::Euro,
                                    Series::OtherCurrency, Series::Mrot,   Series::Refin};
    return kShown[node];
}

// The main window's part of an import: the store, the counters, the dialogs.
struct Window {
    TestDb db;
    Clock clock;
    RegionalSettings ru = RegionalSettings::russian();
    IndicatorStore store{db.db(), ru, clock};
    ChangeCounters counters;
    ScriptedPrompts prompts;

    Window() { clock.setToday(testToday()); }

    // What the navigation does when the node is selected.
    void show(int node) {
        TableObject& t = node >= 4 ? store.tStavka : store.tKurs;
        t.pointAt(QString::fromLatin1(node == 2 ? "EUR" : node == 4 ? "mrot" : node == 5 ? "refin" : "USD"));
        store.makeActive(t);
        counters.reset();
    }

    ImportOutcome import(int node, UpdateMode mode, const QString& file, const QString& startDirectory = {}) {
        show(node);
        return run(node, mode, file, startDirectory);
    }

    // The command on the series shown.
    ImportOutcome run(int node, UpdateMode mode, const QString& file, const QString& startDirectory = {}) {
        if (!file.isEmpty())
            prompts.setNextFileName(file);
        ImportCommand command(store, counters, prompts, clock, ru, startDirectory);
        return command.btnUpdClick(seriesOf(node), mode);
    }

    QStringList messages() const { return prompts.texts(ScriptedPrompts::Kind::Message); }
    QStringList questions() const { return prompts.texts(ScriptedPrompts::Kind::Question); }
};

const QString kWrongFile = "Изменений в текущей таблице не произведено.\nВозможно Вы выбрали неверный файл.";
const QString kError = "Изменений в текущей таблице не произведено.\nВозможно произошла ошибка.";
} // namespace

class TestImportCommand : public QObject {
    Q_OBJECT
private slots:
    void everyExportInBothCodePages_data();
    void everyExportInBothCodePages();
    void recognition_data();
    void recognition();
    void reports_data();
    void reports();
    void failureKeepsWhatWasMergedInOneTransaction();
    void mergeInterplay();
    void cancel();
    void commandAroundTheRun();
    void databaseHeldByAnotherConnection();
};

void TestImportCommand::everyExportInBothCodePages_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("node");
    QTest::addColumn<UpdateMode>("mode");
    QTest::addColumn<QStringList>("records");
    const auto cp = UpdateMode::ConsultantPlus, garant = UpdateMode::Garant;
    QTest::newRow("ConsultantPlus dollar")
        << "consultant-usd" << 1 << cp
        << QStringList{"13.01.2009 29.4545 1", "10.01.2009 29.3804 1", "01.09.2008 24.4165 1", "01.07.2008 23.4912 1",
                       "02.02.1999 22.6 1",    "06.01.1998 5.96 1",    "01.01.1998 5.05 1"};
    QTest::newRow("ConsultantPlus euro") << "consultant-eur" << 2 << cp
                                         << QStringList{"10.01.2009 41.4217 1", "01.09.2008 35.988 1",
                                                        "14.05.2008 36.6714 1", "02.02.1999 25.73 1"};
    QTest::newRow("Garant dollar") << "garant-rates" << 1 << garant
                                   << QStringList{"01.07.2009 31.0908 2", "30.06.2009 31.29 2", "01.07.1999 24.19 2",
                                                  "01.01.1999 20.65 2",   "31.12.1998 20.65 2", "17.08.1998 6.3 2"};
    QTest::newRow("Garant euro") << "garant-rates" << 2 << garant
                                 << QStringList{"01.07.2009 43.879 2", "30.06.2009 43.97 2", "01.07.1999 25.1 2",
                                                "01.01.1999 24 2"};
    QTest::newRow("ConsultantPlus MROT") << "consultant-mrot" << 4 << cp
                                         << QStringList{"01.05.2006 1100 1100 1", "01.09.2005 800 800 1",
                                                        "01.07.2001 100 300 1", "01.01.2001 200 200 1",
                                                        "01.07.2000 132 132 1"};
    QTest::newRow("Garant MROT") << "garant-mrot" << 4 << garant
                                 << QStringList{"01.05.2006 1100 - 2", "01.09.2005 800 - 2", "01.07.2001 300 - 2",
                                                "02.01.1998 83.49 - 2"};
    QTest::newRow("ConsultantPlus refinancing rate")
        << "consultant-refin" << 5 << cp
        << QStringList{"14.09.2012 8.25 - 1", "03.05.2011 8.25 - 1", "28.02.2011 8 - 1", "01.06.2010 7.75 - 1"};
    QTest::newRow("Garant refinancing rate")
        << "garant-refin" << 5 << garant
        << QStringList{"03.05.2011 8.25 - 2", "28.02.2011 8 - 2", "01.06.2010 7.75 - 2", "15.10.1997 21 - 2"};
}

void TestImportCommand::everyExportInBothCodePages() {
    QFETCH(QString, file);
    QFETCH(int, node);
    QFETCH(UpdateMode, mode);
    QFETCH(QStringList, records);
    const QString table = QString::fromLatin1(node == 1 ? "USD" : node == 2 ? "EUR" : node == 4 ? "MROT" : "refin");
    for (const QString& codePage : QStringList{"1251", "866"}) {
        Window w;
        const ImportOutcome outcome = w.import(node, mode, fixture(file, codePage));
        QCOMPARE(outcome.kind, Kind::Report);
        QCOMPARE(outcome.dosMode, codePage == "866");
        QCOMPARE(StoredRecords(w.db.path(), table), records);
        const QString report =
            "Имеющиеся записи не были изменены.\nДобавлено записей: " + QString::number(records.size()) + ".";
        QCOMPARE(outcome.text, report);
        QCOMPARE(w.messages(), QStringList{report});
        QCOMPARE(w.counters.added, records.size());
        QVERIFY(w.questions().isEmpty());
        const QDate today = w.store.active().asDate(u"DT");
        QCOMPARE(today, testToday());
    }
}

void TestImportCommand::recognition_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("node");
    QTest::addColumn<UpdateMode>("mode");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("report");
    const QString added4 = "Имеющиеся записи не были изменены.\nДобавлено записей: 4.";
    QTest::newRow("second signature restarts the euro column")
        << "garant-rates-twice" << 2 << UpdateMode::Garant << 4 << added4;
    QTest::newRow("dollar column reads over the second signature")
        << "garant-rates-twice" << 1 << UpdateMode::Garant << 6
        << "Имеющиеся записи не были изменены.\nДобавлено записей: 6.";
    QTest::newRow("MROT end line, footnotes not read") << "consultant-mrot" << 4 << UpdateMode::ConsultantPlus << 5
                                                       << "Имеющиеся записи не были изменены.\nДобавлено записей: 5.";
    QTest::newRow("no signature, dollar") << "no-signature" << 1 << UpdateMode::ConsultantPlus << 0 << kWrongFile;
    QTest::newRow("no signature, Garant MROT") << "no-signature" << 4 << UpdateMode::Garant << 0 << kWrongFile;
    QTest::newRow("export of another series") << "consultant-eur" << 1 << UpdateMode::ConsultantPlus << 0 << kWrongFile;
    QTest::newRow("export of the other system") << "garant-refin" << 5 << UpdateMode::ConsultantPlus << 0 << kWrongFile;
    QTest::newRow("group node imports the dollar") << "consultant-usd" << 0 << UpdateMode::ConsultantPlus << 7
                                                   << "Имеющиеся записи не были изменены.\nДобавлено записей: 7.";
}

void TestImportCommand::recognition() {
    QFETCH(QString, file);
    QFETCH(int, node);
    QFETCH(UpdateMode, mode);
    QFETCH(int, records);
    QFETCH(QString, report);
    const QString table = QString::fromLatin1(node <= 1 ? "USD" : node == 2 ? "EUR" : node == 4 ? "MROT" : "refin");
    for (const QString& codePage : QStringList{"1251", "866"}) {
        Window w;
        const ImportOutcome outcome = w.import(node, mode, fixture(file, codePage));
        QCOMPARE(outcome.text, report);
        QCOMPARE(outcome.kind, Kind::Report);
        QCOMPARE(StoredRecords(w.db.path(), table).size(), records);
    }
}

void TestImportCommand::reports_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("node");
    QTest::addColumn<UpdateMode>("mode");
    QTest::addColumn<QString>("file"); // a fixture name, or "=" followed by the text of an export
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("failedLine");
    const auto cp = UpdateMode::ConsultantPlus;
    QTest::newRow("added only") << "" << 1 << cp << "consultant-usd" << int(Kind::Report)
                                << "Имеющиеся записи не были изменены.\nДобавлено записей: 7." << 0;
    QTest::newRow("changed and added") << "downloaded 10.01.2009" << 1 << cp << "consultant-usd" << int(Kind::Report)
                                       << "Изменено записей: 1.\nДобавлено записей: 6." << 0;
    QTest::newRow("changed only") << "typed refin" << 5 << UpdateMode::Garant << "garant-refin" << int(Kind::Report)
                                  << "Изменено записей: 4.\nНовых записей добавлено не было." << 0;
    QTest::newRow("everything equal") << "imported usd" << 1 << cp << "consultant-usd" << int(Kind::Report)
                                      << kWrongFile << 0;
    QTest::newRow("failure after records were written")
        << "" << 1 << cp << "consultant-usd-note" << int(Kind::Failure)
        << "Имеющиеся записи не были изменены.\nДобавлено записей: 3.\nИмпорт прерван: ошибка в строке 13.\n"
           "Строка не похожа на строку таблицы: «Примечание. Курс действует с учетом даты его установления.»."
        << 13;
    QTest::newRow("failure after a change")
        << "downloaded 10.01.2009" << 1 << cp << "consultant-usd-note" << int(Kind::Failure)
        << "Изменено записей: 1.\nДобавлено записей: 2.\nИмпорт прерван: ошибка в строке 13.\n"
           "Строка не похожа на строку таблицы: «Примечание. Курс действует с учетом даты его установления.»."
        << 13;
    QTest::newRow("rate not a number")
        << "" << 1 << UpdateMode::Garant << "=КУРСЫ ДОЛЛАРА США,\n\n01/07/2009   31,O908\n01/06/2009   31,0\n"
        << int(Kind::Failure) << kError + "\nИмпорт прерван: ошибка в строке 3.\nНе удалось прочитать курс: «31,O908»."
        << 3;
    QTest::newRow("rate of zero") << "" << 1 << UpdateMode::Garant << "=КУРСЫ ДОЛЛАРА США,\n01/07/2009   0,0000\n"
                                  << int(Kind::Failure)
                                  << kError +
                                         "\nИмпорт прерван: ошибка в строке 2.\nКурс должен быть больше нуля: «0,0000»."
                                  << 2;
    QTest::newRow("no such day")
        << "" << 1 << cp << "=1 Доллар США\nс 31 февраля 2009 г.  29,3804\n"
        << int(Kind::Failure)
        << kError + "\nИмпорт прерван: ошибка в строке 2.\nДата не существует: «31 февраля 2009 г.»." << 2;
    QTest::newRow("capital month") << "" << 4 << cp << "=Сумма минимального\n¦с 1 Мая 2006 г.     ¦   1100      ¦\n"
                                   << int(Kind::Failure)
                                   << kError +
                                          "\nИмпорт прерван: ошибка в строке 2.\nНе удалось прочитать месяц: «Мая»."
                                   << 2;
    QTest::newRow("MROT amount of zero")
        << "" << 4 << UpdateMode::Garant << "=размер оплаты труда\n¦ 01.06.2011 ¦ 0 ¦\n"
        << int(Kind::Failure)
        << kError + "\nИмпорт прерван: ошибка в строке 2.\nРазмер МРОТ должен быть больше нуля: «0»." << 2;
    QTest::newRow("other currencies have no importer")
        << "" << 3 << cp << "consultant-usd" << int(Kind::Failure)
        << kError + "\nДля выбранного ряда импорт из файла не предусмотрен." << 0;
    QTest::newRow("manual mode reads nothing")
        << "" << 1 << UpdateMode::Manual << "consultant-usd" << int(Kind::Failure)
        << kError + "\nНе выбран источник файла: «КонсультантПлюс» или «Гарант»." << 0;
    QTest::newRow("file cannot be opened")
        << "" << 1 << cp << "absent" << int(Kind::Failure) << kError + "\nНе удалось открыть файл «@absent»." << 0;
}

void TestImportCommand::reports() {
    QFETCH(QString, setup);
    QFETCH(int, node);
    QFETCH(UpdateMode, mode);
    QFETCH(QString, file);
    QFETCH(int, kind);
    QFETCH(QString, report);
    QFETCH(int, failedLine);
    Window w;
    if (setup == "downloaded 10.01.2009") {
        w.db.add("USD", QDate(2009, 1, 10), 1, 29.0, 3);
    } else if (setup == "typed refin") {
        for (const QDate d : {QDate(2011, 5, 3), QDate(2011, 2, 28), QDate(2010, 6, 1), QDate(1997, 10, 15)})
            w.db.add("refin", d, 1.0, QVariant(), 0, QDate(2011, 1, 1));
    } else if (setup == "imported usd") {
        w.import(1, UpdateMode::ConsultantPlus, fixture("consultant-usd", "1251"));
        w.prompts.clear();
    }
    QString path;
    if (file.startsWith('='))
        path = writeExport(w.db.dir(), file.mid(1).replace("¦", "│"), "CP866");
    else if (file == "absent")
        path = w.db.dir() + "/absent.txt";
    else
        path = fixture(file, "1251");
    w.prompts.setDefaultAnswer(true);
    report.replace("@absent", QDir::toNativeSeparators(path));
    const ImportOutcome outcome = w.import(node, mode, path);
    QCOMPARE(int(outcome.kind), kind);
    QCOMPARE(outcome.text, report);
    QCOMPARE(outcome.failedLine, failedLine);
    QCOMPARE(w.messages(), QStringList{report});
}

void TestImportCommand::failureKeepsWhatWasMergedInOneTransaction() {
    Window w;
    int commits = 0;
    sqlite3_commit_hook(w.db.db().handle(), commitHook, &commits);
    const ImportOutcome outcome = w.import(1, UpdateMode::ConsultantPlus, fixture("consultant-usd-note", "866"));
    QCOMPARE(outcome.kind, Kind::Failure);
    QCOMPARE(commits, 1);
    QVERIFY(!w.db.db().inTransaction());
    // A second connection sees what was merged before the failing line.
    QCOMPARE(StoredRecords(w.db.path(), "USD"),
             (QStringList{"13.01.2009 29.4545 1", "10.01.2009 29.3804 1", "01.09.2008 24.4165 1"}));
    QCOMPARE(w.counters.added, 3);

    commits = 0;
    QCOMPARE(w.import(1, UpdateMode::ConsultantPlus, fixture("consultant-usd", "1251")).kind, Kind::Report);
    QCOMPARE(commits, 1);
    QCOMPARE(w.counters.added, 4);
    sqlite3_commit_hook(w.db.db().handle(), nullptr, nullptr);
}

void TestImportCommand::mergeInterplay() {
    Window w;
    const QString consultant = fixture("consultant-usd", "1251");
    QCOMPARE(w.import(1, UpdateMode::ConsultantPlus, consultant).kind, Kind::Report);

    // The same system again: nothing asked, even where the file now differs from the store.
    const QString changedConsultant = writeExport(w.db.dir(), "1 Доллар США\nс 13 января 2009 г.    29,5000\n");
    w.prompts.clear();
    QCOMPARE(w.import(1, UpdateMode::ConsultantPlus, changedConsultant).text, kWrongFile);
    QVERIFY(w.questions().isEmpty());

    // The other system asks for every differing date; No keeps the stored value.
    const QString garant = writeExport(w.db.dir(), "КУРСЫ ДОЛЛАРА США,\n13/01/2009   29,5000\n10/01/2009   29,3804\n"
                                                   "01/09/2008   24,5\n");
    w.prompts.clear();
    w.prompts.setNextAnswers({false, true});
    const ImportOutcome outcome = w.import(1, UpdateMode::Garant, garant);
    QCOMPARE(w.questions().size(), 2);
    QVERIFY(
        w.questions().at(0).contains("На 13.01.2009 в таблице значение - 29,4545, а в импортируемой записи - 29,5. "));
    QVERIFY(w.questions().at(0).contains("Значение в таблице было добавлено из системы \"КонсультантПлюс\"."));
    QVERIFY(w.questions().at(1).contains("На 01.09.2008"));
    QCOMPARE(outcome.text, "Изменено записей: 1.\nНовых записей добавлено не было.");
    const QStringList records = StoredRecords(w.db.path(), "USD");
    QCOMPARE(records.at(0), "13.01.2009 29.4545 1");
    QCOMPARE(records.at(2), "01.09.2008 24.5 2");

    // Garant twice: silent; ConsultantPlus over the Garant value asks.
    w.prompts.clear();
    w.import(1, UpdateMode::Garant, writeExport(w.db.dir(), "КУРСЫ ДОЛЛАРА США,\n01/09/2008   24,6\n"));
    QVERIFY(w.questions().isEmpty());
    w.prompts.clear();
    w.prompts.setNextAnswers({false});
    w.import(1, UpdateMode::ConsultantPlus, consultant);
    QCOMPARE(w.questions().size(), 1);
    QVERIFY(w.questions().at(0).contains("из системы \"Гарант\""));
}

void TestImportCommand::cancel() {
    Window w;
    w.show(1);
    w.counters.added = 5;
    w.counters.changed = 2;
    ImportCommand command(w.store, w.counters, w.prompts, w.clock, w.ru, {});
    const ImportOutcome outcome = command.btnUpdClick(Series::Dollar, UpdateMode::ConsultantPlus);
    QCOMPARE(outcome.kind, Kind::Cancelled);
    QVERIFY(w.messages().isEmpty());
    QCOMPARE(w.counters.added, 0);
    QCOMPARE(w.counters.changed, 0);
    QVERIFY(!w.store.active().controlsDisabled());
    QCOMPARE(w.prompts.lastFilter, "Text files (*.txt)|*.txt");
}

void TestImportCommand::commandAroundTheRun() {
    Window w;
    w.db.add("MROT", QDate(1990, 1, 1), 70.0, 70.0, 0);
    w.db.add("MROT", QDate(2007, 9, 1), 2300.0, 2300.0, 0);
    w.show(4);
    w.store.tStavka.last(); // the user looks at the oldest record
    int cursorMoves = 0;
    connect(&w.store.tStavka, &TableObject::cursorMoved, this, [&] { ++cursorMoves; });

    QTemporaryDir start;
    const QString before = QDir::currentPath();
    const ImportOutcome outcome = w.run(4, UpdateMode::Garant, fixture("garant-mrot", "866"), start.path());
    QCOMPARE(outcome.kind, Kind::Report);
    QCOMPARE(QDir::currentPath(), QDir(start.path()).canonicalPath());
    QDir::setCurrent(before);
    QCOMPARE(w.prompts.lastDirectory, start.path());

    // The grid follows again only at the end, once.
    QCOMPARE(cursorMoves, 1);
    QVERIFY(!w.store.active().controlsDisabled());
    // The MROT dataset is opened again on its table.
    QCOMPARE(w.store.tStavka.tableName(), "MROT");
    QCOMPARE(w.store.tStavka.recordCount(), 6);
}

void TestImportCommand::databaseHeldByAnotherConnection() {
    Window w;
    Database other;
    other.open(w.db.path());
    other.exec("BEGIN IMMEDIATE");
    const ImportOutcome outcome = w.import(1, UpdateMode::ConsultantPlus, fixture("consultant-usd", "1251"));
    other.exec("ROLLBACK");
    QCOMPARE(outcome.kind, Kind::Failure);
    QCOMPARE(outcome.text, kError + "\nИмпорт не начат: база данных занята другой программой; в таблицу ничего не "
                                    "записано. (database is locked)");
    QCOMPARE(w.db.count("USD"), 0);
    QVERIFY(!w.db.db().inTransaction());
    // Free again: the same file imports.
    QCOMPARE(w.import(1, UpdateMode::ConsultantPlus, fixture("consultant-usd", "1251")).kind, Kind::Report);
    QCOMPARE(w.db.count("USD"), 7);
}

QTEST_GUILESS_MAIN(TestImportCommand)
#include "tst_importcommand.moc"
