#include "TestDb.h"

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
