#pragma once

#include "widgets/SecondaryWindow.h"

class DataGrid;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "+Kontoplan": adds a category to the chart of accounts. A number must pass the availability check before the
// name box, the add button and the type choice appear; every add hides them again, so each new row has been
// checked first.
class TForm5 final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm5(Program& program);

    void bindGrid();

    void AdvGlowButton2Click(); // "Kontrollera tillgänglighet"
    void AdvGlowButton3Click(); // "Lägg till kontoplan"
    void AdvGlowButton1Click(); // "Stäng"
    void FormClose() override;

    DataGrid* DBAdvGrid1 = nullptr;
    QSpinBox* KontoNummer = nullptr;
    QPushButton* AdvGlowButton2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* AdvGlowButton3 = nullptr;
    QRadioButton* RadioButton1 = nullptr; // "Utgift"
    QRadioButton* RadioButton2 = nullptr; // "Inkomst"
    QPushButton* AdvGlowButton1 = nullptr;

private:
    // Back to choosing a number: the entry controls hidden, the number box enabled.
    void showInitialState();
    QString number() const;
};
