#pragma once

#include "widgets/SecondaryWindow.h"

// "Skapa konto": creates an account.
class TForm6 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm6(Program& program);

    void FormClose() override;
};
