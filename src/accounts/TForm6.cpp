#include "accounts/TForm6.h"

#include "app/Program.h"
#include "app/TForm1.h"

TForm6::TForm6(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm6"), QStringLiteral("Skapa konto"), QSize(498, 258)) {}

void TForm6::FormClose() {
    m_program.form1->FyllKonto();
    SecondaryWindow::FormClose();
}
