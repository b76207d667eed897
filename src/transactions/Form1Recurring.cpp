// Booking the recurring expenses that are due, once per start.
#include "app/Program.h"
#include "app/TForm1.h"

#include <limits>

namespace {

const QString kNoExpenseRow = QStringLiteral("9900");

// When a row's stored next date makes it due: before now or less than a millisecond from it (stored times have
// millisecond resolution). A next date that names no date is never due.
bool isDueAt(const QDateTime& next, const QDateTime& now) {
    return next.isValid() && next <= now;
}

} // namespace

// Looks at each recurring expense once, in table order, and books the due ones: an Utgift row dated with the due
// date and filed under its calendar month (not the break-day rule), the account's balance lowered, and the next
// date moved on by the interval. At most one booking per row and start, so a row that is several intervals
// behind catches up over several starts. The three writes of a booking are one transaction: all or none.
// A row whose account no longer exists, whose interval is not a positive number of months, or whose booking
// would overflow the balance is left as it is. The next dates are read in one pass and only the due rows are
// visited; the cursor ends on the last row, as after stepping through them all.
// Books the Period row `rowid` when it can be: see kollaPeriod.
void TForm1::bookDueRow(std::int64_t rowid) {
    Program& p = m_program;
    store::Table& period = p.period;
    if (!period.moveToRowId(rowid))
        return;
    const QDateTime due = period.asDateTime(u"PeriodNext");
    const std::int64_t interval = period.asInteger(u"PeriodIntervall");
    if (interval <= 0 || interval > std::numeric_limits<int>::max())
        return;
    const QString account = period.asText(u"PeriodKonto");
    const QString category = period.asText(u"PeriodKP");
    const store::Amount amount = period.asAmount(u"PeriodSumma");
    // The account row by its key; without one the cursor is left on the first row, as a search from there would.
    if (!p.konto.locate(u"Konto", account)) {
        p.konto.first();
        return;
    }
    store::Amount balance = 0;
    if (__builtin_sub_overflow(p.konto.asAmount(u"Ksumma"), amount, &balance))
        return;
    if (category != kNoExpenseRow) {
        p.utgift.append();
        p.utgift.setAmount(u"UtSumma", amount);
        p.utgift.setInteger(u"UtYear", due.date().year());
        p.utgift.setInteger(u"UtMonth", due.date().month());
        p.utgift.setText(u"UtDatum", period.asText(u"PeriodNext"));
        p.utgift.setText(u"UtKonto", account);
        p.utgift.setText(u"UtPKonto", category);
        p.utgift.post();
    }
    p.konto.edit();
    p.konto.setAmount(u"Ksumma", balance);
    p.konto.post();
    period.edit();
    period.setDateTime(u"PeriodNext", due.addMonths(static_cast<int>(interval)));
    period.post();
}

void TForm1::kollaPeriod() {
    Program& p = m_program;
    store::Table& period = p.period;
    const QDateTime now = p.clock().now();
    period.first();
    for (const auto& [rowid, next] : period.columnInOrder(u"PeriodNext")) {
        if (!isDueAt(store::Table::toDateTime(next), now))
            continue;
        // The booking's reads share its transaction; one that writes nothing commits nothing to disk.
        store::Transaction booking(p.database);
        bookDueRow(rowid);
        booking.commit();
    }
    period.last();
    period.refresh();
    FyllKonto();
}
