// Transfers between two accounts in the Transaktion window.
#include "TestProgram.h"
#include "accounts/TForm7.h"
#include "app/TForm1.h"
#include "store/Error.h"
#include "widgets/MoneyEdit.h"
#include "widgets/StringGrid.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

namespace {

void addAccount(TestProgram& t, const QString& name, qint64 units, const QString& kdebit = QStringLiteral("D")) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('%1', 'Lönekonto', %2, '%3')")
              .arg(name)
              .arg(units)
              .arg(kdebit));
}

qint64 balance(TestProgram& t, int key) {
    return t.scalar(QStringLiteral("SELECT Ksumma FROM Konto2 WHERE Konto = %1").arg(key)).toLongLong();
}

void pick(QComboBox* names, int index) {
    if (index < 0)
        return;
    names->setCurrentIndex(index);
    emit names->activated(index);
}

struct Outcome {
    bool stayedOpen = false;
    QString amountAfter;
};

// Opens the transfer window from the main window, picks the accounts at the given positions (-1: none), types
// the amount and presses "Överför mellan konto"; `before` runs just before the press.
Outcome transfer(TestProgram& t, int from, int to, const QString& amount, const std::function<void()>& before = {}) {
    TForm7* form = t.program().form7;
    Outcome outcome;
    whenModalShows([&](QWidget*) {
        pick(form->ComboBox6, from);
        pick(form->ComboBox12, to);
        form->DBAdvMoneyEdit1->setText(amount);
        if (before)
            before();
        form->AdvGlowButton7->click();
        outcome.stayedOpen = form->isVisible();
        outcome.amountAfter = form->DBAdvMoneyEdit1->text();
        if (form->isVisible())
            form->AdvGlowButton1->click();
    });
    t.form1().AdvGlowButton7Click();
    return outcome;
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSwedishLocale(); }
    void transfer_movesAmountOnlyWhenCovered_data();
    void transfer_movesAmountOnlyWhenCovered();
    void transfer_checksInputsInOrder_data();
    void transfer_checksInputsInOrder();
    void transfer_betweenSameNamedAccounts_isAllowed();
    void transfer_changesSummaryOnlyAcrossAssetAndLiability_data();
    void transfer_changesSummaryOnlyAcrossAssetAndLiability();
    void failureBetweenPosts_leavesBothBalances();
};

void TransferTest::transfer_movesAmountOnlyWhenCovered_data() {
    QTest::addColumn<qint64>("fromBalance");
    QTest::addColumn<QString>("kdebit");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("done");
    QTest::addColumn<qint64>("moved");
    QTest::newRow("all of 100,00") << qint64(1'000'000) << "D"
                                   << "100,00" << true << qint64(1'000'000);
    QTest::newRow("100,01 of 100,00") << qint64(1'000'000) << "D"
                                      << "100,01" << false << qint64(0);
    QTest::newRow("negative balance") << qint64(-500'000) << "D"
                                      << "0,01" << false << qint64(0);
    QTest::newRow("liability gives 5000,00") << qint64(50'000'000) << "K"
                                             << "5 000,00" << true << qint64(50'000'000);
    QTest::newRow("liability 5000,01") << qint64(50'000'000) << "K"
                                       << "5000,01" << false << qint64(0);
    QTest::newRow("two decimals exactly") << qint64(10'000) << "D"
                                          << "0,07" << true << qint64(700);
}

void TransferTest::transfer_movesAmountOnlyWhenCovered() {
    QFETCH(qint64, fromBalance);
    QFETCH(QString, kdebit);
    QFETCH(QString, amount);
    QFETCH(bool, done);
    QFETCH(qint64, moved);
    TestProgram t;
    addAccount(t, QStringLiteral("Från"), fromBalance, kdebit);
    addAccount(t, QStringLiteral("Till"), 30'000);
    t.start();
    const Outcome outcome = transfer(t, 0, 1, amount);
    QCOMPARE(balance(t, 1), fromBalance - moved);
    QCOMPARE(balance(t, 2), 30'000 + moved);
    QCOMPARE(t.dialogs.texts(), QStringList{done ? QStringLiteral("Överföring utförd")
                                                 : QStringLiteral("Finns inte täckning på valt konto konto")});
    QCOMPARE(t.dialogs.messages[0].kind, done ? QStringLiteral("information") : QStringLiteral("warning"));
    QCOMPARE(outcome.stayedOpen, !done);
    QCOMPARE(outcome.amountAfter, done ? QString() : amount);
    QVERIFY(t.form1().isVisible());
    QCOMPARE(t.program().form7->ComboBox4->currentIndex(), -1);
}

void TransferTest::transfer_checksInputsInOrder_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("typedFrom");
    QTest::addColumn<QString>("warning");
    QTest::newRow("amount 0, no accounts") << "0,00" << -1 << -1 << QString() << "Ingen summa vald";
    QTest::newRow("empty amount") << "" << 0 << 1 << QString() << "Ingen summa vald";
    QTest::newRow("too large") << "10000000000,01" << -1 << -1 << QString()
                               << "Summan är för stor. Största tillåtna summa är 10 000 000 000,00 kr.";
    QTest::newRow("no from-account") << "1,00" << -1 << 1 << QString() << "2 Olika konton måste väljas";
    QTest::newRow("no to-account") << "1,00" << 0 << -1 << QString() << "2 Olika konton måste väljas";
    QTest::newRow("typed over picked name") << "1,00" << 0 << 1 << "B"
                                            << "2 Olika konton måste väljas";
    QTest::newRow("same account") << "1,00" << 1 << 1 << QString() << "Överföring mellan samma konto";
}

void TransferTest::transfer_checksInputsInOrder() {
    QFETCH(QString, amount);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, typedFrom);
    QFETCH(QString, warning);
    TestProgram t;
    addAccount(t, QStringLiteral("A"), 1'000'000);
    addAccount(t, QStringLiteral("B"), 1'000'000);
    t.start();
    TForm7* form = t.program().form7;
    const Outcome outcome = transfer(t, from, to, amount, [&] {
        if (!typedFrom.isNull())
            form->ComboBox6->setEditText(typedFrom);
    });
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QCOMPARE(t.dialogs.last().replace(QChar(0x00A0), u' '), warning);
    QVERIFY(outcome.stayedOpen);
    QCOMPARE(outcome.amountAfter, amount);
    QCOMPARE(balance(t, 1), 1'000'000);
    QCOMPARE(balance(t, 2), 1'000'000);
}

void TransferTest::transfer_betweenSameNamedAccounts_isAllowed() {
    TestProgram t;
    addAccount(t, QStringLiteral("Kassa"), 1'000'000);
    addAccount(t, QStringLiteral("Kassa"), 0);
    t.start();
    transfer(t, 0, 1, QStringLiteral("25,50"));
    QCOMPARE(t.dialogs.texts(), QStringList{QStringLiteral("Överföring utförd")});
    QCOMPARE(balance(t, 1), 745'000);
    QCOMPARE(balance(t, 2), 255'000);
}

void TransferTest::transfer_changesSummaryOnlyAcrossAssetAndLiability_data() {
    QTest::addColumn<QString>("toKdebit");
    QTest::addColumn<QStringList>("totals");
    QTest::newRow("asset to asset") << "D"
                                    << QStringList{QStringLiteral("100"), QStringLiteral("0"), QStringLiteral("100")};
    QTest::newRow("asset to liability") << "K"
                                        << QStringList{QStringLiteral("60"), QStringLiteral("40"),
                                                       QStringLiteral("20")};
}

void TransferTest::transfer_changesSummaryOnlyAcrossAssetAndLiability() {
    QFETCH(QString, toKdebit);
    QFETCH(QStringList, totals);
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 1'000'000);
    addAccount(t, QStringLiteral("Konto"), 0, toKdebit);
    t.start();
    transfer(t, 0, 1, QStringLiteral("40"));
    const StringGrid& grid = *t.form1().DebitGrid;
    QCOMPARE((QStringList{grid.cell(2, 1), grid.cell(2, 2), grid.cell(2, 3)}), totals);
}

void TransferTest::failureBetweenPosts_leavesBothBalances() {
    TestProgram t;
    addAccount(t, QStringLiteral("Lön"), 1'000'000);
    addAccount(t, QStringLiteral("Spar"), 30'000);
    t.start();
    int kontoWrites = 0;
    t.program().database.setWriteHook([&](const QString& table) {
        if (table == QLatin1String("Konto2") && ++kontoWrites == 2)
            throw store::Error(QStringLiteral("Disken är full."));
    });
    const Outcome outcome = transfer(t, 0, 1, QStringLiteral("10,00"));
    t.program().database.setWriteHook({});
    QCOMPARE(kontoWrites, 2);
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("error"));
    QVERIFY(outcome.stayedOpen);
    QCOMPARE(balance(t, 1), 1'000'000);
    QCOMPARE(balance(t, 2), 30'000);
    store::Table& konto = t.program().konto;
    konto.first();
    QCOMPARE(konto.asAmount(u"Ksumma"), 1'000'000);
    QCOMPARE(t.form1().DebitGrid->cell(2, 1), QStringLiteral("103"));
}

QTEST_MAIN(TransferTest)
#include "tst_transfer.moc"
