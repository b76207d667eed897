#pragma once

#include "widgets/SecondaryWindow.h"

class QComboBox;

// "Transaktion": moves money between two accounts.
class TForm7 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm7(Program& program);

    void FormClose() override;

    QComboBox* ComboBox6 = nullptr;  // from-account names
    QComboBox* ComboBox4 = nullptr;  // from-account keys
    QComboBox* ComboBox12 = nullptr; // to-account names
    QComboBox* ComboBox5 = nullptr;  // to-account keys
};
