// The year report, the budget-against-actual view, opening the month detail, printing.
#include "app/Program.h"
#include "app/TForm1.h"

void TForm1::Button1Click() {
    fyllRapport();
}

void TForm1::fyllRapport() {}

void TForm1::DBAdvGrid2DblClickCell(int, int) {}

void TForm1::RapportgridDblClickCell(int, int) {}

void TForm1::AdvGlowButton11Click() {}

void TForm1::SkrivUt1Click() {}

void TForm1::SkrivUtKontolista1Click() {}

void TForm1::setupReports() {}
