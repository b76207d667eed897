#include "transactions/TForm3.h"

#include "app/Program.h"
#include "widgets/DataGrid.h"
#include "widgets/PickList.h"

#include <QComboBox>

TForm3::TForm3(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm3"), QStringLiteral("Återkommande"), QSize(786, 355)) {
    DBAdvGrid1 = new DataGrid(this);
    DBAdvGrid1->setObjectName(QStringLiteral("DBAdvGrid1"));
    ComboBox2 = picklist::makeNameList(this, QStringLiteral("ComboBox2"));
    ComboBox1 = picklist::makeKeyList(this, QStringLiteral("ComboBox1"));
    ComboBox3 = picklist::makeNameList(this, QStringLiteral("ComboBox3"));
    ComboBox4 = picklist::makeKeyList(this, QStringLiteral("ComboBox4"));
}

void TForm3::bindGrid() {}
