#include "ProxyDaemon.h"
#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "TestHttpServer.h"
#include "common/Settings.h"
#include "net/ConnectionSettings.h"
#include "net/RateDownload.h"
#include "net/RateRequest.h"
#include "store/TableObject.h"

#include <QtTest>

// Downloads through real proxy servers of Debian, each started by the test on a free loopback port. Which
// package covers which kind: tinyproxy the HTTP proxy (with and without Basic authentication), dante SOCKS4
// and SOCKS5 without authentication, microsocks SOCKS5 with user name and password, twistd3 socks
// (python3-twisted) SOCKS4 and SOCKS4A, logging the SOCKS4 user id.
class TestProxies : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void download_data();
    void download();
};

namespace {
const QByteArray kResponse =
    "<?xml version=\"1.0\" encoding=\"windows-1251\"?><ValCurs ID=\"R01235\" DateRange1=\"01.03.2001\" "
    "DateRange2=\"05.03.2001\" name=\"Foreign Currency Market Dynamic\">"
    "<Record Date=\"01.03.2001\" Id=\"R01235\"><Nominal>1</Nominal><Value>28,6100</Value>"
    "<VunitRate>28,61</VunitRate></Record>"
    "<Record Date=\"02.03.2001\" Id=\"R01235\"><Nominal>1</Nominal><Value>28,6200</Value>"
    "<VunitRate>28,62</VunitRate></Record>"
    "<Record Date=\"03.03.2001\" Id=\"R01235\"><Nominal>1</Nominal><Value>28,6500</Value>"
    "<VunitRate>28,65</VunitRate></Record></ValCurs>";

QStringList rowsOf(TableObject& table) {
    QStringList rows;
    for (int i = 0; i < table.recordCount(); ++i) {
        const TableRow& r = table.row(i);
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(r.values[0].toDate().toString("dd.MM.yyyy"), r.values[1].toString(),
                         QString::number(r.values[2].toDouble(), 'f', 4), r.values[3].toString());
    }
    return rows;
}

const QStringList kBefore{"02.03.2001 1 30.0000 0"};
const QStringList kAfter{"03.03.2001 1 28.6500 3", "02.03.2001 1 30.0000 0", "01.03.2001 1 28.6100 3"};
} // namespace

Q_DECLARE_METATYPE(ProxyKind)

void TestProxies::initTestCase() {
    // The service the proxies lead to is the test's own server; nothing may reach it without them.
    qunsetenv("http_proxy");
    qunsetenv("all_proxy");
}

void TestProxies::download_data() {
    QTest::addColumn<QString>("daemon");
    QTest::addColumn<QString>("daemonUser");
    QTest::addColumn<QString>("daemonPassword");
    QTest::addColumn<ProxyKind>("kind");
    QTest::addColumn<bool>("authorise");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("host"); // of the service address
    QTest::addColumn<bool>("through");
    QTest::addColumn<QString>("evidence"); // in the daemon's log after a download through it

    const QString ip = "127.0.0.1", name = "localhost";
    QTest::newRow("HTTP proxy") << "tinyproxy"
                                << ""
                                << "" << ProxyKind::Http << false << ""
                                << "" << ip << true << "Established connection";
    QTest::newRow("HTTP proxy with Basic authentication") << "tinyproxy"
                                                          << "bob"
                                                          << "p4ss" << ProxyKind::Http << true << "bob"
                                                          << "p4ss" << name << true << "Established connection";
    QTest::newRow("HTTP proxy, wrong password") << "tinyproxy"
                                                << "bob"
                                                << "p4ss" << ProxyKind::Http << true << "bob"
                                                << "wrong" << ip << false << "";
    QTest::newRow("HTTP proxy asks, no authorisation chosen") << "tinyproxy"
                                                              << "bob"
                                                              << "p4ss" << ProxyKind::Http << false << ""
                                                              << "" << ip << false << "";

    QTest::newRow("SOCKS4") << "dante"
                            << ""
                            << "" << ProxyKind::Socks4 << false << ""
                            << "" << ip << true << "tcp/connect";
    QTest::newRow("SOCKS4 with a user id") << "twisted"
                                           << ""
                                           << "" << ProxyKind::Socks4 << true << "alice"
                                           << "x" << ip << true << "(user b'alice') authorized";
    QTest::newRow("SOCKS4A, the name resolved by the server") << "twisted"
                                                              << ""
                                                              << "" << ProxyKind::Socks4A << false << ""
                                                              << "" << name << true << "authorized";
    QTest::newRow("SOCKS4A is not SOCKS4: dante refuses it") << "dante"
                                                             << ""
                                                             << "" << ProxyKind::Socks4A << false << ""
                                                             << "" << name << false << "";

    QTest::newRow("SOCKS5") << "dante"
                            << ""
                            << "" << ProxyKind::Socks5 << false << ""
                            << "" << name << true << "tcp/connect";
    QTest::newRow("SOCKS5 with user name and password") << "microsocks"
                                                        << "alice"
                                                        << "s3cr:t" << ProxyKind::Socks5 << true << "alice"
                                                        << "s3cr:t" << name << true << "connected to";
    QTest::newRow("SOCKS5, wrong password") << "microsocks"
                                            << "alice"
                                            << "s3cr:t" << ProxyKind::Socks5 << true << "alice"
                                            << "bad" << ip << false << "";
    QTest::newRow("SOCKS5 asks, no authorisation chosen") << "microsocks"
                                                          << "alice"
                                                          << "s3cr:t" << ProxyKind::Socks5 << false << ""
                                                          << "" << ip << false << "";
    QTest::newRow("SOCKS4 to a server of SOCKS5 alone") << "microsocks"
                                                        << ""
                                                        << "" << ProxyKind::Socks4 << false << ""
                                                        << "" << ip << false << "";
}

void TestProxies::download() {
    QFETCH(QString, daemon);
    QFETCH(QString, daemonUser);
    QFETCH(QString, daemonPassword);
    QFETCH(ProxyKind, kind);
    QFETCH(bool, authorise);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, host);
    QFETCH(bool, through);
    QFETCH(QString, evidence);

    std::unique_ptr<ProxyDaemon> proxy;
    if (daemon == "tinyproxy")
        proxy = ProxyDaemon::tinyproxy(daemonUser, daemonPassword);
    else if (daemon == "dante")
        proxy = ProxyDaemon::dante();
    else if (daemon == "microsocks")
        proxy = ProxyDaemon::microsocks(daemonUser, daemonPassword);
    else
        proxy = ProxyDaemon::twistedSocks();
    QVERIFY2(proxy->started(), qPrintable(proxy->error()));

    TestHttpServer service;
    service.serve(TestReply::ok(kResponse));
    TestDb db;
    db.add("USD", QDate(2001, 3, 2), 1, 30.0, 0);
    Clock clock;
    TableObject table(db.db(), Layout::Currency, "USD", RegionalSettings::russian(), clock);
    table.open();
    ScriptedPrompts prompts;
    const QString temp = db.dir() + "/temp.xml";
    Settings settings(db.dir() + "/Vendrick.ini");
    settings.writeFirstStartDefaults();

    // The choice confirmed in the dialog goes to the client at once.
    HttpClient client;
    client.setConnectionSettings(StoreConnectionDialog(
        settings, {true, " 127.0.0.1 ", QString::number(proxy->port()), int(kind), authorise, user, password}));
    DownloadRequest request;
    request.url = RateRequest::url(QStringLiteral("http://%1:%2").arg(host).arg(service.port()), QDate(2001, 3, 1),
                                   QDate(2001, 3, 5), "R01235");
    request.connectTimeoutMs = 5000;
    request.stallTimeoutMs = 5000;
    const RateDownloadResult result = DownloadRates(client, request, table, prompts, temp);

    if (!through) {
        QVERIFY2(result.outcome == RateDownloadOutcome::ConnectionFailed, qPrintable(proxy->log()));
        QCOMPARE(prompts.texts(), QStringList{"Cоединение с интернет не установлено."});
        QCOMPARE(rowsOf(table), kBefore);
        QCOMPARE(db.count("USD"), 1);
        QVERIFY(!QFile::exists(temp));
        return;
    }
    QVERIFY2(result.outcome == RateDownloadOutcome::Processed,
             qPrintable(result.transfer.errorString + "\n" + proxy->log()));
    QCOMPARE(prompts.texts(), QStringList{});
    QCOMPARE(rowsOf(table), kAfter);
    QCOMPARE(db.count("USD"), 3);
    QTRY_VERIFY2(proxy->log().contains(evidence), qPrintable(proxy->log()));
    if (daemon == "tinyproxy")
        QVERIFY(service.requests().value(0).header("Via").contains("tinyproxy"));

    // After a restart the stored choice leads through the same server.
    HttpClient restarted;
    ApplyConnectionSettings(settings, restarted, db.dir());
    QCOMPARE(restarted.connectionSettings().socks.version, client.connectionSettings().socks.version);
    const RateDownloadResult again = DownloadRates(restarted, request, table, prompts, temp);
    QVERIFY2(again.outcome == RateDownloadOutcome::Processed, qPrintable(again.transfer.errorString));
    QCOMPARE(again.loaded.added, 0);
    QCOMPARE(service.requestCount(), 2);
    QCOMPARE(rowsOf(table), kAfter);
}

QTEST_GUILESS_MAIN(TestProxies)
#include "tst_proxies.moc"
