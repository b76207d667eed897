// The year report, the budget-against-actual view, opening the month detail, printing.
#include "app/Program.h"
#include "app/TForm1.h"
#include "budget/Printing.h"
#include "budget/TDetail.h"
#include "widgets/DataGrid.h"
#include "widgets/StringGrid.h"

#include <QCursor>
#include <QDateEdit>
#include <QMenu>
#include <array>

namespace {

using MonthSums = std::array<qint64, 13>; // index 1..12

// Sums of whole-unit reads per stored month of one year; rows of months outside 1..12 count nowhere.
MonthSums sumByMonth(store::Database& db, const QString& sql, int year, const QString& category = {}) {
    MonthSums sums{};
    store::KeptStatement query(db, sql);
    query->bindInt(1, year);
    if (!category.isNull())
        query->bindText(2, category);
    while (query->step()) {
        const qint64 month = query->intValue(0);
        if (month >= 1 && month <= 12)
            sums[static_cast<size_t>(month)] = query->intValue(1);
    }
    return sums;
}

} // namespace

void TForm1::Button1Click() {
    fyllRapport();
}

// Income, expense and result per month of the year in the year picker. Leaves Inkomst and Utgift on their
// last rows, as a pass over each table would.
void TForm1::fyllRapport() {
    Program& p = m_program;
    const int year = DateTimePicker1->date().year();
    const MonthSums income = sumByMonth(p.database,
                                        QStringLiteral("SELECT InMonth, SUM(round_half_even(InSumma, 10000)) FROM "
                                                       "Inkomst WHERE InYear = ?1 AND InMonth BETWEEN 1 AND 12 "
                                                       "GROUP BY InMonth"),
                                        year);
    const MonthSums expense = sumByMonth(p.database,
                                         QStringLiteral("SELECT UtMonth, SUM(round_half_even(UtSumma, 10000)) FROM "
                                                        "Utgift WHERE UtYear = ?1 AND UtMonth BETWEEN 1 AND 12 "
                                                        "GROUP BY UtMonth"),
                                         year);
    p.inkomst.last();
    p.utgift.last();

    const StringGrid::Batch batch(*Rapportgrid);
    Rapportgrid->setCell(0, 0, QString());
    Rapportgrid->setCell(1, 0, QStringLiteral("Inkomster"));
    Rapportgrid->setCell(2, 0, QStringLiteral("Utgifter"));
    for (size_t month = 1; month <= 12; ++month) {
        const int row = static_cast<int>(month);
        Rapportgrid->setCell(1, row, QString::number(income[month]));
        Rapportgrid->setCell(2, row, QString::number(expense[month]));
        Rapportgrid->setCell(3, row, QString::number(income[month] - expense[month]));
    }
    reportShowsYear = true;
}

// Budget against actual for the category on the clicked row of the budget grid: its expenses per month of the
// report year beside its monthly budget. The header row is no category and is ignored.
void TForm1::DBAdvGrid2DblClickCell(int row, int) {
    Program& p = m_program;
    TableModel* model = DBAdvGrid2->tableModel();
    if (row < 1 || !model || row > model->table().recordCount())
        return;
    const int year = DateTimePicker1->date().year();
    const QString number = model->cellText(row - 1, 2);
    const QString budgetText = model->cellText(row - 1, 3);
    if (p.kontoplan.currentRow() != row - 1)
        p.kontoplan.moveToRow(row - 1);
    const qint64 budget = p.kontoplan.asInteger(u"KPBudget");

    const StringGrid::Batch batch(*Rapportgrid);
    Rapportgrid->setCell(0, 0, QStringLiteral("*") + number);
    Rapportgrid->setCell(1, 0, QStringLiteral("Utgift"));
    Rapportgrid->setCell(2, 0, QStringLiteral("Budgeterat"));
    const MonthSums actual =
        sumByMonth(p.database,
                   QStringLiteral("SELECT UtMonth, SUM(round_half_even(UtSumma, 10000)) FROM Utgift WHERE UtYear = ?1 "
                                  "AND UtPKonto = ?2 AND UtSumma IS NOT NULL AND UtMonth BETWEEN 1 AND 12 "
                                  "GROUP BY UtMonth"),
                   year, number);
    p.utgift.last();
    for (size_t month = 1; month <= 12; ++month) {
        const int gridRow = static_cast<int>(month);
        Rapportgrid->setCell(2, gridRow, budgetText);
        Rapportgrid->setCell(1, gridRow, QString::number(actual[month]));
        Rapportgrid->setCell(3, gridRow, QString::number(actual[month] - budget));
    }
    reportShowsYear = false;
}

// Opens the month detail from an income (column 1) or expense (column 2) cell of a month row, and only while
// the grid holds a year report: in the budget view those columns hold other figures.
void TForm1::RapportgridDblClickCell(int row, int column) {
    Program& p = m_program;
    if (!reportShowsYear || row < 1 || row > 12 || column < 1 || column > 2)
        return;
    p.reportCell = ReportCell{row, column};
    p.detail->DateTimePicker1->setDateTime(DateTimePicker1->dateTime());
    p.detail->showModalFromMain();
}

void TForm1::AdvGlowButton11Click() {
    PopupMenu1->popup(QCursor::pos());
}

void TForm1::SkrivUt1Click() {
    printing::printOnDefaultPrinter(m_program, QStringLiteral("Rapport"), printing::fromStringGrid(*Rapportgrid),
                                    printing::reportFurniture());
}

void TForm1::SkrivUtKontolista1Click() {
    printing::printOnDefaultPrinter(m_program, QStringLiteral("Kontolista"), printing::fromDataGrid(*KontoGrid),
                                    printing::accountListFurniture());
}

void TForm1::setupReports() {}
