#pragma once

#include "store/Amount.h"
#include "store/Database.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace store {

// What a field holds, from its declared type: "AMOUNT INTEGER", "DATE TEXT", INTEGER, TEXT.
enum class FieldKind { Key, Integer, Money, Date, Text };

// A table with the one cursor every window shares. Rows are ordered by the order column (then by rowid);
// the cursor, counts and grid pages are read on demand so a table of a million rows costs no more to open
// than an empty one. Writes go through append/edit + set + post, or deleteCurrent.
class Table final : public QObject {
    Q_OBJECT
public:
    enum class State { Browse, Edit, Insert };

    // `keyColumn` is the INTEGER PRIMARY KEY (empty when the table has only its rowid); `orderColumn` the row
    // order (empty: by key).
    Table(Database& db, QString name, QString keyColumn, QString orderColumn = {}, QObject* parent = nullptr);
    ~Table() override;

    void open();
    void close();
    bool isOpen() const { return m_open; }
    const QString& name() const { return m_name; }
    Database& database() const { return m_db; }

    // Fields, by name without regard to case.
    int fieldIndex(QStringView field) const;
    bool hasField(QStringView field) const;
    QString fieldName(int index) const { return m_columns.at(static_cast<size_t>(index)).name; }
    FieldKind fieldKind(int index) const { return m_columns.at(static_cast<size_t>(index)).kind; }
    int fieldCount() const { return static_cast<int>(m_columns.size()); }

    // Cursor.
    std::int64_t recordCount();
    bool isEmpty() { return recordCount() == 0; }
    void first();
    void next();
    void last();
    bool locate(QStringView field, const QString& value);
    bool moveToRow(std::int64_t row);
    // Makes the row with `rowid` current; false, the cursor where it was, when there is none.
    bool moveToRowId(std::int64_t rowid);
    // Every row's rowid and stored `field`, in table order, read in one pass; the cursor stays.
    std::vector<std::pair<std::int64_t, QVariant>> columnInOrder(QStringView field);
    bool hasCurrent() const { return m_current.has_value() || m_state == State::Insert; }
    std::int64_t currentRowId() const { return m_current ? m_current->rowid : 0; }
    // Position of the current row in table order, -1 without one (or for a row not yet posted).
    std::int64_t currentRow();

    // Editing.
    State state() const { return m_state; }
    void append();
    void edit();
    void post();
    void cancel();
    void deleteCurrent();
    void refresh();

    // Reading the current row (or the row being written).
    QVariant value(QStringView field) const;
    bool isNull(QStringView field) const { return !value(field).isValid(); }
    QString asText(QStringView field) const;
    std::int64_t asInteger(QStringView field) const;
    Amount asAmount(QStringView field) const;
    double asFloat(QStringView field) const;
    QDateTime asDateTime(QStringView field) const;
    // A stored value read as asDateTime reads it; invalid when it names no date.
    static QDateTime toDateTime(const QVariant& stored);

    // Writing the row being edited or appended. A text that does not convert cancels that row and throws.
    void setText(QStringView field, const QString& text);
    void setInteger(QStringView field, std::int64_t value);
    void setAmount(QStringView field, Amount value);
    void setDateTime(QStringView field, const QDateTime& value);
    void setNull(QStringView field);

    // Grid access by position, read in pages.
    QVariant cellAt(std::int64_t row, int field);
    std::int64_t rowIdAt(std::int64_t row);

    // After a rollback: forget rows that may no longer be stored.
    void discardAfterRollback();

    // Text of a stored value as the user sees it: amounts as plain decimal text, dates in the short format.
    QString displayText(int field, const QVariant& stored) const;

signals:
    void cursorMoved();
    // Any change to the rows: a grid reads them all again.
    void rowsChanged();
    // This table's own single-row writes, at the row's position in table order (for a deleted row, where it
    // was). A write whose position is not known for sure is reported as rowsChanged instead.
    void rowInserted(qint64 position);
    void rowRemoved(qint64 position);
    void rowUpdated(qint64 position);

private:
    struct Column {
        QString name;
        FieldKind kind = FieldKind::Text;
    };
    struct Row {
        std::int64_t rowid = 0;
        std::vector<QVariant> values;
    };

    int requireField(QStringView field) const;
    void requireOpen() const;
    void requireWritable(QStringView field);
    QString selectColumns() const;
    QString orderBy(bool descending = false) const;
    Row readRow(const Statement& statement) const;
    bool loadFirstMatching(Statement& statement);
    void setCurrent(std::optional<Row> row);
    bool reloadCurrent();
    void ensureOrder();
    std::int64_t orderSize() const;
    std::int64_t orderAt(std::int64_t row) const;
    void addHole(std::int64_t from, std::int64_t to);
    void countHoles();
    std::int64_t holeSize() const;
    std::int64_t holesBelow(std::int64_t key) const;
    std::pair<std::int64_t, std::int64_t> changeStamp();
    bool cacheIsCurrent();
    void noteOwnWrite(bool cacheWasCurrent);
    void invalidate();
    void setField(int index, QVariant value);
    enum class Change { Any, Inserted, Removed, Updated };
    void announce(Change change, std::int64_t position);
    // The statements every table runs, prepared once from `makeSql()` and kept open; `variant` tells apart
    // those of one kind that differ by field.
    enum class Query {
        Count,
        KeptCount,
        First,
        Last,
        Next,
        NextByRowid,
        Previous,
        Locate,
        Bounds,
        DataVersion,
        ByRowid,
        PageByRowid,
        PageByOffset,
        Delete,
        Insert,
        Update,
        MissingKeys
    };
    template <typename MakeSql> Statement& kept(Query query, MakeSql&& makeSql, int variant = 0) {
        std::unique_ptr<Statement>& slot = m_kept[{query, variant}];
        if (!slot)
            slot = std::make_unique<Statement>(m_db, makeSql());
        slot->reset();
        return *slot;
    }

    Database& m_db;
    QString m_name;
    QString m_keyColumn;
    QString m_orderColumn;
    bool m_open = false;
    std::vector<Column> m_columns;
    std::optional<Row> m_current;
    std::vector<QVariant> m_buffer;
    State m_state = State::Browse;
    std::optional<std::int64_t> m_count;
    // Row order: the rowids in order, or, while the keys run without gaps, just the first of them.
    std::optional<std::vector<std::int64_t>> m_order;
    std::optional<std::int64_t> m_denseFirst;
    // With m_denseFirst: the keys missing between the first and the last key, in order, each with the number of
    // missing keys before it.
    struct Hole {
        std::int64_t from;
        std::int64_t to;
        std::int64_t before;
    };
    std::vector<Hole> m_holes;
    // What the database had written when the count and order were last known to match it.
    std::optional<std::pair<std::int64_t, std::int64_t>> m_stamp;
    std::map<std::int64_t, std::vector<Row>> m_pages;
    std::map<std::pair<Query, int>, std::unique_ptr<Statement>> m_kept;
};

} // namespace store
