#include "Database.h"

#include "TableCatalog.h"
#include "common/AppError.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace {
const char* sqlType(ColumnType t) {
    switch (t) {
    case ColumnType::Date:
        return "TEXT";
    case ColumnType::Integer:
        return "INTEGER";
    case ColumnType::Real:
        return "REAL";
    case ColumnType::Text:
        return "TEXT";
    }
    return "TEXT";
}

QString engineMessage(sqlite3* db, int rc) {
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString notTarvelDatabase(const QString& path) {
    return QStringLiteral("Файл «%1» не является базой данных Tarvel; он не изменён.").arg(native(path));
}

// The open has failed: the file is left as it was.
DatabaseError openFailure(const QString& path, const DatabaseError& e) {
    if (e.code() == SQLITE_NOTADB)
        return DatabaseError(notTarvelDatabase(path), e);
    return DatabaseError::explained(QStringLiteral("Не удалось открыть базу данных «%1»").arg(native(path)),
                                    QStringLiteral("файл не изменён"), e);
}

const char* kDateCheck = "GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'";
} // namespace

DatabaseError::DatabaseError(int code, QString engineText)
    : AppError(engineText), m_code(code), m_engine(std::move(engineText)) {}

DatabaseError::DatabaseError(const QString& sentence, const DatabaseError& cause)
    : AppError(compose(sentence, cause.engineText())), m_code(cause.code()), m_engine(cause.engineText()) {}

QString DatabaseError::compose(const QString& sentence, const QString& engineText) {
    if (engineText.isEmpty())
        return sentence;
    return sentence + QStringLiteral(" (") + engineText + QLatin1Char(')');
}

DatabaseError DatabaseError::explained(const QString& what, const QString& fate, const DatabaseError& e) {
    const QString cause = e.cause();
    return DatabaseError(what + (cause.isEmpty() ? QString() : QStringLiteral(": ") + cause) + QStringLiteral("; ") +
                             fate + QLatin1Char('.'),
                         e);
}

QString DatabaseError::cause() const {
    switch (m_code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("база данных занята другой программой");
    case SQLITE_READONLY:
        return QStringLiteral("база данных доступна только для чтения");
    case SQLITE_FULL:
        return QStringLiteral("на диске нет места");
    case SQLITE_CORRUPT:
        return QStringLiteral("файл базы данных повреждён");
    case SQLITE_NOTADB:
        return QStringLiteral("файл не является базой данных");
    case SQLITE_IOERR:
        return QStringLiteral("файл базы данных не читается или не записывается");
    case SQLITE_CANTOPEN:
        return QStringLiteral("файл базы данных не открывается");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("нет доступа к файлу базы данных");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("база данных не приняла значения записи");
    default:
        break;
    }
    if (m_engine.startsWith(QLatin1String("no such table")))
        return QStringLiteral("в базе данных нет нужной таблицы");
    if (m_engine.startsWith(QLatin1String("no such column")) || m_engine.contains(QLatin1String("has no column")))
        return QStringLiteral("в таблице базы данных нет нужного поля");
    return QString();
}

Database::~Database() {
    close();
}

void Database::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_transactionDepth = 0;
}

void Database::open(const QString& path) {
    close();
    m_path = path;
    const QFileInfo info(path);
    // SQLite takes an empty file for an empty database and would open it without a word.
    if (info.exists() && info.isFile() && info.size() == 0)
        throw AppError(
            QStringLiteral("Файл «%1» пуст и не является базой данных Tarvel; он не изменён.").arg(native(path)));
    sqlite3* db = nullptr;
    const QByteArray native8 = info.absoluteFilePath().toUtf8();
    int rc = sqlite3_open_v2(native8.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const DatabaseError e(rc, engineMessage(db, rc));
        sqlite3_close_v2(db);
        throw openFailure(path, e);
    }
    m_db = db;
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        close();
        throw AppError(QStringLiteral("Не удалось открыть базу данных «%1»: файл доступен только для чтения; он не "
                                      "изменён.")
                           .arg(native(path)));
    }
    sqlite3_busy_timeout(m_db, 5000);
    sqlite3_extended_result_codes(m_db, 1);
    bool ours = false;
    try {
        // Reading the schema proves that the file is a database at all; the journal mode stays as the file has it.
        {
            Statement probe(*this, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"));
            ours = probe.step() && sqlite3_column_int64(probe.handle(), 0) > 0;
        }
        exec("PRAGMA synchronous=FULL");
        exec("PRAGMA foreign_keys=ON");
    } catch (const DatabaseError& e) {
        close();
        throw openFailure(path, e);
    }
    if (!ours) {
        close();
        throw AppError(notTarvelDatabase(path));
    }
}

QString Database::schemaSql() {
    QString sql;
    for (const TableInfo& t : Catalog::tables()) {
        sql += QStringLiteral("CREATE TABLE \"%1\" (").arg(t.name);
        const auto& cols = Catalog::columns(t.layout);
        for (int i = 0; i < kColumnCount; ++i) {
            const ColumnDef& c = cols[size_t(i)];
            if (i)
                sql += QStringLiteral(", ");
            sql += QLatin1String(c.name) + QLatin1Char(' ') + QLatin1String(sqlType(c.type));
            if (i == Col::CurDate)
                sql += QStringLiteral(" NOT NULL CHECK (CURDATE ") + QLatin1String(kDateCheck) + QLatin1Char(')');
            else if (c.type == ColumnType::Date)
                sql += QStringLiteral(" CHECK (%1 IS NULL OR %1 ").arg(QLatin1String(c.name)) +
                       QLatin1String(kDateCheck) + QLatin1Char(')');
            else if (c.type == ColumnType::Text)
                sql += QStringLiteral(" CHECK (%1 IS NULL OR length(%1) <= %2)")
                           .arg(QLatin1String(c.name))
                           .arg(c.maxLength);
        }
        sql += QStringLiteral(");\n");
        sql += QStringLiteral("CREATE UNIQUE INDEX \"%1_CURDATE\" ON \"%1\" (CURDATE);\n").arg(t.name);
    }
    return sql;
}

void Database::create(const QString& path) {
    if (QFileInfo::exists(path))
        throw AppError(QStringLiteral("Файл «%1» уже существует; новая база данных не создана.").arg(path));
    sqlite3* db = nullptr;
    const QByteArray utf8 = path.toUtf8();
    int rc = sqlite3_open_v2(utf8.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const DatabaseError e(rc, engineMessage(db, rc));
        sqlite3_close_v2(db);
        throw DatabaseError(QStringLiteral("Не удалось создать базу данных «%1»").arg(native(path)), e);
    }
    const QByteArray sql = (QStringLiteral("PRAGMA journal_mode=DELETE;\nPRAGMA synchronous=FULL;\nBEGIN;\n") +
                            schemaSql() + QStringLiteral("COMMIT;\n"))
                               .toUtf8();
    char* err = nullptr;
    rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const DatabaseError e(rc, QString::fromUtf8(err ? err : sqlite3_errstr(rc)));
        sqlite3_free(err);
        sqlite3_close_v2(db);
        throw DatabaseError(QStringLiteral("Не удалось создать базу данных «%1»").arg(native(path)), e);
    }
    sqlite3_close_v2(db);
}

void Database::exec(const char* sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errstr(rc));
        sqlite3_free(err);
        throw DatabaseError(rc, msg);
    }
}

QString Database::lastError() const {
    return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
}

namespace {
QByteArray savepointName(int level) {
    return "tarvel_" + QByteArray::number(level);
}
} // namespace

Database::Transaction::Transaction(Database& db) : m_db(db) {
    const int level = m_db.m_transactionDepth + 1;
    if (level == 1)
        m_db.exec("BEGIN IMMEDIATE");
    else
        m_db.exec(QByteArray("SAVEPOINT " + savepointName(level)).constData());
    // Counted only once the engine has begun it.
    m_db.m_transactionDepth = level;
    m_level = level;
}

Database::Transaction::~Transaction() {
    if (!m_done)
        undo();
}

void Database::Transaction::commit() {
    if (m_done)
        return;
    Q_ASSERT(m_db.m_transactionDepth == m_level);
    if (m_level == 1)
        m_db.exec("COMMIT");
    else
        m_db.exec(QByteArray("RELEASE " + savepointName(m_level)).constData());
    // A failing COMMIT threw above: the transaction stays counted, for the undo that follows.
    m_db.m_transactionDepth = m_level - 1;
    m_done = true;
}

void Database::Transaction::undo() noexcept {
    m_done = true;
    if (m_db.m_transactionDepth < m_level)
        return; // the connection was closed meanwhile
    m_db.m_transactionDepth = m_level - 1;
    // The engine may have ended the transaction itself (a full disk, an I/O error): then nothing is left to undo.
    if (!m_db.m_db || sqlite3_get_autocommit(m_db.m_db))
        return;
    try {
        if (m_level == 1) {
            m_db.exec("ROLLBACK");
        } else {
            const QByteArray name = savepointName(m_level);
            m_db.exec(QByteArray("ROLLBACK TO " + name).constData());
            m_db.exec(QByteArray("RELEASE " + name).constData());
        }
    } catch (...) {
        // A destructor cannot report; SQLite undoes an unfinished transaction when the connection closes.
    }
}

Statement::Statement(Database& db, const QString& sql) : m_db(db) {
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db.handle(), text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                                      &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineMessage(db.handle(), rc);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw DatabaseError(rc, msg);
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}

void Statement::bindInt(int index, qint64 value) {
    sqlite3_bind_int64(m_stmt, index, value);
}

void Statement::bindDouble(int index, double value) {
    sqlite3_bind_double(m_stmt, index, value);
}

void Statement::bindText(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int Statement::parameterIndex(const char* name) const {
    return sqlite3_bind_parameter_index(m_stmt, name);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString msg = engineMessage(m_db.handle(), rc);
    sqlite3_reset(m_stmt);
    throw DatabaseError(rc, msg);
}
