// The break day and the current budget month of the main window.
#include "app/Program.h"
#include "app/TForm1.h"

#include <QDateEdit>
#include <QDir>
#include <QSpinBox>

void TForm1::readBreakDay() {
    const QString path = QDir(m_program.databaseDirectory).filePath(QStringLiteral("data.ini"));
    store::Settings file(path);
    if (!file.exists())
        return;
    m_program.settings.emplace(path);
    m_program.breakDay = m_program.settings->readBreakDay();
    // The control clamps to 1..31; its change writes that value back.
    DBAdvSpinEdit1->setValue(m_program.breakDay);
}

void TForm1::startdatum() {
    m_program.budgetMonth = store::budgetMonthOf(m_program.clock().now().date(), m_program.breakDay);
}

void TForm1::InDatePicker1Change() {
    m_program.budgetMonth = store::budgetMonthOf(InDatePicker1->date(), m_program.breakDay);
}

void TForm1::UtDatePicker1Change() {
    m_program.budgetMonth = store::budgetMonthOf(UtDatePicker1->date(), m_program.breakDay);
}

void TForm1::DBAdvSpinEdit1Change() {
    if (m_program.databaseDirectory.isEmpty())
        return;
    bool ok = false;
    int day = DBAdvSpinEdit1->text().trimmed().toInt(&ok);
    if (!ok)
        day = DBAdvSpinEdit1->minimum();
    // Without a file at start-up the first change creates it.
    const store::Settings file = m_program.settings.value_or(
        store::Settings(QDir(m_program.databaseDirectory).filePath(QStringLiteral("data.ini"))));
    file.writeBreakDay(day);
}
