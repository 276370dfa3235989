#pragma once

#include "Fixed4.h"
#include "TableCatalog.h"
#include "common/Clock.h"
#include "common/RegionalSettings.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>

class Database;
class Statement;

// One record as the grid shows it; values by column index of the layout, an invalid QVariant for an empty
// column. Dates are QDate, integers int, reals double, texts QString.
struct TableRow {
    qint64 rowid = 0;
    std::array<QVariant, kColumnCount> values;
    QDate date() const { return values[Col::CurDate].toDate(); }
};
Q_DECLARE_TYPEINFO(TableRow, Q_RELOCATABLE_TYPE);

// An open-table object on one indicator table: a cursor over the records newest first, and a pending record
// for insert or edit. The rows are kept in display order in memory for the grid; every write goes to the
// file at once.
class TableObject : public QObject {
    Q_OBJECT
public:
    TableObject(Database& db, Layout layout, const QString& tableName, const RegionalSettings& regional,
                const Clock& clock, QObject* parent = nullptr);
    ~TableObject() override;

    Layout layout() const { return m_layout; }
    QString tableName() const { return m_tableName; }
    Database& database() const { return m_db; }
    const RegionalSettings& regional() const { return m_regional; }

    // Closes the object and sets its table; the name is checked against the known tables of this layout.
    void setTableName(const QString& name);
    void open();
    void close();
    bool isOpen() const { return m_open; }
    // Close, set the table, open.
    void pointAt(const QString& name);

    int recordCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Cursor, in display order (first = newest date).
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    int currentRow() const { return m_cursor; }
    void moveTo(int row);

    int columnIndex(QStringView column) const; // throws for a column outside the layout
    // Value of the current record (the pending one while inserting or editing); invalid when none.
    QVariant value(QStringView column) const;
    QVariant value(int column) const;
    bool isNull(QStringView column) const { return !value(column).isValid(); }
    QString displayText(QStringView column) const;
    QString displayText(int column) const;
    int asInteger(QStringView column) const; // empty: 0
    double asFloat(QStringView column) const; // empty: 0
    QDate asDate(QStringView column) const;   // empty: invalid date
    Fixed4 asFixed4(QStringView column) const; // empty: 0

    // Writing.
    void insert();
    void append();
    void edit(); // on an empty table starts an insert
    bool hasPending() const { return m_pending != nullptr; }
    bool isInserting() const;
    void setText(QStringView column, const QString& text);
    void setInteger(QStringView column, int value);
    void setFloat(QStringView column, double value);
    void setFixed4(QStringView column, Fixed4 value);
    void setDate(QStringView column, QDate value);
    void setNull(QStringView column);
    void post();       // stores the pending record; refuses a date that another record of the series holds
    void endPending(); // stores a pending record if any column was set, drops it otherwise
    void cancel();
    void remove(); // deletes the current record

    // Row of the record dated `date`, through the ordered rows; -1 when absent.
    int findDate(QDate date) const;
    // "Select Count(*) from <table> Where curdate=:par;" with the date bound to par.
    int countByDate(QDate date);

    // While disabled, cursor moves are not announced to the grid; enabling announces the position once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    const TableRow& row(int index) const { return m_rows.at(index); }
    QString formatValue(int column, const QVariant& v) const;

signals:
    void aboutToReset();
    void resetDone();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void cursorMoved(int row);

private:
    struct Pending {
        bool insert = false;
        int row = -1; // edited row
        TableRow values;
        bool anySet = false;
    };
    void setValue(QStringView column, QVariant v);
    void checkOpen() const;
    void announceCursor();
    int insertPosition(QDate date) const;
    void placeRow(TableRow row, int oldIndex);
    // The prepared statement of a slot; `sql` gives its text, asked only when the slot is still empty.
    Statement& statement(std::unique_ptr<Statement>& slot, const std::function<QString()>& sql);
    void bindRow(Statement& st, const TableRow& row);
    QString duplicateDateMessage(QDate date) const;

    Database& m_db;
    Layout m_layout;
    QString m_tableName; // as the caller spelt it
    QString m_sqlName;   // as the catalogue spells it
    RegionalSettings m_regional;
    const Clock& m_clock;
    bool m_open = false;
    QList<TableRow> m_rows;
    int m_cursor = -1;
    bool m_eof = true;
    int m_disableCount = 0;
    std::unique_ptr<Pending> m_pending;
    std::unique_ptr<Statement> m_insert, m_update, m_delete, m_count;
};

// Keeps the grids of a table from following each change while a run writes to it or moves its cursor, and wakes
// them on every way out.
class QuietControls {
public:
    explicit QuietControls(TableObject& table) : m_table(table) { m_table.disableControls(); }
    ~QuietControls() { m_table.enableControls(); }
    QuietControls(const QuietControls&) = delete;
    QuietControls& operator=(const QuietControls&) = delete;

private:
    TableObject& m_table;
};

