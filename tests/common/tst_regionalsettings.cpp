#include "common/RegionalSettings.h"

#include <QtTest>

class TestRegionalSettings : public QObject {
    Q_OBJECT
private slots:
    void twoDigitYearWindow_data();
    void twoDigitYearWindow();
    void parseDate_data();
    void parseDate();
    void fromLocale();
};

void TestRegionalSettings::twoDigitYearWindow_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expected");
    QTest::newRow("2009: 58 is ahead") << 58 << 2009 << 2058;
    QTest::newRow("2009: 59 is behind") << 59 << 2009 << 1959;
    QTest::newRow("09 in 2026") << 9 << 2026 << 2009;
    QTest::newRow("09 in 1960") << 9 << 1960 << 2009;
    QTest::newRow("09 in 2059") << 9 << 2059 << 2009;
    QTest::newRow("lower edge, 2026") << 76 << 2026 << 1976;
    QTest::newRow("upper edge, 2026") << 75 << 2026 << 2075;
    QTest::newRow("00 in 2026") << 0 << 2026 << 2000;
}

void TestRegionalSettings::twoDigitYearWindow() {
    QFETCH(int, year);
    QFETCH(int, current);
    QFETCH(int, expected);
    QCOMPARE(expandTwoDigitYear(year, current), expected);
}

void TestRegionalSettings::parseDate_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: refused
    const QString ru = QStringLiteral("dd.MM.yyyy");
    QTest::newRow("russian") << ru << "25.12.2002" << QDate(2002, 12, 25);
    QTest::newRow("one-digit parts") << ru << "1.7.1999" << QDate(1999, 7, 1);
    QTest::newRow("two-digit year") << ru << "01.02.09" << QDate(2009, 2, 1);
    QTest::newRow("one-digit year") << ru << "01.02.9" << QDate(2009, 2, 1);
    QTest::newRow("blanks before numbers, as the mask leaves them") << ru << " 1. 2.09" << QDate(2009, 2, 1);
    QTest::newRow("mask blanks only") << ru << "  .  .  " << QDate();
    QTest::newRow("empty") << ru << "" << QDate();
    QTest::newRow("impossible day") << ru << "30.02.2009" << QDate();
    QTest::newRow("year zero") << ru << "01.01.0000" << QDate();
    QTest::newRow("two parts only") << ru << "01.02" << QDate();
    QTest::newRow("other separator") << ru << "01/02/2009" << QDate();
    QTest::newRow("trailing text") << ru << "01.02.2009 г." << QDate();
    QTest::newRow("five-digit year") << ru << "01.02.20090" << QDate();
    QTest::newRow("month first") << QStringLiteral("M/d/yyyy") << "12/25/2002" << QDate(2002, 12, 25);
    QTest::newRow("year first") << QStringLiteral("yyyy-MM-dd") << "2002-12-25" << QDate(2002, 12, 25);
}

void TestRegionalSettings::parseDate() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    RegionalSettings r;
    r.shortDateFormat = format;
    for (QChar c : format) {
        if (!c.isLetter()) {
            r.dateSeparator = c;
            break;
        }
    }
    const auto d = r.parseDate(text, 2026);
    if (expected.isValid()) {
        QVERIFY(d);
        QCOMPARE(*d, expected);
    } else {
        QVERIFY(!d);
    }
}

void TestRegionalSettings::fromLocale() {
    const RegionalSettings c = RegionalSettings::fromLocaleName(QStringLiteral("C"));
    QCOMPARE(c.shortDateFormat, QStringLiteral("dd.MM.yyyy"));
    QCOMPARE(c.decimalSeparator, QLatin1Char(','));
    QCOMPARE(c.dateSeparator, QLatin1Char('.'));
    QCOMPARE(c.formatDate(QDate(2009, 7, 1)), QStringLiteral("01.07.2009"));

    const RegionalSettings ru = RegionalSettings::fromLocaleName(QStringLiteral("ru_RU"));
    QCOMPARE(ru.formatDate(QDate(2009, 7, 1)), QStringLiteral("01.07.2009"));
    QCOMPARE(ru.decimalSeparator, QLatin1Char(','));

    const RegionalSettings us = RegionalSettings::fromLocaleName(QStringLiteral("en_US"));
    QCOMPARE(us.decimalSeparator, QLatin1Char('.'));
    QCOMPARE(us.dateSeparator, QLatin1Char('/'));
    QCOMPARE(us.dateOrder(), RegionalSettings::DateOrder::MonthDayYear);
    // Four-digit years even where the locale writes two.
    QCOMPARE(us.formatDate(QDate(2009, 7, 1)).right(4), QStringLiteral("2009"));
}

QTEST_GUILESS_MAIN(TestRegionalSettings)
#include "tst_regionalsettings.moc"
