#include "CliRun.h"

#include <QProcess>
#include <QtTest>

namespace {
using Run = CliRun;

CliRun cli(const QStringList& args) {
    return runCli(args);
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}
} // namespace

// tarvel-cli init-db FILE --history DIR, as the build makes the shipped database.
class TestInitDbHistory : public QObject {
    Q_OBJECT
private slots:
    void loadsHistory();
    void refusedLoadLeavesNoFile();
    void shippedDatabaseHoldsHistory();
};

void TestInitDbHistory::loadsHistory() {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("history");
    writeFile(dir.filePath("history/MROT.csv"),
              "CURDATE,RAZMER,RAZMER2\n2026-01-01,100,27093\n1998-01-01,83.49,83.49\n");
    const QString db = dir.filePath("main.db");
    const Run r = cli({"init-db", db, "--history", dir.filePath("history")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out, QStringLiteral("MROT: 2\n"));
    QVERIFY(!QFile::exists(db + "-wal"));
    const Run dump = cli({"--db", db, "dump", "mrot"});
    QCOMPARE(dump.out, QStringLiteral("CURDATE;RAZMER;RAZMER2;UPD;DT\n"
                                      "01.01.2026;100;27093;4;\n"
                                      "01.01.1998;83,49;83,49;4;\n"));

    QCOMPARE(cli({"init-db", dir.filePath("other.db"), "--history"}).exitCode, 2);
    QVERIFY(!QFile::exists(dir.filePath("other.db")));
}

void TestInitDbHistory::refusedLoadLeavesNoFile() {
    QTemporaryDir dir;
    writeFile(dir.filePath("refin.csv"), "CURDATE,RAZMER\n2025-12-22,16\n2025-13-01,16.5\n");
    const QString db = dir.filePath("main.db");
    const Run r = cli({"init-db", db, "--history", dir.path()});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("refin.csv") && r.err.contains("строка 3") && r.err.contains("2025-13-01"),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(db));
    QVERIFY(!QFile::exists(db + "-wal"));
}

void TestInitDbHistory::shippedDatabaseHoldsHistory() {
    // The build's database carries the series from their first day.
    const QString shipped = QStringLiteral(TARVEL_BIN_DIR "/data/main.db");
    const struct {
        const char* table;
        const char* oldest;
    } series[] = {{"USD", "01.07.1992"},
                  {"EUR", "01.01.2002"},
                  {"refin", "01.01.1992"},
                  {"MROT", "01.01.1998"},
                  {"price", "01.01.1991"}};
    for (const auto& s : series) {
        const Run r = cli({"--db", shipped, "dump", QString::fromLatin1(s.table)});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() > 10, s.table);
        QVERIFY2(lines.last().startsWith(QLatin1String(s.oldest)), qPrintable(lines.last()));
        QVERIFY2(lines.last().endsWith(QLatin1String(";4;")), qPrintable(lines.last())); // shipped with the program
    }
    QCOMPARE(cli({"--db", shipped, "dump", "infl"}).out.count('\n'), 1);
}

QTEST_GUILESS_MAIN(TestInitDbHistory)
#include "tst_initdbhistory.moc"
