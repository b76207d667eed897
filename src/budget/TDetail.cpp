#include "budget/TDetail.h"

#include "app/Program.h"
#include "budget/Printing.h"
#include "store/Amount.h"
#include "widgets/StringGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>

namespace {

struct DetailRow {
    QString date;
    QString account;
    QString amount;
    QString category;
    QString name;
};

} // namespace

TDetail::TDetail(Program& program)
    : SecondaryWindow(program, QStringLiteral("TDetail"), QStringLiteral("Detaljer"), QSize(764, 710)) {
    DetailGrid = new StringGrid(6, 2, this);
    DetailGrid->setObjectName(QStringLiteral("DetailGrid"));
    DetailGrid->setGeometry(8, 8, 600, 664);
    const int widths[] = {27, 71, 64, 129, 84, 197};
    for (int column = 0; column < 6; ++column)
        DetailGrid->setColumnWidth(column, widths[column]);
    DetailGrid->setAlternatingRowColors(true);
    // Bands of the window colour and the tooltip colour; on a dark window a light steel takes the window's place
    // so that the grid's dark text stays readable.
    QPalette bands = DetailGrid->palette();
    const QColor window = palette().color(QPalette::Window);
    bands.setColor(QPalette::Base, window.lightness() < 128 ? QColor(0xDD, 0xE3, 0xEA) : window);
    bands.setColor(QPalette::AlternateBase, palette().color(QPalette::ToolTipBase));
    DetailGrid->setPalette(bands);
    DetailGrid->setFormat([](int column, int, const QString& text) {
        return column == 3 ? store::formatCellMoney2(text) : store::formatCellWhole(text);
    });
    DetailGrid->setAlignment([](int column, int) { return column == 5 ? Qt::AlignLeft : Qt::AlignRight; });

    RadioButton2 = new QRadioButton(QStringLiteral("Inkomster"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(624, 24, 120, 21);
    RadioButton1 = new QRadioButton(QStringLiteral("Utgifter"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(624, 48, 120, 21);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(624, 88, 65, 21);
    DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy"));
    DateTimePicker1->setToolTip(QStringLiteral("Skriva in år eller välj i listan"));
    Label1 = new QLabel(QStringLiteral("Välj Budgetmånad"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(624, 128, 120, 16);
    EditListBox1 = new QListWidget(this);
    EditListBox1->setObjectName(QStringLiteral("EditListBox1"));
    EditListBox1->setGeometry(624, 148, 120, 260);
    EditListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    EditListBox1->addItems({QStringLiteral("Januari"), QStringLiteral("Februari"), QStringLiteral("Mars"),
                            QStringLiteral("April"), QStringLiteral("Maj"), QStringLiteral("Juni"),
                            QStringLiteral("Juli"), QStringLiteral("Augusti"), QStringLiteral("September"),
                            QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("December")});
    AdvGlowButton11 = new QPushButton(QStringLiteral("Skriv Ut"), this);
    AdvGlowButton11->setObjectName(QStringLiteral("AdvGlowButton11"));
    AdvGlowButton11->setGeometry(624, 560, 120, 41);
    AdvGlowButton1 = new QPushButton(QStringLiteral("Stäng"), this);
    AdvGlowButton1->setObjectName(QStringLiteral("AdvGlowButton1"));
    AdvGlowButton1->setGeometry(624, 616, 120, 41);
    AdvGlowButton1->setAutoDefault(false);
    AdvGlowButton11->setAutoDefault(false);

    Program& p = m_program;
    connect(RadioButton2, &QRadioButton::clicked, this, [this, &p] { guarded(p, [this] { RadioButton2Click(); }); });
    connect(RadioButton1, &QRadioButton::clicked, this, [this, &p] { guarded(p, [this] { RadioButton1Click(); }); });
    // A click on the month already chosen also counts: the year may have changed since.
    connect(EditListBox1, &QListWidget::currentRowChanged, this,
            [this, &p] { guarded(p, [this] { EditListBox1Click(); }); });
    connect(EditListBox1, &QListWidget::itemClicked, this, [this, &p] { guarded(p, [this] { EditListBox1Click(); }); });
    connect(AdvGlowButton11, &QPushButton::clicked, this,
            [this, &p] { guarded(p, [this] { AdvGlowButton11Click(); }); });
    connect(AdvGlowButton1, &QPushButton::clicked, this, [this, &p] { guarded(p, [this] { AdvGlowButton1Click(); }); });
}

void TDetail::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    if (!event->spontaneous())
        guarded(m_program, [this] { FormShow(); });
}

void TDetail::FormShow() {
    const ReportCell cell = m_program.reportCell;
    (cell.column == 1 ? RadioButton2 : RadioButton1)->setChecked(true);
    {
        const QSignalBlocker quiet(EditListBox1);
        EditListBox1->setCurrentRow(cell.month >= 1 && cell.month <= 12 ? cell.month - 1 : -1);
    }
    visaDetail();
}

// The rows of the chosen kind booked to the chosen year and month, in table order, then an empty row and the
// total of their whole-unit reads. Leaves the table read on its last row and the chart on its first.
void TDetail::visaDetail() {
    Program& p = m_program;
    const StringGrid::Batch batch(*DetailGrid);
    DetailGrid->clearCells();
    DetailGrid->setRows(2);
    m_shown = requested();
    const int year = m_shown.year;
    const int month = m_shown.month;
    const QStringList headers{QStringLiteral("Datum"), QStringLiteral("Konto"), QStringLiteral("Summa"),
                              QStringLiteral("Kontoplan"), QStringLiteral("KontoNamn")};
    for (int column = 1; column <= 5; ++column)
        DetailGrid->setCell(column, 0, headers[column - 1]);

    const bool income = m_shown.kind == 1;
    if (m_shown.kind != 0) {
        // A number no chart row bears shows no name.
        const QString sql = income ? QStringLiteral("SELECT InDatum, InKonto, InSumma, InTyp, KPnamn FROM Inkomst "
                                                    "LEFT JOIN Kontoplan ON KPnummer = InTyp "
                                                    "WHERE InYear = ?1 AND InMonth = ?2 ORDER BY Inkomst.Id")
                                   : QStringLiteral("SELECT UtDatum, UtKonto, UtSumma, UtPKonto, KPnamn FROM Utgift "
                                                    "LEFT JOIN Kontoplan ON KPnummer = UtPKonto "
                                                    "WHERE UtYear = ?1 AND UtMonth = ?2 ORDER BY Utgift.Id");
        std::vector<DetailRow> rows;
        qint64 total = 0;
        {
            store::KeptStatement query(p.database, sql);
            query->bindInt(1, year);
            query->bindInt(2, month);
            while (query->step()) {
                const bool empty = query->isNull(2);
                const store::Amount amount = empty ? 0 : query->intValue(2);
                total += store::wholeUnits(amount);
                rows.push_back({query->textValue(0), query->textValue(1),
                                empty ? QString() : store::plainDecimal(amount), query->textValue(3),
                                query->textValue(4)});
            }
        }
        const int n = static_cast<int>(rows.size());
        DetailGrid->setRows(n + 3);
        for (int i = 0; i < n; ++i) {
            const DetailRow& row = rows[static_cast<size_t>(i)];
            DetailGrid->setCell(1, i + 1, row.date);
            DetailGrid->setCell(2, i + 1, row.account);
            DetailGrid->setCell(3, i + 1, row.amount);
            DetailGrid->setCell(4, i + 1, row.category);
            DetailGrid->setCell(5, i + 1, row.name);
        }
        DetailGrid->setCell(2, n + 2, QStringLiteral("Totalt : "));
        DetailGrid->setCell(3, n + 2, QString::number(total));
        (income ? p.inkomst : p.utgift).last();
    }
    p.kontoplan.first();
}

void TDetail::RadioButton2Click() {
    visaDetail();
}

void TDetail::RadioButton1Click() {
    visaDetail();
}

// A click on a new month also changes the current row; the grid is filled once.
void TDetail::EditListBox1Click() {
    if (requested() != m_shown)
        visaDetail();
}

TDetail::Shown TDetail::requested() const {
    return Shown{DateTimePicker1->date().year(), EditListBox1->currentRow() + 1,
                 RadioButton2->isChecked() ? 1 : (RadioButton1->isChecked() ? 2 : 0)};
}

void TDetail::AdvGlowButton11Click() {
    printing::printOnDefaultPrinter(m_program, QStringLiteral("Detaljer"), printing::fromStringGrid(*DetailGrid),
                                    printing::detailFurniture());
}

void TDetail::AdvGlowButton1Click() {
    close();
}
