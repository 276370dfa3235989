#pragma once

#include <QByteArray>
#include <QString>

class Prompts;
class TableObject;

// The messages of the processing phase.
QString NotRateDataMessage();
QString SkippedRecordsMessage(int count);

struct LoadedRates {
    bool rateData = false; // false: the answer was no rate data and nothing was stored
    int added = 0;
    int skipped = 0;
};

// Reads the saved answer and appends to the table the dates it lacks (UPD Internet, NOMINAL, KURS, no DT), in
// one transaction; a date the table holds is never changed, and a date the answer repeats is stored once, as
// it first occurs. Tells the user through prompts when the answer is no rate data or records were left out.
// A database failure is thrown; what was stored before it stays.
LoadedRates LoadDownloadedRates(TableObject& table, Prompts& prompts, const QString& path);
// The same for an answer held in memory.
LoadedRates LoadDownloadedAnswer(TableObject& table, Prompts& prompts, const QByteArray& answer);
