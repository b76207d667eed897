#pragma once

#include "widgets/SecondaryWindow.h"

// "Detaljer": the income or expense rows of one budget month.
class TDetail final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TDetail(Program& program);
};
