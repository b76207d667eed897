// Booking the recurring expenses that are due, once per start.
#include "app/Program.h"
#include "app/TForm1.h"

void TForm1::kollaPeriod() {}
