#include "widgets/MoneyEdit.h"

#include <QLocale>
#include <QRegularExpressionValidator>

MoneyEdit::MoneyEdit(QWidget* parent, bool allowNegative) : QLineEdit(parent) {
    const QLocale locale;
    const QString decimal = QRegularExpression::escape(locale.decimalPoint());
    const QString group = QRegularExpression::escape(locale.groupSeparator());
    const QString sign = allowNegative ? QStringLiteral("[-\u2212]?") : QString();
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^%1[0-9 \u00A0%2]{0,19}(%3[0-9]{0,2})?$").arg(sign, group, decimal)), this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(store::fixed2(0));
    connect(this, &QLineEdit::editingFinished, this, [this] {
        const store::ParsedAmount parsed = parsedValue();
        if (parsed.status == store::ParseStatus::Ok)
            setText(store::fixed2(parsed.amount));
    });
}

void MoneyEdit::setValue(store::Amount amount) {
    setText(store::fixed2(amount));
}

bool MoneyEdit::isStorable(const store::ParsedAmount& parsed) {
    if (parsed.status == store::ParseStatus::TooLarge)
        return false;
    return parsed.status != store::ParseStatus::Ok || (parsed.amount <= kMaximum && parsed.amount >= -kMaximum);
}

QString MoneyEdit::tooLargeMessage() {
    return QStringLiteral("Summan är för stor. Den högsta summa som kan anges är %1 kr.")
        .arg(QLocale().toString(static_cast<qlonglong>(kMaximum / store::kUnitsPerWhole)));
}
