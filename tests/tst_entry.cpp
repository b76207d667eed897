// Adding and deleting income and expenses on the main window.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "widgets/DataGrid.h"
#include "widgets/MoneyEdit.h"
#include "widgets/NavBar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QtTest>
#include <limits>

namespace {

// The controls of one input panel; the income and the expense panel behave alike unless a test says otherwise.
struct Panel {
    QComboBox* accounts;
    QComboBox* accountKeys;
    QComboBox* categories;
    QComboBox* categoryNumbers;
    MoneyEdit* amount;
    QDateEdit* date;
    QPushButton* add;
    DataGrid* grid;
    QString table;
    QString category; // a category of the panel's kind in the shipped chart
};

Panel panel(TForm1& f, bool expense) {
    if (expense)
        return {f.ComboBox14,
                f.ComboBox7,
                f.ComboBox8,
                f.ComboBox9,
                f.UtAdvMoneyEdit1,
                f.UtDatePicker1,
                f.AdvGlowButton8,
                f.Utgrid,
                QStringLiteral("Utgift"),
                QStringLiteral("Livsmedel")};
    return {f.ComboBox13,         f.ComboBox2,       f.ComboBox10,
            f.ComboBox11,         f.InAdvMoneyEdit1, f.InDatePicker1,
            f.AdvGlowButton4,     f.InGrid1,         QStringLiteral("Inkomst"),
            QStringLiteral("Lön")};
}

// Two accounts: 1 "Lönekonto" holding 1 000,00 and 2 "Buffert" holding 0.
void startWithAccounts(TestProgram& t) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES"
                         " (1, 'Lönekonto', 'Lönekonto', 10000000, 'D'), (2, 'Buffert', 'Sparkonto', 0, 'D')"));
    t.start();
}

// Picks an item the way the user does: the select event follows.
void pick(QComboBox* box, const QString& name) {
    const int index = box->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

qint64 balance(TestProgram& t, int account) {
    return t.scalar(QStringLiteral("SELECT Ksumma FROM Konto2 WHERE Konto = %1").arg(account)).toLongLong();
}

qint64 rowCount(TestProgram& t, const QString& table) {
    return t.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toLongLong();
}

void rightClickRow(DataGrid* grid, int dataRow) {
    const QRect cell = grid->visualRect(grid->model()->index(dataRow, 2));
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, cell.center());
}

// Three rows on account 1 (amounts 1, 2 and 3 whole units), Id 1..3.
void insertRows(TestProgram& t, bool expense) {
    for (int i = 1; i <= 3; ++i) {
        if (expense)
            t.sql(QStringLiteral("INSERT INTO Utgift (UtDatum, UtKonto, UtYear, UtMonth, UtSumma, UtPKonto)"
                                 " VALUES ('2026-03-0%1', '1', 2026, 3, %2, '4100')")
                      .arg(i)
                      .arg(i * 10000));
        else
            t.sql(QStringLiteral("INSERT INTO Inkomst (InDatum, InKonto, InYear, InMonth, InSumma, InTyp)"
                                 " VALUES ('2026-03-0%1', '1', 2026, 3, %2, '1100')")
                      .arg(i)
                      .arg(i * 10000));
    }
}

void addSides() {
    QTest::addColumn<bool>("expense");
}

} // namespace

class EntryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSwedishLocale(); }

    void moneyBoxes_startAtZeroAndTakeNoMinus_data();
    void moneyBoxes_startAtZeroAndTakeNoMinus();
    void add_readsAmountInUserLocale_data();
    void add_readsAmountInUserLocale();
    void add_refusesFirstFailedCheckAndWritesNothing_data();
    void add_refusesFirstFailedCheckAndWritesNothing();
    void addThenDelete_leavesBalanceExactlyAsBefore_data();
    void addThenDelete_leavesBalanceExactlyAsBefore();
    void expenseOn9900_lowersBalanceWithoutRow();
    void budgetMonth_isSharedBetweenPanels();
    void add_resetsAmountDateAndAccountButKeepsCategory_data();
    void add_resetsAmountDateAndAccountButKeepsCategory();
    void add_overflowingBalance_isRefused_data();
    void add_overflowingBalance_isRefused();
    void rightClickOnOtherRow_deletesCurrentRow_data();
    void rightClickOnOtherRow_deletesCurrentRow();
    void rightClickOnEmptyGrid_asksWithEmptyIdAndChangesNothing_data();
    void rightClickOnEmptyGrid_asksWithEmptyIdAndChangesNothing();
    void cancelledDelete_keepsRow_andOnlyIncomeDropsAccountChoice_data();
    void cancelledDelete_keepsRow_andOnlyIncomeDropsAccountChoice();
    void deleteOfRowWithMissingAccount_deletesRowOnly_data();
    void deleteOfRowWithMissingAccount_deletesRowOnly();
    void failureBetweenRowAndBalance_leavesNeither_data();
    void failureBetweenRowAndBalance_leavesNeither();
};

void EntryTest::moneyBoxes_startAtZeroAndTakeNoMinus_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::moneyBoxes_startAtZeroAndTakeNoMinus() {
    QFETCH(bool, expense);
    TestProgram t;
    startWithAccounts(t);
    MoneyEdit* box = panel(t.form1(), expense).amount;
    QCOMPARE(box->text(), QStringLiteral("0,00"));
    box->clear();
    QTest::keyClicks(box, QStringLiteral("-12,345"));
    QCOMPARE(box->text(), QStringLiteral("12,34"));
}

void EntryTest::add_readsAmountInUserLocale_data() {
    addSides();
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("units");
    for (const bool expense : {false, true}) {
        const char* side = expense ? "expense: " : "income: ";
        QTest::addRow("%sgroup space", side) << expense << QStringLiteral("1 234,50") << qint64(12345000);
        QTest::addRow("%sno-break group space", side) << expense << QStringLiteral("1\u00A0234,5") << qint64(12345000);
        QTest::addRow("%swhole number", side) << expense << QStringLiteral("7") << qint64(70000);
        QTest::addRow("%sone cent", side) << expense << QStringLiteral("0,01") << qint64(100);
    }
}

void EntryTest::add_readsAmountInUserLocale() {
    QFETCH(bool, expense);
    QFETCH(QString, amount);
    QFETCH(qint64, units);
    TestProgram t;
    startWithAccounts(t);
    const Panel p = panel(t.form1(), expense);
    pick(p.accounts, QStringLiteral("Buffert"));
    pick(p.categories, p.category);
    p.amount->setText(amount);
    p.add->click();
    QVERIFY(t.dialogs.messages.empty());
    QCOMPARE(t.scalar(QStringLiteral("SELECT %1Summa FROM %2")
                          .arg(expense ? QStringLiteral("Ut") : QStringLiteral("In"), p.table))
                 .toLongLong(),
             units);
    QCOMPARE(balance(t, 2), expense ? -units : units);
}

void EntryTest::add_refusesFirstFailedCheckAndWritesNothing_data() {
    addSides();
    QTest::addColumn<QString>("account");      // picked account, empty for none
    QTest::addColumn<QString>("accountTyped"); // text typed over the account list afterwards (null: none)
    QTest::addColumn<QString>("category");     // picked category ("*": the panel's own), empty for none
    QTest::addColumn<QString>("categoryTyped");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message");

    const QString none;
    const QString acc = QStringLiteral("Lönekonto");
    const QString cat = QStringLiteral("*");
    const QString tooLarge =
        QStringLiteral("Summan är för stor. Den högsta summa som kan anges är 10\u00A0000\u00A0000\u00A0000 kr.");
    for (const bool expense : {false, true}) {
        const char* side = expense ? "expense: " : "income: ";
        const QString noAccount = QStringLiteral("Inget konto valt");
        const QString noCategory =
            expense ? QStringLiteral("Ingen kostnadstyp valt") : QStringLiteral("Inget inkomsttyp vald");
        const QString noAmount =
            expense ? QStringLiteral("Ingen summa eller negativ summa angiven") : QStringLiteral("Inget summa angiven");
        const auto row = [&](const char* name) -> QTestData& { return QTest::addRow("%s%s", side, name) << expense; };
        row("nothing chosen") << none << none << none << none << QStringLiteral("0,00") << noAccount;
        row("account name typed over a pick")
            << acc << QStringLiteral("Buffert") << cat << none << QStringLiteral("5,00") << noAccount;
        row("account name typed without a pick")
            << none << QStringLiteral("Lönekonto") << cat << none << QStringLiteral("5,00") << noAccount;
        row("no category") << acc << none << none << none << QStringLiteral("0,00") << noCategory;
        row("category name typed without a pick")
            << acc << none << none << QStringLiteral("Pension") << QStringLiteral("5,00") << noCategory;
        row("category text changed after a pick")
            << acc << none << cat << QStringLiteral("Annat") << QStringLiteral("5,00") << noCategory;
        row("zero amount") << acc << none << cat << none << QStringLiteral("0,00") << noAmount;
        row("empty amount") << acc << none << cat << none << QString() << noAmount;
        row("unreadable amount") << acc << none << cat << none << QStringLiteral("1,2,3") << noAmount;
        row("amount above the box maximum")
            << acc << none << cat << none << QStringLiteral("10 000 000 000,01") << tooLarge;
        row("amount beyond 64 bits") << acc << none << cat << none << QStringLiteral("99999999999999999999")
                                     << tooLarge;
    }
    // The box takes no minus; were one to come through, the expense still refuses it.
    QTest::addRow("expense: negative amount") << true << acc << none << cat << none << QStringLiteral("-5,00")
                                              << QStringLiteral("Ingen summa eller negativ summa angiven");
}

void EntryTest::add_refusesFirstFailedCheckAndWritesNothing() {
    QFETCH(bool, expense);
    QFETCH(QString, account);
    QFETCH(QString, accountTyped);
    QFETCH(QString, category);
    QFETCH(QString, categoryTyped);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    TestProgram t;
    startWithAccounts(t);
    const Panel p = panel(t.form1(), expense);
    if (!account.isEmpty())
        pick(p.accounts, account);
    if (!accountTyped.isNull())
        p.accounts->setEditText(accountTyped);
    if (!category.isEmpty())
        pick(p.categories, category == QLatin1String("*") ? p.category : category);
    if (!categoryTyped.isNull())
        p.categories->setEditText(categoryTyped);
    p.amount->setText(amount);
    p.add->click();

    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QCOMPARE(t.dialogs.messages[0].text, message);
    QCOMPARE(rowCount(t, p.table), 0);
    QCOMPARE(balance(t, 1), 10000000);
    QCOMPARE(balance(t, 2), 0);
}

void EntryTest::addThenDelete_leavesBalanceExactlyAsBefore_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::addThenDelete_leavesBalanceExactlyAsBefore() {
    QFETCH(bool, expense);
    TestProgram t;
    startWithAccounts(t);
    TForm1& f = t.form1();
    const Panel p = panel(f, expense);
    pick(p.accounts, QStringLiteral("Lönekonto"));
    pick(p.categories, p.category);
    p.amount->setText(QStringLiteral("250,50"));
    const QString dateText = p.date->text();
    p.add->click();

    QVERIFY(t.dialogs.messages.empty());
    QCOMPARE(balance(t, 1), expense ? 10000000 - 2505000 : 10000000 + 2505000);
    QCOMPARE(balance(t, 2), 0);
    const QString prefix = expense ? QStringLiteral("Ut") : QStringLiteral("In");
    const QString stored =
        t.scalar(QStringLiteral("SELECT %1Datum || '|' || %1Konto || '|' || %1Year || '|' ||"
                                " %1Month || '|' || %1Summa || '|' || %2 FROM %3")
                     .arg(prefix, expense ? QStringLiteral("UtPKonto") : QStringLiteral("InTyp"), p.table))
            .toString();
    QCOMPARE(stored, QStringLiteral("%1|1|2026|3|2505000|%2")
                         .arg(dateText, expense ? QStringLiteral("4100") : QStringLiteral("1100")));

    t.dialogs.answers = {true};
    (expense ? f.Utgrid : f.InGrid1)->rightClickCell(1, 1);
    QCOMPARE(t.dialogs.last(), expense ? QStringLiteral("Radera följande utgift med Id: 1  ? ")
                                       : QStringLiteral("Radera följande inkomst med Id: 1  ? "));
    QCOMPARE(rowCount(t, p.table), 0);
    QCOMPARE(balance(t, 1), 10000000);
    QCOMPARE(p.grid->model()->rowCount(), 0);
}

void EntryTest::expenseOn9900_lowersBalanceWithoutRow() {
    TestProgram t;
    startWithAccounts(t);
    const Panel p = panel(t.form1(), true);
    pick(p.accounts, QStringLiteral("Buffert"));
    pick(p.categories, QStringLiteral("Kontantuttag"));
    p.amount->setText(QStringLiteral("100,00"));
    p.add->click();
    QVERIFY(t.dialogs.messages.empty());
    QCOMPARE(rowCount(t, QStringLiteral("Utgift")), 0);
    QCOMPARE(balance(t, 2), -1000000);
    QCOMPARE(balance(t, 1), 10000000);
}

void EntryTest::budgetMonth_isSharedBetweenPanels() {
    TestProgram t;
    startWithAccounts(t); // today 10 March 2026, break day 25
    TForm1& f = t.form1();
    f.InDatePicker1->setDate(QDate(2026, 5, 27));
    const Panel p = panel(f, true);
    const QString today = p.date->text();
    pick(p.accounts, QStringLiteral("Lönekonto"));
    pick(p.categories, p.category);
    p.amount->setText(QStringLiteral("12,00"));
    p.add->click();
    QCOMPARE(t.scalar(QStringLiteral("SELECT UtDatum || '|' || UtYear || '|' || UtMonth FROM Utgift")).toString(),
             today + QStringLiteral("|2026|6"));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2026, 3}));
}

void EntryTest::add_resetsAmountDateAndAccountButKeepsCategory_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::add_resetsAmountDateAndAccountButKeepsCategory() {
    QFETCH(bool, expense);
    TestProgram t;
    startWithAccounts(t);
    TForm1& f = t.form1();
    const Panel p = panel(f, expense);
    const Panel other = panel(f, !expense);
    pick(other.accounts, QStringLiteral("Buffert"));
    pick(p.accounts, QStringLiteral("Lönekonto"));
    pick(p.categories, p.category);
    const QString number = p.categoryNumbers->currentText();
    p.date->setDate(QDate(2026, 1, 30));
    t.clock.current = QDateTime(QDate(2026, 4, 26), QTime(8, 0));
    p.amount->setText(QStringLiteral("7,25"));
    p.add->click();

    QVERIFY(t.dialogs.messages.empty());
    QCOMPARE(p.amount->text(), QString());
    QCOMPARE(p.date->date(), QDate(2026, 4, 26));
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2026, 5}));
    for (const Panel& each : {p, other}) {
        QCOMPARE(each.accounts->currentText(), QString());
        QCOMPARE(each.accountKeys->currentIndex(), -1);
    }
    QCOMPARE(p.categories->currentText(), p.category);
    QCOMPARE(p.categoryNumbers->currentText(), number);
    QCOMPARE(p.categories->toolTip(), QStringLiteral("Kontoplan : ") + number);
}

void EntryTest::add_overflowingBalance_isRefused_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::add_overflowingBalance_isRefused() {
    QFETCH(bool, expense);
    TestProgram t;
    const qint64 edge = expense ? std::numeric_limits<qint64>::min() + 5000 : std::numeric_limits<qint64>::max() - 5000;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES (1, 'Kant', 'Lån', %1, 'K')")
              .arg(edge));
    t.start();
    const Panel p = panel(t.form1(), expense);
    pick(p.accounts, QStringLiteral("Kant"));
    pick(p.categories, p.category);
    p.amount->setText(QStringLiteral("1,00"));
    p.add->click();
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QVERIFY(t.dialogs.last().contains(QStringLiteral("saldo")));
    QCOMPARE(rowCount(t, p.table), 0);
    QCOMPARE(balance(t, 1), edge);
}

void EntryTest::rightClickOnOtherRow_deletesCurrentRow_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::rightClickOnOtherRow_deletesCurrentRow() {
    QFETCH(bool, expense);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES (1, 'L', 'L', 0, 'D')"));
    insertRows(t, expense);
    t.start();
    TForm1& f = t.form1();
    f.AdvNavBar1->setActiveTabIndex(expense ? 2 : 1);
    const Panel p = panel(f, expense);
    store::Table& table = expense ? t.program().utgift : t.program().inkomst;
    QVERIFY(table.moveToRow(0)); // Id 1 selected
    rightClickRow(p.grid, 2);    // the mouse on Id 3

    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QVERIFY(t.dialogs.last().endsWith(QStringLiteral("Id: 1  ? ")));
    QCOMPARE(t.scalar(QStringLiteral("SELECT group_concat(Id) FROM %1").arg(p.table)).toString(),
             QStringLiteral("2,3"));
    QCOMPARE(balance(t, 1), expense ? 10000 : -10000);
}

void EntryTest::rightClickOnEmptyGrid_asksWithEmptyIdAndChangesNothing_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::rightClickOnEmptyGrid_asksWithEmptyIdAndChangesNothing() {
    QFETCH(bool, expense);
    TestProgram t;
    startWithAccounts(t);
    TForm1& f = t.form1();
    f.AdvNavBar1->setActiveTabIndex(expense ? 2 : 1);
    const Panel p = panel(f, expense);
    pick(p.accounts, QStringLiteral("Buffert"));
    QTest::mouseClick(p.grid->viewport(), Qt::RightButton, {}, QPoint(40, 40));

    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.last(), expense ? QStringLiteral("Radera följande utgift med Id:   ? ")
                                       : QStringLiteral("Radera följande inkomst med Id:   ? "));
    QCOMPARE(balance(t, 1), 10000000);
    QCOMPARE(balance(t, 2), 0);
    QCOMPARE(p.accounts->currentText(), QStringLiteral("Buffert")); // no refill
}

void EntryTest::cancelledDelete_keepsRow_andOnlyIncomeDropsAccountChoice_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::cancelledDelete_keepsRow_andOnlyIncomeDropsAccountChoice() {
    QFETCH(bool, expense);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES (1, 'L', 'L', 0, 'D')"));
    insertRows(t, expense);
    t.start();
    TForm1& f = t.form1();
    pick(f.ComboBox13, QStringLiteral("L"));
    pick(f.ComboBox14, QStringLiteral("L"));
    t.dialogs.answers = {false};
    (expense ? f.Utgrid : f.InGrid1)->rightClickCell(0, 0);

    QCOMPARE(rowCount(t, panel(f, expense).table), 3);
    QCOMPARE(balance(t, 1), 0);
    const QString kept = expense ? QStringLiteral("L") : QString();
    QCOMPARE(f.ComboBox13->currentText(), kept);
    QCOMPARE(f.ComboBox14->currentText(), kept);
}

void EntryTest::deleteOfRowWithMissingAccount_deletesRowOnly_data() {
    addSides();
    QTest::newRow("income") << false;
    QTest::newRow("expense") << true;
}

void EntryTest::deleteOfRowWithMissingAccount_deletesRowOnly() {
    QFETCH(bool, expense);
    TestProgram t;
    insertRows(t, expense); // on account 1, which does not exist
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES"
                         " (2, 'A', 'A', 500, 'D'), (3, 'B', 'B', 700, 'D')"));
    t.start();
    TForm1& f = t.form1();
    (expense ? f.Utgrid : f.InGrid1)->rightClickCell(1, 1);
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(rowCount(t, panel(f, expense).table), 2);
    QCOMPARE(balance(t, 2), 500);
    QCOMPARE(balance(t, 3), 700);
}

void EntryTest::failureBetweenRowAndBalance_leavesNeither_data() {
    addSides();
    QTest::addColumn<bool>("deleting");
    QTest::newRow("income add") << false << false;
    QTest::newRow("expense add") << true << false;
    QTest::newRow("income delete") << false << true;
    QTest::newRow("expense delete") << true << true;
}

void EntryTest::failureBetweenRowAndBalance_leavesNeither() {
    QFETCH(bool, expense);
    QFETCH(bool, deleting);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Konto, Knamn, Ktyp, Ksumma, Kdebit) VALUES (1, 'L', 'L', 0, 'D')"));
    if (deleting)
        insertRows(t, expense);
    t.start();
    const Panel p = panel(t.form1(), expense);
    // An add writes the row first, a delete the balance first: fail the second write.
    const QString failing = deleting ? p.table : QStringLiteral("Konto2");
    t.program().database.setWriteHook([failing](const QString& table) {
        if (table == failing)
            throw store::Error(QStringLiteral("Skrivfel"));
    });
    if (deleting) {
        p.grid->rightClickCell(1, 1);
    } else {
        pick(p.accounts, QStringLiteral("L"));
        pick(p.categories, p.category);
        p.amount->setText(QStringLiteral("10,00"));
        p.add->click();
    }
    t.program().database.setWriteHook({});

    QCOMPARE(t.dialogs.last(), QStringLiteral("Skrivfel"));
    QCOMPARE(t.dialogs.messages.back().kind, QStringLiteral("error"));
    QCOMPARE(rowCount(t, p.table), deleting ? 3 : 0);
    QCOMPARE(balance(t, 1), 0);
    // The cursors hold only stored rows afterwards.
    QCOMPARE(t.program().konto.asAmount(u"Ksumma"), 0);
    QCOMPARE((expense ? t.program().utgift : t.program().inkomst).recordCount(), deleting ? 3 : 0);
}

QTEST_MAIN(EntryTest)
#include "tst_entry.moc"
