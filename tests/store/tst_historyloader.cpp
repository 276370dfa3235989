#include "TestDb.h"

#include "common/AppError.h"
#include "store/HistoryLoader.h"
#include "store/TableObject.h"
#include "store/UpdateSource.h"

#include <QtTest>

namespace {
void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

int dataLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(f.readAll().count('\n')) - 1;
}

const QByteArray kGoodEur = "CURDATE,NOMINAL,KURS\n2023-03-17,1,81.1418\n2023-03-16,1,80.8763\n";
} // namespace

class TestHistoryLoader : public QObject {
    Q_OBJECT
private slots:
    void loadsGoodDirectory();
    void loadsShippedHistory();
    void refusesBadLine_data();
    void refusesBadLine();
    void refusesDateAlreadyStored();
};

void TestHistoryLoader::loadsGoodDirectory() {
    QTemporaryDir dir;
    writeFile(dir.filePath("USD.csv"),
              "\xEF\xBB\xBF"
              "CURDATE,NOMINAL,KURS\r\n2023-03-17,1,76.4095\r\n1992-07-01,1,125.26\r\n1997-12-30,1000,5960\r\n");
    writeFile(dir.filePath("refin.csv"), "CURDATE,RAZMER\n2025-12-22,16\n2025-10-27,16.5\n");
    writeFile(dir.filePath("price.csv"),
              "CURDATE,TOMONTH,PERIOD\n2020-09-01,99.93,сентябрь 2020 г.\n2021-06-01,100.69,\"июнь, 2021 г.\"\n");
    writeFile(dir.filePath("README.md"), "not a series, left alone\n");

    TestDb t;
    const QList<HistorySeries> loaded = HistoryLoader(t.db(), RegionalSettings::russian()).load(dir.path());
    QCOMPARE(loaded.size(), 3);
    QCOMPARE(loaded[0].table, QStringLiteral("price"));
    QCOMPARE(loaded[0].records, 2);
    QCOMPARE(loaded[1].table, QStringLiteral("refin"));
    QCOMPARE(loaded[2].table, QStringLiteral("USD"));
    QCOMPARE(loaded[2].records, 3);
    QCOMPARE(t.count("EUR"), 0);

    Clock clock;
    TableObject usd(t.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    usd.open();
    QCOMPARE(usd.recordCount(), 3);
    QCOMPARE(usd.asDate(u"CURDATE"), QDate(2023, 3, 17));
    QCOMPARE(usd.asFloat(u"KURS"), 76.4095);
    QCOMPARE(usd.asInteger(u"UPD"), int(UpdateSource::Shipped));
    QVERIFY(usd.isNull(u"DT"));
    usd.next();
    QCOMPARE(usd.asInteger(u"NOMINAL"), 1000);
    QCOMPARE(usd.asFloat(u"KURS"), 5960.0);

    TableObject refin(t.db(), Layout::Wage, "refin", RegionalSettings::russian(), clock);
    refin.open();
    QCOMPARE(refin.displayText(u"RAZMER"), QStringLiteral("16"));
    QVERIFY(refin.isNull(u"RAZMER2"));

    TableObject price(t.db(), Layout::Price, "price", RegionalSettings::russian(), clock);
    price.open();
    QCOMPARE(price.displayText(u"PERIOD"), QStringLiteral("июнь, 2021 г."));
    QCOMPARE(price.asFloat(u"TOMONTH"), 100.69);
    price.next();
    QCOMPARE(price.displayText(u"PERIOD"), QStringLiteral("сентябрь 2020 г."));
}

void TestHistoryLoader::loadsShippedHistory() {
    // The files the build puts into the shipped database pass every check, record for record.
    const QString dir = QStringLiteral(TARVEL_HISTORY_DIR);
    TestDb t;
    const QList<HistorySeries> loaded = HistoryLoader(t.db(), RegionalSettings::russian()).load(dir);
    QCOMPARE(loaded.size(), 5);
    for (const HistorySeries& s : loaded) {
        QCOMPARE(s.records, dataLines(s.file));
        QCOMPARE(t.count(s.table), s.records);
    }
    Clock clock;
    TableObject usd(t.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    usd.open();
    QCOMPARE(usd.asDate(u"CURDATE"), QDate(2025, 11, 7));
    QCOMPARE(usd.asFloat(u"KURS"), 81.3765);
    QCOMPARE(usd.asInteger(u"UPD"), int(UpdateSource::Shipped));
    usd.last();
    QCOMPARE(usd.asDate(u"CURDATE"), QDate(1992, 7, 1));
    TableObject eur(t.db(), Layout::Currency, "EUR", RegionalSettings::russian(), clock);
    eur.open();
    QCOMPARE(eur.asDate(u"CURDATE"), QDate(2023, 10, 28));
    TableObject price(t.db(), Layout::Price, "price", RegionalSettings::russian(), clock);
    price.open();
    QCOMPARE(price.displayText(u"PERIOD"), QStringLiteral("ноябрь 2025 г."));
    TableObject mrot(t.db(), Layout::Wage, "MROT", RegionalSettings::russian(), clock);
    mrot.open();
    QCOMPARE(mrot.asDate(u"CURDATE"), QDate(2026, 1, 1));
    QCOMPARE(mrot.asFloat(u"RAZMER2"), 27093.0);
}

void TestHistoryLoader::refusesBadLine_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");

    const QByteArray head = "CURDATE,NOMINAL,KURS\n2023-03-17,1,76.4095\n";
    QTest::newRow("impossible day") << "USD.csv" << head + "2023-02-30,1,75.1\n"
                                    << QStringList{"USD.csv", "строка 3", "2023-02-30"};
    QTest::newRow("regional date") << "USD.csv" << head + "16.03.2023,1,75.7457\n"
                                   << QStringList{"строка 3", "ГГГГ-ММ-ДД"};
    QTest::newRow("decimal comma") << "USD.csv" << head + "2023-03-16,1,\"75,7457\"\n"
                                   << QStringList{"строка 3", "KURS", "75,7457"};
    QTest::newRow("zero nominal") << "USD.csv" << head + "2023-03-16,0,75.7457\n" << QStringList{"строка 3", "NOMINAL"};
    QTest::newRow("missing field") << "USD.csv" << head + "\n2023-03-16,75.7457\n"
                                   << QStringList{"строка 4", "найдено: 2"};
    QTest::newRow("duplicate date") << "USD.csv" << head + "2023-03-16,1,75.7\n2023-03-17,1,76.4\n"
                                    << QStringList{"строка 4", "17.03.2023", "строке 2"};
    QTest::newRow("wrong header") << "USD.csv" << QByteArray("CURDATE,KURS,UPD\n2023-03-17,76.4,3\n")
                                  << QStringList{"строка 1", "CURDATE,NOMINAL,KURS"};
    QTest::newRow("text too long") << "price.csv"
                                   << QByteArray("CURDATE,PERIOD,TOMONTH\n2021-06-01,июнь две тысячи 21 г.,100.69\n")
                                   << QStringList{"price.csv", "строка 2", "18"};
    QTest::newRow("not utf-8") << "price.csv"
                               << QByteArray("CURDATE,PERIOD,TOMONTH\n2021-06-01,\xE8\xFE\xED\xFC,100.69\n")
                               << QStringList{"строка 2", "UTF-8"};
    QTest::newRow("no such table") << "GOLD.csv" << head << QStringList{"GOLD.csv", "GOLD"};
}

void TestHistoryLoader::refusesBadLine() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);

    // A good file beside the bad one: the refusal leaves it unloaded too.
    QTemporaryDir dir;
    writeFile(dir.filePath("EUR.csv"), kGoodEur);
    writeFile(dir.filePath(file), content);
    TestDb t;
    try {
        HistoryLoader(t.db(), RegionalSettings::russian()).load(dir.path());
        QFAIL("the load was not refused");
    } catch (const AppError& e) {
        for (const QString& part : expected)
            QVERIFY2(e.text().contains(part), qPrintable(e.text()));
    }
    QCOMPARE(t.count("EUR"), 0);
    QCOMPARE(t.count("USD"), 0);
    QCOMPARE(t.count("price"), 0);
    QVERIFY(!t.db().inTransaction());
}

void TestHistoryLoader::refusesDateAlreadyStored() {
    QTemporaryDir dir;
    writeFile(dir.filePath("EUR.csv"), kGoodEur);
    writeFile(dir.filePath("USD.csv"), "CURDATE,NOMINAL,KURS\n2023-03-17,1,76.4095\n2023-03-16,1,75.7457\n");
    TestDb t;
    t.add("USD", QDate(2023, 3, 16), 1, 75.0, 0, QDate(2023, 3, 16));
    try {
        HistoryLoader(t.db(), RegionalSettings::russian()).load(dir.path());
        QFAIL("the load was not refused");
    } catch (const AppError& e) {
        QVERIFY2(e.text().contains("USD.csv") && e.text().contains("строка 3") && e.text().contains("16.03.2023"),
                 qPrintable(e.text()));
    }
    QCOMPARE(t.count("EUR"), 0);
    QCOMPARE(t.count("USD"), 1);
}

QTEST_GUILESS_MAIN(TestHistoryLoader)
#include "tst_historyloader.moc"
