#include "TestDb.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"

#include <QtTest>

class TestSeriesHistory : public QObject {
    Q_OBJECT
private slots:
    void inForce_data();
    void inForce();
    void beforeFirstRecord();
    void emptyTable();
    void valuesReadExactly();
};

void TestSeriesHistory::inForce_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("record");
    // The dollar: rates for the days the bank publishes; Saturday's rate serves Sunday and Monday too.
    QTest::newRow("exact day") << "USD" << QDate(2024, 12, 27) << "27.12.2024;1;101,5;3;";
    QTest::newRow("sunday") << "USD" << QDate(2024, 12, 29) << "28.12.2024;1;101,6797;3;";
    QTest::newRow("monday") << "USD" << QDate(2024, 12, 30) << "28.12.2024;1;101,6797;3;";
    QTest::newRow("first record") << "usd" << QDate(2024, 12, 26) << "26.12.2024;1;100;1;27.12.2024";
    QTest::newRow("after the newest") << "USD" << QDate(2031, 1, 1) << "28.12.2024;1;101,6797;3;";
    // The refinancing rate: change points.
    QTest::newRow("rate before a change") << "refin" << QDate(2024, 7, 28) << "18.12.2023;16;;3;";
    QTest::newRow("rate on a change") << "refin" << QDate(2024, 7, 29) << "29.07.2024;18;;3;";
    QTest::newRow("rate between") << "refin" << QDate(2024, 9, 15) << "29.07.2024;18;;3;";
}

namespace {
void fill(TestDb& t) {
    t.add("USD", QDate(2024, 12, 28), 1, 101.6797);
    t.add("USD", QDate(2024, 12, 26), 1, 100.0, 1, QDate(2024, 12, 27));
    t.add("USD", QDate(2024, 12, 27), 1, 101.5);
    t.add("refin", QDate(2024, 7, 29), 18.0, {});
    t.add("refin", QDate(2023, 12, 18), 16.0, {});
}
} // namespace

void TestSeriesHistory::inForce() {
    QFETCH(QString, table);
    QFETCH(QDate, day);
    QFETCH(QString, record);
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), table, RegionalSettings::russian());
    QCOMPARE(h.recordText(h.inForce(day)), record);
    QCOMPARE(h.record(h.indexInForce(day)).date(), h.inForce(day).date());
}

void TestSeriesHistory::beforeFirstRecord() {
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), "USD", RegionalSettings::russian());
    QCOMPARE(h.indexInForce(QDate(2024, 12, 25)), -1);
    try {
        h.inForce(QDate(2024, 12, 25));
        QFAIL("no record in force, yet no failure");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), "В таблице «USD» нет записи, действующей на 25.12.2024: первая запись таблицы — от "
                           "26.12.2024.");
    }
}

void TestSeriesHistory::emptyTable() {
    TestDb t;
    const SeriesHistory h(t.db(), "EUR", RegionalSettings::russian());
    QCOMPARE(h.indexInForce(QDate(2024, 1, 1)), -1);
    QCOMPARE(h.noRecordMessage(QDate(2024, 1, 1)), "В таблице «EUR» нет ни одной записи.");
    QVERIFY_THROWS_EXCEPTION(AppError, SeriesHistory(t.db(), "GOLD", RegionalSettings::russian()));
}

void TestSeriesHistory::valuesReadExactly() {
    TestDb t;
    // 0.1 + 0.2 as a stored double is 0.30000000000000004: it reads as the four places it was meant to have.
    t.add("USD", QDate(2024, 1, 1), 100, 0.1 + 0.2);
    t.add("USD", QDate(2024, 1, 2), {}, {});
    const SeriesHistory h(t.db(), "USD", RegionalSettings::russian());
    const TableRow& first = h.inForce(QDate(2024, 1, 1));
    QCOMPARE(h.fixed4(first, 2).count(), 3000);
    QCOMPARE(h.integer(first, 1), 100);
    const TableRow& empty = h.inForce(QDate(2024, 1, 2));
    QCOMPARE(h.fixed4(empty, 2).count(), 0);
    QCOMPARE(h.integer(empty, 1), 0);
}

QTEST_GUILESS_MAIN(TestSeriesHistory)
#include "tst_serieshistory.moc"
