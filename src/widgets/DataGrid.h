#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <vector>

namespace store {
class Table;
}

struct GridColumn {
    QString field;  // empty for the indicator column
    QString header; // header text
    int width = 64;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A table shown through its shared cursor: rows in table order, read a page at a time. The view sees a window
// of at most `capacity` rows of the table, starting at table position `offset`: a table of a million rows is
// scrolled by moving the window, so the view's per-row bookkeeping stays small and a row added or removed
// costs the same whatever the table's size. A table that fits is shown whole (offset 0).
// Positions are rows of the table (from 0); rows are rows of the view's window.
class TableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(store::Table& table, std::vector<GridColumn> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    store::Table& table() const { return m_table; }
    const std::vector<GridColumn>& columns() const { return m_columns; }
    void setBanded(bool banded) { m_banded = banded; }
    // While rows are inserted or removed the view moves its selection on its own: the table's cursor is
    // already where it belongs, so such moves are not passed on to it.
    bool isRestructuring() const { return m_restructuring; }

    // Which cells may be typed into (grid row, grid column), and what a typed value does.
    using EditRule = std::function<bool(int gridRow, int gridColumn)>;
    using CellWriter = std::function<void(int gridRow, int gridColumn, const QString& text)>;
    void setEditing(EditRule rule, CellWriter writer);

    // A model shows no rows until its grid is first shown: counting a table of a million rows and laying out
    // a row header for each is left until someone looks.
    void wake();
    bool isAwake() const { return m_awake; }

    // The background of a row of the table: banded green and cream, or none.
    QColor background(qint64 position) const;

    // Text of a cell of the table as shown: "%.2f" for amounts.
    QString cellText(qint64 position, int column) const;

    qint64 positionOf(int row) const { return m_offset + row; }
    // The window row showing `position`, -1 when it lies outside the window.
    int rowOf(qint64 position) const;
    bool isWindowed() const;
    // Moves the window to start at `offset` (kept within the table); returns how far it moved.
    qint64 shiftTo(qint64 offset);
    void setCapacity(int rows);

private:
    void resolveFields();
    void tableChanged();
    void inserted(qint64 position);
    void removed(qint64 position);
    void placeWindow();
    void changedAll();

    store::Table& m_table;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldIndexes;
    bool m_banded = true;
    bool m_restructuring = false;
    bool m_awake = false;
    // Rows as the view knows them: a write changes the table before the view hears of it.
    int m_rows = 0;
    qint64 m_offset = 0;
    int m_capacity = 2000;
    EditRule m_editRule;
    CellWriter m_cellWriter;
};

// A grid bound to a table. Grid rows count the header as row 0; grid column 0 is the indicator column.
// A left click (or the keyboard) moves the table's cursor; a right click does not.
class DataGrid final : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void bind(store::Table& table, std::vector<GridColumn> columns);
    TableModel* tableModel() const { return m_model; }

    // Row of the table shown as current (data rows from 0), -1 without one.
    int currentDataRow() const;
    // The grid row (header 0, the table's rows from 1) of a cell of the view.
    int gridRowOf(const QModelIndex& index) const;

signals:
    void clickCell(int gridRow, int gridColumn);
    void dblClickCell(int gridRow, int gridColumn);
    void rightClickCell(int gridRow, int gridColumn);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void followCursor();
    void scrollToCursorSoon();
    void windowScrolled(int value);
    bool moveWindow(qint64 offset);
    void showCurrent();
    void currentRowMoved(const QModelIndex& current);

    TableModel* m_model = nullptr;
    bool m_following = false;
    bool m_syncPending = false;
    bool m_scrollPending = false;
    bool m_shifting = false;
};
