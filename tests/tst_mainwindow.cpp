// The main window: tabs, named controls, grid looks and cursor, and the paired pick lists.
#include "TestProgram.h"
#include "app/TForm1.h"
#include "store/Amount.h"
#include "widgets/DataGrid.h"
#include "widgets/NavBar.h"
#include "widgets/StringGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// Two accounts, two incomes and two expenses beside the shipped chart.
void addRows(TestProgram& t) {
    t.sql(QStringLiteral("INSERT INTO Konto2 (Knamn, Ktyp, Ksumma, Kdebit) VALUES "
                         "('Lön', 'Lönekonto', 12345000, 'D'), ('Bolån', 'Lån', 500000, 'K'), "
                         "('Plånbok', 'Plånbok', 0, 'D')"));
    t.sql(QStringLiteral("INSERT INTO Inkomst (InDatum, InKonto, InYear, InMonth, InSumma, InTyp) VALUES "
                         "('2026-03-01', '1', 2026, 3, 250000000, '1100'), "
                         "('2026-03-02', '1', 2026, 3, 15000, '1200'), "
                         "('2026-03-03', '1', 2026, 3, 5, '1200')"));
    t.sql(QStringLiteral("INSERT INTO Utgift (UtDatum, UtKonto, UtYear, UtMonth, UtSumma, UtPKonto) VALUES "
                         "('2026-03-01', '1', 2026, 3, 990000, '3100'), "
                         "('2026-03-02', '1', 2026, 3, 12345, '3300'), "
                         "('2026-03-03', '1', 2026, 3, 1, '3300')"));
}

DataGrid* grid(TestProgram& t, const QString& name) {
    return t.form1().findChild<DataGrid*>(name);
}

// Shows the tab that holds `name` so the grid is on the screen.
DataGrid* showGrid(TestProgram& t, const QString& name) {
    const QStringList tabs{QStringLiteral("KontoGrid"), QStringLiteral("InGrid1"), QStringLiteral("Utgrid"),
                           QStringLiteral("DBAdvGrid2"), QStringLiteral("DBAdvGrid1")};
    t.form1().AdvNavBar1->setProperty("ActiveTabIndex", tabs.indexOf(name));
    DataGrid* g = grid(t, name);
    if (g && !QTest::qWaitForWindowExposed(&t.form1()))
        return nullptr;
    return g;
}

// The rows of addRows and 300 expenses more (amounts 1,00 … 300,00): 303 expense rows.
void addManyExpenses(TestProgram& t) {
    addRows(t);
    t.sql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                         "INSERT INTO Utgift (UtDatum, UtKonto, UtYear, UtMonth, UtSumma, UtPKonto) "
                         "SELECT '2026-03-04', '1', 2026, 3, i * 10000, '3100' FROM n"));
}

QPoint rowCentre(DataGrid* g, int dataRow) {
    return g->visualRect(g->model()->index(dataRow, 1)).center();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void window_opensOnKontoTab();
    void activeTabIndex_switchesPanelAndCaption_data();
    void activeTabIndex_switchesPanelAndCaption();
    void control_isFoundByName_data();
    void control_isFoundByName();
    void hints_readAsDesigned_data();
    void hints_readAsDesigned();
    void dataGrid_keepsItsColumnsAfterTableChanges_data();
    void dataGrid_keepsItsColumnsAfterTableChanges();
    void dataGrid_firstRowGreenSecondCream_data();
    void dataGrid_firstRowGreenSecondCream();
    void reportGrid_bandedByRowAndSummaryGridNot();
    void reportGrid_showsHeadersAndMonths();
    void moneyCells_useLocaleMoneyFormat();
    void amountCells_showTwoDecimals();
    void categoryPick_makesSameKeyCurrentAndSetsHint_data();
    void categoryPick_makesSameKeyCurrentAndSetsHint();
    void typedText_raisesNoSelect();
    void refill_leavesNoCurrentItem_data();
    void refill_leavesNoCurrentItem();
    void grid_followsCursorAndLeftClickButNotRightClick_data();
    void grid_followsCursorAndLeftClickButNotRightClick();
    void grid_scrollsToWhereTheCursorEnds();
    void windowedGrid_showsTheTableThroughAMovingWindow();
};

void MainWindowTest::window_opensOnKontoTab() {
    TestProgram t;
    addRows(t);
    t.start();
    TForm1& f = t.form1();
    QCOMPARE(f.windowTitle(), QStringLiteral("Slantvis"));
    QCOMPARE(f.AdvNavBar1->property("ActiveTabIndex").toInt(), 0);
    QCOMPARE(f.findChild<QLabel*>(QStringLiteral("AdvNavBar1Caption"))->text(), QStringLiteral("Konto"));
    QVERIFY(f.KontoGrid->isVisible());
    QVERIFY(!f.InGrid1->isVisible());
}

void MainWindowTest::activeTabIndex_switchesPanelAndCaption_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("caption");
    QTest::newRow("0") << 0 << QStringLiteral("AdvNavBarPanel1") << QStringLiteral("Konto");
    QTest::newRow("1") << 1 << QStringLiteral("AdvNavBarPanel2") << QStringLiteral("Inkomst");
    QTest::newRow("2") << 2 << QStringLiteral("AdvNavBarPanel3") << QStringLiteral("Utgift");
    QTest::newRow("3") << 3 << QStringLiteral("AdvNavBarPanel4") << QStringLiteral("Budget & Rapporter");
    QTest::newRow("4") << 4 << QStringLiteral("AdvNavBarPanel5") << QStringLiteral("Kontoplan & Inställningar");
}

void MainWindowTest::activeTabIndex_switchesPanelAndCaption() {
    QFETCH(int, index);
    QFETCH(QString, panel);
    QFETCH(QString, caption);
    TestProgram t;
    addRows(t);
    t.start();
    NavBar* bar = t.form1().AdvNavBar1;
    bar->setProperty("ActiveTabIndex", (index + 1) % 5);
    // A click on the tab button does what the property does.
    bar->tabButton(index)->click();
    QCOMPARE(bar->property("ActiveTabIndex").toInt(), index);
    QVERIFY(bar->findChild<QWidget*>(panel)->isVisible());
    QCOMPARE(bar->findChild<QLabel*>(QStringLiteral("AdvNavBar1Caption"))->text(), caption);
    // The button shows the caption: a doubled "&" draws one, a single one would mark a shortcut.
    QCOMPARE(bar->tabButton(index)->text().replace(QLatin1String("&&"), QLatin1String("&")), caption);
    QCOMPARE(bar->tabButton(index)->text().count(u'&'), 2 * caption.count(u'&'));
    bar->setProperty("ActiveTabIndex", 9); // out of range: stays
    QCOMPARE(bar->property("ActiveTabIndex").toInt(), index);
}

void MainWindowTest::control_isFoundByName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption"); // for buttons and menu items
    const QString none;
    for (const char* name :
         {"AdvNavBar1", "AdvNavBarPanel1", "AdvNavBarPanel2", "AdvNavBarPanel3", "AdvNavBarPanel4", "AdvNavBarPanel5",
          "KontoGrid",  "DebitGrid",       "InGrid1",         "AdvToolPanel2",   "ComboBox10",      "ComboBox11",
          "ComboBox13", "ComboBox2",       "InAdvMoneyEdit1", "InDatePicker1",   "Utgrid",          "AdvToolPanel4",
          "ComboBox14", "ComboBox7",       "ComboBox8",       "ComboBox9",       "UtAdvMoneyEdit1", "UtDatePicker1",
          "DBAdvGrid2", "Rapportgrid",     "DateTimePicker1", "AdvGlowButton11", "PopupMenu1",      "DBAdvGrid1",
          "PopupMenu2", "DBAdvSpinEdit1",  "BudgetIn",        "BudgetUt"})
        QTest::newRow(name) << QString::fromLatin1(name) << none;
    QTest::newRow("AdvGlowButton5") << QStringLiteral("AdvGlowButton5") << QStringLiteral("Skapa Konto");
    QTest::newRow("AdvGlowButton7") << QStringLiteral("AdvGlowButton7") << QStringLiteral("Överför mellan konto");
    QTest::newRow("AdvGlowButton4") << QStringLiteral("AdvGlowButton4") << QStringLiteral("Lägg Till Transaktion");
    QTest::newRow("AdvGlowButton12") << QStringLiteral("AdvGlowButton12") << QStringLiteral("Återkommande Utgifter");
    QTest::newRow("AdvGlowButton8") << QStringLiteral("AdvGlowButton8") << QStringLiteral("Lägg Till Transaktion");
    QTest::newRow("AdvGlowButton9") << QStringLiteral("AdvGlowButton9") << QStringLiteral("Rapport");
    QTest::newRow("AdvGlowButton10") << QStringLiteral("AdvGlowButton10")
                                     << QStringLiteral("Brytningsdag för budgetmånad");
    QTest::newRow("AdvGlowButton14") << QStringLiteral("AdvGlowButton14") << QStringLiteral("Ny version ?");
    QTest::newRow("SkrivUt1") << QStringLiteral("SkrivUt1") << QStringLiteral("Skriv Ut Resultatrapport");
    QTest::newRow("SkrivUtKontolista1") << QStringLiteral("SkrivUtKontolista1")
                                        << QStringLiteral("Skriv Ut Kontolista");
    QTest::newRow("Lggtillkonto1") << QStringLiteral("Lggtillkonto1") << QStringLiteral("Lägg till i kontoplan");
}

void MainWindowTest::control_isFoundByName() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    TestProgram t;
    addRows(t);
    t.start();
    const QList<QObject*> found = t.form1().findChildren<QObject*>(name);
    QCOMPARE(found.size(), 1);
    if (caption.isEmpty())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(found[0]))
        QCOMPARE(button->text(), caption);
    else if (auto* action = qobject_cast<QAction*>(found[0]))
        QCOMPARE(action->text(), caption);
    else
        QFAIL("a captioned control that is neither button nor menu item");
}

void MainWindowTest::hints_readAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("DBAdvGrid2") << QStringLiteral("DBAdvGrid2")
                                << QStringLiteral("Skriv in belopp per månad för vald  budget");
    QTest::newRow("BudgetIn") << QStringLiteral("BudgetIn") << QStringLiteral("per månad");
    QTest::newRow("BudgetUt") << QStringLiteral("BudgetUt") << QStringLiteral("per månad");
    QTest::newRow("DateTimePicker1") << QStringLiteral("DateTimePicker1")
                                     << QStringLiteral("Skriva in år eller välj i listan");
    QTest::newRow("AdvGlowButton10") << QStringLiteral("AdvGlowButton10") << QStringLiteral("per månad");
    QTest::newRow("AdvGlowButton14") << QStringLiteral("AdvGlowButton14")
                                     << QStringLiteral("Kontrollera om det finns ny version");
}

void MainWindowTest::hints_readAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, hint);
    TestProgram t;
    addRows(t);
    t.start();
    QCOMPARE(t.form1().findChild<QWidget*>(name)->toolTip(), hint);
}

void MainWindowTest::dataGrid_keepsItsColumnsAfterTableChanges_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QList<int>>("widths");
    const auto headers = [](const char* joined) { return QString::fromUtf8(joined).split(u'|'); };
    QTest::newRow("KontoGrid") << QStringLiteral("KontoGrid") << headers("|Id|Nummer|Typ|Namn|Summa")
                               << QList<int>{20, 21, 91, 64, 81, 124};
    QTest::newRow("InGrid1") << QStringLiteral("InGrid1") << headers("||Datum|Konto|År|Månad|Summa|Kontoplan")
                             << QList<int>{20, 42, 72, 39, 43, 64, 110, 64};
    QTest::newRow("Utgrid") << QStringLiteral("Utgrid") << headers("||Datum|Konto|År|Månad|Summa|Kontoplan")
                            << QList<int>{20, 42, 64, 64, 64, 64, 81, 61};
    QTest::newRow("DBAdvGrid1") << QStringLiteral("DBAdvGrid1") << headers("|Kontonamn|Kontonummer|Kontotyp")
                                << QList<int>{32, 178, 80, 64};
    QTest::newRow("DBAdvGrid2") << QStringLiteral("DBAdvGrid2") << headers("|Kontonamn|Kontonummer|Budget")
                                << QList<int>{32, 132, 80, 100};
}

void MainWindowTest::dataGrid_keepsItsColumnsAfterTableChanges() {
    QFETCH(QString, name);
    QFETCH(QStringList, headers);
    QFETCH(QList<int>, widths);
    TestProgram t;
    addRows(t);
    t.start();
    DataGrid* g = showGrid(t, name);
    QVERIFY(g);
    store::Table& table = g->tableModel()->table();
    table.first();
    table.edit();
    table.post(); // every post re-reads the rows
    table.refresh();
    QCOMPARE(g->model()->columnCount(), headers.size());
    for (int column = 0; column < headers.size(); ++column) {
        QCOMPARE(g->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        QCOMPARE(g->columnWidth(column), widths[column]);
    }
    QCOMPARE(g->rowHeight(0), 22);
}

void MainWindowTest::dataGrid_firstRowGreenSecondCream_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"KontoGrid", "InGrid1", "Utgrid", "DBAdvGrid1", "DBAdvGrid2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void MainWindowTest::dataGrid_firstRowGreenSecondCream() {
    QFETCH(QString, name);
    TestProgram t;
    addRows(t);
    t.start();
    DataGrid* g = showGrid(t, name);
    QVERIFY(g);
    const QAbstractItemModel* model = g->model();
    QVERIFY(model->rowCount() >= 3);
    for (int column = 0; column < model->columnCount(); ++column) {
        QCOMPARE(model->index(0, column).data(Qt::BackgroundRole).value<QColor>(), QColor(0xC0, 0xDC, 0xC0));
        QCOMPARE(model->index(1, column).data(Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xFB, 0xF0));
        QCOMPARE(model->index(2, column).data(Qt::BackgroundRole).value<QColor>(), QColor(0xC0, 0xDC, 0xC0));
    }
}

void MainWindowTest::reportGrid_bandedByRowAndSummaryGridNot() {
    TestProgram t;
    addRows(t);
    t.start();
    TForm1& f = t.form1();
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(f.Rapportgrid->colourOf(column, 1), QColor(0xC0, 0xDC, 0xC0));
        QCOMPARE(f.Rapportgrid->colourOf(column, 2), QColor(0xFF, 0xFB, 0xF0));
        QCOMPARE(f.Rapportgrid->colourOf(column, 12), QColor(0xFF, 0xFB, 0xF0));
    }
    for (int column = 0; column < 3; ++column) {
        QVERIFY(!f.DebitGrid->colourOf(column, 1).isValid());
        QVERIFY(!f.DebitGrid->colourOf(column, 2).isValid());
    }
    QVERIFY(f.DebitGrid->alternatingRowColors());
}

void MainWindowTest::reportGrid_showsHeadersAndMonths() {
    TestProgram t;
    addRows(t);
    t.start();
    const StringGrid* g = t.form1().Rapportgrid;
    QCOMPARE(g->columnCount(), 4);
    QCOMPARE(g->rowCount(), 13);
    const QStringList headers{QString(), QStringLiteral("Inkomster"), QStringLiteral("Utgifter"),
                              QStringLiteral("Resultat")};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(g->displayText(column, 0), headers[column]);
    const QStringList months{QStringLiteral("Januari"), QStringLiteral("Februari"), QStringLiteral("Mars"),
                             QStringLiteral("April"),   QStringLiteral("Maj"),      QStringLiteral("Juni"),
                             QStringLiteral("Juli"),    QStringLiteral("Augusti"),  QStringLiteral("September"),
                             QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("December")};
    for (int row = 1; row <= 12; ++row)
        QCOMPARE(g->displayText(0, row), months[row - 1]);
    for (int column = 1; column < 4; ++column)
        QVERIFY(g->alignmentOf(column, 1) & Qt::AlignRight);
    QVERIFY(g->alignmentOf(0, 1) & Qt::AlignLeft);
}

void MainWindowTest::moneyCells_useLocaleMoneyFormat() {
    TestProgram t;
    addRows(t);
    t.start();
    TForm1& f = t.form1();
    const QString nbsp(QChar(0x00A0));
    // Tillgångar 1234,50, Skulder 50, Resultat 1184,50.
    QCOMPARE(f.DebitGrid->displayText(2, 1),
             QStringLiteral("1") + nbsp + QStringLiteral("234,50") + nbsp + QStringLiteral("kr"));
    QCOMPARE(f.DebitGrid->displayText(2, 2), QStringLiteral("50,00") + nbsp + QStringLiteral("kr"));
    QCOMPARE(f.DebitGrid->displayText(1, 1), QStringLiteral("Tillgångar"));
    QVERIFY(f.DebitGrid->alignmentOf(2, 1) & Qt::AlignRight);
    QVERIFY(!(f.DebitGrid->alignmentOf(1, 1) & Qt::AlignRight));
    f.Rapportgrid->setCell(3, 1, QStringLiteral("-1500"));
    QCOMPARE(f.Rapportgrid->displayText(3, 1),
             QStringLiteral("\u22121") + nbsp + QStringLiteral("500,00") + nbsp + QStringLiteral("kr"));
    f.Rapportgrid->setCell(1, 2, QStringLiteral("0,005"));
    QCOMPARE(f.Rapportgrid->displayText(1, 2), QStringLiteral("0,00") + nbsp + QStringLiteral("kr"));
}

void MainWindowTest::amountCells_showTwoDecimals() {
    TestProgram t;
    addRows(t);
    t.start();
    TForm1& f = t.form1();
    // Grids hold no rows until they are first shown.
    QCOMPARE(f.InGrid1->model()->rowCount(), 0);
    QVERIFY(showGrid(t, QStringLiteral("InGrid1")) && showGrid(t, QStringLiteral("Utgrid")));
    const QAbstractItemModel* in = f.InGrid1->model();
    QCOMPARE(in->index(0, 6).data().toString(), QStringLiteral("25000,00"));
    QCOMPARE(in->index(1, 6).data().toString(), QStringLiteral("1,50"));
    const QAbstractItemModel* ut = f.Utgrid->model();
    QCOMPARE(ut->index(1, 6).data().toString(), QStringLiteral("1,23")); // 1,2345
    QCOMPARE(ut->index(2, 6).data().toString(), QStringLiteral("0,00"));
    QCOMPARE(f.KontoGrid->model()->index(0, 5).data().toString(), QStringLiteral("1234,50"));
}

void MainWindowTest::categoryPick_makesSameKeyCurrentAndSetsHint_data() {
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("type");
    QTest::newRow("Kostnadstyp") << QStringLiteral("ComboBox8") << QStringLiteral("ComboBox9") << QStringLiteral("Ut");
    QTest::newRow("Typ Inkomst") << QStringLiteral("ComboBox10") << QStringLiteral("ComboBox11")
                                 << QStringLiteral("In");
}

void MainWindowTest::categoryPick_makesSameKeyCurrentAndSetsHint() {
    QFETCH(QString, names);
    QFETCH(QString, keys);
    QFETCH(QString, type);
    TestProgram t;
    addRows(t);
    t.start();
    auto* nameList = t.form1().findChild<QComboBox*>(names);
    auto* keyList = t.form1().findChild<QComboBox*>(keys);
    const QString third =
        t.scalar(QStringLiteral("SELECT KPnummer FROM Kontoplan WHERE KPtyp = '") + type +
                 QStringLiteral("' AND instr(KPnummer, '000') = 0 ORDER BY KPnummer LIMIT 1 OFFSET 2"))
            .toString();
    const QString thirdName =
        t.scalar(QStringLiteral("SELECT KPnamn FROM Kontoplan WHERE KPnummer = '%1'").arg(third)).toString();
    QVERIFY(!third.isEmpty());
    nameList->setCurrentIndex(2);
    emit nameList->activated(2);
    QCOMPARE(nameList->currentText(), thirdName);
    QCOMPARE(keyList->currentIndex(), 2);
    QCOMPARE(keyList->currentText(), third);
    QCOMPARE(nameList->toolTip(), QStringLiteral("Kontoplan : ") + third);
    // The hint keeps the last pick across a refill.
    t.form1().FyllKontoplan();
    QCOMPARE(nameList->toolTip(), QStringLiteral("Kontoplan : ") + third);
}

void MainWindowTest::typedText_raisesNoSelect() {
    TestProgram t;
    addRows(t);
    t.start();
    TForm1& f = t.form1();
    f.ComboBox8->setEditText(QStringLiteral("El"));
    QCOMPARE(f.ComboBox9->currentIndex(), -1);
    f.ComboBox13->setCurrentIndex(1);
    emit f.ComboBox13->activated(1);
    QCOMPARE(f.ComboBox2->currentText(), QStringLiteral("2"));
    QTest::keyClicks(f.ComboBox13->lineEdit(), QStringLiteral("Plånbok"));
    f.ComboBox13->setEditText(QStringLiteral("Plånbok"));
    QCOMPARE(f.ComboBox2->currentIndex(), 1);
}

void MainWindowTest::refill_leavesNoCurrentItem_data() {
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("accounts");
    QTest::newRow("Till Konto") << QStringLiteral("ComboBox13") << QStringLiteral("ComboBox2") << true;
    QTest::newRow("Från Konto") << QStringLiteral("ComboBox14") << QStringLiteral("ComboBox7") << true;
    QTest::newRow("Typ Inkomst") << QStringLiteral("ComboBox10") << QStringLiteral("ComboBox11") << false;
    QTest::newRow("Kostnadstyp") << QStringLiteral("ComboBox8") << QStringLiteral("ComboBox9") << false;
}

void MainWindowTest::refill_leavesNoCurrentItem() {
    QFETCH(QString, names);
    QFETCH(QString, keys);
    QFETCH(bool, accounts);
    TestProgram t;
    addRows(t);
    t.start();
    auto* nameList = t.form1().findChild<QComboBox*>(names);
    auto* keyList = t.form1().findChild<QComboBox*>(keys);
    const int count = nameList->count();
    QVERIFY(count >= 2);
    QCOMPARE(keyList->count(), count);
    nameList->setCurrentIndex(1);
    emit nameList->activated(1);
    QCOMPARE(keyList->currentIndex(), 1);
    if (accounts)
        t.form1().FyllKonto();
    else
        t.form1().FyllKontoplan();
    QCOMPARE(nameList->currentIndex(), -1);
    QCOMPARE(keyList->currentIndex(), -1);
    QCOMPARE(nameList->currentText(), QString());
    QCOMPARE(nameList->count(), count);
    QCOMPARE(keyList->count(), count);
}

void MainWindowTest::grid_followsCursorAndLeftClickButNotRightClick_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"KontoGrid", "InGrid1", "Utgrid", "DBAdvGrid2", "DBAdvGrid1"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void MainWindowTest::grid_followsCursorAndLeftClickButNotRightClick() {
    QFETCH(QString, name);
    TestProgram t;
    addRows(t);
    t.start();
    // A right click on a grid that deletes asks first; the answer is No.
    for (int i = 0; i < 4; ++i)
        t.dialogs.answers.push_back(false);
    DataGrid* g = showGrid(t, name);
    QVERIFY(g);
    store::Table& table = g->tableModel()->table();
    const std::int64_t rows = table.recordCount();
    table.first();
    QCOMPARE(g->currentIndex().row(), 0);
    table.last();
    QCOMPARE(g->currentIndex().row(), int(rows - 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowCentre(g, 1));
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(g->currentIndex().row(), 1);
    QSignalSpy rightClicks(g, &DataGrid::rightClickCell);
    QTest::mouseClick(g->viewport(), Qt::RightButton, {}, rowCentre(g, 2));
    QCOMPARE(rightClicks.size(), 1);
    QCOMPARE(rightClicks[0][0].toInt(), 3); // grid rows count the header
    QCOMPARE(table.currentRow(), 1);
    QCOMPARE(g->currentIndex().row(), 1);
    QCOMPARE(table.recordCount(), rows);
}

void MainWindowTest::grid_scrollsToWhereTheCursorEnds() {
    TestProgram t;
    addManyExpenses(t);
    t.start();
    DataGrid* g = showGrid(t, QStringLiteral("Utgrid"));
    QVERIFY(g);
    const auto shows = [g](int row) {
        return g->viewport()->rect().contains(g->visualRect(g->model()->index(row, 1)).center());
    };
    // The start put the cursor on the last row.
    QTRY_VERIFY(shows(302));
    QVERIFY(!shows(0));
    store::Table& table = t.program().utgift;
    table.first();
    table.moveToRow(150);
    QCOMPARE(g->currentIndex().row(), 150);
    QTRY_VERIFY(shows(150));
    table.first();
    QTRY_VERIFY(shows(0));
    QVERIFY(!shows(302));
}

// A grid on a table larger than its window (made small here) shows every part of the table, row for row.
void MainWindowTest::windowedGrid_showsTheTableThroughAMovingWindow() {
    TestProgram t;
    addManyExpenses(t);
    t.start();
    DataGrid* g = grid(t, QStringLiteral("Utgrid"));
    TableModel* model = g->tableModel();
    model->setCapacity(60);
    QVERIFY(showGrid(t, QStringLiteral("Utgrid")));
    store::Table& table = t.program().utgift;
    // What the window shows against the stored rows, by position.
    const auto matchesTable = [&] {
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString stored = t.scalar(QStringLiteral("SELECT printf('%.2f', UtSumma / 10000.0) FROM Utgift "
                                                           "ORDER BY Id LIMIT 1 OFFSET %1")
                                                .arg(model->positionOf(row)))
                                       .toString()
                                       .replace(u'.', u',');
            if (model->index(row, 6).data().toString() != stored)
                return false;
        }
        return true;
    };
    const auto currentGridRow = [&] { return g->gridRowOf(g->currentIndex()); };
    QCOMPARE(model->rowCount(), 60);
    QCOMPARE(currentGridRow(), 303); // the start put the cursor on the last row
    QVERIFY(matchesTable());
    table.first();
    QCOMPARE(currentGridRow(), 1);
    QVERIFY(matchesTable());
    table.moveToRow(150);
    QCOMPARE(currentGridRow(), 151);
    QVERIFY(matchesTable());
    // A click moves the cursor to the row under the mouse, wherever the window stands.
    QTRY_VERIFY(g->viewport()->rect().contains(rowCentre(g, model->rowOf(150))));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rowCentre(g, model->rowOf(150) + 2));
    QCOMPARE(table.currentRow(), 152);
    // Scrolling on moves the window on, to the table's end and back to its start.
    for (int i = 0; i < 20; ++i)
        g->verticalScrollBar()->setValue(g->verticalScrollBar()->maximum());
    QCOMPARE(model->positionOf(model->rowCount() - 1), 302);
    QVERIFY(matchesTable());
    for (int i = 0; i < 20; ++i)
        g->verticalScrollBar()->setValue(0);
    QCOMPARE(model->positionOf(0), 0);
    QVERIFY(matchesTable());
    QCOMPARE(table.currentRow(), 152); // scrolling alone leaves the cursor
    // The keyboard reaches both ends of the table.
    g->setFocus();
    QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(table.currentRow(), 302);
    QCOMPARE(currentGridRow(), 303);
    QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(table.currentRow(), 0);
    // Rows added and removed keep the window in step with the table.
    table.moveToRow(30);
    QVERIFY(model->rowOf(30) >= 0);
    table.deleteCurrent();
    QVERIFY(matchesTable());
    table.last();
    table.append();
    table.setAmount(u"UtSumma", 9990000);
    table.post();
    QCOMPARE(currentGridRow(), 303);
    QVERIFY(matchesTable());
    QCOMPARE(model->index(model->rowOf(302), 6).data().toString(), QStringLiteral("999,00"));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
