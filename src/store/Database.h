#pragma once

#include "common/AppError.h"

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// A failure of the database engine: a Russian sentence (what failed, what happened to the data), then the
// engine's own text in parentheses. Thrown bare (the engine text alone) by the statements; the operation that
// knows what failed adds its sentence with DatabaseError::what().
class DatabaseError : public AppError {
public:
    DatabaseError(int code, QString engineText);
    DatabaseError(const QString& sentence, const DatabaseError& cause);
    int code() const { return m_code; }
    const QString& engineText() const { return m_engine; }
    // Why the engine refused, in Russian: "база данных занята другой программой" and the like; empty when the
    // engine's text says it best.
    QString cause() const;
    // what + ": " + cause() + "; " + fate + "." and the engine's text: «Курсы не сохранены: база данных занята
    // другой программой; в таблицу ничего не записано. (database is locked)».
    static DatabaseError explained(const QString& what, const QString& fate, const DatabaseError& e);
    // sentence + " (" + engine text + ")".
    static QString compose(const QString& sentence, const QString& engineText);

private:
    int m_code;
    QString m_engine;
};

// The one connection to the indicator database file.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing Tarvel database for reading and writing in whatever journal mode it has; never creates
    // one. Fails with a Russian message, the engine's text in parentheses.
    void open(const QString& path);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // Makes a new database file with every table of the layout, in rollback-journal mode (a copy of the one file
    // is complete, and it works on a network share); refuses an existing file.
    static void create(const QString& path);

    void exec(const char* sql);
    sqlite3* handle() const { return m_db; }
    QString lastError() const;

    // The one way to write in a transaction: begun on construction, undone on leaving the scope unless commit()
    // succeeded. A transaction inside another is a savepoint of it: its commit keeps its writes for the outer
    // one's commit, its end without commit undoes only its own writes.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        // Throws when the engine refuses; the transaction then stays open, to be undone by the destructor.
        void commit();

    private:
        void undo() noexcept;
        Database& m_db;
        int m_level = 0;
        bool m_done = false;
    };

    bool inTransaction() const { return m_transactionDepth > 0; }

    static QString schemaSql();

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    int m_transactionDepth = 0;
};

// A prepared statement, finalised when it goes out of scope.
class Statement {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void reset();
    void bindNull(int index);
    void bindInt(int index, qint64 value);
    void bindDouble(int index, double value);
    void bindText(int index, const QString& text);
    int parameterIndex(const char* name) const;
    // true while a row is available; throws on an engine error.
    bool step();
    sqlite3_stmt* handle() const { return m_stmt; }

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};
