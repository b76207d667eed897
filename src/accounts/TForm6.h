#pragma once

#include "widgets/SecondaryWindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class MoneyEdit;

// "Skapa konto": creates an account.
class TForm6 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm6(Program& program);

    void FormClose() override;

    void AdvGlowButton5Click(); // "Spara Konto"
    void AdvGlowButton1Click(); // "Stäng"

    QLineEdit* Edit2 = nullptr;            // account name
    QLineEdit* Edit1 = nullptr;            // account number, optional
    QComboBox* ComboBox3 = nullptr;        // account type
    QComboBox* ComboBox15 = nullptr;       // "Tillgång" (asset) or anything else (liability)
    MoneyEdit* DBAdvMoneyEdit1 = nullptr;  // opening balance
    QPushButton* AdvGlowButton5 = nullptr; // "Spara Konto"
    QPushButton* AdvGlowButton1 = nullptr; // "Stäng"
};
