#include "SeriesHistory.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "store/RecordText.h"

#include <algorithm>

struct SeriesHistory::Data {
    Data(Database& db, const QString& table, const RegionalSettings& regional)
        : object(db, layoutOf(table), table, regional, clock) {}
    static Layout layoutOf(const QString& table) {
        const auto info = Catalog::findTable(table);
        if (!info)
            throw AppError(QStringLiteral("Таблица «%1» не найдена.").arg(table));
        return info->layout;
    }
    Clock clock;
    TableObject object; // rows newest first, all in memory once opened
};

SeriesHistory::SeriesHistory(Database& db, const QString& table, const RegionalSettings& regional)
    : m_d(std::make_unique<Data>(db, table, regional)) {
    m_d->object.open();
}

SeriesHistory::~SeriesHistory() = default;
SeriesHistory::SeriesHistory(SeriesHistory&&) noexcept = default;
SeriesHistory& SeriesHistory::operator=(SeriesHistory&&) noexcept = default;

QString SeriesHistory::tableName() const {
    return Catalog::findTable(m_d->object.tableName())->name;
}

Layout SeriesHistory::layout() const {
    return m_d->object.layout();
}

const RegionalSettings& SeriesHistory::regional() const {
    return m_d->object.regional();
}

int SeriesHistory::recordCount() const {
    return m_d->object.recordCount();
}

const TableRow& SeriesHistory::record(int index) const {
    return m_d->object.row(index);
}

int SeriesHistory::indexInForce(QDate day) const {
    if (!day.isValid())
        return -1;
    const TableObject& t = m_d->object;
    // Newest first: the first row not after the day is the one in force.
    int lo = 0, hi = t.recordCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (t.row(mid).date() > day)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < t.recordCount() ? lo : -1;
}

const TableRow& SeriesHistory::inForce(QDate day) const {
    const int i = indexInForce(day);
    if (i < 0)
        throw AppError(noRecordMessage(day));
    return record(i);
}

QString SeriesHistory::noRecordMessage(QDate day) const {
    const RegionalSettings& r = regional();
    if (recordCount() == 0)
        return QStringLiteral("В таблице «%1» нет ни одной записи.").arg(tableName());
    return QStringLiteral("В таблице «%1» нет записи, действующей на %2: первая запись таблицы — от %3.")
        .arg(tableName(), r.formatDate(day), r.formatDate(record(recordCount() - 1).date()));
}

Fixed4 SeriesHistory::fixed4(const TableRow& row, int column) const {
    const QVariant& v = row.values[size_t(column)];
    return v.isValid() ? Fixed4::fromDouble(v.toDouble()) : Fixed4();
}

int SeriesHistory::integer(const TableRow& row, int column) const {
    const QVariant& v = row.values[size_t(column)];
    return v.isValid() ? v.toInt() : 0;
}

QString SeriesHistory::recordText(const TableRow& row) const {
    return FormatRecordLine(m_d->object, row);
}
