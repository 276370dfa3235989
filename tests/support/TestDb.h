#pragma once

#include "common/Clock.h"
#include "common/RegionalSettings.h"
#include "store/Database.h"

#include <QDate>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <initializer_list>

// A fresh database in a temporary folder, made with the same code the build uses.
class TestDb {
public:
    TestDb();
    QString path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    Database& db() { return m_db; }

    // Inserts one record directly: values in layout order after CURDATE (invalid QVariant: empty column).
    void add(const QString& table, QDate date, QVariant v1, QVariant v2, QVariant upd = 3, QVariant dt = {});
    int count(const QString& table);

private:
    QTemporaryDir m_dir;
    QString m_path;
    Database m_db;
};

enum class StoredForm {
    Full,  // "date kurs upd" for a currency, "date razmer razmer2 upd" for a wage table, "-" for an empty column
    Values // "date kurs" or "date razmer"
};
// The records of a table as a second connection reads them from the file, in the table object's order.
QStringList StoredRecords(const QString& dbPath, const QString& table, StoredForm form = StoredForm::Full);

// Russian regional settings with a fixed "today" for tests.
inline QDate testToday() {
    return QDate(2026, 12, 11);
}
