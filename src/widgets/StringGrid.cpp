#include "widgets/StringGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

class StringGridDelegate final : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text = m_grid->displayText(index.column(), index.row());
        option->displayAlignment = m_grid->alignmentOf(index.column(), index.row()) | Qt::AlignVCenter;
        const QColor colour = m_grid->colourOf(index.column(), index.row());
        if (colour.isValid())
            option->backgroundBrush = colour;
        if (index.row() == 0)
            option->font.setBold(true);
    }

private:
    StringGrid* m_grid;
};

} // namespace

StringGridModel::StringGridModel(int columns, int rows, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::max(columns, 0)), m_rows(std::max(rows, 0)),
      m_texts(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows)) {}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return text(index.column(), index.row());
}

const QString& StringGridModel::text(int column, int row) const {
    static const QString none;
    if (column < 0 || column >= m_columns || row < 0 || row >= m_rows)
        return none;
    return m_texts[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)];
}

void StringGridModel::setText(int column, int row, const QString& text) {
    if (column < 0 || column >= m_columns || row < 0)
        return;
    if (row >= m_rows)
        setRows(row + 1);
    m_texts[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)] = text;
    if (m_batch == 0)
        emit dataChanged(index(row, column), index(row, column));
}

void StringGridModel::setRows(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rows)
        return;
    if (m_batch > 0) {
        // The view hears of the new shape when the batch ends.
        m_rows = rows;
        m_texts.resize(static_cast<size_t>(m_rows) * static_cast<size_t>(m_columns));
        return;
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        m_texts.resize(static_cast<size_t>(m_rows) * static_cast<size_t>(m_columns));
        endInsertRows();
    } else {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        m_texts.resize(static_cast<size_t>(m_rows) * static_cast<size_t>(m_columns));
        endRemoveRows();
    }
}

void StringGridModel::clearTexts() {
    for (QString& text : m_texts)
        text.clear();
    if (m_batch == 0 && m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
}

void StringGridModel::endBatch() {
    if (m_batch > 0 && --m_batch == 0) {
        beginResetModel();
        endResetModel();
    }
}

StringGrid::StringGrid(int columns, int rows, QWidget* parent)
    : QTableView(parent), m_model(new StringGridModel(columns, rows, this)) {
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setItemDelegate(new StringGridDelegate(this));
    setWordWrap(false);
}

void StringGrid::setCell(int column, int row, const QString& text) {
    m_model->setText(column, row, text);
}

QString StringGrid::cell(int column, int row) const {
    return m_model->text(column, row);
}

QString StringGrid::displayText(int column, int row) const {
    const QString& text = m_model->text(column, row);
    return m_format ? m_format(column, row, text) : text;
}

void StringGrid::clearCells() {
    m_model->clearTexts();
}

void StringGrid::setRows(int rows) {
    m_model->setRows(rows);
}

Qt::Alignment StringGrid::alignmentOf(int column, int row) const {
    return m_alignment ? m_alignment(column, row) : Qt::AlignLeft;
}

QColor StringGrid::colourOf(int column, int row) const {
    return m_colour ? m_colour(column, row) : QColor();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        emit dblClickCell(index.row(), index.column());
}
