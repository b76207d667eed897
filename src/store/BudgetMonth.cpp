#include "store/BudgetMonth.h"

namespace store {

BudgetMonth budgetMonthOf(const QDate& date, int breakDay) {
    if (date.day() >= breakDay)
        return date.month() == 12 ? BudgetMonth{date.year() + 1, 1} : BudgetMonth{date.year(), date.month() + 1};
    return {date.year(), date.month()};
}

} // namespace store
