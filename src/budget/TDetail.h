#pragma once

#include "widgets/SecondaryWindow.h"

class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class StringGrid;

// "Detaljer": the income or expense rows of one budget month.
class TDetail final : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TDetail(Program& program);

    // Selects the kind and month of the report cell, then fills the grid.
    void FormShow();
    void visaDetail();
    void RadioButton2Click();
    void RadioButton1Click();
    void EditListBox1Click();
    void AdvGlowButton11Click(); // "Skriv Ut"
    void AdvGlowButton1Click();  // "Stäng"

    StringGrid* DetailGrid = nullptr;
    QRadioButton* RadioButton2 = nullptr; // "Inkomster"
    QRadioButton* RadioButton1 = nullptr; // "Utgifter"
    QDateEdit* DateTimePicker1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* EditListBox1 = nullptr;
    QPushButton* AdvGlowButton11 = nullptr;
    QPushButton* AdvGlowButton1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What the grid shows: year, month (0 = none) and kind (1 income, 2 expense, 0 none).
    struct Shown {
        int year = 0;
        int month = 0;
        int kind = 0;
        bool operator==(const Shown&) const = default;
    };
    Shown requested() const;
    Shown m_shown;
};
