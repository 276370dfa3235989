#include "calc/CalcText.h"
#include "calc/Money.h"
#include "common/AppError.h"

#include <QtTest>

#include <limits>

// The texts the calculations read and write: amounts, four-place values, months.
class TestCalcText : public QObject {
    Q_OBJECT
private slots:
    void parseMoney_data();
    void parseMoney();
    void formats();
    void parseMonth_data();
    void parseMonth();
    void moneyOverflow();
};

void TestCalcText::parseMoney_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("kopecks");
    QTest::newRow("whole") << "1000"
                           << "," << true << qint64(100000);
    QTest::newRow("two places") << "12345,67"
                                << "," << true << qint64(1234567);
    QTest::newRow("one place") << "0,5"
                               << "," << true << qint64(50);
    QTest::newRow("trailing zeros") << "1,5000"
                                    << "," << true << qint64(150);
    QTest::newRow("negative") << "-3,05"
                              << "," << true << qint64(-305);
    QTest::newRow("blanks") << " 7 "
                            << "," << true << qint64(700);
    QTest::newRow("dot setting") << "2.25"
                                 << "." << true << qint64(225);
    QTest::newRow("three places") << "1,005"
                                  << "," << false << qint64(0);
    QTest::newRow("other separator") << "1.5"
                                     << "," << false << qint64(0);
    QTest::newRow("grouping") << "1 000"
                              << "," << false << qint64(0);
    QTest::newRow("empty") << ""
                           << "," << false << qint64(0);
    QTest::newRow("letters") << "12р"
                             << "," << false << qint64(0);
    QTest::newRow("beyond the range") << "100000000000000000"
                                      << "," << false << qint64(0);
}

void TestCalcText::parseMoney() {
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(bool, ok);
    const auto m = Money::parse(text, separator.at(0));
    QCOMPARE(m.has_value(), ok);
    if (ok)
        QTEST(m->kopecks(), "kopecks");
}

void TestCalcText::formats() {
    QCOMPARE(Money::fromKopecks(10167970).toText(','), "101679,70");
    QCOMPARE(Money::fromKopecks(5).toText(','), "0,05");
    QCOMPARE(Money::fromKopecks(-5).toText('.'), "-0.05");
    QCOMPARE(Money::fromKopecks(0).toText(','), "0,00");
    QCOMPARE(FormatHundredths(std::numeric_limits<qint64>::min(), ','), "-92233720368547758,08");
    QCOMPARE(FormatFixed4(Fixed4::fromCount(160000), ','), "16");
    QCOMPARE(FormatFixed4(Fixed4::fromCount(1016797), ','), "101,6797");
    QCOMPARE(FormatFixed4(Fixed4::fromCount(105000), ','), "10,5");
    QCOMPARE(FormatFixed4(Fixed4::fromCount(5), ','), "0,0005");
    QCOMPARE(FormatFixed4(Fixed4::fromCount(-25000), '.'), "-2.5");
    QCOMPARE(FormatMonth(QDate(1992, 1, 31)), "01.1992");
}

void TestCalcText::parseMonth_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("month");
    QTest::newRow("two digits") << "01.1992" << QDate(1992, 1, 1);
    QTest::newRow("one digit") << "3.2024" << QDate(2024, 3, 1);
    QTest::newRow("december") << "12.2025" << QDate(2025, 12, 1);
    QTest::newRow("month 13") << "13.2024" << QDate();
    QTest::newRow("month 0") << "00.2024" << QDate();
    QTest::newRow("two-digit year") << "01.24" << QDate();
    QTest::newRow("a day") << "01.01.2024" << QDate();
    QTest::newRow("letters") << "янв.2024" << QDate();
}

void TestCalcText::parseMonth() {
    QFETCH(QString, text);
    QFETCH(QDate, month);
    QCOMPARE(ParseMonth(text).value_or(QDate()), month);
}

void TestCalcText::moneyOverflow() {
    const Money top = Money::fromKopecks(std::numeric_limits<qint64>::max());
    QVERIFY_THROWS_EXCEPTION(AppError, top + Money::fromKopecks(1));
    QVERIFY_THROWS_EXCEPTION(AppError, Money::fromKopecks(std::numeric_limits<qint64>::min()) - Money::fromKopecks(1));
    QCOMPARE((top - top).kopecks(), 0);
}

QTEST_GUILESS_MAIN(TestCalcText)
#include "tst_calctext.moc"
