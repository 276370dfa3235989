#pragma once

#include "common/Clock.h"
#include "common/RegionalSettings.h"
#include "store/Database.h"

#include <QDate>
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

// Russian regional settings with a fixed "today" for tests.
inline QDate testToday() {
    return QDate(2026, 12, 11);
}
