#pragma once

#include <QSpinBox>

// A spin box whose textChanged reports every text the user sees: also an emptied or unfinished text while
// typing, and the text it settles on when editing ends (a QSpinBox stays silent in both cases).
class SpinEdit final : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

private:
    void report(const QString& text);

    QString m_reported;
};
