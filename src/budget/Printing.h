#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <vector>

class DataGrid;
class Program;
class QPrinter;
class QPrinterInfo;
class StringGrid;

namespace printing {

struct PrintedCell {
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor background; // invalid: none
};

// A grid as the user sees it: texts as formatted on screen, row 0 the header row.
struct PrintedGrid {
    std::vector<int> columnWidths; // screen pixels
    std::vector<std::vector<PrintedCell>> rows;
};

PrintedGrid fromStringGrid(const StringGrid& grid);
// Every column that shows a field, with the header texts; the row indicator is left out.
PrintedGrid fromDataGrid(const DataGrid& grid);

// What each page carries besides the grid. The date goes top centre, below a centred title.
struct Furniture {
    enum class TimePlace { None, TopRight, BottomCentre };
    QString title;
    Qt::AlignmentFlag titleAlignment = Qt::AlignHCenter;
    QString dateFormat; // QDateTime format of the printing date
    TimePlace time = TimePlace::None;
    bool pageNumbers = false; // bottom centre: "n", or "n/count" when there is more than one page
};

// The page furniture of the three printed grids.
Furniture reportFurniture();      // year report: "Rapport" and the date top centre, the time bottom centre
Furniture accountListFurniture(); // account list: "Konto" top left, the date top centre, the time top right
Furniture detailFurniture();      // month detail: the date as year / month top centre, page numbers

// Draws the grid page by page, the header row repeated on each page; returns the number of pages, 0 when the
// printer could not be opened.
int render(QPrinter& printer, const PrintedGrid& grid, const Furniture& furniture, const QDateTime& printedAt);

// Prints on `printer` with no dialog. With no printer, or when the job fails, tells the user and returns false.
bool printOn(Program& program, const QPrinterInfo& printer, const QString& jobName, const PrintedGrid& grid,
             const Furniture& furniture);

// The same on the system's default printer.
bool printOnDefaultPrinter(Program& program, const QString& jobName, const PrintedGrid& grid,
                           const Furniture& furniture);

// Writes the printout to a PDF file; returns the number of pages, 0 on failure.
int printToPdf(const QString& path, const PrintedGrid& grid, const Furniture& furniture, const QDateTime& printedAt);

} // namespace printing
