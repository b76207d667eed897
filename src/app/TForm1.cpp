#include "app/TForm1.h"

#include "accounts/TForm6.h"
#include "accounts/TForm7.h"
#include "app/Program.h"
#include "app/TSplash.h"
#include "budget/TDetail.h"
#include "budget/TForm5.h"
#include "store/Amount.h"
#include "store/Backup.h"
#include "transactions/TForm3.h"
#include "widgets/DataGrid.h"
#include "widgets/Look.h"
#include "widgets/MoneyEdit.h"
#include "widgets/NavBar.h"
#include "widgets/PickList.h"
#include "widgets/SpinEdit.h"
#include "widgets/StringGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QFrame* makeToolPanel(QWidget* parent, const QString& name, QRect geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setStyleSheet(QStringLiteral("QFrame#%1 { border: 1px solid #3A5A96; border-radius: 4px;"
                                        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #DCE6F6,"
                                        " stop:1 #527BC6); }")
                             .arg(name));
    return panel;
}

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, 174, 16);
    label->setStyleSheet(QStringLiteral("font-weight: bold; color: #0B1B3A; background: transparent;"));
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QPushButton* makeBoldLabel(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    QPushButton* button = makeButton(parent, name, caption, geometry);
    button->setEnabled(false);
    button->setStyleSheet(QStringLiteral("QPushButton:disabled { font-weight: bold; color: #0B1B3A; text-align: left;"
                                         " background: transparent; border: none; }"));
    return button;
}

QDateEdit* makeDatePicker(QWidget* parent, const QString& name, QRect geometry) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setGeometry(geometry);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return picker;
}

} // namespace

TForm1::TForm1(Program& program) : QWidget(nullptr), m_program(program) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Slantvis"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(787, 609);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    AdvNavBar1 = new NavBar(this);
    layout->addWidget(AdvNavBar1);
    buildKontoTab(AdvNavBar1->addPanel(QStringLiteral("AdvNavBarPanel1"), QStringLiteral("Konto")));
    buildInkomstTab(AdvNavBar1->addPanel(QStringLiteral("AdvNavBarPanel2"), QStringLiteral("Inkomst")));
    buildUtgiftTab(AdvNavBar1->addPanel(QStringLiteral("AdvNavBarPanel3"), QStringLiteral("Utgift")));
    buildBudgetTab(AdvNavBar1->addPanel(QStringLiteral("AdvNavBarPanel4"), QStringLiteral("Budget && Rapporter")));
    buildKontoplanTab(
        AdvNavBar1->addPanel(QStringLiteral("AdvNavBarPanel5"), QStringLiteral("Kontoplan && Inställningar")));
    AdvNavBar1->setActiveTabIndex(0);
    connectHandlers();
}

TForm1::~TForm1() = default;

void TForm1::buildKontoTab(QWidget* panel) {
    KontoGrid = new DataGrid(panel);
    KontoGrid->setObjectName(QStringLiteral("KontoGrid"));
    KontoGrid->setGeometry(8, 16, 433, 268);
    DebitGrid = new StringGrid(3, 4, panel);
    DebitGrid->setObjectName(QStringLiteral("DebitGrid"));
    DebitGrid->setGeometry(8, 290, 433, 93);
    DebitGrid->setColumnWidth(0, 63);
    DebitGrid->setColumnWidth(1, 75);
    DebitGrid->setColumnWidth(2, 255);
    DebitGrid->setAlternatingRowColors(true);
    DebitGrid->setFormat(
        [](int, int row, const QString& text) { return row == 0 ? text : store::formatCellMoney2(text); });
    DebitGrid->setAlignment([](int column, int) { return column == 2 ? Qt::AlignRight : Qt::AlignLeft; });

    auto* right = new QWidget(panel);
    right->setGeometry(785 - 336, 0, 336, 389);
    QFrame* tools = makeToolPanel(right, QStringLiteral("AdvToolPanel1"), QRect(8, 16, 313, 353));
    AdvGlowButton5 =
        makeButton(tools, QStringLiteral("AdvGlowButton5"), QStringLiteral("Skapa Konto"), QRect(104, 120, 120, 41));
    AdvGlowButton7 = makeButton(tools, QStringLiteral("AdvGlowButton7"), QStringLiteral("Överför mellan konto"),
                                QRect(104, 192, 120, 41));
}

void TForm1::buildInkomstTab(QWidget* panel) {
    InGrid1 = new DataGrid(panel);
    InGrid1->setObjectName(QStringLiteral("InGrid1"));
    InGrid1->setGeometry(8, 16, 481, 353);
    AdvToolPanel2 = makeToolPanel(panel, QStringLiteral("AdvToolPanel2"), QRect(496, 16, 249, 353));
    makeLabel(AdvToolPanel2, QStringLiteral("Typ Inkomst"), 35, 40);
    ComboBox10 = picklist::makeNameList(AdvToolPanel2, QStringLiteral("ComboBox10"));
    ComboBox10->setGeometry(35, 56, 174, 22);
    ComboBox11 = picklist::makeKeyList(AdvToolPanel2, QStringLiteral("ComboBox11"));
    makeLabel(AdvToolPanel2, QStringLiteral("Till Konto"), 35, 80);
    ComboBox13 = picklist::makeNameList(AdvToolPanel2, QStringLiteral("ComboBox13"));
    ComboBox13->setGeometry(35, 96, 174, 22);
    ComboBox2 = picklist::makeKeyList(AdvToolPanel2, QStringLiteral("ComboBox2"));
    makeLabel(AdvToolPanel2, QStringLiteral("Summa"), 35, 128);
    InAdvMoneyEdit1 = new MoneyEdit(AdvToolPanel2);
    InAdvMoneyEdit1->setObjectName(QStringLiteral("InAdvMoneyEdit1"));
    InAdvMoneyEdit1->setGeometry(35, 144, 174, 22);
    makeLabel(AdvToolPanel2, QStringLiteral("Datum"), 35, 176);
    InDatePicker1 = makeDatePicker(AdvToolPanel2, QStringLiteral("InDatePicker1"), QRect(35, 192, 174, 22));
    AdvGlowButton4 = makeButton(AdvToolPanel2, QStringLiteral("AdvGlowButton4"),
                                QStringLiteral("Lägg Till Transaktion"), QRect(65, 280, 120, 41));
}

void TForm1::buildUtgiftTab(QWidget* panel) {
    Utgrid = new DataGrid(panel);
    Utgrid->setObjectName(QStringLiteral("Utgrid"));
    Utgrid->setGeometry(8, 16, 481, 353);
    AdvToolPanel4 = makeToolPanel(panel, QStringLiteral("AdvToolPanel4"), QRect(496, 16, 249, 353));
    makeLabel(AdvToolPanel4, QStringLiteral("Från Konto"), 35, 32);
    ComboBox14 = picklist::makeNameList(AdvToolPanel4, QStringLiteral("ComboBox14"));
    ComboBox14->setGeometry(35, 48, 174, 22);
    ComboBox7 = picklist::makeKeyList(AdvToolPanel4, QStringLiteral("ComboBox7"));
    makeLabel(AdvToolPanel4, QStringLiteral("Kostnadstyp"), 35, 80);
    ComboBox8 = picklist::makeNameList(AdvToolPanel4, QStringLiteral("ComboBox8"));
    ComboBox8->setGeometry(35, 96, 174, 22);
    ComboBox9 = picklist::makeKeyList(AdvToolPanel4, QStringLiteral("ComboBox9"));
    makeLabel(AdvToolPanel4, QStringLiteral("Summa"), 35, 128);
    UtAdvMoneyEdit1 = new MoneyEdit(AdvToolPanel4);
    UtAdvMoneyEdit1->setObjectName(QStringLiteral("UtAdvMoneyEdit1"));
    UtAdvMoneyEdit1->setGeometry(35, 144, 174, 22);
    makeLabel(AdvToolPanel4, QStringLiteral("Datum"), 35, 176);
    UtDatePicker1 = makeDatePicker(AdvToolPanel4, QStringLiteral("UtDatePicker1"), QRect(35, 192, 174, 22));
    AdvGlowButton12 = makeButton(AdvToolPanel4, QStringLiteral("AdvGlowButton12"),
                                 QStringLiteral("Återkommande Utgifter"), QRect(56, 232, 129, 41));
    AdvGlowButton8 = makeButton(AdvToolPanel4, QStringLiteral("AdvGlowButton8"),
                                QStringLiteral("Lägg Till Transaktion"), QRect(56, 280, 129, 41));
}

void TForm1::buildBudgetTab(QWidget* panel) {
    DBAdvGrid2 = new DataGrid(panel);
    DBAdvGrid2->setObjectName(QStringLiteral("DBAdvGrid2"));
    DBAdvGrid2->setGeometry(0, 0, 377, 389);
    DBAdvGrid2->setToolTip(QStringLiteral("Skriv in belopp per månad för vald  budget"));

    auto* right = new QWidget(panel);
    right->setGeometry(785 - 377, 0, 377, 389);
    Rapportgrid = new StringGrid(4, 13, right);
    Rapportgrid->setObjectName(QStringLiteral("Rapportgrid"));
    Rapportgrid->setGeometry(16, 24, 345, 290);
    const int widths[] = {72, 88, 88, 88};
    for (int i = 0; i < 4; ++i)
        Rapportgrid->setColumnWidth(i, widths[i]);
    const QStringList headers{QString(), QStringLiteral("Inkomster"), QStringLiteral("Utgifter"),
                              QStringLiteral("Resultat")};
    for (int i = 0; i < 4; ++i)
        Rapportgrid->setCell(i, 0, headers[i]);
    const QStringList months{QStringLiteral("Januari"), QStringLiteral("Februari"), QStringLiteral("Mars"),
                             QStringLiteral("April"),   QStringLiteral("Maj"),      QStringLiteral("Juni"),
                             QStringLiteral("Juli"),    QStringLiteral("Augusti"),  QStringLiteral("September"),
                             QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("December")};
    for (int i = 0; i < 12; ++i)
        Rapportgrid->setCell(0, i + 1, months[i]);
    Rapportgrid->setFormat([](int, int, const QString& text) { return store::formatCellMoney2(text); });
    Rapportgrid->setAlignment([](int column, int) { return column >= 1 ? Qt::AlignRight : Qt::AlignLeft; });
    Rapportgrid->setColour([](int, int row) { return look::rowColour(row); });

    BudgetIn = makeBoldLabel(right, QStringLiteral("BudgetIn"), QString(), QRect(16, 328, 220, 21));
    BudgetIn->setToolTip(QStringLiteral("per månad"));
    BudgetUt = makeBoldLabel(right, QStringLiteral("BudgetUt"), QString(), QRect(16, 352, 220, 21));
    BudgetUt->setToolTip(QStringLiteral("per månad"));
    DateTimePicker1 = new QDateEdit(right);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(248, 328, 65, 21);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy"));
    DateTimePicker1->setToolTip(QStringLiteral("Skriva in år eller välj i listan"));
    AdvGlowButton9 =
        makeButton(right, QStringLiteral("AdvGlowButton9"), QStringLiteral("Rapport"), QRect(248, 352, 65, 21));
    AdvGlowButton11 = makeButton(right, QStringLiteral("AdvGlowButton11"), QString(), QRect(320, 328, 52, 49));
    AdvGlowButton11->setIcon(
        QIcon::fromTheme(QStringLiteral("document-print"), style()->standardIcon(QStyle::SP_DialogSaveButton)));
    AdvGlowButton11->setIconSize(QSize(32, 32));
    AdvGlowButton11->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    SkrivUt1 = PopupMenu1->addAction(QStringLiteral("Skriv Ut Resultatrapport"));
    SkrivUt1->setObjectName(QStringLiteral("SkrivUt1"));
    SkrivUtKontolista1 = PopupMenu1->addAction(QStringLiteral("Skriv Ut Kontolista"));
    SkrivUtKontolista1->setObjectName(QStringLiteral("SkrivUtKontolista1"));
}

void TForm1::buildKontoplanTab(QWidget* panel) {
    DBAdvGrid1 = new DataGrid(panel);
    DBAdvGrid1->setObjectName(QStringLiteral("DBAdvGrid1"));
    DBAdvGrid1->setGeometry(0, 0, 385, 389);
    DBAdvGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    Lggtillkonto1 = PopupMenu2->addAction(QStringLiteral("Lägg till i kontoplan"));
    Lggtillkonto1->setObjectName(QStringLiteral("Lggtillkonto1"));

    DBAdvSpinEdit1 = new SpinEdit(panel);
    DBAdvSpinEdit1->setObjectName(QStringLiteral("DBAdvSpinEdit1"));
    DBAdvSpinEdit1->setGeometry(480, 200, 57, 26);
    DBAdvSpinEdit1->setRange(1, 31);
    DBAdvSpinEdit1->setValue(1);
    QFont spinFont(QStringLiteral("MS Sans Serif"));
    spinFont.setPixelSize(13);
    DBAdvSpinEdit1->setFont(spinFont);
    AdvGlowButton10 = makeBoldLabel(panel, QStringLiteral("AdvGlowButton10"),
                                    QStringLiteral("Brytningsdag för budgetmånad"), QRect(544, 200, 201, 21));
    AdvGlowButton10->setToolTip(QStringLiteral("per månad"));
    AdvGlowButton14 =
        makeButton(panel, QStringLiteral("AdvGlowButton14"), QStringLiteral("Ny version ?"), QRect(616, 256, 97, 21));
    AdvGlowButton14->setToolTip(QStringLiteral("Kontrollera om det finns ny version"));
}

void TForm1::connectHandlers() {
    Program& p = m_program;
    const auto on = [&p](auto* sender, auto signal, auto handler) {
        QObject::connect(sender, signal, sender, [&p, handler](auto&&...) { guarded(p, handler); });
    };
    on(AdvGlowButton5, &QPushButton::clicked, [this] { AdvGlowButton1Click(); });
    on(AdvGlowButton7, &QPushButton::clicked, [this] { AdvGlowButton7Click(); });
    on(AdvGlowButton12, &QPushButton::clicked, [this] { AdvGlowButton12Click(); });
    on(AdvGlowButton4, &QPushButton::clicked, [this] { AdvGlowButton4Click(); });
    on(AdvGlowButton8, &QPushButton::clicked, [this] { AdvGlowButton8Click(); });
    on(AdvGlowButton9, &QPushButton::clicked, [this] { Button1Click(); });
    on(AdvGlowButton11, &QPushButton::clicked, [this] { AdvGlowButton11Click(); });
    on(AdvGlowButton11, &QWidget::customContextMenuRequested, [this] { AdvGlowButton11Click(); });
    on(AdvGlowButton14, &QPushButton::clicked, [this] { AdvGlowButton14Click(); });
    on(SkrivUt1, &QAction::triggered, [this] { SkrivUt1Click(); });
    on(SkrivUtKontolista1, &QAction::triggered, [this] { SkrivUtKontolista1Click(); });
    on(Lggtillkonto1, &QAction::triggered, [this] { Lggtillkonto1Click(); });
    on(ComboBox13, &QComboBox::activated, [this] { ComboBox13Select(); });
    on(ComboBox14, &QComboBox::activated, [this] { ComboBox14Select(); });
    on(ComboBox10, &QComboBox::activated, [this] { ComboBox10Select(); });
    on(ComboBox8, &QComboBox::activated, [this] { ComboBox8Select(); });
    on(InDatePicker1, &QDateEdit::dateChanged, [this] { InDatePicker1Change(); });
    on(UtDatePicker1, &QDateEdit::dateChanged, [this] { UtDatePicker1Change(); });
    on(DBAdvSpinEdit1, &QSpinBox::textChanged, [this] { DBAdvSpinEdit1Change(); });
    connect(DBAdvGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(DBAdvGrid1->viewport()->mapToGlobal(at)); });
    connect(KontoGrid, &DataGrid::rightClickCell, this,
            [this](int row, int column) { guarded(m_program, [&] { KontoGridRightClickCell(row, column); }); });
    connect(InGrid1, &DataGrid::rightClickCell, this,
            [this](int row, int column) { guarded(m_program, [&] { InGrid1RightClickCell(row, column); }); });
    connect(Utgrid, &DataGrid::rightClickCell, this,
            [this](int row, int column) { guarded(m_program, [&] { UtgridRightClickCell(row, column); }); });
    connect(DBAdvGrid2, &DataGrid::clickCell, this,
            [this](int row, int column) { guarded(m_program, [&] { DBAdvGrid2ClickCell(row, column); }); });
    connect(DBAdvGrid2, &DataGrid::dblClickCell, this,
            [this](int row, int column) { guarded(m_program, [&] { DBAdvGrid2DblClickCell(row, column); }); });
    connect(Rapportgrid, &StringGrid::dblClickCell, this,
            [this](int row, int column) { guarded(m_program, [&] { RapportgridDblClickCell(row, column); }); });
}

void TForm1::bindGrids() {
    const auto right = Qt::AlignRight;
    const auto centre = Qt::AlignHCenter;
    const auto left = Qt::AlignLeft;
    KontoGrid->bind(m_program.konto, {{{}, {}, 20, left},
                                      {QStringLiteral("Konto"), QStringLiteral("Id"), 21, left},
                                      {QStringLiteral("Knummer"), QStringLiteral("Nummer"), 91, left},
                                      {QStringLiteral("Ktyp"), QStringLiteral("Typ"), 64, left},
                                      {QStringLiteral("Knamn"), QStringLiteral("Namn"), 81, left},
                                      {QStringLiteral("Ksumma"), QStringLiteral("Summa"), 124, right}});
    InGrid1->bind(m_program.inkomst, {{{}, {}, 20, left},
                                      {QStringLiteral("Id"), {}, 42, left},
                                      {QStringLiteral("InDatum"), QStringLiteral("Datum"), 72, left},
                                      {QStringLiteral("InKonto"), QStringLiteral("Konto"), 39, left},
                                      {QStringLiteral("InYear"), QStringLiteral("År"), 43, centre},
                                      {QStringLiteral("InMonth"), QStringLiteral("Månad"), 64, centre},
                                      {QStringLiteral("InSumma"), QStringLiteral("Summa"), 110, right},
                                      {QStringLiteral("InTyp"), QStringLiteral("Kontoplan"), 64, centre}});
    Utgrid->bind(m_program.utgift, {{{}, {}, 20, left},
                                    {QStringLiteral("Id"), {}, 42, right},
                                    {QStringLiteral("UtDatum"), QStringLiteral("Datum"), 64, right},
                                    {QStringLiteral("UtKonto"), QStringLiteral("Konto"), 64, right},
                                    {QStringLiteral("UtYear"), QStringLiteral("År"), 64, centre},
                                    {QStringLiteral("UtMonth"), QStringLiteral("Månad"), 64, centre},
                                    {QStringLiteral("UtSumma"), QStringLiteral("Summa"), 81, right},
                                    {QStringLiteral("UtPKonto"), QStringLiteral("Kontoplan"), 61, centre}});
    DBAdvGrid1->bind(m_program.kontoplan, {{{}, {}, 32, left},
                                           {QStringLiteral("KPnamn"), QStringLiteral("Kontonamn"), 178, left},
                                           {QStringLiteral("KPnummer"), QStringLiteral("Kontonummer"), 80, left},
                                           {QStringLiteral("KPtyp"), QStringLiteral("Kontotyp"), 64, left}});
    DBAdvGrid2->bind(m_program.kontoplan, {{{}, {}, 32, left},
                                           {QStringLiteral("KPnamn"), QStringLiteral("Kontonamn"), 132, left},
                                           {QStringLiteral("KPnummer"), QStringLiteral("Kontonummer"), 80, centre},
                                           {QStringLiteral("KPBudget"), QStringLiteral("Budget"), 100, right}});
    m_program.form3->bindGrid();
    m_program.form5->bindGrid();
    setupAccounts();
    setupChart();
    setupEntry();
    setupReports();
    setupVersionCheck();
}

void TForm1::setVisible(bool visible) {
    if (visible && !isVisible()) {
        if (m_inFormShow)
            return; // the outer showing draws the window when its steps are done
        m_inFormShow = true;
        try {
            FormShow();
        } catch (const store::Error& e) {
            m_program.dialogs().error(e.message());
        }
        m_inFormShow = false;
        // Without its tables the program cannot work: it has said why, and main ends it.
        if (!m_program.started)
            return;
    }
    QWidget::setVisible(visible);
}

void TForm1::FormShow() {
    if (!m_program.started) {
        runStartup();
        m_program.started = true;
    }
    m_program.inkomst.last();
    m_program.utgift.last();
    if (m_program.konto.isEmpty() && !m_program.form6->isVisible())
        m_program.form6->exec();
}

void TForm1::runStartup() {
    Program& p = m_program;
    p.splash->showModal();
    p.versionNumber = 203;
    if (p.databaseDirectory.isEmpty())
        p.databaseDirectory = p.options().databaseDirectory.isEmpty()
                                  ? QCoreApplication::applicationDirPath() + QStringLiteral("/Db")
                                  : p.options().databaseDirectory;
    try {
        if (QDir(p.databaseDirectory).exists())
            p.instanceLock.acquire(p.databaseDirectory);
        p.openTables();
    } catch (const store::Error& e) {
        p.database.close();
        p.instanceLock.release();
        throw store::Error(QStringLiteral("Slantvis kan inte öppna sin databas i %1.\n\n%2\n\nProgrammet avslutas.")
                               .arg(QDir::toNativeSeparators(p.databaseDirectory), e.message()));
    }
    const QDateTime now = p.clock().now();
    InDatePicker1->setDateTime(now);
    UtDatePicker1->setDateTime(now);
    DateTimePicker1->setDateTime(now);
    FyllKonto();
    FyllKontoplan();
    // A copy a day before anything is booked; a failed copy is reported and never stops the program.
    try {
        store::backupOncePerDay(p.database, now.date());
    } catch (const store::Error& e) {
        p.dialogs().warning(e.message());
    }
    kollaPeriod();
    readBreakDay();
    startdatum();
}

void TForm1::AdvGlowButton1Click() {
    m_program.form6->showModalFromMain();
}

void TForm1::AdvGlowButton7Click() {
    m_program.form7->showModalFromMain();
}

void TForm1::AdvGlowButton12Click() {
    m_program.form3->showModalFromMain();
}

void TForm1::Lggtillkonto1Click() {
    m_program.form5->showModalFromMain();
}

void TForm1::ComboBox13Select() {
    picklist::select(ComboBox13, ComboBox2);
}

void TForm1::ComboBox14Select() {
    picklist::select(ComboBox14, ComboBox7);
}

void TForm1::ComboBox10Select() {
    picklist::select(ComboBox10, ComboBox11);
    ComboBox10->setToolTip(QStringLiteral("Kontoplan : ") + ComboBox11->itemText(ComboBox10->currentIndex()));
}

void TForm1::ComboBox8Select() {
    picklist::select(ComboBox8, ComboBox9);
    ComboBox8->setToolTip(QStringLiteral("Kontoplan : ") + ComboBox9->itemText(ComboBox8->currentIndex()));
}
