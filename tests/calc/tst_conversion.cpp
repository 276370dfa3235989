#include "TestDb.h"
#include "calc/Conversion.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"

#include <QtTest>

class TestConversion : public QObject {
    Q_OBJECT
private slots:
    void convert_data();
    void convert();
    void refused_data();
    void refused();
};

namespace {
void fill(TestDb& t) {
    t.add("USD", QDate(2024, 12, 28), 1, 101.6797);
    t.add("USD", QDate(2001, 3, 2), 1, 28.625);
    t.add("JPY", QDate(2024, 12, 28), 100, 65.43);
    t.add("AUD", QDate(2024, 1, 1), 0, 60.0);
    t.add("AUD", QDate(2024, 2, 1), 1, {});
}
} // namespace

void TestConversion::convert_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("toRoubles");
    QTest::addColumn<qint64>("given");
    QTest::addColumn<QDate>("recordDate");
    QTest::addColumn<int>("nominal");
    QTest::addColumn<qint64>("rate");
    QTest::addColumn<qint64>("result");
    // 1000 x 101,6797 = 101679,70
    QTest::newRow("to roubles") << "USD" << QDate(2024, 12, 31) << true << qint64(100000) << QDate(2024, 12, 28) << 1
                                << qint64(1016797) << qint64(10167970);
    // 1 x 28,625: half a kopeck rounds away from zero (half to even would give 28,62).
    QTest::newRow("half a kopeck") << "USD" << QDate(2001, 3, 3) << true << qint64(100) << QDate(2001, 3, 2) << 1
                                   << qint64(286250) << qint64(2863);
    // 0,10 x 28,625 = 2,8625 rounds down.
    QTest::newRow("below half") << "USD" << QDate(2001, 3, 3) << true << qint64(10) << QDate(2001, 3, 2) << 1
                                << qint64(286250) << qint64(286);
    // 1000 yen at 65,43 per 100: 654,30; 50 yen: 32,715, half a kopeck, up.
    QTest::newRow("nominal 100") << "jpy" << QDate(2025, 1, 9) << true << qint64(100000) << QDate(2024, 12, 28) << 100
                                 << qint64(654300) << qint64(65430);
    QTest::newRow("nominal 100, half") << "JPY" << QDate(2024, 12, 28) << true << qint64(5000) << QDate(2024, 12, 28)
                                       << 100 << qint64(654300) << qint64(3272);
    // Back: 100 roubles / 28,625 = 3,4934...; 1000 roubles x 100 / 65,43 = 1528,350...
    QTest::newRow("from roubles") << "USD" << QDate(2001, 3, 2) << false << qint64(10000) << QDate(2001, 3, 2) << 1
                                  << qint64(286250) << qint64(349);
    QTest::newRow("from roubles, nominal 100") << "JPY" << QDate(2024, 12, 30) << false << qint64(100000)
                                               << QDate(2024, 12, 28) << 100 << qint64(654300) << qint64(152835);
}

void TestConversion::convert() {
    QFETCH(QString, table);
    QFETCH(QDate, day);
    QFETCH(bool, toRoubles);
    QFETCH(qint64, given);
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), table, RegionalSettings::russian());
    const Money amount = Money::fromKopecks(given);
    const ConversionResult r = toRoubles ? ConvertToRoubles(h, day, amount) : ConvertFromRoubles(h, day, amount);
    QCOMPARE(r.asked, day);
    QTEST(r.recordDate, "recordDate");
    QTEST(r.nominal, "nominal");
    QTEST(r.rate.count(), "rate");
    QCOMPARE(toRoubles ? r.amount : r.roubles, amount);
    QTEST((toRoubles ? r.roubles : r.amount).kopecks(), "result");
}

void TestConversion::refused_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("message");
    QTest::newRow("before the first record")
        << "USD" << QDate(2001, 3, 1)
        << "В таблице «USD» нет записи, действующей на 01.03.2001: первая запись таблицы — от 02.03.2001.";
    QTest::newRow("nominal 0") << "AUD" << QDate(2024, 1, 15)
                               << "В записи от 01.01.2024 номинал равен нулю или не указан: пересчёт невозможен.";
    QTest::newRow("empty rate") << "AUD" << QDate(2024, 2, 15)
                                << "В записи от 01.02.2024 курс равен нулю или не указан: пересчёт невозможен.";
    QTest::newRow("no currency") << "refin" << QDate(2024, 2, 15)
                                 << "Таблица «refin» не является таблицей курсов валют.";
}

void TestConversion::refused() {
    QFETCH(QString, table);
    QFETCH(QDate, day);
    QFETCH(QString, message);
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), table, RegionalSettings::russian());
    for (bool toRoubles : {true, false}) {
        try {
            toRoubles ? ConvertToRoubles(h, day, Money::fromKopecks(100))
                      : ConvertFromRoubles(h, day, Money::fromKopecks(100));
            QFAIL("converted without a usable record");
        } catch (const AppError& e) {
            QCOMPARE(e.text(), message);
        }
    }
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
