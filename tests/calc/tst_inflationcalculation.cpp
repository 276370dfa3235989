#include "TestDb.h"
#include "calc/CalcText.h"
#include "calc/InflationCalculation.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"

#include <QtTest>

class TestInflationCalculation : public QObject {
    Q_OBJECT
private slots:
    void cumulative_data();
    void cumulative();
    void monthRows();
    void refused_data();
    void refused();
};

namespace {
void fill(TestDb& t) {
    const double y1992[] = {345.3, 138, 129.9, 121.7, 111.9, 119.1, 110.6, 108.6, 111.5, 122.9, 126.1, 125.2};
    for (int m = 1; m <= 12; ++m)
        t.add("price", QDate(1992, m, 1), QString(), y1992[m - 1]);
    t.add("price", QDate(2024, 1, 1), "январь 2024 г.", 100.86);
    t.add("price", QDate(2024, 2, 1), "февраль 2024 г.", 100.68);
    t.add("price", QDate(2024, 3, 1), "март 2024 г.", 100.39);
    // April missing.
    t.add("price", QDate(2024, 5, 1), "май 2024 г.", 100.74);
    t.add("price", QDate(2025, 1, 1), "январь 2025 г.", 100.125);
    t.add("price", QDate(2025, 2, 1), "февраль 2025 г.", 100.5);
    t.add("price", QDate(2025, 3, 1), "март 2025 г.", 100.5);
    t.add("price", QDate(2025, 4, 1), "апрель 2025 г.", {});
}
} // namespace

void TestInflationCalculation::cumulative_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<int>("months");
    QTest::addColumn<qint64>("index");
    QTest::newRow("one month") << QDate(2024, 1, 1) << QDate(2024, 1, 1) << 1 << qint64(10086);
    // 1,0086 x 1,0068 x 1,0039 = 1,019418...
    QTest::newRow("three months") << QDate(2024, 1, 1) << QDate(2024, 3, 1) << 3 << qint64(10194);
    // The days of the months do not matter.
    QTest::newRow("any day of the month") << QDate(2024, 1, 31) << QDate(2024, 3, 15) << 3 << qint64(10194);
    // The year 1992, the product of its twelve indices: 2608,85 %.
    QTest::newRow("a year") << QDate(1992, 1, 1) << QDate(1992, 12, 1) << 12 << qint64(260885);
    // 100,125: half a hundredth rounds away from zero.
    QTest::newRow("half a hundredth") << QDate(2025, 1, 1) << QDate(2025, 1, 1) << 1 << qint64(10013);
    // 1,005 x 1,005 = 1,010025: rounded once at the end, not per month.
    QTest::newRow("rounded once") << QDate(2025, 2, 1) << QDate(2025, 3, 1) << 2 << qint64(10100);
}

void TestInflationCalculation::cumulative() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), "price", RegionalSettings::russian());
    const InflationResult r = CumulativeInflation(h, from, to);
    QCOMPARE(r.from, QDate(from.year(), from.month(), 1));
    QCOMPARE(r.to, QDate(to.year(), to.month(), 1));
    QTEST(r.months, "months");
    QTEST(r.indexHundredths, "index");
    QCOMPARE(r.rows.size(), r.months);
}

void TestInflationCalculation::monthRows() {
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), "price", RegionalSettings::russian());
    const InflationResult r = CumulativeInflation(h, QDate(2024, 1, 1), QDate(2024, 3, 1));
    QStringList rows;
    for (const InflationMonth& m : r.rows)
        rows << FormatMonth(m.month) + ' ' + FormatFixed4(m.index, ',') + ' ' +
                    FormatHundredths(m.cumulativeHundredths, ',');
    // 1,0086 x 1,0068 = 1,01545848
    QCOMPARE(rows, QStringList({"01.2024 100,86 100,86", "02.2024 100,68 101,55", "03.2024 100,39 101,94"}));
}

void TestInflationCalculation::refused_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing month") << QDate(2024, 3, 1) << QDate(2024, 5, 1)
                                   << "Нет индекса потребительских цен за 04.2024: накопленный индекс не рассчитан.";
    QTest::newRow("empty index") << QDate(2025, 3, 1) << QDate(2025, 4, 1)
                                 << "Нет индекса потребительских цен за 04.2025: накопленный индекс не рассчитан.";
    QTest::newRow("after the newest") << QDate(2025, 5, 1) << QDate(2025, 5, 1)
                                      << "Нет индекса потребительских цен за 05.2025: накопленный индекс не рассчитан.";
    QTest::newRow("before the first") << QDate(1991, 12, 1) << QDate(1992, 1, 1)
                                      << "Нет индекса потребительских цен за 12.1991: накопленный индекс не рассчитан.";
    QTest::newRow("first after last") << QDate(2024, 3, 1) << QDate(2024, 2, 1)
                                      << "Первый месяц (03.2024) позже последнего (02.2024).";
}

void TestInflationCalculation::refused() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, message);
    TestDb t;
    fill(t);
    const SeriesHistory h(t.db(), "price", RegionalSettings::russian());
    try {
        CumulativeInflation(h, from, to);
        QFAIL("calculated without every month");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), message);
    }
}

QTEST_GUILESS_MAIN(TestInflationCalculation)
#include "tst_inflationcalculation.moc"
