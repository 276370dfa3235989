#pragma once

#include "TableObject.h"

class Database;

// The four table objects on the one connection, and the ActiveTable: the one that shows the current series.
class IndicatorStore {
public:
    IndicatorStore(Database& db, const RegionalSettings& regional, const Clock& clock);

    Database& database() const { return m_db; }
    TableObject tKurs;
    TableObject tStavka;
    TableObject tInfl;
    TableObject tPrice;

    TableObject& active() const { return *m_active; }
    // The table object that shows the tables of a layout.
    TableObject& tableFor(Layout layout);
    // Closes the current ActiveTable, makes `table` the ActiveTable and opens it.
    void makeActive(TableObject& table);

private:
    Database& m_db;
    TableObject* m_active;
};
