#include "TestDb.h"

#include "store/TableCatalog.h"
#include "store/TableObject.h"

#include <QtTest>

#include <sqlite3.h>

TestDb::TestDb() {
    m_path = m_dir.filePath(QStringLiteral("main.db"));
    Database::create(m_path);
    m_db.open(m_path);
}

void TestDb::add(const QString& table, QDate date, QVariant v1, QVariant v2, QVariant upd, QVariant dt) {
    QString sql = QStringLiteral("INSERT INTO \"%1\" VALUES (?, ?, ?, ?, ?)").arg(table);
    Statement st(m_db, sql);
    st.bindText(1, date.toString(Qt::ISODate));
    const QVariant values[] = {v1, v2, upd, dt};
    for (int i = 0; i < 4; ++i) {
        const QVariant& v = values[i];
        if (!v.isValid())
            st.bindNull(i + 2);
        else if (v.typeId() == QMetaType::QDate)
            st.bindText(i + 2, v.toDate().toString(Qt::ISODate));
        else if (v.typeId() == QMetaType::Double)
            st.bindDouble(i + 2, v.toDouble());
        else if (v.typeId() == QMetaType::QString)
            st.bindText(i + 2, v.toString());
        else
            st.bindInt(i + 2, v.toLongLong());
    }
    st.step();
}

int TestDb::count(const QString& table) {
    Statement st(m_db, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table));
    st.step();
    return int(sqlite3_column_int(st.handle(), 0));
}

QStringList StoredRecords(const QString& dbPath, const QString& table, StoredForm form) {
    Database db;
    db.open(dbPath);
    Clock clock;
    const auto info = Catalog::findTable(table);
    TableObject t(db, info->layout, table, RegionalSettings::russian(), clock);
    t.open();
    QStringList out;
    const bool currency = info->layout == Layout::Currency;
    const auto number = [&](const char* column) {
        return t.isNull(QString::fromLatin1(column)) ? QStringLiteral("-")
                                                     : QString::number(t.asFloat(QString::fromLatin1(column)), 'g', 15);
    };
    for (t.first(); !t.eof(); t.next()) {
        QString row = t.displayText(u"CURDATE") + QLatin1Char(' ');
        if (form == StoredForm::Values) {
            out << row + QString::number(t.asFloat(QString::fromLatin1(currency ? "KURS" : "RAZMER")), 'g', 15);
            continue;
        }
        row += currency ? number("KURS") : number("RAZMER") + QLatin1Char(' ') + number("RAZMER2");
        out << row + QLatin1Char(' ') + t.displayText(u"UPD");
    }
    return out;
}
