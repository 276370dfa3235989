#pragma once

#include "common/RegionalSettings.h"

#include <QList>
#include <QString>

class Database;

// One historical series as it was loaded.
struct HistorySeries {
    QString table; // as the catalogue spells it
    QString file;
    int records = 0;
};

// Fills the indicator tables from the historical series kept as CSV files (UTF-8, a header line naming CURDATE and
// value columns of the table's layout, ISO dates, decimal point), one file per table named after it (USD.csv,
// refin.csv). Every record gets UPD 4 (shipped with the program) and an empty DT.
// Every row is checked before anything is written; the load is one transaction, so a fault anywhere leaves the
// database as it was.
class HistoryLoader {
public:
    HistoryLoader(Database& db, const RegionalSettings& regional);

    // Loads every *.csv file of the folder; other files are left alone. Throws AppError naming the file and the
    // line of the first fault; nothing is stored then.
    QList<HistorySeries> load(const QString& dir);

private:
    Database& m_db;
    RegionalSettings m_regional;
};
