#pragma once

#include "store/Fixed4.h"
#include "store/TableCatalog.h"
#include "store/TableObject.h"

#include <QDate>
#include <QString>

#include <memory>

class Database;

// All records of one indicator table, read once through the store's table object, for the calculations: the
// record in force on a day and the values as the store reads them exactly. Reading leaves the window's table
// objects and their cursors alone.
class SeriesHistory {
public:
    // Throws AppError for an unknown table or a database failure.
    SeriesHistory(Database& db, const QString& table, const RegionalSettings& regional);
    ~SeriesHistory();
    SeriesHistory(SeriesHistory&&) noexcept;
    SeriesHistory& operator=(SeriesHistory&&) noexcept;

    QString tableName() const;
    Layout layout() const;
    const RegionalSettings& regional() const;

    // Records newest first, as the grid orders them.
    int recordCount() const;
    const TableRow& record(int index) const;

    // The record with the greatest CURDATE not after `day`; -1 when there is none.
    int indexInForce(QDate day) const;
    // Same, or AppError with NoRecordMessage.
    const TableRow& inForce(QDate day) const;
    // Names the first record's date, or says that the table is empty.
    QString noRecordMessage(QDate day) const;

    // A value column of a record (column index of the layout) as the store reads it exactly; an empty
    // column is 0.
    Fixed4 fixed4(const TableRow& row, int column) const;
    // An integer column; an empty column is 0.
    int integer(const TableRow& row, int column) const;
    // The record as tarvel-cli dump prints it: each column's display text, joined by ';'.
    QString recordText(const TableRow& row) const;

private:
    struct Data;
    std::unique_ptr<Data> m_d;
};
