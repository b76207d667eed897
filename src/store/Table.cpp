#include "store/Table.h"

#include "store/DateText.h"

#include <QLocale>
#include <algorithm>

namespace store {

namespace {

constexpr std::int64_t kPageSize = 128;
constexpr size_t kMaxPages = 64;

QString quoted(const QString& identifier) {
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

FieldKind kindOf(const QString& declaredType, bool isKey) {
    if (isKey)
        return FieldKind::Key;
    const QString type = declaredType.toUpper();
    if (type.startsWith(QLatin1String("AMOUNT")))
        return FieldKind::Money;
    if (type.startsWith(QLatin1String("DATE")))
        return FieldKind::Date;
    if (type.contains(QLatin1String("INT")))
        return FieldKind::Integer;
    return FieldKind::Text;
}

QString dateText(const QDateTime& value) {
    const QLocale locale;
    QString text = locale.toString(value.date(), QLocale::ShortFormat);
    if (value.time() != QTime(0, 0))
        text += QLatin1Char(' ') + locale.toString(value.time(), QStringLiteral("HH:mm:ss"));
    return text;
}

QDateTime parseStoredDate(const QString& stored) {
    QDateTime value = QDateTime::fromString(stored, Qt::ISODateWithMs);
    if (!value.isValid()) {
        const QDate date = QDate::fromString(stored, Qt::ISODate);
        if (date.isValid())
            value = date.startOfDay();
    }
    return value;
}

QString storedDate(const QDateTime& value) {
    if (value.time() == QTime(0, 0))
        return value.date().toString(Qt::ISODate);
    return value.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
}

} // namespace

Table::Table(Database& db, QString name, QString keyColumn, QString orderColumn, QObject* parent)
    : QObject(parent), m_db(db), m_name(std::move(name)), m_keyColumn(std::move(keyColumn)),
      m_orderColumn(std::move(orderColumn)) {
    setObjectName(m_name);
}

Table::~Table() {
    close();
}

void Table::open() {
    close();
    if (!m_db.isOpen() || !m_db.tableExists(m_name))
        throw Error(QStringLiteral("Tabellen %1 finns inte i databasen i %2.").arg(m_name, m_db.directory()));
    Statement info(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_name)));
    while (info.step()) {
        const QString column = info.textValue(1);
        const bool isKey = column.compare(m_keyColumn, Qt::CaseInsensitive) == 0;
        m_columns.push_back({column, kindOf(info.textValue(2), isKey)});
    }
    if (!m_keyColumn.isEmpty() && !hasField(m_keyColumn))
        throw Error(QStringLiteral("Tabellen %1 saknar fältet %2.").arg(m_name, m_keyColumn));
    if (!m_orderColumn.isEmpty() && !hasField(m_orderColumn))
        throw Error(QStringLiteral("Tabellen %1 saknar fältet %2.").arg(m_name, m_orderColumn));
    m_db.attach(this);
    m_open = true;
    // Grids bound before the table opened learn its rows now.
    emit rowsChanged();
    first();
    emit rowsChanged();
}

void Table::close() {
    if (m_open)
        m_db.detach(this);
    m_open = false;
    m_kept.clear();
    m_columns.clear();
    m_current.reset();
    m_buffer.clear();
    m_state = State::Browse;
    invalidate();
}

void Table::requireOpen() const {
    if (!m_open)
        throw Error(QStringLiteral("Tabellen %1 är inte öppen.").arg(m_name));
}

int Table::fieldIndex(QStringView field) const {
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (QStringView(m_columns[i].name).compare(field, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool Table::hasField(QStringView field) const {
    return fieldIndex(field) >= 0;
}

int Table::requireField(QStringView field) const {
    requireOpen();
    const int index = fieldIndex(field);
    if (index < 0)
        throw Error(QStringLiteral("Fältet %1 finns inte i tabellen %2.").arg(field.toString(), m_name));
    return index;
}

QString Table::selectColumns() const {
    QStringList names{QStringLiteral("rowid")};
    for (const Column& column : m_columns)
        names << quoted(column.name);
    return names.join(QLatin1String(", "));
}

QString Table::orderBy(bool descending) const {
    const QString direction = descending ? QStringLiteral(" DESC") : QString();
    if (m_orderColumn.isEmpty())
        return QStringLiteral(" ORDER BY rowid") + direction;
    return QStringLiteral(" ORDER BY %1%2, rowid%2").arg(quoted(m_orderColumn), direction);
}

Table::Row Table::readRow(const Statement& statement) const {
    Row row;
    row.rowid = statement.intValue(0);
    row.values.reserve(m_columns.size());
    for (size_t i = 0; i < m_columns.size(); ++i)
        row.values.push_back(statement.value(static_cast<int>(i) + 1));
    return row;
}

bool Table::loadFirstMatching(Statement& statement) {
    if (!statement.step())
        return false;
    setCurrent(readRow(statement));
    statement.reset();
    return true;
}

void Table::setCurrent(std::optional<Row> row) {
    if (m_state != State::Browse)
        cancel();
    // Onto the row the cursor is already on, as stored: nothing moved, nobody needs telling.
    const bool same = row && m_current && row->rowid == m_current->rowid && row->values == m_current->values;
    m_current = std::move(row);
    if (!same)
        emit cursorMoved();
}

std::int64_t Table::recordCount() {
    requireOpen();
    if (!m_count) {
        if (!m_stamp)
            m_stamp = changeStamp();
        const bool kept = m_db.keepsRowCount(m_name);
        Statement& count = this->kept(kept ? Query::KeptCount : Query::Count, [&] {
            return kept ? QStringLiteral("SELECT Rows FROM RowCounts WHERE TableName = ?1")
                        : QStringLiteral("SELECT COUNT(*) FROM %1").arg(quoted(m_name));
        });
        if (kept)
            count.bindText(1, m_name);
        count.step();
        m_count = count.intValue(0);
        count.reset();
    }
    return *m_count;
}

void Table::first() {
    requireOpen();
    Statement& query = kept(Query::First, [&] {
        return QStringLiteral("SELECT %1 FROM %2%3 LIMIT 1").arg(selectColumns(), quoted(m_name), orderBy());
    });
    if (!loadFirstMatching(query) && m_current)
        setCurrent(std::nullopt);
}

void Table::last() {
    requireOpen();
    Statement& query = kept(Query::Last, [&] {
        return QStringLiteral("SELECT %1 FROM %2%3 LIMIT 1").arg(selectColumns(), quoted(m_name), orderBy(true));
    });
    if (!loadFirstMatching(query) && m_current)
        setCurrent(std::nullopt);
}

void Table::next() {
    requireOpen();
    if (!m_current) {
        first();
        return;
    }
    if (m_orderColumn.isEmpty()) {
        Statement& query = kept(Query::NextByRowid, [&] {
            return QStringLiteral("SELECT %1 FROM %2 WHERE rowid > ?1%3 LIMIT 1")
                .arg(selectColumns(), quoted(m_name), orderBy());
        });
        query.bindInt(1, m_current->rowid);
        loadFirstMatching(query);
        return;
    }
    const int orderField = fieldIndex(m_orderColumn);
    Statement& query = kept(Query::Next, [&] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE (%3, rowid) > (?1, ?2)%4 LIMIT 1")
            .arg(selectColumns(), quoted(m_name), quoted(m_orderColumn), orderBy());
    });
    query.bind(1, m_current->values[static_cast<size_t>(orderField)]);
    query.bindInt(2, m_current->rowid);
    loadFirstMatching(query);
}

bool Table::locate(QStringView field, const QString& value) {
    const int index = requireField(field);
    const FieldKind kind = m_columns[static_cast<size_t>(index)].kind;
    Statement& query = kept(
        Query::Locate,
        [&] {
            return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?1%4 LIMIT 1")
                .arg(selectColumns(), quoted(m_name), quoted(m_columns[static_cast<size_t>(index)].name), orderBy());
        },
        index);
    if (kind == FieldKind::Key || kind == FieldKind::Integer) {
        // Exact text match: only the canonical decimal text of a stored number equals it.
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || QString::number(number) != value)
            return false;
        query.bindInt(1, number);
    } else {
        query.bindText(1, value);
    }
    return loadFirstMatching(query);
}

// The order of a table kept by its key needs no list while its keys run from the first to the last with no gap
// but the keys the database keeps as missing (rows deleted): the position of a row is then its key less the
// first key less the missing keys below it.
void Table::ensureOrder() {
    if (m_order || m_denseFirst)
        return;
    if (!m_stamp)
        m_stamp = changeStamp();
    if (m_orderColumn.isEmpty()) {
        // Each bound on its own: together in one SELECT they would scan the table.
        Statement& bounds = kept(Query::Bounds, [&] {
            return QStringLiteral("SELECT (SELECT MIN(rowid) FROM %1), (SELECT MAX(rowid) FROM %1)")
                .arg(quoted(m_name));
        });
        bounds.step();
        const bool empty = bounds.isNull(0);
        const std::int64_t low = bounds.intValue(0);
        const std::int64_t high = bounds.intValue(1);
        bounds.reset();
        const std::int64_t count = recordCount();
        m_holes.clear();
        if (empty ? count == 0 : high - low + 1 == count) {
            m_denseFirst = empty ? 0 : low;
            return;
        }
        if (!empty && m_db.keepsRowCount(m_name)) {
            Statement& missing = kept(Query::MissingKeys, [] {
                return QStringLiteral("SELECT FromKey, ToKey FROM MissingKeys WHERE TableName = ?1 AND ToKey >= ?2 "
                                      "AND FromKey <= ?3 ORDER BY FromKey");
            });
            missing.bindText(1, m_name);
            missing.bindInt(2, low);
            missing.bindInt(3, high);
            while (missing.step())
                addHole(std::max(missing.intValue(0), low), std::min(missing.intValue(1), high));
            missing.reset();
            if (high - low + 1 - holeSize() == count) {
                m_denseFirst = low;
                return;
            }
            m_holes.clear();
        }
    }
    Statement query(m_db, QStringLiteral("SELECT rowid FROM %1%2").arg(quoted(m_name), orderBy()));
    std::vector<std::int64_t> order;
    order.reserve(static_cast<size_t>(recordCount()));
    while (query.step())
        order.push_back(query.intValue(0));
    m_count = static_cast<std::int64_t>(order.size());
    m_order = std::move(order);
}

std::int64_t Table::orderSize() const {
    return m_denseFirst ? *m_count : static_cast<std::int64_t>(m_order->size());
}

std::int64_t Table::orderAt(std::int64_t row) const {
    if (!m_denseFirst)
        return (*m_order)[static_cast<size_t>(row)];
    std::int64_t key = *m_denseFirst + row;
    for (const Hole& hole : m_holes) {
        if (hole.from > key)
            break;
        key += hole.to - hole.from + 1;
    }
    return key;
}

// Keys from..to are missing (between the first and the last key); joins the holes it meets.
void Table::addHole(std::int64_t from, std::int64_t to) {
    if (from > to)
        return;
    auto at = std::lower_bound(m_holes.begin(), m_holes.end(), from,
                               [](const Hole& hole, std::int64_t key) { return hole.to + 1 < key; });
    while (at != m_holes.end() && at->from <= to + 1) {
        from = std::min(from, at->from);
        to = std::max(to, at->to);
        at = m_holes.erase(at);
    }
    m_holes.insert(at, Hole{from, to, 0});
    countHoles();
}

void Table::countHoles() {
    std::int64_t before = 0;
    for (Hole& hole : m_holes) {
        hole.before = before;
        before += hole.to - hole.from + 1;
    }
}

std::int64_t Table::holeSize() const {
    return m_holes.empty() ? 0 : m_holes.back().before + (m_holes.back().to - m_holes.back().from + 1);
}

// Missing keys below `key`, a key the table has.
std::int64_t Table::holesBelow(std::int64_t key) const {
    const auto after = std::lower_bound(m_holes.begin(), m_holes.end(), key,
                                        [](const Hole& hole, std::int64_t k) { return hole.from < k; });
    if (after == m_holes.begin())
        return 0;
    const Hole& below = *(after - 1);
    return below.before + (below.to - below.from + 1);
}

// Rows written on this connection other than by the tables' own row writes, and commits by any other
// connection: equal stamps mean nothing this table did not follow itself was written between.
std::pair<std::int64_t, std::int64_t> Table::changeStamp() {
    Statement& version = kept(Query::DataVersion, [&] { return QStringLiteral("PRAGMA data_version"); });
    version.step();
    const std::int64_t others = version.intValue(0);
    version.reset();
    return {m_db.changesBesideTables(), others};
}

bool Table::cacheIsCurrent() {
    return m_stamp && *m_stamp == changeStamp();
}

// After a write this table made and followed in its count and order: they still match the database when they
// did before it.
void Table::noteOwnWrite(bool cacheWasCurrent) {
    if (cacheWasCurrent)
        m_stamp = changeStamp();
    else
        m_stamp.reset();
}

bool Table::moveToRowId(std::int64_t rowid) {
    requireOpen();
    Statement& query = kept(Query::ByRowid, [&] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(selectColumns(), quoted(m_name));
    });
    query.bindInt(1, rowid);
    return loadFirstMatching(query);
}

std::vector<std::pair<std::int64_t, QVariant>> Table::columnInOrder(QStringView field) {
    const int index = requireField(field);
    Statement query(m_db, QStringLiteral("SELECT rowid, %1 FROM %2%3")
                              .arg(quoted(m_columns[static_cast<size_t>(index)].name), quoted(m_name), orderBy()));
    std::vector<std::pair<std::int64_t, QVariant>> rows;
    while (query.step())
        rows.emplace_back(query.intValue(0), query.value(1));
    return rows;
}

std::int64_t Table::rowIdAt(std::int64_t row) {
    requireOpen();
    ensureOrder();
    if (row < 0 || row >= orderSize())
        return 0;
    return orderAt(row);
}

bool Table::moveToRow(std::int64_t row) {
    const std::int64_t rowid = rowIdAt(row);
    return rowid != 0 && moveToRowId(rowid);
}

std::int64_t Table::currentRow() {
    if (!m_open || !m_current)
        return -1;
    ensureOrder();
    if (m_denseFirst) {
        const std::int64_t position = m_current->rowid - *m_denseFirst - holesBelow(m_current->rowid);
        return position >= 0 && position < *m_count ? position : -1;
    }
    const auto& order = *m_order;
    if (m_orderColumn.isEmpty()) {
        const auto it = std::lower_bound(order.begin(), order.end(), m_current->rowid);
        return (it != order.end() && *it == m_current->rowid) ? it - order.begin() : -1;
    }
    const auto it = std::find(order.begin(), order.end(), m_current->rowid);
    return it != order.end() ? it - order.begin() : -1;
}

QVariant Table::cellAt(std::int64_t row, int field) {
    requireOpen();
    const std::int64_t page = row / kPageSize;
    auto found = m_pages.find(page);
    if (found == m_pages.end()) {
        ensureOrder();
        const std::int64_t begin = page * kPageSize;
        if (begin >= orderSize())
            return {};
        const std::int64_t end = std::min(orderSize(), begin + kPageSize);
        std::vector<Row> rows;
        rows.reserve(static_cast<size_t>(end - begin));
        if (m_orderColumn.isEmpty()) {
            Statement& query = kept(Query::PageByRowid, [&] {
                return QStringLiteral("SELECT %1 FROM %2 WHERE rowid BETWEEN ?1 AND ?2 ORDER BY rowid")
                    .arg(selectColumns(), quoted(m_name));
            });
            query.bindInt(1, orderAt(begin));
            query.bindInt(2, orderAt(end - 1));
            while (query.step())
                rows.push_back(readRow(query));
            query.reset();
        } else {
            Statement& query = kept(Query::PageByOffset, [&] {
                return QStringLiteral("SELECT %1 FROM %2%3 LIMIT ?1 OFFSET ?2")
                    .arg(selectColumns(), quoted(m_name), orderBy());
            });
            query.bindInt(1, kPageSize);
            query.bindInt(2, page * kPageSize);
            while (query.step())
                rows.push_back(readRow(query));
            query.reset();
        }
        if (m_pages.size() >= kMaxPages)
            m_pages.clear();
        found = m_pages.emplace(page, std::move(rows)).first;
    }
    const auto index = static_cast<size_t>(row - page * kPageSize);
    if (index >= found->second.size() || field < 0 || field >= fieldCount())
        return {};
    return found->second[index].values[static_cast<size_t>(field)];
}

void Table::invalidate() {
    m_count.reset();
    m_order.reset();
    m_denseFirst.reset();
    m_holes.clear();
    m_stamp.reset();
    m_pages.clear();
}

void Table::requireWritable(QStringView field) {
    if (m_state == State::Browse)
        throw Error(QStringLiteral("Tabellen %1 är inte i redigeringsläge.").arg(m_name));
    if (!m_keyColumn.isEmpty() && field.compare(m_keyColumn, Qt::CaseInsensitive) == 0)
        throw Error(QStringLiteral("Fältet %1 sätts av databasen.").arg(m_keyColumn));
}

void Table::append() {
    requireOpen();
    if (m_state != State::Browse)
        post();
    m_buffer.assign(m_columns.size(), QVariant());
    m_state = State::Insert;
}

void Table::edit() {
    requireOpen();
    if (m_state != State::Browse)
        return;
    if (!m_current)
        throw Error(QStringLiteral("Tabellen %1 är tom.").arg(m_name));
    m_buffer = m_current->values;
    m_state = State::Edit;
}

void Table::cancel() {
    m_buffer.clear();
    m_state = State::Browse;
}

void Table::post() {
    requireOpen();
    if (m_state == State::Browse)
        return;
    const bool cacheWasCurrent = cacheIsCurrent();
    const std::int64_t position = m_state == State::Edit && cacheWasCurrent ? currentRow() : -1;
    std::pair<Change, std::int64_t> change{Change::Any, 0};
    try {
        m_db.beforeWrite(m_name);
        // Every field but the key is written: the statements are the same for every row.
        std::vector<QVariant> values;
        for (size_t i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i].kind != FieldKind::Key)
                values.push_back(m_buffer[i]);
        }
        const auto writtenFields = [this] {
            QStringList names;
            QStringList marks;
            for (const Column& column : m_columns) {
                if (column.kind == FieldKind::Key)
                    continue;
                names << quoted(column.name);
                marks << QStringLiteral("?%1").arg(names.size());
            }
            return std::pair{names, marks};
        };
        if (m_state == State::Insert) {
            Statement& insert = kept(Query::Insert, [&] {
                const auto [names, marks] = writtenFields();
                return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(quoted(m_name), names.join(u','), marks.join(u','));
            });
            for (size_t i = 0; i < values.size(); ++i)
                insert.bind(static_cast<int>(i) + 1, values[i]);
            const std::int64_t changesBefore = m_db.totalChanges();
            insert.step();
            m_db.noteTableWrite(changesBefore);
            insert.reset();
            const std::int64_t rowid = m_db.lastInsertRowId();
            const bool countKnown = m_count.has_value();
            const std::int64_t countBefore = m_count.value_or(0);
            if (m_count)
                ++*m_count;
            // A table kept by its key gets each new row at its end: the database gives it a key above the rest.
            const bool atEnd = m_orderColumn.isEmpty() && (!m_order || m_order->empty() || rowid > m_order->back());
            if (atEnd && countKnown && cacheWasCurrent)
                change = {Change::Inserted, countBefore};
            if (m_order && atEnd) {
                m_order->push_back(rowid);
            } else if (m_denseFirst && countBefore == 0) {
                m_denseFirst = rowid;
                m_holes.clear();
            } else if (m_denseFirst && m_orderColumn.isEmpty() && rowid >= *m_denseFirst + countBefore + holeSize()) {
                // Keys between the last row and this one were used by rows deleted since: missing keys.
                addHole(*m_denseFirst + countBefore + holeSize(), rowid - 1);
            } else {
                m_order.reset();
                m_denseFirst.reset();
            }
            m_current = Row{rowid, m_buffer};
        } else {
            Statement& update = kept(Query::Update, [&] {
                const auto [names, marks] = writtenFields();
                QStringList assignments;
                for (int i = 0; i < names.size(); ++i)
                    assignments << names[i] + QLatin1Char('=') + marks[i];
                return QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                    .arg(quoted(m_name), assignments.join(u','))
                    .arg(names.size() + 1);
            });
            for (size_t i = 0; i < values.size(); ++i)
                update.bind(static_cast<int>(i) + 1, values[i]);
            update.bindInt(static_cast<int>(values.size()) + 1, m_current->rowid);
            const std::int64_t changesBefore = m_db.totalChanges();
            update.step();
            m_db.noteTableWrite(changesBefore);
            update.reset();
            const int orderField = m_orderColumn.isEmpty() ? -1 : fieldIndex(m_orderColumn);
            const bool keepsPlace = orderField < 0 || m_current->values[static_cast<size_t>(orderField)] ==
                                                          m_buffer[static_cast<size_t>(orderField)];
            if (keepsPlace) {
                if (cacheWasCurrent && position >= 0)
                    change = {Change::Updated, position};
            } else {
                m_order.reset();
            }
            m_current->values = m_buffer;
        }
        noteOwnWrite(cacheWasCurrent);
    } catch (...) {
        cancel();
        throw;
    }
    reloadCurrent();
    m_pages.clear();
    m_buffer.clear();
    m_state = State::Browse;
    announce(change.first, change.second);
    emit cursorMoved();
}

void Table::announce(Change change, std::int64_t position) {
    switch (change) {
    case Change::Inserted:
        emit rowInserted(position);
        break;
    case Change::Removed:
        emit rowRemoved(position);
        break;
    case Change::Updated:
        emit rowUpdated(position);
        break;
    case Change::Any:
        emit rowsChanged();
        break;
    }
}

bool Table::reloadCurrent() {
    if (!m_current)
        return false;
    Statement& query = kept(Query::ByRowid, [&] {
        return QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?1").arg(selectColumns(), quoted(m_name));
    });
    query.bindInt(1, m_current->rowid);
    if (query.step()) {
        m_current = readRow(query);
        query.reset();
        return true;
    }
    m_current.reset();
    return false;
}

void Table::deleteCurrent() {
    requireOpen();
    if (m_state != State::Browse)
        cancel();
    if (!m_current)
        throw Error(QStringLiteral("Tabellen %1 är tom, det finns inget att radera.").arg(m_name));
    m_db.beforeWrite(m_name);
    const bool cacheWasCurrent = cacheIsCurrent();
    const std::int64_t position = cacheWasCurrent ? currentRow() : -1;
    const Row gone = *m_current;
    // The neighbour that becomes current: the next row, or the previous one at the end.
    std::optional<Row> neighbour;
    {
        next();
        if (m_current && m_current->rowid != gone.rowid) {
            neighbour = m_current;
        } else {
            const QString orderColumn = m_orderColumn.isEmpty() ? QStringLiteral("rowid") : quoted(m_orderColumn);
            Statement& previous = kept(Query::Previous, [&] {
                return QStringLiteral("SELECT %1 FROM %2 WHERE (%3, rowid) < (?1, ?2)%4 LIMIT 1")
                    .arg(selectColumns(), quoted(m_name), orderColumn, orderBy(true));
            });
            const int orderField = m_orderColumn.isEmpty() ? -1 : fieldIndex(m_orderColumn);
            previous.bind(1, orderField < 0 ? QVariant::fromValue<qlonglong>(gone.rowid)
                                            : gone.values[static_cast<size_t>(orderField)]);
            previous.bindInt(2, gone.rowid);
            if (previous.step())
                neighbour = readRow(previous);
            previous.reset();
        }
    }
    Statement& remove =
        kept(Query::Delete, [&] { return QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quoted(m_name)); });
    remove.bindInt(1, gone.rowid);
    try {
        const std::int64_t changesBefore = m_db.totalChanges();
        remove.step();
        m_db.noteTableWrite(changesBefore);
    } catch (...) {
        m_current = gone;
        throw;
    }
    remove.reset();
    if (m_count)
        --*m_count;
    if (m_order) {
        // A table kept by its key lists its rows in key order: the row is found by halving, at the end at once.
        std::vector<std::int64_t>& order = *m_order;
        if (!order.empty() && order.back() == gone.rowid) {
            order.pop_back();
        } else if (m_orderColumn.isEmpty()) {
            const auto at = std::lower_bound(order.begin(), order.end(), gone.rowid);
            if (at != order.end() && *at == gone.rowid)
                order.erase(at);
        } else {
            std::erase(order, gone.rowid);
        }
    }
    if (m_denseFirst) {
        if (*m_count == 0) {
            m_holes.clear();
        } else if (gone.rowid == *m_denseFirst) {
            // The next key the table has becomes the first.
            ++*m_denseFirst;
            if (!m_holes.empty() && m_holes.front().from == *m_denseFirst) {
                *m_denseFirst = m_holes.front().to + 1;
                m_holes.erase(m_holes.begin());
                countHoles();
            }
        } else if (gone.rowid != *m_denseFirst + *m_count + holeSize()) {
            addHole(gone.rowid, gone.rowid); // a row from the middle
        }
    }
    noteOwnWrite(cacheWasCurrent);
    m_pages.clear();
    m_current = std::move(neighbour);
    if (position >= 0 && m_count)
        announce(Change::Removed, position);
    else
        announce(Change::Any, 0);
    emit cursorMoved();
}

// Nothing written since the count and order were read: they are kept (a million keys are not read again), and
// grids, which have followed every write this table made, keep what they show.
void Table::refresh() {
    requireOpen();
    if (m_state != State::Browse)
        cancel();
    const bool unchanged = cacheIsCurrent();
    if (!unchanged)
        invalidate();
    // Nothing was written that this table did not follow: the current row is as stored.
    if (!(unchanged && m_current) && !reloadCurrent())
        first();
    if (!unchanged)
        emit rowsChanged();
    emit cursorMoved();
}

void Table::discardAfterRollback() {
    if (!m_open)
        return;
    cancel();
    invalidate();
    if (!reloadCurrent())
        first();
    emit rowsChanged();
    emit cursorMoved();
}

QVariant Table::value(QStringView field) const {
    const int index = requireField(field);
    if (m_state != State::Browse)
        return m_buffer[static_cast<size_t>(index)];
    if (!m_current)
        return {};
    return m_current->values[static_cast<size_t>(index)];
}

QString Table::displayText(int field, const QVariant& stored) const {
    if (!stored.isValid())
        return {};
    switch (m_columns.at(static_cast<size_t>(field)).kind) {
    case FieldKind::Money:
        return plainDecimal(stored.toLongLong());
    case FieldKind::Date: {
        const QDateTime date = parseStoredDate(stored.toString());
        return date.isValid() ? dateText(date) : stored.toString();
    }
    default:
        return stored.toString();
    }
}

QString Table::asText(QStringView field) const {
    return displayText(requireField(field), value(field));
}

std::int64_t Table::asInteger(QStringView field) const {
    const int index = requireField(field);
    const QVariant stored = value(field);
    if (!stored.isValid())
        return 0;
    switch (m_columns[static_cast<size_t>(index)].kind) {
    case FieldKind::Money:
        return wholeUnits(stored.toLongLong());
    case FieldKind::Key:
    case FieldKind::Integer:
        if (stored.typeId() == QMetaType::LongLong)
            return stored.toLongLong();
        [[fallthrough]];
    default: {
        bool ok = false;
        const qlonglong number = stored.toString().trimmed().toLongLong(&ok);
        if (!ok)
            throw Error(
                QStringLiteral("'%1' är inte ett heltal (fältet %2).").arg(stored.toString(), fieldName(index)));
        return number;
    }
    }
}

Amount Table::asAmount(QStringView field) const {
    const int index = requireField(field);
    const QVariant stored = value(field);
    if (!stored.isValid())
        return 0;
    switch (m_columns[static_cast<size_t>(index)].kind) {
    case FieldKind::Money:
        return stored.toLongLong();
    case FieldKind::Key:
    case FieldKind::Integer:
        return stored.toLongLong() * kUnitsPerWhole;
    default: {
        const ParsedAmount parsed = parseAmount(stored.toString());
        if (parsed.status != ParseStatus::Ok)
            throw Error(
                QStringLiteral("'%1' är inte ett belopp (fältet %2).").arg(stored.toString(), fieldName(index)));
        return parsed.amount;
    }
    }
}

double Table::asFloat(QStringView field) const {
    const int index = requireField(field);
    if (m_columns[static_cast<size_t>(index)].kind == FieldKind::Integer ||
        m_columns[static_cast<size_t>(index)].kind == FieldKind::Key)
        return static_cast<double>(asInteger(field));
    return static_cast<double>(asAmount(field)) / kUnitsPerWhole;
}

QDateTime Table::toDateTime(const QVariant& stored) {
    if (!stored.isValid())
        return {};
    QDateTime date = parseStoredDate(stored.toString());
    if (!date.isValid()) {
        const QDate typed = QLocale().toDate(stored.toString(), QLocale::ShortFormat);
        if (typed.isValid())
            date = typed.startOfDay();
    }
    return date;
}

QDateTime Table::asDateTime(QStringView field) const {
    const int index = requireField(field);
    const QVariant stored = value(field);
    if (!stored.isValid())
        return {};
    const QDateTime date = toDateTime(stored);
    if (!date.isValid())
        throw Error(QStringLiteral("'%1' är inte ett datum (fältet %2).").arg(stored.toString(), fieldName(index)));
    return date;
}

void Table::setField(int index, QVariant value) {
    m_buffer[static_cast<size_t>(index)] = std::move(value);
}

void Table::setText(QStringView field, const QString& text) {
    const int index = requireField(field);
    requireWritable(field);
    const auto fail = [&] {
        cancel();
        throw Error(QStringLiteral("'%1' är inte ett giltigt värde för fältet %2.").arg(text, fieldName(index)));
    };
    switch (m_columns[static_cast<size_t>(index)].kind) {
    case FieldKind::Money: {
        const ParsedAmount parsed = parseAmount(text);
        if (parsed.status == ParseStatus::Empty)
            setField(index, {});
        else if (parsed.status != ParseStatus::Ok)
            fail();
        else
            setField(index, QVariant::fromValue<qlonglong>(parsed.amount));
        break;
    }
    case FieldKind::Integer: {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty()) {
            setField(index, {});
            break;
        }
        bool ok = false;
        qlonglong number = QLocale().toLongLong(trimmed, &ok);
        if (!ok)
            number = trimmed.toLongLong(&ok);
        if (!ok || number < INT32_MIN || number > INT32_MAX)
            fail();
        setField(index, QVariant::fromValue<qlonglong>(number));
        break;
    }
    case FieldKind::Date: {
        if (text.trimmed().isEmpty()) {
            setField(index, {});
            break;
        }
        const QDate date = parseDateText(text);
        if (!date.isValid())
            fail();
        setField(index, date.toString(Qt::ISODate));
        break;
    }
    default:
        setField(index, text);
    }
}

void Table::setInteger(QStringView field, std::int64_t value) {
    const int index = requireField(field);
    requireWritable(field);
    if (m_columns[static_cast<size_t>(index)].kind == FieldKind::Money)
        setField(index, QVariant::fromValue<qlonglong>(value * kUnitsPerWhole));
    else if (m_columns[static_cast<size_t>(index)].kind == FieldKind::Text)
        setField(index, QString::number(value));
    else
        setField(index, QVariant::fromValue<qlonglong>(value));
}

void Table::setAmount(QStringView field, Amount value) {
    const int index = requireField(field);
    requireWritable(field);
    if (m_columns[static_cast<size_t>(index)].kind != FieldKind::Money)
        throw Error(QStringLiteral("Fältet %1 är inte ett belopp.").arg(fieldName(index)));
    setField(index, QVariant::fromValue<qlonglong>(value));
}

void Table::setDateTime(QStringView field, const QDateTime& value) {
    const int index = requireField(field);
    requireWritable(field);
    setField(index, value.isValid() ? QVariant(storedDate(value)) : QVariant());
}

void Table::setNull(QStringView field) {
    const int index = requireField(field);
    requireWritable(field);
    setField(index, {});
}

} // namespace store
