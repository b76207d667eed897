#include "accounts/TForm7.h"

#include "app/Program.h"
#include "app/TForm1.h"
#include "widgets/PickList.h"

#include <QComboBox>

TForm7::TForm7(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm7"), QStringLiteral("Transaktion"), QSize(440, 295)) {
    ComboBox6 = picklist::makeNameList(this, QStringLiteral("ComboBox6"));
    ComboBox4 = picklist::makeKeyList(this, QStringLiteral("ComboBox4"));
    ComboBox12 = picklist::makeNameList(this, QStringLiteral("ComboBox12"));
    ComboBox5 = picklist::makeKeyList(this, QStringLiteral("ComboBox5"));
}

void TForm7::FormClose() {
    m_program.form1->FyllKonto();
    SecondaryWindow::FormClose();
}
