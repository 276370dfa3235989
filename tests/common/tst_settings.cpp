#include "common/Settings.h"

#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void firstStartDefaults();
    void laterStartsKeepValues();
    void advertisingReadings_data();
    void advertisingReadings();
    void ownerOnlyFile();
    void defaultLocationHonoursConfigFolder();
};

void TestSettings::firstStartDefaults() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Vendrick.ini"));
    {
        Settings s(file);
        QVERIFY(!s.keyExists());
        s.writeFirstStartDefaults();
        QVERIFY(s.keyExists());
    }
    QSettings raw(file, QSettings::IniFormat);
    raw.beginGroup(QStringLiteral("Settings"));
    QStringList keys = raw.childKeys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"Advertising", "Enab", "ProxyIP", "ProxyPort", "Skin", "Socket"}));
    QCOMPARE(raw.value(QStringLiteral("Enab")).toInt(), 0);
    QCOMPARE(raw.value(QStringLiteral("Advertising")).toString(), QStringLiteral("0"));
    QCOMPARE(raw.value(QStringLiteral("Skin")).toString(), QStringLiteral("No skin"));
    QCOMPARE(raw.value(QStringLiteral("ProxyIP")).toString(), QString());
    QCOMPARE(raw.value(QStringLiteral("ProxyPort")).toInt(), 80);
    QCOMPARE(raw.value(QStringLiteral("Socket")).toInt(), 0);

    Settings s(file);
    QVERIFY(!s.country());
    QVERIFY(!s.lang());
    QCOMPARE(s.advertising(), 0);
}

void TestSettings::laterStartsKeepValues() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Vendrick.ini"));
    {
        Settings s(file);
        s.writeFirstStartDefaults();
        s.setText(Settings::Key::Skin, QStringLiteral("Dark"));
        s.setText(Settings::Key::Lang, QStringLiteral("English"));
    }
    Settings s(file);
    s.writeFirstStartDefaults();
    QCOMPARE(s.skin(), QStringLiteral("Dark"));
    QCOMPARE(s.lang(), std::optional<QString>(QStringLiteral("English")));
}

void TestSettings::advertisingReadings_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("banner") << QVariant(QStringLiteral("0")) << 0;
    QTest::newRow("no banner") << QVariant(QStringLiteral("1")) << 1;
    QTest::newRow("not a number") << QVariant(QStringLiteral("много")) << 0;
    QTest::newRow("missing") << QVariant() << 0;
}

void TestSettings::advertisingReadings() {
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Vendrick.ini"));
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Settings/Skin"), QStringLiteral("No skin"));
        if (stored.isValid())
            raw.setValue(QStringLiteral("Settings/Advertising"), stored);
    }
    Settings s(file);
    QVERIFY(s.keyExists());
    QCOMPARE(s.advertising(), expected);
}

void TestSettings::ownerOnlyFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/Vendrick.ini"));
    {
        Settings s(file);
        s.writeFirstStartDefaults();
        s.setText(Settings::Key::Pass, QStringLiteral("112113114"));
    }
    const auto perms = QFile::permissions(file);
    QVERIFY(perms & QFileDevice::ReadOwner);
    QVERIFY(!(perms &
              (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup | QFileDevice::WriteOther)));
}

void TestSettings::defaultLocationHonoursConfigFolder() {
#ifndef Q_OS_WIN
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    {
        Settings s;
        s.writeFirstStartDefaults();
        QCOMPARE(s.fileName(), dir.filePath(QStringLiteral("Quorvane/Vendrick.ini")));
    }
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Quorvane/Vendrick.ini"))));
#endif
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
