#pragma once

#include "HttpClient.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

// One GET on a worker thread of its own. The signals arrive on the thread the task lives on; the result is
// read after finished(). The client must outlive the task; destroying a running task cancels and waits.
class DownloadTask : public QObject {
    Q_OBJECT
public:
    DownloadTask(const HttpClient& client, DownloadRequest request, QObject* parent = nullptr);
    ~DownloadTask() override;

    // Starts the transfer; a task runs once.
    void start();
    // Stops a running transfer within libcurl's next progress call; it then finishes as Cancelled.
    // Safe from any thread.
    void cancel();
    bool isRunning() const { return m_running; }
    bool isFinished() const { return m_finished; }
    const DownloadResult& result() const { return m_result; }

signals:
    void progress(qint64 received, qint64 total);
    void finished();

private:
    void onWorkerFinished();

    const HttpClient& m_client;
    DownloadRequest m_request;
    DownloadResult m_result;
    std::atomic<bool> m_cancel{false};
    std::unique_ptr<QThread> m_worker;
    bool m_running = false;
    bool m_finished = false;
};
