#pragma once

#include "widgets/SecondaryWindow.h"

class QComboBox;
class DataGrid;

// "Återkommande": the recurring expenses.
class TForm3 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm3(Program& program);

    void bindGrid();

    DataGrid* DBAdvGrid1 = nullptr;
    QComboBox* ComboBox2 = nullptr; // account names
    QComboBox* ComboBox1 = nullptr; // account keys
    QComboBox* ComboBox3 = nullptr; // expense category names
    QComboBox* ComboBox4 = nullptr; // expense category numbers
};
