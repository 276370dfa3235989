#include "common/AppError.h"
#include "common/Settings.h"
#include "net/ConnectionSettings.h"

#include <QtTest>

class TestConnectionSettings : public QObject {
    Q_OBJECT
private slots:
    void passRoundTrip_data();
    void passRoundTrip();
    void passStoredForm();
    void dialogConfirmation_data();
    void dialogConfirmation();
    void dialogFilling_data();
    void dialogFilling();
    void startUp_data();
    void startUp();
};

namespace {
using Values = QStringList; // "Name=value" of the settings key, sorted

QString describe(const ConnectionSettings& c) {
    static const char* const versions[] = {"none", "4", "4A", "5"};
    return QStringLiteral("proxy[%1:%2 '%3':'%4'] socks[%5 %6:%7 %8 '%9':'%10']")
        .arg(c.proxy.server)
        .arg(c.proxy.port)
        .arg(c.proxy.user, c.proxy.password, QLatin1String(versions[int(c.socks.version)]), c.socks.host)
        .arg(c.socks.port)
        .arg(QLatin1String(c.socks.authentication == SocksAuthentication::UserPassword ? "user/pass" : "no-auth"))
        .arg(c.socks.user, c.socks.password);
}

const QString kDirect = "proxy[:0 '':''] socks[none :0 no-auth '':'']";

class Key {
public:
    explicit Key(const Values& values) : m_file(m_dir.filePath("Vendrick.ini")) {
        QSettings raw(m_file, QSettings::IniFormat);
        for (const QString& v : values)
            raw.setValue("Settings/" + v.section('=', 0, 0), v.section('=', 1));
    }
    QString file() const { return m_file; }
    Values values() const {
        QSettings raw(m_file, QSettings::IniFormat);
        raw.beginGroup("Settings");
        Values out;
        for (const QString& k : raw.childKeys())
            out << k + "=" + raw.value(k).toString();
        out.sort();
        return out;
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
};

ConnectionDialogValues dialog(bool useProxy, const QString& address, const QString& port, ProxyKind kind,
                              bool authorise, const QString& user = {}, const QString& password = {}) {
    return {useProxy, address, port, int(kind), authorise, user, password};
}

// An earlier choice: a SOCKS4 server with authorisation.
const Values kEarlier{"Advertising=0",   "Enab=1",       "EnabAuth=1",   "Name=old", "Pass=" + EncodePass("oldpass"),
                      "ProxyIP=9.9.9.9", "ProxyPort=80", "Skin=No skin", "Socket=0"};
} // namespace

Q_DECLARE_METATYPE(ConnectionDialogValues)

void TestConnectionSettings::passRoundTrip_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("empty") << "";
    QTest::newRow("letters, digits, signs") << "Passw0rd!";
    QTest::newRow("blanks and a tab") << " a b\t";
    QString printable;
    for (char16_t c = 32; c < 127; ++c)
        printable += QChar(c);
    QTest::newRow("every printable ASCII character") << printable;
    QTest::newRow("control character") << QString(QChar(1));
    QTest::newRow("largest storable code") << QString(QChar(char16_t(999 - kPassOffset)));
    QTest::newRow("latin-1") << "déjà vu ß";
}

void TestConnectionSettings::passRoundTrip() {
    QFETCH(QString, password);
    QVERIFY(!UnencodablePassChar(password));
    const QString stored = EncodePass(password);
    QCOMPARE(stored.size(), password.size() * 3);
    QCOMPARE(DecodePass(stored), password);
}

void TestConnectionSettings::passStoredForm() {
    QCOMPARE(EncodePass("Ab"), QString::number('A' + kPassOffset) + QString::number('b' + kPassOffset));
    QCOMPARE(DecodePass(EncodePass("Ab") + "3"), QStringLiteral("Ab")); // a damaged tail is dropped
    QCOMPARE(UnencodablePassChar("пароль").value_or(QChar()), QChar(u'п'));
    QCOMPARE(UnencodablePassChar(QString(QChar(char16_t(1000 - kPassOffset)))).has_value(), true);
}

void TestConnectionSettings::dialogConfirmation_data() {
    QTest::addColumn<ConnectionDialogValues>("input");
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QString>("client");
    QTest::addColumn<QString>("error"); // a refusal leaves the key as it was

    auto with = [](Values v, const QStringList& changes) {
        for (const QString& c : changes) {
            const QString name = c.section('=', 0, 0) + "=";
            v.erase(std::remove_if(v.begin(), v.end(), [&](const QString& x) { return x.startsWith(name); }), v.end());
            v << c;
        }
        v.sort();
        return v;
    };

    QTest::newRow("SOCKS5 with authorisation")
        << dialog(true, "  10.0.0.5 ", " 1080 ", ProxyKind::Socks5, true, " alice ", " s3 cr")
        << with(kEarlier, {"Enab=1", "ProxyIP=10.0.0.5", "ProxyPort=1080", "Socket=2", "EnabAuth=1", "Name=alice",
                           "Pass=" + EncodePass(" s3 cr")})
        << "proxy[:0 '':''] socks[5 10.0.0.5:1080 user/pass ' alice ':' s3 cr']"
        << "";
    QTest::newRow("HTTP without authorisation keeps the stored name and password")
        << dialog(true, "proxy.local", "3128", ProxyKind::Http, false, "ignored", "пароль")
        << with(kEarlier, {"Enab=1", "ProxyIP=proxy.local", "ProxyPort=3128", "Socket=3", "EnabAuth=0"})
        << "proxy[proxy.local:3128 '':''] socks[none :0 no-auth '':'']"
        << "";
    QTest::newRow("HTTP with authorisation")
        << dialog(true, "127.0.0.1", "8080", ProxyKind::Http, true, "bob", "p4ss")
        << with(kEarlier, {"Enab=1", "ProxyIP=127.0.0.1", "ProxyPort=8080", "Socket=3", "EnabAuth=1", "Name=bob",
                           "Pass=" + EncodePass("p4ss")})
        << "proxy[127.0.0.1:8080 'bob':'p4ss'] socks[none :0 no-auth '':'']"
        << "";
    QTest::newRow("SOCKS4A, ports at both ends of the range")
        << dialog(true, "h", "65535", ProxyKind::Socks4A, false)
        << with(kEarlier, {"Enab=1", "ProxyIP=h", "ProxyPort=65535", "Socket=1", "EnabAuth=0"})
        << "proxy[:0 '':''] socks[4A h:65535 no-auth '':'']"
        << "";
    QTest::newRow("port 0") << dialog(true, "h", "0", ProxyKind::Socks4, false)
                            << with(kEarlier, {"Enab=1", "ProxyIP=h", "ProxyPort=0", "Socket=0", "EnabAuth=0"})
                            << "proxy[:0 '':''] socks[4 h:0 no-auth '':'']"
                            << "";
    QTest::newRow("proxy off writes only Enab, even with a bad port")
        << dialog(false, "x", "abc", ProxyKind::Socks5, true, "u", "пароль") << with(kEarlier, {"Enab=0"}) << kDirect
        << "";

    QTest::newRow("empty port") << dialog(true, "10.0.0.5", "", ProxyKind::Socks5, true, "u", "p") << kEarlier << ""
                                << "'' is not a valid integer value";
    QTest::newRow("port not a number") << dialog(true, "10.0.0.5", " 80a ", ProxyKind::Http, false) << kEarlier << ""
                                       << "'80a' is not a valid integer value";
    QTest::newRow("port above the range") << dialog(true, "10.0.0.5", "65536", ProxyKind::Http, false) << kEarlier << ""
                                          << "Номер порта должен быть от 0 до 65535.";
    QTest::newRow("negative port") << dialog(true, "10.0.0.5", "-1", ProxyKind::Http, false) << kEarlier << ""
                                   << "Номер порта должен быть от 0 до 65535.";
    QTest::newRow("password the stored form cannot carry")
        << dialog(true, "10.0.0.5", "1080", ProxyKind::Socks5, true, "u", "secretпароль") << kEarlier << ""
        << "Пароль содержит символ «п», который нельзя сохранить в настройках.\n"
           "Используйте латинские буквы, цифры и знаки препинания.";
}

void TestConnectionSettings::dialogConfirmation() {
    QFETCH(ConnectionDialogValues, input);
    QFETCH(Values, stored);
    QFETCH(QString, client);
    QFETCH(QString, error);

    Key key(kEarlier);
    {
        Settings settings(key.file());
        if (error.isEmpty()) {
            QCOMPARE(describe(StoreConnectionDialog(settings, input)), client);
        } else {
            try {
                StoreConnectionDialog(settings, input);
                QFAIL("the confirmation was not refused");
            } catch (const AppError& e) {
                QCOMPARE(e.text(), error);
            }
        }
    }
    QCOMPARE(key.values(), error.isEmpty() ? stored : kEarlier);
}

void TestConnectionSettings::dialogFilling_data() {
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QString>("shown"); // empty: no key, the dialog stays as designed

    QTest::newRow("no key") << Values{} << "";
    QTest::newRow("first start") << Values{"Enab=0", "ProxyIP=", "ProxyPort=80", "Socket=0"}
                                 << "off '' '' HTTP auth=0 '' ''";
    QTest::newRow("proxy off hides what is stored")
        << Values{"Enab=0",     "ProxyIP=1.2.3.4", "ProxyPort=1080",         "Socket=2",
                  "EnabAuth=1", "Name=u",          "Pass=" + EncodePass("p")}
        << "off '' '' HTTP auth=0 '' ''";
    QTest::newRow("key without Enab") << Values{"Skin=No skin"} << "off '' '' HTTP auth=0 '' ''";
    QTest::newRow("SOCKS5 with authorisation") << Values{"Enab=1",
                                                         "ProxyIP=1.2.3.4",
                                                         "ProxyPort=1080",
                                                         "Socket=2",
                                                         "EnabAuth=1",
                                                         "Name=alice",
                                                         "Pass=" + EncodePass("s3 cr")}
                                               << "on '1.2.3.4' '1080' SOCKS5 auth=1 'alice' 's3 cr'";
    QTest::newRow("Enab 1 without EnabAuth")
        << Values{"Enab=1", "ProxyIP=h", "ProxyPort=3128", "Socket=1", "Name=alice", "Pass=" + EncodePass("x")}
        << "on 'h' '3128' SOCKS4A auth=0 '' ''";
    QTest::newRow("authorisation off keeps name and password hidden")
        << Values{"Enab=1",     "ProxyIP=h",  "ProxyPort=3128",         "Socket=3",
                  "EnabAuth=0", "Name=alice", "Pass=" + EncodePass("x")}
        << "on 'h' '3128' HTTP auth=0 '' ''";
}

void TestConnectionSettings::dialogFilling() {
    QFETCH(Values, stored);
    QFETCH(QString, shown);
    static const char* const kinds[] = {"SOCKS4", "SOCKS4A", "SOCKS5", "HTTP"};
    Key key(stored);
    const Settings settings(key.file());
    const auto v = ReadConnectionDialog(settings);
    if (shown.isEmpty()) {
        QVERIFY(!v);
        return;
    }
    QVERIFY(v);
    QCOMPARE(QStringLiteral("%1 '%2' '%3' %4 auth=%5 '%6' '%7'")
                 .arg(QLatin1String(v->useProxy ? "on" : "off"), v->address, v->port, QLatin1String(kinds[v->kind]))
                 .arg(int(v->authorise))
                 .arg(v->user, v->password),
             shown);
}

void TestConnectionSettings::startUp_data() {
    QTest::addColumn<Values>("stored");
    QTest::addColumn<QString>("client");

    QTest::newRow("first start") << Values{"Enab=0", "ProxyIP=", "ProxyPort=80", "Socket=0"} << kDirect;
    QTest::newRow("no Enab") << Values{"ProxyIP=h", "ProxyPort=80", "Socket=3"} << kDirect;
    QTest::newRow("HTTP with authorisation") << Values{"Enab=1",
                                                       "ProxyIP=h",
                                                       "ProxyPort=3128",
                                                       "Socket=3",
                                                       "EnabAuth=1",
                                                       "Name=bob",
                                                       "Pass=" + EncodePass("p4ss")}
                                             << "proxy[h:3128 'bob':'p4ss'] socks[none :0 no-auth '':'']";
    QTest::newRow("SOCKS4A") << Values{"Enab=1", "ProxyIP=h", "ProxyPort=1080", "Socket=1", "EnabAuth=0"}
                             << "proxy[:0 '':''] socks[4A h:1080 no-auth '':'']";
    QTest::newRow("SOCKS5 with authorisation") << Values{"Enab=1",
                                                         "ProxyIP=h",
                                                         "ProxyPort=1080",
                                                         "Socket=2",
                                                         "EnabAuth=1",
                                                         "Name=alice",
                                                         "Pass=" + EncodePass("s3 cr")}
                                               << "proxy[:0 '':''] socks[5 h:1080 user/pass 'alice':'s3 cr']";
    QTest::newRow("Enab 1 without EnabAuth")
        << Values{"Enab=1", "ProxyIP=h", "ProxyPort=1080", "Socket=0", "Name=alice", "Pass=" + EncodePass("x")}
        << "proxy[:0 '':''] socks[4 h:1080 no-auth '':'']";
    QTest::newRow("unknown kind goes direct") << Values{"Enab=1", "ProxyIP=h", "ProxyPort=1080", "Socket=7"}
                                              << "proxy[:0 '':''] socks[none h:1080 no-auth '':'']";
}

void TestConnectionSettings::startUp() {
    QFETCH(Values, stored);
    QFETCH(QString, client);
    Key key(stored);
    HttpClient http;
    {
        Settings settings(key.file());
        ApplyConnectionSettings(settings, http, "/start/dir");
    }
    QCOMPARE(describe(http.connectionSettings()), client);
    QVERIFY(key.values().contains("Path=/start/dir"));
}

QTEST_GUILESS_MAIN(TestConnectionSettings)
#include "tst_connectionsettings.moc"
