#include "common/AppError.h"
#include "common/PeriodText.h"

#include <QtTest>

// The period texts of the index series.
class TestPeriodText : public QObject {
    Q_OBJECT
private slots:
    void quarter_data();
    void quarter();
    void month_data();
    void month();
    void nominativeMonths();

private:
    static void addColumns() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // invalid: refused
        QTest::addColumn<QString>("message");
    }
    template <typename Read> static void check(Read read) {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QFETCH(QString, message);
        try {
            const QDate read_ = read(text);
            QVERIFY2(date.isValid(), qPrintable(read_.toString()));
            QCOMPARE(read_, date);
        } catch (const AppError& e) {
            QVERIFY2(!date.isValid(), qPrintable(e.text()));
            QCOMPARE(e.text(), message);
        }
    }
};

void TestPeriodText::quarter_data() {
    addColumns();
    const QString refused = quarterPeriodMessage();
    QCOMPARE(refused, QStringLiteral("Указанный Вами период неверен. Введите правильное значение периода.\n"
                                     "Пример: I квартал 2002 г."));
    QTest::newRow("I") << "I квартал 2002 г." << QDate(2002, 1, 1) << "";
    QTest::newRow("II") << "II квартал 2002 г." << QDate(2002, 4, 1) << "";
    QTest::newRow("III") << "III квартал 2002 г." << QDate(2002, 7, 1) << "";
    QTest::newRow("IV") << "IV квартал 2002 г." << QDate(2002, 10, 1) << "";
    QTest::newRow("short middle") << "III кв. 2002 г." << QDate(2002, 7, 1) << "";
    QTest::newRow("pre-filled, no year") << "I квартал" << QDate() << refused;
    QTest::newRow("small letter") << "i квартал 2002 г." << QDate() << refused;
    QTest::newRow("no trailing г.") << "I квартал 2002" << QDate() << refused;
    QTest::newRow("leading blank") << " I квартал 2002 г." << QDate() << refused;
    QTest::newRow("V") << "V квартал 2002 г." << QDate() << refused;
    QTest::newRow("Cyrillic І") << "І квартал 2002 г." << QDate() << refused;
    QTest::newRow("empty") << "" << QDate() << refused;
    QTest::newRow("year 0000") << "I квартал 0000 г." << QDate() << "'I квартал 0000 г.' is not a valid date";
}

void TestPeriodText::quarter() {
    check(ReadQuarterPeriod);
}

void TestPeriodText::month_data() {
    addColumns();
    const QString refused = monthPeriodMessage();
    QCOMPARE(refused, QStringLiteral("Указанный Вами период неверен. Введите правильное значение периода.\n"
                                     "Пример: январь 2002 г."));
    QTest::newRow("январь") << "январь 2002 г." << QDate(2002, 1, 1) << "";
    QTest::newRow("май") << "май 2003 г." << QDate(2003, 5, 1) << "";
    QTest::newRow("декабрь") << "декабрь 1999 г." << QDate(1999, 12, 1) << "";
    QTest::newRow("blanks around the name") << "  сентябрь  2002 г." << QDate(2002, 9, 1) << "";
    QTest::newRow("capital letter") << "Январь 2002 г." << QDate() << refused;
    QTest::newRow("genitive") << "января 2002 г." << QDate() << refused;
    QTest::newRow("no trailing г.") << "май 2003" << QDate() << refused;
    QTest::newRow("year 0000") << "май 0000 г." << QDate() << refused;
    QTest::newRow("not a year") << "май 20х3 г." << QDate() << refused;
    QTest::newRow("short") << "май" << QDate() << refused;
    QTest::newRow("empty") << "" << QDate() << refused;
}

void TestPeriodText::month() {
    check(ReadMonthPeriod);
}

void TestPeriodText::nominativeMonths() {
    const QStringList names = {"январь", "февраль", "март",     "апрель",  "май",    "июнь",
                               "июль",   "август",  "сентябрь", "октябрь", "ноябрь", "декабрь"};
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(MonthNumberNominative(names[i]), i + 1);
    QCOMPARE(MonthNumberNominative(u"мая"), 0);
    QCOMPARE(MonthNumberNominative(u"Май"), 0);
    QCOMPARE(MonthNumberNominative(u" май"), 0);
    QCOMPARE(MonthNumberNominative(u""), 0);
}

QTEST_GUILESS_MAIN(TestPeriodText)
#include "tst_periodtext.moc"
