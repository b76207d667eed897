// Account refill, balance summary, creating and deleting accounts.
#include "TestProgram.h"
#include "accounts/TForm6.h"
#include "accounts/TForm7.h"
#include "app/TForm1.h"
#include "transactions/TForm3.h"
#include "widgets/DataGrid.h"
#include "widgets/MoneyEdit.h"
#include "widgets/StringGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <optional>

namespace {

void addAccount(TestProgram& t, const QString& name, qint64 units, const QString& kdebit) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('%1', 'Lönekonto', %2, '%3')")
              .arg(name)
              .arg(units)
              .arg(kdebit));
}

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// The summary as shown, "label=value" per row, spaces of any kind as plain spaces.
QStringList summary(TForm1& f) {
    QStringList rows;
    for (int row = 1; row <= 3; ++row)
        rows << f.DebitGrid->cell(1, row) + u'=' + f.DebitGrid->displayText(2, row).replace(QChar(0x00A0), u' ');
    return rows;
}

// Fills the create-account window and presses "Spara Konto" while it is open from the main window; without
// `debit` the Debit / Kredit box keeps its text.
void saveAccount(TestProgram& t, const QString& name, const QString& type, const std::optional<QString>& debit,
                 const QString& money, const QString& number = {}) {
    TForm6* form = t.program().form6;
    whenModalShows([=](QWidget*) {
        form->Edit2->setText(name);
        form->Edit1->setText(number);
        form->ComboBox3->setEditText(type);
        if (debit)
            form->ComboBox15->setEditText(*debit);
        form->DBAdvMoneyEdit1->setText(money);
        form->AdvGlowButton5->click();
        if (form->isVisible())
            form->AdvGlowButton1->click();
    });
    t.form1().AdvGlowButton1Click();
}

} // namespace

class AccountsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSwedishLocale(); }
    void refill_fillsEveryPairInTableOrderAndSummary();
    void refill_fourDecimalBalancesEnterTotalsExactly();
    void save_storesAccountAndMarksDebitOnlyForExactTillgang_data();
    void save_storesAccountAndMarksDebitOnlyForExactTillgang();
    void save_resetsInputsButKeepsDebitKredit();
    void save_emptiedMoneyBoxStoresEmptyBalanceCountedAsZero();
    void save_refusesMissingInputsInOrder_data();
    void save_refusesMissingInputsInOrder();
    void rightClick_asksAboutCurrentRowNotClickedOne_data();
    void rightClick_asksAboutCurrentRowNotClickedOne();
    void rightClick_onEmptyTable_asksNothing();
    void deleteLastAccount_showsZeroTotals();
};

void AccountsTest::refill_fillsEveryPairInTableOrderAndSummary() {
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 20'000'000, QStringLiteral("D"));
    addAccount(t, QStringLiteral("Lån"), 5'000'000, QStringLiteral("K"));
    t.start();
    TForm1& f = t.form1();
    TForm7& f7 = *t.program().form7;
    TForm3& f3 = *t.program().form3;
    const QStringList keys{t.scalar(QStringLiteral("SELECT Konto FROM Konto2 WHERE Knamn = 'Lön'")).toString(),
                           t.scalar(QStringLiteral("SELECT Konto FROM Konto2 WHERE Knamn = 'Lån'")).toString()};
    const std::pair<QComboBox*, QComboBox*> pairs[] = {{f.ComboBox13, f.ComboBox2},
                                                       {f.ComboBox14, f.ComboBox7},
                                                       {f7.ComboBox6, f7.ComboBox4},
                                                       {f7.ComboBox12, f7.ComboBox5},
                                                       {f3.ComboBox2, f3.ComboBox1}};
    for (const auto& [names, keyList] : pairs) {
        QCOMPARE(items(names), (QStringList{QStringLiteral("Lön"), QStringLiteral("Lån")}));
        QCOMPARE(items(keyList), keys);
        QCOMPARE(names->currentText(), QString());
        QCOMPARE(keyList->currentIndex(), -1);
    }
    QCOMPARE(summary(f), (QStringList{QStringLiteral("Tillgångar=2 000,00 kr"), QStringLiteral("Skulder=500,00 kr"),
                                      QStringLiteral("Resultat=1 500,00 kr")}));
    QCOMPARE(t.program().konto.currentRow(), 1);
}

void AccountsTest::refill_fourDecimalBalancesEnterTotalsExactly() {
    TestProgram t;
    addAccount(t, QStringLiteral("A"), 123'456, QStringLiteral("D"));
    addAccount(t, QStringLiteral("B"), 1, QStringLiteral(""));
    addAccount(t, QStringLiteral("C"), 3, QStringLiteral("k")); // only "K" is a liability
    t.start();
    const StringGrid& grid = *t.form1().DebitGrid;
    QCOMPARE(grid.cell(2, 1), QStringLiteral("12,346"));
    QCOMPARE(grid.cell(2, 2), QStringLiteral("0"));
    QCOMPARE(grid.displayText(2, 1).replace(QChar(0x00A0), u' '), QStringLiteral("12,35 kr"));
}

void AccountsTest::save_storesAccountAndMarksDebitOnlyForExactTillgang_data() {
    QTest::addColumn<QString>("debit");
    QTest::addColumn<QString>("kdebit");
    QTest::newRow("Tillgång") << QStringLiteral("Tillgång") << QStringLiteral("D");
    QTest::newRow("lower case") << QStringLiteral("tillgång") << QStringLiteral("K");
    QTest::newRow("Skuld") << QStringLiteral("Skuld") << QStringLiteral("K");
    QTest::newRow("empty") << QString() << QStringLiteral("K");
}

void AccountsTest::save_storesAccountAndMarksDebitOnlyForExactTillgang() {
    QFETCH(QString, debit);
    QFETCH(QString, kdebit);
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 0, QStringLiteral("D"));
    t.start();
    saveAccount(t, QStringLiteral("Buffert"), QStringLiteral("Sparkonto"), debit, QStringLiteral("1 234,56"),
                QStringLiteral("8327-9"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT Knummer || '|' || Ktyp || '|' || Ksumma || '|' || Kdebit FROM Konto2 "
                                     "WHERE Knamn = 'Buffert'"))
                 .toString(),
             QStringLiteral("8327-9|Sparkonto|12345600|") + kdebit);
    QVERIFY(t.dialogs.messages.empty());
    QVERIFY(t.form1().isVisible());
    QCOMPARE(items(t.form1().ComboBox13).last(), QStringLiteral("Buffert"));
}

void AccountsTest::save_resetsInputsButKeepsDebitKredit() {
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 0, QStringLiteral("D"));
    t.start();
    TForm6& form = *t.program().form6;
    QCOMPARE(form.ComboBox15->currentText(), QStringLiteral("Tillgång"));
    QCOMPARE(form.DBAdvMoneyEdit1->text(), QStringLiteral("0,00"));
    saveAccount(t, QStringLiteral("Lån"), QStringLiteral("Lån"), QStringLiteral("Skuld"), QStringLiteral("500"),
                QStringLiteral("12"));
    QCOMPARE(form.Edit2->text(), QString());
    QCOMPARE(form.Edit1->text(), QString());
    QCOMPARE(form.ComboBox3->currentText(), QString());
    QCOMPARE(form.DBAdvMoneyEdit1->text(), QStringLiteral("0,00"));
    QCOMPARE(form.ComboBox15->currentText(), QStringLiteral("Skuld"));
    saveAccount(t, QStringLiteral("Billån"), QStringLiteral("Lån"), std::nullopt, QStringLiteral("100"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT Kdebit FROM Konto2 WHERE Knamn = 'Billån'")).toString(),
             QStringLiteral("K"));
}

void AccountsTest::save_emptiedMoneyBoxStoresEmptyBalanceCountedAsZero() {
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 50'000, QStringLiteral("D"));
    t.start();
    saveAccount(t, QStringLiteral("Plånbok"), QStringLiteral("Plånbok"), QStringLiteral("Tillgång"), QString());
    QVERIFY(t.scalar(QStringLiteral("SELECT Ksumma IS NULL FROM Konto2 WHERE Knamn = 'Plånbok'")).toBool());
    QCOMPARE(t.form1().DebitGrid->cell(2, 1), QStringLiteral("5"));
}

void AccountsTest::save_refusesMissingInputsInOrder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("money");
    QTest::addColumn<QString>("warning");
    QTest::newRow("nothing") << QString() << QString() << QStringLiteral("0,00")
                             << QStringLiteral("Inget kontonamn inskriven ?");
    QTest::newRow("blank name") << QStringLiteral("  ") << QStringLiteral("Lån") << QStringLiteral("0,00")
                                << QStringLiteral("Inget kontonamn inskriven ?");
    QTest::newRow("no type") << QStringLiteral("Lån") << QString() << QStringLiteral("0,00")
                             << QStringLiteral("Inget kontotyp vald ?");
    QTest::newRow("too large") << QStringLiteral("Lån") << QStringLiteral("Lån") << QStringLiteral("10000000000,01")
                               << QStringLiteral("Summan är för stor. Största tillåtna summa är 10 000 000 000,00 kr.");
}

void AccountsTest::save_refusesMissingInputsInOrder() {
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QString, money);
    QFETCH(QString, warning);
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 0, QStringLiteral("D"));
    t.start();
    TForm6& form = *t.program().form6;
    bool stayedOpen = false;
    whenModalShows([&](QWidget*) {
        form.Edit2->setText(name);
        form.ComboBox3->setEditText(type);
        form.DBAdvMoneyEdit1->setText(money);
        form.AdvGlowButton5->click();
        stayedOpen = form.isVisible();
        form.close();
    });
    t.form1().AdvGlowButton1Click();
    QVERIFY(stayedOpen);
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QCOMPARE(t.dialogs.last().replace(QChar(0x00A0), u' '), warning);
    QCOMPARE(form.Edit2->text(), name);
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM Konto2")).toInt(), 1);
}

void AccountsTest::rightClick_asksAboutCurrentRowNotClickedOne_data() {
    QTest::addColumn<int>("clickedRow");
    QTest::addColumn<bool>("yes");
    QTest::newRow("header, yes") << 0 << true;
    QTest::newRow("other row, yes") << 3 << true;
    QTest::newRow("other row, cancel") << 3 << false;
}

void AccountsTest::rightClick_asksAboutCurrentRowNotClickedOne() {
    QFETCH(int, clickedRow);
    QFETCH(bool, yes);
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 0, QStringLiteral("D"));
    addAccount(t, QStringLiteral("Spar"), 0, QStringLiteral("D"));
    addAccount(t, QStringLiteral("Lån"), 0, QStringLiteral("K"));
    t.sql(QStringLiteral("INSERT INTO Inkomst (InKonto, InSumma) VALUES ('1', 10000)"));
    t.sql(QStringLiteral("INSERT INTO Utgift (UtKonto, UtSumma) VALUES ('1', 10000)"));
    t.start();
    t.program().konto.first();
    t.dialogs.answers.push_back(yes);
    emit t.form1().KontoGrid->rightClickCell(clickedRow, 2);
    QCOMPARE(t.dialogs.texts(), QStringList{QStringLiteral("Radera följande : Lön? ")});
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("question"));
    const QStringList left = yes ? QStringList{QStringLiteral("Spar"), QStringLiteral("Lån")}
                                 : QStringList{QStringLiteral("Lön"), QStringLiteral("Spar"), QStringLiteral("Lån")};
    QCOMPARE(items(t.form1().ComboBox13), left);
    QCOMPARE(t.scalar(QStringLiteral("SELECT COUNT(*) FROM Konto2")).toInt(), int(left.size()));
    QCOMPARE(t.scalar(QStringLiteral("SELECT (SELECT COUNT(*) FROM Inkomst) + (SELECT COUNT(*) FROM Utgift)")).toInt(),
             2);
}

void AccountsTest::rightClick_onEmptyTable_asksNothing() {
    TestProgram t;
    t.start();
    emit t.form1().KontoGrid->rightClickCell(0, 0);
    QVERIFY(t.dialogs.messages.empty());
}

void AccountsTest::deleteLastAccount_showsZeroTotals() {
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 20'000'000, QStringLiteral("D"));
    t.start();
    emit t.form1().KontoGrid->rightClickCell(1, 1);
    QCOMPARE(summary(t.form1()), (QStringList{QStringLiteral("Tillgångar=0,00 kr"), QStringLiteral("Skulder=0,00 kr"),
                                              QStringLiteral("Resultat=0,00 kr")}));
    QCOMPARE(t.form1().ComboBox13->count(), 0);
    QCOMPARE(t.form1().ComboBox2->count(), 0);
}

QTEST_MAIN(AccountsTest)
#include "tst_accounts.moc"
