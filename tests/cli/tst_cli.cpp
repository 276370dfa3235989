#include "CliRun.h"
#include "TestDb.h"

#include <QProcess>
#include <QtTest>

namespace {
using Run = CliRun;

CliRun cli(const QStringList& args) {
    return runCli(args);
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initDbRefusesExistingFile();
    void dump();
    void dumpUnknownTable();
    void shippedDatabaseHasEveryTable();
};

void TestCli::initDbRefusesExistingFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath("new.db");
    QCOMPARE(cli({"init-db", file}).exitCode, 0);
    QVERIFY(QFile::exists(file));
    QVERIFY(!QFile::exists(file + "-wal"));
    const QByteArray before = [&] {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const Run again = cli({"init-db", file});
    QVERIFY(again.exitCode != 0);
    QVERIFY(again.err.contains(file));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestCli::dump() {
    TestDb t;
    t.add("USD", QDate(2009, 1, 10), 1, 29.3804, 1, QDate(2009, 1, 12));
    t.add("USD", QDate(2001, 3, 2), 1, 28.62, 3);
    t.add("USD", QDate(2009, 1, 13), {}, 1.5e-7, 0, QDate(2009, 1, 13));
    const Run r = cli({"--db", t.path(), "dump", "usd"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, QStringLiteral("CURDATE;NOMINAL;KURS;UPD;DT\n"
                                   "13.01.2009;;1,5E-7;0;13.01.2009\n"
                                   "10.01.2009;1;29,3804;1;12.01.2009\n"
                                   "02.03.2001;1;28,62;3;\n"));
    const Run price = cli({"--db", t.path(), "dump", "PRICE"});
    QCOMPARE(price.exitCode, 0);
    QCOMPARE(price.out, QStringLiteral("CURDATE;PERIOD;TOMONTH;UPD;DT\n"));
}

void TestCli::dumpUnknownTable() {
    TestDb t;
    const Run r = cli({"--db", t.path(), "dump", "GOLD"});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QVERIFY(r.err.contains("GOLD"));
    QVERIFY(r.err.contains("не найдена"));

    const Run missing = cli({"--db", t.dir() + "/absent.db", "dump", "USD"});
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(!QFile::exists(t.dir() + "/absent.db"));
}

void TestCli::shippedDatabaseHasEveryTable() {
    // The build's own database: every table present (dump opens each one).
    const QString shipped = QStringLiteral(TARVEL_BIN_DIR "/data/main.db");
    QVERIFY(QFile::exists(shipped));
    for (const char* table : {"USD", "EUR", "DEM", "JPY", "MROT", "refin", "infl", "price"}) {
        const Run r = cli({"--db", shipped, "dump", QString::fromLatin1(table)});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
