#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace store {

// Money as a count of 1/10000 units.
using Amount = std::int64_t;
inline constexpr Amount kUnitsPerWhole = 10000;

// The nearest whole number of units, a half to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t wholeUnits(Amount amount);

// a / b rounded to the nearest integer, a half to the even neighbour; b > 0.
std::int64_t divideHalfEven(std::int64_t a, std::int64_t b);

enum class ParseStatus { Ok, Empty, Invalid, TooLarge };

struct ParsedAmount {
    ParseStatus status = ParseStatus::Empty;
    Amount amount = 0;
};

// Reads a decimal number written in `locale` (group separators, plain and no-break spaces ignored) exactly
// into units; digits beyond the fourth decimal round half to even.
ParsedAmount parseAmount(QStringView text, const QLocale& locale = QLocale());

// Value of a money box: its text read as above, empty or unreadable as 0.
inline Amount moneyBoxValue(QStringView text, const QLocale& locale = QLocale()) {
    const ParsedAmount parsed = parseAmount(text, locale);
    return parsed.status == ParseStatus::Ok ? parsed.amount : 0;
}

// Plain decimal text with the locale's decimal separator, no grouping, trailing zeros dropped ("1500", "12,3456").
QString plainDecimal(Amount amount, const QLocale& locale = QLocale());

// "%.2f": two decimals, locale separator, no grouping.
QString fixed2(Amount amount, const QLocale& locale = QLocale());

// "%.2m": the locale's money format with two decimals.
QString money2(Amount amount, const QLocale& locale = QLocale());

// Formats the number held in a grid cell's text with fixed2 / money2, or returns the text unchanged when it
// holds no number.
QString formatCellFixed2(const QString& text, const QLocale& locale = QLocale());
QString formatCellMoney2(const QString& text, const QLocale& locale = QLocale());
QString formatCellWhole(const QString& text, const QLocale& locale = QLocale());

} // namespace store
