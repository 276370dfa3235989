#include "DownloadTask.h"

#include <QThread>

DownloadTask::DownloadTask(const HttpClient& client, DownloadRequest request, QObject* parent)
    : QObject(parent), m_client(client), m_request(std::move(request)) {
    m_request.cancel = &m_cancel;
    // Emitted on the worker thread; delivered queued to the task's own thread.
    m_request.progress = [this](qint64 received, qint64 total) { emit progress(received, total); };
}

DownloadTask::~DownloadTask() {
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
    }
}

void DownloadTask::start() {
    if (m_worker)
        return;
    m_running = true;
    m_worker.reset(QThread::create([this] { m_result = m_client.get(m_request); }));
    connect(m_worker.get(), &QThread::finished, this, &DownloadTask::onWorkerFinished, Qt::QueuedConnection);
    m_worker->start();
}

void DownloadTask::cancel() {
    m_cancel = true;
}

void DownloadTask::onWorkerFinished() {
    m_worker->wait(); // the result is complete and visible to this thread
    m_running = false;
    m_finished = true;
    emit finished();
}
