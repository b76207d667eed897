#include "transactions/TForm3.h"

#include "app/Program.h"
#include "transactions/CalculatorMoneyEdit.h"
#include "transactions/DateBox.h"
#include "widgets/DataGrid.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr int kInputX = 546;
constexpr int kInputWidth = 224;

// A label and the input under it, the n-th pair from the top of the input column.
void placeUnderLabel(QWidget* window, const QString& label, QWidget* input, int n) {
    const int y = 8 + n * 46;
    auto* caption = new QLabel(label, window);
    caption->setGeometry(kInputX, y, kInputWidth, 16);
    input->setGeometry(kInputX, y + 17, kInputWidth, 22);
}

} // namespace

TForm3::TForm3(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm3"), QStringLiteral("Återkommande"), QSize(786, 355)) {
    DBAdvGrid1 = new DataGrid(this);
    DBAdvGrid1->setObjectName(QStringLiteral("DBAdvGrid1"));
    DBAdvGrid1->setGeometry(8, 8, 528, 262);

    AdvGlowButton12 = new QPushButton(QStringLiteral("Spara"), this);
    AdvGlowButton12->setObjectName(QStringLiteral("AdvGlowButton12"));
    AdvGlowButton12->setGeometry(8, 280, 97, 33);
    AdvGlowButton12->setAutoDefault(false);

    AdvEdit1 = new QLineEdit(this);
    AdvEdit1->setObjectName(QStringLiteral("AdvEdit1"));
    placeUnderLabel(this, QStringLiteral("Benämning på överföring"), AdvEdit1, 0);

    ComboBox2 = picklist::makeNameList(this, QStringLiteral("ComboBox2"));
    placeUnderLabel(this, QStringLiteral("Konto som avdraget görs från"), ComboBox2, 1);
    ComboBox1 = picklist::makeKeyList(this, QStringLiteral("ComboBox1"));

    DBMoneyEdit1 = new CalculatorMoneyEdit(this);
    DBMoneyEdit1->setObjectName(QStringLiteral("DBMoneyEdit1"));
    placeUnderLabel(this, QStringLiteral("Summa som drages från ovan konto"), DBMoneyEdit1, 2);

    PDatePicker1 = new DateBox(this);
    PDatePicker1->setObjectName(QStringLiteral("PDatePicker1"));
    PDatePicker1->setToday([this] { return m_program.clock().now().date(); });
    placeUnderLabel(this, QStringLiteral("Första datum för avdrag"), PDatePicker1, 3);

    AdvSpinEdit2 = new QSpinBox(this);
    AdvSpinEdit2->setObjectName(QStringLiteral("AdvSpinEdit2"));
    AdvSpinEdit2->setRange(1, 12);
    AdvSpinEdit2->setValue(1);
    placeUnderLabel(this, QStringLiteral("Intervall månader för avdrag"), AdvSpinEdit2, 4);

    ComboBox3 = picklist::makeNameList(this, QStringLiteral("ComboBox3"));
    placeUnderLabel(this, QStringLiteral("Kontoplan"), ComboBox3, 5);
    ComboBox4 = picklist::makeKeyList(this, QStringLiteral("ComboBox4"));

    Program& p = m_program;
    connect(ComboBox2, &QComboBox::activated, this, [this, &p] { guarded(p, [this] { ComboBox2Select(); }); });
    connect(ComboBox3, &QComboBox::activated, this, [this, &p] { guarded(p, [this] { ComboBox3Select(); }); });
    connect(AdvGlowButton12, &QPushButton::clicked, this,
            [this, &p] { guarded(p, [this] { AdvGlowButton12Click(); }); });
    connect(DBAdvGrid1, &DataGrid::rightClickCell, this,
            [this, &p](int row, int column) { guarded(p, [&] { DBAdvGrid1RightClickCell(row, column); }); });
}

// The "Utkonto" column shows the account the amount is taken from (PeriodKonto); PeriodUtkonto is never written.
void TForm3::bindGrid() {
    const auto left = Qt::AlignLeft;
    const auto right = Qt::AlignRight;
    DBAdvGrid1->bind(m_program.period, {{{}, {}, 20, left},
                                        {QStringLiteral("PeriodNamn"), QStringLiteral("Namn"), 120, left},
                                        {QStringLiteral("PeriodKP"), QStringLiteral("Kontoplan"), 64, left},
                                        {QStringLiteral("PeriodSumma"), QStringLiteral("Summa"), 80, right},
                                        {QStringLiteral("PeriodDag"), QStringLiteral("Dag"), 36, right},
                                        {QStringLiteral("PeriodIntervall"), QStringLiteral("Intervall"), 56, right},
                                        {QStringLiteral("PeriodKonto"), QStringLiteral("Utkonto"), 56, left},
                                        {QStringLiteral("PeriodNext"), QStringLiteral("Kommande"), 84, left}});
}

void TForm3::ComboBox2Select() {
    picklist::select(ComboBox2, ComboBox1);
}

void TForm3::ComboBox3Select() {
    picklist::select(ComboBox3, ComboBox4);
}

// Saves a new recurring expense from the inputs, which keep their contents afterwards. The first failing check
// is reported and nothing is written.
void TForm3::AdvGlowButton12Click() {
    Program& p = m_program;
    DBMoneyEdit1->finishCalculation();
    const store::ParsedAmount parsed = DBMoneyEdit1->parsedValue();
    if (!MoneyEdit::isStorable(parsed)) {
        p.dialogs().warning(MoneyEdit::tooLargeMessage());
        return;
    }
    const store::Amount amount = DBMoneyEdit1->value();
    if (amount == 0) {
        p.dialogs().warning(QStringLiteral("Ingen summa inskriven!"));
        return;
    }
    if (AdvEdit1->text().isEmpty()) {
        p.dialogs().warning(QStringLiteral("Inget namn angiven på perioden!"));
        return;
    }
    const QString category = picklist::chosenKey(ComboBox3, ComboBox4);
    if (category.isEmpty()) {
        p.dialogs().warning(QStringLiteral("Ingen kontoplan angiven!"));
        return;
    }
    const QString account = picklist::chosenKey(ComboBox2, ComboBox1);
    if (account.isEmpty()) {
        p.dialogs().warning(QStringLiteral("Avdragskonto angiven!"));
        return;
    }
    const QDate first = PDatePicker1->date();
    if (!first.isValid()) {
        p.dialogs().warning(QStringLiteral("Inget giltigt första datum för avdrag angivet!"));
        return;
    }
    store::Table& period = p.period;
    period.append();
    period.setAmount(u"PeriodSumma", amount);
    period.setText(u"PeriodNamn", AdvEdit1->text());
    period.setText(u"PeriodKP", category);
    period.setInteger(u"PeriodIntervall", AdvSpinEdit2->value());
    period.setText(u"PeriodKonto", account);
    period.setDateTime(u"PeriodNext", first.startOfDay());
    period.post();
}

// Deletes the current recurring expense after a question. What its earlier bookings wrote stays.
void TForm3::DBAdvGrid1RightClickCell(int, int) {
    store::Table& period = m_program.period;
    const QString question =
        QStringLiteral("Radera följande återkommande utgift: ") + period.asText(u"PeriodNamn") + QStringLiteral("  ? ");
    if (!m_program.dialogs().question(question))
        return;
    period.deleteCurrent();
    period.refresh();
}
