#pragma once

#include "widgets/SecondaryWindow.h"

class QComboBox;
class QPushButton;
class MoneyEdit;

// "Transaktion": moves money between two accounts.
class TForm7 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm7(Program& program);

    void FormClose() override;

    void ComboBox6Select();
    void ComboBox12Select();
    void AdvGlowButton7Click(); // "Överför mellan konto"
    void AdvGlowButton1Click(); // "Stäng"

    QComboBox* ComboBox6 = nullptr;        // from-account names
    QComboBox* ComboBox4 = nullptr;        // from-account keys
    QComboBox* ComboBox12 = nullptr;       // to-account names
    QComboBox* ComboBox5 = nullptr;        // to-account keys
    MoneyEdit* DBAdvMoneyEdit1 = nullptr;  // the amount
    QPushButton* AdvGlowButton7 = nullptr; // "Överför mellan konto"
    QPushButton* AdvGlowButton1 = nullptr; // "Stäng"
};
