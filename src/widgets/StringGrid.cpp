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

StringGrid::StringGrid(int columns, int rows, QWidget* parent) : QTableWidget(rows, columns, parent) {
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
    if (row >= rowCount())
        setRows(row + 1);
    QTableWidgetItem* cellItem = item(row, column);
    if (!cellItem) {
        cellItem = new QTableWidgetItem;
        setItem(row, column, cellItem);
    }
    cellItem->setText(text);
}

QString StringGrid::cell(int column, int row) const {
    const QTableWidgetItem* cellItem = item(row, column);
    return cellItem ? cellItem->text() : QString();
}

QString StringGrid::displayText(int column, int row) const {
    const QString text = cell(column, row);
    return m_format ? m_format(column, row, text) : text;
}

void StringGrid::clearCells() {
    clearContents();
}

void StringGrid::setRows(int rows) {
    setRowCount(rows);
}

Qt::Alignment StringGrid::alignmentOf(int column, int row) const {
    return m_alignment ? m_alignment(column, row) : Qt::AlignLeft;
}

QColor StringGrid::colourOf(int column, int row) const {
    return m_colour ? m_colour(column, row) : QColor();
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        emit dblClickCell(index.row(), index.column());
}
