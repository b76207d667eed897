#include "widgets/SpinEdit.h"

#include <QLineEdit>

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    // Runs before any other receiver, so it sees every report, the spin box's own included.
    connect(this, &QSpinBox::textChanged, this, [this](const QString& text) { m_reported = text; });
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::report);
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] { report(text()); });
    m_reported = text();
}

void SpinEdit::report(const QString& text) {
    if (text != m_reported)
        emit textChanged(text);
}
