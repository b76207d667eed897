// Start-up sequence and window flow of the main window.
#include "TestProgram.h"
#include "accounts/TForm6.h"
#include "accounts/TForm7.h"
#include "app/TForm1.h"
#include "budget/TDetail.h"
#include "budget/TForm5.h"
#include "transactions/TForm3.h"

#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void emptyAccounts_opensCreateAccountWindowAlone();
    void withAccount_opensNoWindowAndSetsBudgetMonth();
    void missingDatabase_showsOneMessageAndStops();
    void secondaryWindow_hidesMainAndShowsItAgainOnClose_data();
    void secondaryWindow_hidesMainAndShowsItAgainOnClose();
    void closingCreateAccountWithNoAccount_doesNotAskAgain();
    void startup_putsIncomeAndExpenseCursorsOnLastRows();
};

void StartupTest::emptyAccounts_opensCreateAccountWindowAlone() {
    TestProgram t;
    t.start();
    QCOMPARE(t.modalsSeen, QStringList{QStringLiteral("TForm6")});
    QVERIFY(t.program().started);
    QVERIFY(t.form1().isVisible());
    QCOMPARE(t.program().versionNumber, 203);
    QVERIFY(t.dialogs.messages.empty());
}

void StartupTest::withAccount_opensNoWindowAndSetsBudgetMonth() {
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
    t.clock.current = QDateTime(QDate(2016, 12, 25), QTime(9, 0));
    t.start();
    QVERIFY(t.modalsSeen.isEmpty());
    QCOMPARE(t.program().breakDay, 25);
    QCOMPARE(t.program().budgetMonth, (store::BudgetMonth{2017, 1}));
    QCOMPARE(t.form1().DBAdvSpinEdit1->value(), 25);
}

void StartupTest::missingDatabase_showsOneMessageAndStops() {
    TestProgram t;
    QVERIFY(QDir(t.dbDir()).removeRecursively());
    t.start();
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("error"));
    QVERIFY(t.dialogs.last().contains(QDir::toNativeSeparators(t.dbDir())));
    QVERIFY(!t.program().started);
    QVERIFY(!t.form1().isVisible());
}

void StartupTest::secondaryWindow_hidesMainAndShowsItAgainOnClose_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("create account") << QStringLiteral("TForm6");
    QTest::newRow("transfer") << QStringLiteral("TForm7");
    QTest::newRow("recurring") << QStringLiteral("TForm3");
    QTest::newRow("add category") << QStringLiteral("TForm5");
}

void StartupTest::secondaryWindow_hidesMainAndShowsItAgainOnClose() {
    QFETCH(QString, window);
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
    t.start();
    bool mainHiddenWhileOpen = false;
    QString opened;
    whenModalShows([&](QWidget* modal) {
        opened = modal->objectName();
        mainHiddenWhileOpen = !t.form1().isVisible();
        modal->close();
    });
    TForm1& f = t.form1();
    if (window == QLatin1String("TForm6"))
        f.AdvGlowButton1Click();
    else if (window == QLatin1String("TForm7"))
        f.AdvGlowButton7Click();
    else if (window == QLatin1String("TForm3"))
        f.AdvGlowButton12Click();
    else
        f.Lggtillkonto1Click();
    QCOMPARE(opened, window);
    QVERIFY(mainHiddenWhileOpen);
    QVERIFY(f.isVisible());
}

void StartupTest::closingCreateAccountWithNoAccount_doesNotAskAgain() {
    TestProgram t;
    t.start();
    int shown = 0;
    whenModalShows([&](QWidget* modal) {
        ++shown;
        modal->close();
    });
    t.form1().AdvGlowButton1Click();
    QCOMPARE(shown, 1);
    QVERIFY(t.dialogs.messages.empty());
    QVERIFY(t.form1().isVisible());
}

void StartupTest::startup_putsIncomeAndExpenseCursorsOnLastRows() {
    TestProgram t;
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
    for (int i = 0; i < 3; ++i) {
        t.sql(QStringLiteral("INSERT INTO Inkomst (InSumma) VALUES (%1)").arg(i));
        t.sql(QStringLiteral("INSERT INTO Utgift (UtSumma) VALUES (%1)").arg(i));
    }
    t.start();
    QCOMPARE(t.program().inkomst.currentRow(), 2);
    QCOMPARE(t.program().utgift.currentRow(), 2);
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
