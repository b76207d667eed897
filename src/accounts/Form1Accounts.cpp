// The main window's account refill, balance summary and account delete.
#include "accounts/TForm7.h"
#include "app/Program.h"
#include "app/TForm1.h"
#include "transactions/TForm3.h"
#include "widgets/PickList.h"
#include "widgets/StringGrid.h"

#include <QComboBox>
#include <array>
#include <utility>

// Refills the ten account lists of three windows in table order and recomputes the summary. One query does
// what a pass over the cursor would; the cursor is left on the last account as a pass leaves it.
void TForm1::FyllKonto() {
    Program& p = m_program;
    const std::array<std::pair<QComboBox*, QComboBox*>, 5> pairs{{{ComboBox13, ComboBox2},
                                                                  {ComboBox14, ComboBox7},
                                                                  {p.form7->ComboBox6, p.form7->ComboBox4},
                                                                  {p.form7->ComboBox12, p.form7->ComboBox5},
                                                                  {p.form3->ComboBox2, p.form3->ComboBox1}}};
    QStringList names;
    QStringList keys;
    store::Amount assets = 0;
    store::Amount liabilities = 0;
    store::KeptStatement query(p.database,
                               QStringLiteral("SELECT Konto, Knamn, Kdebit, Ksumma FROM Konto2 ORDER BY Konto"));
    while (query->step()) {
        keys << QString::number(query->intValue(0));
        names << query->textValue(1);
        if (query->textValue(2) == QLatin1String("K"))
            liabilities += query->intValue(3);
        else
            assets += query->intValue(3);
    }
    // Lists that already hold these accounts only lose their choice, as a refill would leave them.
    for (const auto& [nameList, keyList] : pairs)
        picklist::fill(nameList, keyList, names, keys);
    // With no account the summary shows zero totals, not those of an account that is gone.
    const QString labels[] = {QStringLiteral("Tillgångar"), QStringLiteral("Skulder"), QStringLiteral("Resultat")};
    const store::Amount totals[] = {assets, liabilities, assets - liabilities};
    for (int row = 1; row <= 3; ++row) {
        DebitGrid->setCell(1, row, labels[row - 1]);
        DebitGrid->setCell(2, row, store::plainDecimal(totals[row - 1]));
    }
    p.konto.last();
}

// A right click anywhere on the grid, header included, asks about the current account, not the row under the
// mouse (a right click does not move the cursor).
void TForm1::KontoGridRightClickCell(int, int) {
    store::Table& konto = m_program.konto;
    if (!konto.hasCurrent() || konto.state() != store::Table::State::Browse)
        return;
    if (m_program.dialogs().question(QStringLiteral("Radera följande : ") + konto.asText(u"Knamn") +
                                     QStringLiteral("? ")))
        Button2Click();
}

// Deletes the current account. Its income, expense and recurring rows keep its key.
void TForm1::Button2Click() {
    m_program.konto.deleteCurrent();
    FyllKonto();
}

void TForm1::setupAccounts() {}
