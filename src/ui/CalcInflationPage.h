#pragma once

#include "CalcReport.h"
#include "calc/InflationCalculation.h"
#include "calc/Money.h"

#include <QWidget>

#include <optional>

class CalcResultView;
class Clock;
class Database;
class Prompts;
class Settings;
class QDateEdit;
class QLineEdit;

// The inflation tab: the cumulative consumer price index over months, and a sum indexed by it.
class CalcInflationPage : public QWidget {
    Q_OBJECT
public:
    CalcInflationPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                      QWidget* parent = nullptr);

    void calculate(); // throws AppError
    CalcReport report() const { return m_report; }
    CalcResultView* result() const { return m_result; }

    // amount x index / 100 %, rounded half away from zero to the kopeck; the index as shown, two places.
    static Money indexedAmount(Money amount, qint64 indexHundredths);

    void loadInputs(const Settings& settings);
    void saveInputs(Settings& settings) const;

private:
    CalcReport makeReport(const InflationResult& result, std::optional<Money> amount) const;

    Database& m_db;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLineEdit* m_amount;
    CalcResultView* m_result;
    CalcReport m_report;
};
