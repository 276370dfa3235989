#pragma once

#include "common/RegionalSettings.h"
#include "store/Series.h"

#include <QString>

class Clock;
class IndicatorStore;
class Prompts;
class TableObject;
struct ChangeCounters;

// Which button of the update-mode box is checked.
enum class UpdateMode { Manual /* rb1 */, ConsultantPlus /* rb2 */, Garant /* rb3 */, Internet /* rb4 */ };

// How a run of the import command ended.
struct ImportOutcome {
    enum class Kind {
        Cancelled, // the file dialog was cancelled: no message
        Report,    // the report of the counts (or of a file without anything to merge)
        Failure,   // the failure report
    };
    Kind kind = Kind::Cancelled;
    QString text;       // the report as shown, empty when cancelled
    int failedLine = 0; // 1-based line being read when the import failed, 0 when no line was being read
    QString reason;     // why it failed, one line or more for a person; empty when it did not fail
    bool dosMode = false;
};

// The file import command of the main window ("Добавить в базу"): chooses the file, recognises the export by
// its signature and code page, merges its records into the series of the selected tree node in one
// transaction, and reports. Nothing throws out of it. The window refreshes its views after the command.
class ImportCommand {
public:
    ImportCommand(IndicatorStore& store, ChangeCounters& counters, Prompts& prompts, const Clock& clock,
                  const RegionalSettings& regional, QString startDirectory);

    // `series`: the series shown, whose table object is the ActiveTable.
    ImportOutcome btnUpdClick(Series series, UpdateMode mode);

    static const QString& fileFilter();

private:
    ImportOutcome run(Series series, UpdateMode mode, const QString& fileName);

    IndicatorStore& m_store;
    ChangeCounters& m_counters;
    Prompts& m_prompts;
    const Clock& m_clock;
    RegionalSettings m_regional;
    QString m_startDirectory;
};

// The report texts.
QString ImportReportText(const ChangeCounters& counters);
// After a failure: the counts when anything was written, the fixed error text otherwise; then the line and the
// reason.
QString ImportFailureText(const ChangeCounters& counters, int failedLine, const QString& reason = {});
