#include "CliRun.h"
#include "TestDb.h"

#include <QProcess>
#include <QtTest>

namespace {
using Run = CliRun;

CliRun cli(const QStringList& args) {
    return runCli(args);
}

QString fixture(const QString& name) {
    return QStringLiteral(TARVEL_TEST_BUILD_DATA "/import/%1.txt").arg(name);
}
} // namespace

class TestCliImport : public QObject {
    Q_OBJECT
private slots:
    void importsAndReports();
    void questionsAndAnswers();
    void failureExitsWithOne();
    void usage_data();
    void usage();
};

void TestCliImport::importsAndReports() {
    TestDb t;
    const Run r =
        cli({"--db", t.path(), "import", "--series", "mrot", "--source", "consultant", fixture("consultant-mrot.866")});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, "Имеющиеся записи не были изменены.\nДобавлено записей: 5.\n");
    QCOMPARE(r.exitCode, 0);
    const Run dump = cli({"--db", t.path(), "dump", "MROT"});
    QVERIFY(dump.out.contains("\n01.07.2001;100;300;1;"));
    QCOMPARE(t.count("MROT"), 5);

    const Run again = cli(
        {"--db", t.path(), "import", "--source", "consultant", "--series", "mrot", fixture("consultant-mrot.1251")});
    QCOMPARE(again.out, "Изменений в текущей таблице не произведено.\nВозможно Вы выбрали неверный файл.\n");
    QCOMPARE(again.exitCode, 0);
}

void TestCliImport::questionsAndAnswers() {
    TestDb t;
    t.add("EUR", QDate(2009, 7, 1), 1, 43.9, 3);
    const QStringList args{"--db", t.path(), "import", "--series", "eur", "--source", "garant"};
    const QString question = "Импортируемые данные и данные в таблице не совпадают. \nНа 01.07.2009 в таблице "
                             "значение - 43,9, а в импортируемой записи - 43,879. \nЗначение в таблице было "
                             "добавлено из интернета.\nВы хотите заменить значение в таблице на импортируемое?\n";

    const Run no = cli(args + QStringList{fixture("garant-rates.1251")});
    QCOMPARE(no.err, question + "Ответ: нет\n");
    QCOMPARE(no.out, "Имеющиеся записи не были изменены.\nДобавлено записей: 3.\n");
    QCOMPARE(no.exitCode, 0);

    const Run yes = cli(args + QStringList{"--answer", "yes", fixture("garant-rates.866")});
    QCOMPARE(yes.err, question + "Ответ: да\n");
    QCOMPARE(yes.out, "Изменено записей: 1.\nНовых записей добавлено не было.\n");
    QVERIFY(cli({"--db", t.path(), "dump", "EUR"}).out.contains("\n01.07.2009;1;43,879;2;"));
}

void TestCliImport::failureExitsWithOne() {
    TestDb t;
    const Run r =
        cli({"--db", t.path(), "import", "--series", "usd", "--source", "garant", fixture("garant-rates-note.866")});
    QCOMPARE(r.out, "Имеющиеся записи не были изменены.\nДобавлено записей: 2.\nИмпорт прерван: ошибка в строке 9.\n"
                    "Строка не похожа на строку таблицы: «Курсы приведены в рублях за единицу валюты (руб./ед.).».\n");
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(t.count("USD"), 2);

    const Run missing =
        cli({"--db", t.path(), "import", "--series", "usd", "--source", "garant", t.dir() + "/absent.txt"});
    QCOMPARE(missing.out, "Изменений в текущей таблице не произведено.\nВозможно произошла ошибка.\n"
                          "Не удалось открыть файл «" +
                              QDir::toNativeSeparators(t.dir() + "/absent.txt") + "».\n");
    QCOMPARE(missing.exitCode, 1);
}

void TestCliImport::usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no file") << QStringList{"--series", "usd", "--source", "garant"};
    QTest::newRow("two files") << QStringList{"--series", "usd", "--source", "garant", "a.txt", "b.txt"};
    QTest::newRow("other currency") << QStringList{"--series", "dem", "--source", "garant", "a.txt"};
    QTest::newRow("unknown source") << QStringList{"--series", "usd", "--source", "internet", "a.txt"};
    QTest::newRow("bad answer") << QStringList{"--series", "usd", "--source", "garant", "--answer", "maybe", "a.txt"};
    QTest::newRow("option without value") << QStringList{"a.txt", "--series", "usd", "--source"};
}

void TestCliImport::usage() {
    QFETCH(QStringList, args);
    TestDb t;
    const Run r = cli(QStringList{"--db", t.path(), "import"} + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains("import --series usd|eur|mrot|refin"));
    QCOMPARE(r.out, QString());
}

QTEST_GUILESS_MAIN(TestCliImport)
#include "tst_cliimport.moc"
