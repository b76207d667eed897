#include "accounts/TForm6.h"

#include "app/Program.h"
#include "app/TForm1.h"
#include "widgets/MoneyEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(24, y, 130, 21);
    return label;
}

} // namespace

TForm6::TForm6(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm6"), QStringLiteral("Skapa konto"), QSize(498, 258)) {
    const QRect field(160, 0, 185, 21);
    makeLabel(this, QStringLiteral("Namn på konto"), 16);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(field.translated(0, 16));

    makeLabel(this, QStringLiteral("Kontonummer"), 48);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(field.translated(0, 48));

    makeLabel(this, QStringLiteral("Kontotyp"), 80);
    ComboBox3 = new QComboBox(this);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->setEditable(true);
    ComboBox3->setInsertPolicy(QComboBox::NoInsert);
    ComboBox3->addItems(
        {QStringLiteral("Lönekonto"), QStringLiteral("Sparkonto"), QStringLiteral("Plånbok"), QStringLiteral("Lån")});
    ComboBox3->setCurrentIndex(-1);
    ComboBox3->setEditText(QString());
    ComboBox3->setGeometry(field.translated(0, 80));

    makeLabel(this, QStringLiteral("Debit / Kredit"), 112);
    ComboBox15 = new QComboBox(this);
    ComboBox15->setObjectName(QStringLiteral("ComboBox15"));
    ComboBox15->setEditable(true);
    ComboBox15->setInsertPolicy(QComboBox::NoInsert);
    ComboBox15->addItems({QStringLiteral("Tillgång"), QStringLiteral("Skuld")});
    ComboBox15->setCurrentIndex(0);
    ComboBox15->setGeometry(field.translated(0, 112));

    makeLabel(this, QStringLiteral("Ingående summa"), 144);
    DBAdvMoneyEdit1 = new MoneyEdit(this);
    DBAdvMoneyEdit1->setObjectName(QStringLiteral("DBAdvMoneyEdit1"));
    DBAdvMoneyEdit1->setGeometry(field.translated(0, 144));

    AdvGlowButton5 = new QPushButton(QStringLiteral("Spara Konto"), this);
    AdvGlowButton5->setObjectName(QStringLiteral("AdvGlowButton5"));
    AdvGlowButton5->setGeometry(160, 184, 89, 33);
    AdvGlowButton5->setAutoDefault(false);
    AdvGlowButton1 = new QPushButton(QStringLiteral("Stäng"), this);
    AdvGlowButton1->setObjectName(QStringLiteral("AdvGlowButton1"));
    AdvGlowButton1->setGeometry(256, 184, 89, 33);
    AdvGlowButton1->setAutoDefault(false);

    setTabOrder(Edit2, Edit1);
    setTabOrder(Edit1, ComboBox3);
    setTabOrder(ComboBox3, ComboBox15);
    setTabOrder(ComboBox15, DBAdvMoneyEdit1);
    setTabOrder(DBAdvMoneyEdit1, AdvGlowButton5);
    setTabOrder(AdvGlowButton5, AdvGlowButton1);

    connect(AdvGlowButton5, &QPushButton::clicked, this,
            [this] { guarded(m_program, [this] { AdvGlowButton5Click(); }); });
    connect(AdvGlowButton1, &QPushButton::clicked, this, [this] { AdvGlowButton1Click(); });
}

void TForm6::AdvGlowButton5Click() {
    Dialogs& dialogs = m_program.dialogs();
    // A name or type of blanks alone names nothing.
    if (Edit2->text().trimmed().isEmpty()) {
        dialogs.warning(QStringLiteral("Inget kontonamn inskriven ?"));
        return;
    }
    if (ComboBox3->currentText().trimmed().isEmpty()) {
        dialogs.warning(QStringLiteral("Inget kontotyp vald ?"));
        return;
    }
    const store::ParsedAmount opening = DBAdvMoneyEdit1->parsedValue();
    if (!MoneyEdit::isStorable(opening)) {
        dialogs.warning(QStringLiteral("Summan är för stor. Största tillåtna summa är %1.")
                            .arg(store::money2(MoneyEdit::kMaximum)));
        return;
    }
    if (opening.status == store::ParseStatus::Invalid) {
        dialogs.warning(QStringLiteral("Ingående summa är inte ett belopp. Skriv till exempel 1500,00."));
        return;
    }
    store::Table& konto = m_program.konto;
    konto.last();
    konto.append();
    konto.setText(u"Knummer", Edit1->text());
    konto.setText(u"Knamn", Edit2->text());
    konto.setText(u"Ktyp", ComboBox3->currentText());
    // An emptied box leaves the balance empty; unreadable text is refused by the store, which cancels the row.
    konto.setText(u"Ksumma", DBAdvMoneyEdit1->text());
    konto.setText(u"Kdebit",
                  ComboBox15->currentText() == QStringLiteral("Tillgång") ? QStringLiteral("D") : QStringLiteral("K"));
    konto.post();

    // Debit / Kredit keeps its text for the next account.
    Edit2->clear();
    Edit1->clear();
    ComboBox3->setCurrentIndex(-1);
    ComboBox3->setEditText(QString());
    DBAdvMoneyEdit1->setValue(0);
    m_program.form1->FyllKonto();
    close();
}

void TForm6::AdvGlowButton1Click() {
    close();
}

void TForm6::FormClose() {
    m_program.form1->FyllKonto();
    SecondaryWindow::FormClose();
}
