#include "TestHttpServer.h"
#include "net/DownloadTask.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(TestReply)

class TestDownloadTask : public QObject {
    Q_OBJECT
private slots:
    void answerWithProgress();
    void cancelStopsAStalledTransfer_data();
    void cancelStopsAStalledTransfer();
    void destroyedWhileRunning();
};

namespace {
DownloadRequest patient(const QString& url) {
    DownloadRequest r;
    r.url = url;
    r.connectTimeoutMs = 5000;
    r.stallTimeoutMs = 20'000; // far beyond the test: only the cancel can end it
    return r;
}
} // namespace

void TestDownloadTask::answerWithProgress() {
    const QByteArray body(200'000, 'r');
    TestHttpServer server;
    server.serve(TestReply::ok(body));
    HttpClient client;
    DownloadTask task(client, patient(server.base() + "/rates"));
    QList<qint64> received;
    qint64 total = -1;
    bool onThisThread = true;
    connect(&task, &DownloadTask::progress, this, [&](qint64 now, qint64 all) {
        onThisThread = onThisThread && QThread::currentThread() == thread();
        received << now;
        total = all;
    });
    QSignalSpy finished(&task, &DownloadTask::finished);
    task.start();
    QVERIFY(task.isRunning());
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!task.isRunning());
    QVERIFY(task.isFinished());
    QVERIFY(task.result().ok());
    QCOMPARE(task.result().data, body);
    // Delivered on the task's thread before finished, growing to the whole body.
    QVERIFY(onThisThread);
    QVERIFY(!received.isEmpty());
    QVERIFY(std::is_sorted(received.cbegin(), received.cend()));
    QCOMPARE(received.last(), qint64(body.size()));
    QCOMPARE(total, qint64(body.size()));
}

void TestDownloadTask::cancelStopsAStalledTransfer_data() {
    QTest::addColumn<TestReply>("reply");
    TestReply silent;
    silent.mode = TestReply::Mode::Silent;
    TestReply stalls = TestReply::ok("<ValCurs><Record Date=\"02.03.2001\">");
    stalls.mode = TestReply::Mode::StallAfterBody;
    QTest::newRow("no answer at all") << silent;
    QTest::newRow("no more data after part of the body") << stalls;
}

void TestDownloadTask::cancelStopsAStalledTransfer() {
    QFETCH(TestReply, reply);
    TestHttpServer server;
    server.serve(reply);
    HttpClient client;
    DownloadTask task(client, patient(server.base() + "/rates"));
    QSignalSpy finished(&task, &DownloadTask::finished);
    task.start();
    QTRY_COMPARE(server.requestCount(), 1);
    QTest::qWait(300);
    QVERIFY(task.isRunning());
    QElapsedTimer clock;
    clock.start();
    task.cancel();
    QVERIFY(finished.wait(3000));
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(int(task.result().status), int(DownloadResult::Status::Cancelled));
    QVERIFY(task.result().data.isEmpty());
}

void TestDownloadTask::destroyedWhileRunning() {
    TestHttpServer server;
    TestReply silent;
    silent.mode = TestReply::Mode::Silent;
    server.serve(silent);
    HttpClient client;
    QElapsedTimer clock;
    clock.start();
    {
        DownloadTask task(client, patient(server.base() + "/rates"));
        task.start();
        QTRY_COMPARE(server.requestCount(), 1);
    }
    // The destructor cancelled the transfer instead of waiting for its stall limit.
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestDownloadTask)
#include "tst_downloadtask.moc"
