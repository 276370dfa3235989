#include "ScriptedPrompts.h"
#include "common/Settings.h"
#include "net/HttpClient.h"
#include "ui/TfrmSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestTfrmSet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstStart();
    void withoutKeyStaysAsDesigned();
    void enablingRule_data();
    void enablingRule();
    void confirmStoresAndApplies();
    void refusedPortKeepsDialogOpen();
    void cancelChangesNothing();
    void offThenOnAgainNeedsAPort();

private:
    std::unique_ptr<TfrmSet> makeDialog();
    template <typename T> T* control(TfrmSet& d, const char* name) {
        T* w = d.findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QStringList enabledFields(TfrmSet& d);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
    HttpClient m_client;
    ScriptedPrompts m_prompts;
};

void TestTfrmSet::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<Settings>(m_dir->filePath("Vendrick.ini"));
    m_client.setConnectionSettings({});
    m_prompts.clear();
}

void TestTfrmSet::cleanup() {
    m_settings.reset();
    m_dir.reset();
}

std::unique_ptr<TfrmSet> TestTfrmSet::makeDialog() {
    auto d = std::make_unique<TfrmSet>(*m_settings, m_client, m_prompts);
    d->show();
    return d;
}

QStringList TestTfrmSet::enabledFields(TfrmSet& d) {
    QStringList on;
    for (const char* name : {"edIP", "edPort", "cbType", "chkAuth", "edName", "edPass"}) {
        if (d.findChild<QWidget*>(QLatin1String(name))->isEnabled())
            on << QLatin1String(name);
    }
    return on;
}

void TestTfrmSet::firstStart() {
    m_settings->writeFirstStartDefaults();
    auto d = makeDialog();
    QCOMPARE(d->windowTitle(), QStringLiteral("Настройки соединения"));
    QCOMPARE(d->size(), QSize(375, 161));
    QCOMPARE(control<QCheckBox>(*d, "chkProxy")->text(), QStringLiteral("Использовать прокси-сервер"));
    QCOMPARE(control<QGroupBox>(*d, "gr")->title(), QStringLiteral("Прокси-сервер:"));
    QCOMPARE(control<QCheckBox>(*d, "chkAuth")->text(), QStringLiteral("Требуется авторизация"));
    QCOMPARE(control<QPushButton>(*d, "btnApply")->text(), QStringLiteral("ОК"));
    QCOMPARE(control<QPushButton>(*d, "btnCancel")->text(), QStringLiteral("Отмена"));
    auto* type = control<QComboBox>(*d, "cbType");
    QCOMPARE(type->count(), 4);
    QCOMPARE(type->itemText(0), QStringLiteral("SOCKS4"));
    QCOMPARE(type->itemText(1), QStringLiteral("SOCKS4A"));
    QCOMPARE(type->itemText(2), QStringLiteral("SOCKS5"));
    QCOMPARE(type->currentText(), QStringLiteral("HTTP"));
    QCOMPARE(control<QLineEdit>(*d, "edPass")->echoMode(), QLineEdit::Password);

    QVERIFY(!control<QCheckBox>(*d, "chkProxy")->isChecked());
    QCOMPARE(control<QLineEdit>(*d, "edIP")->text(), QString());
    QCOMPARE(control<QLineEdit>(*d, "edPort")->text(), QString());
    QCOMPARE(enabledFields(*d), QStringList{});
}

void TestTfrmSet::withoutKeyStaysAsDesigned() {
    auto d = makeDialog();
    QVERIFY(!control<QCheckBox>(*d, "chkProxy")->isChecked());
    QVERIFY(!control<QCheckBox>(*d, "chkAuth")->isChecked());
    QCOMPARE(control<QComboBox>(*d, "cbType")->currentText(), QStringLiteral("HTTP"));
    QCOMPARE(enabledFields(*d).size(), 6);
}

void TestTfrmSet::enablingRule_data() {
    QTest::addColumn<bool>("clickProxy");
    QTest::addColumn<bool>("clickAuth");
    QTest::addColumn<QStringList>("enabled");
    const QStringList serverFields{"edIP", "edPort", "cbType", "chkAuth"};
    QTest::newRow("proxy on") << true << false << serverFields;
    QTest::newRow("proxy and authorisation on") << true << true << serverFields + QStringList{"edName", "edPass"};
}

void TestTfrmSet::enablingRule() {
    QFETCH(bool, clickProxy);
    QFETCH(bool, clickAuth);
    QFETCH(QStringList, enabled);
    m_settings->writeFirstStartDefaults();
    auto d = makeDialog();
    if (clickProxy)
        QTest::mouseClick(control<QCheckBox>(*d, "chkProxy"), Qt::LeftButton);
    if (clickAuth)
        QTest::mouseClick(control<QCheckBox>(*d, "chkAuth"), Qt::LeftButton);
    QCOMPARE(enabledFields(*d), enabled);
    // Turning the proxy off disables all six and keeps the check marks.
    QTest::mouseClick(control<QCheckBox>(*d, "chkProxy"), Qt::LeftButton);
    QCOMPARE(enabledFields(*d), QStringList{});
    QCOMPARE(control<QCheckBox>(*d, "chkAuth")->isChecked(), clickAuth);
}

void TestTfrmSet::confirmStoresAndApplies() {
    m_settings->writeFirstStartDefaults();
    auto d = makeDialog();
    QTest::mouseClick(control<QCheckBox>(*d, "chkProxy"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>(*d, "edIP"), "  10.0.0.5 ");
    QTest::keyClicks(control<QLineEdit>(*d, "edPort"), "1080");
    control<QComboBox>(*d, "cbType")->setCurrentIndex(2);
    QTest::mouseClick(control<QCheckBox>(*d, "chkAuth"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>(*d, "edName"), " alice ");
    QTest::keyClicks(control<QLineEdit>(*d, "edPass"), "s3cr:t");
    QTest::mouseClick(control<QPushButton>(*d, "btnApply"), Qt::LeftButton);

    QCOMPARE(d->result(), int(QDialog::Accepted));
    QVERIFY(!d->isVisible());
    QCOMPARE(m_prompts.texts(), QStringList{});
    QCOMPARE(m_settings->number(Settings::Key::Enab), 1);
    QCOMPARE(m_settings->text(Settings::Key::ProxyIP), QStringLiteral("10.0.0.5"));
    QCOMPARE(m_settings->number(Settings::Key::ProxyPort), 1080);
    QCOMPARE(m_settings->number(Settings::Key::Socket), 2);
    QCOMPARE(m_settings->number(Settings::Key::EnabAuth), 1);
    QCOMPARE(m_settings->text(Settings::Key::Name), QStringLiteral("alice"));
    QCOMPARE(DecodePass(m_settings->text(Settings::Key::Pass)), QStringLiteral("s3cr:t"));
    const ConnectionSettings c = m_client.connectionSettings();
    QCOMPARE(c.socks.version, SocksVersion::Socks5);
    QCOMPARE(c.socks.host, QStringLiteral("10.0.0.5"));
    QCOMPARE(c.socks.port, 1080);
    QCOMPARE(c.socks.authentication, SocksAuthentication::UserPassword);
    QCOMPARE(c.socks.user, QStringLiteral(" alice ")); // as typed until the next start
    QCOMPARE(c.proxy.server, QString());

    // Reopened, the dialog shows the choice.
    auto again = makeDialog();
    QVERIFY(control<QCheckBox>(*again, "chkProxy")->isChecked());
    QCOMPARE(control<QLineEdit>(*again, "edIP")->text(), QStringLiteral("10.0.0.5"));
    QCOMPARE(control<QLineEdit>(*again, "edPort")->text(), QStringLiteral("1080"));
    QCOMPARE(control<QComboBox>(*again, "cbType")->currentText(), QStringLiteral("SOCKS5"));
    QCOMPARE(control<QLineEdit>(*again, "edName")->text(), QStringLiteral("alice"));
    QCOMPARE(control<QLineEdit>(*again, "edPass")->text(), QStringLiteral("s3cr:t"));
    QCOMPARE(enabledFields(*again).size(), 6);
}

void TestTfrmSet::refusedPortKeepsDialogOpen() {
    m_settings->writeFirstStartDefaults();
    ConnectionSettings before;
    before.proxy.server = QStringLiteral("old.proxy");
    before.proxy.port = 3128;
    m_client.setConnectionSettings(before);
    const QByteArray storedBefore = [&] {
        m_settings->sync();
        QFile f(m_settings->fileName());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    auto d = makeDialog();
    QTest::mouseClick(control<QCheckBox>(*d, "chkProxy"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>(*d, "edIP"), "10.0.0.5");
    QTest::keyClicks(control<QLineEdit>(*d, "edPort"), "70000");
    QTest::mouseClick(control<QPushButton>(*d, "btnApply"), Qt::LeftButton);
    QCOMPARE(m_prompts.texts(), QStringList{"Номер порта должен быть от 0 до 65535."});
    QVERIFY(d->isVisible());

    control<QLineEdit>(*d, "edPort")->setText("80a");
    QTest::mouseClick(control<QPushButton>(*d, "btnApply"), Qt::LeftButton);
    QCOMPARE(m_prompts.texts().value(1), QStringLiteral("'80a' is not a valid integer value"));
    QVERIFY(d->isVisible());

    QCOMPARE(m_client.connectionSettings(), before);
    QFile f(m_settings->fileName());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), storedBefore);
}

void TestTfrmSet::cancelChangesNothing() {
    m_settings->writeFirstStartDefaults();
    auto d = makeDialog();
    QTest::mouseClick(control<QCheckBox>(*d, "chkProxy"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>(*d, "edIP"), "10.0.0.5");
    QTest::keyClicks(control<QLineEdit>(*d, "edPort"), "1080");
    QTest::mouseClick(control<QPushButton>(*d, "btnCancel"), Qt::LeftButton);
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QVERIFY(!d->isVisible());
    QCOMPARE(m_settings->number(Settings::Key::Enab), 0);
    QCOMPARE(m_settings->text(Settings::Key::ProxyIP), QString());
    QCOMPARE(m_client.connectionSettings(), ConnectionSettings{});
}

void TestTfrmSet::offThenOnAgainNeedsAPort() {
    m_settings->setValues({{Settings::Key::Enab, 1},
                           {Settings::Key::ProxyIP, "1.2.3.4"},
                           {Settings::Key::ProxyPort, 3128},
                           {Settings::Key::Socket, 3}});
    auto d = makeDialog();
    QTest::mouseClick(control<QCheckBox>(*d, "chkProxy"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(*d, "btnApply"), Qt::LeftButton);
    QCOMPARE(m_settings->number(Settings::Key::Enab), 0);
    QCOMPARE(m_settings->text(Settings::Key::ProxyIP), QStringLiteral("1.2.3.4")); // kept, only hidden

    auto reopened = makeDialog();
    QCOMPARE(control<QLineEdit>(*reopened, "edIP")->text(), QString());
    QCOMPARE(control<QLineEdit>(*reopened, "edPort")->text(), QString());
    QCOMPARE(control<QComboBox>(*reopened, "cbType")->currentText(), QStringLiteral("HTTP"));
    QTest::mouseClick(control<QCheckBox>(*reopened, "chkProxy"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(*reopened, "btnApply"), Qt::LeftButton);
    QCOMPARE(m_prompts.texts(), QStringList{"'' is not a valid integer value"});
    QVERIFY(reopened->isVisible());
    QCOMPARE(m_settings->number(Settings::Key::Enab), 0);
}

QTEST_MAIN(TestTfrmSet)
#include "tst_tfrmset.moc"
