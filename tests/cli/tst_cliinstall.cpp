#include "store/Database.h"

#include <QProcess>
#include <QtTest>

// An installed tarvel-cli finds the database as the window does, with no --db.
class TestCliInstall : public QObject {
    Q_OBJECT
private slots:
    void installedDumpPrintsShippedDollars();
};

namespace {
struct Result {
    int exitCode = -1;
    QString out, err;
};

Result run(const QString& program, const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
} // namespace

void TestCliInstall::installedDumpPrintsShippedDollars() {
    QTemporaryDir root;
    const QString prefix = root.filePath("prefix");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const Result install = run(QStringLiteral(TARVEL_CMAKE), {"--install", TARVEL_BUILD_DIR, "--prefix", prefix}, env);
    QVERIFY2(install.exitCode == 0, qPrintable(install.err));

    // A user of their own: no settings, no data yet.
    env.insert("HOME", root.filePath("home"));
    env.insert("XDG_CONFIG_HOME", root.filePath("home/.config"));
    env.insert("XDG_DATA_HOME", root.filePath("home/.local/share"));
    const Result dump = run(prefix + "/bin/tarvel-cli", {"dump", "usd"}, env);
    QVERIFY2(dump.exitCode == 0, qPrintable(dump.err));
    const QStringList lines = dump.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("CURDATE;NOMINAL;KURS;UPD;DT"));
    QCOMPARE(lines.value(1), QStringLiteral("07.11.2025;1;81,3765;4;"));
    QCOMPARE(lines.size(), 1 + 7710);
    // The user's copy, the one the window opens, and the choice kept for the next start.
    const QString copy = root.filePath("home/.local/share/Tarvel/main.db");
    QVERIFY(QFile::exists(copy));
    QSettings settings(root.filePath("home/.config/Quorvane/Vendrick.ini"), QSettings::IniFormat);
    QCOMPARE(settings.value("Settings/Database").toString(), copy);

    // The user changes a rate; later a writable data/main.db appears beside the program: the user's copy stays.
    {
        Database db;
        db.open(copy);
        db.exec("UPDATE USD SET KURS = 81.5, UPD = 0 WHERE CURDATE = '2025-11-07'");
    }
    QVERIFY(QDir().mkpath(prefix + "/bin/data"));
    QVERIFY(QFile::copy(prefix + "/share/tarvel/data/main.db", prefix + "/bin/data/main.db"));
    QFile::setPermissions(prefix + "/bin/data/main.db", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const Result again = run(prefix + "/bin/tarvel-cli", {"dump", "usd"}, env);
    QVERIFY2(again.exitCode == 0, qPrintable(again.err));
    QCOMPARE(again.out.split('\n').value(1), QStringLiteral("07.11.2025;1;81,5;0;"));
}

QTEST_GUILESS_MAIN(TestCliInstall)
#include "tst_cliinstall.moc"
