#include "shell/SingleInstance.h"

#include <QProcess>
#include <QtTest>

// The program itself, started twice in a private temporary and config folder.
class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void secondCopyEndsSilently();
    void lockOfCrashedCopyDoesNotBlock();
    void leftLockFileIsTakenOver_data();
    void leftLockFileIsTakenOver();
    void inProcessLock();

private:
    QProcess* start();
    QString lockPath() const;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void TestSingleInstance::init() {
    for (auto& p : m_processes) {
        p->kill();
        p->waitForFinished();
    }
    m_processes.clear();
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestSingleInstance::lockPath() const {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    QString safe;
    for (QChar c : user)
        safe += c.isLetterOrNumber() || c == '_' || c == '-' ? c : QChar('_');
    return m_dir->filePath("tmp/Kemblar-" + safe + ".lock");
}

QProcess* TestSingleInstance::start() {
    QDir(m_dir->path()).mkpath("tmp");
    QDir(m_dir->path()).mkpath("config");
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", m_dir->filePath("tmp"));
    env.insert("XDG_CONFIG_HOME", m_dir->filePath("config"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(m_dir->path());
    p->start(QStringLiteral(TARVEL_BIN_DIR "/tarvel"), {});
    m_processes.push_back(std::move(p));
    return m_processes.back().get();
}

void TestSingleInstance::secondCopyEndsSilently() {
    QProcess* first = start();
    QVERIFY(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath()), 10000);
    QProcess* second = start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(second->readAllStandardOutput(), QByteArray());
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
}

void TestSingleInstance::lockOfCrashedCopyDoesNotBlock() {
    QProcess* crashed = start();
    QVERIFY(crashed->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath()), 10000);
    crashed->kill(); // SIGKILL: the lock file stays behind
    crashed->waitForFinished();
    QVERIFY(QFile::exists(lockPath()));

    QProcess* next = start();
    QVERIFY(next->waitForStarted());
    // It keeps running (a blocked copy would end at once) and now owns the lock.
    QVERIFY(!next->waitForFinished(3000));
    QFile lock(lockPath());
    QVERIFY(lock.open(QIODevice::ReadOnly));
    QCOMPARE(lock.readLine().trimmed().toLongLong(), next->processId());
    next->kill();
    next->waitForFinished();
}

void TestSingleInstance::leftLockFileIsTakenOver_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("empty (power loss)") << QByteArray() << false;
    QTest::newRow("garbage") << QByteArray("\x01\xFF\x00not a lock\n\n\n", 16) << false;
    QTest::newRow("unreadable") << QByteArray("1\ntarvel\n") << true;
    // A live process id, on another machine: it cannot be a copy running here.
    QTest::newRow("another host") << QByteArray::number(QCoreApplication::applicationPid()) +
                                         "\ntarvel\nanother-host.example\n"
                                  << false;
}

void TestSingleInstance::leftLockFileIsTakenOver() {
    QFETCH(QByteArray, content);
    QFETCH(bool, unreadable);
    QDir(m_dir->path()).mkpath("tmp");
    {
        QFile f(lockPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    if (unreadable)
        QFile::setPermissions(lockPath(), QFileDevice::Permissions());
    QProcess* next = start();
    QVERIFY(next->waitForStarted());
    // It keeps running (a locked-out copy ends at once) and now owns the lock.
    QVERIFY2(!next->waitForFinished(3000), next->readAllStandardError().constData());
    QFile lock(lockPath());
    QVERIFY(lock.open(QIODevice::ReadOnly));
    QCOMPARE(lock.readLine().trimmed().toLongLong(), next->processId());
    // And a second copy still ends silently while it runs.
    QProcess* second = start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(next->state(), QProcess::Running);
    next->kill();
    next->waitForFinished();
}

void TestSingleInstance::inProcessLock() {
    const QString path = m_dir->filePath("Kemblar-test.lock");
    SingleInstance a(path);
    QVERIFY(a.acquire());
    QVERIFY(QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
