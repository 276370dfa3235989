#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "common/AppError.h"
#include "net/LoadDownloadedRates.h"
#include "net/RateDownload.h"
#include "store/TableObject.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

class TestLoadDownloadedRates : public QObject {
    Q_OBJECT
private slots:
    void responses_data();
    void responses();
    void failingDatabaseKeepsWhatWasStored();
    void databaseHeldByAnotherConnection();
    void unwritableWorkingFolderUsesCache();
};

namespace {
const QByteArray kDeclaration1251 = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";
const QByteArray kRoot = "<ValCurs ID=\"R01235\" DateRange1=\"01.03.2001\" DateRange2=\"05.03.2001\" "
                         "name=\"Foreign Currency Market Dynamic\">";

QByteArray record(const char* date, const char* nominal, const QByteArray& value) {
    return QByteArray("<Record Date=\"") + date + "\" Id=\"R01235\"><Nominal>" + nominal + "</Nominal><Value>" + value +
           "</Value><VunitRate>" + value + "</VunitRate></Record>";
}

QByteArray oneLine(const QList<QByteArray>& records) {
    return kDeclaration1251 + kRoot + records.join() + "</ValCurs>";
}

QByteArray cp1251(const QString& text) {
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

// The table's rows, newest first, as "date nominal rate upd dt".
QStringList rowsOf(TableObject& table) {
    QStringList rows;
    for (int i = 0; i < table.recordCount(); ++i) {
        const TableRow& r = table.row(i);
        rows << QStringLiteral("%1 %2 %3 %4 %5")
                    .arg(r.values[0].toDate().toString("dd.MM.yyyy"), r.values[1].toString(),
                         QString::number(r.values[2].toDouble(), 'f', 4), r.values[3].toString(),
                         r.values[4].isValid() ? r.values[4].toDate().toString("dd.MM.yyyy") : QStringLiteral("-"));
    }
    return rows;
}

// Every case starts with a rate of 01.03.2001 typed by hand, which no download may change.
const QString kTypedByHand = "01.03.2001 1 30.0000 0 05.03.2001";
} // namespace

void TestLoadDownloadedRates::responses_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    QTest::newRow("one line, as the service answers today")
        << oneLine({record("01.03.2001", "1", "28,6100"), record("02.03.2001", "1", "28,6200"),
                    record("03.03.2001", "1", "28,6500")})
        << QStringList{"03.03.2001 1 28.6500 3 -", "02.03.2001 1 28.6200 3 -", kTypedByHand} << none;

    QTest::newRow("pretty-printed, fields on their own lines")
        << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\" ?>\n" + kRoot +
                      "\n  <Record Date=\"02.03.2001\" Id=\"R01235\">\n    <Nominal>\n      1\n    </Nominal>\n"
                      "    <Value>28,6200</Value>\n  </Record>\n  <Record Date=\"03.03.2001\" Id=\"R01235\">"
                      "<Nominal>1</Nominal>\n<Value>\n28,6500\n</Value></Record>\n</ValCurs>\n")
        << QStringList{"03.03.2001 1 28.6500 3 -", "02.03.2001 1 28.6200 3 -", kTypedByHand} << none;

    QTest::newRow("lines ending in CR CR LF")
        << QByteArray(kDeclaration1251 + "\r\r\n" + kRoot + "\r\r\n" + record("02.03.2001", "1", "28,6200") +
                      "\r\r\n</ValCurs>\r\r\n")
        << QStringList{"02.03.2001 1 28.6200 3 -", kTypedByHand} << none;

    QTest::newRow("windows-1251 text with a no-break space between thousands")
        << QByteArray(kDeclaration1251 + "<ValCurs ID=\"R01235\" name=\"" + cp1251("Динамика курса") + "\">" +
                      record("02.03.2001", "1",
                             "1\xA0"
                             "050,0000") +
                      "</ValCurs>")
        << QStringList{"02.03.2001 1 1050.0000 3 -", kTypedByHand} << none;

    QTest::newRow("utf-8 with no-break space and blank separators")
        << QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>" + kRoot +
                      record("02.03.2001", "1",
                             "1\xC2\xA0"
                             "050,0000") +
                      record("03.03.2001", "1", "12 345 678,5") + "</ValCurs>")
        << QStringList{"03.03.2001 1 12345678.5000 3 -", "02.03.2001 1 1050.0000 3 -", kTypedByHand} << none;

    QTest::newRow("nominals of several digits")
        << oneLine({record("02.03.2001", "100", "28,2829"), record("03.03.2001", "10000", "3,1415")})
        << QStringList{"03.03.2001 10000 3.1415 3 -", "02.03.2001 100 28.2829 3 -", kTypedByHand} << none;

    QTest::newRow("empty range") << QByteArray(kDeclaration1251 + kRoot + "</ValCurs>") << QStringList{kTypedByHand}
                                 << none;

    QTest::newRow("a date repeated is stored once, as it first occurs")
        << oneLine({record("02.03.2001", "1", "28,6200"), record("02.03.2001", "1", "99,0000")})
        << QStringList{"02.03.2001 1 28.6200 3 -", kTypedByHand} << none;

    QTest::newRow("records without a whole value are left out and counted")
        << oneLine({QByteArray("<Record Date=\"02.03.2001\" Id=\"R01235\"><Nominal>1</Nominal></Record>"),
                    record("03.03.2001", "1", "28.6500"), record("04.03.2001", "1", "28,67AB"),
                    record("05.03.2001", "1", "28,6700"), record("06.03.2001", "1", "41e4217"),
                    record("07.03.2001", "1", "2,8E1")})
        << QStringList{"05.03.2001 1 28.6700 3 -", kTypedByHand}
        << QStringList{"Пропущено записей с неверными данными: 5."};

    QTest::newRow("records without a readable date or nominal are left out")
        << oneLine({record("31.02.2001", "1", "28,6200"), record("2001-03-03", "1", "28,6500"),
                    record("04.03.2001", "", "28,6600"), record("05.03.2001", "0", "28,6700"),
                    QByteArray("<Record Id=\"R01235\"><Nominal>1</Nominal><Value>28,6800</Value></Record>")})
        << QStringList{kTypedByHand} << QStringList{"Пропущено записей с неверными данными: 5."};

    const QStringList notRates{"Получен ответ, не содержащий данных о курсах валют.\nДанные не загружены."};
    QTest::newRow("the protection page in HTML")
        << QByteArray("<html><head><title>Access denied</title></head><body><p>Please wait<br></p></body></html>")
        << QStringList{kTypedByHand} << notRates;
    QTest::newRow("well-formed XML of another kind")
        << QByteArray("<?xml version=\"1.0\"?><Error><Record Date=\"02.03.2001\"><Nominal>1</Nominal>"
                      "<Value>28,62</Value></Record></Error>")
        << QStringList{kTypedByHand} << notRates;
    QTest::newRow("cut off after a whole record stores nothing")
        << QByteArray(kDeclaration1251 + kRoot + record("02.03.2001", "1", "28,6200") + "<Record Date=\"03.03")
        << QStringList{kTypedByHand} << notRates;
    QTest::newRow("empty answer") << QByteArray() << QStringList{kTypedByHand} << notRates;
}

void TestLoadDownloadedRates::responses() {
    QFETCH(QByteArray, document);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, messages);

    TestDb db;
    db.add("USD", QDate(2001, 3, 1), 1, 30.0, 0, QDate(2001, 3, 5));
    Clock clock;
    clock.setToday(testToday());
    TableObject table(db.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    table.open();
    ScriptedPrompts prompts;
    const QString temp = db.dir() + "/temp.xml";

    const RateDownloadResult result = ProcessRateResponse(document, table, prompts, temp);
    QCOMPARE(rowsOf(table), rows);
    QCOMPARE(prompts.texts(), messages);
    QCOMPARE(result.outcome == RateDownloadOutcome::NotRateData,
             messages == QStringList{"Получен ответ, не содержащий данных о курсах валют.\nДанные не загружены."});

    // The file holds the answer and one line break; what is stored is in the file, not only in memory.
    QFile saved(temp);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), document + "\n");
    TableObject reread(db.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    reread.open();
    QCOMPARE(rowsOf(reread), rows);
}

void TestLoadDownloadedRates::failingDatabaseKeepsWhatWasStored() {
    TestDb db;
    Clock clock;
    TableObject table(db.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    table.open();
    // A trigger that refuses one date stands for a database that fails in the middle of the run.
    db.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON USD WHEN NEW.CURDATE = '2001-03-03' "
                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    ScriptedPrompts prompts;
    const QString temp = db.dir() + "/temp.xml";
    SaveResponse(oneLine({record("02.03.2001", "1", "28,6200"), record("03.03.2001", "1", "28,6500"),
                          record("04.03.2001", "1", "28,6600")}),
                 temp);
    try {
        LoadDownloadedRates(table, prompts, temp);
        QFAIL("no failure");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), QStringLiteral("Курсы сохранены не все: база данных не приняла значения записи; в таблицу "
                                          "«USD» записано курсов: 1, остальные не записаны. (disk full)"));
    }
    QVERIFY(!table.hasPending());
    QCOMPARE(rowsOf(table), QStringList{"02.03.2001 1 28.6200 3 -"});
    QCOMPARE(db.count("USD"), 1);
    QVERIFY(!db.db().inTransaction());
}

void TestLoadDownloadedRates::databaseHeldByAnotherConnection() {
    TestDb db;
    db.add("USD", QDate(2001, 3, 1), 1, 30.0, 0, QDate(2001, 3, 5));
    Clock clock;
    TableObject table(db.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    table.open();
    ScriptedPrompts prompts;
    const QString temp = db.dir() + "/temp.xml";
    SaveResponse(oneLine({record("02.03.2001", "1", "28,6200"), record("03.03.2001", "1", "28,6500")}), temp);
    // Another program writes to the file and holds it.
    Database other;
    other.open(db.path());
    other.exec("BEGIN IMMEDIATE");
    try {
        LoadDownloadedRates(table, prompts, temp);
        QFAIL("no failure");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), QStringLiteral("Курсы не сохранены: база данных занята другой программой; в таблицу «USD» "
                                          "ничего не записано. (database is locked)"));
    }
    other.exec("ROLLBACK");
    QVERIFY(!db.db().inTransaction());
    QCOMPARE(rowsOf(table), QStringList{kTypedByHand});
    QCOMPARE(db.count("USD"), 1);
    // Once it is free again, the same answer is stored.
    LoadDownloadedRates(table, prompts, temp);
    QCOMPARE(db.count("USD"), 3);
}

void TestLoadDownloadedRates::unwritableWorkingFolderUsesCache() {
    TestDb db;
    Clock clock;
    TableObject table(db.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    table.open();
    ScriptedPrompts prompts;
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    // A "folder" that is a plain file takes no temp.xml, whoever the user is.
    QFile blocker(db.dir() + "/work");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray answer = oneLine({record("02.03.2001", "1", "28,6200")});
    const RateDownloadResult result = ProcessRateResponse(answer, table, prompts, db.dir() + "/work/temp.xml");
    QCOMPARE(result.outcome, RateDownloadOutcome::Processed);
    QCOMPARE(result.loaded.added, 1);
    QCOMPARE(result.savedAt, CachedTempXmlPath());
    QVERIFY(result.savedAt.startsWith(cache.path()));
    QFile saved(result.savedAt);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), answer + "\n");
    QVERIFY(prompts.shown.isEmpty());

    // Without any folder for the copy the answer is still stored.
    QFile cacheBlocker(cache.filePath("blocked"));
    QVERIFY(cacheBlocker.open(QIODevice::WriteOnly));
    cacheBlocker.close();
    qputenv("XDG_CACHE_HOME", cache.filePath("blocked").toUtf8());
    const RateDownloadResult fromMemory = ProcessRateResponse(oneLine({record("03.03.2001", "1", "28,6500")}), table,
                                                              prompts, db.dir() + "/work/temp.xml");
    QCOMPARE(fromMemory.savedAt, QString());
    QCOMPARE(fromMemory.loaded.added, 1);
    QCOMPARE(db.count("USD"), 2);
    qunsetenv("XDG_CACHE_HOME");
}

QTEST_GUILESS_MAIN(TestLoadDownloadedRates)
#include "tst_loaddownloadedrates.moc"
