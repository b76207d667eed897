#include "store/Database.h"

#include "store/Amount.h"
#include "store/Table.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <sqlite3.h>
#include <tuple>

namespace store {

namespace {

// round_half_even(units, divisor): integer division rounded half to even, for sums of whole-unit reads in SQL.
void roundHalfEvenFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_int64(context, 0);
        return;
    }
    const sqlite3_int64 divisor = sqlite3_value_int64(argv[1]);
    if (divisor <= 0) {
        sqlite3_result_error(context, "round_half_even: divisor must be positive", -1);
        return;
    }
    sqlite3_result_int64(context, divideHalfEven(sqlite3_value_int64(argv[0]), divisor));
}

// What an SQLite result code means to the user, or nothing when its own text has to do.
QString swedishReason(int code) {
    switch (code & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("databasfilen är skadad");
    case SQLITE_READONLY:
        return QStringLiteral("databasen är skrivskyddad");
    case SQLITE_FULL:
        return QStringLiteral("disken är full");
    case SQLITE_IOERR:
        return QStringLiteral("filen kunde inte läsas eller skrivas");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return QStringLiteral("filen kan inte öppnas");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("databasen används av ett annat program");
    default:
        return {};
    }
}

// "Databasfel: <reason> (<SQLite's own words>)".
QString databaseError(int code, const char* message) {
    const QString own = QString::fromUtf8(message ? message : "okänt fel");
    const QString reason = swedishReason(code);
    return reason.isEmpty() ? QStringLiteral("Databasfel: %1").arg(own)
                            : QStringLiteral("Databasfel: %1 (%2).").arg(reason, own);
}

// "ok", or what is wrong: a file that is not a database, is cut short or has damaged pages. Only reads.
QString quickCheck(sqlite3* db, const char* pragma, int* code) {
    sqlite3_stmt* stmt = nullptr;
    *code = sqlite3_prepare_v2(db, pragma, -1, &stmt, nullptr);
    QString result;
    if (*code == SQLITE_OK) {
        *code = sqlite3_step(stmt);
        if (*code == SQLITE_ROW) {
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            *code = result == QLatin1String("ok") ? SQLITE_OK : SQLITE_CORRUPT;
        } else if (*code == SQLITE_DONE) {
            *code = SQLITE_OK;
            result = QStringLiteral("ok");
        }
    }
    if (result.isEmpty())
        result = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    return result;
}

} // namespace

Database::Database() = default;

Database::~Database() {
    close();
}

void Database::open(const QString& directory, Check check) {
    close();
    const QFileInfo dirInfo(directory);
    if (!dirInfo.exists() || !dirInfo.isDir())
        throw Error(QStringLiteral("Databaskatalogen %1 finns inte.").arg(QDir::toNativeSeparators(directory)));
    const QString path = QDir(directory).filePath(fileName());
    const QString shownPath = QDir::toNativeSeparators(path);
    const QFileInfo fileInfo(path);
    if (!fileInfo.exists())
        throw Error(QStringLiteral("Databasfilen %1 saknas.").arg(shownPath));
    const QString restore = QStringLiteral("Återställ den senaste säkerhetskopian från %1 om det finns någon.")
                                .arg(QDir::toNativeSeparators(QDir(directory).filePath(QStringLiteral("Backup"))));
    // SQLite would take an empty file for a new database and write one into it.
    if (fileInfo.isFile() && fileInfo.size() == 0)
        throw Error(QStringLiteral("Databasfilen %1 är tom. %2").arg(shownPath, restore));

    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = databaseError(rc, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw Error(QStringLiteral("Databasfilen %1 kan inte öppnas. %2").arg(shownPath, reason));
    }
    m_db = db;
    m_directory = directory;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 5000);
    // Everything up to the mode settings only reads, so a refused file is left exactly as it was.
    if (sqlite3_db_readonly(m_db, "main") == 1) {
        close();
        throw Error(
            QStringLiteral("Databasfilen %1 är skrivskyddad. Slantvis måste kunna skriva i den.").arg(shownPath));
    }
    int code = SQLITE_OK;
    QString found;
    if (check == Check::Whole) {
        found = quickCheck(m_db, "PRAGMA quick_check(1)", &code);
    } else {
        // The schema first: a table that is not there is the caller's to report, not damage.
        for (const char* pragma : {"PRAGMA quick_check(sqlite_schema)", "PRAGMA quick_check(Konto2)",
                                   "PRAGMA quick_check(Kontoplan)", "PRAGMA quick_check(Period)"}) {
            found = quickCheck(m_db, pragma, &code);
            if (code != SQLITE_OK && !found.startsWith(QLatin1String("no such table")))
                break;
            code = SQLITE_OK;
        }
    }
    if (code != SQLITE_OK) {
        close();
        const int primary = code & 0xFF;
        if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
            throw Error(QStringLiteral("Databasfilen %1 är skadad och kan inte användas. %2").arg(shownPath, restore));
        throw Error(QStringLiteral("Databasfilen %1 kan inte läsas. %2")
                        .arg(shownPath, databaseError(code, found.toUtf8().constData())));
    }
    try {
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA synchronous=FULL");
        exec("PRAGMA foreign_keys=OFF");
        sqlite3_create_function(m_db, "round_half_even", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                roundHalfEvenFunction, nullptr, nullptr);
    } catch (const Error& e) {
        close();
        throw Error(QStringLiteral("Databasfilen %1 kan inte användas. %2").arg(shownPath, e.message()));
    }
}

void Database::close() {
    // The tables hold prepared statements, which would keep the file open after the connection is closed.
    for (Table* table : std::vector<Table*>(m_tables))
        table->close();
    m_kept.clear();
    m_counted.clear();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_depth = 0;
    m_failed = false;
}

void Database::fail(const QString& what) const {
    if (!m_db)
        throw Error(QStringLiteral("%1: databasen är inte öppen").arg(what));
    const QString reason = swedishReason(sqlite3_extended_errcode(m_db));
    const QString own = QString::fromUtf8(sqlite3_errmsg(m_db));
    throw Error(reason.isEmpty() ? QStringLiteral("%1: %2").arg(what, own)
                                 : QStringLiteral("%1: %2 (%3).").arg(what, reason, own));
}

void Database::exec(const char* sql) {
    if (!m_db)
        fail(QStringLiteral("Databasfel"));
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = databaseError(rc, message);
        sqlite3_free(message);
        throw Error(text);
    }
}

bool Database::tableExists(const QString& name) {
    Statement query(*this, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?"));
    query.bindText(1, name);
    return query.step();
}

std::int64_t Database::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(m_db);
}

std::int64_t Database::changesBesideTables() const {
    return sqlite3_total_changes64(m_db) - m_tableWrites;
}

std::int64_t Database::totalChanges() const {
    return m_db ? sqlite3_total_changes64(m_db) : 0;
}

void Database::noteTableWrite(std::int64_t totalBefore) {
    m_tableWrites += totalChanges() - totalBefore;
}

void Database::keepRowCounts(const QStringList& tables) {
    const auto quote = [](QString name) {
        return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    };
    const auto hasTrigger = [this](const QString& name) {
        Statement query(*this, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'trigger' AND name = ?1"));
        query.bindText(1, name);
        return query.step();
    };
    QStringList missing;
    const bool haveTables = tableExists(QStringLiteral("RowCounts")) && tableExists(QStringLiteral("MissingKeys"));
    for (const QString& table : tables) {
        bool counted =
            haveTables && hasTrigger(table + QStringLiteral("Added")) && hasTrigger(table + QStringLiteral("Removed"));
        if (counted) {
            Statement row(*this, QStringLiteral("SELECT 1 FROM RowCounts WHERE TableName = ?1"));
            row.bindText(1, table);
            counted = row.step();
        }
        if (!counted)
            missing << table;
    }
    if (!missing.isEmpty()) {
        Transaction transaction(*this);
        exec("CREATE TABLE IF NOT EXISTS RowCounts (TableName TEXT PRIMARY KEY, Rows INTEGER NOT NULL)");
        exec("CREATE TABLE IF NOT EXISTS MissingKeys (TableName TEXT NOT NULL, FromKey INTEGER NOT NULL, "
             "ToKey INTEGER NOT NULL)");
        exec("CREATE INDEX IF NOT EXISTS MissingKeysByTable ON MissingKeys (TableName, FromKey)");
        for (const QString& table : missing) {
            const QString literal =
                QStringLiteral("'%1'").arg(QString(table).replace(QLatin1Char('\''), QLatin1String("''")));
            const QString added =
                QStringLiteral("UPDATE RowCounts SET Rows = Rows + 1 WHERE TableName = %1;").arg(literal);
            const QString removed =
                QStringLiteral("UPDATE RowCounts SET Rows = Rows - 1 WHERE TableName = %1; "
                               "INSERT INTO MissingKeys (TableName, FromKey, ToKey) VALUES (%1, OLD.rowid, OLD.rowid);")
                    .arg(literal);
            for (const auto& [suffix, when, body] :
                 {std::tuple{QStringLiteral("Added"), QStringLiteral("INSERT"), added},
                  std::tuple{QStringLiteral("Removed"), QStringLiteral("DELETE"), removed}}) {
                Statement(*this, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(quote(table + suffix))).step();
                Statement(*this, QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 BEGIN %4 END")
                                     .arg(quote(table + suffix), when, quote(table), body))
                    .step();
            }
            Statement count(
                *this, QStringLiteral(
                           "INSERT OR REPLACE INTO RowCounts (TableName, Rows) VALUES (?1, (SELECT COUNT(*) FROM %1))")
                           .arg(quote(table)));
            count.bindText(1, table);
            count.step();
            // The gaps between the keys as they are now, found once; from here on the trigger records each delete.
            Statement forget(*this, QStringLiteral("DELETE FROM MissingKeys WHERE TableName = ?1"));
            forget.bindText(1, table);
            forget.step();
            Statement keys(*this, QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quote(table)));
            Statement gap(*this,
                          QStringLiteral("INSERT INTO MissingKeys (TableName, FromKey, ToKey) VALUES (?1, ?2, ?3)"));
            std::optional<std::int64_t> previous;
            while (keys.step()) {
                const std::int64_t key = keys.intValue(0);
                if (previous && key > *previous + 1) {
                    gap.bindText(1, table);
                    gap.bindInt(2, *previous + 1);
                    gap.bindInt(3, key - 1);
                    gap.step();
                    gap.reset();
                }
                previous = key;
            }
        }
        transaction.commit();
    }
    m_counted = tables;
}

Statement& Database::kept(const QString& sql) {
    std::unique_ptr<Statement>& slot = m_kept[sql];
    if (!slot)
        slot = std::make_unique<Statement>(*this, sql);
    slot->reset();
    return *slot;
}

void Database::begin(bool deferred) {
    if (m_depth == 0) {
        KeptStatement(*this, deferred ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"))->step();
        m_failed = false;
    }
    ++m_depth;
}

void Database::commit() {
    if (m_depth <= 0)
        throw Error(QStringLiteral("Databasfel: ingen transaktion är öppen."));
    if (m_depth > 1) {
        --m_depth;
        return;
    }
    if (m_failed) {
        rollback();
        throw Error(QStringLiteral("Databasfel: transaktionen avbröts."));
    }
    try {
        KeptStatement(*this, QStringLiteral("COMMIT"))->step();
    } catch (...) {
        rollback();
        throw;
    }
    m_depth = 0;
}

void Database::rollback() {
    if (m_depth <= 0)
        return;
    if (m_depth > 1) {
        --m_depth;
        m_failed = true;
        return;
    }
    m_depth = 0;
    m_failed = false;
    if (m_db && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    for (Table* table : m_tables)
        table->discardAfterRollback();
}

void Database::attach(Table* table) {
    m_tables.push_back(table);
}

void Database::detach(Table* table) {
    std::erase(m_tables, table);
}

Statement::Statement(Database& db, const QString& sql) : m_db(db) {
    if (!db.handle())
        db.fail(QStringLiteral("Databasfel"));
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db.handle(), utf8.constData(), static_cast<int>(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_stmt, nullptr) != SQLITE_OK)
        db.fail(QStringLiteral("Databasfel"));
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        bindNull(index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
        bindInt(index, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    default:
        bindText(index, value.toString());
    }
}

void Statement::bindText(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bindInt(int index, std::int64_t value) {
    sqlite3_bind_int64(m_stmt, index, value);
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString text = databaseError(rc, sqlite3_errmsg(m_db.handle()));
    sqlite3_reset(m_stmt);
    throw Error(text);
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qlonglong>(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_NULL:
        return {};
    default:
        return textValue(column);
    }
}

std::int64_t Statement::intValue(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::textValue(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)) : QString();
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

} // namespace store
