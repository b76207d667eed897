#pragma once

#include "widgets/SecondaryWindow.h"

class DataGrid;

// "+Kontoplan": adds a category to the chart of accounts.
class TForm5 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm5(Program& program);

    void bindGrid();

    DataGrid* DBAdvGrid1 = nullptr;
};
