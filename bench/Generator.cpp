#include "Generator.h"

#include "store/Database.h"
#include "store/DbSetup.h"
#include "store/Table.h"

#include <QDate>
#include <QLocale>
#include <QSet>
#include <QStringList>
#include <random>

namespace bench {

namespace {

// Appends rows in transactions of `batch` rows so a large table is written in seconds, durable at each commit.
template <typename Fill> void appendRows(store::Database& db, store::Table& table, int count, Fill fill) {
    constexpr int batch = 20000;
    for (int done = 0; done < count;) {
        store::Transaction transaction(db);
        for (int i = 0; i < batch && done < count; ++i, ++done) {
            table.append();
            fill(table, done);
            table.post();
        }
        transaction.commit();
    }
}

} // namespace

void generateDatabase(const QString& directory, const GeneratorOptions& options) {
    store::createDatabaseDirectory(directory, QStringLiteral(SLANTVIS_DATA_DIR));
    store::Database db;
    db.open(directory);
    store::Table konto(db, QStringLiteral("Konto2"), QStringLiteral("Konto"));
    store::Table inkomst(db, QStringLiteral("Inkomst"), QStringLiteral("Id"));
    store::Table utgift(db, QStringLiteral("Utgift"), QStringLiteral("Id"));
    store::Table kontoplan(db, QStringLiteral("Kontoplan"), QString(), QStringLiteral("KPnummer"));
    store::Table period(db, QStringLiteral("Period"), QStringLiteral("Id"));
    for (store::Table* table : {&konto, &inkomst, &utgift, &kontoplan, &period})
        table->open();

    std::mt19937_64 random(options.seed);
    const auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    appendRows(db, konto, options.accounts, [&](store::Table& t, int i) {
        t.setText(QStringLiteral("Knummer"), QStringLiteral("%1-%2").arg(8000 + i).arg(uniform(100000, 999999)));
        t.setText(QStringLiteral("Knamn"), QStringLiteral("Konto %1").arg(i + 1));
        t.setText(QStringLiteral("Ktyp"), i % 4 == 3 ? QStringLiteral("Lån") : QStringLiteral("Lönekonto"));
        t.setAmount(QStringLiteral("Ksumma"), static_cast<store::Amount>(uniform(0, 5'000'000)) * 100);
        t.setText(QStringLiteral("Kdebit"), i % 4 == 3 ? QStringLiteral("K") : QStringLiteral("D"));
    });

    // Extra categories with free four-digit numbers that are not group rows.
    QSet<QString> taken;
    QStringList expenseNumbers;
    QStringList incomeNumbers;
    for (kontoplan.first(); !kontoplan.isEmpty();) {
        const QString number = kontoplan.asText(QStringLiteral("KPnummer"));
        taken.insert(number);
        if (!number.contains(QLatin1String("000")) && number != QLatin1String("9900"))
            (kontoplan.asText(QStringLiteral("KPtyp")) == QLatin1String("Ut") ? expenseNumbers : incomeNumbers)
                << number;
        const qint64 before = kontoplan.currentRowId();
        kontoplan.next();
        if (kontoplan.currentRowId() == before)
            break;
    }
    QStringList extra;
    for (int number = 2001; extra.size() < options.extraCategories && number <= 9899; ++number) {
        const QString text = QString::number(number);
        if (!taken.contains(text) && !text.contains(QLatin1String("000")))
            extra << text;
    }
    appendRows(db, kontoplan, static_cast<int>(extra.size()), [&](store::Table& t, int i) {
        const bool income = i % 5 == 0;
        t.setText(QStringLiteral("KPnummer"), extra[i]);
        t.setText(QStringLiteral("KPnamn"), QStringLiteral("Kategori %1").arg(extra[i]));
        t.setText(QStringLiteral("KPtyp"), income ? QStringLiteral("In") : QStringLiteral("Ut"));
        t.setInteger(QStringLiteral("KPBudget"), uniform(0, 5000));
        (income ? incomeNumbers : expenseNumbers) << extra[i];
    });

    const QDate first(2016, 1, 1);
    const int days = static_cast<int>(first.daysTo(first.addYears(options.years)));
    const QLocale locale;
    const auto entry = [&](store::Table& t, const QString& prefix, const QStringList& categories, int i, int count) {
        // Spread evenly over the years so every month holds rows.
        const QDate date = first.addDays(static_cast<qint64>(i) * days / count);
        const QDate budget = date.day() >= 25 ? date.addMonths(1) : date;
        t.setText(prefix + QStringLiteral("Datum"), locale.toString(date, QLocale::ShortFormat));
        t.setText(prefix + QStringLiteral("Konto"), QString::number(uniform(1, options.accounts)));
        t.setInteger(prefix + QStringLiteral("Year"), budget.year());
        t.setInteger(prefix + QStringLiteral("Month"), budget.month());
        t.setAmount(prefix + QStringLiteral("Summa"), static_cast<store::Amount>(uniform(1, 2'000'000)) * 100);
        t.setText(prefix == QLatin1String("In") ? QStringLiteral("InTyp") : QStringLiteral("UtPKonto"),
                  categories[uniform(0, static_cast<int>(categories.size()) - 1)]);
    };
    appendRows(db, utgift, options.expenses,
               [&](store::Table& t, int i) { entry(t, QStringLiteral("Ut"), expenseNumbers, i, options.expenses); });
    appendRows(db, inkomst, options.incomes,
               [&](store::Table& t, int i) { entry(t, QStringLiteral("In"), incomeNumbers, i, options.incomes); });

    const QDate today = QDate::currentDate();
    appendRows(db, period, options.recurring, [&](store::Table& t, int i) {
        t.setText(QStringLiteral("PeriodNamn"), QStringLiteral("Återkommande %1").arg(i + 1));
        t.setText(QStringLiteral("PeriodKP"), expenseNumbers[uniform(0, static_cast<int>(expenseNumbers.size()) - 1)]);
        t.setAmount(QStringLiteral("PeriodSumma"), static_cast<store::Amount>(uniform(100, 50'000)) * 100);
        t.setInteger(QStringLiteral("PeriodIntervall"), uniform(1, 12));
        t.setText(QStringLiteral("PeriodKonto"), QString::number(uniform(1, options.accounts)));
        const QDate next = i % 2 == 0 ? today.addDays(-uniform(1, 300)) : today.addDays(uniform(30, 300));
        t.setDateTime(QStringLiteral("PeriodNext"), next.startOfDay());
    });
}

} // namespace bench
