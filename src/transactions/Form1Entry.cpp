// Adding and deleting income and expenses on the main window. A transaction row and the balance change it
// causes are written in one store transaction: both or neither.
#include "app/Program.h"
#include "app/TForm1.h"
#include "widgets/MoneyEdit.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLocale>
#include <optional>

namespace {

const QString kBalanceTooLarge =
    QStringLiteral("Summan kan inte bokas: kontots saldo skulle bli större än vad programmet kan lagra.");
const QString kDeleteBalanceTooLarge =
    QStringLiteral("Raden kan inte raderas: kontots saldo skulle bli större än vad programmet kan lagra.");
const QString kAccountGone = QStringLiteral("Det valda kontot finns inte längre. Välj konto igen.");

// balance + change, or nothing when the result does not fit in an amount.
std::optional<store::Amount> sum(store::Amount balance, store::Amount change) {
    store::Amount result = 0;
    if (__builtin_add_overflow(balance, change, &result))
        return std::nullopt;
    return result;
}

std::optional<store::Amount> difference(store::Amount balance, store::Amount change) {
    store::Amount result = 0;
    if (__builtin_sub_overflow(balance, change, &result))
        return std::nullopt;
    return result;
}

// Puts the account cursor on the account with `key`; false when no account has it.
bool locateAccount(store::Table& konto, const QString& key) {
    konto.first();
    return konto.locate(u"Konto", key);
}

} // namespace

void TForm1::AdvGlowButton4Click() {
    Program& p = m_program;
    const QString accountKey = picklist::chosenKey(ComboBox13, ComboBox2);
    if (accountKey.isEmpty()) {
        p.dialogs().warning(QStringLiteral("Inget konto valt"));
        return;
    }
    const QString category = picklist::chosenKey(ComboBox10, ComboBox11);
    if (ComboBox10->currentText().isEmpty() || category.isEmpty()) {
        p.dialogs().warning(QStringLiteral("Inget inkomsttyp vald"));
        return;
    }
    const store::ParsedAmount parsed = InAdvMoneyEdit1->parsedValue();
    if (!MoneyEdit::isStorable(parsed)) {
        p.dialogs().warning(MoneyEdit::tooLargeMessage());
        return;
    }
    const store::Amount amount = InAdvMoneyEdit1->value();
    if (amount == 0) {
        p.dialogs().warning(QStringLiteral("Inget summa angiven"));
        return;
    }
    if (!locateAccount(p.konto, accountKey)) {
        p.dialogs().warning(kAccountGone);
        return;
    }
    const std::optional<store::Amount> balance = sum(p.konto.asAmount(u"Ksumma"), amount);
    if (!balance) {
        p.dialogs().warning(kBalanceTooLarge);
        return;
    }

    store::Transaction transaction(p.database);
    p.inkomst.append();
    p.inkomst.setText(u"InDatum", InDatePicker1->text());
    p.inkomst.setText(u"InKonto", accountKey);
    p.inkomst.setInteger(u"InYear", p.budgetMonth.year);
    p.inkomst.setInteger(u"InMonth", p.budgetMonth.month);
    p.inkomst.setAmount(u"InSumma", amount);
    p.inkomst.setText(u"InTyp", category);
    p.inkomst.post();
    p.konto.edit();
    p.konto.setAmount(u"Ksumma", *balance);
    p.konto.post();
    transaction.commit();

    // What follows only reads: under one lock.
    store::Transaction reads(p.database, store::Transaction::Kind::Read);
    InAdvMoneyEdit1->clear();
    InDatePicker1->setDateTime(p.clock().now());
    startdatum();
    FyllKonto();
    reads.commit();
}

void TForm1::AdvGlowButton8Click() {
    Program& p = m_program;
    const QString accountKey = picklist::chosenKey(ComboBox14, ComboBox7);
    if (accountKey.isEmpty()) {
        p.dialogs().warning(QStringLiteral("Inget konto valt"));
        return;
    }
    const QString category = picklist::chosenKey(ComboBox8, ComboBox9);
    if (ComboBox8->currentText().isEmpty() || category.isEmpty()) {
        p.dialogs().warning(QStringLiteral("Ingen kostnadstyp valt"));
        return;
    }
    const store::ParsedAmount parsed = UtAdvMoneyEdit1->parsedValue();
    if (!MoneyEdit::isStorable(parsed)) {
        p.dialogs().warning(MoneyEdit::tooLargeMessage());
        return;
    }
    const store::Amount amount = UtAdvMoneyEdit1->value();
    if (amount <= 0) {
        p.dialogs().warning(QStringLiteral("Ingen summa eller negativ summa angiven"));
        return;
    }
    if (!locateAccount(p.konto, accountKey)) {
        p.dialogs().warning(kAccountGone);
        return;
    }
    const std::optional<store::Amount> balance = difference(p.konto.asAmount(u"Ksumma"), amount);
    if (!balance) {
        p.dialogs().warning(kBalanceTooLarge);
        return;
    }

    // Category 9900 lowers the balance without an expense row.
    const bool writesRow = category != QLatin1String("9900");
    store::Transaction transaction(p.database);
    if (writesRow) {
        p.utgift.append();
        p.utgift.setText(u"UtDatum", UtDatePicker1->text());
        p.utgift.setText(u"UtKonto", accountKey);
        p.utgift.setInteger(u"UtYear", p.budgetMonth.year);
        p.utgift.setInteger(u"UtMonth", p.budgetMonth.month);
        p.utgift.setAmount(u"UtSumma", amount);
        p.utgift.setText(u"UtPKonto", category);
        p.utgift.post();
    }
    p.konto.edit();
    p.konto.setAmount(u"Ksumma", *balance);
    p.konto.post();
    transaction.commit();

    // What follows only reads: under one lock.
    store::Transaction reads(p.database, store::Transaction::Kind::Read);
    if (writesRow)
        p.utgift.last();
    UtAdvMoneyEdit1->clear();
    UtDatePicker1->setDateTime(p.clock().now());
    startdatum();
    FyllKonto();
    reads.commit();
}

namespace {

// Deletes the current row of `entries` and corrects its account by the stored amount (an income is taken back,
// an expense given back), both in one transaction. When the account no longer exists only the row goes.
void deleteCurrentEntry(Program& p, store::Table& entries, QStringView accountField, QStringView amountField,
                        bool income) {
    const store::Amount amount = entries.asAmount(amountField);
    const bool accountFound = locateAccount(p.konto, entries.asText(accountField));
    std::optional<store::Amount> balance;
    if (accountFound) {
        const store::Amount old = p.konto.asAmount(u"Ksumma");
        balance = income ? difference(old, amount) : sum(old, amount);
        if (!balance) {
            p.dialogs().warning(kDeleteBalanceTooLarge);
            return;
        }
    }
    store::Transaction transaction(p.database);
    if (balance) {
        p.konto.edit();
        p.konto.setAmount(u"Ksumma", *balance);
        p.konto.post();
    }
    p.konto.refresh();
    entries.deleteCurrent();
    transaction.commit();
    // What follows only reads: under one lock.
    store::Transaction reads(p.database, store::Transaction::Kind::Read);
    entries.refresh();
    p.form1->FyllKonto();
    reads.commit();
}

} // namespace

// Both deletes act on the table's current row, whatever cell was clicked. A cancelled income delete still
// refills the account lists; a cancelled expense delete changes nothing.
void TForm1::InGrid1RightClickCell(int, int) {
    Program& p = m_program;
    if (!p.dialogs().question(QStringLiteral("Radera följande inkomst med Id: ") + p.inkomst.asText(u"Id") +
                              QStringLiteral("  ? "))) {
        FyllKonto();
        return;
    }
    if (!p.inkomst.asText(u"Id").isEmpty())
        deleteCurrentEntry(p, p.inkomst, u"InKonto", u"InSumma", true);
}

void TForm1::UtgridRightClickCell(int, int) {
    Program& p = m_program;
    if (!p.dialogs().question(QStringLiteral("Radera följande utgift med Id: ") + p.utgift.asText(u"Id") +
                              QStringLiteral("  ? ")))
        return;
    if (!p.utgift.asText(u"Id").isEmpty())
        deleteCurrentEntry(p, p.utgift, u"UtKonto", u"UtSumma", false);
}

void TForm1::setupEntry() {}
