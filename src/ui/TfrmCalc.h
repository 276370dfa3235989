#pragma once

#include "CalcReport.h"
#include "common/RegionalSettings.h"

#include <QWidget>

#include <functional>

class CalcChartPage;
class CalcConversionPage;
class CalcInflationPage;
class CalcInterestPage;
class Clock;
class Database;
class Prompts;
class Settings;
class QDialog;
class QTabWidget;
class QPushButton;

// The calculations window: a tab per calculation, and the result out of the window as a table on the
// clipboard, a CSV or HTML file, a printed page or a PDF.
class TfrmCalc : public QWidget {
    Q_OBJECT
public:
    enum Tab { kInterest = 0, kConversion = 1, kInflation = 2, kChart = 3 };

    TfrmCalc(Database& db, Settings& settings, Prompts& prompts, Clock& clock, const RegionalSettings& regional,
             QWidget* parent = nullptr);
    ~TfrmCalc() override;

    void showTab(int tab);
    int currentTab() const;
    QTabWidget* tabs() const { return m_tabs; }
    CalcInterestPage* interestPage() const { return m_interest; }
    CalcConversionPage* conversionPage() const { return m_conversion; }
    CalcInflationPage* inflationPage() const { return m_inflation; }
    CalcChartPage* chartPage() const { return m_chart; }

    // The result of the open tab; empty when it has none yet.
    CalcReport currentReport() const;

    // Runs a modal dialog (the print preview); tests replace it.
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

public slots:
    void copyClick();
    void saveClick();
    void printClick();
    void pdfClick();

    // Writes the result of the open tab; throws AppError when the file cannot be written.
    void saveCsv(const QString& path) const;
    void saveHtml(const QString& path) const;
    void savePdf(const QString& path) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename F> void guarded(F&& body);
    bool haveResult();
public:
    // The size, the open tab and every tab's inputs, to the settings (closing the window does it too).
    void saveInputs();

private:
    void printTo(class QPagedPaintDevice& device) const;

    Database& m_db;
    Settings& m_settings;
    Prompts& m_prompts;
    Clock& m_clock;
    RegionalSettings m_regional;
    DialogRunner m_runDialog;
    QTabWidget* m_tabs = nullptr;
    CalcInterestPage* m_interest = nullptr;
    CalcConversionPage* m_conversion = nullptr;
    CalcInflationPage* m_inflation = nullptr;
    CalcChartPage* m_chart = nullptr;
};
