#include "CliRun.h"
#include "TestDb.h"

#include <QtTest>

// The calculation commands: their output lines, their messages and exit codes.
class TestCliCalc : public QObject {
    Q_OBJECT
private slots:
    void rate();
    void convert();
    void interest();
    void interestBadArguments_data();
    void interestBadArguments();
    void inflation();
    void shippedDatabase();
};

namespace {
void fillRates(TestDb& t) {
    t.add("refin", QDate(2016, 6, 14), 10.5, {});
    t.add("refin", QDate(2023, 12, 18), 16.0, {});
    t.add("refin", QDate(2024, 7, 29), 18.0, {});
    t.add("refin", QDate(2024, 9, 16), 19.0, {});
    t.add("refin", QDate(2024, 10, 28), 21.0, {});
}
} // namespace

void TestCliCalc::rate() {
    TestDb t;
    t.add("USD", QDate(2024, 12, 29), 1, 101.6797, 4);
    t.add("USD", QDate(2024, 12, 28), 1, 100.1, 1, QDate(2024, 12, 30));
    const CliRun r = runCli({"--db", t.path(), "rate", "--series", "USD", "--on", "31.12.2024"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, "31.12.2024;29.12.2024;1;101,6797;4;\n");
    const CliRun older = runCli({"--db", t.path(), "rate", "--series", "usd", "--on", "28.12.2024"});
    QCOMPARE(older.out, "28.12.2024;28.12.2024;1;100,1;1;30.12.2024\n");

    const CliRun none = runCli({"--db", t.path(), "rate", "--series", "USD", "--on", "27.12.2024"});
    QCOMPARE(none.exitCode, 1);
    QCOMPARE(none.out, QString());
    QCOMPARE(none.err,
             "В таблице «USD» нет записи, действующей на 27.12.2024: первая запись таблицы — от 28.12.2024.\n");
    QCOMPARE(runCli({"--db", t.path(), "rate", "--series", "GOLD", "--on", "27.12.2024"}).exitCode, 2);
    QCOMPARE(runCli({"--db", t.path(), "rate", "--series", "USD", "--on", "32.12.2024"}).exitCode, 2);
}

void TestCliCalc::convert() {
    TestDb t;
    t.add("USD", QDate(2024, 12, 29), 1, 101.6797, 4);
    const CliRun r = runCli({"--db", t.path(), "convert", "--series", "USD", "--on", "31.12.2024", "--amount", "1000"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, "1000;29.12.2024;1;101,6797;101679,70\n");
    // Back to the currency: 500 / 101,6797 = 4,9174...
    const CliRun back =
        runCli({"--db", t.path(), "convert", "--series", "USD", "--on", "31.12.2024", "--roubles", "500"});
    QCOMPARE(back.out, "4,92;29.12.2024;1;101,6797;500\n");
    const CliRun cents =
        runCli({"--db", t.path(), "convert", "--series", "USD", "--on", "31.12.2024", "--amount", "0,5"});
    QCOMPARE(cents.out, "0,5;29.12.2024;1;101,6797;50,84\n");
    for (const char* bad : {"1,005", "1.5", "1 000", "abc"}) {
        const CliRun refused = runCli(
            {"--db", t.path(), "convert", "--series", "USD", "--on", "31.12.2024", "--amount", QString::fromUtf8(bad)});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY(refused.err.contains(QString::fromUtf8(bad)));
    }
    QCOMPARE(runCli({"--db", t.path(), "convert", "--series", "refin", "--on", "31.12.2024", "--amount", "1"}).exitCode,
             2);
}

void TestCliCalc::interest() {
    TestDb t;
    fillRates(t);
    const CliRun r =
        runCli({"--db", t.path(), "interest", "--principal", "100000", "--from", "01.01.2024", "--to", "31.12.2024"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, "01.01.2024;28.07.2024;210;100000,00;16;366;9180,33\n"
                    "29.07.2024;15.09.2024;49;100000,00;18;366;2409,84\n"
                    "16.09.2024;27.10.2024;42;100000,00;19;366;2180,33\n"
                    "28.10.2024;31.12.2024;65;100000,00;21;366;3729,51\n"
                    "Итого;;366;;;;17500,01\n");

    // 10 days of 1000 at 16 % / 150: 1000 x 0,16 x 10 / 150 = 10,666...; then a payment beyond the debt, reported.
    const CliRun paid =
        runCli({"--db", t.path(), "interest", "--principal", "1000,00", "--from", "01.02.2024", "--to", "29.02.2024",
                "--payment", "10.02.2024=600", "--payment", "10.02.2024=500,5", "--per-day", "1/150"});
    QCOMPARE(paid.exitCode, 0);
    QCOMPARE(paid.out, "01.02.2024;10.02.2024;10;1000,00;16;1/150;10,67\nИтого;;10;;;;10,67\n");
    QCOMPARE(paid.err, "Платёж от 10.02.2024 превышает остаток долга на 100,50 руб.\n");

    const CliRun old =
        runCli({"--db", t.path(), "interest", "--principal", "100000", "--from", "01.07.2016", "--to", "31.07.2016"});
    QCOMPARE(old.exitCode, 0);
    QCOMPARE(old.out, "01.07.2016;31.07.2016;31;100000,00;10,5;366;889,34\nИтого;;31;;;;889,34\n");
    QVERIFY(old.err.startsWith("До 01.08.2016 статья 395 ГК РФ применяла иные ставки"));

    const CliRun early =
        runCli({"--db", t.path(), "interest", "--principal", "100000", "--from", "01.07.2015", "--to", "31.07.2016"});
    QCOMPARE(early.exitCode, 1);
    QVERIFY(early.err.contains("14.06.2016"));
}

void TestCliCalc::interestBadArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("first after last") << QStringList{"--principal", "100", "--from", "02.01.2024", "--to", "01.01.2024"}
                                      << "Первый день просрочки (02.01.2024) позже последнего (01.01.2024).";
    QTest::newRow("payment outside") << QStringList{"--principal", "100",        "--from",    "01.01.2024",
                                                    "--to",        "31.01.2024", "--payment", "01.02.2024=1"}
                                     << "Платёж от 01.02.2024 лежит вне периода просрочки с 01.01.2024 по 31.01.2024.";
    QTest::newRow("zero principal") << QStringList{"--principal", "0", "--from", "01.01.2024", "--to", "31.01.2024"}
                                    << "Сумма долга должна быть больше нуля.";
    QTest::newRow("negative principal") << QStringList{"--principal", "-5",   "--from",
                                                       "01.01.2024",  "--to", "31.01.2024"}
                                        << "Сумма долга должна быть больше нуля.";
    QTest::newRow("bad share") << QStringList{"--principal", "5",          "--from",    "01.01.2024",
                                              "--to",        "31.01.2024", "--per-day", "1/0"}
                               << "Доля ставки за день «1/0» должна быть вида 1/N с целым N больше нуля.";
    QTest::newRow("bad payment") << QStringList{"--principal", "5",          "--from",    "01.01.2024",
                                                "--to",        "31.01.2024", "--payment", "05.01.2024"}
                                 << "Платёж «05.01.2024» нужно указать как ДД.ММ.ГГГГ=СУММА.";
}

void TestCliCalc::interestBadArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    TestDb t;
    fillRates(t);
    const CliRun r = runCli(QStringList{"--db", t.path(), "interest"} + args);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.err, message + '\n');
}

void TestCliCalc::inflation() {
    TestDb t;
    const double y1992[] = {345.3, 138, 129.9, 121.7, 111.9, 119.1, 110.6, 108.6, 111.5, 122.9, 126.1, 125.2};
    for (int m = 1; m <= 12; ++m)
        t.add("price", QDate(1992, m, 1), QString(), y1992[m - 1]);
    const CliRun r = runCli({"--db", t.path(), "inflation", "--from", "01.1992", "--to", "12.1992"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, "01.1992;12.1992;12;2608,85\n");
    const CliRun missing = runCli({"--db", t.path(), "inflation", "--from", "12.1992", "--to", "01.1993"});
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.err, "Нет индекса потребительских цен за 01.1993: накопленный индекс не рассчитан.\n");
    QCOMPARE(runCli({"--db", t.path(), "inflation", "--from", "13.1992", "--to", "12.1992"}).exitCode, 2);
    QCOMPARE(runCli({"--db", t.path(), "inflation", "--from", "12.1992", "--to", "01.1992"}).exitCode, 2);
}

void TestCliCalc::shippedDatabase() {
    // Figures of the published history itself: the key rate of 2024 and the prices of 1992.
    const QString shipped = QStringLiteral(TARVEL_BIN_DIR "/data/main.db");
    const CliRun interest =
        runCli({"--db", shipped, "interest", "--principal", "100000", "--from", "01.01.2024", "--to", "31.12.2024"});
    QCOMPARE(interest.exitCode, 0);
    QVERIFY2(interest.out.startsWith("01.01.2024;28.07.2024;210;100000,00;16;366;9180,33\n"), qPrintable(interest.out));
    QVERIFY2(interest.out.endsWith("\nИтого;;366;;;;17500,01\n"), qPrintable(interest.out));
    const CliRun inflation = runCli({"--db", shipped, "inflation", "--from", "01.1992", "--to", "12.1992"});
    QCOMPARE(inflation.out, "01.1992;12.1992;12;2608,85\n");
}

QTEST_GUILESS_MAIN(TestCliCalc)
#include "tst_clicalc.moc"
