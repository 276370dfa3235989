#pragma once

#include "CalcReport.h"
#include "calc/InterestCalculation.h"

#include <QWidget>

class CalcResultView;
class Clock;
class Database;
class Prompts;
class Settings;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTableWidget;

// The interest tab: interest on a late debt by the refinancing (key) rate, with partial payments.
class CalcInterestPage : public QWidget {
    Q_OBJECT
public:
    CalcInterestPage(Database& db, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
                     QWidget* parent = nullptr);

    // The request as typed; throws AppError naming the field at fault.
    InterestRequest request() const;
    // Calculates and shows the result; throws AppError.
    void calculate();
    CalcReport report() const { return m_report; }

    void addPayment(QDate date, const QString& amount);
    void removePayment();
    QTableWidget* payments() const { return m_payments; }
    CalcResultView* result() const { return m_result; }

    void loadInputs(const Settings& settings);
    void saveInputs(Settings& settings) const;

private:
    int perDayDivisor() const; // 0 for the annual basis; throws AppError for a basis that cannot be read
    CalcReport makeReport(const InterestRequest& request, const InterestResult& result) const;

    Database& m_db;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    QLineEdit* m_principal;
    QDateEdit* m_first;
    QDateEdit* m_last;
    QComboBox* m_basis;
    QTableWidget* m_payments;
    CalcResultView* m_result;
    CalcReport m_report;
};
