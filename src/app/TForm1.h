#pragma once

#include <QWidget>

class Program;
class NavBar;
class DataGrid;
class StringGrid;
class MoneyEdit;
class QComboBox;
class QDateEdit;
class QFrame;
class QMenu;
class QAction;
class QPushButton;
class QSpinBox;
class VersionCheck;

// The main window: five tabs on a navigation bar, the grids of the four main tables and the input panels.
// Controls carry their design names; handlers are named after the control and the event.
class TForm1 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Program& program);
    ~TForm1() override;

    // Binds the data grids to their tables; called once every window exists.
    void bindGrids();

    void setVisible(bool visible) override;

    // Window flow and start-up.
    void FormShow();
    void AdvGlowButton1Click();  // "Skapa Konto"
    void AdvGlowButton7Click();  // "Överför mellan konto"
    void AdvGlowButton12Click(); // "Återkommande Utgifter"
    void Lggtillkonto1Click();   // "Lägg till i kontoplan"
    void RapportgridDblClickCell(int row, int column);

    // Budget month and break day.
    void startdatum();
    void InDatePicker1Change();
    void UtDatePicker1Change();
    void DBAdvSpinEdit1Change();
    void readBreakDay();

    // Paired pick lists.
    void ComboBox13Select();
    void ComboBox14Select();
    void ComboBox10Select();
    void ComboBox8Select();

    // Accounts.
    void FyllKonto();
    void KontoGridRightClickCell(int row, int column);
    void Button2Click();

    // Chart of accounts and budget.
    void FyllKontoplan();
    void DBAdvGrid2ClickCell(int row, int column);

    // Income and expenses.
    void AdvGlowButton4Click();
    void AdvGlowButton8Click();
    void InGrid1RightClickCell(int row, int column);
    void UtgridRightClickCell(int row, int column);

    // Recurring expenses.
    void kollaPeriod();

    // Reports and printing.
    void Button1Click();
    void fyllRapport();
    void DBAdvGrid2DblClickCell(int row, int column);
    void AdvGlowButton11Click();
    void SkrivUt1Click();
    void SkrivUtKontolista1Click();

    // Version check.
    void AdvGlowButton14Click();
    void HTTPGetstringDoneString(const QString& text);
    void HTTPGetstringError();

    Program& program() { return m_program; }

    NavBar* AdvNavBar1 = nullptr;
    // Konto
    DataGrid* KontoGrid = nullptr;
    StringGrid* DebitGrid = nullptr;
    QPushButton* AdvGlowButton5 = nullptr;
    QPushButton* AdvGlowButton7 = nullptr;
    // Inkomst
    DataGrid* InGrid1 = nullptr;
    QFrame* AdvToolPanel2 = nullptr;
    QComboBox* ComboBox10 = nullptr;
    QComboBox* ComboBox11 = nullptr;
    QComboBox* ComboBox13 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    MoneyEdit* InAdvMoneyEdit1 = nullptr;
    QDateEdit* InDatePicker1 = nullptr;
    QPushButton* AdvGlowButton4 = nullptr;
    // Utgift
    DataGrid* Utgrid = nullptr;
    QFrame* AdvToolPanel4 = nullptr;
    QComboBox* ComboBox14 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QComboBox* ComboBox8 = nullptr;
    QComboBox* ComboBox9 = nullptr;
    MoneyEdit* UtAdvMoneyEdit1 = nullptr;
    QDateEdit* UtDatePicker1 = nullptr;
    QPushButton* AdvGlowButton12 = nullptr;
    QPushButton* AdvGlowButton8 = nullptr;
    // Budget & Rapporter
    DataGrid* DBAdvGrid2 = nullptr;
    StringGrid* Rapportgrid = nullptr;
    QPushButton* BudgetIn = nullptr;
    QPushButton* BudgetUt = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
    QPushButton* AdvGlowButton9 = nullptr;
    QPushButton* AdvGlowButton11 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* SkrivUt1 = nullptr;
    QAction* SkrivUtKontolista1 = nullptr;
    // Kontoplan & Inställningar
    DataGrid* DBAdvGrid1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* Lggtillkonto1 = nullptr;
    QSpinBox* DBAdvSpinEdit1 = nullptr;
    QPushButton* AdvGlowButton10 = nullptr;
    QPushButton* AdvGlowButton14 = nullptr;
    VersionCheck* HTTPGetstring = nullptr;

    // True while the report grid shows a year report (not the budget-against-actual view).
    bool reportShowsYear = false;

private:
    void buildKontoTab(QWidget* panel);
    void buildInkomstTab(QWidget* panel);
    void buildUtgiftTab(QWidget* panel);
    void buildBudgetTab(QWidget* panel);
    void buildKontoplanTab(QWidget* panel);
    void connectHandlers();
    // Set-up of each area's controls, run once the grids are bound; each lives beside that area's handlers.
    void setupAccounts();
    void setupChart();
    void setupEntry();
    void setupReports();
    void setupVersionCheck();
    void runStartup();
    void bookDueRow(std::int64_t rowid);

    Program& m_program;
    bool m_inFormShow = false;
};
