#include "TestDb.h"
#include "calc/InterestCalculation.h"
#include "calc/SeriesHistory.h"
#include "common/AppError.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<InterestPayment>)

namespace {
Money rub(qint64 kopecks) {
    return Money::fromKopecks(kopecks);
}

// The key rate as the bank set it.
void fillRates(TestDb& t) {
    t.add("refin", QDate(2016, 1, 1), 11.0, {});
    t.add("refin", QDate(2016, 6, 14), 10.5, {});
    t.add("refin", QDate(2016, 9, 19), 10.0, {});
    t.add("refin", QDate(2023, 10, 30), 15.0, {});
    t.add("refin", QDate(2023, 12, 18), 16.0, {});
    t.add("refin", QDate(2024, 7, 29), 18.0, {});
    t.add("refin", QDate(2024, 9, 16), 19.0, {});
    t.add("refin", QDate(2024, 10, 28), 21.0, {});
}

QString periodsText(const InterestResult& r) {
    QStringList lines;
    for (const InterestPeriod& p : r.periods)
        lines << QStringLiteral("%1-%2 %3 %4 %5 %6 %7")
                     .arg(p.from.toString("dd.MM.yyyy"), p.to.toString("dd.MM.yyyy"))
                     .arg(p.days)
                     .arg(p.debt.toText(','))
                     .arg(double(p.rate.count()) / 10000)
                     .arg(p.basisText(), p.interest.toText(','));
    return lines.join('\n');
}
} // namespace

class TestInterestCalculation : public QObject {
    Q_OBJECT
private slots:
    void periods_data();
    void periods();
    void requestFaults_data();
    void requestFaults();
    void noRateOnTheFirstDay();
    void emptyRate();
};

void TestInterestCalculation::periods_data() {
    QTest::addColumn<qint64>("principal");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QList<InterestPayment>>("payments");
    QTest::addColumn<int>("perDay");
    QTest::addColumn<QString>("periods");
    QTest::addColumn<int>("totalDays");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("reports");
    const QList<InterestPayment> none;

    // 100000 x 16 % x 29 / 366 = 464000 / 366 = 1267,759...
    QTest::newRow("one rate") << qint64(10000000) << QDate(2024, 2, 1) << QDate(2024, 2, 29) << none << 0
                              << "01.02.2024-29.02.2024 29 100000,00 16 366 1267,76" << 29 << qint64(126776)
                              << QStringList() << QStringList();
    // 9 days at 16 %: 144000 / 366 = 393,442...; 13 days at 18 %: 234000 / 366 = 639,344...
    QTest::newRow("rate change inside") << qint64(10000000) << QDate(2024, 7, 20) << QDate(2024, 8, 10) << none << 0
                                        << "20.07.2024-28.07.2024 9 100000,00 16 366 393,44\n"
                                           "29.07.2024-10.08.2024 13 100000,00 18 366 639,34"
                                        << 22 << qint64(103278) << QStringList() << QStringList();
    // 7 days of 2023 on 365: 112000 / 365 = 306,849...; 5 days of 2024 on 366: 80000 / 366 = 218,579...
    QTest::newRow("year boundary") << qint64(10000000) << QDate(2023, 12, 25) << QDate(2024, 1, 5) << none << 0
                                   << "25.12.2023-31.12.2023 7 100000,00 16 365 306,85\n"
                                      "01.01.2024-05.01.2024 5 100000,00 16 366 218,58"
                                   << 12 << qint64(52543) << QStringList() << QStringList();
    // The whole leap year: 16000 x 210 / 366 = 9180,327...; 18000 x 49 / 366 = 2409,836...;
    // 19000 x 42 / 366 = 2180,327...; 21000 x 65 / 366 = 3729,508...; the rounded periods sum to 17500,01.
    QTest::newRow("leap year") << qint64(10000000) << QDate(2024, 1, 1) << QDate(2024, 12, 31) << none << 0
                               << "01.01.2024-28.07.2024 210 100000,00 16 366 9180,33\n"
                                  "29.07.2024-15.09.2024 49 100000,00 18 366 2409,84\n"
                                  "16.09.2024-27.10.2024 42 100000,00 19 366 2180,33\n"
                                  "28.10.2024-31.12.2024 65 100000,00 21 366 3729,51"
                               << 366 << qint64(1750001) << QStringList() << QStringList();
    // The payment's own day accrues on the old debt: 10 days of 100000 (160000 / 366 = 437,158...), 19 days of
    // 70000 (212800 / 366 = 581,420...); the payment on the last day changes no day.
    QTest::newRow("payments, one on the last day")
        << qint64(10000000) << QDate(2024, 2, 1) << QDate(2024, 2, 29)
        << QList<InterestPayment>{{QDate(2024, 2, 29), rub(1000000)}, {QDate(2024, 2, 10), rub(3000000)}} << 0
        << "01.02.2024-10.02.2024 10 100000,00 16 366 437,16\n"
           "11.02.2024-29.02.2024 19 70000,00 16 366 581,42"
        << 29 << qint64(101858) << QStringList() << QStringList();
    // 5 days of 1000 at 16 %: 800 / 366 = 2,185...; then no debt, no period; both payments beyond the debt.
    QTest::newRow("payment beyond the debt")
        << qint64(100000) << QDate(2024, 3, 1) << QDate(2024, 3, 10)
        << QList<InterestPayment>{{QDate(2024, 3, 5), rub(150000)}, {QDate(2024, 3, 8), rub(10000)}} << 0
        << "01.03.2024-05.03.2024 5 1000,00 16 366 2,19" << 5 << qint64(219) << QStringList()
        << QStringList{"Платёж от 05.03.2024 превышает остаток долга на 500,00 руб.",
                       "Платёж от 08.03.2024 превышает остаток долга на 100,00 руб."};
    // A payment of the whole debt leaves nothing; the days after it make no period.
    QTest::newRow("debt paid off") << qint64(10000000) << QDate(2024, 2, 1) << QDate(2024, 2, 29)
                                   << QList<InterestPayment>{{QDate(2024, 2, 10), rub(10000000)}} << 0
                                   << "01.02.2024-10.02.2024 10 100000,00 16 366 437,16" << 10 << qint64(43716)
                                   << QStringList() << QStringList();
    // 1/150 of the rate a day: 16000 x 29 / 150 = 3093,333...
    QTest::newRow("per day 1/150") << qint64(10000000) << QDate(2024, 2, 1) << QDate(2024, 2, 29) << none << 150
                                   << "01.02.2024-29.02.2024 29 100000,00 16 1/150 3093,33" << 29 << qint64(309333)
                                   << QStringList() << QStringList();
    // The per-day basis knows no year: one period over New Year, 16000 x 12 / 150 = 1280.
    QTest::newRow("per day over a year end") << qint64(10000000) << QDate(2023, 12, 25) << QDate(2024, 1, 5) << none
                                             << 150 << "25.12.2023-05.01.2024 12 100000,00 16 1/150 1280,00" << 12
                                             << qint64(128000) << QStringList() << QStringList();
    // 1/300: 12345,67 x 0,16 x 29 / 300 = 57283,9088 / 300 = 190,946...
    QTest::newRow("per day 1/300") << qint64(1234567) << QDate(2024, 2, 1) << QDate(2024, 2, 29) << none << 300
                                   << "01.02.2024-29.02.2024 29 12345,67 16 1/300 190,95" << 29 << qint64(19095)
                                   << QStringList() << QStringList();
    // Exactly half a kopeck: 50 x 0,15 / 300 = 0,025 rounds away from zero (half to even would give 0,02).
    QTest::newRow("half a kopeck") << qint64(5000) << QDate(2023, 11, 1) << QDate(2023, 11, 1) << none << 300
                                   << "01.11.2023-01.11.2023 1 50,00 15 1/300 0,03" << 1 << qint64(3) << QStringList()
                                   << QStringList();
    // Before 01.08.2016: 10500 x 31 / 366 = 889,344...; the warning about the law of that time.
    QTest::newRow("before 01.08.2016") << qint64(10000000) << QDate(2016, 7, 1) << QDate(2016, 7, 31) << none << 0
                                       << "01.07.2016-31.07.2016 31 100000,00 10.5 366 889,34" << 31 << qint64(88934)
                                       << QStringList{InterestBefore2016Warning()} << QStringList();
    // The per-day basis is not the one the warning is about.
    QTest::newRow("before 01.08.2016, per day") << qint64(10000000) << QDate(2016, 7, 1) << QDate(2016, 7, 31) << none
                                                << 300 << "01.07.2016-31.07.2016 31 100000,00 10.5 1/300 1085,00" << 31
                                                << qint64(108500) << QStringList() << QStringList();
}

void TestInterestCalculation::periods() {
    QFETCH(qint64, principal);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QList<InterestPayment>, payments);
    QFETCH(int, perDay);
    TestDb t;
    fillRates(t);
    const SeriesHistory rates(t.db(), "refin", RegionalSettings::russian());
    const InterestResult r = CalculateInterest(rates, {rub(principal), first, last, payments, perDay});
    QTEST(periodsText(r), "periods");
    QTEST(r.totalDays, "totalDays");
    QTEST(r.total.kopecks(), "total");
    QTEST(r.warnings, "warnings");
    QTEST(r.reports, "reports");
}

void TestInterestCalculation::requestFaults_data() {
    QTest::addColumn<qint64>("principal");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QList<InterestPayment>>("payments");
    QTest::addColumn<int>("perDay");
    QTest::addColumn<QString>("message");
    const QDate f(2024, 2, 1), l(2024, 2, 29);
    QTest::newRow("first after last") << qint64(100) << l << f << QList<InterestPayment>() << 0
                                      << "Первый день просрочки (29.02.2024) позже последнего (01.02.2024).";
    QTest::newRow("zero principal") << qint64(0) << f << l << QList<InterestPayment>() << 0
                                    << "Сумма долга должна быть больше нуля.";
    QTest::newRow("negative principal") << qint64(-100) << f << l << QList<InterestPayment>() << 0
                                        << "Сумма долга должна быть больше нуля.";
    QTest::newRow("payment before the first day")
        << qint64(100) << f << l << QList<InterestPayment>{{QDate(2024, 1, 31), rub(1)}} << 0
        << "Платёж от 31.01.2024 лежит вне периода просрочки с 01.02.2024 по 29.02.2024.";
    QTest::newRow("payment after the last day")
        << qint64(100) << f << l << QList<InterestPayment>{{QDate(2024, 3, 1), rub(1)}} << 0
        << "Платёж от 01.03.2024 лежит вне периода просрочки с 01.02.2024 по 29.02.2024.";
    QTest::newRow("zero payment") << qint64(100) << f << l << QList<InterestPayment>{{QDate(2024, 2, 5), rub(0)}} << 0
                                  << "Сумма платежа от 05.02.2024 должна быть больше нуля.";
}

void TestInterestCalculation::requestFaults() {
    QFETCH(qint64, principal);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QList<InterestPayment>, payments);
    QFETCH(int, perDay);
    QFETCH(QString, message);
    const InterestRequest request{rub(principal), first, last, payments, perDay};
    QCOMPARE(InterestRequestError(request), message);
    TestDb t;
    fillRates(t);
    const SeriesHistory rates(t.db(), "refin", RegionalSettings::russian());
    try {
        CalculateInterest(rates, request);
        QFAIL("a faulty request was calculated");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), message);
    }
}

void TestInterestCalculation::noRateOnTheFirstDay() {
    TestDb t;
    fillRates(t);
    const SeriesHistory rates(t.db(), "refin", RegionalSettings::russian());
    try {
        CalculateInterest(rates, {rub(100), QDate(2015, 12, 31), QDate(2016, 1, 10), {}, 0});
        QFAIL("calculated without a rate for the first day");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), "В таблице «refin» нет записи, действующей на 31.12.2015: первая запись таблицы — от "
                           "01.01.2016.");
    }
}

void TestInterestCalculation::emptyRate() {
    // A record without its value must not pass for a rate of 0 %.
    TestDb t;
    fillRates(t);
    t.add("refin", QDate(2025, 1, 1), {}, {});
    const SeriesHistory rates(t.db(), "refin", RegionalSettings::russian());
    try {
        CalculateInterest(rates, {rub(100), QDate(2024, 12, 30), QDate(2025, 1, 10), {}, 0});
        QFAIL("calculated with an empty rate");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), "В записи таблицы «refin» от 01.01.2025 не указана ставка: расчёт невозможен.");
    }
}

QTEST_GUILESS_MAIN(TestInterestCalculation)
#include "tst_interestcalculation.moc"
