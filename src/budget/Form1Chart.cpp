// The main window's category refill, budget totals and budget editing rule.
#include "app/Program.h"
#include "app/TForm1.h"
#include "transactions/TForm3.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QPushButton>

namespace {

bool isGroupRow(const QString& number) {
    return number.contains(QLatin1String("000"));
}

} // namespace

// Refills the six category lists in chart order (no group rows) and the two monthly budget totals. Group rows
// count in the totals; any type but "Ut" counts as income. The chart is left on its last row.
void TForm1::FyllKontoplan() {
    Program& p = m_program;
    QStringList expenseNames;
    QStringList expenseNumbers;
    QStringList incomeNames;
    QStringList incomeNumbers;
    qint64 incomeTotal = 0;
    qint64 expenseTotal = 0;
    store::Statement query(p.database,
                           QStringLiteral("SELECT KPnummer, KPnamn, KPtyp, KPBudget FROM Kontoplan ORDER BY KPnummer"));
    while (query.step()) {
        const QString number = query.textValue(0);
        const QString type = query.textValue(2);
        const qint64 budget = query.intValue(3);
        if (type == QLatin1String("Ut"))
            expenseTotal += budget;
        else
            incomeTotal += budget;
        if (isGroupRow(number))
            continue;
        if (type == QLatin1String("Ut")) {
            expenseNames << query.textValue(1);
            expenseNumbers << number;
        } else if (type == QLatin1String("In")) {
            incomeNames << query.textValue(1);
            incomeNumbers << number;
        }
    }
    const auto fill = [](QComboBox* names, QComboBox* numbers, const QStringList& nameItems,
                         const QStringList& numberItems) {
        picklist::clear(names, numbers);
        names->addItems(nameItems);
        numbers->addItems(numberItems);
        picklist::finishFill(names, numbers);
    };
    fill(ComboBox8, ComboBox9, expenseNames, expenseNumbers);
    fill(p.form3->ComboBox3, p.form3->ComboBox4, expenseNames, expenseNumbers);
    fill(ComboBox10, ComboBox11, incomeNames, incomeNumbers);
    BudgetIn->setText(QStringLiteral("Budget inkomster = %1 Kr").arg(incomeTotal));
    BudgetUt->setText(QStringLiteral("Budget utgifter = %1 Kr").arg(expenseTotal));
    p.kontoplan.last();
}

void TForm1::DBAdvGrid2ClickCell(int, int) {}

void TForm1::setupChart() {}
