#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <vector>

// The texts of a StringGrid, row by row.
class StringGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    StringGridModel(int columns, int rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QString& text(int column, int row) const;
    void setText(int column, int row, const QString& text);
    void setRows(int rows);
    void clearTexts();
    // While batching, writes tell the view nothing; ending the batch redraws everything once.
    void beginBatch() { ++m_batch; }
    void endBatch();

private:
    int m_columns;
    int m_rows;
    int m_batch = 0;
    std::vector<QString> m_texts; // m_rows * m_columns, row by row
};

// A plain grid of texts addressed as (column, row); row 0 is the header row. Each cell keeps the text written
// into it; how it is shown (number format, alignment, background) comes from functions of the owner.
class StringGrid final : public QTableView {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    int rowCount() const { return m_model->rowCount(); }
    int columnCount() const { return m_model->columnCount(); }
    void setCell(int column, int row, const QString& text);
    QString cell(int column, int row) const;
    // The cell's text as the user sees it.
    QString displayText(int column, int row) const;
    void clearCells();
    void setRows(int rows);

    // Many cells written at once: the grid is redrawn when the last Batch of a nesting ends.
    class Batch final {
    public:
        explicit Batch(StringGrid& grid) : m_model(*grid.m_model) { m_model.beginBatch(); }
        ~Batch() { m_model.endBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        StringGridModel& m_model;
    };

    using Format = std::function<QString(int column, int row, const QString& text)>;
    using Alignment = std::function<Qt::Alignment(int column, int row)>;
    using Colour = std::function<QColor(int column, int row)>;
    void setFormat(Format format) { m_format = std::move(format); }
    void setAlignment(Alignment alignment) { m_alignment = std::move(alignment); }
    void setColour(Colour colour) { m_colour = std::move(colour); }
    Qt::Alignment alignmentOf(int column, int row) const;
    QColor colourOf(int column, int row) const;

signals:
    void dblClickCell(int row, int column);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    StringGridModel* m_model;
    Format m_format;
    Alignment m_alignment;
    Colour m_colour;
};
