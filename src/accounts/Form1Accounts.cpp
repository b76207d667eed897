// The main window's account refill, balance summary and account delete.
#include "app/Program.h"
#include "app/TForm1.h"

void TForm1::FyllKonto() {}

void TForm1::KontoGridRightClickCell(int, int) {}

void TForm1::Button2Click() {}
