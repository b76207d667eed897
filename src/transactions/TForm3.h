#pragma once

#include "widgets/SecondaryWindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class CalculatorMoneyEdit;
class DataGrid;
class DateBox;

// "Återkommande": the recurring expenses. Saving or deleting one books nothing; the booking happens at start-up.
class TForm3 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm3(Program& program);

    void bindGrid();

    void ComboBox2Select();
    void ComboBox3Select();
    void AdvGlowButton12Click(); // "Spara"
    void DBAdvGrid1RightClickCell(int row, int column);

    DataGrid* DBAdvGrid1 = nullptr;
    QLineEdit* AdvEdit1 = nullptr;               // name
    QComboBox* ComboBox2 = nullptr;              // account names
    QComboBox* ComboBox1 = nullptr;              // account keys
    CalculatorMoneyEdit* DBMoneyEdit1 = nullptr; // amount
    DateBox* PDatePicker1 = nullptr;             // first date
    QSpinBox* AdvSpinEdit2 = nullptr;            // interval in months
    QComboBox* ComboBox3 = nullptr;              // expense category names
    QComboBox* ComboBox4 = nullptr;              // expense category numbers
    QPushButton* AdvGlowButton12 = nullptr;      // "Spara"
};
