// Adding and deleting income and expenses on the main window.
#include "app/Program.h"
#include "app/TForm1.h"

void TForm1::AdvGlowButton4Click() {}

void TForm1::AdvGlowButton8Click() {}

void TForm1::InGrid1RightClickCell(int, int) {}

void TForm1::UtgridRightClickCell(int, int) {}

void TForm1::setupEntry() {}
