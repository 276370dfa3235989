#include "RateDownloadCommand.h"

#include "TfrmGet.h"
#include "common/AppError.h"
#include "common/Clock.h"
#include "common/Prompts.h"
#include "net/DownloadTask.h"
#include "net/RateDownload.h"
#include "net/RateRequest.h"
#include "store/IndicatorStore.h"

#include <QEvent>
#include <QEventLoop>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace {
// While the transfer runs the main window stays open: a close request is refused until the command ends.
class RefuseClose : public QObject {
public:
    explicit RefuseClose(QWidget* window) : m_window(window) {
        if (m_window)
            m_window->installEventFilter(this);
    }
    ~RefuseClose() override {
        if (m_window)
            m_window->removeEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        return false;
    }

private:
    QWidget* m_window;
};

// Holds the messages of the processing phase until the wait window is gone.
class DeferredPrompts : public Prompts {
public:
    explicit DeferredPrompts(Prompts& inner) : m_inner(inner) {}
    void message(const QString& text) override { m_messages.append(text); }
    void information(const QString& text) override { m_inner.information(text); }
    bool question(const QString& text) override { return m_inner.question(text); }
    bool confirm(const QString& text) override { return m_inner.confirm(text); }
    QString openFile(const QString& filter, const QString& directory) override {
        return m_inner.openFile(filter, directory);
    }
    QString saveFile(const QString& filter, const QString& fileName) override {
        return m_inner.saveFile(filter, fileName);
    }
    void replay() {
        for (const QString& text : std::as_const(m_messages))
            m_inner.message(text);
        m_messages.clear();
    }

private:
    Prompts& m_inner;
    QStringList m_messages;
};

// Disables the main window for the whole command and enables it again on every way out.
class DisabledWindow {
public:
    explicit DisabledWindow(QWidget* window) : m_window(window) {
        if (m_window)
            m_window->setEnabled(false);
    }
    ~DisabledWindow() {
        if (m_window)
            m_window->setEnabled(true);
    }
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;

private:
    QWidget* m_window;
};
} // namespace

RateDownloadCommand::RateDownloadCommand(QWidget* mainWindow, IndicatorStore& store, Prompts& prompts,
                                         const Clock& clock, const RegionalSettings& regional, HttpClient& client,
                                         std::function<void()> refreshPanel)
    : m_mainWindow(mainWindow), m_store(store), m_prompts(prompts), m_clock(clock), m_regional(regional),
      m_client(client), m_refreshPanel(std::move(refreshPanel)) {}

bool RateDownloadCommand::transfer(const DownloadRequest& request, DownloadResult& result) {
    DownloadTask task(m_client, request);
    // The caller waits for the answer as before, while the wait window and the main window keep painting. Input
    // is not held back for later: the disabled main window drops it, so nothing the user clicked meanwhile runs
    // after the command.
    QEventLoop loop;
    QObject::connect(&task, &DownloadTask::finished, &loop, &QEventLoop::quit);
    task.start();
    loop.exec();
    result = task.result();
    return result.ok();
}

void RateDownloadCommand::run(const RateDownloadInput& input) {
    DisabledWindow disabled(m_mainWindow);
    RefuseClose keepOpen(m_mainWindow);
    auto wait = std::make_unique<TfrmGet>(m_mainWindow);
    wait->showWaiting();

    // Request phase: every failure ends in the one connection message.
    DownloadResult response;
    bool received = false;
    TableObject& table = m_store.active();
    const auto code =
        input.series ? RateRequest::codeForSeries(*input.series, input.otherCurrencyRow) : std::optional<QString>();
    const RateRequest::Assembled assembled = RateRequest::assemble(
        m_template, code, m_serviceBase, input.date1, input.date2, m_regional, m_clock.today().year());
    if (assembled.ok() && table.layout() == Layout::Currency)
        received = transfer(assembled.request, response);
    if (!received) {
        wait->close();
        m_prompts.message(ConnectionFailedMessage());
        return;
    }

    // Processing phase, on this thread: the table objects and the grid live here.
    if (m_mainWindow)
        m_mainWindow->repaint();
    wait->showProcessing();
    DeferredPrompts deferred(m_prompts);
    QString failure;
    try {
        ProcessRateResponse(response.data, table, deferred, TempXmlPath());
    } catch (const AppError& e) {
        failure = e.text(); // what was stored before it stays, and the panel shows it
    }
    wait->close();
    try {
        if (m_refreshPanel)
            m_refreshPanel();
    } catch (const AppError& e) {
        if (failure.isEmpty())
            failure = e.text();
    }
    deferred.replay();
    if (!failure.isEmpty())
        m_prompts.message(failure);
}
