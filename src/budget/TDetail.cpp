#include "budget/TDetail.h"

TDetail::TDetail(Program& program)
    : SecondaryWindow(program, QStringLiteral("TDetail"), QStringLiteral("Detaljer"), QSize(764, 710)) {}
