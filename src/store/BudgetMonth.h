#pragma once

#include <QDate>

namespace store {

struct BudgetMonth {
    int year = 0;
    int month = 0;
    friend bool operator==(const BudgetMonth&, const BudgetMonth&) = default;
};

// A date on or after the break day belongs to the next calendar month (December to January of the next year),
// an earlier date to its own month. The break day is used as read, unclamped.
BudgetMonth budgetMonthOf(const QDate& date, int breakDay);

} // namespace store
