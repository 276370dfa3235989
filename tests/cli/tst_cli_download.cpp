#include "CliRun.h"
#include "TestDb.h"
#include "TestHttpServer.h"

#include <QProcess>
#include <QtTest>

class TestCliDownload : public QObject {
    Q_OBJECT
private slots:
    void download_data();
    void download();
    void storedConnectionSettings();
};

namespace {
using Run = CliRun;

Run cli(const QStringList& args, const QString& workDir, const QString& configDir, const QString& service = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configDir);
    env.remove("http_proxy");
    env.remove("all_proxy");
    if (service.isEmpty())
        env.remove("TARVEL_SERVICE");
    else
        env.insert("TARVEL_SERVICE", service);
    return runCli(args, env, workDir);
}

QByteArray response(const QByteArray& records) {
    return "<?xml version=\"1.0\" encoding=\"windows-1251\"?><ValCurs ID=\"R01235\" DateRange1=\"01.03.2001\" "
           "DateRange2=\"03.03.2001\" name=\"Foreign Currency Market Dynamic\">" +
           records + "</ValCurs>";
}

QByteArray record(const char* date, const char* value) {
    return QByteArray("<Record Date=\"") + date + "\" Id=\"R01235\"><Nominal>1</Nominal><Value>" + value +
           "</Value></Record>";
}

const QString kHeader = "CURDATE;NOMINAL;KURS;UPD;DT\n";
const QString kTypedByHand = "02.03.2001;1;30;0;04.03.2001\n";
} // namespace

void TestCliDownload::download_data() {
    QTest::addColumn<QStringList>("args"); // after --db FILE; SERVICE stands for the test server's address
    QTest::addColumn<bool>("serviceFromEnvironment");
    QTest::addColumn<int>("status"); // of the test server; 0: the rate answer
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("usd"); // the dollar table afterwards, without its header
    QTest::addColumn<int>("requests");

    const QByteArray rates =
        response(record("01.03.2001", "28,6100") + record("02.03.2001", "28,6200") + record("03.03.2001", "28,6500"));
    const QString added = "03.03.2001;1;28,65;3;\n" + kTypedByHand + "01.03.2001;1;28,61;3;\n";
    const QString failed = "Cоединение с интернет не установлено.\n";
    const QStringList usual{"download", "--series",   "usd",       "--from", "01.03.01",
                            "--to",     "03.03.2001", "--service", "SERVICE"};

    QTest::newRow("appends the missing dates") << usual << false << 200 << rates << 0 << "" << added << 1;
    QTest::newRow("service from the environment")
        << QStringList{"download", "--from", "01.03.2001", "--to", "03.03.2001", "--series", "USD"} << true << 200
        << rates << 0 << "" << added << 1;
    QTest::newRow("records left out are told")
        << usual << false << 200 << response(record("01.03.2001", "28,6100") + record("03.03.2001", "")) << 0
        << "Пропущено записей с неверными данными: 1.\n"
        << "02.03.2001;1;30;0;04.03.2001\n01.03.2001;1;28,61;3;\n"
        << 1;
    QTest::newRow("not rate data") << usual << false << 200 << QByteArray("<html><body>wait</body></html>") << 1
                                   << "Получен ответ, не содержащий данных о курсах валют.\nДанные не загружены.\n"
                                   << kTypedByHand << 1;
    QTest::newRow("server error") << usual << false << 500 << rates << 1 << failed << kTypedByHand << 1;
    QTest::newRow("unreadable date") << QStringList{"download", "--series",   "usd",       "--from", "  .  .  ",
                                                    "--to",     "03.03.2001", "--service", "SERVICE"}
                                     << false << 200 << rates << 1 << failed << kTypedByHand << 0;
    QTest::newRow("not a currency table")
        << QStringList{"download", "--series", "MROT", "--from", "01.03.01", "--to", "03.03.01", "--service", "SERVICE"}
        << false << 200 << rates << 2 << "Таблица «MROT» не найдена среди таблиц курсов валют.\n"
        << kTypedByHand << 0;
    QTest::newRow("not a service address")
        << QStringList{"download", "--series", "usd",       "--from",         "01.03.01",
                       "--to",     "03.03.01", "--service", "ftp://127.0.0.1"}
        << false << 200 << rates << 2 << "Неверный адрес службы «ftp://127.0.0.1»: нужен адрес http или https.\n"
        << kTypedByHand << 0;
}

void TestCliDownload::download() {
    QFETCH(QStringList, args);
    QFETCH(bool, serviceFromEnvironment);
    QFETCH(int, status);
    QFETCH(QByteArray, answer);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QString, usd);
    QFETCH(int, requests);

    TestHttpServer server;
    TestReply reply = TestReply::ok(answer);
    reply.status = status;
    server.serve(reply);
    TestDb db;
    db.add("USD", QDate(2001, 3, 2), 1, 30.0, 0, QDate(2001, 3, 4));
    QTemporaryDir work, config;
    args.replaceInStrings("SERVICE", server.base());

    const Run r = cli(QStringList{"--db", db.path()} + args, work.path(), config.path(),
                      serviceFromEnvironment ? server.base() : QString());
    QCOMPARE(r.err, err);
    QCOMPARE(r.out, QString());
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(server.requestCount(), requests);
    if (requests)
        QCOMPARE(server.requests().first().target,
                 QByteArray("/scripts/XML_dynamic.asp?date_req1=01.03.2001&date_req2=03.03.2001&VAL_NM_RQ=R01235"));
    QCOMPARE(QFile::exists(work.filePath("temp.xml")), requests > 0 && status == 200);

    const Run dump = cli({"--db", db.path(), "dump", "USD"}, work.path(), config.path());
    QCOMPARE(dump.out, kHeader + usd);
}

void TestCliDownload::storedConnectionSettings() {
    // The user's stored choice is an HTTP proxy; the test server plays it and sees the service's address.
    TestHttpServer proxy;
    proxy.serve(TestReply::ok(response(record("01.03.2001", "28,6100"))));
    QTemporaryDir work, config;
    {
        QSettings ini(config.filePath("Quorvane/Vendrick.ini"), QSettings::IniFormat);
        ini.setValue("Settings/Enab", 1);
        ini.setValue("Settings/ProxyIP", "127.0.0.1");
        ini.setValue("Settings/ProxyPort", proxy.port());
        ini.setValue("Settings/Socket", 3);
    }
    TestDb db;
    const Run r = cli({"--db", db.path(), "download", "--series", "DEM", "--from", "01.03.2001", "--to", "01.03.2001",
                       "--service", "http://rates.example"},
                      work.path(), config.path());
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(proxy.requests().value(0).target,
             QByteArray("http://rates.example/scripts/XML_dynamic.asp?date_req1=01.03.2001&date_req2=01.03.2001"
                        "&VAL_NM_RQ=R01510"));
    QCOMPARE(db.count("DEM"), 1);
}

QTEST_GUILESS_MAIN(TestCliDownload)
#include "tst_cli_download.moc"
