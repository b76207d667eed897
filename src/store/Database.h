#pragma once

#include "store/Error.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Table;
class Statement;

// One SQLite file holding the program's tables. Posts are durable when they return (WAL, synchronous FULL).
class Database final {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    static QString fileName() { return QStringLiteral("slantvis.db"); }

    // How much of the file is read for damage before it is used. `Whole` reads every page (a second or more on
    // a large file); `Small` reads the schema and the small tables: damage to the header, a cut-short file and
    // damage to any table it reads are found either way, damage elsewhere in the big tables when that page is
    // next read.
    enum class Check { Whole, Small };

    // Opens `directory`/slantvis.db; never creates the directory, the file or a table.
    void open(const QString& directory, Check check = Check::Whole);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& directory() const { return m_directory; }
    sqlite3* handle() const { return m_db; }

    void exec(const char* sql);
    // A statement prepared once and kept open until the database closes; reset and unbound when handed out.
    // Use it through KeptStatement, which resets it again when done, so no read stays open.
    Statement& kept(const QString& sql);
    bool tableExists(const QString& name);
    std::int64_t lastInsertRowId() const;
    // Rows written through this connection by anything but a Table's own row writes (plain SQL, triggers).
    std::int64_t changesBesideTables() const;
    // Rows written through this connection so far, triggers included.
    std::int64_t totalChanges() const;
    // A Table reports the rows its last statement wrote (with what its triggers wrote): the total before it.
    void noteTableWrite(std::int64_t totalBefore);

    // Keeps the row count of each named table in the table RowCounts and the keys it no longer has (between its
    // first and last) in MissingKeys, up to date by triggers, so a table of a million rows is counted by reading
    // one row and a row's position follows from its key. What is missing is created, and counted once, in one
    // transaction. A table whose count is not kept is counted row by row.
    void keepRowCounts(const QStringList& tables);
    bool keepsRowCount(const QString& table) const { return m_counted.contains(table); }

    // Called before every write of a row; tests throw from it to inject a failure.
    using WriteHook = std::function<void(const QString& table)>;
    void setWriteHook(WriteHook hook) { m_writeHook = std::move(hook); }
    void beforeWrite(const QString& table) {
        if (m_writeHook)
            m_writeHook(table);
    }

    // Transactions nest; only the outermost begins and commits. A rollback tells every table to drop what it
    // holds of rows that are no longer stored.
    void begin(bool deferred = false);
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    void attach(Table* table);
    void detach(Table* table);

    [[noreturn]] void fail(const QString& what) const;

private:
    sqlite3* m_db = nullptr;
    QString m_directory;
    int m_depth = 0;
    bool m_failed = false;
    std::int64_t m_tableWrites = 0;
    WriteHook m_writeHook;
    std::vector<Table*> m_tables;
    std::map<QString, std::unique_ptr<Statement>> m_kept;
    QStringList m_counted;
};

// A prepared statement; finalized on destruction. Values are always bound, never spliced into SQL.
class Statement final {
public:
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QVariant& value);
    void bindText(int index, const QString& text);
    void bindInt(int index, std::int64_t value);
    void bindNull(int index);

    // Advances to the next result row; false when done.
    bool step();
    void reset();

    int columnCount() const;
    QVariant value(int column) const;
    std::int64_t intValue(int column) const;
    QString textValue(int column) const;
    bool isNull(int column) const;
    QString columnName(int column) const;

private:
    Database& m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// One of the database's kept statements for the length of a scope.
class KeptStatement final {
public:
    KeptStatement(Database& db, const QString& sql) : m_statement(db.kept(sql)) {}
    ~KeptStatement() { m_statement.reset(); }
    KeptStatement(const KeptStatement&) = delete;
    KeptStatement& operator=(const KeptStatement&) = delete;
    Statement& operator*() const { return m_statement; }
    Statement* operator->() const { return &m_statement; }

private:
    Statement& m_statement;
};

// Rolls back unless committed.
class Transaction final {
public:
    // A Write transaction takes the write lock at once. A Read transaction groups reads under one lock and one
    // snapshot (it takes the write lock only if something inside it writes); commit it like any other.
    enum class Kind { Write, Read };
    explicit Transaction(Database& db, Kind kind = Kind::Write) : m_db(db) { m_db.begin(kind == Kind::Read); }
    ~Transaction() {
        if (!m_done)
            m_db.rollback();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        m_db.commit();
        m_done = true;
    }

private:
    Database& m_db;
    bool m_done = false;
};

} // namespace store
