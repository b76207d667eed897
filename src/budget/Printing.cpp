#include "budget/Printing.h"

#include "app/Program.h"
#include "widgets/DataGrid.h"
#include "widgets/StringGrid.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>

namespace printing {

PrintedGrid fromStringGrid(const StringGrid& grid) {
    PrintedGrid printed;
    for (int column = 0; column < grid.columnCount(); ++column)
        printed.columnWidths.push_back(grid.columnWidth(column));
    for (int row = 0; row < grid.rowCount(); ++row) {
        std::vector<PrintedCell>& cells = printed.rows.emplace_back();
        for (int column = 0; column < grid.columnCount(); ++column)
            cells.push_back({grid.displayText(column, row), grid.alignmentOf(column, row), grid.colourOf(column, row)});
    }
    return printed;
}

PrintedGrid fromDataGrid(const DataGrid& grid) {
    PrintedGrid printed;
    const TableModel* model = grid.tableModel();
    if (!model)
        return printed;
    std::vector<int> shown;
    std::vector<PrintedCell> header;
    for (int column = 0; column < static_cast<int>(model->columns().size()); ++column) {
        const GridColumn& gridColumn = model->columns()[static_cast<size_t>(column)];
        if (gridColumn.field.isEmpty())
            continue;
        shown.push_back(column);
        printed.columnWidths.push_back(grid.columnWidth(column));
        header.push_back({gridColumn.header, gridColumn.alignment, {}});
    }
    printed.rows.push_back(std::move(header));
    // Every row of the table, whether or not the grid has been on the screen yet.
    const auto rows = static_cast<int>(model->table().recordCount());
    for (int row = 0; row < rows; ++row) {
        std::vector<PrintedCell>& cells = printed.rows.emplace_back();
        for (const int column : shown)
            cells.push_back({model->cellText(row, column), model->columns()[static_cast<size_t>(column)].alignment,
                             model->background(row)});
    }
    return printed;
}

Furniture reportFurniture() {
    Furniture furniture;
    furniture.title = QStringLiteral("Rapport");
    furniture.dateFormat = QStringLiteral("yyyy/MM/dd");
    furniture.time = Furniture::TimePlace::BottomCentre;
    return furniture;
}

Furniture accountListFurniture() {
    Furniture furniture;
    furniture.title = QStringLiteral("Konto");
    furniture.titleAlignment = Qt::AlignLeft;
    furniture.dateFormat = QStringLiteral("yyyy/MM/dd");
    furniture.time = Furniture::TimePlace::TopRight;
    return furniture;
}

Furniture detailFurniture() {
    Furniture furniture;
    furniture.dateFormat = QStringLiteral("yyyy / MM");
    furniture.pageNumbers = true;
    return furniture;
}

namespace {

void drawRow(QPainter& painter, const std::vector<PrintedCell>& cells, const std::vector<int>& left,
             const std::vector<int>& widths, int top, int height, int padding) {
    for (size_t column = 0; column < widths.size(); ++column) {
        const QRect box(left[column], top, widths[column], height);
        const PrintedCell cell = column < cells.size() ? cells[column] : PrintedCell{};
        if (cell.background.isValid())
            painter.fillRect(box, cell.background);
        painter.setPen(QColor(0x90, 0x90, 0x90));
        painter.drawRect(box);
        painter.setPen(Qt::black);
        const QRect inner = box.adjusted(padding, 0, -padding, 0);
        const QString text = painter.fontMetrics().elidedText(cell.text, Qt::ElideRight, inner.width());
        painter.drawText(inner, static_cast<int>(cell.alignment | Qt::AlignVCenter), text);
    }
}

} // namespace

int render(QPrinter& printer, const PrintedGrid& grid, const Furniture& furniture, const QDateTime& printedAt) {
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRect area(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9);
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(font);
    const int line = painter.fontMetrics().height();
    const int rowHeight = static_cast<int>(std::lround(line * 1.6));
    const int padding = std::max(1, line / 4);
    const QFontMetrics boldMetrics(bold, &printer);

    // Screen pixels are taken as 1/96 inch; a column widens to its longest text so nothing is cut off, and the
    // whole grid shrinks when it is wider than the page.
    const double dotsPerPixel = printer.resolution() / 96.0;
    std::vector<double> wanted;
    for (size_t column = 0; column < grid.columnWidths.size(); ++column) {
        double width = grid.columnWidths[column] * dotsPerPixel;
        for (size_t row = 0; row < grid.rows.size(); ++row) {
            if (column >= grid.rows[row].size())
                continue;
            const QFontMetrics& metrics = row == 0 ? boldMetrics : painter.fontMetrics();
            width = std::max(width, double(metrics.horizontalAdvance(grid.rows[row][column].text) + 3 * padding));
        }
        wanted.push_back(width);
    }
    double total = 0;
    for (const double width : wanted)
        total += width;
    const double fit = total > area.width() ? area.width() / total : 1.0;
    std::vector<int> widths;
    std::vector<int> left;
    int x = 0;
    for (const double width : wanted) {
        left.push_back(x);
        widths.push_back(static_cast<int>(width * fit));
        x += widths.back();
    }

    const bool titleCentred = !furniture.title.isEmpty() && furniture.titleAlignment == Qt::AlignHCenter;
    const bool firstLine = !furniture.title.isEmpty() || !furniture.dateFormat.isEmpty() ||
                           furniture.time == Furniture::TimePlace::TopRight;
    const int dateLine = titleCentred ? 1 : 0;
    const int topLines = firstLine ? (titleCentred && !furniture.dateFormat.isEmpty() ? 2 : 1) : 0;
    const bool footer = furniture.pageNumbers || furniture.time == Furniture::TimePlace::BottomCentre;
    const int gridTop = topLines > 0 ? topLines * line + line : 0;
    const int gridBottom = area.height() - (footer ? 2 * line : 0);
    const int rowsPerPage = std::max(2, (gridBottom - gridTop) / rowHeight);
    const int dataRows = std::max(0, static_cast<int>(grid.rows.size()) - 1);
    const int perPage = rowsPerPage - 1;
    const int pages = std::max(1, (dataRows + perPage - 1) / perPage);

    const QString date = printedAt.toString(furniture.dateFormat);
    const QString time = printedAt.toString(QStringLiteral("HH:mm"));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        painter.setPen(Qt::black);
        if (!furniture.title.isEmpty()) {
            painter.setFont(bold);
            painter.drawText(QRect(0, 0, area.width(), line), furniture.titleAlignment | Qt::AlignVCenter,
                             furniture.title);
            painter.setFont(font);
        }
        if (!furniture.dateFormat.isEmpty())
            painter.drawText(QRect(0, dateLine * line, area.width(), line), Qt::AlignCenter, date);
        if (furniture.time == Furniture::TimePlace::TopRight)
            painter.drawText(QRect(0, 0, area.width(), line), Qt::AlignRight | Qt::AlignVCenter, time);
        const QRect footerLine(0, area.height() - line, area.width(), line);
        if (furniture.time == Furniture::TimePlace::BottomCentre)
            painter.drawText(footerLine, Qt::AlignCenter, time);
        if (furniture.pageNumbers) {
            const QString number =
                pages > 1 ? QStringLiteral("%1/%2").arg(page + 1).arg(pages) : QString::number(page + 1);
            painter.drawText(footerLine, Qt::AlignCenter, number);
        }

        int y = gridTop;
        if (!grid.rows.empty()) {
            painter.setFont(bold);
            drawRow(painter, grid.rows.front(), left, widths, y, rowHeight, padding);
            painter.setFont(font);
            y += rowHeight;
        }
        const int firstRow = 1 + page * perPage;
        const int endRow = std::min(static_cast<int>(grid.rows.size()), firstRow + perPage);
        for (int row = firstRow; row < endRow; ++row) {
            drawRow(painter, grid.rows[static_cast<size_t>(row)], left, widths, y, rowHeight, padding);
            y += rowHeight;
        }
    }
    painter.end();
    return pages;
}

bool printOn(Program& program, const QPrinterInfo& printerInfo, const QString& jobName, const PrintedGrid& grid,
             const Furniture& furniture) {
    if (printerInfo.isNull()) {
        program.dialogs().warning(QStringLiteral("Det finns ingen standardskrivare att skriva ut på. Välj en "
                                                 "standardskrivare i datorns skrivarinställningar och försök igen."));
        return false;
    }
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(jobName);
    const int pages = render(printer, grid, furniture, program.clock().now());
    if (pages == 0 || printer.printerState() == QPrinter::Error) {
        program.dialogs().error(QStringLiteral("Utskriften till skrivaren %1 misslyckades. Ingenting skrevs ut.")
                                    .arg(printerInfo.printerName()));
        return false;
    }
    return true;
}

bool printOnDefaultPrinter(Program& program, const QString& jobName, const PrintedGrid& grid,
                           const Furniture& furniture) {
    return printOn(program, QPrinterInfo::defaultPrinter(), jobName, grid, furniture);
}

int printToPdf(const QString& path, const PrintedGrid& grid, const Furniture& furniture, const QDateTime& printedAt) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return render(printer, grid, furniture, printedAt);
}

} // namespace printing
