#include "widgets/DataGrid.h"

#include "store/Table.h"
#include "widgets/Look.h"

#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

TableModel::TableModel(store::Table& table, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(std::move(columns)) {
    resolveFields();
    connect(&m_table, &store::Table::rowsChanged, this, &TableModel::tableChanged);
    // Single-row writes keep the view's editors, selection and scroll position.
    connect(&m_table, &store::Table::rowInserted, this, [this](qint64 position) {
        if (!m_awake)
            return;
        const int row = static_cast<int>(position);
        m_restructuring = true;
        beginInsertRows({}, row, row);
        ++m_rows;
        endInsertRows();
        m_restructuring = false;
    });
    connect(&m_table, &store::Table::rowRemoved, this, [this](qint64 position) {
        if (!m_awake)
            return;
        const int row = static_cast<int>(position);
        m_restructuring = true;
        beginRemoveRows({}, row, row);
        --m_rows;
        endRemoveRows();
        m_restructuring = false;
    });
    connect(&m_table, &store::Table::rowUpdated, this, [this](qint64 position) {
        if (!m_awake)
            return;
        const int row = static_cast<int>(position);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
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
    m_rows = m_table.isOpen() ? static_cast<int>(m_table.recordCount()) : 0;
    endResetModel();
}

void TableModel::wake() {
    if (m_awake)
        return;
    beginResetModel();
    m_awake = true;
    m_rows = m_table.isOpen() ? static_cast<int>(m_table.recordCount()) : 0;
    endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString TableModel::cellText(int row, int column) const {
    const int field = m_fieldIndexes.at(static_cast<size_t>(column));
    if (field < 0)
        return {};
    const QVariant stored = m_table.cellAt(row, field);
    if (!stored.isValid())
        return {};
    if (m_table.fieldKind(field) == store::FieldKind::Money)
        return store::fixed2(stored.toLongLong());
    return m_table.displayText(field, stored);
}

QColor TableModel::background(int row) const {
    return m_banded ? look::rowColour(row + 1) : QColor();
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == 0)
            return index.row() == m_table.currentRow() ? QStringLiteral("\u25B8") : QString();
        return cellText(index.row(), index.column());
    case Qt::BackgroundRole: {
        const QColor colour = background(index.row());
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    case Qt::ForegroundRole:
        return QColor(0x10, 0x14, 0x18);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(static_cast<size_t>(index.column())).alignment | Qt::AlignVCenter);
    case Qt::FontRole:
        if (index.row() == m_table.currentRow()) {
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
    if (index.isValid() && m_editRule && m_editRule(index.row() + 1, index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !m_cellWriter || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_cellWriter(index.row() + 1, index.column(), value.toString());
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
    const int row = currentDataRow();
    if (row >= 0) {
        const QModelIndex index = m_model->index(row, std::max(1, currentIndex().column()));
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
    if (current.row() != currentDataRow()) {
        m_following = true;
        m_model->table().moveToRow(current.row());
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
        emit rightClickCell(index.isValid() ? index.row() + 1 : -1, index.isValid() ? index.column() : -1);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            emit clickCell(index.row() + 1, index.column());
    }
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        emit dblClickCell(index.row() + 1, index.column());
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
