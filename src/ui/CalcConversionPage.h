#pragma once

#include "CalcReport.h"
#include "calc/Conversion.h"

#include <QWidget>

class CalcResultView;
class Clock;
class Database;
class Prompts;
class Settings;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

// The conversion tab: an amount of a currency in roubles at the official rate in force on a date, or back.
class CalcConversionPage : public QWidget {
    Q_OBJECT
public:
    CalcConversionPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                       QWidget* parent = nullptr);

    // The 28 currency tables in the order of the list: the dollar, the euro, then the others.
    static QStringList currencyTables();
    void setCurrency(const QString& table);

    void calculate(); // throws AppError
    CalcReport report() const { return m_report; }
    CalcResultView* result() const { return m_result; }

    void loadInputs(const Settings& settings);
    void saveInputs(Settings& settings) const;

private:
    CalcReport makeReport(const QString& code, const ConversionResult& result) const;

    Database& m_db;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    QComboBox* m_currency;
    QDateEdit* m_date;
    QLineEdit* m_amount;
    QRadioButton* m_toRoubles;
    QRadioButton* m_fromRoubles;
    CalcResultView* m_result;
    CalcReport m_report;
};
