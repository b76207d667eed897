#include "budget/TForm5.h"

#include "app/Program.h"
#include "widgets/DataGrid.h"

TForm5::TForm5(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm5"), QStringLiteral("+Kontoplan"), QSize(417, 554)) {
    DBAdvGrid1 = new DataGrid(this);
    DBAdvGrid1->setObjectName(QStringLiteral("DBAdvGrid1"));
}

void TForm5::bindGrid() {}
