#pragma once

#include <QTableWidget>
#include <functional>

// A plain grid of texts addressed as (column, row); row 0 is the header row. Each cell keeps the text written
// into it; how it is shown (number format, alignment, background) comes from functions of the owner.
class StringGrid final : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, QWidget* parent = nullptr);

    void setCell(int column, int row, const QString& text);
    QString cell(int column, int row) const;
    // The cell's text as the user sees it.
    QString displayText(int column, int row) const;
    void clearCells();
    void setRows(int rows);
    void appendRow() { setRows(rowCount() + 1); }

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
    Format m_format;
    Alignment m_alignment;
    Colour m_colour;
};
