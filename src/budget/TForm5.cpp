#include "budget/TForm5.h"

#include "app/Program.h"
#include "app/TForm1.h"
#include "widgets/DataGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

bool numberIsStored(store::Database& database, const QString& number) {
    store::KeptStatement query(database, QStringLiteral("SELECT 1 FROM Kontoplan WHERE KPnummer = ?1"));
    query->bindText(1, number);
    return query->step();
}

} // namespace

TForm5::TForm5(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm5"), QStringLiteral("+Kontoplan"), QSize(417, 554)) {
    DBAdvGrid1 = new DataGrid(this);
    DBAdvGrid1->setObjectName(QStringLiteral("DBAdvGrid1"));
    DBAdvGrid1->setGeometry(8, 8, 393, 330);

    auto* numberLabel = new QLabel(QStringLiteral("Kontonummer"), this);
    numberLabel->setGeometry(24, 352, 120, 16);
    KontoNummer = new QSpinBox(this);
    KontoNummer->setObjectName(QStringLiteral("KontoNummer"));
    KontoNummer->setGeometry(24, 370, 100, 24);
    KontoNummer->setRange(2000, 9899);
    KontoNummer->setValue(2000);
    AdvGlowButton2 = makeButton(this, QStringLiteral("AdvGlowButton2"), QStringLiteral("Kontrollera tillgänglighet"),
                                QRect(144, 368, 180, 28));

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(24, 412, 200, 24);
    Edit2->setPlaceholderText(QStringLiteral("Kontonamn"));
    RadioButton1 = new QRadioButton(QStringLiteral("Utgift"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(240, 404, 100, 20);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Inkomst"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(240, 426, 100, 20);
    AdvGlowButton3 = makeButton(this, QStringLiteral("AdvGlowButton3"), QStringLiteral("Lägg till kontoplan"),
                                QRect(24, 452, 200, 28));

    AdvGlowButton1 =
        makeButton(this, QStringLiteral("AdvGlowButton1"), QStringLiteral("Stäng"), QRect(301, 486, 100, 28));
    showInitialState();

    const auto on = [this](QPushButton* button, void (TForm5::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { guarded(m_program, [&] { (this->*handler)(); }); });
    };
    on(AdvGlowButton2, &TForm5::AdvGlowButton2Click);
    on(AdvGlowButton3, &TForm5::AdvGlowButton3Click);
    on(AdvGlowButton1, &TForm5::AdvGlowButton1Click);
}

void TForm5::bindGrid() {
    const auto left = Qt::AlignLeft;
    DBAdvGrid1->bind(m_program.kontoplan, {{{}, {}, 32, left},
                                           {QStringLiteral("KPnamn"), QStringLiteral("Kontonamn"), 178, left},
                                           {QStringLiteral("KPnummer"), QStringLiteral("Kontonummer"), 80, left},
                                           {QStringLiteral("KPtyp"), QStringLiteral("Kontotyp"), 64, left}});
}

QString TForm5::number() const {
    return QString::number(KontoNummer->value());
}

void TForm5::showInitialState() {
    Edit2->hide();
    AdvGlowButton3->hide();
    RadioButton1->hide();
    RadioButton2->hide();
    KontoNummer->setEnabled(true);
}

// Compares the number with every row of the chart; a taken number leaves the chart on that row and the window
// as it was. A free number is locked in and the entry controls appear.
void TForm5::AdvGlowButton2Click() {
    store::Table& chart = m_program.kontoplan;
    const QString wanted = number();
    chart.first();
    const std::int64_t count = chart.recordCount();
    for (std::int64_t i = 0; i < count; ++i) {
        if (chart.asText(u"KPnummer") == wanted)
            return;
        chart.next();
    }
    KontoNummer->setEnabled(false);
    Edit2->show();
    AdvGlowButton3->show();
    RadioButton1->show();
    RadioButton2->show();
}

// Appends the checked number with the typed name and type, its budget empty. The window goes back to choosing a
// number whatever happens, so a further add needs a further check; a blank name adds nothing.
void TForm5::AdvGlowButton3Click() {
    showInitialState();
    const QString name = Edit2->text().trimmed();
    if (name.isEmpty())
        return;
    store::Table& chart = m_program.kontoplan;
    const QString wanted = number();
    chart.last();
    chart.append();
    chart.setText(u"KPnummer", wanted);
    chart.setText(u"KPnamn", name);
    chart.setText(u"KPtyp", RadioButton1->isChecked() ? QStringLiteral("Ut") : QStringLiteral("In"));
    try {
        chart.post();
    } catch (const store::Error&) {
        // The row was dropped. A number taken since the check (the chart's numbers are unique) is the user's
        // to fix; anything else is a store failure.
        if (!numberIsStored(m_program.database, wanted))
            throw;
        chart.refresh();
        m_program.dialogs().warning(
            QStringLiteral("Kontonummer %1 finns redan i kontoplanen. Välj ett annat nummer och kontrollera "
                           "tillgängligheten igen.")
                .arg(wanted));
        return;
    }
    chart.refresh();
    m_program.form1->FyllKontoplan();
}

void TForm5::AdvGlowButton1Click() {
    close();
}

// The number goes back to 2000 and the entry controls are hidden; the name and the type choice stay as left.
void TForm5::FormClose() {
    KontoNummer->setValue(2000);
    showInitialState();
    SecondaryWindow::FormClose();
}
