#pragma once

#include "widgets/MoneyEdit.h"

#include <optional>

// A money box that also calculates: the keys +, -, *, /, % start an operation on the shown amount, the next
// digits type the second amount, and = or Enter (or leaving the box) shows the result. Operations chain left
// to right as on a pocket calculator, so the value may become negative. `a % b` is b percent of a.
// An operation whose result would not fit the box (or a division by zero) is refused with a beep and leaves the
// shown amount as it was.
class CalculatorMoneyEdit final : public MoneyEdit {
    Q_OBJECT
public:
    explicit CalculatorMoneyEdit(QWidget* parent = nullptr);

    enum class Operation { Add, Subtract, Multiply, Divide, Percent };

    // Carries out the pending operation, if any, and shows its result.
    void finishCalculation();
    bool hasPendingOperation() const { return m_pending.has_value(); }

    // a op b in units of 1/10000, rounded half to even; nothing when it fails or does not fit the box.
    static std::optional<store::Amount> calculate(store::Amount a, Operation op, store::Amount b);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void startOperation(Operation op);
    void reset();

    std::optional<Operation> m_pending;
    store::Amount m_left = 0;
    bool m_awaitingOperand = false; // the shown amount is a result; the next digit starts a new amount
};
