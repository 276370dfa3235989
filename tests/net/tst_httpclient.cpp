#include "ProxyDaemon.h"
#include "TestHttpServer.h"
#include "net/HttpClient.h"

#include <QTcpServer>
#include <QtTest>

Q_DECLARE_METATYPE(TestReply)

class TestHttpClient : public QObject {
    Q_OBJECT
private slots:
    void sendsTheClientHeaders();
    void followsUpToFiveRedirects();
    void keepsCookies();
    void failures_data();
    void failures();
    void proxyCredentialsOnlyWhenAsked();
    void connectLimitCoversSocksNegotiation();
    void ignoresProxiesOfTheEnvironment();
    void refusesAnUntrustedCertificate();
};

namespace {
using Status = DownloadResult::Status;

QString statusName(Status s) {
    static const char* const names[] = {"Success",  "ConnectionFailed", "Timeout",  "Stalled",
                                        "TooLarge", "TooManyRedirects", "HttpError"};
    return QLatin1String(names[int(s)]);
}

DownloadRequest fast(const QString& url) {
    DownloadRequest r;
    r.url = url;
    r.connectTimeoutMs = 2000;
    r.stallTimeoutMs = 700;
    return r;
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // closed again when probe goes
}
} // namespace

void TestHttpClient::sendsTheClientHeaders() {
    TestHttpServer server;
    server.serve(TestReply::ok("<ValCurs/>"));
    HttpClient client;
    const DownloadResult r = client.get(fast(server.base() + "/scripts/XML_dynamic.asp?date_req1=02.03.2001"));
    QVERIFY2(r.ok(), qPrintable(r.errorString));
    QCOMPARE(r.data, QByteArray("<ValCurs/>"));
    QCOMPARE(r.httpStatus, 200);
    const TestRequest req = server.requests().value(0);
    QCOMPARE(req.method, QByteArray("GET"));
    QCOMPARE(req.target, QByteArray("/scripts/XML_dynamic.asp?date_req1=02.03.2001"));
    QCOMPARE(req.header("Accept"), QByteArray("text/html, */*"));
    QCOMPARE(req.header("User-Agent"), QByteArray("Mozilla/3.0 (compatible; Indy Library)"));
    QVERIFY(!req.hasHeader("Authorization"));
}

void TestHttpClient::followsUpToFiveRedirects() {
    TestHttpServer server([](const TestRequest& req) {
        // /hop/N redirects to /hop/N-1; /hop/0 answers. Absolute and relative locations alternate.
        const int n = req.target.mid(5).toInt();
        if (n == 0)
            return TestReply::ok("arrived");
        const QByteArray next = "/hop/" + QByteArray::number(n - 1);
        return TestReply::redirect(n % 2 ? next : "http://127.0.0.1:" + req.header("Host").split(':').value(1) + next,
                                   n % 2 ? 302 : 301);
    });
    HttpClient client;
    const DownloadResult five = client.get(fast(server.base() + "/hop/5"));
    QVERIFY2(five.ok(), qPrintable(five.errorString));
    QCOMPARE(five.data, QByteArray("arrived"));
    QCOMPARE(server.requestCount(), 6);

    const DownloadResult six = client.get(fast(server.base() + "/hop/6"));
    QCOMPARE(statusName(six.status), statusName(Status::TooManyRedirects));
    QVERIFY(six.data.isEmpty());
}

void TestHttpClient::keepsCookies() {
    TestHttpServer server([](const TestRequest& req) {
        if (req.target == "/protect") {
            TestReply r = TestReply::redirect("/rates");
            r.headers.append(header("Set-Cookie", "guard=ok42; Path=/"));
            return r;
        }
        return TestReply::ok(req.header("Cookie"));
    });
    HttpClient client;
    QCOMPARE(client.get(fast(server.base() + "/protect")).data, QByteArray("guard=ok42"));
    // The next request of the same client carries it too.
    QCOMPARE(client.get(fast(server.base() + "/rates")).data, QByteArray("guard=ok42"));
    HttpClient fresh;
    QCOMPARE(fresh.get(fast(server.base() + "/rates")).data, QByteArray());
}

void TestHttpClient::failures_data() {
    QTest::addColumn<TestReply>("reply");
    QTest::addColumn<int>("status");

    constexpr qint64 limit = 32 * 1024 * 1024;
    TestReply error500 = TestReply::ok("<html>Server error</html>", "text/html");
    error500.status = 500;
    TestReply notFound = TestReply::ok("missing", "text/html");
    notFound.status = 404;
    TestReply redirectNowhere;
    redirectNowhere.status = 302; // no Location
    TestReply closes = TestReply::ok("<ValCurs><Record Date=\"02.03.2001\">");
    closes.mode = TestReply::Mode::CloseMidBody;
    TestReply stalls = TestReply::ok("<ValCurs><Record Date=\"02.03.2001\">");
    stalls.mode = TestReply::Mode::StallAfterBody;
    TestReply silent;
    silent.mode = TestReply::Mode::Silent;
    TestReply exactly = TestReply::ok(QByteArray(limit, 'x'));
    TestReply announcedTooLarge = TestReply::ok(QByteArray(limit + 1, 'x'));
    TestReply tooLargeWithoutLength = announcedTooLarge;
    tooLargeWithoutLength.contentLength = false;

    QTest::newRow("status 500") << error500 << int(Status::HttpError);
    QTest::newRow("status 404") << notFound << int(Status::HttpError);
    QTest::newRow("redirect without a location") << redirectNowhere << int(Status::HttpError);
    QTest::newRow("closed in the middle of the body") << closes << int(Status::ConnectionFailed);
    QTest::newRow("no more data after part of the body") << stalls << int(Status::Stalled);
    QTest::newRow("no answer at all") << silent << int(Status::Stalled);
    QTest::newRow("32 MiB exactly") << exactly << int(Status::Success);
    QTest::newRow("over 32 MiB, announced") << announcedTooLarge << int(Status::TooLarge);
    QTest::newRow("over 32 MiB, not announced") << tooLargeWithoutLength << int(Status::TooLarge);
}

void TestHttpClient::failures() {
    QFETCH(TestReply, reply);
    QFETCH(int, status);
    TestHttpServer server;
    server.serve(reply);
    HttpClient client;
    DownloadRequest request = fast(server.base() + "/scripts/XML_dynamic.asp");
    const DownloadResult r = client.get(request);
    QVERIFY2(statusName(r.status) == statusName(Status(status)),
             qPrintable(statusName(r.status) + ": " + r.errorString));
    if (r.ok())
        QCOMPARE(r.data.size(), reply.body.size());
    else
        QVERIFY(r.data.isEmpty());
}

void TestHttpClient::proxyCredentialsOnlyWhenAsked() {
    // The test server plays the HTTP proxy: it asks for credentials when a request comes without them.
    TestHttpServer proxy([](const TestRequest& req) {
        if (!req.hasHeader("Proxy-Authorization")) {
            TestReply r = TestReply::ok("who are you", "text/html");
            r.status = 407;
            r.headers.append(header("Proxy-Authenticate", "Basic realm=\"test\""));
            return r;
        }
        return TestReply::ok("through the proxy");
    });
    HttpClient client;
    ConnectionSettings c;
    c.proxy = {QStringLiteral("127.0.0.1"), proxy.port(), QStringLiteral(" bob"), QStringLiteral("p:4ss")};
    client.setConnectionSettings(c);
    const DownloadResult r = client.get(fast("http://rates.example/scripts/XML_dynamic.asp?x=1"));
    QVERIFY2(r.ok(), qPrintable(r.errorString));
    QCOMPARE(r.data, QByteArray("through the proxy"));
    const QList<TestRequest> seen = proxy.requests();
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].target, QByteArray("http://rates.example/scripts/XML_dynamic.asp?x=1"));
    QVERIFY(!seen[0].hasHeader("Proxy-Authorization"));
    QCOMPARE(seen[1].header("Proxy-Authorization"), "Basic " + QByteArray(" bob:p:4ss").toBase64());
}

void TestHttpClient::connectLimitCoversSocksNegotiation() {
    // A SOCKS server that takes the connection and never answers the greeting.
    TestHttpServer silent;
    HttpClient client;
    ConnectionSettings c;
    c.socks.version = SocksVersion::Socks5;
    c.socks.host = QStringLiteral("127.0.0.1");
    c.socks.port = silent.port();
    client.setConnectionSettings(c);
    DownloadRequest request = fast("http://127.0.0.1:1/");
    request.connectTimeoutMs = 500;
    request.stallTimeoutMs = 60'000;
    const DownloadResult r = client.get(request);
    QCOMPARE(statusName(r.status), statusName(Status::Timeout));
}

void TestHttpClient::ignoresProxiesOfTheEnvironment() {
    TestHttpServer server;
    server.serve(TestReply::ok("direct"));
    const QByteArray dead = "http://127.0.0.1:" + QByteArray::number(closedPort());
    qputenv("http_proxy", dead);
    qputenv("HTTP_PROXY", dead);
    qputenv("all_proxy", dead);
    HttpClient client;
    const DownloadResult r = client.get(fast(server.base() + "/"));
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    qunsetenv("all_proxy");
    QVERIFY2(r.ok(), qPrintable(r.errorString));

    const DownloadResult refused = client.get(fast(QString::fromLatin1(dead) + "/"));
    QCOMPARE(statusName(refused.status), statusName(Status::ConnectionFailed));
}

void TestHttpClient::refusesAnUntrustedCertificate() {
    // https is spoken, and a certificate that no trusted authority signed is refused.
    auto server = ProxyDaemon::selfSignedHttps();
    QVERIFY2(server->started(), qPrintable(server->error()));
    HttpClient client;
    const DownloadResult r = client.get(fast(QStringLiteral("https://localhost:%1/").arg(server->port())));
    QCOMPARE(statusName(r.status), statusName(Status::ConnectionFailed));
    QVERIFY2(r.errorString.contains("certificate"), qPrintable(r.errorString));
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
