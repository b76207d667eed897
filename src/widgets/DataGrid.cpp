#include "widgets/DataGrid.h"

#include "store/Table.h"
#include "widgets/Look.h"

#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

TableModel::TableModel(store::Table& table, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns)) {
    resolveFields();
    connect(&m_table, &store::Table::rowsChanged, this, &TableModel::tableChanged);
    // Single-row writes keep the view's editors, selection and scroll position.
    connect(&m_table, &store::Table::rowInserted, this, &TableModel::inserted);
    connect(&m_table, &store::Table::rowRemoved, this, &TableModel::removed);
    connect(&m_table, &store::Table::rowUpdated, this, [this](qint64 position) {
        const int row = rowOf(position);
        if (m_awake && row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int TableModel::rowOf(qint64 position) const {
    const qint64 row = position - m_offset;
    return position >= 0 && row >= 0 && row < m_rows ? static_cast<int>(row) : -1;
}

bool TableModel::isWindowed() const {
    return m_awake && m_rows < m_table.recordCount();
}

void TableModel::changedAll() {
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}

// The table has one row more, at `position`. While the window holds every row it grows by that row; a full
// window keeps its size and shows what now lies in its place.
void TableModel::inserted(qint64 position) {
    if (!m_awake)
        return;
    const qint64 count = m_table.recordCount();
    if (m_rows < m_capacity && count <= m_capacity) {
        const int row = static_cast<int>(position);
        m_restructuring = true;
        beginInsertRows({}, row, row);
        m_rows = static_cast<int>(count);
        endInsertRows();
        m_restructuring = false;
    } else if (position < m_offset) {
        ++m_offset; // the same rows, one place further down the table
    } else if (rowOf(position) >= 0) {
        changedAll();
    }
}

void TableModel::removed(qint64 position) {
    if (!m_awake)
        return;
    const qint64 count = m_table.recordCount();
    if (count < m_rows) {
        const int row = rowOf(position);
        m_restructuring = true;
        beginRemoveRows({}, row, row);
        m_rows = static_cast<int>(count);
        endRemoveRows();
        m_restructuring = false;
    } else if (position < m_offset) {
        --m_offset;
    } else if (rowOf(position) >= 0) {
        if (m_offset + m_rows > count)
            --m_offset; // the window was at the end of the table
        changedAll();
    }
}

qint64 TableModel::shiftTo(qint64 offset) {
    const qint64 count = m_table.recordCount();
    offset = std::clamp<qint64>(offset, 0, std::max<qint64>(0, count - m_rows));
    const qint64 shift = offset - m_offset;
    if (shift != 0) {
        m_offset = offset;
        changedAll();
    }
    return shift;
}

// Grids are bound before their tables open: the fields are found again whenever the table's rows change.
void TableModel::resolveFields() {
    m_fieldIndexes.clear();
    for (const GridColumn& column : m_columns)
        m_fieldIndexes.push_back(column.field.isEmpty() ? -1 : m_table.fieldIndex(column.field));
}

void TableModel::tableChanged() {
    if (!m_awake) {
        resolveFields();
        return;
    }
    beginResetModel();
    resolveFields();
    placeWindow();
    endResetModel();
}

void TableModel::wake() {
    if (m_awake)
        return;
    beginResetModel();
    m_awake = true;
    placeWindow();
    endResetModel();
}

// The window after a reset: as many rows as it holds, around the cursor.
void TableModel::placeWindow() {
    const qint64 count = m_table.isOpen() ? m_table.recordCount() : 0;
    m_rows = static_cast<int>(std::min<qint64>(count, m_capacity));
    const qint64 cursor = m_table.isOpen() ? m_table.currentRow() : -1;
    const qint64 around = cursor >= 0 ? cursor - m_rows / 2 : m_offset;
    m_offset = std::clamp<qint64>(around, 0, count - m_rows);
}

void TableModel::setCapacity(int rows) {
    m_capacity = std::max(rows, 1);
    if (m_awake) {
        beginResetModel();
        placeWindow();
        endResetModel();
    }
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString TableModel::cellText(qint64 position, int column) const {
    const int field = m_fieldIndexes.at(static_cast<size_t>(column));
    if (field < 0)
        return {};
    const QVariant stored = m_table.cellAt(position, field);
    if (!stored.isValid())
        return {};
    if (m_table.fieldKind(field) == store::FieldKind::Money)
        return store::fixed2(stored.toLongLong());
    return m_table.displayText(field, stored);
}

QColor TableModel::background(qint64 position) const {
    return m_banded ? look::rowColour(static_cast<int>(position % 2) + 1) : QColor();
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const qint64 position = positionOf(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == 0)
            return position == m_table.currentRow() ? QStringLiteral("\u25B8") : QString();
        return cellText(position, index.column());
    case Qt::BackgroundRole: {
        const QColor colour = background(position);
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::ForegroundRole:
        return QColor(0x10, 0x14, 0x18);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(static_cast<size_t>(index.column())).alignment | Qt::AlignVCenter);
    case Qt::FontRole:
        if (position == m_table.currentRow()) {
            QFont font(QStringLiteral("Tahoma"));
            font.setPointSize(8);
            font.setBold(true);
            return font;
        } else {
            QFont font(QStringLiteral("Tahoma"));
            font.setPointSize(8);
            return font;
        }
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < static_cast<int>(m_columns.size()))
        return m_columns[static_cast<size_t>(section)].header;
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section >= 0 &&
        section < static_cast<int>(m_columns.size()))
        return QVariant::fromValue(m_columns[static_cast<size_t>(section)].alignment | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TableModel::setEditing(EditRule rule, CellWriter writer) {
    m_editRule = std::move(rule);
    m_cellWriter = std::move(writer);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && m_editRule && m_editRule(static_cast<int>(positionOf(index.row())) + 1, index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !m_cellWriter || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_cellWriter(static_cast<int>(positionOf(index.row())) + 1, index.column(), value.toString());
    return true;
}

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setFixedHeight(22);
    // The indicator column is narrower than the style's smallest section.
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->viewport()->installEventFilter(this);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // The current row is scrolled into view once the cursor has stopped moving (see scrollToCursorSoon).
    setAutoScroll(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DataGrid::windowScrolled);
}

namespace {

// Rows kept between the visible rows and the window's edge before the window moves on.
constexpr int kWindowMargin = 200;

} // namespace

// The view scrolled near an edge of a window that does not hold the whole table: the window moves so the
// same rows stay on the screen with room around them.
void DataGrid::windowScrolled(int value) {
    if (m_shifting || !m_model || !m_model->isWindowed())
        return;
    const int rows = m_model->rowCount();
    const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)));
    const bool nearTop = value < kWindowMargin && m_model->positionOf(0) > 0;
    const bool nearEnd =
        value + page > rows - kWindowMargin && m_model->positionOf(rows) < m_model->table().recordCount();
    if (!nearTop && !nearEnd)
        return;
    if (moveWindow(m_model->positionOf(value) + page / 2 - rows / 2))
        showCurrent();
}

// Moves the window to start at table position `offset`, keeping the view on the same rows where it can;
// false when it stays where it is.
bool DataGrid::moveWindow(qint64 offset) {
    const qint64 shift = m_model->shiftTo(offset);
    if (shift == 0)
        return false;
    m_shifting = true;
    verticalScrollBar()->setValue(verticalScrollBar()->value() - static_cast<int>(shift));
    m_shifting = false;
    return true;
}

// Puts the view's current cell on the cursor's row, or none while that row is outside the window.
void DataGrid::showCurrent() {
    const bool following = m_following;
    m_following = true;
    const int row = m_model->rowOf(currentDataRow());
    if (row >= 0)
        selectionModel()->setCurrentIndex(m_model->index(row, std::max(1, currentIndex().column())),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        selectionModel()->clear();
    viewport()->update();
    m_following = following;
}

int DataGrid::gridRowOf(const QModelIndex& index) const {
    return index.isValid() && m_model ? static_cast<int>(m_model->positionOf(index.row())) + 1 : 0;
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (m_model && m_model->isWindowed()) {
        store::Table& table = m_model->table();
        if ((modifiers & Qt::ControlModifier) && (action == MoveHome || action == MoveEnd)) {
            action == MoveHome ? table.first() : table.last();
            return currentIndex();
        }
        // Room to move within the window.
        const qint64 position = table.currentRow();
        const int row = m_model->rowOf(position);
        if (position >= 0 && (row < kWindowMargin || row >= m_model->rowCount() - kWindowMargin)) {
            moveWindow(position - m_model->rowCount() / 2); // the cursor's row in the middle
            showCurrent();
        }
    }
    return QTableView::moveCursor(action, modifiers);
}

// A handler may move a table's cursor many times (to the first row, then to the one it looks for); the grid
// scrolls once, to where the cursor ends, when the event loop next runs.
void DataGrid::scrollToCursorSoon() {
    if (m_scrollPending)
        return;
    m_scrollPending = true;
    QTimer::singleShot(0, this, [this] {
        m_scrollPending = false;
        const QModelIndex current = currentIndex();
        if (current.isValid() && isVisible())
            scrollTo(current);
    });
}

void DataGrid::bind(store::Table& table, std::vector<GridColumn> columns) {
    m_model = new TableModel(table, std::move(columns), this);
    setModel(m_model);
    for (int i = 0; i < static_cast<int>(m_model->columns().size()); ++i)
        setColumnWidth(i, m_model->columns()[static_cast<size_t>(i)].width);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { currentRowMoved(current); });
    connect(&table, &store::Table::cursorMoved, this, [this] {
        if (isVisible())
            followCursor();
        else
            m_syncPending = true;
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (isVisible())
            followCursor();
        else
            m_syncPending = true;
    });
}

int DataGrid::currentDataRow() const {
    return m_model ? static_cast<int>(m_model->table().currentRow()) : -1;
}

void DataGrid::followCursor() {
    if (!m_model || m_following)
        return;
    m_syncPending = false;
    m_following = true;
    const int position = currentDataRow();
    if (position >= 0) {
        if (m_model->rowOf(position) < 0)
            moveWindow(position - m_model->rowCount() / 2); // the cursor's row in the middle
        const QModelIndex index = m_model->index(m_model->rowOf(position), std::max(1, currentIndex().column()));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollToCursorSoon();
    } else {
        selectionModel()->clear();
    }
    viewport()->update();
    m_following = false;
}

void DataGrid::currentRowMoved(const QModelIndex& current) {
    if (current.isValid() && !m_following)
        scrollToCursorSoon();
    if (m_following || !current.isValid() || !m_model || m_model->isRestructuring())
        return;
    const qint64 position = m_model->positionOf(current.row());
    if (position != currentDataRow()) {
        m_following = true;
        m_model->table().moveToRow(position);
        m_following = false;
        viewport()->update();
    }
}

void DataGrid::showEvent(QShowEvent* event) {
    if (m_model && !m_model->isAwake())
        m_model->wake(); // its reset brings the cursor into view
    QTableView::showEvent(event);
    if (m_syncPending)
        followCursor();
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        emit rightClickCell(index.isValid() ? gridRowOf(index) : -1, index.isValid() ? index.column() : -1);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            emit clickCell(gridRowOf(index), index.column());
    }
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        emit dblClickCell(gridRowOf(index), index.column());
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const int column = horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
            if (mouse->button() == Qt::RightButton && event->type() == QEvent::MouseButtonPress) {
                emit rightClickCell(0, column);
                return true;
            }
            if (mouse->button() == Qt::LeftButton && event->type() == QEvent::MouseButtonDblClick) {
                emit dblClickCell(0, column);
                return true;
            }
            if (mouse->button() == Qt::LeftButton) {
                emit clickCell(0, column);
                return true;
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}
