#include "common/AppError.h"
#include "common/NumberText.h"
#include "store/Fixed4.h"

#include <QtTest>

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void generalForm_data();
    void generalForm();
    void fixed4FromText_data();
    void fixed4FromText();
    void fixed4FromStoredDouble_data();
    void fixed4FromStoredDouble();
    void parseDecimalRefusals_data();
    void parseDecimalRefusals();
    void conversionMessages();
    void exactTenThousandths();
};

void TestNumberText::generalForm_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("comma");
    QTest::addColumn<QString>("dot");
    QTest::newRow("rate") << 28.62 << "28,62" << "28.62";
    QTest::newRow("15 digits, not rounded to kopecks") << 100.0 / 28.62 << "3,49406009783368" << "3.49406009783368";
    QTest::newRow("whole") << 55.0 << "55" << "55";
    QTest::newRow("zero") << 0.0 << "0" << "0";
    QTest::newRow("negative zero") << -0.0 << "0" << "0";
    QTest::newRow("negative") << -3.5 << "-3,5" << "-3.5";
    QTest::newRow("smallest fixed") << 0.0001 << "0,0001" << "0.0001";
    QTest::newRow("below 0.0001") << 0.00001 << "1E-5" << "1E-5";
    QTest::newRow("mantissa digits") << 1.5e-7 << "1,5E-7" << "1.5E-7";
    QTest::newRow("15 digits before separator") << 123456789012345.0 << "123456789012345" << "123456789012345";
    QTest::newRow("16 digits") << 1234567890123456.0 << "1,23456789012346E15" << "1.23456789012346E15";
    QTest::newRow("1.5E20") << 1.5e20 << "1,5E20" << "1.5E20";
    QTest::newRow("31.78004") << 31.78004 << "31,78004" << "31.78004";
    QTest::newRow("0.29") << 0.29 << "0,29" << "0.29";
}

void TestNumberText::generalForm() {
    QFETCH(double, value);
    QFETCH(QString, comma);
    QFETCH(QString, dot);
    QCOMPARE(formatGeneral(value, QLatin1Char(',')), comma);
    QCOMPARE(formatGeneral(value, QLatin1Char('.')), dot);
}

void TestNumberText::fixed4FromText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("count");
    QTest::newRow("plain") << "31,0908" << qint64(310908);
    QTest::newRow("trailing zeros") << "31,7800" << qint64(317800);
    QTest::newRow("fifth place below half") << "31,78004" << qint64(317800);
    QTest::newRow("tie to even, down") << "0,00005" << qint64(0);
    QTest::newRow("tie to even, up") << "0,00015" << qint64(2);
    QTest::newRow("above tie") << "0,000051" << qint64(1);
    QTest::newRow("negative tie") << "-0,00025" << qint64(-2);
    QTest::newRow("blanks and control characters around") << " \t 8,25 \r" << qint64(82500);
    QTest::newRow("plus sign") << "+5" << qint64(50000);
    QTest::newRow("exponent") << "1,5E2" << qint64(1500000);
    QTest::newRow("negative exponent") << "25e-1" << qint64(25000);
    QTest::newRow("no leading digit") << ",5" << qint64(5000);
    QTest::newRow("pre-1998 roubles") << "5960" << qint64(59600000);
    QTest::newRow("zero") << "0,0000" << qint64(0);
}

void TestNumberText::fixed4FromText() {
    QFETCH(QString, text);
    QFETCH(qint64, count);
    const auto d = parseDecimal(text, QLatin1Char(','));
    QVERIFY(d);
    const auto f = Fixed4::fromDecimal(*d);
    QVERIFY(f);
    QCOMPARE(f->count(), count);
}

void TestNumberText::fixed4FromStoredDouble_data() {
    QTest::addColumn<double>("stored");
    QTest::addColumn<qint64>("count");
    QTest::newRow("31.78") << 31.78 << qint64(317800);
    QTest::newRow("31.78004 compares at four places") << 31.78004 << qint64(317800);
    QTest::newRow("31.0908") << 31.0908 << qint64(310908);
    QTest::newRow("0.29") << 0.29 << qint64(2900);
    QTest::newRow("tie stays a tie") << 0.00005 << qint64(0);
    QTest::newRow("1.00005 to even") << 1.00005 << qint64(10000);
    QTest::newRow("1.00015 to even") << 1.00015 << qint64(10002);
    QTest::newRow("negative") << -8.25 << qint64(-82500);
    QTest::newRow("large") << 5960.0 << qint64(59600000);
    QTest::newRow("sixteen digits with four places") << 111111111111.1111 << qint64(1111111111111111);
}

void TestNumberText::fixed4FromStoredDouble() {
    QFETCH(double, stored);
    QFETCH(qint64, count);
    QCOMPARE(Fixed4::fromDouble(stored).count(), count);
    // What a Fixed4 writes back reads as the same count.
    QCOMPARE(Fixed4::fromDouble(Fixed4::fromCount(count).toDouble()).count(), count);
}

void TestNumberText::parseDecimalRefusals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("empty") << "" << QChar(u',');
    QTest::newRow("blanks") << "   " << QChar(u',');
    QTest::newRow("letters") << "abc" << QChar(u',');
    QTest::newRow("dot under comma") << "31.8" << QChar(u',');
    QTest::newRow("comma under dot") << "31,8" << QChar(u'.');
    QTest::newRow("two separators") << "1,2,3" << QChar(u',');
    QTest::newRow("sign only") << "-" << QChar(u',');
    QTest::newRow("separator only") << "," << QChar(u',');
    QTest::newRow("exponent without digits") << "1E" << QChar(u',');
    QTest::newRow("inner blank") << "1 050,00" << QChar(u',');
    QTest::newRow("trailing text") << "29,38 руб." << QChar(u',');
}

void TestNumberText::parseDecimalRefusals() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QVERIFY(!parseDecimal(text, separator));
}

void TestNumberText::conversionMessages() {
    RegionalSettings ru = RegionalSettings::russian();
    try {
        readFloat(QStringLiteral("abc"), ru);
        QFAIL("no failure");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), QStringLiteral("'abc' is not a valid floating point value"));
    }
    try {
        readInteger(QStringLiteral("8x"));
        QFAIL("no failure");
    } catch (const AppError& e) {
        QCOMPARE(e.text(), QStringLiteral("'8x' is not a valid integer value"));
    }
    QCOMPARE(readFloat(QStringLiteral(" 28,62 "), ru), 28.62);
    QCOMPARE(readInteger(QStringLiteral(" -12 ")), -12);
    QVERIFY(!parseInteger(QStringLiteral("99999999999")));
    // Counts beyond 64 bits are refused, right at the edge too.
    QVERIFY(!parseDecimal(u"9223372036854775808", QLatin1Char(','))->toTenThousandths());
    QVERIFY(!parseDecimal(u"922337203685477,5808", QLatin1Char(','))->toTenThousandths());
    QCOMPARE(parseDecimal(u"922337203685477,5807", QLatin1Char(','))->toTenThousandths(),
             std::optional<qint64>(std::numeric_limits<qint64>::max()));
}

void TestNumberText::exactTenThousandths() {
    // A typed value compares exactly: 31,78004 is not the stored 31.78.
    QCOMPARE(parseDecimal(u"0,29", QLatin1Char(','))->exactTenThousandths(), std::optional<qint64>(2900));
    QCOMPARE(parseDecimal(u"31,7800", QLatin1Char(','))->exactTenThousandths(), std::optional<qint64>(317800));
    QVERIFY(!parseDecimal(u"31,78004", QLatin1Char(','))->exactTenThousandths());
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
