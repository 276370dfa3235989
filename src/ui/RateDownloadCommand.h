#pragma once

#include "common/RegionalSettings.h"
#include "net/HttpClient.h"
#include "store/Series.h"

#include <QString>

#include <functional>
#include <optional>

class Clock;
class IndicatorStore;
class Prompts;
class QWidget;

// What the download reads of the main window when btnGet is pressed.
struct RateDownloadInput {
    std::optional<Series> series; // the series shown; nothing when no tree entry is selected
    QString date1;                // Date1, "С даты"
    QString date2;                // Date2, "По дату"
    int otherCurrencyRow = -1;    // ValCombo's item index
};

// The window side of the download (btnGetClick): the wait window over the disabled main window, the transfer as
// a DownloadTask on its worker thread while the windows keep painting, then the processing of the answer into the
// ActiveTable on the user-interface thread. The main window is usable again after every path.
class RateDownloadCommand {
public:
    RateDownloadCommand(QWidget* mainWindow, IndicatorStore& store, Prompts& prompts, const Clock& clock,
                        const RegionalSettings& regional, HttpClient& client, std::function<void()> refreshPanel);

    // The service's scheme and host; by default from TARVEL_SERVICE or the central bank's own.
    void setServiceBase(const QString& base) { m_serviceBase = base; }
    // The limits and size of the transfer; tests shorten them.
    void setRequestTemplate(const DownloadRequest& request) { m_template = request; }

    void run(const RateDownloadInput& input);

private:
    bool transfer(const DownloadRequest& request, DownloadResult& result);

    QWidget* m_mainWindow;
    IndicatorStore& m_store;
    Prompts& m_prompts;
    const Clock& m_clock;
    RegionalSettings m_regional;
    HttpClient& m_client;
    std::function<void()> m_refreshPanel;
    QString m_serviceBase;
    DownloadRequest m_template;
};
