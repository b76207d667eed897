#include "store/Amount.h"

#include <limits>

namespace store {

std::int64_t divideHalfEven(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    std::int64_t r = a % b; // same sign as a
    const std::int64_t twice = (r < 0 ? -r : r) * 2;
    if (twice > b || (twice == b && (q % 2 != 0)))
        q += (a < 0) ? -1 : 1;
    return q;
}

std::int64_t wholeUnits(Amount amount) {
    return divideHalfEven(amount, kUnitsPerWhole);
}

namespace {

bool isIgnoredSeparator(QChar c, QStringView group) {
    return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F) || (group.size() == 1 && c == group[0]);
}

} // namespace

ParsedAmount parseAmount(QStringView text, const QLocale& locale) {
    const QString group = locale.groupSeparator();
    const QString decimal = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();

    QString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text) {
        if (!isIgnoredSeparator(c, group) && c != QLatin1Char('\t'))
            cleaned.append(c);
    }
    if (cleaned.isEmpty())
        return {ParseStatus::Empty, 0};

    QStringView rest(cleaned);
    bool negative = false;
    if (rest.startsWith(minus) || rest.startsWith(QLatin1Char('-')) || rest.startsWith(QChar(0x2212))) {
        negative = true;
        rest = rest.mid(rest.startsWith(minus) ? minus.size() : 1);
    } else if (rest.startsWith(plus) || rest.startsWith(QLatin1Char('+'))) {
        rest = rest.mid(rest.startsWith(plus) ? plus.size() : 1);
    }

    // Digits before and after the decimal separator, kept exactly.
    unsigned __int128 units = 0;
    int decimals = 0;
    bool seenDigit = false;
    bool seenPoint = false;
    int roundingDigit = -1;
    bool stickyBeyond = false;
    constexpr unsigned __int128 kLimit = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) + 1;
    bool tooLarge = false;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QChar c = rest[i];
        if (!seenPoint && (rest.mid(i).startsWith(decimal))) {
            seenPoint = true;
            i += decimal.size() - 1;
            continue;
        }
        const int digit = c.digitValue();
        if (digit < 0 || c.unicode() > 0x7F)
            return {ParseStatus::Invalid, 0};
        seenDigit = true;
        if (seenPoint) {
            if (decimals < 4) {
                if (!tooLarge)
                    units = units * 10 + static_cast<unsigned>(digit);
                ++decimals;
            } else if (roundingDigit < 0) {
                roundingDigit = digit;
            } else if (digit != 0) {
                stickyBeyond = true;
            }
        } else if (!tooLarge) {
            units = units * 10 + static_cast<unsigned>(digit);
        }
        if (units > kLimit * 10000)
            tooLarge = true;
    }
    if (!seenDigit)
        return {ParseStatus::Invalid, 0};
    if (tooLarge)
        return {ParseStatus::TooLarge, 0};
    for (; decimals < 4; ++decimals)
        units *= 10;
    if (roundingDigit > 5 || (roundingDigit == 5 && (stickyBeyond || (units % 2) != 0)))
        units += 1;
    if (units > (negative ? kLimit : kLimit - 1))
        return {ParseStatus::TooLarge, 0};
    const auto value =
        negative ? static_cast<std::int64_t>(-static_cast<__int128>(units)) : static_cast<std::int64_t>(units);
    return {ParseStatus::Ok, value};
}

QString plainDecimal(Amount amount, const QLocale& locale) {
    const bool negative = amount < 0;
    const unsigned __int128 magnitude = negative ? static_cast<unsigned __int128>(-static_cast<__int128>(amount))
                                                 : static_cast<unsigned __int128>(amount);
    const auto whole = static_cast<unsigned long long>(magnitude / kUnitsPerWhole);
    auto fraction = static_cast<unsigned>(magnitude % kUnitsPerWhole);
    QString text = QString::number(whole);
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += locale.decimalPoint() + digits;
    }
    return negative ? locale.negativeSign() + text : text;
}

QString fixed2(Amount amount, const QLocale& locale) {
    const std::int64_t cents = divideHalfEven(amount, 100);
    const bool negative = cents < 0;
    const unsigned long long magnitude =
        negative ? static_cast<unsigned long long>(-(cents + 1)) + 1 : static_cast<unsigned long long>(cents);
    const QString text = QString::number(magnitude / 100) + locale.decimalPoint() +
                         QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    return negative ? locale.negativeSign() + text : text;
}

QString money2(Amount amount, const QLocale& locale) {
    const std::int64_t cents = divideHalfEven(amount, 100);
    return locale.toCurrencyString(static_cast<double>(cents) / 100.0, locale.currencySymbol(), 2);
}

namespace {

template <typename Format> QString formatCell(const QString& text, const QLocale& locale, Format format) {
    const ParsedAmount parsed = parseAmount(text, locale);
    if (parsed.status != ParseStatus::Ok)
        return text;
    return format(parsed.amount);
}

} // namespace

QString formatCellFixed2(const QString& text, const QLocale& locale) {
    return formatCell(text, locale, [&](Amount a) { return fixed2(a, locale); });
}

QString formatCellMoney2(const QString& text, const QLocale& locale) {
    return formatCell(text, locale, [&](Amount a) { return money2(a, locale); });
}

QString formatCellWhole(const QString& text, const QLocale& locale) {
    return formatCell(text, locale, [&](Amount a) { return QString::number(wholeUnits(a)); });
}

} // namespace store
