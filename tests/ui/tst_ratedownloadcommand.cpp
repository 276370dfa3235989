#include "ProxyDaemon.h"
#include "ScriptedPrompts.h"
#include "TestDb.h"
#include "TestHttpServer.h"
#include "net/HttpClient.h"
#include "net/RateDownload.h"
#include "store/IndicatorStore.h"
#include "ui/RateDownloadCommand.h"
#include "ui/TfrmGet.h"

#include <QTcpServer>
#include <QtTest>

Q_DECLARE_METATYPE(Series)

class TestRateDownloadCommand : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void downloadsWhileTheWindowsPaint();
    void otherCurrency();
    void failures_data();
    void failures();
    void answerThatCannotBeSaved();

private:
    RateDownloadCommand makeCommand();
    QStringList rows(const QString& table);

    std::unique_ptr<QTemporaryDir> m_workDir;
    QString m_previousDir;
    std::unique_ptr<TestDb> m_db;
    std::unique_ptr<QWidget> m_main;
    std::unique_ptr<IndicatorStore> m_store;
    std::unique_ptr<TestHttpServer> m_server;
    HttpClient m_client;
    Clock m_clock;
    int m_refreshes = 0;
};

namespace {
const QByteArray kResponse = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><ValCurs ID=\"R01235\" "
                             "DateRange1=\"01.03.2001\" DateRange2=\"03.03.2001\" name=\"Foreign Currency Market "
                             "Dynamic\"><Record Date=\"01.03.2001\" Id=\"R01235\"><Nominal>1</Nominal>"
                             "<Value>28,6100</Value></Record><Record Date=\"02.03.2001\" Id=\"R01235\"><Nominal>1"
                             "</Nominal><Value>28,6200</Value></Record></ValCurs>";

TfrmGet* waitWindow(QWidget* main) {
    const auto found = main->findChildren<TfrmGet*>();
    return found.isEmpty() ? nullptr : found.first();
}

// Records, at each message, whether the wait window was still up and the main window enabled.
class ObservingPrompts : public ScriptedPrompts {
public:
    QWidget* main = nullptr;
    QStringList states;
    void message(const QString& text) override {
        const TfrmGet* wait = waitWindow(main);
        states << QStringLiteral("wait=%1 main=%2")
                      .arg(wait && wait->isVisible() ? 1 : 0)
                      .arg(main->isEnabled() ? QLatin1String("enabled") : QLatin1String("disabled"));
        ScriptedPrompts::message(text);
    }
};

ObservingPrompts* g_prompts = nullptr;
} // namespace

void TestRateDownloadCommand::init() {
    m_previousDir = QDir::currentPath();
    m_workDir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(m_workDir->path());
    m_clock.setToday(testToday());
    m_db = std::make_unique<TestDb>();
    m_db->add("USD", QDate(2001, 3, 2), 1, 30.0, 0, QDate(2001, 3, 4));
    m_main = std::make_unique<QWidget>();
    m_main->resize(651, 536);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_store = std::make_unique<IndicatorStore>(m_db->db(), RegionalSettings::russian(), m_clock);
    m_store->makeActive(m_store->tKurs);
    m_server = std::make_unique<TestHttpServer>();
    m_refreshes = 0;
    g_prompts = new ObservingPrompts;
    g_prompts->main = m_main.get();
}

void TestRateDownloadCommand::cleanup() {
    m_server.reset();
    m_store.reset();
    m_main.reset();
    m_db.reset();
    delete g_prompts;
    g_prompts = nullptr;
    QDir::setCurrent(m_previousDir);
    m_workDir.reset();
    qunsetenv("TARVEL_SERVICE");
    m_client.setConnectionSettings({});
}

RateDownloadCommand TestRateDownloadCommand::makeCommand() {
    RateDownloadCommand command(m_main.get(), *m_store, *g_prompts, m_clock, RegionalSettings::russian(), m_client,
                                [this] { ++m_refreshes; });
    DownloadRequest limits;
    limits.connectTimeoutMs = 2000;
    limits.stallTimeoutMs = 2000;
    command.setRequestTemplate(limits);
    command.setServiceBase(m_server->base());
    return command;
}

QStringList TestRateDownloadCommand::rows(const QString& table) {
    Database& db = m_db->db();
    TableObject t(db, Layout::Currency, table, RegionalSettings::russian(), m_clock);
    t.open();
    QStringList out;
    for (int i = 0; i < t.recordCount(); ++i)
        out << t.row(i).values[0].toDate().toString("dd.MM.yyyy") + " " + t.row(i).values[2].toString() + " " +
                   t.row(i).values[3].toString();
    return out;
}

void TestRateDownloadCommand::downloadsWhileTheWindowsPaint() {
    TestReply slow = TestReply::ok(kResponse);
    slow.delayMs = 600;
    m_server->serve(slow);
    // The program finds the service through the environment.
    qputenv("TARVEL_SERVICE", m_server->base().toUtf8());
    RateDownloadCommand command(m_main.get(), *m_store, *g_prompts, m_clock, RegionalSettings::russian(), m_client,
                                [this] { ++m_refreshes; });

    QStringList during;
    int paints = 0;
    struct PaintCounter : QObject {
        int* count;
        explicit PaintCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter(&paints);
    QTimer::singleShot(200, [&] {
        TfrmGet* wait = waitWindow(m_main.get());
        during << QStringLiteral("main enabled=%1").arg(m_main->isEnabled());
        if (!wait)
            return;
        during << wait->text() << QStringLiteral("wait visible=%1").arg(wait->isVisible());
        wait->installEventFilter(&counter);
        wait->update();
        // A close request while the transfer runs is refused.
        m_main->close();
    });
    QTimer::singleShot(400, [&] { during << QStringLiteral("painted=%1").arg(paints > 0); });
    QString processingText;
    connect(&m_store->tKurs, &TableObject::rowInserted, this, [&] {
        if (TfrmGet* wait = waitWindow(m_main.get()))
            processingText = wait->text();
    });

    command.run({Series::Dollar, "01.03.01", "03.03.01", -1});

    QCOMPARE(during, (QStringList{"main enabled=0", "Загрузка данных. Подождите, пожалуйста...", "wait visible=1",
                                  "painted=1"}));
    QCOMPARE(processingText, QStringLiteral("Идет обработка полученных данных..."));
    QVERIFY(m_main->isVisible());
    QVERIFY(m_main->isEnabled());
    QVERIFY(!waitWindow(m_main.get()));
    QCOMPARE(g_prompts->texts(), QStringList{});
    QCOMPARE(m_refreshes, 1);
    QCOMPARE(m_server->requests().value(0).target,
             QByteArray("/scripts/XML_dynamic.asp?date_req1=01.03.2001&date_req2=03.03.2001&VAL_NM_RQ=R01235"));
    QCOMPARE(rows("USD"), (QStringList{"02.03.2001 30 0", "01.03.2001 28.61 3"}));
    QFile temp(m_workDir->filePath("temp.xml"));
    QVERIFY(temp.open(QIODevice::ReadOnly));
    QCOMPARE(temp.readAll(), kResponse + "\n");
}

void TestRateDownloadCommand::otherCurrency() {
    m_server->serve(TestReply::ok(QByteArray(kResponse).replace("R01235", "R01510")));
    m_store->tKurs.pointAt("DEM");
    auto command = makeCommand();
    command.run({Series::OtherCurrency, "01.03.01", "03.03.01", 13});
    QCOMPARE(g_prompts->texts(), QStringList{});
    QVERIFY(m_server->requests().value(0).target.endsWith("&VAL_NM_RQ=R01510"));
    QCOMPARE(rows("DEM"), (QStringList{"02.03.2001 28.62 3", "01.03.2001 28.61 3"}));
    QCOMPARE(rows("USD"), QStringList{"02.03.2001 30 0"});
}

void TestRateDownloadCommand::failures_data() {
    QTest::addColumn<Series>("series");
    QTest::addColumn<QString>("date1");
    QTest::addColumn<QString>("answer"); // how the server or the proxy on the way answers
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("processed"); // temp.xml replaced and the panel refreshed

    const QString failed = "Cоединение с интернет не установлено.";
    const QString notRates = "Получен ответ, не содержащий данных о курсах валют.\nДанные не загружены.";
    QTest::newRow("empty start date") << Series::Dollar << "  .  .  "
                                      << "rates" << 0 << failed << false;
    QTest::newRow("no request for MROT") << Series::Mrot << "01.03.01"
                                         << "rates" << 0 << failed << false;
    QTest::newRow("server error") << Series::Dollar << "01.03.01"
                                  << "500" << 1 << failed << false;
    QTest::newRow("nobody listens") << Series::Dollar << "01.03.01"
                                    << "refused" << 0 << failed << false;
    QTest::newRow("protection page") << Series::Dollar << "01.03.01"
                                     << "html" << 1 << notRates << true;
    QTest::newRow("closes in the middle of the body") << Series::Dollar << "01.03.01"
                                                      << "closes" << 1 << failed << false;
    QTest::newRow("stalls in the middle of the body") << Series::Dollar << "01.03.01"
                                                      << "stalls" << 1 << failed << false;
    QTest::newRow("redirects in a loop") << Series::Dollar << "01.03.01"
                                         << "loop" << 6 << failed << false;
    QTest::newRow("drips without end") << Series::Dollar << "01.03.01"
                                       << "drips" << 1 << failed << false;
    QTest::newRow("100 MB, announced") << Series::Dollar << "01.03.01"
                                       << "100 MB announced" << 1 << failed << false;
    QTest::newRow("100 MB, not announced") << Series::Dollar << "01.03.01"
                                           << "100 MB" << 1 << failed << false;
    QTest::newRow("nobody at the HTTP proxy's port") << Series::Dollar << "01.03.01"
                                                     << "no HTTP proxy" << 0 << failed << false;
    QTest::newRow("nobody at the SOCKS server's port") << Series::Dollar << "01.03.01"
                                                       << "no SOCKS server" << 0 << failed << false;
    QTest::newRow("HTTP proxy refuses the password") << Series::Dollar << "01.03.01"
                                                     << "tinyproxy" << 0 << failed << false;
    QTest::newRow("SOCKS5 server refuses the password") << Series::Dollar << "01.03.01"
                                                        << "microsocks" << 0 << failed << false;
}

void TestRateDownloadCommand::failures() {
    QFETCH(Series, series);
    QFETCH(QString, date1);
    QFETCH(QString, answer);
    QFETCH(int, requests);
    QFETCH(QString, message);
    QFETCH(bool, processed);

    const auto closedPort = [] {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort(); // closed again when probe goes
    };
    TestReply reply = TestReply::ok(kResponse);
    if (answer == "500") {
        reply = TestReply::ok("<html>error</html>", "text/html");
        reply.status = 500;
    } else if (answer == "html") {
        reply = TestReply::ok("<html><body>Please wait<br></body></html>", "text/html");
    } else if (answer == "closes") {
        reply.mode = TestReply::Mode::CloseMidBody;
    } else if (answer == "stalls") {
        reply.mode = TestReply::Mode::StallAfterBody;
    } else if (answer == "loop") {
        reply = TestReply::redirect("/scripts/XML_dynamic.asp?again=1");
    } else if (answer == "drips") {
        reply.dripMs = 50; // never silent long enough to count as stalled
        reply.contentLength = false;
    } else if (answer.startsWith("100 MB")) {
        reply.body = kResponse.left(kResponse.indexOf("<Record"));
        reply.filler = 100'000'000;
        reply.contentLength = answer.endsWith("announced");
    }
    m_server->serve(reply);

    // The proxies lead to the server; a refusal on the way leaves the server without a request.
    std::unique_ptr<ProxyDaemon> proxy;
    ConnectionSettings connection;
    if (answer == "no HTTP proxy") {
        connection.proxy = {"127.0.0.1", closedPort(), {}, {}};
    } else if (answer == "no SOCKS server") {
        connection.socks = {SocksVersion::Socks5, "127.0.0.1", closedPort(), SocksAuthentication::None, {}, {}};
    } else if (answer == "tinyproxy") {
        proxy = ProxyDaemon::tinyproxy("bob", "p4ss");
        connection.proxy = {"127.0.0.1", proxy->port(), "bob", "wrong"};
    } else if (answer == "microsocks") {
        proxy = ProxyDaemon::microsocks("alice", "s3cr:t");
        connection.socks = {
            SocksVersion::Socks5, "127.0.0.1", proxy->port(), SocksAuthentication::UserPassword, "alice", "bad"};
    }
    if (proxy)
        QVERIFY2(proxy->started(), qPrintable(proxy->error()));
    m_client.setConnectionSettings(connection);
    QFile old(m_workDir->filePath("temp.xml"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("last answer\n");
    old.close();

    auto command = makeCommand();
    if (answer == "refused")
        command.setServiceBase(QStringLiteral("http://127.0.0.1:%1").arg(closedPort()));
    if (answer == "stalls" || answer == "drips") {
        DownloadRequest limits;
        limits.connectTimeoutMs = 2000;
        limits.stallTimeoutMs = answer == "stalls" ? 700 : 2000;
        limits.totalTimeoutMs = answer == "drips" ? 1000 : limits.totalTimeoutMs;
        command.setRequestTemplate(limits);
    }
    QElapsedTimer timer;
    timer.start();
    command.run({series, date1, "03.03.01", -1});
    const qint64 ms = timer.elapsed();

    QCOMPARE(m_server->requestCount(), requests);
    QCOMPARE(g_prompts->texts(), QStringList{message});
    // The message comes with the wait window gone and the main window still disabled; then it is usable.
    QCOMPARE(g_prompts->states, QStringList{"wait=0 main=disabled"});
    QVERIFY(m_main->isEnabled());
    QVERIFY(!waitWindow(m_main.get()));
    QCOMPARE(rows("USD"), QStringList{"02.03.2001 30 0"});
    QCOMPARE(m_refreshes, processed ? 1 : 0);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll() == "last answer\n", !processed);
    old.close();
    qInfo("%s: %lld ms", QTest::currentDataTag(), ms);

    // And usable: the next download, direct again, goes through.
    m_client.setConnectionSettings({});
    m_server->serve(TestReply::ok(kResponse));
    m_server->clearRequests();
    g_prompts->clear();
    auto again = makeCommand();
    again.run({Series::Dollar, "01.03.01", "03.03.01", -1});
    QCOMPARE(g_prompts->texts(), QStringList{});
    QCOMPARE(m_server->requestCount(), 1);
    QCOMPARE(rows("USD"), (QStringList{"02.03.2001 30 0", "01.03.2001 28.61 3"}));
    QVERIFY(m_main->isEnabled());
}

void TestRateDownloadCommand::answerThatCannotBeSaved() {
    // The working folder takes no temp.xml: the copy goes to the user's cache folder and the download goes on.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    m_server->serve(TestReply::ok(kResponse));
    QVERIFY(QDir(m_workDir->path()).mkdir("temp.xml"));
    auto command = makeCommand();
    command.run({Series::Dollar, "01.03.01", "03.03.01", -1});
    const QString cachedCopy = CachedTempXmlPath();
    qunsetenv("XDG_CACHE_HOME");
    QCOMPARE(m_server->requestCount(), 1);
    QCOMPARE(g_prompts->texts(), QStringList{});
    QVERIFY(m_main->isEnabled());
    QCOMPARE(rows("USD"), (QStringList{"02.03.2001 30 0", "01.03.2001 28.61 3"}));
    QFile copy(cachedCopy);
    QVERIFY2(copy.fileName().startsWith(cache.path()), qPrintable(copy.fileName()));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), kResponse + "\n");
}

QTEST_MAIN(TestRateDownloadCommand)
#include "tst_ratedownloadcommand.moc"
