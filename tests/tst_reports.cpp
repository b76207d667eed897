// The year report, the budget-against-actual view and the month detail.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "budget/TDetail.h"
#include "store/Amount.h"
#include "widgets/DataGrid.h"
#include "widgets/StringGrid.h"

#include <QDateEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

namespace {

// One income or expense row, booked to `year`/`month`, for `amount` in Swedish decimal text ("" = empty).
QString income(int year, int month, const QString& amount, const QString& category = QStringLiteral("1100")) {
    const QString value =
        amount.isEmpty() ? QStringLiteral("NULL") : QString::number(store::parseAmount(amount, QLocale()).amount);
    return QStringLiteral("INSERT INTO Inkomst (InDatum, InKonto, InYear, InMonth, InSumma, InTyp) "
                          "VALUES ('%1-%2-05', '1', %1, %2, %3, '%4')")
        .arg(year)
        .arg(month)
        .arg(value, category);
}

QString expense(int year, int month, const QString& amount, const QString& category = QStringLiteral("4100")) {
    const QString value =
        amount.isEmpty() ? QStringLiteral("NULL") : QString::number(store::parseAmount(amount, QLocale()).amount);
    return QStringLiteral("INSERT INTO Utgift (UtDatum, UtKonto, UtYear, UtMonth, UtSumma, UtPKonto) "
                          "VALUES ('%1-%2-05', '2', %1, %2, %3, '%4')")
        .arg(year)
        .arg(month)
        .arg(value, category);
}

QString money(const char* amount) {
    return store::money2(store::parseAmount(QString::fromLatin1(amount), QLocale()).amount);
}

void startWith(TestProgram& t, const QStringList& statements) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
    for (const QString& statement : statements)
        t.sql(statement);
    t.start();
}

QStringList rowTexts(const StringGrid& grid, int row) {
    QStringList texts;
    for (int column = 0; column < grid.columnCount(); ++column)
        texts << grid.cell(column, row);
    return texts;
}

// Opens the detail from the report grid and hands the open window to `inspect` before closing it.
void openDetailFrom(TestProgram& t, int row, int column, const std::function<void(TDetail&)>& inspect) {
    whenModalShows([&](QWidget* modal) {
        if (auto* detail = qobject_cast<TDetail*>(modal))
            inspect(*detail);
        modal->close();
    });
    t.form1().RapportgridDblClickCell(row, column);
}

} // namespace

class ReportsTest : public QObject {
    Q_OBJECT
private slots:
    void yearReport_sumsWholeUnitReadsPerMonth_data();
    void yearReport_sumsWholeUnitReadsPerMonth();
    void yearReport_leavesIncomeAndExpenseOnLastRows();
    void budgetView_showsActualBudgetAndDifference();
    void budgetView_headerRowDoesNothing();
    void reportDoubleClick_opensDetailOnlyFromMonthIncomeOrExpense_data();
    void reportDoubleClick_opensDetailOnlyFromMonthIncomeOrExpense();
    void reportDoubleClick_inBudgetView_opensNothing();
    void detail_listsMonthRowsThenEmptyRowThenTotal_data();
    void detail_listsMonthRowsThenEmptyRowThenTotal();
    void detail_kindOrMonthClickRefreshesForThePickedYear();
    void detail_leavesTableReadOnLastRowAndChartOnFirst();
};

void ReportsTest::yearReport_sumsWholeUnitReadsPerMonth_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("month");
    QTest::addColumn<QStringList>("shown"); // income, expense, result as on screen

    QTest::newRow("10,50 + 11,50 sum to 22")
        << QStringList{expense(2026, 3, QStringLiteral("10,50")), expense(2026, 3, QStringLiteral("11,50"))} << 3
        << QStringList{money("0"), money("22"), money("-22")};
    QTest::newRow("expenses above income: negative result")
        << QStringList{income(2026, 4, QStringLiteral("100")), expense(2026, 4, QStringLiteral("150"))} << 4
        << QStringList{money("100"), money("150"), money("-50")};
    QTest::newRow("other years and months outside 1-12 count nowhere")
        << QStringList{income(2025, 5, QStringLiteral("7")),  income(2026, 0, QStringLiteral("8")),
                       income(2026, 13, QStringLiteral("9")), income(2026, 5, QStringLiteral("1")),
                       expense(2027, 5, QStringLiteral("3")), expense(2026, 5, QStringLiteral(""))}
        << 5 << QStringList{money("1"), money("0"), money("1")};
    QTest::newRow("sums beyond 32 bits stay exact")
        << QStringList{income(2026, 12, QStringLiteral("2000000000")), income(2026, 12, QStringLiteral("2000000000"))}
        << 12 << QStringList{money("4000000000"), money("0"), money("4000000000")};
}

void ReportsTest::yearReport_sumsWholeUnitReadsPerMonth() {
    QFETCH(QStringList, rows);
    QFETCH(int, month);
    QFETCH(QStringList, shown);
    TestProgram t;
    startWith(t, rows);
    t.form1().Button1Click();
    const StringGrid& grid = *t.form1().Rapportgrid;
    QCOMPARE(rowTexts(grid, 0), (QStringList{QString(), QStringLiteral("Inkomster"), QStringLiteral("Utgifter"),
                                             QStringLiteral("Resultat")}));
    QCOMPARE((QStringList{grid.displayText(1, month), grid.displayText(2, month), grid.displayText(3, month)}), shown);
    // Every other month shows zeros; the month titles stay.
    const int other = month == 1 ? 2 : 1;
    QCOMPARE(rowTexts(grid, other),
             (QStringList{grid.cell(0, other), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    QCOMPARE(grid.cell(0, 3), QStringLiteral("Mars"));
}

void ReportsTest::yearReport_leavesIncomeAndExpenseOnLastRows() {
    TestProgram t;
    startWith(t, {income(2026, 1, QStringLiteral("1")), income(2026, 2, QStringLiteral("2")),
                  expense(2026, 1, QStringLiteral("3")), expense(2025, 1, QStringLiteral("4"))});
    t.program().inkomst.first();
    t.program().utgift.first();
    t.form1().fyllRapport();
    QCOMPARE(t.program().inkomst.currentRow(), 1);
    QCOMPARE(t.program().utgift.currentRow(), 1);
}

void ReportsTest::budgetView_showsActualBudgetAndDifference() {
    TestProgram t;
    startWith(t, {QStringLiteral("UPDATE Kontoplan SET KPBudget = 500 WHERE KPnummer = '4100'"),
                  expense(2026, 3, QStringLiteral("120,50")), expense(2026, 3, QStringLiteral("79,50")),
                  expense(2026, 3, QStringLiteral("1000"), QStringLiteral("4200")),
                  expense(2025, 3, QStringLiteral("1000")), expense(2026, 3, QString())});
    TForm1& f = t.form1();
    const int row = static_cast<int>(t.scalar(QStringLiteral("SELECT COUNT(*) FROM Kontoplan WHERE KPnummer <= "
                                                             "'4100'"))
                                         .toLongLong());
    t.program().kontoplan.moveToRow(row - 1);
    t.program().utgift.first();
    f.DBAdvGrid2DblClickCell(row, 1);
    const StringGrid& grid = *f.Rapportgrid;
    QCOMPARE(rowTexts(grid, 0), (QStringList{QStringLiteral("*4100"), QStringLiteral("Utgift"),
                                             QStringLiteral("Budgeterat"), QStringLiteral("Resultat")}));
    QCOMPARE(rowTexts(grid, 3), (QStringList{QStringLiteral("Mars"), QStringLiteral("200"), QStringLiteral("500"),
                                             QStringLiteral("-300")}));
    QCOMPARE(rowTexts(grid, 4), (QStringList{QStringLiteral("April"), QStringLiteral("0"), QStringLiteral("500"),
                                             QStringLiteral("-500")}));
    QCOMPARE(grid.displayText(3, 3), money("-300"));
    QCOMPARE(t.program().utgift.currentRow(), 4);
    QVERIFY(!f.reportShowsYear);
}

void ReportsTest::budgetView_headerRowDoesNothing() {
    TestProgram t;
    startWith(t, {expense(2026, 3, QStringLiteral("5"))});
    TForm1& f = t.form1();
    f.fyllRapport();
    const QStringList header = rowTexts(*f.Rapportgrid, 0);
    const QStringList march = rowTexts(*f.Rapportgrid, 3);
    f.DBAdvGrid2DblClickCell(0, 2);
    QCOMPARE(rowTexts(*f.Rapportgrid, 0), header);
    QCOMPARE(rowTexts(*f.Rapportgrid, 3), march);
    QVERIFY(f.reportShowsYear);
}

void ReportsTest::reportDoubleClick_opensDetailOnlyFromMonthIncomeOrExpense_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("kind"); // empty: nothing opens
    QTest::newRow("header row") << 0 << 1 << QString();
    QTest::newRow("month title") << 3 << 0 << QString();
    QTest::newRow("result column") << 3 << 3 << QString();
    QTest::newRow("March income") << 3 << 1 << QStringLiteral("Inkomster");
    QTest::newRow("December expense") << 12 << 2 << QStringLiteral("Utgifter");
}

void ReportsTest::reportDoubleClick_opensDetailOnlyFromMonthIncomeOrExpense() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, kind);
    TestProgram t;
    startWith(t, {});
    TForm1& f = t.form1();
    f.DateTimePicker1->setDate(QDate(2024, 6, 1));
    f.fyllRapport();
    QString openedKind;
    QString month;
    int year = 0;
    bool mainHidden = false;
    openDetailFrom(t, row, column, [&](TDetail& d) {
        openedKind = d.RadioButton2->isChecked()   ? d.RadioButton2->text()
                     : d.RadioButton1->isChecked() ? d.RadioButton1->text()
                                                   : QString();
        month = d.EditListBox1->currentItem() ? d.EditListBox1->currentItem()->text() : QString();
        year = d.DateTimePicker1->date().year();
        mainHidden = !f.isVisible();
    });
    if (kind.isEmpty()) {
        QVERIFY(!shownModal());
        QCOMPARE(openedKind, QString());
        QCoreApplication::processEvents(); // lets the pending watcher find nothing
        return;
    }
    QCOMPARE(openedKind, kind);
    QCOMPARE(month, f.Rapportgrid->cell(0, row));
    QCOMPARE(year, 2024);
    QVERIFY(mainHidden);
    QVERIFY(f.isVisible());
    QCOMPARE(t.program().reportCell.month, row);
    QCOMPARE(t.program().reportCell.column, column);
}

void ReportsTest::reportDoubleClick_inBudgetView_opensNothing() {
    TestProgram t;
    startWith(t, {});
    TForm1& f = t.form1();
    f.fyllRapport();
    f.DBAdvGrid2DblClickCell(2, 1);
    bool opened = false;
    openDetailFrom(t, 3, 1, [&](TDetail&) { opened = true; });
    QVERIFY(!opened);
    QCOMPARE(t.program().reportCell.month, 0);
}

void ReportsTest::detail_listsMonthRowsThenEmptyRowThenTotal_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("column");              // 1 income, 2 expense
    QTest::addColumn<QList<QStringList>>("grid"); // every row, columns 1-5

    const QStringList header{QStringLiteral("Datum"), QStringLiteral("Konto"), QStringLiteral("Summa"),
                             QStringLiteral("Kontoplan"), QStringLiteral("KontoNamn")};
    const QStringList empty{QString(), QString(), QString(), QString(), QString()};
    const auto total = [](const char* sum) {
        return QStringList{QString(), QStringLiteral("Totalt : "), QString::fromLatin1(sum), QString(), QString()};
    };
    QTest::newRow("empty month") << QStringList{expense(2026, 2, QStringLiteral("5")),
                                                income(2025, 3, QStringLiteral("5"))}
                                 << 1 << QList<QStringList>{header, empty, total("0")};
    QTest::newRow("three expenses, whole-unit total, unknown category unnamed")
        << QStringList{expense(2026, 3, QStringLiteral("10,50")), income(2026, 3, QStringLiteral("99")),
                       expense(2026, 3, QStringLiteral("11,5"), QStringLiteral("4200")),
                       expense(2026, 4, QStringLiteral("7")),
                       expense(2026, 3, QStringLiteral("1"), QStringLiteral("8888"))}
        << 2
        << QList<QStringList>{header,
                              {QStringLiteral("2026-3-05"), QStringLiteral("2"), QStringLiteral("10,5"),
                               QStringLiteral("4100"), QStringLiteral("Livsmedel")},
                              {QStringLiteral("2026-3-05"), QStringLiteral("2"), QStringLiteral("11,5"),
                               QStringLiteral("4200"), QStringLiteral("Restaurang och café")},
                              {QStringLiteral("2026-3-05"), QStringLiteral("2"), QStringLiteral("1"),
                               QStringLiteral("8888"), QString()},
                              empty,
                              total("23")};
}

void ReportsTest::detail_listsMonthRowsThenEmptyRowThenTotal() {
    QFETCH(QStringList, rows);
    QFETCH(int, column);
    QFETCH(QList<QStringList>, grid);
    TestProgram t;
    startWith(t, rows);
    TDetail& d = *t.program().detail;
    t.program().reportCell = ReportCell{3, column};
    d.DateTimePicker1->setDate(QDate(2026, 1, 1));
    d.FormShow();
    QCOMPARE(d.DetailGrid->rowCount(), grid.size());
    for (int row = 0; row < grid.size(); ++row)
        QCOMPARE(rowTexts(*d.DetailGrid, row).mid(1), grid[row]);
    const int last = static_cast<int>(grid.size()) - 1;
    QCOMPARE(d.DetailGrid->displayText(3, last), money(grid[last][2].toLatin1().constData()));
    if (last > 2)
        QCOMPARE(d.DetailGrid->displayText(3, 1), money("10,50"));
}

void ReportsTest::detail_kindOrMonthClickRefreshesForThePickedYear() {
    TestProgram t;
    startWith(t, {income(2026, 6, QStringLiteral("300")), expense(2026, 6, QStringLiteral("40")),
                  expense(2026, 6, QStringLiteral("2"))});
    TDetail& d = *t.program().detail;
    t.program().reportCell = ReportCell{6, 1};
    d.DateTimePicker1->setDate(QDate(2026, 1, 1));
    d.FormShow();
    QCOMPARE(d.DetailGrid->rowCount(), 4);
    QCOMPARE(d.DetailGrid->cell(4, 1), QStringLiteral("1100"));
    QCOMPARE(d.DetailGrid->cell(3, 3), QStringLiteral("300"));

    d.RadioButton1->click();
    QCOMPARE(d.DetailGrid->rowCount(), 5);
    QCOMPARE(d.DetailGrid->cell(4, 1), QStringLiteral("4100"));
    QCOMPARE(d.DetailGrid->cell(4, 2), QStringLiteral("4100"));
    QCOMPARE(d.DetailGrid->cell(3, 4), QStringLiteral("42"));

    // A new year shows only after a click on the month list, even on the month already chosen.
    d.DateTimePicker1->setDate(QDate(2025, 1, 1));
    QCOMPARE(d.DetailGrid->rowCount(), 5);
    emit d.EditListBox1->itemClicked(d.EditListBox1->currentItem());
    QCOMPARE(d.DetailGrid->rowCount(), 3);

    d.DateTimePicker1->setDate(QDate(2026, 1, 1));
    d.EditListBox1->setCurrentRow(4); // May: nothing booked
    QCOMPARE(d.DetailGrid->rowCount(), 3);
    QCOMPARE(d.DetailGrid->cell(3, 2), QStringLiteral("0"));
}

void ReportsTest::detail_leavesTableReadOnLastRowAndChartOnFirst() {
    TestProgram t;
    startWith(t, {expense(2026, 1, QStringLiteral("1")), expense(2026, 2, QStringLiteral("2")),
                  expense(2026, 1, QStringLiteral("3"))});
    Program& p = t.program();
    p.utgift.first();
    p.kontoplan.last();
    p.reportCell = ReportCell{2, 2};
    p.detail->DateTimePicker1->setDate(QDate(2026, 1, 1));
    p.detail->FormShow();
    QCOMPARE(p.utgift.currentRow(), 2);
    QCOMPARE(p.kontoplan.currentRow(), 0);
}

QTEST_MAIN(ReportsTest)
#include "tst_reports.moc"
