// The main window's category refill, budget totals and budget editing rule.
#include "app/Program.h"
#include "app/TForm1.h"

void TForm1::FyllKontoplan() {}

void TForm1::DBAdvGrid2ClickCell(int, int) {}
