#include "accounts/TForm7.h"

#include "app/Program.h"
#include "app/TForm1.h"
#include "widgets/MoneyEdit.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <limits>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, int y) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(32, y, 200, 16);
    return label;
}

// Puts the cursor on the account with `key`; an account that is gone must not let another row be changed.
void locateAccount(store::Table& konto, const QString& key) {
    konto.first();
    if (!konto.locate(u"Konto", key))
        throw store::Error(QStringLiteral("Kontot med id %1 finns inte längre. Ingen överföring gjordes.").arg(key));
}

} // namespace

TForm7::TForm7(Program& program)
    : SecondaryWindow(program, QStringLiteral("TForm7"), QStringLiteral("Transaktion"), QSize(440, 295)) {
    makeLabel(this, QStringLiteral("Från Konto"), 16);
    ComboBox6 = picklist::makeNameList(this, QStringLiteral("ComboBox6"));
    ComboBox6->setGeometry(32, 32, 200, 21);
    ComboBox4 = picklist::makeKeyList(this, QStringLiteral("ComboBox4"));

    makeLabel(this, QStringLiteral("Till Konto"), 64);
    ComboBox12 = picklist::makeNameList(this, QStringLiteral("ComboBox12"));
    ComboBox12->setGeometry(32, 80, 200, 21);
    ComboBox5 = picklist::makeKeyList(this, QStringLiteral("ComboBox5"));

    makeLabel(this, QStringLiteral("Summa"), 112);
    DBAdvMoneyEdit1 = new MoneyEdit(this);
    DBAdvMoneyEdit1->setObjectName(QStringLiteral("DBAdvMoneyEdit1"));
    DBAdvMoneyEdit1->setGeometry(32, 128, 200, 21);

    AdvGlowButton7 = new QPushButton(QStringLiteral("Överför mellan konto"), this);
    AdvGlowButton7->setObjectName(QStringLiteral("AdvGlowButton7"));
    AdvGlowButton7->setGeometry(32, 176, 161, 41);
    AdvGlowButton7->setAutoDefault(false);
    AdvGlowButton1 = new QPushButton(QStringLiteral("Stäng"), this);
    AdvGlowButton1->setObjectName(QStringLiteral("AdvGlowButton1"));
    AdvGlowButton1->setGeometry(200, 176, 89, 41);
    AdvGlowButton1->setAutoDefault(false);

    setTabOrder(ComboBox6, ComboBox12);
    setTabOrder(ComboBox12, DBAdvMoneyEdit1);
    setTabOrder(DBAdvMoneyEdit1, AdvGlowButton7);
    setTabOrder(AdvGlowButton7, AdvGlowButton1);

    connect(ComboBox6, &QComboBox::activated, this, [this] { ComboBox6Select(); });
    connect(ComboBox12, &QComboBox::activated, this, [this] { ComboBox12Select(); });
    connect(AdvGlowButton7, &QPushButton::clicked, this,
            [this] { guarded(m_program, [this] { AdvGlowButton7Click(); }); });
    connect(AdvGlowButton1, &QPushButton::clicked, this, [this] { AdvGlowButton1Click(); });
}

void TForm7::ComboBox6Select() {
    picklist::select(ComboBox6, ComboBox4);
}

void TForm7::ComboBox12Select() {
    picklist::select(ComboBox12, ComboBox5);
}

void TForm7::AdvGlowButton7Click() {
    Dialogs& dialogs = m_program.dialogs();
    const store::ParsedAmount parsed = DBAdvMoneyEdit1->parsedValue();
    if (!MoneyEdit::isStorable(parsed)) {
        dialogs.warning(QStringLiteral("Summan är för stor. Största tillåtna summa är %1.")
                            .arg(store::money2(MoneyEdit::kMaximum)));
        return;
    }
    const store::Amount amount = DBAdvMoneyEdit1->value();
    if (amount == 0) {
        dialogs.warning(QStringLiteral("Ingen summa vald"));
        return;
    }
    // Typed text chooses no account; only a picked item whose name is still in the box does.
    const QString fromKey = picklist::chosenKey(ComboBox6, ComboBox4);
    const QString toKey = picklist::chosenKey(ComboBox12, ComboBox5);
    if (fromKey.isEmpty() || toKey.isEmpty()) {
        dialogs.warning(QStringLiteral("2 Olika konton måste väljas"));
        return;
    }
    // Accounts that share a name are told apart by their position.
    if (ComboBox4->currentIndex() == ComboBox5->currentIndex()) {
        dialogs.warning(QStringLiteral("Överföring mellan samma konto"));
        return;
    }

    // The cover check and both balances in one transaction: both change or neither does.
    store::Table& konto = m_program.konto;
    store::Transaction transaction(m_program.database);
    locateAccount(konto, fromKey);
    if (konto.asAmount(u"Ksumma") < amount) {
        transaction.commit(); // nothing was written
        dialogs.warning(QStringLiteral("Finns inte täckning på valt konto konto"));
        return;
    }
    konto.edit();
    konto.setAmount(u"Ksumma", konto.asAmount(u"Ksumma") - amount);
    konto.post();

    locateAccount(konto, toKey);
    const store::Amount before = konto.asAmount(u"Ksumma");
    if (before > std::numeric_limits<store::Amount>::max() - amount)
        throw store::Error(QStringLiteral("Saldot på mottagande konto blir för stort. Ingen överföring gjordes."));
    konto.edit();
    konto.setAmount(u"Ksumma", before + amount);
    konto.post();
    transaction.commit();

    dialogs.information(QStringLiteral("Överföring utförd"));
    DBAdvMoneyEdit1->clear();
    ComboBox6->setEditText(QString());
    ComboBox12->setEditText(QString());
    ComboBox4->setCurrentIndex(-1);
    ComboBox5->setCurrentIndex(-1);
    close();
}

void TForm7::AdvGlowButton1Click() {
    close();
}

void TForm7::FormClose() {
    m_program.form1->FyllKonto();
    SecondaryWindow::FormClose();
}
