#include "TableObject.h"

#include "Database.h"
#include "IsoDate.h"
#include "common/AppError.h"
#include "common/NumberText.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>

namespace {
// Bound as the bytes themselves: no text object and no conversion per date.
void bindDate(Statement& st, int index, QDate d) {
    char text[11];
    if (IsoDigits(d, text))
        sqlite3_bind_text(st.handle(), index, text, 10, SQLITE_TRANSIENT);
    else
        st.bindText(index, d.toString(Qt::ISODate));
}

QVariant readColumn(sqlite3_stmt* st, int index, ColumnType type) {
    const int kind = sqlite3_column_type(st, index);
    if (kind == SQLITE_NULL)
        return QVariant();
    switch (type) {
    case ColumnType::Date: {
        if (kind != SQLITE_TEXT)
            return QVariant();
        const QDate d = ParseIsoDate(reinterpret_cast<const char*>(sqlite3_column_text(st, index)), sqlite3_column_bytes(st, index));
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case ColumnType::Integer: {
        const qint64 v = sqlite3_column_int64(st, index);
        return QVariant(int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    }
    case ColumnType::Real:
        return QVariant(sqlite3_column_double(st, index));
    case ColumnType::Text:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, index)),
                                          sqlite3_column_bytes(st, index)));
    }
    return QVariant();
}
} // namespace

TableObject::TableObject(Database& db, Layout layout, const QString& tableName, const RegionalSettings& regional,
                         const Clock& clock, QObject* parent)
    : QObject(parent), m_db(db), m_layout(layout), m_regional(regional), m_clock(clock) {
    setTableName(tableName);
}

TableObject::~TableObject() = default;

void TableObject::setTableName(const QString& name) {
    const auto info = Catalog::findTable(name);
    if (!info || info->layout != m_layout)
        throw AppError(QStringLiteral("Таблица «%1» не найдена.").arg(name));
    close();
    m_tableName = name;
    m_sqlName = info->name;
    m_insert.reset();
    m_update.reset();
    m_delete.reset();
    m_count.reset();
}

void TableObject::pointAt(const QString& name) {
    close();
    setTableName(name);
    open();
}

void TableObject::checkOpen() const {
    if (!m_open)
        throw AppError(QStringLiteral("Таблица «%1» не открыта.").arg(m_tableName));
}

void TableObject::open() {
    if (m_open)
        return;
    const auto& cols = Catalog::columns(m_layout);
    QString sql = QStringLiteral("SELECT rowid");
    for (const ColumnDef& c : cols)
        sql += QStringLiteral(", ") + QLatin1String(c.name);
    sql += QStringLiteral(" FROM \"%1\" ORDER BY CURDATE DESC").arg(m_sqlName);
    QList<TableRow> rows;
    try {
        Statement st(m_db, sql);
        while (st.step()) {
            TableRow r;
            r.rowid = sqlite3_column_int64(st.handle(), 0);
            for (int i = 0; i < kColumnCount; ++i)
                r.values[size_t(i)] = readColumn(st.handle(), i + 1, cols[size_t(i)].type);
            if (!r.date().isValid())
                continue; // a record without a readable date cannot stand in a dated series
            rows.append(std::move(r));
        }
    } catch (const DatabaseError& e) {
        throw DatabaseError::explained(QStringLiteral("Таблица «%1» не открывается").arg(m_tableName),
                                       QStringLiteral("в базе данных ничего не изменено"), e);
    }
    emit aboutToReset();
    m_rows = std::move(rows);
    m_open = true;
    m_cursor = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    emit resetDone();
    announceCursor();
}

void TableObject::close() {
    if (!m_open)
        return;
    m_pending.reset();
    emit aboutToReset();
    m_rows.clear();
    m_open = false;
    m_cursor = -1;
    m_eof = true;
    emit resetDone();
}

void TableObject::first() {
    m_cursor = m_rows.isEmpty() ? -1 : 0;
    m_eof = m_rows.isEmpty();
    announceCursor();
}

void TableObject::last() {
    m_cursor = int(m_rows.size()) - 1;
    m_eof = m_rows.isEmpty();
    announceCursor();
}

void TableObject::next() {
    if (m_cursor + 1 < int(m_rows.size())) {
        ++m_cursor;
        m_eof = false;
        announceCursor();
    } else {
        m_eof = true;
    }
}

void TableObject::prior() {
    if (m_cursor > 0) {
        --m_cursor;
        announceCursor();
    }
    m_eof = m_rows.isEmpty();
}

void TableObject::moveTo(int row) {
    if (row < 0 || row >= int(m_rows.size()))
        return;
    m_cursor = row;
    m_eof = false;
    announceCursor();
}

void TableObject::announceCursor() {
    if (m_disableCount == 0)
        emit cursorMoved(m_cursor);
}

void TableObject::disableControls() {
    ++m_disableCount;
}

void TableObject::enableControls() {
    if (m_disableCount > 0 && --m_disableCount == 0)
        announceCursor();
}

int TableObject::columnIndex(QStringView column) const {
    const int i = Catalog::columnIndex(m_layout, column);
    if (i < 0)
        throw AppError(QStringLiteral("Поле «%1» не найдено в таблице «%2».").arg(column.toString(), m_tableName));
    return i;
}

QVariant TableObject::value(int column) const {
    if (m_pending)
        return m_pending->values.values[size_t(column)];
    if (m_cursor < 0 || m_cursor >= int(m_rows.size()))
        return QVariant();
    return m_rows[m_cursor].values[size_t(column)];
}

QVariant TableObject::value(QStringView column) const {
    return value(columnIndex(column));
}

QString TableObject::formatValue(int column, const QVariant& v) const {
    if (!v.isValid())
        return QString();
    switch (Catalog::columns(m_layout)[size_t(column)].type) {
    case ColumnType::Date:
        return m_regional.formatDate(v.toDate());
    case ColumnType::Integer:
        return QString::number(v.toInt());
    case ColumnType::Real:
        return formatGeneral(v.toDouble(), m_regional);
    case ColumnType::Text:
        return v.toString();
    }
    return QString();
}

QString TableObject::displayText(int column) const {
    return formatValue(column, value(column));
}

QString TableObject::displayText(QStringView column) const {
    const int i = columnIndex(column);
    return formatValue(i, value(i));
}

int TableObject::asInteger(QStringView column) const {
    const QVariant v = value(column);
    if (!v.isValid())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return int(v.toDouble());
    return v.toInt();
}

double TableObject::asFloat(QStringView column) const {
    const QVariant v = value(column);
    return v.isValid() ? v.toDouble() : 0.0;
}

QDate TableObject::asDate(QStringView column) const {
    const QVariant v = value(column);
    return v.isValid() ? v.toDate() : QDate();
}

Fixed4 TableObject::asFixed4(QStringView column) const {
    const QVariant v = value(column);
    return v.isValid() ? Fixed4::fromDouble(v.toDouble()) : Fixed4();
}

void TableObject::insert() {
    checkOpen();
    m_pending = std::make_unique<Pending>();
    m_pending->insert = true;
}

void TableObject::append() {
    insert();
}

void TableObject::edit() {
    checkOpen();
    if (m_cursor < 0 || m_cursor >= int(m_rows.size())) {
        insert();
        return;
    }
    m_pending = std::make_unique<Pending>();
    m_pending->insert = false;
    m_pending->row = m_cursor;
    m_pending->values = m_rows[m_cursor];
}

bool TableObject::isInserting() const {
    return m_pending && m_pending->insert;
}

void TableObject::setValue(QStringView column, QVariant v) {
    const int i = columnIndex(column);
    if (!m_pending)
        throw AppError(
            QStringLiteral("Таблица «%1» не находится в режиме вставки или редактирования.").arg(m_tableName));
    m_pending->values.values[size_t(i)] = std::move(v);
    m_pending->anySet = true;
}

void TableObject::setText(QStringView column, const QString& text) {
    const int i = columnIndex(column);
    const ColumnDef& def = Catalog::columns(m_layout)[size_t(i)];
    if (def.type != ColumnType::Text && trimmedControl(text).isEmpty()) {
        setValue(column, QVariant());
        return;
    }
    switch (def.type) {
    case ColumnType::Date:
        setValue(column, readDate(text, m_regional, m_clock.today().year()));
        return;
    case ColumnType::Integer:
        setValue(column, readInteger(text));
        return;
    case ColumnType::Real:
        setValue(column, readFloat(text, m_regional));
        return;
    case ColumnType::Text:
        if (text.size() > def.maxLength)
            throw AppError(QStringLiteral("Текст «%1» длиннее %2 символов.").arg(text).arg(def.maxLength));
        setValue(column, text);
        return;
    }
}

void TableObject::setInteger(QStringView column, int value) {
    setValue(column, value);
}

void TableObject::setFloat(QStringView column, double value) {
    setValue(column, value);
}

void TableObject::setFixed4(QStringView column, Fixed4 value) {
    setValue(column, value.toDouble());
}

void TableObject::setDate(QStringView column, QDate value) {
    setValue(column, value.isValid() ? QVariant(value) : QVariant());
}

void TableObject::setNull(QStringView column) {
    setValue(column, QVariant());
}

void TableObject::cancel() {
    m_pending.reset();
}

void TableObject::endPending() {
    if (!m_pending)
        return;
    if (m_pending->anySet)
        post();
    else
        m_pending.reset();
}

QString TableObject::duplicateDateMessage(QDate date) const {
    return QStringLiteral("В таблице «%1» уже есть запись на %2. Вторая запись на ту же дату не сохранена.")
        .arg(m_sqlName, m_regional.formatDate(date));
}

Statement& TableObject::statement(std::unique_ptr<Statement>& slot, const std::function<QString()>& sql) {
    if (!slot)
        slot = std::make_unique<Statement>(m_db, sql());
    slot->reset();
    return *slot;
}

void TableObject::bindRow(Statement& st, const TableRow& row) {
    const auto& cols = Catalog::columns(m_layout);
    for (int i = 0; i < kColumnCount; ++i) {
        const QVariant& v = row.values[size_t(i)];
        if (!v.isValid()) {
            st.bindNull(i + 1);
            continue;
        }
        switch (cols[size_t(i)].type) {
        case ColumnType::Date:
            bindDate(st, i + 1, v.toDate());
            break;
        case ColumnType::Integer:
            st.bindInt(i + 1, v.toInt());
            break;
        case ColumnType::Real:
            st.bindDouble(i + 1, v.toDouble());
            break;
        case ColumnType::Text:
            st.bindText(i + 1, v.toString());
            break;
        }
    }
}

int TableObject::insertPosition(QDate date) const {
    // Rows are ordered newest first: the new row goes before the first older one. An import in date order adds
    // at one end each time, so both ends are looked at before the search.
    const auto newer = [&](const TableRow& r) { return r.date() > date; };
    const int count = int(m_rows.size());
    if (count == 0 || newer(m_rows[count - 1]))
        return count;
    if (!newer(m_rows[0]))
        return 0;
    const auto it = std::partition_point(m_rows.cbegin() + 1, m_rows.cend() - 1, newer);
    return int(it - m_rows.cbegin());
}

int TableObject::findDate(QDate date) const {
    if (!date.isValid())
        return -1;
    const int pos = insertPosition(date);
    if (pos < int(m_rows.size()) && m_rows[pos].date() == date)
        return pos;
    return -1;
}

void TableObject::post() {
    if (!m_pending)
        return;
    std::unique_ptr<Pending> pending = std::move(m_pending);
    const QDate date = pending->values.date();
    if (!date.isValid())
        throw AppError(QStringLiteral("Не указана дата записи; запись не сохранена."));
    const int other = findDate(date);
    if (other >= 0 && (pending->insert || other != pending->row))
        throw AppError(duplicateDateMessage(date));

    // The texts are made once per table: a post comes once a record in an import.
    const auto names = [this](const char* suffix) {
        const auto& cols = Catalog::columns(m_layout);
        QString list;
        for (int i = 0; i < kColumnCount; ++i)
            list +=
                (i ? QStringLiteral(", ") : QString()) + QLatin1String(cols[size_t(i)].name) + QLatin1String(suffix);
        return list;
    };
    try {
        if (pending->insert) {
            Statement& st = statement(m_insert, [&] {
                return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (?, ?, ?, ?, ?)").arg(m_sqlName, names(""));
            });
            bindRow(st, pending->values);
            st.step();
            st.reset();
            pending->values.rowid = sqlite3_last_insert_rowid(m_db.handle());
        } else {
            Statement& st = statement(m_update, [&] {
                return QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?").arg(m_sqlName, names(" = ?"));
            });
            bindRow(st, pending->values);
            st.bindInt(kColumnCount + 1, pending->values.rowid);
            st.step();
            st.reset();
        }
    } catch (const DatabaseError& e) {
        if (e.code() == SQLITE_CONSTRAINT_UNIQUE)
            throw AppError(duplicateDateMessage(date));
        throw DatabaseError::explained(
            QStringLiteral("Запись на %1 не сохранена в таблице «%2»").arg(m_regional.formatDate(date), m_tableName),
            QStringLiteral("эта запись не записана"), e);
    }
    placeRow(std::move(pending->values), pending->insert ? -1 : pending->row);
}

void TableObject::placeRow(TableRow row, int oldIndex) {
    if (oldIndex >= 0) {
        const QDate oldDate = m_rows[oldIndex].date();
        if (oldDate == row.date()) {
            m_rows[oldIndex] = std::move(row);
            emit rowChanged(oldIndex);
            m_cursor = oldIndex;
            m_eof = false;
            announceCursor();
            return;
        }
        emit rowAboutToBeRemoved(oldIndex);
        m_rows.removeAt(oldIndex);
        emit rowRemoved(oldIndex);
    }
    const int pos = insertPosition(row.date());
    emit rowAboutToBeInserted(pos);
    m_rows.insert(pos, std::move(row));
    emit rowInserted(pos);
    m_cursor = pos;
    m_eof = false;
    announceCursor();
}

void TableObject::remove() {
    checkOpen();
    m_pending.reset();
    if (m_cursor < 0 || m_cursor >= int(m_rows.size()))
        return;
    Statement& st =
        statement(m_delete, [this] { return QStringLiteral("DELETE FROM \"%1\" WHERE rowid = ?").arg(m_sqlName); });
    st.bindInt(1, m_rows[m_cursor].rowid);
    try {
        st.step();
    } catch (const DatabaseError& e) {
        throw DatabaseError::explained(QStringLiteral("Запись не удалена из таблицы «%1»").arg(m_tableName),
                                       QStringLiteral("таблица не изменена"), e);
    }
    st.reset();
    const int at = m_cursor;
    emit rowAboutToBeRemoved(at);
    m_rows.removeAt(at);
    emit rowRemoved(at);
    if (m_rows.isEmpty()) {
        m_cursor = -1;
        m_eof = true;
    } else {
        m_cursor = std::min(at, int(m_rows.size()) - 1);
        m_eof = false;
    }
    announceCursor();
}

int TableObject::countByDate(QDate date) {
    Statement& st = statement(
        m_count, [this] { return QStringLiteral("Select Count(*) from %1 Where curdate=:par;").arg(m_sqlName); });
    st.bindText(st.parameterIndex(":par"), IsoDateText(date));
    int count = 0;
    if (st.step())
        count = sqlite3_column_int(st.handle(), 0);
    st.reset();
    return count;
}
