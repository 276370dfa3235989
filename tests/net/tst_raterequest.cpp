#include "common/RegionalSettings.h"
#include "net/RateRequest.h"

#include <QtTest>

Q_DECLARE_METATYPE(Series)

class TestRateRequest : public QObject {
    Q_OBJECT
private slots:
    void requestUrl_data();
    void requestUrl();
    void serviceBase_data();
    void serviceBase();
    void codeForTable();
};

namespace {
RegionalSettings monthFirstWithSlashes() {
    RegionalSettings r;
    r.shortDateFormat = QStringLiteral("MM/dd/yyyy");
    r.dateSeparator = QLatin1Char('/');
    r.decimalSeparator = QLatin1Char('.');
    return r;
}

// What the download would request for the main window's fields; empty when it requests nothing.
QString requestFor(Series series, int row, const QString& date1, const QString& date2, const RegionalSettings& regional,
                   int currentYear) {
    const auto code = RateRequest::codeForSeries(series, row);
    const auto from = RateRequest::readRangeDate(date1, regional, currentYear);
    const auto to = RateRequest::readRangeDate(date2, regional, currentYear);
    if (!code || !from || !to)
        return QString();
    return RateRequest::url(QStringLiteral("http://www.cbr.ru"), *from, *to, *code);
}
} // namespace

void TestRateRequest::requestUrl_data() {
    QTest::addColumn<Series>("series");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("date1");
    QTest::addColumn<QString>("date2");
    QTest::addColumn<bool>("monthFirst");
    QTest::addColumn<int>("currentYear");
    QTest::addColumn<QString>("query"); // after "/scripts/XML_dynamic.asp?", empty: no request

    QTest::newRow("dollar") << Series::Dollar << -1 << "02.03.01"
                            << "05.03.01" << false << 2026
                            << "date_req1=02.03.2001&date_req2=05.03.2001&VAL_NM_RQ=R01235";
    QTest::newRow("euro") << Series::Euro << -1 << "10.01.09"
                          << "11.01.09" << false << 2026
                          << "date_req1=10.01.2009&date_req2=11.01.2009&VAL_NM_RQ=R01239";
    QTest::newRow("first other currency")
        << Series::OtherCurrency << 0 << "10.01.09"
        << "11.01.09" << false << 2026 << "date_req1=10.01.2009&date_req2=11.01.2009&VAL_NM_RQ=R01010";
    QTest::newRow("mark") << Series::OtherCurrency << 13 << "10.01.99"
                          << "11.01.99" << false << 2026
                          << "date_req1=10.01.1999&date_req2=11.01.1999&VAL_NM_RQ=R01510";
    QTest::newRow("yen") << Series::OtherCurrency << 25 << "10.01.2009"
                         << "11.01.2009" << false << 2026
                         << "date_req1=10.01.2009&date_req2=11.01.2009&VAL_NM_RQ=R01820";
    QTest::newRow("start after end is sent as typed")
        << Series::Dollar << -1 << "05.03.01"
        << "02.03.01" << false << 2026 << "date_req1=05.03.2001&date_req2=02.03.2001&VAL_NM_RQ=R01235";
    QTest::newRow("58 in 2009 is 2058") << Series::Dollar << -1 << "01.01.58"
                                        << "01.01.58" << false << 2009
                                        << "date_req1=01.01.2058&date_req2=01.01.2058&VAL_NM_RQ=R01235";
    QTest::newRow("59 in 2009 is 1959") << Series::Dollar << -1 << "01.01.59"
                                        << "01.01.59" << false << 2009
                                        << "date_req1=01.01.1959&date_req2=01.01.1959&VAL_NM_RQ=R01235";
    QTest::newRow("09 in 1960") << Series::Dollar << -1 << "01.01.09"
                                << "01.01.09" << false << 1960
                                << "date_req1=01.01.2009&date_req2=01.01.2009&VAL_NM_RQ=R01235";
    QTest::newRow("09 in 2059") << Series::Dollar << -1 << "01.01.09"
                                << "01.01.09" << false << 2059
                                << "date_req1=01.01.2009&date_req2=01.01.2009&VAL_NM_RQ=R01235";
    QTest::newRow("dots whatever the regional settings")
        << Series::Dollar << -1 << "03/02/01"
        << "03/05/01" << true << 2026 << "date_req1=02.03.2001&date_req2=05.03.2001&VAL_NM_RQ=R01235";
    QTest::newRow("blank day before the number")
        << Series::Dollar << -1 << " 2.03.01"
        << "05.03.01" << false << 2026 << "date_req1=02.03.2001&date_req2=05.03.2001&VAL_NM_RQ=R01235";
    QTest::newRow("empty Date1") << Series::Dollar << -1 << "  .  .  "
                                 << "05.03.01" << false << 2026 << "";
    QTest::newRow("empty Date2 shown with underscores") << Series::Dollar << -1 << "02.03.01"
                                                        << "__.__.__" << false << 2026 << "";
    QTest::newRow("incomplete Date1") << Series::Dollar << -1 << "02.03.  "
                                      << "05.03.01" << false << 2026 << "";
    QTest::newRow("no such day") << Series::Dollar << -1 << "30.02.09"
                                 << "05.03.09" << false << 2026 << "";
    QTest::newRow("no other currency chosen") << Series::OtherCurrency << -1 << "02.03.01"
                                              << "05.03.01" << false << 2026 << "";
    QTest::newRow("MROT has no request") << Series::Mrot << -1 << "02.03.01"
                                         << "05.03.01" << false << 2026 << "";
}

void TestRateRequest::requestUrl() {
    QFETCH(Series, series);
    QFETCH(int, row);
    QFETCH(QString, date1);
    QFETCH(QString, date2);
    QFETCH(bool, monthFirst);
    QFETCH(int, currentYear);
    QFETCH(QString, query);
    const RegionalSettings regional = monthFirst ? monthFirstWithSlashes() : RegionalSettings::russian();
    const QString url = requestFor(series, row, date1, date2, regional, currentYear);
    QCOMPARE(url, query.isEmpty() ? QString() : "http://www.cbr.ru/scripts/XML_dynamic.asp?" + query);
}

void TestRateRequest::serviceBase_data() {
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("base"); // empty: refused

    QTest::newRow("default") << ""
                             << ""
                             << "http://www.cbr.ru";
    QTest::newRow("environment") << "http://127.0.0.1:8080"
                                 << ""
                                 << "http://127.0.0.1:8080";
    QTest::newRow("given wins") << "http://127.0.0.1:8080"
                                << "https://example.org:8443/"
                                << "https://example.org:8443";
    QTest::newRow("only scheme and host are taken") << ""
                                                    << "http://localhost:81/some/path?x=1"
                                                    << "http://localhost:81";
    QTest::newRow("not http") << ""
                              << "ftp://127.0.0.1"
                              << "";
    QTest::newRow("no host") << ""
                             << "http://"
                             << "";
    QTest::newRow("bad environment") << "127.0.0.1 8080"
                                     << ""
                                     << "";
}

void TestRateRequest::serviceBase() {
    QFETCH(QString, environment);
    QFETCH(QString, given);
    QFETCH(QString, base);
    if (environment.isEmpty())
        qunsetenv(RateRequest::kServiceVariable);
    else
        qputenv(RateRequest::kServiceVariable, environment.toUtf8());
    const auto result = RateRequest::serviceBase(given);
    qunsetenv(RateRequest::kServiceVariable);
    QCOMPARE(result.value_or(QString()), base);
}

void TestRateRequest::codeForTable() {
    QCOMPARE(RateRequest::codeForTable("usd").value_or(""), QStringLiteral("R01235"));
    QCOMPARE(RateRequest::codeForTable("EUR").value_or(""), QStringLiteral("R01239"));
    QCOMPARE(RateRequest::codeForTable("dem").value_or(""), QStringLiteral("R01510"));
    QCOMPARE(RateRequest::codeForTable("JPY").value_or(""), QStringLiteral("R01820"));
    QVERIFY(!RateRequest::codeForTable("MROT"));
}

QTEST_GUILESS_MAIN(TestRateRequest)
#include "tst_raterequest.moc"
