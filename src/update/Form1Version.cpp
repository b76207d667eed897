// "Ny version ?": asks the maker's server for the newest version number.
#include "app/Program.h"
#include "app/TForm1.h"

void TForm1::AdvGlowButton14Click() {}

void TForm1::HTTPGetstringDoneString(const QString&) {}

void TForm1::HTTPGetstringError() {}

void TForm1::setupVersionCheck() {}
