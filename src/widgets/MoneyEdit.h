#pragma once

#include "store/Amount.h"

#include <QLineEdit>

// A money entry box: two decimals, no minus sign, "0,00" at first. Its value is the text read in the user's
// locale with group separators ignored; empty or unreadable text is 0.
class MoneyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MoneyEdit(QWidget* parent = nullptr, bool allowNegative = false);

    store::ParsedAmount parsedValue() const { return store::parseAmount(text()); }
    store::Amount value() const { return store::moneyBoxValue(text()); }
    void setValue(store::Amount amount);

    // The largest amount a money box takes.
    static constexpr store::Amount kMaximum = 100'000'000'000'000; // 10 000 000 000,0000

    // An amount a writer may store: readable and not above the money box's maximum.
    static bool isStorable(const store::ParsedAmount& parsed);

    // The warning for an amount that is not storable.
    static QString tooLargeMessage();
};
