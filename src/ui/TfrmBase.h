#pragma once

#include "common/RegionalSettings.h"
#include "store/IndicatorStore.h"
#include "store/RecordMerge.h"

#include <QStringList>
#include <QWidget>

class Banner;
class Clock;
class Database;
class IndicatorGrid;
class Prompts;
class Settings;

// The main window: one series at a time, its grid, and the boxes around it.
class TfrmBase : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 651;
    static constexpr int kClientHeight = 536;
    static constexpr int kBannerHeight = 98; // what the layout without the banner saves

    TfrmBase(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
             QStringList arguments, QWidget* parent = nullptr);
    ~TfrmBase() override;

    IndicatorStore& store() { return m_store; }
    TableObject& activeTable() const { return m_store.active(); }
    ChangeCounters& counters() { return m_counters; }
    bool bannerShown() const { return m_bannerShown; }
    QString startDirectory() const { return m_startDirectory; }

private:
    void buildControls();
    void useLayoutWithoutBanner();

    Database& m_db;
    Settings& m_settings;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    QStringList m_arguments;
    IndicatorStore m_store;
    ChangeCounters m_counters;
    QString m_startDirectory;
    bool m_bannerShown = true;

    Banner* m_banner = nullptr;
    IndicatorGrid* grKurs = nullptr;
};
