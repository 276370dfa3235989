#pragma once

#include "CalcReport.h"
#include "common/RegionalSettings.h"

#include <QWidget>

class Clock;
class Database;
class Prompts;
class Settings;
class SeriesChart;
class QComboBox;
class QDateEdit;
class QLabel;
class QPagedPaintDevice;

// The chart tab: any series between two dates. Currencies per unit (rate over nominal), the minimum wage by
// its purpose, the refinancing rate as steps, the inflation and price indices by month.
class CalcChartPage : public QWidget {
    Q_OBJECT
public:
    CalcChartPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                  QWidget* parent = nullptr);

    struct Entry {
        QString caption;
        QString table;
        int column;      // value column of the layout; for currencies KURS, divided by NOMINAL
        bool perNominal; // currencies
        bool steps;      // change points
        bool roubles() const { return perNominal || table == QLatin1String("MROT"); }
    };
    // The rouble was redenominated 1000:1 on 01.01.1998.
    static QDate denominationDay() { return QDate(1998, 1, 1); }
    static QList<Entry> entries();

    // Reads the chosen series and shows it over the chosen dates; throws AppError.
    void build();
    SeriesChart* chart() const { return m_chart; }
    // The records shown, as a table for the clipboard and the files.
    CalcReport report() const;
    // The chart on a page: its caption, the dates and the picture.
    void print(QPagedPaintDevice& device) const;

    void loadInputs(const Settings& settings);
    void saveInputs(Settings& settings) const;

private:
    void onSeriesChosen();

    Database& m_db;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    QComboBox* m_series;
    class QCheckBox* m_denominate;
    QDateEdit* m_from;
    QDateEdit* m_to;
    SeriesChart* m_chart;
    QDate m_builtOn;
};
