#include "common/Settings.h"
#include "shell/AppPaths.h"
#include "store/Database.h"

#include <QtTest>

#include <sqlite3.h>
#include <unistd.h>

namespace {
// A database with one record in the dollar table, so that a copy can be told from a fresh one.
void makeDatabase(const QString& path, const char* kurs) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    Database::create(path);
    Database db;
    db.open(path);
    const QByteArray sql = QByteArray("INSERT INTO USD VALUES ('2023-03-17', 1, ") + kurs + ", 3, NULL)";
    db.exec(sql.constData());
}

QString dollarRate(const QString& path) {
    Database db;
    db.open(path);
    Statement st(db, QStringLiteral("SELECT KURS FROM USD ORDER BY CURDATE DESC"));
    return st.step() ? QString::number(sqlite3_column_double(st.handle(), 0)) : QString();
}

void setReadOnly(const QString& dir) {
    QFile::setPermissions(dir + "/data/main.db", QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QFile::setPermissions(dir + "/data", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}

void setWritable(const QString& dir) {
    QFile::setPermissions(dir + "/data", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(dir + "/data/main.db", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool never(const QString&) {
    return false;
}
} // namespace

class TestAppPaths : public QObject {
    Q_OBJECT
private slots:
    void portableCopyWorksInPlace();
    void installedCopiesOnFirstStart();
    void readOnlyProgramFolderCopies();
    void writableProbe();
    void neitherPossibleNamesThePath();
    void choiceIsKept_data();
    void choiceIsKept();
    void choiceIsRemembered();
};

void TestAppPaths::portableCopyWorksInPlace() {
    QTemporaryDir root;
    makeDatabase(root.filePath("bin/data/main.db"), "76.4095");
    const auto where = AppPaths::locateDatabase(root.filePath("bin"), {root.filePath("bin")}, root.filePath("user"));
    QCOMPARE(where.path, root.filePath("bin/data/main.db"));
    QVERIFY(!where.copied);
    QVERIFY(!QFileInfo::exists(root.filePath("user")));
}

void TestAppPaths::installedCopiesOnFirstStart() {
    // The package's layout: bin/tarvel, share/tarvel/data/main.db read-only. Nothing lies beside the program,
    // so the outcome does not hang on what the permission bits allow this user.
    QTemporaryDir root;
    const QString shared = root.filePath("usr/share/tarvel");
    makeDatabase(shared + "/data/main.db", "76.4095");
    setReadOnly(shared);
    QVERIFY(QDir().mkpath(root.filePath("usr/bin")));
    const QString programDir = root.filePath("usr/bin");
    const QString userDir = root.filePath("home/.local/share/Tarvel");
    const QStringList dirs = AppPaths::resourceDirs(programDir);
    QVERIFY(dirs.contains(shared));

    const auto first = AppPaths::locateDatabase(programDir, dirs, userDir);
    QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
    QCOMPARE(first.path, userDir + "/main.db");
    QVERIFY(first.copied);
    QCOMPARE(dollarRate(first.path), QStringLiteral("76.4095"));
    QVERIFY(!QFileInfo::exists(first.path + ".part"));
    QVERIFY(QFileInfo(first.path).permissions() & QFileDevice::WriteOwner);
    {
        Database db;
        db.open(first.path); // refuses a read-only file
        db.exec("UPDATE USD SET KURS = 80.5");
    }

    // Later starts keep the user's own records.
    const auto second = AppPaths::locateDatabase(programDir, dirs, userDir);
    QCOMPARE(second.path, first.path);
    QVERIFY(!second.copied);
    QCOMPARE(dollarRate(second.path), QStringLiteral("80.5"));
    setWritable(shared);
}

void TestAppPaths::readOnlyProgramFolderCopies() {
    QTemporaryDir root;
    const QString programDir = root.filePath("stick");
    makeDatabase(programDir + "/data/main.db", "75.7457");
    setReadOnly(programDir);
    const auto where = AppPaths::locateDatabase(programDir, {programDir}, root.filePath("user"), never);
    QVERIFY2(where.error.isEmpty(), qPrintable(where.error));
    QCOMPARE(where.path, root.filePath("user/main.db"));
    QVERIFY(where.copied);
    QCOMPARE(dollarRate(where.path), QStringLiteral("75.7457"));
    setWritable(programDir);
}

void TestAppPaths::writableProbe() {
    QTemporaryDir root;
    makeDatabase(root.filePath("data/main.db"), "1");
    QVERIFY(AppPaths::isWritableDatabase(root.filePath("data/main.db")));
    QVERIFY(!AppPaths::isWritableDatabase(root.filePath("data/absent.db")));
    QVERIFY(QDir(root.path()).entryList({".tarvel-write-*"}, QDir::Hidden | QDir::Files).isEmpty());

    // The probe tells what the system allows this user: root writes through the permission bits.
    setReadOnly(root.path());
    QCOMPARE(AppPaths::isWritableDatabase(root.filePath("data/main.db")), geteuid() == 0);
    setWritable(root.path());
    QVERIFY(QDir(root.filePath("data")).entryList({".tarvel-write-*"}, QDir::Hidden | QDir::Files).isEmpty());
}

void TestAppPaths::neitherPossibleNamesThePath() {
    QTemporaryDir root;
    const QString programDir = root.filePath("stick");
    makeDatabase(programDir + "/data/main.db", "1");
    // A folder below a plain file cannot be made, not even by root.
    QFile blocker(root.filePath("home"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString userDir = root.filePath("home/Tarvel");
    const auto where = AppPaths::locateDatabase(programDir, {programDir}, userDir, never);
    QVERIFY(where.path.isEmpty());
    QVERIFY2(where.error.contains(userDir + "/main.db"), qPrintable(where.error));
    QVERIFY2(where.error.contains(programDir + "/data/main.db"), qPrintable(where.error));

    const auto nothing =
        AppPaths::locateDatabase(root.filePath("empty"), {root.filePath("empty")}, root.filePath("user"));
    QVERIFY(nothing.path.isEmpty());
    QVERIFY2(nothing.error.contains(root.filePath("empty/data/main.db")), qPrintable(nothing.error));
}

void TestAppPaths::choiceIsKept_data() {
    QTest::addColumn<QString>("layout");      // "beside", "both", "installed"
    QTest::addColumn<bool>("besideWritable"); // data/main.db beside the program can be changed this start
    QTest::addColumn<QString>("remembered");  // "", "beside", "user", "gone"
    QTest::addColumn<QString>("expected");    // "beside" or "user"
    QTest::addColumn<QString>("rate");        // the dollar rate read from it
    QTest::newRow("writable beside") << "beside" << true << ""
                                     << "beside"
                                     << "76.4095";
    QTest::newRow("read-only beside: the user's copy") << "beside" << false << ""
                                                       << "user"
                                                       << "76.4095";
    QTest::newRow("both, beside writable again, the copy chosen") << "both" << true << "user"
                                                                  << "user"
                                                                  << "80.5";
    QTest::newRow("both, beside chosen") << "both" << true << "beside"
                                         << "beside"
                                         << "76.4095";
    QTest::newRow("both, read-only beside") << "both" << false << "user"
                                            << "user"
                                            << "80.5";
    QTest::newRow("chosen file gone") << "beside" << true << "gone"
                                      << "beside"
                                      << "76.4095";
    QTest::newRow("installed layout") << "installed" << false << ""
                                      << "user"
                                      << "76.4095";
    QTest::newRow("installed layout, copy chosen") << "installed" << false << "user"
                                                   << "user"
                                                   << "80.5";
}

void TestAppPaths::choiceIsKept() {
    QFETCH(QString, layout);
    QFETCH(bool, besideWritable);
    QFETCH(QString, remembered);
    QFETCH(QString, expected);
    QFETCH(QString, rate);
    QTemporaryDir root;
    const QString programDir = root.filePath(layout == "installed" ? QString("usr/bin") : QString("stick"));
    QVERIFY(QDir().mkpath(programDir));
    const QString userDir = root.filePath("home/Tarvel");
    const QString beside = programDir + "/data/main.db";
    const QString userCopy = userDir + "/main.db";
    QStringList dirs{programDir};
    if (layout == "installed") {
        makeDatabase(root.filePath("usr/share/tarvel/data/main.db"), "76.4095");
        dirs << root.filePath("usr/share/tarvel");
    } else {
        makeDatabase(beside, "76.4095");
    }
    if (layout == "both" || remembered == "user")
        makeDatabase(userCopy, "80.5"); // the user's changes live here
    const QString chosen = remembered == "beside" ? beside
                           : remembered == "user" ? userCopy
                           : remembered == "gone" ? root.filePath("gone/main.db")
                                                  : QString();
    const auto writable = [&](const QString& path) {
        return path == beside ? besideWritable : AppPaths::isWritableDatabase(path);
    };
    const auto where = AppPaths::chooseDatabase(chosen, programDir, dirs, userDir, writable);
    QVERIFY2(where.error.isEmpty(), qPrintable(where.error));
    QCOMPARE(where.path, expected == "beside" ? beside : userCopy);
    QCOMPARE(dollarRate(where.path), rate);
}

void TestAppPaths::choiceIsRemembered() {
    QTemporaryDir root;
    Settings settings(root.filePath("Vendrick.ini"));
    AppPaths::rememberDatabase(settings, root.filePath("home/../home/Tarvel/main.db"));
    QCOMPARE(settings.text(Settings::Key::Database), root.filePath("home/Tarvel/main.db"));
    Settings reread(root.filePath("Vendrick.ini"));
    QCOMPARE(reread.text(Settings::Key::Database), root.filePath("home/Tarvel/main.db"));
}

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
