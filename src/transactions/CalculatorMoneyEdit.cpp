#include "transactions/CalculatorMoneyEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>

namespace {

using Wide = __int128;

// n / d rounded half to even; d > 0.
Wide divideHalfEven(Wide n, Wide d) {
    Wide q = n / d;
    const Wide r = n % d;
    const Wide twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && q % 2 != 0))
        q += n < 0 ? -1 : 1;
    return q;
}

std::optional<CalculatorMoneyEdit::Operation> operationOf(const QString& key) {
    using Op = CalculatorMoneyEdit::Operation;
    if (key == QLatin1String("+"))
        return Op::Add;
    if (key == QLatin1String("-") || key == QStringLiteral("\u2212"))
        return Op::Subtract;
    if (key == QLatin1String("*"))
        return Op::Multiply;
    if (key == QLatin1String("/"))
        return Op::Divide;
    if (key == QLatin1String("%"))
        return Op::Percent;
    return std::nullopt;
}

} // namespace

CalculatorMoneyEdit::CalculatorMoneyEdit(QWidget* parent) : MoneyEdit(parent, true) {}

std::optional<store::Amount> CalculatorMoneyEdit::calculate(store::Amount a, Operation op, store::Amount b) {
    const Wide x = a;
    const Wide y = b;
    Wide result = 0;
    switch (op) {
    case Operation::Add:
        result = x + y;
        break;
    case Operation::Subtract:
        result = x - y;
        break;
    case Operation::Multiply:
        result = divideHalfEven(x * y, store::kUnitsPerWhole);
        break;
    case Operation::Divide:
        if (y == 0)
            return std::nullopt;
        result = divideHalfEven(x * store::kUnitsPerWhole * (y < 0 ? -1 : 1), y < 0 ? -y : y);
        break;
    case Operation::Percent:
        result = divideHalfEven(x * y, Wide(store::kUnitsPerWhole) * 100);
        break;
    }
    if (result > kMaximum || result < -kMaximum)
        return std::nullopt;
    return static_cast<store::Amount>(result);
}

void CalculatorMoneyEdit::reset() {
    m_pending.reset();
    m_awaitingOperand = false;
}

void CalculatorMoneyEdit::startOperation(Operation op) {
    if (m_pending && !m_awaitingOperand) {
        const std::optional<store::Amount> result = calculate(m_left, *m_pending, value());
        if (!result) {
            reset();
            QApplication::beep();
            return;
        }
        setValue(*result);
    }
    // The shown amount, as rounded on the screen, is what the next operation works on.
    m_left = value();
    m_pending = op;
    m_awaitingOperand = true;
}

void CalculatorMoneyEdit::finishCalculation() {
    if (!m_pending || m_awaitingOperand) {
        reset();
        return;
    }
    const std::optional<store::Amount> result = calculate(m_left, *m_pending, value());
    reset();
    if (!result) {
        QApplication::beep();
        return;
    }
    setValue(*result);
    m_awaitingOperand = true; // a digit typed now starts a new amount
}

void CalculatorMoneyEdit::keyPressEvent(QKeyEvent* event) {
    const QString key = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || key == QLatin1String("=")) {
        // Enter belongs to the box here, not to the window's default button.
        finishCalculation();
        event->accept();
        return;
    }
    if (const std::optional<Operation> op = operationOf(key)) {
        startOperation(*op);
        event->accept();
        return;
    }
    if (m_awaitingOperand && !key.isEmpty() && (key.at(0).isDigit() || key == QLocale().decimalPoint())) {
        clear();
        m_awaitingOperand = false;
    }
    MoneyEdit::keyPressEvent(event);
}

void CalculatorMoneyEdit::focusOutEvent(QFocusEvent* event) {
    finishCalculation();
    MoneyEdit::focusOutEvent(event);
}
