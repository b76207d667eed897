// Recurring expenses: the window that saves and deletes them, and their booking at start-up.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "transactions/CalculatorMoneyEdit.h"
#include "transactions/DateBox.h"
#include "transactions/TForm3.h"
#include "widgets/DataGrid.h"
#include "widgets/StringGrid.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

constexpr qint64 kUnits = 10000;

// A fresh program with one account "Lön" (key 1) holding 1000 kr, and the clock at `now`.
struct Fixture {
    explicit Fixture(const QDateTime& now = QDateTime(QDate(2026, 3, 10), QTime(12, 0))) {
        t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', %1, 'D')")
                  .arg(1000 * kUnits));
        t.clock.current = now;
    }

    // A recurring expense of `amount` units; `next` is stored as it stands (NULL when empty).
    void addRecurring(const QString& next, qint64 amount = 100 * kUnits, int interval = 1,
                      const QString& category = QStringLiteral("3100"), const QString& account = QStringLiteral("1")) {
        t.sql(
            QStringLiteral("INSERT INTO Period (PeriodNamn, PeriodKP, PeriodSumma, PeriodIntervall, PeriodKonto, "
                           "PeriodNext) VALUES ('Hyra', '%1', %2, %3, '%4', %5)")
                .arg(category)
                .arg(amount)
                .arg(interval)
                .arg(account, next.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + next + QLatin1Char('\'')));
    }

    qint64 balance() { return t.scalar(QStringLiteral("SELECT Ksumma FROM Konto2 WHERE Konto = 1")).toLongLong(); }
    qint64 expenseRows() { return t.scalar(QStringLiteral("SELECT COUNT(*) FROM Utgift")).toLongLong(); }
    QString next(int id = 1) {
        return t.scalar(QStringLiteral("SELECT PeriodNext FROM Period WHERE Id = %1").arg(id)).toString();
    }
    QStringList expenseDates() {
        QStringList dates;
        for (qint64 id = 1; id <= expenseRows(); ++id)
            dates << t.scalar(QStringLiteral("SELECT UtDatum FROM Utgift ORDER BY Id LIMIT 1 OFFSET %1").arg(id - 1))
                         .toString();
        return dates;
    }
    // The booking as a later start runs it.
    void nextStart() { t.form1().kollaPeriod(); }
    TForm3& window() { return *t.program().form3; }

    TestProgram t;
};

} // namespace

class RecurringTest : public QObject {
    Q_OBJECT
private slots:
    void booking_dueWhenNextDateNotAfterNow_data();
    void booking_dueWhenNextDateNotAfterNow();
    void booking_writesDueDateAndItsCalendarMonth_data();
    void booking_writesDueDateAndItsCalendarMonth();
    void rowBehindThreeIntervals_catchesUpOneBookingPerStart();
    void category9900_lowersBalanceWithoutRowAndMovesOn();
    void dayClampedAtMonthEnd_staysClamped_data();
    void dayClampedAtMonthEnd_staysClamped();
    void accountGone_rowSkippedWholeOthersBooked();
    void failureInsideBooking_leavesNothingOfIt_data();
    void failureInsideBooking_leavesNothingOfIt();

    void dateBox_emptyUntilPickedOrTyped();
    void calculatorKeys_combineAmounts_data();
    void calculatorKeys_combineAmounts();
    void save_checksInOrderAndWritesNothingOnFailure_data();
    void save_checksInOrderAndWritesNothingOnFailure();
    void save_storesRowShownInGridAndKeepsInputs();
    void pastFirstDate_bookedOnceAtNextStartWithItsMonth();
    void negativeCalculatorAmount_raisesBalanceWhenBooked();
    void delete_asksAndKeepsEarlierBookings_data();
    void delete_asksAndKeepsEarlierBookings();
};

void RecurringTest::booking_dueWhenNextDateNotAfterNow_data() {
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("booked");
    QTest::newRow("today, no time") << QStringLiteral("2026-03-10") << true;
    QTest::newRow("tomorrow") << QStringLiteral("2026-03-11") << false;
    QTest::newRow("this very millisecond") << QStringLiteral("2026-03-10T12:00:00.000") << true;
    QTest::newRow("one millisecond ahead") << QStringLiteral("2026-03-10T12:00:00.001") << false;
    QTest::newRow("no next date") << QString() << false;
    QTest::newRow("unreadable next date") << QStringLiteral("snart") << false;
}

void RecurringTest::booking_dueWhenNextDateNotAfterNow() {
    QFETCH(QString, next);
    QFETCH(bool, booked);
    Fixture f;
    f.addRecurring(next);
    f.t.start();
    QVERIFY(f.t.dialogs.messages.empty());
    QCOMPARE(f.expenseRows(), booked ? 1 : 0);
    QCOMPARE(f.balance(), (booked ? 900 : 1000) * kUnits);
    QCOMPARE(f.next() != next, booked);
}

void RecurringTest::booking_writesDueDateAndItsCalendarMonth_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("next");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("movedTo");
    QTest::newRow("interval 2 from 15 January")
        << QDateTime(QDate(2026, 1, 20), QTime(9, 0)) << QStringLiteral("2026-01-15") << 2 << 2026 << 1
        << QStringLiteral("2026-03-15");
    QTest::newRow("on the break day stays in its month")
        << QDateTime(QDate(2026, 3, 25), QTime(9, 0)) << QStringLiteral("2026-03-25") << 1 << 2026 << 3
        << QStringLiteral("2026-04-25");
    QTest::newRow("late December stays in its year")
        << QDateTime(QDate(2026, 1, 2), QTime(9, 0)) << QStringLiteral("2025-12-28") << 12 << 2025 << 12
        << QStringLiteral("2026-12-28");
}

void RecurringTest::booking_writesDueDateAndItsCalendarMonth() {
    QFETCH(QDateTime, now);
    QFETCH(QString, next);
    QFETCH(int, interval);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, movedTo);
    Fixture f(now);
    f.addRecurring(next, 1234 * kUnits + 5678, interval);
    f.t.start();
    QCOMPARE(f.expenseRows(), 1);
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT UtDatum || '|' || UtKonto || '|' || UtYear || '|' || UtMonth || '|' || "
                                       "UtSumma || '|' || UtPKonto FROM Utgift"))
                 .toString(),
             QStringLiteral("%1|1|%2|%3|%4|3100").arg(next).arg(year).arg(month).arg(1234 * kUnits + 5678));
    QCOMPARE(f.balance(), 1000 * kUnits - (1234 * kUnits + 5678));
    QCOMPARE(f.next(), movedTo);
}

void RecurringTest::rowBehindThreeIntervals_catchesUpOneBookingPerStart() {
    Fixture f;
    f.addRecurring(QStringLiteral("2025-12-15"));
    f.t.start();
    QCOMPARE(f.expenseDates(), QStringList{QStringLiteral("2025-12-15")});
    f.nextStart();
    QCOMPARE(f.expenseDates(), (QStringList{QStringLiteral("2025-12-15"), QStringLiteral("2026-01-15")}));
    f.nextStart();
    f.nextStart();
    QCOMPARE(f.expenseDates(),
             (QStringList{QStringLiteral("2025-12-15"), QStringLiteral("2026-01-15"), QStringLiteral("2026-02-15")}));
    QCOMPARE(f.next(), QStringLiteral("2026-03-15"));
    QCOMPARE(f.balance(), 700 * kUnits);
}

void RecurringTest::category9900_lowersBalanceWithoutRowAndMovesOn() {
    Fixture f;
    f.addRecurring(QStringLiteral("2026-02-10"), 100 * kUnits, 1, QStringLiteral("9900"));
    f.t.start();
    f.nextStart();
    QCOMPARE(f.expenseRows(), 0);
    QCOMPARE(f.balance(), 800 * kUnits);
    QCOMPARE(f.next(), QStringLiteral("2026-04-10"));
    // The summary shows the new balance.
    QCOMPARE(f.t.form1().DebitGrid->cell(2, 1), QStringLiteral("800"));
}

void RecurringTest::dayClampedAtMonthEnd_staysClamped_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("nextDates");
    QTest::newRow("31 January") << QStringLiteral("2026-01-31")
                                << QStringList{QStringLiteral("2026-02-28"), QStringLiteral("2026-03-28"),
                                               QStringLiteral("2026-04-28")};
    QTest::newRow("31 January, leap year")
        << QStringLiteral("2028-01-31")
        << QStringList{QStringLiteral("2028-02-29"), QStringLiteral("2028-03-29"), QStringLiteral("2028-04-29")};
}

void RecurringTest::dayClampedAtMonthEnd_staysClamped() {
    QFETCH(QString, first);
    QFETCH(QStringList, nextDates);
    Fixture f(QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
    f.addRecurring(first);
    f.t.start();
    QStringList seen{f.next()};
    f.nextStart();
    seen << f.next();
    f.nextStart();
    seen << f.next();
    QCOMPARE(seen, nextDates);
}

void RecurringTest::accountGone_rowSkippedWholeOthersBooked() {
    Fixture f;
    f.addRecurring(QStringLiteral("2026-03-01"), 100 * kUnits, 1, QStringLiteral("3100"), QStringLiteral("7"));
    f.addRecurring(QStringLiteral("2026-03-01"), 50 * kUnits);
    f.addRecurring(QStringLiteral("2026-05-01"), 20 * kUnits); // not due
    f.t.start();
    QVERIFY(f.t.dialogs.messages.empty());
    QCOMPARE(f.next(1), QStringLiteral("2026-03-01"));
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT group_concat(UtKonto) FROM Utgift")).toString(), QStringLiteral("1"));
    QCOMPARE(f.balance(), 950 * kUnits);
    QCOMPARE(f.next(2), QStringLiteral("2026-04-01"));
    QCOMPARE(f.next(3), QStringLiteral("2026-05-01"));
    // The cursor ends where stepping through every row leaves it.
    QCOMPARE(f.t.program().period.currentRow(), 2);
}

void RecurringTest::failureInsideBooking_leavesNothingOfIt_data() {
    QTest::addColumn<QString>("failingTable");
    QTest::newRow("expense row") << QStringLiteral("Utgift");
    QTest::newRow("balance") << QStringLiteral("Konto2");
    QTest::newRow("next date") << QStringLiteral("Period");
}

void RecurringTest::failureInsideBooking_leavesNothingOfIt() {
    QFETCH(QString, failingTable);
    Fixture f;
    f.addRecurring(QStringLiteral("2026-03-15"));
    f.t.start();
    QCOMPARE(f.expenseRows(), 0);

    f.t.clock.current = QDateTime(QDate(2026, 3, 20), QTime(8, 0));
    f.t.program().database.setWriteHook([&](const QString& table) {
        if (table == failingTable)
            throw store::Error(QStringLiteral("Skrivfel"));
    });
    QVERIFY_THROWS_EXCEPTION(store::Error, f.nextStart());
    QCOMPARE(f.expenseRows(), 0);
    QCOMPARE(f.balance(), 1000 * kUnits);
    QCOMPARE(f.next(), QStringLiteral("2026-03-15"));
    QCOMPARE(f.t.program().period.asText(u"PeriodNext"), QStringLiteral("2026-03-15"));

    f.t.program().database.setWriteHook({});
    f.nextStart();
    QCOMPARE(f.expenseRows(), 1);
    QCOMPARE(f.balance(), 900 * kUnits);
    QCOMPARE(f.next(), QStringLiteral("2026-04-15"));
}

void RecurringTest::dateBox_emptyUntilPickedOrTyped() {
    useSwedishLocale();
    DateBox box;
    QVERIFY(box.text().isEmpty());
    QVERIFY(!box.date().isValid());
    QTest::keyClicks(&box, QStringLiteral("2026-05-07"));
    QCOMPARE(box.date(), QDate(2026, 5, 7));
    box.showCalendar();
    QCOMPARE(box.calendar()->selectedDate(), QDate(2026, 5, 7));
    emit box.calendar()->clicked(QDate(2026, 6, 30));
    QCOMPARE(box.text(), QStringLiteral("2026-06-30"));
    QVERIFY(!box.calendar()->isVisible());
}

void RecurringTest::calculatorKeys_combineAmounts_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<qint64>("value");
    QTest::newRow("add") << QStringLiteral("100+50=") << 150 * kUnits;
    QTest::newRow("subtract below zero, Enter") << QStringLiteral("100-250\n") << -150 * kUnits;
    QTest::newRow("minus first") << QStringLiteral("-75,5=") << -755 * kUnits / 10;
    QTest::newRow("multiply") << QStringLiteral("12,5*3=") << 375 * kUnits / 10;
    QTest::newRow("divide, rounded to cents") << QStringLiteral("10/3=") << 333 * kUnits / 100;
    QTest::newRow("percent of") << QStringLiteral("200%15=") << 30 * kUnits;
    QTest::newRow("chained left to right") << QStringLiteral("1+2*3=") << 9 * kUnits;
    QTest::newRow("digits after a result start anew") << QStringLiteral("1+2=7") << 7 * kUnits;
    QTest::newRow("division by zero refused") << QStringLiteral("10/0=") << 0LL;
}

void RecurringTest::calculatorKeys_combineAmounts() {
    QFETCH(QString, keys);
    QFETCH(qint64, value);
    useSwedishLocale();
    CalculatorMoneyEdit edit;
    edit.clear();
    for (const QChar key : keys) {
        if (key == QLatin1Char('\n'))
            QTest::keyClick(&edit, Qt::Key_Return);
        else
            QTest::keyClicks(&edit, QString(key));
    }
    QCOMPARE(edit.value(), value);
    QVERIFY(!edit.hasPendingOperation());
}

void RecurringTest::save_checksInOrderAndWritesNothingOnFailure_data() {
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("category"); // "pick": the first item chosen; other text typed
    QTest::addColumn<bool>("account");     // the account chosen
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("message"); // empty: saved
    const QString pick = QStringLiteral("pick");
    const QString day = QStringLiteral("2026-04-01");
    QTest::newRow("nothing at all") << QString() << QString() << QString() << false << QString()
                                    << QStringLiteral("Ingen summa inskriven!");
    QTest::newRow("zero amount") << QStringLiteral("0,00") << QStringLiteral("Hyra") << pick << true << day
                                 << QStringLiteral("Ingen summa inskriven!");
    QTest::newRow("no name") << QStringLiteral("100") << QString() << pick << true << day
                             << QStringLiteral("Inget namn angiven på perioden!");
    QTest::newRow("no category") << QStringLiteral("100") << QStringLiteral("Hyra") << QString() << true << day
                                 << QStringLiteral("Ingen kontoplan angiven!");
    QTest::newRow("category typed, not chosen")
        << QStringLiteral("100") << QStringLiteral("Hyra") << QStringLiteral("Hyra/avgift") << true << day
        << QStringLiteral("Ingen kontoplan angiven!");
    QTest::newRow("no account") << QStringLiteral("100") << QStringLiteral("Hyra") << pick << false << day
                                << QStringLiteral("Avdragskonto angiven!");
    QTest::newRow("no first date") << QStringLiteral("100") << QStringLiteral("Hyra") << pick << true << QString()
                                   << QStringLiteral("Inget giltigt första datum för avdrag angivet!");
    QTest::newRow("unreadable first date")
        << QStringLiteral("100") << QStringLiteral("Hyra") << pick << true << QStringLiteral("2026-02-30")
        << QStringLiteral("Inget giltigt första datum för avdrag angivet!");
    QTest::newRow("amount too large") << QStringLiteral("20000000000") << QStringLiteral("Hyra") << pick << true << day
                                      << QStringLiteral("Summan är för stor. Den högsta summa som kan anges är "
                                                        "10\u00A0000\u00A0000\u00A0000 kr.");
    QTest::newRow("all given") << QStringLiteral("100") << QStringLiteral("Hyra") << pick << true << day << QString();
}

void RecurringTest::save_checksInOrderAndWritesNothingOnFailure() {
    QFETCH(QString, amount);
    QFETCH(QString, name);
    QFETCH(QString, category);
    QFETCH(bool, account);
    QFETCH(QString, first);
    QFETCH(QString, message);
    Fixture f;
    f.t.start();
    TForm3& w = f.window();
    w.DBMoneyEdit1->setText(amount);
    w.AdvEdit1->setText(name);
    if (category == QLatin1String("pick")) {
        w.ComboBox3->setCurrentIndex(0);
        w.ComboBox3Select();
    } else {
        w.ComboBox3->setEditText(category);
    }
    if (account) {
        w.ComboBox2->setCurrentIndex(0);
        w.ComboBox2Select();
    }
    w.PDatePicker1->setText(first);
    w.AdvGlowButton12Click();
    QCOMPARE(f.t.dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(f.t.dialogs.messages.back().kind, QStringLiteral("warning"));
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT COUNT(*) FROM Period")).toLongLong(), message.isEmpty() ? 1 : 0);
}

void RecurringTest::save_storesRowShownInGridAndKeepsInputs() {
    Fixture f;
    f.t.start();
    TForm3& w = f.window();
    w.DBAdvGrid1->tableModel()->wake();
    w.AdvEdit1->setText(QStringLiteral("Bredband"));
    w.ComboBox2->setCurrentIndex(0);
    w.ComboBox2Select();
    w.DBMoneyEdit1->setText(QStringLiteral("1 234,5"));
    w.PDatePicker1->setDate(QDate(2026, 4, 30));
    w.AdvSpinEdit2->setValue(3);
    w.ComboBox3->setCurrentIndex(4); // Bredband och tv
    w.ComboBox3Select();
    w.AdvGlowButton12Click();
    QVERIFY(f.t.dialogs.messages.empty());
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT PeriodNamn || '|' || PeriodKonto || '|' || PeriodSumma || '|' || "
                                       "PeriodKP || '|' || PeriodIntervall || '|' || PeriodNext || '|' || "
                                       "(PeriodDag IS NULL) || (PeriodUtkonto IS NULL) FROM Period"))
                 .toString(),
             QStringLiteral("Bredband|1|12345000|3500|3|2026-04-30|11"));
    // Nothing is booked by a save.
    QCOMPARE(f.expenseRows(), 0);
    QCOMPARE(f.balance(), 1000 * kUnits);

    TableModel* grid = w.DBAdvGrid1->tableModel();
    QCOMPARE(grid->rowCount(), 1);
    QStringList headers;
    QStringList cells;
    for (int column = 1; column < grid->columnCount(); ++column) {
        headers << grid->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        cells << grid->cellText(0, column);
    }
    QCOMPARE(headers, (QStringList{QStringLiteral("Namn"), QStringLiteral("Kontoplan"), QStringLiteral("Summa"),
                                   QStringLiteral("Dag"), QStringLiteral("Intervall"), QStringLiteral("Utkonto"),
                                   QStringLiteral("Kommande")}));
    QCOMPARE(cells, (QStringList{QStringLiteral("Bredband"), QStringLiteral("3500"), QStringLiteral("1234,50"),
                                 QString(), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("2026-04-30")}));
    QCOMPARE(w.DBAdvGrid1->currentDataRow(), 0);

    QCOMPARE(w.AdvEdit1->text(), QStringLiteral("Bredband"));
    QCOMPARE(w.DBMoneyEdit1->value(), 12345000);
    QCOMPARE(w.PDatePicker1->date(), QDate(2026, 4, 30));
    QCOMPARE(w.AdvSpinEdit2->value(), 3);
    QCOMPARE(w.ComboBox3->currentText(), QStringLiteral("Bredband och tv"));
    QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("1"));
}

void RecurringTest::pastFirstDate_bookedOnceAtNextStartWithItsMonth() {
    Fixture f;
    f.t.start();
    TForm3& w = f.window();
    w.AdvEdit1->setText(QStringLiteral("Försäkring"));
    w.ComboBox2->setCurrentIndex(0);
    w.ComboBox2Select();
    w.DBMoneyEdit1->setText(QStringLiteral("250"));
    QTest::keyClicks(w.PDatePicker1, QStringLiteral("2025-11-05"));
    w.ComboBox3->setCurrentIndex(0);
    w.ComboBox3Select();
    w.AdvGlowButton12Click();
    QCOMPARE(f.expenseRows(), 0);
    f.nextStart();
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT UtDatum || ' ' || UtYear || '-' || UtMonth FROM Utgift")).toString(),
             QStringLiteral("2025-11-05 2025-11"));
    QCOMPARE(f.expenseRows(), 1);
    QCOMPARE(f.next(), QStringLiteral("2025-12-05"));
}

void RecurringTest::negativeCalculatorAmount_raisesBalanceWhenBooked() {
    Fixture f;
    f.t.start();
    TForm3& w = f.window();
    w.AdvEdit1->setText(QStringLiteral("Återbetalning"));
    w.ComboBox2->setCurrentIndex(0);
    w.ComboBox2Select();
    w.DBMoneyEdit1->clear();
    QTest::keyClicks(w.DBMoneyEdit1, QStringLiteral("100-350"));
    w.PDatePicker1->setDate(QDate(2026, 3, 1));
    w.ComboBox3->setCurrentIndex(0);
    w.ComboBox3Select();
    w.AdvGlowButton12Click();
    QVERIFY(f.t.dialogs.messages.empty());
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT PeriodSumma FROM Period")).toLongLong(), -250 * kUnits);
    f.nextStart();
    QCOMPARE(f.balance(), 1250 * kUnits);
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT UtSumma FROM Utgift")).toLongLong(), -250 * kUnits);
}

void RecurringTest::delete_asksAndKeepsEarlierBookings_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("cancel") << false;
}

void RecurringTest::delete_asksAndKeepsEarlierBookings() {
    QFETCH(bool, yes);
    Fixture f;
    f.addRecurring(QStringLiteral("2026-03-01"));
    f.t.start();
    f.window().DBAdvGrid1->tableModel()->wake();
    f.t.dialogs.answers.push_back(yes);
    f.window().DBAdvGrid1RightClickCell(3, 2);
    QCOMPARE(f.t.dialogs.texts(), QStringList{QStringLiteral("Radera följande återkommande utgift: Hyra  ? ")});
    QCOMPARE(f.t.dialogs.messages[0].kind, QStringLiteral("question"));
    QCOMPARE(f.t.scalar(QStringLiteral("SELECT COUNT(*) FROM Period")).toLongLong(), yes ? 0 : 1);
    QCOMPARE(f.window().DBAdvGrid1->tableModel()->rowCount(), yes ? 0 : 1);
    QCOMPARE(f.expenseRows(), 1);
    QCOMPARE(f.balance(), 900 * kUnits);
}

QTEST_MAIN(RecurringTest)
#include "tst_recurring.moc"
