// Category refill, the add-category window and the budget grid's editing rule.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "budget/TForm5.h"
#include "transactions/TForm3.h"
#include "widgets/DataGrid.h"
#include "widgets/NavBar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QStringList items(const QComboBox* box) {
    QStringList all;
    for (int i = 0; i < box->count(); ++i)
        all << box->itemText(i);
    return all;
}

void addAccount(TestProgram& t) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES ('Lön', 'Lönekonto', 0, 'D')"));
}

// A program over an empty chart filled with `rows` ("number|name|type|budget", budget empty for NULL).
void startWithChart(TestProgram& t, const QStringList& rows) {
    for (const QString& row : rows) {
        const QStringList f = row.split(u'|');
        t.sql(QStringLiteral("INSERT INTO Kontoplan (KPnummer, KPnamn, KPtyp, KPBudget) VALUES ('%1', '%2', %3, %4)")
                  .arg(f[0], f[1], f[2] == QLatin1String("NULL") ? f[2] : QLatin1Char('\'') + f[2] + QLatin1Char('\''),
                       f[3].isEmpty() ? QStringLiteral("NULL") : f[3]));
    }
    addAccount(t);
    t.start();
}

bool entryShown(const TForm5& w) {
    return !w.Edit2->isHidden() && !w.AdvGlowButton3->isHidden() && !w.RadioButton1->isHidden() &&
           !w.RadioButton2->isHidden();
}

bool entryHidden(const TForm5& w) {
    return w.Edit2->isHidden() && w.AdvGlowButton3->isHidden() && w.RadioButton1->isHidden() &&
           w.RadioButton2->isHidden();
}

bool initialState(const TForm5& w) {
    return entryHidden(w) && w.KontoNummer->isEnabled();
}

// Checks `number`, names it and adds it as an expense or income category.
void addCategory(TForm5& w, int number, const QString& name, bool expense) {
    w.KontoNummer->setValue(number);
    w.AdvGlowButton2Click();
    QVERIFY(entryShown(w));
    w.Edit2->setText(name);
    (expense ? w.RadioButton1 : w.RadioButton2)->setChecked(true);
    w.AdvGlowButton3Click();
}

qint64 chartRows(TestProgram& t) {
    return t.scalar(QStringLiteral("SELECT COUNT(*) FROM Kontoplan")).toLongLong();
}

} // namespace

class ChartTest : public QObject {
    Q_OBJECT
private slots:
    void emptyChart_emptyListsZeroTotalsAnyNumberFree();
    void refill_totalsAndLists_data();
    void refill_totalsAndLists();
    void availabilityCheck_comparesEveryRow_data();
    void availabilityCheck_comparesEveryRow();
    void addExpenseThenIncome_listsHoldEachCategoryOnceAligned();
    void addNumberWithThreeZeros_makesGroupRow_data();
    void addNumberWithThreeZeros_makesGroupRow();
    void addWithBlankName_addsNothingSilently_data();
    void addWithBlankName_addsNothingSilently();
    void addNumberTakenSinceCheck_warnsAndAddsNothing();
    void addFailingInStore_showsErrorAndAddsNothing();
    void close_resetsNumberAndHidesEntryKeepingNameAndType_data();
    void close_resetsNumberAndHidesEntryKeepingNameAndType();
    void budgetCell_editableOnlyForCategoryBudget_data();
    void budgetCell_editableOnlyForCategoryBudget();
    void budgetEditor_takesPositiveWholeNumbersOnly_data();
    void budgetEditor_takesPositiveWholeNumbersOnly();
    void budgetEdit_leavesTotalsUntilNextRefill();
    void budgetTypedThenTab_storesAndLeavesUserOnNextCell();
    void budgetWriteFailing_showsErrorAndKeepsStoredBudget();
};

void ChartTest::emptyChart_emptyListsZeroTotalsAnyNumberFree() {
    TestProgram t(TestProgram::Chart::Empty);
    startWithChart(t, {});
    TForm1& f = t.form1();
    for (const QComboBox* box : {f.ComboBox8, f.ComboBox9, f.ComboBox10, f.ComboBox11, t.program().form3->ComboBox3,
                                 t.program().form3->ComboBox4})
        QCOMPARE(box->count(), 0);
    QCOMPARE(f.BudgetIn->text(), QStringLiteral("Budget inkomster = 0 Kr"));
    QCOMPARE(f.BudgetUt->text(), QStringLiteral("Budget utgifter = 0 Kr"));
    TForm5& w = *t.program().form5;
    for (int number : {2000, 9899}) {
        w.KontoNummer->setValue(number);
        w.AdvGlowButton2Click();
        QVERIFY(entryShown(w));
        QVERIFY(!w.KontoNummer->isEnabled());
        w.AdvGlowButton3Click(); // empty name: back to the start
    }
}

void ChartTest::refill_totalsAndLists_data() {
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("budgetIn");
    QTest::addColumn<QString>("budgetUt");
    QTest::addColumn<QStringList>("expenses"); // "name=number" in list order
    QTest::addColumn<QStringList>("incomes");
    QTest::newRow("two expenses under a group row")
        << QStringList{u"3000|BOENDE|Ut|0"_s, u"3100|Hyra|Ut|1200"_s, u"3200|El|Ut|800"_s}
        << u"Budget inkomster = 0 Kr"_s << u"Budget utgifter = 2000 Kr"_s << QStringList{u"Hyra=3100"_s, u"El=3200"_s}
        << QStringList{};
    QTest::newRow("group rows count but are in no list")
        << QStringList{u"1000|INKOMSTER|In|300"_s, u"1100|Lön|In|"_s, u"4000|MAT|Ut|500"_s, u"4100|Livsmedel|Ut|100"_s}
        << "Budget inkomster = 300 Kr" << u"Budget utgifter = 600 Kr"_s << QStringList{u"Livsmedel=4100"_s}
        << QStringList{u"Lön=1100"_s};
    QTest::newRow("unusual types count as income, in no list")
        << QStringList{u"5100|Gemener|ut|70"_s, u"5200|Tom||30"_s, u"5300|Saknas|NULL|5"_s, u"5400|Mat|Ut|1"_s}
        << "Budget inkomster = 105 Kr" << u"Budget utgifter = 1 Kr"_s << QStringList{u"Mat=5400"_s} << QStringList{};
    QTest::newRow("chart order, not insertion order")
        << QStringList{u"6200|B|Ut|"_s, u"1300|Y|In|"_s, u"6100|A|Ut|"_s, u"1200|X|In|"_s}
        << u"Budget inkomster = 0 Kr"_s << u"Budget utgifter = 0 Kr"_s << QStringList{u"A=6100"_s, u"B=6200"_s}
        << QStringList{u"X=1200"_s, u"Y=1300"_s};
    QTest::newRow("halves go to the even neighbour")
        << QStringList{u"2100|A|Ut|2.5"_s, u"2200|B|Ut|3.5"_s, u"1100|C|In|-2.5"_s} << u"Budget inkomster = -2 Kr"_s
        << u"Budget utgifter = 6 Kr"_s << QStringList{u"A=2100"_s, u"B=2200"_s} << QStringList{u"C=1100"_s};
    QTest::newRow("a negative budget keeps its sign")
        << QStringList{u"1100|Lön|In|-50"_s} << u"Budget inkomster = -50 Kr"_s << u"Budget utgifter = 0 Kr"_s
        << QStringList{} << QStringList{u"Lön=1100"_s};
    QTest::newRow("totals beyond 32 bits stay exact")
        << QStringList{u"2100|A|Ut|2000000000"_s, u"2200|B|Ut|2000000000"_s} << u"Budget inkomster = 0 Kr"_s
        << u"Budget utgifter = 4000000000 Kr"_s << QStringList{u"A=2100"_s, u"B=2200"_s} << QStringList{};
}

void ChartTest::refill_totalsAndLists() {
    QFETCH(QStringList, rows);
    QFETCH(QString, budgetIn);
    QFETCH(QString, budgetUt);
    QFETCH(QStringList, expenses);
    QFETCH(QStringList, incomes);
    TestProgram t(TestProgram::Chart::Empty);
    startWithChart(t, rows);
    TForm1& f = t.form1();
    f.FyllKontoplan(); // a second refill replaces, never adds
    const auto pairs = [](const QComboBox* names, const QComboBox* numbers) {
        QStringList all;
        const QStringList n = items(names);
        const QStringList k = items(numbers);
        if (n.size() != k.size())
            return QStringList{QStringLiteral("misaligned")};
        for (int i = 0; i < n.size(); ++i)
            all << n[i] + u'=' + k[i];
        return all;
    };
    QCOMPARE(f.BudgetIn->text(), budgetIn);
    QCOMPARE(f.BudgetUt->text(), budgetUt);
    QCOMPARE(pairs(f.ComboBox8, f.ComboBox9), expenses);
    QCOMPARE(pairs(t.program().form3->ComboBox3, t.program().form3->ComboBox4), expenses);
    QCOMPARE(pairs(f.ComboBox10, f.ComboBox11), incomes);
    QCOMPARE(f.ComboBox8->currentIndex(), -1);
    QCOMPARE(t.program().kontoplan.currentRow(), rows.size() - 1);
}

void ChartTest::availabilityCheck_comparesEveryRow_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("free");
    QTest::newRow("first row") << 2100 << false;
    QTest::newRow("middle row") << 5000 << false;
    QTest::newRow("last row") << 9800 << false;
    QTest::newRow("free number") << 2200 << true;
    QTest::newRow("free top of range") << 9899 << true;
}

void ChartTest::availabilityCheck_comparesEveryRow() {
    QFETCH(int, number);
    QFETCH(bool, free);
    TestProgram t(TestProgram::Chart::Empty);
    startWithChart(t, {u"2100|Första|Ut|"_s, u"5000|GRUPP|Ut|"_s, u"9800|Sista|In|"_s});
    TForm5& w = *t.program().form5;
    w.KontoNummer->setValue(number);
    w.AdvGlowButton2Click();
    if (free) {
        QVERIFY(entryShown(w));
        QVERIFY(!w.KontoNummer->isEnabled());
    } else {
        QVERIFY(initialState(w));
        QCOMPARE(t.program().kontoplan.asText(u"KPnummer"), QString::number(number));
    }
    QVERIFY(t.dialogs.messages.empty());
}

void ChartTest::addExpenseThenIncome_listsHoldEachCategoryOnceAligned() {
    TestProgram t;
    addAccount(t);
    t.start();
    TForm1& f = t.form1();
    TForm5& w = *t.program().form5;
    // As if both grids had been on the screen: they follow the writes from then on.
    w.DBAdvGrid1->tableModel()->wake();
    f.DBAdvGrid2->tableModel()->wake();
    const int expensesBefore = f.ComboBox8->count();
    const int incomesBefore = f.ComboBox10->count();
    const qint64 rowsBefore = chartRows(t);

    addCategory(w, 2500, QStringLiteral("Gym"), true);
    QVERIFY(initialState(w));
    QCOMPARE(w.Edit2->text(), QStringLiteral("Gym")); // kept for the next add
    QVERIFY(w.RadioButton1->isChecked());
    addCategory(w, 2600, QStringLiteral("Loppis"), false);
    f.FyllKontoplan();

    QCOMPARE(chartRows(t), rowsBefore + 2);
    QCOMPARE(t.scalar(QStringLiteral("SELECT KPnamn || '/' || KPtyp || '/' || IFNULL(KPBudget, 'tom') FROM Kontoplan "
                                     "WHERE KPnummer = '2500'"))
                 .toString(),
             QStringLiteral("Gym/Ut/tom"));
    QCOMPARE(t.scalar(QStringLiteral("SELECT KPtyp FROM Kontoplan WHERE KPnummer = '2600'")).toString(),
             QStringLiteral("In"));
    QCOMPARE(f.ComboBox8->count(), expensesBefore + 1);
    QCOMPARE(f.ComboBox10->count(), incomesBefore + 1);
    QCOMPARE(items(f.ComboBox8).count(QStringLiteral("Gym")), 1);
    QCOMPARE(items(f.ComboBox10).count(QStringLiteral("Loppis")), 1);
    QVERIFY(!items(f.ComboBox8).contains(QStringLiteral("Loppis")));
    QCOMPARE(f.ComboBox9->itemText(f.ComboBox8->findText(QStringLiteral("Gym"))), QStringLiteral("2500"));
    QCOMPARE(f.ComboBox11->itemText(f.ComboBox10->findText(QStringLiteral("Loppis"))), QStringLiteral("2600"));
    QCOMPARE(items(t.program().form3->ComboBox4), items(f.ComboBox9));
    // Every listed number names its own row.
    for (int i = 0; i < f.ComboBox8->count(); ++i)
        QCOMPARE(
            t.scalar(QStringLiteral("SELECT KPnamn FROM Kontoplan WHERE KPnummer = '%1'").arg(f.ComboBox9->itemText(i)))
                .toString(),
            f.ComboBox8->itemText(i));
    QCOMPARE(w.DBAdvGrid1->model()->rowCount(), int(rowsBefore + 2));
    QCOMPARE(f.DBAdvGrid2->model()->rowCount(), int(rowsBefore + 2));
    QVERIFY(t.dialogs.messages.empty());
}

void ChartTest::addNumberWithThreeZeros_makesGroupRow_data() {
    QTest::addColumn<int>("number");
    QTest::newRow("2000") << 2000;
    QTest::newRow("5000") << 5000;
}

void ChartTest::addNumberWithThreeZeros_makesGroupRow() {
    QFETCH(int, number);
    TestProgram t(TestProgram::Chart::Empty);
    startWithChart(t, {u"2100|Hyra|Ut|"_s, u"6100|Lön|In|"_s});
    TForm1& f = t.form1();
    f.DBAdvGrid1->tableModel()->wake();
    f.DBAdvGrid2->tableModel()->wake();
    addCategory(*t.program().form5, number, QStringLiteral("RUBRIK"), true);
    QCOMPARE(chartRows(t), 3);
    QCOMPARE(f.DBAdvGrid1->model()->rowCount(), 3);
    QCOMPARE(items(f.ComboBox8), QStringList{QStringLiteral("Hyra")});
    QCOMPARE(items(f.ComboBox10), QStringList{QStringLiteral("Lön")});
    const int row =
        t.scalar(QStringLiteral("SELECT COUNT(*) FROM Kontoplan WHERE KPnummer < '%1'").arg(number)).toInt();
    const QModelIndex budget = f.DBAdvGrid2->model()->index(row, 3);
    QCOMPARE(f.DBAdvGrid2->model()->index(row, 2).data().toString(), QString::number(number));
    QVERIFY(!(budget.flags() & Qt::ItemIsEditable));
}

void ChartTest::addWithBlankName_addsNothingSilently_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ");
}

void ChartTest::addWithBlankName_addsNothingSilently() {
    QFETCH(QString, name);
    TestProgram t;
    addAccount(t);
    t.start();
    const qint64 before = chartRows(t);
    TForm5& w = *t.program().form5;
    addCategory(w, 2500, name, true);
    QCOMPARE(chartRows(t), before);
    QVERIFY(initialState(w));
    QCOMPARE(w.KontoNummer->value(), 2500);
    QVERIFY(t.dialogs.messages.empty());
}

void ChartTest::addNumberTakenSinceCheck_warnsAndAddsNothing() {
    TestProgram t;
    addAccount(t);
    t.start();
    TForm5& w = *t.program().form5;
    w.DBAdvGrid1->tableModel()->wake();
    w.KontoNummer->setValue(2500);
    w.AdvGlowButton2Click();
    QVERIFY(entryShown(w));
    t.sql(QStringLiteral("INSERT INTO Kontoplan (KPnummer, KPnamn, KPtyp) VALUES ('2500', 'Annan', 'Ut')"));
    const qint64 before = chartRows(t);
    w.Edit2->setText(QStringLiteral("Gym"));
    w.AdvGlowButton3Click();
    QCOMPARE(chartRows(t), before);
    QCOMPARE(t.scalar(QStringLiteral("SELECT KPnamn FROM Kontoplan WHERE KPnummer = '2500'")).toString(),
             QStringLiteral("Annan"));
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("warning"));
    QVERIFY(t.dialogs.last().contains(QStringLiteral("2500 finns redan")));
    QVERIFY(initialState(w));
    QCOMPARE(t.program().kontoplan.state(), store::Table::State::Browse);
    QCOMPARE(w.DBAdvGrid1->model()->rowCount(), int(before));
}

void ChartTest::addFailingInStore_showsErrorAndAddsNothing() {
    TestProgram t;
    addAccount(t);
    t.start();
    TForm5& w = *t.program().form5;
    const qint64 before = chartRows(t);
    w.KontoNummer->setValue(2500);
    w.AdvGlowButton2Click();
    w.Edit2->setText(QStringLiteral("Gym"));
    t.program().database.setWriteHook([](const QString&) { throw store::Error(QStringLiteral("Disken är full.")); });
    w.AdvGlowButton3->click();
    QCOMPARE(chartRows(t), before);
    QCOMPARE(t.dialogs.messages.size(), size_t(1));
    QCOMPARE(t.dialogs.messages[0].kind, QStringLiteral("error"));
    QVERIFY(initialState(w));
    QCOMPARE(t.program().kontoplan.state(), store::Table::State::Browse);
}

void ChartTest::close_resetsNumberAndHidesEntryKeepingNameAndType_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Stäng") << true;
    QTest::newRow("close box") << false;
}

void ChartTest::close_resetsNumberAndHidesEntryKeepingNameAndType() {
    QFETCH(bool, byButton);
    TestProgram t;
    addAccount(t);
    t.start();
    TForm5& w = *t.program().form5;
    QCOMPARE(w.KontoNummer->value(), 2000);
    QVERIFY(w.RadioButton1->isChecked());
    const qint64 before = chartRows(t);
    bool shownAsChecked = false;
    whenModalShows([&](QWidget* modal) {
        w.KontoNummer->setValue(2500);
        w.AdvGlowButton2Click();
        w.Edit2->setText(QStringLiteral("Gym"));
        w.RadioButton2->setChecked(true);
        shownAsChecked = entryShown(w) && !w.KontoNummer->isEnabled();
        if (byButton)
            QTest::mouseClick(w.AdvGlowButton1, Qt::LeftButton);
        else
            modal->close();
    });
    t.form1().Lggtillkonto1Click();
    QVERIFY(shownAsChecked);
    QVERIFY(!w.isVisible());
    QVERIFY(t.form1().isVisible());
    QCOMPARE(w.KontoNummer->value(), 2000);
    QVERIFY(initialState(w));
    QCOMPARE(w.Edit2->text(), QStringLiteral("Gym"));
    QVERIFY(w.RadioButton2->isChecked());
    QCOMPARE(chartRows(t), before);
}

namespace {

// The budget grid on its tab, over a category 3100 (budget 500) under the group row 3000 (budget 100), with
// 2100 above both so that every target row can be reached from the row above.
struct BudgetGrid {
    TestProgram t{TestProgram::Chart::Empty};
    DataGrid* grid = nullptr;

    BudgetGrid() {
        startWithChart(t, {u"2100|Först|Ut|"_s, u"3000|BOENDE|Ut|100"_s, u"3100|Hyra|Ut|500"_s});
        t.form1().AdvNavBar1->setActiveTabIndex(3);
        grid = t.form1().DBAdvGrid2;
        QVERIFY(grid->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(grid->window()));
        QCoreApplication::processEvents();
    }
    // The editor commits after its key press, and the budget is stored after the editor has closed.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    QPoint centre(int row, int column) const { return grid->visualRect(grid->model()->index(row, column)).center(); }
    void click(int row, int column) const {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    // Types `text` into the current cell and presses Enter; false when no editor opened.
    bool type(const QString& text) const {
        QTest::keyClicks(grid, text.left(1));
        auto* editor = grid->findChild<QLineEdit*>();
        if (!editor || !editor->isVisible())
            return false;
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        return true;
    }
    QVariant budget(const QString& number) {
        return t.scalar(QStringLiteral("SELECT KPBudget FROM Kontoplan WHERE KPnummer = '%1'").arg(number));
    }
};

} // namespace

void ChartTest::budgetCell_editableOnlyForCategoryBudget_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<bool>("editable");
    for (bool keyboard : {false, true}) {
        const char* how = keyboard ? "keyboard" : "click";
        QTest::addRow("%s: category budget", how) << 2 << 3 << keyboard << true;
        QTest::addRow("%s: group row budget", how) << 1 << 3 << keyboard << false;
        for (int column = 0; column <= 2; ++column)
            QTest::addRow("%s: category column %d", how, column) << 2 << column << keyboard << false;
    }
}

void ChartTest::budgetCell_editableOnlyForCategoryBudget() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, byKeyboard);
    QFETCH(bool, editable);
    BudgetGrid g;
    if (byKeyboard) {
        g.click(row - 1, column);
        QTest::keyClick(g.grid, Qt::Key_Down);
    } else {
        g.click(row, column);
    }
    QCOMPARE(g.grid->currentIndex(), g.grid->model()->index(row, column));
    QCOMPARE(g.grid->editTriggers() != QAbstractItemView::NoEditTriggers, editable);
    QCOMPARE(bool(g.grid->currentIndex().flags() & Qt::ItemIsEditable), editable);
    QCOMPARE(g.type(QStringLiteral("7")), editable);
    const QVariant rowBefore[] = {QVariant(), QVariant::fromValue<qlonglong>(100), QVariant::fromValue<qlonglong>(500)};
    QCOMPARE(g.t.scalar(QStringLiteral("SELECT KPBudget FROM Kontoplan WHERE rowid = %1").arg(row + 1)),
             editable ? QVariant::fromValue<qlonglong>(7) : rowBefore[row]);
    QCOMPARE(g.t.scalar(QStringLiteral("SELECT KPnamn || KPnummer FROM Kontoplan WHERE rowid = %1").arg(row + 1)),
             QVariant(QStringList{u"Först2100"_s, u"BOENDE3000"_s, u"Hyra3100"_s}[row]));
    QVERIFY(g.t.dialogs.messages.empty());
}

void ChartTest::budgetEditor_takesPositiveWholeNumbersOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("whole number") << "1500" << QVariant::fromValue<qlonglong>(1500);
    QTest::newRow("nine digits") << "999999999" << QVariant::fromValue<qlonglong>(999999999);
    QTest::newRow("tenth digit refused") << "1234567890" << QVariant::fromValue<qlonglong>(123456789);
    QTest::newRow("minus refused") << "-40" << QVariant::fromValue<qlonglong>(40);
    QTest::newRow("decimals refused") << "12,5" << QVariant::fromValue<qlonglong>(125);
    QTest::newRow("leading zero refused") << "05" << QVariant::fromValue<qlonglong>(5);
    QTest::newRow("letters refused") << "abc" << QVariant::fromValue<qlonglong>(500);
    QTest::newRow("emptied: no budget") << "\b" << QVariant();
}

void ChartTest::budgetEditor_takesPositiveWholeNumbersOnly() {
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    BudgetGrid g;
    g.click(2, 3);
    QTest::keyClick(g.grid, Qt::Key_F2);
    auto* editor = g.grid->findChild<QLineEdit*>();
    QVERIFY(editor && editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    g.settle();
    QCOMPARE(g.budget(QStringLiteral("3100")), stored);
}

void ChartTest::budgetEdit_leavesTotalsUntilNextRefill() {
    BudgetGrid g;
    TForm1& f = g.t.form1();
    QCOMPARE(f.BudgetUt->text(), QStringLiteral("Budget utgifter = 600 Kr"));
    g.click(2, 3);
    QVERIFY(g.type(QStringLiteral("900")));
    QCOMPARE(g.budget(QStringLiteral("3100")), QVariant::fromValue<qlonglong>(900));
    QCOMPARE(f.BudgetUt->text(), QStringLiteral("Budget utgifter = 600 Kr"));
    f.FyllKontoplan();
    QCOMPARE(f.BudgetUt->text(), QStringLiteral("Budget utgifter = 1000 Kr"));
}

void ChartTest::budgetTypedThenTab_storesAndLeavesUserOnNextCell() {
    BudgetGrid g;
    g.click(0, 3);
    QTest::keyClick(g.grid, Qt::Key_4);
    auto* editor = g.grid->findChild<QLineEdit*>();
    QVERIFY(editor && editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Tab);
    g.settle();
    QCOMPARE(g.budget(QStringLiteral("2100")), QVariant::fromValue<qlonglong>(4));
    QCOMPARE(g.grid->currentIndex().row(), 1);
    QCOMPARE(g.t.program().kontoplan.currentRow(), 1);
    QCOMPARE(g.grid->editTriggers(), QAbstractItemView::NoEditTriggers); // a group row
}

void ChartTest::budgetWriteFailing_showsErrorAndKeepsStoredBudget() {
    BudgetGrid g;
    g.t.program().database.setWriteHook([](const QString&) { throw store::Error(QStringLiteral("Disken är full.")); });
    g.click(2, 3);
    QVERIFY(g.type(QStringLiteral("900")));
    QCOMPARE(g.budget(QStringLiteral("3100")), QVariant::fromValue<qlonglong>(500));
    QCOMPARE(g.t.dialogs.messages.size(), size_t(1));
    QCOMPARE(g.t.dialogs.messages[0].kind, QStringLiteral("error"));
    QCOMPARE(g.t.program().kontoplan.state(), store::Table::State::Browse);
    QCOMPARE(g.grid->model()->index(2, 3).data().toString(), QStringLiteral("500"));
}

QTEST_MAIN(ChartTest)
#include "tst_chart.moc"
